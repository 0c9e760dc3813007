// The template editor: a new template of either flow saved with its rows, the
// required fields, a name in use, the sample workbook's columns, the rules of
// the row grid, a saved template opened for modification (the country-of-
// origin row, the reading on activation), closing, browsing, and a workbook
// imported through a template made here.

#include "Mediu_Preluare.h"
#include "common/BUTOANE.h"
#include "import/Frm_Structura_Fisiere.h"
#include "import/Machete.h"
#include "import/Preluare_Excel.h"
#include "import/Preluare_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"
#include "platform/ui/fereastra_stub.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

const QString kObligatoriu = u"  -  Obligatoriu de completat !"_s;

void inregistreaza()
{
    ui::Forms::registerWindow(u"Frm_Structura_Fisiere"_s, [] { return new Frm_Structura_Fisiere; });
}

// As the main menu opens it for a new template.
Frm_Structura_Fisiere* deschideNoua()
{
    inregistreaza();
    Mod_Macheta = 2;
    Conditie_Macheta.clear();
    ui::Forms::show(u"Frm_Structura_Fisiere"_s);
    return ui::Forms::get<Frm_Structura_Fisiere>(u"Frm_Structura_Fisiere"_s);
}

// As the chooser opens it for a saved template.
Frm_Structura_Fisiere* deschideModificare(const QString& nume)
{
    inregistreaza();
    Mod_Macheta = 1;
    Conditie_Macheta = Conditie_Macheta_Pentru(nume);
    auto* f = ui::Forms::load<Frm_Structura_Fisiere>(u"Frm_Structura_Fisiere"_s);
    if (!f)
        return nullptr;
    f->Blocheaza_Nume_Si_Flux();
    f->Arata_Controale_Fisier();
    ui::Forms::show(u"Frm_Structura_Fisiere"_s);
    return f;
}

void inchide(Frm_Structura_Fisiere* f)
{
    QVERIFY(ui::Forms::unload(f));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList mesaje()
{
    QStringList t;
    for (const ui::testing::Call& c : ui::testing::messages())
        t << c.text;
    return t;
}

// Name, flow, "Retine Modificari".
void salveaza(Frm_Structura_Fisiere* f, const QString& nume, const QString& tip)
{
    f->NumeSalvare->setText(nume);
    f->ModPreluare->setEditText(tip);
    f->CmdUpdate->click();
}

int numar(const QString& sql)
{
    return Mediu::valoare(sql).toInt();
}

// The grid row of a destination column, -1 when it has none.
int randul(grid::Grid* g, const QString& coloana)
{
    const int c = g->columnForField(u"Dest_ColumnName"_s);
    for (int r = 0; r < g->dataRowCount(); ++r)
        if (g->cellValue(r, c).toText() == coloana)
            return r;
    return -1;
}

// Types into one cell of a destination column's row.
bool scrie(grid::Grid* g, const QString& coloana, const QString& camp, const QString& text)
{
    const int r = randul(g, coloana);
    const int c = g->columnForField(camp);
    if (r < 0 || c < 0)
        return false;
    g->setCurrentCell(r, c);
    return g->editCell(c, text);
}

// A destination column taken from a sheet column, written at once.
bool dinFoaie(grid::Grid* g, const QString& coloana, int numarColoana)
{
    return scrie(g, coloana, u"Exista_Coloana"_s, u"-1"_s) &&
           scrie(g, coloana, u"Numar_Coloana"_s, QString::number(numarColoana)) && g->update();
}

QString randStocat(const QString& macheta, const QString& coloana)
{
    auto rs = Conexiune_Firma.openRecordset(
        u"SELECT Exista_Coloana, Numar_Coloana, Valoare_Implicita FROM StructuraFisiereContinut WHERE "
        u"Nume_Structura = ? AND Dest_ColumnName = ?"_s,
        {db::Variant(macheta), db::Variant(coloana)});
    if (!rs || rs->eof())
        return u"none"_s;
    QStringList v{rs->value(0).toBool() ? u"-1"_s : u"0"_s};
    for (int i = 1; i < 3; ++i)
        v << (rs->value(i).isNull() ? u"-"_s : rs->value(i).toText());
    return v.join(u'|');
}

// A sample workbook: headings Cod, Tara, Valoare, Masa, Cantitate, two rows.
bool mostra(const QString& cale)
{
    return preluare_test::scrieXlsx(cale, {{u"Cod"_s, u"Tara"_s, u"Valoare"_s, u"Masa"_s, u"Cantitate"_s},
                                           {u"84713000"_s, u"DE"_s, 1500, 12.5, 3},
                                           {u"85171300"_s, u"FR"_s, 800, QVariant(), 2}});
}

// A new dispatch template saved, its sample workbook's columns read.
Frm_Structura_Fisiere* nouaCuMostra(const QString& nume, const QString& cale)
{
    if (!mostra(cale))
        return nullptr;
    Frm_Structura_Fisiere* f = deschideNoua();
    salveaza(f, nume, u"LIVRARE"_s);
    f->Txt_ExcelFile->setText(cale);
    f->CmdReadColumns->click();
    return f;
}

} // namespace

class TestFrmStructuraFisiere : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void cleanup() { ui::Forms::resetForTests(); }

    // A new template: the header fields only, its sheet "Sheet1", the flows
    // from the item file.
    void opening()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Definire machete fisiere excel"_s);
        QVERIFY(f->windowState() & Qt::WindowMaximized);
        QCOMPARE(f->NumeSalvare->text(), QString());
        QVERIFY(!f->NumeSalvare->isReadOnly());
        QCOMPARE(f->ModPreluare->currentText(), QString());
        QCOMPARE(f->ModPreluare->count(), 2);
        QCOMPARE(f->ModPreluare->itemText(0), u"ACHIZITIE"_s);
        QCOMPARE(f->ModPreluare->itemText(1), u"LIVRARE"_s);
        QCOMPARE(f->WorkSheetName->text(), u"Sheet1"_s);
        QVERIFY(f->NumeSalvare->isVisible());
        QVERIFY(f->CmdUpdate->isVisible());
        for (QWidget* w :
             std::initializer_list<QWidget*>{f->ListaTabel, f->Txt_ExcelFile, f->CmdBrowse, f->CmdReadColumns,
                                             f->Label3, f->GridStructuraExcel, f->Label7, f->Label4})
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(mesaje(), QStringList());
    }

    // Both fields blank: one message each, in order, and nothing saved.
    void requiredFields()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        f->CmdUpdate->click();
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(mesaje(),
                 (QStringList{u"Nume Macheta"_s + kObligatoriu, u"Se foloseste la"_s + kObligatoriu}));
        QCOMPARE(c.at(0).title, u"EROARE"_s);
        QCOMPARE(c.at(0).icon, ui::Icon::Critical);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s), 1);
        ui::testing::clear();
        f->NumeSalvare->setText(u"Fara Flux"_s);
        f->CmdUpdate->click();
        QCOMPARE(mesaje(), QStringList{u"Se foloseste la"_s + kObligatoriu});
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s), 1);
        QVERIFY(!f->ListaTabel->isVisible());
    }

    void newTemplate_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("lipsa");
        QTest::newRow("arrivals") << u"ACHIZITIE"_s << u"Tara_Dest"_s;
        QTest::newRow("dispatches") << u"LIVRARE"_s << u"Tara_Exp"_s;
        QTest::newRow("arrivals typed in small letters") << u"Achizitie"_s << u"Tara_Dest"_s;
    }
    // The first save writes the header and the rows of every described
    // column but the other flow's; the window then shows the rows and the
    // sample workbook's controls; a second save adds nothing.
    void newTemplate()
    {
        QFETCH(QString, tip);
        QFETCH(QString, lipsa);
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        f->DefaultLocation->setText(u"/date/facturi/"_s);
        salveaza(f, u"Noua D'Arc"_s, tip);
        QCOMPARE(mesaje(), QStringList());

        auto antet = Conexiune_Firma.openRecordset(
            u"SELECT TIP, Locatie_Implicita, Work_Sheet_Name, SampleExcelFile FROM StructuraFisiereAntet "
            u"WHERE Nume_structura = 'Noua D''Arc'"_s);
        QVERIFY(antet);
        QCOMPARE(antet->recordCount(), 1);
        QCOMPARE(antet->value(0).toText(), tip);
        QCOMPARE(antet->value(1).toText(), u"/date/facturi/"_s);
        QCOMPARE(antet->value(2).toText(), u"Sheet1"_s);
        QVERIFY(antet->value(3).isNull());
        const QStringList randuri = Mediu::coloaneMacheta(u"Noua D'Arc"_s);
        QCOMPARE(randuri.size(), 21);
        QVERIFY(!randuri.contains(lipsa));
        QVERIFY(randuri.contains(u"Tara_Orig"_s));
        QCOMPARE(randStocat(u"Noua D'Arc"_s, u"Cod_NC"_s), u"0|-|-"_s);

        QVERIFY(f->NumeSalvare->isReadOnly());
        QVERIFY(!f->ModPreluare->isEnabled());
        for (QWidget* w :
             std::initializer_list<QWidget*>{f->ListaTabel, f->Txt_ExcelFile, f->CmdBrowse, f->CmdReadColumns,
                                             f->Label3, f->Label7, f->Label8, f->Label9})
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!f->GridStructuraExcel->isVisible());
        QCOMPARE(f->ListaTabel->dataRowCount(), 21);
        QCOMPARE(f->ListaTabel->cellValue(0, f->ListaTabel->columnForField(u"Dest_ColumnName"_s)).toText(),
                 u"Cod_NC"_s);
        const int descriere = f->ListaTabel->columnForField(u"Dest_ColumnDescription"_s);
        QCOMPARE(f->ListaTabel->column(descriere).caption, u"Informatie necesara"_s);
        QVERIFY(f->ListaTabel->column(descriere).locked);
        QVERIFY(!f->ListaTabel->column(f->ListaTabel->columnForField(u"Valoare_Implicita"_s)).locked);
        QVERIFY(!f->ListaTabel->column(f->ListaTabel->columnForField(u"Dest_ColumnName"_s)).visible);

        f->WorkSheetName->setText(u"Foaie"_s);
        f->CmdUpdate->click();
        QCOMPARE(Mediu::coloaneMacheta(u"Noua D'Arc"_s).size(), 21);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s), 2);
        QCOMPARE(Mediu::valoare(u"SELECT Work_Sheet_Name FROM StructuraFisiereAntet WHERE Nume_structura = "
                                u"'Noua D''Arc'"_s)
                     .toText(),
                 u"Foaie"_s);
        QCOMPARE(mesaje(), QStringList());
    }

    // A name in use, in any letters, is refused: nothing is written and the
    // name can be changed.
    void nameInUse()
    {
        Mediu m;
        QVERIFY(m.gata());
        const int randuri = numar(u"SELECT COUNT(*) FROM StructuraFisiereContinut"_s);
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"EXEMPLU LIVRARI"_s, u"ACHIZITIE"_s);
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.size(), 1);
        QCOMPARE(c.at(0).text, u"Exista deja o macheta cu numele : EXEMPLU LIVRARI\r\nAlegeti alt nume."_s);
        QCOMPARE(c.at(0).icon, ui::Icon::Critical);
        QCOMPARE(c.at(0).title, u"EROARE"_s);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereContinut"_s), randuri);
        QCOMPARE(Mediu::valoare(u"SELECT TIP FROM StructuraFisiereAntet"_s).toText(), u"LIVRARE"_s);
        QVERIFY(!f->NumeSalvare->isReadOnly());
        QVERIFY(!f->ListaTabel->isVisible());

        salveaza(f, u"Achizitii"_s, u"ACHIZITIE"_s);
        QCOMPARE(Mediu::coloaneMacheta(u"Achizitii"_s).size(), 21);
        QCOMPARE(Mediu::coloaneMacheta(u"Exemplu Livrari"_s).size(), 21);
    }

    // The sample's columns: the list, the count message, the failures.
    void sampleColumns()
    {
        Mediu m;
        QVERIFY(m.gata());
        const QString cale = m_dir.filePath(u"coloane.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, QVariant(), u"Masa"_s},
                                                {u"84713000"_s, QVariant(), 12.5},
                                                {u"85171300"_s, u"x"_s, 3}}));
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"Mostra"_s, u"LIVRARE"_s);
        ui::testing::clear();

        f->CmdReadColumns->click();
        QCOMPARE(mesaje(), QStringList{u"Cale Fisier Excel"_s + kObligatoriu});
        ui::testing::clear();
        const QString lipsa = m_dir.filePath(u"nu-exista.xlsx"_s);
        f->Txt_ExcelFile->setText(lipsa);
        f->CmdReadColumns->click();
        QCOMPARE(mesaje(), QStringList{u"NU EXISTA FISIERUL : "_s + lipsa});
        QCOMPARE(ui::testing::messages().at(0).title, std::nullopt);
        QVERIFY(!f->GridStructuraExcel->isVisible());
        ui::testing::clear();

        // A blank sheet name reads Sheet1.
        f->Txt_ExcelFile->setText(cale);
        f->WorkSheetName->setText(u" "_s);
        f->CmdReadColumns->click();
        QCOMPARE(mesaje(), QStringList{u"Numar coloane in fisierul excel : 3"_s});
        QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::None);
        QCOMPARE(ui::testing::messages().at(0).buttons, ui::Buttons::Ok);
        grid::ListGrid* g = f->GridStructuraExcel;
        QVERIFY(g->isVisible());
        QVERIFY(f->Label4->isVisible());
        QCOMPARE(g->dataRowCount(), 3);
        QStringList randuri;
        for (int r = 0; r < 3; ++r)
            randuri << g->cellValue(r, 0).toText() + u'|' + g->cellValue(r, 1).toText() + u'|' +
                           (g->cellValue(r, 2).isNull() ? u"-"_s : g->cellValue(r, 2).toText());
        QCOMPARE(randuri, (QStringList{u"1|Cod|84713000"_s, u"2|F2|-"_s, u"3|Masa|12.5"_s}));
        QCOMPARE(g->column(0).caption, u"Nr. Coloana"_s);
        QCOMPARE(g->column(1).caption, u"Cap Coloana"_s);
        QCOMPARE(g->column(2).caption, u"Prima Valoare"_s);
        QVERIFY(!g->allowUpdate());
        const int nr = f->ListaTabel->columnForField(u"Numar_Coloana"_s);
        QCOMPARE(f->ListaTabel->dropDownOf(nr), f->CMBColoane);
        QCOMPARE(f->CMBColoane->listModel().columns().at(1).caption, u"Descriere coloana"_s);
        ui::testing::clear();

        // A sheet that cannot be read: the reader's message, then nothing.
        f->WorkSheetName->setText(u"Alta"_s);
        f->CmdReadColumns->click();
        const QStringList t = mesaje();
        QCOMPARE(t.size(), 2);
        QVERIFY2(t.at(0).startsWith(u"EROARE : "_s), qPrintable(t.at(0)));
        QCOMPARE(t.at(1), u"Numar coloane in fisierul excel : 0"_s);
        QVERIFY(!g->isVisible());
        QVERIFY(!f->Label4->isVisible());
        QVERIFY(!f->ListaTabel->dropDownOf(nr));
        QVERIFY(!RS_Preluare.isOpen());
    }

    // The rules of the row grid.
    void gridRules()
    {
        Mediu m;
        QVERIFY(m.gata());
        const QString cale = m_dir.filePath(u"reguli.xlsx"_s);
        QVERIFY(mostra(cale));
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"Reguli"_s, u"LIVRARE"_s);
        grid::Grid* g = f->ListaTabel;

        // Before any column is read, any number goes.
        QVERIFY(dinFoaie(g, u"Cod_NC"_s, 42));
        QCOMPARE(randStocat(u"Reguli"_s, u"Cod_NC"_s), u"-1|42|-"_s);

        f->Txt_ExcelFile->setText(cale);
        f->CmdReadColumns->click();
        ui::testing::clear();

        // Afterwards only a number of the list.
        QVERIFY(!scrie(g, u"Net"_s, u"Numar_Coloana"_s, u"7"_s));
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.size(), 1);
        QCOMPARE(c.at(0).text, u"Selectati o valoare din lista"_s);
        QCOMPARE(c.at(0).icon, ui::Icon::Critical);
        QCOMPARE(c.at(0).title, u"Mesaj"_s);
        QVERIFY(g->cellValue(randul(g, u"Net"_s), g->columnForField(u"Numar_Coloana"_s)).isNull());
        ui::testing::clear();
        QVERIFY(dinFoaie(g, u"Net"_s, 4));
        QCOMPARE(randStocat(u"Reguli"_s, u"Net"_s).left(4), u"-1|4"_s);

        // Unticking empties the number.
        QVERIFY(scrie(g, u"Net"_s, u"Exista_Coloana"_s, u"0"_s));
        QVERIFY(g->update());
        QCOMPARE(randStocat(u"Reguli"_s, u"Net"_s).left(4), u"0|-|"_s);

        // Ticked without a number, a number without the tick.
        QVERIFY(scrie(g, u"Cantitate"_s, u"Exista_Coloana"_s, u"-1"_s));
        QVERIFY(!g->update());
        QCOMPARE(mesaje(), QStringList{u"Numar coloana fisier excel"_s + kObligatoriu});
        QCOMPARE(ui::testing::messages().at(0).title, u"EROARE"_s);
        g->cancelUpdate();
        ui::testing::clear();
        QVERIFY(scrie(g, u"Cantitate"_s, u"Numar_Coloana"_s, u"5"_s));
        QVERIFY(!g->update());
        QCOMPARE(mesaje(), QStringList{u"Bifati coloana: Exista in fisierul excel"_s});
        QCOMPARE(ui::testing::messages().at(0).title, std::nullopt);
        g->cancelUpdate();
        QCOMPARE(randStocat(u"Reguli"_s, u"Cantitate"_s), u"0|-|-"_s);
        ui::testing::clear();

        // A default typed alone.
        QVERIFY(scrie(g, u"Moneda"_s, u"Valoare_Implicita"_s, u"EUR"_s));
        QVERIFY(g->update());
        QCOMPARE(randStocat(u"Reguli"_s, u"Moneda"_s), u"0|-|EUR"_s);

        // The delete asks; only Yes deletes.
        for (const ui::Answer a : {ui::Answer::No, ui::Answer::Cancel, ui::Answer::Yes}) {
            g->setCurrentCell(randul(g, u"UM"_s), g->columnForField(u"Valoare_Implicita"_s));
            ui::testing::pushAnswer(a);
            QCOMPARE(g->deleteCurrentRow(), a == ui::Answer::Yes);
            const QList<ui::testing::Call> d = ui::testing::messages();
            QCOMPARE(d.last().text, u"Stergeti inregistrarea ?"_s);
            QCOMPARE(d.last().icon, ui::Icon::Question);
            QCOMPARE(d.last().buttons, ui::Buttons::YesNoCancel);
            QCOMPARE(d.last().title, std::nullopt);
            QCOMPARE(randStocat(u"Reguli"_s, u"UM"_s) == u"none", a == ui::Answer::Yes);
        }
        QCOMPARE(ui::testing::messages().size(), 3);
    }

    // A default is a value of its column's kind: a number column takes
    // numbers in the forms users type, a text column any text.
    void defaultKinds_data()
    {
        QTest::addColumn<QString>("coloana");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("primit");
        QTest::newRow("decimal comma") << u"Curs_Schimb"_s << u"4,97"_s << true;
        QTest::newRow("decimal dot") << u"Curs_Schimb"_s << u"4.97"_s << true;
        QTest::newRow("negative") << u"Net"_s << u"-0,5"_s << true;
        QTest::newRow("grouped") << u"Val_Fiscala"_s << u"1.234,5"_s << true;
        QTest::newRow("a text for a number") << u"Curs_Schimb"_s << u"EUR"_s << false;
        QTest::newRow("SQL for a number") << u"Net"_s << u"(SELECT MAX(Net) FROM Intrastat)"_s << false;
        QTest::newRow("commas of a list") << u"Val_Fiscala"_s << u"12,3,4"_s << false;
        QTest::newRow("a text") << u"Moneda"_s << u"EUR"_s << true;
        QTest::newRow("SQL as a text") << u"Descriere"_s << u"(SELECT 1)"_s << true;
    }
    void defaultKinds()
    {
        QFETCH(QString, coloana);
        QFETCH(QString, text);
        QFETCH(bool, primit);
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"Feluri"_s, u"LIVRARE"_s);
        grid::Grid* g = f->ListaTabel;
        QCOMPARE(scrie(g, coloana, u"Valoare_Implicita"_s, text), primit);
        QVERIFY(g->update());
        QCOMPARE(randStocat(u"Feluri"_s, coloana), primit ? u"0|-|"_s + text : u"0|-|-"_s);
        if (primit) {
            QCOMPARE(mesaje(), QStringList());
            return;
        }
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.size(), 1);
        QCOMPARE(c.at(0).text,
                 u"Valoare Implicita  -  Trebuie sa fie un numar (de exemplu 4,97 sau 1.234,5) !"_s);
        QCOMPARE(c.at(0).icon, ui::Icon::Critical);
        QCOMPARE(c.at(0).title, u"Mesaj"_s);
    }

    // A number refused in the grid opens the list of the sheet's columns on
    // its cell.
    void refusedNumberOpensList()
    {
        Mediu m;
        QVERIFY(m.gata());
        const QString cale = m_dir.filePath(u"lista.xlsx"_s);
        Frm_Structura_Fisiere* f = nouaCuMostra(u"Lista"_s, cale);
        QVERIFY(f);
        grid::Grid* g = f->ListaTabel;
        QVERIFY(QTest::qWaitForWindowActive(f));
        g->setFocus();
        QVERIFY(!scrie(g, u"Net"_s, u"Numar_Coloana"_s, u"9"_s));
        QTRY_VERIFY(g->isEditing());
        auto* lista = qobject_cast<QComboBox*>(g->indexWidget(g->currentIndex()));
        QVERIFY(lista);
        QCOMPARE(g->currentIndex().column(), g->columnForField(u"Numar_Coloana"_s));
        QCOMPARE(g->currentIndex().row(), randul(g, u"Net"_s));
        QTRY_VERIFY(lista->view()->isVisible());
        QCOMPARE(lista->count(), 5);
        // Choosing a row of the list puts its number in the cell.
        lista->hidePopup();
        lista->setCurrentIndex(3);
        QVERIFY(scrie(g, u"Net"_s, u"Exista_Coloana"_s, u"-1"_s));
        QVERIFY(g->update());
        QCOMPARE(randStocat(u"Lista"_s, u"Net"_s).left(4), u"-1|4"_s);
    }

    // A refused write is shown through the error text, titled "EROARE".
    void dataError()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"Erori"_s, u"LIVRARE"_s);
        QVERIFY(Conexiune_Firma.execute(u"CREATE TRIGGER refuz BEFORE UPDATE ON StructuraFisiereContinut "
                                        u"BEGIN SELECT RAISE(ABORT, 'refuzat'); END"_s));
        QVERIFY(scrie(f->ListaTabel, u"Moneda"_s, u"Valoare_Implicita"_s, u"EUR"_s));
        QVERIFY(!f->ListaTabel->update());
        const QList<ui::testing::Call> c = ui::testing::messages();
        QCOMPARE(c.size(), 1);
        QCOMPARE(c.at(0).icon, ui::Icon::Critical);
        QCOMPARE(c.at(0).title, u"EROARE"_s);
        QVERIFY2(c.at(0).text.contains(u"refuzat"_s), qPrintable(c.at(0).text));
        QCOMPARE(randStocat(u"Erori"_s, u"Moneda"_s), u"0|-|-"_s);
    }

    // A template made before the country-of-origin column gets its row once,
    // shown from the next opening; the sample's columns are read at every
    // activation, with one message each time.
    void modifyMode()
    {
        Mediu m;
        QVERIFY(m.gata());
        const QString cale = m_dir.filePath(u"veche.xlsx"_s);
        QVERIFY(mostra(cale));
        QVERIFY(m.macheta(u"Veche"_s, u"ACHIZITIE"_s, {{u"Cod_NC"_s, 1, {}, 8}}, u"/date/"_s));
        QVERIFY(Conexiune_Firma.execute(
            u"UPDATE StructuraFisiereAntet SET SampleExcelFile = ? WHERE Nume_structura = 'Veche'"_s,
            {db::Variant(cale)}));
        ui::FereastraStub::registerStub(u"Frm_Alta"_s);

        Frm_Structura_Fisiere* f = deschideModificare(u"Veche"_s);
        QVERIFY(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        QCOMPARE(mesaje(), QStringList{u"Numar coloane in fisierul excel : 5"_s});
        QCOMPARE(f->NumeSalvare->text(), u"Veche"_s);
        QCOMPARE(f->ModPreluare->currentText(), u"ACHIZITIE"_s);
        QCOMPARE(f->Txt_ExcelFile->text(), cale);
        QCOMPARE(f->DefaultLocation->text(), u"/date/"_s);
        QVERIFY(f->NumeSalvare->isReadOnly());
        // and looks it: on the window's colour, not a box's as the file name.
        const auto fundal = [](QLineEdit* c) {
            return c->grab().toImage().pixelColor(c->width() - 4, c->height() / 2);
        };
        QCOMPARE(fundal(f->NumeSalvare), f->palette().color(QPalette::Window));
        QVERIFY(fundal(f->NumeSalvare) != fundal(f->Txt_ExcelFile));
        QVERIFY(!f->ModPreluare->isEnabled());
        QVERIFY(f->ListaTabel->isVisible());
        QVERIFY(f->GridStructuraExcel->isVisible());
        QCOMPARE(f->ListaTabel->dataRowCount(), 1);
        QCOMPARE(Mediu::coloaneMacheta(u"Veche"_s), (QStringList{u"Cod_NC"_s, u"Tara_Orig"_s}));
        QCOMPARE(Conditie_Macheta, u" WHERE [Nume_structura]='Veche'"_s);

        // Another window of the program and back: read again, once.
        QVERIFY(ui::Forms::show(u"Frm_Alta"_s));
        QVERIFY(QTest::qWaitForWindowActive(ui::Forms::get(u"Frm_Alta"_s)));
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QCOMPARE(mesaje().size(), 2);
        QCOMPARE(mesaje().last(), u"Numar coloane in fisierul excel : 5"_s);

        // A header edit is written when the window closes.
        f->WorkSheetName->setText(u"Date"_s);
        inchide(f);
        QCOMPARE(Conditie_Macheta, QString());
        QCOMPARE(Mediu::valoare(u"SELECT Work_Sheet_Name FROM StructuraFisiereAntet WHERE Nume_structura = "
                                u"'Veche'"_s)
                     .toText(),
                 u"Date"_s);

        ui::testing::clear();
        f = deschideModificare(u"Veche"_s);
        QCOMPARE(f->ListaTabel->dataRowCount(), 2);
        QCOMPARE(Mediu::coloaneMacheta(u"Veche"_s).size(), 2);
        // The sheet "Date" does not exist: the reader says so, no columns.
        QVERIFY(QTest::qWaitForWindowActive(f));
        QCOMPARE(mesaje().size(), 2);
        QCOMPARE(mesaje().last(), u"Numar coloane in fisierul excel : 0"_s);
    }

    // The demonstration template keeps its sample workbook relative to the
    // program folder: the editor shows it so and reads the copy's own.
    void demonstrationSample()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideModificare(u"Exemplu Livrari"_s);
        QVERIFY(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        QCOMPARE(f->Txt_ExcelFile->text(), u"Exemple/Exemplu_Livrari.xlsx"_s);
        QCOMPARE(mesaje(), QStringList{u"Numar coloane in fisierul excel : 13"_s});
        QVERIFY(f->GridStructuraExcel->isVisible());
        inchide(f);
        QCOMPARE(Mediu::valoare(u"SELECT SampleExcelFile FROM StructuraFisiereAntet"_s).toText(),
                 u"Exemple/Exemplu_Livrari.xlsx"_s);
    }

    // Closing a new template never saved writes nothing; a saved one keeps
    // its last header edits.
    void closing()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        f->NumeSalvare->setText(u"Nesalvata"_s);
        f->ModPreluare->setEditText(u"LIVRARE"_s);
        inchide(f);
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s), 1);

        f = deschideNoua();
        salveaza(f, u"Salvata"_s, u"LIVRARE"_s);
        f->Txt_ExcelFile->setText(u"/date/mostra.xlsx"_s);
        // A row the rules refuse keeps the window open.
        QVERIFY(scrie(f->ListaTabel, u"Net"_s, u"Exista_Coloana"_s, u"-1"_s));
        QVERIFY(!ui::Forms::unload(f));
        QCOMPARE(mesaje(), QStringList{u"Numar coloana fisier excel"_s + kObligatoriu});
        f->ListaTabel->cancelUpdate();
        inchide(f);
        QCOMPARE(Mediu::valoare(u"SELECT SampleExcelFile FROM StructuraFisiereAntet WHERE Nume_structura = "
                                u"'Salvata'"_s)
                     .toText(),
                 u"/date/mostra.xlsx"_s);
        QCOMPARE(Mediu::coloaneMacheta(u"Salvata"_s).size(), 21);
    }

    // Browsing: the chosen workbook and its folder; cancelling changes nothing.
    void browse()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"Rasfoire"_s, u"LIVRARE"_s);
        ui::testing::pushFileName(u"/date/luna 3/vanzari.xls"_s);
        f->CmdBrowse->click();
        QCOMPARE(f->Txt_ExcelFile->text(), u"/date/luna 3/vanzari.xls"_s);
        QCOMPARE(f->DefaultLocation->text(), u"/date/luna 3/"_s);
        const ui::testing::Call c = ui::testing::calls().last();
        QCOMPARE(c.kind, ui::DialogKind::OpenFile);
        QCOMPARE(c.filter, Filtru_Fisiere_Excel());
        QCOMPARE(c.dir, QString());
        f->CmdBrowse->click();
        QCOMPARE(ui::testing::calls().last().dir, u"/date/luna 3/vanzari.xls"_s);
        QCOMPARE(f->Txt_ExcelFile->text(), u"/date/luna 3/vanzari.xls"_s);
    }

    void flowField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("primit");
        QTest::newRow("listed") << u"LIVRARE"_s << true;
        QTest::newRow("small letters") << u"Achizitie"_s << true;
        QTest::newRow("other") << u"IMPORT"_s << false;
        QTest::newRow("blank") << QString() << false;
    }
    // The flow can be left only with one of the two flows.
    void flowField()
    {
        QFETCH(QString, text);
        QFETCH(bool, primit);
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->ModPreluare->setFocus(Qt::TabFocusReason);
        f->ModPreluare->setEditText(text);
        f->WorkSheetName->setFocus(Qt::TabFocusReason);
        QCOMPARE(mesaje(), primit ? QStringList() : QStringList{u"Selectati o valoare din lista"_s});
        if (!primit)
            QCOMPARE(ui::testing::messages().at(0).title, std::nullopt);
        QCOMPARE(f->ModPreluare->hasFocus(), !primit);

        // "Retine Modificari" right after: the field has said it already.
        ui::testing::clear();
        f->NumeSalvare->setText(u"Flux"_s);
        f->CmdUpdate->click();
        if (text.isEmpty())
            return; // the blank check's own message
        QCOMPARE(mesaje(), QStringList());
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet WHERE Nume_structura='Flux'"_s),
                 primit ? 1 : 0);
    }

    // A flow not in the list is never saved, even when the field was never
    // left and so never checked.
    void flowSavedOnlyFromList()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Structura_Fisiere* f = deschideNoua();
        salveaza(f, u"Flux"_s, u"IMPORT"_s);
        QCOMPARE(mesaje(), QStringList{u"Selectati o valoare din lista"_s});
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet WHERE Nume_structura='Flux'"_s), 0);
        ui::testing::clear();
        salveaza(f, u"Flux"_s, u"LIVRARE"_s);
        QCOMPARE(mesaje(), QStringList());
        QCOMPARE(numar(u"SELECT COUNT(*) FROM StructuraFisiereAntet WHERE Nume_structura='Flux'"_s), 1);
    }

    // The whole road: a dispatch template made in the window from a sample
    // workbook, then a month's workbook imported through it.
    void importThroughNewTemplate()
    {
        Mediu m;
        QVERIFY(m.gata());
        const QString cale = m_dir.filePath(u"livrari martie.xlsx"_s);
        Frm_Structura_Fisiere* f = nouaCuMostra(u"Livrari Noi"_s, cale);
        QVERIFY(f);
        grid::Grid* g = f->ListaTabel;
        QVERIFY(dinFoaie(g, u"Cod_NC"_s, 1));
        QVERIFY(dinFoaie(g, u"Tara_Dest"_s, 2));
        QVERIFY(dinFoaie(g, u"Val_Fiscala"_s, 3));
        QVERIFY(scrie(g, u"Net"_s, u"Valoare_Implicita"_s, u"0"_s));
        QVERIFY(dinFoaie(g, u"Net"_s, 4));
        QVERIFY(dinFoaie(g, u"Cantitate"_s, 5));
        QVERIFY(scrie(g, u"Nat_Tranz"_s, u"Valoare_Implicita"_s, u"11"_s) && g->update());
        QVERIFY(scrie(g, u"Curs_Schimb"_s, u"Valoare_Implicita"_s, u"4,97"_s) && g->update());
        QCOMPARE(mesaje(), QStringList{u"Numar coloane in fisierul excel : 5"_s});
        inchide(f);

        preluare_test::Tacut j;
        const Rezultat_Preluare r = Preia_Fisier_Excel({u"2026"_s, u"3"_s, cale, u"Sheet1"_s, u"RO0000001"_s,
                                                        u"Livrari Noi"_s, u"O - Pentru livrari (IESIRI)"_s},
                                                       j);
        QVERIFY(r.terminata);
        QCOMPARE(r.salvate, 2);
        QVERIFY2(r.erori.isEmpty(), qPrintable(r.erori.join(QString())));
        auto rs = Conexiune_Firma.openRecordset(u"SELECT TIP, Cod_NC, Tara_Exp, Tara_Dest, Val_Fiscala, Net, "
                                                u"Cantitate, Nat_Tranz, Curs_Schimb FROM "
                                                u"Intrastat ORDER BY Pozitia"_s);
        QVERIFY(rs);
        QStringList linii;
        for (; !rs->eof(); rs->moveNext()) {
            QStringList l;
            for (int i = 0; i < rs->fieldCount(); ++i)
                l << rs->value(i).toText();
            linii << l.join(u'|');
        }
        QCOMPARE(linii, (QStringList{u"O|84713000|RO|DE|1500|12|3|11|4.97"_s,
                                     u"O|85171300|RO|FR|800|0|2|11|4.97"_s}));
    }
};

QTEST_MAIN(TestFrmStructuraFisiere)
#include "tst_frm_structura_fisiere.moc"
