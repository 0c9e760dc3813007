// The workbook reader: cells and their types, the heading row and the row
// range, the sheet names, the tables the program's queries run on, and
// damaged files.

#include "platform/excel/reader.h"
#include "platform/excel/reader_internal.h"
#include "xls_build.h"
#include "xlsx_build.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>
#include <xlsxwriter.h>
#include <zip.h>

using db::Variant;
using namespace Qt::StringLiterals;

namespace {

const QString kLongText = QString(300, u'x');

// The main fixture, written with libxlsxwriter:
// Sheet1  Cod | (empty) | Masa | cod | Data | Flag | Formula | Text.Dot]
//   row 2  "8471 30.00-1" "de" 1234.5 84713000 2026-03-15 TRUE =C2*2 (2469) "a"
//   row 3  "Șurub" - - 300 x's 2026-11-30 14:05 FALSE =A3 ("Șurub") -
//   row 4  (blank)
//   row 5  "ultimul"
//   rows 6-7 formatted blank cells only
// My Sheet  A / 7;  Date  X (heading only)
bool writeMainFixture(const QString& path, bool constantMemory)
{
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new_opt(file.constData(), &options);
    if (!wb)
        return false;
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "dd/mm/yyyy");
    lxw_format* dateTime = workbook_add_format(wb);
    format_set_num_format(dateTime, "dd/mm/yyyy hh:mm");
    lxw_format* shaded = workbook_add_format(wb);
    format_set_bg_color(shaded, LXW_COLOR_YELLOW);

    lxw_worksheet* s = workbook_add_worksheet(wb, "Sheet1");
    const char* headings[] = {"Cod", nullptr, "Masa", "cod", "Data", "Flag", "Formula", "Text.Dot]"};
    for (int c = 0; c < 8; ++c)
        if (headings[c])
            worksheet_write_string(s, 0, lxw_col_t(c), headings[c], nullptr);
    worksheet_write_string(s, 1, 0, "8471 30.00-1", nullptr);
    worksheet_write_string(s, 1, 1, "de", nullptr);
    worksheet_write_number(s, 1, 2, 1234.5, nullptr);
    worksheet_write_number(s, 1, 3, 84713000, nullptr);
    lxw_datetime d1{2026, 3, 15, 0, 0, 0};
    worksheet_write_datetime(s, 1, 4, &d1, date);
    worksheet_write_boolean(s, 1, 5, 1, nullptr);
    worksheet_write_formula_num(s, 1, 6, "=C2*2", nullptr, 2469);
    worksheet_write_string(s, 1, 7, "a", nullptr);
    worksheet_write_string(s, 2, 0, "Șurub", nullptr);
    const QByteArray longText = kLongText.toUtf8();
    worksheet_write_string(s, 2, 3, longText.constData(), nullptr);
    lxw_datetime d2{2026, 11, 30, 14, 5, 0};
    worksheet_write_datetime(s, 2, 4, &d2, dateTime);
    worksheet_write_boolean(s, 2, 5, 0, nullptr);
    worksheet_write_formula_str(s, 2, 6, "=A3", nullptr, "Șurub");
    worksheet_write_string(s, 4, 0, "ultimul", nullptr);
    for (lxw_row_t r = 5; r <= 6; ++r)
        for (lxw_col_t c = 0; c < 10; ++c)
            worksheet_write_blank(s, r, c, shaded);

    lxw_worksheet* m = workbook_add_worksheet(wb, "My Sheet");
    worksheet_write_string(m, 0, 0, "A", nullptr);
    worksheet_write_number(m, 1, 0, 7, nullptr);
    lxw_worksheet* h = workbook_add_worksheet(wb, "Date");
    worksheet_write_string(h, 0, 0, "X", nullptr);
    return workbook_close(wb) == LXW_NO_ERROR;
}

// An .xlsx put together part by part, for the XML forms libxlsxwriter does
// not write.
bool writeParts(const QString& path, const QList<std::pair<QString, QByteArray>>& parts)
{
    int code = 0;
    const QByteArray file = QFile::encodeName(path);
    zip_t* z = zip_open(file.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const auto& [name, data] : parts) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        if (!src || zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(src);
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

QList<std::pair<QString, QByteArray>> handMadeParts(const QByteArray& sheetXml, bool date1904 = false)
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return {
        {QStringLiteral("_rels/.rels"),
         "<?xml version=\"1.0\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {QStringLiteral("xl/workbook.xml"),
         "<?xml version=\"1.0\"?><workbook " + ns + " xmlns:r=\"" + rel + "\"><workbookPr" +
             (date1904 ? " date1904=\"1\"" : "") +
             "/><sheets><sheet name=\"Foaie 1\" sheetId=\"1\" r:id=\"rId1\"/>"
             "<sheet name=\"Grafic\" sheetId=\"2\" r:id=\"rId4\"/></sheets></workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         "<?xml version=\"1.0\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "/worksheet\" Target=\"/xl/worksheets/a.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" +
             rel +
             "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
             "<Relationship Id=\"rId3\" Type=\"" +
             rel +
             "/styles\" Target=\"styles.xml\"/>"
             "<Relationship Id=\"rId4\" Type=\"" +
             rel +
             "/chartsheet\" Target=\"chartsheets/c.xml\"/>"
             "</Relationships>"},
        {QStringLiteral("xl/sharedStrings.xml"),
         "<?xml version=\"1.0\"?><sst " + ns +
             "><si><t>Simplu</t></si>"
             "<si><r><t>Bo</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">gat &amp; </t></r>"
             "<rPh><t>PHON</t></rPh></si><si><t>linie_x000D_</t></si></sst>"},
        {QStringLiteral("xl/styles.xml"),
         "<?xml version=\"1.0\"?><styleSheet " + ns +
             "><numFmts count=\"2\">"
             "<numFmt numFmtId=\"164\" formatCode=\"[$-418]dd\\.mm\\.yyyy;@\"/>"
             "<numFmt numFmtId=\"165\" formatCode=\"0.00&quot; d&quot;;[Red]-0.00\"/></numFmts>"
             "<cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
             "<xf numFmtId=\"22\"/></cellXfs></styleSheet>"},
        {QStringLiteral("xl/worksheets/a.xml"),
         "<?xml version=\"1.0\"?><worksheet " + ns + "><sheetData>" + sheetXml + "</sheetData></worksheet>"},
    };
}

// Row 1: six headings; row 2: one cell of each XML form; row 3: cells
// without references.
const QByteArray kHandMadeSheet =
    "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>H1</t></is></c><c r=\"B1\" t=\"s\"><v>0</v></c>"
    "<c r=\"C1\" t=\"inlineStr\"><is><t>H3</t></is></c><c r=\"D1\" t=\"inlineStr\"><is><t>H4</t></is></c>"
    "<c r=\"E1\" t=\"inlineStr\"><is><t>H5</t></is></c><c r=\"F1\" t=\"inlineStr\"><is><t>H6</t></is></c>"
    "<c r=\"G1\" t=\"inlineStr\"><is><t>H7</t></is></c><c r=\"H1\" "
    "t=\"inlineStr\"><is><t>H8</t></is></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c>"
    "<c r=\"B2\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c><c r=\"C2\" t=\"b\"><v>1</v></c>"
    "<c r=\"D2\" s=\"1\"><v>46096</v></c><c r=\"E2\" s=\"2\"><v>12.5</v></c><c r=\"F2\" t=\"s\"><v>1</v></c>"
    "<c r=\"G2\" t=\"str\"><f>A2</f><v>inline</v></c><c r=\"H2\" s=\"3\"><v>46096.5</v></c></row>"
    "<row><c><v>1</v></c><c><v>2.25</v></c><c t=\"b\"><v>0</v></c><c s=\"1\"/><c/><c t=\"s\"><v>2</v></c>"
    "<c><f>X</f></c></row>";

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString connectionText(const QString& path, bool imex)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           (imex ? QStringLiteral(";Extended Properties=\"Excel 8.0; IMEX=1;\"")
                 : QStringLiteral(";Extended Properties=\"Excel 8.0\""));
}

// The first column of the first row of a query, as a number.
qint64 dbScalar(db::Connection& cn, const QString& sql)
{
    const db::Result<db::Recordset> rs = cn.openRecordset(sql);
    return rs && !rs->eof() ? rs->value(0).toInt64() : -1;
}

QString xlsFixture()
{
    return QString::fromLocal8Bit(qgetenv("QUORVEL_SOURCE_DIR")) +
           QStringLiteral("/tests/fixtures/reader.xls");
}

QString hostile(const QString& name)
{
    return QString::fromLocal8Bit(qgetenv("QUORVEL_SOURCE_DIR")) + QStringLiteral("/tests/fixtures/hostile/") +
           name;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Sets the inflated size the package declares for one part, in its local
// header and in the central directory.
QByteArray withDeclaredSize(QByteArray zip, const QByteArray& part, quint32 size)
{
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4)) {
        const int nameLength = quint8(zip[at + 28]) | (quint8(zip[at + 29]) << 8);
        if (zip.mid(at + 46, nameLength) != part)
            continue;
        xls_build::set32(zip, at + 24, size);
        const qsizetype local = qsizetype(quint8(zip[at + 42]) | (quint8(zip[at + 43]) << 8) |
                                          (quint8(zip[at + 44]) << 16) | (quint32(quint8(zip[at + 45])) << 24));
        xls_build::set32(zip, local + 22, size);
    }
    return zip;
}

// An .xls of one sheet "Foaie": the sheet's cell records, the globals'
// records before the sheet entries.
QByteArray xlsBook(const QByteArray& cells, const QByteArray& globals = QByteArray())
{
    return xls_build::compoundFile(
        xls_build::workbookStream(globals, {xls_build::SheetPart{QStringLiteral("Foaie"), cells}}));
}

// Cell formats: 0 general, 1 a built-in date, 2 a format of the file's own
// that shows a date and a time.
QByteArray xlsFormats()
{
    using namespace xls_build;
    QByteArray format;
    put16(format, 164);
    format += text(QStringLiteral("dd.mm.yyyy hh:mm"));
    QByteArray out = record(0x041E, format);
    for (const quint16 id : {quint16(0), quint16(14), quint16(164)}) {
        QByteArray xf(20, '\0');
        xf[2] = char(id & 0xFF);
        xf[3] = char(id >> 8);
        out += record(0x00E0, xf);
    }
    return out;
}

// Shared texts "Cod", "Text" and a third whose characters run on in a
// CONTINUE record, one byte wide there.
QByteArray xlsSharedStrings()
{
    using namespace xls_build;
    QByteArray sst;
    put32(sst, 3);
    put32(sst, 3);
    sst += text(QStringLiteral("Cod")) + text(QStringLiteral("Text"));
    put16(sst, 6);
    sst += char(1);
    put16(sst, u'\u0218');
    put16(sst, u'u');
    return record(0x00FC, sst) + record(0x003C, QByteArray("\0rub!", 5));
}

} // namespace

class TestReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dateSerials_data();
    void dateSerials();
    void mainFixture_data();
    void mainFixture();
    void handMadeCells();
    void cellForms_data();
    void cellForms();
    void fieldNames_data();
    void fieldNames();
    void equalHeadings_data();
    void equalHeadings();
    void manyEscapes_data();
    void manyEscapes();
    void date1904();
    void xlsDate1904_data();
    void xlsDate1904();
    void xlsCells();
    void sheetNames_data();
    void sheetNames();
    void tableQueries_data();
    void tableQueries();
    void connectionTexts_data();
    void connectionTexts();
    void failures_data();
    void failures();
    void damagedFiles_data();
    void damagedFiles();
    void hostileSamples_data();
    void hostileSamples();
    void limits_data();
    void limits();
    void tableBudget_data();
    void tableBudget();
    void partEncodings_data();
    void partEncodings();
    void rowNumbers_data();
    void rowNumbers();
    void dateValues_data();
    void dateValues();
    void cellOrder();
    void scrambledCells();
    void xmlLimits_data();
    void xmlLimits();
    void longParts_data();
    void longParts();
    void xlsRecords();
    void xlsOldFormat();
    void xlsDamaged_data();
    void xlsDamaged();
    void protectedWorkbooks_data();
    void protectedWorkbooks();
    void renamedFiles_data();
    void renamedFiles();
    void workFolders();
    void fuzzFindings_data();
    void fuzzFindings();

private:
    // The workbook read from the bytes, written under that name first.
    db::Result<excel::Workbook> readBytes(const QByteArray& bytes, const QString& name);

    QTemporaryDir m_dir;
    QString m_xlsx;       // shared strings
    QString m_xlsxInline; // inline strings (constant memory mode)
    QString m_handMade;
};

db::Result<excel::Workbook> TestReader::readBytes(const QByteArray& bytes, const QString& name)
{
    const QString path = m_dir.filePath(name);
    if (!writeBytes(path, bytes))
        return db::Error(db::Error::Kind::Io, db::ErrorNumber::General, u"cannot write "_s + path);
    return excel::readWorkbook(path);
}

void TestReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_xlsx = m_dir.filePath(QStringLiteral("book.xlsx"));
    m_xlsxInline = m_dir.filePath(QStringLiteral("inline.xlsx"));
    m_handMade = m_dir.filePath(QStringLiteral("hand.xlsx"));
    QVERIFY(writeMainFixture(m_xlsx, false));
    QVERIFY(writeMainFixture(m_xlsxInline, true));
    QVERIFY(writeParts(m_handMade, handMadeParts(kHandMadeSheet)));
    QVERIFY2(QFile::exists(xlsFixture()), qPrintable(xlsFixture()));
}

void TestReader::dateSerials_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("first day") << 1.0 << false << QDateTime(QDate(1900, 1, 1), QTime(0, 0));
    QTest::newRow("before the day that never was")
        << 59.0 << false << QDateTime(QDate(1900, 2, 28), QTime(0, 0));
    QTest::newRow("after it") << 61.0 << false << QDateTime(QDate(1900, 3, 1), QTime(0, 0));
    QTest::newRow("2026") << 46096.0 << false << QDateTime(QDate(2026, 3, 15), QTime(0, 0));
    QTest::newRow("noon") << 46096.5 << false << QDateTime(QDate(2026, 3, 15), QTime(12, 0));
    QTest::newRow("last second rounds up")
        << 46096.999999999 << false << QDateTime(QDate(2026, 3, 16), QTime(0, 0));
    QTest::newRow("1904 system") << 44634.0 << true << QDateTime(QDate(2026, 3, 15), QTime(0, 0));
}

void TestReader::dateSerials()
{
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(QDateTime, expected);
    QCOMPARE(excel::detail::dateFromSerial(serial, date1904), expected);
}

void TestReader::mainFixture_data()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("shared strings") << QStringLiteral("shared");
    QTest::newRow("inline strings") << QStringLiteral("inline");
}

void TestReader::mainFixture()
{
    QFETCH(QString, which);
    const db::Result<excel::Workbook> book = excel::readWorkbook(which == u"shared" ? m_xlsx : m_xlsxInline);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.size(), 3);
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.name, QStringLiteral("Sheet1"));
    QCOMPARE(s.fields, (QStringList{QStringLiteral("Cod"), QStringLiteral("F2"), QStringLiteral("Masa"),
                                    QStringLiteral("cod1"), QStringLiteral("Data"), QStringLiteral("Flag"),
                                    QStringLiteral("Formula"), QStringLiteral("Text#Dot)")}));
    // Rows 2 to 5: the blank row 4 stays, the formatted rows 6-7 do not.
    QCOMPARE(s.rowCount(), 4);
    QCOMPARE(s.cell(0, 0), Variant(QStringLiteral("8471 30.00-1")));
    QCOMPARE(s.cell(0, 1), Variant(QStringLiteral("de")));
    QCOMPARE(s.cell(0, 2), Variant(1234.5));
    QCOMPARE(s.cell(0, 3), Variant(std::int64_t(84713000)));
    QCOMPARE(s.cell(0, 3).toText(), QStringLiteral("84713000"));
    QCOMPARE(s.cell(0, 4), Variant(QDateTime(QDate(2026, 3, 15), QTime(0, 0))));
    QCOMPARE(s.cell(0, 5), Variant(true));
    QCOMPARE(s.cell(0, 6), Variant(std::int64_t(2469)));
    QCOMPARE(s.cell(1, 0), Variant(QStringLiteral("Șurub")));
    QVERIFY(s.cell(1, 1).isNull());
    QVERIFY(s.cell(1, 2).isNull());
    QCOMPARE(s.cell(1, 3), Variant(kLongText));
    QCOMPARE(s.cell(1, 4), Variant(QDateTime(QDate(2026, 11, 30), QTime(14, 5))));
    QCOMPARE(s.cell(1, 5), Variant(false));
    QCOMPARE(s.cell(1, 6), Variant(QStringLiteral("Șurub")));
    for (int c = 0; c < s.columnCount(); ++c)
        QVERIFY(s.cell(2, c).isNull());
    QCOMPARE(s.cell(3, 0), Variant(QStringLiteral("ultimul")));
    QVERIFY(s.cell(3, 7).isNull());

    QCOMPARE(book->sheets.at(1).name, QStringLiteral("My Sheet"));
    QCOMPARE(book->sheets.at(1).rowCount(), 1);
    QCOMPARE(book->sheets.at(1).cell(0, 0), Variant(std::int64_t(7)));
    QCOMPARE(book->sheets.at(2).fields, QStringList{QStringLiteral("X")});
    QCOMPARE(book->sheets.at(2).rowCount(), 0);
}

void TestReader::handMadeCells()
{
    const db::Result<excel::Workbook> book = excel::readWorkbook(m_handMade);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.size(), 1); // the chart sheet is no table
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.name, QStringLiteral("Foaie 1"));
    QCOMPARE(s.fields.at(1), QStringLiteral("Simplu"));
    QCOMPARE(s.rowCount(), 2);
    QCOMPARE(s.cell(0, 0), Variant(QStringLiteral("inline")));                   // runs of an inline string
    QVERIFY(s.cell(0, 1).isNull());                                              // error cell
    QCOMPARE(s.cell(0, 2), Variant(true));                                       // boolean
    QCOMPARE(s.cell(0, 3), Variant(QDateTime(QDate(2026, 3, 15), QTime(0, 0)))); // custom date format
    QCOMPARE(s.cell(0, 4), Variant(12.5));                                       // quoted "d" is no date
    QCOMPARE(s.cell(0, 5), Variant(QStringLiteral("Bogat & "))); // rich text, phonetic run left out
    QCOMPARE(s.cell(0, 6), Variant(QStringLiteral("inline")));   // a formula's cached text
    QCOMPARE(s.cell(0, 7), Variant(QDateTime(QDate(2026, 3, 15), QTime(12, 0)))); // built-in 22
    // Cells without a reference follow one another.
    QCOMPARE(s.cell(1, 0), Variant(std::int64_t(1)));
    QCOMPARE(s.cell(1, 1), Variant(2.25));
    QCOMPARE(s.cell(1, 2), Variant(false));
    QVERIFY(s.cell(1, 3).isNull()); // styled, no value
    QVERIFY(s.cell(1, 4).isNull());
    QCOMPARE(s.cell(1, 5), Variant(QStringLiteral("linie\r")));
    QVERIFY(s.cell(1, 6).isNull()); // a formula without a cached value
}

// The same text read whatever XML form its cell takes: entities, escapes,
// a prefixed name, blanks before the end of the cell, a text met again.
void TestReader::cellForms_data()
{
    QTest::addColumn<QByteArray>("cells");
    QTest::addColumn<QStringList>("texts");
    const QByteArray inl = "<c t=\"inlineStr\"><is><t>";
    const QByteArray end = "</t></is></c>";
    QTest::newRow("entities") << "<c t=\"str\"><v>a &amp; b</v></c>" + inl + "x &lt; y" + end + inl +
                                     "&#x218;ina" + end
                              << QStringList{u"a & b"_s, u"x < y"_s, u"\u0218ina"_s};
    QTest::newRow("escapes") << inl + "a_x000D_b" + end + inl + "a_x000D_b" + end + inl + "_x0009_" + end
                             << QStringList{u"a\rb"_s, u"a\rb"_s, u"\t"_s};
    // An escaped underscore gives "_" once: what follows it is text.
    QTest::newRow("an escaped underscore")
        << inl + "_x005F_x0041_" + end + inl + "_x005f_x005F__x0042_" + end + inl + "__x0043__" + end
        << QStringList{u"_x0041_"_s, u"_x005F_B"_s, u"_C_"_s};
    QTest::newRow("what is no escape")
        << inl + "_x00G1_ _x+041_" + end + inl + "_x004" + end + inl + "_x_x0044_x" + end
        << QStringList{u"_x00G1_ _x+041_"_s, u"_x004"_s, u"_xDx"_s};
    QTest::newRow("a text met again")
        << inl + "de" + end + inl + "DE" + end + inl + "de" + end << QStringList{u"de"_s, u"DE"_s, u"de"_s};
    QTest::newRow("prefixed names") << QByteArray(
                                           "<x:c><x:v>5</x:v></x:c><x:c t=\"inlineStr\"><x:is><x:t>p</x:t>"
                                           "</x:is></x:c><x:c><x:v>2.5</x:v></x:c>")
                                    << QStringList{u"5"_s, u"p"_s, u"2.5"_s};
    QTest::newRow("blanks in the cell")
        << QByteArray("<c><v>7</v> </c><c t=\"inlineStr\"><is><t>t</t> </is></c>"
                      "<c>\n<v>8</v></c>")
        << QStringList{u"7"_s, u"t"_s, u"8"_s};
}

void TestReader::cellForms()
{
    QFETCH(QByteArray, cells);
    QFETCH(QStringList, texts);
    const QString path = m_dir.filePath(QStringLiteral("forms.xlsx"));
    QVERIFY(writeParts(path, handMadeParts("<row r=\"1\"><c><v>1</v></c><c><v>2</v></c><c><v>3</v></c></row>"
                                           "<row r=\"2\">" +
                                           cells + "</row>")));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.rowCount(), 1);
    QStringList read;
    for (int c = 0; c < s.columnCount(); ++c)
        read << s.cell(0, c).toText();
    QCOMPARE(read, texts);
}

// Field names from the heading row: a heading met again takes a number, the
// first one no other heading holds, without regard to case.
void TestReader::fieldNames_data()
{
    QTest::addColumn<QStringList>("headings"); // an empty text: no heading
    QTest::addColumn<QStringList>("names");
    QTest::newRow("numbered in turn")
        << QStringList{u"a"_s, u"a"_s, u"A"_s, u"a"_s} << QStringList{u"a"_s, u"a1"_s, u"A2"_s, u"a3"_s};
    QTest::newRow("a number taken before")
        << QStringList{u"a1"_s, u"a"_s, u"a"_s, u"a2"_s} << QStringList{u"a1"_s, u"a"_s, u"a2"_s, u"a21"_s};
    QTest::newRow("a number taken after")
        << QStringList{u"a"_s, u"a"_s, u"a1"_s, u"a"_s} << QStringList{u"a"_s, u"a1"_s, u"a11"_s, u"a2"_s};
    QTest::newRow("empty headings") << QStringList{u"F2"_s, QString(), u"f3"_s, QString(), u"F4"_s}
                                    << QStringList{u"F2"_s, u"F21"_s, u"f3"_s, u"F4"_s, u"F41"_s};
    QTest::newRow("dots and brackets")
        << QStringList{u"a.b"_s, u"a#b"_s, u"[x]"_s} << QStringList{u"a#b"_s, u"a#b1"_s, u"(x)"_s};
}

void TestReader::fieldNames()
{
    QFETCH(QStringList, headings);
    QFETCH(QStringList, names);
    QByteArray row = "<row r=\"1\">";
    for (const QString& h : headings)
        row += h.isEmpty() ? QByteArray("<c/>") : "<c t=\"inlineStr\"><is><t>" + h.toUtf8() + "</t></is></c>";
    const QString path = m_dir.filePath(u"names.xlsx"_s);
    QFile::remove(path);
    QVERIFY(writeParts(path, xlsx_build::packageParts({row + "</row><row r=\"2\"><c><v>1</v></c></row>"})));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.at(0).fields, names);
}

// 16,384 equal headings in each of 8 sheets, as shared texts (.xlsx) and as
// labels (.xls): each heading after the first takes the next number.
void TestReader::equalHeadings_data()
{
    using namespace xls_build;
    QTest::addColumn<QByteArray>("bytes");
    constexpr int kColumns = 16384;
    QByteArray row = "<row r=\"1\">";
    for (int c = 0; c < kColumns; ++c)
        row += "<c t=\"s\"><v>0</v></c>";
    row += "</row><row r=\"2\"><c><v>7</v></c></row>";
    const QString path = m_dir.filePath(u"headings.xlsx"_s);
    QFile::remove(path);
    QVERIFY(writeParts(path, xlsx_build::packageParts(QList<QByteArray>(8, row), "<si><t>Cod</t></si>")));
    QTest::newRow("xlsx") << fileBytes(path);

    QByteArray labels;
    for (int c = 0; c < kColumns; ++c)
        labels += labelSst(0, c, 0);
    QByteArray sst;
    put32(sst, kColumns);
    put32(sst, 1);
    sst += text(u"Cod"_s);
    QList<SheetPart> sheets;
    for (int i = 0; i < 8; ++i)
        sheets << SheetPart{u"Sheet%1"_s.arg(i + 1), labels + number(1, 0, 7)};
    QTest::newRow("xls") << compoundFile(workbookStream(record(0x00FC, sst), sheets));
}

void TestReader::equalHeadings()
{
    QFETCH(QByteArray, bytes);
    const db::Result<excel::Workbook> book = readBytes(bytes, u"equal"_s);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.size(), 8);
    for (const excel::Sheet& s : book->sheets) {
        QCOMPARE(s.columnCount(), 16384);
        QCOMPARE(s.fields.at(0), u"Cod"_s);
        QCOMPARE(s.fields.at(1), u"Cod1"_s);
        QCOMPARE(s.fields.at(16383), u"Cod16383"_s);
        QCOMPARE(QSet<QString>(s.fields.begin(), s.fields.end()).size(), 16384);
        QCOMPARE(s.cell(0, 0), Variant(std::int64_t(7)));
    }
}

// 1.5 million escapes in one text, shared or inline, each one character.
void TestReader::manyEscapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray escapes = QByteArray("_x0041_").repeated(1'500'000);
    const QString path = m_dir.filePath(u"escapes.xlsx"_s);
    QFile::remove(path);
    QVERIFY(
        writeParts(path, xlsx_build::packageParts(
                             {"<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c t=\"s\"><v>0</v></c></row>"},
                             "<si><t>" + escapes + "</t></si>")));
    QTest::newRow("shared") << fileBytes(path);
    QFile::remove(path);
    QVERIFY(
        writeParts(path, xlsx_build::packageParts(
                             {"<row r=\"1\"><c><v>1</v></c></row><row r=\"2\"><c t=\"inlineStr\"><is><t>" +
                              escapes + "</t></is></c></row>"})));
    QTest::newRow("inline") << fileBytes(path);
}

void TestReader::manyEscapes()
{
    QFETCH(QByteArray, bytes);
    const db::Result<excel::Workbook> book = readBytes(bytes, u"escaped.xlsx"_s);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.at(0).cell(0, 0), Variant(QString(1'500'000, u'A')));
}

void TestReader::date1904()
{
    const QString path = m_dir.filePath(QStringLiteral("d1904.xlsx"));
    QVERIFY(writeParts(path, handMadeParts("<row r=\"1\"><c t=\"inlineStr\"><is><t>D</t></is></c></row>"
                                           "<row r=\"2\"><c s=\"1\"><v>44634</v></c></row>",
                                           true)));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.at(0).cell(0, 0), Variant(QDateTime(QDate(2026, 3, 15), QTime(0, 0))));
}

// An .xls workbook of the 1904 date system (its DATEMODE record says so)
// counts its dates from 1 January 1904, with no 29 February 1900 to step
// over, and its calendar ends on 31 December 9999 all the same; without the
// record the same numbers are dates of the 1900 system.
void TestReader::xlsDate1904_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<Variant>("in1904");
    QTest::addColumn<Variant>("in1900");
    auto at = [](int y, int m, int d, int h = 0) { return Variant(QDateTime(QDate(y, m, d), QTime(h, 0))); };
    QTest::newRow("day 0") << 0.0 << at(1904, 1, 1) << at(1899, 12, 30);
    QTest::newRow("day 59") << 59.0 << at(1904, 2, 29) << at(1900, 2, 28);
    QTest::newRow("day 60") << 60.0 << at(1904, 3, 1) << at(1900, 2, 28);
    QTest::newRow("15 March 2026") << 44634.0 << at(2026, 3, 15) << at(2022, 3, 14);
    QTest::newRow("last day, noon") << 2957003.5 << at(9999, 12, 31, 12) << at(9995, 12, 30, 12);
    QTest::newRow("past the calendar") << 2957004.0 << Variant(2957004.0) << at(9995, 12, 31);
}

void TestReader::xlsDate1904()
{
    using namespace xls_build;
    QFETCH(double, serial);
    QFETCH(Variant, in1904);
    QFETCH(Variant, in1900);
    QByteArray dateMode;
    put16(dateMode, 1);
    const QByteArray cells = record(0x0204, cellHead(0, 0, 0) + text(u"Data"_s)) + number(1, 0, serial, 1);
    for (const bool system1904 : {true, false}) {
        const QString path = m_dir.filePath(system1904 ? u"d1904.xls"_s : u"d1900.xls"_s);
        QVERIFY(writeBytes(path, xlsBook(cells, (system1904 ? record(0x0022, dateMode) : QByteArray()) + xlsFormats())));
        const db::Result<excel::Workbook> book = excel::readWorkbook(path);
        QVERIFY2(book, qPrintable(book.error().text()));
        const Variant v = book->sheets.at(0).cell(0, 0);
        const Variant expected = system1904 ? in1904 : in1900;
        QCOMPARE(v.kind(), expected.kind());
        QCOMPARE(v, expected);
    }
}

void TestReader::xlsCells()
{
    const db::Result<excel::Workbook> book = excel::readWorkbook(xlsFixture());
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.size(), 2);
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.fields, (QStringList{QStringLiteral("Cod"), QStringLiteral("F2"), QStringLiteral("Masa"),
                                    QStringLiteral("cod1"), QStringLiteral("Data"), QStringLiteral("Flag")}));
    QCOMPARE(s.rowCount(), 3); // the formatted blank rows are left out
    QCOMPARE(s.cell(0, 0), Variant(QStringLiteral("8471 30.00-1")));
    QCOMPARE(s.cell(0, 2), Variant(1234.5));
    QCOMPARE(s.cell(0, 3).toText(), QStringLiteral("84713000"));
    QCOMPARE(s.cell(0, 4), Variant(QDateTime(QDate(2026, 3, 15), QTime(0, 0))));
    QCOMPARE(s.cell(1, 0), Variant(QStringLiteral("Șurub ăîâ")));
    QVERIFY(s.cell(1, 1).isNull());
    QCOMPARE(s.cell(1, 2), Variant(std::int64_t(10)));
    QCOMPARE(s.cell(1, 3), Variant(kLongText));
    QCOMPARE(s.cell(1, 4), Variant(QDateTime(QDate(2026, 11, 30), QTime(14, 5))));
    QCOMPARE(s.cell(2, 0), Variant(QStringLiteral("ultimul")));
    QCOMPARE(book->sheets.at(1).name, QStringLiteral("My Sheet"));
}

void TestReader::sheetNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("xlsx") << QStringLiteral("book")
                          << QStringList{QStringLiteral("Sheet1$"), QStringLiteral("'My Sheet$'"),
                                         QStringLiteral("Date$")};
    QTest::newRow("xls") << QStringLiteral("xls")
                         << QStringList{QStringLiteral("Sheet1$"), QStringLiteral("'My Sheet$'")};
}

void TestReader::sheetNames()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    const QString path = file == u"xls" ? xlsFixture() : m_xlsx;
    db::Result<db::Recordset> rs = excel::tablesSchema(QStringLiteral("Data Source=") + path +
                                                       QStringLiteral(";Extended Properties=Excel 8.0;"));
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QStringList names;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        QCOMPARE(rs->value(QStringLiteral("TABLE_TYPE")).toText(), QStringLiteral("TABLE"));
        names.push_back(rs->value(QStringLiteral("TABLE_NAME")).toText());
    }
    QCOMPARE(names, expected);
    QCOMPARE(excel::driverTableName(QStringLiteral("Foaie_2")), QStringLiteral("Foaie_2$"));
    QCOMPARE(excel::driverTableName(QStringLiteral("A-B")), QStringLiteral("'A-B$'"));
}

void TestReader::tableQueries_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("secondCode");
    QTest::newRow("xlsx") << QStringLiteral("book") << QStringLiteral("Șurub");
    QTest::newRow("xls") << QStringLiteral("xls") << QStringLiteral("Șurub ăîâ");
}

void TestReader::tableQueries()
{
    QFETCH(QString, file);
    QFETCH(QString, secondCode);
    const QString path = file == u"xls" ? xlsFixture() : m_xlsx;
    const QByteArray before = fileBytes(path);
    db::Connection cn;
    QVERIFY2(!excel::openWorkbook(connectionText(path, true), cn), "open");
    QVERIFY(cn.isOpen());

    // The preview.
    db::Result<db::Recordset> top = cn.openRecordset(QStringLiteral("SELECT TOP 2 * FROM [Sheet1$]"));
    QVERIFY2(top, qPrintable(top.error().text()));
    QCOMPARE(top->recordCount(), 2);
    QCOMPARE(top->field(1).name, QStringLiteral("F2"));
    QCOMPARE(top->value(3).toText(), QStringLiteral("84713000"));
    QVERIFY(top->value(QStringLiteral("Data")).isDate());
    QCOMPARE(top->value(QStringLiteral("Data")).toDateTime(), QDateTime(QDate(2026, 3, 15), QTime(0, 0)));
    top->moveNext();
    QCOMPARE(top->value(QStringLiteral("cod1")).toText(), kLongText);

    // A template query: columns by name, a default for an empty cell, a cut.
    db::Result<db::Recordset> q = cn.openRecordset(QStringLiteral(
        "SELECT LEFT([Cod] ,8) AS Cod_NC, IIF(ISNULL([Masa]),0 ,[Masa]) AS Net, 'RO' AS Tara_Orig, "
        "LEFT(IIF(ISNULL([F2]),\"RO\" ,[F2]) ,2) AS Tara_Dest FROM [Sheet1$]"));
    QVERIFY2(q, qPrintable(q.error().text()));
    QCOMPARE(q->recordCount(), file == u"xls" ? 3 : 4);
    QCOMPARE(q->value(0).toText(), QStringLiteral("8471 30."));
    QCOMPARE(q->value(1).toDouble(), 1234.5);
    QCOMPARE(q->value(2).toText(), QStringLiteral("RO"));
    QCOMPARE(q->value(3).toText(), QStringLiteral("de"));
    q->moveNext();
    QCOMPARE(q->value(0).toText(), secondCode.left(8));
    QCOMPARE(q->value(1).toDouble(), file == u"xls" ? 10.0 : 0.0);
    QCOMPARE(q->value(3).toText(), QStringLiteral("RO"));

    // Booleans are -1 and 0.
    db::Result<db::Recordset> flags =
        cn.openRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM [Sheet1$] WHERE [Flag] = -1"));
    QVERIFY2(flags, qPrintable(flags.error().text()));
    QCOMPARE(flags->value(0).toInt(), 1);
    // ... as bound: the tables keep them without triggers.
    QCOMPARE(dbScalar(cn, u"SELECT COUNT(*) FROM sqlite_temp_master WHERE type = 'trigger'"_s), 0);

    // A sheet name with a blank.
    db::Result<db::Recordset> my = cn.openRecordset(QStringLiteral("SELECT * FROM [My Sheet$]"));
    QVERIFY2(my, qPrintable(my.error().text()));
    QCOMPARE(my->recordCount(), 1);
    QCOMPARE(my->value(QStringLiteral("A")).toInt(), 7);

    // A missing sheet fails at the query.
    QVERIFY(!cn.openRecordset(QStringLiteral("SELECT TOP 2 * FROM [Nu exista$]")));
    // Nothing is written: not the tables, not the workbook.
    QVERIFY(!cn.execute(QStringLiteral("DELETE FROM [Sheet1$]")));
    cn.close();
    QCOMPARE(fileBytes(path), before);
}

void TestReader::connectionTexts_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("Excel 8.0") << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=")
                               << QStringLiteral(";Extended Properties=\"Excel 8.0\"");
    QTest::newRow("IMEX") << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=")
                          << QStringLiteral(";Extended Properties=\"Excel 8.0; IMEX=1;\"");
    QTest::newRow("provider apart") << QStringLiteral("Data Source=")
                                    << QStringLiteral(";Extended Properties=Excel 8.0;");
}

void TestReader::connectionTexts()
{
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);
    const QString text = prefix + m_xlsx + suffix;
    QVERIFY(excel::isWorkbookConnection(text));
    QCOMPARE(excel::workbookPath(text).valueOr(QString()), m_xlsx);
    db::Connection cn;
    const db::Error e = excel::openWorkbook(text, cn);
    QVERIFY2(!e, qPrintable(e.text()));
    db::Result<db::Recordset> rs = cn.openRecordset(QStringLiteral("SELECT TOP 1 * FROM [Sheet1$]"));
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->fieldCount(), 8);
}

void TestReader::failures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::newRow("missing file") << QStringLiteral(
                                         "Data Source=/nu/exista.xls;Extended Properties=Excel 8.0;")
                                  << int(db::Error::Kind::FileNotFound);
    QTest::newRow("no data source") << QStringLiteral("Extended Properties=Excel 8.0;")
                                    << int(db::Error::Kind::InvalidArgument);
}

void TestReader::failures()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    db::Connection cn;
    const db::Error e = excel::openWorkbook(text, cn);
    QCOMPARE(int(e.kind), kind);
    QVERIFY(!e.description.isEmpty());
    QVERIFY(!cn.isOpen());
}

void TestReader::damagedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray xlsx = fileBytes(m_xlsx);
    const QByteArray xls = fileBytes(xlsFixture());
    QTest::newRow("empty") << QStringLiteral("empty.xls") << QByteArray();
    QTest::newRow("garbage") << QStringLiteral("garbage.xls") << QByteArray(4000, '\x5a');
    QTest::newRow("truncated xlsx") << QStringLiteral("cut.xlsx") << xlsx.left(xlsx.size() / 2);
    QTest::newRow("xlsx cut before its end") << QStringLiteral("cut2.xlsx") << xlsx.left(xlsx.size() - 30);
    QTest::newRow("truncated xls") << QStringLiteral("cut.xls") << xls.left(xls.size() / 2);
    QTest::newRow("zip magic, garbage")
        << QStringLiteral("zip.xlsx") << QByteArray("PK\x03\x04", 4) + QByteArray(3000, '\x01');
    QTest::newRow("ole magic, garbage")
        << QStringLiteral("ole.xls")
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(3000, '\x01');
    QByteArray flipped = xls;
    for (qsizetype i = 512; i < flipped.size(); i += 7)
        flipped[i] = char(flipped[i] ^ 0x5a);
    QTest::newRow("xls with damaged sectors") << QStringLiteral("flip.xls") << flipped;

    QTemporaryDir tmp;
    auto built = [&](const QList<std::pair<QString, QByteArray>>& parts) {
        const QString p = tmp.filePath(QStringLiteral("p.xlsx"));
        QFile::remove(p);
        return writeParts(p, parts) ? fileBytes(p) : QByteArray();
    };
    QTest::newRow("zip without a workbook")
        << QStringLiteral("nowb.xlsx") << built({{QStringLiteral("a.txt"), QByteArray("text")}});
    QTest::newRow("unclosed sheet XML")
        << QStringLiteral("open.xlsx") << built(handMadeParts("<row r=\"1\"><c><v>1</v></c>"));
    QTest::newRow("shared string out of range")
        << QStringLiteral("sst.xlsx") << built(handMadeParts("<row r=\"1\"><c t=\"s\"><v>99</v></c></row>"));
    QTest::newRow("row beyond the last")
        << QStringLiteral("row.xlsx") << built(handMadeParts("<row r=\"2000000\"><c><v>1</v></c></row>"));
}

void TestReader::damagedFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(name);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY(!book);
    QVERIFY(!book.error().description.isEmpty());
    db::Connection cn;
    QVERIFY(excel::openWorkbook(connectionText(path, false), cn).isError());
    QVERIFY(!cn.isOpen());
    QVERIFY(excel::tablesSchema(connectionText(path, false)).error().isError());
}

// The samples of files that break readers: each a clear error or a correct
// read, never a crash or gigabytes of memory.
void TestReader::hostileSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("reads");  // readWorkbook gives the cells
    QTest::addColumn<bool>("opens");  // openWorkbook gives the tables
    QTest::addColumn<QString>("says"); // part of the error
    QTest::newRow("crash on open") << u"crash_on_open.xls"_s << false << false << u"deteriorat"_s;
    // Row 1048576 and column GH: 190 columns by a million rows as a table.
    QTest::newRow("sparse last row") << u"sparse_last_row.xlsx"_s << true << false << u"milioane de celule"_s;
    QTest::newRow("control characters") << u"control_chars_in_text.xlsx"_s << true << true << QString();
    QTest::newRow("zip bomb") << u"zip_bomb.xlsx"_s << false << false << u"sharedStrings.xml"_s;
}

void TestReader::hostileSamples()
{
    QFETCH(QString, file);
    QFETCH(bool, reads);
    QFETCH(bool, opens);
    QFETCH(QString, says);
    const QString path = hostile(file);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QCOMPARE(bool(book), reads);
    if (!reads)
        QVERIFY2(book.error().description.contains(says), qPrintable(book.error().description));
    db::Connection cn;
    const db::Error e = excel::openWorkbook(connectionText(path, true), cn);
    QCOMPARE(!e, opens);
    QCOMPARE(cn.isOpen(), opens);
    if (!opens)
        QVERIFY2(e.description.contains(says), qPrintable(e.description));
    if (file == u"sparse_last_row.xlsx") {
        const excel::Sheet& s = book->sheets.at(0);
        QCOMPARE(s.columnCount(), 190);
        QCOMPARE(s.rowCount(), 1048575);
        QCOMPARE(s.fields.at(0), u"Cod"_s);
        QCOMPARE(s.cell(1048574, 0), Variant(std::int64_t(1)));
        QVERIFY(s.cell(1048574, 189).isNull());
        QVERIFY(s.cell(5, 3).isNull());
    }
    if (file == u"control_chars_in_text.xlsx") {
        // The reader gives the text as the file holds it.
        QCOMPARE(book->sheets.at(0).cell(0, 0).toText(), u"DE1\u000B2\u00013"_s + QChar(0) + u"4"_s);
        auto rs = cn.openRecordset(u"SELECT * FROM [Sheet1$]"_s);
        QVERIFY(rs);
        QCOMPARE(rs->value(0).toText(), book->sheets.at(0).cell(0, 0).toText());
    }
}

// What a file claims never decides what the reader takes: a wide or sparse
// sheet costs its cells; what a table or a part would need is checked
// before it is built or inflated.
void TestReader::limits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("says");
    QTemporaryDir tmp;
    const QString p = tmp.filePath(u"p.xlsx"_s);
    auto built = [&](const QList<std::pair<QString, QByteArray>>& parts) {
        QFile::remove(p);
        return writeParts(p, parts) ? fileBytes(p) : QByteArray();
    };

    // One cell in column XFD on each of 20,000 rows.
    QByteArray wide = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>H</t></is></c></row>";
    for (int r = 2; r <= 20001; ++r)
        wide += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"XFD" + QByteArray::number(r) + "\"><v>1</v></c></row>";
    QTest::newRow("column XFD on 20,000 rows")
        << built(handMadeParts(wide)) << true << false << u"16384 coloane"_s;

    // Within the limits: 3,000 columns of one row are too many for a table only.
    QByteArray columns3000 = "<row r=\"1\">";
    for (int c = 1; c <= 3000; ++c)
        columns3000 += "<c><v>" + QByteArray::number(c) + "</v></c>";
    columns3000 += "</row>";
    QTest::newRow("3,000 columns") << built(handMadeParts(columns3000)) << true << false
                                   << u"mai multe decat 2000"_s;

    // A heading is a name: one of 255 characters heads its column, one
    // longer is refused with its sheet and its column.
    const auto heading = [&](int length) {
        return built(handMadeParts("<row r=\"1\"><c t=\"inlineStr\"><is><t>Cod</t></is></c><c t=\"inlineStr\"><is><t>" +
                                   QByteArray(length, 'a') + "</t></is></c></row><row r=\"2\"><c><v>1</v></c></row>"));
    };
    QTest::newRow("a heading of 255 characters") << heading(255) << true << true << QString();
    QTest::newRow("a heading of 256 characters")
        << heading(256) << false << false
        << u"Titlul coloanei 2 (B) din foaia 'Foaie 1' are 256 de caractere; numele unei coloane poate avea cel "
           u"mult 255 de caractere."_s;

    // One sheet part named by 2,000 sheets.
    QList<std::pair<QString, QByteArray>> repeated = handMadeParts("<row r=\"1\"><c><v>1</v></c></row>");
    QByteArray sheets;
    for (int i = 0; i < 2000; ++i)
        sheets += "<sheet name=\"S" + QByteArray::number(i) + "\" sheetId=\"" + QByteArray::number(i + 1) +
                  "\" r:id=\"rId1\"/>";
    for (auto& [name, data] : repeated)
        if (name == u"xl/workbook.xml")
            data.replace("<sheet name=\"Grafic\" sheetId=\"2\" r:id=\"rId4\"/>", sheets);
    QTest::newRow("one part for 2,000 sheets") << built(repeated) << false << false << u"aceeasi parte"_s;

    // A part that claims to inflate to 3 GB, and one that inflates to more
    // than it claims.
    const QByteArray plain = built(handMadeParts("<row r=\"1\"><c><v>1</v></c></row>"));
    QTest::newRow("declared 3 GB") << withDeclaredSize(plain, "xl/worksheets/a.xml", 3'000'000'000u) << false
                                   << false << u"mai mult de 512 MB"_s;
    QTest::newRow("inflates beyond its size")
        << withDeclaredSize(plain, "xl/sharedStrings.xml", 20) << false << false << u"sharedStrings.xml"_s;
    QTest::newRow("truncated zip") << plain.left(plain.size() - 60) << false << false << u"intreg"_s;

    // Tables cost their rows, blank ones too: five sheets of a cell in row
    // 1 and one in row 1,048,576 are 5 million rows from a file of 2 KB.
    const QByteArray tall = "<row r=\"1\"><c><v>1</v></c></row><row r=\"1048576\"><c><v>2</v></c></row>";
    QTest::newRow("five sheets of a million rows")
        << xlsx_build::zipParts(xlsx_build::packageParts(QList<QByteArray>(5, tall))) << true << false
        << u"foile lui au impreuna mai mult de 4194304 de randuri"_s;
    QTest::newRow("2,001 sheets") << xlsx_build::zipParts(xlsx_build::packageParts(
                                         QList<QByteArray>(2001, "<row r=\"1\"><c><v>1</v></c></row>")))
                                  << true << false << u"are 2001 foi, mai multe decat 2000"_s;
    // Each cell writes its text whole: a shared text of a million characters
    // in 600 cells is 600 million characters to write.
    QByteArray shared = "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\">";
    for (int c = 0; c < 600; ++c)
        shared += "<c t=\"s\"><v>0</v></c>";
    QTest::newRow("a long shared text in 600 cells")
        << xlsx_build::zipParts(xlsx_build::packageParts(
               {shared + "</row>"}, "<si><t>" + QByteArray(1'000'000, 'a') + "</t></si>"))
        << true << false << u"celulele lui au impreuna mai mult de 500 de milioane de caractere de text."_s;
}

void TestReader::limits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, reads);
    QFETCH(bool, opens);
    QFETCH(QString, says);
    QVERIFY(!bytes.isEmpty());
    const QString path = m_dir.filePath(u"limits.xlsx"_s);
    QVERIFY(writeBytes(path, bytes));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QCOMPARE(bool(book), reads);
    db::Connection cn;
    const db::Error e = excel::openWorkbook(connectionText(path, true), cn);
    QCOMPARE(!e, opens);
    QVERIFY2(e.description.contains(says), qPrintable(e.description));
    QCOMPARE(cn.isOpen(), opens);
}

// The tables of a workbook cost what the private database writes for them
// and holds for their columns, taken from the budget the read leaves: a
// row costs every column up to the sheet's last, blank ones too. What the
// budget counts is at least what the database writes.
void TestReader::tableBudget_data()
{
    QTest::addColumn<QList<QByteArray>>("sheets");
    QTest::addColumn<bool>("fits"); // in 4 MB
    const auto headings = [](int columns, const QByteArray& first = QByteArray()) -> QByteArray {
        QByteArray row = "<row r=\"1\">" + first;
        for (int c = 0; c < columns; ++c)
            row += "<c t=\"inlineStr\"><is><t>C" + QByteArray::number(c) + "</t></is></c>";
        return row + "</row>";
    };
    const auto cellAt = [](const QByteArray& column, int row) -> QByteArray {
        const QByteArray r = QByteArray::number(row);
        return "<row r=\"" + r + "\"><c r=\"" + column + r + "\"><v>1</v></c></row>";
    };
    // A heading in column 2,000 and one number in row 2,000: 2,000 rows of
    // 2,000 columns, from a file of a few hundred bytes.
    QTest::newRow("a far cell under a wide heading")
        << QList<QByteArray>{"<row r=\"1\"><c r=\"BXX1\" t=\"inlineStr\"><is><t>Ultima</t></is></c></row>" +
                             cellAt("A", 2000)}
        << false;
    QTest::newRow("the same cell under a narrow heading")
        << QList<QByteArray>{"<row r=\"1\"><c r=\"B1\" t=\"inlineStr\"><is><t>Ultima</t></is></c></row>" +
                             cellAt("A", 2000)}
        << true;
    QTest::newRow("a wide sheet of 300 rows")
        << QList<QByteArray>{"<row r=\"1\"><c r=\"BXX1\" t=\"inlineStr\"><is><t>Ultima</t></is></c></row>" +
                             cellAt("BXX", 300)}
        << true;
    // 10,000 columns in all, and 1,000.
    QTest::newRow("100 tables of 100 columns") << QList<QByteArray>(100, headings(100) + cellAt("A", 2)) << false;
    QTest::newRow("10 tables of 100 columns") << QList<QByteArray>(10, headings(100) + cellAt("A", 2)) << true;
}

void TestReader::tableBudget()
{
    QFETCH(QList<QByteArray>, sheets);
    QFETCH(bool, fits);
    const QString path = m_dir.filePath(u"budget.xlsx"_s);
    QVERIFY(writeBytes(path, xlsx_build::zipParts(xlsx_build::packageParts(sheets))));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    // 4 MB beside what the read holds.
    excel::detail::Budget budget(book->held + (qint64(4) << 20));
    QVERIFY(budget.take(book->held));
    const db::Result<QVector<excel::detail::TablePlan>> plan = excel::detail::planTables(*book, budget);
    QCOMPARE(bool(plan), fits);
    if (!plan) {
        QCOMPARE(plan.error().description,
                 u"Fisierul excel este prea mare pentru a fi citit: tabelele foilor lui cer impreuna mai mult de %1 "
                 u"MB de memorie si de spatiu in folderul temporar."_s.arg(budget.total() >> 20));
        return;
    }
    db::Connection cn;
    const db::Error e = excel::detail::makeTables(*book, *plan, cn);
    QVERIFY2(!e, qPrintable(e.text()));
    qint64 counted = 0;
    for (const excel::detail::TablePlan& t : *plan)
        counted += t.bytes;
    const qint64 written = dbScalar(cn, u"PRAGMA page_count"_s) * dbScalar(cn, u"PRAGMA page_size"_s);
    // The database's own tables are there before the sheets'.
    const qint64 own = 16 * 4096;
    QVERIFY2(written - own <= counted && counted <= 4 * written,
             qPrintable(u"written %1, counted %2"_s.arg(written).arg(counted)));
}

// A workbook's parts in UTF-16 or UTF-32 (with a byte-order mark or
// without), or in an encoding their declaration names, read as their twins
// in UTF-8: the same cells, and the same refusal of an element with too
// many attributes whose name, in UTF-16, holds the byte of a quote.
void TestReader::partEncodings_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<bool>("crafted"); // the shared texts hold an element of 65 attributes
    QTest::newRow("UTF-16LE with a mark") << u"UTF-16LE"_s << true << false;
    QTest::newRow("UTF-16BE without") << u"UTF-16BE"_s << false << false;
    QTest::newRow("UTF-32LE") << u"UTF-32LE"_s << true << false;
    QTest::newRow("windows-1250 named") << u"windows-1250"_s << false << false;
    QTest::newRow("UTF-16LE, 65 attributes") << u"UTF-16LE"_s << true << true;
    QTest::newRow("UTF-16BE, 65 attributes") << u"UTF-16BE"_s << false << true;
    QTest::newRow("an encoding no one knows") << u"x-nimic"_s << false << false;
}

void TestReader::partEncodings()
{
    QFETCH(QString, encoding);
    QFETCH(bool, bom);
    QFETCH(bool, crafted);
    QByteArray attributes;
    for (int i = 0; i < 65; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"";
    const QByteArray items = (crafted ? "<\xE4\xB8\xA2" + attributes + "/>" : QByteArray()) +
                             "<si><t>\xC5\x9Eurub \xC4\x83\xC3\xAE\xC3\xA2</t></si><si><t>Cod</t></si>";
    const QByteArray sheet =
        "<row r=\"1\"><c t=\"s\"><v>1</v></c><c t=\"inlineStr\"><is><t>\xC5\xA2" "ar\xC4\x83</t></is></c>"
        "<c t=\"inlineStr\"><is><t>Masa</t></is></c></row>"
        "<row r=\"2\"><c t=\"s\"><v>0</v></c><c t=\"inlineStr\"><is><t>a &amp; b</t></is></c><c><v>12.5</v></c>"
        "<c t=\"b\"><v>1</v></c></row><row r=\"4\"><c r=\"C4\"><v>7</v></c></row>";
    const QList<std::pair<QString, QByteArray>> twin = xlsx_build::packageParts({sheet}, items);
    QList<std::pair<QString, QByteArray>> parts;
    for (const auto& [name, bytes] : twin) {
        QString text = QString::fromUtf8(bytes);
        text.replace(u"<?xml version=\"1.0\"?>"_s, u"<?xml version=\"1.0\" encoding=\"%1\"?>"_s.arg(encoding));
        QStringEncoder encoder(encoding.toLatin1().constData(),
                               bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        parts.push_back({name, encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toUtf8()});
    }
    const QString twinPath = m_dir.filePath(u"twin.xlsx"_s);
    const QString path = m_dir.filePath(u"encoded.xlsx"_s);
    QFile::remove(twinPath);
    QFile::remove(path);
    QVERIFY(writeBytes(twinPath, xlsx_build::zipParts(twin)));
    QVERIFY(writeBytes(path, xlsx_build::zipParts(parts)));
    const db::Result<excel::Workbook> expected = excel::readWorkbook(twinPath);
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    if (encoding == u"x-nimic") {
        QVERIFY(!book);
        QCOMPARE(book.error().description,
                 u"Partea '_rels/.rels' este scrisa in codificarea 'x-nimic', pe care programul nu o cunoaste."_s);
        return;
    }
    QCOMPARE(bool(book), bool(expected));
    if (!expected) {
        QVERIFY(crafted);
        QCOMPARE(book.error().description, expected.error().description);
        QVERIFY2(expected.error().description.contains(u"mai mult de 64 de atribute"_s),
                 qPrintable(expected.error().description));
        return;
    }
    QVERIFY(!crafted);
    const excel::Sheet& s = book->sheets.at(0);
    const excel::Sheet& t = expected->sheets.at(0);
    QCOMPARE(s.fields, (QStringList{u"Cod"_s, u"\u0162ar\u0103"_s, u"Masa"_s, u"F4"_s}));
    QCOMPARE(s.fields, t.fields);
    QCOMPARE(s.rowCount(), 3);
    QCOMPARE(s.rowCount(), t.rowCount());
    for (int r = 0; r < s.rowCount(); ++r)
        for (int c = 0; c < s.columnCount(); ++c)
            QCOMPARE(s.cell(r, c), t.cell(r, c));
    QCOMPARE(s.cell(0, 0), Variant(u"\u015Eurub \u0103\u00EE\u00E2"_s));
    QCOMPARE(s.cell(0, 1), Variant(u"a & b"_s));
}

// Row numbers of the row elements and of the cell references: a number
// outside the sheet is an error, never a row somewhere else.
void TestReader::rowNumbers_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QString>("error"); // empty: reads
    QTest::addColumn<int>("lastRow");   // of the table, when it reads
    QTest::newRow("most negative") << QByteArray("<row r=\"-2147483648\"><c><v>1</v></c></row>")
                                   << u"-2147483648"_s << 0;
    QTest::newRow("above 2^31") << QByteArray("<row r=\"4294967297\"><c><v>1</v></c></row>")
                                << u"4294967297"_s << 0;
    QTest::newRow("zero") << QByteArray("<row r=\"0\"><c><v>1</v></c></row>") << u"numarul 0"_s << 0;
    QTest::newRow("not a number") << QByteArray("<row r=\"x\"><c><v>1</v></c></row>") << u"numarul x"_s << 0;
    QTest::newRow("reference beyond the sheet")
        << QByteArray("<row r=\"1\"><c r=\"A1048577\"><v>1</v></c></row>") << u"1048577"_s << 0;
    QTest::newRow("negative reference") << QByteArray("<row r=\"1\"><c r=\"B-3\"><v>1</v></c></row>")
                                        << u"-3"_s << 0;
    QTest::newRow("reference names the row")
        << QByteArray("<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"A4\"><v>4</v></c></row>") << QString()
        << 3;
    QTest::newRow("last row of the sheet")
        << QByteArray("<row r=\"1\"><c><v>1</v></c></row><row r=\"1048576\"><c><v>2</v></c></row>")
        << QString() << 1048575;
}

void TestReader::rowNumbers()
{
    QFETCH(QByteArray, rows);
    QFETCH(QString, error);
    QFETCH(int, lastRow);
    const QString path = m_dir.filePath(u"rows.xlsx"_s);
    QFile::remove(path);
    QVERIFY(writeParts(path, handMadeParts(rows)));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    if (!error.isEmpty()) {
        QVERIFY(!book);
        QVERIFY2(book.error().description.contains(error), qPrintable(book.error().description));
        return;
    }
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.at(0).rowCount(), lastRow);
    QVERIFY(!book->sheets.at(0).cell(lastRow - 1, 0).isNull());
}

// A date-styled number whose serial lies outside the calendar stays the
// number; one that is no number (NaN, infinity) is Null.
void TestReader::dateValues_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<Variant>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false << Variant::null();
    QTest::newRow("infinity") << inf << false << Variant::null();
    QTest::newRow("minus infinity") << -inf << true << Variant::null();
    QTest::newRow("1e308") << 1e308 << false << Variant(1e308);
    QTest::newRow("negative") << -1.0 << false << Variant(-1.0);
    QTest::newRow("31 Dec 9999") << 2958465.5 << false << Variant(QDateTime(QDate(9999, 12, 31), QTime(12, 0)));
    QTest::newRow("after 9999") << 2958466.0 << false << Variant(2958466.0);
    QTest::newRow("after 9999, 1904 system") << 2957004.0 << true << Variant(2957004.0);
    QTest::newRow("a time alone") << 0.75 << false << Variant(QDateTime(QDate(1899, 12, 30), QTime(18, 0)));
}

void TestReader::dateValues()
{
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(Variant, expected);
    const Variant v = excel::detail::dateValue(serial, date1904);
    QCOMPARE(v.kind(), expected.kind());
    QCOMPARE(v, expected);
}

// Cells given out of order land where their references put them; of two
// cells at one place the later wins.
void TestReader::cellOrder()
{
    const QString path = m_dir.filePath(u"order.xlsx"_s);
    QVERIFY(writeParts(path, handMadeParts("<row r=\"3\"><c r=\"B3\"><v>32</v></c><c r=\"A3\"><v>31</v></c></row>"
                                           "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c></row>"
                                           "<row r=\"2\"><c r=\"A2\"><v>5</v></c><c r=\"A2\"><v>21</v></c></row>")));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.fields, (QStringList{u"1"_s, u"2"_s}));
    QCOMPARE(s.rowCount(), 2);
    QCOMPARE(s.cell(0, 0), Variant(std::int64_t(21)));
    QVERIFY(s.cell(0, 1).isNull());
    QCOMPARE(s.cell(1, 0), Variant(std::int64_t(31)));
    QCOMPARE(s.cell(1, 1), Variant(std::int64_t(32)));
}

// Cells in no order at all, and cells given twice: each lands where its
// reference puts it, and of two at one place the one read later stays.
void TestReader::scrambledCells()
{
    constexpr int kRows = 300;
    constexpr int kColumns = 40;
    constexpr int kCells = kRows * kColumns;
    // Columns A to AN.
    const auto ref = [](int k) -> QByteArray {
        const int c = k % kColumns;
        return (c < 26 ? QByteArray(1, char('A' + c)) : "A" + QByteArray(1, char('A' + c - 26))) +
               QByteArray::number(k / kColumns + 1);
    };
    QByteArray cells;
    for (int i = 0; i < kCells; ++i) {
        const int k = int((qint64(i) * 7919) % kCells); // 7919 is prime: each cell once
        cells += "<c r=\"" + ref(k) + "\"><v>" + QByteArray::number(k) + "</v></c>";
        if (i % 3 == 0 && k % 7 == 0)
            cells += "<c r=\"" + ref(k) + "\"><v>" + QByteArray::number(-1) + "</v></c>";
    }
    for (int k = 0; k < kCells; k += 7)
        cells += "<c r=\"" + ref(k) + "\"><v>" + QByteArray::number(-k) + "</v></c>";
    const db::Result<excel::Workbook> book = readBytes(
        xlsx_build::zipParts(xlsx_build::packageParts({"<row>" + cells + "</row>"})), u"scrambled.xlsx"_s);
    QVERIFY2(book, qPrintable(book.error().text()));
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.columnCount(), kColumns);
    QCOMPARE(s.rowCount(), kRows - 1);
    QCOMPARE(s.fields.at(1), u"1"_s);
    for (int k = kColumns; k < kCells; ++k)
        QCOMPARE(s.cell(k / kColumns - 1, k % kColumns), Variant(std::int64_t(k % 7 == 0 ? -k : k)));
}

// What the XML parts may hold: elements nested at most 256 deep in every
// part, at most 64 attributes to an element, no DTD.
void TestReader::xmlLimits_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QByteArray>("before"); // the inner text goes before this
    QTest::addColumn<QByteArray>("inner");
    QTest::addColumn<QString>("error"); // empty: the workbook reads
    const auto nested = [](int depth) -> QByteArray {
        return QByteArray("<x>").repeated(depth) + QByteArray("</x>").repeated(depth);
    };
    const QString deep =
        u" nu este un XML corect: elementele sunt imbricate pe mai mult de 256 de niveluri."_s;
    const QList<std::pair<QString, QByteArray>> parts{{u"_rels/.rels"_s, "</Relationships>"},
                                                      {u"xl/_rels/workbook.xml.rels"_s, "</Relationships>"},
                                                      {u"xl/workbook.xml"_s, "</workbook>"},
                                                      {u"xl/styles.xml"_s, "</styleSheet>"},
                                                      {u"xl/sharedStrings.xml"_s, "</si></sst>"}};
    for (const auto& [part, before] : parts) {
        QTest::newRow(qPrintable(part + u" nested 300 deep"_s))
            << part << before << nested(300) << u"Partea '"_s + part + u"'"_s + deep;
        QTest::newRow(qPrintable(part + u" nested 200 deep"_s)) << part << before << nested(200) << QString();
    }
    QTest::newRow("sheet nested 300 deep") << u"xl/worksheets/a.xml"_s << QByteArray("</sheetData>")
                                           << nested(300) << u"Foaia 'Foaie 1'"_s + deep;
    QTest::newRow("sheet nested 200 deep")
        << u"xl/worksheets/a.xml"_s << QByteArray("</sheetData>") << nested(200) << QString();

    QByteArray attributes65 = "<x";
    for (int i = 0; i < 65; ++i)
        attributes65 += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"";
    QTest::newRow("65 attributes")
        << u"xl/styles.xml"_s << QByteArray("</styleSheet>") << attributes65 + "/>"
        << u"Partea 'xl/styles.xml' nu este un XML corect: un element are mai mult de 64 "
           u"de atribute."_s;
    QByteArray attributes64 = "<x";
    for (int i = 0; i < 64; ++i)
        attributes64 += " a" + QByteArray::number(i) + "='=" + QByteArray::number(i) + "'";
    QTest::newRow("64 attributes, and = in values, comments and CDATA")
        << u"xl/sharedStrings.xml"_s << QByteArray("</si></sst>")
        << attributes64 + "/><!-- a=1 " + QByteArray("b=2 ").repeated(100) + "--><t><![CDATA[" +
               QByteArray("c=3 ").repeated(100) + "]]></t><?x " + QByteArray("d=4 ").repeated(100) + "?>"
        << QString();
    QTest::newRow("a DTD") << u"xl/sharedStrings.xml"_s << QByteArray("<sst ")
                           << QByteArray("<!DOCTYPE sst [<!ENTITY e \"eeeeeeeeee\">]>")
                           << u"Partea 'xl/sharedStrings.xml' nu este un XML corect: are o declaratie DTD."_s;
}

void TestReader::xmlLimits()
{
    QFETCH(QString, part);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, inner);
    QFETCH(QString, error);
    QList<std::pair<QString, QByteArray>> parts = handMadeParts(kHandMadeSheet);
    for (auto& [name, data] : parts) {
        if (name != part)
            continue;
        const qsizetype at = data.lastIndexOf(before);
        QVERIFY(at >= 0);
        data.insert(at, inner);
    }
    const QString path = m_dir.filePath(u"xml.xlsx"_s);
    QFile::remove(path);
    QVERIFY(writeParts(path, parts));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    if (error.isEmpty()) {
        QVERIFY2(book, qPrintable(book.error().text()));
        QCOMPARE(book->sheets.at(0).cell(0, 5), Variant(u"Bogat & "_s));
    } else {
        QVERIFY(!book);
        QCOMPARE(book.error().description, error);
    }
}

// A sheet part is read as it is inflated, a few megabytes at a time: tags,
// texts, entities, comments and sections cut by the end of what is read
// are read whole, however long.
void TestReader::longParts_data()
{
    QTest::addColumn<QByteArray>("rows"); // after the heading row
    QTest::addColumn<int>("count");       // the data rows
    QTest::addColumn<QString>("text"); // of the first data row's first cell; empty: each row r holds "t&r", r
    QByteArray many;
    for (int r = 2; r <= 200'001; ++r) {
        const QByteArray n = QByteArray::number(r);
        many += "<row r=\"" + n + "\">";
        if (r % 3)
            many += "<c r=\"A" + n + "\" t=\"inlineStr\"><is><t>t&amp;" + n + "</t></is></c>";
        else
            many += "<c r=\"A" + n + "\" t=\"str\"><f>X</f><v>t&#38;" + n + "</v></c>";
        many += "<c r=\"B" + n + "\"><v>" + n + "</v></c></row>";
    }
    QTest::newRow("20 MB of rows") << many << 200'000 << QString();
    const QByteArray second = "<row r=\"3\"><c><v>3</v></c></row>";
    QTest::newRow("a comment longer than what is read at once")
        << "<row r=\"2\"><c t=\"inlineStr\"><is><t>a</t></is></c></row><!--" + QByteArray(6 << 20, 'x') +
               "-->" + second
        << 2 << u"a"_s;
    QTest::newRow("a text longer than what is read at once")
        << "<row r=\"2\"><c t=\"inlineStr\"><is><t>" + QByteArray("a&amp;b").repeated(1'500'000) +
               "</t></is></c></row>" + second
        << 2 << u"a&b"_s.repeated(1'500'000);
    QTest::newRow("an attribute longer than what is read at once")
        << "<row r=\"2\" spans=\"" + QByteArray(5 << 20, 'y') +
               "\"><c t=\"inlineStr\"><is><t>b</t></is></c></row>" + second
        << 2 << u"b"_s;
    QTest::newRow("a CDATA section longer than what is read at once")
        << "<row r=\"2\"><c t=\"str\"><v><![CDATA[" + QByteArray(5 << 20, 'z') + "]]></v></c></row>" + second
        << 2 << QString(5 << 20, u'z');
}

void TestReader::longParts()
{
    QFETCH(QByteArray, rows);
    QFETCH(int, count);
    QFETCH(QString, text);
    const db::Result<excel::Workbook> book =
        readBytes(xlsx_build::zipParts(xlsx_build::packageParts(
                      {"<row r=\"1\"><c t=\"inlineStr\"><is><t>H</t></is></c><c t=\"inlineStr\"><is><t>I</t>"
                       "</is></c></row>" +
                       rows})),
                  u"long.xlsx"_s);
    QVERIFY2(book, qPrintable(book.error().text()));
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.rowCount(), count);
    QCOMPARE(s.fields, (QStringList{u"H"_s, u"I"_s}));
    if (!text.isEmpty()) {
        QCOMPARE(s.cell(0, 0).toText(), text);
        QCOMPARE(s.cell(1, 0), Variant(std::int64_t(3)));
        return;
    }
    for (int r = 0; r < count; ++r) {
        if (s.cell(r, 0).toText() != u"t&"_s + QString::number(r + 2) ||
            s.cell(r, 1) != Variant(std::int64_t(r + 2)))
            QFAIL(
                qPrintable(u"row %1: %2, %3"_s.arg(r + 2).arg(s.cell(r, 0).toText(), s.cell(r, 1).toText())));
    }
}

// The cell records of BIFF8 as Excel writes them, a chart inside the sheet,
// and texts that run on across records.
void TestReader::xlsRecords()
{
    using namespace xls_build;
    QByteArray cells = labelSst(0, 0, 0) + labelSst(0, 1, 1) + labelSst(0, 2, 2);
    cells += number(1, 0, 1234.5) + rk(1, 1, (10u << 2) | 2) + rk(1, 2, (1234u << 2) | 3);
    // Row 3: three numbers of one record, one of them a date.
    QByteArray mulRk = cellHead(2, 0, 0).left(4);
    for (const auto& [xf, v] : {std::pair{0, (7u << 2) | 2}, std::pair{1, (46096u << 2) | 2}, std::pair{0, (9u << 2) | 2}}) {
        put16(mulRk, quint16(xf));
        put32(mulRk, v);
    }
    put16(mulRk, 2);
    cells += record(0x00BD, mulRk);
    // Row 4: a boolean, an error, a date and time, a date beyond the calendar.
    QByteArray b = cellHead(3, 0, 0);
    b += char(1);
    b += char(0);
    cells += record(0x0205, b);
    b = cellHead(3, 1, 0);
    b += char(7);
    b += char(1);
    cells += record(0x0205, b);
    cells += number(3, 2, 46356.5868055556, 2) + number(3, 3, 1e308, 1);
    // Row 5: formulas giving a number, a text (in the STRING record after
    // it), a boolean; a text cell of its own.
    auto formula = [&](int column, const QByteArray& result) {
        QByteArray f = cellHead(4, column, 0) + result;
        put16(f, 0);
        put32(f, 0);
        put16(f, 0);
        return record(0x0006, f);
    };
    QByteArray n;
    putDouble(n, 2469);
    cells += formula(0, n) + formula(1, QByteArray("\0\0\0\0\0\0\xFF\xFF", 8)) +
             record(0x0207, text(u"calculat"_s)) + formula(2, QByteArray("\x01\0\x01\0\0\0\xFF\xFF", 8));
    cells += record(0x0204, cellHead(4, 3, 0) + text(u"eticheta"_s));
    // A chart inside the sheet: its records are not cells of the sheet.
    cells += bof(0x0020) + number(9, 0, 99) + eof();

    const QString path = m_dir.filePath(u"records.xls"_s);
    QVERIFY(writeBytes(path, xlsBook(cells, xlsFormats() + xlsSharedStrings())));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    const excel::Sheet& s = book->sheets.at(0);
    QCOMPARE(s.name, u"Foaie"_s);
    QCOMPARE(s.fields, (QStringList{u"Cod"_s, u"Text"_s, u"\u0218urub!"_s, u"F4"_s}));
    QCOMPARE(s.rowCount(), 4);
    QCOMPARE(s.cell(0, 0), Variant(1234.5));
    QCOMPARE(s.cell(0, 1), Variant(std::int64_t(10)));
    QCOMPARE(s.cell(0, 2), Variant(12.34));
    QCOMPARE(s.cell(1, 0), Variant(std::int64_t(7)));
    QCOMPARE(s.cell(1, 1), Variant(QDateTime(QDate(2026, 3, 15), QTime(0, 0))));
    QCOMPARE(s.cell(1, 2), Variant(std::int64_t(9)));
    QCOMPARE(s.cell(2, 0), Variant(true));
    QVERIFY(s.cell(2, 1).isNull());
    QCOMPARE(s.cell(2, 2), Variant(QDateTime(QDate(2026, 11, 30), QTime(14, 5))));
    QCOMPARE(s.cell(2, 3), Variant(1e308));
    QCOMPARE(s.cell(3, 0), Variant(std::int64_t(2469)));
    QCOMPARE(s.cell(3, 1), Variant(u"calculat"_s));
    QCOMPARE(s.cell(3, 2), Variant(true));
    QCOMPARE(s.cell(3, 3), Variant(u"eticheta"_s));
}

// Excel 5 and 95 workbooks: the stream "Book", texts in the code page.
void TestReader::xlsOldFormat()
{
    using namespace xls_build;
    QByteArray codePage;
    put16(codePage, 1250);
    QByteArray label = cellHead(0, 0, 0);
    put16(label, 5);
    label += QByteArray("\xAAurub", 5);
    const QByteArray stream =
        workbookStream(record(0x0042, codePage), {SheetPart{u"Vechi"_s, record(0x0204, label) + number(1, 0, 3)}},
                       true);
    const QString path = m_dir.filePath(u"biff5.xls"_s);
    QVERIFY(writeBytes(path, compoundFile(stream, u"Book"_s)));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY2(book, qPrintable(book.error().text()));
    QCOMPARE(book->sheets.at(0).name, u"Vechi"_s);
    QCOMPARE(book->sheets.at(0).fields, QStringList{u"\u015Eurub"_s});
    QCOMPARE(book->sheets.at(0).cell(0, 0), Variant(std::int64_t(3)));
}

void TestReader::xlsDamaged_data()
{
    using namespace xls_build;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    // A stream of regular sectors, whose chain is then broken.
    QByteArray big;
    for (int r = 1; r < 400; ++r)
        big += number(r, 0, r);
    const QByteArray regular = xlsBook(number(0, 0, 0) + big);
    QByteArray loop = regular;
    set32(loop, 512 + 4 * 2, 2); // the stream's first sector points at itself
    QTest::newRow("chain loops") << loop << u"deteriorat"_s;
    QByteArray outside = regular;
    set32(outside, 512 + 4 * 3, 0x00FFFFFF);
    QTest::newRow("chain leaves the file") << outside << u"lant"_s;
    QTest::newRow("cut short") << regular.left(regular.size() - 1500) << u"lant"_s;

    QByteArray stream = workbookStream(QByteArray(), {SheetPart{u"A"_s, number(0, 0, 1)}});
    QByteArray atGlobals = stream;
    set32(atGlobals, atGlobals.indexOf(QByteArray("\x85\0", 2)) + 4, 0);
    QTest::newRow("sheet inside the globals") << compoundFile(atGlobals) << u"suprapun"_s;
    QByteArray beyond = stream;
    set32(beyond, beyond.indexOf(QByteArray("\x85\0", 2)) + 4, 0x7FFFFFFF);
    QTest::newRow("sheet beyond the stream") << compoundFile(beyond) << u"nu este unde"_s;
    QByteArray twice = workbookStream(QByteArray(), {SheetPart{u"A"_s, number(0, 0, 1)}, SheetPart{u"B"_s, QByteArray()}});
    const qsizetype first = twice.indexOf(QByteArray("\x85\0", 2));
    const qsizetype second = twice.indexOf(QByteArray("\x85\0", 2), first + 4);
    twice.replace(second + 4, 4, twice.mid(first + 4, 4));
    QTest::newRow("two sheets at one place") << compoundFile(twice) << u"suprapun"_s;

    QByteArray claims;
    put32(claims, 1000000000);
    put32(claims, 1000000000);
    QTest::newRow("shared texts claim a billion")
        << xlsBook(QByteArray(), record(0x00FC, claims)) << u"incomplete"_s;
    QTest::newRow("missing shared text") << xlsBook(labelSst(0, 0, 5)) << u"text comun care lipseste"_s;
    QTest::newRow("column beyond the last") << xlsBook(number(0, 20000, 1)) << u"ultima coloana"_s;
    QTest::newRow("no workbook stream")
        << compoundFile(stream, u"WordDocument"_s) << u"nu contine un registru"_s;
}

void TestReader::xlsDamaged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    const QString path = m_dir.filePath(u"damaged.xls"_s);
    QVERIFY(writeBytes(path, bytes));
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    QVERIFY(!book);
    QVERIFY2(book.error().description.contains(says), qPrintable(book.error().description));
}

// A workbook protected by a password is encrypted: an .xls keeps its cells
// behind a FILEPASS record, an .xlsx is a compound file holding the package
// encrypted. Either is named, under any name.
void TestReader::protectedWorkbooks_data()
{
    using namespace xls_build;
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QByteArray rc4;
    put16(rc4, 1); // RC4
    put16(rc4, 1);
    put16(rc4, 1);
    rc4 += QByteArray(48, '\x5a');
    QTest::newRow("xls") << u"parola.xls"_s
                         << xlsBook(labelSst(0, 0, 0), record(0x002F, rc4) + xlsSharedStrings());
    QByteArray xorKey;
    put16(xorKey, 0); // XOR obfuscation, as Excel 95 writes it
    put16(xorKey, 0x1234);
    put16(xorKey, 0x5678);
    QTest::newRow("xls of Excel 95") << u"parola.xls"_s
                                     << compoundFile(workbookStream(record(0x002F, xorKey),
                                                                    {SheetPart{u"A"_s, number(0, 0, 1)}},
                                                                    true),
                                                     u"Book"_s);
    QByteArray info;
    put16(info, 4); // agile encryption
    put16(info, 4);
    put32(info, 0x40);
    info +=
        "<?xml version=\"1.0\"?><encryption xmlns=\"http://schemas.microsoft.com/office/2006/encryption\"/>";
    QByteArray package;
    put32(package, 5000);
    put32(package, 0);
    package += QByteArray(5008, '\x33');
    const QByteArray encrypted =
        compoundFile(QList<Stream>{{u"EncryptionInfo"_s, info}, {u"EncryptedPackage"_s, package}});
    QTest::newRow("xlsx") << u"parola.xlsx"_s << encrypted;
    QTest::newRow("xlsx named xls") << u"parola.xls"_s << encrypted;
}

void TestReader::protectedWorkbooks()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const db::Result<excel::Workbook> book = readBytes(bytes, name);
    QVERIFY(!book);
    QCOMPARE(book.error().description,
             u"Fisierul excel este protejat cu parola: salvati-l fara parola si incercati din nou."_s);
    QVERIFY(excel::tablesSchema(connectionText(m_dir.filePath(name), false)).error().isError());
}

// The content tells the kind of workbook, not the name.
void TestReader::renamedFiles_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("xls named xlsx") << xlsFixture() << u"renamed.xlsx"_s;
    QTest::newRow("xlsx named xls") << m_xlsx << u"renamed.xls"_s;
}

void TestReader::renamedFiles()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    const QString path = m_dir.filePath(to);
    QFile::remove(path);
    QVERIFY(QFile::copy(from, path));
    const db::Result<excel::Workbook> original = excel::readWorkbook(from);
    const db::Result<excel::Workbook> renamed = excel::readWorkbook(path);
    QVERIFY2(renamed, qPrintable(renamed.error().text()));
    QCOMPARE(renamed->sheets.size(), original->sheets.size());
    QCOMPARE(renamed->sheets.at(0).fields, original->sheets.at(0).fields);
    QCOMPARE(renamed->sheets.at(0).cell(0, 0), original->sheets.at(0).cell(0, 0));
}

// A read leaves no file behind, even while its tables are open; the folder
// a killed run left is removed at the next start, that of a running one is
// not, nor one of another user, nor anything that is not a folder of this
// user's own name: a link of that name (another user can plant one in the
// temporary folder) is never followed, and its target keeps its files.
void TestReader::workFolders()
{
    const QString tmp = m_dir.filePath(u"tmp"_s);
    QVERIFY(QDir().mkpath(tmp));
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp));
    {
        db::Connection cn;
        QVERIFY(!excel::openWorkbook(connectionText(m_xlsx, true), cn));
        QCOMPARE(QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
        QVERIFY(cn.openRecordset(u"SELECT COUNT(*) FROM [Sheet1$]"_s));
    }
    QCOMPARE(QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    if (before.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", before);

    // The user's own files, which links lead to.
    const QString victim = m_dir.filePath(u"documente"_s);
    QVERIFY(QDir().mkpath(victim + u"/sub"_s));
    QVERIFY(writeBytes(victim + u"/declaratie.xml"_s, QByteArray(10, 'd')));
    QVERIFY(writeBytes(victim + u"/sub/firma.mdb"_s, QByteArray(10, 'f')));
    const QStringList victimFiles{u"declaratie.xml"_s, u"sub"_s, u"sub/firma.mdb"_s};
    const auto filesOf = [](const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(folder.size() + 1);
        files.sort();
        return files;
    };
    QCOMPARE(filesOf(victim), victimFiles);

    // A process number no process holds any more.
    QProcess done;
    done.start(u"true"_s, QStringList());
    QVERIFY(done.waitForStarted());
    const qint64 deadPid = done.processId();
    QVERIFY(done.waitForFinished());
    const QString user = QString::number(::geteuid());
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString killed = u"quorvel-workbook-%1-%2-AbCdEf"_s.arg(user).arg(deadPid);
    const QString running = u"quorvel-workbook-%1-%2-XyZxYz"_s.arg(user, pid);
    const QString planted = u"quorvel-workbook-%1-%2-LiNkEd"_s.arg(user).arg(deadPid);
    const QString plantedBare = u"quorvel-workbook-x"_s;
    const QString asFile = u"quorvel-workbook-%1-%2-FiLeEe"_s.arg(user).arg(deadPid);
    // Names no read of this user makes (releases that named no user or no
    // process, a longer tail) are not this user's to remove.
    const QString killedUnnamed = u"quorvel-workbook-%1-AbCdEf"_s.arg(deadPid);
    const QString older = u"quorvel-workbook-Q1w2E3"_s;
    const QString longer = u"quorvel-workbook-%1-%2-AbCdEf-x"_s.arg(user).arg(deadPid);
    const QString other = u"alt-folder"_s;
    QStringList kept{other, running, killedUnnamed, older, longer, planted, plantedBare, asFile};
    for (const QString& name : {killed, running, killedUnnamed, older, longer, other}) {
        QVERIFY(QDir().mkpath(tmp + u'/' + name));
        QVERIFY(writeBytes(tmp + u'/' + name + u"/workbook.db"_s, QByteArray(100, 'x')));
    }
    QVERIFY(writeBytes(tmp + u'/' + asFile, QByteArray(10, 'x')));
    for (const QString& name : {planted, plantedBare})
        QVERIFY(QFile::link(victim, tmp + u'/' + name));
    // A link inside the killed run's folder goes, not what it leads to.
    QVERIFY(QFile::link(victim, tmp + u'/' + killed + u"/legatura"_s));
    QVERIFY(QFile::link(victim + u"/declaratie.xml"_s, tmp + u'/' + killed + u"/fisier"_s));
    // Another user's stale folder (root can make one) is left to that user.
    if (::geteuid() == 0) {
        const QString foreign = u"quorvel-workbook-65534-%1-QwErTy"_s.arg(deadPid);
        QVERIFY(QDir().mkpath(tmp + u'/' + foreign));
        QCOMPARE(::chown(QFile::encodeName(tmp + u'/' + foreign).constData(), 65534, 65534), 0);
        kept << foreign;
    }
    excel::removeStaleWorkFolders(tmp);
    QStringList left = QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    left.sort();
    kept.sort();
    QCOMPARE(left, kept);
    QCOMPARE(filesOf(victim), victimFiles);
    QVERIFY(QFileInfo(tmp + u'/' + planted).isSymLink());
}

// The inputs fuzzing found that once broke the reader: each an error or a
// read, as any other file.
void TestReader::fuzzFindings_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(QString::fromLocal8Bit(qgetenv("QUORVEL_SOURCE_DIR")) + u"/tests/fixtures/fuzz"_s);
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString& f : files)
        QTest::newRow(qPrintable(f)) << dir.filePath(f);
}

void TestReader::fuzzFindings()
{
    QFETCH(QString, path);
    const db::Result<excel::Workbook> book = excel::readWorkbook(path);
    if (!book)
        QVERIFY(!book.error().description.isEmpty());
    db::Connection cn;
    const db::Error e = excel::openWorkbook(connectionText(path, true), cn);
    QCOMPARE(cn.isOpen(), !e);
}

QTEST_GUILESS_MAIN(TestReader)
#include "tst_reader.moc"
