// The settings window: its fields read from the store, the refusals of a
// save in the order of the fields, the completed folders, the replaced save
// folder, and Renunta.

#include "Arbore_Test.h"
#include "common/Public_Citeste_Registrii.h"
#include "common/RegistriiOperatii_Setari.h"
#include "common/Registrii_Setatri_Default.h"
#include "shell/Frm_Setari.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString citeste(const QString& sectiune, const QString& valoare)
{
    return Citeste_Valoare(reg::HKEY_LOCAL_MACHINE, u"Software\\VELMORANT\\Quorvel\\Setari\\"_s + sectiune,
                           valoare)
        .toText();
}

} // namespace

class TestSetari : public QObject
{
    Q_OBJECT

private:
    Frm_Setari* deschide()
    {
        ui::Forms::registerWindow(u"Frm_Setari"_s, [] { return new Frm_Setari; });
        Scrie_Setari_Implicite();
        Citeste_Registrii_Culori();
        Citeste_Registrii_Zecimale();
        Citeste_Registrii_FileLocation();
        return ui::Forms::load<Frm_Setari>(u"Frm_Setari"_s);
    }
    // Folders without their final "/", all existing.
    void completeaza(Frm_Setari* f, const Arbore_Test& arbore)
    {
        f->FileLocation_DataBase->setText(arbore.cale(u"System/DataBase"_s));
        f->FileLocation_System->setText(arbore.cale(u"System"_s));
        f->FileLocation_ReportDefinitionPath->setText(arbore.cale(u"System/ReportDefinition"_s));
        f->FileLocation_DirectorSalvare->setText(arbore.cale(u"System/IntrastatSave"_s));
    }

private slots:
    void salvareCompleta()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Frm_Setari* f = deschide();
        QVERIFY(f);
        QCOMPARE(f->Zecimale_ZecRotCalcule->text(), u"4"_s);
        QCOMPARE(Frm_Setari::Culoare_Swatch(f->Culori_Meniu_Color), 0xC0FFFF);
        completeaza(f, arbore);
        f->Zecimale_ZecRotLEI->setText(u"3"_s);
        Frm_Setari::Seteaza_Culoare_Swatch(f->Culori_Meniu_Color, 0x123456);
        f->CmdOK->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Setari"_s));
        QCOMPARE(citeste(u"FileLocation"_s, u"DataBase"_s), arbore.cale(u"System/DataBase/"_s));
        QCOMPARE(Folder_BazaDate, arbore.cale(u"System/DataBase/"_s));
        QCOMPARE(Folder_Sistem, arbore.cale(u"System/"_s));
        QCOMPARE(Folder_DefinitiiRapoarte, arbore.cale(u"System/ReportDefinition/"_s));
        QCOMPARE(Folder_Salvare_XML, arbore.cale(u"System/IntrastatSave/"_s));
        QCOMPARE(citeste(u"Zecimale"_s, u"ZecRotLEI"_s), u"3"_s);
        QCOMPARE(Zecimale_Lei, quint8(3));
        QCOMPARE(Culoare_Meniu, 0x123456);
    }

    void refuzuri_data()
    {
        QTest::addColumn<QString>("camp");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("blank decimals")
            << u"Zecimale_ZecRotLEI"_s << QString() << u"Zecimale_ZecRotLEI  -  Obligatoriu de completat !"_s;
        QTest::newRow("letters") << u"Zecimale_ZecRotLEI"_s << u"ab"_s
                                 << u"Zecimale_ZecRotLEI - NU ESTE NUMAR"_s;
        QTest::newRow("fraction") << u"Zecimale_ZecRotValuta"_s << u"2.5"_s
                                  << u"Zecimale_ZecRotValuta - NU ESTE NUMAR"_s;
        QTest::newRow("beyond a byte")
            << u"Zecimale_NrZecTaxare"_s << u"300"_s << u"Zecimale_NrZecTaxare - NU ESTE NUMAR"_s;
        QTest::newRow("missing database folder") << u"FileLocation_DataBase"_s << u"/nonexistent/db"_s
                                                 << u"Nu exista directorul: /nonexistent/db/"_s;
        QTest::newRow("no report file") << u"FileLocation_ReportDefinitionPath"_s << u"SYSTEM"_s
                                        << u"Nu exista fisierul: SYSTEM/UE_Reports.xml"_s;
    }
    // One box, nothing written, no process-wide value changed, window open.
    void refuzuri()
    {
        QFETCH(QString, camp);
        QFETCH(QString, text);
        QFETCH(QString, mesaj);
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Frm_Setari* f = deschide();
        QVERIFY(f);
        completeaza(f, arbore);
        const QString dbInainte = citeste(u"FileLocation"_s, u"DataBase"_s);
        const QString folderInainte = Folder_BazaDate;
        if (text == u"SYSTEM")
            text = arbore.cale(u"System"_s);
        mesaj.replace(u"SYSTEM"_s, arbore.cale(u"System"_s));
        f->findChild<QLineEdit*>(camp)->setText(text);
        f->CmdOK->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList{mesaj});
        QCOMPARE(ui::testing::messages().at(0).title, std::optional<QString>(u"EROARE"_s));
        QVERIFY(ui::Forms::isLoaded(u"Frm_Setari"_s));
        QCOMPARE(citeste(u"FileLocation"_s, u"DataBase"_s), dbInainte);
        QCOMPARE(Folder_BazaDate, folderInainte);
    }

    void doarPrimulCampGol()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Frm_Setari* f = deschide();
        completeaza(f, arbore);
        f->FileLocation_DirectorSalvare->clear();
        f->FileLocation_DataBase->clear();
        f->CmdOK->click();
        QCOMPARE(Arbore_Test::mesaje(),
                 QStringList{u"FileLocation_DirectorSalvare  -  Obligatoriu de completat !"_s});
    }

    void folderSalvareLipsa()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Frm_Setari* f = deschide();
        completeaza(f, arbore);
        f->FileLocation_DirectorSalvare->setText(u"/nonexistent/save"_s);
        f->CmdOK->click();
        const QString inlocuit = arbore.radacina() + u"/System/IntrastatSave/"_s;
        QCOMPARE(Arbore_Test::mesaje(), (QStringList{u"Nu exista directorul: /nonexistent/save/"_s,
                                                     u"Directorul de salvare a fost set la :"_s + inlocuit}));
        QCOMPARE(ui::testing::messages().at(1).icon, ui::Icon::None);
        QCOMPARE(ui::testing::messages().at(1).title, std::nullopt);
        QCOMPARE(citeste(u"FileLocation"_s, u"DirectorSalvare"_s), inlocuit);
        QCOMPARE(Folder_Salvare_XML, inlocuit);
    }

    // Esc does what Renunta does, from any box.
    void escRenunta()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Frm_Setari* f = deschide();
        QVERIFY(f);
        const QString inainte = citeste(u"Zecimale"_s, u"ZecRotCalcule"_s);
        QVERIFY(ui::Forms::show(u"Frm_Setari"_s));
        f->Zecimale_ZecRotCalcule->setText(u"9"_s);
        QTest::keyClick(f->FileLocation_DataBase, Qt::Key_Escape);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Setari"_s));
        QCOMPARE(citeste(u"Zecimale"_s, u"ZecRotCalcule"_s), inainte);
        QCOMPARE(Zecimale_Calcule, quint8(4));
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
    }

    void renunta()
    {
        Arbore_Test arbore;
        QVERIFY(arbore.ok());
        Frm_Setari* f = deschide();
        const QString inainte = citeste(u"Zecimale"_s, u"ZecRotCalcule"_s);
        f->Zecimale_ZecRotCalcule->setText(u"9"_s);
        ui::testing::pushColour(0x00FF00);
        f->CmdSelCuloare.at(0)->click();
        QCOMPARE(Frm_Setari::Culoare_Swatch(f->Culori_Meniu_Color), 0x00FF00);
        ui::testing::pushColour(std::nullopt);
        f->CmdSelCuloare.at(0)->click();
        QCOMPARE(Frm_Setari::Culoare_Swatch(f->Culori_Meniu_Color), 0x00FF00);
        f->CmdCancel->click();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Setari"_s));
        QCOMPARE(citeste(u"Zecimale"_s, u"ZecRotCalcule"_s), inainte);
        QCOMPARE(Zecimale_Calcule, quint8(4));
        QCOMPARE(Culoare_Meniu, 0xC0FFFF);
    }
};

QTEST_MAIN(TestSetari)
#include "tst_setari.moc"
