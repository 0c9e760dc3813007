#pragma once
// Splitting a text on a delimiter.

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
