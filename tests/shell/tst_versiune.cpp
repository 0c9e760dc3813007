// The version record: the running program's own, the texts the windows show,
// and the record read back from an executable file.

#include "common/Versiune_Fisier.h"
#include "common/Versiune_Program.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestVersiune : public QObject
{
    Q_OBJECT

private slots:
    void versiuneaProgramului()
    {
        QCOMPARE(Versiune_Program(), (Versiune_Fisier{2, 3, 0, 0}));
        QCOMPARE(Text_Versiune_Afisata(), u"2.30"_s);
        QCOMPARE(Text_Versiune_Completa(), u"2.3.0"_s);
    }

    // The executable carries its record and it is read without running it.
    void fisierulExecutabil()
    {
        const auto v = Citeste_Versiune_Fisier(QCoreApplication::applicationFilePath());
        QVERIFY(v.has_value());
        QCOMPARE(*v, (Versiune_Fisier{Versiune_Major, Versiune_Minor, Versiune_Build, Versiune_Revizie}));
    }

    void inregistrari_data()
    {
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<bool>("gasit");
        QTest::addColumn<int>("revizie");
        const QByteArray p = QByteArray("QUORVEL_FILE_") + "VERSION=";
        QTest::newRow("plain") << QByteArray("xx" + p + "2.3.0.7" + '\0' + "yy") << true << 7;
        QTest::newRow("bare prefix first")
            << QByteArray(p + '\0' + "..." + p + "1.2.3.4" + '\0') << true << 4;
        QTest::newRow("three parts") << QByteArray(p + "2.3.0" + '\0') << false << 0;
        QTest::newRow("cut at the end") << QByteArray(p + "2.3.0.1") << false << 0;
        QTest::newRow("letters") << QByteArray(p + "2.3.a.1" + '\0') << false << 0;
        QTest::newRow("none") << QByteArray("nothing here") << false << 0;
    }
    void inregistrari()
    {
        QFETCH(QByteArray, octeti);
        QFETCH(bool, gasit);
        QFETCH(int, revizie);
        const auto v = Cauta_Versiune_In(octeti);
        QCOMPARE(v.has_value(), gasit);
        if (gasit)
            QCOMPARE(v->revizie, revizie);
    }

    // A record that straddles the reader's blocks is found whole, never cut
    // short at the block's end.
    void peGranitaBlocurilor_data()
    {
        QTest::addColumn<int>("inainte");
        for (int k : {0, 3, 10, 20, 27, 28, 29, 40})
            QTest::addRow("%d before the boundary", k) << k;
    }
    void peGranitaBlocurilor()
    {
        QFETCH(int, inainte);
        QTemporaryDir dir;
        const QString cale = dir.filePath(u"prog"_s);
        QFile f(cale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray marcaj = QByteArray("QUORVEL_FILE_") + "VERSION=12.34.56.789" + '\0';
        f.write(QByteArray((1 << 20) - inainte, 'x'));
        f.write(marcaj);
        f.write(QByteArray(100, 'y'));
        f.close();
        const auto v = Citeste_Versiune_Fisier(cale);
        QVERIFY(v.has_value());
        QCOMPARE(*v, (Versiune_Fisier{12, 34, 56, 789}));
    }

    void fisierLipsa() { QVERIFY(!Citeste_Versiune_Fisier(u"/nonexistent/quorvel"_s).has_value()); }
};

QTEST_GUILESS_MAIN(TestVersiune)
#include "tst_versiune.moc"
