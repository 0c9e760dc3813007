#include "platform/ui/imprimanta.h"

#include "platform/ui/mesaj.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace ui {
namespace {

struct Raspunsuri
{
    QStringList cozi;
    int dialoguri = 0;
};

Raspunsuri& raspunsuri()
{
    static Raspunsuri r;
    return r;
}

} // namespace

bool choosePrinter(QPrinter& printer, QWidget* parent)
{
    if (testing::enabled()) {
        Raspunsuri& r = raspunsuri();
        ++r.dialoguri;
        const QString pdf = r.cozi.isEmpty() ? QString() : r.cozi.takeFirst();
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace testing {

void pushPrinter(const QString& pdfPath)
{
    raspunsuri().cozi.append(pdfPath);
}

int printerDialogs()
{
    return raspunsuri().dialoguri;
}

void clearPrinters()
{
    raspunsuri() = Raspunsuri();
}

} // namespace testing
} // namespace ui
