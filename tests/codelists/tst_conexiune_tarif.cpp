// The tariff file of a period, chosen from InsCodeVersions of a common
// database built by the repository's scripts.
#include "codelists/ConexiuneTarif.h"
#include "fixture.h"
#include "platform/ui/mesaj.h"

#include <QFileInfo>

class TestConexiuneTarif : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensTheFileOfThePeriod_data();
    void opensTheFileOfThePeriod();
    void noVersionForThePeriod();
    void missingFileKeepsTheEarlierConnection_data();
    void missingFileKeepsTheEarlierConnection();
    void damagedFileKeepsTheEarlierConnection();
    void reopensAnOpenConnection();

private:
    // Common database with the given version rows; tariff files A.mdb and B.mdb.
    void setUp(const QString& versions);
    QString openFile() const { return QFileInfo(Conexiune_CN.path()).fileName(); }

    std::unique_ptr<fixture::Folder> m_folder;
};

void TestConexiuneTarif::init()
{
    ui::testing::setEnabled(true);
    ui::testing::clear();
    Reseteaza_Globale_Tarif();
    m_folder = std::make_unique<fixture::Folder>();
    for (const QString& f : {QStringLiteral("A.mdb"), QStringLiteral("B.mdb")})
        QVERIFY(fixture::makeDatabase(m_folder->cn(f), fixture::tarifScripts()));
}

void TestConexiuneTarif::cleanup()
{
    Reseteaza_Globale_Tarif();
    Conexiune_Comun.close();
    m_folder.reset();
}

void TestConexiuneTarif::setUp(const QString& versions)
{
    const QString comun = m_folder->base() + QStringLiteral("Comun.mdb");
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts(),
                                  QStringLiteral("DELETE FROM InsCodeVersions;\n") + versions));
    QVERIFY(!Conexiune_Comun.open(comun));
    Folder_BazaDate = m_folder->base();
}

namespace {

QString version(int anul, int luna, const QString& anulEnd, const QString& lunaEnd, const QString& file)
{
    return QStringLiteral("INSERT INTO InsCodeVersions (Anul, Luna, Anul_End, Luna_End, CN_File) "
                          "VALUES (%1, %2, %3, %4, '%5');\n")
        .arg(anul)
        .arg(luna)
        .arg(anulEnd, lunaEnd, file);
}

const QString kNull = QStringLiteral("NULL");

} // namespace

void TestConexiuneTarif::opensTheFileOfThePeriod_data()
{
    QTest::addColumn<QString>("versions");
    QTest::addColumn<int>("luna");
    QTest::addColumn<int>("anul");
    QTest::addColumn<QString>("file");
    const QString calendarYears =
        version(2014, 1, QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("A.mdb")) +
        version(2015, 1, kNull, kNull, QStringLiteral("B.mdb"));
    QTest::newRow("December 2014") << calendarYears << 12 << 2014 << QStringLiteral("A.mdb");
    QTest::newRow("January 2014") << calendarYears << 1 << 2014 << QStringLiteral("A.mdb");
    QTest::newRow("January 2015") << calendarYears << 1 << 2015 << QStringLiteral("B.mdb");
    QTest::newRow("June 2030") << calendarYears << 6 << 2030 << QStringLiteral("B.mdb");
    QTest::newRow("before every version") << calendarYears << 5 << 2010 << QStringLiteral("B.mdb");
    const QString midYear =
        version(2014, 7, QStringLiteral("2015"), QStringLiteral("6"), QStringLiteral("A.mdb")) +
        version(2015, 7, kNull, kNull, QStringLiteral("B.mdb"));
    // Whole periods are compared: March 2015 lies inside July 2014 .. June 2015.
    QTest::newRow("mid-year range, March 2015") << midYear << 3 << 2015 << QStringLiteral("A.mdb");
    QTest::newRow("mid-year range, July 2014") << midYear << 7 << 2014 << QStringLiteral("A.mdb");
    QTest::newRow("mid-year range, June 2015") << midYear << 6 << 2015 << QStringLiteral("A.mdb");
    QTest::newRow("mid-year range, July 2015") << midYear << 7 << 2015 << QStringLiteral("B.mdb");
    QTest::newRow("mid-year range, December 2014") << midYear << 12 << 2014 << QStringLiteral("A.mdb");
}

void TestConexiuneTarif::opensTheFileOfThePeriod()
{
    QFETCH(QString, versions);
    QFETCH(int, luna);
    QFETCH(int, anul);
    QFETCH(QString, file);
    setUp(versions);
    const short l = short(luna);
    const short a = short(anul);
    QVERIFY(Deschide_Conexiune_Tarif(l, a)); // month first, then year
    QVERIFY(Conexiune_CN.isOpen());
    QCOMPARE(openFile(), file);
    QCOMPARE(ui::testing::messages().size(), 0);
    // The version row the declaration file takes is the same.
    auto rs = Alege_Versiune_Cod(Conexiune_Comun, luna, anul);
    QVERIFY(rs);
    QCOMPARE(rs->value(QStringLiteral("CN_File")).toText(), file);
}

void TestConexiuneTarif::noVersionForThePeriod()
{
    setUp(version(2014, 1, QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("A.mdb")));
    QVERIFY(Deschide_Conexiune_Tarif(short(5), short(2014)));
    ui::testing::clear();
    QVERIFY(!Deschide_Conexiune_Tarif(short(1), short(2016)));
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, QStringLiteral("Nu se poate identifica tabela tarif vamal"));
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("EROARE")));
    QVERIFY(Conexiune_CN.isOpen());
    QCOMPARE(openFile(), QStringLiteral("A.mdb"));
}

void TestConexiuneTarif::missingFileKeepsTheEarlierConnection_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing file") << QStringLiteral("Lipsa.mdb");
    QTest::newRow("empty name") << QString();
    QTest::newRow("name in another case") << QStringLiteral("b.MDB");
}

void TestConexiuneTarif::missingFileKeepsTheEarlierConnection()
{
    QFETCH(QString, file);
    setUp(version(2014, 1, QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("A.mdb")) +
          version(2015, 1, kNull, kNull, file));
    QVERIFY(Deschide_Conexiune_Tarif(short(3), short(2014)));
    ui::testing::clear();
    QVERIFY(!Deschide_Conexiune_Tarif(short(3), short(2015)));
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    const QStringList lines = m[0].text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), QStringLiteral("Nu se poate identifica fisierul pentru tabela tarif vamal"));
    QCOMPARE(lines.value(1), m_folder->cn(file)); // which file is missing
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("EROARE")));
    QVERIFY(Conexiune_CN.isOpen());
    QCOMPARE(openFile(), QStringLiteral("A.mdb"));
}

void TestConexiuneTarif::damagedFileKeepsTheEarlierConnection()
{
    setUp(version(2014, 1, QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("A.mdb")) +
          version(2015, 1, kNull, kNull, QStringLiteral("Stricat.mdb")));
    QFile damaged(m_folder->cn(QStringLiteral("Stricat.mdb")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    QVERIFY(Deschide_Conexiune_Tarif(short(3), short(2014)));
    ui::testing::clear();
    QVERIFY(!Deschide_Conexiune_Tarif(short(3), short(2015)));
    QCOMPARE(ui::testing::messages().size(), 1);
    QVERIFY(ui::testing::messages()[0].text.startsWith(
        QStringLiteral("Nu se poate identifica fisierul pentru tabela tarif vamal")));
    QVERIFY(Conexiune_CN.isOpen());
    QCOMPARE(openFile(), QStringLiteral("A.mdb"));
}

void TestConexiuneTarif::reopensAnOpenConnection()
{
    setUp(version(2014, 1, QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("A.mdb")) +
          version(2015, 1, kNull, kNull, QStringLiteral("B.mdb")));
    QVERIFY(Deschide_Conexiune_Tarif(short(3), short(2014)));
    db::Connection earlier = Conexiune_CN;
    QVERIFY(Deschide_Conexiune_Tarif(short(3), short(2015)));
    QCOMPARE(openFile(), QStringLiteral("B.mdb"));
    QVERIFY(!earlier.isOpen()); // the earlier connection was closed

    // Another month of the same file keeps the connection as it is.
    QVERIFY(Conexiune_CN.execute(QStringLiteral("CREATE TEMP TABLE Semn (x INTEGER)")));
    const db::Connection same = Conexiune_CN;
    QVERIFY(Deschide_Conexiune_Tarif(short(7), short(2016)));
    QVERIFY(same.isOpen());
    QVERIFY(Conexiune_CN.openRecordset(QStringLiteral("SELECT COUNT(*) FROM temp.Semn")));
}

QTEST_GUILESS_MAIN(TestConexiuneTarif)
#include "tst_conexiune_tarif.moc"
