#pragma once
// The bound grid: rows of a record set shown and edited in place, with the
// events the windows handle. A cell's new value goes through before-column-
// update (which may cancel it and may write other cells of the row); the row
// is written to the record set when the current row changes or update() is
// called, after before-update. A refused write comes back as a data error
// numbered 1..8 (see source.h).
//
// Events are signals taking references (cancel, suppress, consume): connect
// them directly, never queued.

#include "platform/db/db.h"
#include "platform/grid/calling_grid.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/layout.h"
#include "platform/grid/model.h"

#include <QPointer>
#include <QTableView>
#include <memory>

namespace grid {

class FooterBar;

// Where Enter moves the cell pointer.
enum class EnterAction
{
    None = 0,
    Right = 1,
    Down = 2,
    Left = 3,
    Up = 4
};

class Grid : public QTableView, public CallingGrid
{
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // Binding. The source is not owned; bind() keeps its own adapter over the
    // record set (a handle to the same record set and cursor). Re-binding
    // rebuilds the columns from the new fields (columnsRebuilt).
    void setDataSource(RowSource* source);
    void bind(const db::Recordset& recordset);
    RowSource* dataSource() const;
    GridModel* gridModel() const { return m_model; }

    // Columns, in field order; change them, then refreshColumns().
    int columnCount() const;
    Column& column(int index);
    int columnForField(const QString& dataField) const;
    void refreshColumns();
    // Shows changed footer texts and widest texts (and nothing else of the columns).
    void refreshFooters();
    void setColumnDropDown(int column, DropDown* dropDown);

    // Grid-wide switches.
    void setAllowUpdate(bool on);
    void setAllowAddNew(bool on);
    void setAllowDelete(bool on);
    bool allowUpdate() const;
    bool allowAddNew() const;
    bool allowDelete() const;
    // Tab moves from cell to cell (otherwise it leaves the grid); with wrap,
    // from the last cell of a row to the first of the next.
    void setTabAcrossCells(bool on);
    void setWrapCellPointer(bool on) { m_wrap = on; }
    void setEnterAction(EnterAction action) { m_enterAction = action; }
    EnterAction enterAction() const { return m_enterAction; }
    // The lines of the column headers: they are at least that high, and as
    // high as a caption wrapped to its column's width needs.
    void setHeadingLines(int lines);
    void setHeadingBold(bool bold);
    void setRowHeightTwips(int twips);
    // Each row as high as the text of its wrapping columns needs at their
    // widths, and never lower than the grid's row height: for lists of a
    // few hundred rows, once their columns are set.
    void fitRowHeights();
    // A column width and a row height in twips, as the windows give them for
    // the design font, in this grid's pixels: widened for its font (units.h).
    int columnPixels(int twips) const;
    int rowPixels(int twips) const;
    // The width that shows every visible column whole: the columns, the row
    // headers, the frame and a vertical scroll bar.
    int widthForColumns() const;
    // Invalid colours switch the alternating rows off.
    void setRowColours(const QColor& even, const QColor& odd);
    // Switches the row colours off (a print-out has none) and on again.
    void setAlternatingRows(bool on);
    bool alternatingRows() const;
    void setSelectionColours(const QColor& back, const QColor& text);
    void setFootersVisible(bool on);
    bool footersVisible() const { return m_footersVisible; }
    // The look of the footers: bold or not, text and back colours (invalid:
    // the grid's own), and one alignment for all (none: each column's).
    void setFooterStyle(bool bold, const QColor& text, const QColor& back, Qt::Alignment alignment = {});
    bool footerBold() const { return m_footerBold; }
    QColor footerTextColour() const { return m_footerText; }
    QColor footerBackColour() const { return m_footerBack; }
    Qt::Alignment footerAlignment() const { return m_footerAlignment; }
    // The width a footer text needs, margins included.
    int footerTextWidth(const QString& text) const;
    // The width a cell of the column needs to show the text whole: margins,
    // the cell's button and the grid line included.
    int cellTextWidth(int column, const QString& text) const;
    // The back colour of the column headers (invalid: the style's own).
    void setHeadingBackColour(const QColor& colour);
    QColor headingBackColour() const { return m_headingBack; }
    int headingLines() const { return m_headingLines; }

    // The current cell. Rows from 0; the new-row line is dataRowCount().
    int row() const;
    int col() const;
    void setCurrentCell(int row, int col);
    int dataRowCount() const { return m_model->dataRowCount(); }
    db::Variant cellValue(int row, int col) const { return m_model->cell(row, col); }
    QString cellText(int row, int col) const;
    // Unsaved changes: of the current row, of the cell being edited.
    bool rowDataChanged() const { return m_model->rowChanged(); }
    bool cellDataChanged() const;
    // A cell editor is open.
    bool isEditing() const { return state() == EditingState; }

    // The edit of one cell of the current row as if typed and confirmed: runs
    // before-column-update and after-column-update. False when cancelled.
    bool editCell(int col, const QString& text);
    // Writes the current row (before-update, then the record set); false when
    // cancelled or refused (the values stay unsaved).
    bool update();
    // Forgets the unsaved values of the current row.
    void cancelUpdate();
    // Deletes the current row (before-delete may cancel).
    bool deleteCurrentRow();

    // Layouts by data field: order, widths and visibility.
    Layout layout() const;
    void applyLayout(const Layout& layout);
    bool saveLayout(const QString& path, const QString& name, QString* error = nullptr) const;
    bool loadLayout(const QString& path, const QString& name, QString* error = nullptr);

    // The calling-grid side: the cells of the row under edit (the current
    // row when none is) by column index.
    db::Variant cell(int column) const override;
    void setCell(int column, const db::Variant& value) override;
    void takeFocus() override;

    // Does nothing: the rows move by the type-ahead search (type_ahead.h)
    // of the windows that want one, never by the view's own search.
    void keyboardSearch(const QString& search) override;
    // Where the type-ahead's prefix began (the current row then, -1 for none)
    // and the row its last search found (-1 before any): kept by typeAhead,
    // so that a search that finds nothing goes back where it began.
    struct TypeAheadStart
    {
        bool set = false;
        int from = -1;
        int found = -1;
    };
    TypeAheadStart& typeAheadStart() { return m_typeAheadStart; }

    // What a cell's and a header's accessible actions do (accessible.h):
    // the cell made current and given the text as if typed and confirmed
    // (false when the row being left or the cell refused it); the cell's
    // button pressed; its check box ticked or cleared; the header clicked.
    bool typeIntoCell(int row, int col, const QString& text);
    void pressCellButton(int row, int col);
    void toggleCheckCell(int row, int col);
    void pressHeader(int col);

    // Used by the cell delegate.
    bool commitEditorText(int row, int col, const QString& text);
    QRect buttonRect(const QRect& cellRect) const;
    DropDown* dropDownOf(int column) const { return m_dropDowns.value(column); }
    bool fireBeforeColEdit(int col);

signals:
    void beforeColEdit(int col, bool& cancel);
    void beforeColUpdate(int col, const db::Variant& oldValue, bool& cancel);
    void afterColUpdate(int col);
    void beforeUpdate(bool& cancel);
    void afterUpdate();
    void beforeDelete(bool& cancel);
    void afterDelete();
    // A refused write; with suppress set the grid shows no message of its own.
    void dataError(int number, const QString& text, bool& suppress);
    void buttonClick(int col);
    void headClick(int col);
    void dblClick();
    void keyDown(int key, Qt::KeyboardModifiers modifiers, bool& consume);
    // The character typed, control characters included (Enter "\r",
    // Backspace, Esc); set it to a null QChar to swallow it, or change a
    // printable one into another.
    void keyPress(QChar& ch);
    void rowColChange(int lastRow, int lastCol);
    void columnsRebuilt();
    // After a cell button's handler or a drop-down list is done.
    void lookupClosed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void focusInEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    bool commitRow();
    int callingRow() const;
    void reportError(const WriteError& e);
    // A text typed into a number cell that is no number: refused as a data
    // error (2) naming the column by its caption and the forms to use.
    void refuseNotANumber(int row, int col, const QString& text);
    // The editor holds the text its cell refused.
    bool refusedIn(const QWidget* editor) const;
    void onSourcePosition(int row);
    void onColumnsRebuilt();
    void applyColumnGeometry();
    // Widens the columns to their footer totals and widest texts.
    void fitColumnTexts();
    void fitHeading();
    // A column's width as the grid makes it from its twips and its caption.
    int madeWidth(int column) const;
    QSize headingOverhead() const;
    // How much the design font's twips widen for the font in use (units.h).
    double widthScale() const;
    double heightScale() const;
    int cellMargins() const;
    void moveByEnter();
    // Tells the assistive tools which cell has the focus.
    void announceCurrentCell();

    // The text last refused by a number cell, while it may still be in its editor.
    struct Refused
    {
        int row = -1;
        int col = -1;
        QString text;
        bool said = false;
    };
    Refused m_refused;
    TypeAheadStart m_typeAheadStart;
    bool m_writingRow = false; // update() asks for the row to be written
    GridModel* m_model = nullptr;
    std::unique_ptr<RowSource> m_ownSource;
    QMap<int, QPointer<DropDown>> m_dropDowns;
    FooterBar* m_footer = nullptr;
    EnterAction m_enterAction = EnterAction::None;
    bool m_wrap = true;
    bool m_footersVisible = false;
    bool m_inCellCommit = false; // a cell's events are running
    bool m_inRowCommit = false;  // the row's events are running
    bool m_followingSource = false;
    bool m_restoringRow = false;
    bool m_keptCurrent = false;  // the cell being left stayed current: the selection stays on it
    bool m_changingCell = false; // the view is moving to another cell
    bool m_inGeometry = false;
    int m_headingLines = 1;
    bool m_fittingColumns = false; // the columns take their widths: the headers fit once, after
    int m_rowHeightTwips = 0;      // 0: from the font
    bool m_footerBold = false;
    QColor m_footerText;
    QColor m_footerBack;
    Qt::Alignment m_footerAlignment;
    QColor m_headingBack;
};

// A column width in design twips, in pixels of any item
// view (a list's drop-down, a tree) for its font and style, as a grid widens
// its own columns.
int columnPixelsOf(const QAbstractItemView& view, int twips);

// A list grid: the grid read-only, whole rows selected.
class ListGrid : public Grid
{
    Q_OBJECT
public:
    explicit ListGrid(QWidget* parent = nullptr);
};

} // namespace grid
