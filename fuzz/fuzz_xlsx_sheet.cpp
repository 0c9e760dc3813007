// The XML of a worksheet, inside a package that is otherwise valid: the
// input is the sheet part, stored as it is, beside shared texts and styles
// (one of them a date), so that the mutations go to the cell table.
#include "fuzz_common.h"

#include <zip.h>

namespace {

const char* const kParts[][2] = {
    {"_rels/.rels",
     "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
     "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
     "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
    {"xl/workbook.xml",
     "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
     "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
     "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
    {"xl/_rels/workbook.xml.rels",
     "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
     "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
     "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
     "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
     "sharedStrings\" Target=\"sharedStrings.xml\"/>"
     "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
     "styles\" Target=\"styles.xml\"/></Relationships>"},
    {"xl/sharedStrings.xml",
     "<?xml version=\"1.0\"?><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
     "<si><t>Cod</t></si><si><t>Tara</t></si><si><r><t>bo</t></r><r><t>gat_x000D_</t></r></si></sst>"},
    {"xl/styles.xml",
     "<?xml version=\"1.0\"?><styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
     "<numFmts><numFmt numFmtId=\"164\" formatCode=\"dd.mm.yyyy\"/></numFmts>"
     "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"22\"/></cellXfs></styleSheet>"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_source_keep(out);
    zip_t* z = zip_open_from_source(out, ZIP_TRUNCATE, nullptr);
    for (const auto& [name, text] : kParts) {
        zip_source_t* s = zip_source_buffer(z, text, strlen(text), 0);
        const zip_int64_t i = zip_file_add(z, name, s, 0);
        zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_STORE, 0);
    }
    zip_source_t* sheet = zip_source_buffer(z, data, size, 0);
    const zip_int64_t i = zip_file_add(z, "xl/worksheets/sheet1.xml", sheet, 0);
    zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_STORE, 0);
    zip_close(z);

    QByteArray package;
    if (zip_source_open(out) == 0) {
        char buffer[65536];
        zip_int64_t n = 0;
        while ((n = zip_source_read(out, buffer, sizeof buffer)) > 0)
            package.append(buffer, qsizetype(n));
        zip_source_close(out);
    }
    zip_source_free(out);
    excel::detail::Budget budget;
    fuzz::useSheets(excel::detail::readXlsxBytes(package, budget), budget);
    return 0;
}
