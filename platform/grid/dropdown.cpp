#include "dropdown.h"

#include "platform/ui/accesibilitate.h"

#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace grid {

void ListColumns::setListSource(RowSource* source)
{
    m_model.setAllowUpdate(false);
    m_model.setSource(source);
}

void ListColumns::setColumnVisible(int column, bool visible)
{
    m_hidden.removeAll(column);
    if (!visible)
        m_hidden.append(column);
}

int ListColumns::boundColumn() const
{
    const int c = m_model.columnForField(m_boundField);
    return c >= 0 ? c : 0;
}

int ListColumns::listColumn() const
{
    const int c = m_model.columnForField(m_listField);
    return c >= 0 ? c : boundColumn();
}

int ListColumns::rowOfBoundValue(const QString& value) const
{
    const int c = boundColumn();
    for (int r = 0; r < m_model.dataRowCount(); ++r) {
        if (m_model.cell(r, c).toText().compare(value, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

int ListColumns::rowOfListText(const QString& text) const
{
    const int c = listColumn();
    for (int r = 0; r < m_model.dataRowCount(); ++r) {
        if (m_model.cell(r, c).toText().compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

db::Variant ListColumns::boundValueAt(int row) const
{
    if (row < 0 || row >= m_model.dataRowCount())
        return db::Variant::null();
    return m_model.cell(row, boundColumn());
}

QString ListColumns::listTextAt(int row) const
{
    if (row < 0 || row >= m_model.dataRowCount())
        return QString();
    return m_model.cell(row, listColumn()).toText();
}

void ListColumns::setUpView(QComboBox* box)
{
    auto* view = new QTableView(box);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setVisible(m_headers);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    box->setModel(&m_model);
    box->setView(view);
    box->setModelColumn(listColumn());
    for (int c : std::as_const(m_hidden))
        view->setColumnHidden(c, true);
    view->setMinimumWidth(300);
    ui::alegereAccesibila(box);
}

// ---------------------------------------------------------------- drop-down

DropDown::DropDown(QObject* parent) : QObject(parent) {}

QComboBox* DropDown::createEditor(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    setUpView(box);
    box->setCurrentIndex(-1);
    return box;
}

QString DropDown::valueOfEditor(QComboBox* editor) const
{
    const QString text = editor->currentText();
    int r = rowOfListText(text);
    if (r < 0)
        r = rowOfBoundValue(text);
    if (r >= 0)
        return boundValueAt(r).toText();
    return m_limit ? QString() : text;
}

// ---------------------------------------------------------------- combo

ListCombo::ListCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void ListCombo::bind(RowSource* source)
{
    setListSource(source);
    setUpView(this);
    setCurrentIndex(-1);
}

void ListCombo::setLimitToList(bool on)
{
    m_limit = on;
}

void ListCombo::setAutoCompletion(bool on)
{
    if (!on) {
        setCompleter(nullptr);
        return;
    }
    auto* c = new QCompleter(&m_model, this);
    c->setCompletionColumn(listColumn());
    c->setCaseSensitivity(Qt::CaseInsensitive);
    c->setCompletionMode(QCompleter::InlineCompletion);
    setCompleter(c);
}

db::Variant ListCombo::boundValue() const
{
    int r = currentIndex();
    if (r < 0 || listTextAt(r).compare(currentText(), Qt::CaseInsensitive) != 0)
        r = rowOfListText(currentText());
    return boundValueAt(r);
}

bool ListCombo::setBoundText(const QString& value)
{
    const int r = rowOfBoundValue(value);
    setCurrentIndex(r);
    if (r < 0 && !m_limit && lineEdit())
        lineEdit()->setText(value);
    return r >= 0;
}

void ListCombo::focusOutEvent(QFocusEvent* event)
{
    if (m_limit && lineEdit() && rowOfListText(currentText()) < 0) {
        setCurrentIndex(-1);
        lineEdit()->clear();
    }
    QComboBox::focusOutEvent(event);
}

} // namespace grid
