// Worksheets read as tables: the statement built from a template's rows, the
// rows it gives, the preview of a sheet's first rows, the sheet list, and
// the failures of each.

#include "Mediu_Preluare.h"
#include "import/Preluare_Fisiere.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Rand;

Q_DECLARE_METATYPE(QList<Rand>)

class TestPreluareFisiere : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_carte;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_carte = m_dir.filePath(u"carte.xlsx"_s);
        // Column 2 has no heading; columns 4 and 6 share one.
        QVERIFY(preluare_test::scrieXlsx(m_carte,
                                         {{u"Cod"_s, QVariant(), u"Tara"_s, u"Masa"_s, u"Data"_s, u"masa"_s},
                                          {u"8471 30.00-1"_s, u"a"_s, u"de"_s, 10.49, QDate(2026, 3, 15), 1},
                                          {84713000, u"b"_s, QVariant(), QVariant(), QDate(2026, 3, 16), 2},
                                          {u"x"_s, u"c"_s, u"ROU"_s, 3, QDate(2026, 3, 17), 3}},
                                         u"Sheet1"_s, {u"Date"_s, u"My Sheet"_s}));
    }

    void statement_data()
    {
        QTest::addColumn<QList<Rand>>("randuri");
        QTest::addColumn<QStringList>("campuri");
        QTest::addColumn<QString>("asteptat");
        QTest::newRow("the example")
            << QList<Rand>{{u"Cod_NC"_s, 2, {}, 8},
                           {u"Net"_s, 5, u"0"_s, {}},
                           {u"Tara_Orig"_s, 0, u"RO"_s, 2},
                           {u"Moneda"_s, 0, {}, {}}}
            << QStringList{u"A"_s, u"Cod"_s, u"C"_s, u"D"_s, u"Masa"_s}
            << u"SELECT LEFT([Cod] ,8) AS Cod_NC, IIF(ISNULL([Masa]),0 ,[Masa]) AS Net, "
               u"'RO' AS Tara_Orig FROM [Sheet1$]"_s;
        QTest::newRow("column with default and maximum")
            << QList<Rand>{{u"Tara_Orig"_s, 1, u"RO"_s, 2}} << QStringList{u"Tara"_s}
            << u"SELECT LEFT(IIF(ISNULL([Tara]),\"RO\" ,[Tara]) ,2) AS Tara_Orig FROM [Sheet1$]"_s;
        QTest::newRow("a single blank is no default")
            << QList<Rand>{{u"Net"_s, 1, u" "_s, {}}, {u"Moneda"_s, 0, u" "_s, 3}} << QStringList{u"M"_s}
            << u"SELECT [M] AS Net FROM [Sheet1$]"_s;
        QTest::newRow("quotes in defaults are doubled")
            << QList<Rand>{{u"Descriere"_s, 0, u"D'Arc"_s, 10}, {u"UM"_s, 1, u"a\"b"_s, 5}}
            << QStringList{u"U"_s}
            << u"SELECT 'D''Arc' AS Descriere, LEFT(IIF(ISNULL([U]),\"a\"\"b\" ,[U]) ,5) AS UM FROM [Sheet1$]"_s;
        // Defaults are values of their column's kind: a number bare in C
        // form however it was typed, a text always between quotes.
        QTest::newRow("decimal comma")
            << QList<Rand>{{u"Curs_Schimb"_s, 1, u"4,97"_s, {}}, {u"Net"_s, 0, u"1.234,5"_s, {}}}
            << QStringList{u"Curs"_s}
            << u"SELECT IIF(ISNULL([Curs]),4.97 ,[Curs]) AS Curs_Schimb, 1234.5 AS Net FROM [Sheet1$]"_s;
        QTest::newRow("number with a maximum")
            << QList<Rand>{{u"Cantitate"_s, 1, u"-0,5"_s, 6}, {u"Net"_s, 0, u"0,5"_s, 3}}
            << QStringList{u"Q"_s}
            << u"SELECT LEFT(IIF(ISNULL([Q]),\"-0.5\" ,[Q]) ,6) AS Cantitate, '0.5' AS Net FROM [Sheet1$]"_s;
        QTest::newRow("text without a maximum")
            << QList<Rand>{{u"Moneda"_s, 0, u"EUR"_s, {}}, {u"UM"_s, 1, u"(SELECT 'x')"_s, {}}}
            << QStringList{u"U"_s}
            << u"SELECT 'EUR' AS Moneda, IIF(ISNULL([U]),'(SELECT ''x'')' ,[U]) AS UM FROM [Sheet1$]"_s;
    }
    void statement()
    {
        QFETCH(QList<Rand>, randuri);
        QFETCH(QStringList, campuri);
        QFETCH(QString, asteptat);
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        QVERIFY(mediu.macheta(u"T'1"_s, u"LIVRARE"_s, randuri));
        const auto sql = Instructiune_Excel_Dupa_Macheta(Conexiune_Firma, campuri, u"Sheet1"_s, u"T'1"_s);
        QVERIFY2(sql, qPrintable(sql.error().text()));
        QCOMPARE(*sql, asteptat);
    }

    // The statement runs on the sheet as built: defaults, cuts, constants,
    // columns by position whatever their headings.
    void rows()
    {
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        QVERIFY(mediu.macheta(u"T"_s, u"LIVRARE"_s,
                              {{u"Cod_NC"_s, 1, {}, 8},
                               {u"Tara_Orig"_s, 3, u"RO"_s, 2},
                               {u"Net"_s, 4, u"0"_s, {}},
                               {u"Document_Data_Referinta"_s, 5, {}, {}},
                               {u"Cantitate"_s, 6, {}, {}},
                               {u"Descriere"_s, 3, u"Masa"_s, 10},
                               {u"UM"_s, 2, {}, 0},
                               {u"Moneda"_s, 0, u"ROU"_s, 2}}));
        auto rs = Selecteaza_Excel_Dupa_Macheta(m_carte, u"Sheet1"_s, u"T"_s);
        QVERIFY2(rs, qPrintable(rs.error().text()));
        QCOMPARE(rs->recordCount(), 3);
        QCOMPARE(rs->fieldCount(), 8);
        QCOMPARE(rs->value(u"Cod_NC"_s).toText(), u"8471 30."_s);
        QCOMPARE(rs->value(u"Tara_Orig"_s).toText(), u"de"_s);
        QCOMPARE(rs->value(u"Net"_s).toDouble(), 10.49);
        QVERIFY(rs->value(u"Document_Data_Referinta"_s).isDate());
        QCOMPARE(rs->value(u"Cantitate"_s).toInt(), 1); // the second "masa" column, by position
        QCOMPARE(rs->value(u"UM"_s).toText(), QString());
        QCOMPARE(rs->value(u"Moneda"_s).toText(), u"ROU"_s); // a constant is never cut
        rs->moveNext();
        QCOMPARE(rs->value(u"Cod_NC"_s).toText(), u"84713000"_s); // a number cell, as text
        QCOMPARE(rs->value(u"Tara_Orig"_s).toText(), u"RO"_s);    // the default of an empty cell
        QCOMPARE(rs->value(u"Net"_s).toInt(), 0);
        // A double-quoted default is a text even when a heading has its name.
        QCOMPARE(rs->value(u"Descriere"_s).toText(), u"Masa"_s);
        rs->moveNext();
        QCOMPARE(rs->value(u"Tara_Orig"_s).toText(), u"RO"_s); // "ROU" cut to 2
        QVERIFY(ui::testing::messages().isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<QList<Rand>>("randuri");
        QTest::addColumn<QString>("foaie");
        QTest::addColumn<QString>("fisier");
        QTest::addColumn<QString>("cauza");
        const QList<Rand> bun{{u"Cod_NC"_s, 1, {}, {}}};
        QTest::newRow("column number missing")
            << QList<Rand>{{u"Cod_NC"_s, -1, {}, {}}} << u"Sheet1"_s << QString()
            << u"Randul \"Cod_NC\" (Cod_NC) al machetei \"T\" : nu are numarul coloanei din foaie."_s;
        QTest::newRow("column beyond the sheet") << QList<Rand>{{u"Cod_NC"_s, 7, {}, {}}} << u"Sheet1"_s
                                                 << QString() << u"coloana 7 nu exista in foaie"_s;
        QTest::newRow("no item") << QList<Rand>{{u"Moneda"_s, 0, {}, 3}} << u"Sheet1"_s << QString()
                                 << u"Macheta \"T\" nu da nicio coloana de citit."_s;
        QTest::newRow("no rows") << QList<Rand>{} << u"Sheet1"_s << QString()
                                 << u"Macheta \"T\" nu are niciun rand."_s;
        QTest::newRow("unknown template")
            << bun << u"Sheet1"_s << u"unknown"_s << u"Macheta \"Alta\" nu exista."_s;
        QTest::newRow("text default of a number column")
            << QList<Rand>{bun.at(0), {u"Curs_Schimb"_s, 0, u"EUR"_s, {}}} << u"Sheet1"_s << QString()
            << u"Randul \"Curs_Schimb\" (Curs_Schimb) al machetei \"T\" : valoarea implicita \"EUR\" nu "
               u"este un numar (de exemplu 4,97 sau 1.234,5)."_s;
        QTest::newRow("SQL default of a number column")
            << QList<Rand>{bun.at(0), {u"Net"_s, 4, u"(SELECT MAX(Net) FROM Intrastat)"_s, {}}} << u"Sheet1"_s
            << QString() << u"valoarea implicita \"(SELECT MAX(Net) FROM Intrastat)\" nu este un numar"_s;
        QTest::newRow("number of the wrong form")
            << QList<Rand>{{u"Net"_s, 4, u"12,3,4"_s, {}}} << u"Sheet1"_s << QString()
            << u"valoarea implicita \"12,3,4\" nu este un numar"_s;
        QTest::newRow("maximum not a number")
            << QList<Rand>{{u"Cod_NC"_s, 1, {}, u"8) AS Cod_NC FROM [Sheet1$] --"_s}} << u"Sheet1"_s
            << QString() << u"marimea maxima \"8) AS Cod_NC FROM [Sheet1$] --\" nu este un numar intreg."_s;
        QTest::newRow("destination not a name")
            << QList<Rand>{{u"Cod_NC FROM [Sheet1$] --"_s, 1, {}, {}}} << u"Sheet1"_s << QString()
            << u"coloana destinatie nu are un nume valid."_s;
        QTest::newRow("missing sheet")
            << bun << u"Nu exista"_s << QString()
            << u"Foaia \"Nu exista\" nu exista in fisierul excel. Foile fisierului "
               u": Date, My Sheet, Sheet1."_s;
        // A sheet name cannot take the statement over: it is one name.
        QTest::newRow("sheet name as SQL")
            << bun << u"Sheet1$] UNION ALL SELECT * FROM [Sheet1$] --"_s << QString()
            << u"Foaia \"Sheet1$] UNION ALL SELECT * FROM [Sheet1$] --\" nu exista"_s;
        QTest::newRow("missing workbook") << bun << u"Sheet1"_s << u"/nu/exista.xlsx"_s << u"exista.xlsx"_s;
        QTest::newRow("damaged workbook") << bun << u"Sheet1"_s << u"damaged"_s << QString();
    }
    void failures()
    {
        QFETCH(QList<Rand>, randuri);
        QFETCH(QString, foaie);
        QFETCH(QString, fisier);
        QFETCH(QString, cauza);
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        QVERIFY(mediu.macheta(u"T"_s, u"LIVRARE"_s, randuri));
        if (randuri.value(0).numar < 0)
            QVERIFY(Conexiune_Firma.execute(u"UPDATE StructuraFisiereContinut SET Numar_Coloana = NULL, "
                                            u"Exista_Coloana = -1"_s));
        QString cale = fisier.isEmpty() || fisier == u"unknown" ? m_carte : fisier;
        if (fisier == u"damaged") {
            cale = m_dir.filePath(u"stricat.xlsx"_s);
            QFile f(cale);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QFile original(m_carte);
            QVERIFY(original.open(QIODevice::ReadOnly));
            f.write(original.readAll().left(900));
        }
        const auto rs = Selecteaza_Excel_Dupa_Macheta(cale, foaie, fisier == u"unknown" ? u"Alta"_s : u"T"_s);
        QVERIFY(!rs);
        QVERIFY(!rs.error().description.isEmpty());
        QVERIFY2(rs.error().description.contains(cauza), qPrintable(rs.error().description));
        QVERIFY(ui::testing::messages().isEmpty());
    }

    // A sheet whose name holds "]" and a backquote reads like any other.
    void oddSheetName()
    {
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        const QString cale = m_dir.filePath(u"paranteze.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s}, {u"84713000"_s}}, u"Zzz"_s));
        const QString foaie = u"Iesiri] `3`"_s;
        QVERIFY(preluare_test::redenumesteFoaie(cale, u"Zzz"_s, foaie));
        QVERIFY(mediu.macheta(u"T"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, 8}}));
        auto rs = Selecteaza_Excel_Dupa_Macheta(cale, foaie, u"T"_s);
        QVERIFY2(rs, qPrintable(rs.error().text()));
        QCOMPARE(rs->recordCount(), 1);
        QCOMPARE(rs->value(u"Cod_NC"_s).toText(), u"84713000"_s);
        QVERIFY(Deschide_Sheet_Excel(cale, foaie).isOpen());
    }

    // Rows whose cells the template reads are all blank are marked, and only
    // those: a cell of blanks counts as blank, a cell the template does not
    // read does not count, a zero is a value.
    void blankRows()
    {
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        const QString cale = m_dir.filePath(u"goale.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, u"Nota"_s, u"Masa"_s},
                                                {u"84713000"_s, QVariant(), 1},
                                                {QVariant(), u"subtotal"_s, QVariant()},
                                                {u" \u00A0"_s, QVariant(), u"  "_s},
                                                {QVariant(), QVariant(), 0},
                                                {u"84714100"_s, QVariant(), 2}}));
        QVERIFY(mediu.macheta(
            u"T"_s, u"LIVRARE"_s,
            {{u"Cod_NC"_s, 1, {}, {}}, {u"Net"_s, 3, u"0"_s, {}}, {u"Moneda"_s, 0, u"EUR"_s, 3}}));
        auto r = Citeste_Excel_Dupa_Macheta(cale, u"Sheet1"_s, u"T"_s);
        QVERIFY2(r, qPrintable(r.error().text()));
        QCOMPARE(r->randuri.recordCount(), 5);
        QCOMPARE(r->goale, (QVector<bool>{false, true, true, false, false}));
        QCOMPARE(r->numarGoale, 2);
    }

    void preview()
    {
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        db::Recordset rs = Deschide_Sheet_Excel(m_carte, u"Sheet1"_s);
        QVERIFY(rs.isOpen());
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.fieldCount(), 6);
        QCOMPARE(rs.field(1).name, u"F2"_s);
        QCOMPARE(rs.value(0).toText(), u"8471 30.00-1"_s);
        rs.moveNext();
        QCOMPARE(rs.value(0).toText(), u"84713000"_s);
        QVERIFY(rs.value(u"Data"_s).isDate());

        // A heading row alone: an open record set without rows.
        db::Recordset gol = Deschide_Sheet_Excel(m_carte, u"Date"_s);
        QVERIFY(gol.isOpen());
        QCOMPARE(gol.recordCount(), 0);
        QVERIFY(ui::testing::messages().isEmpty());

        // A missing sheet: the message, and a record set that is not open.
        db::Recordset lipsa = Deschide_Sheet_Excel(m_carte, u"Nu exista"_s);
        QVERIFY(!lipsa.isNull());
        QVERIFY(!lipsa.isOpen());
        // A missing workbook: the message, and no record set.
        db::Recordset niciuna = Deschide_Sheet_Excel(m_dir.filePath(u"lipsa.xls"_s), u"Sheet1"_s);
        QVERIFY(niciuna.isNull());
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 2);
        for (const ui::testing::Call& c : m) {
            QVERIFY2(c.text.startsWith(u"EROARE : "_s), qPrintable(c.text));
            QCOMPARE(c.icon, ui::Icon::None);
            QCOMPARE(c.buttons, ui::Buttons::Ok);
            QVERIFY(!c.title);
        }
    }

    // Workbooks saved by LibreOffice, when it is installed: the same rows
    // through the same template, from .xlsx and from .xls.
    void savedByLibreOffice_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("xlsx") << u"xlsx"_s;
        QTest::newRow("xls") << u"xls"_s;
    }
    void savedByLibreOffice()
    {
        QFETCH(QString, format);
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        QTemporaryDir iesire;
        QProcess p;
        // A profile of the run's own, gone with the folder: LibreOffice makes
        // one in the user's home folder otherwise.
        const QString profil = QUrl::fromLocalFile(iesire.filePath(u"profil"_s)).toString();
        p.start(soffice, {u"-env:UserInstallation="_s + profil, u"--headless"_s, u"--convert-to"_s, format,
                          u"--outdir"_s, iesire.path(), m_carte});
        QVERIFY(p.waitForFinished(120000));
        const QString cale = iesire.filePath(u"carte."_s + format);
        QVERIFY2(QFile::exists(cale), p.readAllStandardError().constData());
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        QVERIFY(mediu.macheta(u"T"_s, u"LIVRARE"_s,
                              {{u"Cod_NC"_s, 1, {}, {}},
                               {u"Net"_s, 4, u"0"_s, {}},
                               {u"Document_Data_Referinta"_s, 5, {}, {}}}));
        auto rs = Selecteaza_Excel_Dupa_Macheta(cale, u"Sheet1"_s, u"T"_s);
        QVERIFY2(rs, qPrintable(rs.error().text()));
        QCOMPARE(rs->recordCount(), 3);
        QCOMPARE(rs->value(u"Cod_NC"_s).toText(), u"8471 30.00-1"_s);
        QCOMPARE(rs->value(u"Net"_s).toDouble(), 10.49);
        QCOMPARE(rs->value(u"Document_Data_Referinta"_s).toDateTime().date(), QDate(2026, 3, 15));
        rs->moveNext();
        QCOMPARE(rs->value(u"Cod_NC"_s).toText(), u"84713000"_s);
        QCOMPARE(rs->value(u"Net"_s).toInt(), 0);
    }

    // A workbook whose name holds an apostrophe and a ";" is read like any other.
    void oddFileName()
    {
        QVERIFY(QDir(m_dir.path()).mkdir(u"o'neil"_s));
        const QString cale = m_dir.filePath(u"o'neil/luna; martie.xlsx"_s);
        QVERIFY(QFile::copy(m_carte, cale));
        QCOMPARE(Foi_Excel(cale), (QStringList{u"Sheet1"_s, u"Date"_s}));
        db::Recordset rs = Deschide_Sheet_Excel(cale, u"Sheet1"_s);
        QVERIFY(rs.isOpen());
        QCOMPARE(rs.value(u"Cod"_s).toText(), u"8471 30.00-1"_s);
        preluare_test::Mediu mediu;
        QVERIFY(mediu.gata());
        QVERIFY(mediu.macheta(u"T"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, 8}}));
        auto randuri = Selecteaza_Excel_Dupa_Macheta(cale, u"Sheet1"_s, u"T"_s);
        QVERIFY2(randuri, qPrintable(randuri.error().text()));
        QCOMPARE(randuri->recordCount(), 3);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    void sheetList()
    {
        QCOMPARE(Foi_Excel(m_carte), (QStringList{u"Sheet1"_s, u"Date"_s}));
        QCOMPARE(Foi_Excel(preluare_test::fixtura(u"preluare.xls"_s)), (QStringList{u"Sheet1"_s, u"Date"_s}));
        QVERIFY(Foi_Excel(m_dir.filePath(u"lipsa.xls"_s)).isEmpty());
    }
};

QTEST_MAIN(TestPreluareFisiere)
#include "tst_preluare_fisiere.moc"
