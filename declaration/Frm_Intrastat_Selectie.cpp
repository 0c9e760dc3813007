#include "declaration/Frm_Intrastat_Selectie.h"

#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Verifica_Null_Control.h"
#include "declaration/Linii_Intrastat.h"
#include "declaration/Selectie_Intrastat.h"
#include "platform/grid/grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QLabel* eticheta(const QString& nume, const QString& text, QWidget* parinte)
{
    auto* l = new QLabel(text, parinte);
    l->setObjectName(nume);
    l->setWordWrap(true);
    return l;
}

QLineEdit* caseta(const QString& nume, QWidget* parinte)
{
    auto* t = new QLineEdit(parinte);
    t->setObjectName(nume);
    t->setMaximumWidth(ui::twipsToPixelsX(900));
    return t;
}

} // namespace

Frm_Intrastat_Selectie::Frm_Intrastat_Selectie(QWidget* parent)
    : ui::Fereastra(u"Frm_Intrastat_Selectie"_s, u"Intrastat Selectie"_s, parent)
{
    auto* Label1 = eticheta(u"Label1"_s, u"Tip - Anul - Luna"_s, this);
    Combo_Anul = new QComboBox(this);
    Combo_Anul->setObjectName(u"Combo_Anul"_s);
    Combo_Anul->setMinimumWidth(ui::twipsToPixelsX(2000));
    Label1->setBuddy(Combo_Anul);
    TXT_Tip = caseta(u"TXT_Tip"_s, this);
    TXT_Anul = caseta(u"TXT_Anul"_s, this);
    TXT_Luna = caseta(u"TXT_Luna"_s, this);
    Cmd_Open_Date = new QPushButton(u"OK - Vizualizare Perioada"_s, this);
    Cmd_Open_Date->setObjectName(u"Cmd_Open_Date"_s);
    auto* Label2 = eticheta(u"Label2"_s, u"I - Pentru achizitii (INTRARI)"_s, this);
    auto* Label3 = eticheta(u"Label3"_s, u"O - Pentru livrari (IESIRI)"_s, this);
    auto* Label4 = eticheta(u"Label4"_s,
                            u"Pentru a vizualiza (modifica) datele dintr-o anumita LUNA folositi butonul "
                            u"Vizualizare Perioada"_s,
                            this);
    ListaIntrastat = new grid::ListGrid(this);
    ListaIntrastat->setObjectName(u"ListaIntrastat"_s);
    Cmd_Open_File = new QPushButton(u"OK - Vizualizare Selectie"_s, this);
    Cmd_Open_File->setObjectName(u"Cmd_Open_File"_s);
    auto* Label5 =
        eticheta(u"Label5"_s,
                 u"Pentru a vizualiza (modifica) datele preluate dintr-un anumit fisier EXCEL folositi "
                 u"butonul Vizualizare Selectie"_s,
                 this);

    auto* asezare = new QGridLayout(this);
    auto* perioada = new QHBoxLayout;
    perioada->addWidget(Label1);
    perioada->addWidget(Combo_Anul);
    perioada->addWidget(TXT_Tip);
    perioada->addWidget(TXT_Anul);
    perioada->addWidget(TXT_Luna);
    perioada->addWidget(Cmd_Open_Date);
    perioada->addStretch();
    asezare->addLayout(perioada, 0, 0, 1, 2);
    asezare->addWidget(Label2, 1, 0);
    asezare->addWidget(Label3, 1, 1);
    asezare->addWidget(Label4, 2, 0, 1, 2);
    asezare->addWidget(ListaIntrastat, 3, 0, 1, 2);
    asezare->addWidget(Label5, 4, 0);
    asezare->addWidget(Cmd_Open_File, 4, 1, Qt::AlignRight);
    asezare->setRowStretch(3, 1);
    resize(ui::twipsToSize(10500, 7000));

    connect(Combo_Anul, &QComboBox::activated, this, &Frm_Intrastat_Selectie::Combo_Anul_Click);
    connect(Cmd_Open_Date, &QPushButton::clicked, this, &Frm_Intrastat_Selectie::Cmd_Open_Date_Click);
    connect(Cmd_Open_File, &QPushButton::clicked, this, &Frm_Intrastat_Selectie::Cmd_Open_File_Click);
    connect(ListaIntrastat, &grid::Grid::dblClick, this, &Frm_Intrastat_Selectie::Cmd_Open_File_Click);
    connect(ListaIntrastat, &grid::Grid::buttonClick, this,
            &Frm_Intrastat_Selectie::ListaIntrastat_ButtonClick);
}

Frm_Intrastat_Selectie::~Frm_Intrastat_Selectie() = default;

void Frm_Intrastat_Selectie::Form_Load()
{
    Filtru_Intrastat.clear();
    if (const db::Result<QStringList> perioade = Perioade_Intrastat(Conexiune_Firma))
        Combo_Anul->addItems(*perioade);
    Combo_Anul->setCurrentIndex(-1);
    db::Result<db::Recordset> lista =
        Conexiune_Firma.openRecordset(SQL_Fisiere_Intrastat, db::CursorType::Static, db::LockType::ReadOnly);
    if (!lista) {
        ui::msgBox(QString::number(lista.error().number) + u"\r\n"_s + lista.error().description,
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return;
    }
    m_lista = *lista;
    ListaIntrastat->bind(m_lista);
    Formateaza_ListaIntrastat();
}

void Frm_Intrastat_Selectie::Formateaza_ListaIntrastat()
{
    struct Coloana
    {
        QString camp;
        QString titlu;
        int latime;
        Qt::Alignment aliniere;
    };
    const Qt::Alignment centru = Qt::AlignHCenter;
    static const QList<Coloana> coloane{
        {u"TIP"_s, u"TIP"_s, 600, centru},
        {u"Anul"_s, u"Anul"_s, 700, centru},
        {u"Luna"_s, u"Luna"_s, 700, centru},
        {u"SourceFile"_s, u"Nume fisier Excel"_s, 1800, Qt::AlignLeft},
        {u"NrInreg"_s, u"Numar Inreg"_s, 800, centru},
        {u"UserName"_s, u"Utilizator"_s, 1000, centru},
        {u"Data_Preluare"_s, u"Data Preluare"_s, 1500, centru},
        {u"Cod_Fiscal"_s, QString(), 0, {}},
        {u"STREGE"_s, QString(), 1250, centru},
    };
    Aplica_Culori_Setari(ListaIntrastat);
    ListaIntrastat->setAllowAddNew(false);
    ListaIntrastat->setAllowDelete(false);
    ListaIntrastat->setAllowUpdate(false);
    for (const Coloana& c : coloane) {
        const int i = ListaIntrastat->columnForField(c.camp);
        if (i < 0)
            continue;
        grid::Column& col = ListaIntrastat->column(i);
        col.caption = c.titlu;
        col.widthTwips = c.latime;
        col.alignment = c.aliniere;
        col.visible = c.latime > 0;
    }
    if (const int sterge = ListaIntrastat->columnForField(u"STREGE"_s); sterge >= 0) {
        ListaIntrastat->column(sterge).textButton = true;
        ListaIntrastat->column(sterge).bold = true;
    }
    ListaIntrastat->refreshColumns();
}

void Frm_Intrastat_Selectie::Combo_Anul_Click()
{
    const std::optional<QStringList> bucati = Imparte_Perioada(Combo_Anul->currentText());
    if (!bucati)
        return;
    const QList<QLineEdit*> casete{TXT_Tip, TXT_Anul, TXT_Luna};
    for (int i = 0; i < bucati->size() && i < casete.size(); ++i)
        casete.at(i)->setText(bucati->at(i));
}

void Frm_Intrastat_Selectie::Cmd_Open_Date_Click()
{
    if (Este_Null(TXT_Anul, u"ANUL"_s, true) || Este_Null(TXT_Luna, u"LUNA"_s, true) ||
        Este_Null(TXT_Tip, u"TIP"_s, true))
        return;
    const Perioada_Verificata v = Verifica_Perioada(TXT_Tip->text(), TXT_Anul->text(), TXT_Luna->text());
    if (!v.perioada) {
        ui::msgBox(v.mesaj, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return;
    }
    Filtru_Intrastat = Filtru_Perioada(*v.perioada, FirmaCurenta_CodFiscal);
    Deschide_Declaratia(
        Titlu_Intrastat(QString::number(v.perioada->anul), QString::number(v.perioada->luna)));
}

void Frm_Intrastat_Selectie::Cmd_Open_File_Click()
{
    const int rand = ListaIntrastat->row();
    if (!m_lista.isOpen() || rand < 0 || rand >= m_lista.rowCount())
        return;
    const Fisier_Preluat f = Fisier_Din_Lista(m_lista, rand);
    Filtru_Intrastat = Filtru_Fisier(f);
    Deschide_Declaratia(Titlu_Intrastat(QString::number(f.anul), QString::number(f.luna), f.fisier.toText()));
}

void Frm_Intrastat_Selectie::Deschide_Declaratia(const QString& titlu)
{
    QWidget* declaratie = ui::Forms::load(u"Frm_INTRASTAT"_s);
    if (!declaratie)
        return;
    declaratie->setWindowTitle(titlu);
    ui::Forms::show(u"Frm_INTRASTAT"_s);
    ui::Forms::unload(this);
}

void Frm_Intrastat_Selectie::ListaIntrastat_ButtonClick(int coloana)
{
    const int rand = ListaIntrastat->row();
    if (coloana != ListaIntrastat->columnCount() - 1 || !m_lista.isOpen() || rand < 0 ||
        rand >= m_lista.rowCount())
        return;
    const Fisier_Preluat f = Fisier_Din_Lista(m_lista, rand);
    if (ui::msgBox(Intrebare_Stergere(f), ui::Icon::Question, ui::Buttons::YesNo, u"RASPUNDETI"_s) !=
        ui::Answer::Yes)
        return;
    const db::Result<qint64> sterse = Sterge_Fisier_Preluat(Conexiune_Firma, f);
    if (!sterse)
        ui::msgBox(sterse.error().description, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
    if (const db::Error e = m_lista.requery())
        ui::msgBox(e.description, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Frm_Intrastat_Selectie::Form_Unload(bool& cancel)
{
    (void)cancel;
    ListaIntrastat->setDataSource(nullptr);
    m_lista.close();
}
