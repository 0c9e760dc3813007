#pragma once
// platform/report: reports defined in XML files of the program's own and
// drawn with QPainter: on the screen (preview.h), on a printer, into a PDF
// file or into an HTML file.
//
// A definition file holds any number of reports, each found by its name:
//
//   <Reports>
//     <Report Name="Declaratie_Intrastat" PageSize="9" Orientation="2"
//             MarginLeft="567" MarginTop="567" MarginRight="567" MarginBottom="567"
//             FontName="Arial" FontSize="8">
//       <Sort><Column Name="Cod_NC"/><Column Name="Record_ID"/></Sort>
//       <Section Name="Header" Height="1400"> <Field .../> ... </Section>
//       <Section Name="Page Header" Height="500"> ... </Section>
//       <Section Name="Detail" Height="260"> ... </Section>
//       <Section Name="Footer" Height="600"> ... </Section>
//       <Section Name="Page Footer" Height="400"> ... </Section>
//     </Report>
//   </Reports>
//
// Lengths are twips (1440 to the inch). The sections print as their names
// say: "Header" once before the first row, "Page Header" at the top of every
// page, "Detail" once per row of the data in the order of <Sort> (ascending,
// texts without regard to case), "Footer" once after the last row and "Page
// Footer" at the bottom of every page. Every report has these five sections;
// those the file leaves out are empty (height 0). PageSize is a paper code
// (1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5, ...), Orientation 1 portrait or
// 2 landscape.
//
// A field is a box at Left, Top, Width, Height inside its section. What it
// shows, by the first of its attributes that is set:
//   Aggregate  "Sum", "Count", "Min" or "Max" of the column Source over the
//              rows of the report (over the rows a sub-report prints, in a
//              sub-report);
//   Template   a text in which {Page} and {Pages} stand for the page number
//              and the page count and {Column} for the value of a column;
//   Source     the value of a column: in the detail, of its row; in the other
//              sections, of the first row. Values="I=Sosiri;O=Expedieri"
//              gives the text shown for a value (others show as they are);
//   Text       a text shown as it stands; the program may set it.
// Further attributes: Format (a number format: "##,##0", "##,##0.00"),
// Align (Left, Center, Right), FontName, FontSize (points), Bold, Italic,
// Wrap (1: words wrap inside the box), Border (1: a frame round the box),
// Visible (0: the field prints nothing).
//
// A field can hold a sub-report (Field::subreport, set by the program): the
// sub-report's Header, the detail rows of its data that match the current row
// and its Footer then print below the section, indented to the field's left
// edge. The field's text is the link, "ChildColumn=ParentColumn" pairs joined
// by ";" (texts matched without regard to case). The field must be visible.

#include "platform/db/db.h"

#include <QFont>
#include <QList>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace report {

class Report;

// The section names, as the definition and the program write them.
inline constexpr char16_t kHeader[] = u"Header";
inline constexpr char16_t kPageHeader[] = u"Page Header";
inline constexpr char16_t kDetail[] = u"Detail";
inline constexpr char16_t kFooter[] = u"Footer";
inline constexpr char16_t kPageFooter[] = u"Page Footer";

// File formats of renderToFile, numbered as the program knows them.
enum class FileFormat
{
    Html = 3,
    Pdf = 4
};

struct Field
{
    QString name;
    QString text;
    QString source;
    QString aggregate;
    QString templateText;
    QMap<QString, QString> values; // keys folded to lower case
    QString format;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString fontName;    // empty: the report's
    double fontSize = 0; // 0: the report's
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wrap = false;
    bool border = false;
    bool visible = true;
    // The sub-report printed under the section for each row (not owned).
    Report* subreport = nullptr;
};

struct Section
{
    QString name;
    int height = 0;
    bool visible = true;
    QList<Field> fields;

    // The field of that name (case ignored), nullptr when there is none.
    Field* field(const QString& name);
};

class Report
{
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Reads the report of that name from a definition file, replacing what
    // was loaded before (the data source stays). On failure (no file, not a
    // definition file, no such report) nothing is loaded.
    db::Error load(const QString& file, const QString& name);
    bool isLoaded() const;
    QString name() const;

    // The rows the report prints (a handle to the caller's record set; its
    // cursor is not moved).
    void setDataSource(const db::Recordset& data);
    db::Recordset dataSource() const;

    // Sections by name ("Header", "Page Header", ...; case ignored), and a
    // field by name in any section; nullptr when there is none.
    Section* section(const QString& name);
    Field* field(const QString& name);
    Field* field(const QString& section, const QString& name);

    // Page set-up. An unknown paper or orientation code leaves the layout
    // as it is and gives false.
    int paperSize() const;
    bool setPaperSize(int code);
    int orientation() const;
    bool setOrientation(int code);
    // The paper, orientation and margins.
    QPageLayout pageLayout() const;
    // The area inside the margins, in twips.
    QSizeF printableSizeTwips() const;

    // True while the pages are laid out or drawn.
    bool busy() const;

    // Lays the pages out from the definition, the fields' texts and the data
    // as they are now. Until then, after clear(), and while no report is
    // loaded, there are no pages.
    void render();
    void clear();
    int pageCount() const;
    // Draws a page (from 0) in twips from the top left corner of the
    // printable area: the caller scales the painter to the device.
    void paintPage(QPainter& painter, int page) const;

    // Every page on a printer or a PDF writer, from the page layout of the
    // report. Renders first when there are no pages; refused while no report
    // is loaded. progress (optional) is
    // called before each page with the page (from 1) and the page count and
    // may stop the job by returning false.
    db::Error print(QPagedPaintDevice& device, const std::function<bool(int, int)>& progress = {});

    // Renders the report into a file of that format, replacing a file of that
    // name only once the new one is complete. Renders first when there are
    // no pages.
    db::Error renderToFile(const QString& path, FileFormat format);

    struct Impl;
    Impl& impl() const { return *d; }

private:
    std::unique_ptr<Impl> d;
};

// The paper of a paper code; false for a code the program does not know.
bool paperOfCode(int code, QPageSize::PageSizeId* paper);

} // namespace report
