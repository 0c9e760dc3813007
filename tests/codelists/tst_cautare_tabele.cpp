// The silent look-up and the record-exists test, with a stub calling grid,
// on a common and a tariff database built by the repository's scripts.
#include "codelists/Cautare_Tabele.h"
#include "fixture.h"
#include "platform/ui/mesaj.h"
#include "stub_grid.h"

class TestCautareTabele : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void tariffCodeFillsFourColumns();
    void nullsByFieldType_data();
    void nullsByFieldType();
    void notFoundSaysSoOnce();
    void failingQueryCountsAsNotFound_data();
    void failingQueryCountsAsNotFound();
    void pairCountOutsideOneToEightWritesNothing_data();
    void pairCountOutsideOneToEightWritesNothing();
    void countryIsWrittenAsTheListHasIt();
    void recordExistsOnTheChosenDatabase_data();
    void recordExistsOnTheChosenDatabase();

private:
    // The request as the declaration grid fills it for one column pair list.
    void request(const QString& sql, bool peTarif, QList<QPair<int, int>> pairs, const QString& typed);

    fixture::Folder m_folder;
    StubGrid m_grid;
};

void TestCautareTabele::initTestCase()
{
    ui::testing::setEnabled(true);
    const QString comun = m_folder.base() + QStringLiteral("Comun.mdb");
    // A table of every field type for the Null rule; one row of Nulls but its code.
    QVERIFY(fixture::makeDatabase(
        comun, fixture::comunScripts(),
        QStringLiteral("CREATE TABLE Tipuri (Cod TEXT(5) COLLATE NOCASE, Txt TEXT(10) COLLATE NOCASE, "
                       "I INTEGER, D DOUBLE, S SMALLINT, C CURRENCY, B YESNO, Y BYTE, M MEMO TEXT);\n"
                       "INSERT INTO Tipuri (Cod) VALUES ('N1');\n"
                       "INSERT INTO Tipuri (Cod, Txt, I, D) VALUES (NULL, 'fara cod', 4, 2.5);\n")));
    QVERIFY(fixture::makeDatabase(m_folder.cn(QStringLiteral("CN.mdb")), fixture::tarifScripts(),
                                  fixture::hs8(QStringLiteral("01012100"), QStringLiteral("0000"),
                                               QStringLiteral("Cai reproducatori de rasa pura"),
                                               QStringLiteral("p/st")) +
                                      fixture::hs8(QStringLiteral("02011000"), QStringLiteral("0000"),
                                                   QStringLiteral("Carcase de bovine"), QString())));
    QVERIFY(!Conexiune_Comun.open(comun));
    QVERIFY(!Conexiune_CN.open(m_folder.cn(QStringLiteral("CN.mdb"))));
}

void TestCautareTabele::cleanupTestCase()
{
    Reseteaza_Globale_Tarif();
    Conexiune_Comun.close();
}

void TestCautareTabele::init()
{
    ui::testing::clear();
    m_grid = StubGrid();
    Parametri_Cautare_Tabele = Cerere_Cautare_Tabele();
}

void TestCautareTabele::request(const QString& sql, bool peTarif, QList<QPair<int, int>> pairs,
                                const QString& typed)
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    c.Cautare_SQL = sql;
    c.Cautare_PeTarif = peTarif;
    c.Cautare_PeFirma = false;
    c.Cautare_Suprascrie = true;
    c.Cautare_ValoareTastata = typed;
    c.Cautare_GridApelant = &m_grid;
    c.Cautare_NrColoane = std::uint8_t(pairs.size());
    for (int k = 0; k < pairs.size() && k < 8; ++k) {
        c.Cautare_ColoaneSursa[k + 1] = pairs[k].first;
        c.Cautare_ColoaneDestinatie[k + 1] = pairs[k].second;
    }
}

void TestCautareTabele::tariffCodeFillsFourColumns()
{
    const QString sql = Interogare_Cautare(QStringLiteral("SELECT * FROM HS8"),
                                           QStringLiteral(" WHERE [HS8_COD]='"), QStringLiteral("01012100"));
    QCOMPARE(sql, QStringLiteral("SELECT * FROM HS8 WHERE [HS8_COD]='01012100'"));
    request(sql, true, {{0, 5}, {2, 13}, {1, 6}, {3, 31}}, QStringLiteral("01012100"));
    QVERIFY(Cauta_Si_Completeaza());
    QCOMPARE(m_grid.written, (QList<int>{5, 13, 6, 31}));
    QCOMPARE(m_grid.cell(5), db::Variant(QStringLiteral("01012100")));
    QCOMPARE(m_grid.cell(6), db::Variant(QStringLiteral("Cai reproducatori de rasa pura")));
    QCOMPARE(m_grid.cell(13), db::Variant(QStringLiteral("p/st")));
    QCOMPARE(m_grid.cell(31).toInt(), -1);
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat,
             QStringLiteral("VALOARE GASITA: 01012100 : Cai reproducatori de rasa pura"));
    QCOMPARE(m_grid.focus, 1);
    QCOMPARE(ui::testing::messages().size(), 0);

    // A code without a unit: the unit cell gets empty text, never Null or 0.
    m_grid = StubGrid();
    request(QStringLiteral("SELECT * FROM HS8 WHERE [HS8_COD]='02011000'"), true,
            {{0, 5}, {2, 13}, {1, 6}, {3, 31}}, QStringLiteral("02011000"));
    QVERIFY(Cauta_Si_Completeaza());
    QCOMPARE(m_grid.cell(13), db::Variant(QString()));
    QCOMPARE(m_grid.cell(31).toInt(), 0);
}

void TestCautareTabele::nullsByFieldType_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<QString>("kind"); // what the cell receives: "null", "empty", "zero"
    QTest::newRow("text, pair 2") << 1 << 2 << QStringLiteral("empty");
    QTest::newRow("memo, pair 2") << 8 << 2 << QStringLiteral("empty");
    QTest::newRow("integer, pair 2") << 2 << 2 << QStringLiteral("zero");
    QTest::newRow("double, pair 2") << 3 << 2 << QStringLiteral("zero");
    QTest::newRow("smallint, pair 2") << 4 << 2 << QStringLiteral("empty");
    QTest::newRow("currency, pair 2") << 5 << 2 << QStringLiteral("empty");
    QTest::newRow("yes/no, pair 2") << 6 << 2 << QStringLiteral("empty");
    QTest::newRow("byte, pair 2") << 7 << 2 << QStringLiteral("empty");
    QTest::newRow("single pair keeps Null") << 2 << 1 << QStringLiteral("null");
}

void TestCautareTabele::nullsByFieldType()
{
    QFETCH(int, field);
    QFETCH(int, pairs);
    QFETCH(QString, kind);
    QList<QPair<int, int>> p;
    if (pairs == 2)
        p.append({0, 0});
    p.append({field, 9});
    m_grid.cells.insert(9, db::Variant(QStringLiteral("before")));
    request(QStringLiteral("SELECT * FROM Tipuri WHERE Cod='N1'"), false, p, QStringLiteral("N1"));
    QVERIFY(Cauta_Si_Completeaza());
    const db::Variant v = m_grid.cell(9);
    if (kind == QStringLiteral("null"))
        QVERIFY(v.isNull());
    else if (kind == QStringLiteral("zero"))
        QCOMPARE(v, db::Variant(0));
    else
        QCOMPARE(v, db::Variant(QString()));
}

void TestCautareTabele::notFoundSaysSoOnce()
{
    m_grid.cells.insert(7, db::Variant(QStringLiteral("XX")));
    request(Interogare_Cautare(QStringLiteral("SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari]"),
                               QStringLiteral(" WHERE [Tara_COD]='"), QStringLiteral("XX")),
            false, {{0, 7}}, QStringLiteral("XX"));
    QVERIFY(!Cauta_Si_Completeaza());
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, QStringLiteral("NU GASESC : XX"));
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("Mesaj")));
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat, QStringLiteral("VALOARE NEGASITA : XX"));
    QVERIFY(m_grid.written.isEmpty());
    QCOMPARE(m_grid.focus, 0);
}

void TestCautareTabele::failingQueryCountsAsNotFound_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("peTarif");
    QTest::addColumn<bool>("closeTariff");
    // A value pasted with its quote undoubled breaks the statement.
    QTest::newRow("apostrophe pasted")
        << QStringLiteral("SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_COD]='D'X'") << false
        << false;
    QTest::newRow("no such list") << QStringLiteral("SELECT * FROM Nu_Exista") << false << false;
    QTest::newRow("tariff closed") << QStringLiteral("SELECT * FROM HS8 WHERE [HS8_COD]='01012100'") << true
                                   << true;
}

void TestCautareTabele::failingQueryCountsAsNotFound()
{
    QFETCH(QString, sql);
    QFETCH(bool, peTarif);
    QFETCH(bool, closeTariff);
    db::Connection keep = Conexiune_CN;
    if (closeTariff)
        Conexiune_CN = db::Connection();
    request(sql, peTarif, {{0, 7}}, QStringLiteral("D'X"));
    const bool found = Cauta_Si_Completeaza();
    Conexiune_CN = keep;
    QVERIFY(!found);
    QCOMPARE(ui::testing::messages().size(), 1);
    QCOMPARE(ui::testing::messages()[0].text, QStringLiteral("NU GASESC : D'X"));
    QVERIFY(m_grid.written.isEmpty());
}

void TestCautareTabele::pairCountOutsideOneToEightWritesNothing_data()
{
    QTest::addColumn<int>("pairs");
    QTest::newRow("0") << 0;
    QTest::newRow("9") << 9;
}

void TestCautareTabele::pairCountOutsideOneToEightWritesNothing()
{
    QFETCH(int, pairs);
    request(QStringLiteral("SELECT * FROM HS8 WHERE [HS8_COD]='01012100'"), true, {},
            QStringLiteral("01012100"));
    Parametri_Cautare_Tabele.Cautare_NrColoane = std::uint8_t(pairs);
    QVERIFY(Cauta_Si_Completeaza());
    QVERIFY(m_grid.written.isEmpty());
    QVERIFY(
        Parametri_Cautare_Tabele.Cautare_Rezultat.startsWith(QStringLiteral("VALOARE GASITA: 01012100 : ")));
}

void TestCautareTabele::countryIsWrittenAsTheListHasIt()
{
    request(Interogare_Cautare(QStringLiteral("SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari]"),
                               QStringLiteral(" WHERE [Tara_COD]='"), QStringLiteral("ro")),
            false, {{0, 7}}, QStringLiteral("ro"));
    QVERIFY(Cauta_Si_Completeaza());
    QCOMPARE(m_grid.cell(7), db::Variant(QStringLiteral("RO")));
    QVERIFY(Parametri_Cautare_Tabele.Cautare_Rezultat.startsWith(QStringLiteral("VALOARE GASITA: RO : ")));
    // A value holding a quote is looked up as typed (and is not in the list).
    request(Interogare_Cautare(QStringLiteral("SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari]"),
                               QStringLiteral(" WHERE [Tara_COD]='"), QStringLiteral("R'")),
            false, {{0, 7}}, QStringLiteral("R'"));
    QVERIFY(!Cauta_Si_Completeaza());
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat, QStringLiteral("VALOARE NEGASITA : R'"));
}

void TestCautareTabele::recordExistsOnTheChosenDatabase_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("peFirma");
    QTest::addColumn<bool>("peTarif");
    QTest::addColumn<bool>("exists");
    const QString hs8 = QStringLiteral("SELECT HS8_COD FROM HS8 WHERE HS8_COD ='01012100'");
    QTest::newRow("tariff") << hs8 << false << true << true;
    QTest::newRow("both flags: the tariff") << hs8 << true << true << true;
    QTest::newRow("common has no HS8") << hs8 << false << false << false;
    QTest::newRow("company closed") << QStringLiteral("SELECT Tara_COD FROM Tari") << true << false << false;
    QTest::newRow("country") << QStringLiteral("SELECT Tara_COD FROM Tari WHERE Tara_Cod ='DE'") << false
                             << false << true;
    QTest::newRow("EU member") << QStringLiteral("SELECT COD_TARA FROM Tari_UE WHERE COD_TARA ='CN'") << false
                               << false << false;
    QTest::newRow("broken text") << QStringLiteral("SELECT Tara_COD FROM Tari WHERE Tara_Cod ='D'E'") << false
                                 << false << false;
}

void TestCautareTabele::recordExistsOnTheChosenDatabase()
{
    QFETCH(QString, sql);
    QFETCH(bool, peFirma);
    QFETCH(bool, peTarif);
    QFETCH(bool, exists);
    QCOMPARE(Exista_Inregistrari(sql, peFirma, peTarif), exists);
    QCOMPARE(ui::testing::messages().size(), 0);
}

QTEST_GUILESS_MAIN(TestCautareTabele)
#include "tst_cautare_tabele.moc"
