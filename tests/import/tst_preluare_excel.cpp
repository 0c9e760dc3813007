// The Excel import as the window runs it: the row filling of every column,
// the input checks and their messages, the questions, the tariff of the
// import's period, the rows that cannot be saved, and an import killed in the
// middle of its copy.

#include "Mediu_Preluare.h"
#include "codelists/ConexiuneTarif.h"
#include "import/Machete.h"
#include "import/Preluare_Excel.h"

#include <QProcess>
#include <QtTest>
#include <thread>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

Q_DECLARE_METATYPE(Intrari_Preluare)
Q_DECLARE_METATYPE(QList<preluare_test::Rand>)

namespace {

const QString kLivrari = u"O - Pentru livrari (IESIRI)"_s;
const QString kAchizitii = u"I - Pentru achizitii (INTRARI)"_s;

class Jurnal : public Observator_Preluare
{
public:
    void adauga(const QString& text) override { texte << text; }
    void inceputCopiere() override { ++inceputuri; }
    void progres(const Progres_Preluare& p) override
    {
        procente << p.procent;
        ultimulRand = p.rand;
        salvate = p.salvate;
        erori = *p.erori;
    }
    QStringList texte;
    QList<int> procente;
    int inceputuri = 0;
    int ultimulRand = 0;
    int salvate = 0; // as the journal's last "SE RETIN DATELE" line says
    QStringList erori;
};

Intrari_Preluare intrari(const QString& cale, const QString& tip = kLivrari,
                         const QString& macheta = u"Livrari"_s)
{
    return {u"2026"_s, u"3"_s, cale, u"Sheet1"_s, u"RO0000001"_s, macheta, tip};
}

// The row at a 1-based sheet position, every column by name.
db::Recordset rand(int pozitia)
{
    auto rs = Conexiune_Firma.openRecordset(u"SELECT * FROM Intrastat WHERE Pozitia = "_s +
                                                QString::number(pozitia) + u" ORDER BY Record_ID"_s,
                                            db::CursorType::Static, db::LockType::ReadOnly);
    return rs ? *rs : db::Recordset();
}

QStringList mesaje()
{
    QStringList t;
    for (const ui::testing::Call& c : ui::testing::messages())
        t << c.text;
    return t;
}

// The child of killedImport: imports and stops, never to return, once the
// copy has passed half the rows.
class Oprire : public Observator_Preluare
{
public:
    void adauga(const QString&) override {}
    void inceputCopiere() override {}
    void progres(const Progres_Preluare& p) override
    {
        if (p.rand * 2 < p.total)
            return;
        std::fputs("COPIERE\n", stdout);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::minutes(5));
    }
};

int copil(const QString& arbore, const QString& cale)
{
    Folder_BazaDate = arbore + u"/System/DataBase/"_s;
    if (Conexiune_Comun.open(Folder_BazaDate + u"Comun.mdb"_s) ||
        Conexiune_Firma.open(Folder_BazaDate + u"RO0000001.mdb"_s))
        return 2;
    FirmaCurenta_CodFiscal = u"RO0000001"_s;
    ui::testing::setEnabled(true);
    Oprire oprire;
    Preia_Fisier_Excel(intrari(cale), oprire);
    return 3; // never reached while the parent kills it in time
}

} // namespace

class TestPreluareExcel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_xls;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A folder name with an apostrophe, as real folders have them.
        QVERIFY(QDir().mkpath(m_dir.filePath(u"Facturi D'Arc"_s)));
        m_xls = m_dir.filePath(u"Facturi D'Arc/book.xls"_s);
        QVERIFY(QFile::copy(preluare_test::fixtura(u"preluare.xls"_s), m_xls));
    }

    // Every column of a dispatch row, from an .xls sheet.
    void dispatchRows()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(m_xls), j);
        QVERIFY(r.terminata);
        QCOMPARE(r.total, 3);
        QCOMPARE(r.randuri, 3);
        QCOMPARE(r.salvate, 3);
        QVERIFY2(r.erori.isEmpty(), qPrintable(r.erori.join(QString())));
        QCOMPARE(mesaje(), QStringList());
        QCOMPARE(j.texte,
                 (QStringList{u"\r\nSe citeste fisiereul excel : "_s + m_xls,
                              u"\r\nTOTAL INREGISTRARI CITITE: 3"_s, u"\r\n\r\nOPERATIE TERMINATA . . ."_s}));
        QCOMPARE(j.procente.last(), 100);
        QVERIFY(!RS_Preluare.isOpen());

        db::Recordset r1 = rand(1);
        QCOMPARE(r1.recordCount(), 1);
        const QList<std::pair<QString, QString>> asteptat{
            {u"TIP"_s, u"O"_s},
            {u"Cod_Fiscal"_s, u"RO0000001"_s},
            {u"Anul"_s, u"2026"_s},
            {u"Luna"_s, u"3"_s},
            {u"Cod_NC"_s, u"84713000"_s},
            {u"Tara_Dest"_s, u"DE"_s},
            {u"Tara_Exp"_s, u"RO"_s},
            {u"Tara_Orig"_s, u"RO"_s},
            {u"Val_Fiscala"_s, u"1234"_s},
            {u"Net"_s, u"10"_s},
            {u"Nat_Tranz"_s, u"11"_s},
            {u"Probleme"_s, u"False"_s},
            {u"SourceFile"_s, u"book.xls"_s},
            {u"SourceFile_FullPath"_s, m_xls},
            {u"UserName"_s, u"ion"_s},
            {u"Data_Preluare"_s, u"2026-04-20"_s},
            {u"Cod_UMS"_s, u"p/st"_s},
            {u"Exista_UMS"_s, u"True"_s},
            {u"Val_UMS"_s, u"4"_s}, // 3.5 to even
        };
        for (const auto& [coloana, valoare] : asteptat)
            QCOMPARE(coloana + u'=' + r1.value(coloana).toText(), coloana + u'=' + valoare);
        QVERIFY(r1.value(u"Descriere_NC"_s).toText().startsWith(u"Mașini automate"_s));

        // A code written with a blank, dots and a hyphen, unknown to the
        // tariff; an empty mass takes the template's default.
        db::Recordset r2 = rand(2);
        QCOMPARE(r2.value(u"Cod_NC"_s).toText(), u"847130001"_s);
        QCOMPARE(r2.value(u"Val_Fiscala"_s).toText(), u"1236"_s); // 1235.5 to even
        QCOMPARE(r2.value(u"Net"_s).toText(), u"0"_s);
        QCOMPARE(r2.value(u"Tara_Dest"_s).toText(), u"FR"_s);
        QVERIFY(r2.value(u"Cod_UMS"_s).isNull());
        QVERIFY(r2.value(u"Val_UMS"_s).isNull());
        QVERIFY(r2.value(u"Descriere_NC"_s).isNull());
        // A code typed as a number; no quantity for a code with a unit gives 0.
        db::Recordset r3 = rand(3);
        QCOMPARE(r3.value(u"Cod_NC"_s).toText(), u"84713000"_s);
        QCOMPARE(r3.value(u"Val_UMS"_s).toText(), u"0"_s);
    }

    // Arrivals: Romania is the destination whatever the sheet says, a blank
    // origin stays blank, codes in capitals, quantities to even.
    void arrivalRows()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"Achizitii"_s, u"ACHIZITIE"_s,
                          {{u"Cod_NC"_s, 1, {}, {}},
                           {u"Tara_Exp"_s, 2, {}, 2},
                           {u"Tara_Dest"_s, 2, {}, 2},
                           {u"Incoterms"_s, 3, {}, 3},
                           {u"Cantitate"_s, 4, {}, {}},
                           {u"Valoare_Valuta"_s, 5, {}, {}}}));
        const QString cale = m_dir.filePath(u"intrari.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, u"Tara"_s, u"Livrare"_s, u"Cant"_s, u"Valuta"_s},
                                                {u"8471 30 00"_s, u"hu"_s, u"exw"_s, 2.5, 10.12345},
                                                {u"84714100"_s, u"at"_s, QVariant(), 7.5, 0.00005}}));
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(cale, kAchizitii, u"Achizitii"_s), j);
        QCOMPARE(r.salvate, 2);
        db::Recordset r1 = rand(1);
        QCOMPARE(r1.value(u"TIP"_s).toText(), u"I"_s);
        QCOMPARE(r1.value(u"Tara_Dest"_s).toText(), u"RO"_s);
        QCOMPARE(r1.value(u"Tara_Exp"_s).toText(), u"HU"_s);
        QVERIFY(r1.value(u"Tara_Orig"_s).isNull());
        QCOMPARE(r1.value(u"Incoterms"_s).toText(), u"EXW"_s);
        QCOMPARE(r1.value(u"Val_UMS"_s).toText(), u"2"_s); // 2.5 to even
        QCOMPARE(r1.value(u"Valoare_Valuta"_s).toDouble(), 10.1234);
        QCOMPARE(rand(2).value(u"Val_UMS"_s).toText(), u"8"_s);
        QCOMPARE(rand(2).value(u"Valoare_Valuta"_s).toDouble(), 0.0);
    }

    void inputs_data()
    {
        QTest::addColumn<Intrari_Preluare>("in");
        QTest::addColumn<QStringList>("asteptat");
        const QString o = u"  -  Obligatoriu de completat !"_s;
        QTest::newRow("all blank") << Intrari_Preluare{u" "_s, {}, {}, {}, {}, {}, {}}
                                   << QStringList{u"Anul"_s + o,
                                                  u"Luna"_s + o,
                                                  u"Nume fisier"_s + o,
                                                  u"Sheet Name"_s + o,
                                                  u"Cod inreg fiscala"_s + o,
                                                  u"Nume Macheta"_s + o,
                                                  u"Tip Operatiune"_s + o};
        Intrari_Preluare an = intrari(u"/nu/exista.xls"_s);
        an.anul = u"20x6"_s;
        QTest::newRow("year not a number")
            << an << QStringList{u"Anul  -  Trebuie sa fie un an de 4 cifre !"_s};
        an.anul = u"26"_s;
        QTest::newRow("year of two digits")
            << an << QStringList{u"Anul  -  Trebuie sa fie un an de 4 cifre !"_s};
        Intrari_Preluare luna = intrari(u"/nu/exista.xls"_s);
        luna.luna = u"13"_s;
        const QString l = u"Luna  -  Trebuie sa fie un numar intre 1 si 12 !"_s;
        QTest::newRow("month 13") << luna << QStringList{l};
        luna.luna = u"0"_s;
        QTest::newRow("month 0") << luna << QStringList{l};
        luna.luna = u"3.5"_s;
        QTest::newRow("month with a fraction") << luna << QStringList{l};
        QTest::newRow("missing workbook")
            << intrari(u"/nu/exista.xls"_s) << QStringList{u"Nu exista fisierul : /nu/exista.xls"_s};
    }
    void inputs()
    {
        QFETCH(Intrari_Preluare, in);
        QFETCH(QStringList, asteptat);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(in, j);
        QVERIFY(!r.terminata);
        QCOMPARE(mesaje(), asteptat);
        for (const ui::testing::Call& c : ui::testing::messages()) {
            QCOMPARE(c.icon, ui::Icon::Critical);
            if (c.text.startsWith(u"Nu exista"_s))
                QVERIFY(!c.title);
            else
                QCOMPARE(c.title.value_or(QString()), u"EROARE"_s);
        }
        QVERIFY(j.texte.isEmpty());
        QCOMPARE(Mediu::numarRanduri(), 0);
    }

    // The same workbook, company and period imported before, even for the
    // other flow: No writes nothing, Yes appends.
    void importedBefore()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        Jurnal j;
        QCOMPARE(Preia_Fisier_Excel(intrari(m_xls), j).salvate, 3);
        ui::testing::clear();
        ui::testing::pushAnswer(ui::Answer::No);
        QVERIFY(!Preia_Fisier_Excel(intrari(m_xls, kAchizitii), j).terminata);
        QCOMPARE(Mediu::numarRanduri(), 3);
        const QList<ui::testing::Call> intrebari = ui::testing::messages();
        QCOMPARE(intrebari.size(), 1);
        QCOMPARE(intrebari.at(0).text, u"Fisierul : "_s + m_xls + u"\r\nA MAI FOST PRELUAT, CONTINUATI ?"_s);
        QCOMPARE(intrebari.at(0).buttons, ui::Buttons::YesNo);
        QCOMPARE(intrebari.at(0).icon, ui::Icon::Question);
        QCOMPARE(intrebari.at(0).title.value_or(QString()), u"RASPUNDETI"_s);
        ui::testing::pushAnswer(ui::Answer::Yes);
        QCOMPARE(Preia_Fisier_Excel(intrari(m_xls, kAchizitii), j).salvate, 3);
        QCOMPARE(Mediu::numarRanduri(), 6);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE TIP = 'I'"_s).toInt(), 3);
    }

    // A fiscal code other than the working company's is imported only when confirmed.
    void otherFiscalCode()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        Intrari_Preluare in = intrari(m_xls);
        in.codFiscal = u"RO1234567"_s;
        Jurnal j;
        ui::testing::pushAnswer(ui::Answer::No);
        QVERIFY(!Preia_Fisier_Excel(in, j).terminata);
        QCOMPARE(mesaje(), QStringList{u"Codul fiscal : RO1234567\r\nNU ESTE AL FIRMEI DE LUCRU (RO0000001), "
                                       u"CONTINUATI ?"_s});
        QCOMPARE(Mediu::numarRanduri(), 0);
        ui::testing::pushAnswer(ui::Answer::Yes);
        QCOMPARE(Preia_Fisier_Excel(in, j).salvate, 3);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE Cod_Fiscal = 'RO1234567'"_s).toInt(),
                 3);
        // The same code in other letters is the company's own: no question.
        ui::testing::clear();
        in.codFiscal = u"ro0000001"_s;
        QVERIFY(Preia_Fisier_Excel(in, j).terminata);
        QCOMPARE(mesaje(), QStringList());
    }

    // Three rows, the second refused by the database: it is left out and
    // reported, the others are saved.
    void unsavableRow()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        QVERIFY(Conexiune_Firma.execute(u"CREATE TRIGGER Refuza BEFORE INSERT ON Intrastat WHEN NEW.Cod_NC = "
                                        u"'847130001' BEGIN SELECT RAISE(ABORT, 'refuzat'); END"_s));
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(m_xls), j);
        QVERIFY(r.terminata);
        QCOMPARE(r.salvate, 2);
        QCOMPARE(r.randuri, 3);
        QCOMPARE(r.erori, QStringList{u"\r\nEROARE Inregistrarea : 2"_s});
        QCOMPARE(j.erori, r.erori);
        QCOMPARE(j.procente.last(), 100);
        QCOMPARE(j.ultimulRand, 3);
        QCOMPARE(j.salvate, 2);
        QCOMPARE(Mediu::valoare(u"SELECT GROUP_CONCAT(Pozitia) FROM (SELECT Pozitia FROM Intrastat ORDER BY "
                                u"Pozitia)"_s)
                     .toText(),
                 u"1,3"_s);
    }

    // A sheet the template cannot read, or without rows: nothing is written,
    // and the reason is said on a line of its own.
    void unreadableSheet_data()
    {
        QTest::addColumn<QString>("foaie");
        QTest::addColumn<QList<preluare_test::Rand>>("randuri");
        QTest::addColumn<QString>("macheta");
        QTest::addColumn<QString>("cauza");
        const QList<preluare_test::Rand> cod{{u"Cod_NC"_s, 1, {}, {}}};
        QTest::newRow("column beyond the sheet")
            << u"Sheet1"_s << QList<preluare_test::Rand>{{u"Cod_NC"_s, 9, {}, {}}} << u"Livrari"_s
            << u"Randul \"Cod_NC\" (Cod_NC) al machetei \"Livrari\" : coloana 9 nu exista in foaie (foaia "
               u"are 5 "
               u"coloane)."_s;
        QTest::newRow("missing sheet") << u"Foaie"_s << cod << u"Livrari"_s
                                       << u"Foaia \"Foaie\" nu exista in fisierul excel. Foile fisierului : "
                                          u"Date, Sheet1."_s;
        QTest::newRow("heading row only")
            << u"Date"_s << cod << u"Livrari"_s << u"Foaia \"Date\" nu are niciun rand de date."_s;
        QTest::newRow("unknown template")
            << u"Sheet1"_s << cod << u"Alta"_s << u"Macheta \"Alta\" nu exista."_s;
        QTest::newRow("template without rows") << u"Sheet1"_s << QList<preluare_test::Rand>{} << u"Livrari"_s
                                               << u"Macheta \"Livrari\" nu are niciun rand."_s;
        // A default stored before the editor checked it.
        QTest::newRow("stored default of the wrong kind")
            << u"Sheet1"_s << QList<preluare_test::Rand>{cod.at(0), {u"Curs_Schimb"_s, 0, u"4,97 EUR"_s, {}}}
            << u"Livrari"_s
            << u"Randul \"Curs_Schimb\" (Curs_Schimb) al machetei \"Livrari\" : valoarea implicita \"4,97 "
               u"EUR\" "
               u"nu este un numar (de exemplu 4,97 sau 1.234,5)."_s;
    }
    void unreadableSheet()
    {
        QFETCH(QString, foaie);
        QFETCH(QList<preluare_test::Rand>, randuri);
        QFETCH(QString, macheta);
        QFETCH(QString, cauza);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"Livrari"_s, u"LIVRARE"_s, randuri));
        Intrari_Preluare in = intrari(m_xls, kLivrari, macheta);
        in.foaie = foaie;
        Jurnal j;
        QVERIFY(!Preia_Fisier_Excel(in, j).terminata);
        const QString t = u"Fisierul Excel NU poate fi citit, verificati macheta de preluare"_s;
        QCOMPARE(mesaje(), QStringList{t + u"\r\n"_s + cauza});
        QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::Critical);
        QCOMPARE(j.texte.last(), u"\r\nEROARE - "_s + t + u"\r\n"_s + cauza);
        QCOMPARE(j.inceputuri, 0);
        QCOMPARE(Mediu::numarRanduri(), 0);
    }

    // A damaged, truncated or encrypted workbook (an encrypted .xlsx is an OLE
    // file), or a text file named .xlsx, is an unreadable sheet with the
    // reader's reason, never a crash.
    void damagedWorkbook_data()
    {
        QTest::addColumn<QByteArray>("octeti");
        QFile xls(preluare_test::fixtura(u"preluare.xls"_s));
        QVERIFY(xls.open(QIODevice::ReadOnly));
        const QByteArray intreg = xls.readAll();
        QTest::newRow("truncated") << intreg.left(intreg.size() / 2);
        QTest::newRow("garbage") << QByteArray(5000, 'q');
        QTest::newRow("text file") << QByteArray("Cod;Tara;Valoare\r\n84713000;DE;1234,5\r\n");
        QTest::newRow("encrypted") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
                                          QByteArray(4000, '\0');
    }
    void damagedWorkbook()
    {
        QFETCH(QByteArray, octeti);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        const QString cale = m.cale(u"stricat.xlsx"_s);
        QFile f(cale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octeti);
        f.close();
        Jurnal j;
        QVERIFY(!Preia_Fisier_Excel(intrari(cale), j).terminata);
        const QStringList linii = mesaje().value(0).split(u"\r\n"_s);
        QCOMPARE(mesaje().size(), 1);
        QCOMPARE(linii.size(), 2);
        QCOMPARE(linii.at(0), u"Fisierul Excel NU poate fi citit, verificati macheta de preluare"_s);
        QVERIFY(!linii.at(1).trimmed().isEmpty());
        QCOMPARE(Mediu::numarRanduri(), 0);
    }

    // A workbook written the way Romanian users write one: amounts kept as
    // text in local form, a default typed with a decimal comma, a text
    // default without quotes, a blank row between invoices, an amount that
    // cannot be read, control characters in texts.
    void localWorkbook()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"Local"_s, u"LIVRARE"_s,
                          {{u"Cod_NC"_s, 1, {}, {}},
                           {u"Val_Fiscala"_s, 2, {}, {}},
                           {u"Cantitate"_s, 3, {}, {}},
                           {u"Net"_s, 4, u"0,5"_s, {}},
                           {u"Descriere"_s, 5, {}, 255},
                           {u"UM"_s, 6, {}, 20},
                           {u"Curs_Schimb"_s, 0, u"4,97"_s, {}},
                           {u"Moneda"_s, 0, u"EUR"_s, {}}}));
        const QString cale = m.cale(u"local.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(
            cale, {{u"Cod"_s, u"Valoare"_s, u"Cantitate"_s, u"Masa"_s, u"Descriere"_s, u"UM"_s},
                   {u"84713000"_s, u"1 234,5"_s, u"1.234,56"_s, u"1\u00A0234"_s, u"Laptop"_s, u"buc"_s},
                   {u"84714100"_s, 99.5, u"-2,5"_s, QVariant(), u"Surub\u000B M8"_s, u"b\u0001uc"_s},
                   {QVariant(), QVariant(), u"  "_s, QVariant(), QVariant(), QVariant()},
                   {u"84715000"_s, u"12,3,4"_s, 7, u"10,49"_s, u"Cablu"_s, u"m"_s},
                   {u"84716000"_s, u"2,5"_s, u"1,234"_s, u"x"_s, u"Mouse"_s, u"buc"_s}}));
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(cale, kLivrari, u"Local"_s), j);
        QVERIFY(r.terminata);
        QCOMPARE(r.total, 4);
        QCOMPARE(r.goale, 1);
        QCOMPARE(r.randuri, 4);
        QCOMPARE(r.salvate, 4);
        QCOMPARE(r.cuRefuzuri, 2);
        QCOMPARE(r.erori,
                 (QStringList{
                     u"\r\nEROARE Inregistrarea : 2 - caractere de control eliminate din : Descriere, UM"_s,
                     u"\r\nEROARE Inregistrarea : 4 - Val_Fiscala : \"12,3,4\""_s,
                     u"\r\nEROARE Inregistrarea : 5 - Net : \"x\""_s,
                 }));
        QCOMPARE(j.texte.at(1), u"\r\nTOTAL INREGISTRARI CITITE: 4"_s);
        // The journal counts the lines saved, not the blank row.
        QCOMPARE(j.salvate, 4);
        QCOMPARE(Stare_Preluare(r),
                 u"Au fost preluate : 4 inregistrari din totalul de : 4\nSalvate complet : 2"
                 u"   Cu valori refuzate : 2   Randuri goale sarite : 1"_s);
        // The blank row gives no line; the others keep their place in the sheet.
        QCOMPARE(Mediu::numarRanduri(), 4);
        QCOMPARE(Mediu::valoare(u"SELECT GROUP_CONCAT(Pozitia) FROM (SELECT Pozitia FROM Intrastat ORDER BY "
                                u"Pozitia)"_s)
                     .toText(),
                 u"1,2,4,5"_s);
        QCOMPARE(
            Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE Curs_Schimb = 4.97 AND Moneda = 'EUR'"_s)
                .toInt(),
            4);
        db::Recordset r1 = rand(1);
        QCOMPARE(r1.value(u"Val_Fiscala"_s).toDouble(), 1234.0); // 1234.5 to even
        QCOMPARE(r1.value(u"Cantitate"_s).toDouble(), 1234.56);
        QCOMPARE(r1.value(u"Net"_s).toDouble(), 1234.0);
        db::Recordset r2 = rand(2);
        QCOMPARE(r2.value(u"Val_Fiscala"_s).toDouble(), 100.0); // 99.5 to even
        QCOMPARE(r2.value(u"Cantitate"_s).toDouble(), -2.5);
        QCOMPARE(r2.value(u"Net"_s).toDouble(), 0.0); // the default 0,5 rounded to even
        QCOMPARE(r2.value(u"Descriere"_s).toText(), u"Surub M8"_s);
        QCOMPARE(r2.value(u"UM"_s).toText(), u"buc"_s);
        // The amount that cannot be read is left empty, the rest of the row is saved.
        db::Recordset r4 = rand(4);
        QVERIFY(r4.value(u"Val_Fiscala"_s).isNull());
        QCOMPARE(r4.value(u"Cantitate"_s).toDouble(), 7.0);
        QCOMPARE(r4.value(u"Net"_s).toDouble(), 10.0);
        QCOMPARE(r4.value(u"Descriere"_s).toText(), u"Cablu"_s);
        db::Recordset r5 = rand(5);
        QCOMPARE(r5.value(u"Val_Fiscala"_s).toDouble(), 2.0);
        QCOMPARE(r5.value(u"Cantitate"_s).toDouble(), 1.234);
        QVERIFY(r5.value(u"Net"_s).isNull());
    }

    // Amounts of a billion lei and more as formula cells give them, a few
    // millionths off a half or on one, and the currency value and the rate
    // to their 4 decimals: each stored rounded once, to the nearer unit, a
    // half to even.
    void formulaCellsRoundOnce_data()
    {
        QTest::addColumn<QString>("coloana");
        QTest::addColumn<double>("rezultat"); // what the workbook keeps for the formula
        QTest::addColumn<double>("stocat");
        QTest::newRow("fiscal value, millionths short of a half")
            << u"Val_Fiscala"_s << 1298829805.499999 << 1298829805.0;
        QTest::newRow("fiscal value, millionths past a half")
            << u"Val_Fiscala"_s << 1244096322.500003 << 1244096323.0;
        QTest::newRow("statistical value, on a half") << u"Val_Stat"_s << 2500000000.5 << 2500000000.0;
        QTest::newRow("statistical value, millionths past a half")
            << u"Val_Stat"_s << 2999999998.500002 << 2999999999.0;
        QTest::newRow("net mass, millionths short of a half") << u"Net"_s << 1000000001.499998 << 1000000001.0;
        QTest::newRow("currency value, on a half of its 4th decimal")
            << u"Valoare_Valuta"_s << 123456789.12345 << 123456789.1234;
        QTest::newRow("currency value, past a half of its 4th decimal")
            << u"Valoare_Valuta"_s << 123456789.1234502 << 123456789.1235;
        QTest::newRow("rate, on a half of its 4th decimal") << u"Curs_Schimb"_s << 4.97655 << 4.9766;
    }
    void formulaCellsRoundOnce()
    {
        QFETCH(QString, coloana);
        QFETCH(double, rezultat);
        QFETCH(double, stocat);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"Formule"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, {}}, {coloana, 2, {}, {}}}));
        const QString cale = m.cale(u"formule.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(
            cale, {{u"Cod"_s, u"Suma"_s},
                   {u"84713000"_s, QVariant::fromValue(preluare_test::Formula{u"=1+1"_s, rezultat})}}));
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(cale, kLivrari, u"Formule"_s), j);
        QVERIFY(r.terminata);
        QCOMPARE(r.salvate, 1);
        QVERIFY2(r.erori.isEmpty(), qPrintable(r.erori.join(QString())));
        QCOMPARE(rand(1).value(coloana).toDouble(), stocat);
    }

    // A value bound for a date column that is not a date of the calendar
    // is refused with its column, whether it comes as a date or as a number.
    void datesOutOfTheCalendar()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(
            m.macheta(u"Date"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, {}}, {u"Data_Preluare"_s, 2, {}, {}}}));
        const QString cale = m.cale(u"date.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, u"Data"_s},
                                                {u"84713000"_s, QDate(2026, 3, 3)},
                                                {u"84713000"_s, 3000000.0},
                                                {u"84713000"_s, -700000.0},
                                                {u"84713000"_s, u"31.02.2026"_s},
                                                {u"84713000"_s, u"0050-01-01"_s}}));
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(cale, kLivrari, u"Date"_s), j);
        QCOMPARE(r.salvate, 5);
        QCOMPARE(r.cuRefuzuri, 4);
        QCOMPARE(r.erori, (QStringList{u"\r\nEROARE Inregistrarea : 2 - Data_Preluare : \"3000000\""_s,
                                       u"\r\nEROARE Inregistrarea : 3 - Data_Preluare : \"-700000\""_s,
                                       u"\r\nEROARE Inregistrarea : 4 - Data_Preluare : \"31.02.2026\""_s,
                                       u"\r\nEROARE Inregistrarea : 5 - Data_Preluare : \"0050-01-01\""_s}));
        // The import's own date stands on every line.
        QCOMPARE(
            Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE Data_Preluare = '2026-04-20'"_s).toInt(),
            5);
    }

    // The tariff used is always the one of the import's period, whatever
    // tariff was open before.
    void tariffOfThePeriod()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        // The shipped tariff of 2025, marked so that its unit tells it apart.
        {
            db::Connection vechi;
            QVERIFY(!vechi.open(Folder_BazaDate + u"CN/CN2025.mdb"_s));
            QVERIFY(vechi.execute(u"UPDATE HS_8 SET UM_SUPL = 'buc' WHERE HS8_COD = '84713000'"_s));
        }
        // The tariff menu opens the current month's tariff.
        QVERIFY(Deschide_Conexiune_Tarif(4, 2026));
        Jurnal j;
        Intrari_Preluare in = intrari(m_xls);
        in.anul = u"2025"_s;
        in.luna = u"12"_s;
        QCOMPARE(Preia_Fisier_Excel(in, j).salvate, 3);
        QCOMPARE(
            Mediu::valoare(u"SELECT Cod_UMS FROM Intrastat WHERE Anul = 2025 AND Pozitia = 1"_s).toText(),
            u"buc"_s);
        QVERIFY(Conexiune_CN.path().endsWith(u"CN2025.mdb"_s));
        QCOMPARE(Preia_Fisier_Excel(intrari(m_xls), j).salvate, 3);
        QCOMPARE(
            Mediu::valoare(u"SELECT Cod_UMS FROM Intrastat WHERE Anul = 2026 AND Pozitia = 1"_s).toText(),
            u"p/st"_s);
        QCOMPARE(mesaje(), QStringList());
    }

    // The demonstration company's template reads the sample workbook of the
    // program folder as it is shipped.
    void demonstration()
    {
        Mediu m;
        QVERIFY(m.gata());
        const QString exemplu = Cale_Fisier_Macheta(
            Mediu::valoare(u"SELECT SampleExcelFile FROM StructuraFisiereAntet WHERE Nume_structura = "
                           u"'Exemplu Livrari'"_s)
                .toText());
        QCOMPARE(exemplu, m.radacina() + u"/Exemple/Exemplu_Livrari.xlsx"_s);
        QVERIFY2(QFile::exists(exemplu), qPrintable(exemplu));
        QCOMPARE(Cale_Fisier_Macheta(
                     Mediu::valoare(u"SELECT Locatie_Implicita FROM StructuraFisiereAntet"_s).toText()) +
                     u"Exemplu_Livrari.xlsx"_s,
                 exemplu);
        // Absolute paths and empty ones stay as they are.
        QCOMPARE(Cale_Fisier_Macheta(u"/date/martie.xlsx"_s), u"/date/martie.xlsx"_s);
        QCOMPARE(Cale_Fisier_Macheta(QString()), QString());
        Jurnal j;
        const Rezultat_Preluare r = Preia_Fisier_Excel(intrari(exemplu, kLivrari, u"Exemplu Livrari"_s), j);
        QCOMPARE(r.salvate, 8);
        QVERIFY2(r.erori.isEmpty(), qPrintable(r.erori.join(QString())));
        QCOMPARE(rand(2).value(u"Cod_NC"_s).toText(), u"84182151"_s);
        QCOMPARE(rand(2).value(u"Val_Stat"_s).toDouble(), rand(2).value(u"Val_Fiscala"_s).toDouble());
        QCOMPARE(rand(2).value(u"Cod_UMS"_s).toText(), u"p/st"_s);
        QCOMPARE(rand(3).value(u"Tara_Orig"_s).toText(), u"RO"_s);
        QCOMPARE(rand(3).value(u"Nat_Tranz"_s).toText(), u"11"_s);
        QCOMPARE(rand(7).value(u"Cod_NC"_s).toText(), u"04011010"_s);
        QCOMPARE(rand(7).value(u"Exista_UMS"_s).toBool(), false);
        QCOMPARE(rand(1).value(u"Document_Data_Referinta"_s).toText(), u"2026-03-03"_s);
        QCOMPARE(rand(1).value(u"VAT_ID"_s).toText(), u"DE123456789"_s);
        // The tariff of the period knows every code: each line has its Romanian description.
        QCOMPARE(
            Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE IFNULL(Descriere_NC, '') = ''"_s).toInt(),
            0);
        QCOMPARE(rand(2).value(u"Descriere_NC"_s).toText(), u"Cu compresie - Frigidere tip masă"_s);
    }

    void names()
    {
        QCOMPARE(Fisier_Sursa(u"/home/ion/Facturi/martie.xlsx"_s), u"martie.xlsx"_s);
        QCOMPARE(Fisier_Sursa(u"martie.xls"_s), u"martie.xls"_s);
        QCOMPARE(Fisier_Sursa(u"/a/"_s + QString(60, u'x')), QString(50, u'x'));
        QCOMPARE(Cale_Sursa(u"/"_s + QString(300, u'p')).size(), 255);
        QCOMPARE(Luna_Precedenta(QDate(2027, 1, 15)), std::make_pair(2026, 12));
        QCOMPARE(Luna_Precedenta(QDate(2026, 3, 31)), std::make_pair(2026, 2));
        Rezultat_Preluare r;
        r.cale = u"/home/ion/D'Arc/book.xls"_s;
        r.codFiscal = u"RO0000001"_s;
        r.anul = 2026;
        r.luna = 3;
        r.tip = u"O"_s;
        QCOMPARE(Filtru_Preluare(r), u" WHERE SourceFile_FullPath='/home/ion/D''Arc/book.xls' AND "
                                     u"Cod_Fiscal='RO0000001' AND Anul=2026 AND Luna=3 AND Tip='O'"_s);
        r.tip = u"'"_s;
        QVERIFY(Filtru_Preluare(r).endsWith(u" AND Tip=''''"_s));
        QCOMPARE(Titlu_Declaratie_Preluare(r),
                 u"INTRASTAT -  ANUL: 2026   LUNA: 3   FISIER: /home/ion/D'Arc/book.xls"_s);
    }

    // An import killed in the middle of its copy leaves Intrastat as it was.
    void killedImport()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        Jurnal j;
        QCOMPARE(Preia_Fisier_Excel(intrari(m_xls), j).salvate, 3);
        QList<QVariantList> randuri{{u"Cod"_s, u"Tara"_s, u"Valoare"_s, u"Masa"_s, u"Cantitate"_s}};
        for (int i = 0; i < 20000; ++i)
            randuri.push_back({u"84713000"_s, u"de"_s, 100 + i, 1.5, 2});
        const QString mare = m.cale(u"mare.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(mare, randuri));

        QProcess copil;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QUORVEL_PRELUARE_COPIL"_s, m.radacina());
        env.insert(u"QUORVEL_PRELUARE_FISIER"_s, mare);
        copil.setProcessEnvironment(env);
        copil.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(copil.waitForStarted());
        QByteArray iesire;
        while (!iesire.contains("COPIERE") && copil.state() == QProcess::Running &&
               copil.waitForReadyRead(60000))
            iesire += copil.readAllStandardOutput();
        QVERIFY2(iesire.contains("COPIERE"), iesire.constData());
        // Rows of the copy are written, but not committed, when the process dies.
        QVERIFY(QFile::exists(Folder_BazaDate + u"RO0000001.mdb-journal"_s));
        copil.kill();
        QVERIFY(copil.waitForFinished());

        QCOMPARE(Mediu::numarRanduri(), 3);
        QCOMPARE(Mediu::valoare(u"PRAGMA integrity_check"_s).toText(), u"ok"_s);
    }
};

int main(int argc, char** argv)
{
    const QString arbore = qEnvironmentVariable("QUORVEL_PRELUARE_COPIL");
    if (!arbore.isEmpty()) {
        QCoreApplication app(argc, argv);
        return copil(arbore, qEnvironmentVariable("QUORVEL_PRELUARE_FISIER"));
    }
    QApplication app(argc, argv);
    TestPreluareExcel test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_preluare_excel.moc"
