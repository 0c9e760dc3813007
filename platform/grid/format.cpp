#include "format.h"

#include "platform/db/db.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace grid {

NumberFormat NumberFormat::parse(const QString& format)
{
    NumberFormat f;
    const QString t = format.trimmed();
    if (t.isEmpty())
        return f;
    // Only the digit forms of the display formats: # 0 , . in any mix.
    for (QChar c : t) {
        if (c != u'#' && c != u'0' && c != u',' && c != u'.')
            return f;
    }
    const qsizetype dot = t.indexOf(u'.');
    f.valid = true;
    f.grouped = t.left(dot < 0 ? t.size() : dot).contains(u',');
    f.decimals = dot < 0 ? 0 : int(t.size() - dot - 1);
    return f;
}

namespace {

bool numberOf(const db::Variant& value, double& out)
{
    if (value.kind() == db::Variant::Kind::Int || value.kind() == db::Variant::Kind::Double) {
        out = value.toDouble();
        return true;
    }
    if (value.isText()) {
        bool ok = false;
        out = value.toDouble(&ok);
        return ok;
    }
    return false;
}

QString plainNumber(double d, const QLocale& locale)
{
    QString s = db::Variant::numberText(d);
    if (locale.decimalPoint() != QStringLiteral("."))
        s.replace(u'.', locale.decimalPoint());
    if (locale.negativeSign() != QStringLiteral("-"))
        s.replace(u'-', locale.negativeSign());
    return s;
}

} // namespace

QString formatValue(const db::Variant& value, const NumberFormat& format, const QLocale& locale)
{
    if (value.isMissing())
        return QString();
    double d = 0;
    if (format.valid && numberOf(value, d)) {
        QLocale l = locale;
        l.setNumberOptions(format.grouped ? QLocale::NumberOptions() : QLocale::OmitGroupSeparator);
        // Rounded at the shown decimals as the amounts are stored, summed and
        // declared: half to even.
        const double r = db::roundHalfEven(d, format.decimals);
        return l.toString(r == 0 ? 0.0 : r, 'f', format.decimals);
    }
    switch (value.kind()) {
    case db::Variant::Kind::Double:
        return plainNumber(value.asDouble(), locale);
    case db::Variant::Kind::Date: {
        const QDateTime& dt = value.asDate();
        if (dt.time() == QTime(0, 0))
            return locale.toString(dt.date(), QLocale::ShortFormat);
        return locale.toString(dt, QLocale::ShortFormat);
    }
    default:
        return value.toText();
    }
}

QString formatValue(const db::Variant& value, const QString& format, const QLocale& locale)
{
    return formatValue(value, NumberFormat::parse(format), locale);
}

QStringList widestNumberTexts(const db::Recordset& rows, const QList<NumberFormat>& formats,
                              const QLocale& locale)
{
    struct Extremes
    {
        int field;
        double smallest = 0;
        double largest = 0;
        bool any = false;
    };
    std::vector<Extremes> measured;
    for (int f = 0, n = std::min(int(formats.size()), rows.fieldCount()); f < n; ++f) {
        if (formats.at(f).valid)
            measured.push_back({f});
    }
    for (int r = 0, n = measured.empty() ? 0 : rows.rowCount(); r < n; ++r) {
        for (Extremes& e : measured) {
            double d = 0;
            if (!numberOf(rows.valueAt(r, e.field), d) || !std::isfinite(d))
                continue;
            if (!e.any) {
                e.smallest = e.largest = d;
                e.any = true;
            } else if (d < e.smallest) {
                e.smallest = d;
            } else if (d > e.largest) {
                e.largest = d;
            }
        }
    }
    QStringList texts(formats.size());
    for (const Extremes& e : measured) {
        if (!e.any)
            continue;
        const NumberFormat& format = formats.at(e.field);
        const QString small = formatValue(db::Variant(e.smallest), format, locale);
        const QString large = formatValue(db::Variant(e.largest), format, locale);
        // Of two as long, the one without a sign: digits are wider than the minus.
        texts[e.field] = small.size() > large.size() ? small : large;
    }
    return texts;
}

QStringList widenNumberTexts(QStringList widest, const db::Recordset& rows, int row,
                             const QList<NumberFormat>& formats, const QLocale& locale)
{
    widest.resize(formats.size());
    for (int f = 0, n = std::min(int(formats.size()), rows.fieldCount()); f < n; ++f) {
        double d = 0;
        if (!formats.at(f).valid || !numberOf(rows.valueAt(row, f), d) || !std::isfinite(d))
            continue;
        const QString text = formatValue(db::Variant(d), formats.at(f), locale);
        if (text.size() > widest.at(f).size())
            widest[f] = text;
    }
    return widest;
}

QString editText(const db::Variant& value, const QLocale& locale)
{
    if (value.kind() == db::Variant::Kind::Double)
        return plainNumber(value.asDouble(), locale);
    return formatValue(value, NumberFormat(), locale);
}

bool isNumberType(int adoType)
{
    switch (adoType) {
    case 2:   // SMALLINT
    case 3:   // INTEGER
    case 4:   // SINGLE
    case 5:   // DOUBLE
    case 6:   // CURRENCY
    case 11:  // YESNO
    case 14:  // DECIMAL
    case 17:  // BYTE
    case 20:  // BIGINT
    case 131: // NUMERIC
        return true;
    default:
        return false;
    }
}

bool isWholeNumberType(int adoType)
{
    return adoType == 2 || adoType == 3 || adoType == 17 || adoType == 20;
}

db::Variant parseEditText(const QString& text, int adoType, const QLocale& locale, const NumberFormat& shown)
{
    if (text.isEmpty())
        return db::Variant::null();
    if (!isNumberType(adoType))
        return db::Variant(text);
    const QString t = text.trimmed();
    bool ok = false;
    const bool whole = isWholeNumberType(adoType) || adoType == 11; // Yes/No: -1 and 0
    if (whole) {
        const qlonglong i = t.toLongLong(&ok);
        if (ok)
            return db::Variant(static_cast<std::int64_t>(i));
    }
    // Whole amounts shown grouped read back as shown ("1.234" is 1234).
    const QString group = locale.groupSeparator();
    const QChar wholeGroup =
        shown.valid && shown.grouped && shown.decimals == 0 && group.size() == 1 ? group.at(0) : QChar();
    const std::optional<double> d = db::readAmount(t, wholeGroup);
    if (!d)
        return db::Variant(text);
    if (whole && *d == std::trunc(*d) && std::fabs(*d) < 9e15)
        return db::Variant(static_cast<std::int64_t>(*d));
    return db::Variant(*d);
}

} // namespace grid
