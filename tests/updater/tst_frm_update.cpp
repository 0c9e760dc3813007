// The updater's window: the program folder read from the registry, one
// update per start, the messages at its end and the exit.

#include "Mediu_Actualizare.h"
#include "platform/registry/registry.h"
#include "updater/Actualizare.h"
#include "updater/Frm_Update.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

void scrieRegistru(const QString& cheie, const QString& nume, const QString& valoare)
{
    reg::HKEY h = 0;
    QVERIFY(reg::createKey(reg::HKEY_LOCAL_MACHINE, cheie, reg::KEY_ALL_SPECIFIC, &h) == reg::ERROR_SUCCESS);
    const QString text = valoare + QChar(u'\0');
    QCOMPARE(reg::setTextValue(h, nume, text, std::uint32_t(text.size())), reg::ERROR_SUCCESS);
    reg::closeKey(h);
}

// The installation's folders as Quorvel writes them, the program folder
// without its final "/".
void scrieFoldere(const Mediu_Actualizare& m)
{
    scrieRegistru(Cheie_Program_Update, u"AppPath"_s, m.arbore.radacina());
    scrieRegistru(Cheie_FileLocation_Update, u"DataBase"_s, m.arbore.folderBazaDate());
}

Frm_Update* deschide()
{
    Folder_BazaDate_Update.clear();
    Folder_Program_Update.clear();
    ui::Forms::show(u"Frm_Update"_s);
    return ui::Forms::get<Frm_Update>(u"Frm_Update"_s);
}

// The window opened on the installation with the whole package beside it;
// nullptr when the package cannot be written.
Frm_Update* deschideCuPachet(const Mediu_Actualizare& m)
{
    if (!m.scriePachetComplet(u"2.4.0.0"_s))
        return nullptr;
    scrieFoldere(m);
    return deschide();
}

} // namespace

class TestFrmUpdate : public QObject
{
    Q_OBJECT

private slots:
    void init() { Inregistreaza_Ferestre_Update(); }

    void deschidere()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        scrieFoldere(m);
        Frm_Update* f = deschide();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Actualizare Quorvel"_s);
        QCOMPARE(f->TxtEXEPath->text(), m.arbore.radacina());
        QCOMPARE(Folder_BazaDate_Update, m.arbore.folderBazaDate());
        QVERIFY(!f->CmdUpdate->isHidden());
        QVERIFY(f->CmdIesire->isHidden());
        // Esc leaves only by the exit button, which shows once the update has run.
        QVERIFY(ui::Forms::show(u"Frm_Update"_s));
        QTest::keyClick(f->TxtEXEPath, Qt::Key_Escape);
        QVERIFY(ui::Forms::isLoaded(u"Frm_Update"_s));
    }

    // Values missing from the registry leave the folders empty.
    void registruGol()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        Frm_Update* f = deschide();
        QVERIFY(f);
        QCOMPARE(f->TxtEXEPath->text(), QString());
        QCOMPARE(Folder_BazaDate_Update, QString());
    }

    void actualizare()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        Frm_Update* f = deschideCuPachet(m);
        QVERIFY(f);

        f->CmdUpdate->click();

        QCOMPARE(f->TxtEXEPath->text(), m.arbore.radacina() + u'/');
        const QList<ui::testing::Call> mesaje = ui::testing::messages();
        QCOMPARE(mesaje.size(), 1);
        QCOMPARE(mesaje[0].text, u"Actualizare Terminata !"_s);
        QCOMPARE(mesaje[0].icon, ui::Icon::Information);
        QVERIFY(!mesaje[0].title.has_value());
        QVERIFY(f->CmdUpdate->isHidden());
        QVERIFY(!f->CmdIesire->isHidden());
        QVERIFY(m.arbore.deschide(u"System/DataBase/Comun.mdb"_s).tableExists(u"Actualizare_Comun"_s));
        QCOMPARE(Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s)),
                 Mediu_Actualizare::executabil(u"2.4.0.0"_s));

        f->CmdIesire->click();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Update"_s));
    }

    // What failed is told at the end, and the update is still over.
    void actualizareCuErori()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(QFile::remove(m.arbore.cale(u"System/DataBase/goala.mdb"_s)));
        Frm_Update* f = deschideCuPachet(m);
        QVERIFY(f);

        f->CmdUpdate->click();

        const QList<ui::testing::Call> mesaje = ui::testing::messages();
        QCOMPARE(mesaje.size(), 1);
        QCOMPARE(mesaje[0].text, u"ACTUALIZARE TERMINATA CU ERORI :\r\n\r\nNU EXISTA FISIERUL : "_s +
                                     m.arbore.folderBazaDate() + u"goala.mdb"_s);
        QCOMPARE(mesaje[0].icon, ui::Icon::Critical);
        QCOMPARE(mesaje[0].title, std::optional<QString>(u"EROARE"_s));
        QVERIFY(f->CmdUpdate->isHidden());
        QVERIFY(!f->CmdIesire->isHidden());
        QVERIFY(ui::Forms::show(u"Frm_Update"_s));
        QTest::keyClick(f->CmdIesire, Qt::Key_Escape);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Update"_s));
    }

    // A blank or wrong program folder changes nothing and the update can be
    // started again with the folder corrected.
    void folderGresit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("gol");
        QTest::newRow("blank") << u" "_s << true;
        QTest::newRow("missing folder") << u"/nonexistent/Quorvel"_s << false;
    }
    void folderGresit()
    {
        QFETCH(QString, text);
        QFETCH(bool, gol);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        Frm_Update* f = deschideCuPachet(m);
        QVERIFY(f);
        f->TxtEXEPath->setText(text);

        f->CmdUpdate->click();

        const QList<ui::testing::Call> mesaje = ui::testing::messages();
        QCOMPARE(mesaje.size(), 1);
        QCOMPARE(mesaje[0].text, gol ? u"Locatie  Program Quorvel  -  Obligatoriu de completat !"_s
                                     : u"EROARE MAJORA, NU EXISTA DIRECTORUL : \r\n/nonexistent/Quorvel/"_s);
        QCOMPARE(mesaje[0].icon, ui::Icon::Critical);
        QCOMPARE(mesaje[0].title, std::optional<QString>(u"EROARE"_s));
        QVERIFY(!f->CmdUpdate->isHidden());
        QVERIFY(f->CmdUpdate->isEnabled());
        QVERIFY(f->CmdIesire->isHidden());
        QVERIFY(!m.arbore.deschide(u"System/DataBase/Comun.mdb"_s).tableExists(u"Actualizare_Comun"_s));

        ui::testing::clear();
        f->TxtEXEPath->setText(m.arbore.radacina());
        f->CmdUpdate->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Actualizare Terminata !"_s});
    }
};

QTEST_MAIN(TestFrmUpdate)
#include "tst_frm_update.moc"
