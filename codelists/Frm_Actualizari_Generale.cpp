#include "codelists/Frm_Actualizari_Generale.h"

#include "codelists/Cautare_Tabele.h"
#include "codelists/ConexiuneTarif.h"
#include "codelists/FRM_cautare.h"
#include "codelists/Frm_CautareTabele.h"
#include "codelists/Tiparire_Grila.h"
#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Transfera_Excel.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Null.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/grid/units.h"
#include "platform/sys/clock.h"
#include "platform/ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Design places in twips, before the screen adjustment.
constexpr int kGrilaStanga = 240;
constexpr int kGrilaSus = 360;
constexpr int kGrilaLatime = 11415;
constexpr int kGrilaInaltime = 6975;
constexpr int kButoaneSus = 7560;

// The tariff-code look-ups of the editor run on the tariff of the current
// month, opened when no tariff is open.
void Pregateste_Tarif()
{
    if (!Conexiune_CN.isOpen()) {
        const QDate azi = sys::Clock::today();
        Deschide_Conexiune_Tarif(static_cast<short>(azi.month()), static_cast<short>(azi.year()));
    }
    Parametri_Cautare_Tabele.Cautare_PeTarif = true;
}

} // namespace

Frm_Actualizari_Generale::Frm_Actualizari_Generale(QWidget* parent)
    : ui::Fereastra(u"Frm_Actualizari_Generale"_s, u"Actualizari - Generale"_s, parent)
{
    Grid_Actualizare = new grid::Grid(this);
    Grid_Actualizare->setObjectName(u"Grid_Actualizare"_s);
    DropDown_Tara = new grid::DropDown(this);
    DropDown_Tara->setObjectName(u"DropDown_Tara"_s);
    DropDown_INCOTERMS = new grid::DropDown(this);
    DropDown_INCOTERMS->setObjectName(u"DropDown_INCOTERMS"_s);
    Cmd_Excel = Buton_Plat(this, u"Cmd_Excel"_s, u"Transfera EXCEL"_s, QRect(240, kButoaneSus, 1695, 375));
    CmdCautare = Buton_Plat(this, u"CmdCautare"_s, u"Cautare"_s, QRect(2040, kButoaneSus, 1095, 375));
    CmdToateInreg =
        Buton_Plat(this, u"CmdToateInreg"_s, u"Toate inregistrarile"_s, QRect(3240, kButoaneSus, 1815, 375));
    CmdPrint = Buton_Plat(this, u"CmdPrint"_s, u"Tipareste"_s, QRect(5160, kButoaneSus, 1215, 375));
    CmdDataView =
        Buton_Plat(this, u"CmdDataView"_s, u"Vizualizare Tabel"_s, QRect(6480, kButoaneSus, 2175, 375));
    Lbl_Mesaj = new QLabel(u"Label2"_s, this);
    Lbl_Mesaj->setObjectName(u"Lbl_Mesaj"_s);
    Lbl_Mesaj->setGeometry(ui::twipsToRect(kGrilaStanga, 60, kGrilaLatime, 255));
    m_stangaGrila = kGrilaStanga;
    m_latimeGrila = kGrilaLatime;
    Ajusteaza_Dimensiuni();

    grid::Grid* g = Grid_Actualizare;
    connect(g, &grid::Grid::beforeColEdit, this, &Frm_Actualizari_Generale::Grid_Actualizare_BeforeColEdit);
    connect(g, &grid::Grid::beforeColUpdate, this,
            &Frm_Actualizari_Generale::Grid_Actualizare_BeforeColUpdate);
    connect(g, &grid::Grid::beforeDelete, this, &Frm_Actualizari_Generale::Grid_Actualizare_BeforeDelete);
    connect(g, &grid::Grid::beforeUpdate, this, &Frm_Actualizari_Generale::Grid_Actualizare_BeforeUpdate);
    connect(g, &grid::Grid::buttonClick, this, &Frm_Actualizari_Generale::Grid_Actualizare_ButtonClick);
    connect(g, &grid::Grid::dataError, this, &Frm_Actualizari_Generale::Grid_Actualizare_Error);
    connect(g, &grid::Grid::headClick, this, &Frm_Actualizari_Generale::Grid_Actualizare_HeadClick);
    connect(g, &grid::Grid::keyDown, this, &Frm_Actualizari_Generale::Grid_Actualizare_KeyDown);
    connect(g, &grid::Grid::columnsRebuilt, this, [this] { m_coloane.aplica(*Grid_Actualizare); });
    connect(Cmd_Excel, &QPushButton::clicked, this, &Frm_Actualizari_Generale::Cmd_Excel_Click);
    connect(CmdCautare, &QPushButton::clicked, this, &Frm_Actualizari_Generale::CmdCautare_Click);
    connect(CmdToateInreg, &QPushButton::clicked, this, &Frm_Actualizari_Generale::CmdToateInreg_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &Frm_Actualizari_Generale::CmdPrint_Click);
    seteazaNumeAccesibile();
}

Frm_Actualizari_Generale::~Frm_Actualizari_Generale()
{
    Grid_Actualizare->setDataSource(nullptr);
    DropDown_Tara->setListSource(nullptr);
    DropDown_INCOTERMS->setListSource(nullptr);
}

void Frm_Actualizari_Generale::Form_Load()
{
    Incarca();
    Ajusteaza_Dimensiuni();
}

void Frm_Actualizari_Generale::Incarca()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    // The grid shows its normal view: the button names the other one.
    CmdDataView->setText(u"Vizualizare Inversata"_s);
    Grid_Actualizare->setAllowUpdate(true);
    Grid_Actualizare->setAllowAddNew(true);
    Grid_Actualizare->setAllowDelete(true);
    Coloreaza_Grila(*Grid_Actualizare);
    m_config = Configuratie_Tip_Actualizare(Tip_Actualizare);
    if (m_config)
        Configureaza(*m_config);
}

void Frm_Actualizari_Generale::Configureaza(const Configuratie_Actualizare& config)
{
    QList<Lista_Coduri> liste;
    for (const Coloana_Actualizare& c : config.coloane)
        if (c.lista != Lista_Coduri::Niciuna && !liste.contains(c.lista))
            liste.append(c.lista);
    for (Lista_Coduri l : std::as_const(liste))
        Leaga_Lista(Lista_Derulanta(l), l);

    setWindowTitle(config.titlu);
    db::Result<db::Recordset> rs =
        Deschide_Lista_Fereastra(Conexiune(), config.sql, db::CursorType::Dynamic, db::LockType::Optimistic);
    if (!rs) {
        Arata_Eroare_Baza(rs.error());
        return;
    }
    m_coloane = Coloane_Pastrate();
    Leaga_Tabela(*rs);

    for (const Coloana_Actualizare& c : config.coloane) {
        if (c.index >= Grid_Actualizare->columnCount())
            continue;
        grid::Column& coloana = Grid_Actualizare->column(c.index);
        if (!c.titlu.isEmpty())
            coloana.caption = c.titlu;
        if (c.latime > 0)
            coloana.widthTwips = c.latime;
        if (c.culoareText >= 0)
            coloana.foreColor = grid::fromVbColor(std::uint32_t(c.culoareText));
        if (c.culoareFundal >= 0)
            coloana.backColor = grid::fromVbColor(std::uint32_t(c.culoareFundal));
        if (c.aliniere == Coloana_Actualizare::Aliniere::Stanga)
            coloana.alignment = Qt::AlignLeft;
        else if (c.aliniere == Coloana_Actualizare::Aliniere::Centru)
            coloana.alignment = Qt::AlignHCenter;
        coloana.checkBox = c.bifa;
        coloana.numberFormat = c.format;
        coloana.locked = c.blocat;
        coloana.wrap = c.incadrat;
        coloana.button = c.buton;
        if (c.lista != Lista_Coduri::Niciuna) {
            coloana.locked = false;
            Grid_Actualizare->setColumnDropDown(c.index, Lista_Derulanta(c.lista));
        }
    }
    if (config.stangaGrila >= 0)
        m_stangaGrila = config.stangaGrila;
    if (config.latimeGrila >= 0)
        m_latimeGrila = config.latimeGrila;
    if (config.inaltimeRand > 0)
        Grid_Actualizare->setRowHeightTwips(config.inaltimeRand);
    Grid_Actualizare->setHeadingLines(config.liniiTitlu);
    Grid_Actualizare->setAllowAddNew(config.adaugare);
    Grid_Actualizare->setAllowDelete(config.stergere);
    Grid_Actualizare->refreshColumns();
    m_coloane.retine(*Grid_Actualizare);
}

grid::DropDown* Frm_Actualizari_Generale::Lista_Derulanta(Lista_Coduri coduri) const
{
    return coduri == Lista_Coduri::Incoterms ? DropDown_INCOTERMS : DropDown_Tara;
}

void Frm_Actualizari_Generale::Leaga_Lista(grid::DropDown* lista, Lista_Coduri coduri)
{
    db::Recordset& rs = lista == DropDown_INCOTERMS ? m_listaIncoterms : m_listaTara;
    std::unique_ptr<grid::RecordsetSource>& sursa =
        lista == DropDown_INCOTERMS ? m_sursaIncoterms : m_sursaTara;
    lista->setListSource(nullptr);
    sursa.reset();
    rs.close();
    db::Result<db::Recordset> r =
        Deschide_Lista_Fereastra(Conexiune_Comun, Interogare_Lista_Coduri(coduri),
                                 db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!r) {
        Arata_Eroare_Baza(r.error());
        return;
    }
    rs = *r;
    sursa = std::make_unique<grid::RecordsetSource>(rs);
    lista->setListSource(sursa.get());
    const QString cod = rs.fieldCount() > 0 ? rs.field(0).name : QString();
    lista->setBoundField(cod);
    lista->setListField(cod);
    grid::GridModel& model = lista->listModel();
    model.setRowColours(Culoare_Setare(Culoare_RandPar), Culoare_Setare(Culoare_RandImpar));
    const QStringList titluri{u"Cod"_s, u"Descriere"_s};
    for (int c = 0; c < model.columnCount() && c < titluri.size(); ++c) {
        model.column(c).caption = titluri[c];
        model.column(c).bold = true;
    }
    model.refreshColumns();
}

void Frm_Actualizari_Generale::Leaga_Tabela(const db::Recordset& rs)
{
    db::Recordset vechi = m_rs;
    m_rs = rs;
    Grid_Actualizare->bind(m_rs);
    if (!vechi.isNull() && vechi.impl() != m_rs.impl())
        vechi.close();
}

db::Connection& Frm_Actualizari_Generale::Conexiune() const
{
    return m_config && m_config->peFirma ? Conexiune_Firma : Conexiune_Comun;
}

void Frm_Actualizari_Generale::Ajusteaza_Dimensiuni()
{
    Grid_Actualizare->setGeometry(ui::twipsToRect(m_stangaGrila, kGrilaSus, m_latimeGrila + Delta_Latime,
                                                  kGrilaInaltime + Delta_Inaltime));
    const int sus = ui::twipsToPixelsY(kButoaneSus + Delta_Inaltime);
    for (ButonPlat* b : {Cmd_Excel, CmdCautare, CmdDataView, CmdPrint, CmdToateInreg})
        b->move(b->x(), sus);
}

const Coloana_Actualizare* Frm_Actualizari_Generale::Coloana(int index) const
{
    if (!m_config)
        return nullptr;
    for (const Coloana_Actualizare& c : m_config->coloane)
        if (c.index == index)
            return &c;
    return nullptr;
}

void Frm_Actualizari_Generale::Form_Activate()
{
    Grid_Actualizare->setFocus();
}

bool Frm_Actualizari_Generale::Salveaza_Randul()
{
    return Grid_Actualizare->update();
}

void Frm_Actualizari_Generale::Form_Unload(bool& cancel)
{
    if (!Salveaza_Randul()) {
        cancel = true;
        return;
    }
    Grid_Actualizare->setDataSource(nullptr);
    m_rs.close();
    m_rs = db::Recordset();
    Prefix_Cautare.clear();
    RS_Filtrare.close();
    RS_Filtrare = db::Recordset();
    ui::Forms::unload(u"FRM_cautare"_s);
    DropDown_Tara->setListSource(nullptr);
    DropDown_INCOTERMS->setListSource(nullptr);
    m_sursaTara.reset();
    m_sursaIncoterms.reset();
    m_listaTara.close();
    m_listaIncoterms.close();
}

void Frm_Actualizari_Generale::Grid_Actualizare_BeforeColEdit(int coloana, bool& anulare)
{
    if (coloana != 0)
        return;
    const int rand = Grid_Actualizare->row();
    if (rand < 0)
        return;
    const db::Variant cheie = Grid_Actualizare->cellValue(rand, 0);
    if (Este_Null(cheie))
        return;
    Raspuns_Mesaj =
        ui::msgBox(u"Modificati valoarea curenta ?  -  "_s + Grid_Actualizare->cellText(rand, 0),
                   ui::Icon::Question, ui::Buttons::YesNoCancel, u"Mesaj"_s, ui::DefaultButton::Second);
    if (Raspuns_Mesaj != ui::Answer::Yes)
        anulare = true;
}

void Frm_Actualizari_Generale::Grid_Actualizare_BeforeColUpdate(int coloana, const db::Variant&,
                                                                bool& anulare)
{
    const Coloana_Actualizare* c = Coloana(coloana);
    if (!c)
        return;
    if (c->cautareTarif) {
        Cauta_Cod_Vamal(coloana);
        return;
    }
    if (c->lista == Lista_Coduri::Niciuna || !c->validata)
        return;
    const QString tastat = Grid_Actualizare->cell(coloana).toText();
    if (Lista_Derulanta(c->lista)->rowOfBoundValue(tastat) >= 0)
        return;
    ui::msgBox(u"Selectati o valoare din lista"_s, ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
    anulare = true;
    const int rand = Grid_Actualizare->row();
    QTimer::singleShot(0, this, [this, rand, coloana] { Deschide_Lista(rand, coloana); });
}

void Frm_Actualizari_Generale::Deschide_Lista(int rand, int coloana)
{
    if (!isVisible() || rand < 0)
        return;
    Grid_Actualizare->setCurrentCell(rand, coloana);
    const QModelIndex celula = Grid_Actualizare->currentIndex();
    if (!celula.isValid() || celula.row() != rand || celula.column() != coloana)
        return;
    static_cast<QAbstractItemView*>(Grid_Actualizare)->edit(celula);
    for (QComboBox* lista : Grid_Actualizare->findChildren<QComboBox*>())
        if (lista->isVisible())
            lista->showPopup();
}

void Frm_Actualizari_Generale::Cerere_Cod_Vamal(int coloana, const QString& sql)
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    c.Cautare_GridApelant = Grid_Actualizare;
    c.Cautare_ValoareTastata = Grid_Actualizare->cell(coloana).toText();
    c.Cautare_SQL = sql.isEmpty() ? Interogare_Cautare(u"SELECT * FROM HS8"_s, u" WHERE [HS8_COD]='"_s,
                                                       c.Cautare_ValoareTastata)
                                  : sql;
    c.Cautare_PeFirma = false;
    c.Cautare_Suprascrie = true;
    c.Cautare_NrColoane = 1;
    c.Cautare_ColoaneDestinatie[1] = coloana;
    c.Cautare_ColoaneSursa[1] = 0;
    Pregateste_Tarif();
}

void Frm_Actualizari_Generale::Cauta_Cod_Vamal(int coloana)
{
    Cerere_Cod_Vamal(coloana, QString());
    if (!Cauta_Si_Completeaza())
        Lista_Coduri_Vamale(coloana);
    Lbl_Mesaj->setText(Parametri_Cautare_Tabele.Cautare_Rezultat);
}

void Frm_Actualizari_Generale::Lista_Coduri_Vamale(int coloana)
{
    Cerere_Cod_Vamal(coloana, u"SELECT * FROM HS8 ORDER BY HS8_COD"_s);
    Arata_Lista_Selectie([](grid::Grid& lista) {
        if (lista.columnCount() > 1) {
            lista.column(1).wrap = true;
            lista.column(1).widthTwips = 6500;
            lista.refreshColumns();
        }
        lista.setRowHeightTwips(400);
    });
}

void Frm_Actualizari_Generale::Grid_Actualizare_BeforeDelete(bool& anulare)
{
    Raspuns_Mesaj = ui::msgBox(u"Stergeti inregistrarea ?"_s, ui::Icon::Question, ui::Buttons::YesNoCancel);
    if (Raspuns_Mesaj != ui::Answer::Yes)
        anulare = true;
}

void Frm_Actualizari_Generale::Grid_Actualizare_BeforeUpdate(bool&)
{
    grid::GridModel* model = Grid_Actualizare->gridModel();
    const int rand = model->editRow();
    if (rand < 0)
        return;
    QStringList campuri;
    for (int c = 0; c < Grid_Actualizare->columnCount(); ++c)
        campuri.append(Grid_Actualizare->column(c).dataField);
    const auto valori = Valori_Implicite_Rand(
        Tip_Actualizare, campuri, [model, rand](int coloana) { return model->cell(rand, coloana); });
    for (const auto& [coloana, valoare] : valori)
        model->setPending(rand, coloana, valoare);
}

void Frm_Actualizari_Generale::Grid_Actualizare_ButtonClick(int coloana)
{
    const Coloana_Actualizare* c = Coloana(coloana);
    if (!c || !c->buton)
        return;
    Lista_Coduri_Vamale(coloana);
    Lbl_Mesaj->setText(Parametri_Cautare_Tabele.Cautare_Rezultat);
}

void Frm_Actualizari_Generale::Grid_Actualizare_Error(int numar, const QString& text, bool& suprima)
{
    suprima = true;
    if (numar != 0)
        ui::msgBox(Text_Eroare(u"Frm_Actualizari_Generale"_s, std::int16_t(numar), u"TDBGrid"_s, text),
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Frm_Actualizari_Generale::Grid_Actualizare_HeadClick(int coloana)
{
    if (!m_config || coloana < 0 || coloana >= Grid_Actualizare->columnCount() || !Salveaza_Randul())
        return;
    db::Connection& cn = Conexiune();
    db::Result<db::Recordset> rs =
        cn.openRecordset(Interogare_Sortata(*m_config, Grid_Actualizare->column(coloana).dataField),
                         db::CursorType::Dynamic, db::LockType::Optimistic);
    if (!rs) {
        Arata_Eroare_Baza(rs.error());
        return;
    }
    Leaga_Tabela(*rs);
}

void Frm_Actualizari_Generale::Grid_Actualizare_KeyDown(int tasta, Qt::KeyboardModifiers modificatori,
                                                        bool& consuma)
{
    if (tasta == Qt::Key_F && modificatori == Qt::ControlModifier) {
        consuma = true;
        CmdCautare_Click();
        return;
    }
    if (tasta == Qt::Key_Escape && !Grid_Actualizare->cellDataChanged()) {
        // The row's changes are dropped; a changed cell is the grid's own to undo.
        Grid_Actualizare->cancelUpdate();
        consuma = true;
        if (m_rs.isOpen() && m_rs.editMode() != db::EditMode::None)
            m_rs.cancelUpdate();
    }
}

void Frm_Actualizari_Generale::Cmd_Excel_Click()
{
    if (Reseteaza_Buton(Cmd_Excel) || !m_rs.isOpen())
        return;
    db::Recordset copie = m_rs.clone();
    Exporta_In_Excel(copie);
}

void Frm_Actualizari_Generale::CmdCautare_Click()
{
    if (Reseteaza_Buton(CmdCautare) || !Salveaza_Randul())
        return;
    // The search runs on the database of the table edited.
    Parametri_Cautare_Tabele.Cautare_PeTarif = false;
    Arata_Cautare_Coloana(*Grid_Actualizare, m_rs, !(m_config && m_config->peFirma));
}

void Frm_Actualizari_Generale::CmdToateInreg_Click()
{
    if (Reseteaza_Buton(CmdToateInreg) || !Salveaza_Randul())
        return;
    Grid_Actualizare->setDataSource(nullptr);
    m_rs.close();
    m_rs = db::Recordset();
    Incarca();
    Ajusteaza_Dimensiuni();
}

void Frm_Actualizari_Generale::CmdPrint_Click()
{
    if (Reseteaza_Buton(CmdPrint))
        return;
    Tipareste_Grila(*Grid_Actualizare, windowTitle(), Margini_Tiparire_Grila);
}
