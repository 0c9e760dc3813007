#include "print.h"

#include "platform/grid/grid.h"
#include "platform/grid/units.h"
#include "platform/ui/ecran.h"
#include "platform/ui/imprimanta.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QVBoxLayout>

namespace grid {

namespace {

constexpr int kTextFlags = Qt::TextSingleLine;

struct PrintColumn
{
    int index = 0;
    double width = 0; // device pixels
    bool wrap = false;
};

QString footerText(QString text, int page, int pages)
{
    text.replace(QStringLiteral("\\P"), QString::number(pages));
    text.replace(QStringLiteral("\\p"), QString::number(page));
    return text;
}

// A header or footer line: tabs divide it into a left, a centred and a
// right-aligned part (tabs after the second one only separate).
void drawSections(QPainter& p, const QRectF& r, const QString& text, Qt::Alignment vertical)
{
    const QStringList parts = text.split(u'\t');
    const QString right = parts.mid(2).join(QString());
    const int flags = int(vertical) | Qt::TextSingleLine;
    p.drawText(r, int(Qt::AlignLeft) | flags, parts.value(0));
    p.drawText(r, int(Qt::AlignHCenter) | flags, parts.value(1));
    p.drawText(r, int(Qt::AlignRight) | flags, right);
}

Qt::Alignment alignmentOf(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<Qt::Alignment>())
        return v.value<Qt::Alignment>();
    return Qt::Alignment(v.toInt());
}

// Lays out and paints the table part of the pages: the heading row, then rows.
class TablePainter
{
public:
    TablePainter(Grid& grid, QPainter& painter, double dpi) : m_grid(grid), m_p(painter)
    {
        m_pad = dpi / 72.0 * 1.5;
        const QHeaderView* h = grid.horizontalHeader();
        for (int v = 0; v < h->count(); ++v) {
            const int c = h->logicalIndex(v);
            if (c < 0 || grid.isColumnHidden(c))
                continue;
            const double twips = pixelsToTwips(grid.columnWidth(c), grid.logicalDpiX());
            m_columns.append({c, twips * dpi / 1440.0, grid.column(c).wrap});
            m_width += m_columns.last().width;
        }
        m_cellFont = grid.font();
        m_headingFont = h->font();
        m_headingFont.setBold(true);
        m_p.setFont(m_cellFont);
        m_lineHeight = m_p.fontMetrics().height() + 2 * m_pad;
        m_headingHeight = heightOf(
            m_headingFont, [&](int c) { return grid.column(c).caption; }, true);
    }

    double width() const { return m_width; }
    double headingHeight() const { return m_headingHeight; }

    double rowHeight(int row)
    {
        if (std::none_of(m_columns.cbegin(), m_columns.cend(), [](const PrintColumn& c) { return c.wrap; }))
            return m_lineHeight;
        return heightOf(
            m_cellFont, [&](int c) { return text(row, c); }, false);
    }

    void paintHeading()
    {
        m_p.setFont(m_headingFont);
        double x = 0;
        for (const PrintColumn& c : std::as_const(m_columns)) {
            const QRectF r(x, 0, c.width, m_headingHeight);
            m_p.fillRect(r, QColor(230, 230, 230));
            m_p.setPen(Qt::gray);
            m_p.drawRect(r);
            m_p.setPen(Qt::black);
            m_p.drawText(inner(r), int(Qt::AlignCenter) | Qt::TextWordWrap, m_grid.column(c.index).caption);
            x += c.width;
        }
    }

    void paintRow(int row, double y, double height)
    {
        m_p.setFont(m_cellFont);
        const QAbstractItemModel* m = m_grid.model();
        double x = 0;
        for (const PrintColumn& c : std::as_const(m_columns)) {
            const QRectF r(x, y, c.width, height);
            const QModelIndex i = m->index(row, c.index);
            const QColor back = i.data(Qt::BackgroundRole).value<QColor>();
            if (back.isValid())
                m_p.fillRect(r, back);
            m_p.setPen(Qt::gray);
            m_p.drawRect(r);
            const QColor fore = i.data(Qt::ForegroundRole).value<QColor>();
            m_p.setPen(fore.isValid() ? fore : QColor(Qt::black));
            const Qt::Alignment a = alignmentOf(i.data(Qt::TextAlignmentRole));
            const QString t = i.data(Qt::DisplayRole).toString();
            if (c.wrap)
                m_p.drawText(inner(r), int(a) | Qt::TextWordWrap, t);
            else
                m_p.drawText(inner(r), int(a) | kTextFlags,
                             m_p.fontMetrics().elidedText(t, Qt::ElideRight, int(inner(r).width())));
            x += c.width;
        }
    }

private:
    QString text(int row, int col) const
    {
        return m_grid.model()->index(row, col).data(Qt::DisplayRole).toString();
    }

    QRectF inner(const QRectF& r) const { return r.adjusted(m_pad, m_pad / 2, -m_pad, -m_pad / 2); }

    // The height of the tallest cell when the wrapping columns wrap.
    template <class TextOf> double heightOf(const QFont& font, TextOf textOf, bool wrapAll)
    {
        m_p.setFont(font);
        const QFontMetricsF fm(m_p.fontMetrics());
        double h = fm.height();
        for (const PrintColumn& c : std::as_const(m_columns)) {
            if (!c.wrap && !wrapAll)
                continue;
            const QRectF box(0, 0, qMax(1.0, c.width - 2 * m_pad), 1e9);
            h = qMax(h, fm.boundingRect(box, Qt::TextWordWrap, textOf(c.index)).height());
        }
        return h + 2 * m_pad;
    }

    Grid& m_grid;
    QPainter& m_p;
    QList<PrintColumn> m_columns;
    QFont m_cellFont;
    QFont m_headingFont;
    double m_pad = 0;
    double m_width = 0;
    double m_lineHeight = 0;
    double m_headingHeight = 0;
};

} // namespace

QPageLayout pageLayout(const PrintSettings& s)
{
    const QMarginsF margins(s.marginLeft / 20.0, s.marginTop / 20.0, s.marginRight / 20.0,
                            s.marginBottom / 20.0);
    return QPageLayout(QPageSize(s.paper), s.orientation, margins, QPageLayout::Point);
}

int printGrid(Grid& grid, const PrintSettings& settings, QPrinter& printer)
{
    QPainter p;
    if (!p.begin(&printer))
        return 0;
    const double dpi = printer.resolution();
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();

    p.setFont(settings.pageHeaderFont);
    const double headerHeight = p.fontMetrics().height() * 2.0;
    p.setFont(settings.pageFooterFont);
    const double footerHeight = p.fontMetrics().height() * 2.0;

    TablePainter table(grid, p, dpi);
    const double scale = table.width() > page.width() ? page.width() / table.width() : 1.0;
    const double body = (page.height() - headerHeight - footerHeight) / scale - table.headingHeight();

    // Page breaks: the first row of each page and the row heights.
    const int rows = grid.dataRowCount();
    QList<double> heights(rows);
    QList<int> starts{0};
    double y = 0;
    for (int r = 0; r < rows; ++r) {
        heights[r] = table.rowHeight(r);
        if (y > 0 && y + heights[r] > body) {
            starts.append(r);
            y = 0;
        }
        y += heights[r];
    }
    const int pages = int(starts.size());

    for (int pg = 0; pg < pages; ++pg) {
        if (pg > 0)
            printer.newPage();
        p.setPen(Qt::black);
        p.setFont(settings.pageHeaderFont);
        drawSections(p, QRectF(0, 0, page.width(), headerHeight), settings.pageHeader, Qt::AlignTop);
        p.setFont(settings.pageFooterFont);
        drawSections(p, QRectF(0, page.height() - footerHeight, page.width(), footerHeight),
                     footerText(settings.pageFooter, pg + 1, pages), Qt::AlignBottom);

        p.save();
        p.translate(0, headerHeight);
        p.scale(scale, scale);
        table.paintHeading();
        double top = table.headingHeight();
        const int end = pg + 1 < pages ? starts[pg + 1] : rows;
        for (int r = starts[pg]; r < end; ++r) {
            table.paintRow(r, top, heights[r]);
            top += heights[r];
        }
        p.restore();
    }
    p.end();
    return pages;
}

// ---------------------------------------------------------------- preview

PrintPreview::PrintPreview(Grid& grid, const PrintSettings& settings, QWidget* parent)
    : QDialog(parent), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(settings.previewCaption);
    m_printer.setPageLayout(pageLayout(settings));
    m_printer.setDocName(settings.previewCaption);

    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [&grid, settings](QPrinter* printer) { printGrid(grid, settings, *printer); });
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(settings.zoomPercent / 100.0);

    const auto action = [&settings](QWidget* owner, PreviewItem item, const char* name,
                                    const char* fallback) {
        auto* a = new QAction(settings.captions.value(item, QString::fromLatin1(fallback)), owner);
        a->setObjectName(QString::fromLatin1(name));
        owner->addAction(a);
        return a;
    };
    auto* bar = new QMenuBar(this);
    QAction* setup = action(bar, PreviewItem::PageSetup, "PageSetup", "Page setup");
    setup->setEnabled(m_printer.isValid());
    QAction* print = action(bar, PreviewItem::Print, "Print", "Print");
    auto* view = new QMenu(settings.captions.value(PreviewItem::View, QStringLiteral("View")), bar);
    view->setObjectName(QStringLiteral("View"));
    bar->addMenu(view);
    QAction* zoomIn = action(view, PreviewItem::ZoomIn, "ZoomIn", "Zoom in");
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = action(view, PreviewItem::ZoomOut, "ZoomOut", "Zoom out");
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* exit = action(bar, PreviewItem::Exit, "Exit", "Exit");

    connect(setup, &QAction::triggered, this, &PrintPreview::pageSetup);
    connect(print, &QAction::triggered, this, &PrintPreview::print);
    connect(zoomIn, &QAction::triggered, m_preview, [this] { m_preview->zoomIn(); });
    connect(zoomOut, &QAction::triggered, m_preview, [this] { m_preview->zoomOut(); });
    connect(exit, &QAction::triggered, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(bar);
    layout->addWidget(m_preview);
    resize(900, 760);
    ui::fitToScreen(this); // a screen of 768 lines, less its panels, is lower
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::fitToScreen(this); // placed over its parent: its own frame may be known now
}

void PrintPreview::print()
{
    if (ui::choosePrinter(m_printer, this))
        m_preview->print();
}

void PrintPreview::pageSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted)
        m_preview->updatePreview();
}

void printPreview(Grid& grid, const PrintSettings& settings)
{
    PrintPreview preview(grid, settings, grid.window());
    preview.exec();
}

} // namespace grid
