// The column search: the narrowed query as text, and the search itself run
// into RS_Filtrare on a common database built by the repository's scripts.
#include "codelists/Cautare_Coloana.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

class TestCautareColoana : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void narrowedQuery_data();
    void narrowedQuery();
    void meaninglessExpression_data();
    void meaninglessExpression();
    void searchOpensTheNarrowedRows_data();
    void searchOpensTheNarrowedRows();
    void aFailedSearchLeavesTheShownRows();
    void connectionBySearchBlock();

private:
    fixture::Folder m_folder;
};

namespace {

const QString kTari = u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s;
const QString kHs8 = u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM [HS_8] "
                     "WHERE [AN_END] IS NULL ORDER BY [HS12_COD]"_s;

} // namespace

void TestCautareColoana::initTestCase()
{
    const QString comun = m_folder.base() + u"Comun.mdb"_s;
    QVERIFY(
        fixture::makeDatabase(comun, fixture::comunScripts(),
                              u"INSERT INTO Tari (Tara_COD, Tara_DESC) VALUES ('XQ', 'Tinutul D''Arc');"_s));
    QVERIFY(!Conexiune_Comun.open(comun));
}

void TestCautareColoana::cleanupTestCase()
{
    Reseteaza_Globale_Cautare();
    Reseteaza_Globale_Tarif();
    Conexiune_Comun.close();
}

void TestCautareColoana::init()
{
    Reseteaza_Globale_Cautare();
    Filtrare_SQL = kTari;
    Filtrare_PeComun = true;
    Filtrare_CursorType = 3;
    Filtrare_LockType = 3;
    Parametri_Cautare_Tabele.Cautare_PeTarif = false;
}

void TestCautareColoana::narrowedQuery_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("coloana");
    QTest::addColumn<int>("mod");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("interogare");

    QTest::newRow("starts with, before ORDER BY")
        << kTari << u"[Tara_DESC]"_s << 2 << u"ROM"_s
        << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_DESC] LIKE 'ROM%' ORDER BY [Tara_COD]"_s;
    QTest::newRow("contains, after the query's WHERE")
        << kHs8 << u"[DESCRIERE]"_s << 3 << u"cai"_s
        << u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM [HS_8] WHERE [AN_END] IS "
           u"NULL "
           "AND [DESCRIERE] LIKE '%cai%' ORDER BY [HS12_COD]"_s;
    QTest::newRow("no WHERE, no ORDER BY") << u"SELECT * FROM HS8"_s << u"[HS8_COD]"_s << 2 << u"8471"_s
                                           << u"SELECT * FROM HS8 WHERE [HS8_COD] LIKE '8471%' "_s;
    QTest::newRow("WHERE, no ORDER BY")
        << u"SELECT * FROM Tari WHERE Tara_COD <> 'XX'"_s << u"[Tara_COD]"_s << 1 << u"RO"_s
        << u"SELECT * FROM Tari WHERE Tara_COD <> 'XX' AND [Tara_COD] = 'RO' "_s;
    QTest::newRow("equal keeps a trailing blank")
        << kTari << u"[Tara_COD]"_s << 1 << u"RO "_s
        << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_COD] = 'RO ' ORDER BY [Tara_COD]"_s;
    QTest::newRow("one OR: both alternatives")
        << u"SELECT * FROM T WHERE a=1 OR b=2"_s << u"[C]"_s << 2 << u"x"_s
        << u"SELECT * FROM T WHERE a=1  AND [C] LIKE 'x%' OR b=2 AND "
           "[C] LIKE 'x%' "_s;
    QTest::newRow("two ORs: every alternative")
        << u"SELECT * FROM T WHERE a=1 OR b=2 OR c=3 ORDER BY a"_s << u"[C]"_s << 1 << u"x"_s
        << u"SELECT * FROM T WHERE a=1  AND [C] = 'x' OR b=2  AND [C] = 'x' OR c=3 AND [C] = 'x' ORDER BY a"_s;
    QTest::newRow("OR inside quoted values: no alternative")
        << u"SELECT * FROM T WHERE d='A OR B' OR e=\"C OR D\" OR f='it''s OR x'"_s << u"[C]"_s << 1 << u"x"_s
        << u"SELECT * FROM T WHERE d='A OR B'  AND [C] = 'x' OR e=\"C OR D\"  AND [C] = 'x' OR f='it''s OR "
           u"x' "
           "AND [C] = 'x' "_s;
    QTest::newRow("OR only inside a quoted value")
        << u"SELECT * FROM T WHERE d='A OR B' ORDER BY d"_s << u"[C]"_s << 1 << u"x"_s
        << u"SELECT * FROM T WHERE d='A OR B' AND [C] = 'x' ORDER BY d"_s;
    QTest::newRow("words found in exact case only")
        << u"SELECT * FROM Tari where 1=1 order by Tara_COD"_s << u"[Tara_COD]"_s << 2 << u"R"_s
        << u"SELECT * FROM Tari where 1=1 order by Tara_COD WHERE [Tara_COD] LIKE 'R%' "_s;
    QTest::newRow("quotes doubled") << kTari << u"[Tara_DESC]"_s << 3 << u"D'Arc"_s
                                    << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_DESC] LIKE "
                                       "'%D''Arc%' ORDER BY [Tara_COD]"_s;
    QTest::newRow("advanced +: AND of trimmed pieces")
        << u"SELECT * FROM HS8"_s << u"[DESCRIERE]"_s << 4 << u"Aparate + electrice"_s
        << u"SELECT * FROM HS8 WHERE [DESCRIERE] LIKE '%Aparate%' AND [DESCRIERE] LIKE '%electrice%' "_s;
    QTest::newRow("advanced -: OR in parentheses")
        << kHs8 << u"[DESCRIERE]"_s << 4 << u"cai-magari"_s
        << u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM [HS_8] WHERE [AN_END] IS "
           u"NULL "
           "AND ([DESCRIERE] LIKE '%cai%' OR [DESCRIERE] LIKE '%magari%') ORDER BY [HS12_COD]"_s;
    QTest::newRow("a column of a join named with its table")
        << u"SELECT Reports.REP_ID, Reports.REP_NAME FROM Reports INNER JOIN REPORTS_SEL ON "
           u"Reports.REP_ID = REPORTS_SEL.REP_ID ORDER BY Reports.REP_ID"_s
        << u"[REP_ID]"_s << 1 << u"10002"_s
        << u"SELECT Reports.REP_ID, Reports.REP_NAME FROM Reports INNER JOIN REPORTS_SEL ON "
           u"Reports.REP_ID = REPORTS_SEL.REP_ID WHERE [Reports].[REP_ID] = '10002' ORDER BY Reports.REP_ID"_s;
    QTest::newRow("bracketed table and column, any case")
        << u"SELECT [a].[Cod], b.Cod AS Alt FROM a, b WHERE a.x = b.x"_s << u"[cod]"_s << 2 << u"7"_s
        << u"SELECT [a].[Cod], b.Cod AS Alt FROM a, b WHERE a.x = b.x AND [a].[cod] LIKE '7%' "_s;
    QTest::newRow("a longer name is not the column")
        << u"SELECT T.Cod_Nou, Cod FROM T"_s << u"[Cod]"_s << 1 << u"x"_s
        << u"SELECT T.Cod_Nou, Cod FROM T WHERE [Cod] = 'x' "_s;
    QTest::newRow("advanced without operator: contains")
        << u"SELECT * FROM HS8"_s << u"[DESCRIERE]"_s << 4 << u" cai "_s
        << u"SELECT * FROM HS8 WHERE [DESCRIERE] LIKE '% cai %' "_s;
}

void TestCautareColoana::narrowedQuery()
{
    QFETCH(QString, sql);
    QFETCH(QString, coloana);
    QFETCH(int, mod);
    QFETCH(QString, text);
    QFETCH(QString, interogare);
    QCOMPARE(Interogare_Cautare_Coloana(sql, coloana, text, static_cast<Mod_Cautare>(mod)),
             std::optional<QString>(interogare));
}

void TestCautareColoana::meaninglessExpression_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("text");
    QTest::newRow("+ and - together") << kTari << u"cai + magari - boi"_s;
    QTest::newRow("ORDER BY before WHERE") << u"SELECT * FROM T ORDER BY a WHERE b=1"_s << u"x"_s;
}

void TestCautareColoana::meaninglessExpression()
{
    QFETCH(QString, sql);
    QFETCH(QString, text);
    QCOMPARE(Interogare_Cautare_Coloana(sql, u"[C]"_s, text, Mod_Cautare::Avansat), std::nullopt);
}

void TestCautareColoana::searchOpensTheNarrowedRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("coloana");
    QTest::addColumn<int>("mod");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("coduri");

    QTest::newRow("equal matches the whole value only")
        << kTari << u"[Tara_COD]"_s << 1 << u"R"_s << QStringList();
    QTest::newRow("equal, case ignored") << kTari << u"[Tara_COD]"_s << 1 << u"ro"_s << QStringList{u"RO"_s};
    QTest::newRow("starts with") << kTari << u"[Tara_COD]"_s << 2 << u"R"_s
                                 << QStringList{u"RE"_s, u"RO"_s, u"RS"_s, u"RU"_s, u"RW"_s};
    QTest::newRow("an apostrophe searched as typed")
        << kTari << u"[Tara_DESC]"_s << 3 << u"D'Arc"_s << QStringList{u"XQ"_s};
    // Without the parentheses Serbia would escape the list's own condition.
    QTest::newRow("advanced OR stays inside the list's WHERE")
        << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_COD] LIKE 'C%' ORDER BY [Tara_COD]"_s
        << u"[Tara_DESC]"_s << 4 << u"Central - Serbia"_s << QStringList{u"CF"_s};
    QTest::newRow("advanced AND") << kTari << u"[Tara_DESC]"_s << 4 << u"Republica + Coreea"_s
                                  << QStringList{u"KP"_s, u"KR"_s};
}

void TestCautareColoana::searchOpensTheNarrowedRows()
{
    QFETCH(QString, sql);
    QFETCH(QString, coloana);
    QFETCH(int, mod);
    QFETCH(QString, text);
    QFETCH(QStringList, coduri);
    Filtrare_SQL = sql;
    Filtrare_Coloana = coloana;
    const Rezultat_Cautare_Coloana r = Cauta_In_Coloana(text, static_cast<Mod_Cautare>(mod));
    QCOMPARE(r, coduri.isEmpty() ? Rezultat_Cautare_Coloana::Negasit : Rezultat_Cautare_Coloana::Gasit);
    QVERIFY(RS_Filtrare.isOpen());
    QStringList gasite;
    for (int i = 0; i < RS_Filtrare.rowCount(); ++i)
        gasite << RS_Filtrare.valueAt(i, 0).toText();
    QCOMPARE(gasite, coduri);
    // The caller's cursor and lock types.
    QCOMPARE(RS_Filtrare.lockType(), db::LockType::Optimistic);
}

void TestCautareColoana::aFailedSearchLeavesTheShownRows()
{
    Filtrare_Coloana = u"[Tara_COD]"_s;
    QCOMPARE(Cauta_In_Coloana(u"R"_s, Mod_Cautare::IncepeCu), Rezultat_Cautare_Coloana::Gasit);
    const db::Recordset aratate = RS_Filtrare; // what a grid bound to the result holds

    QCOMPARE(Cauta_In_Coloana(u"QQ"_s, Mod_Cautare::IncepeCu), Rezultat_Cautare_Coloana::Negasit);
    QVERIFY(RS_Filtrare.isOpen());
    QCOMPARE(RS_Filtrare.rowCount(), 0);
    QVERIFY(aratate.isOpen());
    QCOMPARE(aratate.rowCount(), 5);

    Filtrare_Coloana = u"[Nu_Exista]"_s;
    QCOMPARE(Cauta_In_Coloana(u"R"_s, Mod_Cautare::IncepeCu), Rezultat_Cautare_Coloana::Eroare);
    QVERIFY(!RS_Filtrare.isOpen());
    QCOMPARE(aratate.rowCount(), 5);

    Filtrare_Coloana = u"[Tara_DESC]"_s;
    QCOMPARE(Cauta_In_Coloana(u"a + b - c"_s, Mod_Cautare::Avansat), Rezultat_Cautare_Coloana::Eroare);
    QVERIFY(!RS_Filtrare.isOpen());
}

void TestCautareColoana::connectionBySearchBlock()
{
    QCOMPARE(&Conexiune_Filtrare(true, true), &Conexiune_CN);
    QCOMPARE(&Conexiune_Filtrare(true, false), &Conexiune_Comun);
    QCOMPARE(&Conexiune_Filtrare(false, true), &Conexiune_Firma);
    QCOMPARE(&Conexiune_Filtrare(false, false), &Conexiune_Firma);
    // The company database is not open here: the search reports a failure.
    Filtrare_PeComun = false;
    Filtrare_Coloana = u"[Tara_COD]"_s;
    QCOMPARE(Cauta_In_Coloana(u"R"_s, Mod_Cautare::IncepeCu), Rezultat_Cautare_Coloana::Eroare);
}

QTEST_GUILESS_MAIN(TestCautareColoana)
#include "tst_cautare_coloana.moc"
