#pragma once
// The code-list window: one code table of the common database, read-only,
// with its row count in the caption, an Excel copy and a print preview. It
// runs SQL_Lista when it loads; the opener then captions it and its columns.
// One list at a time: opening another list loads the window afresh.

#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <QList>
#include <QPair>

class ButonPlat;
class QLabel;

namespace grid {
class ListGrid;
}

class Frm_Lista_tabele : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Lista_tabele(QWidget* parent = nullptr);
    ~Frm_Lista_tabele() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    // The opener's captions and widths (twips) of the columns, in query
    // order; a width of -1 is the rest of the grid.
    void Seteaza_Coloane(const QList<QPair<QString, int>>& coloane);

    void Cmd_Excel_Click();
    void CmdPrint_Click();
    void ListaDate_KeyPress(QChar& caracter);

    const db::Recordset& Lista() const { return m_rs; }

    grid::ListGrid* ListaDate = nullptr;
    ButonPlat* Cmd_Excel = nullptr;
    ButonPlat* CmdPrint = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;

private:
    void Ajusteaza_Dimensiuni();

    db::Recordset m_rs;
};
