#include "declaration/Fisier_XML_Intrastat.h"

#include "codelists/ConexiuneTarif.h"
#include "common/Globale.h"
#include "common/Operatii_String.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null.h"
#include "declaration/Verificare_Declaratie.h"
#include "platform/db/db.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
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

// What the declaration's structure asks of a value. Every value, whatever
// its rule, holds only characters that XML 1.0 allows.
enum class Regula : quint8
{
    Text,           // any text, also empty
    Obligatoriu,    // not blank
    Intreg_Pozitiv, // a whole number above 0, digits only
    Cifre,          // exactly lungime digits
    Litere,         // exactly lungime letters
    Caractere,      // exactly lungime characters
    Perioada        // "yyyy-mm", the month 01 to 12
};

struct Cerinta
{
    Regula regula = Regula::Text;
    int lungime = 0;
};

constexpr Cerinta kText{};
constexpr Cerinta kObligatoriu{Regula::Obligatoriu};
constexpr Cerinta kIntregPozitiv{Regula::Intreg_Pozitiv};
constexpr Cerinta Cifre(int n)
{
    return {Regula::Cifre, n};
}
constexpr Cerinta kTara{Regula::Litere, 2};

bool Cifra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool Litera(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The first character of the text that XML 1.0 does not allow (a control
// character other than tab, line feed and carriage return, U+FFFE, U+FFFF,
// half of a surrogate pair), as its code; -1 when there is none.
int Caracter_Interzis(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (Caracter_Control(c) || QChar::isSurrogate(c))
            return c;
    }
    return -1;
}

// Why the value does not fit the rule, "" when it does.
QString Motiv_Respingere(QStringView valoare, Cerinta c)
{
    if (const int cod = Caracter_Interzis(valoare); cod >= 0)
        return u"CONTINE UN CARACTER NEPERMIS IN XML (U+"_s +
               QString::number(cod, 16).toUpper().rightJustified(4, u'0') + u')';
    if (c.regula == Regula::Text)
        return QString();
    if (valoare.trimmed().isEmpty())
        return u"ESTE GOL"_s;
    const auto toate = [&](bool (*potrivit)(QChar)) {
        return std::all_of(valoare.begin(), valoare.end(), potrivit);
    };
    switch (c.regula) {
    case Regula::Text:
    case Regula::Obligatoriu:
        return QString();
    case Regula::Intreg_Pozitiv:
        return toate(Cifra) && valoare.front() != u'0' ? QString()
                                                       : u"NU ESTE UN NUMAR INTREG MAI MARE DECAT 0"_s;
    case Regula::Cifre:
        if (valoare.size() == c.lungime && toate(Cifra))
            return QString();
        return c.lungime == 1 ? u"TREBUIE SA FIE O CIFRA"_s
                              : u"TREBUIE SA AIBA "_s + QString::number(c.lungime) + u" CIFRE"_s;
    case Regula::Litere:
        return valoare.size() == c.lungime && toate(Litera)
                   ? QString()
                   : u"TREBUIE SA AIBA "_s + QString::number(c.lungime) + u" LITERE"_s;
    case Regula::Caractere:
        return valoare.size() == c.lungime
                   ? QString()
                   : u"TREBUIE SA AIBA "_s + QString::number(c.lungime) + u" CARACTERE"_s;
    case Regula::Perioada: {
        const bool forma = valoare.size() == 7 && valoare[4] == u'-' &&
                           std::all_of(valoare.begin(), valoare.begin() + 4, Cifra) && Cifra(valoare[5]) &&
                           Cifra(valoare[6]);
        const int luna = forma ? valoare.mid(5).toInt() : 0;
        return forma && luna >= 1 && luna <= 12 ? QString()
                                                : u"TREBUIE SA FIE ANUL (4 CIFRE) SI LUNA (1 - 12)"_s;
    }
    }
    return QString();
}

// The line of the company database that stands for an item: its key
// (Record_ID, the grid's "Poz" and the verification's "Pozitia"), its place
// in the workbook it was imported from and that workbook.
struct Linie_Articol
{
    db::Variant recordId;
    db::Variant pozitia;
    db::Variant fisier;
};

// The columns an item's lines share: the period's key and the item view's
// grouping, in the order of the look-up's parameters.
constexpr Articol kCheieArticol[] = {A_TIP,     A_Cod_Fiscal, A_Anul,      A_Luna,
                                     A_Cod_NC,  A_Tara_Orig,  A_Tara_Exp,  A_Tara_Dest,
                                     A_Cod_UMS, A_Nat_Tranz,  A_Incoterms, A_Mod_Transp};

// The first line, in the grid's order, of the item on the current row of the
// item view: looked up in Intrastat by the period's key and the columns the
// item's lines share, so a company database whose item views give no
// Record_ID (every one made so far) is served the same. For a summed amount
// (coloana) the first line whose own amount gives nothing (blank, below 1)
// is named, since that is the one to correct. Nothing when no line matches
// (an item view grouped otherwise).
std::optional<Linie_Articol> Prima_Linie(const db::Statement& articol, bool cuPartener, QStringView coloana)
{
    QString sql = u"SELECT Record_ID, Pozitia, SourceFile FROM Intrastat WHERE TIP = ?1 AND Cod_Fiscal = ?2 "
                  "AND Anul = ?3 AND Luna = ?4 AND Cod_NC IS ?5 AND Tara_Orig IS ?6 AND Tara_Exp IS ?7 "
                  "AND Tara_Dest IS ?8 AND Cod_UMS IS ?9 AND Nat_Tranz IS ?10 AND Incoterms IS ?11 "
                  "AND Mod_Transp IS ?12"_s;
    QVector<db::Variant> valori;
    for (const Articol c : kCheieArticol)
        valori << articol.column(c);
    if (cuPartener) {
        sql += u" AND UPPER(TRIM(VAT_ID)) IS ?13"_s;
        valori << articol.column(A_VAT_ID1);
    }
    sql += u" ORDER BY "_s;
    for (const QStringView suma : {u"Val_Fiscala", u"Val_Stat", u"Net", u"Val_UMS"})
        if (coloana == suma)
            sql += u"CASE WHEN IFNULL("_s + suma + u", 0) < 1 THEN 0 ELSE 1 END, "_s;
    sql += u"Record_ID LIMIT 1"_s;
    auto rs = Conexiune_Firma.openRecordset(sql, valori, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs || rs->eof())
        return std::nullopt;
    return Linie_Articol{rs->value(0), rs->value(1), rs->value(2)};
}

// The values the structure refuses, each said where it comes from: the
// first ones kept for the message, all of them counted.
class Probleme_Fisier
{
public:
    static constexpr qsizetype kAfisate = 20;

    // origine: the box or the table the value comes from; inside an item
    // (Articol), the column of the line.
    void Verifica(QStringView element, const QString& valoare, Cerinta cerinta, QStringView origine)
    {
        const QString motiv = Motiv_Respingere(valoare, cerinta);
        if (motiv.isEmpty())
            return;
        if (++m_numar > kAfisate)
            return;
        QString linie =
            m_numarArticol == 0
                ? QString(origine + u" - "_s + element)
                : QString(Articol_Curent(origine) + u" - "_s + element + u" ("_s + origine + u')');
        if (motiv == u"ESTE GOL")
            linie += u" ESTE GOL"_s;
        else
            linie += u" = "_s + Afisat(valoare) + u" ===> "_s + motiv;
        m_primele << linie;
    }
    // The values that follow belong to the item numar (from 1) on the
    // current row of the item view rand (with the partner's VAT number when
    // cuPartener); 0 after the items.
    void Articol(qint64 numar, const db::Statement* rand = nullptr, bool cuPartener = false)
    {
        m_numarArticol = numar;
        m_rand = rand;
        m_cuPartener = cuPartener;
    }
    void Adauga(const QString& linie)
    {
        if (++m_numar <= kAfisate)
            m_primele << linie;
    }

    bool Gol() const { return m_numar == 0; }
    const QStringList& Primele() const { return m_primele; }
    QString Text() const
    {
        QString text = u"Valori pe care declaratia nu le poate cuprinde:"_s + kCrLf + m_primele.join(kCrLf);
        if (m_numar > kAfisate)
            text += kCrLf + u"... si inca "_s + QString::number(m_numar - kAfisate);
        return text;
    }

private:
    // A character XML forbids is shown as "?", so the message itself can show.
    static QString Afisat(const QString& valoare)
    {
        QString text = valoare;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype lungime =
                text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
            if (Caracter_Interzis(QStringView(text).mid(i, lungime)) >= 0)
                text[i] = u'?';
            i += lungime - 1;
        }
        return text;
    }

    // The item as the user finds it: by the line's Record_ID, which the
    // grid shows as "Poz" and the verification names "Pozitia", then its
    // record in the workbook (as the import's journal numbers it), the
    // item's number in the file and its code.
    QString Articol_Curent(QStringView coloana) const
    {
        const QString articol = u"articolul "_s + QString::number(m_numarArticol) + u", cod NC "_s +
                                m_rand->column(A_Cod_NC).toText();
        const std::optional<Linie_Articol> linie = Prima_Linie(*m_rand, m_cuPartener, coloana);
        if (!linie)
            return u"Articolul "_s + QString::number(m_numarArticol) + u" (cod NC "_s +
                   m_rand->column(A_Cod_NC).toText() + u')';
        QString text = u"Pozitia: "_s + linie->recordId.toText() + u" ("_s;
        if (!linie->pozitia.isMissing()) {
            text += u"inregistrarea "_s + linie->pozitia.toText();
            if (!Este_Null(linie->fisier))
                text += u" din fisierul "_s + linie->fisier.toText();
            text += u", "_s;
        }
        return text + articol + u')';
    }

    qint64 m_numarArticol = 0;
    const db::Statement* m_rand = nullptr;
    bool m_cuPartener = false;
    QStringList m_primele;
    qint64 m_numar = 0;
};

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
    Document_XML(QIODevice& iesire, Probleme_Fisier& probleme) : m_iesire(iesire), m_probleme(probleme)
    {
        m_text.reserve(kPrag + 4096);
    }

    void Linie(int indentare, const QString& continut)
    {
        Indentare(indentare);
        m_text.append(continut);
        Sfarsit_Linie();
    }
    // A leaf element on one line, its value escaped and checked against its
    // rule; origine says where a refused value comes from.
    void Element(int indentare, QStringView nume, const QString& valoare, Cerinta cerinta = kText,
                 QStringView origine = u"InsCodeVersions")
    {
        m_probleme.Verifica(nume, valoare, cerinta, origine);
        Frunza(indentare, nume, valoare);
    }
    void Element(int indentare, QStringView nume, const db::Variant& valoare, Cerinta cerinta,
                 QStringView origine)
    {
        Element(indentare, nume, valoare.isText() ? valoare.asText() : valoare.toText(), cerinta, origine);
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
    Probleme_Fisier& m_probleme;
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
    doc.Element(8, u"VatNr", Cod_Fiscal_XML(date.cheie.codFiscal), Cifre(10), u"Caseta CUI / VAT ID");
    doc.Element(8, u"FirmName", numeCompanie, kObligatoriu, u"Caseta nume firma");
    doc.Element(8, u"RefPeriod", perioada, {Regula::Perioada}, u"Caseta Tip - Anul - Luna");
    doc.Element(8, u"CreateDt", perioada + u"-12T16:23:35.625+02:00"_s);
    doc.Linie(8, u"<ContactPerson>"_s);
    doc.Element(15, u"LastName", Implicit_Daca_Gol(date.numePrenume, u"LAST NAME"_s), kText,
                u"Caseta Nume-Prenume (nume)");
    doc.Element(15, u"FirstName", Implicit_Daca_Gol(date.numePersoana, u"FIRST NAME"_s), kText,
                u"Caseta Nume-Prenume (prenume)");
    doc.Element(15, u"Email", Implicit_Daca_Gol(date.email, u"EMAIL"_s), kText, u"Caseta Email");
    doc.Element(15, u"Phone", Implicit_Daca_Gol(date.telefon, u"TELEFON"_s), kText, u"Caseta Telefon");
    doc.Element(15, u"Fax", Implicit_Daca_Gol(date.fax, u"FAX"_s), kText, u"Caseta Fax");
    doc.Element(15, u"Position", Implicit_Daca_Gol(date.pozitieCompanie, u"FUNCTIE"_s), kText,
                u"Caseta Poz. Comp.");
    doc.Linie(8, u"</ContactPerson>"_s);
    if (date.declarantTert) {
        doc.Linie(8, u"<DTPDetails>"_s);
        doc.Element(8, u"VatNr", Cod_Fiscal_XML(date.codFiscalDeclarant), Cifre(10),
                    u"Caseta Declarant Tert - CUI");
        doc.Element(8, u"FirmName", date.numeDeclarant, kObligatoriu, u"Caseta Declarant Tert - Nume");
        doc.Linie(8, u"<DTPAddress>"_s);
        doc.Element(8, u"Street", date.strada, kText, u"Caseta Declarant Tert - Strada");
        doc.Element(8, u"StreetNumber", date.numar, kText, u"Caseta Declarant Tert - Nr");
        doc.Element(8, u"Block", date.bloc, kText, u"Caseta Declarant Tert - BL");
        doc.Element(8, u"Stairs", date.scara, kText, u"Caseta Declarant Tert - Sc");
        doc.Element(8, u"Apartment", date.apartament, kText, u"Caseta Declarant Tert - Ap");
        if (!Este_Null(db::Variant(date.oras)) && !Este_Null(db::Variant(date.judet))) {
            doc.Element(8, u"LocalityCode", date.oras, kText, u"Caseta Declarant Tert - Oras");
            doc.Element(8, u"CountyCode", date.judet, kText, u"Caseta Declarant Tert - Judet");
        }
        doc.Element(8, u"PostalCode", date.codPostal, kText, u"Caseta Declarant Tert - Cod Postal");
        doc.Linie(8, u"</DTPAddress>"_s);
        doc.Linie(8, u"</DTPDetails>"_s);
    }
    doc.Linie(4, u"</InsDeclarationHeader>"_s);
}

// One item from the current row of the item view; a refused value is said
// by the item's first line as the grid numbers it, the item's number and
// its code.
void Scrie_Articol(Document_XML& doc, Probleme_Fisier& probleme, const db::Statement& rand, qint64 numar,
                   const QString& element, bool sosire, bool cuPartener, bool valoareStatistica)
{
    const auto v = [&](Articol c) { return rand.column(c); };
    probleme.Articol(numar, &rand, cuPartener);
    doc.Linie(8, u'<' + element + u" OrderNr=\""_s + QString::number(numar) + u"\">"_s);
    doc.Element(16, u"Cn8Code", v(A_Cod_NC), Cifre(8), u"Cod_NC");
    doc.Element(16, u"InvoiceValue", v(A_Val_Fiscala1), kIntregPozitiv, u"Val_Fiscala");
    if (valoareStatistica)
        doc.Element(16, u"StatisticalValue", v(A_Val_Stat1), kIntregPozitiv, u"Val_Stat");
    doc.Element(16, u"NetMass", v(A_Net1), kIntregPozitiv, u"Net");
    const QString natura = v(A_Nat_Tranz).toText();
    doc.Element(16, u"NatureOfTransactionACode", natura.left(1), Cifre(1), u"Nat_Tranz");
    if (!natura.isEmpty() && natura.back() >= u'1' && natura.back() <= u'9')
        doc.Element(16, u"NatureOfTransactionBCode", natura, Cifre(2), u"Nat_Tranz");
    doc.Element(16, u"DeliveryTermsCode", v(A_Incoterms), {Regula::Caractere, 3}, u"Incoterms");
    doc.Element(16, u"ModeOfTransportCode", v(A_Mod_Transp), Cifre(1), u"Mod_Transp");
    if (sosire || cuPartener)
        doc.Element(16, u"CountryOfOrigin", v(A_Tara_Orig), kTara, u"Tara_Orig");
    if (!Este_Null(v(A_Cod_UMS))) {
        doc.Linie(16, u"<InsSupplUnitsInfo>"_s);
        doc.Element(22, u"SupplUnitCode", v(A_Cod_UMS), kObligatoriu, u"Cod_UMS");
        doc.Element(22, u"QtyInSupplUnits", v(A_Val_UMS1), kIntregPozitiv, u"Val_UMS");
        doc.Linie(16, u"</InsSupplUnitsInfo>"_s);
    }
    if (sosire)
        doc.Element(16, u"CountryOfConsignment", v(A_Tara_Exp), kTara, u"Tara_Exp");
    else
        doc.Element(16, u"CountryOfDestination", v(A_Tara_Dest), kTara, u"Tara_Dest");
    if (cuPartener) {
        doc.Element(16, u"PartnerCountryCode", v(A_Country_VAT_ID), kTara, u"VAT_ID");
        doc.Element(16, u"PartnerVatNr", v(A_VAT_ID1), kObligatoriu, u"VAT_ID");
    }
    doc.Linie(8, u"</"_s + element + u'>');
}

// The whole document written into the device, every value checked on the
// way into probleme; the reason it cannot be made, or "" when it is
// complete (it is fit to send only when probleme stays empty).
QString Compune_Document(QIODevice& iesire, const Date_Fisier_XML& date, const Perioada_Declaratie& perioada,
                         const QString& numeCompanie, const std::function<void()>& formateazaGrila,
                         qint64& articole, Probleme_Fisier& probleme)
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

    Document_XML doc(iesire, probleme);
    doc.Linie(0, u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"_s);
    doc.Linie(0, u'<' + radacina + u" SchemaVersion=\"1.0\" xmlns=\""_s +
                     QString::fromUtf16(kSpatiuNumeIntrastat) + u"\">"_s);
    doc.Linie(0, u"<InsCodeVersions>"_s);
    for (const QString& coloana : kVersiuni)
        doc.Element(9, coloana, versiuni->value(coloana), kObligatoriu, u"InsCodeVersions");
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
        Scrie_Articol(doc, probleme, *interogare, ++articole, element, sosire, cuPartener,
                      date.valoareStatistica);
    probleme.Articol(0);
    if (!rand)
        return u"Nu se pot citi articolele declaratiei ("_s + vedere + u"): "_s + rand.error().description;
    if (articole == 0)
        probleme.Adauga(u"Declaratia nu are niciun articol: nu exista linii TIP = "_s + tip +
                        u", Cod_Fiscal = "_s + FirmaCurenta_CodFiscal + u", Anul = "_s + date.cheie.anul +
                        u", Luna = "_s + date.cheie.luna);
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

const QString kNegenerat = u"FISIERUL DECLARATIEI NU A FOST GENERAT"_s;

void Fisier_Negenerat(const QString& cauza)
{
    Eroare(kNegenerat + kCrLf + cauza);
}

// The problems of the verification shown before the file is written.
constexpr int kProblemeAfisate = 10;

QString Linii_Cu_Probleme(int linii)
{
    return linii == 1 ? u"1 LINIE CU PROBLEME"_s : QString::number(linii) + u" LINII CU PROBLEME"_s;
}

// What the verification finds, for the question before the file is
// written and for its final message: "" when nothing.
QString Text_Probleme(const Probleme_Declaratie& p, const Cheie_Declaratie& cheie)
{
    QStringList text;
    if (!p.tarif)
        text << u"Nu se poate identifica tabela tarif vamal pentru luna "_s + cheie.luna + u", anul "_s +
                    cheie.anul + u": codurile NC nu au fost verificate."_s;
    if (p.liniiCuProbleme > 0) {
        text << u"LA VERIFICARE, DECLARATIA ARE "_s + Linii_Cu_Probleme(p.liniiCuProbleme) + u" (DIN "_s +
                    QString::number(p.linii) + u"):"_s;
        text << p.primele;
        if (p.probleme > p.primele.size())
            text << u"... si inca "_s + QString::number(p.probleme - p.primele.size()) + u" probleme"_s;
    }
    return text.join(kCrLf);
}

// Asks whether a file with the problems found is written all the same.
bool Scrie_Cu_Probleme(const QString& probleme)
{
    return ui::msgBox(probleme + kCrLf + kCrLf +
                          u"Un fisier cu aceste probleme poate fi refuzat la depunere; \"Verifica Date\" "
                          u"marcheaza liniile si le arata pe toate."_s +
                          kCrLf + u"Generati totusi fisierul ?"_s,
                      ui::Icon::Question, ui::Buttons::YesNo, u"RASPUNDETI"_s,
                      ui::DefaultButton::Second) == ui::Answer::Yes;
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
    if (!perioada || !Declaratie_Firma_Curenta(cheie, kNegenerat))
        return rezultat;

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
    Probleme_Fisier probleme;
    if (const QString cauza = Compune_Document(fisier, date, *perioada, rezultat.numeCompanie,
                                               formateazaGrila, articole, probleme);
        !cauza.isEmpty()) {
        fisier.cancelWriting();
        Fisier_Negenerat(cauza);
        return rezultat;
    }
    // A value the institute would refuse: the file is not written at all.
    if (!probleme.Gol()) {
        fisier.cancelWriting();
        rezultat.probleme = probleme.Primele();
        Fisier_Negenerat(probleme.Text());
        return rezultat;
    }
    // The lines as "Verifica Date" checks them: with problems, the file is
    // written only when the user asks for it all the same.
    const Probleme_Declaratie verificare = Probleme_Liniilor(cheie, *perioada, kProblemeAfisate);
    if (!verificare.citite) {
        fisier.cancelWriting();
        Fisier_Negenerat(u"Nu se pot verifica liniile declaratiei: "_s + verificare.eroare);
        return rezultat;
    }
    const QString textProbleme = Text_Probleme(verificare, cheie);
    if (!textProbleme.isEmpty() && !Scrie_Cu_Probleme(textProbleme)) {
        fisier.cancelWriting();
        return rezultat;
    }
    rezultat.liniiCuProbleme = verificare.liniiCuProbleme;
    rezultat.verificat = verificare.tarif;
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
    if (textProbleme.isEmpty()) {
        ui::msgBox(u"A fost generat fisierul "_s + kCrLf + mesaj, ui::Icon::Information);
        return rezultat;
    }
    QString cuProbleme;
    if (verificare.liniiCuProbleme > 0)
        cuProbleme = u"FISIERUL CUPRINDE "_s + Linii_Cu_Probleme(verificare.liniiCuProbleme) +
                     u" LA VERIFICARE (vezi \"Verifica Date\")"_s;
    if (!verificare.tarif)
        cuProbleme += (cuProbleme.isEmpty() ? QString() : kCrLf) +
                      u"CODURILE NC NU AU FOST VERIFICATE IN TARIFUL VAMAL"_s;
    ui::msgBox(u"A fost generat fisierul "_s + kCrLf + mesaj + kCrLf + kCrLf + cuProbleme,
               ui::Icon::Exclamation);
    return rezultat;
}
