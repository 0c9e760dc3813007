// .xls (BIFF8 and older): read through freexl, which gives each cell as an
// integer, a double, a text or a date text.

#include "platform/excel/reader_internal.h"

#include <QFile>
#include <freexl.h>

namespace excel::detail {

namespace {

struct Handle
{
    const void* h = nullptr;
    ~Handle()
    {
        if (h)
            freexl_close(h);
    }
};

db::Variant cellValue(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return db::Variant(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return numberValue(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return cell.value.text_value ? db::Variant(QString::fromUtf8(cell.value.text_value))
                                     : db::Variant::null();
    case FREEXL_CELL_DATE: {
        const QDate d = QDate::fromString(QString::fromLatin1(cell.value.text_value), Qt::ISODate);
        return d.isValid() ? db::Variant(QDateTime(d, QTime(0, 0))) : db::Variant::null();
    }
    case FREEXL_CELL_DATETIME: {
        const QDateTime dt = QDateTime::fromString(QString::fromLatin1(cell.value.text_value),
                                                   QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return dt.isValid() ? db::Variant(dt) : db::Variant::null();
    }
    case FREEXL_CELL_TIME: {
        // A time alone is a time of the day before the first day.
        const QTime t =
            QTime::fromString(QString::fromLatin1(cell.value.text_value), QStringLiteral("HH:mm:ss"));
        return t.isValid() ? db::Variant(QDateTime(QDate(1899, 12, 30), t)) : db::Variant::null();
    }
    default:
        return db::Variant::null();
    }
}

} // namespace

db::Result<QVector<RawSheet>> readXls(const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    Handle handle;
    int rc = freexl_open(file.constData(), &handle.h);
    if (rc != FREEXL_OK)
        return formatError(QStringLiteral("The file cannot be read (%1).").arg(rc));
    unsigned int info = 0;
    if (freexl_get_info(handle.h, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
                         QStringLiteral("Could not decrypt file."));
    unsigned int count = 0;
    if (freexl_get_info(handle.h, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return formatError();
    QVector<RawSheet> sheets;
    for (unsigned int s = 0; s < count && s < 65535; ++s) {
        const unsigned short index = static_cast<unsigned short>(s);
        RawSheet sheet;
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle.h, index, &name) != FREEXL_OK)
            return formatError();
        sheet.name = QString::fromUtf8(name);
        if (freexl_select_active_worksheet(handle.h, index) != FREEXL_OK)
            return formatError();
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(handle.h, &rows, &columns) != FREEXL_OK)
            return formatError();
        if (rows > unsigned(kMaxRows) || columns > kMaxColumns)
            return formatError();
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue cell;
                rc = freexl_get_cell_value(handle.h, r, c, &cell);
                if (rc != FREEXL_OK)
                    return formatError(QStringLiteral("A cell cannot be read (%1).").arg(rc));
                if (cell.type != FREEXL_CELL_NULL)
                    sheet.set(int(r), int(c), cellValue(cell));
            }
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

} // namespace excel::detail
