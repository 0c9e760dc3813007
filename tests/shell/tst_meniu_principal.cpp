// The main window: its caption, its footer, a missing background picture,
// its menu, and the exit with its compaction limits.

#include "Alt_Proces.h"
#include "Arbore_Test.h"
#include "Deschizator_Test.h"
#include "platform/ui/fereastra_stub.h"
#include "shell/Frm_Meniu_Principal.h"
#include "common/Compact_Database.h"
#include "shell/Iesire_Program.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString fisier(const QString& cale, qint64 octeti)
{
    QFile f(cale);
    if (f.open(QIODevice::WriteOnly))
        f.resize(octeti);
    return cale;
}

// A work window that cannot close while it holds a line it cannot write.
class Fereastra_Refuza : public ui::Fereastra
{
public:
    Fereastra_Refuza() : ui::Fereastra(u"Frm_INTRASTAT"_s, u"INTRASTAT"_s) {}
    static inline bool refuza = true;
    void Form_Unload(bool& cancel) override { cancel = refuza; }
};

int notificariCompactare()
{
    int n = 0;
    for (const QString& t : Arbore_Test::mesaje())
        n += t.startsWith(u"Se va compacta baza de date: "_s) ? 1 : 0;
    return n;
}

} // namespace

class TestMeniuPrincipal : public QObject
{
    Q_OBJECT

private slots:
    void init() { Frm_Meniu_Principal::Fara_Sfarsit_Program = true; }

    void incarcare()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        ui::Forms::registerWindow(u"Frm_Meniu_Principal"_s, [] { return new Frm_Meniu_Principal; });
        FirmaCurenta_Nume = u"ACME"_s;
        Producator_NumeFirma = u"VELMORANT"_s;
        QFile::remove(arbore.cale(u"System/Imagini/Background.jpg"_s));
        auto* f = ui::Forms::load<Frm_Meniu_Principal>(u"Frm_Meniu_Principal"_s);
        QVERIFY(f);
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
        QVERIFY(!f->Image2->pixmap().isNull());
        QCOMPARE(f->Label2->text(), u"DataBase Name: "_s + Cale_Comun);
        QCOMPARE(f->EU1->text(), u"VELMORANT"_s);
        QCOMPARE(f->windowTitle(), u"Quorvel   versiunea  2.30  --  ACME"_s);
        FirmaCurenta_Nume = u"ALTA"_s;
        f->Form_Activate();
        QCOMPARE(f->windowTitle(), u"Quorvel   versiunea  2.30  --  ALTA"_s);
        QVERIFY(f->findChild<QAction*>(u"Nat_Tranzactiei"_s));
        QCOMPARE(f->findChild<QAction*>(u"Intrastat_Preluare"_s)->text(), u"Quorvel (Preluare fisier)"_s);
    }

    void documentNedeschis_data()
    {
        QTest::addColumn<QString>("comanda");
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("pdf"); // a PDF reader is set, else only a browser
        QTest::newRow("Ajutor > Ajutor") << u"Ajutor"_s << u"System/Help/Manual.Pdf"_s << true;
        QTest::newRow("Ajutor > Ajutor, the HTML manual") << u"Ajutor"_s << u"System/Help/Manual.Html"_s << false;
        QTest::newRow("Tot Explicativul (PDF)") << u"Explicativ_TOT_PDF"_s << u"System/HS/Explicativ.Pdf"_s << true;
    }

    // Where nothing can open the document (the opener finds no program for
    // it), the command says so and names the document's full path.
    void documentNedeschis()
    {
        QFETCH(QString, comanda);
        QFETCH(QString, document);
        QFETCH(bool, pdf);
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        const Deschizator_Test deschizator(arbore.cale(u"bin"_s), 3);
        QVERIFY(deschizator.ok());
        Cale_AcroRd32 = deschizator.cale();
        Exista_AcroRd32 = pdf;
        Cale_IExplore = deschizator.cale();
        Exista_IExplore = !pdf;
        ui::Forms::registerWindow(u"Frm_Meniu_Principal"_s, [] { return new Frm_Meniu_Principal; });
        auto* f = ui::Forms::load<Frm_Meniu_Principal>(u"Frm_Meniu_Principal"_s);
        QVERIFY(f);
        f->findChild<QAction*>(comanda)->trigger();
        const QString cale = arbore.cale(document);
        QCOMPARE(deschizator.fisiere(), QStringList{cale});
        QCOMPARE(Arbore_Test::mesaje(),
                 QStringList{u"Fisierul nu a putut fi deschis:\r\n"_s + cale +
                             u"\r\nNu este instalat niciun program care sa deschida acest fel de fisier "
                             u"(xdg-open, codul 3)."_s});
    }

    void compactare_data()
    {
        QTest::addColumn<qint64>("firma");
        QTest::addColumn<qint64>("comun");
        QTest::addColumn<int>("compactari");
        QTest::newRow("both at their limits") << qint64(1000) * 1024 << qint64(30000) * 1024 << 0;
        QTest::newRow("company 1001 KB") << qint64(1001) * 1024 << qint64(30000) * 1024 << 1;
        QTest::newRow("common 30001 KB") << qint64(1000) * 1024 << qint64(30001) * 1024 << 1;
        QTest::newRow("both past") << qint64(1001) * 1024 << qint64(30001) * 1024 << 2;
    }
    // Connections never opened: the sizes are still tested.
    void compactare()
    {
        QFETCH(qint64, firma);
        QFETCH(qint64, comun);
        QFETCH(int, compactari);
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Cale_Firma = fisier(arbore.cale(u"firma.mdb"_s), firma);
        Cale_Comun = fisier(arbore.cale(u"comun.mdb"_s), comun);
        Secventa_Iesire();
        QCOMPARE(notificariCompactare(), compactari);
    }

    // In a folder shared by several users, a company database another
    // process of the program has open is not compacted: replacing it would
    // make that process's next write fail. The user is told why.
    void compactareBazaFolosita()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Cale_Firma = arbore.folderBazaDate() + u"Mare.mdb"_s;
        {
            QVERIFY(!db::Connection::createDatabase(Cale_Firma));
            db::Connection c;
            QVERIFY(!c.open(Cale_Firma));
            QVERIFY(c.execute(u"CREATE TABLE Note (Text MEMO)"_s));
            QVERIFY(c.execute(u"INSERT INTO Note VALUES (?)"_s, {db::Variant(QString(1100 * 1024, u'x'))}));
        }
        QVERIFY(*Marime_Fisier_KB(Cale_Firma) > Limita_Compactare_Firma_KB);
        QVERIFY(!Conexiune_Firma.open(Cale_Firma));
        Alt_Proces alt;
        QCOMPARE(alt.deschide(Cale_Firma), u"deschis"_s);
        QFile f(Cale_Firma);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray inainte = f.readAll();
        f.close();

        Secventa_Iesire();
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 2);
        QVERIFY(m[0].text.startsWith(u"Se va compacta baza de date: "_s));
        QCOMPARE(m[1].icon, ui::Icon::Exclamation);
        QVERIFY2(m[1].text.contains(Cale_Firma) && m[1].text.contains(u"in use by another process"_s),
                 qPrintable(m[1].text));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), inainte);
        f.close();
        QCOMPARE(alt.comanda(u"DELETE FROM Note"_s), u"ok"_s);
    }

    // Leaving runs the other windows' unload routines first.
    void iesireInchideCelelalte()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        ui::Forms::registerWindow(u"Frm_Meniu_Principal"_s, [] { return new Frm_Meniu_Principal; });
        ui::FereastraStub::registerStub(u"Frm_INTRASTAT"_s);
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));
        QVERIFY(ui::Forms::load(u"Frm_Meniu_Principal"_s));
        QVERIFY(ui::Forms::unload(u"Frm_Meniu_Principal"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QVERIFY(!Conexiune_Comun.isOpen());
    }

    // A window that refuses to close keeps the program running: it and the
    // main window stay, the connections stay open and nothing is compacted,
    // but the windows that could close, opened before it or after, are
    // closed; once it can close, the exit goes on.
    void iesireOpritaDeFereastraRamasa()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        ui::Forms::registerWindow(u"Frm_Meniu_Principal"_s, [] { return new Frm_Meniu_Principal; });
        ui::Forms::registerWindow(u"Frm_INTRASTAT"_s, [] { return new Fereastra_Refuza; });
        ui::FereastraStub::registerStub(u"Frm_HS"_s);
        ui::FereastraStub::registerStub(u"Frm_Report"_s);
        Fereastra_Refuza::refuza = true;
        Cale_Firma = fisier(arbore.cale(u"firma.mdb"_s), qint64(1001) * 1024);
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        QVERIFY(ui::Forms::show(u"Frm_HS"_s));
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));
        QVERIFY(ui::Forms::show(u"Frm_Report"_s));
        QVERIFY(ui::Forms::load(u"Frm_Meniu_Principal"_s));

        QVERIFY(!ui::Forms::unload(u"Frm_Meniu_Principal"_s));
        QVERIFY(ui::Forms::isLoaded(u"Frm_Meniu_Principal"_s));
        QVERIFY(ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_HS"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Report"_s));
        QVERIFY(Conexiune_Comun.isOpen());
        QCOMPARE(notificariCompactare(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());

        Fereastra_Refuza::refuza = false;
        QVERIFY(ui::Forms::unload(u"Frm_Meniu_Principal"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QVERIFY(!Conexiune_Comun.isOpen());
        QCOMPARE(notificariCompactare(), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestMeniuPrincipal)
#include "tst_meniu_principal.moc"
