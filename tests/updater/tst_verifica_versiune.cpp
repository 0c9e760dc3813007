// The comparison of file versions, and the version record the built
// updater carries.

#include "common/Versiune_Program.h"
#include "updater/VerificaVersiuneFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestVerificaVersiune : public QObject
{
    Q_OBJECT

private slots:
    // rezultat 2 stands for a comparison that fails.
    void comparatie_data()
    {
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("aDoua");
        QTest::addColumn<int>("rezultat");
        QTest::newRow("parts are numbers") << u"2.0.0.10"_s << u"2.0.0.9"_s << 1;
        QTest::newRow("equal") << u"2.3.0.1"_s << u"2.3.0.1"_s << 0;
        QTest::newRow("first difference decides") << u"2.1.0.0"_s << u"2.0.5.0"_s << 1;
        QTest::newRow("second newer") << u"2.0.0.0"_s << u"2.0.0.1"_s << -1;
        QTest::newRow("longer second ending in 3") << u"2.1"_s << u"2.1.0.3"_s << -1;
        QTest::newRow("longer second ending in 0") << u"2.1"_s << u"2.1.0.0"_s << 0;
        QTest::newRow("longer but older second") << u"2.1"_s << u"1.0.5"_s << 1;
        QTest::newRow("first without version") << QString() << u"2.0.0.0"_s << 0;
        QTest::newRow("first without version, second ending in 3") << QString() << u"2.0.0.3"_s << -1;
        QTest::newRow("second without version") << u"2.0.0.0"_s << QString() << 2;
        QTest::newRow("neither has a version") << QString() << QString() << 2;
        QTest::newRow("second shorter, equal so far") << u"2.1.0.3"_s << u"2.1"_s << 2;
        QTest::newRow("second shorter, older") << u"2.2.0.3"_s << u"2.1"_s << 1;
        QTest::newRow("no number") << u"2.a"_s << u"2.1"_s << 2;
    }
    void comparatie()
    {
        QFETCH(QString, prima);
        QFETCH(QString, aDoua);
        QFETCH(int, rezultat);
        const std::optional<qint16> r = Compara_Versiuni(prima, aDoua);
        QCOMPARE(r ? int(*r) : 2, rezultat);
    }

    // The files' records are compared; a file without one has no version.
    void fisiere()
    {
        QTemporaryDir dir;
        auto scrie = [&](const QString& nume, const QByteArray& versiune) {
            QFile f(dir.filePath(nume));
            const QByteArray marcaj = versiune.isEmpty()
                                          ? QByteArray()
                                          : QByteArray("QUORVEL_FILE_") + "VERSION=" + versiune + '\0';
            return f.open(QIODevice::WriteOnly) && f.write(QByteArray(100, 'x') + marcaj + "tail") > 0;
        };
        QVERIFY(scrie(u"nou"_s, "2.4.0.10"));
        QVERIFY(scrie(u"vechi"_s, "2.4.0.9"));
        QVERIFY(scrie(u"fara"_s, QByteArray()));
        QCOMPARE(Versiune_Fisier_Text(dir.filePath(u"nou"_s)), u"2.4.0.10"_s);
        QCOMPARE(Versiune_Fisier_Text(dir.filePath(u"fara"_s)), QString());
        QCOMPARE(Versiune_Fisier_Text(dir.filePath(u"lipsa"_s)), QString());
        QCOMPARE(Compara_Versiune_Fisier(dir.filePath(u"nou"_s), dir.filePath(u"vechi"_s)),
                 std::optional<qint16>(1));
        QCOMPARE(Compara_Versiune_Fisier(dir.filePath(u"vechi"_s), dir.filePath(u"nou"_s)),
                 std::optional<qint16>(-1));
        QVERIFY(!Compara_Versiune_Fisier(dir.filePath(u"nou"_s), dir.filePath(u"fara"_s)).has_value());
    }

    // The updater the build lays out carries the release's record.
    void updaterulConstruit()
    {
        QCOMPARE(Versiune_Fisier_Text(QStringLiteral(QUORVEL_UPDATER_EXE)),
                 QString::number(Versiune_Major) + u'.' + QString::number(Versiune_Minor) + u'.' +
                     QString::number(Versiune_Build) + u'.' + QString::number(Versiune_Revizie));
    }
};

QTEST_GUILESS_MAIN(TestVerificaVersiune)
#include "tst_verifica_versiune.moc"
