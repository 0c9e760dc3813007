#pragma once
// The generic grid editor ("Actualizari - Generale"): one table, chosen by
// the table kind Tip_Actualizare when the window loads, edited in a grid
// (codelists/Actualizari_Generale.h has the kinds). A question guards the
// edit of an existing key and a deletion, code columns are checked against
// their lists, rows get their defaults before they are saved; the window
// copies the rows to a workbook, searches a column, reloads all rows,
// re-sorts by a header click and previews a print.

#include "codelists/Actualizari_Generale.h"
#include "codelists/Ferestre_Liste.h"
#include "platform/db/db.h"
#include "platform/ui/fereastra.h"
#include "platform/ui/mesaj.h"

#include <memory>
#include <optional>

class ButonPlat;
class QLabel;

namespace grid {
class DropDown;
class Grid;
class RecordsetSource;
} // namespace grid

class Frm_Actualizari_Generale : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Actualizari_Generale(QWidget* parent = nullptr);
    ~Frm_Actualizari_Generale() override;

    void Form_Load() override;
    void Form_Activate() override;
    // A changed row is written first; when the database refuses it the
    // window stays open with the row, so that nothing is lost unseen.
    void Form_Unload(bool& cancel) override;

    void Grid_Actualizare_BeforeColEdit(int coloana, bool& anulare);
    void Grid_Actualizare_BeforeColUpdate(int coloana, const db::Variant& vechi, bool& anulare);
    void Grid_Actualizare_BeforeDelete(bool& anulare);
    void Grid_Actualizare_BeforeUpdate(bool& anulare);
    void Grid_Actualizare_ButtonClick(int coloana);
    void Grid_Actualizare_Error(int numar, const QString& text, bool& suprima);
    void Grid_Actualizare_HeadClick(int coloana);
    void Grid_Actualizare_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consuma);

    void Cmd_Excel_Click();
    void CmdCautare_Click();
    void CmdToateInreg_Click();
    void CmdPrint_Click();

    // The window's own record set (the grid shows RS_Filtrare after a search).
    const db::Recordset& Tabela() const { return m_rs; }
    // The answer to the last question.
    ui::Answer Raspuns_Mesaj = ui::Answer::Cancel;

    grid::Grid* Grid_Actualizare = nullptr;
    grid::DropDown* DropDown_Tara = nullptr;
    grid::DropDown* DropDown_INCOTERMS = nullptr;
    ButonPlat* Cmd_Excel = nullptr;
    ButonPlat* CmdCautare = nullptr;
    ButonPlat* CmdToateInreg = nullptr;
    ButonPlat* CmdPrint = nullptr;
    ButonPlat* CmdDataView = nullptr;
    QLabel* Lbl_Mesaj = nullptr;

private:
    // Load steps before the layout: the grid's switches and colours, then the
    // kind's configuration (also what "Toate inregistrarile" runs again).
    void Incarca();
    void Configureaza(const Configuratie_Actualizare& config);
    // Fills a drop-down from its code list and gives it the grid's look.
    void Leaga_Lista(grid::DropDown* lista, Lista_Coduri coduri);
    grid::DropDown* Lista_Derulanta(Lista_Coduri coduri) const;
    // Binds a record set of the kind's table, keeping the columns' settings.
    void Leaga_Tabela(const db::Recordset& rs);
    db::Connection& Conexiune() const;
    void Ajusteaza_Dimensiuni();
    const Coloana_Actualizare* Coloana(int index) const;
    // The tariff-code column of raw materials: the look-up of a typed code
    // and the list of all codes.
    void Cerere_Cod_Vamal(int coloana, const QString& sql); // empty sql: the look-up of the cell's code
    void Cauta_Cod_Vamal(int coloana);
    void Lista_Coduri_Vamale(int coloana);
    // The cell's list opened again after a value was refused.
    void Deschide_Lista(int rand, int coloana);
    // Writes the grid's changed row; false when the database refused it.
    bool Salveaza_Randul();

    db::Recordset m_rs;
    std::optional<Configuratie_Actualizare> m_config;
    db::Recordset m_listaTara;
    db::Recordset m_listaIncoterms;
    std::unique_ptr<grid::RecordsetSource> m_sursaTara;
    std::unique_ptr<grid::RecordsetSource> m_sursaIncoterms;
    Coloane_Pastrate m_coloane;
    int m_stangaGrila = 0;
    int m_latimeGrila = 0;
};
