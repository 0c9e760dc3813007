#pragma once
// The rich-text boxes that show long texts (the explanatory notes, the
// verification's problem report): printing them page by page and marking
// every whole-word occurrence of a text.

#include <QtGlobal>

class QPrinter;
class QString;
class QTextEdit;

// Prints the box's whole text on the printer, page after page, inside the
// margins (twips; 1440 is one inch), every character included up to the
// last. Page formatting is done on a copy, so the box keeps its layout.
// False when the printer could not print (the caller decides what to say).
bool Tipareste_RTF(QTextEdit* box, QPrinter& printer, qint32 stanga, qint32 sus, qint32 dreapta, qint32 jos);

// Marks every whole-word occurrence of text in the box, letter case
// ignored: the colour (0x00BBGGRR, so 0xFF0000 is blue) and bold. Earlier
// marks stay; the last occurrence is left selected. Gives the number of
// occurrences marked; 0 for an empty text. Past 32767 occurrences it shows
// the overflow error box and gives 0, leaving the marks already made.
qint16 Evidentiaza_Text_RTF(QTextEdit* box, const QString& text, quint32 culoare);
