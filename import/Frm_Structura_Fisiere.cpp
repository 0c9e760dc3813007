#include "import/Frm_Structura_Fisiere.h"

#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "common/Selecteaza_Text_control.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null_Control.h"
#include "import/Culori_Liste.h"
#include "import/Machete.h"
#include "import/Preluare_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kFereastra = u"Frm_Structura_Fisiere"_s;

// The flows a template serves.
bool fluxCunoscut(const QString& text)
{
    const QString t = text.toUpper();
    return t == u"ACHIZITIE" || t == u"LIVRARE";
}

QString eroareBaza(const db::Error& e)
{
    return u"Eroare : "_s + QString::number(e.number) + u"\r\n"_s + e.description;
}

} // namespace

Frm_Structura_Fisiere::Frm_Structura_Fisiere(QWidget* parent)
    : ui::Fereastra(kFereastra, u"Definire machete fisiere excel"_s, parent)
{
    const auto eticheta = [this](const QString& nume, const QString& text, QWidget* pentru = nullptr) {
        auto* l = new QLabel(text, this);
        l->setObjectName(nume);
        if (pentru)
            l->setBuddy(pentru);
        return l;
    };
    const auto caseta = [this](const QString& nume, int latime, const QString& indiciu = QString()) {
        auto* t = new QLineEdit(this);
        t->setObjectName(nume);
        t->setMaxLength(latime);
        t->setToolTip(indiciu);
        return t;
    };

    NumeSalvare = caseta(u"NumeSalvare"_s, 50, u"Un nume ales de d-voastra pentru acesta macheta"_s);
    Label1 = eticheta(u"Label1"_s, u"Nume Macheta:"_s, NumeSalvare);
    ModPreluare = new QComboBox(this);
    ModPreluare->setObjectName(u"ModPreluare"_s);
    ModPreluare->setEditable(true);
    ModPreluare->setInsertPolicy(QComboBox::NoInsert);
    ModPreluare->lineEdit()->setMaxLength(20);
    ModPreluare->setToolTip(u"Achizitie (Import) sau Livrare (Export)"_s);
    Label2 = eticheta(u"Label2"_s, u"Se va folosi la:"_s, ModPreluare);
    DefaultLocation =
        caseta(u"DefaultLocation"_s, 255,
               u"OPTIONAL - Unde este salvat in mod curent fisierul pe calculatorul d-voastra"_s);
    Label5 = eticheta(u"Label5"_s, u"Locatie implicita:"_s, DefaultLocation);
    WorkSheetName = caseta(u"WorkSheetName"_s, 100, u"OPTIONAL - Numele sheet-ului din fisierul excel."_s);
    Label6 = eticheta(u"Label6"_s, u"Work sheet name:"_s, WorkSheetName);
    CmdUpdate = new ButonPlat(u"Retine Modificari"_s, this);
    CmdUpdate->setObjectName(u"CmdUpdate"_s);

    Txt_ExcelFile = caseta(u"Txt_ExcelFile"_s, 255);
    CmdBrowse = new QPushButton(u">>>> (Rasfoire)"_s, this);
    CmdBrowse->setObjectName(u"CmdBrowse"_s);
    CmdReadColumns = new ButonPlat(u"Citeste coloane din fisierul excel"_s, this);
    CmdReadColumns->setObjectName(u"CmdReadColumns"_s);
    Label3 = eticheta(u"Label3"_s,
                      u"Pentru o definirea mai usoara introduceti calea pana la fisierul excel. Si apoi "
                      u"apasati butonul \"Citeste coloane fisier excel\""_s,
                      Txt_ExcelFile);
    Label3->setWordWrap(true);

    ListaTabel = new grid::Grid(this);
    ListaTabel->setObjectName(u"ListaTabel"_s);
    Label7 = eticheta(u"Label7"_s,
                      u"Dupa completarea datelor de mai sus apasati butonul \"Retine modificari\" si apoi "
                      u"completati coloane de mai jos (doar cele cu fundal alb)"_s);
    Label8 = eticheta(u"Label8"_s, u"Daca bifati coloana \"Exista in fisierul Excel\" atunci trebuie sa "
                                   u"specificati numarul coloanei din fisierul excel."_s);
    Label9 = eticheta(u"Label9"_s, u"Daca NU este bifata coloana \"Exista in fisierul Excel\" atunci se va "
                                   u"folosi valoarea din coloana \"Valoare Implicita\""_s);
    GridStructuraExcel = new grid::ListGrid(this);
    GridStructuraExcel->setObjectName(u"GridStructuraExcel"_s);
    Label4 = eticheta(u"Label4"_s, u"Coloanele disponibile in fisierul excel"_s, GridStructuraExcel);
    CMBColoane = new grid::DropDown(this);
    CMBColoane->setObjectName(u"CMBColoane"_s);

    auto* asezare = new QGridLayout(this);
    int rand = 0;
    for (const auto& [l, c] : {std::pair<QLabel*, QWidget*>{Label1, NumeSalvare},
                               {Label2, ModPreluare},
                               {Label5, DefaultLocation},
                               {Label6, WorkSheetName}}) {
        asezare->addWidget(l, rand, 0);
        asezare->addWidget(c, rand++, 1, 1, 2);
    }
    asezare->addWidget(CmdUpdate, rand++, 1);
    asezare->addWidget(Label3, rand++, 0, 1, 4);
    asezare->addWidget(Txt_ExcelFile, rand, 0, 1, 2);
    asezare->addWidget(CmdBrowse, rand, 2);
    asezare->addWidget(CmdReadColumns, rand++, 3);
    for (QLabel* l : {Label7, Label8, Label9})
        asezare->addWidget(l, rand++, 0, 1, 4);
    asezare->addWidget(ListaTabel, rand, 0, 2, 3);
    asezare->addWidget(Label4, rand, 3);
    asezare->addWidget(GridStructuraExcel, rand + 1, 3);
    asezare->setRowStretch(rand + 1, 1);
    asezare->setColumnStretch(1, 1);

    // Enter moves on; the text boxes select their text on entry. The hints
    // of the two grids show and hide with them.
    for (QWidget* w :
         std::initializer_list<QWidget*>{NumeSalvare, ModPreluare, ModPreluare->lineEdit(), Txt_ExcelFile,
                                         WorkSheetName, DefaultLocation, ListaTabel, GridStructuraExcel})
        w->installEventFilter(this);

    connect(CmdUpdate, &QPushButton::clicked, this, &Frm_Structura_Fisiere::CmdUpdate_Click);
    connect(CmdReadColumns, &QPushButton::clicked, this, &Frm_Structura_Fisiere::CmdReadColumns_Click);
    connect(CmdBrowse, &QPushButton::clicked, this, &Frm_Structura_Fisiere::CmdBrowse_Click);
    connect(ListaTabel, &grid::Grid::beforeColUpdate, this,
            &Frm_Structura_Fisiere::ListaTabel_BeforeColUpdate);
    connect(ListaTabel, &grid::Grid::beforeUpdate, this, &Frm_Structura_Fisiere::ListaTabel_BeforeUpdate);
    connect(ListaTabel, &grid::Grid::beforeDelete, this, &Frm_Structura_Fisiere::ListaTabel_BeforeDelete);
    connect(ListaTabel, &grid::Grid::dataError, this, &Frm_Structura_Fisiere::ListaTabel_Error);
    connect(ListaTabel, &grid::Grid::keyDown, this, &Frm_Structura_Fisiere::ListaTabel_KeyDown);
    seteazaNumeAccesibile();
}

Frm_Structura_Fisiere::~Frm_Structura_Fisiere()
{
    ListaTabel->setDataSource(nullptr);
    GridStructuraExcel->setDataSource(nullptr);
    CMBColoane->setListSource(nullptr);
}

void Frm_Structura_Fisiere::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    if (QWidget* meniu = ui::Forms::get(u"Frm_Meniu_Principal"_s))
        setWindowIcon(meniu->windowIcon());
    m_mod = Mod_Macheta;
    if (auto set = Deschide_Set_Macheta(Conexiune_Firma, Conditie_Macheta))
        m_set = *set;
    if (m_mod == 2)
        Creeaza_Antet(m_set);
    Leaga_ListaTabel();
    ModPreluare->addItems(Elemente_Combo(kFereastra, u"ModPreluare"_s));
    Arata_Antet();
    ListaTabel->show();
    if (m_mod == 1)
        Adauga_Rand_Tara_Origine(Conexiune_Firma, NumeSalvare->text());
    if (m_mod == 2) {
        if (auto schema = Citeste_Schema_Intrastat(Conexiune_Firma))
            m_schema = *schema;
        ListaTabel->hide();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Txt_ExcelFile, CmdBrowse, CmdReadColumns, Label3,
                                                      GridStructuraExcel})
        w->hide();
    m_coloane = Lista_Coloane_Foaie();
    if (auto intrastat = Coloane_Intrastat(Conexiune_Firma))
        m_intrastat = *intrastat;
}

void Frm_Structura_Fisiere::Form_Unload(bool& cancel)
{
    // A row being edited is written first; a row the rules refuse keeps the
    // window open, with the rule's message.
    if (m_randuri.isOpen() && !ListaTabel->update()) {
        cancel = true;
        return;
    }
    // A new template never saved with "Retine Modificari" is dropped: a
    // header written here would have no rows.
    if (m_mod == 2 && !m_salvata)
        m_set.cancelUpdate();
    else
        Retine_Antet();
    Conditie_Macheta.clear();
    ListaTabel->setDataSource(nullptr);
    GridStructuraExcel->setDataSource(nullptr);
    CMBColoane->setListSource(nullptr);
    m_sursaColoane.reset();
    m_coloane.close();
    m_randuri.close();
    m_set.close();
    m_schema.close();
}

void Frm_Structura_Fisiere::Form_Activate()
{
    if (m_mod == 1 && !Txt_ExcelFile->isHidden() && Exista_Fisier(Cale_Fisier_Macheta(Txt_ExcelFile->text())))
        Citeste_Coloane();
}

bool Frm_Structura_Fisiere::eventFilter(QObject* obiect, QEvent* eveniment)
{
    switch (eveniment->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (obiect == ListaTabel) {
            for (QLabel* l : {Label7, Label8, Label9})
                l->setHidden(ListaTabel->isHidden());
        } else if (obiect == GridStructuraExcel) {
            Label4->setHidden(GridStructuraExcel->isHidden());
        }
        break;
    case QEvent::FocusIn:
        if (obiect == ListaTabel) {
            // Edits of the header are written before edits of the rows.
            Retine_Antet();
        } else if (qobject_cast<QLineEdit*>(obiect) && obiect != ModPreluare->lineEdit()) {
            Selecteaza_Text(static_cast<QWidget*>(obiect));
        }
        break;
    case QEvent::FocusOut:
        if (obiect == ModPreluare) {
            const auto motiv = static_cast<QFocusEvent*>(eveniment)->reason();
            if (motiv != Qt::PopupFocusReason && motiv != Qt::ActiveWindowFocusReason && !m_valideaza &&
                !ModPreluare->isAncestorOf(QApplication::focusWidget()) && !ModPreluare_Validate())
                ModPreluare->setFocus(Qt::OtherFocusReason);
        }
        break;
    case QEvent::KeyPress:
        if (obiect != ListaTabel && obiect != GridStructuraExcel && enterLaUrmatorul(eveniment))
            return true;
        break;
    default:
        break;
    }
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

bool Frm_Structura_Fisiere::ModPreluare_Validate()
{
    if (fluxCunoscut(ModPreluare->currentText()))
        return true;
    m_valideaza = true;
    ui::msgBox(u"Selectati o valoare din lista"_s);
    m_valideaza = false;
    return false;
}

void Frm_Structura_Fisiere::Arata_Antet()
{
    const auto text = [this](const QString& camp) { return m_set.value(camp).toText(); };
    NumeSalvare->setText(text(u"Nume_structura"_s));
    ModPreluare->setCurrentIndex(-1);
    ModPreluare->setEditText(text(u"TIP"_s));
    DefaultLocation->setText(text(u"Locatie_Implicita"_s));
    WorkSheetName->setText(text(u"Work_Sheet_Name"_s));
    Txt_ExcelFile->setText(text(u"SampleExcelFile"_s));
}

void Frm_Structura_Fisiere::Scrie_Antet()
{
    if (!m_set.isOpen() || (m_set.editMode() == db::EditMode::None && m_set.currentRow() < 0))
        return;
    const std::pair<QString, QString> campuri[] = {
        {u"Nume_structura"_s, NumeSalvare->text()},        {u"TIP"_s, ModPreluare->currentText()},
        {u"Locatie_Implicita"_s, DefaultLocation->text()}, {u"Work_Sheet_Name"_s, WorkSheetName->text()},
        {u"SampleExcelFile"_s, Txt_ExcelFile->text()},
    };
    for (const auto& [camp, text] : campuri) {
        const db::Variant acum = m_set.value(camp);
        if (text.isEmpty() ? acum.toText().isEmpty() : acum.toText() == text)
            continue;
        m_set.setValue(camp, text.isEmpty() ? db::Variant::null() : db::Variant(text));
    }
}

bool Frm_Structura_Fisiere::Retine_Antet()
{
    // The header of a new template is written by "Retine Modificari" only.
    if (m_mod == 2 && !m_salvata)
        return true;
    Scrie_Antet();
    if (const db::Error e = Salveaza_Antet(m_set)) {
        ui::msgBox(eroareBaza(e), ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return false;
    }
    return true;
}

void Frm_Structura_Fisiere::Leaga_ListaTabel()
{
    m_randuri = m_set.isOpen() ? m_set.chapter(u"ChildCMD"_s) : db::Recordset();
    if (m_randuri.isOpen())
        ListaTabel->bind(m_randuri);
    else
        ListaTabel->setDataSource(nullptr);
    Formateaza_ListaTabel();
}

void Frm_Structura_Fisiere::Formateaza_ListaTabel()
{
    struct Coloana
    {
        const char16_t* camp;
        const char16_t* titlu;
        int latime;
        bool editabila;
    };
    static const Coloana coloane[] = {
        {u"Nume_Structura", u"", 0, false},
        {u"Record_ID", u"", 0, false},
        {u"Dest_ColumnDescription", u"Informatie necesara", 2500, false},
        {u"Exista_Coloana", u"Exista in fisierul excel", 1300, true},
        {u"Numar_Coloana", u"Numar coloanei din fisierul Excel", 1600, true},
        {u"Valoare_Implicita", u"Valoare Implicita (se va folosi daca nu exista in Excel)", 2600, true},
        {u"Marime_Maxima", u"Caractere maxime admise", 1300, false},
        {u"Format", u"Formatul datelor", 1200, false},
        {u"Dest_ColumnName", u"", 0, false},
    };
    ListaTabel->setAllowUpdate(true);
    ListaTabel->setAllowAddNew(false);
    ListaTabel->setAllowDelete(true);
    ListaTabel->setTabAcrossCells(true);
    ListaTabel->setWrapCellPointer(true);
    Aplica_Culori_Setari(ListaTabel);
    ListaTabel->setHeadingLines(2);
    ListaTabel->setHeadingBold(true);
    ListaTabel->setHeadingBackColour(Culoare_Qt(0xC0E0FF));
    for (const Coloana& c : coloane) {
        const int i = ListaTabel->columnForField(QString::fromUtf16(c.camp));
        if (i < 0)
            continue;
        grid::Column& col = ListaTabel->column(i);
        col.caption = QString::fromUtf16(c.titlu);
        col.widthTwips = c.latime;
        col.visible = c.latime > 0;
        col.locked = !c.editabila;
        col.backColor = c.editabila ? QColor(Qt::white) : QColor();
        if (i == ListaTabel->columnForField(u"Exista_Coloana"_s) ||
            i == ListaTabel->columnForField(u"Numar_Coloana"_s))
            col.alignment = Qt::AlignCenter;
    }
    ListaTabel->refreshColumns();
}

void Frm_Structura_Fisiere::Formateaza_Liste_Coloane()
{
    GridStructuraExcel->bind(m_coloane);
    GridStructuraExcel->setHeadingLines(2);
    Aplica_Culori_Setari(GridStructuraExcel);
    const std::pair<QString, int> coloane[] = {
        {u"Nr. Coloana"_s, 500}, {u"Cap Coloana"_s, 1500}, {u"Prima Valoare"_s, 1000}};
    for (int i = 0; i < GridStructuraExcel->columnCount() && i < 3; ++i) {
        GridStructuraExcel->column(i).caption = coloane[i].first;
        GridStructuraExcel->column(i).widthTwips = coloane[i].second;
    }
    if (GridStructuraExcel->columnCount() > 0)
        GridStructuraExcel->column(0).alignment = Qt::AlignCenter;
    GridStructuraExcel->refreshColumns();
    // The window's layout gives the list the room of its columns.
    GridStructuraExcel->setMinimumWidth(GridStructuraExcel->widthForColumns());
    GridStructuraExcel->setVisible(m_coloane.recordCount() > 0);

    // The drop-down of the column numbers follows the list; without columns
    // the cells take any number.
    auto sursa = std::make_unique<grid::RecordsetSource>(m_coloane);
    CMBColoane->setListSource(sursa.get());
    m_sursaColoane = std::move(sursa);
    const int numar = ListaTabel->columnForField(u"Numar_Coloana"_s);
    if (m_coloane.recordCount() == 0) {
        ListaTabel->setColumnDropDown(numar, nullptr);
        return;
    }
    CMBColoane->setBoundField(u"Numar Coloana"_s);
    CMBColoane->setListField(u"Numar Coloana"_s);
    Formateaza_Lista(
        *CMBColoane, nullptr,
        {{u"Numar Coloana"_s, 1000}, {u"Descriere coloana"_s, 1500}, {u"Prima Valoare"_s, 1500}});
    CMBColoane->listModel().column(0).alignment = Qt::AlignCenter;
    CMBColoane->listModel().refreshColumns();
    ListaTabel->setColumnDropDown(numar, CMBColoane);
}

void Frm_Structura_Fisiere::Blocheaza_Nume_Si_Flux()
{
    NumeSalvare->setReadOnly(true);
    ModPreluare->setEnabled(false);
}

void Frm_Structura_Fisiere::Arata_Controale_Fisier()
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{ListaTabel, Txt_ExcelFile, CmdBrowse, CmdReadColumns, Label3})
        w->show();
}

void Frm_Structura_Fisiere::CmdUpdate_Click()
{
    if (Reseteaza_Buton(CmdUpdate))
        return;
    // A row being edited is written before the set is read again.
    if (m_randuri.isOpen() && !ListaTabel->update())
        return;
    const bool faraNume = Este_Null(NumeSalvare, u"Nume Macheta"_s, true);
    const bool faraFlux = Este_Null(ModPreluare, u"Se foloseste la"_s, true);
    if (faraNume || faraFlux)
        return;
    // The click can come right after the flow field refused its text (the
    // field keeps the focus then, and has said so): a flow not in the list
    // is never saved.
    if (ModPreluare->isEnabled() && !fluxCunoscut(ModPreluare->currentText())) {
        if (!ModPreluare->hasFocus())
            ModPreluare_Validate();
        ModPreluare->setFocus(Qt::OtherFocusReason);
        return;
    }
    Scrie_Antet();
    const bool noua = m_mod == 2;
    if (const db::Error e = Retine_Macheta(Conexiune_Firma, m_set, noua, m_schema)) {
        if (e.kind == db::Error::Kind::Duplicate)
            ui::msgBox(e.description, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        else
            ui::msgBox(eroareBaza(e), ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return;
    }
    if (noua) {
        m_salvata = true;
        Leaga_ListaTabel();
        Arata_Controale_Fisier();
        GridStructuraExcel->setVisible(m_coloane.recordCount() > 0);
    }
    Formateaza_ListaTabel();
    Blocheaza_Nume_Si_Flux();
}

void Frm_Structura_Fisiere::CmdReadColumns_Click()
{
    if (Reseteaza_Buton(CmdReadColumns))
        return;
    Citeste_Coloane();
}

void Frm_Structura_Fisiere::Citeste_Coloane()
{
    if (Este_Null(Txt_ExcelFile, u"Cale Fisier Excel"_s, true))
        return;
    const QString cale = Cale_Fisier_Macheta(Txt_ExcelFile->text());
    if (!Exista_Fisier(cale)) {
        ui::msgBox(u"NU EXISTA FISIERUL : "_s + cale);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString foaie = Este_Null(WorkSheetName) ? u"Sheet1"_s : WorkSheetName->text();
    RS_Preluare.close();
    RS_Preluare = Deschide_Sheet_Excel(cale, foaie);
    db::Recordset coloane = Lista_Coloane_Din_Foaie(RS_Preluare);
    RS_Preluare.close();
    RS_Preluare = db::Recordset();
    QApplication::restoreOverrideCursor();
    m_coloane = coloane;
    ui::msgBox(u"Numar coloane in fisierul excel : "_s + QString::number(m_coloane.recordCount()));
    Formateaza_Liste_Coloane();
}

void Frm_Structura_Fisiere::CmdBrowse_Click()
{
    const QString initial = Este_Null(Txt_ExcelFile) ? QString() : Cale_Fisier_Macheta(Txt_ExcelFile->text());
    const QString cale = ui::openFileName(QString(), initial, Filtru_Fisiere_Excel());
    if (cale.isEmpty())
        return;
    Txt_ExcelFile->setText(cale);
    DefaultLocation->setText(cale.left(cale.lastIndexOf(u'/') + 1));
}

void Frm_Structura_Fisiere::ListaTabel_BeforeColUpdate(int col, const db::Variant& vechi, bool& cancel)
{
    (void)vechi;
    const int exista = ListaTabel->columnForField(u"Exista_Coloana"_s);
    const int numar = ListaTabel->columnForField(u"Numar_Coloana"_s);
    if (col == ListaTabel->columnForField(u"Valoare_Implicita"_s)) {
        // A default is a value of its destination column's kind.
        const QString destinatie =
            ListaTabel->cell(ListaTabel->columnForField(u"Dest_ColumnName"_s)).toText().toLower();
        const auto c = m_intrastat.constFind(destinatie);
        const QString refuz =
            Refuz_Valoare_Implicita(c == m_intrastat.constEnd() ? nullptr : &*c, ListaTabel->cell(col));
        if (!refuz.isEmpty()) {
            ui::msgBox(refuz, ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
            cancel = true;
        }
        return;
    }
    if (col == exista) {
        // A value not taken from the sheet has no column number.
        const db::Variant v = ListaTabel->cell(exista);
        if (v.isMissing() || !v.toBool())
            ListaTabel->setCell(numar, db::Variant::null());
        return;
    }
    if (col != numar || m_coloane.recordCount() == 0)
        return;
    const QString text = ListaTabel->cell(numar).toText();
    if (Este_Null(db::Variant(text)) || CMBColoane->rowOfBoundValue(text) >= 0)
        return;
    ui::msgBox(u"Selectati o valoare din lista"_s, ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
    cancel = true;
    QTimer::singleShot(0, this, &Frm_Structura_Fisiere::Deschide_Lista_Coloane);
}

void Frm_Structura_Fisiere::Deschide_Lista_Coloane()
{
    // The list of the sheet's columns opens on the refused cell.
    const QModelIndex celula = ListaTabel->currentIndex();
    if (!celula.isValid() || !ListaTabel->hasFocus() ||
        celula.column() != ListaTabel->columnForField(u"Numar_Coloana"_s))
        return;
    static_cast<QAbstractItemView*>(ListaTabel)->edit(celula);
    if (auto* lista = qobject_cast<QComboBox*>(ListaTabel->indexWidget(celula)))
        lista->showPopup();
}

void Frm_Structura_Fisiere::ListaTabel_BeforeUpdate(bool& cancel)
{
    const int exista = ListaTabel->columnForField(u"Exista_Coloana"_s);
    const int numar = ListaTabel->columnForField(u"Numar_Coloana"_s);
    db::Variant dinFoaie = ListaTabel->cell(exista);
    if (Este_Null(dinFoaie)) {
        dinFoaie = db::Variant(false);
        ListaTabel->setCell(exista, dinFoaie);
    }
    const db::Variant coloana = ListaTabel->cell(numar);
    if (!dinFoaie.toBool() && !Este_Null(coloana)) {
        ui::msgBox(u"Bifati coloana: Exista in fisierul excel"_s);
        cancel = true;
        return;
    }
    if (dinFoaie.toBool() && Este_Null(coloana, u"Numar coloana fisier excel"_s, true))
        cancel = true;
}

void Frm_Structura_Fisiere::ListaTabel_BeforeDelete(bool& cancel)
{
    cancel = ui::msgBox(u"Stergeti inregistrarea ?"_s, ui::Icon::Question, ui::Buttons::YesNoCancel) !=
             ui::Answer::Yes;
}

void Frm_Structura_Fisiere::ListaTabel_Error(int numar, const QString& text, bool& suppress)
{
    suppress = true;
    ui::msgBox(Text_Eroare(objectName(), static_cast<std::int16_t>(numar), u"TDBGrid"_s, text),
               ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Frm_Structura_Fisiere::ListaTabel_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consume)
{
    (void)modificatori;
    if (tasta != Qt::Key_Escape)
        return;
    consume = true;
    // A header edit not written yet is given up; a new header is not.
    if (m_set.editMode() == db::EditMode::InProgress) {
        m_set.cancelUpdate();
        Arata_Antet();
    }
}
