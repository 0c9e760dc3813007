#include "reports/Frm_Report.h"

#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "common/Transfera_Excel.h"
#include "platform/report/preview.h"
#include "platform/ui/mesaj.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The fixed colour of the window's menus.
constexpr std::uint32_t kCuloareMeniu = 0xC6FFFF;

QAction* Comanda(QMenu* meniu, const QString& nume, const QString& text)
{
    QAction* a = meniu->addAction(text);
    a->setObjectName(nume);
    return a;
}

QMenu* Meniu_Nou(QWidget* parinte, const QString& nume, const QString& text)
{
    auto* m = new QMenu(text, parinte);
    m->setObjectName(nume);
    return m;
}

} // namespace

Frm_Report::Frm_Report(QWidget* parent) : ui::Fereastra(u"Frm_Report"_s, u"Tipariri"_s, parent)
{
    Meniu = new QMenuBar(this);
    Meniu->setObjectName(u"Meniu"_s);
    Tiparire = Meniu_Nou(Meniu, u"Tiparire"_s, u"Tiparire"_s);
    Print = Comanda(Tiparire, u"Print"_s, u"Tipareste"_s);
    Exporta = Meniu_Nou(Meniu, u"Exporta"_s, u"Exporta"_s);
    ExportaHTML = Comanda(Exporta, u"ExportaHTML"_s, u"Exporta HTML"_s);
    ExportaPDF = Comanda(Exporta, u"ExportaPDF"_s, u"Exporta PDF"_s);
    Excel = Comanda(Exporta, u"Excel"_s, u"Exporta Excel"_s);
    Vizualizare = Meniu_Nou(Meniu, u"Vizualizare"_s, u"Vizualizare"_s);
    WholePage = Comanda(Vizualizare, u"WholePage"_s, u"Toata Pagina"_s);
    PageWith = Comanda(Vizualizare, u"PageWith"_s, u"Latime Pagina"_s);
    TwoPage = Comanda(Vizualizare, u"TwoPage"_s, u"Doua Pagini"_s);
    ThumbnailPage = Comanda(Vizualizare, u"ThumbnailPage"_s, u"Toate Paginile"_s);
    Vizualizare->addSeparator();
    Zoom = Meniu_Nou(Vizualizare, u"Zoom"_s, u"Marire-Micsorare"_s);
    Vizualizare->addMenu(Zoom);
    Zoom_150 = Comanda(Zoom, u"Zoom_150"_s, u"150 %"_s);
    Zoom_100 = Comanda(Zoom, u"Zoom_100"_s, u"100 %"_s);
    Zoom_75 = Comanda(Zoom, u"Zoom_75"_s, u"75 %"_s);
    Zoom_50 = Comanda(Zoom, u"Zoom_50"_s, u"50 %"_s);
    Zoom_25 = Comanda(Zoom, u"Zoom_25"_s, u"25 %"_s);
    for (QMenu* m : {Tiparire, Exporta, Vizualizare})
        Meniu->addMenu(m);

    Report = new report::Preview(this);
    Report->setObjectName(u"Report"_s);
    Report->setZoomList(u"Toata &Pagina|Latime &Pagina|&Doua Pagini|Toate Paginile"_s);
    Report->setPrintTexts(u"Tiparesc..."_s, u"Renunta"_s, u"Tiparesc pagina %d din"_s);
    QFont litere(u"Arial"_s);
    Report->setFont(litere);

    auto* asezare = new QVBoxLayout(this);
    asezare->setContentsMargins(0, 0, 0, 0);
    asezare->setSpacing(0);
    asezare->setMenuBar(Meniu);
    asezare->addWidget(Report, 1);

    connect(Print, &QAction::triggered, this, &Frm_Report::Print_Click);
    connect(ExportaHTML, &QAction::triggered, this, [this] { Exporta_Click(Format_Export::HTML); });
    connect(ExportaPDF, &QAction::triggered, this, [this] { Exporta_Click(Format_Export::PDF); });
    connect(Excel, &QAction::triggered, this, &Frm_Report::Excel_Click);
    const auto mod = [this](QAction* a, int m) {
        connect(a, &QAction::triggered, this, [this, m] { Report->setZoomMode(m); });
    };
    mod(WholePage, report::Preview::WholePage);
    mod(PageWith, report::Preview::PageWidth);
    mod(TwoPage, report::Preview::TwoPages);
    mod(ThumbnailPage, report::Preview::AllPages);
    const auto procent = [this](QAction* a, double p) {
        connect(a, &QAction::triggered, this, [this, p] { Report->setZoom(p); });
    };
    procent(Zoom_150, 150.0);
    procent(Zoom_100, 100.0);
    procent(Zoom_75, 75.0);
    procent(Zoom_50, 50.0);
    procent(Zoom_25, 25.0);
    resize(1000, 700);
    seteazaNumeAccesibile();
}

Frm_Report::~Frm_Report()
{
    // The preview draws the engines: it lets go of them first.
    Report->clear();
}

void Frm_Report::Form_Load()
{
    Report->setNavBar(3);
    setWindowState(windowState() | Qt::WindowMaximized);
    Coloreaza_Meniu(this, kCuloareMeniu, true);
    Coloreaza_Meniu_Sistem(this, kCuloareMeniu);
    if (Mod_Raport != u"0"_s)
        return;

    // The declaration window hands over the declaration's key: the report
    // prints that declaration's lines and no other.
    const QString conditie = Conditie_Raport_Declaratie(Parametri_Raport);
    const Stare_Incarcare stare = Incarca_Raport(Raport, Numar_Raport, conditie, conditie);
    if (stare == Stare_Incarcare::Oprit)
        return;
    if (stare == Stare_Incarcare::Incarcat)
        setWindowTitle(Raport.Titlu);

    QElapsedTimer ceas;
    ceas.start();
    if (Raport.SursaReport.busy())
        return;
    if (stare == Stare_Incarcare::Incarcat && Genereaza_Raport(Raport)) {
        Report->setReport(&Raport.SursaReport);
        setWindowTitle(Raport.Titlu);
    }
    Report->setNavBarText(u"Raport generat in: "_s + Format_Secunde(double(ceas.elapsed()) / 1000.0) +
                          u" secunde"_s);
    Report->setZoomMode(report::Preview::PageWidth);
}

void Frm_Report::Form_Activate()
{
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::ArrowCursor);
}

void Frm_Report::Form_Unload(bool&)
{
    Raport.Date.close();
    Raport.Date = db::Recordset();
    Report->clear();
}

void Frm_Report::Print_Click()
{
    bool renuntat = false;
    if (const db::Error e = Report->print(&renuntat); e && !renuntat)
        ui::msgBox(u"Error "_s + QString::number(e.number) + u"\r\n"_s + e.description, ui::Icon::None);
}

void Frm_Report::Exporta_Click(Format_Export format)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString timp = Exporta_Raport(Raport, format, windowTitle());
    QApplication::restoreOverrideCursor();
    if (!timp.isEmpty())
        Report->setNavBarText(timp);
}

void Frm_Report::Excel_Click()
{
    if (Mod_Raport != u"0"_s || !Raport.Date.isOpen())
        return;
    db::Recordset copie = Raport.Date.clone();
    Exporta_In_Excel(copie);
}
