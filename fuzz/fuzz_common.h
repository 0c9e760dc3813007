#pragma once
// What every fuzz target does with the sheets a read gives: the table each
// becomes, every cell looked at, and the plan of the tables together.

#include "platform/excel/reader_internal.h"

#include <QByteArray>

namespace fuzz {

inline void useSheets(db::Result<QVector<excel::detail::RawSheet>>&& raw, excel::detail::Budget& budget)
{
    if (!raw)
        return;
    excel::Workbook book;
    for (excel::detail::RawSheet& s : *raw) {
        db::Result<excel::Sheet> sheet = excel::detail::makeSheet(std::move(s), budget);
        if (!sheet)
            continue;
        qsizetype text = 0;
        for (int r = 0; r < sheet->rowCount(); ++r)
            for (const db::Variant& v : sheet->valuesOf(r))
                text += v.toText().size();
        if (sheet->rowCount() > 0 && sheet->columnCount() > 0)
            text += sheet->cell(sheet->rowCount() - 1, sheet->columnCount() - 1).toText().size();
        volatile qsizetype sink = text;
        (void)sink;
        book.sheets.push_back(std::move(*sheet));
    }
    volatile bool planned = bool(excel::detail::planTables(book, budget));
    (void)planned;
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace fuzz
