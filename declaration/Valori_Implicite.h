#pragma once
// A window's per-user control values: the text file Default/<window>.txt
// under the system folder, one "name=value" line per control, each ended by
// CR LF, a line break inside a value written as "|".

#include <QList>
#include <QPair>
#include <QString>

using Valori_Controale = QList<QPair<QString, QString>>;

// Folder_Sistem & "Default/" & window & ".txt".
QString Fisier_Valori_Implicite(const QString& fereastra);

// Writes the file anew, whole or not at all. False (with the reason) when it
// cannot be written, for example when the folder is missing.
bool Scrie_Valori_Implicite(const QString& cale, const Valori_Controale& valori, QString* eroare = nullptr);

// The lines of the file in order: the name before the first "=", the value
// after it ("|" stays "|"). Lines ended by CR LF or LF; a line without "="
// is skipped. Empty when the file is missing.
Valori_Controale Citeste_Valori_Implicite(const QString& cale);
