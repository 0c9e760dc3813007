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

QString Escape_XML(const QString& text)
{
    QString rezultat;
    rezultat.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            rezultat += u"&amp;"_s;
            break;
        case u'<':
            rezultat += u"&lt;"_s;
            break;
        case u'>':
            rezultat += u"&gt;"_s;
            break;
        case u'"':
            rezultat += u"&quot;"_s;
            break;
        default:
            rezultat += c;
        }
    }
    return rezultat;
}

// The document's text, line by line.
class Document_XML
{
public:
    void Linie(int indentare, const QString& continut)
    {
        m_text += QString(indentare, u' ');
        m_text += continut;
        m_text += kCrLf;
    }
    // A leaf element on one line, its value escaped.
    void Element(int indentare, const QString& nume, const QString& valoare)
    {
        Linie(indentare, u'<' + nume + u'>' + Escape_XML(valoare) + u"</"_s + nume + u'>');
    }
    void Element(int indentare, const QString& nume, const db::Variant& valoare)
    {
        Element(indentare, nume, valoare.toText());
    }
    QByteArray Utf8() const { return m_text.toUtf8(); }

private:
    QString m_text;
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

// The whole document, or the reason it cannot be made.
struct Continut
{
    QByteArray text;
    qint64 articole = 0;
    QString eroare;
};

Continut Compune_Document(const Date_Fisier_XML& date, const Perioada_Declaratie& perioada,
                          const QString& numeCompanie, const std::function<void()>& formateazaGrila)
{
    Continut rezultat;
    const QString& tip = date.cheie.tip;
    const bool sosire = tip == u"I"_s;
    const bool noua = date.tipDeclaratie.startsWith(u'N');
    const bool cuPartener = Expediere_Dupa_2014(tip, perioada);
    const QString radacina = sosire ? (noua ? u"InsNewArrival"_s : u"InsRevisedArrival"_s)
                                    : (noua ? u"InsNewDispatch"_s : u"InsRevisedDispatch"_s);
    const QString element = sosire ? u"InsArrivalItem"_s : u"InsDispatchItem"_s;

    auto versiuni = Alege_Versiune_Cod(Conexiune_Comun, perioada.luna, perioada.anul);
    if (!versiuni) {
        rezultat.eroare = u"Nu se pot citi versiunile nomenclatoarelor (InsCodeVersions): "_s +
                          versiuni.error().description;
        return rezultat;
    }
    if (versiuni->recordCount() < 1) {
        rezultat.eroare = u"Nu exista versiunile nomenclatoarelor (InsCodeVersions) pentru luna "_s +
                          date.cheie.luna + u", anul "_s + date.cheie.anul;
        return rezultat;
    }
    versiuni->moveFirst();

    Document_XML doc;
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
    auto articole =
        db::Statement::prepare(Conexiune_Firma, (cuPartener ? kSelectArticoleO : kSelectArticole) +
                                                    Clauza_Declaratie(tip, perioada));
    if (!articole) {
        rezultat.eroare =
            u"Nu se pot citi articolele declaratiei ("_s + vedere + u"): "_s + articole.error().description;
        return rezultat;
    }
    if (formateazaGrila)
        formateazaGrila();
    db::Result<bool> rand = articole->step();
    for (; rand && *rand; rand = articole->step())
        Scrie_Articol(doc, *articole, ++rezultat.articole, element, sosire, cuPartener,
                      date.valoareStatistica);
    if (!rand) {
        rezultat.eroare =
            u"Nu se pot citi articolele declaratiei ("_s + vedere + u"): "_s + rand.error().description;
        return rezultat;
    }
    doc.Linie(0, u"</"_s + radacina + u'>');
    rezultat.text = doc.Utf8();
    return rezultat;
}

// Writes the bytes to a temporary file beside the path and renames it over
// the old file (also a read-only one) only when complete. The error text, or
// "" on success.
QString Scrie_Fisier(const QString& cale, const QByteArray& continut)
{
    const QFileInfo vechi(cale);
    if (vechi.exists() && !vechi.isWritable())
        QFile::setPermissions(cale, vechi.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    QSaveFile fisier(cale);
    if (!fisier.open(QIODevice::WriteOnly))
        return fisier.errorString();
    if (fisier.write(continut) != continut.size()) {
        const QString eroare = fisier.errorString();
        fisier.cancelWriting();
        return eroare;
    }
    if (!fisier.commit())
        return fisier.errorString();
    return QString();
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
    const Continut continut = Compune_Document(date, *perioada, rezultat.numeCompanie, formateazaGrila);
    if (!continut.eroare.isEmpty()) {
        Fisier_Negenerat(continut.eroare);
        return rezultat;
    }
    const QString cale = folder + rezultat.numeFisier;
    if (const QString eroare = Scrie_Fisier(cale, continut.text); !eroare.isEmpty()) {
        Fisier_Negenerat(u"Nu se poate scrie fisierul "_s + cale + kCrLf + eroare);
        return rezultat;
    }
    rezultat.generat = true;
    rezultat.fisier = cale;
    rezultat.articole = continut.articole;

    // The copy in the save folder; none when the save folder is IntrastatSave itself.
    QString mesaj = cale;
    if (Exista_Director(Folder_Salvare_XML)) {
        if (QDir(Folder_Salvare_XML).canonicalPath() == QDir(folder).canonicalPath()) {
            mesaj = rezultat.caleAfisata;
        } else if (const QString eroare = Scrie_Fisier(rezultat.caleAfisata, continut.text);
                   eroare.isEmpty()) {
            rezultat.copie = rezultat.caleAfisata;
            mesaj = rezultat.copie;
        } else {
            Eroare(u"FISIERUL NU A PUTUT FI COPIAT IN "_s + Folder_Salvare_XML + kCrLf + eroare);
        }
    }
    ui::msgBox(u"A fost generat fisierul "_s + kCrLf + mesaj, ui::Icon::Information);
    return rezultat;
}
