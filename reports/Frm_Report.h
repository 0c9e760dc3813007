#pragma once
// The report window ("Tipariri"): the report that Numar_Raport names, built
// from its Return_Report row when Mod_Raport is "0", rendered into the
// preview Report, with the menus that print it, export it to HTML, PDF and
// Excel, and zoom it. Opened modal by the declaration window's print button.

#include "platform/ui/fereastra.h"
#include "reports/Exporta_Raport.h"
#include "reports/Raport_Definit.h"

class QAction;
class QMenu;
class QMenuBar;

namespace report {
class Preview;
}

class Frm_Report : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Report(QWidget* parent = nullptr);
    ~Frm_Report() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    // The preview, the engines and the data.
    report::Preview* Report = nullptr;
    Raport_Definit Raport;

    QMenuBar* Meniu = nullptr;
    QMenu* Tiparire = nullptr;
    QMenu* Exporta = nullptr;
    QMenu* Vizualizare = nullptr;
    QMenu* Zoom = nullptr;
    QAction* Print = nullptr;
    QAction* ExportaHTML = nullptr;
    QAction* ExportaPDF = nullptr;
    QAction* Excel = nullptr;
    QAction* WholePage = nullptr;
    QAction* PageWith = nullptr;
    QAction* TwoPage = nullptr;
    QAction* ThumbnailPage = nullptr;
    QAction* Zoom_150 = nullptr;
    QAction* Zoom_100 = nullptr;
    QAction* Zoom_75 = nullptr;
    QAction* Zoom_50 = nullptr;
    QAction* Zoom_25 = nullptr;

private:
    void Print_Click();
    void Exporta_Click(Format_Export format);
    void Excel_Click();
};
