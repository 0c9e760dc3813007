#pragma once
// Small .xlsx packages put together part by part, in memory, for the cases
// no spreadsheet program writes on purpose (crafted parts, huge texts,
// deep nesting): the parts of a package of plain sheets, and the zip of
// any parts.

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>
#include <zip.h>

namespace xlsx_build {

// A package of sheets "Sheet1", "Sheet2", ... (their sheetData), with the
// shared texts given (the items of the part) when there are any.
inline QList<std::pair<QString, QByteArray>> packageParts(const QList<QByteArray>& sheetData,
                                                          const QByteArray& sharedItems = QByteArray())
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray pkg = "<?xml version=\"1.0\"?><Relationships "
                           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    QByteArray sheets;
    QByteArray rels = pkg;
    QList<std::pair<QString, QByteArray>> parts;
    for (qsizetype i = 0; i < sheetData.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        sheets += "<sheet name=\"Sheet" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels +=
            "<Relationship Id=\"rId" + n + "\" Type=\"" + rel + "/worksheet\" Target=\"s" + n + ".xml\"/>";
        parts.push_back({QStringLiteral("xl/s") + QString::number(i + 1) + QStringLiteral(".xml"),
                         "<?xml version=\"1.0\"?><worksheet " + ns + "><sheetData>" + sheetData.at(i) +
                             "</sheetData></worksheet>"});
    }
    if (!sharedItems.isEmpty()) {
        rels += "<Relationship Id=\"rS\" Type=\"" + rel + "/sharedStrings\" Target=\"strings.xml\"/>";
        parts.push_back({QStringLiteral("xl/strings.xml"),
                         "<?xml version=\"1.0\"?><sst " + ns + ">" + sharedItems + "</sst>"});
    }
    parts.push_back({QStringLiteral("_rels/.rels"),
                     pkg + "<Relationship Id=\"rId1\" Type=\"" + rel +
                         "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
    parts.push_back({QStringLiteral("xl/workbook.xml"), "<?xml version=\"1.0\"?><workbook " + ns +
                                                            " xmlns:r=\"" + rel + "\"><sheets>" + sheets +
                                                            "</sheets></workbook>"});
    parts.push_back({QStringLiteral("xl/_rels/workbook.xml.rels"), rels + "</Relationships>"});
    return parts;
}

// The zip of the parts, deflated at `level` (1 is fast, 9 small); empty
// when libzip fails.
inline QByteArray zipParts(const QList<std::pair<QString, QByteArray>>& parts, int level = 6)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!out)
        return QByteArray();
    zip_source_keep(out);
    zip_t* z = zip_open_from_source(out, ZIP_TRUNCATE, nullptr);
    bool ok = z != nullptr;
    for (const auto& [name, data] : parts) {
        if (!ok)
            break;
        zip_source_t* s = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t i = s ? zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_OVERWRITE) : -1;
        if (i < 0) {
            zip_source_free(s);
            ok = false;
        } else {
            zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, zip_uint32_t(level));
        }
    }
    QByteArray zip;
    if (ok && zip_close(z) == 0 && zip_source_open(out) == 0) {
        char buffer[1 << 16];
        for (zip_int64_t n; (n = zip_source_read(out, buffer, sizeof buffer)) > 0;)
            zip.append(buffer, qsizetype(n));
        zip_source_close(out);
    } else if (z && !ok) {
        zip_discard(z);
    }
    zip_source_free(out);
    return zip;
}

} // namespace xlsx_build
