// A process killed while it rewrites a registry file leaves the old file or
// the new one, never a partial one, and the next writer goes on.

#include "platform/registry/registry.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLength = 1 << 20;

// The payload a round writes: "<n>:" + kLength letters + ":<n>".
bool isWholePayload(const QString& text, int* round)
{
    const qsizetype first = text.indexOf(u':');
    const qsizetype last = text.lastIndexOf(u':');
    if (first <= 0 || last <= first)
        return false;
    bool ok1 = false, ok2 = false;
    const int a = text.left(first).toInt(&ok1);
    const int b = text.mid(last + 1).toInt(&ok2);
    if (!ok1 || !ok2 || a != b || last - first - 1 != kLength)
        return false;
    const QChar letter = QLatin1Char("abcdefghij"[a % 10]);
    for (qsizetype i = first + 1; i < last; ++i) {
        if (text[i] != letter)
            return false;
    }
    *round = a;
    return true;
}

QString readPayload(long* code)
{
    reg::HKEY h = 0;
    *code = reg::openKey(reg::HKEY_LOCAL_MACHINE, u"Software\\Loop"_s, reg::KEY_ALL_SPECIFIC, &h);
    if (*code != 0)
        return QString();
    std::uint32_t size = 0;
    *code = reg::queryValue(h, u"payload"_s, nullptr, &size);
    QString buffer;
    if (*code == 0)
        *code = reg::queryTextValue(h, u"payload"_s, &buffer, &size);
    reg::closeKey(h);
    return buffer.left(size - 1);
}

} // namespace

class TestRegistryCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesAWholeFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        qputenv("QUORVEL_REGISTRY_DIR", QFile::encodeName(dir.path()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QUORVEL_REGISTRY_DIR"_s, dir.path());
        env.remove(u"QUORVEL_REGISTRY_READONLY"_s);

        int seen = 0;
        for (int kill = 0; kill < 6; ++kill) {
            QProcess writer;
            writer.setProcessEnvironment(env);
            writer.start(QStringLiteral(REGISTRY_WRITE_LOOP), {QString::number(kLength)});
            QVERIFY(writer.waitForStarted());
            // Let it finish a round, then kill it while a side file shows
            // that a rewrite is under way.
            const QString side = dir.path() + u"/HKEY_LOCAL_MACHINE.reg.new"_s;
            int printed = 0;
            bool caught = false;
            auto readRounds = [&] {
                while (writer.canReadLine())
                    printed = writer.readLine().trimmed().toInt();
            };
            while (printed < 1) {
                QVERIFY2(writer.waitForReadyRead(60000), "the writer stopped writing");
                readRounds();
            }
            for (int spin = 1; !caught && printed < 200; ++spin) {
                if (QFile::exists(side)) {
                    writer.kill();
                    caught = true;
                } else if (spin % 256 == 0) {
                    writer.waitForReadyRead(0);
                    readRounds();
                    QVERIFY(writer.state() == QProcess::Running);
                }
            }
            QVERIFY2(caught, "no rewrite was caught half-way");
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            readRounds();
            const QList<QByteArray> rest = writer.readAllStandardOutput().split('\n');
            for (const QByteArray& line : rest) {
                if (!line.trimmed().isEmpty())
                    printed = line.trimmed().toInt();
            }

            long code = -1;
            const QString text = readPayload(&code);
            QCOMPARE(code, 0L);
            int round = 0;
            QVERIFY2(isWholePayload(text, &round),
                     qPrintable(u"a partial value after kill "_s + QString::number(kill)));
            // The round printed last, or the next one if it got renamed
            // into place before the kill.
            QVERIFY2(round == printed || round == printed + 1,
                     qPrintable(QString::number(round) + u" after "_s + QString::number(printed)));
            seen += round;
        }
        QVERIFY(seen > 0);

        // The lock of a killed writer is gone: this process writes at once.
        reg::HKEY h = 0;
        QCOMPARE(reg::createKey(reg::HKEY_LOCAL_MACHINE, u"Software\\Loop"_s, reg::KEY_ALL_SPECIFIC, &h), 0L);
        QCOMPARE(reg::setTextValue(h, u"payload"_s, u"done"_s, 5), 0L);
        reg::closeKey(h);
        long code = -1;
        QCOMPARE(readPayload(&code), u"done"_s);
        QVERIFY(!QFile::exists(dir.path() + u"/HKEY_LOCAL_MACHINE.reg.new"_s));
    }
};

QTEST_GUILESS_MAIN(TestRegistryCrash)
#include "tst_registry_crash.moc"
