#include "shell/FRM_About.h"

#include "common/Efecte_Grafice.h"
#include "common/Globale.h"
#include "common/Versiune_Fisier.h"
#include "platform/sys/clock.h"
#include "platform/ui/forms.h"
#include "shell/Imagini_Program.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

QString Text_Drepturi(int anul, const QString& producator)
{
    return u"Copyright \u00A9 "_s + QString::number(anul) + u' ' + producator +
           u". Toate drepturile rezervate."_s;
}

QString Text_Contact_Producator(const QString& telefon, const QString& email)
{
    return u"Telefon : "_s + telefon + u"    sau  E-mail : "_s + email;
}

FRM_About::FRM_About(QWidget* parent) : ui::Fereastra(u"FRM_About"_s, u"Despre Quorvel"_s, parent)
{
    auto eticheta = [this](const QString& nume) {
        auto* l = new QLabel(this);
        l->setObjectName(nume);
        l->setWordWrap(true);
        l->setStyleSheet(u"color: white; background: transparent;"_s);
        return l;
    };
    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    picIcon->setFixedSize(48, 48);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setAutoFillBackground(true);
    lblTitlu = eticheta(u"lblTitlu"_s);
    QFont titlu = lblTitlu->font();
    titlu.setBold(true);
    titlu.setPointSize(titlu.pointSize() + 6);
    lblTitlu->setFont(titlu);
    lblVersion = eticheta(u"lblVersion"_s);
    lblDescriere = eticheta(u"lblDescriere"_s);
    lblEU = eticheta(u"lblEU"_s);
    lblAtentionare = eticheta(u"lblAtentionare"_s);
    Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::HLine);
    CmdOK = new QPushButton(u"OK"_s, this);
    CmdOK->setObjectName(u"CmdOK"_s);
    CmdOK->setDefault(true);

    auto* asezare = new QGridLayout(this);
    asezare->setContentsMargins(16, 16, 16, 16);
    asezare->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    asezare->addWidget(lblTitlu, 0, 1);
    asezare->addWidget(lblVersion, 1, 1);
    asezare->addWidget(lblDescriere, 2, 1);
    asezare->addWidget(Line1, 3, 0, 1, 2);
    asezare->addWidget(lblEU, 4, 0, 1, 2);
    asezare->addWidget(lblAtentionare, 5, 0, 1, 2);
    asezare->addWidget(CmdOK, 6, 1, Qt::AlignRight);
    setMinimumWidth(420);

    connect(CmdOK, &QPushButton::clicked, this, &FRM_About::CmdOK_Click);
    seteazaButonRenuntare(CmdOK);
}

void FRM_About::Form_Load()
{
    const QString versiune = Text_Versiune_Afisata();
    setWindowTitle(u"Quorvel"_s + u"   "_s + versiune);
    lblVersion->setText(u"Versiunea  "_s + versiune);
    lblTitlu->setText(u"Quorvel"_s);

    QIcon icoana = Icoana_Program();
    if (QWidget* principala = ui::Forms::get(u"Frm_Meniu_Principal"_s);
        principala && !principala->windowIcon().isNull())
        icoana = principala->windowIcon();
    setWindowIcon(icoana);
    picIcon->setPixmap(icoana.pixmap(32, 32));

    lblEU->setText(Text_Drepturi(sys::Clock::today().year(), Producator_NumeFirma));
    lblEU->setToolTip(Text_Contact_Producator(Producator_Telefon, Producator_Email));
    lblAtentionare->setText(u"Acest program este protejat de legile drepturilor de autor."_s);

    QPalette paleta = picIcon->palette();
    paleta.setColor(QPalette::Window, QColor(80, 0, 10));
    picIcon->setPalette(paleta);
    Efect_Fundal_3D(this, 80, 0, 10, 35);

    lblDescriere->setText(u"Sistem de operare : "_s + Text_Versiune_Windows);
    seteazaNumeAccesibile();
}

void FRM_About::CmdOK_Click()
{
    ui::Forms::unload(this);
}
