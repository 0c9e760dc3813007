// The grid's core half: the formatter, twips and colours, the layout file and
// the model, without a screen.
#include "platform/db/db.h"
#include "platform/grid/format.h"
#include "platform/grid/layout.h"
#include "platform/grid/model.h"
#include "platform/grid/units.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using db::Variant;

// A value as a test-table column.
struct Val
{
    Val() = default;
    Val(const Variant& x) : v(x) {}
    Variant v;
};
Q_DECLARE_METATYPE(Val)
Q_DECLARE_METATYPE(QList<Val>)

class TestGridCore : public QObject
{
    Q_OBJECT
private slots:
    void formatsInTheLocale_data();
    void formatsInTheLocale();
    void readsTypedText_data();
    void readsTypedText();
    void widestTextOfEachField_data();
    void widestTextOfEachField();
    void twipsAndColours();
    void layoutFileKeepsNamedLayouts();
    void layoutFileDamagedOrMissing();
    void modelPassesTheTester();
    void modelHoldsTheRowUnderEdit();
    void modelReportsARefusedWrite();
};

void TestGridCore::formatsInTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Val>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    const Variant big(1234567.891);
    QTest::newRow("ro 2 decimals") << QStringLiteral("ro_RO") << Val(big) << QStringLiteral("##,##0.00")
                                   << QStringLiteral("1.234.567,89");
    QTest::newRow("ro whole") << QStringLiteral("ro_RO") << Val(big) << QStringLiteral("##,##0")
                              << QStringLiteral("1.234.568");
    QTest::newRow("ro 4 decimals") << QStringLiteral("ro_RO") << Val(big) << QStringLiteral("##,##0.0000")
                                   << QStringLiteral("1.234.567,8910");
    QTest::newRow("en 2 decimals") << QStringLiteral("en_US") << Val(big) << QStringLiteral("##,##0.00")
                                   << QStringLiteral("1,234,567.89");
    QTest::newRow("integer") << QStringLiteral("ro_RO") << Val(Variant(1500)) << QStringLiteral("##,##0.00")
                             << QStringLiteral("1.500,00");
    QTest::newRow("negative") << QStringLiteral("en_US") << Val(Variant(-2.5)) << QStringLiteral("##,##0.00")
                              << QStringLiteral("-2.50");
    QTest::newRow("number text") << QStringLiteral("en_US") << Val(Variant(QStringLiteral("12.5")))
                                 << QStringLiteral("##,##0.00") << QStringLiteral("12.50");
    QTest::newRow("other text") << QStringLiteral("ro_RO") << Val(Variant(QStringLiteral("abc")))
                                << QStringLiteral("##,##0.00") << QStringLiteral("abc");
    QTest::newRow("null") << QStringLiteral("ro_RO") << Val(Variant::null()) << QStringLiteral("##,##0.00")
                          << QString();
    QTest::newRow("no format double")
        << QStringLiteral("ro_RO") << Val(Variant(0.5)) << QStringLiteral("") << QStringLiteral("0,5");
    QTest::newRow("no format whole") << QStringLiteral("ro_RO") << Val(Variant(84713000.0))
                                     << QStringLiteral("") << QStringLiteral("84713000");
    QTest::newRow("code text") << QStringLiteral("ro_RO") << Val(Variant(QStringLiteral("01012100")))
                               << QStringLiteral("") << QStringLiteral("01012100");
    // Rounded at the shown decimals as the amounts are stored: half to even.
    QTest::newRow("whole lei, half to even") << QStringLiteral("ro_RO") << Val(Variant(1382175472.5))
                                             << QStringLiteral("##,##0") << QStringLiteral("1.382.175.472");
    QTest::newRow("whole lei, half to even up") << QStringLiteral("ro_RO") << Val(Variant(1382175473.5))
                                                << QStringLiteral("##,##0") << QStringLiteral("1.382.175.474");
    QTest::newRow("whole lei, negative half") << QStringLiteral("en_US") << Val(Variant(-2.5))
                                              << QStringLiteral("##,##0") << QStringLiteral("-2");
    QTest::newRow("whole lei, millionths past a half")
        << QStringLiteral("ro_RO") << Val(Variant(1244096322.500003)) << QStringLiteral("##,##0")
        << QStringLiteral("1.244.096.323");
    QTest::newRow("2 decimals, half typed") << QStringLiteral("ro_RO") << Val(Variant(2.675))
                                            << QStringLiteral("##,##0.00") << QStringLiteral("2,68");
    QTest::newRow("2 decimals, half to even") << QStringLiteral("ro_RO") << Val(Variant(0.125))
                                              << QStringLiteral("##,##0.00") << QStringLiteral("0,12");
}

void TestGridCore::formatsInTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(Val, value);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(grid::formatValue(value.v, format, QLocale(locale)), shown);
}

void TestGridCore::readsTypedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("format"); // the column's display format
    QTest::addColumn<Val>("value");
    const QString whole = QStringLiteral("##,##0");
    const QString decimals = QStringLiteral("##,##0.00");
    QTest::newRow("emptied cell") << QStringLiteral("") << 202 << QString() << Val(Variant::null());
    QTest::newRow("emptied number") << QStringLiteral("") << 5 << QString() << Val(Variant::null());
    QTest::newRow("blank kept in text") << QStringLiteral(" ") << 202 << QString()
                                        << Val(Variant(QStringLiteral(" ")));
    QTest::newRow("comma decimal") << QStringLiteral("12,5") << 5 << QString() << Val(Variant(12.5));
    QTest::newRow("point decimal") << QStringLiteral("12.5") << 5 << QString() << Val(Variant(12.5));
    QTest::newRow("whole") << QStringLiteral("7") << 3 << QString() << Val(Variant(7));
    QTest::newRow("not a number stays text")
        << QStringLiteral("abc") << 5 << QString() << Val(Variant(QStringLiteral("abc")));
    QTest::newRow("code stays text") << QStringLiteral("0101") << 202 << QString()
                                     << Val(Variant(QStringLiteral("0101")));
    // The forms the grid shows, and those the import reads.
    QTest::newRow("thousands grouped, as shown") << QStringLiteral("10.000.000") << 5 << whole
                                                 << Val(Variant(10000000.0));
    QTest::newRow("grouped with decimals, as shown") << QStringLiteral("1.234,50") << 5 << decimals
                                                     << Val(Variant(1234.5));
    QTest::newRow("blank groups") << QStringLiteral("7 500,00") << 5 << decimals << Val(Variant(7500.0));
    QTest::newRow("plain comma") << QStringLiteral("1234,5") << 5 << whole << Val(Variant(1234.5));
    QTest::newRow("plain dot") << QStringLiteral("48.5") << 5 << decimals << Val(Variant(48.5));
    QTest::newRow("negative grouped") << QStringLiteral("-1.382.175.472,5") << 5 << whole
                                      << Val(Variant(-1382175472.5));
    QTest::newRow("whole amount shown grouped") << QStringLiteral("1.234") << 5 << whole
                                                << Val(Variant(1234.0));
    QTest::newRow("lone dot where decimals show") << QStringLiteral("1.234") << 5 << decimals
                                                  << Val(Variant(1.234));
    QTest::newRow("grouped into a whole field") << QStringLiteral("1.234") << 3 << whole << Val(Variant(1234));
    QTest::newRow("no form of a number") << QStringLiteral("12,3,4") << 5 << decimals
                                         << Val(Variant(QStringLiteral("12,3,4")));
    QTest::newRow("exponent") << QStringLiteral("1e5") << 5 << decimals << Val(Variant(QStringLiteral("1e5")));
}

void TestGridCore::readsTypedText()
{
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(QString, format);
    QFETCH(Val, value);
    const QLocale ro(QStringLiteral("ro_RO"));
    const grid::NumberFormat shown = grid::NumberFormat::parse(format);
    QCOMPARE(grid::parseEditText(text, type, ro, shown), value.v);
    // What a number cell shows reads back as the same value.
    if (value.v.kind() == Variant::Kind::Double && shown.valid)
        QCOMPARE(grid::parseEditText(grid::formatValue(value.v, shown, ro), type, ro, shown).toDouble(),
                 db::roundHalfEven(value.v.toDouble(), shown.decimals));
}

// The widest text of a field over the rows, as its cells show it: of its
// smallest and its largest number, the longer; nothing for what is no number,
// nor for a field without a display format. A row written after widens it
// where its own text is longer, without the other rows read again.
void TestGridCore::widestTextOfEachField_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QList<Val>>("values");
    QTest::addColumn<QString>("widest");
    QTest::addColumn<Val>("written"); // the value of a row written after
    QTest::addColumn<QString>("widened");
    const QString lei = QStringLiteral("##,##0");
    const QString two = QStringLiteral("##,##0.00");
    const QString en = QStringLiteral("en_US");
    const Val none(Variant::null());
    QTest::newRow("lei in the billions")
        << en << lei << QList<Val>{Variant(987654321.49), Variant(2999999999.51), Variant(10000000.5)}
        << QStringLiteral("3,000,000,000") << Val(Variant(12.0)) << QStringLiteral("3,000,000,000");
    QTest::newRow("lei from 10^12") << en << lei
                                    << QList<Val>{Variant(5.0), Variant(1e12), Variant(999999999999.0)}
                                    << QStringLiteral("1,000,000,000,000") << Val(Variant(-1e12))
                                    << QStringLiteral("-1,000,000,000,000");
    QTest::newRow("whole numbers") << en << lei << QList<Val>{Variant(7), Variant(std::int64_t(123456789012))}
                                   << QStringLiteral("123,456,789,012") << none
                                   << QStringLiteral("123,456,789,012");
    QTest::newRow("mass in millions")
        << en << two << QList<Val>{Variant(1.25), Variant(8765432.1), Variant(-12.0)}
        << QStringLiteral("8,765,432.10") << Val(Variant(98765432.25)) << QStringLiteral("98,765,432.25");
    QTest::newRow("negative the widest")
        << en << two << QList<Val>{Variant(8765432.1), Variant(-98765432.0)}
        << QStringLiteral("-98,765,432.00") << Val(Variant(98765432.0)) << QStringLiteral("-98,765,432.00");
    QTest::newRow("rounded up a digit")
        << en << two << QList<Val>{Variant(12.0), Variant(999999.999)} << QStringLiteral("1,000,000.00")
        << none << QStringLiteral("1,000,000.00");
    QTest::newRow("rate at four decimals")
        << en << QStringLiteral("##,##0.0000") << QList<Val>{Variant(4.9765), Variant(12345.67891)}
        << QStringLiteral("12,345.6789") << Val(Variant(4.97)) << QStringLiteral("12,345.6789");
    QTest::newRow("Romanian separators")
        << QStringLiteral("ro_RO") << two << QList<Val>{Variant(1234567.891), Variant(0.5)}
        << QStringLiteral("1.234.567,89") << Val(Variant(QStringLiteral("12345678.5")))
        << QStringLiteral("12.345.678,50");
    QTest::newRow("number text") << en << two
                                 << QList<Val>{Variant(QStringLiteral("12345678.5")), Variant(3.0)}
                                 << QStringLiteral("12,345,678.50") << none
                                 << QStringLiteral("12,345,678.50");
    QTest::newRow("zero alone") << en << two << QList<Val>{Variant(0.0)} << QStringLiteral("0.00")
                                << Val(Variant(QStringLiteral("a long text"))) << QStringLiteral("0.00");
    QTest::newRow("blank and other text")
        << en << two << QList<Val>{Variant::null(), Variant(QStringLiteral("abcdefghijklmnop"))} << QString()
        << Val(Variant(2.5)) << QStringLiteral("2.50");
    QTest::newRow("no rows") << en << two << QList<Val>{} << QString() << Val(Variant(-7))
                             << QStringLiteral("-7.00");
    QTest::newRow("no display format") << en << QString() << QList<Val>{Variant(123456789.0)} << QString()
                                       << Val(Variant(123456789012.0)) << QString();
}

void TestGridCore::widestTextOfEachField()
{
    QFETCH(QString, locale);
    QFETCH(QString, format);
    QFETCH(QList<Val>, values);
    QFETCH(QString, widest);
    QFETCH(Val, written);
    QFETCH(QString, widened);
    // The field measured between two that are not: a long text without a
    // format, and a number whose format is not given.
    db::Recordset rows = db::Recordset::createInMemory();
    QVERIFY(!rows.appendField(QStringLiteral("Text"), db::Type::VarWChar));
    QVERIFY(!rows.appendField(QStringLiteral("Value"), db::Type::Variant));
    QVERIFY(!rows.appendField(QStringLiteral("Other"), db::Type::Double));
    QVERIFY(!rows.open());
    const auto add = [&](const Variant& v) {
        return rows.addNew() || rows.setValue(0, Variant(QStringLiteral("a long text of no number"))) ||
               rows.setValue(1, v) || rows.setValue(2, Variant(-123456789012.0)) || rows.update();
    };
    for (const Val& v : std::as_const(values))
        QVERIFY(!add(v.v));
    const QList<grid::NumberFormat> formats{grid::NumberFormat(), grid::NumberFormat::parse(format)};
    const QStringList texts = grid::widestNumberTexts(rows, formats, QLocale(locale));
    QCOMPARE(texts, (QStringList{QString(), widest}));
    QVERIFY(!add(written.v));
    QCOMPARE(grid::widenNumberTexts(texts, rows, rows.rowCount() - 1, formats, QLocale(locale)),
             (QStringList{QString(), widened}));
    // A closed record set has nothing to show, nor to widen by.
    QCOMPARE(grid::widestNumberTexts(db::Recordset(), formats, QLocale(locale)),
             (QStringList{QString(), QString()}));
    QCOMPARE(grid::widenNumberTexts(texts, db::Recordset(), 0, formats, QLocale(locale)), texts);
}

void TestGridCore::twipsAndColours()
{
    QCOMPARE(grid::twipsToPixels(1440), 96);
    QCOMPARE(grid::twipsToPixels(15), 1);
    QCOMPARE(grid::twipsToPixels(6500), 433);
    QCOMPARE(grid::pixelsToTwips(96), 1440);
    QCOMPARE(grid::twipsToPixels(1440, 144.0), 144);
    QCOMPARE(grid::fromVbColor(0xFF0000), QColor(0, 0, 255));
    QCOMPARE(grid::fromVbColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(grid::fromVbColor(0xFFFFC0), QColor(0xC0, 0xFF, 0xFF));
    QCOMPARE(grid::toVbColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

void TestGridCore::layoutFileKeepsNamedLayouts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Frm_X_Grid.grx"));
    grid::Layout a;
    a.columns = {{QStringLiteral("Cod"), 1, 1500, true}, {QStringLiteral("Descriere"), 0, 6500, false}};
    grid::Layout b;
    b.columns = {{QStringLiteral("Cod"), 0, 900, true}};
    QVERIFY(grid::saveLayout(path, QStringLiteral("Intrastat"), a));
    QVERIFY(grid::saveLayout(path, QStringLiteral("Alta"), b));
    QCOMPARE(grid::loadLayout(path, QStringLiteral("intrastat")), std::optional<grid::Layout>(a));
    QCOMPARE(grid::loadLayout(path, QStringLiteral("Alta")), std::optional<grid::Layout>(b));
    // Saving a name again replaces only that layout.
    a.columns[0].widthTwips = 2000;
    QVERIFY(grid::saveLayout(path, QStringLiteral("Intrastat"), a));
    QCOMPARE(grid::loadLayout(path, QStringLiteral("Intrastat"))->columns[0].widthTwips, 2000);
    QCOMPARE(grid::loadLayout(path, QStringLiteral("Alta")), std::optional<grid::Layout>(b));
}

void TestGridCore::layoutFileDamagedOrMissing()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!grid::loadLayout(dir.filePath(QStringLiteral("none.grx")), QStringLiteral("X"), &error));
    const QString bad = dir.filePath(QStringLiteral("bad.grx"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<GridLayouts><Layout name=\"X\"><Column field=");
    f.close();
    QVERIFY(!grid::loadLayout(bad, QStringLiteral("X"), &error));
    QVERIFY(error.contains(bad));
    // A damaged file is replaced by a good one on the next save.
    QVERIFY(grid::saveLayout(bad, QStringLiteral("X"), grid::Layout{{{QStringLiteral("A"), 0, 100, true}}}));
    QVERIFY(grid::loadLayout(bad, QStringLiteral("X")));
    // An unwritable place is reported, not a crash.
    QVERIFY(
        !grid::saveLayout(dir.filePath(QStringLiteral("no/folder/x.grx")), QStringLiteral("X"), {}, &error));
}

namespace {

grid::MemorySource* threeFields(QObject* parent)
{
    auto* s = new grid::MemorySource(
        {{QStringLiteral("Cod"), 202}, {QStringLiteral("Valoare"), 5}, {QStringLiteral("Nr"), 3}}, parent);
    for (int i = 0; i < 5; ++i)
        s->appendRow({Variant(QStringLiteral("C%1").arg(i)), Variant(i * 1.5), Variant(i)});
    return s;
}

} // namespace

void TestGridCore::modelPassesTheTester()
{
    grid::GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto* s = threeFields(&model);
    model.setSource(s);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.columnCount(), 3);
    model.column(1).numberFormat = QStringLiteral("##,##0.00");
    model.refreshColumns();
    model.setAllowAddNew(true);
    QCOMPARE(model.rowCount(), 6);
    QVERIFY(model.isNewRowLine(5));
    s->appendRow({Variant(QStringLiteral("N")), Variant(1.0), Variant(1)});
    QCOMPARE(model.rowCount(), 7);
    QVERIFY(model.setData(model.index(6, 0), QStringLiteral("NOU")));
    QVERIFY(!model.commitRow().isError());
    QCOMPARE(s->rowCount(), 7);
    QCOMPARE(model.rowCount(), 8);
    QVERIFY(!model.deleteRow(0).isError());
    QCOMPARE(model.rowCount(), 7);
    model.setAllowAddNew(false);
    s->setFields({{QStringLiteral("Alt"), 202}});
    QCOMPARE(model.columnCount(), 1);
    model.setSource(nullptr);
    QCOMPARE(model.rowCount(), 0);
}

void TestGridCore::modelHoldsTheRowUnderEdit()
{
    grid::GridModel model;
    auto* s = threeFields(&model);
    model.setSource(s);
    model.setPending(2, 0, Variant(QStringLiteral("NOU")));
    QCOMPARE(model.cell(2, 0), Variant(QStringLiteral("NOU")));
    QCOMPARE(s->value(2, 0), Variant(QStringLiteral("C2"))); // not written yet
    // Another row cannot take values while this one is unsaved.
    model.setPending(3, 0, Variant(QStringLiteral("X")));
    QCOMPARE(model.cell(3, 0), Variant(QStringLiteral("C3")));
    model.discardRow();
    QCOMPARE(model.cell(2, 0), Variant(QStringLiteral("C2")));
    QVERIFY(!model.rowChanged());
    model.setPending(1, 1, Variant::null());
    QVERIFY(!model.commitRow().isError());
    QVERIFY(s->value(1, 1).isNull());
}

void TestGridCore::modelReportsARefusedWrite()
{
    grid::GridModel model;
    auto* s = threeFields(&model);
    model.setSource(s);
    s->setReadOnly(true);
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    s->setReadOnly(false);
    model.setPending(0, 0, Variant(QStringLiteral("X")));
    s->setReadOnly(true);
    const grid::WriteError e = model.commitRow();
    QCOMPARE(e.number, 7);
    // The values stay unsaved for the user to correct.
    QVERIFY(model.rowChanged());
    QCOMPARE(model.cell(0, 0), Variant(QStringLiteral("X")));
}

QTEST_GUILESS_MAIN(TestGridCore)
#include "tst_grid_core.moc"
