// The main menu's commands: for each, the window it opens (a recording
// stand-in or the real window), the values handed over, and whether an open
// work window was closed first.

#include "Arbore_Test.h"
#include "import/Frm_Preluare_Excel.h"
#include "import/Frm_Selectie_Mod_Preluare.h"
#include "import/Frm_Structura_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/sys/clock.h"
#include "platform/ui/fereastra_stub.h"
#include "shell/FRM_About.h"
#include "shell/Frm_Creare_Firma.h"
#include "shell/Frm_Setari.h"
#include "shell/Meniu_Comenzi.h"
#include "shell/Pornire.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;
using Comanda = std::function<void()>;
Q_DECLARE_METATYPE(Comanda)

namespace {

// A work window that cannot close while it holds a line it cannot write.
class Fereastra_Refuza : public ui::Fereastra
{
public:
    Fereastra_Refuza() : ui::Fereastra(u"Frm_INTRASTAT"_s, u"INTRASTAT"_s) {}
    static inline bool refuza = true;
    void Form_Unload(bool& cancel) override { cancel = refuza; }
};

} // namespace

class TestMeniuComenzi : public QObject
{
    Q_OBJECT

private:
    static void pregateste()
    {
        Reseteaza_Globale_Meniu();
        Reseteaza_Globale_Tarif();
        Inregistreaza_Ferestre_Pornire();
        ui::Forms::registerWindow(u"Frm_Setari"_s, [] { return new Frm_Setari; });
        ui::Forms::registerWindow(u"FRM_About"_s, [] { return new FRM_About; });
        // The code-list windows record what the menu hands them (their own
        // tests open the real ones).
        ui::FereastraStub::registerStub(u"Frm_Lista_tabele"_s, u"Frm_Lista_tabele"_s, [] {
            return QVariantMap{{u"SQL_Lista"_s, SQL_Lista}};
        });
        ui::FereastraStub::registerStub(u"Frm_HS"_s, u"Frm_HS"_s, [] {
            return QVariantMap{{u"HS_SQL"_s, HS_SQL},
                               {u"HS_Comentarii"_s, HS_Comentarii},
                               {u"HS_NrColoane"_s, HS_NrColoane},
                               {u"HS_Nivel"_s, HS_Nivel},
                               {u"Conexiune_CN"_s, Conexiune_CN.isOpen()}};
        });
        ui::FereastraStub::registerStub(u"Frm_Explicativ"_s, u"Frm_Explicativ"_s);
        ui::FereastraStub::registerStub(u"Frm_Actualizari_Generale"_s, u"Frm_Actualizari_Generale"_s, [] {
            return QVariantMap{{u"Tip_Actualizare"_s, Tip_Actualizare}};
        });
        Inregistreaza_Ferestre_Meniu();
        ui::FereastraStub::registerStub(u"Frm_INTRASTAT"_s, u"Frm_INTRASTAT"_s);
        ui::FereastraStub::clearDeschideri();
    }

    // The real template windows, on the demonstration company.
    static bool pregatesteMachete(const Arbore_Test& arbore)
    {
        pregateste();
        ui::Forms::registerWindow(u"Frm_Structura_Fisiere"_s, [] { return new Frm_Structura_Fisiere; });
        ui::Forms::registerWindow(u"Frm_Selectie_Mod_Preluare"_s,
                                  [] { return new Frm_Selectie_Mod_Preluare; });
        return !Conexiune_Comun.open(Cale_Comun) &&
               !Conexiune_Firma.open(arbore.folderBazaDate() + u"RO0000001.mdb"_s);
    }

private slots:
    void cleanup()
    {
        ui::Forms::resetForTests();
        sys::Clock::reset();
    }

    void comenzi_data()
    {
        QTest::addColumn<Comanda>("comanda");
        QTest::addColumn<QString>("tinta");
        QTest::addColumn<QVariantMap>("valori");
        QTest::addColumn<bool>("inchide");

        QTest::newRow("Tari")
            << Comanda([] { Meniu_Lista_Cod(Lista_Cod::Tari); }) << u"Frm_Lista_tabele"_s
            << QVariantMap{{u"SQL_Lista"_s,
                            u"SELECT [Tara_COD], [Tara_DESC] FROM Tari ORDER BY [Tara_COD]"_s}}
            << false;
        QTest::newRow("Natura tranzactiei")
            << Comanda([] { Meniu_Lista_Cod(Lista_Cod::Nat_Tranzactiei); }) << u"Frm_Lista_tabele"_s
            << QVariantMap{{u"SQL_Lista"_s,
                            u"SELECT TR1_COD + '.'+ TR2_COD, TR_DESC FROM Tranzactii ORDER BY TR1_COD, TR2_COD"_s}}
            << false;
        QTest::newRow("Capitole")
            << Comanda([] { Meniu_Tarif(Nivel_Tarif::HS_2); }) << u"Frm_HS"_s
            << QVariantMap{{u"HS_SQL"_s, u"SELECT [HS2_COD], [HS2_DESC] FROM [HS_2] ORDER BY [HS2_COD]"_s},
                           {u"HS_Comentarii"_s, false},
                           {u"HS_NrColoane"_s, 2},
                           {u"HS_Nivel"_s, 2}}
            << true;
        QTest::newRow("Cod Vamal (8+4)")
            << Comanda([] { Meniu_Tarif(Nivel_Tarif::HS_8); }) << u"Frm_HS"_s
            << QVariantMap{{u"HS_SQL"_s,
                            u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM "
                            u"[HS_8] WHERE [AN_END] IS NULL ORDER BY [HS12_COD]"_s},
                           {u"HS_Comentarii"_s, false},
                           {u"HS_NrColoane"_s, 5},
                           {u"HS_Nivel"_s, 8}}
            << true;
        QTest::newRow("Selectie Cod Vamal")
            << Comanda(Meniu_Explicativ_Selectie) << u"Frm_Explicativ"_s << QVariantMap() << true;
        QTest::newRow("Denumire Rapoarte")
            << Comanda(Meniu_Denumire_Rapoarte) << u"Frm_Actualizari_Generale"_s
            << QVariantMap{{u"Tip_Actualizare"_s, 13}} << true;
    }
    void comenzi()
    {
        QFETCH(Comanda, comanda);
        QFETCH(QString, tinta);
        QFETCH(QVariantMap, valori);
        QFETCH(bool, inchide);
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        pregateste();
        sys::Clock::set(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));
        ui::FereastraStub::clearDeschideri();

        comanda();

        const auto& d = ui::FereastraStub::deschideri();
        QCOMPARE(d.size(), 1);
        QCOMPARE(d.at(0).name, tinta);
        for (auto it = valori.cbegin(); it != valori.cend(); ++it)
            QCOMPARE(d.at(0).values.value(it.key()).toString(), it.value().toString());
        QCOMPARE(ui::Forms::isLoaded(u"Frm_INTRASTAT"_s), !inchide);
        QVERIFY(ui::Forms::isLoaded(tinta));
    }

    // "Prelucrare Declaratia Intrastat" closes the work windows and opens the
    // declaration chooser itself, on the working company's periods.
    void declaratiaIntrastat()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        pregateste();
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        QVERIFY(!Conexiune_Firma.open(arbore.folderBazaDate() + u"RO0000001.mdb"_s));
        QVERIFY(Conexiune_Firma.execute(u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, SourceFile) "
                                        u"VALUES ('I', 'RO0000001', 2026, 5, 'a.xlsx')"_s));
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));
        ui::FereastraStub::clearDeschideri();
        Meniu_Declaratie_Intrastat();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QWidget* f = ui::Forms::get(u"Frm_Intrastat_Selectie"_s);
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(f->windowTitle(), u"Intrastat Selectie"_s);
        QCOMPARE(f->findChild<QComboBox*>(u"Combo_Anul"_s)->itemText(0), u"I - 2026 - 5"_s);
        QVERIFY(ui::FereastraStub::deschideri().isEmpty());
        QVERIFY(Arbore_Test::mesaje().isEmpty());
    }

    // "Quorvel (Preluare fisier)" closes the work windows and opens the real
    // import window.
    void preluareFisier()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        pregateste();
        ui::Forms::registerWindow(u"Frm_Preluare_Excel"_s, [] { return new Frm_Preluare_Excel; });
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));

        Meniu_Preluare_Fisier();

        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        auto* f = ui::Forms::get<Frm_Preluare_Excel>(u"Frm_Preluare_Excel"_s);
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(f->windowTitle(), u"Preluare date din Excel"_s);
    }

    // A work window that refuses to close (a line the rules refuse, its
    // message shown) keeps the command from opening anything; once it can
    // close, the same command goes on.
    void fereastraRamasaOpresteComanda_data()
    {
        QTest::addColumn<Comanda>("comanda");
        QTest::addColumn<QString>("tinta");
        QTest::newRow("Prelucrare Declaratia Intrastat")
            << Comanda(Meniu_Declaratie_Intrastat) << u"Frm_Intrastat_Selectie"_s;
        QTest::newRow("company change") << Comanda(Meniu_Selectie_Firma) << u"Frm_Selectie_Firma"_s;
        QTest::newRow("company data") << Comanda(Meniu_Date_Firma) << u"Frm_Creare_Firma"_s;
        QTest::newRow("tariff") << Comanda([] { Meniu_Tarif(Nivel_Tarif::HS_2); }) << u"Frm_HS"_s;
        QTest::newRow("report names") << Comanda(Meniu_Denumire_Rapoarte) << u"Frm_Actualizari_Generale"_s;
    }
    void fereastraRamasaOpresteComanda()
    {
        QFETCH(Comanda, comanda);
        QFETCH(QString, tinta);
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        pregateste();
        ui::Forms::registerWindow(u"Frm_INTRASTAT"_s, [] { return new Fereastra_Refuza; });
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        QVERIFY(!Conexiune_Firma.open(arbore.folderBazaDate() + u"RO0000001.mdb"_s));
        FirmaCurenta_CodFiscal = u"RO0000001"_s; // "Date Firma" edits the working company
        Firma_Noua = true;
        Fereastra_Refuza::refuza = true;
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));

        comanda();
        QVERIFY(ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QVERIFY(!ui::Forms::isLoaded(tinta));
        QVERIFY(ui::FereastraStub::deschideri().isEmpty());
        QVERIFY(Firma_Noua);

        Fereastra_Refuza::refuza = false;
        comanda();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QVERIFY(ui::Forms::isLoaded(tinta));
    }

    // The list query joins the two levels of the code with a dot.
    void naturaTranzactiei()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        const Definitie_Lista d = Definitie_Lista_Cod(Lista_Cod::Nat_Tranzactiei);
        QCOMPARE(d.titlu, u"Natura Tranzactiei -"_s);
        QCOMPARE(d.coloane.at(1).first, u"DESCRIERE "_s);
        auto rs = Conexiune_Comun.openRecordset(d.sql);
        QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
        QVERIFY(rs.value().rowCount() > 0);
        QCOMPARE(rs.value().valueAt(0, 0).toText(), u"1.1"_s);
    }

    // The tariff of the current month is opened only when none is open.
    void tariful()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        pregateste();
        sys::Clock::set(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        Meniu_Tarif(Nivel_Tarif::HS_1);
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
        QVERIFY(Conexiune_CN.isOpen());
        QCOMPARE(ui::FereastraStub::deschideri().at(0).values.value(u"Conexiune_CN"_s).toBool(), true);
    }

    // The template commands close the work windows and open the real
    // template windows: the editor of a new template, and the chooser with
    // only the button of the command.
    void machete()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        QVERIFY(pregatesteMachete(arbore));
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));
        ui::FereastraStub::clearDeschideri();

        Meniu_Macheta_Noua();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        auto* editor = ui::Forms::get<Frm_Structura_Fisiere>(u"Frm_Structura_Fisiere"_s);
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowTitle(), u"Definire machete fisiere excel"_s);
        QCOMPARE(editor->NumeSalvare->text(), QString());
        QVERIFY(!editor->NumeSalvare->isReadOnly());

        for (const bool modifica : {true, false}) {
            modifica ? Meniu_Modificare_Macheta() : Meniu_Sterge_Macheta();
            QVERIFY(!ui::Forms::isLoaded(u"Frm_Structura_Fisiere"_s));
            auto* alegere = ui::Forms::get<Frm_Selectie_Mod_Preluare>(u"Frm_Selectie_Mod_Preluare"_s);
            QVERIFY(alegere);
            QVERIFY(alegere->isVisible());
            QCOMPARE(alegere->CmdModifica->isVisible(), modifica);
            QCOMPARE(alegere->CmdSterge->isVisible(), !modifica);
            QCOMPARE(alegere->TDBSelectieModPreluare->count(), 1); // the demonstration's template
        }
        QVERIFY(ui::FereastraStub::deschideri().isEmpty());
        QVERIFY(Arbore_Test::mesaje().isEmpty());
    }

    // The template editor closing clears Conditie_Macheta: the command sets
    // its values after closing.
    void machetaNouaDupaInchidere()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        QVERIFY(pregatesteMachete(arbore));
        Meniu_Macheta_Noua();
        QVERIFY(ui::Forms::isLoaded(u"Frm_Structura_Fisiere"_s));
        Conditie_Macheta = u"x"_s;
        Mod_Macheta = 1;
        Meniu_Macheta_Noua();
        QCOMPARE(Mod_Macheta, quint8(2));
        QCOMPARE(Conditie_Macheta, QString());
    }

    void firma_data()
    {
        QTest::addColumn<bool>("noua");
        QTest::newRow("Creare Firma Noua") << true;
        QTest::newRow("Date Firma") << false;
    }
    void firma()
    {
        QFETCH(bool, noua);
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        pregateste();
        QVERIFY(!Conexiune_Comun.open(Cale_Comun));
        FirmaCurenta_CodFiscal = u"RO0000001"_s; // "Date Firma" edits the working company
        QVERIFY(ui::Forms::show(u"Frm_INTRASTAT"_s));
        noua ? Meniu_Creare_Firma() : Meniu_Date_Firma();
        QCOMPARE(Firma_Noua, noua);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        auto* f = ui::Forms::get<Frm_Creare_Firma>(u"Frm_Creare_Firma"_s);
        QVERIFY(f);
        QCOMPARE(f->NumeBazaDeDate->isVisible(), noua);
        QCOMPARE(f->CmdCreazaFirma->isVisible(), noua);
        QCOMPARE(f->Label15->isVisible(), noua);
        QCOMPARE(f->CmdRetine->isVisible(), !noua);
    }

    void documente()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Folder_Sistem = u"/opt/Program Files/System/"_s;
        Cale_IExplore = u"xdg-open"_s;
        Exista_IExplore = true;
        const auto html = Comanda_Explicativ_Html();
        QVERIFY(html);
        QCOMPARE(html->argumente, QStringList{u"/opt/Program Files/System/HS/Explicativ.Html"_s});
        QVERIFY(!Comanda_Explicativ_Pdf());
        QVERIFY(!Comanda_Ajutor()); // no manual in that folder
        Folder_Sistem = arbore.cale(u"System/"_s);
        QFile::remove(arbore.cale(u"System/Help/Manual.Pdf"_s));
        const auto ajutor = Comanda_Ajutor();
        QVERIFY(ajutor);
        QCOMPARE(ajutor->program, u"xdg-open"_s);
        QCOMPARE(ajutor->argumente, QStringList{arbore.cale(u"System/Help/Manual.Html"_s)});

        // No viewer on this machine: a manual or notes that are there are
        // said, with their full path, never passed over in silence.
        Cale_AcroRd32 = Cale_IExplore = u"/nu/exista/xdg-open"_s;
        Exista_AcroRd32 = Exista_IExplore = false;
        QFile notite(arbore.cale(u"System/HS/Explicativ.Pdf"_s));
        QVERIFY(notite.exists() || (notite.open(QIODevice::WriteOnly) && notite.write("%PDF") > 0));
        notite.close();
        for (const auto& c : {Comanda_Ajutor(), Comanda_Explicativ_Pdf()}) {
            QVERIFY(c);
            QVERIFY(!c->gasit);
            ui::testing::clear();
            Porneste_Document(c);
            QCOMPARE(Arbore_Test::mesaje().size(), 1);
            const QString text = Arbore_Test::mesaje().constFirst();
            QVERIFY2(text.contains(c->argumente.value(0)) && text.contains(u"/nu/exista/xdg-open"_s),
                     qPrintable(text));
        }
        Folder_Sistem = u"/opt/Program Files/System/"_s; // nothing there: nothing to say
        QVERIFY(!Comanda_Ajutor());
        QVERIFY(!Comanda_Explicativ_Html());

        Producator_Email = u"office@example.ro"_s;
        QCOMPARE(Adresa_Email_Producator(), u"mailto:office@example.ro?subject=Quorvel vers:2.3.0"_s);
    }
};

QTEST_MAIN(TestMeniuComenzi)
#include "tst_meniu_comenzi.moc"
