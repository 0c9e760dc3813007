#include "source.h"

namespace grid {

MemorySource::MemorySource(QList<Field> fields, QObject* parent)
    : RowSource(parent), m_fields(std::move(fields))
{
}

void MemorySource::setFields(QList<Field> fields)
{
    m_fields = std::move(fields);
    m_rows.clear();
    m_position = -1;
    emit reset();
}

void MemorySource::appendRow(QList<db::Variant> row)
{
    row.resize(m_fields.size(), db::Variant::null());
    m_rows.append(std::move(row));
    if (m_position < 0)
        m_position = 0;
    emit rowInserted(int(m_rows.size()) - 1);
}

void MemorySource::clear()
{
    m_rows.clear();
    m_position = -1;
    emit reset();
}

db::Variant MemorySource::value(int row, int field) const
{
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return db::Variant::null();
    return m_rows[row][field];
}

WriteError MemorySource::writeRow(int row, const RowValues& values)
{
    if (m_readOnly)
        return {7, QStringLiteral("Aceasta lista nu poate fi modificata")};
    if (row < 0 || row > m_rows.size())
        return {-1, QStringLiteral("Randul nu exista")};
    const bool added = row == m_rows.size();
    if (added)
        m_rows.append(QList<db::Variant>(m_fields.size(), db::Variant::null()));
    for (const auto& [field, v] : values) {
        if (field >= 0 && field < m_fields.size())
            m_rows[row][field] = v;
    }
    if (added)
        emit rowInserted(row);
    else
        emit rowChanged(row);
    return {};
}

WriteError MemorySource::deleteRow(int row)
{
    if (m_readOnly)
        return {7, QStringLiteral("Aceasta lista nu poate fi modificata")};
    if (row < 0 || row >= m_rows.size())
        return {-1, QStringLiteral("Randul nu exista")};
    m_rows.removeAt(row);
    if (m_position >= m_rows.size())
        m_position = int(m_rows.size()) - 1;
    emit rowRemoved(row);
    return {};
}

void MemorySource::setPosition(int row)
{
    const int p = (row < 0 || row >= m_rows.size()) ? -1 : row;
    if (p == m_position)
        return;
    m_position = p;
    emit positionChanged(p);
}

} // namespace grid
