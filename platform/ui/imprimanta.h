#pragma once
// The printer dialog, on the same terms as the message boxes: every print
// command of the program asks through here, and a test answers in advance.

#include <QString>

class QPrinter;
class QWidget;

namespace ui {

// Shows the printer dialog for the printer; true when the user confirms,
// false when he cancels. In test mode (ui::testing::enabled()) nothing is
// shown: the next queued answer is taken, and an empty queue cancels.
bool choosePrinter(QPrinter& printer, QWidget* parent = nullptr);

namespace testing {

// The next printer dialog is confirmed with the printer writing a PDF file
// at the path; an empty path cancels it.
void pushPrinter(const QString& pdfPath);
// Printer dialogs asked for since the last clearPrinters().
int printerDialogs();
// Forgets the queued answers and the count.
void clearPrinters();

} // namespace testing
} // namespace ui
