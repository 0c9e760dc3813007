#pragma once
// The declaration chooser: a whole period (type, year, month) or the lines
// of one imported workbook, opened in the declaration window; and the
// deletion of one imported workbook's lines.

#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace grid {
class ListGrid;
}

class Frm_Intrastat_Selectie : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Intrastat_Selectie(QWidget* parent = nullptr);
    ~Frm_Intrastat_Selectie() override;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    // A period chosen in the combo fills the three boxes.
    void Combo_Anul_Click();
    // Opens the period of the boxes.
    void Cmd_Open_Date_Click();
    // Opens the workbook of the list's current row (also a double click).
    void Cmd_Open_File_Click();
    // The button cell of a row: deletes that workbook's lines.
    void ListaIntrastat_ButtonClick(int coloana);

private:
    void Formateaza_ListaIntrastat();
    void Deschide_Declaratia(const QString& titlu);

    QComboBox* Combo_Anul = nullptr;
    QLineEdit* TXT_Tip = nullptr;
    QLineEdit* TXT_Anul = nullptr;
    QLineEdit* TXT_Luna = nullptr;
    QPushButton* Cmd_Open_Date = nullptr;
    grid::ListGrid* ListaIntrastat = nullptr;
    QPushButton* Cmd_Open_File = nullptr;
    db::Recordset m_lista;
};
