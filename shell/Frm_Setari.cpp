#include "shell/Frm_Setari.h"

#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "shell/Setari_Generale.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const char* const proprietateCuloare = "quorvelCuloare";

} // namespace

Frm_Setari::Frm_Setari(QWidget* parent) : ui::Fereastra(u"Frm_Setari"_s, u"Setari"_s, parent)
{
    TabSetari = new QTabWidget(this);
    TabSetari->setObjectName(u"TabSetari"_s);

    auto text = [](QWidget* pagina, const QString& nume) {
        auto* e = new QLineEdit(pagina);
        e->setObjectName(nume);
        return e;
    };

    // Page 0: folders.
    auto* pagina0 = new QFrame;
    pagina0->setObjectName(u"Frame1_0"_s);
    auto* asezare0 = new QVBoxLayout(pagina0);
    FileLocation_DataBase = text(pagina0, u"FileLocation_DataBase"_s);
    FileLocation_System = text(pagina0, u"FileLocation_System"_s);
    FileLocation_ReportDefinitionPath = text(pagina0, u"FileLocation_ReportDefinitionPath"_s);
    FileLocation_DirectorSalvare = text(pagina0, u"FileLocation_DirectorSalvare"_s);
    const QList<QPair<QString, QLineEdit*>> foldere{
        {u"Locatie director (folder) baze de date"_s, FileLocation_DataBase},
        {u"Locatie director System al aplicatiei Quorvel"_s, FileLocation_System},
        {u"Locatie definitie rapoarte"_s, FileLocation_ReportDefinitionPath},
        {u"Locatie salvare declaratii INTRASTAT (fisiere XML)"_s, FileLocation_DirectorSalvare}};
    for (const auto& [eticheta, camp] : foldere) {
        auto* l = new QLabel(eticheta, pagina0);
        l->setBuddy(camp);
        asezare0->addWidget(l);
        asezare0->addWidget(camp);
    }
    asezare0->addStretch();

    // Page 1: decimal counts.
    auto* pagina1 = new QFrame;
    pagina1->setObjectName(u"Frame1_1"_s);
    auto* asezare1 = new QVBoxLayout(pagina1);
    auto* formular1 = new QFormLayout;
    Zecimale_ZecRotCalcule = text(pagina1, u"Zecimale_ZecRotCalcule"_s);
    Zecimale_ZecRotValuta = text(pagina1, u"Zecimale_ZecRotValuta"_s);
    Zecimale_ZecRotLEI = text(pagina1, u"Zecimale_ZecRotLEI"_s);
    Zecimale_NrZecTaxare = text(pagina1, u"Zecimale_NrZecTaxare"_s);
    formular1->addRow(u"Zecimale rotunjire calcule"_s, Zecimale_ZecRotCalcule);
    formular1->addRow(u"Calcul valori in valuta nr. zecimale "_s, Zecimale_ZecRotValuta);
    formular1->addRow(u"Calcul valori LEI nr. zecimale"_s, Zecimale_ZecRotLEI);
    formular1->addRow(u"Calcul taxare nr. zecimale"_s, Zecimale_NrZecTaxare);
    asezare1->addLayout(formular1);
    auto* linie = new QFrame(pagina1);
    linie->setFrameShape(QFrame::HLine);
    asezare1->addWidget(linie);
    asezare1->addWidget(new QLabel(u"Maxim 6 zecimale"_s, pagina1));
    asezare1->addStretch();

    // Page 2: colours.
    auto* pagina2 = new QFrame;
    pagina2->setObjectName(u"Frame1_2"_s);
    auto* asezare2 = new QGridLayout(pagina2);
    auto swatch = [pagina2](const QString& nume) {
        auto* s = new QLabel(pagina2);
        s->setObjectName(nume);
        s->setFrameShape(QFrame::Box);
        s->setAutoFillBackground(true);
        s->setMinimumSize(60, 20);
        return s;
    };
    Culori_Meniu_Color = swatch(u"Culori_Meniu_Color"_s);
    Culori_EvenRowStyle_BackColor = swatch(u"Culori_EvenRowStyle_BackColor"_s);
    Culori_OddRowStyle_BackColor = swatch(u"Culori_OddRowStyle_BackColor"_s);
    Culori_HighlightRowStyle_BackColor = swatch(u"Culori_HighlightRowStyle_BackColor"_s);
    Culori_HighlightRowStyle_ForeColor = swatch(u"Culori_HighlightRowStyle_ForeColor"_s);
    const QList<QPair<QString, QLabel*>> culori{
        {u"Culoare Bara Meniu"_s, Culori_Meniu_Color},
        {u"Culoare 1 alternativa tabele"_s, Culori_EvenRowStyle_BackColor},
        {u"Culoare 2 alternativa tabele"_s, Culori_OddRowStyle_BackColor},
        {u"Fundal linie selectata tabele"_s, Culori_HighlightRowStyle_BackColor},
        {u"Culoare litere pt selectie tabele"_s, Culori_HighlightRowStyle_ForeColor}};
    for (int i = 0; i < culori.size(); ++i) {
        asezare2->addWidget(new QLabel(culori.at(i).first, pagina2), i, 0);
        asezare2->addWidget(culori.at(i).second, i, 1);
        auto* buton = new QPushButton(u">>>"_s, pagina2);
        buton->setObjectName(u"CmdSelCuloare"_s + QString::number(i + 1));
        buton->setAccessibleName(u"CmdSelCuloare"_s + QString::number(i + 1));
        asezare2->addWidget(buton, i, 2);
        CmdSelCuloare << buton;
        connect(buton, &QPushButton::clicked, this, [this, i] { CmdSelCuloare_Click(i); });
    }
    asezare2->setRowStretch(culori.size(), 1);

    TabSetari->addTab(pagina0, u"Locatie Fisiere"_s);
    TabSetari->setTabToolTip(0, u"Locatie fisiere "_s);
    TabSetari->addTab(pagina1, u"Zecimale"_s);
    TabSetari->setTabToolTip(1, u"Setari pentru numarul de zecimale folosit in calcule"_s);
    TabSetari->addTab(pagina2, u"Culori"_s);
    TabSetari->setTabToolTip(2, u"Coluri folosite ca fundal"_s);

    CmdOK = new QPushButton(u"OK"_s, this);
    CmdOK->setObjectName(u"CmdOK"_s);
    CmdCancel = new QPushButton(u"Renunta"_s, this);
    CmdCancel->setObjectName(u"CmdCancel"_s);
    auto* butoane = new QHBoxLayout;
    butoane->addStretch();
    butoane->addWidget(CmdOK);
    butoane->addWidget(CmdCancel);

    auto* asezare = new QVBoxLayout(this);
    asezare->addWidget(TabSetari);
    asezare->addLayout(butoane);
    resize(560, 360);

    connect(CmdOK, &QPushButton::clicked, this, &Frm_Setari::CmdOK_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &Frm_Setari::CmdCancel_Click);
    seteazaButonRenuntare(CmdCancel);
}

qint32 Frm_Setari::Culoare_Swatch(const QLabel* swatch)
{
    return swatch->property(proprietateCuloare).toInt();
}

void Frm_Setari::Seteaza_Culoare_Swatch(QLabel* swatch, qint32 culoare)
{
    swatch->setProperty(proprietateCuloare, culoare);
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, Culoare_Setare(culoare));
    swatch->setPalette(p);
}

QList<QWidget*> Frm_Setari::campuriLegate() const
{
    return {FileLocation_DirectorSalvare,
            FileLocation_ReportDefinitionPath,
            FileLocation_DataBase,
            FileLocation_System,
            Zecimale_NrZecTaxare,
            Zecimale_ZecRotLEI,
            Zecimale_ZecRotValuta,
            Zecimale_ZecRotCalcule,
            Culori_HighlightRowStyle_ForeColor,
            Culori_HighlightRowStyle_BackColor,
            Culori_OddRowStyle_BackColor,
            Culori_EvenRowStyle_BackColor,
            Culori_Meniu_Color};
}

void Frm_Setari::Form_Load()
{
    TabSetari->setCurrentIndex(0);
    const QList<Camp_Setare> campuri = Citeste_Campuri_Setari();
    for (const Camp_Setare& c : campuri) {
        if (auto* s = findChild<QLabel*>(c.nume); s && Este_Camp_Culoare(c.nume))
            Seteaza_Culoare_Swatch(s, c.culoare);
        else if (auto* e = findChild<QLineEdit*>(c.nume))
            e->setText(c.text);
    }
    seteazaNumeAccesibile();
}

void Frm_Setari::CmdSelCuloare_Click(int index)
{
    static const QList<QLabel * Frm_Setari::*> swatches{
        &Frm_Setari::Culori_Meniu_Color, &Frm_Setari::Culori_EvenRowStyle_BackColor,
        &Frm_Setari::Culori_OddRowStyle_BackColor, &Frm_Setari::Culori_HighlightRowStyle_BackColor,
        &Frm_Setari::Culori_HighlightRowStyle_ForeColor};
    if (index < 0 || index >= swatches.size())
        return;
    if (const std::optional<ui::Colour> aleasa = ui::chooseColor())
        Seteaza_Culoare_Swatch(this->*swatches.at(index), static_cast<qint32>(*aleasa));
}

void Frm_Setari::CmdOK_Click()
{
    QList<Camp_Setare> campuri;
    for (QWidget* w : campuriLegate()) {
        Camp_Setare c{w->objectName(), QString(), 0};
        if (auto* s = qobject_cast<QLabel*>(w))
            c.culoare = Culoare_Swatch(s);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            c.text = e->text();
        campuri << c;
    }
    const bool salvat = Salveaza_Campuri_Setari(campuri);
    // The fields show the folders as completed, saved or not.
    for (const Camp_Setare& c : std::as_const(campuri)) {
        if (auto* e = findChild<QLineEdit*>(c.nume); e && e->text() != c.text)
            e->setText(c.text);
    }
    if (!salvat)
        return;
    ui::Forms::unload(this);
    if (QWidget* principala = ui::Forms::get(u"Frm_Meniu_Principal"_s)) {
        Coloreaza_Meniu(principala, static_cast<std::uint32_t>(Culoare_Meniu), true);
        Coloreaza_Meniu_Sistem(principala, static_cast<std::uint32_t>(Culoare_Meniu));
    }
}

void Frm_Setari::CmdCancel_Click()
{
    ui::Forms::unload(this);
}
