#include "grid.h"

#include "platform/grid/accessible.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid_parts.h"
#include "platform/grid/recordset_source.h"
#include "platform/grid/units.h"
#include "platform/ui/mesaj.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace grid {

namespace {

// Sets a flag for the length of a scope.
class FlagGuard
{
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

constexpr int kButtonWidth = 18;
constexpr int kFooterMargin = 3;

// The design font's twips widened for a view's font (units.h).
double widthScaleOf(const QWidget& w)
{
    return fontWidthScale(QFontMetrics(w.font()).horizontalAdvance(QLatin1String(kWidthSample)),
                          w.logicalDpiX());
}

// The item views' text margin, both sides.
int cellMarginsOf(const QWidget& w)
{
    return 2 * (w.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &w) + 1);
}

} // namespace

int columnPixelsOf(const QAbstractItemView& view, int twips)
{
    return scaledTwipsToPixels(twips, widthScaleOf(view), view.logicalDpiX(), cellMarginsOf(view));
}

// ---------------------------------------------------------------- delegate

CellDelegate::CellDelegate(Grid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    if (!m_grid->fireBeforeColEdit(index.column()))
        return nullptr;
    if (DropDown* dd = m_grid->dropDownOf(index.column()))
        return dd->createEditor(parent);
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* le = qobject_cast<QLineEdit*>(w))
        le->setFrame(false);
    return w;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setEditText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    QString text;
    if (DropDown* dd = m_grid->dropDownOf(index.column()); dd && qobject_cast<QComboBox*>(editor))
        text = dd->valueOfEditor(qobject_cast<QComboBox*>(editor));
    else if (auto* le = qobject_cast<QLineEdit*>(editor))
        text = le->text();
    else
        text = editor->property("text").toString();
    m_grid->commitEditorText(index.row(), index.column(), text);
}

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int c = index.column();
    if (c >= 0 && c < m_grid->columnCount() && m_grid->column(c).wrap)
        option->features |= QStyleOptionViewItem::WrapText;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const int c = index.column();
    if (c >= 0 && c < m_grid->columnCount() && m_grid->column(c).textButton) {
        QStyleOptionButton b;
        b.rect = option.rect.adjusted(1, 1, -1, -1);
        b.text = index.data(Qt::DisplayRole).toString();
        b.state = QStyle::State_Enabled | QStyle::State_Raised;
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        painter->save();
        if (const QVariant f = index.data(Qt::FontRole); f.isValid())
            painter->setFont(f.value<QFont>());
        style->drawControl(QStyle::CE_PushButton, &b, painter, option.widget);
        painter->restore();
        return;
    }
    const bool button = c >= 0 && c < m_grid->columnCount() && m_grid->column(c).button;
    if (!button) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem textOption = option;
    textOption.rect.setRight(option.rect.right() - kButtonWidth);
    QStyledItemDelegate::paint(painter, textOption, index);
    QStyleOptionButton b;
    b.rect = m_grid->buttonRect(option.rect);
    b.text = QStringLiteral("...");
    b.state = QStyle::State_Enabled | QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_PushButton, &b, painter);
}

bool CellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o, option.widget);
        toggle = mouse->button() == Qt::LeftButton && box.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        toggle = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    }
    if (!toggle)
        return event->type() == QEvent::MouseButtonDblClick; // no editor for a check box
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    m_grid->commitEditorText(index.row(), index.column(),
                             checked ? QStringLiteral("0") : QStringLiteral("-1"));
    return true;
}

// ---------------------------------------------------------------- footer

FooterBar::FooterBar(Grid* grid) : QWidget(grid), m_grid(grid) {}

QRect FooterBar::footerRect(int column) const
{
    const QHeaderView* h = m_grid->horizontalHeader();
    if (column < 0 || column >= m_grid->columnCount() || h->isSectionHidden(column))
        return QRect();
    return QRect(h->sectionViewportPosition(column), 0, h->sectionSize(column), height());
}

int FooterBar::columnAt(int x) const
{
    const int c = m_grid->horizontalHeader()->logicalIndexAt(x);
    return c >= 0 && c < m_grid->columnCount() ? c : -1;
}

bool FooterBar::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int c = columnAt(help->pos().x());
        const QString text = c >= 0 ? m_grid->column(c).footerText : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), m_grid->column(c).caption + QStringLiteral(": ") + text,
                               this, footerRect(c));
        return true;
    }
    return QWidget::event(event);
}

void FooterBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor back =
        m_grid->footerBackColour().isValid() ? m_grid->footerBackColour() : palette().color(QPalette::Button);
    const QColor text = m_grid->footerTextColour().isValid() ? m_grid->footerTextColour()
                                                             : palette().color(QPalette::ButtonText);
    p.fillRect(rect(), back);
    QFont f = font();
    f.setBold(m_grid->footerBold());
    p.setFont(f);
    const QHeaderView* h = m_grid->horizontalHeader();
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        if (h->isSectionHidden(c))
            continue;
        const QRect r = footerRect(c);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(text);
        const Column& col = m_grid->column(c);
        Qt::Alignment a = col.alignment ? col.alignment : Qt::AlignLeft;
        if (m_grid->footerAlignment())
            a = m_grid->footerAlignment();
        // A column narrowed by hand below its total keeps the leading
        // digits; the tooltip and the accessible name give it whole.
        const QRect t = r.adjusted(kFooterMargin, 0, -kFooterMargin, 0);
        const QString shown = p.fontMetrics().horizontalAdvance(col.footerText) > t.width()
                                  ? p.fontMetrics().elidedText(col.footerText, Qt::ElideRight, t.width())
                                  : col.footerText;
        p.drawText(t, int(a | Qt::AlignVCenter), shown);
    }
}

// ---------------------------------------------------------------- grid

Grid::Grid(QWidget* parent) : QTableView(parent), m_model(new GridModel(this))
{
    installGridAccessibility();
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(14);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
    m_footer = new FooterBar(this);
    m_footer->hide();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { emit headClick(section); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, m_footer, qOverload<>(&QWidget::update));
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!m_fittingColumns)
            fitHeading();
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, m_footer, qOverload<>(&QWidget::update));
    connect(m_model, &GridModel::sourcePositionChanged, this, &Grid::onSourcePosition);
    connect(m_model, &GridModel::columnsRebuilt, this, &Grid::onColumnsRebuilt);
}

Grid::~Grid()
{
    // The model must let go of an owned source before it dies; nobody hears
    // of a grid that is going away.
    blockSignals(true);
    m_model->blockSignals(true);
    m_model->setSource(nullptr);
}

void Grid::setDataSource(RowSource* source)
{
    m_refused = Refused();
    if (state() == EditingState)
        closePersistentEditor(currentIndex());
    std::unique_ptr<RowSource> old;
    if (m_ownSource.get() != source)
        old = std::move(m_ownSource);
    m_model->setSource(source);
    old.reset();
    if (source && source->position() >= 0 && m_model->columnCount() > 0)
        onSourcePosition(source->position());
}

void Grid::bind(const db::Recordset& recordset)
{
    auto source = std::make_unique<RecordsetSource>(recordset);
    RowSource* raw = source.get();
    std::unique_ptr<RowSource> old = std::move(m_ownSource);
    m_model->setSource(raw);
    m_ownSource = std::move(source);
    old.reset();
    if (raw->position() >= 0 && m_model->columnCount() > 0)
        onSourcePosition(raw->position());
}

RowSource* Grid::dataSource() const
{
    return m_model->source();
}

int Grid::columnCount() const
{
    return m_model->columnCount();
}

Column& Grid::column(int index)
{
    return m_model->column(index);
}

int Grid::columnForField(const QString& dataField) const
{
    return m_model->columnForField(dataField);
}

void Grid::refreshColumns()
{
    m_model->refreshColumns();
    applyColumnGeometry();
}

double Grid::widthScale() const
{
    return widthScaleOf(*this);
}

int Grid::cellMargins() const
{
    return cellMarginsOf(*this);
}

double Grid::heightScale() const
{
    return fontHeightScale(QFontMetricsF(font()).height(), logicalDpiY());
}

void Grid::applyColumnGeometry()
{
    {
        const FlagGuard fitting(m_fittingColumns);
        for (int c = 0; c < m_model->columnCount(); ++c) {
            const Column& col = m_model->column(c);
            setColumnHidden(c, !col.visible);
            if (col.visible)
                setColumnWidth(c, madeWidth(c));
        }
    }
    fitHeading();
    fitColumnTexts();
}

int Grid::madeWidth(int c) const
{
    // Never narrower than the longest word of its caption, which cannot wrap.
    const Column& col = m_model->column(c);
    int word = 0;
    if (!col.caption.isEmpty()) {
        const QHeaderView* h = horizontalHeader();
        const QFontMetrics fm = h->fontMetrics();
        for (const QString& w : col.caption.split(u' ', Qt::SkipEmptyParts))
            word = qMax(word, fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), 0, w).width());
        if (word > 0)
            word += headingOverhead().width();
    }
    return qMax(columnPixels(col.widthTwips), word);
}

QSize Grid::headingOverhead() const
{
    // What a header section adds around its caption, as the style says.
    constexpr int probe = 1000;
    const QHeaderView* h = horizontalHeader();
    QStyleOptionHeader o;
    o.initFrom(h);
    o.rect = QRect(0, 0, probe, probe);
    o.textAlignment = h->defaultAlignment();
    o.orientation = Qt::Horizontal;
    const QRect label = h->style()->subElementRect(QStyle::SE_HeaderLabel, &o, h);
    return QSize(probe - label.width(), probe - label.height());
}

int Grid::widthForColumns() const
{
    const int rows = verticalHeader()->isHidden() ? 0 : verticalHeader()->width();
    return horizontalHeader()->length() + rows + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
}

int Grid::footerTextWidth(const QString& text) const
{
    QFont f = font();
    f.setBold(m_footerBold);
    return QFontMetrics(f).horizontalAdvance(text) + 2 * kFooterMargin + 2;
}

int Grid::cellTextWidth(int column, const QString& text) const
{
    const bool known = column >= 0 && column < m_model->columnCount();
    QFont f = font();
    f.setBold(known && m_model->column(column).bold);
    const bool button = known && m_model->column(column).button;
    // The cell's text is cut as soon as it is wider than its room by any
    // part of a pixel.
    const int advance = int(std::ceil(QFontMetricsF(f).horizontalAdvance(text)));
    return advance + cellMargins() + (button ? kButtonWidth : 0) + (showGrid() ? 1 : 0);
}

void Grid::fitColumnTexts()
{
    // A total is never shown cut, nor the widest value of a column that
    // names it: the column grows to hold them. The heading is fitted once,
    // to the widths reached, not at each column widened.
    bool widened = false;
    {
        const FlagGuard fitting(m_fittingColumns);
        for (int c = 0; c < m_model->columnCount(); ++c) {
            const Column& col = m_model->column(c);
            if (!col.visible)
                continue;
            int needed = 0;
            if (m_footersVisible && !col.footerText.isEmpty())
                needed = footerTextWidth(col.footerText);
            if (!col.widestText.isEmpty())
                needed = std::max(needed, cellTextWidth(c, col.widestText));
            if (columnWidth(c) < needed) {
                setColumnWidth(c, needed);
                widened = true;
            }
        }
    }
    if (widened)
        fitHeading();
    m_footer->update();
}

void Grid::setColumnDropDown(int column, DropDown* dropDown)
{
    m_dropDowns.insert(column, dropDown);
}

void Grid::onColumnsRebuilt()
{
    applyColumnGeometry();
    emit columnsRebuilt();
}

void Grid::setAllowUpdate(bool on)
{
    m_model->setAllowUpdate(on);
}

void Grid::setAllowAddNew(bool on)
{
    m_model->setAllowAddNew(on);
}

void Grid::setAllowDelete(bool on)
{
    m_model->setAllowDelete(on);
}

bool Grid::allowUpdate() const
{
    return m_model->allowUpdate();
}

bool Grid::allowAddNew() const
{
    return m_model->allowAddNew();
}

bool Grid::allowDelete() const
{
    return m_model->allowDelete();
}

void Grid::setTabAcrossCells(bool on)
{
    setTabKeyNavigation(on);
}

void Grid::setHeadingLines(int lines)
{
    m_headingLines = qMax(1, lines);
    fitHeading();
}

void Grid::fitHeading()
{
    QHeaderView* h = horizontalHeader();
    const QFontMetrics fm = h->fontMetrics();
    int height = m_headingLines * fm.height() + 6;
    const Qt::Alignment alignment = h->defaultAlignment();
    if (alignment & Qt::TextWordWrap) {
        // A caption wraps to the width of its column.
        const QSize around = headingOverhead();
        for (int c = 0; c < m_model->columnCount(); ++c) {
            const QString caption = m_model->column(c).caption;
            if (caption.isEmpty() || h->isSectionHidden(c) || h->sectionSize(c) <= 0)
                continue;
            const QRect room(0, 0, qMax(1, h->sectionSize(c) - around.width()), 1 << 20);
            height = qMax(height, fm.boundingRect(room, int(alignment), caption).height() + around.height());
        }
    }
    h->setMinimumHeight(height);
}

void Grid::setHeadingBold(bool bold)
{
    QFont f = horizontalHeader()->font();
    f.setBold(bold);
    horizontalHeader()->setFont(f);
    setHeadingLines(m_headingLines);
}

void Grid::setRowHeightTwips(int twips)
{
    m_rowHeightTwips = twips;
    verticalHeader()->setDefaultSectionSize(qMax(1, rowPixels(twips)));
}

void Grid::fitRowHeights()
{
    const int base = verticalHeader()->defaultSectionSize();
    const QFontMetrics fm(font());
    const int around = qMax(0, base - fm.height()); // what a one-line row leaves about its text
    QList<int> wrapping;
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (m_model->column(c).wrap && !isColumnHidden(c))
            wrapping << c;
    for (int r = 0; r < dataRowCount(); ++r) {
        int height = base;
        for (int c : std::as_const(wrapping)) {
            const QString text = cellText(r, c);
            if (text.isEmpty())
                continue;
            const QRect room(0, 0, qMax(1, columnWidth(c) - cellMargins()), 1 << 20);
            height = qMax(height, fm.boundingRect(room, Qt::TextWordWrap, text).height() + around);
        }
        if (rowHeight(r) != height)
            setRowHeight(r, height);
    }
}

int Grid::columnPixels(int twips) const
{
    return columnPixelsOf(*this, twips);
}

int Grid::rowPixels(int twips) const
{
    return scaledTwipsToPixels(twips, heightScale(), logicalDpiY());
}

void Grid::setRowColours(const QColor& even, const QColor& odd)
{
    m_model->setRowColours(even, odd);
}

void Grid::setAlternatingRows(bool on)
{
    m_model->setAlternatingRows(on);
}

bool Grid::alternatingRows() const
{
    return m_model->alternatingRows();
}

void Grid::setSelectionColours(const QColor& back, const QColor& text)
{
    QPalette p = palette();
    p.setColor(QPalette::Highlight, back);
    p.setColor(QPalette::HighlightedText, text);
    p.setColor(QPalette::Inactive, QPalette::Highlight, back);
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
    setPalette(p);
}

void Grid::setFootersVisible(bool on)
{
    m_footersVisible = on;
    m_footer->setVisible(on);
    updateGeometries();
    fitColumnTexts();
}

void Grid::setFooterStyle(bool bold, const QColor& text, const QColor& back, Qt::Alignment alignment)
{
    m_footerBold = bold;
    m_footerText = text;
    m_footerBack = back;
    m_footerAlignment = alignment;
    fitColumnTexts();
}

void Grid::setHeadingBackColour(const QColor& colour)
{
    m_headingBack = colour;
    horizontalHeader()->setStyleSheet(
        colour.isValid() ? QStringLiteral("QHeaderView::section { background-color: %1; border: 1px solid "
                                          "#a0a0a0; border-left: none; border-top: none; padding: 1px 3px; }")
                               .arg(colour.name())
                         : QString());
    setHeadingLines(m_headingLines);
}

int Grid::row() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int Grid::col() const
{
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

void Grid::setCurrentCell(int row, int col)
{
    const QModelIndex i = m_model->index(row, col);
    if (i.isValid())
        setCurrentIndex(i);
}

QString Grid::cellText(int row, int col) const
{
    return m_model->index(row, col).data(Qt::DisplayRole).toString();
}

bool Grid::cellDataChanged() const
{
    if (state() != EditingState)
        return false;
    const QModelIndex i = currentIndex();
    QWidget* editor = indexWidget(i);
    if (!editor)
        editor = findChild<QLineEdit*>();
    if (auto* le = qobject_cast<QLineEdit*>(editor))
        return le->isModified() || le->text() != i.data(Qt::EditRole).toString();
    return false;
}

bool Grid::fireBeforeColEdit(int col)
{
    bool cancel = false;
    emit beforeColEdit(col, cancel);
    return !cancel;
}

bool Grid::commitEditorText(int row, int col, const QString& text)
{
    // A modal dialog opened from an event of this commit takes the focus from
    // the editor, which asks to commit again: that second request is dropped.
    if (m_inCellCommit)
        return false;
    FlagGuard guard(m_inCellCommit);
    if (row < 0 || row >= m_model->rowCount() || col < 0 || col >= m_model->columnCount())
        return false;
    const db::Variant old = m_model->cell(row, col);
    const db::Variant value = m_model->valueOfText(col, text);
    if (isNumberType(m_model->fieldType(col)) && value.isText()) {
        refuseNotANumber(row, col, text);
        return false;
    }
    m_refused = Refused();
    if (value == old || (value.isNull() && old.isMissing()) || (!value.isNull() && editText(old) == text))
        return true; // nothing changed
    if (m_model->editRow() >= 0 && m_model->editRow() != row && !commitRow())
        return false;
    const bool wasPending = m_model->cellChanged(col);
    const db::Variant pendingBefore = m_model->cell(row, col);
    m_model->setPending(row, col, value);
    bool cancel = false;
    emit beforeColUpdate(col, old, cancel);
    if (cancel) {
        if (wasPending)
            m_model->setPending(row, col, pendingBefore);
        else
            m_model->clearPending(col);
        return false;
    }
    emit afterColUpdate(col);
    return true;
}

bool Grid::editCell(int col, const QString& text)
{
    int r = row();
    if (r < 0)
        r = 0;
    if (col < 0 || col >= m_model->columnCount())
        return false;
    if (!(m_model->flags(m_model->index(r, col)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    if (!fireBeforeColEdit(col))
        return false;
    return commitEditorText(r, col, text);
}

bool Grid::commitRow()
{
    if (!m_model->rowChanged())
        return true;
    if (m_inRowCommit)
        return false;
    FlagGuard guard(m_inRowCommit);
    bool cancel = false;
    emit beforeUpdate(cancel);
    if (cancel)
        return false;
    const WriteError e = m_model->commitRow();
    if (e.isError()) {
        reportError(e);
        return false;
    }
    emit afterUpdate();
    return true;
}

void Grid::refuseNotANumber(int row, int col, const QString& text)
{
    // Said once for the text typed: its editor keeps it to be mended (or
    // taken back with Esc), and leaving the cell again with it says nothing
    // new; a write the window asks for (a button, closing it) says it again.
    // An editor whose focus went out of the grid keeps its text unsaid: the
    // control that took the focus may write nothing, and one that writes
    // asks for the write, which says it.
    QWidget* editor = indexWidget(m_model->index(row, col));
    const QWidget* focus = QApplication::focusWidget();
    const bool focusLeft = editor && (!focus || (focus != this && !isAncestorOf(focus)));
    const bool same = editor && m_refused.row == row && m_refused.col == col && m_refused.text == text;
    m_refused = Refused{row, col, text, same && m_refused.said};
    if (focusLeft && !m_writingRow)
        return;
    if (m_refused.said && !m_writingRow) {
        QApplication::beep();
        return;
    }
    m_refused.said = true;
    const Column& c = m_model->column(col);
    const NumberFormat shown = m_model->numberFormat(col);
    // The forms to write it in: as the column shows a number, and plain.
    const db::Variant sample((shown.valid && shown.decimals == 0) || isWholeNumberType(m_model->fieldType(col))
                                 ? 1234567.0
                                 : 1234.5);
    const QString asShown = formatValue(sample, shown, m_model->locale());
    const QString plain = editText(sample, m_model->locale());
    QString forms = asShown;
    if (plain != asShown)
        forms += QStringLiteral(" sau ") + plain;
    reportError({2, (c.caption.isEmpty() ? c.dataField : c.caption) + QStringLiteral(" : \"") + text +
                        QStringLiteral("\" - scrieti numarul ca ") + forms});
}

bool Grid::refusedIn(const QWidget* editor) const
{
    return editor && m_refused.row >= 0 && indexWidget(m_model->index(m_refused.row, m_refused.col)) == editor;
}

void Grid::reportError(const WriteError& e)
{
    bool suppress = false;
    emit dataError(e.number, e.text, suppress);
    if (!suppress)
        ui::msgBox(e.text, ui::Icon::Critical);
}

bool Grid::update()
{
    if (state() == EditingState) {
        QWidget* editor = indexWidget(currentIndex());
        if (!editor)
            editor = focusWidget();
        if (editor && editor != this) {
            FlagGuard guard(m_writingRow);
            commitData(editor);
            if (refusedIn(editor))
                return false;
        }
    }
    return commitRow();
}

void Grid::cancelUpdate()
{
    m_model->discardRow();
}

bool Grid::deleteCurrentRow()
{
    const int r = row();
    if (!m_model->allowDelete() || r < 0 || r >= m_model->dataRowCount())
        return false;
    bool cancel = false;
    emit beforeDelete(cancel);
    if (cancel)
        return false;
    const WriteError e = m_model->deleteRow(r);
    if (e.isError()) {
        reportError(e);
        return false;
    }
    emit afterDelete();
    return true;
}

Layout Grid::layout() const
{
    Layout l;
    const QHeaderView* h = horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const Column& col = m_model->columns()[c];
        ColumnLayout cl;
        cl.field = col.dataField;
        cl.order = h->visualIndex(c);
        cl.visible = !isColumnHidden(c);
        // A width nobody changed keeps its twips exactly.
        const bool asMade = columnWidth(c) == madeWidth(c);
        cl.widthTwips = cl.visible && !asMade
                            ? scaledPixelsToTwips(columnWidth(c), widthScale(), logicalDpiX(), cellMargins())
                            : col.widthTwips;
        l.columns.append(cl);
    }
    return l;
}

void Grid::applyLayout(const Layout& layout)
{
    QHeaderView* h = horizontalHeader();
    QList<ColumnLayout> sorted = layout.columns;
    std::sort(sorted.begin(), sorted.end(),
              [](const ColumnLayout& a, const ColumnLayout& b) { return a.order < b.order; });
    int target = 0;
    for (const ColumnLayout& cl : std::as_const(sorted)) {
        const int c = m_model->columnForField(cl.field);
        if (c < 0)
            continue;
        Column& col = m_model->column(c);
        col.visible = cl.visible;
        if (cl.widthTwips > 0)
            col.widthTwips = cl.widthTwips;
        const int from = h->visualIndex(c);
        if (from != target)
            h->moveSection(from, target);
        ++target;
    }
    applyColumnGeometry();
}

bool Grid::saveLayout(const QString& path, const QString& name, QString* error) const
{
    return grid::saveLayout(path, name, layout(), error);
}

bool Grid::loadLayout(const QString& path, const QString& name, QString* error)
{
    const std::optional<Layout> l = grid::loadLayout(path, name, error);
    if (!l)
        return false;
    applyLayout(*l);
    return true;
}

int Grid::callingRow() const
{
    // The row under edit is the one its events work on, even when the view
    // has already moved to the row the user clicked.
    if (m_model->editRow() >= 0)
        return m_model->editRow();
    return row() < 0 ? 0 : row();
}

db::Variant Grid::cell(int column) const
{
    return m_model->cell(callingRow(), column);
}

void Grid::setCell(int column, const db::Variant& value)
{
    m_model->setPending(callingRow(), column, value);
}

void Grid::refreshFooters()
{
    fitColumnTexts();
    footersChanged(this);
}

void Grid::takeFocus()
{
    setFocus(Qt::OtherFocusReason);
}

QRect Grid::buttonRect(const QRect& cellRect) const
{
    return QRect(cellRect.right() - kButtonWidth + 1, cellRect.top(), kButtonWidth, cellRect.height());
}

void Grid::keyPressEvent(QKeyEvent* event)
{
    bool consume = false;
    emit keyDown(event->key(), event->modifiers(), consume);
    if (consume) {
        event->accept();
        return;
    }
    // Every character typed, control characters (Enter, Backspace, Esc)
    // included; only a printable one can be changed.
    const QString text = event->text();
    if (text.size() == 1) {
        QChar ch = text.at(0);
        emit keyPress(ch);
        if (ch.isNull()) {
            event->accept();
            return;
        }
        if (ch != text.at(0) && ch.isPrint() && text.at(0).isPrint()) {
            QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(ch));
            QTableView::keyPressEvent(&changed);
            return;
        }
    }
    if (state() != EditingState) {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            moveByEnter();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete && m_model->allowDelete()) {
            deleteCurrentRow();
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void Grid::keyboardSearch(const QString&)
{
    // Rows move by the program's own type-ahead search only.
}

void Grid::moveByEnter()
{
    QModelIndex i = currentIndex();
    if (!i.isValid())
        return;
    QModelIndex next;
    switch (m_enterAction) {
    case EnterAction::None:
        return;
    case EnterAction::Right:
        next = moveCursor(MoveNext, Qt::NoModifier);
        break;
    case EnterAction::Left:
        next = moveCursor(MovePrevious, Qt::NoModifier);
        break;
    case EnterAction::Down:
        next = m_model->index(i.row() + 1, i.column());
        break;
    case EnterAction::Up:
        next = m_model->index(i.row() - 1, i.column());
        break;
    }
    if (next.isValid() && next != i)
        setCurrentIndex(next);
    else if (m_model->editRow() == i.row())
        commitRow(); // with nowhere to go, Enter writes the row as leaving it would
}

void Grid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex i = indexAt(event->position().toPoint());
    const bool onButton = i.isValid() && ((m_model->column(i.column()).button &&
                                           buttonRect(visualRect(i)).contains(event->position().toPoint())) ||
                                          m_model->column(i.column()).textButton);
    if (onButton) {
        setCurrentIndex(i);
        if (currentIndex() == i) {
            emit buttonClick(i.column());
            emit lookupClosed();
        }
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit dblClick();
    QTableView::mouseDoubleClickEvent(event);
}

bool Grid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (m_inCellCommit || m_inRowCommit)
        return false;
    return QTableView::edit(index, trigger, event);
}

void Grid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (m_restoringRow) {
        QAbstractItemView::currentChanged(current, previous);
        return;
    }
    m_keptCurrent = false;
    // A number its cell refused stays in its editor, and its cell current.
    const auto keepsRefused = [&] {
        QWidget* editor = previous.isValid() ? indexWidget(previous) : nullptr;
        if (!refusedIn(editor))
            return false;
        FlagGuard guard(m_restoringRow);
        m_keptCurrent = true;
        selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
        editor->setFocus();
        return true;
    };
    if (previous.isValid() && current.row() != previous.row() && state() == EditingState) {
        // The value still in the editor belongs to the row being left: it is
        // taken (with its events) and the editor closed before the row is
        // written, so that nothing typed stays behind unsaved.
        if (QWidget* editor = indexWidget(previous)) {
            commitData(editor);
            if (keepsRefused())
                return;
            if (indexWidget(previous) == editor)
                QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    if (previous.isValid() && current.row() != previous.row() && m_model->editRow() == previous.row()) {
        if (!commitRow()) {
            // The row stays current until it is written or its changes dropped.
            FlagGuard guard(m_restoringRow);
            m_keptCurrent = true;
            selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
    {
        // An editor the view closes because the cell changed is no Enter.
        FlagGuard guard(m_changingCell);
        // The view's own announcement counts cells of every row; the grid's
        // accessible table shows only the rows in view (accessible.h).
        QAbstractItemView::currentChanged(current, previous);
        // Within the row, the view itself has taken what the editor held.
        if (keepsRefused())
            return;
        if (hasFocus())
            announceCurrentCell();
    }
    if (current.isValid() && current.row() != previous.row() && !m_followingSource) {
        if (RowSource* s = m_model->source(); s && current.row() < m_model->dataRowCount()) {
            FlagGuard guard(m_followingSource);
            s->setPosition(current.row());
        }
    }
    emit rowColChange(previous.row(), previous.column());
}

void Grid::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    // A key or a click that moves the current cell selects the cell it went
    // to after the move. Where the cell being left stayed current (a number
    // it refused, a row not written), the selection stays with it: the
    // highlighted cell is the one that takes what is typed.
    const QModelIndex current = currentIndex();
    if (m_keptCurrent && current.isValid()) {
        if (selectionBehavior() == SelectRows)
            command |= QItemSelectionModel::Rows;
        selectionModel()->select(current, command);
        return;
    }
    QTableView::setSelection(rect, command);
}

void Grid::announceCurrentCell()
{
    if (!QAccessible::isActive())
        return;
    if (const int child = accessibleChildIndex(this, currentIndex()); child >= 0) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(child);
        QAccessible::updateAccessibility(&event);
    }
}

bool Grid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // A value cut by a narrow column shows whole in its tooltip.
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex i = indexAt(help->pos());
        const QString text = i.isValid() ? i.data(Qt::DisplayRole).toString() : QString();
        if (!text.isEmpty() && !i.data(Qt::ToolTipRole).isValid()) {
            const QRect r = visualRect(i);
            QFont f = font();
            if (const QVariant v = i.data(Qt::FontRole); v.isValid())
                f = v.value<QFont>();
            const int room =
                r.width() - cellMargins() - (m_model->column(i.column()).button ? kButtonWidth : 0);
            if (QFontMetricsF(f).horizontalAdvance(text) > room) {
                QToolTip::showText(help->globalPos(), text, viewport(), r);
                return true;
            }
            QToolTip::hideText();
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}

void Grid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // Coming into the grid is coming to its current cell.
    announceCurrentCell();
}

void Grid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive())
        return;
    const QList<QPair<QModelIndex, QAccessible::Event>> changes{
        {selected.indexes().value(0), QAccessible::SelectionAdd},
        {deselected.indexes().value(0), QAccessible::SelectionRemove}};
    for (const auto& [index, kind] : changes) {
        if (const int child = accessibleChildIndex(this, index); child >= 0) {
            QAccessibleEvent event(this, kind);
            event.setChild(child);
            QAccessible::updateAccessibility(&event);
        }
    }
}

bool Grid::typeIntoCell(int row, int col, const QString& text)
{
    const QModelIndex target = m_model->index(row, col);
    if (!target.isValid())
        return false;
    // What an open editor holds gives way to the text given now.
    m_refused = Refused();
    if (state() == EditingState) {
        if (QWidget* editor = indexWidget(currentIndex()))
            QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
    setCurrentIndex(target);
    if (currentIndex() != target)
        return false;
    return editCell(col, text);
}

void Grid::pressCellButton(int row, int col)
{
    const QModelIndex target = m_model->index(row, col);
    if (!target.isValid() || !(m_model->column(col).button || m_model->column(col).textButton))
        return;
    setCurrentIndex(target);
    if (currentIndex() == target) {
        emit buttonClick(col);
        emit lookupClosed();
    }
}

void Grid::toggleCheckCell(int row, int col)
{
    const QModelIndex i = m_model->index(row, col);
    // As a click on the box does.
    if (!(m_model->flags(i) & Qt::ItemIsUserCheckable) || currentIndex() != i)
        return;
    const bool checked = i.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    commitEditorText(row, col, checked ? QStringLiteral("0") : QStringLiteral("-1"));
}

void Grid::pressHeader(int col)
{
    if (col >= 0 && col < m_model->columnCount())
        emit headClick(col);
}

void Grid::onSourcePosition(int row)
{
    if (m_followingSource || row < 0 || row >= m_model->dataRowCount())
        return;
    FlagGuard guard(m_followingSource);
    const int c = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(m_model->index(row, c));
}

QModelIndex Grid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (cursorAction != MoveNext && cursorAction != MovePrevious)
        return QTableView::moveCursor(cursorAction, modifiers);
    const QModelIndex i = currentIndex();
    if (!i.isValid())
        return QTableView::moveCursor(cursorAction, modifiers);
    const QHeaderView* h = horizontalHeader();
    const int step = cursorAction == MoveNext ? 1 : -1;
    int r = i.row();
    int v = h->visualIndex(i.column());
    for (int tries = 0; tries < m_model->columnCount() * 2 + 2; ++tries) {
        v += step;
        if (v >= m_model->columnCount() || v < 0) {
            if (!m_wrap)
                return i;
            r += step;
            if (r < 0 || r >= m_model->rowCount())
                return i;
            v = step > 0 ? 0 : m_model->columnCount() - 1;
        }
        const int logical = h->logicalIndex(v);
        if (!isColumnHidden(logical))
            return m_model->index(r, logical);
    }
    return i;
}

void Grid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The editor stays until the commit that is running ends: the request that
    // started it closes the editor afterwards.
    if (m_inCellCommit)
        return;
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        m_refused = Refused(); // Esc takes back what was typed
    } else if (refusedIn(editor)) {
        // A number the cell refused stays in its editor to be mended; the
        // focus it lost to another control stays there.
        if (hint != QAbstractItemDelegate::NoHint) {
            editor->setFocus();
            if (auto* le = qobject_cast<QLineEdit*>(editor))
                le->selectAll();
        }
        return;
    }
    if (hint == QAbstractItemDelegate::SubmitModelCache && m_enterAction != EnterAction::None &&
        !m_changingCell) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveByEnter();
        return;
    }
    QTableView::closeEditor(editor, hint);
}

void Grid::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_inGeometry)
        return;
    FlagGuard guard(m_inGeometry);
    const int fh = m_footersVisible ? fontMetrics().height() + 6 : 0;
    const QMargins m = viewportMargins();
    if (m.bottom() != fh)
        setViewportMargins(m.left(), m.top(), m.right(), fh);
    if (m_footersVisible) {
        const QRect vg = viewport()->geometry();
        m_footer->setGeometry(vg.left(), vg.bottom() + 1, vg.width(), fh);
        m_footer->update();
    }
}

void Grid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyColumnGeometry();
        if (m_rowHeightTwips > 0)
            setRowHeightTwips(m_rowHeightTwips);
    }
}

void Grid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dx != 0)
        m_footer->update();
}

// ---------------------------------------------------------------- list grid

ListGrid::ListGrid(QWidget* parent) : Grid(parent)
{
    setAllowUpdate(false);
    setAllowAddNew(false);
    setAllowDelete(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

} // namespace grid
