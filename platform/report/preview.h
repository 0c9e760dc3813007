#pragma once
// The preview of a rendered report: its pages on the screen, zoomed by mode
// or by percentage, with a navigation bar (page buttons, the zoom list and a
// line of text), and printing with the printer dialog. Only the pages in
// sight are drawn, so a report of thousands of pages scrolls at once.

#include "platform/db/db.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QToolButton;

namespace report {

class Report;
class PagesView;

class Preview : public QWidget
{
    Q_OBJECT
public:
    // The zoom modes, numbered as the program knows them.
    enum ZoomMode
    {
        Percent = 0,   // zoom() percent of the paper's size
        AllPages = 1,  // every page, as small as it takes
        TwoPages = 2,  // two whole pages side by side
        WholePage = 3, // one whole page
        PageWidth = 4  // the page as wide as the window
    };

    explicit Preview(QWidget* parent = nullptr);
    ~Preview() override;

    // Shows the report's pages (not owned; rendered first when it has none).
    void setReport(Report* report);
    Report* report() const;
    // Shows nothing.
    void clear();
    int pageCount() const;
    // The page at the top of the view, from 1 (0 without pages).
    int currentPage() const;
    void setCurrentPage(int page);

    int zoomMode() const;
    void setZoomMode(int mode);
    // The percentage the pages are shown at; setting it switches to Percent.
    double zoom() const;
    void setZoom(double percent);

    // The navigation bar: mode 0 hides it, any other mode shows it.
    int navBar() const;
    void setNavBar(int mode);
    QString navBarText() const;
    void setNavBarText(const QString& text);
    // The items of the bar's zoom list for WholePage, PageWidth, TwoPages and
    // AllPages, joined by "|" ("&" marks a mnemonic).
    void setZoomList(const QString& items);
    // The printing dialog's title, its button, and the line with the page
    // (%d) whose count follows.
    void setPrintTexts(const QString& title, const QString& cancel, const QString& page);

    // Prints every page of the report after the printer dialog (ui::choosePrinter).
    // cancelled is set when the user cancels the dialog or the job.
    db::Error print(bool* cancelled = nullptr);

    // The inner view (tests look at what it draws).
    QWidget* pagesView() const;

signals:
    void zoomChanged();

private:
    void updateBar();

    PagesView* m_view = nullptr;
    QWidget* m_bar = nullptr;
    QToolButton* m_first = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QLabel* m_page = nullptr;
    QComboBox* m_zoomList = nullptr;
    QLabel* m_text = nullptr;
    int m_navBar = 1;
    QString m_printTitle;
    QString m_printCancel;
    QString m_printPage;
};

} // namespace report
