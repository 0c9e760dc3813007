// The template chooser: its list, the delete with its question and its
// failures, and the opening of the chosen template in the editor.

#include "Mediu_Preluare.h"
#include "common/BUTOANE.h"
#include "import/Frm_Selectie_Mod_Preluare.h"
#include "import/Frm_Structura_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

Frm_Selectie_Mod_Preluare* deschide()
{
    ui::Forms::registerWindow(u"Frm_Selectie_Mod_Preluare"_s, [] { return new Frm_Selectie_Mod_Preluare; });
    ui::Forms::registerWindow(u"Frm_Structura_Fisiere"_s, [] { return new Frm_Structura_Fisiere; });
    ui::Forms::show(u"Frm_Selectie_Mod_Preluare"_s);
    return ui::Forms::get<Frm_Selectie_Mod_Preluare>(u"Frm_Selectie_Mod_Preluare"_s);
}

int numar(const QString& sql)
{
    return Mediu::valoare(sql).toInt();
}

int randuriT1()
{
    return numar(u"SELECT COUNT(*) FROM StructuraFisiereContinut WHERE Nume_Structura = 'T1'"_s);
}

} // namespace

class TestFrmSelectieModPreluare : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ui::Forms::resetForTests(); }

    void list()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"T1"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, {}}}));
        Frm_Selectie_Mod_Preluare* f = deschide();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Selectie Mod Preluare"_s);
        grid::ListCombo* c = f->TDBSelectieModPreluare;
        QCOMPARE(c->count(), 2);
        QCOMPARE(c->listTextAt(1), u"T1"_s);
        QCOMPARE(c->listModel().columns().at(0).caption, u"Nume"_s);
        QCOMPARE(c->listModel().columns().at(1).caption, u"TIP"_s);
        QCOMPARE(c->listModel().columns().at(1).widthTwips, 3300);
        QVERIFY(c->limitToList());
        QCOMPARE(f->CmdModifica->text(), u"Modifica"_s);
        QCOMPARE(f->CmdSterge->text(), u"Sterge Macheta"_s);
    }

    void deleteTemplate_data()
    {
        QTest::addColumn<ui::Answer>("raspuns");
        QTest::newRow("Yes") << ui::Answer::Yes;
        QTest::newRow("No") << ui::Answer::No;
        QTest::newRow("Cancel") << ui::Answer::Cancel;
    }
    // The question names the template and its flow; Yes deletes the header
    // and its rows, any other answer nothing; either way the window closes.
    void deleteTemplate()
    {
        QFETCH(ui::Answer, raspuns);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"T1"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, {}}, {u"Net"_s, 2, {}, {}}}));
        Frm_Selectie_Mod_Preluare* f = deschide();
        f->TDBSelectieModPreluare->setEditText(u"t1"_s);
        ui::testing::pushAnswer(raspuns);
        f->CmdSterge->click();
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.at(0).text, u"Stergeti modul de preluare ? \r\nT1 - LIVRARE"_s);
        QCOMPARE(c.at(0).title, u"CONFIRMARE STERGERE"_s);
        QCOMPARE(c.at(0).icon, ui::Icon::Question);
        QCOMPARE(c.at(0).buttons, ui::Buttons::YesNoCancel);
        const bool sters = raspuns == ui::Answer::Yes;
        QCOMPARE(c.size(), sters ? 2 : 1);
        if (sters) {
            QCOMPARE(c.at(1).text, u"Macheta a fost stearsa"_s);
            QCOMPARE(c.at(1).title, std::nullopt);
            QCOMPARE(c.at(1).icon, ui::Icon::None);
        }
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet WHERE Nume_structura = 'T1'"_s),
                 sters ? 0 : 1);
        QCOMPARE(randuriT1(), sters ? 0 : 2);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s), 1 + (sters ? 0 : 1));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Selectie_Mod_Preluare"_s));
    }

    void nothingChosen_data()
    {
        QTest::addColumn<bool>("sterge");
        QTest::addColumn<QString>("text");
        QTest::newRow("Sterge Macheta") << true << QString();
        QTest::newRow("Modifica") << false << QString();
        QTest::newRow("Sterge Macheta, a name not listed") << true << u"T9"_s;
    }
    // No template chosen: the message, nothing done, the window stays.
    void nothingChosen()
    {
        QFETCH(bool, sterge);
        QFETCH(QString, text);
        Mediu m;
        QVERIFY(m.gata());
        Frm_Selectie_Mod_Preluare* f = deschide();
        f->TDBSelectieModPreluare->setEditText(text);
        (sterge ? f->CmdSterge : f->CmdModifica)->click();
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.size(), 1);
        QCOMPARE(c.at(0).text,
                 (sterge ? u"Nume"_s : u"Nume structura"_s) + u"  -  Obligatoriu de completat !"_s);
        QCOMPARE(c.at(0).title, u"EROARE"_s);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s), 1);
        QVERIFY(ui::Forms::isLoaded(u"Frm_Selectie_Mod_Preluare"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Structura_Fisiere"_s));
    }

    void deleteRefused_data()
    {
        QTest::addColumn<QString>("declansator");
        QTest::addColumn<QString>("mesaj");
        QTest::addColumn<QString>("titlu");
        QTest::newRow("integrity") << u"SELECT RAISE(ABORT, 'legate')"_s
                                   << u"Exista inregistrari legate\r\nNu se poate sterge"_s << u"MESAJ"_s;
        QTest::newRow("other") << u"SELECT * FROM Nu_Exista"_s << u"Eroare : "_s << u"EROARE"_s;
    }
    // A delete the database refuses: its message, the template and its
    // rows as they were, the window open.
    void deleteRefused()
    {
        QFETCH(QString, declansator);
        QFETCH(QString, mesaj);
        QFETCH(QString, titlu);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"T1"_s, u"ACHIZITIE"_s, {{u"Cod_NC"_s, 1, {}, {}}}));
        QVERIFY(
            Conexiune_Firma.execute(u"CREATE TRIGGER refuz BEFORE DELETE ON StructuraFisiereAntet BEGIN "_s +
                                    declansator + u"; END"_s));
        Frm_Selectie_Mod_Preluare* f = deschide();
        f->TDBSelectieModPreluare->setEditText(u"T1"_s);
        ui::testing::pushAnswer(ui::Answer::Yes);
        f->CmdSterge->click();
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.size(), 2);
        QVERIFY2(c.at(1).text.startsWith(mesaj), qPrintable(c.at(1).text));
        QCOMPARE(c.at(1).icon, ui::Icon::Critical);
        QCOMPARE(c.at(1).title, titlu);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet WHERE Nume_structura = 'T1'"_s), 1);
        QCOMPARE(randuriT1(), 1);
        QVERIFY(ui::Forms::isLoaded(u"Frm_Selectie_Mod_Preluare"_s));
        QCOMPARE(f->TDBSelectieModPreluare->count(), 2);
    }

    // "Modifica" opens the chosen template in the editor, name and flow
    // read-only, the sample workbook's controls shown and its columns read.
    void modify()
    {
        Mediu m;
        QVERIFY(m.gata());
        QTemporaryDir dir;
        const QString cale = dir.filePath(u"mostra.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, u"Masa"_s}, {u"84713000"_s, 3}}));
        QVERIFY(m.macheta(u"T1"_s, u"LIVRARE"_s, {{u"Cod_NC"_s, 1, {}, {}}}));
        QVERIFY(Conexiune_Firma.execute(
            u"UPDATE StructuraFisiereAntet SET SampleExcelFile = ? WHERE Nume_structura = 'T1'"_s,
            {db::Variant(cale)}));
        Frm_Selectie_Mod_Preluare* f = deschide();
        f->TDBSelectieModPreluare->setEditText(u"T1"_s);
        f->CmdModifica->click();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Selectie_Mod_Preluare"_s));
        QCOMPARE(Mod_Macheta, quint8(1));
        QCOMPARE(Conditie_Macheta, u" WHERE [Nume_structura]='T1'"_s);
        auto* e = ui::Forms::get<Frm_Structura_Fisiere>(u"Frm_Structura_Fisiere"_s);
        QVERIFY(e);
        QVERIFY(e->isVisible());
        QCOMPARE(e->NumeSalvare->text(), u"T1"_s);
        QVERIFY(e->NumeSalvare->isReadOnly());
        QVERIFY(!e->ModPreluare->isEnabled());
        for (QWidget* w : std::initializer_list<QWidget*>{e->ListaTabel, e->Txt_ExcelFile, e->CmdBrowse,
                                                          e->CmdReadColumns, e->Label3})
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(e->ListaTabel->dataRowCount(), 1);
        QVERIFY(QTest::qWaitForWindowActive(e));
        QCOMPARE(ui::testing::messages().size(), 1);
        QCOMPARE(ui::testing::messages().at(0).text, u"Numar coloane in fisierul excel : 2"_s);
        QVERIFY(e->GridStructuraExcel->isVisible());
    }
};

QTEST_MAIN(TestFrmSelectieModPreluare)
#include "tst_frm_selectie_mod_preluare.moc"
