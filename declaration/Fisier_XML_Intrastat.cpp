#include "declaration/Fisier_XML_Intrastat.h"

#include "codelists/ConexiuneTarif.h"
#include "common/Globale.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null.h"
#include "platform/db/db.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

// The columns of the item views, in the order of their select texts.
enum Articol : int
{
    A_TIP,
    A_Cod_Fiscal,
    A_Anul,
    A_Luna,
    A_Pozitia,
    A_Cod_NC,
    A_Descriere1,
    A_Tara_Orig,
    A_Tara_Exp,
    A_Tara_Dest,
    A_Val_Fiscala1,
    A_Val_Stat1,
    A_Net1,
    A_Cantitate1,
    A_Cod_UMS,
    A_Val_UMS1,
    A_Nat_Tranz,
    A_Incoterms,
    A_Mod_Transp,
    A_VAT_ID1,
    A_Country_VAT_ID
};

const QString kSelectArticole =
    u"SELECT TIP,Cod_Fiscal,Anul,Luna,Pozitia,Cod_NC,Descriere1,Tara_Orig,Tara_Exp,Tara_Dest,Val_Fiscala1,"
    "Val_Stat1,Net1,Cantitate1,Cod_UMS,Val_UMS1,Nat_Tranz,Incoterms,Mod_Transp FROM Intrastat_Sursa_Generare"_s;
const QString kSelectArticoleO =
    u"SELECT TIP,Cod_Fiscal,Anul,Luna,Pozitia,Cod_NC,Descriere1,Tara_Orig,Tara_Exp,Tara_Dest,Val_Fiscala1,"
    "Val_Stat1,Net1,Cantitate1,Cod_UMS,Val_UMS1,Nat_Tranz,Incoterms,Mod_Transp, VAT_ID1,Country_VAT_ID "
    "FROM Intrastat_Sursa_Generare_O"_s;

// The code-version columns, in the order the file lists them.
const QStringList kVersiuni{u"CountryVer"_s,
                            u"EuCountryVer"_s,
                            u"CnVer"_s,
                            u"ModeOfTransportVer"_s,
                            u"DeliveryTermsVer"_s,
                            u"NatureOfTransactionAVer"_s,
                            u"NatureOfTransactionBVer"_s,
                            u"CountyVer"_s,
                            u"LocalityVer"_s,
                            u"UnitVer"_s};

// Appends the text with "&", "<", ">" and '"' written as entities.
void Adauga_Escape(QString& tinta, QStringView text)
{
    qsizetype inceput = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1StringView entitate;
        switch (text[i].unicode()) {
        case u'&':
            entitate = QLatin1StringView("&amp;");
            break;
        case u'<':
            entitate = QLatin1StringView("&lt;");
            break;
        case u'>':
            entitate = QLatin1StringView("&gt;");
            break;
        case u'"':
            entitate = QLatin1StringView("&quot;");
            break;
        default:
            continue;
        }
        tinta.append(text.mid(inceput, i - inceput));
        tinta.append(entitate);
        inceput = i + 1;
    }
    tinta.append(text.mid(inceput));
}

// The document's text, line by line, written to the device in UTF-8
// through a buffer.
class Document_XML
{
public:
    explicit Document_XML(QIODevice& iesire) : m_iesire(iesire) { m_text.reserve(kPrag + 4096); }

    void Linie(int indentare, const QString& continut)
    {
        Indentare(indentare);
        m_text.append(continut);
        Sfarsit_Linie();
    }
    // A leaf element on one line, its value escaped.
    void Element(int indentare, QStringView nume, const QString& valoare)
    {
        Frunza(indentare, nume, valoare);
    }
    void Element(int indentare, QStringView nume, const db::Variant& valoare)
    {
        if (valoare.isText())
            Frunza(indentare, nume, valoare.asText());
        else
            Frunza(indentare, nume, valoare.toText());
    }
    // Writes what is left in the buffer; false when any write failed.
    bool Termina()
    {
        Goleste();
        return m_scris;
    }

private:
    static constexpr qsizetype kPrag = 64 * 1024;

    void Sfarsit_Linie()
    {
        m_text.append(kCrLf);
        if (m_text.size() >= kPrag)
            Goleste();
    }
    void Goleste()
    {
        const QByteArray utf8 = m_text.toUtf8();
        if (m_iesire.write(utf8) != utf8.size())
            m_scris = false;
        m_text.resize(0);
    }
    void Frunza(int indentare, QStringView nume, QStringView valoare)
    {
        Indentare(indentare);
        m_text.append(u'<');
        m_text.append(nume);
        m_text.append(u'>');
        Adauga_Escape(m_text, valoare);
        m_text.append(u"</");
        m_text.append(nume);
        m_text.append(u'>');
        Sfarsit_Linie();
    }
    void Indentare(int blancuri)
    {
        static const QString kBlancuri(32, u' ');
        m_text.append(QStringView(kBlancuri).left(blancuri));
    }

    QIODevice& m_iesire;
    QString m_text;
    bool m_scris = true;
};

QString Implicit_Daca_Gol(const QString& text, const QString& implicit)
{
    return text.isEmpty() ? implicit : text;
}

void Scrie_Antet(Document_XML& doc, const Date_Fisier_XML& date, const QString& numeCompanie)
{
    const QString& luna = date.cheie.luna;
    const QString perioada = date.cheie.anul + u'-' + (luna.size() == 1 ? u'0' + luna : luna);
    doc.Linie(4, u"<InsDeclarationHeader>"_s);
    doc.Element(8, u"VatNr"_s, Cod_Fiscal_XML(date.cheie.codFiscal));
    doc.Element(8, u"FirmName"_s, numeCompanie);
    doc.Element(8, u"RefPeriod"_s, perioada);
    doc.Element(8, u"CreateDt"_s, perioada + u"-12T16:23:35.625+02:00"_s);
    doc.Linie(8, u"<ContactPerson>"_s);
    doc.Element(15, u"LastName"_s, Implicit_Daca_Gol(date.numePrenume, u"LAST NAME"_s));
    doc.Element(15, u"FirstName"_s, Implicit_Daca_Gol(date.numePersoana, u"FIRST NAME"_s));
    doc.Element(15, u"Email"_s, Implicit_Daca_Gol(date.email, u"EMAIL"_s));
    doc.Element(15, u"Phone"_s, Implicit_Daca_Gol(date.telefon, u"TELEFON"_s));
    doc.Element(15, u"Fax"_s, Implicit_Daca_Gol(date.fax, u"FAX"_s));
    doc.Element(15, u"Position"_s, Implicit_Daca_Gol(date.pozitieCompanie, u"FUNCTIE"_s));
    doc.Linie(8, u"</ContactPerson>"_s);
    if (date.declarantTert) {
        doc.Linie(8, u"<DTPDetails>"_s);
        doc.Element(8, u"VatNr"_s, Cod_Fiscal_XML(date.codFiscalDeclarant));
        doc.Element(8, u"FirmName"_s, date.numeDeclarant);
        doc.Linie(8, u"<DTPAddress>"_s);
        doc.Element(8, u"Street"_s, date.strada);
        doc.Element(8, u"StreetNumber"_s, date.numar);
        doc.Element(8, u"Block"_s, date.bloc);
        doc.Element(8, u"Stairs"_s, date.scara);
        doc.Element(8, u"Apartment"_s, date.apartament);
        if (!Este_Null(db::Variant(date.oras)) && !Este_Null(db::Variant(date.judet))) {
            doc.Element(8, u"LocalityCode"_s, date.oras);
            doc.Element(8, u"CountyCode"_s, date.judet);
        }
        doc.Element(8, u"PostalCode"_s, date.codPostal);
        doc.Linie(8, u"</DTPAddress>"_s);
        doc.Linie(8, u"</DTPDetails>"_s);
    }
    doc.Linie(4, u"</InsDeclarationHeader>"_s);
}

// One item from the current row of the item view.
void Scrie_Articol(Document_XML& doc, const db::Statement& rand, qint64 numar, const QString& element,
                   bool sosire, bool cuPartener, bool valoareStatistica)
{
    const auto v = [&](Articol c) { return rand.column(c); };
    doc.Linie(8, u'<' + element + u" OrderNr=\""_s + QString::number(numar) + u"\">"_s);
    doc.Element(16, u"Cn8Code"_s, v(A_Cod_NC));
    doc.Element(16, u"InvoiceValue"_s, v(A_Val_Fiscala1));
    if (valoareStatistica)
        doc.Element(16, u"StatisticalValue"_s, v(A_Val_Stat1));
    doc.Element(16, u"NetMass"_s, v(A_Net1));
    const QString natura = v(A_Nat_Tranz).toText();
    doc.Element(16, u"NatureOfTransactionACode"_s, natura.left(1));
    if (!natura.isEmpty() && natura.back() >= u'1' && natura.back() <= u'9')
        doc.Element(16, u"NatureOfTransactionBCode"_s, natura);
    doc.Element(16, u"DeliveryTermsCode"_s, v(A_Incoterms));
    doc.Element(16, u"ModeOfTransportCode"_s, v(A_Mod_Transp));
    if (sosire || cuPartener)
        doc.Element(16, u"CountryOfOrigin"_s, v(A_Tara_Orig));
    if (!Este_Null(v(A_Cod_UMS))) {
        doc.Linie(16, u"<InsSupplUnitsInfo>"_s);
        doc.Element(22, u"SupplUnitCode"_s, v(A_Cod_UMS));
        doc.Element(22, u"QtyInSupplUnits"_s, v(A_Val_UMS1));
        doc.Linie(16, u"</InsSupplUnitsInfo>"_s);
    }
    if (sosire)
        doc.Element(16, u"CountryOfConsignment"_s, v(A_Tara_Exp));
    else
        doc.Element(16, u"CountryOfDestination"_s, v(A_Tara_Dest));
    if (cuPartener) {
        doc.Element(16, u"PartnerCountryCode"_s, v(A_Country_VAT_ID));
        doc.Element(16, u"PartnerVatNr"_s, v(A_VAT_ID1));
    }
    doc.Linie(8, u"</"_s + element + u'>');
}

// The whole document written into the device; the reason it cannot be
// made, or "" when it is complete.
QString Compune_Document(QIODevice& iesire, const Date_Fisier_XML& date, const Perioada_Declaratie& perioada,
                         const QString& numeCompanie, const std::function<void()>& formateazaGrila,
                         qint64& articole)
{
    const QString& tip = date.cheie.tip;
    const bool sosire = tip == u"I"_s;
    const bool noua = date.tipDeclaratie.startsWith(u'N');
    const bool cuPartener = Expediere_Dupa_2014(tip, perioada);
    const QString radacina = sosire ? (noua ? u"InsNewArrival"_s : u"InsRevisedArrival"_s)
                                    : (noua ? u"InsNewDispatch"_s : u"InsRevisedDispatch"_s);
    const QString element = sosire ? u"InsArrivalItem"_s : u"InsDispatchItem"_s;

    auto versiuni = Alege_Versiune_Cod(Conexiune_Comun, perioada.luna, perioada.anul);
    if (!versiuni)
        return u"Nu se pot citi versiunile nomenclatoarelor (InsCodeVersions): "_s +
               versiuni.error().description;
    if (versiuni->recordCount() < 1)
        return u"Nu exista versiunile nomenclatoarelor (InsCodeVersions) pentru luna "_s + date.cheie.luna +
               u", anul "_s + date.cheie.anul;
    versiuni->moveFirst();

    Document_XML doc(iesire);
    doc.Linie(0, u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"_s);
    doc.Linie(0, u'<' + radacina + u" SchemaVersion=\"1.0\" xmlns=\""_s +
                     QString::fromUtf16(kSpatiuNumeIntrastat) + u"\">"_s);
    doc.Linie(0, u"<InsCodeVersions>"_s);
    for (const QString& coloana : kVersiuni)
        doc.Element(9, coloana, versiuni->value(coloana));
    versiuni->close();
    doc.Linie(0, QString());
    doc.Linie(0, u"</InsCodeVersions>"_s);

    Scrie_Antet(doc, date, numeCompanie);

    const QString vedere = cuPartener ? u"Intrastat_Sursa_Generare_O"_s : u"Intrastat_Sursa_Generare"_s;
    auto interogare =
        db::Statement::prepare(Conexiune_Firma, (cuPartener ? kSelectArticoleO : kSelectArticole) +
                                                    Clauza_Declaratie(tip, perioada));
    if (!interogare)
        return u"Nu se pot citi articolele declaratiei ("_s + vedere + u"): "_s +
               interogare.error().description;
    if (formateazaGrila)
        formateazaGrila();
    db::Result<bool> rand = interogare->step();
    for (; rand && *rand; rand = interogare->step())
        Scrie_Articol(doc, *interogare, ++articole, element, sosire, cuPartener, date.valoareStatistica);
    if (!rand)
        return u"Nu se pot citi articolele declaratiei ("_s + vedere + u"): "_s + rand.error().description;
    doc.Linie(0, u"</"_s + radacina + u'>');
    if (!doc.Termina())
        return u"Nu se poate scrie fisierul: "_s + iesire.errorString();
    return QString();
}

// Opens a file that replaces the path only when committed: the text goes to
// a temporary file beside it, renamed over the old file (also a read-only
// one) at the end. The error text, or "" when open.
QString Deschide_Pentru_Inlocuire(QSaveFile& fisier)
{
    const QFileInfo vechi(fisier.fileName());
    if (vechi.exists() && !vechi.isWritable())
        QFile::setPermissions(vechi.filePath(),
                              vechi.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return fisier.open(QIODevice::WriteOnly) ? QString() : fisier.errorString();
}

// Copies the file over the target, the same way. The error text, or "".
QString Copiaza_Peste(const QString& sursa, const QString& tinta)
{
    QFile din(sursa);
    if (!din.open(QIODevice::ReadOnly))
        return din.errorString();
    QSaveFile in(tinta);
    if (const QString eroare = Deschide_Pentru_Inlocuire(in); !eroare.isEmpty())
        return eroare;
    while (!din.atEnd()) {
        const QByteArray bucata = din.read(1024 * 1024);
        if (bucata.isEmpty() || in.write(bucata) != bucata.size()) {
            in.cancelWriting();
            return din.error() != QFileDevice::NoError ? din.errorString() : in.errorString();
        }
    }
    return in.commit() ? QString() : in.errorString();
}

void Eroare(const QString& text)
{
    ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Fisier_Negenerat(const QString& cauza)
{
    Eroare(u"FISIERUL DECLARATIEI NU A FOST GENERAT"_s + kCrLf + cauza);
}

} // namespace

QString Cod_Fiscal_XML(const QString& codFiscal)
{
    return QString(codFiscal).remove(u"RO"_s, Qt::CaseSensitive).rightJustified(10, u'0');
}

QString Nume_Companie_XML(const QString& nume)
{
    QString rezultat = nume;
    for (const QChar c : {u'&', u'>', u'<', u'\'', u'?', u'%', u'*', u'!'})
        rezultat.replace(c, u'-');
    return rezultat;
}

QString Nume_Fisier_XML(const QString& codFiscal, const QString& tip, const QString& tipDeclaratie,
                        const QString& anul, const QString& luna)
{
    const bool noua = tipDeclaratie.startsWith(u'N');
    const QString fel = tip == u"I"_s ? (noua ? u"_A_"_s : u"_AR_"_s) : (noua ? u"_D_"_s : u"_DR_"_s);
    return Cod_Fiscal_XML(codFiscal) + fel + anul + luna + u".xml"_s;
}

Rezultat_Fisier_XML Genereaza_Fisier_XML(const Date_Fisier_XML& date,
                                         const std::function<void()>& formateazaGrila)
{
    Rezultat_Fisier_XML rezultat;
    const Cheie_Declaratie& cheie = date.cheie;
    rezultat.numeCompanie = Nume_Companie_XML(date.numeCompanie);
    rezultat.numeFisier =
        Nume_Fisier_XML(cheie.codFiscal, cheie.tip, date.tipDeclaratie, cheie.anul, cheie.luna);
    rezultat.caleAfisata = Folder_Salvare_XML + rezultat.numeFisier;

    const auto perioada = Perioada_Sau_Mesaj(cheie);
    if (!perioada)
        return rezultat;

    // A Romanian fiscal code has at most 10 digits: a longer one is written
    // whole, never cut, and the user is told.
    QStringList lungi;
    for (const QString& cod : date.declarantTert ? QStringList{cheie.codFiscal, date.codFiscalDeclarant}
                                                 : QStringList{cheie.codFiscal})
        if (Cod_Fiscal_XML(cod).size() > 10)
            lungi << cod;
    if (!lungi.isEmpty())
        ui::msgBox(u"ATENTIE: CODUL FISCAL ARE MAI MULT DE 10 CARACTERE: "_s + lungi.join(u", "_s) + kCrLf +
                       u"Codul este scris intreg in fisier."_s,
                   ui::Icon::Exclamation, ui::Buttons::Ok, u"MESAJ"_s);

    const QString folder = Folder_Sistem + u"IntrastatSave/"_s;
    if (!QFileInfo(folder).isDir()) {
        Fisier_Negenerat(u"Nu exista directorul "_s + folder);
        return rezultat;
    }
    const QString cale = folder + rezultat.numeFisier;
    QSaveFile fisier(cale);
    if (const QString eroare = Deschide_Pentru_Inlocuire(fisier); !eroare.isEmpty()) {
        Fisier_Negenerat(u"Nu se poate scrie fisierul "_s + cale + kCrLf + eroare);
        return rezultat;
    }
    qint64 articole = 0;
    if (const QString cauza =
            Compune_Document(fisier, date, *perioada, rezultat.numeCompanie, formateazaGrila, articole);
        !cauza.isEmpty()) {
        fisier.cancelWriting();
        Fisier_Negenerat(cauza);
        return rezultat;
    }
    if (!fisier.commit()) {
        Fisier_Negenerat(u"Nu se poate scrie fisierul "_s + cale + kCrLf + fisier.errorString());
        return rezultat;
    }
    rezultat.generat = true;
    rezultat.fisier = cale;
    rezultat.articole = articole;

    // The copy in the save folder; none when the save folder is IntrastatSave itself.
    QString mesaj = cale;
    if (Exista_Director(Folder_Salvare_XML)) {
        if (QDir(Folder_Salvare_XML).canonicalPath() == QDir(folder).canonicalPath()) {
            mesaj = rezultat.caleAfisata;
        } else if (const QString eroare = Copiaza_Peste(cale, rezultat.caleAfisata); eroare.isEmpty()) {
            rezultat.copie = rezultat.caleAfisata;
            mesaj = rezultat.copie;
        } else {
            Eroare(u"FISIERUL NU A PUTUT FI COPIAT IN "_s + Folder_Salvare_XML + kCrLf + eroare);
        }
    }
    ui::msgBox(u"A fost generat fisierul "_s + kCrLf + mesaj, ui::Icon::Information);
    return rezultat;
}
