#include "codelists/Frm_CautareTabele.h"

#include "codelists/Cautare_Rapida.h"
#include "codelists/Cautare_Tabele.h"
#include "codelists/FRM_cautare.h"
#include "codelists/Ferestre_Liste.h"
#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Null.h"
#include "platform/grid/grid.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The grid's design width in twips, before the screen adjustment.
constexpr int kGrilaLatime = 9495;

// A grid's refused write as the data-error messages of the program show it.
void Arata_Eroare_Grila(int numar, const QString& text)
{
    ui::msgBox(Text_Eroare(u"Frm_CautareTabele"_s, std::int16_t(numar), u"TDBGrid"_s, text),
               ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
}

} // namespace

Frm_CautareTabele::Frm_CautareTabele(QWidget* parent)
    : ui::Fereastra(u"Frm_CautareTabele"_s, u"Selectie / Cautare"_s, parent)
{
    GridCautare = new grid::ListGrid(this);
    GridCautare->setObjectName(u"GridCautare"_s);
    GridCautare->setGeometry(ui::twipsToRect(240, 240, kGrilaLatime, 6255));

    CmdCautare = new ButonPlat(u"Cautare"_s, this);
    CmdCautare->setObjectName(u"CmdCautare"_s);
    CmdCautare->setGeometry(ui::twipsToRect(480, 6600, 1215, 375));
    CmdAdd = new QPushButton(u"Adauga Inregistare Noua"_s, this);
    CmdAdd->setObjectName(u"CmdAdd"_s);
    CmdAdd->setGeometry(ui::twipsToRect(4320, 6600, 2535, 375));

    Label1 = new QLabel(u"[ENTER]  sau DUBLU CLICK- Pentru a selecta inregistrarea curenta    "_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(ui::twipsToRect(4680, 0, 5055, 255));
    Label2 = Eticheta_Cautare_Rapida(this, 0);

    connect(GridCautare, &grid::Grid::dblClick, this, &Frm_CautareTabele::GridCautare_DblClick);
    connect(GridCautare, &grid::Grid::keyDown, this, &Frm_CautareTabele::GridCautare_KeyDown);
    connect(GridCautare, &grid::Grid::keyPress, this, &Frm_CautareTabele::GridCautare_KeyPress);
    connect(GridCautare, &grid::Grid::headClick, this, &Frm_CautareTabele::GridCautare_HeadClick);
    connect(GridCautare, &grid::Grid::afterUpdate, this, &Frm_CautareTabele::GridCautare_AfterUpdate);
    connect(GridCautare, &grid::Grid::dataError, this, &Frm_CautareTabele::GridCautare_Error);
    connect(GridCautare, &grid::Grid::columnsRebuilt, this, [this] { m_coloane.aplica(*GridCautare); });
    connect(CmdAdd, &QPushButton::clicked, this, &Frm_CautareTabele::CmdAdd_Click);
    connect(CmdCautare, &QPushButton::clicked, this, &Frm_CautareTabele::CmdCautare_Click);
    seteazaNumeAccesibile();
}

Frm_CautareTabele::~Frm_CautareTabele() = default;

void Frm_CautareTabele::Form_Load()
{
    const Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    setFixedSize(ui::twipsToSize(9915 + Delta_Latime, 7215 + Delta_Inaltime));
    Prefix_Cautare.clear();
    m_coloane = Coloane_Pastrate(); // the columns of this list are shaped after the load
    CmdAdd->setVisible(true);

    GridCautare->setAllowUpdate(false);
    GridCautare->setAllowAddNew(false);
    GridCautare->setAllowDelete(false);
    Aplica_Culori_Setari(GridCautare);
    GridCautare->setTabAcrossCells(true);
    GridCautare->setEnterAction(grid::EnterAction::None);
    GridCautare->setWrapCellPointer(true);
    GridCautare->setHeadingBold(true);

    if (Deschide_Lista(c.Cautare_SQL) && !Este_Null(db::Variant(c.Cautare_ValoareTastata)) &&
        GridCautare->columnCount() > 0) {
        // Positioned on the first code that begins with the typed value;
        // with none the list has no current row.
        const QString d = GridCautare->column(0).dataField;
        const QString camp = d.startsWith(u'[') ? d : u'[' + d + u']';
        m_rs.moveFirst();
        if (!m_rs.find(camp + u" LIKE '"_s + db::quote(c.Cautare_ValoareTastata) + u"%'"_s) && m_rs.eof())
            GridCautare->setCurrentIndex(QModelIndex());
    }
    Ajusteaza_Dimensiuni();
}

void Frm_CautareTabele::Retine_Coloane()
{
    m_coloane.retine(*GridCautare);
}

void Frm_CautareTabele::Ajusteaza_Dimensiuni()
{
    GridCautare->setGeometry(ui::twipsToRect(240, 240, kGrilaLatime + Delta_Latime, 6255 + Delta_Inaltime));
    CmdAdd->move(ui::twipsToPixelsX(4320), ui::twipsToPixelsY(6600 + Delta_Inaltime));
    CmdCautare->move(ui::twipsToPixelsX(480), ui::twipsToPixelsY(6600 + Delta_Inaltime));
}

bool Frm_CautareTabele::Deschide_Lista(const QString& sql)
{
    const Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    db::Connection& cn = Conexiune_Cautare(c.Cautare_PeFirma, c.Cautare_PeTarif);
    db::Result<db::Recordset> rs =
        Deschide_Lista_Fereastra(cn, sql, db::CursorType::Static, db::LockType::Optimistic);
    if (!rs) {
        Arata_Eroare_Baza(rs.error(), u"Mesaj"_s);
        return false;
    }
    db::Recordset vechi = m_rs;
    m_rs = *rs;
    GridCautare->bind(m_rs);
    vechi.close();
    return true;
}

void Frm_CautareTabele::showEvent(QShowEvent* eveniment)
{
    ui::Fereastra::showEvent(eveniment);
    if (GridCautare->currentIndex().isValid())
        GridCautare->scrollTo(GridCautare->currentIndex(), QAbstractItemView::PositionAtCenter);
    GridCautare->setFocus();
}

bool Frm_CautareTabele::Este_Codul_Liniei(int rand) const
{
    const Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    grid::CallingGrid* apelant = c.Cautare_GridApelant;
    const int n = c.Cautare_NrColoane;
    if (!apelant || n < 1 || n > 8)
        return false;
    for (int k = 1; k <= n; ++k) {
        if (c.Cautare_ColoaneSursa[k] != 0)
            continue;
        const QString cod = GridCautare->cellValue(rand, 0).toText().trimmed();
        return !cod.isEmpty() && apelant->cell(c.Cautare_ColoaneDestinatie[k])
                                         .toText()
                                         .trimmed()
                                         .compare(cod, Qt::CaseInsensitive) == 0;
    }
    return false;
}

bool Frm_CautareTabele::Copiaza_Selectia(bool laInchidere)
{
    if (m_returnat)
        return false;
    m_returnat = true;
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    const int rand = GridCautare->row();
    if (rand < 0 || rand >= GridCautare->dataRowCount())
        return false; // an empty list, or no current row
    const int n = c.Cautare_NrColoane;
    // Closed on the line's own code, the list has given nothing new: the
    // calling row is left as it is, not written again with what the list
    // holds beside the code.
    const bool scrie = !laInchidere || !Este_Codul_Liniei(rand);
    if (grid::CallingGrid* apelant = c.Cautare_GridApelant; scrie && apelant && n >= 1 && n <= 8) {
        for (int k = 1; k <= n; ++k)
            apelant->setCell(c.Cautare_ColoaneDestinatie[k],
                             GridCautare->cellValue(rand, c.Cautare_ColoaneSursa[k]));
    }
    c.Cautare_Rezultat = u"VALOARE GASITA: "_s + GridCautare->cellValue(rand, 0).toText() + u" : "_s +
                         GridCautare->cellValue(rand, 1).toText();
    return true;
}

void Frm_CautareTabele::Returneaza_Selectia()
{
    Copiaza_Selectia(false);
    Inchide();
}

void Frm_CautareTabele::Renunta()
{
    m_returnat = true; // nothing is returned
    Inchide();
}

void Frm_CautareTabele::Inchide()
{
    ui::Forms::unload(this);
    if (grid::CallingGrid* apelant = Parametri_Cautare_Tabele.Cautare_GridApelant)
        apelant->takeFocus();
}

void Frm_CautareTabele::Form_Unload(bool&)
{
    Copiaza_Selectia(true); // closing the window picks the current row too
    m_rs.close();
    Prefix_Cautare.clear();
}

void Frm_CautareTabele::keyPressEvent(QKeyEvent* eveniment)
{
    // Esc that no control took (the focus on a button): the list is left as
    // from the grid. While a row is being added, Esc belongs to the new row.
    if (eveniment->key() == Qt::Key_Escape && !m_adaugare) {
        eveniment->accept();
        Renunta();
        return;
    }
    ui::Fereastra::keyPressEvent(eveniment);
}

void Frm_CautareTabele::GridCautare_DblClick()
{
    if (!m_adaugare)
        Returneaza_Selectia();
}

void Frm_CautareTabele::GridCautare_KeyDown(int tasta, Qt::KeyboardModifiers, bool& consuma)
{
    if (m_adaugare)
        return;
    if (tasta == Qt::Key_Return || tasta == Qt::Key_Enter) {
        consuma = true;
        Returneaza_Selectia();
    } else if (tasta == Qt::Key_Escape) {
        // Esc leaves the list without a choice: the calling cell keeps what it held.
        consuma = true;
        Renunta();
    }
}

void Frm_CautareTabele::GridCautare_KeyPress(QChar& caracter)
{
    if (!m_adaugare)
        Cautare_Rapida_Lista(*GridCautare, Label2, caracter);
}

void Frm_CautareTabele::GridCautare_HeadClick(int coloana)
{
    if (coloana < 0 || coloana >= GridCautare->columnCount())
        return;
    const QString ordine = u" ORDER BY ["_s + GridCautare->column(coloana).dataField + u']';
    QString& sql = Parametri_Cautare_Tabele.Cautare_SQL;
    if (const qsizetype p = sql.indexOf(u"ORDER BY"_s) + 1; p >= 2)
        sql = sql.left(p - 2);
    CmdAdd->setVisible(true);
    Deschide_Lista(sql + ordine);
}

void Frm_CautareTabele::CmdAdd_Click()
{
    // A list that cannot take a row (a view, a grouped query) is refused here,
    // as the grid would refuse the row.
    if (!GridCautare->dataSource() || !GridCautare->dataSource()->canWrite()) {
        Arata_Eroare_Grila(7, u"Aceasta lista nu poate fi modificata"_s);
        return;
    }
    m_adaugare = true;
    GridCautare->setAllowAddNew(true);
    GridCautare->setAllowUpdate(true);
    GridCautare->setTabAcrossCells(true);
    GridCautare->setWrapCellPointer(true);
    GridCautare->setEnterAction(grid::EnterAction::Right);
    GridCautare->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    GridCautare->setFocus();
    GridCautare->setCurrentCell(GridCautare->dataRowCount(), 0); // the new-row line
}

void Frm_CautareTabele::Termina_Adaugarea()
{
    m_adaugare = false;
    GridCautare->setAllowAddNew(false);
    GridCautare->setAllowUpdate(false);
    GridCautare->setEnterAction(grid::EnterAction::None);
    GridCautare->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void Frm_CautareTabele::GridCautare_AfterUpdate()
{
    if (m_adaugare)
        Termina_Adaugarea();
}

void Frm_CautareTabele::GridCautare_Error(int numar, const QString& text, bool& suprima)
{
    suprima = true;
    Arata_Eroare_Grila(numar, text);
    // The refused row is dropped and the list is a list again, once the
    // grid's own write has unwound.
    if (m_adaugare)
        QTimer::singleShot(0, this, &Frm_CautareTabele::Termina_Adaugarea);
}

void Frm_CautareTabele::CmdCautare_Click()
{
    if (Reseteaza_Buton(CmdCautare))
        return;
    Arata_Cautare_Coloana(*GridCautare, m_rs, !Parametri_Cautare_Tabele.Cautare_PeFirma);
}

void Inregistreaza_Ferestre_Cautare()
{
    ui::Forms::registerWindowIfAbsent(u"Frm_CautareTabele"_s, [] { return new Frm_CautareTabele; });
    ui::Forms::registerWindowIfAbsent(u"FRM_cautare"_s, [] { return new FRM_cautare; });
}

void Arata_Lista_Selectie(const std::function<void(grid::Grid&)>& formeaza)
{
    Inregistreaza_Ferestre_Cautare();
    auto* lista = ui::Forms::load<Frm_CautareTabele>(u"Frm_CautareTabele"_s);
    if (!lista)
        return;
    if (formeaza)
        formeaza(*lista->GridCautare);
    // The description takes what the other columns leave of the list.
    if (Descriere_Pe_Restul_Grilei(*lista->GridCautare, kGrilaLatime + Delta_Latime))
        lista->GridCautare->refreshColumns();
    lista->Retine_Coloane();
    ui::Forms::show(u"Frm_CautareTabele"_s, true);
}
