#pragma once
// The pick-list: the rows of a code list, from which the user picks one for
// the current row of the grid that asked (any grid offering the calling-grid
// side, platform/grid/calling_grid.h). It reads the look-up request
// Parametri_Cautare_Tabele when it loads and writes the chosen row's columns
// into the calling grid by the column pairs, once, whether the row is chosen
// by Enter, by a double-click or by closing the window; Cautare_Rezultat then
// names the row. Closing the window on the calling line's own code, or
// with no current row, writes nothing; Esc leaves without a choice. It also
// re-sorts by a header click, narrows by the column search, jumps by typing
// (a search that finds nothing leaves the current row where it was) and
// adds a row to the listed table.

#include "codelists/Ferestre_Liste.h"
#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <functional>

class ButonPlat;
class QLabel;
class QPushButton;

namespace grid {
class Grid;
class ListGrid;
} // namespace grid

class Frm_CautareTabele : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_CautareTabele(QWidget* parent = nullptr);
    ~Frm_CautareTabele() override;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    void GridCautare_DblClick();
    void GridCautare_KeyDown(int tasta, Qt::KeyboardModifiers, bool& consuma);
    void GridCautare_KeyPress(QChar& caracter);
    void GridCautare_HeadClick(int coloana);
    void GridCautare_AfterUpdate();
    void GridCautare_Error(int numar, const QString& text, bool& suprima);
    void CmdAdd_Click();
    void CmdCautare_Click();

    // Between "Adauga Inregistare Noua" and the new row written.
    bool Mod_Adaugare() const { return m_adaugare; }
    // The window's own record set (the grid may show RS_Filtrare instead).
    const db::Recordset& Lista() const { return m_rs; }
    // Keeps the columns as they are now (the caller's captions and widths)
    // across the re-binds of a re-sort or a column search.
    void Retine_Coloane();

    grid::ListGrid* GridCautare = nullptr;
    ButonPlat* CmdCautare = nullptr;
    QPushButton* CmdAdd = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;

protected:
    void showEvent(QShowEvent* eveniment) override;
    void keyPressEvent(QKeyEvent* eveniment) override;

private:
    // Copies the chosen row into the calling grid (once per window), then
    // unloads the window and gives the calling grid the focus.
    void Returneaza_Selectia();
    // Esc: unloads the window without a choice; the calling grid gets the
    // focus, its cells and Cautare_Rezultat stay as they were.
    void Renunta();
    // Unloads the window and gives the calling grid the focus.
    void Inchide();
    // The current row into the calling grid, once per window. On closing
    // (laInchidere) a row that is the calling line's own code is not
    // written again: the close box changes nothing there.
    bool Copiaza_Selectia(bool laInchidere);
    // Whether the list's row holds, in its code column, what the calling
    // row holds in the column the code goes to (letter case aside).
    bool Este_Codul_Liniei(int rand) const;
    void Ajusteaza_Dimensiuni();
    // Opens the list on the request's database; false (with a message) when
    // the query cannot be opened.
    bool Deschide_Lista(const QString& sql);
    void Termina_Adaugarea();

    db::Recordset m_rs;
    Coloane_Pastrate m_coloane;
    bool m_adaugare = false;
    bool m_returnat = false;
};

// Registers the pick-list and the column search with the window registry;
// a name registered already is left as it is.
void Inregistreaza_Ferestre_Cautare();

// How a calling grid opens the pick-list: with the look-up request filled
// (Parametri_Cautare_Tabele, the calling grid in Cautare_GridApelant), loads
// the window, lets the caller shape its grid (column widths, wrapping, row
// height), shows it modally and returns when it has closed; the caller then
// shows Cautare_Rezultat.
void Arata_Lista_Selectie(const std::function<void(grid::Grid&)>& formeaza = {});
