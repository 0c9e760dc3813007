#pragma once
// A record set as the rows of a grid: values read from the record set's
// memory, writes through its edit buffer, its position followed both ways.

#include "platform/db/db.h"
#include "platform/grid/source.h"

namespace grid {

class RecordsetSource : public RowSource
{
public:
    explicit RecordsetSource(db::Recordset recordset, QObject* parent = nullptr);
    ~RecordsetSource() override;

    const db::Recordset& recordset() const { return m_rs; }

    int rowCount() const override { return m_rs.isOpen() ? m_rs.rowCount() : 0; }
    int fieldCount() const override { return m_rs.isOpen() ? m_rs.fieldCount() : 0; }
    QString fieldName(int field) const override;
    int fieldType(int field) const override;
    db::Variant value(int row, int field) const override;
    bool canWrite() const override { return m_rs.isOpen() && m_rs.canUpdate(); }
    WriteError writeRow(int row, const RowValues& values) override;
    WriteError deleteRow(int row) override;
    int position() const override { return m_rs.isOpen() ? m_rs.currentRow() : -1; }
    void setPosition(int row) override;

    // The grid's data-error number and text of a database error.
    static WriteError fromDbError(const db::Error& e);

private:
    void onChange(const db::Change& change);

    db::Recordset m_rs;
    int m_observer = -1;
};

} // namespace grid
