#pragma once
// The name of the user running the program.

#include <QString>

// The text before the first NUL character (the whole text when there is none).
QString Text_Inainte_De_Null(const QString& text);

// The user name in a 40-character buffer padded with NUL characters (the
// program reads the name through such a buffer and strips the padding);
// "" when the system refuses, which includes a name of 40 characters or more
// (no room for the terminator).
QString Nume_Utilizator_Sistem();

// The user name without the buffer's padding; "" when the system refuses;
// "N/A" when reading it fails unexpectedly.
QString Citeste_Nume_Utilizator();
