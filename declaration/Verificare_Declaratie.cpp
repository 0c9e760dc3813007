#include "declaration/Verificare_Declaratie.h"

#include "codelists/Cautare_Tarif.h"
#include "common/Globale.h"
#include "common/Operatii_String.h"
#include "common/Verifica_Null.h"
#include "platform/db/db.h"
#include "platform/sys/clock.h"
#include "platform/ui/mesaj.h"

#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The columns of the verification's query, in its order: the blank checks
// address them by position, and the log names them as written here.
enum Coloana : int
{
    Record_ID,
    TIP,
    Cod_Fiscal,
    Anul,
    Luna,
    Cod_NC,
    Descriere_NC,
    Tara_Orig,
    Tara_Exp,
    Tara_Dest,
    Val_Fiscala,
    Val_Stat,
    Net,
    Exista_UMS,
    Cod_UMS,
    Val_UMS,
    Nat_Tranz,
    Incoterms,
    Mod_Transp,
    Probleme,
    VAT_ID,
    Cantitate, // read by pass 1 only
    NrColoane
};

const std::array<QString, NrColoane> kNume{
    u"Record_ID"_s,    u"TIP"_s,        u"Cod_Fiscal"_s, u"Anul"_s,      u"Luna"_s,        u"Cod_NC"_s,
    u"Descriere_NC"_s, u"Tara_Orig"_s,  u"Tara_Exp"_s,   u"Tara_Dest"_s, u"Val_Fiscala"_s, u"Val_Stat"_s,
    u"Net"_s,          u"Exista_UMS"_s, u"Cod_UMS"_s,    u"Val_UMS"_s,   u"Nat_Tranz"_s,   u"Incoterms"_s,
    u"Mod_Transp"_s,   u"Probleme"_s,   u"VAT_ID"_s,     u"Cantitate"_s};

// The positions the blank check covers: 0 to 6, 8 to 13 and 17 to 19.
constexpr std::array kPozitiiGol{Record_ID,    TIP,       Cod_Fiscal, Anul,        Luna,     Cod_NC,
                                 Descriere_NC, Tara_Exp,  Tara_Dest,  Val_Fiscala, Val_Stat, Net,
                                 Exista_UMS,   Incoterms, Mod_Transp, Probleme};

using Linie = std::array<db::Variant, NrColoane>;

const QString kTitluPas1 = u"ACTUALIZARE UM SUPLIMENTARE"_s;
const QString kTextPas1 = u"Se verifica UM Supl ..... "_s;
const QString kTextPas2 = u"Verificare in detaliu ..... "_s;
const QString kCrLf = u"\r\n"_s;

void Eroare(const QString& text)
{
    ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

// A code list asked whether it holds a value: one prepared statement per
// list, the answers kept for the run (the lists do not change meanwhile).
// A statement that cannot run counts as "not found", as the log then says.
class Lista_Coduri
{
public:
    Lista_Coduri(db::Connection& conexiune, QString interogare)
        : m_conexiune(conexiune), m_interogare(std::move(interogare))
    {
    }

    bool Contine(const QString& valoare)
    {
        const auto gasit = m_raspunsuri.constFind(valoare);
        if (gasit != m_raspunsuri.constEnd())
            return *gasit;
        const bool exista = Cauta(valoare);
        m_raspunsuri.insert(valoare, exista);
        return exista;
    }

private:
    bool Cauta(const QString& valoare)
    {
        if (!m_pregatita) {
            auto s = db::Statement::prepare(m_conexiune, m_interogare);
            if (!s)
                return false;
            m_pregatita = std::make_unique<db::Statement>(std::move(*s));
        }
        db::Statement& st = *m_pregatita;
        st.reset();
        if (st.bind(1, db::Variant(valoare)))
            return false;
        const auto rand = st.step();
        st.reset();
        return rand && *rand;
    }

    db::Connection& m_conexiune;
    QString m_interogare;
    std::unique_ptr<db::Statement> m_pregatita;
    QHash<QString, bool> m_raspunsuri;
};

struct Liste_Coduri
{
    Lista_Coduri tarif{Conexiune_CN, u"SELECT HS8_COD FROM HS8 WHERE HS8_COD =?1"_s};
    Lista_Coduri tari{Conexiune_Comun, u"SELECT Tara_COD FROM Tari WHERE Tara_Cod =?1"_s};
    Lista_Coduri tariUE{Conexiune_Comun, u"SELECT COD_TARA FROM Tari_UE WHERE COD_TARA =?1"_s};
    Lista_Coduri tranzactii{Conexiune_Comun, u"SELECT COD FROM Tranzactii_Unit WHERE COD =?1"_s};
    Lista_Coduri incoterms{Conexiune_Comun, u"SELECT Incoterms_COD FROM Incoterms WHERE Incoterms_COD =?1"_s};
    Lista_Coduri moduri{Conexiune_Comun, u"SELECT COD_MOD_TRANS FROM MOD_TRANS WHERE COD_MOD_TRANS =?1"_s};
};

// The progress window of a pass: told only when the label or the value changes.
class Progres
{
public:
    Progres(Ecran_Verificare& ecran, int linii) : m_ecran(ecran), m_linii(linii) {}

    void Incepe()
    {
        m_titlu.clear();
        m_procent = -1;
        m_ecran.Deschide_Progres();
        Arata(kTitluPas1, 0);
    }
    // After the line counter has grown to contor: contor / N * 100, halves to even.
    void Linie(int contor, const QString& titlu)
    {
        Arata(titlu, static_cast<int>(std::nearbyint(static_cast<double>(contor) / m_linii * 100.0)));
    }
    void Termina() { m_ecran.Inchide_Progres(); }

private:
    void Arata(const QString& titlu, int procent)
    {
        if (titlu == m_titlu && procent == m_procent)
            return;
        m_titlu = titlu;
        m_procent = procent;
        m_ecran.Progres(titlu, procent);
    }

    Ecran_Verificare& m_ecran;
    int m_linii;
    QString m_titlu;
    int m_procent = -1;
};

// The first two characters of a VAT number read as a number: after trimming
// they form a whole decimal number ("12", "1.", "-1", " 1"); "RO", "1A" do not.
bool Prefix_Numeric(const QString& prefix)
{
    const QString t = prefix.trimmed();
    bool numar = false;
    if (!t.isEmpty())
        (void)t.toDouble(&numar);
    return numar;
}

double Valoare_Sau_Zero(const db::Variant& v)
{
    return Null_Sau_Zero_La_Valoare(v, db::Variant(0)).toDouble();
}

// The tariff columns of a code from its look-up result, read once per code;
// nothing when the code is not in the tariff.
struct Coloane_Tarif
{
    db::Variant descriere;
    db::Variant um;
    bool existaUms = false;
};

std::optional<Coloane_Tarif> Coloane_Din_Tarif(const QString& rezultatTarif)
{
    if (rezultatTarif.size() < 3)
        return std::nullopt;
    QStringList piese;
    Imparte_String(piese, rezultatTarif, u"|"_s);
    return Coloane_Tarif{Fara_Blancuri_Margine(piese.value(1)), piese.value(2), piese.value(3) == u"1"_s};
}

// Pass 1: the tariff columns of the lines from the open tariff, each code
// looked up once.
class Tarif_Linii
{
public:
    // Refreshes the line's tariff columns; false when its code is not in the
    // tariff (the line is then left as it is) or nothing changed.
    bool Actualizeaza(Linie& linie)
    {
        const QString cod = linie[Cod_NC].toText();
        auto gasit = m_coduri.constFind(cod);
        if (gasit == m_coduri.constEnd())
            gasit = m_coduri.insert(cod, Coloane_Din_Tarif(Cauta_Cod_Tarif(cod)));
        const std::optional<Coloane_Tarif>& tarif = *gasit;
        if (!tarif)
            return false;
        db::Variant um = tarif->um;
        db::Variant valUms = linie[Val_UMS];
        if (!tarif->existaUms) {
            um = db::Variant::null();
            valUms = db::Variant::null();
        } else if (Este_Null(valUms)) {
            valUms = linie[Cantitate];
        }
        const db::Variant exista(tarif->existaUms);
        if (linie[Descriere_NC] == tarif->descriere && linie[Cod_UMS] == um && linie[Exista_UMS] == exista &&
            linie[Val_UMS] == valUms)
            return false;
        linie[Descriere_NC] = tarif->descriere;
        linie[Cod_UMS] = std::move(um);
        linie[Exista_UMS] = exista;
        linie[Val_UMS] = std::move(valUms);
        return true;
    }

private:
    QHash<QString, std::optional<Coloane_Tarif>> m_coduri;
};

// How pass 2 checks the lines of one declaration.
struct Reguli_Verificare
{
    bool cuTva = false;    // a dispatch from 2015 on: the partner's VAT number
    bool cuValStat = true; // the company declares the statistical value
    bool cuTarif = true;   // the codes are looked up in the tariff
    bool mesajTva = true;  // a VAT number that begins with digits is also said in a box
};

// Pass 2 on one line: the rest of each problem's log line, in the order of
// the checks. A company that does not declare the statistical value
// (cuValStat false) leaves it blank without a problem.
QStringList Verifica_Linie(const Linie& linie, Liste_Coduri& liste, const Reguli_Verificare& reguli)
{
    QStringList probleme;
    const auto text = [&](Coloana c) { return linie[c].toText(); };

    for (Coloana c : kPozitiiGol)
        if (Este_Null(linie[c]) && (reguli.cuValStat || c != Val_Stat))
            probleme << u" - "_s + kNume[c] + u" ESTE GOL"_s;

    const auto inLista = [&](Coloana c, Lista_Coduri& lista, const QString& sufix) {
        if (!lista.Contine(text(c)))
            probleme << u" - "_s + kNume[c] + u" = "_s + text(c) + sufix;
    };
    const QString nuExista = u" ===> NU EXISTA"_s;
    const QString nuEsteUE = u" ===> NU EXISTA SAU NU ESTE TARA UE"_s;
    if (reguli.cuTarif)
        inLista(Cod_NC, liste.tarif, nuExista);
    inLista(Tara_Orig, liste.tari, nuExista);
    inLista(Tara_Exp, liste.tariUE, nuEsteUE);
    inLista(Tara_Dest, liste.tariUE, nuEsteUE);
    inLista(Nat_Tranz, liste.tranzactii, nuExista);
    inLista(Incoterms, liste.incoterms, nuExista);
    inLista(Mod_Transp, liste.moduri, nuExista);

    if (linie[Exista_UMS].toBool()) {
        if (Este_Null(linie[Cod_UMS]))
            probleme << u" - Cod NC : "_s + text(Cod_NC) + u" ===> COD UM SUPL NU EXISTA"_s;
        else if (Valoare_Sau_Zero(linie[Val_UMS]) <= 0)
            probleme << u" - Cod NC : "_s + text(Cod_NC) +
                            u" ===> VALOARE UM SUPL NU EXISTA in unitatea de masura: "_s + text(Cod_UMS);
    }

    const QString negativ = u" ===> ESTE NULL - ZERO SAU VALOARE NEGATIVA"_s;
    if (Valoare_Sau_Zero(linie[Val_Fiscala]) <= 0)
        probleme << u" - "_s + kNume[Val_Fiscala] + u" = "_s + text(Val_Fiscala) + negativ;
    if (Valoare_Sau_Zero(linie[Val_Stat]) < 0)
        probleme << u" - "_s + kNume[Val_Stat] + u" = "_s + text(Val_Stat) + negativ;
    if (Valoare_Sau_Zero(linie[Net]) < 0)
        probleme << u" - "_s + kNume[Net] + u" = "_s + text(Net) + u" ===> VALOARE NEGATIVA"_s;

    if (reguli.cuTva) {
        const QString vat = text(VAT_ID);
        if (Este_Null(linie[VAT_ID])) {
            probleme << u" - "_s + kNume[VAT_ID] + u" ESTE GOL"_s;
        } else if (Prefix_Numeric(vat.left(2))) {
            if (reguli.mesajTva)
                ui::msgBox(u"Format incorect Cod TVA: "_s + vat + kCrLf +
                           u"Codul de TVA trebuie sa inceapa cu codul tarii"_s);
            probleme << u" - "_s + kNume[VAT_ID] + u" FORMAT INCORECT"_s;
        } else {
            // A Greek VAT number starts with EL, while the member states are
            // listed under their country codes (GR).
            const QString prefix = vat.left(2).toUpper();
            if (!liste.tariUE.Contine(prefix == u"EL"_s ? u"GR"_s : prefix))
                probleme << u" - "_s + kNume[VAT_ID] + u" = "_s + prefix +
                                u" ===> PREFIX TARA - COD TVA INCORECT "_s;
        }
    }
    return probleme;
}

// The date and time of the log's first line, in the user's locale: the
// short date, then the time with its seconds.
QString Data_Ora_Jurnal(const QDateTime& moment)
{
    const QLocale local = QLocale::system();
    QString formatOra = local.timeFormat(QLocale::ShortFormat);
    if (!formatOra.contains(u's')) {
        const qsizetype minute = formatOra.lastIndexOf(u"mm"_s);
        if (minute >= 0)
            formatOra.insert(minute + 2, u":ss"_s);
    }
    return local.toString(moment.date(), QLocale::ShortFormat) + u' ' +
           local.toString(moment.time(), formatOra);
}

// A problem of a line as the log writes it.
QString Linie_Jurnal(const Linie& linie, const QString& problema)
{
    return u"Pozitia: "_s + linie[Record_ID].toText() + problema;
}

// The lines of the declaration the clause selects, in Record_ID order, each
// handed to fiecare as it is read.
db::Error Citeste_Linii(const QString& clauza, const std::function<void(Linie&)>& fiecare)
{
    auto st = db::Statement::prepare(
        Conexiune_Firma,
        u"SELECT Record_ID,TIP,Cod_Fiscal,Anul,Luna,Cod_NC,Descriere_NC,Tara_Orig,Tara_Exp,Tara_Dest,"
        "Val_Fiscala,Val_Stat,Net,Exista_UMS,Cod_UMS,Val_UMS,Nat_Tranz,Incoterms,Mod_Transp,Probleme,"
        "VAT_ID,Cantitate FROM INTRASTAT"_s +
            clauza + u' ' + u" ORDER BY Record_ID"_s);
    if (!st)
        return st.error();
    Linie l;
    db::Result<bool> rand = st->step();
    for (; rand && *rand; rand = st->step()) {
        for (int c = 0; c < NrColoane; ++c)
            l[c] = st->column(c);
        fiecare(l);
    }
    return rand ? db::Error() : rand.error();
}

QString Linie_Esec_Salvare(const db::Error& e)
{
    return u" - LINIA NU A PUTUT FI SALVATA: "_s + e.description;
}

// One UPDATE per line in one transaction. scrie binds the statement for a
// line and says whether it has anything to write; a line whose write the
// database refuses keeps its old values and gets the refusal in esecuri.
template <class Scrie>
db::Error Salveaza_Pas(const QString& sql, std::size_t linii, Scrie scrie, std::vector<QString>& esecuri)
{
    db::Transaction tranzactie(Conexiune_Firma);
    if (tranzactie.error())
        return tranzactie.error();
    auto st = db::Statement::prepare(Conexiune_Firma, sql);
    if (!st)
        return st.error();
    for (std::size_t i = 0; i < linii; ++i) {
        st->reset();
        if (!scrie(i, *st))
            continue;
        const auto r = st->step();
        if (!r)
            esecuri[i] = Linie_Esec_Salvare(r.error());
    }
    st->reset();
    return tranzactie.commit();
}

} // namespace

QString Cale_Jurnal_Verificare(const QString& codFiscal, const QString& tip, const QString& luna,
                               const QString& anul)
{
    return Folder_Sistem + u"Verificare/"_s + codFiscal + u'_' + tip + u'_' + luna + u'_' + anul + u".txt"_s;
}

Rezultat_Verificare Verifica_Declaratie(const Cheie_Declaratie& cheie, Ecran_Verificare& ecran)
{
    Rezultat_Verificare rezultat;
    rezultat.jurnal = Cale_Jurnal_Verificare(cheie.codFiscal, cheie.tip, cheie.luna, cheie.anul);

    const QString nefacuta = u"VERIFICAREA NU A FOST FACUTA"_s;
    const auto perioada = Perioada_Sau_Mesaj(cheie);
    if (!perioada || !Declaratie_Firma_Curenta(cheie, nefacuta))
        return rezultat;
    // Without the tariff of the period every code would be reported missing.
    if (!Conexiune_CN.isOpen()) {
        Eroare(u"Nu se poate identifica tabela tarif vamal"_s + kCrLf + u"pentru luna "_s + cheie.luna +
               u", anul "_s + cheie.anul);
        return rezultat;
    }
    const QString clauza = Clauza_Declaratie(cheie.tip, *perioada);

    if (const auto r = Conexiune_Firma.execute(u"UPDATE Intrastat SET Probleme=0"_s + clauza); !r) {
        Eroare(u"NU SE POT STERGE MARCAJELE PROBLEMELOR"_s + kCrLf + r.error().description);
        return rezultat;
    }

    std::vector<Linie> linii;
    if (const db::Error e = Citeste_Linii(clauza, [&](Linie& l) { linii.push_back(l); })) {
        Eroare(u"NU SE POT CITI LINIILE DECLARATIEI"_s + kCrLf + e.description);
        return rezultat;
    }
    // A run over no line would find no problem in it: said as it is.
    if (linii.empty()) {
        Eroare(nefacuta + kCrLf + u"Nu exista nicio linie a declaratiei TIP = "_s + cheie.tip +
               u", Cod_Fiscal = "_s + FirmaCurenta_CodFiscal + u", Anul = "_s + cheie.anul + u", Luna = "_s +
               cheie.luna);
        return rezultat;
    }
    rezultat.efectuata = true;
    rezultat.linii = static_cast<int>(linii.size());
    Progres progres(ecran, rezultat.linii);

    ui::msgBox(u"SE ACTUALIZEAZA UM SUPLIMENTARE (doar daca este cazul)"_s, ui::Icon::Information);

    // Pass 1: the tariff columns.
    progres.Incepe();
    Tarif_Linii tarif;
    std::vector<std::optional<Linie>> actualizate(linii.size());
    for (std::size_t i = 0; i < linii.size(); ++i) {
        if (Linie noua = linii[i]; tarif.Actualizeaza(noua))
            actualizate[i] = std::move(noua);
        progres.Linie(static_cast<int>(i + 1), kTextPas1);
    }
    std::vector<QString> esecPas1(linii.size());
    const db::Error e1 = Salveaza_Pas(
        u"UPDATE Intrastat SET Descriere_NC=?1,Cod_UMS=?2,Exista_UMS=?3,Val_UMS=?4 WHERE Record_ID=?5"_s,
        linii.size(),
        [&](std::size_t i, db::Statement& st) {
            if (!actualizate[i])
                return false;
            const Linie& n = *actualizate[i];
            st.bind(1, n[Descriere_NC]);
            st.bind(2, n[Cod_UMS]);
            st.bind(3, db::Variant(n[Exista_UMS].toBool() ? -1 : 0));
            st.bind(4, n[Val_UMS]);
            st.bind(5, n[Record_ID]);
            return true;
        },
        esecPas1);
    progres.Termina();
    if (e1) {
        Eroare(u"NU S-AU PUTUT SALVA UM SUPLIMENTARE"_s + kCrLf + e1.description);
        return rezultat;
    }
    for (std::size_t i = 0; i < linii.size(); ++i)
        if (actualizate[i] && esecPas1[i].isEmpty())
            linii[i] = *actualizate[i];
    ecran.Reimprospateaza_Grila();

    ui::msgBox(u"SE VERIFICA FIECARE LINIE IN PARTE"_s, ui::Icon::Information);

    // Pass 2: the checks.
    progres.Incepe();
    const QString antet = Data_Ora_Jurnal(sys::Clock::now()) + kCrLf + u"TIP = "_s + cheie.tip + kCrLf +
                          u"Cod_Fiscal= "_s + FirmaCurenta_CodFiscal + kCrLf + u"Anul="_s + cheie.anul +
                          kCrLf + u"Luna="_s + cheie.luna + kCrLf + QString(62, u'*') + kCrLf + kCrLf;
    Liste_Coduri liste;
    Reguli_Verificare reguli;
    reguli.cuTva = Expediere_Dupa_2014(cheie.tip, *perioada);
    reguli.cuValStat = FirmaCurenta_ValoareStatistica;
    std::vector<QStringList> probleme(linii.size());
    for (std::size_t i = 0; i < linii.size(); ++i) {
        probleme[i] = Verifica_Linie(linii[i], liste, reguli);
        progres.Linie(static_cast<int>(i + 1), kTextPas2);
    }
    std::vector<QString> esecPas2(linii.size());
    const db::Error e2 = Salveaza_Pas(
        u"UPDATE Intrastat SET Probleme=-1 WHERE Record_ID=?1"_s, linii.size(),
        [&](std::size_t i, db::Statement& st) {
            if (probleme[i].isEmpty())
                return false;
            st.bind(1, linii[i][Record_ID]);
            return true;
        },
        esecPas2);
    progres.Termina();
    if (e2)
        Eroare(u"NU S-AU PUTUT SALVA MARCAJELE PROBLEMELOR"_s + kCrLf + e2.description);

    QString jurnal = antet;
    for (std::size_t i = 0; i < linii.size(); ++i) {
        QStringList randuri;
        if (!esecPas1[i].isEmpty())
            randuri << esecPas1[i];
        randuri << probleme[i];
        if (!esecPas2[i].isEmpty())
            randuri << esecPas2[i];
        if (randuri.isEmpty())
            continue;
        ++rezultat.probleme;
        for (const QString& r : std::as_const(randuri))
            jurnal += Linie_Jurnal(linii[i], r) + kCrLf;
    }
    QSaveFile fisier(rezultat.jurnal);
    if (fisier.open(QIODevice::WriteOnly) && fisier.write(jurnal.toUtf8()) >= 0 && fisier.commit())
        rezultat.jurnalScris = true;
    else
        Eroare(u"NU SE POATE SCRIE JURNALUL VERIFICARII"_s + kCrLf + rezultat.jurnal + kCrLf +
               fisier.errorString());

    ecran.Reimprospateaza_Grila();
    if (rezultat.probleme != 0)
        ecran.Arata_Probleme();
    else
        ui::msgBox(u"NU SUNT PROBLEME"_s, ui::Icon::Information);
    return rezultat;
}

Probleme_Declaratie Probleme_Liniilor(const Cheie_Declaratie& cheie, const Perioada_Declaratie& perioada,
                                      int primele)
{
    Probleme_Declaratie rezultat;
    rezultat.tarif = Conexiune_CN.isOpen();
    // The lines as the verification checks them: after its pass 1, here in
    // memory only, one line at a time.
    Tarif_Linii tarif;
    Liste_Coduri liste;
    Reguli_Verificare reguli;
    reguli.cuTva = Expediere_Dupa_2014(cheie.tip, perioada);
    reguli.cuValStat = FirmaCurenta_ValoareStatistica;
    reguli.cuTarif = rezultat.tarif;
    reguli.mesajTva = false;
    const db::Error e = Citeste_Linii(Clauza_Declaratie(cheie.tip, perioada), [&](Linie& linie) {
        ++rezultat.linii;
        if (rezultat.tarif)
            tarif.Actualizeaza(linie);
        const QStringList probleme = Verifica_Linie(linie, liste, reguli);
        if (probleme.isEmpty())
            return;
        ++rezultat.liniiCuProbleme;
        for (const QString& p : probleme)
            if (rezultat.probleme++ < primele)
                rezultat.primele << Linie_Jurnal(linie, p);
    });
    if (e) {
        rezultat = Probleme_Declaratie();
        rezultat.eroare = e.description;
        return rezultat;
    }
    rezultat.citite = true;
    return rezultat;
}
