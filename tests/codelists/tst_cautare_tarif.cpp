// The tariff code look-up against a tariff database built by the repository's
// schema script, with rows chosen to show each rule.
#include "codelists/Cautare_Tarif.h"
#include "fixture.h"
#include "platform/ui/mesaj.h"

class TestCautareTarif : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void looksUpACode_data();
    void looksUpACode();
    void pipeInADescriptionKeepsThreeFields();
    void closedTariffGivesNothing();
    void followsAReopenedTariff();

private:
    fixture::Folder m_folder;
};

namespace {

const QString kLong = QString(300, u'x');

QString tariffRows()
{
    using fixture::hs8;
    return hs8(QStringLiteral("01012100"), QStringLiteral("0000"),
               QStringLiteral("Cai reproducatori de rasa pura"), QStringLiteral("p/st")) +
           hs8(QStringLiteral("01012100"), QStringLiteral("1000"), QStringLiteral("Armasari"), QString()) +
           hs8(QStringLiteral("02011000"), QStringLiteral("0000"), QStringLiteral("Carcase de bovine"),
               QString()) +
           hs8(QStringLiteral("03011100"), QStringLiteral("0000"), QStringLiteral("Pesti de apa dulce"),
               QStringLiteral("p/st"), QStringLiteral("2020")) +
           hs8(QStringLiteral("04011010"), QStringLiteral("0000"), kLong, QStringLiteral("l")) +
           hs8(QStringLiteral("05010000"), QStringLiteral("0000"), QStringLiteral("Par uman | netratat"),
               QStringLiteral("kg")) +
           hs8(QStringLiteral("06011010"), QStringLiteral("0000"), QStringLiteral("Bulbi"),
               QStringLiteral("p/st"));
}

} // namespace

void TestCautareTarif::initTestCase()
{
    ui::testing::setEnabled(true);
    QVERIFY(
        fixture::makeDatabase(m_folder.cn(QStringLiteral("T.mdb")), fixture::tarifScripts(), tariffRows()));
    QVERIFY(fixture::makeDatabase(m_folder.cn(QStringLiteral("U.mdb")), fixture::tarifScripts(),
                                  fixture::hs8(QStringLiteral("01012100"), QStringLiteral("0000"),
                                               QStringLiteral("Alta versiune"), QString())));
    QVERIFY(!Conexiune_CN.open(m_folder.cn(QStringLiteral("T.mdb"))));
}

void TestCautareTarif::cleanupTestCase()
{
    Elibereaza_Cautare_Tarif();
    Reseteaza_Globale_Tarif();
}

void TestCautareTarif::init()
{
    ui::testing::clear();
}

void TestCautareTarif::looksUpACode_data()
{
    QTest::addColumn<QString>("cod");
    QTest::addColumn<QString>("rezultat");
    QTest::newRow("two rows in force, one unit")
        << QStringLiteral("01012100") << QStringLiteral("Cai reproducatori de rasa pura|p/st|1");
    QTest::newRow("no unit") << QStringLiteral("02011000") << QStringLiteral("Carcase de bovine||0");
    QTest::newRow("expired only") << QStringLiteral("03011100") << QString();
    QTest::newRow("unknown") << QStringLiteral("99999999") << QString();
    QTest::newRow("long description cut")
        << QStringLiteral("04011010") << QString(250, u'x') + QStringLiteral("|l|1");
    QTest::newRow("apostrophe") << QStringLiteral("0101'2100") << QString();
    QTest::newRow("crafted cell") << QStringLiteral("x' OR '1'='1") << QString();
    QTest::newRow("blanks are not trimmed") << QStringLiteral(" 01012100") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestCautareTarif::looksUpACode()
{
    QFETCH(QString, cod);
    QFETCH(QString, rezultat);
    QCOMPARE(Cauta_Cod_Tarif(cod), rezultat);
    // The same statement serves the next call with the same answer.
    QCOMPARE(Cauta_Cod_Tarif(cod), rezultat);
    QCOMPARE(ui::testing::messages().size(), 0);
}

void TestCautareTarif::pipeInADescriptionKeepsThreeFields()
{
    const QStringList f = Cauta_Cod_Tarif(QStringLiteral("05010000")).split(u'|');
    QCOMPARE(f,
             (QStringList{QStringLiteral("Par uman / netratat"), QStringLiteral("kg"), QStringLiteral("1")}));
}

void TestCautareTarif::closedTariffGivesNothing()
{
    QVERIFY(!Cauta_Cod_Tarif(QStringLiteral("01012100")).isEmpty());
    db::Connection keep = Conexiune_CN;
    Conexiune_CN = db::Connection();
    QCOMPARE(Cauta_Cod_Tarif(QStringLiteral("01012100")), QString());
    QCOMPARE(ui::testing::messages().size(), 0);
    Conexiune_CN = keep;
    QCOMPARE(Cauta_Cod_Tarif(QStringLiteral("06011010")), QStringLiteral("Bulbi|p/st|1"));
}

void TestCautareTarif::followsAReopenedTariff()
{
    QCOMPARE(Cauta_Cod_Tarif(QStringLiteral("01012100")),
             QStringLiteral("Cai reproducatori de rasa pura|p/st|1"));
    // Closed and opened again on another file, as the declaration window does.
    Conexiune_CN.close();
    QCOMPARE(Cauta_Cod_Tarif(QStringLiteral("01012100")), QString());
    QVERIFY(!Conexiune_CN.open(m_folder.cn(QStringLiteral("U.mdb"))));
    QCOMPARE(Cauta_Cod_Tarif(QStringLiteral("01012100")), QStringLiteral("Alta versiune||0"));
    // Closed and opened again with no look-up in between.
    Conexiune_CN.close();
    QVERIFY(!Conexiune_CN.open(m_folder.cn(QStringLiteral("T.mdb"))));
    QCOMPARE(Cauta_Cod_Tarif(QStringLiteral("01012100")),
             QStringLiteral("Cai reproducatori de rasa pura|p/st|1"));
}

QTEST_GUILESS_MAIN(TestCautareTarif)
#include "tst_cautare_tarif.moc"
