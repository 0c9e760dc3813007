#include "model.h"

#include <QFont>

namespace grid {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setSource(RowSource* source)
{
    beginResetModel();
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    m_editRow = -1;
    m_pending.clear();
    m_rows = source ? source->rowCount() : 0;
    rebuildColumns();
    if (source) {
        connect(source, &RowSource::reset, this, &GridModel::onReset);
        connect(source, &RowSource::rowChanged, this, &GridModel::onRowChanged);
        connect(source, &RowSource::rowInserted, this, &GridModel::onRowInserted);
        connect(source, &RowSource::rowRemoved, this, &GridModel::onRowRemoved);
        connect(source, &RowSource::positionChanged, this, &GridModel::sourcePositionChanged);
        connect(source, &QObject::destroyed, this, [this] { setSource(nullptr); });
    }
    endResetModel();
    emit columnsRebuilt();
}

void GridModel::rebuildColumns()
{
    m_columns.clear();
    m_formats.clear();
    if (!m_source)
        return;
    for (int i = 0; i < m_source->fieldCount(); ++i) {
        Column c;
        c.caption = m_source->fieldName(i);
        c.dataField = c.caption;
        c.field = i;
        m_columns.append(c);
        m_formats.append(NumberFormat());
    }
}

void GridModel::refreshColumns()
{
    m_formats.clear();
    for (const Column& c : std::as_const(m_columns))
        m_formats.append(NumberFormat::parse(c.numberFormat));
    if (!m_columns.isEmpty()) {
        emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, int(m_columns.size()) - 1));
    }
}

int GridModel::columnForField(const QString& dataField) const
{
    QString f = dataField;
    if (f.startsWith(u'[') && f.endsWith(u']'))
        f = f.mid(1, f.size() - 2);
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].dataField.compare(f, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void GridModel::setAllowUpdate(bool on)
{
    m_allowUpdate = on;
}

void GridModel::setAllowAddNew(bool on)
{
    if (on == m_allowAddNew)
        return;
    if (on) {
        beginInsertRows(QModelIndex(), m_rows, m_rows);
        m_allowAddNew = true;
        endInsertRows();
    } else {
        if (m_editRow == m_rows)
            discardRow();
        beginRemoveRows(QModelIndex(), m_rows, m_rows);
        m_allowAddNew = false;
        endRemoveRows();
    }
}

void GridModel::setRowColours(const QColor& even, const QColor& odd)
{
    m_even = even;
    m_odd = odd;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

void GridModel::setAlternatingRows(bool on)
{
    if (on == m_alternating)
        return;
    m_alternating = on;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

db::Variant GridModel::cell(int row, int col) const
{
    if (col < 0 || col >= m_columns.size())
        return db::Variant::null();
    if (row == m_editRow) {
        auto it = m_pending.constFind(col);
        if (it != m_pending.constEnd())
            return *it;
    }
    const int f = m_columns[col].field;
    if (!m_source || f < 0 || row < 0 || row >= m_rows)
        return db::Variant::null();
    const int r = sourceRow(row);
    return r < 0 ? db::Variant::null() : m_source->value(r, f);
}

int GridModel::sourceRow(int row) const
{
    if (m_inserting >= 0 && row >= m_inserting)
        return row + 1;
    if (m_removing >= 0 && row >= m_removing)
        return row == m_removing ? -1 : row - 1;
    return row;
}

int GridModel::fieldType(int col) const
{
    if (!m_source || col < 0 || col >= m_columns.size() || m_columns[col].field < 0)
        return 202;
    return m_source->fieldType(m_columns[col].field);
}

void GridModel::setPending(int row, int col, const db::Variant& value)
{
    if (col < 0 || col >= m_columns.size() || row < 0 || row >= rowCount())
        return;
    if (m_editRow >= 0 && m_editRow != row)
        return; // the row under edit is written or discarded first
    m_editRow = row;
    m_pending.insert(col, value);
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i);
}

void GridModel::clearPending(int col)
{
    if (m_editRow < 0 || !m_pending.remove(col))
        return;
    const int row = m_editRow;
    if (m_pending.isEmpty())
        m_editRow = -1;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i);
}

WriteError GridModel::commitRow()
{
    if (m_editRow < 0)
        return {};
    if (!m_source)
        return {7, QStringLiteral("Aceasta lista nu poate fi modificata")};
    RowValues values;
    for (auto it = m_pending.constBegin(); it != m_pending.constEnd(); ++it) {
        const int f = m_columns.value(it.key()).field;
        if (f >= 0)
            values.append({f, it.value()});
    }
    const int row = m_editRow;
    const auto pending = m_pending;
    m_editRow = -1;
    m_pending.clear();
    const WriteError e = m_source->writeRow(row, values);
    if (e.isError()) {
        m_editRow = row;
        m_pending = pending;
    }
    if (row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return e;
}

void GridModel::discardRow()
{
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    m_editRow = -1;
    m_pending.clear();
    if (row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

WriteError GridModel::deleteRow(int row)
{
    if (!m_source || row < 0 || row >= m_rows)
        return {};
    if (row == m_editRow)
        discardRow();
    return m_source->deleteRow(row);
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_rows + (m_allowAddNew && m_source ? 1 : 0);
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

bool GridModel::showsCheckBox(int col) const
{
    return fieldType(col) == 11 || m_columns[col].checkBox;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const int row = index.row();
    const int col = index.column();
    const Column& c = m_columns[col];
    const bool yesNo = showsCheckBox(col);
    switch (role) {
    case Qt::DisplayRole:
        if (yesNo)
            return {};
        return formatValue(cell(row, col), m_formats.value(col), m_locale);
    case Qt::CheckStateRole: {
        if (!yesNo || isNewRowLine(row))
            return {};
        const db::Variant v = cell(row, col);
        return v.isMissing() ? QVariant() : QVariant(v.toBool() ? Qt::Checked : Qt::Unchecked);
    }
    case Qt::FontRole:
        if (c.bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::EditRole:
        return editText(cell(row, col), m_locale);
    case Qt::TextAlignmentRole: {
        if (c.alignment)
            return QVariant::fromValue(c.alignment | Qt::AlignVCenter);
        const bool number = isNumberType(fieldType(col));
        return QVariant::fromValue((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole:
        if (c.backColor.isValid())
            return c.backColor;
        if (!m_alternating)
            return {};
        if (row % 2 == 0 && m_even.isValid())
            return m_even;
        if (row % 2 == 1 && m_odd.isValid())
            return m_odd;
        return {};
    case Qt::ForegroundRole:
        if (c.foreColor.isValid())
            return c.foreColor;
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns[section].caption;
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const Column& c = m_columns[index.column()];
    const bool writable = m_source && m_source->canWrite() && !c.locked && c.field >= 0;
    const bool allowed = isNewRowLine(index.row()) ? m_allowAddNew : m_allowUpdate;
    if (writable && allowed)
        f |= showsCheckBox(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (m_editRow >= 0 && m_editRow != index.row())
        return false;
    setPending(index.row(), index.column(), valueOfText(index.column(), value.toString()));
    return true;
}

db::Variant GridModel::valueOfText(int col, const QString& text) const
{
    return parseEditText(text, fieldType(col), m_locale, m_formats.value(col));
}

void GridModel::onReset()
{
    beginResetModel();
    m_editRow = -1;
    m_pending.clear();
    m_rows = m_source ? m_source->rowCount() : 0;
    bool same = m_source && m_source->fieldCount() == m_columns.size();
    for (int i = 0; same && i < m_columns.size(); ++i)
        same = m_columns[i].field == i && m_columns[i].dataField == m_source->fieldName(i);
    if (!same)
        rebuildColumns();
    endResetModel();
    if (!same)
        emit columnsRebuilt();
}

void GridModel::onRowChanged(int row)
{
    if (row >= 0 && row < m_rows && !m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

void GridModel::onRowInserted(int row)
{
    if (row < 0 || row > m_rows)
        row = m_rows;
    m_inserting = row;
    beginInsertRows(QModelIndex(), row, row);
    m_inserting = -1;
    ++m_rows;
    if (m_editRow >= row)
        ++m_editRow;
    endInsertRows();
}

void GridModel::onRowRemoved(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    m_removing = row;
    beginRemoveRows(QModelIndex(), row, row);
    m_removing = -1;
    --m_rows;
    if (m_editRow == row) {
        m_editRow = -1;
        m_pending.clear();
    } else if (m_editRow > row) {
        --m_editRow;
    }
    endRemoveRows();
}

} // namespace grid
