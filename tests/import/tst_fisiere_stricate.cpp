// Workbooks that break readers, picked for an import by mistake or on
// purpose: the sheet listing, the template editor's sample and the import
// each give their message and nothing stored changes; the next import reads
// as before.

#include "Mediu_Preluare.h"
#include "import/Preluare_Excel.h"
#include "import/Preluare_Fisiere.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

const QString kNecitit = u"Fisierul Excel NU poate fi citit, verificati macheta de preluare"_s;

class Tacut : public Observator_Preluare
{
public:
    void adauga(const QString&) override {}
    void inceputCopiere() override {}
    void progres(const Progres_Preluare&) override {}
};

Intrari_Preluare intrari(const QString& cale)
{
    return {u"2026"_s, u"3"_s, cale, u"Sheet1"_s, u"RO0000001"_s, u"Livrari"_s, u"O - Pentru livrari (IESIRI)"_s};
}

QByteArray octeti(const QString& cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList mesaje()
{
    QStringList t;
    for (const ui::testing::Call& c : ui::testing::messages())
        t << c.text;
    return t;
}

} // namespace

class TestFisiereStricate : public QObject
{
    Q_OBJECT

private slots:
    void hostileWorkbooks_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QByteArray>("continut");
        const QString ostil = qEnvironmentVariable("QUORVEL_SOURCE_DIR") + u"/tests/fixtures/hostile/"_s;
        for (const QString& f : {u"crash_on_open.xls"_s, u"sparse_last_row.xlsx"_s, u"control_chars_in_text.xlsx"_s,
                                 u"zip_bomb.xlsx"_s})
            QTest::newRow(qPrintable(f)) << f << octeti(ostil + f);
        const QByteArray bun = octeti(ostil + u"control_chars_in_text.xlsx"_s);
        QTest::newRow("truncated zip") << u"taiat.xlsx"_s << bun.left(bun.size() * 2 / 3);
        QTest::newRow("empty file") << u"gol.xlsx"_s << QByteArray();
        QTest::newRow("text file") << u"note.xls"_s << QByteArray("Cod;Tara\n84713000;DE\n");
    }
    void hostileWorkbooks()
    {
        QFETCH(QString, nume);
        QFETCH(QByteArray, continut);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        // A month already imported stays as it is.
        const QString bun = m.cale(u"bun.xls"_s);
        QVERIFY(QFile::copy(preluare_test::fixtura(u"preluare.xls"_s), bun));
        Tacut t;
        QCOMPARE(Preia_Fisier_Excel(intrari(bun), t).salvate, 3);
        ui::testing::clear();

        const QString cale = m.cale(nume);
        {
            QFile f(cale);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(continut);
        }
        // Browse lists no sheet of a file it cannot read.
        const QStringList foi = Foi_Excel(cale);
        QVERIFY(foi.isEmpty() || foi == QStringList{u"Sheet1"_s});
        // The template editor's sample: an error message, nothing read.
        const db::Recordset proba = Deschide_Sheet_Excel(cale, u"Sheet1"_s);
        if (!proba.isOpen()) {
            QCOMPARE(mesaje().size(), 1);
            QVERIFY2(mesaje().at(0).startsWith(u"EROARE : "_s), qPrintable(mesaje().at(0)));
        }
        ui::testing::clear();
        // The import: its message, and no row more or less.
        QVERIFY(!Preia_Fisier_Excel(intrari(cale), t).terminata);
        QVERIFY(!mesaje().isEmpty());
        QVERIFY2(mesaje().at(0).startsWith(kNecitit), qPrintable(mesaje().at(0)));
        QCOMPARE(Mediu::numarRanduri(), 3);
        QCOMPARE(octeti(cale), continut);

        // The next import reads as before.
        ui::testing::clear();
        const QString dinNou = m.cale(u"din nou.xls"_s);
        QVERIFY(QFile::copy(bun, dinNou));
        QCOMPARE(Preia_Fisier_Excel(intrari(dinNou), t).salvate, 3);
        QCOMPARE(Mediu::numarRanduri(), 6);
    }

    // A workbook named as the other kind is read by what it holds.
    void renamedWorkbook_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::newRow("xls named xlsx") << u"luna.xlsx"_s;
        QTest::newRow("xls named xls") << u"luna.xls"_s;
    }
    void renamedWorkbook()
    {
        QFETCH(QString, nume);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        const QString cale = m.cale(nume);
        QVERIFY(QFile::copy(preluare_test::fixtura(u"preluare.xls"_s), cale));
        Tacut t;
        QCOMPARE(Preia_Fisier_Excel(intrari(cale), t).salvate, 3);
        QCOMPARE(mesaje(), QStringList());
    }
};

QTEST_MAIN(TestFisiereStricate)
#include "tst_fisiere_stricate.moc"
