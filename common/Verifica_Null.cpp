#include "common/Verifica_Null.h"

#include "platform/ui/mesaj.h"

#include <cmath>

using namespace Qt::StringLiterals;

bool Este_Null(const db::Variant& value, const QString& label, bool show)
{
    bool blank = value.isMissing();
    // A number's text is never blank: no need to make it.
    if (!blank && !value.isNumber()) {
        const QString text = value.toText();
        blank = text.isEmpty() || text == u" "_s;
    }
    if (blank && show)
        ui::msgBox(label + u"  -  Obligatoriu de completat !"_s, ui::Icon::Critical, ui::Buttons::Ok,
                   u"EROARE"_s);
    return blank;
}

db::Variant Null_La_Valoare(const db::Variant& value, const db::Variant& def)
{
    if (value.isMissing())
        return def;
    if (value.isText() && value.asText().isEmpty())
        return def;
    return value;
}

db::Variant Null_Sau_Zero_La_Valoare(const db::Variant& value, const db::Variant& def)
{
    if (value.isMissing())
        return def;
    switch (value.kind()) {
    case db::Variant::Kind::Bool:
    case db::Variant::Kind::Int:
    case db::Variant::Kind::Double:
        return value.toDouble() == 0 ? def : value;
    case db::Variant::Kind::Text:
        return Val(value.asText()) == 0 ? def : value;
    default:
        // A date is never zero.
        return value;
    }
}

namespace {

bool skippable(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The value of one digit in the radix, or -1.
int digitValue(QChar c, int radix)
{
    int d = -1;
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < radix ? d : -1;
}

} // namespace

double Val(const QString& text)
{
    // The characters that count, blanks removed (Val ignores them anywhere).
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!skippable(c))
            s.append(c);

    if (s.size() >= 2 && s.at(0) == u'&') {
        const QChar p = s.at(1).toUpper();
        int radix = 0;
        if (p == u'H')
            radix = 16;
        else if (p == u'O')
            radix = 8;
        if (radix) {
            double r = 0;
            for (qsizetype i = 2; i < s.size(); ++i) {
                const int d = digitValue(s.at(i), radix);
                if (d < 0)
                    break;
                r = r * radix + d;
            }
            return r;
        }
        return 0;
    }

    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        number.append(s.at(i++));
    qsizetype digits = 0;
    while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128) {
        number.append(s.at(i++));
        ++digits;
    }
    if (i < s.size() && s.at(i) == u'.') {
        number.append(s.at(i++));
        while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128) {
            number.append(s.at(i++));
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s.at(i).toUpper() == u'E' || s.at(i).toUpper() == u'D')) {
        qsizetype j = i + 1;
        QString exponent = u"e"_s;
        if (j < s.size() && (s.at(j) == u'+' || s.at(j) == u'-'))
            exponent.append(s.at(j++));
        qsizetype expDigits = 0;
        while (j < s.size() && s.at(j).isDigit() && s.at(j).unicode() < 128) {
            exponent.append(s.at(j++));
            ++expDigits;
        }
        if (expDigits > 0)
            number.append(exponent);
    }
    bool ok = false;
    const double r = number.toDouble(&ok);
    return ok && std::isfinite(r) ? r : 0;
}
