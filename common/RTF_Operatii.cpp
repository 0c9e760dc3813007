#include "common/RTF_Operatii.h"

#include "platform/ui/mesaj.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The resolution the document's own units are laid out in (the screen's).
qreal Rezolutie_Document()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->logicalDotsPerInch() : 96.0;
}

} // namespace

bool Tipareste_RTF(QTextEdit* box, QPrinter& printer, qint32 stanga, qint32 sus, qint32 dreapta, qint32 jos)
{
    if (!box)
        return false;
    printer.setFullPage(false);
    // Twips to points: 20 twips to the point.
    if (!printer.setPageMargins(QMarginsF(stanga / 20.0, sus / 20.0, dreapta / 20.0, jos / 20.0),
                                QPageLayout::Point))
        return false;

    // A copy laid out in pages of the printable rectangle, so the box on
    // screen keeps its own layout.
    std::unique_ptr<QTextDocument> copie(box->document()->clone());
    copie->setDocumentMargin(0);
    const qreal scara = Rezolutie_Document() / 72.0;
    const QRectF printabil = printer.pageLayout().paintRect(QPageLayout::Point);
    const QSizeF pagina(printabil.width() * scara, printabil.height() * scara);
    copie->setPageSize(pagina);

    QPainter pictor(&printer);
    if (!pictor.isActive())
        return false;
    pictor.scale(printer.width() / pagina.width(), printer.height() / pagina.height());
    const int pagini = copie->pageCount();
    int prima = 1;
    int ultima = pagini;
    if (printer.fromPage() > 0) {
        prima = std::max(1, printer.fromPage());
        ultima = std::min(pagini, printer.toPage());
    }
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int i = prima; i <= ultima; ++i) {
        if (i > prima)
            printer.newPage();
        // The page's slice of the document. A line moved to the next page
        // may start a fraction of a unit above this page's end: it is left
        // to its own page.
        const QRectF felie(0, (i - 1) * pagina.height(), pagina.width(), pagina.height() - 0.5);
        pictor.save();
        pictor.translate(0, -felie.top());
        pictor.setClipRect(felie);
        context.clip = felie;
        copie->documentLayout()->draw(&pictor, context);
        pictor.restore();
    }
    return pictor.end();
}

qint16 Evidentiaza_Text_RTF(QTextEdit* box, const QString& text, quint32 culoare)
{
    if (!box || text.isEmpty())
        return 0;
    QTextCharFormat marcaj;
    marcaj.setForeground(
        QColor(int(culoare & 0xFF), int((culoare >> 8) & 0xFF), int((culoare >> 16) & 0xFF)));
    marcaj.setFontWeight(QFont::Bold);

    QTextDocument* document = box->document();
    qint16 numar = 0;
    QTextCursor ultimul;
    // One edit: the box lays its text out again once, at the end.
    QTextCursor editare(document);
    editare.beginEditBlock();
    for (QTextCursor gasit = document->find(text, 0, QTextDocument::FindWholeWords); !gasit.isNull();
         gasit = document->find(text, gasit.selectionEnd(), QTextDocument::FindWholeWords)) {
        if (numar == std::numeric_limits<qint16>::max()) {
            editare.endEditBlock();
            ui::msgBox(u"Unexpected error number-6 occurred in "_s + ui::programTitle() +
                       u":\r\n\r\nOverflow"_s);
            return 0;
        }
        ++numar;
        gasit.mergeCharFormat(marcaj);
        ultimul = gasit;
    }
    editare.endEditBlock();
    if (!ultimul.isNull())
        box->setTextCursor(ultimul);
    return numar;
}
