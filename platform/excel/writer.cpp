#include "writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <xlsxwriter.h>

namespace excel {

namespace {

constexpr int kMaxText = 32767; // the longest text a cell holds
constexpr double kMaxWidth = 80;

WriteError lxwError(lxw_error e, const QString& what)
{
    return {int(e), what + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(e))};
}

} // namespace

WriteError writeWorkbook(const QString& path, const QString& sheetName, const QStringList& header,
                         const RowReader& nextRow)
{
    const QFileInfo target(path);
    const QString temp = target.absolutePath() + QStringLiteral("/.~") +
                         QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".xlsx");
    const QByteArray tempName = QFile::encodeName(temp);

    lxw_workbook* wb = workbook_new(tempName.constData());
    if (!wb)
        return {-1, QStringLiteral("Nu se poate crea registrul ") + path};
    const QByteArray sheet = (sheetName.isEmpty() ? QStringLiteral("Sheet1") : sheetName.left(31)).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.constData());
    lxw_format* dateFormat = workbook_add_format(wb);
    format_set_num_format(dateFormat, "dd/mm/yyyy");
    lxw_format* dateTimeFormat = workbook_add_format(wb);
    format_set_num_format(dateTimeFormat, "dd/mm/yyyy hh:mm:ss");
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);

    QList<double> widths(header.size(), 0);
    auto widen = [&widths](int col, double w) {
        if (col >= widths.size())
            widths.resize(col + 1, 0);
        widths[col] = std::max(widths[col], std::min(w, kMaxWidth));
    };

    lxw_error err = LXW_NO_ERROR;
    for (int c = 0; c < header.size() && !err; ++c) {
        err =
            worksheet_write_string(ws, 0, lxw_col_t(c), header[c].left(kMaxText).toUtf8().constData(), bold);
        widen(c, header[c].size() + 2);
    }

    QList<db::Variant> row;
    lxw_row_t r = 1;
    while (!err && nextRow(row)) {
        if (r >= LXW_ROW_MAX) {
            err = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            break;
        }
        for (int c = 0; c < row.size() && !err; ++c) {
            const db::Variant& v = row[c];
            const lxw_col_t col = lxw_col_t(c);
            switch (v.kind()) {
            case db::Variant::Kind::Empty:
            case db::Variant::Kind::Null:
                break;
            case db::Variant::Kind::Bool:
                err = worksheet_write_boolean(ws, r, col, v.asBool(), nullptr);
                widen(c, 6);
                break;
            case db::Variant::Kind::Int:
            case db::Variant::Kind::Double:
                err = worksheet_write_number(ws, r, col, v.toDouble(), nullptr);
                widen(c, v.toText().size() + 2);
                break;
            case db::Variant::Kind::Date: {
                const QDateTime& dt = v.asDate();
                lxw_datetime x{};
                x.year = dt.date().year();
                x.month = dt.date().month();
                x.day = dt.date().day();
                x.hour = dt.time().hour();
                x.min = dt.time().minute();
                x.sec = dt.time().second();
                const bool timed = dt.time() != QTime(0, 0);
                err = worksheet_write_datetime(ws, r, col, &x, timed ? dateTimeFormat : dateFormat);
                widen(c, timed ? 20 : 12);
                break;
            }
            case db::Variant::Kind::Text: {
                const QString t = v.asText().left(kMaxText);
                err = worksheet_write_string(ws, r, col, t.toUtf8().constData(), nullptr);
                widen(c, t.size() + 2);
                break;
            }
            }
        }
        ++r;
    }
    for (int c = 0; c < widths.size() && !err; ++c)
        err = worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), std::max(widths[c], 8.43), nullptr);

    const lxw_error closeErr = workbook_close(wb);
    if (err || closeErr) {
        QFile::remove(temp);
        return lxwError(err ? err : closeErr, QStringLiteral("Nu se poate scrie registrul ") + path);
    }
    // rename(2) replaces an existing file in one step.
    if (std::rename(tempName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(temp);
        return {-1, QStringLiteral("Nu se poate scrie registrul ") + path};
    }
    return {};
}

} // namespace excel
