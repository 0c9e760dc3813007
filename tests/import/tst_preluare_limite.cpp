// Workbooks that once cost far more than they hold, imported in a process
// of their own (preia_excel) under a limit of its address space, as
// `ulimit -v` sets it: a small workbook of either kind imports under 600
// MB; deep nesting, a text of 127 MB, an unordered sheet, thousands of equal
// headings, a million escapes, sheets whose blank rows would need more than
// the reader's budget, wide sheets whose blank cells the tables would
// write, a heading that is no name and shared texts in UTF-16 each end
// within their limit, with the import's own message where the file is
// refused. Files held to a size stand for a full disk.

#include "platform/excel/xlsx_build.h"

#include <QDir>
#include <QProcess>
#include <QStringEncoder>
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
        // alone would need more than the reader's budget, but a heading that
        // long is no name and is refused first.
        QByteArray lungi = "<row r=\"1\">";
        for (int k = 0; k < 1000; ++k)
            lungi += "<c t=\"s\"><v>0</v></c>";
        QTest::newRow("a long heading in 1,000 columns")
            << u"antet.xlsx"_s
            << carte({lungi + "</row>" + rand(2, c)}, "<si><t>" + QByteArray(600'000, 'a') + "</t></si>")
            << 1300
            << QStringList{kNecitit,
                           u"Titlul coloanei 1 (A) din foaia 'Sheet1' are 600000 de caractere; numele unei coloane "
                           u"poate avea cel mult 255 de caractere. Scurtati titlul in fisierul excel si incercati "
                           u"din nou."_s,
                           u"salvate 0"_s};
        // 167 sheets, each a heading of 2,000 columns and one number in row
        // 25,001: within every limit of a table, but 8 GB to write.
        QByteArray lata = "<row r=\"1\">";
        for (int k = 0; k < 2000; ++k)
            lata += "<c t=\"inlineStr\"><is><t>H" + QByteArray::number(k) + "</t></is></c>";
        lata += "</row><row r=\"25001\"><c r=\"A25001\"><v>1</v></c></row>";
        QTest::newRow("167 wide sheets of a far cell")
            << u"late.xlsx"_s << carte(QList<QByteArray>(167, lata)) << 600
            << QStringList{kNecitit,
                           u"Fisierul excel este prea mare pentru a fi citit: tabelele foilor lui cer impreuna mai "
                           u"mult de 1024 MB de memorie si de spatiu in folderul temporar."_s,
                           u"salvate 0"_s};
        // The shared texts in UTF-16 with an element named U+4E22, whose
        // code unit holds the byte of a quote, and 100,000 attributes: refused
        // as its twin in UTF-8 is.
        QByteArray atribute;
        for (int k = 0; k < 100'000; ++k)
            atribute += " a" + QByteArray::number(k) + "=\"1\"";
        QList<std::pair<QString, QByteArray>> parti = xlsx_build::packageParts(
            {foaie(rand(2, "<c t=\"s\"><v>0</v></c>"))}, "<si><t>84713000</t></si><\xE4\xB8\xA2" + atribute + "/>");
        for (auto& [parte, date] : parti)
            if (parte == u"xl/strings.xml"_s)
                date = QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                           .encode(QString::fromUtf8(date).replace(u"<?xml version=\"1.0\"?>"_s,
                                                                   u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>"_s));
        QTest::newRow("100,000 attributes in UTF-16")
            << u"utf16.xlsx"_s << xlsx_build::zipParts(parti, 1) << 600
            << QStringList{kNecitit,
                           u"Partea 'xl/strings.xml' nu este un XML corect: un element are mai mult de 64 de atribute."_s,
                           u"salvate 0"_s};
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
        QStringList linii;
        int cod = -1;
        preia(nume, continut, megaocteti, QByteArray(), linii, cod);
        QCOMPARE(linii, iesire);
        QCOMPARE(cod, iesire.size() == 1 ? 0 : 2);
    }

    // With no room left where a file grows (each file held to a size, as a
    // full disk refuses a write), the import says where, in Romanian, blames
    // neither the workbook nor the template, and saves nothing.
    void faraSpatiu_data()
    {
        QTest::addColumn<QByteArray>("limita");
        QTest::addColumn<QString>("mesaj"); // "*" where the text may hold anything
        QTest::newRow("the temporary folder")
            << QByteArray("65536")
            << u"Nu este destul spatiu pe disc in folderul temporar '%1' pentru a citi fisierul excel: eliberati "
               u"spatiu pe disc si incercati din nou."_s.arg(QDir::tempPath());
        QTest::newRow("the company's folder")
            << QByteArray("firma")
            << u"Nu este destul spatiu pe disc in folderul firmei '*/System/DataBase' pentru a salva datele: nu "
               u"s-a salvat nicio inregistrare. Eliberati spatiu pe disc si incercati din nou."_s;
    }

    void faraSpatiu()
    {
        QFETCH(QByteArray, limita);
        QFETCH(QString, mesaj);
        // 2,000 rows: more than the temporary folder's 64 KB, less than
        // the company database, which they do not fit beside.
        QByteArray randuri;
        for (int r = 2; r <= 2001; ++r)
            randuri += rand(r, "<c t=\"inlineStr\"><is><t>84713000</t></is></c>");
        QStringList linii;
        int cod = -1;
        preia(u"plin.xlsx"_s, carte({foaie(randuri)}), 600, limita, linii, cod);
        QCOMPARE(cod, 2);
        QCOMPARE(linii.size(), 3);
        // The company's folder lies in a temporary folder of the child's own.
        const QStringList capete = mesaj.split(u'*');
        QVERIFY2(linii.at(0).startsWith(capete.first()) && linii.at(0).endsWith(capete.last()),
                 qPrintable(linii.at(0)));
        QCOMPARE(linii.mid(1), (QStringList{u"salvate 0"_s, u"in Intrastat 0"_s}));
    }

private:
    // Imports the workbook in preia_excel under a limit of its address space
    // and, when given, of its files' size: the lines it prints and its exit code.
    static void preia(const QString& nume, const QByteArray& continut, int megaocteti, const QByteArray& limita,
                      QStringList& linii, int& cod)
    {
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
        if (!limita.isEmpty()) {
            QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
            mediu.insert(u"PREIA_EXCEL_LIMITA_FISIER"_s, QString::fromLatin1(limita));
            p.setProcessEnvironment(mediu);
        }
        const rlim_t spatiu = rlim_t(megaocteti) << 20;
        p.setChildProcessModifier([spatiu] {
            const rlimit r{spatiu, spatiu};
            setrlimit(RLIMIT_AS, &r);
        });
        p.start();
        QVERIFY(p.waitForFinished(120'000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        linii = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        for (QString& l : linii)
            l = l.trimmed();
        cod = p.exitCode();
    }
};

QTEST_GUILESS_MAIN(TestPreluareLimite)
#include "tst_preluare_limite.moc"
