#pragma once
// The grid's print-out: the rows the grid is bound to, in its visible columns
// and their order, as the grid formats them, paged under a page header and
// over a page footer; and the preview window in which the user looks at the
// pages, zooms, sets the page up and prints.

#include <QDialog>
#include <QFont>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

class QPrintPreviewWidget;

namespace grid {

class Grid;

// The items of the preview window a caller may give captions, by the
// numbers the program knows them by.
enum class PreviewItem
{
    Print = 1,
    Exit = 2,
    View = 3, // the menu holding the zoom items
    ZoomIn = 4,
    ZoomOut = 5,
    PageSetup = 30
};

struct PrintSettings
{
    // The header on top of every page and the footer under it. Tabs divide
    // each into a left, a centred and a right-aligned part (further tabs only
    // separate); in the footer "\p" becomes the page number and "\P" the
    // number of pages.
    QString pageHeader;
    QFont pageHeaderFont;
    QString pageFooter;
    QFont pageFooterFont;
    QString previewCaption; // the preview window's title
    // Margins in twips.
    int marginLeft = 567;
    int marginRight = 567;
    int marginTop = 567;
    int marginBottom = 567;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int zoomPercent = 80; // the preview's first zoom
    QMap<PreviewItem, QString> captions;
};

// Paper, orientation and margins of the settings.
QPageLayout pageLayout(const PrintSettings& settings);

// Paints the grid's rows on the printer's pages, with the printer's page
// layout; columns wider together than the page are scaled down to its
// width. Gives the number of pages (0 when the printer cannot be painted on).
int printGrid(Grid& grid, const PrintSettings& settings, QPrinter& printer);

// The preview window of a grid's print-out, kept, its frame included,
// within the screen's work area.
class PrintPreview : public QDialog
{
    Q_OBJECT
public:
    PrintPreview(Grid& grid, const PrintSettings& settings, QWidget* parent = nullptr);
    ~PrintPreview() override;

    QPrinter& printer() { return m_printer; }
    QPrintPreviewWidget* previewWidget() const { return m_preview; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void print();
    void pageSetup();

    QPrinter m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
};

// Shows the print preview of the grid and returns when the user leaves it.
void printPreview(Grid& grid, const PrintSettings& settings);

} // namespace grid
