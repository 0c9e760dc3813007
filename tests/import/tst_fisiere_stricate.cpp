// Workbooks that break readers, picked for an import by mistake or on
// purpose: the sheet listing, the template editor's sample and the import
// each give their message and nothing stored changes; the next import reads
// as before.

#include "Mediu_Preluare.h"
#include "import/Preluare_Excel.h"
#include "import/Preluare_Fisiere.h"
#include "platform/excel/xls_build.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

const QString kNecitit = u"Fisierul Excel NU poate fi citit, verificati macheta de preluare"_s;

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
        using namespace xls_build;
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QByteArray>("continut");
        QTest::addColumn<QString>("cauza"); // the line under the message's first
        const QString ostil = qEnvironmentVariable("QUORVEL_SOURCE_DIR") + u"/tests/fixtures/hostile/"_s;
        const QString mare = u"Fisierul excel este prea mare pentru a fi citit: "_s;
        const QList<std::pair<QString, QString>> fisiere{
            {u"crash_on_open.xls"_s, u"Fisierul .xls este deteriorat: un lant de sectoare mici este rupt."_s},
            {u"sparse_last_row.xlsx"_s,
             mare +
                 u"foaia 'Sheet1' are 1048576 randuri pe 190 coloane, mai mult de 50 milioane de celule."_s},
            // Read, but the template wants five columns.
            {u"control_chars_in_text.xlsx"_s, u"Randul \"Tara_Dest\" (Tara_Dest) al machetei \"Livrari\" : "
                                              u"coloana 2 nu exista in foaie (foaia are o singura coloana)."_s},
            {u"zip_bomb.xlsx"_s,
             mare + u"partea 'xl/sharedStrings.xml' are 200 MB dezarhivata, mai mult de 128 MB."_s},
        };
        for (const auto& [f, cauza] : fisiere)
            QTest::newRow(qPrintable(f)) << f << octeti(ostil + f) << cauza;
        const QByteArray bun = octeti(ostil + u"control_chars_in_text.xlsx"_s);
        QTest::newRow("truncated zip")
            << u"taiat.xlsx"_s << bun.left(bun.size() * 2 / 3)
            << u"Fisierul nu este un fisier excel intreg (arhiva zip este deteriorata sau taiata)."_s;
        QTest::newRow("empty file") << u"gol.xlsx"_s << QByteArray() << u"Fisierul este gol."_s;
        QTest::newRow("text file") << u"note.xls"_s << QByteArray("Cod;Tara\n84713000;DE\n")
                                   << u"Fisierul nu este un fisier excel (.xls sau .xlsx)."_s;

        // Protected by a password: an .xls encrypted behind its FILEPASS
        // record, an .xlsx kept encrypted in a compound file.
        const QString parola =
            u"Fisierul excel este protejat cu parola: salvati-l fara parola si incercati din nou."_s;
        QByteArray rc4;
        put16(rc4, 1);
        put16(rc4, 1);
        put16(rc4, 1);
        rc4 += QByteArray(48, '\x5a');
        QTest::newRow("protected xls")
            << u"parola.xls"_s
            << compoundFile(workbookStream(record(0x002F, rc4), {SheetPart{u"Sheet1"_s, number(0, 0, 1)}}))
            << parola;
        QByteArray info;
        put16(info, 4);
        put16(info, 4);
        put32(info, 0x40);
        info += "<?xml version=\"1.0\"?><encryption/>";
        QTest::newRow("protected xlsx")
            << u"parola.xlsx"_s
            << compoundFile(
                   QList<Stream>{{u"EncryptionInfo"_s, info},
                                 {u"EncryptedPackage"_s, QByteArray(8, '\0') + QByteArray(4096, 'x')}})
            << parola;
    }
    void hostileWorkbooks()
    {
        QFETCH(QString, nume);
        QFETCH(QByteArray, continut);
        QFETCH(QString, cauza);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        // A month already imported stays as it is.
        const QString bun = m.cale(u"bun.xls"_s);
        QVERIFY(QFile::copy(preluare_test::fixtura(u"preluare.xls"_s), bun));
        preluare_test::Tacut t;
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
        QCOMPARE(mesaje().at(0), kNecitit + u"\r\n"_s + cauza);
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
        preluare_test::Tacut t;
        QCOMPARE(Preia_Fisier_Excel(intrari(cale), t).salvate, 3);
        QCOMPARE(mesaje(), QStringList());
    }
};

QTEST_MAIN(TestFisiereStricate)
#include "tst_fisiere_stricate.moc"
