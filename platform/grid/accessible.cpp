#include "platform/grid/accessible.h"

#include "platform/grid/grid.h"
#include "platform/grid/grid_parts.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>

namespace grid {
namespace {

// Cells kept beyond the ones in view before the others are let go.
constexpr int kCellCache = 2000;

Qt::ItemFlags flagsOf(const Grid* g, int row, int col)
{
    return g->model()->flags(g->model()->index(row, col));
}

// The visible columns in the order shown (logical indexes).
QList<int> shownColumns(const Grid* g)
{
    QList<int> cols;
    const QHeaderView* h = g->horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int c = h->logicalIndex(v);
        if (c >= 0 && !g->isColumnHidden(c))
            cols.append(c);
    }
    return cols;
}

// The rows in view, and the current row wherever it is.
QList<int> shownRows(const Grid* g)
{
    QList<int> rows;
    const int count = g->model()->rowCount();
    if (count == 0)
        return rows;
    const int first = qMax(0, g->rowAt(0));
    int last = g->rowAt(g->viewport()->height() - 1);
    if (last < 0)
        last = count - 1;
    for (int r = first; r <= last && r < count; ++r)
        rows.append(r);
    const int current = g->currentIndex().isValid() ? g->currentIndex().row() : -1;
    if (current >= 0 && current < first)
        rows.prepend(current);
    else if (current > last)
        rows.append(current);
    return rows;
}

QList<int> footerColumns(const Grid* g)
{
    QList<int> cols;
    if (!g->footersVisible())
        return cols;
    for (int c : shownColumns(g))
        if (!const_cast<Grid*>(g)->column(c).footerText.isEmpty())
            cols.append(c);
    return cols;
}

QRect globalRect(const QWidget* w, const QRect& local)
{
    if (!w || local.isNull())
        return QRect();
    return QRect(w->mapToGlobal(local.topLeft()), local.size());
}

class GridAccessible;

GridAccessible* tableOf(const Grid* g);

// Runs what an accessible action or edit asks once the call has returned: a
// grid event may open a modal box or the pick-list, and the tool that asked
// must get its answer meanwhile, not wait for the box to close.
template <class Fa> void later(Grid* g, Fa fa)
{
    QMetaObject::invokeMethod(
        g,
        [g = QPointer<Grid>(g), fa] {
            if (g)
                fa(g.data());
        },
        Qt::QueuedConnection);
}

// A part of a grid without children of its own: a header, a cell, a footer
// of one column.
class GridPart : public QAccessibleInterface
{
public:
    GridPart(Grid* grid, int col) : m_grid(grid), m_col(col) {}

    bool isValid() const override { return m_grid && m_col < m_grid->model()->columnCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return m_grid && m_grid->window() ? m_grid->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    // The name is read as the value too.
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        switch (t) {
        case QAccessible::Name:
        case QAccessible::Value:
            return name();
        case QAccessible::Description:
            return description();
        default:
            return QString();
        }
    }

protected:
    virtual QString name() const = 0;
    virtual QString description() const { return QString(); }

    QPointer<Grid> m_grid;
    int m_col;
};

// A text read whole, with no selection and no caret of its own.
class WholeText : public QAccessibleTextInterface
{
public:
    virtual QString whole() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        const QString t = whole();
        startOffset = qMax(0, startOffset);
        if (endOffset < 0 || endOffset > t.size())
            endOffset = int(t.size());
        return startOffset >= endOffset ? QString() : t.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(whole().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }
};

// ---------------------------------------------------------------- cell

class CellAccessible : public GridPart,
                       public QAccessibleTableCellInterface,
                       public WholeText,
                       public QAccessibleEditableTextInterface,
                       public QAccessibleActionInterface
{
public:
    CellAccessible(Grid* grid, int row, int col) : GridPart(grid, col), m_row(row) {}

    bool isValid() const override { return GridPart::isValid() && m_row < m_grid->model()->rowCount(); }
    QString whole() const override { return content(); }
    using GridPart::text;
    using WholeText::text;
    QString name() const override { return shown(); }
    QString description() const override { return index().data(Qt::ToolTipRole).toString(); }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            replaceText(0, characterCount(), text);
    }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        return globalRect(m_grid->viewport(), m_grid->visualRect(index()));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const Qt::ItemFlags f = flagsOf(m_grid, m_row, m_col);
        s.selectable = true;
        s.selected = isSelected();
        s.focusable = true;
        s.focused = m_grid->hasFocus() && m_grid->currentIndex() == index();
        s.editable = f.testFlag(Qt::ItemIsEditable);
        s.readOnly = !s.editable && !f.testFlag(Qt::ItemIsUserCheckable);
        if (checkBox()) {
            s.checkable = true;
            s.checked = index().data(Qt::CheckStateRole).toInt() == Qt::Checked;
        }
        if (m_grid->isColumnHidden(m_col)) {
            s.invisible = true;
        } else if (!m_grid->viewport()->rect().intersects(m_grid->visualRect(index()))) {
            s.offscreen = true;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        switch (t) {
        case QAccessible::TableCellInterface:
            return static_cast<QAccessibleTableCellInterface*>(this);
        case QAccessible::TextInterface:
            return static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface:
            return isValid() && flagsOf(m_grid, m_row, m_col).testFlag(Qt::ItemIsEditable)
                       ? static_cast<QAccessibleEditableTextInterface*>(this)
                       : nullptr;
        case QAccessible::ActionInterface:
            return static_cast<QAccessibleActionInterface*>(this);
        default:
            return nullptr;
        }
    }

    // table cell
    bool isSelected() const override
    {
        return isValid() && m_grid->selectionModel() && m_grid->selectionModel()->isSelected(index());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_grid ? int(shownColumns(m_grid).indexOf(m_col)) : -1; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // text: an editable cell reads as the editor shows it, any other as drawn
    QRect characterRect(int offset) const override
    {
        const QRect r = rect();
        const QString t = content();
        if (!m_grid || r.isNull() || offset < 0 || offset >= t.size())
            return QRect();
        const QFontMetrics fm(m_grid->font());
        return QRect(r.left() + 3 + fm.horizontalAdvance(t.left(offset)), r.top(),
                     fm.horizontalAdvance(t.at(offset)), r.height());
    }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override
    {
        if (isValid())
            m_grid->scrollTo(index());
    }
    // editable text
    void deleteText(int startOffset, int endOffset) override
    {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (!isValid())
            return;
        const QString old = content();
        startOffset = qBound(0, startOffset, int(old.size()));
        endOffset = qBound(startOffset, endOffset < 0 ? int(old.size()) : endOffset, int(old.size()));
        const QString typed = old.left(startOffset) + text + old.mid(endOffset);
        later(m_grid, [row = m_row, col = m_col, typed](Grid* g) { g->typeIntoCell(row, col, typed); });
    }

    // actions
    QStringList actionNames() const override
    {
        QStringList names{setFocusAction(), toggleAction()};
        if (hasButton())
            names.append(pressAction());
        return names;
    }
    void doAction(const QString& action) override
    {
        if (!isValid())
            return;
        const int row = m_row;
        const int col = m_col;
        if (action == pressAction() && hasButton()) {
            later(m_grid, [row, col](Grid* g) { g->pressCellButton(row, col); });
        } else if (action == toggleAction() && checkBox()) {
            later(m_grid, [row, col](Grid* g) {
                g->setCurrentCell(row, col);
                g->toggleCheckCell(row, col);
            });
        } else if (action == toggleAction() || action == setFocusAction()) {
            later(m_grid, [row, col](Grid* g) { g->setCurrentCell(row, col); });
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QModelIndex index() const { return m_grid->model()->index(m_row, m_col); }
    bool checkBox() const
    {
        return flagsOf(m_grid, m_row, m_col).testFlag(Qt::ItemIsUserCheckable) ||
               index().data(Qt::CheckStateRole).isValid();
    }
    bool hasButton() const
    {
        return m_grid && (m_grid->column(m_col).button || m_grid->column(m_col).textButton);
    }
    QString shown() const { return index().data(Qt::DisplayRole).toString(); }
    QString content() const
    {
        if (!isValid())
            return QString();
        if (flagsOf(m_grid, m_row, m_col).testFlag(Qt::ItemIsEditable))
            return index().data(Qt::EditRole).toString();
        return shown();
    }

    int m_row;
};

// ---------------------------------------------------------------- header

class HeaderAccessible : public GridPart, public QAccessibleActionInterface
{
public:
    using GridPart::GridPart;

    QString name() const override { return m_grid->column(m_col).caption; }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QHeaderView* h = m_grid->horizontalHeader();
        return globalRect(h->viewport(),
                          QRect(h->sectionViewportPosition(m_col), 0, h->sectionSize(m_col), h->height()));
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invalid = !isValid();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (isValid() && action == pressAction())
            later(m_grid, [col = m_col](Grid* g) { g->pressHeader(col); });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// ---------------------------------------------------------------- footer

class FooterAccessible : public GridPart, public WholeText
{
public:
    using GridPart::GridPart;

    QString whole() const override { return isValid() ? m_grid->column(m_col).footerText : QString(); }
    using GridPart::text;
    using WholeText::text;
    QString name() const override { return whole(); }
    QString description() const override { return m_grid->column(m_col).caption; }
    QRect rect() const override
    {
        const FooterBar* bar = isValid() ? m_grid->findChild<FooterBar*>() : nullptr;
        return bar ? globalRect(bar, bar->footerRect(m_col)) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invalid = !isValid();
        s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    }
};

// ---------------------------------------------------------------- table

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(Grid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override { forget(true); }

    Grid* grid() const { return static_cast<Grid*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The children: headers, the cells of the rows shown, the footers.
    int childCount() const override
    {
        const qsizetype c = shownColumns(grid()).size();
        return int(c + shownRows(grid()).size() * c + footerColumns(grid()).size());
    }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        const QList<int> cols = shownColumns(grid());
        if (index < cols.size())
            return header(cols.at(index));
        index -= int(cols.size());
        const QList<int> rows = shownRows(grid());
        if (!cols.isEmpty() && index < rows.size() * cols.size())
            return cell(rows.at(index / cols.size()), cols.at(index % cols.size()));
        index -= int(rows.size() * cols.size());
        const QList<int> footers = footerColumns(grid());
        return index < footers.size() ? footer(footers.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* iface) const override
    {
        if (!iface)
            return -1;
        const QList<int> cols = shownColumns(grid());
        if (iface->role() == QAccessible::ColumnHeader) {
            for (auto it = m_headers.constBegin(); it != m_headers.constEnd(); ++it)
                if (QAccessible::accessibleInterface(it.value()) == iface)
                    return int(cols.indexOf(it.key()));
            return -1;
        }
        if (iface->role() == QAccessible::StaticText) {
            for (auto it = m_footers.constBegin(); it != m_footers.constEnd(); ++it)
                if (QAccessible::accessibleInterface(it.value()) == iface) {
                    const qsizetype f = footerColumns(grid()).indexOf(it.key());
                    return f < 0 ? -1 : int(cols.size() + shownRows(grid()).size() * cols.size() + f);
                }
            return -1;
        }
        auto* c = const_cast<QAccessibleInterface*>(iface)->tableCellInterface();
        if (!c || c->table() != this)
            return -1;
        return childIndex(c->rowIndex(), c->columnIndex(), cols);
    }
    int childIndex(int row, int shownColumn, const QList<int>& cols) const
    {
        const qsizetype r = shownRows(grid()).indexOf(row);
        if (r < 0 || shownColumn < 0)
            return -1;
        return int(cols.size() + r * cols.size() + shownColumn);
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        Grid* g = grid();
        const QPoint viewportPoint = g->viewport()->mapFromGlobal(QPoint(x, y));
        if (g->viewport()->rect().contains(viewportPoint)) {
            const QModelIndex i = g->indexAt(viewportPoint);
            return i.isValid() ? cell(i.row(), i.column()) : nullptr;
        }
        const QHeaderView* h = g->horizontalHeader();
        const QPoint headerPoint = h->viewport()->mapFromGlobal(QPoint(x, y));
        if (h->viewport()->rect().contains(headerPoint)) {
            const int c = h->logicalIndexAt(headerPoint.x());
            return c >= 0 ? header(c) : nullptr;
        }
        if (const FooterBar* bar = g->findChild<FooterBar*>(); bar && bar->isVisible()) {
            const QPoint footerPoint = bar->mapFromGlobal(QPoint(x, y));
            if (bar->rect().contains(footerPoint)) {
                const int c = bar->columnAt(footerPoint.x());
                return c >= 0 && !g->column(c).footerText.isEmpty() ? footer(c) : nullptr;
            }
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const QModelIndex i = grid()->currentIndex();
        return grid()->hasFocus() && i.isValid() ? cell(i.row(), i.column()) : nullptr;
    }

    // table
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const QList<int> cols = shownColumns(grid());
        if (row < 0 || row >= grid()->model()->rowCount() || column < 0 || column >= cols.size())
            return nullptr;
        return cell(row, cols.at(column));
    }
    int selectedCellCount() const override { return int(selectedIndexes().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const QModelIndex& i : selectedIndexes())
            cells.append(cell(i.row(), i.column()));
        return cells;
    }
    QString columnDescription(int column) const override
    {
        const QList<int> cols = shownColumns(grid());
        return column >= 0 && column < cols.size() ? grid()->column(cols.at(column)).caption : QString();
    }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return int(shownColumns(grid()).size()); }
    int rowCount() const override { return grid()->model()->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (QItemSelectionModel* s = grid()->selectionModel())
            for (const QModelIndex& i : s->selectedIndexes())
                if (!rows.contains(i.row()))
                    rows.append(i.row());
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    // Choosing a row makes it the current one, in the current column.
    bool selectRow(int row) override
    {
        if (row < 0 || row >= grid()->model()->rowCount())
            return false;
        later(grid(), [row](Grid* g) {
            int col = g->currentIndex().isValid() ? g->currentIndex().column() : -1;
            if (col < 0 || g->isColumnHidden(col)) {
                const QList<int> cols = shownColumns(g);
                col = cols.isEmpty() ? 0 : cols.first();
            }
            g->setCurrentCell(row, col);
        });
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        // Rows that come or go move the cells after them: none is kept.
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
            forget(false);
    }

    void footersChanged()
    {
        for (auto it = m_footers.constBegin(); it != m_footers.constEnd(); ++it) {
            if (QAccessibleInterface* f = QAccessible::accessibleInterface(it.value())) {
                QAccessibleEvent e(f, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&e);
            }
        }
    }

private:
    QModelIndexList selectedIndexes() const
    {
        QModelIndexList out;
        if (QItemSelectionModel* s = grid()->selectionModel())
            for (const QModelIndex& i : s->selectedIndexes())
                if (!grid()->isColumnHidden(i.column()))
                    out.append(i);
        return out;
    }

    // The part kept under the key, made when there is none yet.
    template <class Key, class Make>
    static QAccessibleInterface* kept(QHash<Key, QAccessible::Id>& parts, Key key, Make make)
    {
        if (const auto it = parts.constFind(key); it != parts.constEnd())
            if (QAccessibleInterface* i = QAccessible::accessibleInterface(*it))
                return i;
        QAccessibleInterface* made = make();
        parts.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }
    QAccessibleInterface* cell(int row, int col) const
    {
        const quint64 key = (quint64(quint32(row)) << 32) | quint32(col);
        if (!m_cells.contains(key) && m_cells.size() >= kCellCache)
            trim();
        return kept(m_cells, key, [&] { return new CellAccessible(grid(), row, col); });
    }
    QAccessibleInterface* header(int col) const
    {
        return kept(m_headers, col, [&] { return new HeaderAccessible(grid(), col); });
    }
    QAccessibleInterface* footer(int col) const
    {
        return kept(m_footers, col, [&] { return new FooterAccessible(grid(), col); });
    }
    // Lets go of the cells of rows no longer shown.
    void trim() const
    {
        const QList<int> rows = shownRows(grid());
        for (auto it = m_cells.begin(); it != m_cells.end();) {
            if (!rows.contains(int(it.key() >> 32))) {
                QAccessible::deleteAccessibleInterface(it.value());
                it = m_cells.erase(it);
            } else {
                ++it;
            }
        }
    }
    void forget(bool all)
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
        if (!all)
            return;
        for (QAccessible::Id id : std::as_const(m_headers))
            QAccessible::deleteAccessibleInterface(id);
        for (QAccessible::Id id : std::as_const(m_footers))
            QAccessible::deleteAccessibleInterface(id);
        m_headers.clear();
        m_footers.clear();
    }

    mutable QHash<quint64, QAccessible::Id> m_cells;
    mutable QHash<int, QAccessible::Id> m_headers;
    mutable QHash<int, QAccessible::Id> m_footers;
};

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const
{
    QAccessibleInterface* t = parent();
    if (!t || !t->tableInterface())
        return {};
    const int i = columnIndex();
    QAccessibleInterface* h = i >= 0 ? t->child(i) : nullptr;
    return h ? QList<QAccessibleInterface*>{h} : QList<QAccessibleInterface*>{};
}

GridAccessible* tableOf(const Grid* g)
{
    return static_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(const_cast<Grid*>(g)));
}

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("grid::Grid") || className == QLatin1String("grid::ListGrid")) {
        if (auto* g = qobject_cast<Grid*>(object))
            return new GridAccessible(g);
    }
    return nullptr;
}

} // namespace

void installGridAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(factory);
    }
}

int accessibleChildIndex(Grid* grid, const QModelIndex& index)
{
    GridAccessible* t = grid ? tableOf(grid) : nullptr;
    if (!t || !index.isValid())
        return -1;
    const QList<int> cols = shownColumns(grid);
    return t->childIndex(index.row(), int(cols.indexOf(index.column())), cols);
}

void footersChanged(Grid* grid)
{
    if (grid && QAccessible::isActive())
        tableOf(grid)->footersChanged();
}

} // namespace grid
