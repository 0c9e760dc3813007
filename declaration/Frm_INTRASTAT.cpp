#include "declaration/Frm_INTRASTAT.h"

#include "codelists/Cautare_Tabele.h"
#include "codelists/Cautare_Tarif.h"
#include "codelists/ConexiuneTarif.h"
#include "codelists/Frm_CautareTabele.h"
#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "common/Transfera_Excel.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Null_Control.h"
#include "declaration/Coloane_Intrastat.h"
#include "declaration/Date_Declarant.h"
#include "declaration/Ecran_Verificare_Ferestre.h"
#include "declaration/Editare_Intrastat.h"
#include "declaration/Fisier_XML_Intrastat.h"
#include "declaration/Frm_Recalculare_ValStat.h"
#include "declaration/Linii_Intrastat.h"
#include "declaration/Modificari_Intrastat.h"
#include "declaration/Valori_Controale.h"
#include "declaration/Verificare_Declaratie.h"
#include "platform/grid/binder.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString numeFereastra = u"Frm_INTRASTAT"_s;

QString fisierLayout()
{
    return Folder_Sistem + u"Layout/"_s + numeFereastra + u"_GridIntrastat.grx"_s;
}

const QString numeLayout = u"Save_GridIntrastat"_s;

int px(int twips)
{
    return ui::twipsToPixelsX(twips);
}

QLineEdit* caseta(QWidget* parinte, const QString& nume, int latime = 0)
{
    auto* t = new QLineEdit(parinte);
    t->setObjectName(nume);
    if (latime > 0)
        t->setMaximumWidth(px(latime));
    return t;
}

QLabel* eticheta(QWidget* parinte, const QString& text, QWidget* pentru = nullptr)
{
    auto* l = new QLabel(text, parinte);
    if (pentru)
        l->setBuddy(pentru);
    return l;
}

ButonPlat* buton(QWidget* parinte, const QString& nume, const QString& text)
{
    auto* b = new ButonPlat(text, parinte);
    b->setObjectName(nume);
    return b;
}

// A row of boxes after a label, in one line of a form.
QHBoxLayout* rand(std::initializer_list<QWidget*> controale)
{
    auto* r = new QHBoxLayout;
    for (QWidget* w : controale)
        r->addWidget(w);
    r->addStretch();
    return r;
}

} // namespace

Frm_INTRASTAT::Frm_INTRASTAT(QWidget* parent) : ui::Fereastra(numeFereastra, u"INTRASTAT"_s, parent)
{
    TabIntrastat = new QTabWidget(this);
    TabIntrastat->setObjectName(u"TabIntrastat"_s);
    const QList<QPair<QString, QString>> taburi{
        {u"Date Generale"_s, u"Date generale firma"_s},
        {u"Declarant Tert"_s, u"Date declarant tert"_s},
        {u"Modificari - Ajustari "_s, u"Modificari ; Ajustari; Inlocuiri"_s},
        {u"XML - Intrastat"_s, u"Se genereaza fisierul care trebuie transmis la Bucuresti"_s},
        {u"Diverse - Altele"_s, u"Tipariri, export excel, etc"_s}};
    QList<QWidget*> pagini;
    for (int i = 0; i < taburi.size(); ++i) {
        auto* pagina = new QFrame;
        pagina->setObjectName(u"Frame1_"_s + QString::number(i));
        TabIntrastat->addTab(pagina, taburi.at(i).first);
        TabIntrastat->setTabToolTip(i, taburi.at(i).second);
        pagini << pagina;
    }
    Construieste_Date_Generale(pagini.at(0));
    Construieste_Declarant_Tert(pagini.at(1));
    Construieste_Modificari(pagini.at(2));
    Construieste_Xml(pagini.at(3));

    CmdRefresh = buton(this, u"CmdRefresh"_s, u"Refresh (Reafisare)"_s);
    Cmd_Excel = buton(this, u"Cmd_Excel"_s, u"Excel"_s);
    Cmd_Print = buton(this, u"Cmd_Print"_s, u"Tipareste"_s);

    Label3 =
        new QLabel(u"*) click pe capul coloanei pentru sortare dupa acea coloana // coloanele pot fi mutate "
                   u"prin selectarea capului de tabel"_s,
                   this);
    Label3->setObjectName(u"Label3"_s);
    // On a narrow window the hint goes on two lines rather than under the
    // legend beside it.
    Label3->setWordWrap(true);
    Label21 = new QLabel(u"Coloanele care au acesta culoare ca fundal NU sunt editabile"_s, this);
    Label21->setObjectName(u"Label21"_s);
    Label21->setAutoFillBackground(true);
    QPalette p = Label21->palette();
    p.setColor(QPalette::Window, Culoare_Qt(Culoare_Legenda));
    Label21->setPalette(p);

    GridIntrastat = new grid::Grid(this);
    GridIntrastat->setObjectName(u"GridIntrastat"_s);
    Lbl_Mesaj = new QLabel(this);
    Lbl_Mesaj->setObjectName(u"Lbl_Mesaj"_s);

    auto* butoane = new QVBoxLayout;
    butoane->addWidget(CmdRefresh);
    butoane->addWidget(Cmd_Excel);
    butoane->addWidget(Cmd_Print);
    butoane->addStretch();
    auto* sus = new QHBoxLayout;
    sus->addWidget(TabIntrastat, 1);
    sus->addLayout(butoane);
    auto* legenda = new QHBoxLayout;
    legenda->addWidget(Label3, 1);
    legenda->addWidget(Label21);
    auto* asezare = new QVBoxLayout(this);
    asezare->addLayout(sus);
    asezare->addLayout(legenda);
    asezare->addWidget(GridIntrastat, 1);
    asezare->addWidget(Lbl_Mesaj);

    m_cheie = new grid::FieldBinder(GridIntrastat);
    Marcheaza_Tag(Controale_Implicite());

    connect(Check_ValStatistica, &QCheckBox::clicked, this, &Frm_INTRASTAT::Check_ValStatistica_Click);
    connect(CmdRecalcValStat, &QPushButton::clicked, this, &Frm_INTRASTAT::CmdRecalcValStat_Click);
    connect(CmdRefresh, &QPushButton::clicked, this, [this] {
        // A line being edited is written first, or the reload would drop it.
        if (!Reseteaza_Buton(CmdRefresh) && Scrie_Linia())
            CmdRefresh_Click();
    });
    connect(Cmd_Excel, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Excel_Click);
    connect(Cmd_Print, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Print_Click);
    connect(Cmd_Verifica, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Verifica_Click);
    connect(Cmd_Fisier, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Fisier_Click);
    TDBCombo1->installEventFilter(this);
    TDBCombo2->installEventFilter(this);

    grid::Grid* g = GridIntrastat;
    connect(g, &grid::Grid::afterColUpdate, this, &Frm_INTRASTAT::GridIntrastat_AfterColUpdate);
    connect(g, &grid::Grid::afterUpdate, this, &Frm_INTRASTAT::GridIntrastat_AfterChange);
    connect(g, &grid::Grid::afterDelete, this, &Frm_INTRASTAT::GridIntrastat_AfterChange);
    connect(g, &grid::Grid::beforeColUpdate, this, &Frm_INTRASTAT::GridIntrastat_BeforeColUpdate);
    connect(g, &grid::Grid::beforeUpdate, this, &Frm_INTRASTAT::GridIntrastat_BeforeUpdate);
    connect(g, &grid::Grid::beforeDelete, this, &Frm_INTRASTAT::GridIntrastat_BeforeDelete);
    connect(g, &grid::Grid::buttonClick, this, &Frm_INTRASTAT::GridIntrastat_ButtonClick);
    connect(g, &grid::Grid::dataError, this, &Frm_INTRASTAT::GridIntrastat_Error);
    connect(g, &grid::Grid::headClick, this, &Frm_INTRASTAT::GridIntrastat_HeadClick);
    connect(g, &grid::Grid::keyDown, this, &Frm_INTRASTAT::GridIntrastat_KeyDown);
    connect(g, &grid::Grid::columnsRebuilt, this, &Frm_INTRASTAT::GridIntrastat_ReloadLayout);
    connect(g, &grid::Grid::lookupClosed, this, &Frm_INTRASTAT::GridIntrastat_CloseLookup);

    connect(CmdExecuteUpdate, &QPushButton::clicked, this, &Frm_INTRASTAT::CmdExecuteUpdate_Click);
    connect(CmdFilter, &QPushButton::clicked, this, &Frm_INTRASTAT::CmdFilter_Click);
    connect(Command1, &QPushButton::clicked, this, &Frm_INTRASTAT::Command1_Click);
    for (QWidget* w : {static_cast<QWidget*>(CmbColoanaUpdate), static_cast<QWidget*>(CmbColoanaWhere),
                       static_cast<QWidget*>(CmbSemn)})
        w->installEventFilter(this);
}

Frm_INTRASTAT::~Frm_INTRASTAT()
{
    GridIntrastat->setDataSource(nullptr);
}

void Frm_INTRASTAT::Construieste_Date_Generale(QWidget* pagina)
{
    Combo_Tip = new QComboBox(pagina);
    Combo_Tip->setObjectName(u"Combo_Tip"_s);
    TXT_Tip = caseta(pagina, u"TXT_Tip"_s, 400);
    TXT_Anul = caseta(pagina, u"TXT_Anul"_s, 700);
    TXT_Luna = caseta(pagina, u"TXT_Luna"_s, 500);
    TXT_CodFiscal = caseta(pagina, u"TXT_CodFiscal"_s, 1800);
    TXT_NumeCompanie = caseta(pagina, u"TXT_NumeCompanie"_s);
    TXT_PozitieCompanie = caseta(pagina, u"TXT_PozitieCompanie"_s, 2500);
    TXT_Nume_Pers = caseta(pagina, u"TXT_Nume_Pers"_s, 2000);
    TXT_Nume_Prenume = caseta(pagina, u"TXT_Nume_Prenume"_s, 2500);
    TXT_Tel = caseta(pagina, u"TXT_Tel"_s, 1600);
    TXT_Fax = caseta(pagina, u"TXT_Fax"_s, 1600);
    TXT_Email = caseta(pagina, u"TXT_Email"_s, 3000);
    Check_ValStatistica = new QCheckBox(u"Declarare Valoare Statistica"_s, pagina);
    Check_ValStatistica->setObjectName(u"Check_ValStatistica"_s);

    auto* f = new QGridLayout(pagina);
    f->addWidget(eticheta(pagina, u"Fel declaratie:"_s, Combo_Tip), 0, 0);
    f->addLayout(rand({Combo_Tip}), 0, 1);
    f->addWidget(eticheta(pagina, u"Tip - Anul - Luna :"_s, TXT_Tip), 0, 2);
    f->addLayout(rand({TXT_Tip, TXT_Anul, TXT_Luna}), 0, 3);
    f->addWidget(eticheta(pagina, u"CUI / VAT ID"_s, TXT_CodFiscal), 1, 0);
    f->addLayout(rand({TXT_CodFiscal}), 1, 1);
    f->addWidget(TXT_NumeCompanie, 1, 2, 1, 2);
    f->addWidget(eticheta(pagina, u"Poz. Comp."_s, TXT_PozitieCompanie), 2, 0);
    f->addLayout(rand({TXT_PozitieCompanie}), 2, 1);
    f->addWidget(eticheta(pagina, u"Nume-Prenume"_s, TXT_Nume_Pers), 2, 2);
    f->addLayout(rand({TXT_Nume_Pers, TXT_Nume_Prenume}), 2, 3);
    f->addWidget(eticheta(pagina, u"Telefon-Fax-Email"_s, TXT_Tel), 3, 0);
    f->addLayout(rand({TXT_Tel, TXT_Fax, TXT_Email}), 3, 1, 1, 3);
    f->addWidget(Check_ValStatistica, 4, 0, 1, 2);
    f->setColumnStretch(3, 1);
    f->setRowStretch(5, 1);
}

void Frm_INTRASTAT::Construieste_Declarant_Tert(QWidget* pagina)
{
    Check_Dec_Tert = new QCheckBox(u"Declarant Tert"_s, pagina);
    Check_Dec_Tert->setObjectName(u"Check_Dec_Tert"_s);
    TXT_CUI_Dec = caseta(pagina, u"TXT_CUI_Dec"_s, 1800);
    TXT_Nume_Dec = caseta(pagina, u"TXT_Nume_Dec"_s);
    TXT_Strada_Dec = caseta(pagina, u"TXT_Strada_Dec"_s);
    TXT_Nr_Dec = caseta(pagina, u"TXT_Nr_Dec"_s, 700);
    TXT_BL_Dec = caseta(pagina, u"TXT_BL_Dec"_s, 700);
    TXT_Sc_Dec = caseta(pagina, u"TXT_Sc_Dec"_s, 700);
    TXT_Ap_Dec = caseta(pagina, u"TXT_Ap_Dec"_s, 700);
    TXT_Sect_Dec = caseta(pagina, u"TXT_Sect_Dec"_s, 700);
    TXT_CodPostal_Dec = caseta(pagina, u"TXT_CodPostal_Dec"_s, 1000);
    TDBCombo1 = new grid::ListCombo(pagina);
    TDBCombo1->setObjectName(u"TDBCombo1"_s);
    TDBCombo1->setMinimumWidth(px(2500));
    TXT_Judet_Dec = caseta(pagina, u"TXT_Judet_Dec"_s, 700);
    TDBCombo2 = new grid::ListCombo(pagina);
    TDBCombo2->setObjectName(u"TDBCombo2"_s);
    TDBCombo2->setMinimumWidth(px(2500));
    TXT_Oras_Dec = caseta(pagina, u"TXT_Oras_Dec"_s, 1000);

    auto* f = new QGridLayout(pagina);
    f->addWidget(Check_Dec_Tert, 0, 0, 1, 2);
    f->addWidget(eticheta(pagina, u"CUI - Nume"_s, TXT_CUI_Dec), 1, 0);
    f->addLayout(rand({TXT_CUI_Dec}), 1, 1);
    f->addWidget(TXT_Nume_Dec, 1, 2, 1, 2);
    f->addWidget(eticheta(pagina, u"Strada"_s, TXT_Strada_Dec), 2, 0);
    f->addWidget(TXT_Strada_Dec, 2, 1, 1, 3);
    const QList<QPair<QString, QLineEdit*>> adresa{
        {u"Nr"_s, TXT_Nr_Dec}, {u"BL"_s, TXT_BL_Dec},     {u"Sc"_s, TXT_Sc_Dec},
        {u"Ap"_s, TXT_Ap_Dec}, {u"Sect"_s, TXT_Sect_Dec}, {u"Cod Postal"_s, TXT_CodPostal_Dec}};
    auto* r = new QHBoxLayout;
    for (const auto& [text, camp] : adresa) {
        r->addWidget(eticheta(pagina, text, camp));
        r->addWidget(camp);
    }
    r->addStretch();
    f->addLayout(r, 3, 0, 1, 4);
    f->addWidget(eticheta(pagina, u"Judet"_s, TDBCombo1), 4, 0);
    f->addLayout(rand({TDBCombo1, TXT_Judet_Dec}), 4, 1);
    f->addWidget(eticheta(pagina, u"Oras"_s, TDBCombo2), 4, 2);
    f->addLayout(rand({TDBCombo2, TXT_Oras_Dec}), 4, 3);
    f->setColumnStretch(3, 1);
    f->setRowStretch(5, 1);
}

void Frm_INTRASTAT::Construieste_Modificari(QWidget* pagina)
{
    // The bulk update and its filter work on these controls; the adjustment
    // of the statistical value opens from here.
    const auto lista = [pagina](const QString& nume) {
        auto* c = new grid::ListCombo(pagina);
        c->setObjectName(nume);
        c->setMinimumWidth(px(2200));
        return c;
    };
    CmbColoanaUpdate = lista(u"CmbColoanaUpdate"_s);
    TXT_ColoanaUpdate_Fel = caseta(pagina, u"TXT_ColoanaUpdate_Fel"_s, 400);
    Txt_ValueUpdate = caseta(pagina, u"Txt_ValueUpdate"_s, 2500);
    CmbColoanaWhere = lista(u"CmbColoanaWhere"_s);
    TXT_ColoanaWhere_Fel = caseta(pagina, u"TXT_ColoanaWhere_Fel"_s, 400);
    CmbSemn = lista(u"CmbSemn"_s);
    TXT_SemnExpresie = caseta(pagina, u"TXT_SemnExpresie"_s, 1500);
    Txt_ValueUpdateWhere = caseta(pagina, u"Txt_ValueUpdateWhere"_s, 2500);
    Lbl_Inreg = new QLabel(pagina);
    Lbl_Inreg->setObjectName(u"Lbl_Inreg"_s);
    CmdExecuteUpdate = buton(pagina, u"CmdExecuteUpdate"_s, u"Aplica Modificari"_s);
    CmdFilter = buton(pagina, u"CmdFilter"_s, u"Vizualizare Selectie"_s);
    Command1 = buton(pagina, u"Command1"_s, u"Anuleza selectie"_s);
    CmdRecalcValStat = buton(pagina, u"CmdRecalcValStat"_s, u"Ajustare Val. Stat"_s);

    auto* f = new QGridLayout(pagina);
    f->addWidget(eticheta(pagina, u"Coloana"_s, CmbColoanaUpdate), 0, 0);
    f->addLayout(rand({CmbColoanaUpdate, TXT_ColoanaUpdate_Fel}), 0, 1);
    f->addWidget(eticheta(pagina, u"Valoare noua"_s, Txt_ValueUpdate), 0, 2);
    f->addLayout(rand({Txt_ValueUpdate}), 0, 3);
    f->addWidget(eticheta(pagina, u"Conditie"_s, CmbColoanaWhere), 1, 0);
    f->addLayout(rand({CmbColoanaWhere, TXT_ColoanaWhere_Fel, CmbSemn, TXT_SemnExpresie}), 1, 1);
    f->addWidget(eticheta(pagina, u"Valoare"_s, Txt_ValueUpdateWhere), 1, 2);
    f->addLayout(rand({Txt_ValueUpdateWhere}), 1, 3);
    f->addLayout(rand({CmdExecuteUpdate, CmdFilter, Command1, Lbl_Inreg}), 2, 0, 1, 4);
    f->addLayout(rand({CmdRecalcValStat}), 3, 0, 1, 4);
    f->setColumnStretch(3, 1);
    f->setRowStretch(4, 1);
}

void Frm_INTRASTAT::Construieste_Xml(QWidget* pagina)
{
    TXT_File_XML = caseta(pagina, u"TXT_File_XML"_s);
    Cmd_Verifica = buton(pagina, u"Cmd_Verifica"_s, u"Verifica Date"_s);
    Cmd_Fisier = buton(pagina, u"Cmd_Fisier"_s, u"Generare Fisier Intrastat (XML)"_s);
    auto* f = new QGridLayout(pagina);
    f->addWidget(TXT_File_XML, 0, 0, 1, 2);
    f->addWidget(Cmd_Verifica, 1, 0);
    f->addWidget(new QLabel(u"(Se va verifica intreaga luna)"_s, pagina), 1, 1);
    f->addWidget(Cmd_Fisier, 2, 0);
    f->addWidget(new QLabel(u"(Fisierul XML care trebuie transmis la INTRASTAT - INS Bucuresti)"_s, pagina),
                 2, 1);
    f->setColumnStretch(1, 1);
    f->setRowStretch(3, 1);
}

QList<QWidget*> Frm_INTRASTAT::Controale_Implicite() const
{
    return {TXT_PozitieCompanie, TXT_Nume_Pers,  TXT_Nume_Prenume, TXT_Tel,      TXT_Fax,
            TXT_Email,           Check_Dec_Tert, TXT_CUI_Dec,      TXT_Nume_Dec, TXT_Strada_Dec,
            TXT_Nr_Dec,          TXT_BL_Dec,     TXT_Sc_Dec,       TXT_Ap_Dec,   TXT_CodPostal_Dec,
            TXT_Sect_Dec,        TXT_Judet_Dec,  TXT_Oras_Dec,     TDBCombo1,    TDBCombo2};
}

void Frm_INTRASTAT::Arata_Eroare(const db::Error& eroare)
{
    Arata_Eroare_Baza(eroare);
}

void Frm_INTRASTAT::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    // Activation opens the tariff of this declaration's period.
    if (Conexiune_CN.isOpen()) {
        Elibereaza_Cautare_Tarif();
        Conexiune_CN.close();
    }

    Interogare_Grila = SQL_Grila_Intrastat;
    if (const db::Error e = Deschide_Grila(Sursa_Grila(Interogare_Grila, Filtru_Intrastat)))
        Arata_Eroare(e);

    Combo_Tip->clear();
    Combo_Tip->addItems({u"N-Noua"_s, u"C-Corectie"_s});
    Combo_Tip->setCurrentIndex(0);

    const QString implicite = Fisier_Valori_Implicite(numeFereastra);
    const Valori_Controale valori = Citeste_Valori_Implicite(implicite);
    Aplica_Valori_Controale(Controale_Implicite(), valori);

    // The declarant is always the working company's.
    TXT_CodFiscal->setText(FirmaCurenta_CodFiscal);
    TXT_NumeCompanie->setText(FirmaCurenta_Nume);
    const Nume_Declarant persoana = Imparte_Persoana(FirmaCurenta_PersoanaIntrastat);
    TXT_Nume_Pers->setText(persoana.nume);
    TXT_Nume_Prenume->setText(persoana.prenume);
    TXT_PozitieCompanie->setText(FirmaCurenta_Functie);
    TXT_Tel->setText(FirmaCurenta_Tel);
    TXT_Fax->setText(FirmaCurenta_Fax);
    TXT_Email->setText(FirmaCurenta_Email);

    if (!Check_Dec_Tert->isChecked()) {
        for (QLineEdit* t : {TXT_CUI_Dec, TXT_Nume_Dec, TXT_Strada_Dec, TXT_Nr_Dec, TXT_BL_Dec, TXT_Sc_Dec,
                             TXT_Ap_Dec, TXT_Sect_Dec, TXT_CodPostal_Dec, TXT_Oras_Dec})
            t->clear();
        TDBCombo1->setEditText(QString());
        TDBCombo2->setEditText(QString());
    }
    Check_ValStatistica->setChecked(FirmaCurenta_ValoareStatistica);
    CmdRecalcValStat->setEnabled(FirmaCurenta_ValoareStatistica);

    Formateaza_GridIntrastat();
    Incarca_Judete_Orase();

    m_cheie->bind(TXT_Anul, u"Anul"_s);
    m_cheie->bind(TXT_Luna, u"Luna"_s);
    m_cheie->bind(TXT_CodFiscal, u"Cod_Fiscal"_s);
    m_cheie->bind(TXT_Tip, u"TIP"_s);
    TXT_CodFiscal->setReadOnly(true);
    TXT_CodFiscal->setEnabled(false);
    TabIntrastat->setCurrentIndex(0);

    Incarca_Lista_Coloane();
    Initializeaza_Combo_Coloane();

    TXT_File_XML->setText(Folder_Salvare_XML + Nume_Fisier_XML(TXT_CodFiscal->text(), TXT_Tip->text(),
                                                               Combo_Tip->currentText(), TXT_Anul->text(),
                                                               TXT_Luna->text()));

    GridIntrastat->loadLayout(fisierLayout(), numeLayout);
    m_layoutIncarcat = true;
    Calculeaza_Totaluri(QString());
    Retine_Cheia();
}

void Frm_INTRASTAT::Form_Activate()
{
    if (!Conexiune_CN.isOpen())
        Deschide_Conexiune_Tarif(static_cast<short>(TXT_Luna->text().toInt()),
                                 static_cast<short>(TXT_Anul->text().toInt()));
    Seteaza_Coloanele_Tarilor();
    setWindowTitle(Titlu_Cu_Inregistrari(windowTitle(), m_linii.isOpen() ? m_linii.recordCount() : 0));
}

void Frm_INTRASTAT::Form_Unload(bool& cancel)
{
    // A line being edited is written first, whoever closes the window (its
    // close box, a menu command, the end of the program); a line the rules
    // refuse keeps the window open, with the rule's message.
    if (!Scrie_Linia()) {
        cancel = true;
        return;
    }
    // The layout and the lists' texts are read off the controls, which
    // lose them when their rows go: both files are written first. Missing
    // Default/ or Layout/ folders: nothing is kept, silently.
    Scrie_Valori_Implicite(Fisier_Valori_Implicite(numeFereastra),
                           Valori_Din_Controale(Controale_Implicite()));
    GridIntrastat->saveLayout(fisierLayout(), numeLayout);
    GridIntrastat->setDataSource(nullptr);
    m_linii.close();
    TDBCombo1->setListSource(nullptr);
    TDBCombo2->setListSource(nullptr);
    delete m_sursaJudete;
    m_sursaJudete = nullptr;
    delete m_sursaOrase;
    m_sursaOrase = nullptr;
    m_judete.close();
    m_orase.close();
    for (grid::ListCombo* c : {CmbColoanaUpdate, CmbColoanaWhere, CmbSemn})
        c->setListSource(nullptr);
    for (grid::RecordsetSource** sursa : {&m_sursaColoaneUpdate, &m_sursaColoaneWhere, &m_sursaSemne}) {
        delete *sursa;
        *sursa = nullptr;
    }
    m_coloane.close();
    m_semne.close();
    Filtru_Intrastat.clear();
}

db::Error Frm_INTRASTAT::Deschide_Grila(const QString& sursa)
{
    GridIntrastat->setDataSource(nullptr);
    m_linii.close();
    db::Result<db::Recordset> rs = Deschide_Linii(Conexiune_Firma, sursa);
    if (!rs) {
        m_linii = db::Recordset();
        return rs.error();
    }
    m_linii = *rs;
    GridIntrastat->bind(m_linii);
    return db::Error();
}

void Frm_INTRASTAT::Formateaza_GridIntrastat()
{
    grid::Grid* g = GridIntrastat;
    g->setAllowUpdate(true);
    g->setAllowAddNew(true);
    g->setAllowDelete(true);
    Aplica_Culori_Setari(g);
    g->setHeadingLines(2);
    g->setHeadingBold(true);
    g->setHeadingBackColour(Culoare_Qt(Culoare_Antet_Intrastat));
    g->setTabAcrossCells(true);
    g->setWrapCellPointer(true);
    const QList<Coloana_Intrastat>& coloane = Coloane_GridIntrastat();
    for (int i = 0; i < coloane.size() && i < g->columnCount(); ++i) {
        const Coloana_Intrastat& definitie = i == Coloana_Tara_Exp || i == Coloana_Tara_Dest
                                                 ? Coloana_Tara(i, TXT_Tip->text())
                                                 : coloane.at(i);
        grid::Column& c = g->column(i);
        c.caption = definitie.titlu;
        c.alignment = definitie.aliniere;
        c.foreColor = definitie.vizibila ? Culoare_Qt(Culoare_Text_Coloane) : QColor();
        c.backColor = definitie.legenda ? Culoare_Qt(Culoare_Legenda) : QColor();
        c.widthTwips = definitie.latime;
        c.visible = definitie.vizibila;
        c.numberFormat = definitie.format;
        c.button = definitie.buton;
        c.locked = definitie.blocata;
    }
    g->setFootersVisible(true);
    g->setFooterStyle(true, Culoare_Qt(Culoare_Text_Coloane), Culoare_Qt(Culoare_Fundal_Subsol),
                      Qt::AlignRight);
    g->refreshColumns();
}

void Frm_INTRASTAT::Seteaza_Coloanele_Tarilor()
{
    for (int i : {Coloana_Tara_Exp, Coloana_Tara_Dest}) {
        if (i >= GridIntrastat->columnCount())
            return;
        const Coloana_Intrastat definitie = Coloana_Tara(i, TXT_Tip->text());
        grid::Column& c = GridIntrastat->column(i);
        c.button = definitie.buton;
        c.locked = definitie.blocata;
        c.backColor = definitie.legenda ? Culoare_Qt(Culoare_Legenda) : QColor();
    }
    GridIntrastat->refreshColumns();
}

void Frm_INTRASTAT::Calculeaza_Totaluri(const QString& conditie)
{
    Scrie_Subsolurile(conditie);
    // Every amount shows whole: its column is made as wide as its widest value.
    Pastreaza_Loc(Texte_Cele_Mai_Late(m_linii));
    GridIntrastat->refreshFooters();
}

void Frm_INTRASTAT::Scrie_Subsolurile(const QString& conditie)
{
    const db::Result<Totaluri_Intrastat> t =
        Calculeaza_Totaluri_Linii(Conexiune_Firma, Filtru_Selectie(Filtru_Intrastat, conditie));
    const QList<QPair<int, double>> subsoluri{{Coloana_Val_Fiscala, t ? t->valFiscala : 0},
                                              {Coloana_Val_Stat, t ? t->valStat : 0},
                                              {Coloana_Net, t ? t->net : 0}};
    for (const auto& [coloana, suma] : subsoluri) {
        if (coloana < GridIntrastat->columnCount())
            // A selection the database refuses has no totals to show.
            GridIntrastat->column(coloana).footerText = t ? Text_Total(suma) : QString();
    }
}

QStringList Frm_INTRASTAT::Texte_Late() const
{
    QStringList texte;
    for (int coloana = 0; coloana < GridIntrastat->columnCount(); ++coloana)
        texte << GridIntrastat->column(coloana).widestText;
    return texte;
}

void Frm_INTRASTAT::Pastreaza_Loc(const QStringList& texte)
{
    for (int coloana = 0; coloana < GridIntrastat->columnCount(); ++coloana)
        GridIntrastat->column(coloana).widestText = texte.value(coloana);
}

void Frm_INTRASTAT::CmdRefresh_Click()
{
    Interogare_Grila = SQL_Grila_Intrastat;
    if (const db::Error e = Deschide_Grila(Sursa_Grila(Interogare_Grila, Filtru_Intrastat))) {
        Arata_Eroare(e);
        return;
    }
    Formateaza_GridIntrastat();
    m_conditieSelectie.clear();
    Calculeaza_Totaluri(QString());
    setWindowTitle(
        Titlu_Cu_Inregistrari(Titlu_Intrastat(TXT_Anul->text(), TXT_Luna->text()), m_linii.recordCount()));
    Retine_Cheia();
}

// ---------------------------------------------------------------- editing

namespace {

// A key box's text as the key column takes it: year and month as numbers.
db::Variant Valoare_Cheie(const QString& text, bool numar)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return db::Variant::null();
    bool ok = false;
    const int n = t.toInt(&ok);
    return numar && ok ? db::Variant(n) : db::Variant(text);
}

} // namespace

Cheie_Declaratie Frm_INTRASTAT::Cheie_Afisata() const
{
    const Cheie_Declaratie casete = Cheie();
    if (Perioada(casete) || !Perioada(m_cheieDeclaratie))
        return casete;
    return m_cheieDeclaratie;
}

void Frm_INTRASTAT::Retine_Cheia()
{
    const Cheie_Declaratie casete = Cheie();
    if (Perioada(casete))
        m_cheieDeclaratie = casete;
}

bool Frm_INTRASTAT::Scrie_Linia()
{
    if (!GridIntrastat->isEditing() && !GridIntrastat->rowDataChanged())
        return true;
    return GridIntrastat->update();
}

void Frm_INTRASTAT::GridIntrastat_AfterColUpdate(int coloana)
{
    if (coloana != Coloana_Valoare_Valuta && coloana != Coloana_Curs_Schimb)
        return;
    grid::Grid* g = GridIntrastat;
    const int valFiscala = g->columnForField(u"Val_Fiscala"_s);
    const int valStat = g->columnForField(u"Val_Stat"_s);
    const std::optional<Valori_Lei> v = Recalculeaza_Valori(g->cell(g->columnForField(u"Valoare_Valuta"_s)),
                                                            g->cell(g->columnForField(u"Curs_Schimb"_s)),
                                                            g->cell(valFiscala), g->cell(valStat));
    if (!v)
        return;
    g->setCell(valFiscala, v->valFiscala);
    g->setCell(valStat, v->valStat);
}

void Frm_INTRASTAT::GridIntrastat_AfterChange()
{
    Scrie_Subsolurile(m_conditieSelectie);
    // Only the line just written, on which the record set stands, can ask
    // for more room: the other lines are not searched again. A line deleted
    // leaves the room as it was.
    if (const int linie = m_linii.currentRow(); linie >= 0)
        Pastreaza_Loc(Texte_Cele_Mai_Late(m_linii, linie, Texte_Late()));
    GridIntrastat->refreshFooters();
}

void Frm_INTRASTAT::GridIntrastat_BeforeColUpdate(int coloana, const db::Variant& vechi, bool& cancel)
{
    (void)vechi;
    grid::Grid* g = GridIntrastat;
    // An amount typed is kept as its column keeps it, rounded once as the
    // import rounds it: what the cell shows is what is summed and declared.
    if (coloana >= 0 && coloana < g->columnCount()) {
        const db::Variant tastata = g->cell(coloana);
        if (const db::Variant pastrata = Valoare_Pastrata(g->column(coloana).dataField, tastata);
            pastrata != tastata)
            g->setCell(coloana, pastrata);
    }
    const Cautare_Coloana* cautare = Cautare_Pentru_Coloana(coloana);
    if (!cautare)
        return;
    if (coloana == Coloana_Cod_UMS)
        m_umsDeVerificat = false;
    // An emptied cell holds no code to look for, and what the code brought
    // with it (the tariff's description, unit and unit flag) goes too.
    if (Este_Null(g->cell(coloana))) {
        for (const auto& [tinta, camp] : cautare->perechi) {
            (void)camp;
            if (tinta != coloana)
                g->setCell(tinta, db::Variant::null());
        }
        return;
    }
    if (coloana == Coloana_Cod_UMS && Este_Null(g->cell(Coloana_Val_UMS))) {
        // A unit without a quantity in it is taken as typed; the line looks
        // it up before it is written, once the quantity is there.
        g->setCell(Coloana_Val_UMS, db::Variant::null());
        m_umsDeVerificat = true;
        return;
    }
    Cauta_Cod(*cautare, coloana, cancel);
}

void Frm_INTRASTAT::Cauta_Cod(const Cautare_Coloana& cautare, int coloana, bool& cancel)
{
    Pregateste_Cautare(cautare, GridIntrastat->cell(coloana).toText(), GridIntrastat, true);
    if (!Cauta_Si_Completeaza()) {
        cancel = true;
        GridIntrastat_ButtonClick(coloana);
        cancel = false;
    }
    Lbl_Mesaj->setText(Parametri_Cautare_Tabele.Cautare_Rezultat);
}

void Frm_INTRASTAT::GridIntrastat_BeforeUpdate(bool& cancel)
{
    grid::Grid* g = GridIntrastat;
    const Cheie_Declaratie cheie = Cheie_Afisata();
    g->setCell(0, Valoare_Cheie(cheie.tip, false));
    g->setCell(1, Valoare_Cheie(cheie.codFiscal, false));
    g->setCell(2, Valoare_Cheie(cheie.anul, true));
    g->setCell(3, Valoare_Cheie(cheie.luna, true));
    if (cheie.tip == u"O")
        g->setCell(Coloana_Tara_Exp, u"RO"_s);
    else if (cheie.tip == u"I")
        g->setCell(Coloana_Tara_Dest, u"RO"_s);
    const int existaUms = g->columnForField(u"Exista_UMS"_s);
    const int valUms = g->columnForField(u"Val_UMS"_s);
    if (!Este_Null(g->cell(g->columnForField(u"Cod_UMS"_s)))) {
        g->setCell(existaUms, true);
        if (Este_Null(g->cell(valUms)))
            g->setCell(valUms, g->cell(g->columnForField(u"Cantitate"_s)));
    } else {
        g->setCell(existaUms, false);
    }
    // A unit code taken without a look-up is looked up now, as the other
    // codes are when typed: not found, the pick-list.
    if (m_umsDeVerificat) {
        m_umsDeVerificat = false;
        if (!Este_Null(g->cell(Coloana_Cod_UMS))) {
            bool ramane = false;
            Cauta_Cod(*Cautare_Pentru_Coloana(Coloana_Cod_UMS), Coloana_Cod_UMS, ramane);
        }
    }
    for (int c : Coloane_Obligatorii()) {
        if (c >= g->columnCount())
            continue;
        // The key columns have no caption: their field names say which.
        const QString titlu = g->column(c).caption.isEmpty() ? g->column(c).dataField : g->column(c).caption;
        if (Este_Null(g->cell(c), titlu, true)) {
            cancel = true;
            return;
        }
    }
}

void Frm_INTRASTAT::GridIntrastat_BeforeDelete(bool& cancel)
{
    const ui::Answer raspuns =
        ui::msgBox(u"Stergeti inregistrarea ?"_s, ui::Icon::Question, ui::Buttons::YesNoCancel);
    Raspuns_Mesaj = static_cast<qint32>(raspuns);
    if (raspuns != ui::Answer::Yes)
        cancel = true;
}

void Frm_INTRASTAT::GridIntrastat_ButtonClick(int coloana)
{
    const Cautare_Coloana* cautare = Cautare_Pentru_Coloana(coloana);
    if (!cautare)
        return;
    Pregateste_Cautare(*cautare, GridIntrastat->cell(coloana).toText(), GridIntrastat, false);
    Arata_Lista_Selectie([cautare](grid::Grid& lista) {
        for (int c = 0; c < cautare->titluri.size() && c < lista.columnCount(); ++c)
            lista.column(c).caption = cautare->titluri.at(c);
        // The descriptions take the list's width; the tariff's are long and wrap.
        if (lista.columnCount() >= 2) {
            lista.column(1).widthTwips = 6500;
            if (cautare->coloana == Coloana_Cod_NC) {
                lista.column(1).wrap = true;
                lista.setRowHeightTwips(400);
            }
        }
        lista.refreshColumns();
    });
    Lbl_Mesaj->setText(Parametri_Cautare_Tabele.Cautare_Rezultat);
}

void Frm_INTRASTAT::GridIntrastat_Error(int numar, const QString& text, bool& suprima)
{
    suprima = true;
    if (numar != 0)
        ui::msgBox(Text_Eroare(numeFereastra, static_cast<std::int16_t>(numar), u"TDBGrid"_s, text),
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Frm_INTRASTAT::GridIntrastat_HeadClick(int coloana)
{
    if (coloana < 0 || coloana >= GridIntrastat->columnCount() || !Scrie_Linia())
        return;
    Ordine_Intrastat = Ordine_Dupa_Coloana(GridIntrastat->column(coloana).dataField);
    GridIntrastat->setDataSource(nullptr);
    m_linii.close();
    Linii_Sortate sortate = Deschide_Linii_Sortate(Conexiune_Firma, Fisier_Interogare_Grila(),
                                                   Filtru_Intrastat, Ordine_Intrastat);
    // A query file that cannot serve is said; the lines come from the
    // program's own query.
    if (sortate.eroareFisier)
        Arata_Eroare(sortate.eroareFisier);
    if (!sortate.linii) {
        m_linii = db::Recordset();
        Arata_Eroare(sortate.linii.error());
        return;
    }
    Interogare_Grila = sortate.interogare;
    m_linii = *sortate.linii;
    GridIntrastat->bind(m_linii);
    Formateaza_GridIntrastat();
    // The sort shows every line of the filter again: so do the footers. The
    // columns are made anew with the lines, so their totals and widest
    // values are set again even when the lines are those shown before.
    m_conditieSelectie.clear();
    Calculeaza_Totaluri(QString());
}

void Frm_INTRASTAT::GridIntrastat_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consuma)
{
    (void)modificatori;
    if (tasta != Qt::Key_Escape || GridIntrastat->cellDataChanged())
        return;
    m_umsDeVerificat = false;
    GridIntrastat->cancelUpdate();
    consuma = true;
    if (m_linii.isOpen() && m_linii.editMode() != db::EditMode::None)
        m_linii.cancelUpdate();
}

void Frm_INTRASTAT::GridIntrastat_ReloadLayout()
{
    if (m_layoutIncarcat)
        GridIntrastat->loadLayout(fisierLayout(), numeLayout);
}

void Frm_INTRASTAT::GridIntrastat_CloseLookup()
{
    if (ui::Forms::isLoaded(u"Frm_CautareTabele"_s))
        ui::Forms::unload(u"Frm_CautareTabele"_s);
}

// ---------------------------------------------------------------- bulk changes

namespace {

// The row of the list that the picker shows, -1 when its text names none.
int Rand_Ales(const grid::ListCombo* lista)
{
    const QString text = lista->currentText();
    if (text.trimmed().isEmpty())
        return -1;
    const int r = lista->currentIndex();
    if (r >= 0 && lista->listTextAt(r).compare(text, Qt::CaseInsensitive) == 0)
        return r;
    return lista->rowOfListText(text);
}

// The kind of the column list's row, "T" when it has none.
QString Fel_Rand(grid::ListCombo* lista, int rand)
{
    const QString fel = lista->listModel().cell(rand, lista->listModel().columnForField(u"Tip"_s)).toText();
    return fel.isEmpty() ? u"T"_s : fel;
}

void Arata_Refuz(const QString& coloana, const db::Error& eroare)
{
    ui::msgBox(u"Coloana "_s + coloana + u" : "_s + eroare.description, ui::Icon::Critical, ui::Buttons::Ok,
               u"EROARE"_s);
}

} // namespace

void Frm_INTRASTAT::Incarca_Lista_Coloane()
{
    m_coloane.close();
    if (db::Result<db::Recordset> lista = Lista_Coloane(m_linii))
        m_coloane = *lista;
    m_semne.close();
    if (db::Result<db::Recordset> semne =
            Conexiune_Comun.openRecordset(SQL_Semne_Cautare, db::CursorType::Static, db::LockType::ReadOnly))
        m_semne = *semne;
}

void Frm_INTRASTAT::Initializeaza_Combo_Coloane()
{
    Leaga_Sursa(CmbColoanaUpdate, m_coloane, m_sursaColoaneUpdate, u"Nume_Coloana"_s, u"Nume_Coloana"_s,
                {0, 1});
    Leaga_Sursa(CmbColoanaWhere, m_coloane, m_sursaColoaneWhere, u"Nume_Coloana"_s, u"Nume_Coloana"_s,
                {0, 1});
    // Semn and DescSemn show; the kind and the row number do not.
    Leaga_Sursa(CmbSemn, m_semne, m_sursaSemne, u"DescSemn"_s, u"DescSemn"_s, {0, 2});
}

bool Frm_INTRASTAT::CmbColoanaUpdate_Validate()
{
    const int rand = Rand_Ales(CmbColoanaUpdate);
    if (rand < 0)
        return false;
    CmbColoanaUpdate->setCurrentIndex(rand);
    TXT_ColoanaUpdate_Fel->setText(Fel_Rand(CmbColoanaUpdate, rand));
    const QString nume = CmbColoanaUpdate->listTextAt(rand);
    const int coloana = GridIntrastat->columnForField(nume);
    if (coloana < 0 || !GridIntrastat->column(coloana).locked)
        return false;
    ui::msgBox(u"Coloana "_s + nume + u" NU SE POATE ACTUALIZA"_s, ui::Icon::Information, ui::Buttons::Ok);
    return true;
}

void Frm_INTRASTAT::CmbColoanaWhere_Validate()
{
    const int rand = Rand_Ales(CmbColoanaWhere);
    if (rand < 0)
        return;
    CmbColoanaWhere->setCurrentIndex(rand);
    const QString fel = Fel_Rand(CmbColoanaWhere, rand);
    TXT_ColoanaWhere_Fel->setText(fel);
    // Only the operators of the column's kind, shown by their text.
    m_semne.close();
    CmbSemn->setListSource(nullptr);
    if (db::Result<db::Recordset> semne =
            Conexiune_Comun.openRecordset(SQL_Semne_Fel(fel), db::CursorType::Static, db::LockType::ReadOnly))
        m_semne = *semne;
    Leaga_Sursa(CmbSemn, m_semne, m_sursaSemne, u"DescSemn"_s, u"DescSemn"_s, {2});
}

void Frm_INTRASTAT::CmbSemn_Validate()
{
    const int rand = Rand_Ales(CmbSemn);
    if (rand < 0)
        return;
    CmbSemn->setCurrentIndex(rand);
    const QString semn = CmbSemn->listModel().cell(rand, 0).toText();
    TXT_SemnExpresie->setText(semn.isEmpty() ? u"="_s : semn);
}

std::optional<QString> Frm_INTRASTAT::Conditie_Aleasa()
{
    const QString coloana = CmbColoanaWhere->currentText();
    const QString fel = TXT_ColoanaWhere_Fel->text().isEmpty() ? u"T"_s : TXT_ColoanaWhere_Fel->text();
    const db::Result<QString> conditie =
        Conditie_Verificata(coloana, fel, TXT_SemnExpresie->text(), Txt_ValueUpdateWhere->text());
    if (!conditie) {
        Arata_Refuz(coloana, conditie.error());
        return std::nullopt;
    }
    return *conditie;
}

void Frm_INTRASTAT::CmdExecuteUpdate_Click()
{
    // Both are tested, each saying so when blank.
    const bool faraValoare = Este_Null(Txt_ValueUpdate, u"Valoare Nou"_s, true);
    const bool faraColoana = Este_Null(CmbColoanaUpdate, u"Coloana Actulizata"_s, true);
    if (faraValoare || faraColoana)
        return;
    const int rand = Rand_Ales(CmbColoanaUpdate);
    if (rand < 0 || CmbColoanaUpdate_Validate()) {
        if (rand < 0)
            ui::msgBox(u"Coloana "_s + CmbColoanaUpdate->currentText() + u" NU SE POATE ACTUALIZA"_s,
                       ui::Icon::Information, ui::Buttons::Ok);
        CmbColoanaUpdate->setFocus();
        return;
    }
    QString conditie;
    if (Este_Null(CmbSemn) || Este_Null(CmbColoanaWhere)) {
        const ui::Answer raspuns = ui::msgBox(
            u"NU ati selectat nici o conditie, se vor actualiza toate inregistrarile. Continuati ?"_s,
            ui::Icon::Question, ui::Buttons::YesNo);
        Raspuns_Mesaj = static_cast<qint32>(raspuns);
        if (raspuns != ui::Answer::Yes)
            return;
    } else {
        const std::optional<QString> aleasa = Conditie_Aleasa();
        if (!aleasa)
            return;
        conditie = *aleasa;
    }
    // Only the lines of the declaration shown, whatever the filter holds.
    const Cheie_Declaratie cheie = Cheie_Afisata();
    const std::optional<Perioada_Declaratie> perioada = Perioada_Sau_Mesaj(cheie);
    if (!perioada)
        return;
    const QString clauza =
        Clauza_Linii_Declaratie(Clauza_Declaratie(cheie.tip, cheie.codFiscal, *perioada), Filtru_Intrastat);
    const QString coloana = CmbColoanaUpdate->listTextAt(rand);
    const int camp = m_linii.isOpen() ? m_linii.fieldIndex(coloana) : -1;
    const db::Result<QString> comanda =
        Comanda_Actualizare(coloana, TXT_ColoanaUpdate_Fel->text(), Txt_ValueUpdate->text(),
                            camp >= 0 ? m_linii.field(camp).definedSize : 0, clauza, conditie);
    if (!comanda) {
        Arata_Refuz(coloana, comanda.error());
        return;
    }
    // A line being edited is written first: the lines are read anew after.
    if (!Scrie_Linia())
        return;
    const db::Result<qint64> schimbate = Actualizeaza_Linii(Conexiune_Firma, *comanda);
    if (!schimbate) {
        Arata_Eroare(schimbate.error());
        return;
    }
    Lbl_Inreg->setText(u"Inregistrari modificate : "_s + QString::number(*schimbate));
    CmdRefresh_Click();
}

void Frm_INTRASTAT::CmdFilter_Click()
{
    if (Este_Null(CmbColoanaWhere) || Este_Null(CmbSemn))
        return;
    const std::optional<QString> conditie = Conditie_Aleasa();
    if (!conditie || !Scrie_Linia())
        return;
    if (const db::Error e =
            Deschide_Grila(Sursa_Grila(Interogare_Grila, Filtru_Selectie(Filtru_Intrastat, *conditie))))
        Arata_Eroare(e);
    // The grid's columns are those of the new lines: they take the look of
    // the declaration's columns again.
    Formateaza_GridIntrastat();
    m_conditieSelectie = *conditie;
    Calculeaza_Totaluri(m_conditieSelectie);
    setWindowTitle(Titlu_Cu_Inregistrari(Titlu_Intrastat(TXT_Anul->text(), TXT_Luna->text()),
                                         m_linii.isOpen() ? m_linii.recordCount() : 0));
}

void Frm_INTRASTAT::Command1_Click()
{
    for (grid::ListCombo* c : {CmbColoanaUpdate, CmbColoanaWhere, CmbSemn}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    Txt_ValueUpdate->clear();
    Txt_ValueUpdateWhere->clear();
}

void Frm_INTRASTAT::Incarca_Judete_Orase()
{
    const QString judet = TDBCombo1->currentText();
    const QString oras = TDBCombo2->currentText();
    Leaga_Lista(TDBCombo1, m_judete, m_sursaJudete,
                u"SELECT Jud_Code, Jud_NameRo from Judete ORDER BY Jud_NameRo"_s, u"Jud_NameRo"_s,
                u"Jud_Code"_s);
    Leaga_Lista(TDBCombo2, m_orase, m_sursaOrase,
                u"SELECT City_Code, City_NameRo, City_RefCode from Orase ORDER BY City_NameRo"_s,
                u"City_NameRo"_s, u"City_Code"_s);
    // The names restored from the defaults stay shown.
    TDBCombo1->setEditText(judet);
    TDBCombo2->setEditText(oras);
}

void Frm_INTRASTAT::Leaga_Sursa(grid::ListCombo* lista, const db::Recordset& rs,
                                grid::RecordsetSource*& sursa, const QString& afisat, const QString& cod,
                                const QList<int>& vizibile)
{
    lista->setListSource(nullptr);
    delete sursa;
    sursa = nullptr;
    if (!rs.isOpen())
        return;
    sursa = new grid::RecordsetSource(rs, this);
    lista->setListField(afisat);
    lista->setBoundField(cod);
    lista->setColumnHeaders(false);
    lista->setLimitToList(true);
    for (int c = 0; c < rs.fieldCount(); ++c)
        lista->setColumnVisible(c, vizibile.contains(c));
    lista->bind(sursa);
    lista->setAutoCompletion(true);
}

void Frm_INTRASTAT::Leaga_Lista(grid::ListCombo* lista, db::Recordset& rs, grid::RecordsetSource*& sursa,
                                const QString& sql, const QString& afisat, const QString& cod)
{
    const QString text = lista->currentText();
    lista->setListSource(nullptr);
    delete sursa;
    sursa = nullptr;
    rs.close();
    db::Result<db::Recordset> r =
        Conexiune_Comun.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
    if (!r)
        return;
    rs = *r;
    // Only the name shows; the code and the county reference stay hidden.
    Leaga_Sursa(lista, rs, sursa, afisat, cod, {rs.fieldIndex(afisat)});
    const int gasit = lista->rowOfListText(text);
    if (gasit >= 0)
        lista->setCurrentIndex(gasit);
    else
        lista->setEditText(text);
}

void Frm_INTRASTAT::TDBCombo1_Validate()
{
    const db::Variant cod = TDBCombo1->boundValue();
    if (!cod.isMissing())
        TXT_Judet_Dec->setText(cod.toText());
}

void Frm_INTRASTAT::TDBCombo2_GotFocus()
{
    Leaga_Lista(TDBCombo2, m_orase, m_sursaOrase,
                u"SELECT City_Code, City_NameRo, City_RefCode from Orase WHERE City_RefCode='"_s +
                    db::quote(TXT_Judet_Dec->text()) + u"' ORDER BY City_NameRo"_s,
                u"City_NameRo"_s, u"City_Code"_s);
}

void Frm_INTRASTAT::TDBCombo2_Validate()
{
    const db::Variant cod = TDBCombo2->boundValue();
    if (!cod.isMissing())
        TXT_Oras_Dec->setText(cod.toText());
}

bool Frm_INTRASTAT::eventFilter(QObject* obiect, QEvent* eveniment)
{
    const bool intrare = eveniment->type() == QEvent::FocusIn;
    const bool iesire = eveniment->type() == QEvent::FocusOut;
    const Qt::FocusReason motiv =
        intrare || iesire ? static_cast<QFocusEvent*>(eveniment)->reason() : Qt::OtherFocusReason;
    if ((intrare || iesire) && motiv != Qt::PopupFocusReason) {
        if (obiect == TDBCombo1 && iesire)
            TDBCombo1_Validate();
        else if (obiect == TDBCombo2 && intrare)
            TDBCombo2_GotFocus();
        else if (obiect == TDBCombo2 && iesire)
            TDBCombo2_Validate();
    }
    // The pickers of the bulk changes, on leaving them for another control
    // of the window (a message box of their own taking the focus is none).
    if (iesire && motiv != Qt::PopupFocusReason && motiv != Qt::ActiveWindowFocusReason && !m_validare) {
        m_validare = true;
        if (obiect == CmbColoanaUpdate && CmbColoanaUpdate_Validate())
            QTimer::singleShot(0, CmbColoanaUpdate, [c = CmbColoanaUpdate] { c->setFocus(); });
        else if (obiect == CmbColoanaWhere)
            CmbColoanaWhere_Validate();
        else if (obiect == CmbSemn)
            CmbSemn_Validate();
        m_validare = false;
    }
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

void Frm_INTRASTAT::Check_ValStatistica_Click()
{
    CmdRecalcValStat->setEnabled(Check_ValStatistica->isChecked());
}

void Frm_INTRASTAT::CmdRecalcValStat_Click()
{
    if (Reseteaza_Buton(CmdRecalcValStat) || !m_linii.isOpen())
        return;
    auto* ajustare = ui::Forms::load<Frm_Recalculare_ValStat>(u"Frm_Recalculare_ValStat"_s);
    if (!ajustare)
        return;
    ajustare->TXT_Anul->setText(TXT_Anul->text());
    ajustare->TXT_Luna->setText(TXT_Luna->text());
    ajustare->TXT_Tip->setText(TXT_Tip->text());
    ui::Forms::show(u"Frm_Recalculare_ValStat"_s);
}

void Frm_INTRASTAT::Cmd_Excel_Click()
{
    // A line being edited is written first, so the copy holds it as shown.
    if (Reseteaza_Buton(Cmd_Excel) || !m_linii.isOpen() || !Scrie_Linia())
        return;
    db::Recordset copie = m_linii.clone();
    Exporta_In_Excel(copie);
}

void Frm_INTRASTAT::Cmd_Print_Click()
{
    // A line being edited is written first: the report reads the database.
    if (Reseteaza_Buton(Cmd_Print) || !Scrie_Linia())
        return;
    Numar_Raport = 10001;
    Parametri_Raport = {TXT_Tip->text(), TXT_CodFiscal->text(), TXT_Anul->text(), TXT_Luna->text(),
                        Combo_Tip->currentText().left(1)};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Mod_Raport = u"0"_s;
    ui::Forms::load(u"Frm_Report"_s);
    ui::Forms::show(u"Frm_Report"_s, true);
    QApplication::restoreOverrideCursor();
}

Cheie_Declaratie Frm_INTRASTAT::Cheie() const
{
    return {TXT_Tip->text(), TXT_CodFiscal->text(), TXT_Anul->text(), TXT_Luna->text()};
}

void Frm_INTRASTAT::Cmd_Verifica_Click()
{
    // A line being edited is written first: the run reads the lines from
    // the database and reloads the grid.
    if (!m_linii.isOpen() || Reseteaza_Buton(Cmd_Verifica) || !Scrie_Linia())
        return;
    // The button stays off while the run repaints its progress, so a second
    // click cannot start a run inside this one.
    Cmd_Verifica->setEnabled(false);
    Ecran_Verificare_Ferestre ecran([this] { CmdRefresh_Click(); });
    Verifica_Declaratie(Cheie(), ecran);
    Cmd_Verifica->setEnabled(true);
}

void Frm_INTRASTAT::Cmd_Fisier_Click()
{
    // A line being edited is written first: the file reads the lines from the database.
    if (!m_linii.isOpen() || Reseteaza_Buton(Cmd_Fisier) || !Scrie_Linia())
        return;
    Date_Fisier_XML date;
    date.cheie = Cheie();
    date.numeCompanie = TXT_NumeCompanie->text();
    date.tipDeclaratie = Combo_Tip->currentText();
    date.valoareStatistica = Check_ValStatistica->isChecked();
    date.numePrenume = TXT_Nume_Prenume->text();
    date.numePersoana = TXT_Nume_Pers->text();
    date.email = TXT_Email->text();
    date.telefon = TXT_Tel->text();
    date.fax = TXT_Fax->text();
    date.pozitieCompanie = TXT_PozitieCompanie->text();
    date.declarantTert = Check_Dec_Tert->isChecked();
    date.codFiscalDeclarant = TXT_CUI_Dec->text();
    date.numeDeclarant = TXT_Nume_Dec->text();
    date.strada = TXT_Strada_Dec->text();
    date.numar = TXT_Nr_Dec->text();
    date.bloc = TXT_BL_Dec->text();
    date.scara = TXT_Sc_Dec->text();
    date.apartament = TXT_Ap_Dec->text();
    date.oras = TXT_Oras_Dec->text();
    date.judet = TXT_Judet_Dec->text();
    date.codPostal = TXT_CodPostal_Dec->text();
    const Rezultat_Fisier_XML rezultat = Genereaza_Fisier_XML(date, [this] { Formateaza_GridIntrastat(); });
    // The box keeps the name as the file declares it.
    TXT_NumeCompanie->setText(rezultat.numeCompanie);
}
