// Errors, the quoting helper, type codes and value conversion.

#include "platform/db/internal.h"

#include <QRegularExpression>
#include <QVarLengthArray>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace db {

QString Error::text() const
{
    return QString::number(number) + QStringLiteral(": ") + description;
}

int Error::dataErrorCode() const
{
    switch (kind) {
    case Kind::TooLong:
        return 1;
    case Kind::NotNumber:
        return 2;
    case Kind::NotDate:
        return 3;
    case Kind::Duplicate:
        return 4;
    case Kind::ForeignKey:
        return 5;
    case Kind::NotNull:
        return 6;
    case Kind::ReadOnly:
        return 7;
    case Kind::Busy:
        return 8;
    default:
        return 0;
    }
}

QString quote(const QString& text)
{
    QString s = text;
    s.replace(u'\'', QStringLiteral("''"));
    return s;
}

QString quoted(const QString& text)
{
    return u'\'' + quote(text) + u'\'';
}

bool isTextType(int type)
{
    return type == Type::Char || type == Type::WChar || (type >= Type::VarChar && type <= Type::LongVarWChar);
}

bool isNumberType(int type)
{
    switch (type) {
    case Type::SmallInt:
    case Type::Integer:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::TinyInt:
    case Type::UnsignedTinyInt:
    case Type::BigInt:
    case Type::Numeric:
        return true;
    default:
        return false;
    }
}

namespace detail {

Error makeError(Error::Kind kind, int number, const QString& description)
{
    return Error(kind, number, description, errorSource());
}

Error sqliteError(sqlite3* db, int rc, const QString& context)
{
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (!context.isEmpty())
        message = context + QStringLiteral(": ") + message;
    Error::Kind kind = Error::Kind::General;
    int number = ErrorNumber::General;
    switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
        number = ErrorNumber::IntegrityViolation;
        switch (ext) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_ROWID:
            kind = Error::Kind::Duplicate;
            break;
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            kind = Error::Kind::ForeignKey;
            break;
        case SQLITE_CONSTRAINT_NOTNULL:
            kind = Error::Kind::NotNull;
            break;
        default:
            kind = Error::Kind::Constraint;
            break;
        }
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        kind = Error::Kind::Busy;
        break;
    case SQLITE_READONLY:
    case SQLITE_AUTH:
    case SQLITE_PERM:
        kind = Error::Kind::ReadOnly;
        number = ErrorNumber::ReadOnly;
        break;
    case SQLITE_CANTOPEN:
        kind = Error::Kind::FileNotFound;
        break;
    case SQLITE_FULL:
        kind = Error::Kind::DiskFull;
        break;
    case SQLITE_IOERR:
        kind = Error::Kind::Io;
        if (db && ext == SQLITE_IOERR_WRITE) {
            // A write the system refused for want of room: the user's quota,
            // or the limit of a file's size (a full disk is SQLITE_FULL). The
            // database file keeps the cause of its last failure.
            int cause = sqlite3_system_errno(db);
            if (cause == 0)
                sqlite3_file_control(db, nullptr, SQLITE_FCNTL_LAST_ERRNO, &cause);
            if (cause == ENOSPC || cause == EDQUOT || cause == EFBIG)
                kind = Error::Kind::DiskFull;
        }
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        kind = Error::Kind::Io;
        break;
    case SQLITE_ERROR:
        kind = Error::Kind::Syntax;
        number = ErrorNumber::Syntax;
        break;
    case SQLITE_MISMATCH:
        kind = Error::Kind::NotNumber;
        number = ErrorNumber::TypeMismatch;
        break;
    case SQLITE_TOOBIG:
        kind = Error::Kind::TooLong;
        number = ErrorNumber::MultipleStep;
        break;
    default:
        break;
    }
    return makeError(kind, number, message);
}

int typeFromDeclared(const QString& declared, int* size)
{
    if (size)
        *size = 0;
    const QString d = declared.trimmed().toUpper();
    if (d.isEmpty())
        return -1;
    qsizetype end = 0;
    while (end < d.size() && (d.at(end).isLetterOrNumber() || d.at(end) == u'_'))
        ++end;
    const QString w = d.left(end);
    auto width = [&]() {
        static const QRegularExpression re(QStringLiteral(R"(\(\s*(\d+))"));
        const QRegularExpressionMatch m = re.match(d);
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    };
    if (w == u"INTEGER" || w == u"INT" || w == u"LONG" || w == u"COUNTER" || w == u"AUTOINCREMENT" ||
        w == u"MEDIUMINT" || w == u"INT4")
        return Type::Integer;
    if (w == u"SMALLINT" || w == u"SHORT" || w == u"INT2")
        return Type::SmallInt;
    if (w == u"BYTE" || w == u"TINYINT")
        return Type::UnsignedTinyInt;
    if (w == u"BIGINT" || w == u"INT8")
        return Type::BigInt;
    if (w == u"SINGLE" || w == u"FLOAT4")
        return Type::Single;
    if (w == u"DOUBLE" || w == u"REAL" || w == u"FLOAT" || w == u"FLOAT8" || w == u"NUMBER")
        return Type::Double;
    if (w == u"CURRENCY" || w == u"MONEY")
        return Type::Currency;
    if (w == u"DECIMAL" || w == u"NUMERIC")
        return Type::Numeric;
    if (w == u"YESNO" || w == u"BIT" || w == u"BOOLEAN" || w == u"LOGICAL" || w == u"BOOL")
        return Type::Boolean;
    if (w == u"DATETIME" || w == u"DATE" || w == u"TIME" || w == u"TIMESTAMP")
        return Type::Date;
    if (w == u"MEMO" || w == u"LONGTEXT" || w == u"LONGCHAR" || w == u"NOTE" || w == u"CLOB")
        return Type::LongVarWChar;
    if (w == u"BLOB" || w == u"LONGBINARY" || w == u"OLEOBJECT" || w == u"IMAGE" || w == u"BINARY" ||
        w == u"VARBINARY")
        return Type::LongVarBinary;
    if (w == u"TEXT" || w == u"VARCHAR" || w == u"CHAR" || w == u"NVARCHAR" || w == u"NCHAR" ||
        w == u"CHARACTER" || w == u"STRING") {
        if (size)
            *size = width();
        return Type::VarWChar;
    }
    // SQLite's affinity rules for anything else
    if (d.contains(QStringLiteral("INT")))
        return Type::Integer;
    if (d.contains(QStringLiteral("CHAR")) || d.contains(QStringLiteral("CLOB")) ||
        d.contains(QStringLiteral("TEXT")))
        return Type::VarWChar;
    if (d.contains(QStringLiteral("REAL")) || d.contains(QStringLiteral("FLOA")) ||
        d.contains(QStringLiteral("DOUB")))
        return Type::Double;
    return Type::VarWChar;
}

int typeOfValue(const Variant& v)
{
    switch (v.kind()) {
    case Variant::Kind::Int:
        return (v.asInt() > std::numeric_limits<qint32>::max() ||
                v.asInt() < std::numeric_limits<qint32>::min())
                   ? Type::BigInt
                   : Type::Integer;
    case Variant::Kind::Double:
        return Type::Double;
    case Variant::Kind::Bool:
        return Type::Boolean;
    case Variant::Kind::Date:
        return Type::Date;
    default:
        return Type::VarWChar;
    }
}

int isoDateText(const QDate& d, const QTime& t, char* text)
{
    int year = 0, month = 0, day = 0;
    d.getDate(&year, &month, &day);
    if (!d.isValid() || !t.isValid() || year < 1 || year > 9999)
        return 0;
    const auto digits = [&](int at, int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    digits(0, year, 4);
    text[4] = '-';
    digits(5, month, 2);
    text[7] = '-';
    digits(8, day, 2);
    if (t == QTime(0, 0))
        return 10;
    text[10] = ' ';
    digits(11, t.hour(), 2);
    text[13] = ':';
    digits(14, t.minute(), 2);
    text[16] = ':';
    digits(17, t.second(), 2);
    return 19;
}

// The stored form of a date into out.
static void isoText(const QDateTime& dt, QByteArray& out)
{
    // Date and time are taken once each (a local time is resolved on every
    // call): dates are bound by the column.
    const QDate d = dt.date();
    const QTime t = dt.time();
    char text[24];
    const int n = isoDateText(d, t, text);
    if (n == 0) {
        if (t == QTime(0, 0))
            out = d.toString(Qt::ISODate).toUtf8();
        else
            out = dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        return;
    }
    out.resize(n);
    std::memcpy(out.data(), text, size_t(n));
}

// The UTF-8 form of a text into out, whose room is reused: a text of ASCII
// characters only (most are) is copied byte for byte.
static void utf8Text(const QString& text, QByteArray& out)
{
    const qsizetype n = text.size();
    const QChar* from = text.constData();
    out.resize(n);
    char* to = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (from[i].unicode() >= 0x80) {
            out = text.toUtf8();
            return;
        }
        to[i] = char(from[i].unicode());
    }
}

void bindValue(sqlite3_stmt* stmt, int position, const Variant& value, BoundText* kept)
{
    const auto bindText = [&](auto write) {
        if (kept) {
            write(kept->next);
            if (sqlite3_bind_text(stmt, position, kept->next.constData(), int(kept->next.size()),
                                  SQLITE_STATIC) == SQLITE_OK)
                kept->bound.swap(kept->next);
        } else {
            QByteArray u;
            write(u);
            sqlite3_bind_text(stmt, position, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
    };
    switch (value.kind()) {
    case Variant::Kind::Empty:
    case Variant::Kind::Null:
        sqlite3_bind_null(stmt, position);
        break;
    case Variant::Kind::Bool:
        sqlite3_bind_int64(stmt, position, value.asBool() ? -1 : 0);
        break;
    case Variant::Kind::Int:
        sqlite3_bind_int64(stmt, position, value.asInt());
        break;
    case Variant::Kind::Double:
        sqlite3_bind_double(stmt, position, value.asDouble());
        break;
    case Variant::Kind::Text:
        bindText([&](QByteArray& out) { utf8Text(value.asText(), out); });
        break;
    case Variant::Kind::Date:
        bindText([&](QByteArray& out) { isoText(value.asDate(), out); });
        break;
    }
}

Variant fromSqliteValue(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return Variant(static_cast<std::int64_t>(sqlite3_value_int64(value)));
    case SQLITE_FLOAT:
        return Variant(sqlite3_value_double(value));
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return Variant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                         sqlite3_value_bytes(value)));
    default:
        return Variant::null();
    }
}

// The stored form "yyyy-MM-dd", "yyyy-MM-dd HH:mm:ss" (or with T), read
// without a format parser; anything else is left to the formats.
static bool parseIsoDate(const QString& t, QDateTime* out)
{
    const auto digits = [&](qsizetype from, qsizetype n, int* value) {
        int v = 0;
        for (qsizetype i = from; i < from + n; ++i) {
            const char16_t c = t.at(i).unicode();
            if (c < u'0' || c > u'9')
                return false;
            v = v * 10 + (c - u'0');
        }
        *value = v;
        return true;
    };
    if (t.size() != 10 && t.size() != 19)
        return false;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (t.at(4) != u'-' || t.at(7) != u'-' || !digits(0, 4, &y) || !digits(5, 2, &mo) || !digits(8, 2, &d))
        return false;
    if (t.size() == 19 && ((t.at(10) != u' ' && t.at(10) != u'T') || t.at(13) != u':' || t.at(16) != u':' ||
                           !digits(11, 2, &h) || !digits(14, 2, &mi) || !digits(17, 2, &s)))
        return false;
    const QDate date(y, mo, d);
    const QTime time(h, mi, s);
    if (!date.isValid() || !time.isValid())
        return false;
    *out = QDateTime(date, time);
    return out->isValid();
}

static QDateTime parseDate(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    QDateTime iso;
    if (parseIsoDate(t, &iso)) {
        *ok = true;
        return iso;
    }
    static const QStringList formats = {
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm"),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss"), QStringLiteral("dd.MM.yyyy HH:mm:ss"),
        QStringLiteral("dd.MM.yyyy HH:mm"),    QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")};
    for (const QString& f : formats) {
        const QDateTime dt = QDateTime::fromString(t, f);
        if (dt.isValid()) {
            *ok = true;
            return dt;
        }
    }
    static const QStringList dateFormats = {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d"),
                                            QStringLiteral("dd.MM.yyyy"), QStringLiteral("d.M.yyyy"),
                                            QStringLiteral("yyyy/MM/dd")};
    for (const QString& f : dateFormats) {
        const QDate d = QDate::fromString(t, f);
        if (d.isValid()) {
            *ok = true;
            return QDateTime(d, QTime(0, 0));
        }
    }
    *ok = false;
    return QDateTime();
}

// OLE automation date: days since 1899-12-30, the fraction is the time;
// only a number of the calendar (isDateSerial) is a date.
static bool isOleDate(double d)
{
    return isDateSerial(d);
}

static QDateTime fromOleDate(double d)
{
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0));
    const qint64 days = static_cast<qint64>(std::floor(d));
    const qint64 ms = static_cast<qint64>(std::llround((d - std::floor(d)) * 86400000.0));
    return base.addDays(days).addMSecs(ms);
}

Variant convertRead(const Variant& raw, int adoType)
{
    if (raw.isMissing())
        return Variant::null();
    switch (adoType) {
    case Type::Date: {
        if (raw.isText()) {
            bool ok = false;
            const QDateTime dt = parseDate(raw.asText(), &ok);
            return ok ? Variant(dt) : raw;
        }
        if (raw.isNumber() && isOleDate(raw.toDouble()))
            return Variant(fromOleDate(raw.toDouble()));
        return raw;
    }
    case Type::Boolean:
        if (raw.isNumber())
            return Variant(raw.toDouble() != 0);
        if (raw.isText())
            return Variant(raw.toBool());
        return raw;
    case Type::SmallInt:
    case Type::Integer:
    case Type::TinyInt:
    case Type::UnsignedTinyInt:
    case Type::BigInt:
        if (raw.kind() == Variant::Kind::Double && raw.asDouble() == std::trunc(raw.asDouble()) &&
            std::fabs(raw.asDouble()) < 9e15)
            return Variant(static_cast<std::int64_t>(raw.asDouble()));
        return raw;
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Numeric:
        if (raw.kind() == Variant::Kind::Int)
            return Variant(static_cast<double>(raw.asInt()));
        return raw;
    default:
        if (isTextType(adoType) && raw.isNumber() && raw.kind() != Variant::Kind::Bool)
            return raw; // a number stored in a text column stays what it is
        return raw;
    }
}

Variant readColumn(sqlite3_stmt* stmt, int column, int adoType)
{
    Variant raw;
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        raw = Variant(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
        break;
    case SQLITE_FLOAT:
        raw = Variant(sqlite3_column_double(stmt, column));
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        raw = Variant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                        sqlite3_column_bytes(stmt, column)));
        break;
    default:
        return Variant::null();
    }
    return adoType < 0 ? raw : convertRead(raw, adoType);
}

namespace {
constexpr int keptSlots = 64;    // values kept per column, by hash
constexpr int triedReads = 2048; // rows read before a column's hits are judged
} // namespace

ColumnReader::ColumnReader(const QVector<int>& adoTypes) : m_columns(adoTypes.size())
{
    for (int c = 0; c < adoTypes.size(); ++c) {
        m_columns[c].type = adoTypes[c];
        m_columns[c].kept.resize(keptSlots);
    }
}

Variant ColumnReader::read(sqlite3_stmt* stmt, int column)
{
    if (column < 0 || column >= m_columns.size())
        return readColumn(stmt, column, -1);
    Column& col = m_columns[column];
    if (!col.keep || sqlite3_column_type(stmt, column) != SQLITE_TEXT)
        return readColumn(stmt, column, col.type);
    const QByteArrayView bytes(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                               sqlite3_column_bytes(stmt, column));
    Kept& k = col.kept[qHash(bytes) % keptSlots];
    ++col.reads;
    if (!k.value.isEmpty() && k.text == bytes) {
        ++col.hits;
        return k.value;
    }
    Variant v = readColumn(stmt, column, col.type);
    if (col.type != Type::Date && col.reads >= triedReads && col.hits < col.reads / 4) {
        col.keep = false; // mostly distinct values: keeping them only costs
        col.kept.clear();
        return v;
    }
    k.text = bytes.toByteArray();
    k.value = v;
    return v;
}

QString textOf(const Variant& v)
{
    return v.toText();
}

// A double stands for the decimal it was made from to within half a unit in
// its last place (2.675 is stored as 2.67499999999999982..., 987654321.49
// as 987654321.49000001...), and the scaling by tens adds as much again; a
// product of two such decimals (a currency value by its rate) or a sum of a
// few stays within two units. So the scaled value y is on a half when it
// lies within two units in its last place of one: every decimal typed or
// worked out as a half is found as one, and a value further from a half is
// none, which at 3 billion is less than a millionth of a unit. From 1e14 on,
// where the scaled values are whole or halves themselves, only an exact half
// counts.
double roundHalfEven(double x, int digits)
{
    if (!std::isfinite(x))
        return x;
    if (digits > 15)
        return x;
    static constexpr double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    // Tens to the digits, or for digits below 0 what y is divided by: 10^n
    // is exact up to 10^22, a tenth is not.
    const double p = digits >= 0 ? powers[digits] : std::pow(10.0, -digits);
    const double y = digits >= 0 ? x * p : x / p;
    const double a = std::fabs(y);
    if (!std::isfinite(y) || a >= 9e15)
        return x;
    const double f = std::floor(y);
    const double diff = y - f; // exact
    const double tolerance = a < 1e14 ? 2 * (std::nextafter(a, HUGE_VAL) - a) : 0;
    double r;
    if (std::fabs(diff - 0.5) <= tolerance)
        r = (std::fmod(f, 2.0) == 0) ? f : f + 1;
    else
        r = diff < 0.5 ? f : f + 1;
    const double out = digits >= 0 ? r / p : r * p;
    return out == 0 ? 0.0 : out; // no -0
}

Result<Variant> checkValue(const Field& field, const Variant& value)
{
    const auto fail = [&](Error::Kind kind, int number, const QString& what) -> Result<Variant> {
        return makeError(kind, number,
                         QStringLiteral("%1 (field %2, value '%3')").arg(what, field.name, value.toText()));
    };
    if (value.isMissing())
        return Variant::null();
    const int type = field.type;
    if (isTextType(type)) {
        // A text is kept as it is; anything else becomes its text (a Yes/No "True" or "False").
        const Variant text = value.isText() ? value : Variant(value.toText());
        if (type != Type::LongVarWChar && type != Type::LongVarChar && field.definedSize > 0 &&
            text.asText().size() > field.definedSize)
            return fail(
                Error::Kind::TooLong, ErrorNumber::MultipleStep,
                QStringLiteral("The text is longer than the field's %1 characters").arg(field.definedSize));
        return text;
    }
    if (isNumberType(type)) {
        double d = 0;
        bool ok = false;
        if (value.kind() == Variant::Kind::Date) {
            ok = false;
        } else if (value.isText()) {
            QString t = value.asText().trimmed();
            d = t.toDouble(&ok);
        } else {
            d = value.toDouble(&ok);
        }
        if (!ok || !std::isfinite(d))
            return fail(Error::Kind::NotNumber, ErrorNumber::TypeMismatch,
                        QStringLiteral("The value is not a number"));
        switch (type) {
        case Type::SmallInt:
        case Type::Integer:
        case Type::TinyInt:
        case Type::UnsignedTinyInt:
        case Type::BigInt: {
            const double r = roundHalfEven(d, 0);
            double lo = -2147483648.0, hi = 2147483647.0;
            if (type == Type::SmallInt) {
                lo = -32768;
                hi = 32767;
            } else if (type == Type::UnsignedTinyInt) {
                lo = 0;
                hi = 255;
            } else if (type == Type::TinyInt) {
                lo = -128;
                hi = 127;
            } else if (type == Type::BigInt) {
                lo = -9.2e18;
                hi = 9.2e18;
            }
            if (r < lo || r > hi)
                return fail(Error::Kind::NotNumber, ErrorNumber::TypeMismatch,
                            QStringLiteral("The number is out of the field's range"));
            return Variant(static_cast<std::int64_t>(r));
        }
        case Type::Currency:
            return Variant(roundHalfEven(d, 4));
        default:
            if (value.kind() == Variant::Kind::Int)
                return value;
            return Variant(d);
        }
    }
    if (type == Type::Boolean) {
        if (value.kind() == Variant::Kind::Bool)
            return Variant(value.asBool());
        if (value.isNumber())
            return Variant(value.toDouble() != 0);
        const QString t = value.toText().trimmed().toUpper();
        if (t == u"TRUE" || t == u"YES" || t == u"DA")
            return Variant(true);
        if (t == u"FALSE" || t == u"NO" || t == u"NU")
            return Variant(false);
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (ok)
            return Variant(d != 0);
        return fail(Error::Kind::NotNumber, ErrorNumber::TypeMismatch,
                    QStringLiteral("The value is not Yes/No"));
    }
    if (type == Type::Date) {
        if (value.isDate())
            return value;
        if (value.isText()) {
            bool ok = false;
            const QDateTime dt = parseDate(value.asText(), &ok);
            if (ok)
                return Variant(dt);
            return fail(Error::Kind::NotDate, ErrorNumber::TypeMismatch,
                        QStringLiteral("The value is not a date"));
        }
        if (value.isNumber() && value.kind() != Variant::Kind::Bool && isOleDate(value.toDouble()))
            return Variant(fromOleDate(value.toDouble()));
        return fail(Error::Kind::NotDate, ErrorNumber::TypeMismatch,
                    QStringLiteral("The value is not a date"));
    }
    return value;
}

} // namespace detail

double roundHalfEven(double x, int digits)
{
    return detail::roundHalfEven(x, digits);
}

namespace {

// The kinds of separator an amount may hold.
enum Separator : char
{
    NoSeparator = 0,
    Dot = '.',
    Comma = ',',
    Blank = ' ',
    Apostrophe = '\''
};

Separator separatorOf(QChar c)
{
    if (c == u'.')
        return Dot;
    if (c == u',')
        return Comma;
    if (c == u'\'' || c == u'\u2019')
        return Apostrophe;
    if (c.isSpace())
        return Blank;
    return NoSeparator;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits grouped by `group`: a first group of 1 to 3 digits, the others of 3;
// any run of digits when there is no grouping.
bool groupsRight(QStringView part, Separator group)
{
    if (group == NoSeparator)
        return true;
    qsizetype length = 0;
    bool first = true;
    for (const QChar c : part) {
        if (isDigit(c)) {
            ++length;
            continue;
        }
        if ((first && (length < 1 || length > 3)) || (!first && length != 3))
            return false;
        first = false;
        length = 0;
    }
    return first ? length > 0 : length == 3;
}

} // namespace

std::optional<double> readAmount(QStringView text, QChar wholeGroup)
{
    // Blanks, no-break spaces among them, around the amount.
    QStringView t = text.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    if (t.isEmpty())
        return std::nullopt;

    qsizetype dots = 0, commas = 0, lastDot = -1, lastComma = -1;
    Separator otherGroup = NoSeparator; // blanks or apostrophes
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isDigit(c))
            continue;
        switch (const Separator s = separatorOf(c)) {
        case Dot:
            ++dots;
            lastDot = i;
            break;
        case Comma:
            ++commas;
            lastComma = i;
            break;
        case Blank:
        case Apostrophe:
            if (otherGroup != NoSeparator && otherGroup != s)
                return std::nullopt;
            otherGroup = s;
            break;
        case NoSeparator:
            return std::nullopt;
        }
    }

    // The decimal mark and the grouping.
    Separator decimal = NoSeparator;
    Separator group = NoSeparator;
    if (dots > 0 && commas > 0) {
        decimal = lastDot > lastComma ? Dot : Comma;
        group = decimal == Dot ? Comma : Dot;
        if ((decimal == Dot ? dots : commas) != 1)
            return std::nullopt;
    } else if (commas == 1) {
        decimal = Comma;
    } else if (commas > 1) {
        group = Comma;
    } else if (dots == 1) {
        decimal = Dot;
    } else if (dots > 1) {
        group = Dot;
    }
    if (otherGroup != NoSeparator) {
        if (group != NoSeparator)
            return std::nullopt;
        group = otherGroup;
    }
    qsizetype mark = decimal == NoSeparator ? -1 : (decimal == Dot ? lastDot : lastComma);
    // A lone mark of the whole amounts shown, before three digits, groups them.
    if (group == NoSeparator && decimal != NoSeparator && separatorOf(wholeGroup) == decimal &&
        t.size() - mark - 1 == 3 && mark >= 1 && mark <= 3) {
        group = decimal;
        decimal = NoSeparator;
        mark = -1;
    }

    const QStringView whole = mark < 0 ? t : t.left(mark);
    const QStringView fraction = mark < 0 ? QStringView() : t.mid(mark + 1);
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit))
        return std::nullopt;
    if (whole.isEmpty() ? fraction.isEmpty() : !groupsRight(whole, group))
        return std::nullopt;

    QVarLengthArray<char, 64> c;
    if (negative)
        c.append('-');
    for (const QChar ch : whole)
        if (isDigit(ch))
            c.append(char(ch.unicode()));
    if (whole.isEmpty())
        c.append('0');
    c.append('.');
    for (const QChar ch : fraction)
        c.append(char(ch.unicode()));
    c.append('0');
    double d = 0;
    const auto [end, error] = std::from_chars(c.begin(), c.end(), d);
    if (error != std::errc() || end != c.end() || !std::isfinite(d))
        return std::nullopt;
    return d;
}

Result<Variant> checkFieldValue(const Field& field, const Variant& value)
{
    return detail::checkValue(field, value);
}

} // namespace db
