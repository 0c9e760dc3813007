#include "declaration/Frm_INTRASTAT.h"

#include "codelists/Cautare_Tarif.h"
#include "codelists/ConexiuneTarif.h"
#include "common/BUTOANE.h"
#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "common/Transfera_Excel.h"
#include "declaration/Coloane_Intrastat.h"
#include "declaration/Culori_Grila.h"
#include "declaration/Date_Declarant.h"
#include "declaration/Ecran_Verificare_Ferestre.h"
#include "declaration/Fisier_XML_Intrastat.h"
#include "declaration/Frm_Recalculare_ValStat.h"
#include "declaration/Linii_Intrastat.h"
#include "declaration/Valori_Controale.h"
#include "declaration/Verificare_Declaratie.h"
#include "platform/grid/binder.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/grid/units.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

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
    return grid::twipsToPixels(twips);
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
        if (!Reseteaza_Buton(CmdRefresh))
            CmdRefresh_Click();
    });
    connect(Cmd_Excel, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Excel_Click);
    connect(Cmd_Print, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Print_Click);
    connect(Cmd_Verifica, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Verifica_Click);
    connect(Cmd_Fisier, &QPushButton::clicked, this, &Frm_INTRASTAT::Cmd_Fisier_Click);
    TDBCombo1->installEventFilter(this);
    TDBCombo2->installEventFilter(this);
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
    auto* CmbColoanaUpdate = lista(u"CmbColoanaUpdate"_s);
    auto* TXT_ColoanaUpdate_Fel = caseta(pagina, u"TXT_ColoanaUpdate_Fel"_s, 400);
    auto* Txt_ValueUpdate = caseta(pagina, u"Txt_ValueUpdate"_s, 2500);
    auto* CmbColoanaWhere = lista(u"CmbColoanaWhere"_s);
    auto* TXT_ColoanaWhere_Fel = caseta(pagina, u"TXT_ColoanaWhere_Fel"_s, 400);
    auto* CmbSemn = lista(u"CmbSemn"_s);
    auto* TXT_SemnExpresie = caseta(pagina, u"TXT_SemnExpresie"_s, 1500);
    auto* Txt_ValueUpdateWhere = caseta(pagina, u"Txt_ValueUpdateWhere"_s, 2500);
    auto* Lbl_Inreg = new QLabel(pagina);
    Lbl_Inreg->setObjectName(u"Lbl_Inreg"_s);
    auto* CmdExecuteUpdate = buton(pagina, u"CmdExecuteUpdate"_s, u"Aplica Modificari"_s);
    auto* CmdFilter = buton(pagina, u"CmdFilter"_s, u"Vizualizare Selectie"_s);
    auto* Command1 = buton(pagina, u"Command1"_s, u"Anuleza selectie"_s);
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
    ui::msgBox(u"EROARE : "_s + QString::number(eroare.number) + u"\r\n"_s + eroare.description,
               ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
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

    TXT_File_XML->setText(Folder_Salvare_XML + Nume_Fisier_XML(TXT_CodFiscal->text(), TXT_Tip->text(),
                                                               Combo_Tip->currentText(), TXT_Anul->text(),
                                                               TXT_Luna->text()));

    GridIntrastat->loadLayout(fisierLayout(), numeLayout);
    Calculeaza_Totaluri(QString());
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
    (void)cancel;
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
        const Coloana_Intrastat& spec = i == Coloana_Tara_Exp || i == Coloana_Tara_Dest
                                            ? Coloana_Tara(i, TXT_Tip->text())
                                            : coloane.at(i);
        grid::Column& c = g->column(i);
        c.caption = spec.titlu;
        c.alignment = spec.aliniere;
        c.foreColor = spec.vizibila ? Culoare_Qt(Culoare_Text_Coloane) : QColor();
        c.backColor = spec.legenda ? Culoare_Qt(Culoare_Legenda) : QColor();
        c.widthTwips = spec.latime;
        c.visible = spec.vizibila;
        c.numberFormat = spec.format;
        c.button = spec.buton;
        c.locked = spec.blocata;
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
        const Coloana_Intrastat spec = Coloana_Tara(i, TXT_Tip->text());
        grid::Column& c = GridIntrastat->column(i);
        c.button = spec.buton;
        c.locked = spec.blocata;
        c.backColor = spec.legenda ? Culoare_Qt(Culoare_Legenda) : QColor();
    }
    GridIntrastat->refreshColumns();
}

void Frm_INTRASTAT::Calculeaza_Totaluri(const QString& conditie)
{
    const db::Result<Totaluri_Intrastat> t =
        Calculeaza_Totaluri_Linii(Conexiune_Firma, Filtru_Intrastat, conditie);
    const QList<QPair<int, double>> subsoluri{{Coloana_Val_Fiscala, t ? t->valFiscala : 0},
                                              {Coloana_Val_Stat, t ? t->valStat : 0},
                                              {Coloana_Net, t ? t->net : 0}};
    for (const auto& [coloana, suma] : subsoluri) {
        if (coloana < GridIntrastat->columnCount())
            // A selection the database refuses has no totals to show.
            GridIntrastat->column(coloana).footerText = t ? Text_Total(suma) : QString();
    }
    GridIntrastat->refreshColumns();
}

void Frm_INTRASTAT::CmdRefresh_Click()
{
    Interogare_Grila = SQL_Grila_Intrastat;
    if (const db::Error e = Deschide_Grila(Sursa_Grila(Interogare_Grila, Filtru_Intrastat))) {
        Arata_Eroare(e);
        return;
    }
    Formateaza_GridIntrastat();
    Calculeaza_Totaluri(QString());
    setWindowTitle(
        Titlu_Cu_Inregistrari(Titlu_Intrastat(TXT_Anul->text(), TXT_Luna->text()), m_linii.recordCount()));
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
    sursa = new grid::RecordsetSource(rs, this);
    lista->setListField(afisat);
    lista->setBoundField(cod);
    lista->setColumnHeaders(false);
    lista->setLimitToList(true);
    // Only the name shows; the code and the county reference stay hidden.
    for (int c = 0; c < rs.fieldCount(); ++c)
        lista->setColumnVisible(c, rs.field(c).name.compare(afisat, Qt::CaseInsensitive) == 0);
    lista->bind(sursa);
    lista->setAutoCompletion(true);
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
    if ((intrare || iesire) && static_cast<QFocusEvent*>(eveniment)->reason() != Qt::PopupFocusReason) {
        if (obiect == TDBCombo1 && iesire)
            TDBCombo1_Validate();
        else if (obiect == TDBCombo2 && intrare)
            TDBCombo2_GotFocus();
        else if (obiect == TDBCombo2 && iesire)
            TDBCombo2_Validate();
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
    if (Reseteaza_Buton(Cmd_Excel) || !m_linii.isOpen())
        return;
    db::Recordset copie = m_linii.clone();
    Exporta_In_Excel(copie);
}

void Frm_INTRASTAT::Cmd_Print_Click()
{
    if (Reseteaza_Buton(Cmd_Print))
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
    if (!m_linii.isOpen() || Reseteaza_Buton(Cmd_Verifica))
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
    if (!m_linii.isOpen() || Reseteaza_Buton(Cmd_Fisier))
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
