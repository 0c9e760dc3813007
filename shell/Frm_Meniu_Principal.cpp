#include "shell/Frm_Meniu_Principal.h"

#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "common/Verifica_Exista_Fisier.h"
#include "import/Frm_Intrastat_Preluare.h"
#include "import/Frm_Preluare_Excel.h"
#include "import/Frm_Selectie_Mod_Preluare.h"
#include "import/Frm_Structura_Fisiere.h"
#include "platform/ui/forms.h"
#include "platform/ui/twips.h"
#include "shell/FRM_About.h"
#include "shell/Frm_Setari.h"
#include "shell/Iesire_Program.h"
#include "shell/Imagini_Program.h"
#include "shell/Meniu_Comenzi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Twips of the design across and down, for the font in use.
int px(int twips)
{
    return ui::twipsToPixelsX(twips);
}

int py(int twips)
{
    return ui::twipsToPixelsY(twips);
}

} // namespace

Frm_Meniu_Principal::Frm_Meniu_Principal(QWidget* parent)
    : ui::Fereastra(u"Frm_Meniu_Principal"_s, u"Quorvel"_s, parent)
{
    // The windows this menu opens (a window registered already is left as it is).
    ui::Forms::registerWindowIfAbsent(u"Frm_Setari"_s, [] { return new Frm_Setari; });
    ui::Forms::registerWindowIfAbsent(u"FRM_About"_s, [] { return new FRM_About; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Preluare_Excel"_s, [] { return new Frm_Preluare_Excel; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Structura_Fisiere"_s, [] { return new Frm_Structura_Fisiere; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Selectie_Mod_Preluare"_s,
                                      [] { return new Frm_Selectie_Mod_Preluare; });
    // No menu item opens the take-over from the accounting tables.
    ui::Forms::registerWindowIfAbsent(u"Frm_Intrastat_Preluare"_s, [] { return new Frm_Intrastat_Preluare; });
    Inregistreaza_Ferestre_Meniu();
    // Windows that choose no place of their own open centred over this one.
    ui::Forms::setMainWindowName(objectName());

    setWindowIcon(Icoana_Program());
    auto eticheta = [this](const QString& nume) {
        auto* l = new QLabel(this);
        l->setObjectName(nume);
        QFont f(u"Trebuchet MS"_s);
        f.setFamilies({u"Trebuchet MS"_s, u"DejaVu Sans"_s, u"Sans Serif"_s});
        l->setFont(f);
        l->setStyleSheet(u"color: blue; background: transparent;"_s);
        return l;
    };
    Image2 = new QLabel(this);
    Image2->setObjectName(u"Image2"_s);
    Image2->resize(px(7035), py(5580));
    Image2->setPixmap(Imagine_Fundal(Image2->size()));
    Lbl_Jos = new QLabel(this);
    Lbl_Jos->setObjectName(u"Lbl_Jos"_s);
    Lbl_Jos->setAutoFillBackground(true);
    QPalette p = Lbl_Jos->palette();
    p.setColor(QPalette::Window, Culoare_Qt(0xFFC0C0));
    Lbl_Jos->setPalette(p);
    Lbl_Jos->resize(width(), py(975));
    Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::HLine);
    Logo = new QLabel(this);
    Logo->setObjectName(u"Logo"_s);
    Logo->resize(px(1200), py(1020));
    Logo->setPixmap(Imagine_Logo(Logo->size()));
    Logo->setCursor(Qt::PointingHandCursor);
    Label2 = eticheta(u"Label2"_s);
    Label2->resize(px(4695), py(495));
    Label2->setWordWrap(true);
    EU1 = eticheta(u"EU1"_s);
    EU2 = eticheta(u"EU2"_s);
    EU3 = eticheta(u"EU3"_s);
    for (QLabel* l : {EU1, EU2, EU3})
        l->resize(px(3255), py(255));
    EU3->setCursor(Qt::PointingHandCursor);
    EU3->setAttribute(Qt::WA_Hover);
    EU3->installEventFilter(this);
    Logo->installEventFilter(this);
    construiesteMeniul();
    resize(800, 600);
}

void Frm_Meniu_Principal::construiesteMeniul()
{
    Meniu = new QMenuBar(this);
    Meniu->setObjectName(u"MeniuPrincipal"_s);
    auto meniu = [](QMenuBar* bara, QMenu* parinte, const QString& titlu, const QString& nume) {
        QMenu* m = parinte ? parinte->addMenu(titlu) : bara->addMenu(titlu);
        m->setObjectName(nume);
        m->menuAction()->setObjectName(nume);
        return m;
    };
    auto comanda = [this](QMenu* m, const QString& titlu, const QString& nume, auto&& fa) {
        QAction* a = m->addAction(titlu);
        a->setObjectName(nume);
        connect(a, &QAction::triggered, this, fa);
    };
    QMenu* intrastat = meniu(Meniu, nullptr, u"Intrastat"_s, u"Intrastat"_s);
    QMenu* macheta = meniu(Meniu, intrastat, u"Setare Macheta Excel"_s, u"Struct_Model_Preluare"_s);
    comanda(macheta, u"Macheta Noua"_s, u"Setare_Noua"_s, &Meniu_Macheta_Noua);
    comanda(macheta, u"Modificare Macheta"_s, u"SetareExistenta"_s, &Meniu_Modificare_Macheta);
    comanda(macheta, u"Sterge Macheta"_s, u"Setare_Sterge"_s, &Meniu_Sterge_Macheta);
    comanda(intrastat, u"Quorvel (Preluare fisier)"_s, u"Intrastat_Preluare"_s, &Meniu_Preluare_Fisier);
    comanda(intrastat, u"Prelucrare Declaratia Intrastat"_s, u"Intrastat_Vizualizare"_s,
            &Meniu_Declaratie_Intrastat);

    QMenu* tabele = meniu(Meniu, nullptr, u"Tabele Referinta"_s, u"IMP_Tabele_Referinta"_s);
    const QList<std::tuple<QString, QString, Lista_Cod>> liste{
        {u"Tari"_s, u"Tari"_s, Lista_Cod::Tari},
        {u"Tari UE"_s, u"Tari_UE"_s, Lista_Cod::Tari_UE},
        {u"Monezi"_s, u"Monezi"_s, Lista_Cod::Monezi},
        {u"Cond. Livrare"_s, u"Conditii_Livrare"_s, Lista_Cod::Conditii_Livrare},
        {u"Mod Transport"_s, u"Mod_Transport"_s, Lista_Cod::Mod_Transport},
        {u"Natura tranzactiei"_s, u"Nat_Tranzactiei"_s, Lista_Cod::Nat_Tranzactiei},
        {u"UM Suplimentare"_s, u"UM_Supl"_s, Lista_Cod::UM_Supl}};
    for (const auto& [titlu, nume, lista] : liste)
        comanda(tabele, titlu, nume, [lista] { Meniu_Lista_Cod(lista); });
    tabele->addSeparator();
    QMenu* tarif = meniu(Meniu, tabele, u"Tarif vamal"_s, u"IMP_Tarif_Vamal"_s);
    const QList<std::tuple<QString, QString, Nivel_Tarif>> niveluri{
        {u"Sectiuni"_s, u"HS_1"_s, Nivel_Tarif::HS_1},
        {u"Capitole (2)"_s, u"HS_2"_s, Nivel_Tarif::HS_2},
        {u"Grupe (4)"_s, u"HS_4"_s, Nivel_Tarif::HS_4},
        {u"HS (6)"_s, u"HS_6"_s, Nivel_Tarif::HS_6},
        {u"Cod Vamal (8+4)"_s, u"HS_8"_s, Nivel_Tarif::HS_8}};
    for (const auto& [titlu, nume, nivel] : niveluri)
        comanda(tarif, titlu, nume, [nivel] { Meniu_Tarif(nivel); });
    tarif->addSeparator();
    QMenu* note = meniu(Meniu, tarif, u"Note Explicative"_s, u"NoteExplicative"_s);
    comanda(note, u"Selectie Cod Vamal"_s, u"Explicativ_Selectie"_s, &Meniu_Explicativ_Selectie);
    comanda(note, u"Tot Explicativul (Html)"_s, u"Explicativ_TOT_Html"_s,
            [] { Porneste_Document(Comanda_Explicativ_Html()); });
    comanda(note, u"Tot Explicativul (PDF)"_s, u"Explicativ_TOT_PDF"_s,
            [] { Porneste_Document(Comanda_Explicativ_Pdf()); });

    QMenu* firme = meniu(Meniu, nullptr, u"Firme Meniu"_s, u"Meniu"_s);
    comanda(firme, u"Selectare Firma"_s, u"SelectieFirma"_s, &Meniu_Selectie_Firma);
    firme->addSeparator();
    comanda(firme, u"Creare Firma Noua"_s, u"CreareFirma"_s, &Meniu_Creare_Firma);
    firme->addSeparator();
    comanda(firme, u"Date Firma"_s, u"DateFirma"_s, &Meniu_Date_Firma);

    QMenu* setari = meniu(Meniu, nullptr, u"Setari"_s, u"Setari"_s);
    comanda(setari, u"Setari Generale"_s, u"Setari_Generale"_s, &Meniu_Setari_Generale);
    comanda(setari, u"Denumire Rapoarte"_s, u"Rep_Description"_s, &Meniu_Denumire_Rapoarte);

    QMenu* ajutor = meniu(Meniu, nullptr, u"Ajutor"_s, u"Ajutor_"_s);
    comanda(ajutor, u"Ajutor"_s, u"Ajutor"_s, [] { Porneste_Document(Comanda_Ajutor()); });
    ajutor->addSeparator();
    comanda(ajutor, u"Despre program"_s, u"Info"_s, &Meniu_Despre_Program);

    QMenu* iesire = meniu(Meniu, nullptr, u"Iesire"_s, u"Iesire_"_s);
    comanda(iesire, u"Iesire"_s, u"Iesire"_s, [this] { ui::Forms::unload(this); });
}

void Frm_Meniu_Principal::Form_Load()
{
    // 1. The background picture of the installation, when there is one.
    const QString fundal = Folder_Sistem + u"Imagini/Background.jpg"_s;
    if (Exista_Fisier(fundal)) {
        QPixmap imagine(fundal);
        if (!imagine.isNull()) {
            Image2->setScaledContents(true);
            Image2->setPixmap(imagine);
        }
    }
    // 2, 3. The footer rule and the contact lines above the work area's bottom.
    const int h = Inaltime_Zona_Lucru;
    const int w = Latime_Zona_Lucru;
    Line1->setGeometry(0, py(h - 1650), px(w + 100), 1);
    EU1->move(px(w - 3300), py(h - 1600));
    EU2->move(px(w - 3300), py(h - 1350));
    EU3->move(px(w - 3300), py(h - 1100));
    // 4..8.
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(Titlu_Meniu_Principal(FirmaCurenta_Nume));
    EU1->setText(Producator_NumeFirma);
    EU2->setText(Producator_Telefon);
    EU3->setText(Producator_Email);
    Label2->setText(u"DataBase Name: "_s + Cale_Comun);
    coloreaza();
    aseaza();
    seteazaNumeAccesibile();
}

void Frm_Meniu_Principal::Form_Activate()
{
    coloreaza();
    setWindowTitle(Titlu_Meniu_Principal(FirmaCurenta_Nume));
}

void Frm_Meniu_Principal::coloreaza()
{
    Coloreaza_Meniu(this, static_cast<std::uint32_t>(Culoare_Meniu), true);
    Coloreaza_Meniu_Sistem(this, static_cast<std::uint32_t>(Culoare_Meniu));
}

void Frm_Meniu_Principal::aseaza()
{
    if (!Label2)
        return;
    Meniu->setGeometry(0, 0, width(), Meniu->sizeHint().height());
    Label2->move(px(120), EU2->y());
    // A long company name takes the room up to the contact lines, on two lines.
    Label2->resize(qMax(px(4695), EU1->x() - Label2->x() - px(240)), Label2->height());
    Lbl_Jos->setGeometry(0, Line1->y() + py(10), Line1->width(), py(975));
    Lbl_Jos->lower();
    Image2->move(width() / 2 - Image2->width() / 2, height() / 2 - Image2->height() / 2 - Lbl_Jos->height());
    Image2->lower();
    Logo->move(width() - Logo->width() - px(140), Meniu->height() + py(10));
}

void Frm_Meniu_Principal::resizeEvent(QResizeEvent* event)
{
    ui::Fereastra::resizeEvent(event);
    aseaza();
}

bool Frm_Meniu_Principal::eventFilter(QObject* obiect, QEvent* eveniment)
{
    if (obiect == EU3 && (eveniment->type() == QEvent::Enter || eveniment->type() == QEvent::HoverEnter)) {
        QFont f = EU3->font();
        f.setBold(true);
        f.setUnderline(true);
        EU3->setFont(f);
    } else if (eveniment->type() == QEvent::MouseButtonRelease) {
        if (obiect == EU3)
            QDesktopServices::openUrl(QUrl(Adresa_Email_Producator()));
        else if (obiect == Logo)
            QDesktopServices::openUrl(QUrl(u"https://www.velmorant.ro"_s));
    }
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

void Frm_Meniu_Principal::Form_Unload(bool& cancel)
{
    if (!Secventa_Iesire()) {
        cancel = true;
        return;
    }
    if (!Fara_Sfarsit_Program)
        QCoreApplication::exit(0);
}
