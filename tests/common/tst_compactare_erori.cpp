#include "common/Compact_Database.h"
#include "common/Tratare_Erori.h"
#include "shell/Arbore_Test.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray continut(const QString& cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint64 numar(db::Connection c, const QString& sql)
{
    const auto rs = c.openRecordset(sql);
    return rs && !rs->eof() ? rs->value(0).toInt64() : -1;
}

} // namespace

class TestCompactareErori : public QObject
{
    Q_OBJECT
private slots:
    void kilobytes_data()
    {
        QTest::addColumn<qint64>("octeti");
        QTest::addColumn<int>("kb");
        QTest::newRow("1000 KB exactly") << qint64(1024000) << 1000;
        QTest::newRow("1001 KB exactly") << qint64(1025024) << 1001;
        QTest::newRow("half goes to even 2") << qint64(1536) << 2;
        QTest::newRow("half goes to even 2 again") << qint64(2560) << 2;
        QTest::newRow("two decimals first") << qint64(1535) << 2; // 1.499 shows as 1.50
        QTest::newRow("below half") << qint64(1530) << 1;
        QTest::newRow("empty") << qint64(0) << 0;
    }
    void kilobytes()
    {
        QFETCH(qint64, octeti);
        QFETCH(int, kb);
        QCOMPARE(Kilobytes_Rotunjiti(octeti), kb);
    }

    void marimeFisier()
    {
        QTemporaryDir d;
        const QString cale = d.filePath(u"f.bin"_s);
        QFile f(cale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1536, 'a'));
        f.close();
        QCOMPARE(Marime_Fisier_KB(cale), std::optional<std::int32_t>(2));
        QCOMPARE(Marime_Fisier_KB(d.filePath(u"lipsa"_s)), std::nullopt);
        QCOMPARE(Marime_Fisier_KB(d.path()), std::nullopt);
    }

    void compactare()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QString cale = a.folderBazaDate() + u"RO0000001.mdb"_s;
        {
            db::Connection c = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
            QVERIFY(c.execute(u"CREATE TABLE Umplutura (Id INTEGER PRIMARY KEY, Text MEMO TEXT)"_s));
            db::Transaction t(c);
            for (int i = 0; i < 400; ++i)
                QVERIFY(c.execute(u"INSERT INTO Umplutura (Text) VALUES (?)"_s,
                                  {db::Variant(QString(1000, u'x'))}));
            QVERIFY(!t.commit());
            QVERIFY(c.execute(u"DELETE FROM Umplutura WHERE Id > 10"_s));
        }
        const qint64 inainte = QFileInfo(cale).size();

        for (int runda = 0; runda < 2; ++runda) { // the second run replaces the work copy
            ui::testing::clear();
            Compacteaza_Baza_Date(cale);
            const QList<ui::testing::Call> m = ui::testing::messages();
            QCOMPARE(m.size(), 1);
            QCOMPARE(m[0].text,
                     u"Se va compacta baza de date: \r\n"_s + cale + u"\r\nAstepati va rog ....."_s);
            QCOMPARE(m[0].icon, ui::Icon::Information);
            QCOMPARE(m[0].title, std::nullopt);
            QVERIFY(QFileInfo(cale).size() < inainte);
            QVERIFY(QFile::exists(a.folderBazaDate() + u"CompactDB/RO0000001.mdb"_s));
            db::Connection c = a.deschide(u"System/DataBase/RO0000001.mdb"_s);
            QCOMPARE(numar(c, u"SELECT COUNT(*) FROM Umplutura"_s), 10);
        }
    }

    void compactareFaraFolderDeLucru()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QString cale = a.folderBazaDate() + u"Comun.mdb"_s;
        QVERIFY(QDir(a.folderBazaDate() + u"CompactDB"_s).removeRecursively());
        const QByteArray inainte = continut(cale);
        Compacteaza_Baza_Date(cale);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 2); // the notice, then the one failure
        QCOMPARE(m[1].icon, ui::Icon::Exclamation);
        QCOMPARE(m[1].title, std::nullopt);
        QVERIFY(!m[1].text.isEmpty());
        QCOMPARE(continut(cale), inainte);
    }

    void compactareFisierLipsa()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Compacteaza_Baza_Date(a.folderBazaDate() + u"lipsa.mdb"_s);
        QVERIFY(ui::testing::calls().isEmpty());
    }

    void textEroare_data()
    {
        QTest::addColumn<int>("numar");
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown number") << 999 << u"Sursa Eroare:TDBGrid\r\nDescriere Eroare: X"_s;
        QTest::newRow("known number")
            << 1
            << u"Eroare nr: 1\r\nDescriere Eroare: Textul depaseste lungimea admisa a "
               "coloanei\r\nX"_s;
        QTest::newRow("negative number") << -5 << u"Eroare nr: -5\r\nDescriere Eroare: T\r\nX"_s;
    }
    void textEroare()
    {
        QFETCH(int, numar);
        QFETCH(QString, text);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Conexiune_Comun = a.deschide(u"System/DataBase/Comun.mdb"_s);
        QVERIFY(Conexiune_Comun.execute(
            u"INSERT INTO Erori (Sursa, Nr_Eroare, Descriere) VALUES ('TDBGrid', -5, 'T')"_s));
        QCOMPARE(Text_Eroare(u"Frm_INTRASTAT"_s, static_cast<std::int16_t>(numar), u"TDBGrid"_s, u"X"_s),
                 text);
        QVERIFY(ui::testing::calls().isEmpty());
    }

    void textEroareNedeterminabila()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Text_Eroare(u"f"_s, 1, u"TDBGrid"_s, u"X"_s), u"EROARE NEDETERMINABILA"_s); // closed
        Conexiune_Comun = a.deschide(u"System/DataBase/Comun.mdb"_s);
        QVERIFY(!Conexiune_Comun.dropProcedure(u"Return_Error"_s));
        QCOMPARE(Text_Eroare(u"f"_s, 1, u"TDBGrid"_s, u"X"_s), u"EROARE NEDETERMINABILA"_s); // no procedure
        QVERIFY(ui::testing::calls().isEmpty());
    }
};

QTEST_MAIN(TestCompactareErori)
#include "tst_compactare_erori.moc"
