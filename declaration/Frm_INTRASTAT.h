#pragma once
// The declaration window: the lines of one declaration, or of one imported
// workbook, in the grid GridIntrastat with the totals in its footers; above
// it the declarant's data, a representative declarant, the bulk changes and
// the adjustment, the declaration file commands.
//
// Opening: set Filtru_Intrastat (" WHERE ..."), load the window, set its
// caption (Titlu_Intrastat), show it. Every activation opens the tariff of
// the shown line's period when none is open and appends the line count to
// the caption; closing writes the line being edited (a line the rules
// refuse keeps the window open), saves the control defaults and the grid
// layout and empties Filtru_Intrastat.

#include "declaration/Cheie_Declaratie.h"
#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <QList>
#include <optional>

class ButonPlat;
struct Cautare_Coloana;
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
    // beginning with AND) into the footers of the three value columns; the
    // amount columns made as wide as their widest value over the lines shown.
    void Calculeaza_Totaluri(const QString& conditie);
    // Reopens the grid on all lines of Filtru_Intrastat in line order, with
    // its look, totals and caption.
    void CmdRefresh_Click();

    // The grid's events while the user edits the lines.
    // Currency value or rate changed: the values in lei follow.
    void GridIntrastat_AfterColUpdate(int coloana);
    // A line was written or deleted: the totals, and the room the line
    // written needs in the amount columns.
    void GridIntrastat_AfterChange();
    // A code typed: looked up, the line's columns filled; not found: the
    // pick-list. The typed value is never refused. A code emptied empties
    // the columns its look-up fills (Cod_NC: description, unit, unit flag).
    void GridIntrastat_BeforeColUpdate(int coloana, const db::Variant& vechi, bool& cancel);
    // A line about to be written: its key, "RO", the supplementary unit (a
    // unit code typed while the line had no quantity in it is looked up
    // now), then the first blank column that a line must have refuses it.
    void GridIntrastat_BeforeUpdate(bool& cancel);
    void GridIntrastat_BeforeDelete(bool& cancel);
    // The pick-list of a code column.
    void GridIntrastat_ButtonClick(int coloana);
    void GridIntrastat_Error(int numar, const QString& text, bool& suprima);
    // Sorts by the column, then by the line's place in its file.
    void GridIntrastat_HeadClick(int coloana);
    // Esc drops the unsaved changes of the line.
    void GridIntrastat_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consuma);
    void GridIntrastat_ReloadLayout();
    void GridIntrastat_CloseLookup();

    // The bulk changes of the tab "Modificari - Ajustari ".
    void CmdExecuteUpdate_Click();
    void CmdFilter_Click();
    void Command1_Click();

private:
    void Construieste_Date_Generale(QWidget* pagina);
    void Construieste_Declarant_Tert(QWidget* pagina);
    void Construieste_Modificari(QWidget* pagina);
    void Construieste_Xml(QWidget* pagina);
    QList<QWidget*> Controale_Implicite() const;
    void Seteaza_Coloanele_Tarilor();
    void Arata_Eroare(const db::Error& eroare);
    // The footers' sums, as Calculeaza_Totaluri writes them (not yet shown).
    void Scrie_Subsolurile(const QString& conditie);
    // The widest texts the amount columns keep room for, by column.
    QStringList Texte_Late() const;
    void Pastreaza_Loc(const QStringList& texte);

    // The key of the shown lines: the key boxes, or while they are blank the
    // key the window last showed for the whole filter.
    Cheie_Declaratie Cheie_Afisata() const;
    void Retine_Cheia();
    // Writes the line being edited, if any; false when it stays unwritten.
    bool Scrie_Linia();
    // The look-up of the code in the column of the current line, and the
    // pick-list when it is not found.
    void Cauta_Cod(const Cautare_Coloana& cautare, int coloana, bool& cancel);

    void Incarca_Lista_Coloane();
    void Initializeaza_Combo_Coloane();
    // The pickers on leaving them; true keeps the focus in the picker.
    bool CmbColoanaUpdate_Validate();
    void CmbColoanaWhere_Validate();
    void CmbSemn_Validate();
    // The condition of the pickers, checked; nothing (after its message)
    // when the value does not suit the column.
    std::optional<QString> Conditie_Aleasa();

    void Incarca_Judete_Orase();
    void Leaga_Lista(grid::ListCombo* lista, db::Recordset& rs, grid::RecordsetSource*& sursa,
                     const QString& sql, const QString& afisat, const QString& cod);
    // Binds the list to the rows, showing the field afisat and returning
    // cod; the columns not in vizibile are hidden.
    void Leaga_Sursa(grid::ListCombo* lista, const db::Recordset& rs, grid::RecordsetSource*& sursa,
                     const QString& afisat, const QString& cod, const QList<int>& vizibile);
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
    Cheie_Declaratie m_cheieDeclaratie;
    // The condition of the filtered view shown ("" for every line).
    QString m_conditieSelectie;
    bool m_layoutIncarcat = false;
    // The line's unit code was taken without a look-up (no quantity yet).
    bool m_umsDeVerificat = false;
    bool m_validare = false;
    db::Recordset m_coloane;
    db::Recordset m_semne;
    grid::RecordsetSource* m_sursaColoaneUpdate = nullptr;
    grid::RecordsetSource* m_sursaColoaneWhere = nullptr;
    grid::RecordsetSource* m_sursaSemne = nullptr;

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
    grid::ListCombo* CmbColoanaUpdate = nullptr;
    QLineEdit* TXT_ColoanaUpdate_Fel = nullptr;
    QLineEdit* Txt_ValueUpdate = nullptr;
    grid::ListCombo* CmbColoanaWhere = nullptr;
    QLineEdit* TXT_ColoanaWhere_Fel = nullptr;
    grid::ListCombo* CmbSemn = nullptr;
    QLineEdit* TXT_SemnExpresie = nullptr;
    QLineEdit* Txt_ValueUpdateWhere = nullptr;
    QLabel* Lbl_Inreg = nullptr;
    ButonPlat* CmdExecuteUpdate = nullptr;
    ButonPlat* CmdFilter = nullptr;
    ButonPlat* Command1 = nullptr;
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
