#include "codelists/Frm_Lista_tabele.h"

#include "codelists/Cautare_Rapida.h"
#include "codelists/Cautare_Tabele.h"
#include "codelists/Ferestre_Liste.h"
#include "codelists/Nivele_Tarif.h"
#include "codelists/Tiparire_Grila.h"
#include "common/BUTOANE.h"
#include "common/Globale.h"
#include "common/Transfera_Excel.h"
#include "common/Tratare_Erori.h"
#include "platform/grid/grid.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

// Design places in twips, before the screen adjustment.
constexpr int kGrilaStanga = 120;
constexpr int kGrilaSus = 480;
constexpr int kGrilaLatime = 11655;
constexpr int kGrilaInaltime = 7215;
constexpr int kButoaneSus = 7860;

} // namespace

Frm_Lista_tabele::Frm_Lista_tabele(QWidget* parent) : ui::Fereastra(u"Frm_Lista_tabele"_s, QString(), parent)
{
    ListaDate = new grid::ListGrid(this);
    ListaDate->setObjectName(u"ListaDate"_s);
    Label2 = Eticheta_Cautare_Rapida(this, 120);
    Label4 = Eticheta_Indiciu(this, QRect(6840, 120, 4815, 255));
    Cmd_Excel = Buton_Plat(this, u"Cmd_Excel"_s, u"Transfera EXCEL"_s, QRect(120, kButoaneSus, 1695, 375));
    CmdPrint = Buton_Plat(this, u"CmdPrint"_s, u"Tipareste"_s, QRect(1920, kButoaneSus, 1215, 375));
    Ajusteaza_Dimensiuni();

    connect(Cmd_Excel, &QPushButton::clicked, this, &Frm_Lista_tabele::Cmd_Excel_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &Frm_Lista_tabele::CmdPrint_Click);
    connect(ListaDate, &grid::Grid::keyPress, this, &Frm_Lista_tabele::ListaDate_KeyPress);
    seteazaNumeAccesibile();
}

Frm_Lista_tabele::~Frm_Lista_tabele() = default;

void Frm_Lista_tabele::Form_Load()
{
    Prefix_Cautare.clear();
    setWindowState(windowState() | Qt::WindowMaximized);
    db::Result<db::Recordset> rs = Deschide_Lista_Fereastra(
        Conexiune_Comun, SQL_Lista, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs) {
        // An empty list would pass for a table without rows: the window
        // closes on the message.
        Arata_Eroare_Baza(rs.error());
        ui::Forms::unload(this);
        return;
    }
    m_rs = *rs;

    ListaDate->setAllowAddNew(false);
    ListaDate->setAllowDelete(false);
    ListaDate->setAllowUpdate(false);
    Coloreaza_Grila(*ListaDate);
    ListaDate->setTabAcrossCells(true);
    ListaDate->setWrapCellPointer(true);
    ListaDate->bind(m_rs);
    Ajusteaza_Dimensiuni();
}

void Frm_Lista_tabele::Ajusteaza_Dimensiuni()
{
    // Wider too, so that the descriptions have the room the window has.
    ListaDate->setGeometry(ui::twipsToRect(kGrilaStanga, kGrilaSus, kGrilaLatime + Delta_Latime,
                                           kGrilaInaltime + Delta_Inaltime));
    const int sus = ui::twipsToPixelsY(kButoaneSus + Delta_Inaltime);
    Cmd_Excel->move(Cmd_Excel->x(), sus);
    CmdPrint->move(CmdPrint->x(), sus);
}

void Frm_Lista_tabele::Seteaza_Coloane(const QList<QPair<QString, int>>& coloane)
{
    const int prima = coloane.isEmpty() ? 0 : coloane.first().second;
    for (int c = 0; c < coloane.size() && c < ListaDate->columnCount(); ++c) {
        grid::Column& coloana = ListaDate->column(c);
        coloana.caption = coloane[c].first;
        // The rest of the grid, wrapping its text: the description.
        const bool rest = coloane[c].second < 0;
        coloana.widthTwips =
            Latime_Coloana({coloane[c].first, coloane[c].second, rest}, kGrilaLatime + Delta_Latime, prima);
        coloana.wrap = rest;
    }
    ListaDate->refreshColumns();
    ListaDate->fitRowHeights();
}

void Frm_Lista_tabele::Form_Activate()
{
    setWindowTitle(Titlu_Cu_Total(windowTitle(), m_rs.isOpen() ? m_rs.recordCount() : 0));
}

void Frm_Lista_tabele::Form_Unload(bool&)
{
    ListaDate->setDataSource(nullptr);
    m_rs.close();
    m_rs = db::Recordset();
    Prefix_Cautare.clear();
}

void Frm_Lista_tabele::Cmd_Excel_Click()
{
    if (Reseteaza_Buton(Cmd_Excel) || !m_rs.isOpen())
        return;
    db::Recordset copie = m_rs.clone();
    Exporta_In_Excel(copie);
}

void Frm_Lista_tabele::CmdPrint_Click()
{
    if (Reseteaza_Buton(CmdPrint))
        return;
    Tipareste_Grila(*ListaDate, windowTitle(), Margini_Tiparire_Lista);
}

void Frm_Lista_tabele::ListaDate_KeyPress(QChar& caracter)
{
    Cautare_Rapida_Lista(*ListaDate, Label2, caracter);
}
