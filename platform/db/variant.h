#pragma once
// A database value as the program sees it: Empty (never assigned) and Null
// (the database's missing value) are kept apart, every other value has one
// kind. Numbers turn into text the way the program always printed them:
// 84713000, not 84713000.0, with "." as decimal point.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <variant>

namespace db {

struct EmptyValue
{
    bool operator==(const EmptyValue&) const = default;
};
struct NullValue
{
    bool operator==(const NullValue&) const = default;
};

class Variant
{
public:
    enum class Kind
    {
        Empty,
        Null,
        Bool,
        Int,
        Double,
        Text,
        Date
    };

    Variant() = default; // Empty
    Variant(bool b) : m_v(b) {}
    Variant(int i) : m_v(static_cast<std::int64_t>(i)) {}
    Variant(std::int64_t i) : m_v(i) {}
    Variant(long long i) : m_v(static_cast<std::int64_t>(i)) {}
    Variant(double d) : m_v(d) {}
    Variant(const QString& s) : m_v(s) {}
    Variant(QString&& s) : m_v(std::move(s)) {}
    Variant(const QDate& d) : m_v(QDateTime(d, QTime(0, 0))) {}
    Variant(const QDateTime& dt) : m_v(dt) {}

    static Variant null() { return Variant(NullValue{}); }
    static Variant empty() { return Variant(); }

    Kind kind() const { return static_cast<Kind>(m_v.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }
    // Null or Empty: no value at all.
    bool isMissing() const { return isEmpty() || isNull(); }
    bool isNumber() const { return kind() == Kind::Int || kind() == Kind::Double || kind() == Kind::Bool; }
    bool isText() const { return kind() == Kind::Text; }
    bool isDate() const { return kind() == Kind::Date; }

    // Text form: Null and Empty give "", numbers without a trailing ".0",
    // booleans "True"/"False", dates as ISO text (time only when set).
    QString toText() const;
    // Number form: texts are read as numbers with "." (the whole text must be
    // a number, blanks around it allowed); ok tells whether it was one.
    double toDouble(bool* ok = nullptr) const;
    std::int64_t toInt64(bool* ok = nullptr) const;
    int toInt(bool* ok = nullptr) const { return static_cast<int>(toInt64(ok)); }
    // Non-zero numbers and the texts "True"/"-1" are true.
    bool toBool() const;
    QDateTime toDateTime() const;

    bool asBool() const { return std::get<bool>(m_v); }
    std::int64_t asInt() const { return std::get<std::int64_t>(m_v); }
    double asDouble() const { return std::get<double>(m_v); }
    const QString& asText() const { return std::get<QString>(m_v); }
    const QDateTime& asDate() const { return std::get<QDateTime>(m_v); }

    // Same kind and same value (Null equals Null here; this is not SQL).
    bool operator==(const Variant& o) const { return m_v == o.m_v; }

    // The text of a double as the program prints it: up to 15 significant
    // digits, no exponent for ordinary magnitudes, no trailing zeros.
    static QString numberText(double d);

private:
    explicit Variant(NullValue n) : m_v(n) {}
    std::variant<EmptyValue, NullValue, bool, std::int64_t, double, QString, QDateTime> m_v;
};

// Dates as numbers: days since 30 December 1899, the fraction the time of
// day. The calendar runs from 1 January 100 (kFirstDateSerial) to the end of
// 31 December 9999 (kEndDateSerial is the first number past it); a number
// outside it, NaN or an infinity is no date.
inline constexpr double kFirstDateSerial = -657434.0;
inline constexpr double kEndDateSerial = 2958466.0;
inline bool isDateSerial(double d)
{
    return d >= kFirstDateSerial && d < kEndDateSerial;
}

} // namespace db
