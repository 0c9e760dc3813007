#pragma once
// Splitting a text on a delimiter; characters no text of a declaration may hold.

#include <QString>
#include <QStringList>

// Splits text on delim (exact, case-sensitive, a delimiter of several
// characters matched whole, occurrences never overlapping). The list is
// replaced: element 0 is "", the pieces are elements 1..n, and n, the number
// of delimiter occurrences plus one, is returned. An empty delimiter gives one
// piece, the whole text. More than 32767 pieces is an overflow: the result is
// -1, the list holds element 0 only and *error (when given) says so.
qint16 Imparte_String(QStringList& list, const QString& text, const QString& delim, QString* error = nullptr);

// The text without its leading and trailing blanks (the blank character
// only; tabs and line breaks stay).
QString Fara_Blancuri_Margine(const QString& text);

// A control character other than tab, line feed and carriage return, or one
// of the non-characters U+FFFE and U+FFFF: what XML 1.0 allows in no text,
// so what no imported or declared value may keep.
inline bool Caracter_Control(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}
