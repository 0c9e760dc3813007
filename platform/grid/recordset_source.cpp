#include "recordset_source.h"

namespace grid {

RecordsetSource::RecordsetSource(db::Recordset recordset, QObject* parent)
    : RowSource(parent), m_rs(std::move(recordset))
{
    if (!m_rs.isNull())
        m_observer = m_rs.addObserver([this](const db::Change& c) { onChange(c); });
}

RecordsetSource::~RecordsetSource()
{
    if (m_observer >= 0 && !m_rs.isNull())
        m_rs.removeObserver(m_observer);
}

QString RecordsetSource::fieldName(int field) const
{
    if (field < 0 || field >= fieldCount())
        return QString();
    return m_rs.field(field).name;
}

int RecordsetSource::fieldType(int field) const
{
    if (field < 0 || field >= fieldCount())
        return db::Type::VarWChar;
    return m_rs.field(field).type;
}

db::Variant RecordsetSource::value(int row, int field) const
{
    if (!m_rs.isOpen())
        return db::Variant::null();
    return m_rs.valueAt(row, field);
}

WriteError RecordsetSource::fromDbError(const db::Error& e)
{
    if (!e.isError())
        return {};
    const int code = e.dataErrorCode();
    return {code != 0 ? code : (e.number != 0 ? e.number : -1), e.description};
}

WriteError RecordsetSource::writeRow(int row, const RowValues& values)
{
    if (!m_rs.isOpen())
        return {7, QStringLiteral("Aceasta lista nu poate fi modificata")};
    db::Error e;
    if (row >= m_rs.rowCount())
        e = m_rs.addNew();
    else
        e = m_rs.setCurrentRow(row);
    for (int i = 0; !e && i < values.size(); ++i)
        e = m_rs.setValue(values[i].first, values[i].second);
    if (!e)
        e = m_rs.update();
    if (e)
        m_rs.cancelUpdate();
    return fromDbError(e);
}

WriteError RecordsetSource::deleteRow(int row)
{
    if (!m_rs.isOpen())
        return {7, QStringLiteral("Aceasta lista nu poate fi modificata")};
    db::Error e = m_rs.setCurrentRow(row);
    if (!e)
        e = m_rs.deleteCurrent();
    return fromDbError(e);
}

void RecordsetSource::setPosition(int row)
{
    if (!m_rs.isOpen() || row == m_rs.currentRow())
        return;
    if (row >= 0 && row < m_rs.rowCount())
        m_rs.setCurrentRow(row);
}

void RecordsetSource::onChange(const db::Change& change)
{
    switch (change.kind) {
    case db::Change::Kind::PositionChanged:
        emit positionChanged(change.row);
        break;
    case db::Change::Kind::RowChanged:
        emit rowChanged(change.row);
        break;
    case db::Change::Kind::RowAdded:
        emit rowInserted(change.row);
        break;
    case db::Change::Kind::RowRemoved:
        emit rowRemoved(change.row);
        break;
    case db::Change::Kind::Reset:
        emit reset();
        break;
    }
}

} // namespace grid
