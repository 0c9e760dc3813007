#include "variant.h"

#include "platform/db/internal.h"

#include <cmath>

namespace db {

QString Variant::numberText(double d)
{
    if (std::isnan(d))
        return QStringLiteral("NaN");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (d == 0)
        return QStringLiteral("0");
    if (std::fabs(d) < 1e15 && d == std::trunc(d))
        return QString::number(static_cast<std::int64_t>(d));
    QString s = QString::number(d, 'g', 15);
    if (s.contains(u'e')) {
        // Keep ordinary magnitudes in plain notation.
        const double a = std::fabs(d);
        if (a >= 1e-5 && a < 1e15) {
            s = QString::number(d, 'f', 15);
            while (s.endsWith(u'0'))
                s.chop(1);
            if (s.endsWith(u'.'))
                s.chop(1);
        }
    }
    return s;
}

QString Variant::toText() const
{
    switch (kind()) {
    case Kind::Empty:
    case Kind::Null:
        return QString();
    case Kind::Bool:
        return asBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Int:
        return QString::number(asInt());
    case Kind::Double:
        return numberText(asDouble());
    case Kind::Text:
        return asText();
    case Kind::Date: {
        const QDateTime& dt = asDate();
        const QDate d = dt.date();
        const QTime t = dt.time();
        char text[24];
        if (const int n = detail::isoDateText(d, t, text))
            return QString::fromLatin1(text, n);
        if (t == QTime(0, 0))
            return d.toString(Qt::ISODate);
        return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    }
    return QString();
}

double Variant::toDouble(bool* ok) const
{
    bool good = true;
    double r = 0;
    switch (kind()) {
    case Kind::Empty:
    case Kind::Null:
        good = false;
        break;
    case Kind::Bool:
        r = asBool() ? -1 : 0;
        break;
    case Kind::Int:
        r = static_cast<double>(asInt());
        break;
    case Kind::Double:
        r = asDouble();
        break;
    case Kind::Text:
        r = asText().trimmed().toDouble(&good);
        break;
    case Kind::Date:
        good = false;
        break;
    }
    if (ok)
        *ok = good;
    return good ? r : 0;
}

std::int64_t Variant::toInt64(bool* ok) const
{
    if (kind() == Kind::Int) {
        if (ok)
            *ok = true;
        return asInt();
    }
    bool good = false;
    const double d = toDouble(&good);
    if (ok)
        *ok = good;
    return good ? static_cast<std::int64_t>(std::nearbyint(d)) : 0;
}

bool Variant::toBool() const
{
    switch (kind()) {
    case Kind::Bool:
        return asBool();
    case Kind::Int:
        return asInt() != 0;
    case Kind::Double:
        return asDouble() != 0;
    case Kind::Text: {
        const QString t = asText().trimmed();
        if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        bool ok = false;
        const double d = t.toDouble(&ok);
        return ok && d != 0;
    }
    default:
        return false;
    }
}

QDateTime Variant::toDateTime() const
{
    if (kind() == Kind::Date)
        return asDate();
    if (kind() == Kind::Text) {
        const QString t = asText().trimmed();
        QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (dt.isValid())
            return dt;
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return QDateTime();
}

} // namespace db
