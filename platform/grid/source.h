#pragma once
// What a grid is bound to: rows of fields read from memory by index, written a
// row at a time, with a current position that the grid follows and sets. The
// record-set adapter (recordset_source.h) is the one the windows use; lists built
// in code use MemorySource.

#include "platform/db/variant.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

namespace grid {

// A write the data refused, numbered as the grid reports data errors:
// 1 text too long, 2 not a number, 3 not a date, 4 duplicate key, 5 foreign key,
// 6 NOT NULL, 7 read-only source, 8 database busy or locked; any other number
// is the database's own, with its text.
struct WriteError
{
    int number = 0;
    QString text;
    bool isError() const { return number != 0; }
};

using RowValues = QList<QPair<int, db::Variant>>; // (field index, value)

class RowSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~RowSource() override = default;

    virtual int rowCount() const = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    virtual int fieldType(int field) const = 0; // ADO type code
    virtual db::Variant value(int row, int field) const = 0;

    virtual bool canWrite() const { return true; }
    // Writes the given fields of a row; row == rowCount() appends a new row.
    virtual WriteError writeRow(int row, const RowValues& values) = 0;
    virtual WriteError deleteRow(int row) = 0;

    // The current row, -1 when the position is before the first or after the last row.
    virtual int position() const = 0;
    virtual void setPosition(int row) = 0;

signals:
    void positionChanged(int row);
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void reset(); // rows and fields replaced (requery, filter, sort)
};

// Rows held in memory, with named fields of given types.
class MemorySource : public RowSource
{
    Q_OBJECT
public:
    struct Field
    {
        QString name;
        int type = 202;
    };

    explicit MemorySource(QList<Field> fields = {}, QObject* parent = nullptr);

    void setFields(QList<Field> fields);
    void appendRow(QList<db::Variant> row);
    void clear();
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    int rowCount() const override { return int(m_rows.size()); }
    int fieldCount() const override { return int(m_fields.size()); }
    QString fieldName(int field) const override { return m_fields.value(field).name; }
    int fieldType(int field) const override { return m_fields.value(field).type; }
    db::Variant value(int row, int field) const override;
    bool canWrite() const override { return !m_readOnly; }
    WriteError writeRow(int row, const RowValues& values) override;
    WriteError deleteRow(int row) override;
    int position() const override { return m_position; }
    void setPosition(int row) override;

private:
    QList<Field> m_fields;
    QList<QList<db::Variant>> m_rows;
    int m_position = -1;
    bool m_readOnly = false;
};

} // namespace grid
