#include "shell/Frm_Selectie_Firma.h"

#include "common/Globale.h"
#include "platform/grid/grid.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"
#include "shell/Frm_Meniu_Principal.h"
#include "shell/Selectie_Firma.h"
#include "shell/Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTreeView>

using namespace Qt::StringLiterals;

QString Text_Versiune_Program()
{
    return u"Quorvel  vers:  "_s + QString::number(QUORVEL_VERSION_MAJOR) + u"."_s +
           QString::number(QUORVEL_VERSION_MINOR) + u"."_s + QString::number(QUORVEL_VERSION_REVISION);
}

Frm_Selectie_Firma::Frm_Selectie_Firma(QWidget* parent)
    : ui::Fereastra(u"Frm_Selectie_Firma"_s, u"Quorvel : Selectare Firma"_s, parent)
{
    Label1 = new QLabel(u"Selectati Firma :"_s, this);
    Label1->setObjectName(u"Label1"_s);

    // A drop-down list of the companies showing name and fiscal code.
    Cmb_Firma = new QComboBox(this);
    Cmb_Firma->setObjectName(u"Cmb_Firma"_s);
    auto* vedere = new QTreeView(Cmb_Firma);
    vedere->setRootIsDecorated(false);
    vedere->setUniformRowHeights(true);
    vedere->setSelectionBehavior(QAbstractItemView::SelectRows);
    vedere->setAllColumnsShowFocus(true);
    Cmb_Firma->setView(vedere);
    Cmb_Firma->setModel(new QStandardItemModel(0, 2, Cmb_Firma));
    Cmb_Firma->installEventFilter(this);
    Label1->setBuddy(Cmb_Firma);

    CmdOK = new QPushButton(u"OK"_s, this);
    CmdOK->setObjectName(u"CmdOK"_s);
    CmdOK->setDefault(true);

    Label2 = new QLabel(this);
    Label2->setObjectName(u"Label2"_s);

    TxtDBName = new QLineEdit(this);
    TxtDBName->setObjectName(u"TxtDBName"_s);
    TxtDBName->hide();
    TxtCF = new QLineEdit(this);
    TxtCF->setObjectName(u"TxtCF"_s);
    TxtCF->hide();

    auto* asezare = new QGridLayout(this);
    asezare->addWidget(Label1, 0, 0);
    asezare->addWidget(Cmb_Firma, 1, 0);
    asezare->addWidget(CmdOK, 1, 1);
    asezare->setRowStretch(2, 1);
    asezare->addWidget(Label2, 3, 0, 1, 2);
    asezare->setColumnStretch(0, 1);
    setTabOrder(Cmb_Firma, CmdOK);

    connect(CmdOK, &QPushButton::clicked, this, &Frm_Selectie_Firma::CmdOK_Click);
    connect(Cmb_Firma, &QComboBox::currentIndexChanged, this, &Frm_Selectie_Firma::Cmb_Firma_Validate);
    seteazaNumeAccesibile();
}

Frm_Selectie_Firma::~Frm_Selectie_Firma() = default;

void Frm_Selectie_Firma::Form_Load()
{
    QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect zona = ecran ? ecran->availableGeometry() : QRect(0, 0, 800, 600);
    Inaltime_Zona_Lucru = ui::pixelsToTwipsY(zona.height());
    Latime_Zona_Lucru = ui::pixelsToTwipsX(zona.width());
    const Delte_Zona_Lucru delte = Calculeaza_Delte(Inaltime_Zona_Lucru, Latime_Zona_Lucru);
    Delta_Inaltime = delte.inaltime;
    Delta_Latime = delte.latime;

    Label2->setText(Text_Versiune_Program());
    setFixedSize(ui::twipsToSize(5895, 2295));
    Centreaza_Pe_Ecran(this);
}

void Frm_Selectie_Firma::showEvent(QShowEvent* eveniment)
{
    ui::Fereastra::showEvent(eveniment);
    // The list comes first in the tab order: it gets the focus when the
    // window first shows, and reads the register then.
    if (!m_listaCitita) {
        Cmb_Firma->setFocus();
        if (!m_listaCitita)
            Cmb_Firma_GotFocus();
    }
}

bool Frm_Selectie_Firma::eventFilter(QObject* obiect, QEvent* eveniment)
{
    if (obiect == Cmb_Firma) {
        switch (eveniment->type()) {
        case QEvent::FocusIn: {
            // Coming back from the list's own drop-down is no new entry.
            const auto motiv = static_cast<QFocusEvent*>(eveniment)->reason();
            if (motiv != Qt::PopupFocusReason)
                Cmb_Firma_GotFocus();
            break;
        }
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent*>(eveniment)->reason() != Qt::PopupFocusReason)
                Cmb_Firma_Validate();
            break;
        case QEvent::KeyPress: {
            const int tasta = static_cast<QKeyEvent*>(eveniment)->key();
            if (tasta == Qt::Key_Return || tasta == Qt::Key_Enter) {
                Cmb_Firma_Validate();
                CmdOK->setFocus(Qt::TabFocusReason);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

void Frm_Selectie_Firma::Cmb_Firma_GotFocus()
{
    m_listaCitita = true;
    // The working company and its connection stay as they are until OK has
    // opened another one.
    const db::Result<QList<Firma_Din_Lista>> firme = Lista_Firme();
    if (!firme) {
        ui::msgBox(QString::number(firme.error().number) + u"\r\n"_s + firme.error().description,
                   ui::Icon::None, ui::Buttons::Ok);
        ui::Forms::unload(this);
        return;
    }
    const QString alesAnterior = TxtCF->text();
    m_firme = *firme;
    auto* model = static_cast<QStandardItemModel*>(Cmb_Firma->model());
    const QSignalBlocker blocare(Cmb_Firma);
    model->clear();
    model->setHorizontalHeaderLabels({u"Nume"_s, u"Cod fiscal"_s});
    int index = m_firme.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_firme.size(); ++i) {
        const Firma_Din_Lista& f = m_firme.at(i);
        model->appendRow({new QStandardItem(f.nume), new QStandardItem(f.codFiscal)});
        if (!alesAnterior.isEmpty() && f.codFiscal == alesAnterior)
            index = i;
    }
    auto* vedere = static_cast<QTreeView*>(Cmb_Firma->view());
    vedere->header()->resizeSection(0, grid::columnPixelsOf(*vedere, 3500));
    vedere->header()->resizeSection(1, grid::columnPixelsOf(*vedere, 1000));
    vedere->setMinimumWidth(ui::twipsToPixelsX(4500));
    Cmb_Firma->setCurrentIndex(index);
}

void Frm_Selectie_Firma::Cmb_Firma_Validate()
{
    const int i = Cmb_Firma->currentIndex();
    if (i < 0 || i >= m_firme.size())
        return;
    TxtDBName->setText(m_firme.at(i).fisier);
    TxtCF->setText(m_firme.at(i).codFiscal);
}

void Frm_Selectie_Firma::CmdOK_Click()
{
    Cmb_Firma_Validate();
    const Rezultat_Selectie rezultat =
        Deschide_Firma(Cmb_Firma->currentText(), TxtDBName->text(), TxtCF->text());
    if (rezultat == Rezultat_Selectie::Oprita)
        return;
    if (rezultat == Rezultat_Selectie::Esuata) {
        ui::Forms::unload(this);
        return;
    }

    auto* principala = ui::Forms::load(u"Frm_Meniu_Principal"_s);
    if (!principala) {
        ui::msgBox(u"EROARE : "_s + QString::number(-1) + u"\r\n"_s + u"Frm_Meniu_Principal"_s,
                   ui::Icon::Critical, ui::Buttons::Ok);
        ui::Forms::unload(this);
        return;
    }
    if (auto* eticheta = principala->findChild<QLabel*>(u"Label2"_s))
        eticheta->setText(u"Firma selectata: "_s + FirmaCurenta_Nume);
    ui::Forms::unload(this);
    ui::Forms::show(u"Frm_Meniu_Principal"_s);
}
