#include "reports/Frm_Cautare_Selectie.h"

#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Transfera_Excel.h"
#include "common/Verifica_Null.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"
#include "reports/Cautare_Selectie.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The columns of the fields grid, by position.
enum Coloana_Campuri
{
    Col_Nume = 0,
    Col_Tip = 1,
    Col_Semn = 4,
    Col_DescSemn = 5,
    Col_Valoare = 6,
    Col_Afiseaza = 7,
    Nr_Coloane = 9
};

// Binds a list to its rows, showing only the field that it also returns,
// under its heading and width, in the settings' row colours. Binding picks
// no row, so no choice runs.
void Leaga_Lista(grid::ListCombo* lista, grid::RowSource* randuri, const QString& camp, const QString& titlu,
                 int latime)
{
    lista->setListField(camp);
    lista->setBoundField(camp);
    for (int c = 0; c < randuri->fieldCount(); ++c)
        lista->setColumnVisible(c, randuri->fieldName(c).compare(camp, Qt::CaseInsensitive) == 0);
    {
        const QSignalBlocker oprit(lista);
        lista->bind(randuri);
    }
    lista->setAutoCompletion(true);
    grid::GridModel& model = lista->listModel();
    model.setRowColours(Culoare_Setare(Culoare_RandPar), Culoare_Setare(Culoare_RandImpar));
    const int coloana = model.columnForField(camp);
    if (coloana >= 0) {
        model.column(coloana).caption = titlu;
        model.column(coloana).widthTwips = latime;
        model.refreshColumns();
    }
    if (auto* vedere = qobject_cast<QTableView*>(lista->view())) {
        QPalette p = vedere->palette();
        p.setColor(QPalette::Highlight, Culoare_Setare(Culoare_SelectieFundal));
        p.setColor(QPalette::HighlightedText, Culoare_Setare(Culoare_SelectieText));
        vedere->setPalette(p);
        QFont bold = vedere->horizontalHeader()->font();
        bold.setBold(true);
        vedere->horizontalHeader()->setFont(bold);
        if (coloana >= 0)
            vedere->setColumnWidth(coloana, grid::columnPixelsOf(*vedere, latime));
        vedere->setMinimumWidth(ui::twipsToPixelsX(latime));
    }
}

void Aspect_Grila(grid::Grid* grila)
{
    grila->setHeadingBackColour(QColor(255, 224, 192));
    grila->setHeadingBold(true);
    grila->setHeadingLines(2);
    grila->setTabAcrossCells(true);
    grila->setWrapCellPointer(true);
    grila->horizontalHeader()->setSectionsMovable(false);
    grila->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) |
                                                   Qt::Alignment(Qt::TextWordWrap));
}

void Eroare(const QString& inceput, const db::Error& e)
{
    ui::msgBox(inceput + QString::number(e.number) + u"\r\n"_s + e.description, ui::Icon::Critical,
               ui::Buttons::Ok, u"EROARE"_s);
}

ButonPlat* Buton(QWidget* parinte, const QString& nume, const QString& text)
{
    auto* b = new ButonPlat(text, parinte);
    b->setObjectName(nume);
    return b;
}

} // namespace

Frm_Cautare_Selectie::Frm_Cautare_Selectie(QWidget* parent)
    : ui::Fereastra(u"Frm_Cautare_Selectie"_s, u"Cautare Selectie"_s, parent)
{
    Label1 = new QLabel(u"Numele tabelului in care se va cauta"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Cmb_Tabele = new grid::ListCombo(this);
    Cmb_Tabele->setObjectName(u"Cmb_Tabele"_s);
    Cmb_Tabele->setMinimumWidth(ui::twipsToPixelsX(3700));
    Label1->setBuddy(Cmb_Tabele);
    GridCampuri = new grid::Grid(this);
    GridCampuri->setObjectName(u"GridCampuri"_s);
    DropDown_Semne = new grid::DropDown(this);
    DropDown_Semne->setObjectName(u"DropDown_Semne"_s);
    CmdAfiseaza = Buton(this, u"CmdAfiseaza"_s, u"1. Genereaza Script SQL"_s);
    Txt_SQL = new QPlainTextEdit(this);
    Txt_SQL->setObjectName(u"Txt_SQL"_s);
    CmdRunSQL = Buton(this, u"CmdRunSQL"_s, u"2. Ruleaza Script"_s);
    CmdSaveScript = Buton(this, u"CmdSaveScript"_s, u"3. Salveaza Script"_s);
    Label3 = new QLabel(u"Scripturi Salvate"_s, this);
    Label3->setObjectName(u"Label3"_s);
    CmbScriptName = new grid::ListCombo(this);
    CmbScriptName->setObjectName(u"CmbScriptName"_s);
    CmbScriptName->setMinimumWidth(ui::twipsToPixelsX(3800));
    Label3->setBuddy(CmbScriptName);
    GridRezultat = new grid::Grid(this);
    GridRezultat->setObjectName(u"GridRezultat"_s);
    Label2 = new QLabel(this);
    Label2->setObjectName(u"Label2"_s);
    CmdExcel = Buton(this, u"CmdExcel"_s, u"Export Excel"_s);

    auto* asezare = new QGridLayout(this);
    auto* sus = new QHBoxLayout;
    sus->addWidget(Label1);
    sus->addWidget(Cmb_Tabele);
    sus->addStretch();
    sus->addWidget(Label3);
    sus->addWidget(CmbScriptName);
    asezare->addLayout(sus, 0, 0, 1, 2);
    asezare->addWidget(GridCampuri, 1, 0, 4, 1);
    asezare->addWidget(CmdAfiseaza, 1, 1);
    asezare->addWidget(Txt_SQL, 2, 1);
    auto* butoane = new QHBoxLayout;
    butoane->addWidget(CmdRunSQL);
    butoane->addWidget(CmdSaveScript);
    asezare->addLayout(butoane, 3, 1);
    asezare->addWidget(GridRezultat, 5, 0, 1, 2);
    auto* jos = new QHBoxLayout;
    jos->addWidget(Label2);
    jos->addStretch();
    jos->addWidget(CmdExcel);
    asezare->addLayout(jos, 6, 0, 1, 2);
    asezare->setColumnStretch(0, 3);
    asezare->setColumnStretch(1, 2);
    asezare->setRowStretch(2, 1);
    asezare->setRowStretch(5, 2);
    resize(ui::twipsToSize(12000, 9000));

    connect(Cmb_Tabele, &QComboBox::currentIndexChanged, this, [this](int rand) {
        if (rand >= 0)
            Cmb_Tabele_Click();
    });
    connect(CmbScriptName, &QComboBox::currentIndexChanged, this, &Frm_Cautare_Selectie::CmbScriptName_Click);
    connect(GridCampuri, &grid::Grid::beforeColEdit, this, &Frm_Cautare_Selectie::GridCampuri_BeforeColEdit);
    connect(GridCampuri, &grid::Grid::beforeColUpdate, this,
            &Frm_Cautare_Selectie::GridCampuri_BeforeColUpdate);
    connect(GridCampuri, &grid::Grid::afterColUpdate, this,
            &Frm_Cautare_Selectie::GridCampuri_AfterColUpdate);
    connect(CmdAfiseaza, &QPushButton::clicked, this, &Frm_Cautare_Selectie::CmdAfiseaza_Click);
    connect(CmdRunSQL, &QPushButton::clicked, this, &Frm_Cautare_Selectie::CmdRunSQL_Click);
    connect(CmdSaveScript, &QPushButton::clicked, this, &Frm_Cautare_Selectie::CmdSaveScript_Click);
    connect(CmdExcel, &QPushButton::clicked, this, &Frm_Cautare_Selectie::CmdExcel_Click);
    seteazaNumeAccesibile();
}

Frm_Cautare_Selectie::~Frm_Cautare_Selectie()
{
    // The lists and grids let go of their rows before the sources go.
    Cmb_Tabele->setListSource(nullptr);
    CmbScriptName->setListSource(nullptr);
    DropDown_Semne->setListSource(nullptr);
}

void Frm_Cautare_Selectie::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    Incarca_Tabele();

    GridRezultat->hide();
    GridRezultat->setAllowUpdate(false);
    GridRezultat->setAllowAddNew(false);
    GridRezultat->setAllowDelete(false);
    GridRezultat->setRowColours(QColor(192, 255, 255), QColor(255, 255, 255));
    Aspect_Grila(GridRezultat);

    db::Result<db::Recordset> scripturi = Conexiune_Comun.openRecordset(
        u"SELECT * FROM [Scripts]"_s, db::CursorType::Static, db::LockType::ReadOnly);
    if (!scripturi) {
        Eroare(u"EROARE : "_s, scripturi.error());
        return;
    }
    m_scripturi = *scripturi;
    m_sursaScripturi = std::make_unique<grid::RecordsetSource>(m_scripturi);
    Leaga_Lista(CmbScriptName, m_sursaScripturi.get(), u"Script_Name"_s, u"Nume Script"_s, 3800);
}

void Frm_Cautare_Selectie::Incarca_Tabele()
{
    db::Result<db::Recordset> tabele = Tabele_Firma(Conexiune_Firma);
    if (!tabele) {
        Eroare(u"EROARE : "_s, tabele.error());
        return;
    }
    m_tabele = *tabele;
    m_sursaTabele = std::make_unique<grid::RecordsetSource>(m_tabele);
    Cmb_Tabele->setLimitToList(true);
    Leaga_Lista(Cmb_Tabele, m_sursaTabele.get(), u"TableName"_s, u"Nume Tabel"_s, 3700);
}

void Frm_Cautare_Selectie::Form_Activate()
{
    if (!m_campuri.isOpen())
        Incarca_Campuri(Cmb_Tabele->currentText());
}

void Frm_Cautare_Selectie::Form_Unload(bool&)
{
    GridCampuri->bind(db::Recordset());
    GridRezultat->bind(db::Recordset());
    m_campuri.close();
    m_rezultat.close();
}

void Frm_Cautare_Selectie::Cmb_Tabele_Click()
{
    Ascunde_Rezultat();
    m_campuri.close();
    Incarca_Campuri(Cmb_Tabele->currentText());
}

void Frm_Cautare_Selectie::Ascunde_Rezultat()
{
    if (!m_rezultat.isOpen())
        return;
    GridRezultat->hide();
    GridRezultat->bind(db::Recordset());
    m_rezultat.close();
}

void Frm_Cautare_Selectie::Incarca_Campuri(const QString& tabel)
{
    db::Result<db::Recordset> campuri = Campuri_Tabel(Conexiune_Firma, tabel);
    if (!campuri) {
        Eroare(u"EROARE : "_s, campuri.error());
        return;
    }
    m_campuri = *campuri;
    GridCampuri->setAllowUpdate(true);
    GridCampuri->setAllowAddNew(false);
    GridCampuri->setAllowDelete(false);
    GridCampuri->bind(m_campuri);
    Formateaza_Grid_Campuri();
    Incarca_Semne(db::Variant());
}

void Frm_Cautare_Selectie::Formateaza_Grid_Campuri()
{
    Aplica_Culori_Setari(GridCampuri);
    Aspect_Grila(GridCampuri);
    struct Aspect
    {
        int coloana;
        QString titlu;
        int latime;
        Qt::Alignment aliniere;
        bool blocat;
    };
    static const QList<Aspect> aratate{{Col_Nume, u"Nume coloana"_s, 2000, Qt::AlignLeft, true},
                                       {Col_DescSemn, u"Semn"_s, 2000, Qt::AlignLeft, false},
                                       {Col_Valoare, u"Valoare Cautata"_s, 1800, Qt::AlignLeft, false},
                                       {Col_Afiseaza, u"Afiseaza Coloana"_s, 1000, Qt::AlignHCenter, false}};
    for (int c = 0; c < std::min(GridCampuri->columnCount(), int(Nr_Coloane)); ++c) {
        grid::Column& col = GridCampuri->column(c);
        col.visible = false;
        col.widthTwips = 0;
        col.locked = true;
    }
    for (const Aspect& a : aratate) {
        if (a.coloana >= GridCampuri->columnCount())
            continue;
        grid::Column& col = GridCampuri->column(a.coloana);
        col.caption = a.titlu;
        col.visible = true;
        col.widthTwips = a.latime;
        col.alignment = a.aliniere;
        col.locked = a.blocat;
        col.foreColor = QColor(0, 0, 255);
    }
    GridCampuri->refreshColumns();
    GridCampuri->setColumnDropDown(Col_DescSemn, DropDown_Semne);
}

void Frm_Cautare_Selectie::Incarca_Semne(const db::Variant& tip)
{
    db::Result<db::Recordset> semne =
        Conexiune_Comun.openRecordset(SQL_Semne(tip), db::CursorType::Static, db::LockType::ReadOnly);
    if (!semne) {
        Eroare(u"EROARE : "_s, semne.error());
        return;
    }
    auto sursa = std::make_unique<grid::RecordsetSource>(*semne);
    DropDown_Semne->setBoundField(u"DescSemn"_s);
    DropDown_Semne->setListField(u"DescSemn"_s);
    DropDown_Semne->setColumnVisible(1, false);
    DropDown_Semne->setColumnVisible(2, false);
    DropDown_Semne->setListSource(sursa.get());
    m_sursaSemne = std::move(sursa);
    m_semne = *semne;
    grid::GridModel& model = DropDown_Semne->listModel();
    if (!model.columns().isEmpty()) {
        model.column(0).caption = u"Semn"_s;
        model.column(0).widthTwips = 2000;
        model.refreshColumns();
    }
    model.setRowColours(Culoare_Setare(Culoare_RandPar), Culoare_Setare(Culoare_RandImpar));
}

void Frm_Cautare_Selectie::GridCampuri_BeforeColEdit(int coloana, bool&)
{
    // Only the operators of the column's kind are offered.
    if (coloana == Col_DescSemn)
        Incarca_Semne(GridCampuri->cell(Col_Tip));
}

void Frm_Cautare_Selectie::GridCampuri_BeforeColUpdate(int coloana, const db::Variant&, bool& cancel)
{
    if (coloana != Col_DescSemn)
        return;
    const db::Variant semn = GridCampuri->cell(Col_DescSemn);
    if (Este_Null(semn)) {
        GridCampuri->setCell(Col_Valoare, db::Variant::null());
        return;
    }
    if (DropDown_Semne->rowOfListText(semn.toText()) >= 0)
        return;
    ui::msgBox(u"Selectati o valoare din lista"_s, ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
    cancel = true;
    // The list opens again on the cell, for the user to pick from it.
    const int rand = GridCampuri->row();
    QTimer::singleShot(0, GridCampuri, [grila = GridCampuri, rand] {
        if (!grila->isVisible() || rand < 0)
            return;
        const QModelIndex celula = grila->model()->index(rand, Col_DescSemn);
        grila->setCurrentIndex(celula);
        static_cast<QAbstractItemView*>(grila)->edit(celula);
        if (auto* lista = qobject_cast<QComboBox*>(grila->indexWidget(celula)))
            lista->showPopup();
    });
}

void Frm_Cautare_Selectie::GridCampuri_AfterColUpdate(int coloana)
{
    if (coloana != Col_DescSemn)
        return;
    const db::Variant semn = GridCampuri->cell(Col_DescSemn);
    if (Este_Null(semn)) {
        GridCampuri->setCell(Col_Semn, db::Variant::null());
        return;
    }
    const int rand = DropDown_Semne->rowOfListText(semn.toText());
    if (rand >= 0)
        GridCampuri->setCell(Col_Semn, m_semne.valueAt(rand, m_semne.fieldIndex(u"Semn"_s)));
}

void Frm_Cautare_Selectie::CmdAfiseaza_Click()
{
    if (Reseteaza_Buton(CmdAfiseaza))
        return;
    if (!m_campuri.isOpen() || m_campuri.recordCount() == 0)
        return;
    // The row being edited is written first, so the text follows what the grid shows.
    if (!GridCampuri->update())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    db::Recordset parcurs = m_campuri.clone();
    const Script_Generat g = Genereaza_Script_SQL(parcurs);
    QApplication::restoreOverrideCursor();
    if (g.eroare) {
        Eroare(u"EROARE: "_s, g.eroare);
        return;
    }
    if (!g.fara_valoare.isEmpty()) {
        ui::msgBox(u"Pentru coloana: "_s + g.fara_valoare + u"\r\n"_s +
                       u" NU ESTE SETATA VALOAREA DE CAUTARE"_s,
                   ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
        GridRezultat->hide();
        return;
    }
    if (g.ok)
        Txt_SQL->setPlainText(g.text);
}

void Frm_Cautare_Selectie::CmdRunSQL_Click()
{
    if (Reseteaza_Buton(CmdRunSQL))
        return;
    const QString script = Txt_SQL->toPlainText();
    if (!Verifica_Script(script))
        return;
    GridRezultat->bind(db::Recordset());
    m_rezultat.close();
    db::Result<db::Recordset> rezultat = Ruleaza_Script(Conexiune_Firma, script);
    if (!rezultat) {
        GridRezultat->hide();
        Eroare(u"Eroare: "_s, rezultat.error());
        return;
    }
    m_rezultat = *rezultat;
    GridRezultat->bind(m_rezultat);
    GridRezultat->show();
    Label2->setText(u"Inregistrari: "_s + QString::number(m_rezultat.recordCount()));
}

void Frm_Cautare_Selectie::CmdSaveScript_Click()
{
    if (Reseteaza_Buton(CmdSaveScript))
        return;
    const QString script = Txt_SQL->toPlainText();
    if (!Verifica_Script(script))
        return;
    const QString nume = ui::inputBox(u"Introduceti numele scriptului care se salva"_s);
    if (Este_Null(db::Variant(nume)))
        return;
    if (const db::Error e = Salveaza_Script(Conexiune_Comun, nume, script))
        Eroare(u"Eroare: "_s, e);
}

void Frm_Cautare_Selectie::CmbScriptName_Click(int rand)
{
    if (rand < 0 || !m_scripturi.isOpen())
        return;
    const int sql = m_scripturi.fieldIndex(u"Script_SQL"_s);
    if (sql >= 0 && rand < m_scripturi.rowCount())
        Txt_SQL->setPlainText(Text_Script_Salvat(m_scripturi.valueAt(rand, sql).toText()));
}

void Frm_Cautare_Selectie::CmdExcel_Click()
{
    if (Reseteaza_Buton(CmdExcel))
        return;
    if (!m_rezultat.isOpen() || m_rezultat.recordCount() == 0)
        return;
    if (m_rezultat.recordCount() > kMaxRanduriExcel) {
        ui::msgBox(u"Prea multe inregistrari, nu se poate exporta"_s);
        return;
    }
    db::Recordset copie = m_rezultat.clone();
    Exporta_In_Excel(copie);
}
