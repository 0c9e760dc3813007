#pragma once
// The table model of a grid: the bound rows read from memory and formatted
// when the view asks for a cell, never SQL. It holds the unsaved values of the
// one row under edit; the row is written to the source as a whole.

#include "platform/grid/format.h"
#include "platform/grid/source.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QMap>
#include <QPointer>

namespace grid {

struct Column
{
    QString caption;
    QString dataField;
    int field = -1; // index of the source field, -1 when the field is not bound
    int widthTwips = 1440;
    bool visible = true;
    bool locked = false;
    bool wrap = false;
    Qt::Alignment alignment; // none: numbers right, other values left
    QString numberFormat;    // "##,##0.00" and the like; empty: as the value is
    QColor foreColor;        // invalid: the grid's own
    QColor backColor;
    bool button = false; // a button drawn in the cell of every row
    // The whole cell drawn as a button bearing the cell's text, in every row;
    // a click anywhere on it is a button click.
    bool textButton = false;
    bool bold = false;
    // Shown as a check box (Yes/No fields always are): checked is -1, cleared 0.
    bool checkBox = false;
    QString footerText;
    // The widest text its cells show, when the window knows it (from its
    // largest and smallest value): the column grows to show it whole, as it
    // does for the footer's total.
    QString widestText;
};

class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    // Binds the rows; the columns become the source's fields in field order.
    void setSource(RowSource* source);
    RowSource* source() const { return m_source; }

    const QList<Column>& columns() const { return m_columns; }
    Column& column(int index) { return m_columns[index]; }
    // Shows changed column settings.
    void refreshColumns();
    int columnForField(const QString& dataField) const;

    void setAllowUpdate(bool on);
    void setAllowAddNew(bool on);
    void setAllowDelete(bool on) { m_allowDelete = on; }
    bool allowUpdate() const { return m_allowUpdate; }
    bool allowAddNew() const { return m_allowAddNew; }
    bool allowDelete() const { return m_allowDelete; }
    void setRowColours(const QColor& even, const QColor& odd);
    // Switches the row colours off and on again, keeping them.
    void setAlternatingRows(bool on);
    bool alternatingRows() const { return m_alternating; }
    void setLocale(const QLocale& locale) { m_locale = locale; }
    const QLocale& locale() const { return m_locale; }
    // The display format of a column, as read from its number format.
    NumberFormat numberFormat(int col) const { return m_formats.value(col); }
    // The text typed into a cell of the column as a value of its field (parseEditText).
    db::Variant valueOfText(int col, const QString& text) const;

    // Rows of the source; the line after them is the new-row line when adding is allowed.
    int dataRowCount() const { return m_rows; }
    bool isNewRowLine(int row) const { return m_allowAddNew && row == m_rows; }

    // A cell as the grid holds it: the unsaved value when the row is under edit.
    db::Variant cell(int row, int col) const;
    int fieldType(int col) const;
    // Sets an unsaved value of the row under edit (another row under edit must be written first).
    void setPending(int row, int col, const db::Variant& value);
    // Drops the unsaved value of one cell of the row under edit.
    void clearPending(int col);
    int editRow() const { return m_editRow; }
    bool rowChanged() const { return m_editRow >= 0; }
    bool cellChanged(int col) const { return m_editRow >= 0 && m_pending.contains(col); }
    // Writes the row under edit; on failure its values stay unsaved.
    WriteError commitRow();
    void discardRow();
    WriteError deleteRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The plain edit path: the value becomes the row's unsaved value (the grid
    // runs its events before it calls this).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void sourcePositionChanged(int row);
    void columnsRebuilt();

private:
    // Whether the column shows its values as check boxes: a Yes/No field, or checkBox set.
    bool showsCheckBox(int col) const;
    void rebuildColumns();
    void onReset();
    void onRowChanged(int row);
    void onRowInserted(int row);
    void onRowRemoved(int row);

    // The source row of a model row. The source tells of an insert or a removal
    // after it happened; until the model has announced it, rows keep their old places.
    int sourceRow(int row) const;

    QPointer<RowSource> m_source;
    int m_inserting = -1;
    int m_removing = -1;
    QList<Column> m_columns;
    QList<NumberFormat> m_formats;
    int m_rows = 0;
    bool m_allowUpdate = true;
    bool m_allowAddNew = false;
    bool m_allowDelete = false;
    QColor m_even;
    QColor m_odd;
    bool m_alternating = true;
    QLocale m_locale;
    int m_editRow = -1;
    QMap<int, db::Variant> m_pending; // column -> unsaved value
};

} // namespace grid
