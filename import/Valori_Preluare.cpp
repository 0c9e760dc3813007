#include "import/Valori_Preluare.h"

#include "common/Operatii_String.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool controlSauNecaracter(QChar c)
{
    return Caracter_Control(c.unicode());
}

} // namespace

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
        if (const std::optional<double> d = db::readAmount(text))
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
