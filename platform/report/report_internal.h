#pragma once
// What a report holds: its definition, its data and, once rendered, its pages.

#include "platform/grid/format.h"
#include "platform/report/report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QVector>

namespace report {

// Error numbers of the report layer.
namespace ErrorNumber {
enum : int
{
    BadArgument = 5,   // a definition that cannot be read, a report that is not in it
    FileNotFound = 53, // the definition file is missing
    FileAccess = 75,   // a file that cannot be written
};
} // namespace ErrorNumber

// A field made ready to print: its column, format, font and template pieces.
struct FieldPlan
{
    struct Piece
    {
        enum Kind
        {
            Literal,
            Column,
            Page,
            Pages
        };
        Kind kind = Literal;
        QString text;    // a literal
        int column = -1; // a column of the data
    };
    int column = -1; // Source
    grid::NumberFormat format;
    QFont font;
    QFontMetricsF metrics{QFont()}; // of font, in twips
    QList<Piece> pieces;            // Template
};

struct Report::Impl
{
    // The definition.
    bool loaded = false;
    QString name;
    int paper = 9;
    int orientation = 1;
    int marginLeft = 567;
    int marginTop = 567;
    int marginRight = 567;
    int marginBottom = 567;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 8;
    QStringList sort;
    QList<Section> sections; // Header, Page Header, Detail, Footer, Page Footer

    db::Recordset data;
    bool busy = false;

    // One report's rows as they print: the whole report, or the rows of a
    // sub-report under one row of its parent, with their totals.
    struct Scope
    {
        const Impl* report = nullptr;
        QVector<int> rows; // rows of the data, in print order
        QHash<const Field*, db::Variant> totals;
    };
    // One section printed once, at x, y (twips) of its page.
    struct Band
    {
        int scope = 0;
        const Section* section = nullptr;
        int row = -1; // the data row it shows, -1 for none
        int x = 0;
        int y = 0;
    };
    struct Page
    {
        int first = 0;
        int count = 0;
    };
    QVector<Scope> scopes;
    QVector<Band> bands;
    QVector<Page> pages;
    // Made by prepare() for this report's fields.
    QHash<const Field*, FieldPlan> plans;

    // The paper, orientation and margins.
    QPageLayout pageLayout() const;

    Section& sectionAt(int index) { return sections[index]; }
    const Section& sectionAt(int index) const { return sections[index]; }
    void resetSections();

    // Columns, formats, fonts and templates of the fields, for the data as it is.
    void prepare();
    // The data rows in the order of <Sort>.
    QVector<int> sortedRows() const;
    void computeTotals(Scope& scope) const;

    QString fieldText(const Field& field, const Band& band, int page) const;
    void paintBand(QPainter& painter, const Band& band, int page) const;
    QFont fontOf(const Field& field) const;
};

// Index of the five sections in Impl::sections.
enum SectionIndex
{
    HeaderIndex = 0,
    PageHeaderIndex = 1,
    DetailIndex = 2,
    FooterIndex = 3,
    PageFooterIndex = 4
};

} // namespace report
