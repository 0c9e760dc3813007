#pragma once
// "Definire machete fisiere excel": a new import template or a saved one.
// The user names the template and its flow, saves it once (which makes its
// rows from the described columns of Intrastat), then reads the columns of a
// sample workbook and says, row by row, which worksheet column feeds each
// destination column or which default it takes.
//
// Opened by the main menu for a new template (Mod_Macheta 2, no condition)
// and by the template chooser for a saved one (Mod_Macheta 1, the condition
// of its name); both values are read once, when the window loads.

#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <QHash>
#include <memory>

class ButonPlat;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace grid {
class DropDown;
class Grid;
class ListGrid;
class RecordsetSource;
} // namespace grid

class Frm_Structura_Fisiere : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Structura_Fisiere(QWidget* parent = nullptr);
    ~Frm_Structura_Fisiere() override;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Form_Activate() override;

    QLabel* Label1 = nullptr;
    QLineEdit* NumeSalvare = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ModPreluare = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* DefaultLocation = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* WorkSheetName = nullptr;
    QLineEdit* Txt_ExcelFile = nullptr;
    QPushButton* CmdBrowse = nullptr;
    ButonPlat* CmdReadColumns = nullptr;
    QLabel* Label3 = nullptr;
    ButonPlat* CmdUpdate = nullptr;
    grid::Grid* ListaTabel = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label4 = nullptr;
    grid::ListGrid* GridStructuraExcel = nullptr;
    grid::DropDown* CMBColoane = nullptr;

    // The name and the flow can no longer be changed.
    void Blocheaza_Nume_Si_Flux();
    // Shows the row grid and the sample workbook's controls.
    void Arata_Controale_Fisier();

    void CmdUpdate_Click();
    void CmdReadColumns_Click();
    void CmdBrowse_Click();

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override;

private:
    void Citeste_Coloane();
    void Leaga_ListaTabel();
    void Formateaza_ListaTabel();
    void Formateaza_Liste_Coloane();
    void Arata_Antet();
    void Scrie_Antet();
    bool Retine_Antet();
    bool ModPreluare_Validate();
    void Deschide_Lista_Coloane();
    void ListaTabel_BeforeColUpdate(int col, const db::Variant& vechi, bool& cancel);
    void ListaTabel_BeforeUpdate(bool& cancel);
    void ListaTabel_BeforeDelete(bool& cancel);
    void ListaTabel_Error(int numar, const QString& text, bool& suppress);
    void ListaTabel_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consume);

    quint8 m_mod = 0;
    bool m_salvata = false; // a new template saved by "Retine Modificari"
    bool m_valideaza = false;
    db::Recordset m_set;
    db::Recordset m_randuri;
    db::Recordset m_schema;
    db::Recordset m_coloane;
    QHash<QString, db::Field> m_intrastat; // the destination columns, by lower-case name
    std::unique_ptr<grid::RecordsetSource> m_sursaColoane;
};
