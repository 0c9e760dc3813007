#pragma once
// The lists: a drop-down attached to a grid column, and the list combo box.
// Both are bound to rows (a record set through RecordsetSource, or rows built
// in code) and return the value of one field (often a code column the list
// hides) while showing others.

#include "platform/grid/model.h"

#include <QComboBox>
#include <QPointer>

class QTableView;

namespace grid {

// The rows of a list shown in a popup table with per-column visibility.
class ListColumns
{
public:
    virtual ~ListColumns() = default;
    void setListSource(RowSource* source);
    RowSource* listSource() const { return m_model.source(); }
    GridModel& listModel() { return m_model; }
    // The field whose value the list returns, and the one shown in the box.
    void setBoundField(const QString& field) { m_boundField = field; }
    void setListField(const QString& field) { m_listField = field; }
    QString boundField() const { return m_boundField; }
    QString listField() const { return m_listField; }
    void setColumnVisible(int column, bool visible);
    void setColumnHeaders(bool on) { m_headers = on; }

    // The row whose bound field equals the value (case ignored), or -1.
    int rowOfBoundValue(const QString& value) const;
    // The row whose shown field equals the text (case ignored), or -1.
    int rowOfListText(const QString& text) const;
    db::Variant boundValueAt(int row) const;
    QString listTextAt(int row) const;

protected:
    void setUpView(QComboBox* box);
    int boundColumn() const;
    int listColumn() const;

    GridModel m_model;
    QString m_boundField;
    QString m_listField;
    QList<int> m_hidden;
    bool m_headers = true;
};

// A drop-down list for the cells of one grid column (Grid::setColumnDropDown).
// The cell receives the bound field's value of the row chosen; typed text
// that no row shows is kept as typed unless the list is limited.
class DropDown : public QObject, public ListColumns
{
    Q_OBJECT
public:
    explicit DropDown(QObject* parent = nullptr);
    void setLimitToList(bool on) { m_limit = on; }

    QComboBox* createEditor(QWidget* parent);
    // The value the edited cell takes from the editor, as text.
    QString valueOfEditor(QComboBox* editor) const;

private:
    bool m_limit = false;
};

// The list combo box: shows the list field, returns the bound field.
class ListCombo : public QComboBox, public ListColumns
{
    Q_OBJECT
public:
    explicit ListCombo(QWidget* parent = nullptr);

    void bind(RowSource* source);
    // Accept only listed values (a typed text that no row shows is refused).
    void setLimitToList(bool on);
    bool limitToList() const { return m_limit; }
    void setAutoCompletion(bool on);

    // The bound field of the chosen row (Null when none), and the row itself.
    db::Variant boundValue() const;
    QString boundText() const { return boundValue().toText(); }
    bool setBoundText(const QString& value);
    int selectedRow() const { return currentIndex(); }
    void setSelectedRow(int row) { setCurrentIndex(row); }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_limit = false;
};

} // namespace grid
