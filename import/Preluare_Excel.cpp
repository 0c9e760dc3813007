#include "import/Preluare_Excel.h"

#include "codelists/Cautare_Tarif.h"
#include "codelists/ConexiuneTarif.h"
#include "common/Globale.h"
#include "common/Operatii_String.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null.h"
#include "declaration/Linii_Intrastat.h"
#include "import/Preluare_Fisiere.h"
#include "import/Valori_Preluare.h"
#include "platform/sys/clock.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kNecitit = u"Fisierul Excel NU poate fi citit, verificati macheta de preluare"_s;
const QString kCrLf = u"\r\n"_s;
// How often the window is told of the progress.
constexpr qint64 kIntervalProgresMs = 250;

void eroare(const QString& text)
{
    ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

bool intreabaDa(const QString& text)
{
    return ui::msgBox(text, ui::Icon::Question, ui::Buttons::YesNo, u"RASPUNDETI"_s) == ui::Answer::Yes;
}

// The seven required inputs, each with its own message, in this order.
bool intrariCompletate(const Intrari_Preluare& in)
{
    const std::pair<const QString*, QString> obligatorii[] = {
        {&in.anul, u"Anul"_s},
        {&in.luna, u"Luna"_s},
        {&in.cale, u"Nume fisier"_s},
        {&in.foaie, u"Sheet Name"_s},
        {&in.codFiscal, u"Cod inreg fiscala"_s},
        {&in.macheta, u"Nume Macheta"_s},
        {&in.tip, u"Tip Operatiune"_s},
    };
    bool complete = true;
    for (const auto& [valoare, eticheta] : obligatorii)
        if (Este_Null(db::Variant(*valoare), eticheta, true))
            complete = false;
    return complete;
}

// The copy of the sheet's rows into Intrastat. What is the same for every
// row (the columns filled by name, the declaration key, the bookkeeping
// values, what the tariff says of a code) is looked up and checked once.
class Copiere
{
public:
    Copiere(const Randuri_Foaie& sursa, const Rezultat_Preluare& cheie, bool cuTarif)
        : m_sursa(sursa.randuri), m_goale(sursa.goale), m_cheie(cheie), m_cuTarif(cuTarif)
    {
    }

    // Fills rezultat's counts and error lines.
    void ruleaza(Rezultat_Preluare& rezultat, Observator_Preluare& observator);
    // The copy stopped at a row the company's database had no room for.
    bool faraSpatiu() const { return m_faraSpatiu; }

private:
    // A value written to the same column on every row, as the column takes
    // it; no value when the column is missing or cannot take it.
    struct Fixa
    {
        int coloana = -1;
        std::optional<db::Variant> valoare;
        db::Variant data; // as given, for the error line
    };
    // What the tariff gives for a code.
    struct Tarif
    {
        bool gasit = false;
        Fixa descriere, unitate, exista;
    };

    bool pregateste();
    void eroareRand(int n) { m_erori << kCrLf + u"EROARE Inregistrarea : "_s + QString::number(n); }
    // A value the column did not take: the row, the column and the text.
    void refuz(int n, const QString& coloana, const db::Variant& valoare);
    void refuz(int n, int j, const db::Variant& valoare);
    // Column j when the copy can write it, else nullptr.
    const db::Field* deScris(int j) const;
    // The value as column j takes it; nothing when the column cannot take it.
    std::optional<db::Variant> verifica(int j, const db::Variant& valoare) const;
    // Sets column j of the new row; false when the column cannot take the value.
    bool atribuie(int j, const db::Variant& valoare);
    void pune(int j, const db::Variant& valoare, int n)
    {
        if (!atribuie(j, valoare))
            refuz(n, j, valoare);
    }
    void pune(const Fixa& f, int n);
    // A cell of the sheet into column j (step 1).
    void preia(int j, const db::Variant& valoare, int n);
    Fixa fixa(const QString& nume, const db::Variant& valoare) const { return fixa(col(nume), valoare); }
    Fixa fixa(int j, const db::Variant& valoare) const { return Fixa{j, verifica(j, valoare), valoare}; }
    const db::Variant& citeste(int j) const { return m_rand[j]; }
    // The Intrastat column of that name, -1 when none.
    int col(const QString& nume) const;
    void umple(int randSursa, int n);
    bool salveaza();
    const Tarif& tarif(const QString& cod);

    db::Recordset m_sursa;
    QVector<bool> m_goale;
    const Rezultat_Preluare& m_cheie;
    bool m_cuTarif = false;

    QList<db::Field> m_campuri;    // of Intrastat
    QVector<Fel_Valoare> m_feluri; // of each column
    QVector<int> m_tinte;          // per source field: the Intrastat column, -1 when none
    QHash<QString, int> m_coloane; // lower-case name -> column
    QVector<db::Variant> m_rand;   // the new row
    QByteArray m_setate;           // which columns the new row sets
    QByteArray m_refuzate;         // which columns of the new row had a value refused
    bool m_refuzRand = false;      // the new row had a value refused
    QStringList m_curatate;        // columns of the new row whose text lost control characters
    QHash<QByteArray, std::shared_ptr<db::Statement>> m_inserari;
    QVector<Tarif> m_tarife;      // what the tariff gives for each code met
    QHash<QString, int> m_coduri; // code -> its entry in m_tarife
    QStringList m_erori;
    bool m_faraSpatiu = false;

    // The columns filled by name.
    int m_cPozitia = -1, m_cCod = -1, m_cTaraOrig = -1, m_cExista = -1, m_cCantitate = -1, m_cValUms = -1;
    QVector<Fixa> m_fixe;                     // the declaration key and the bookkeeping columns
    QVector<std::pair<int, int>> m_rotunjite; // column, decimals (-1: no such column)
    QVector<int> m_majuscule;                 // country and delivery code columns
    Fixa m_ro;                                // Romania on the side of the flow
    Fixa m_roOrigine;                         // the origin of a dispatch
    Fixa m_faraUms;                           // no supplementary quantity
};

// Este_Null without making the text of a number, which is never blank.
int coloana(const QHash<QString, int>& coloane, const QString& nume)
{
    return coloane.value(nume.toLower(), -1);
}

// A refused value as the error line shows it: on one line, at most 60 characters.
QString textRefuzat(const db::Variant& valoare)
{
    QString t = valoare.toText().simplified();
    if (t.size() > 60)
        t = t.left(57) + u"..."_s;
    return u'"' + t + u'"';
}

bool doarSpatii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
}

bool Copiere::pregateste()
{
    auto tinta = Conexiune_Firma.openRecordset(u"SELECT TOP 1 * FROM Intrastat"_s, db::CursorType::Dynamic,
                                               db::LockType::Optimistic);
    if (!tinta)
        return false;
    m_campuri = tinta->fields();
    tinta->close();
    for (int j = 0; j < m_campuri.size(); ++j) {
        m_coloane.insert(m_campuri.at(j).name.toLower(), j);
        m_feluri << Fel_Coloana_Destinatie(&m_campuri.at(j));
    }
    for (int i = 0; i < m_sursa.fieldCount(); ++i)
        m_tinte << coloana(m_coloane, m_sursa.field(i).name);

    m_cPozitia = col(u"Pozitia"_s);
    m_cCod = col(u"Cod_NC"_s);
    m_cTaraOrig = col(u"Tara_Orig"_s);
    m_cExista = col(u"Exista_UMS"_s);
    m_cCantitate = col(u"Cantitate"_s);
    m_cValUms = col(u"Val_UMS"_s);
    m_fixe = {fixa(u"TIP"_s, db::Variant(m_cheie.tip)),
              fixa(u"Anul"_s, db::Variant(m_cheie.anul)),
              fixa(u"Luna"_s, db::Variant(m_cheie.luna)),
              fixa(u"Cod_Fiscal"_s, db::Variant(m_cheie.codFiscal)),
              fixa(u"Data_Preluare"_s, db::Variant(sys::Clock::today())),
              fixa(u"UserName"_s, db::Variant(Utilizator_Windows)),
              fixa(u"SourceFile_FullPath"_s, db::Variant(Cale_Sursa(m_cheie.cale))),
              fixa(u"SourceFile"_s, db::Variant(Fisier_Sursa(m_cheie.cale))),
              fixa(u"Probleme"_s, db::Variant(false))};
    for (const Suma_Rotunjita& s : Sume_Rotunjite())
        m_rotunjite.push_back({col(s.coloana), s.zecimale});
    for (const QString& nume : {u"Tara_Orig"_s, u"Tara_Exp"_s, u"Tara_Dest"_s, u"Incoterms"_s})
        m_majuscule.push_back(col(nume));
    m_ro = fixa(m_cheie.tip == u"I" ? u"Tara_Dest"_s : u"Tara_Exp"_s, db::Variant(u"RO"_s));
    m_roOrigine = fixa(m_cTaraOrig, db::Variant(u"RO"_s));
    m_faraUms = fixa(m_cValUms, db::Variant::null());

    return true;
}

int Copiere::col(const QString& nume) const
{
    return coloana(m_coloane, nume);
}

void Copiere::refuz(int n, const QString& coloana, const db::Variant& valoare)
{
    m_erori << kCrLf + u"EROARE Inregistrarea : "_s + QString::number(n) + u" - "_s + coloana + u" : "_s +
                   textRefuzat(valoare);
    m_refuzRand = true;
}

void Copiere::refuz(int n, int j, const db::Variant& valoare)
{
    if (j < 0 || j >= m_campuri.size()) {
        eroareRand(n);
        m_refuzRand = true;
        return;
    }
    refuz(n, m_campuri.at(j).name, valoare);
    m_refuzate[j] = 1;
}

const db::Field* Copiere::deScris(int j) const
{
    if (j < 0)
        return nullptr;
    const db::Field& f = m_campuri.at(j);
    return f.writable && !f.autoIncrement ? &f : nullptr;
}

std::optional<db::Variant> Copiere::verifica(int j, const db::Variant& valoare) const
{
    const db::Field* f = deScris(j);
    if (!f)
        return std::nullopt;
    db::Result<db::Variant> v = db::checkFieldValue(*f, valoare);
    if (!v)
        return std::nullopt;
    return std::move(*v);
}

bool Copiere::atribuie(int j, const db::Variant& valoare)
{
    const db::Field* f = deScris(j);
    if (!f)
        return false;
    db::Result<db::Variant> v = db::checkFieldValue(*f, valoare);
    if (!v)
        return false;
    m_rand[j] = std::move(*v);
    m_setate[j] = 1;
    return true;
}

void Copiere::pune(const Fixa& f, int n)
{
    if (!f.valoare) {
        refuz(n, f.coloana, f.data);
        return;
    }
    m_rand[f.coloana] = *f.valoare;
    m_setate[f.coloana] = 1;
}

void Copiere::preia(int j, const db::Variant& valoare, int n)
{
    if (j < 0 || !deScris(j)) {
        // A field the template names but Intrastat cannot take: said when
        // it holds something, since that is lost.
        if (!valoare.isMissing())
            refuz(n, j, valoare);
        return;
    }
    const Fel_Valoare fel = m_feluri.at(j);
    if (valoare.isText()) {
        QString text = valoare.asText();
        if (Elimina_Caractere_Control(text))
            m_curatate << m_campuri.at(j).name;
        if (fel == Fel_Valoare::Numar || fel == Fel_Valoare::Data) {
            if (doarSpatii(text))
                return; // a cell of blanks is an empty cell
            if (fel == Fel_Valoare::Numar) {
                const std::optional<double> d = db::readAmount(text);
                if (!d || !atribuie(j, db::Variant(*d)))
                    refuz(n, j, valoare);
                return;
            }
        }
        if (!atribuie(j, db::Variant(std::move(text))))
            refuz(n, j, valoare);
        else if (fel == Fel_Valoare::Data && !Data_In_Calendar(m_rand[j].toDateTime())) {
            m_rand[j] = db::Variant::null();
            m_setate[j] = 0;
            refuz(n, j, valoare);
        }
        return;
    }
    // A date the calendar does not hold, or a serial number of one bound for
    // a date column, is refused rather than turned into a date.
    const bool dataRea = valoare.isDate() ? !Data_In_Calendar(valoare.asDate())
                                          : fel == Fel_Valoare::Data && valoare.isNumber() &&
                                                valoare.kind() != db::Variant::Kind::Bool &&
                                                !Serial_In_Calendar(valoare.toDouble());
    if (dataRea || !atribuie(j, valoare))
        refuz(n, j, valoare);
}

const Copiere::Tarif& Copiere::tarif(const QString& cod)
{
    const auto it = m_coduri.constFind(cod);
    if (it != m_coduri.constEnd())
        return m_tarife.at(*it);
    Tarif t;
    const QString r = m_cuTarif ? Cauta_Cod_Tarif(cod) : QString();
    if (r.size() >= 3) {
        QStringList piese;
        Imparte_String(piese, r, u"|"_s);
        const QString unitate = piese.value(2);
        t.gasit = true;
        t.descriere = fixa(u"Descriere_NC"_s, db::Variant(piese.value(1).trimmed()));
        t.unitate = fixa(u"Cod_UMS"_s, unitate.isEmpty() ? db::Variant::null() : db::Variant(unitate));
        t.exista = fixa(m_cExista, db::Variant(piese.value(3) == u"1"));
    }
    m_coduri.insert(cod, int(m_tarife.size()));
    m_tarife.push_back(std::move(t));
    return m_tarife.constLast();
}

void Copiere::umple(int randSursa, int n)
{
    m_rand.fill(db::Variant::null(), m_campuri.size());
    m_setate.fill(0, m_campuri.size());
    m_refuzate.fill(0, m_campuri.size());
    m_refuzRand = false;
    m_curatate.clear();

    // 1. The template's columns, as read.
    for (int i = 0; i < m_tinte.size(); ++i)
        preia(m_tinte.at(i), m_sursa.valueAt(randSursa, i), n);
    if (!m_curatate.isEmpty()) {
        m_curatate.removeDuplicates();
        m_erori << kCrLf + u"EROARE Inregistrarea : "_s + QString::number(n) +
                       u" - caractere de control eliminate din : "_s + m_curatate.join(u", "_s);
    }
    // 2-9. The declaration key and the bookkeeping columns.
    for (const Fixa& f : std::as_const(m_fixe))
        pune(f, n);
    pune(m_cPozitia, db::Variant(n), n);
    // 10. The CN code without blanks, full stops and hyphens.
    if (m_cCod < 0) {
        eroareRand(n);
        m_refuzRand = true;
    } else if (citeste(m_cCod).isMissing()) {
        if (!m_refuzate.at(m_cCod))
            refuz(n, m_cCod, db::Variant(QString()));
    } else {
        QString cod = citeste(m_cCod).toText();
        cod.remove(u' ').remove(u'.').remove(u'-');
        pune(m_cCod, db::Variant(cod), n);
    }
    // 11-12. Amounts rounded half to even.
    for (const auto& [c, zecimale] : std::as_const(m_rotunjite)) {
        if (c < 0) {
            eroareRand(n);
            m_refuzRand = true;
            continue;
        }
        if (citeste(c).isMissing())
            continue;
        bool ok = false;
        const double d = citeste(c).toDouble(&ok);
        if (!ok || !atribuie(c, db::Variant(db::roundHalfEven(d, zecimale))))
            refuz(n, c, citeste(c));
    }
    // 13. Country and delivery codes in capitals.
    for (const int c : std::as_const(m_majuscule))
        if (c >= 0 && !citeste(c).isMissing())
            pune(c, db::Variant(citeste(c).toText().toUpper()), n);
    // 14-15. Romania on the side of the flow; the origin of a dispatch.
    pune(m_ro, n);
    if (m_cheie.tip != u"I" && m_cTaraOrig >= 0 && Este_Null(citeste(m_cTaraOrig)))
        pune(m_roOrigine, n);
    // 16. The tariff columns of the code, when the tariff knows it.
    if (m_cCod < 0)
        return;
    const Tarif& t = tarif(citeste(m_cCod).toText());
    if (!t.gasit)
        return;
    pune(t.descriere, n);
    pune(t.unitate, n);
    pune(t.exista, n);
    if (m_cExista >= 0 && citeste(m_cExista).toBool()) {
        const db::Variant cantitate = m_cCantitate >= 0 ? citeste(m_cCantitate) : db::Variant::null();
        const double d = Este_Null(cantitate) ? 0.0 : cantitate.toDouble();
        pune(m_cValUms, db::Variant(db::roundHalfEven(d, 0)), n);
    } else {
        pune(m_faraUms, n);
    }
}

bool Copiere::salveaza()
{
    std::shared_ptr<db::Statement>& inserare = m_inserari[m_setate];
    if (!inserare) {
        QStringList nume, semne;
        for (int j = 0; j < m_campuri.size(); ++j)
            if (m_setate.at(j)) {
                nume << u"["_s + m_campuri.at(j).name + u"]"_s;
                semne << u"?"_s + QString::number(semne.size() + 1);
            }
        auto s = db::Statement::prepare(Conexiune_Firma, u"INSERT INTO Intrastat ("_s + nume.join(u", "_s) +
                                                             u") VALUES ("_s + semne.join(u", "_s) + u")"_s);
        if (!s)
            return false;
        inserare = std::make_shared<db::Statement>(std::move(*s));
    }
    int pozitie = 1;
    for (int j = 0; j < m_campuri.size(); ++j)
        if (m_setate.at(j))
            inserare->bind(pozitie++, m_rand.at(j));
    // One statement a row: a row the database refuses is undone by SQLite
    // on its own (its triggers with it), and the rows before it stay in the
    // import's transaction; no savepoint a row is needed, which cost a
    // third of the copy's time.
    inserare->reset();
    const db::Result<bool> pas = inserare->step();
    inserare->reset();
    if (!pas && pas.error().kind == db::Error::Kind::DiskFull)
        m_faraSpatiu = true;
    return bool(pas);
}

void Copiere::ruleaza(Rezultat_Preluare& rezultat, Observator_Preluare& observator)
{
    const std::int32_t total = rezultat.total;
    const bool gata = pregateste();
    observator.inceputCopiere();
    QElapsedTimer ceas;
    std::int32_t randuri = 0, salvate = 0, cuRefuzuri = 0;
    const int sheetRows = m_sursa.recordCount();
    for (int r = 0; r < sheetRows && randuri < total; ++r) {
        if (m_goale.value(r))
            continue;
        ++randuri;
        // n: the row's 1-based position among the sheet's rows.
        const std::int32_t n = r + 1;
        if (gata) {
            umple(r, n);
            if (salveaza()) {
                ++salvate;
                if (m_refuzRand)
                    ++cuRefuzuri;
            } else if (m_faraSpatiu) {
                break; // no later row has room either
            } else {
                eroareRand(n);
            }
        } else {
            eroareRand(n);
        }
        if (!ceas.isValid() || ceas.elapsed() >= kIntervalProgresMs || randuri == total) {
            ceas.start();
            Progres_Preluare p;
            p.rand = randuri;
            p.total = total;
            p.salvate = salvate;
            p.procent = int(db::roundHalfEven(double(randuri) / total * 100.0, 0));
            p.erori = &m_erori;
            observator.progres(p);
        }
    }
    rezultat.randuri = randuri;
    rezultat.salvate = salvate;
    rezultat.cuRefuzuri = cuRefuzuri;
    rezultat.erori = m_erori;
}

} // namespace

QString Stare_Preluare(const Rezultat_Preluare& r)
{
    return u"Au fost preluate : "_s + QString::number(r.salvate) + u" inregistrari din totalul de : "_s +
           QString::number(r.randuri) + u"\n"_s + u"Salvate complet : "_s +
           QString::number(r.salvate - r.cuRefuzuri) + u"   Cu valori refuzate : "_s +
           QString::number(r.cuRefuzuri) + u"   Randuri goale sarite : "_s + QString::number(r.goale);
}

QString Cale_Sursa(const QString& cale)
{
    return cale.left(255);
}

QString Fisier_Sursa(const QString& cale)
{
    return cale.mid(cale.lastIndexOf(u'/') + 1).left(50);
}

namespace {

bool anIntreg(const QString& anul)
{
    static const QRegularExpression an(u"^\\d{4}$"_s);
    return an.match(anul).hasMatch() && anul.toInt() >= 1000;
}

bool lunaIntreaga(const QString& luna)
{
    static const QRegularExpression lunaRe(u"^\\d{1,2}$"_s);
    return lunaRe.match(luna).hasMatch() && luna.toInt() >= 1 && luna.toInt() <= 12;
}

// The rows of the workbook imported for the company and period, of either flow.
QString conditiePreluare(const Rezultat_Preluare& r)
{
    return u" WHERE SourceFile_FullPath='"_s + db::quote(Cale_Sursa(r.cale)) + u"' AND Cod_Fiscal='"_s +
           db::quote(r.codFiscal) + u"' AND Anul="_s + QString::number(r.anul) + u" AND Luna="_s +
           QString::number(r.luna);
}

} // namespace

std::optional<std::pair<int, int>> Perioada_Intreaga(const QString& anul, const QString& luna)
{
    const QString a = anul.trimmed();
    const QString l = luna.trimmed();
    if (!anIntreg(a) || !lunaIntreaga(l))
        return std::nullopt;
    return std::pair{a.toInt(), l.toInt()};
}

std::optional<std::pair<int, int>> Perioada_Intreaga_Sau_Mesaj(const QString& anul, const QString& luna)
{
    if (!anIntreg(anul.trimmed())) {
        eroare(u"Anul  -  Trebuie sa fie un an de 4 cifre !"_s);
        return std::nullopt;
    }
    if (!lunaIntreaga(luna.trimmed())) {
        eroare(u"Luna  -  Trebuie sa fie un numar intre 1 si 12 !"_s);
        return std::nullopt;
    }
    return Perioada_Intreaga(anul, luna);
}

std::pair<int, int> Luna_Precedenta(const QDate& zi)
{
    const QDate d = zi.addMonths(-1);
    return {d.year(), d.month()};
}

QString Filtru_Preluare(const Rezultat_Preluare& r)
{
    return conditiePreluare(r) + u" AND Tip='"_s + db::quote(r.tip) + u"'"_s;
}

QString Titlu_Declaratie_Preluare(const Rezultat_Preluare& r)
{
    return u"INTRASTAT -  ANUL: "_s + QString::number(r.anul) + u"   LUNA: "_s + QString::number(r.luna) +
           u"   FISIER: "_s + r.cale;
}

Rezultat_Preluare Preia_Fisier_Excel(const Intrari_Preluare& in, Observator_Preluare& observator)
{
    Rezultat_Preluare rezultat;
    if (!intrariCompletate(in))
        return rezultat;
    const auto perioada = Perioada_Intreaga_Sau_Mesaj(in.anul, in.luna);
    if (!perioada)
        return rezultat;
    const auto [anul, luna] = *perioada;
    if (!Exista_Fisier(in.cale)) {
        ui::msgBox(u"Nu exista fisierul : "_s + in.cale, ui::Icon::Critical);
        return rezultat;
    }
    const QString cod = in.codFiscal.trimmed();
    if (!FirmaCurenta_CodFiscal.isEmpty() &&
        cod.compare(FirmaCurenta_CodFiscal.trimmed(), Qt::CaseInsensitive) != 0 &&
        !intreabaDa(u"Codul fiscal : "_s + cod + kCrLf + u"NU ESTE AL FIRMEI DE LUCRU ("_s +
                    FirmaCurenta_CodFiscal + u"), CONTINUATI ?"_s))
        return rezultat;
    rezultat.tip = in.tip.trimmed().left(1).toUpper();
    rezultat.codFiscal = cod;
    rezultat.anul = anul;
    rezultat.luna = luna;
    rezultat.cale = in.cale;
    const bool cuTarif = Deschide_Conexiune_Tarif(static_cast<short>(luna), static_cast<short>(anul));

    // Imported before for the same company and period?
    auto exista =
        Conexiune_Firma.openRecordset(u"SELECT TOP 1 * FROM Intrastat"_s + conditiePreluare(rezultat),
                                      db::CursorType::Static, db::LockType::ReadOnly);
    if (!exista) {
        eroare(u"NU SE POATE VERIFICA DACA FISIERUL A MAI FOST PRELUAT"_s + kCrLf +
               exista.error().description);
        return rezultat;
    }
    const bool preluatDeja = exista->recordCount() > 0;
    exista->close();
    if (preluatDeja &&
        !intreabaDa(u"Fisierul : "_s + in.cale + kCrLf + u"A MAI FOST PRELUAT, CONTINUATI ?"_s))
        return rezultat;

    // Reading the sheet.
    if (RS_Preluare.isOpen())
        RS_Preluare.close();
    observator.adauga(kCrLf + u"Se citeste fisiereul excel : "_s + in.cale);
    db::Result<Randuri_Foaie> foaie = Citeste_Excel_Dupa_Macheta(in.cale, in.foaie, in.macheta);
    RS_Preluare = foaie ? foaie->randuri : db::Recordset();
    if (foaie && RS_Preluare.recordCount() - foaie->numarGoale < 1)
        foaie = db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::InvalidArgument,
                          u"Foaia \"%1\" nu are niciun rand de date."_s.arg(in.foaie));
    if (!foaie) {
        // A full disk is no fault of the workbook or of the template.
        const QString cauza = foaie.error().kind == db::Error::Kind::DiskFull
                                  ? foaie.error().description
                                  : kNecitit + kCrLf + foaie.error().description;
        ui::msgBox(cauza, ui::Icon::Critical);
        observator.adauga(kCrLf + u"EROARE - "_s + cauza);
        RS_Preluare.close();
        return rezultat;
    }
    rezultat.goale = foaie->numarGoale;
    rezultat.total = RS_Preluare.recordCount() - rezultat.goale;
    observator.adauga(kCrLf + u"TOTAL INREGISTRARI CITITE: "_s + QString::number(rezultat.total));

    // The copy, in one transaction: rows that cannot be saved at the end are
    // none of them imported.
    {
        // Every value is bound by the copy, its Yes/No ones as -1 and 0.
        const db::YesNoPause faraNormalizare(Conexiune_Firma, u"Intrastat"_s);
        db::Transaction tranzactie(Conexiune_Firma);
        if (tranzactie.error()) {
            eroare(tranzactie.error().description);
            RS_Preluare.close();
            return rezultat;
        }
        Copiere copiere(*foaie, rezultat, cuTarif);
        copiere.ruleaza(rezultat, observator);
        // A row with no room leaves none of them saved.
        const db::Error e = copiere.faraSpatiu() ? db::Error(db::Error::Kind::DiskFull, db::ErrorNumber::General,
                                                             QString())
                                                 : tranzactie.commit();
        if (e) {
            const QString text =
                e.kind == db::Error::Kind::DiskFull
                    ? u"Nu este destul spatiu pe disc in folderul firmei '%1' pentru a salva datele: nu s-a "
                      u"salvat nicio inregistrare. Eliberati spatiu pe disc si incercati din nou."_s.arg(
                          QDir::toNativeSeparators(QFileInfo(Conexiune_Firma.path()).absolutePath()))
                    : u"DATELE NU AU PUTUT FI SALVATE"_s + kCrLf + e.description;
            observator.adauga(kCrLf + u"EROARE - "_s + text);
            RS_Preluare.close();
            eroare(text);
            rezultat.salvate = 0;
            rezultat.cuRefuzuri = 0;
            return rezultat;
        }
    }
    observator.adauga(kCrLf + kCrLf + u"OPERATIE TERMINATA . . ."_s);
    RS_Preluare.close();
    rezultat.terminata = true;
    return rezultat;
}
