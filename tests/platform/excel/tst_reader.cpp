// The workbook reader: cells and their types, the heading row and the row
// range, the sheet names, the tables the program's queries run on, and
// damaged files.

#include "platform/excel/reader.h"
#include "platform/excel/reader_internal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
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

QString xlsFixture()
{
    return QString::fromLocal8Bit(qgetenv("QUORVEL_SOURCE_DIR")) +
           QStringLiteral("/tests/fixtures/reader.xls");
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
    void date1904();
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

private:
    QTemporaryDir m_dir;
    QString m_xlsx;       // shared strings
    QString m_xlsxInline; // inline strings (constant memory mode)
    QString m_handMade;
};

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
    if (file != u"xls")
        QCOMPARE(flags->value(0).toInt(), 1);

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

QTEST_GUILESS_MAIN(TestReader)
#include "tst_reader.moc"
