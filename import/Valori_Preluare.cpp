#include "import/Valori_Preluare.h"

#include "common/Operatii_String.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The kinds of separator an amount may hold.
enum Separator : char
{
    Niciunul = 0,
    Punct = '.',
    Virgula = ',',
    Spatiu = ' ',
    Apostrof = '\''
};

Separator separator(QChar c)
{
    if (c == u'.')
        return Punct;
    if (c == u',')
        return Virgula;
    if (c == u'\'' || c == u'\u2019')
        return Apostrof;
    if (c.isSpace())
        return Spatiu;
    return Niciunul;
}

bool cifra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits grouped by `grup`: a first group of 1 to 3 digits, the others of 3;
// any run of digits when there is no grouping.
bool grupeBune(QStringView parte, Separator grup)
{
    if (grup == Niciunul)
        return true;
    qsizetype lungime = 0;
    bool primul = true;
    for (const QChar c : parte) {
        if (cifra(c)) {
            ++lungime;
            continue;
        }
        if ((primul && (lungime < 1 || lungime > 3)) || (!primul && lungime != 3))
            return false;
        primul = false;
        lungime = 0;
    }
    return primul ? lungime > 0 : lungime == 3;
}

bool controlSauNecaracter(QChar c)
{
    return Caracter_Control(c.unicode());
}

} // namespace

std::optional<double> Numar_Local(QStringView text)
{
    // Blanks, no-break spaces among them, around the amount.
    QStringView t = text.trimmed();
    bool negativ = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negativ = t.front() == u'-';
        t = t.mid(1);
    }
    if (t.isEmpty())
        return std::nullopt;

    qsizetype puncte = 0, virgule = 0, ultimulPunct = -1, ultimaVirgula = -1;
    Separator altGrup = Niciunul; // blanks or apostrophes
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (cifra(c))
            continue;
        switch (const Separator s = separator(c)) {
        case Punct:
            ++puncte;
            ultimulPunct = i;
            break;
        case Virgula:
            ++virgule;
            ultimaVirgula = i;
            break;
        case Spatiu:
        case Apostrof:
            if (altGrup != Niciunul && altGrup != s)
                return std::nullopt;
            altGrup = s;
            break;
        case Niciunul:
            return std::nullopt;
        }
    }

    // The decimal mark and the grouping.
    Separator zecimal = Niciunul;
    Separator grup = Niciunul;
    if (puncte > 0 && virgule > 0) {
        zecimal = ultimulPunct > ultimaVirgula ? Punct : Virgula;
        grup = zecimal == Punct ? Virgula : Punct;
        if ((zecimal == Punct ? puncte : virgule) != 1)
            return std::nullopt;
    } else if (virgule == 1) {
        zecimal = Virgula;
    } else if (virgule > 1) {
        grup = Virgula;
    } else if (puncte == 1) {
        zecimal = Punct;
    } else if (puncte > 1) {
        grup = Punct;
    }
    if (altGrup != Niciunul) {
        if (grup != Niciunul)
            return std::nullopt;
        grup = altGrup;
    }

    const qsizetype marca = zecimal == Niciunul ? -1 : (zecimal == Punct ? ultimulPunct : ultimaVirgula);
    const QStringView intreaga = marca < 0 ? t : t.left(marca);
    const QStringView fractie = marca < 0 ? QStringView() : t.mid(marca + 1);
    if (!std::all_of(fractie.begin(), fractie.end(), cifra))
        return std::nullopt;
    if (intreaga.isEmpty() ? fractie.isEmpty() : !grupeBune(intreaga, grup))
        return std::nullopt;

    QVarLengthArray<char, 64> c;
    if (negativ)
        c.append('-');
    for (const QChar ch : intreaga)
        if (cifra(ch))
            c.append(char(ch.unicode()));
    if (intreaga.isEmpty())
        c.append('0');
    c.append('.');
    for (const QChar ch : fractie)
        c.append(char(ch.unicode()));
    c.append('0');
    double d = 0;
    const auto [capat, eroare] = std::from_chars(c.begin(), c.end(), d);
    if (eroare != std::errc() || capat != c.end() || !std::isfinite(d))
        return std::nullopt;
    return d;
}

bool Are_Caractere_Control(QStringView text)
{
    return std::any_of(text.begin(), text.end(), controlSauNecaracter);
}

bool Elimina_Caractere_Control(QString& text)
{
    if (!Are_Caractere_Control(text))
        return false;
    text.removeIf(controlSauNecaracter);
    return true;
}

bool Data_In_Calendar(const QDateTime& data)
{
    return data.isValid() && data.date().year() >= 100 && data.date().year() <= 9999;
}

bool Serial_In_Calendar(double serial)
{
    return db::isDateSerial(serial);
}

Fel_Valoare Fel_Coloana_Destinatie(const db::Field* coloana)
{
    if (!coloana)
        return Fel_Valoare::Text;
    if (db::isNumberType(coloana->type))
        return Fel_Valoare::Numar;
    if (coloana->type == db::Type::Date)
        return Fel_Valoare::Data;
    if (coloana->type == db::Type::Boolean)
        return Fel_Valoare::DaNu;
    return Fel_Valoare::Text;
}

QString Descriere_Fel(Fel_Valoare fel)
{
    switch (fel) {
    case Fel_Valoare::Numar:
        return u"un numar (de exemplu 4,97 sau 1.234,5)"_s;
    case Fel_Valoare::Data:
        return u"o data (de exemplu 31.03.2026)"_s;
    case Fel_Valoare::DaNu:
        return u"Da sau Nu"_s;
    case Fel_Valoare::Text:
        break;
    }
    return u"un text"_s;
}

std::optional<db::Variant> Valoare_Implicita(Fel_Valoare fel, const QString& text)
{
    switch (fel) {
    case Fel_Valoare::Text:
        return db::Variant(text);
    case Fel_Valoare::Numar:
        if (const std::optional<double> d = Numar_Local(text))
            return db::Variant(*d);
        return std::nullopt;
    case Fel_Valoare::Data:
    case Fel_Valoare::DaNu: {
        db::Field coloana;
        coloana.type = fel == Fel_Valoare::Data ? db::Type::Date : db::Type::Boolean;
        db::Result<db::Variant> v = db::checkFieldValue(coloana, db::Variant(text.trimmed()));
        if (!v || v->isMissing() || (v->isDate() && !Data_In_Calendar(v->asDate())))
            return std::nullopt;
        return std::move(*v);
    }
    }
    return std::nullopt;
}

QString Text_Valoare(const db::Variant& valoare)
{
    switch (valoare.kind()) {
    case db::Variant::Kind::Bool:
        return valoare.asBool() ? u"-1"_s : u"0"_s;
    case db::Variant::Kind::Date: {
        const QDateTime& d = valoare.asDate();
        return d.time() == QTime(0, 0) ? d.date().toString(u"yyyy-MM-dd"_s)
                                       : d.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    }
    default:
        return valoare.toText();
    }
}

QString Literal_SQL(const db::Variant& valoare)
{
    switch (valoare.kind()) {
    case db::Variant::Kind::Bool:
    case db::Variant::Kind::Int:
    case db::Variant::Kind::Double:
        return Text_Valoare(valoare);
    case db::Variant::Kind::Date: {
        const QDateTime& d = valoare.asDate();
        return u'#' + d.toString(d.time() == QTime(0, 0) ? u"MM/dd/yyyy"_s : u"MM/dd/yyyy HH:mm:ss"_s) + u'#';
    }
    default:
        return db::quoted(valoare.toText());
    }
}
