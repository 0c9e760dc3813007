// The Jet functions, registered on every connection.

#include "platform/db/internal.h"
#include "platform/sys/clock.h"

#include <QHash>
#include <QLocale>
#include <cmath>

namespace db::detail {
namespace {

Variant arg(sqlite3_value** argv, int i)
{
    return fromSqliteValue(argv[i]);
}

bool isNullArg(sqlite3_value** argv, int i)
{
    return sqlite3_value_type(argv[i]) == SQLITE_NULL;
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

// The text Jet's string functions see: numbers as 84713000, not 84713000.0.
QString argText(sqlite3_value** argv, int i)
{
    return textOf(arg(argv, i));
}

// A number argument: numbers as they are, texts read as numbers.
bool argNumber(sqlite3_value** argv, int i, double* out)
{
    bool ok = false;
    *out = arg(argv, i).toDouble(&ok);
    return ok;
}

bool truthy(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v) != 0;
    case SQLITE_FLOAT:
        return sqlite3_value_double(v) != 0;
    case SQLITE_TEXT: {
        const Variant t = fromSqliteValue(v);
        return t.toBool();
    }
    default:
        return false;
    }
}

QDateTime argDate(sqlite3_value** argv, int i, bool* ok)
{
    const Variant v = arg(argv, i);
    const Variant d = convertRead(v, Type::Date);
    *ok = d.isDate();
    return d.isDate() ? d.asDate() : QDateTime();
}

void fnIIf(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_value(ctx, truthy(argv[0]) ? argv[1] : argv[2]);
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (!isNullArg(argv, 0))
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void fnIsNull(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_int(ctx, isNullArg(argv, 0) ? -1 : 0);
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    double n = 0;
    if (!argNumber(argv, 1, &n) || n < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument (Left)", -1);
        return;
    }
    // A text of at most n bytes has at most n characters: it is its own
    // left part, with no conversion (the tariff look-up's descriptions).
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && sqlite3_value_bytes(argv[0]) <= n) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    resultText(ctx, argText(argv, 0).left(qsizetype(n)));
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    double n = 0;
    if (!argNumber(argv, 1, &n) || n < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument (Right)", -1);
        return;
    }
    resultText(ctx, argText(argv, 0).right(qsizetype(n)));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    double start = 0, len = -1;
    if (!argNumber(argv, 1, &start) || start < 1 || (argc > 2 && (!argNumber(argv, 2, &len) || len < 0))) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument (Mid)", -1);
        return;
    }
    const QString s = argText(argv, 0);
    resultText(ctx, s.mid(qsizetype(start) - 1, argc > 2 ? qsizetype(len) : -1));
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int64(ctx, argText(argv, 0).size());
}

template <int Mode> // 0 both, 1 left, 2 right
void fnTrim(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    QString s = argText(argv, 0);
    qsizetype b = 0, e = s.size();
    if (Mode != 2)
        while (b < e && s.at(b) == u' ')
            ++b;
    if (Mode != 1)
        while (e > b && s.at(e - 1) == u' ')
            --e;
    resultText(ctx, s.mid(b, e - b));
}

template <bool Upper> void fnCase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv, 0);
    resultText(ctx, Upper ? s.toUpper() : s.toLower());
}

void fnRound(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNullArg(argv, 0) || (argc > 1 && isNullArg(argv, 1))) {
        sqlite3_result_null(ctx);
        return;
    }
    double digits = 0;
    if (argc > 1 && !argNumber(argv, 1, &digits)) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument (Round)", -1);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && digits >= 0) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    double x = 0;
    if (!argNumber(argv, 0, &x)) {
        sqlite3_result_error(ctx, "Type mismatch (Round)", -1);
        return;
    }
    sqlite3_result_double(ctx, roundHalfEven(x, int(digits)));
}

// Val: the number at the start of a text, blanks ignored; 0 when none.
void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_error(ctx, "Invalid use of Null (Val)", -1);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER || sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    }
    QString s = argText(argv, 0);
    s.remove(u' ');
    s.remove(u'\t');
    qsizetype i = 0;
    QString num;
    if (i < s.size() && (s.at(i) == u'-' || s.at(i) == u'+'))
        num += s.at(i++);
    bool dot = false;
    while (i < s.size() && (s.at(i).isDigit() || (s.at(i) == u'.' && !dot))) {
        if (s.at(i) == u'.')
            dot = true;
        num += s.at(i++);
    }
    if (i + 1 < s.size() && (s.at(i) == u'e' || s.at(i) == u'E') &&
        (s.at(i + 1).isDigit() || ((s.at(i + 1) == u'-' || s.at(i + 1) == u'+') && i + 2 < s.size()))) {
        QString exp = s.at(i);
        qsizetype j = i + 1;
        if (s.at(j) == u'-' || s.at(j) == u'+')
            exp += s.at(j++);
        QString digits;
        while (j < s.size() && s.at(j).isDigit())
            digits += s.at(j++);
        if (!digits.isEmpty())
            num += exp + digits;
    }
    bool ok = false;
    const double d = num.toDouble(&ok);
    sqlite3_result_double(ctx, ok ? d : 0.0);
}

void fnCStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, argText(argv, 0));
}

template <int Kind> // 0 CLng, 1 CInt, 2 CDbl
void fnConvert(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_error(ctx, "Invalid use of Null", -1);
        return;
    }
    double d = 0;
    if (!argNumber(argv, 0, &d)) {
        sqlite3_result_error(ctx, "Type mismatch", -1);
        return;
    }
    if (Kind == 2) {
        sqlite3_result_double(ctx, d);
        return;
    }
    const double r = roundHalfEven(d, 0);
    if ((Kind == 1 && (r < -32768 || r > 32767)) || (Kind == 0 && (r < -2147483648.0 || r > 2147483647.0))) {
        sqlite3_result_error(ctx, "Overflow", -1);
        return;
    }
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(r));
}

// Int and Fix: integers pass unchanged, other numbers are cut down (Int) or
// towards zero (Fix).
template <double (*Cut)(double)>
void fnWhole(sqlite3_context* ctx, sqlite3_value** argv, const char* mismatch)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    double d = 0;
    if (!argNumber(argv, 0, &d)) {
        sqlite3_result_error(ctx, mismatch, -1);
        return;
    }
    sqlite3_result_double(ctx, Cut(d));
}

double floorOf(double d) { return std::floor(d); }
double truncOf(double d) { return std::trunc(d); }

void fnInt(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    fnWhole<floorOf>(ctx, argv, "Type mismatch (Int)");
}

void fnFix(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    fnWhole<truncOf>(ctx, argv, "Type mismatch (Fix)");
}

int datePart(const QString& interval, const QDateTime& dt, bool* ok)
{
    *ok = true;
    QString iv = interval.trimmed().toLower();
    // the interval names of other dialects
    static const QHash<QString, QString> aliases = {
        {QStringLiteral("yy"), QStringLiteral("yyyy")}, {QStringLiteral("year"), QStringLiteral("yyyy")},
        {QStringLiteral("qq"), QStringLiteral("q")},    {QStringLiteral("quarter"), QStringLiteral("q")},
        {QStringLiteral("mm"), QStringLiteral("m")},    {QStringLiteral("month"), QStringLiteral("m")},
        {QStringLiteral("dy"), QStringLiteral("y")},    {QStringLiteral("dayofyear"), QStringLiteral("y")},
        {QStringLiteral("dd"), QStringLiteral("d")},    {QStringLiteral("day"), QStringLiteral("d")},
        {QStringLiteral("dw"), QStringLiteral("w")},    {QStringLiteral("weekday"), QStringLiteral("w")},
        {QStringLiteral("wk"), QStringLiteral("ww")},   {QStringLiteral("week"), QStringLiteral("ww")},
        {QStringLiteral("hh"), QStringLiteral("h")},    {QStringLiteral("hour"), QStringLiteral("h")},
        {QStringLiteral("mi"), QStringLiteral("n")},    {QStringLiteral("minute"), QStringLiteral("n")},
        {QStringLiteral("ss"), QStringLiteral("s")},    {QStringLiteral("second"), QStringLiteral("s")}};
    iv = aliases.value(iv, iv);
    const QDate d = dt.date();
    if (iv == u"yyyy")
        return d.year();
    if (iv == u"q")
        return (d.month() - 1) / 3 + 1;
    if (iv == u"m")
        return d.month();
    if (iv == u"y")
        return d.dayOfYear();
    if (iv == u"d")
        return d.day();
    if (iv == u"w")
        return d.dayOfWeek() % 7 + 1; // Sunday 1
    if (iv == u"ww") {
        const QDate jan1(d.year(), 1, 1);
        const int offset = jan1.dayOfWeek() % 7; // days before the first Sunday-started week
        return (d.dayOfYear() + offset - 1) / 7 + 1;
    }
    if (iv == u"h")
        return dt.time().hour();
    if (iv == u"n")
        return dt.time().minute();
    if (iv == u"s")
        return dt.time().second();
    *ok = false;
    return 0;
}

void fnDatePart(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 1)) {
        sqlite3_result_null(ctx);
        return;
    }
    bool ok = false;
    const QDateTime dt = argDate(argv, 1, &ok);
    if (!ok) {
        sqlite3_result_error(ctx, "Type mismatch (DatePart)", -1);
        return;
    }
    const int v = datePart(argText(argv, 0), dt, &ok);
    if (!ok) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument (DatePart)", -1);
        return;
    }
    sqlite3_result_int(ctx, v);
}

template <int Part> // 0 year, 1 month, 2 day
void fnYmd(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    bool ok = false;
    const QDateTime dt = argDate(argv, 0, &ok);
    if (!ok) {
        sqlite3_result_error(ctx, "Type mismatch", -1);
        return;
    }
    sqlite3_result_int(ctx, Part == 0 ? dt.date().year() : Part == 1 ? dt.date().month() : dt.date().day());
}

void fnDate(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, sys::Clock::today().toString(Qt::ISODate));
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, sys::Clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void fnInStr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    int first = 0;
    qsizetype start = 1;
    if (argc >= 3) {
        if (isNullArg(argv, 0)) {
            sqlite3_result_error(ctx, "Invalid use of Null (InStr)", -1);
            return;
        }
        double s = 0;
        if (!argNumber(argv, 0, &s) || s < 1) {
            sqlite3_result_error(ctx, "Invalid procedure call or argument (InStr)", -1);
            return;
        }
        start = qsizetype(s);
        first = 1;
    }
    if (isNullArg(argv, first) || isNullArg(argv, first + 1)) {
        sqlite3_result_null(ctx);
        return;
    }
    bool binary = false;
    if (argc == 4) {
        double cmp = 1;
        argNumber(argv, 3, &cmp);
        binary = cmp == 0;
    }
    const QString s1 = argText(argv, first);
    const QString s2 = argText(argv, first + 1);
    if (start > s1.size()) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const qsizetype at = s1.indexOf(s2, start - 1, binary ? Qt::CaseSensitive : Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, at < 0 ? 0 : at + 1);
}

void fnSpace(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    double n = 0;
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    if (!argNumber(argv, 0, &n) || n < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument (Space)", -1);
        return;
    }
    resultText(ctx, QString(qsizetype(n), u' '));
}

// Format of a number with a pattern such as "0", "0.00", "#,##0.00", "000".
QString formatNumber(double d, const QString& pattern)
{
    const QString p = pattern;
    const QString lower = p.toLower();
    if (lower == u"general number")
        return Variant::numberText(d);
    if (lower == u"fixed")
        return QString::number(roundHalfEven(d, 2), 'f', 2);
    if (lower == u"standard")
        return formatNumber(d, QStringLiteral("#,##0.00"));
    if (lower == u"percent")
        return QString::number(roundHalfEven(d * 100, 2), 'f', 2) + u'%';
    const qsizetype dot = p.indexOf(u'.');
    const QString intPart = dot < 0 ? p : p.left(dot);
    const QString fracPart = dot < 0 ? QString() : p.mid(dot + 1);
    const bool grouping = intPart.contains(u',');
    const int minInt = int(intPart.count(u'0'));
    const int minFrac = int(fracPart.count(u'0'));
    const int maxFrac = int(fracPart.count(u'0') + fracPart.count(u'#'));
    QString prefix, suffix;
    // literal text before/after the digits
    for (QChar c : intPart) {
        if (c == u'0' || c == u'#' || c == u',')
            break;
        prefix += c;
    }
    for (qsizetype i = fracPart.size() - 1; i >= 0; --i) {
        const QChar c = fracPart.at(i);
        if (c == u'0' || c == u'#')
            break;
        suffix.prepend(c);
    }
    const bool percent = p.contains(u'%');
    double v = percent ? d * 100 : d;
    v = roundHalfEven(v, maxFrac);
    const bool negative = v < 0;
    QString s = QString::number(std::fabs(v), 'f', maxFrac);
    QString ip = s, fp;
    const qsizetype sd = s.indexOf(u'.');
    if (sd >= 0) {
        ip = s.left(sd);
        fp = s.mid(sd + 1);
    }
    while (fp.size() > minFrac && fp.endsWith(u'0'))
        fp.chop(1);
    if (ip == u"0" && minInt == 0)
        ip.clear();
    while (ip.size() < minInt)
        ip.prepend(u'0');
    if (grouping) {
        QString g;
        int count = 0;
        for (qsizetype i = ip.size() - 1; i >= 0; --i) {
            g.prepend(ip.at(i));
            if (++count % 3 == 0 && i > 0)
                g.prepend(u',');
        }
        ip = g;
    }
    QString out = ip;
    if (!fp.isEmpty() || (dot >= 0 && minFrac > 0))
        out += u'.' + fp;
    else if (dot >= 0 && fp.isEmpty() && maxFrac > 0 && minFrac == 0)
        out += u'.';
    if (percent && !suffix.contains(u'%'))
        out += u'%';
    return (negative && v != 0 ? QStringLiteral("-") : QString()) + prefix + out + suffix;
}

// Format of a date with d/m/y/h/n/s letters ("dd.mm.yyyy", "yyyy-mm-dd", "mmmm yyyy").
QString formatDate(const QDateTime& dt, const QString& pattern)
{
    const QString lower = pattern.toLower();
    if (lower == u"short date")
        return dt.date().toString(QStringLiteral("dd.MM.yyyy"));
    if (lower == u"long date")
        return QLocale(QLocale::Romanian).toString(dt.date(), QLocale::LongFormat);
    if (lower == u"short time")
        return dt.time().toString(QStringLiteral("HH:mm"));
    if (lower == u"long time")
        return dt.time().toString(QStringLiteral("HH:mm:ss"));
    if (lower == u"general date")
        return Variant(dt).toText();
    QString out;
    const QString& p = pattern;
    qsizetype i = 0;
    bool lastWasHour = false;
    while (i < p.size()) {
        const QChar c = p.at(i).toLower();
        qsizetype j = i;
        while (j < p.size() && p.at(j).toLower() == c)
            ++j;
        const qsizetype run = j - i;
        const QDate d = dt.date();
        const QTime t = dt.time();
        if (c == u'y') {
            out += run >= 4 ? QString::number(d.year()).rightJustified(4, u'0')
                            : QString::number(d.year() % 100).rightJustified(2, u'0');
            lastWasHour = false;
        } else if (c == u'm') {
            if (lastWasHour)
                out += run >= 2 ? QString::number(t.minute()).rightJustified(2, u'0')
                                : QString::number(t.minute());
            else if (run >= 4)
                out += QLocale(QLocale::Romanian).monthName(d.month());
            else if (run == 3)
                out += QLocale(QLocale::Romanian).monthName(d.month(), QLocale::ShortFormat);
            else
                out += run == 2 ? QString::number(d.month()).rightJustified(2, u'0')
                                : QString::number(d.month());
            lastWasHour = false;
        } else if (c == u'd') {
            out += run >= 2 ? QString::number(d.day()).rightJustified(2, u'0') : QString::number(d.day());
            lastWasHour = false;
        } else if (c == u'h') {
            out += run >= 2 ? QString::number(t.hour()).rightJustified(2, u'0') : QString::number(t.hour());
            lastWasHour = true;
        } else if (c == u'n') {
            out +=
                run >= 2 ? QString::number(t.minute()).rightJustified(2, u'0') : QString::number(t.minute());
            lastWasHour = false;
        } else if (c == u's') {
            out +=
                run >= 2 ? QString::number(t.second()).rightJustified(2, u'0') : QString::number(t.second());
            lastWasHour = false;
        } else {
            out += p.mid(i, run);
            if (c != u':')
                lastWasHour = false;
        }
        i = j;
    }
    return out;
}

void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNullArg(argv, 0)) {
        sqlite3_result_null(ctx);
        return;
    }
    const Variant v = arg(argv, 0);
    const QString pattern = argc > 1 && !isNullArg(argv, 1) ? argText(argv, 1) : QString();
    if (pattern.isEmpty()) {
        resultText(ctx, textOf(v));
        return;
    }
    static const QStringList numberNames = {QStringLiteral("general number"), QStringLiteral("fixed"),
                                            QStringLiteral("standard"), QStringLiteral("percent")};
    const bool namedNumber = numberNames.contains(pattern.toLower());
    const bool datePattern =
        !namedNumber &&
        (pattern.contains(u'y', Qt::CaseInsensitive) || pattern.contains(u'd', Qt::CaseInsensitive) ||
         pattern.contains(u'h', Qt::CaseInsensitive) ||
         pattern.compare(QStringLiteral("Short Date"), Qt::CaseInsensitive) == 0);
    if (v.isNumber() && !datePattern) {
        resultText(ctx, formatNumber(v.toDouble(), pattern));
        return;
    }
    if (v.isText() && !datePattern) {
        bool ok = false;
        const double d = v.asText().trimmed().toDouble(&ok);
        resultText(ctx, ok ? formatNumber(d, pattern) : v.asText());
        return;
    }
    const Variant asDate = convertRead(v, Type::Date);
    if (asDate.isDate()) {
        resultText(ctx, formatDate(asDate.asDate(), pattern));
        return;
    }
    resultText(ctx, textOf(v));
}

struct Fn
{
    const char* name;
    int argc;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

} // namespace

void registerFunctions(sqlite3* db)
{
    static const Fn functions[] = {
        {"IIF", 3, fnIIf, true},
        {"NZ", 1, fnNz, true},
        {"NZ", 2, fnNz, true},
        {"JET_ISNULL", 1, fnIsNull, true},
        {"JET_LEFT", 2, fnLeft, true},
        {"JET_RIGHT", 2, fnRight, true},
        {"MID", 2, fnMid, true},
        {"MID", 3, fnMid, true},
        {"LEN", 1, fnLen, true},
        {"TRIM", 1, fnTrim<0>, true},
        {"LTRIM", 1, fnTrim<1>, true},
        {"RTRIM", 1, fnTrim<2>, true},
        {"UCASE", 1, fnCase<true>, true},
        {"LCASE", 1, fnCase<false>, true},
        {"FORMAT", 1, fnFormat, true},
        {"FORMAT", 2, fnFormat, true},
        {"ROUND", 1, fnRound, true},
        {"ROUND", 2, fnRound, true},
        {"VAL", 1, fnVal, true},
        {"CSTR", 1, fnCStr, true},
        {"CLNG", 1, fnConvert<0>, true},
        {"CINT", 1, fnConvert<1>, true},
        {"CDBL", 1, fnConvert<2>, true},
        {"INT", 1, fnInt, true},
        {"FIX", 1, fnFix, true},
        {"YEAR", 1, fnYmd<0>, true},
        {"MONTH", 1, fnYmd<1>, true},
        {"DAY", 1, fnYmd<2>, true},
        {"DATE", 0, fnDate, false},
        {"NOW", 0, fnNow, false},
        {"JET_DATEPART", 2, fnDatePart, true},
        {"DATEPART", 2, fnDatePart, true},
        {"INSTR", 2, fnInStr, true},
        {"INSTR", 3, fnInStr, true},
        {"INSTR", 4, fnInStr, true},
        {"SPACE", 1, fnSpace, true},
    };
    for (const Fn& f : functions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function_v2(db, f.name, f.argc, flags, nullptr, f.fn, nullptr, nullptr, nullptr);
    }
}

} // namespace db::detail
