#pragma once
// The declaration window: the lines of one declaration, or of one imported
// workbook, in the grid GridIntrastat with the totals in its footers; above
// it the declarant's data, a representative declarant, the bulk changes and
// the adjustment, the declaration file commands.
//
// Opening: set Filtru_Intrastat (" WHERE ..."), load the window, set its
// caption (Titlu_Intrastat), show it. Every activation opens the tariff of
// the shown line's period when none is open and appends the line count to
// the caption; closing saves the control defaults and the grid layout and
// empties Filtru_Intrastat.

#include "declaration/Cheie_Declaratie.h"
#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <QList>

class ButonPlat;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace grid {
class FieldBinder;
class Grid;
class ListCombo;
class RecordsetSource;
} // namespace grid

class Frm_INTRASTAT : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_INTRASTAT(QWidget* parent = nullptr);
    ~Frm_INTRASTAT() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    // The lines.
    grid::Grid* GridIntrastat = nullptr;
    // The grid's record set (closed when none could be opened).
    const db::Recordset& Linii() const { return m_linii; }
    // The grid query text (SELECT ... FROM INTRASTAT, without WHERE and
    // ORDER BY) that the record set was last opened with.
    QString Interogare_Grila;
    // Closes the grid's record set and opens it anew on the source, bound to
    // the grid. On failure the grid is left without lines and the error is
    // returned (not shown).
    db::Error Deschide_Grila(const QString& sursa);

    // The key of the grid's current line.
    QLineEdit* TXT_Tip = nullptr;
    QLineEdit* TXT_CodFiscal = nullptr;
    QLineEdit* TXT_Anul = nullptr;
    QLineEdit* TXT_Luna = nullptr;

    // The look of the grid's columns, by the declaration's type in TXT_Tip.
    void Formateaza_GridIntrastat();
    // The sums of the lines of Filtru_Intrastat (and the further condition,
    // beginning with AND) into the footers of the three value columns.
    void Calculeaza_Totaluri(const QString& conditie);
    // Reopens the grid on all lines of Filtru_Intrastat in line order, with
    // its look, totals and caption.
    void CmdRefresh_Click();

private:
    void Construieste_Date_Generale(QWidget* pagina);
    void Construieste_Declarant_Tert(QWidget* pagina);
    void Construieste_Modificari(QWidget* pagina);
    void Construieste_Xml(QWidget* pagina);
    QList<QWidget*> Controale_Implicite() const;
    void Seteaza_Coloanele_Tarilor();
    void Arata_Eroare(const db::Error& eroare);

    void Incarca_Judete_Orase();
    void Leaga_Lista(grid::ListCombo* lista, db::Recordset& rs, grid::RecordsetSource*& sursa,
                     const QString& sql, const QString& afisat, const QString& cod);
    void TDBCombo1_Validate();
    void TDBCombo2_GotFocus();
    void TDBCombo2_Validate();

    void Check_ValStatistica_Click();
    void CmdRecalcValStat_Click();
    void Cmd_Excel_Click();
    void Cmd_Print_Click();
    // The key boxes, as the verification and the declaration file read them.
    Cheie_Declaratie Cheie() const;
    // "Verifica Date": the verification of the whole declaration of the key.
    void Cmd_Verifica_Click();
    // "Generare Fisier Intrastat (XML)": the declaration file of the key.
    void Cmd_Fisier_Click();

    bool eventFilter(QObject* obiect, QEvent* eveniment) override;

    db::Recordset m_linii;
    db::Recordset m_judete;
    db::Recordset m_orase;
    grid::RecordsetSource* m_sursaJudete = nullptr;
    grid::RecordsetSource* m_sursaOrase = nullptr;
    grid::FieldBinder* m_cheie = nullptr;

    QTabWidget* TabIntrastat = nullptr;
    QComboBox* Combo_Tip = nullptr;
    QLineEdit* TXT_NumeCompanie = nullptr;
    QLineEdit* TXT_PozitieCompanie = nullptr;
    QLineEdit* TXT_Nume_Pers = nullptr;
    QLineEdit* TXT_Nume_Prenume = nullptr;
    QLineEdit* TXT_Tel = nullptr;
    QLineEdit* TXT_Fax = nullptr;
    QLineEdit* TXT_Email = nullptr;
    QCheckBox* Check_ValStatistica = nullptr;
    QCheckBox* Check_Dec_Tert = nullptr;
    QLineEdit* TXT_CUI_Dec = nullptr;
    QLineEdit* TXT_Nume_Dec = nullptr;
    QLineEdit* TXT_Strada_Dec = nullptr;
    QLineEdit* TXT_Nr_Dec = nullptr;
    QLineEdit* TXT_BL_Dec = nullptr;
    QLineEdit* TXT_Sc_Dec = nullptr;
    QLineEdit* TXT_Ap_Dec = nullptr;
    QLineEdit* TXT_Sect_Dec = nullptr;
    QLineEdit* TXT_CodPostal_Dec = nullptr;
    grid::ListCombo* TDBCombo1 = nullptr;
    QLineEdit* TXT_Judet_Dec = nullptr;
    grid::ListCombo* TDBCombo2 = nullptr;
    QLineEdit* TXT_Oras_Dec = nullptr;
    ButonPlat* CmdRecalcValStat = nullptr;
    QLineEdit* TXT_File_XML = nullptr;
    ButonPlat* Cmd_Verifica = nullptr;
    ButonPlat* Cmd_Fisier = nullptr;
    ButonPlat* CmdRefresh = nullptr;
    ButonPlat* Cmd_Excel = nullptr;
    ButonPlat* Cmd_Print = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Lbl_Mesaj = nullptr;
};
