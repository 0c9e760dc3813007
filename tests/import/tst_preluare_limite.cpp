// Workbooks that once cost far more than they hold, imported in a process
// of their own (preia_excel) under a limit of its address space, as
// `ulimit -v` sets it: a small workbook of either kind imports under 600
// MB; deep nesting, a text of 127 MB, an unordered sheet, thousands of equal
// headings, a million escapes, sheets whose blank rows and a heading whose
// field names would need more than the reader's budget each end within
// their limit, with the import's own message where the file is refused.

#include "platform/excel/xlsx_build.h"

#include <QProcess>
#include <QtTest>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const QString kNecitit = u"Fisierul Excel NU poate fi citit, verificati macheta de preluare"_s;

// Row 1 the headings the test template reads, then the rows given.
QByteArray foaie(const QByteArray& randuri)
{
    QByteArray r = "<row r=\"1\">";
    for (const char* h : {"Cod", "Tara", "Valoare", "Masa", "Cantitate"})
        r += QByteArray("<c t=\"inlineStr\"><is><t>") + h + "</t></is></c>";
    return r + "</row>" + randuri;
}

// A data row: the code as the cell given, a country, a value, a mass, a quantity.
QByteArray rand(int r, const QByteArray& cod)
{
    const QByteArray n = QByteArray::number(r);
    return "<row r=\"" + n + "\">" + cod + "<c t=\"inlineStr\"><is><t>DE</t></is></c><c><v>" + n +
           "</v></c><c><v>2</v></c><c><v>1</v></c></row>";
}

QByteArray carte(const QList<QByteArray>& foi, const QByteArray& texte = QByteArray())
{
    return xlsx_build::zipParts(xlsx_build::packageParts(foi, texte), 1);
}

QString litereColoana(int c)
{
    QString s;
    for (++c; c > 0; c = (c - 1) / 26)
        s.prepend(QChar(u'A' + (c - 1) % 26));
    return s;
}

} // namespace

class TestPreluareLimite : public QObject
{
    Q_OBJECT

private slots:
    void subLimita_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QByteArray>("continut");
        QTest::addColumn<int>("megaocteti"); // the limit of the address space
        QTest::addColumn<QStringList>("iesire");
        const QString cod = u"<c t=\"inlineStr\"><is><t>84713000</t></is></c>"_s;
        const QByteArray c = cod.toUtf8();
        const QString imbricate =
            u" nu este un XML corect: elementele sunt imbricate pe mai mult de 256 de niveluri."_s;

        QFile xls(qEnvironmentVariable("QUORVEL_SOURCE_DIR") + u"/tests/fixtures/preluare.xls"_s);
        QVERIFY(xls.open(QIODevice::ReadOnly));
        QTest::newRow("small xls") << u"mic.xls"_s << xls.readAll() << 600 << QStringList{u"salvate 3"_s};
        QTest::newRow("small xlsx") << u"mic.xlsx"_s << carte({foaie(rand(2, c) + rand(3, c) + rand(4, c))})
                                    << 600 << QStringList{u"salvate 3"_s};

        // 10 million open elements in a shared text, and in a sheet.
        QTest::newRow("nesting in the shared texts")
            << u"imbricat.xlsx"_s
            << carte({foaie(rand(2, c))}, "<si><t>Cod</t></si><si>" + QByteArray("<a>").repeated(10'000'000))
            << 600 << QStringList{kNecitit, u"Partea 'xl/strings.xml'"_s + imbricate, u"salvate 0"_s};
        QTest::newRow("nesting in a sheet")
            << u"imbricat.xlsx"_s << carte({foaie(rand(2, c)) + QByteArray("<x>").repeated(10'000'000)})
            << 600 << QStringList{kNecitit, u"Foaia 'Sheet1'"_s + imbricate, u"salvate 0"_s};

        // One shared text of 127 MB, the code of the one data row.
        QTest::newRow("a text of 127 MB") << u"text.xlsx"_s
                                          << carte({foaie(rand(2, "<c t=\"s\"><v>0</v></c>"))},
                                                   "<si><t>" + QByteArray(127 << 20, 'A') + "</t></si>")
                                          << 1200 << QStringList{u"salvate 1"_s};

        // 100,000 rows of 60 cells, the last row first and each row's last
        // cell first.
        QByteArray inversa;
        for (int r = 100'001; r >= 1; --r) {
            const QByteArray n = QByteArray::number(r);
            inversa += "<row r=\"" + n + "\">";
            for (int k = 59; k >= 0; --k) {
                const QByteArray at = litereColoana(k).toLatin1() + n;
                if (r == 1)
                    inversa += "<c r=\"" + at + "\" t=\"inlineStr\"><is><t>H" + QByteArray::number(k) +
                               "</t></is></c>";
                else
                    inversa += "<c r=\"" + at + "\"><v>" + QByteArray::number(k) + "</v></c>";
            }
            inversa += "</row>";
        }
        QTest::newRow("an unordered sheet")
            << u"inversa.xlsx"_s << carte({inversa}) << 600 << QStringList{u"salvate 100000"_s};

        QByteArray titluri = "<row r=\"1\">";
        for (int k = 0; k < 16384; ++k)
            titluri += "<c t=\"s\"><v>0</v></c>";
        titluri += "</row>" + rand(2, c);
        QTest::newRow("16,384 equal headings in 8 sheets")
            << u"titluri.xlsx"_s << carte(QList<QByteArray>(8, titluri), "<si><t>Cod</t></si>") << 600
            << QStringList{
                   kNecitit,
                   u"Fisierul excel este prea mare pentru a fi citit: foaia 'Sheet1' are 16384 coloane, "
                   u"mai multe decat 2000."_s,
                   u"salvate 0"_s};
        const QStringList buget{
            kNecitit,
            u"Fisierul excel este prea mare pentru a fi citit: citirea lui cere mai mult de 1024 MB de memorie."_s,
            u"salvate 0"_s};
        // 130 sheets of a cell in row 1 and one in row 1,048,576: their row
        // index alone needs more than the reader's budget.
        QTest::newRow("130 sheets of a million rows")
            << u"inalte.xlsx"_s
            << carte(QList<QByteArray>(
                   130, "<row r=\"1\"><c><v>1</v></c></row><row r=\"1048576\"><c><v>2</v></c></row>"))
            << 1300 << buget;
        // A heading of 600,000 characters in 1,000 columns: the field names
        // alone would need more than the reader's budget.
        QByteArray lungi = "<row r=\"1\">";
        for (int k = 0; k < 1000; ++k)
            lungi += "<c t=\"s\"><v>0</v></c>";
        QTest::newRow("a long heading in 1,000 columns")
            << u"antet.xlsx"_s
            << carte({lungi + "</row>" + rand(2, c)}, "<si><t>" + QByteArray(600'000, 'a') + "</t></si>")
            << 1300 << buget;
        QTest::newRow("1.5 million escapes")
            << u"escape.xlsx"_s
            << carte({foaie(rand(2, "<c t=\"s\"><v>0</v></c>"))},
                     "<si><t>" + QByteArray("_x0038_").repeated(1'500'000) + "</t></si>")
            << 600 << QStringList{u"salvate 1"_s};
    }

    void subLimita()
    {
        QFETCH(QString, nume);
        QFETCH(QByteArray, continut);
        QFETCH(int, megaocteti);
        QFETCH(QStringList, iesire);
        QVERIFY(!continut.isEmpty());
        QTemporaryDir dir;
        const QString cale = dir.filePath(nume);
        {
            QFile f(cale);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(continut), continut.size());
        }
        QProcess p;
        p.setProgram(QStringLiteral(PREIA_EXCEL_PATH));
        p.setArguments({cale});
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const rlim_t limita = rlim_t(megaocteti) << 20;
        p.setChildProcessModifier([limita] {
            const rlimit r{limita, limita};
            setrlimit(RLIMIT_AS, &r);
        });
        p.start();
        QVERIFY(p.waitForFinished(120'000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QStringList linii = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        for (QString& l : linii)
            l = l.trimmed();
        QCOMPARE(linii, iesire);
        QCOMPARE(p.exitCode(), iesire.size() == 1 ? 0 : 2);
    }
};

QTEST_GUILESS_MAIN(TestPreluareLimite)
#include "tst_preluare_limite.moc"
