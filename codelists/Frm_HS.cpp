#include "codelists/Frm_HS.h"

#include "codelists/Cautare_Rapida.h"
#include "codelists/FRM_cautare.h"
#include "codelists/Frm_Explicativ.h"
#include "codelists/Tiparire_Grila.h"
#include "common/BUTOANE.h"
#include "common/Globale.h"
#include "common/Inchide_Formuri.h"
#include "common/Transfera_Excel.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Null.h"
#include "platform/grid/grid.h"
#include "platform/grid/units.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

// Design places in twips, before the screen adjustment.
constexpr int kGrilaStanga = 480;
constexpr int kGrilaSus = 240;
constexpr int kGrilaLatime = 10935;
constexpr int kGrilaInaltime = 5175;
constexpr int kComentariiSus = 5520;
constexpr int kComentariiInaltime = 1815;
constexpr int kButoaneSus = 7560;

} // namespace

Frm_HS::Frm_HS(QWidget* parent) : ui::Fereastra(u"Frm_HS"_s, u"HS_Form"_s, parent)
{
    Grid_HS = new grid::ListGrid(this);
    Grid_HS->setObjectName(u"Grid_HS"_s);
    Txt_Comentarii = new QTextEdit(this);
    Txt_Comentarii->setObjectName(u"Txt_Comentarii"_s);
    Label2 = Eticheta_Cautare_Rapida(this, 0);
    Label4 = Eticheta_Indiciu(this, QRect(6840, 0, 4815, 255));

    CmdToateInreg =
        Buton_Plat(this, u"CmdToateInreg"_s, u"Toate inregistrarile"_s, QRect(360, kButoaneSus, 1815, 375));
    CmdCautare = Buton_Plat(this, u"CmdCautare"_s, u"Cautare"_s, QRect(3480, kButoaneSus, 1095, 375));
    CmdLink = Buton_Plat(this, u"CmdLink"_s, u"Legatura"_s, QRect(4680, kButoaneSus, 2055, 375));
    CmdPrint = Buton_Plat(this, u"CmdPrint"_s, u"Tipareste"_s, QRect(6960, kButoaneSus, 1215, 375));
    CmdExplicativ = new QPushButton(u"Explicativ"_s, this);
    CmdExplicativ->setObjectName(u"CmdExplicativ"_s);
    CmdExplicativ->setGeometry(ui::twipsToRect(8280, kButoaneSus, 1215, 375));
    CmdExplicativ->setStyleSheet(u"background-color: %1;"_s.arg(grid::fromVbColor(0xC0FFC0).name()));
    Cmd_Excel = Buton_Plat(this, u"Cmd_Excel"_s, u"Transfera EXCEL"_s, QRect(9600, kButoaneSus, 1695, 375));
    Ajusteaza_Dimensiuni();

    connect(CmdLink, &QPushButton::clicked, this, &Frm_HS::CmdLink_Click);
    connect(CmdToateInreg, &QPushButton::clicked, this, &Frm_HS::CmdToateInreg_Click);
    connect(CmdCautare, &QPushButton::clicked, this, &Frm_HS::CmdCautare_Click);
    connect(CmdExplicativ, &QPushButton::clicked, this, &Frm_HS::CmdExplicativ_Click);
    connect(Cmd_Excel, &QPushButton::clicked, this, &Frm_HS::Cmd_Excel_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &Frm_HS::CmdPrint_Click);
    connect(Grid_HS, &grid::Grid::keyDown, this, &Frm_HS::Grid_HS_KeyDown);
    connect(Grid_HS, &grid::Grid::keyPress, this, &Frm_HS::Grid_HS_KeyPress);
    connect(Grid_HS, &grid::Grid::columnsRebuilt, this, [this] { m_coloane.aplica(*Grid_HS); });
    seteazaNumeAccesibile();
}

Frm_HS::~Frm_HS() = default;

void Frm_HS::Form_Load()
{
    Prefix_Cautare.clear();
    setWindowState(windowState() | Qt::WindowMaximized);
    Deschide_Nivel();

    Grid_HS->setAllowAddNew(false);
    Grid_HS->setAllowDelete(false);
    Grid_HS->setAllowUpdate(false);
    Coloreaza_Grila(*Grid_HS);

    // The comments box is never shown: the grid takes its room.
    if (const int ultima = HS_NrColoane - 1; ultima >= 0 && ultima < Grid_HS->columnCount())
        Grid_HS->column(ultima).visible = true;
    Txt_Comentarii->setVisible(false);
    m_inaltimeGrila = kComentariiInaltime + kGrilaInaltime;

    switch (HS_Nivel) {
    case 1:
        CmdLink->setVisible(true);
        CmdLink->setText(u"Legatura Capitole"_s);
        CmdExplicativ->setVisible(false);
        break;
    case 2:
    case 4:
    case 6:
        CmdLink->setVisible(true);
        CmdLink->setText(HS_Nivel == 2   ? u"Legatura Grupe"_s
                         : HS_Nivel == 4 ? u"Legatura HS6"_s
                                         : u"Legatura Cod Vamal"_s);
        CmdExplicativ->setVisible(true);
        break;
    case 8:
        CmdLink->setVisible(false);
        CmdExplicativ->setVisible(true);
        if (const int ultima = HS_NrColoane - 1; ultima >= 0 && ultima < Grid_HS->columnCount())
            Grid_HS->column(ultima).visible = false;
        break;
    default:
        break;
    }
    Grid_HS->refreshColumns();
    m_coloane.retine(*Grid_HS);
    Ajusteaza_Dimensiuni();
}

void Frm_HS::Ajusteaza_Dimensiuni()
{
    Grid_HS->setGeometry(ui::twipsToRect(kGrilaStanga, kGrilaSus, kGrilaLatime + Delta_Latime,
                                         m_inaltimeGrila + Delta_Inaltime));
    Txt_Comentarii->setGeometry(
        ui::twipsToRect(kGrilaStanga, kComentariiSus + Delta_Inaltime, kGrilaLatime, kComentariiInaltime));
    const int sus = ui::twipsToPixelsY(kButoaneSus + Delta_Inaltime);
    for (QPushButton* b : {static_cast<QPushButton*>(CmdToateInreg), static_cast<QPushButton*>(CmdCautare),
                           static_cast<QPushButton*>(CmdLink), static_cast<QPushButton*>(CmdPrint),
                           CmdExplicativ, static_cast<QPushButton*>(Cmd_Excel)})
        b->move(b->x(), sus);
}

void Frm_HS::Deschide_Nivel()
{
    Grid_HS->setDataSource(nullptr);
    m_rs.close();
    m_rs = db::Recordset();
    if (!Conexiune_CN.isOpen())
        return; // the tariff's opening has said why
    db::Result<db::Recordset> rs =
        Conexiune_CN.openRecordset(HS_SQL, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs) {
        Arata_Eroare_Baza(rs.error());
        return;
    }
    m_rs = *rs;
    Grid_HS->bind(m_rs);
}

void Frm_HS::Formateaza_Nivel(const Nivel_Tarif_HS& nivel)
{
    setWindowTitle(nivel.titlu);
    const int latimeGrila = kGrilaLatime + Delta_Latime;
    const int prima = nivel.coloane.isEmpty() ? 0 : nivel.coloane.first().latime;
    for (int c = 0; c < nivel.coloane.size() && c < Grid_HS->columnCount(); ++c) {
        grid::Column& coloana = Grid_HS->column(c);
        coloana.caption = nivel.coloane[c].titlu;
        coloana.widthTwips = Latime_Coloana(nivel.coloane[c], latimeGrila, prima);
        coloana.wrap = nivel.coloane[c].incadrat;
    }
    // The description, which wraps, takes the room the other columns leave
    // in the grid, and never less than its own width.
    Descriere_Pe_Restul_Grilei(*Grid_HS, latimeGrila);
    Grid_HS->refreshColumns();
    Grid_HS->setRowHeightTwips(400);
    if (nivel.nivel == 8)
        CmdLink->setVisible(false);
    else if (!nivel.legatura.isEmpty())
        CmdLink->setText(nivel.legatura);
    m_coloane.retine(*Grid_HS);
}

void Frm_HS::Form_Activate()
{
    const db::Recordset randuri = Randuri_Grila(*Grid_HS);
    setWindowTitle(Titlu_Cu_Total(windowTitle(), randuri.isOpen() ? randuri.recordCount() : 0));
    Grid_HS->setFocus();
}

void Frm_HS::Form_Unload(bool&)
{
    Parametri_Cautare_Tabele.Cautare_PeTarif = false;
    Grid_HS->setDataSource(nullptr);
    m_rs.close();
    m_rs = db::Recordset();
    Prefix_Cautare.clear();
    RS_Filtrare.close();
    RS_Filtrare = db::Recordset();
    ui::Forms::unload(u"FRM_cautare"_s);
}

bool Frm_HS::Cod_Curent(db::Variant& cod) const
{
    const int rand = Grid_HS->row();
    if (rand < 0 || rand >= Grid_HS->dataRowCount() || Grid_HS->columnCount() == 0)
        return false;
    cod = Grid_HS->cellValue(rand, 0);
    return true;
}

void Frm_HS::CmdLink_Click()
{
    if (Reseteaza_Buton(CmdLink))
        return;
    db::Variant cod;
    if (!Cod_Curent(cod) || Este_Null(cod))
        return;
    const std::optional<Legatura_Tarif> legatura = Interogare_Legatura_Tarif(HS_Nivel, cod.toText());
    if (!legatura)
        return;
    Deschide_Nivel_Tarif(legatura->nivel, legatura->sql);
}

void Frm_HS::CmdToateInreg_Click()
{
    if (Reseteaza_Buton(CmdToateInreg))
        return;
    if (const std::optional<Nivel_Tarif_HS> nivel = Definitie_Nivel_Tarif(HS_Nivel))
        HS_SQL = nivel->sql;
    Deschide_Nivel();
}

void Frm_HS::CmdCautare_Click()
{
    if (Reseteaza_Buton(CmdCautare))
        return;
    // The search runs on the tariff database until the browser closes.
    Parametri_Cautare_Tabele.Cautare_PeTarif = true;
    Arata_Cautare_Coloana(*Grid_HS, m_rs, true);
}

void Frm_HS::CmdExplicativ_Click()
{
    db::Variant cod;
    if (!Cod_Curent(cod))
        return;
    auto* note = ui::Forms::load<Frm_Explicativ>(u"Frm_Explicativ"_s);
    if (!note)
        return;
    note->Txt_CodVamal->setText(cod.toText());
    ui::Forms::show(u"Frm_Explicativ"_s);
}

void Frm_HS::Cmd_Excel_Click()
{
    if (Reseteaza_Buton(Cmd_Excel))
        return;
    const db::Recordset randuri = Randuri_Grila(*Grid_HS);
    if (!randuri.isOpen())
        return;
    db::Recordset copie = randuri.clone();
    Exporta_In_Excel(copie);
}

void Frm_HS::CmdPrint_Click()
{
    if (Reseteaza_Buton(CmdPrint))
        return;
    Tipareste_Grila(*Grid_HS, windowTitle(), Margini_Tiparire_Grila);
}

void Frm_HS::Grid_HS_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consuma)
{
    if (tasta == Qt::Key_F && modificatori == Qt::ControlModifier) {
        consuma = true;
        CmdCautare_Click();
    }
}

void Frm_HS::Grid_HS_KeyPress(QChar& caracter)
{
    Cautare_Rapida_Lista(*Grid_HS, Label2, caracter);
}

void Deschide_Nivel_Tarif(quint8 nivel, const QString& sql)
{
    const std::optional<Nivel_Tarif_HS> definitie = Definitie_Nivel_Tarif(nivel);
    if (!definitie)
        return;
    HS_SQL = sql;
    HS_Comentarii = false;
    HS_NrColoane = definitie->nrColoane;
    HS_Nivel = nivel;
    // A window that cannot close (a line it cannot write) keeps the browser out.
    if (!Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s))
        return;
    QWidget* fereastra = ui::Forms::load(u"Frm_HS"_s);
    if (auto* browser = qobject_cast<Frm_HS*>(fereastra))
        browser->Formateaza_Nivel(*definitie);
    else if (fereastra)
        fereastra->setWindowTitle(definitie->titlu);
    ui::Forms::show(u"Frm_HS"_s);
}
