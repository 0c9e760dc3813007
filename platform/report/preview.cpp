#include "platform/report/preview.h"

#include "platform/report/report.h"
#include "platform/ui/imprimanta.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iterator>

using namespace Qt::StringLiterals;

namespace report {

namespace {
// The zoom mode of each item of the bar's zoom list.
constexpr int kListModes[] = {Preview::WholePage, Preview::PageWidth, Preview::TwoPages, Preview::AllPages};
} // namespace

// The pages laid out in rows and columns at one scale.
class PagesView : public QAbstractScrollArea
{
public:
    explicit PagesView(QWidget* parent) : QAbstractScrollArea(parent)
    {
        setObjectName(u"Pagini"_s);
        QPalette fundal = viewport()->palette();
        fundal.setColor(QPalette::Window, QColor(128, 128, 128));
        viewport()->setPalette(fundal);
        viewport()->setBackgroundRole(QPalette::Window);
        viewport()->setAutoFillBackground(true);
        setFocusPolicy(Qt::StrongFocus);
    }

    Report* report = nullptr;
    int mode = Preview::PageWidth;
    double percent = 100;

    int pageCount() const { return report ? report->pageCount() : 0; }

    // Pixels per twip, columns, and the page's size in pixels.
    void relayout()
    {
        const int n = pageCount();
        if (n == 0 || !report) {
            m_scale = 0;
            horizontalScrollBar()->setRange(0, 0);
            verticalScrollBar()->setRange(0, 0);
            viewport()->update();
            return;
        }
        const QSizeF page = report->pageLayout().fullRectPoints().size() * 20.0; // twips
        const double dpi = logicalDpiX();
        const double vw = std::max(1, viewport()->width() - 2 * kGap);
        const double vh = std::max(1, viewport()->height() - 2 * kGap);
        m_columns = 1;
        switch (mode) {
        case Preview::PageWidth:
            m_scale = vw / page.width();
            break;
        case Preview::WholePage:
            m_scale = std::min(vw / page.width(), vh / page.height());
            break;
        case Preview::TwoPages:
            m_columns = std::min(2, n);
            m_scale =
                std::min((vw - kGap * (m_columns - 1)) / (page.width() * m_columns), vh / page.height());
            break;
        case Preview::AllPages: {
            m_scale = 0;
            for (int c = 1; c <= n; ++c) {
                const int rows = (n + c - 1) / c;
                const double s = std::min((vw - kGap * (c - 1)) / (page.width() * c),
                                          (vh - kGap * (rows - 1)) / (page.height() * rows));
                if (s > m_scale) {
                    m_scale = s;
                    m_columns = c;
                }
            }
            // Too many pages to see at once: thumbnails of a readable size, scrolled.
            const double smallest = kThumbnail / page.width();
            if (m_scale < smallest) {
                m_scale = smallest;
                m_columns = std::max(1, int((vw + kGap) / (kThumbnail + kGap)));
            }
            break;
        }
        default:
            m_scale = percent / 100.0 * dpi / 1440.0;
            break;
        }
        m_scale = std::max(m_scale, 1e-4);
        m_page = QSize(std::max(1, int(page.width() * m_scale)), std::max(1, int(page.height() * m_scale)));
        const int rows = (n + m_columns - 1) / m_columns;
        const int width = m_columns * m_page.width() + (m_columns + 1) * kGap;
        const int height = rows * m_page.height() + (rows + 1) * kGap;
        horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
        verticalScrollBar()->setPageStep(viewport()->height());
        verticalScrollBar()->setSingleStep(std::max(1, m_page.height() / 20));
        viewport()->update();
    }

    double effectivePercent() const
    {
        return m_scale <= 0 ? percent : m_scale * 1440.0 / logicalDpiX() * 100.0;
    }

    // The page's rectangle in viewport coordinates.
    QRect pageRect(int index) const
    {
        const int row = index / m_columns;
        const int col = index % m_columns;
        const int width = m_columns * m_page.width() + (m_columns + 1) * kGap;
        const int left = std::max(0, (viewport()->width() - width) / 2);
        return QRect(left + kGap + col * (m_page.width() + kGap) - horizontalScrollBar()->value(),
                     kGap + row * (m_page.height() + kGap) - verticalScrollBar()->value(), m_page.width(),
                     m_page.height());
    }

    int topPage() const
    {
        if (pageCount() == 0 || m_page.height() <= 0)
            return 0;
        const int row = std::max(0, (verticalScrollBar()->value() + (m_page.height() + kGap) / 2 - kGap) /
                                        (m_page.height() + kGap));
        return std::min(pageCount(), row * m_columns + 1);
    }

    void scrollToPage(int page)
    {
        if (pageCount() == 0)
            return;
        const int index = std::clamp(page, 1, pageCount()) - 1;
        verticalScrollBar()->setValue((index / m_columns) * (m_page.height() + kGap));
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QAbstractScrollArea::resizeEvent(event);
        const int page = topPage();
        relayout();
        if (page > 1)
            scrollToPage(page);
    }

    void scrollContentsBy(int, int) override { viewport()->update(); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(viewport());
        const int n = pageCount();
        if (n == 0 || m_scale <= 0)
            return;
        const QRect visible = viewport()->rect();
        const int firstRow = std::max(0, (verticalScrollBar()->value() - kGap) / (m_page.height() + kGap));
        const QMarginsF margins = report->pageLayout().marginsPoints() * 20.0;
        for (int i = firstRow * m_columns; i < n; ++i) {
            const QRect r = pageRect(i);
            if (r.top() > visible.bottom())
                break;
            if (!r.intersects(visible))
                continue;
            p.fillRect(r.translated(3, 3), QColor(60, 60, 60));
            p.fillRect(r, Qt::white);
            p.save();
            p.setClipRect(r);
            p.translate(r.left() + margins.left() * m_scale, r.top() + margins.top() * m_scale);
            p.scale(m_scale, m_scale);
            report->paintPage(p, i);
            p.restore();
        }
    }

private:
    static constexpr int kGap = 12;
    static constexpr int kThumbnail = 60;
    double m_scale = 0;
    int m_columns = 1;
    QSize m_page;
};

Preview::Preview(QWidget* parent) : QWidget(parent)
{
    m_view = new PagesView(this);
    m_bar = new QWidget(this);
    m_bar->setObjectName(u"BaraNavigare"_s);
    const auto button = [this](Qt::ArrowType arrow, const QString& name, bool twice) {
        auto* b = new QToolButton(m_bar);
        b->setObjectName(name);
        b->setArrowType(arrow);
        b->setAutoRaise(true);
        if (twice) {
            b->setText(arrow == Qt::LeftArrow ? u"|<"_s : u">|"_s);
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        return b;
    };
    m_first = button(Qt::LeftArrow, u"PrimaPagina"_s, true);
    m_previous = button(Qt::LeftArrow, u"PaginaAnterioara"_s, false);
    m_page = new QLabel(m_bar);
    m_page->setObjectName(u"Pagina"_s);
    m_next = button(Qt::RightArrow, u"PaginaUrmatoare"_s, false);
    m_last = button(Qt::RightArrow, u"UltimaPagina"_s, true);
    m_zoomList = new QComboBox(m_bar);
    m_zoomList->setObjectName(u"ListaZoom"_s);
    m_text = new QLabel(m_bar);
    m_text->setObjectName(u"TextNavigare"_s);
    setZoomList(u"Whole page|Page width|Two pages|All pages"_s);

    auto* bar = new QHBoxLayout(m_bar);
    bar->setContentsMargins(4, 2, 4, 2);
    for (QWidget* w :
         {static_cast<QWidget*>(m_first), static_cast<QWidget*>(m_previous), static_cast<QWidget*>(m_page),
          static_cast<QWidget*>(m_next), static_cast<QWidget*>(m_last), static_cast<QWidget*>(m_zoomList)})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(m_text, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_bar);

    connect(m_first, &QToolButton::clicked, this, [this] { setCurrentPage(1); });
    connect(m_previous, &QToolButton::clicked, this, [this] { setCurrentPage(currentPage() - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { setCurrentPage(currentPage() + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { setCurrentPage(pageCount()); });
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { updateBar(); });
    connect(m_zoomList, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < int(std::size(kListModes)))
            setZoomMode(kListModes[index]);
    });
    updateBar();
}

Preview::~Preview() = default;

void Preview::setReport(Report* report)
{
    if (report && report->pageCount() == 0)
        report->render();
    m_view->report = report;
    m_view->relayout();
    m_view->verticalScrollBar()->setValue(0);
    updateBar();
}

Report* Preview::report() const
{
    return m_view->report;
}

void Preview::clear()
{
    setReport(nullptr);
}

int Preview::pageCount() const
{
    return m_view->pageCount();
}

int Preview::currentPage() const
{
    return m_view->topPage();
}

void Preview::setCurrentPage(int page)
{
    m_view->scrollToPage(page);
    updateBar();
}

int Preview::zoomMode() const
{
    return m_view->mode;
}

void Preview::setZoomMode(int mode)
{
    if (mode < Percent || mode > PageWidth)
        return;
    const int page = currentPage();
    m_view->mode = mode;
    m_view->relayout();
    m_view->scrollToPage(page);
    updateBar();
    emit zoomChanged();
}

double Preview::zoom() const
{
    return m_view->effectivePercent();
}

void Preview::setZoom(double percent)
{
    if (!(percent > 0))
        return;
    m_view->percent = percent;
    setZoomMode(Percent);
}

int Preview::navBar() const
{
    return m_navBar;
}

void Preview::setNavBar(int mode)
{
    m_navBar = mode;
    m_bar->setVisible(mode != 0);
}

QString Preview::navBarText() const
{
    return m_text->text();
}

void Preview::setNavBarText(const QString& text)
{
    m_text->setText(text);
}

void Preview::setZoomList(const QString& items)
{
    m_zoomList->clear();
    for (QString item : items.split(u'|'))
        m_zoomList->addItem(item.remove(u'&'));
}

void Preview::setPrintTexts(const QString& title, const QString& cancel, const QString& page)
{
    m_printTitle = title;
    m_printCancel = cancel;
    m_printPage = page;
}

db::Error Preview::print(bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    Report* r = report();
    if (!r)
        return {};
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(r->pageLayout());
    printer.setDocName(r->name());
    if (!ui::choosePrinter(printer, this)) {
        if (cancelled)
            *cancelled = true;
        return {};
    }
    QProgressDialog progress(this);
    progress.setWindowTitle(m_printTitle);
    progress.setCancelButtonText(m_printCancel.isEmpty() ? u"Anulare"_s : m_printCancel);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setRange(0, pageCount());
    const db::Error e = r->print(printer, [&](int page, int pages) {
        QString line = m_printPage;
        line.replace(u"%d"_s, QString::number(page));
        progress.setLabelText(line + u' ' + QString::number(pages));
        progress.setValue(page - 1);
        return !progress.wasCanceled();
    });
    progress.setValue(pageCount());
    if (e && progress.wasCanceled()) {
        if (cancelled)
            *cancelled = true;
        return {};
    }
    return e;
}

QWidget* Preview::pagesView() const
{
    return m_view;
}

void Preview::updateBar()
{
    const int n = pageCount();
    const int page = currentPage();
    m_page->setText(n == 0 ? QString() : QString::number(page) + u" / "_s + QString::number(n));
    m_first->setEnabled(page > 1);
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < n);
    m_last->setEnabled(page < n);
    const auto* item = std::find(std::begin(kListModes), std::end(kListModes), zoomMode());
    m_zoomList->setCurrentIndex(item == std::end(kListModes) ? -1 : int(item - std::begin(kListModes)));
}

} // namespace report
