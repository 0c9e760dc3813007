#include "Arbore_Test.h"
#include "shell/ComunLink.h"

using namespace Qt::StringLiterals;

namespace {

qint64 numar(db::Connection c, const QString& sql)
{
    const auto rs = c.openRecordset(sql);
    return rs && !rs->eof() ? rs->value(0).toInt64() : -1;
}

QString sursaLegaturii(db::Connection c)
{
    const auto rs = c.openRecordset(u"SELECT Fisier_Sursa FROM _Legaturi WHERE Nume_Tabel='Firme'"_s);
    return rs && !rs->eof() ? rs->value(0).toText() : QString();
}

} // namespace

class TestComunLink : public QObject
{
    Q_OBJECT
private slots:
    void legaturaNoua()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Cale_Firma = a.folderBazaDate() + u"RO0000001.mdb"_s;
        QVERIFY(Creare_Link_Firme());
        QVERIFY(ui::testing::messages().isEmpty());
        db::Connection firma = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
        db::Connection comun = a.deschide(u"System/DataBase/Comun.mdb"_s);
        QVERIFY(firma.isLink(u"Firme"_s));
        QCOMPARE(sursaLegaturii(firma), a.folderBazaDate() + u"Comun.mdb"_s);
        QCOMPARE(numar(firma, u"SELECT COUNT(*) FROM Firme"_s),
                 numar(comun, u"SELECT COUNT(*) FROM Firme"_s));
    }

    void legaturaMutata_data()
    {
        QTest::addColumn<QString>("numeVechi");
        QTest::newRow("same case") << u"Firme"_s;
        QTest::newRow("other case") << u"firme"_s;
    }
    void legaturaMutata()
    {
        QFETCH(QString, numeVechi);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Arbore_Test alt; // another program folder, whose register holds one company
        VERIFICA_ARBORE(alt);
        {
            db::Connection c = alt.deschide(u"System/DataBase/Comun.mdb"_s);
            QVERIFY(c.execute(
                u"INSERT INTO Firme (Cod_Fiscal, Nume_Firma, DataBaseFile) VALUES ('X1','X','X1.mdb')"_s));
        }
        qputenv("QUORVEL_PROGRAM_DIR", a.radacina().toUtf8());
        Folder_BazaDate = a.folderBazaDate();
        Cale_Firma = a.folderBazaDate() + u"RO0000001.mdb"_s;
        {
            db::Connection firma = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
            QVERIFY(!firma.createLink(numeVechi, alt.folderBazaDate() + u"Comun.mdb"_s, u"Firme"_s,
                                      u"MS Access"_s));
        }
        QVERIFY(Creare_Link_Firme());
        db::Connection firma = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
        QCOMPARE(sursaLegaturii(firma), a.folderBazaDate() + u"Comun.mdb"_s);
        QCOMPARE(numar(firma, u"SELECT COUNT(*) FROM _Legaturi"_s), 1);
        QCOMPARE(numar(firma, u"SELECT COUNT(*) FROM Firme WHERE Cod_Fiscal='X1'"_s), 0);
        QCOMPARE(numar(firma, u"SELECT COUNT(*) FROM Firme WHERE Cod_Fiscal='RO0000001'"_s), 1);
    }

    void tabelLocal()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Cale_Firma = a.folderBazaDate() + u"RO0000001.mdb"_s;
        {
            db::Connection firma = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
            QVERIFY(firma.execute(u"CREATE TABLE Firme (Cod_Fiscal TEXT(30))"_s));
            QVERIFY(firma.execute(u"INSERT INTO Firme VALUES ('LOCAL')"_s));
        }
        QVERIFY(!Creare_Link_Firme());
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Eroare - Creare Link DateComune"_s});
        QCOMPARE(ui::testing::messages().first().icon, ui::Icon::None);
        QCOMPARE(ui::testing::messages().first().title, std::nullopt);
        db::Connection firma = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
        QVERIFY(!firma.isLink(u"Firme"_s));
        QCOMPARE(numar(firma, u"SELECT COUNT(*) FROM Firme WHERE Cod_Fiscal='LOCAL'"_s), 1);
    }

    void comunLipsaPastreazaLegaturaVeche()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Cale_Firma = a.folderBazaDate() + u"RO0000001.mdb"_s;
        QVERIFY(Creare_Link_Firme());
        // The register moves away: re-linking fails and the old link stays.
        Folder_BazaDate = a.radacina() + u"/nicaieri/"_s;
        QVERIFY(!Creare_Link_Firme());
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Eroare - Creare Link DateComune"_s});
        db::Connection firma = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
        QCOMPARE(sursaLegaturii(firma), a.folderBazaDate() + u"Comun.mdb"_s);
    }

    void registrulRamaneIntreg()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Cale_Firma = a.folderBazaDate() + u"RO0000001.mdb"_s;
        db::Connection comun = a.deschide(u"System/DataBase/Comun.mdb"_s);
        QVERIFY(comun.execute(
            u"INSERT INTO Firme (Cod_Fiscal, Nume_Firma, DataBaseFile) VALUES ('RO2','B','B.mdb')"_s));
        const qint64 inainte = numar(comun, u"SELECT COUNT(*) FROM Firme"_s);
        for (int i = 0; i < 12; ++i)
            QVERIFY(Creare_Link_Firme());
        QCOMPARE(numar(comun, u"SELECT COUNT(*) FROM Firme"_s), inainte);
        QVERIFY(comun.tableExists(u"Firme"_s));
        QVERIFY(!comun.isLink(u"Firme"_s));
    }
};

QTEST_MAIN(TestComunLink)
#include "tst_comunlink.moc"
