// Laying a report out on pages and drawing a page.

#include "platform/report/report_internal.h"

#include <QPainter>
#include <QScopeGuard>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// Sub-reports inside sub-reports stop at this depth (a report that names
// itself would never end).
constexpr int kMaxDepth = 4;
// Inner space of a field, twips.
constexpr int kPadding = 30;

// Null first, numbers as numbers, dates as dates, texts without regard to case.
int compareValues(const db::Variant& a, const db::Variant& b)
{
    const bool ma = a.isMissing();
    const bool mb = b.isMissing();
    if (ma && mb)
        return 0;
    if (ma || mb)
        return ma ? -1 : 1;
    if (a.isNumber() && b.isNumber()) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.isDate() && b.isDate())
        return a.asDate() < b.asDate() ? -1 : (b.asDate() < a.asDate() ? 1 : 0);
    return QString::compare(a.toText(), b.toText(), Qt::CaseInsensitive);
}

QString linkKey(const db::Recordset& data, int row, const QList<int>& columns)
{
    QString key;
    for (int c : columns) {
        key += data.valueAt(row, c).toText().toCaseFolded();
        key += u'\x1f';
    }
    return key;
}

struct Link
{
    QList<int> child;  // columns of the sub-report's data
    QList<int> parent; // columns of the parent's data
    bool valid = true;
};

Link parseLink(const QString& text, const db::Recordset& child, const db::Recordset& parent)
{
    Link l;
    for (const QString& pair : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        const int c = eq < 0 ? -1 : child.fieldIndex(pair.left(eq).trimmed());
        const int p = eq < 0 ? -1 : parent.fieldIndex(pair.mid(eq + 1).trimmed());
        if (c < 0 || p < 0) {
            l.valid = false;
            continue;
        }
        l.child.append(c);
        l.parent.append(p);
    }
    return l;
}

// Lays the bands of one report (and of its sub-reports) on pages.
class Layout
{
public:
    explicit Layout(Report::Impl& main) : m_main(main)
    {
        const QRectF r = main.pageLayout().paintRect(QPageLayout::Point);
        m_pageHeight = int(std::floor(r.height() * 20.0));
        const Section& pf = main.sectionAt(PageFooterIndex);
        m_body = m_pageHeight - (pf.visible ? pf.height : 0);
    }

    void run()
    {
        Report::Impl::Scope all;
        all.report = &m_main;
        all.rows = m_main.sortedRows();
        m_main.computeTotals(all);
        m_main.scopes.append(all);

        startPage(true);
        const int first = all.rows.isEmpty() ? -1 : all.rows.first();
        // The page header of the first page comes under the report header.
        place(0, m_main.sectionAt(HeaderIndex), first, 0, 0);
        pageHeader();
        printRows(0, 0, 0);
        place(0, m_main.sectionAt(FooterIndex), first, 0, 0);
        finishPage();
    }

private:
    void printRows(int scope, int x, int depth)
    {
        const Report::Impl& r = *m_main.scopes[scope].report;
        const Section& detail = r.sectionAt(DetailIndex);
        // A copy: sub-reports append scopes while the rows are walked.
        const QVector<int> rows = m_main.scopes[scope].rows;
        for (int row : rows)
            place(scope, detail, row, x, depth);
    }

    void startPage(bool first = false)
    {
        m_page = Report::Impl::Page{int(m_main.bands.size()), 0};
        m_y = 0;
        m_contentStart = 0;
        if (!first)
            pageHeader();
    }

    void pageHeader()
    {
        const Section& ph = m_main.sectionAt(PageHeaderIndex);
        if (!ph.visible || ph.height <= 0)
            return;
        const int first = m_main.scopes[0].rows.isEmpty() ? -1 : m_main.scopes[0].rows.first();
        m_main.bands.append(Report::Impl::Band{0, &ph, first, 0, m_y});
        m_y += ph.height;
        m_contentStart = m_y;
    }

    void finishPage()
    {
        const Section& pf = m_main.sectionAt(PageFooterIndex);
        if (pf.visible && pf.height > 0) {
            const int first = m_main.scopes[0].rows.isEmpty() ? -1 : m_main.scopes[0].rows.first();
            m_main.bands.append(Report::Impl::Band{0, &pf, first, 0, m_pageHeight - pf.height});
        }
        m_page.count = int(m_main.bands.size()) - m_page.first;
        m_main.pages.append(m_page);
    }

    // One section once: on this page when it fits, else on a new page; then
    // the sub-reports of its fields.
    void place(int scope, const Section& s, int row, int x, int depth)
    {
        if (!s.visible || s.height <= 0)
            return;
        if (m_y + s.height > m_body && m_y > m_contentStart) {
            finishPage();
            startPage();
        }
        m_main.bands.append(Report::Impl::Band{scope, &s, row, x, m_y});
        m_y += s.height;
        if (row < 0 || depth >= kMaxDepth)
            return;
        for (const Field& f : s.fields)
            if (f.subreport && f.visible)
                subreport(scope, f, row, x + f.left, depth + 1);
    }

    void subreport(int parentScope, const Field& field, int parentRow, int x, int depth)
    {
        Report::Impl& sub = field.subreport->impl();
        if (!sub.loaded)
            return;
        const Report::Impl& parent = *m_main.scopes[parentScope].report;
        if (!m_prepared.contains(&sub)) {
            sub.prepare();
            m_prepared.insert(&sub, sub.sortedRows());
        }
        Report::Impl::Scope scope;
        scope.report = &sub;
        const QVector<int>& all = m_prepared[&sub];
        const Link link = parseLink(field.text, sub.data, parent.data);
        if (!link.valid)
            return;
        if (link.child.isEmpty()) {
            scope.rows = all;
        } else {
            QHash<QString, QVector<int>>& index = m_links[&field];
            if (index.isEmpty())
                for (int r : all)
                    index[linkKey(sub.data, r, link.child)].append(r);
            scope.rows = index.value(linkKey(parent.data, parentRow, link.parent));
        }
        sub.computeTotals(scope);
        const int id = int(m_main.scopes.size());
        m_main.scopes.append(scope);
        const int first = scope.rows.isEmpty() ? -1 : scope.rows.first();
        place(id, sub.sectionAt(HeaderIndex), first, x, depth);
        printRows(id, x, depth);
        place(id, sub.sectionAt(FooterIndex), first, x, depth);
    }

    Report::Impl& m_main;
    Report::Impl::Page m_page;
    int m_pageHeight = 0;
    int m_body = 0;
    int m_y = 0;
    int m_contentStart = 0;
    QHash<const Report::Impl*, QVector<int>> m_prepared;
    QHash<const Field*, QHash<QString, QVector<int>>> m_links;
};

} // namespace

QFont Report::Impl::fontOf(const Field& f) const
{
    QFont font(f.fontName.isEmpty() ? fontName : f.fontName);
    // Painted in twips: a point is 20 twips.
    font.setPixelSize(std::max(1, int(std::lround((f.fontSize > 0 ? f.fontSize : fontSize) * 20.0))));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void Report::Impl::prepare()
{
    plans.clear();
    for (const Section& s : std::as_const(sections)) {
        for (const Field& f : s.fields) {
            FieldPlan p;
            p.column = f.source.isEmpty() ? -1 : data.fieldIndex(f.source);
            p.format = grid::NumberFormat::parse(f.format);
            p.font = fontOf(f);
            p.metrics = QFontMetricsF(p.font);
            const QString& t = f.templateText;
            qsizetype i = 0;
            while (i < t.size()) {
                const qsizetype open = t.indexOf(u'{', i);
                const qsizetype close = open < 0 ? -1 : t.indexOf(u'}', open);
                if (open < 0 || close < 0) {
                    p.pieces.append({FieldPlan::Piece::Literal, t.mid(i), -1});
                    break;
                }
                if (open > i)
                    p.pieces.append({FieldPlan::Piece::Literal, t.mid(i, open - i), -1});
                const QString name = t.mid(open + 1, close - open - 1);
                if (name.compare(u"Page"_s, Qt::CaseInsensitive) == 0)
                    p.pieces.append({FieldPlan::Piece::Page, QString(), -1});
                else if (name.compare(u"Pages"_s, Qt::CaseInsensitive) == 0)
                    p.pieces.append({FieldPlan::Piece::Pages, QString(), -1});
                else
                    p.pieces.append({FieldPlan::Piece::Column, QString(), data.fieldIndex(name)});
                i = close + 1;
            }
            plans.insert(&f, p);
        }
    }
}

QVector<int> Report::Impl::sortedRows() const
{
    const int n = data.isOpen() ? data.rowCount() : 0;
    QVector<int> rows(n);
    for (int i = 0; i < n; ++i)
        rows[i] = i;
    QList<QVector<db::Variant>> keys;
    for (const QString& column : sort) {
        const int c = data.fieldIndex(column);
        if (c < 0)
            continue;
        QVector<db::Variant> k(n);
        for (int i = 0; i < n; ++i)
            k[i] = data.valueAt(i, c);
        keys.append(k);
    }
    if (!keys.isEmpty())
        std::stable_sort(rows.begin(), rows.end(), [&keys](int a, int b) {
            for (const QVector<db::Variant>& k : keys) {
                const int c = compareValues(k[a], k[b]);
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
    return rows;
}

void Report::Impl::computeTotals(Scope& scope) const
{
    for (const Section& s : sections) {
        for (const Field& f : s.fields) {
            if (f.aggregate.isEmpty())
                continue;
            const int c = plans.value(&f).column;
            const bool count = f.aggregate.compare(u"Count"_s, Qt::CaseInsensitive) == 0;
            const bool sum = f.aggregate.compare(u"Sum"_s, Qt::CaseInsensitive) == 0;
            const bool min = f.aggregate.compare(u"Min"_s, Qt::CaseInsensitive) == 0;
            if (count && f.source.isEmpty()) {
                scope.totals.insert(&f, db::Variant(int(scope.rows.size())));
                continue;
            }
            if (c < 0)
                continue;
            double total = 0;
            int counted = 0;
            db::Variant best = db::Variant::null();
            for (int row : std::as_const(scope.rows)) {
                const db::Variant v = data.valueAt(row, c);
                if (v.isMissing())
                    continue;
                ++counted;
                if (sum)
                    total += v.toDouble();
                else if (!count && (best.isNull() || (compareValues(v, best) < 0) == min))
                    best = v;
            }
            if (count)
                scope.totals.insert(&f, db::Variant(counted));
            else if (sum)
                scope.totals.insert(&f, db::Variant(total));
            else
                scope.totals.insert(&f, best);
        }
    }
}

QString Report::Impl::fieldText(const Field& f, const Band& band, int page) const
{
    const Scope& scope = scopes[band.scope];
    const Impl& r = *scope.report;
    const auto plan = r.plans.constFind(&f);
    if (plan == r.plans.cend())
        return f.text;
    const QLocale locale;
    if (!f.aggregate.isEmpty())
        return grid::formatValue(scope.totals.value(&f, db::Variant::null()), plan->format, locale);
    if (!f.templateText.isEmpty()) {
        QString t;
        for (const FieldPlan::Piece& piece : plan->pieces) {
            switch (piece.kind) {
            case FieldPlan::Piece::Literal:
                t += piece.text;
                break;
            case FieldPlan::Piece::Page:
                t += QString::number(page + 1);
                break;
            case FieldPlan::Piece::Pages:
                t += QString::number(pages.size());
                break;
            case FieldPlan::Piece::Column:
                if (piece.column >= 0 && band.row >= 0)
                    t += grid::formatValue(r.data.valueAt(band.row, piece.column), plan->format, locale);
                break;
            }
        }
        return t;
    }
    if (!f.source.isEmpty()) {
        if (plan->column < 0 || band.row < 0)
            return QString();
        const db::Variant v = r.data.valueAt(band.row, plan->column);
        if (!f.values.isEmpty()) {
            const auto shown = f.values.constFind(v.toText().toCaseFolded());
            if (shown != f.values.cend())
                return *shown;
        }
        return grid::formatValue(v, plan->format, locale);
    }
    return f.text;
}

void Report::Impl::paintBand(QPainter& p, const Band& band, int page) const
{
    const Impl& r = *scopes[band.scope].report;
    // Text smaller than this on the device is drawn as a grey bar.
    const double deviceScale = p.worldTransform().m22();
    QVarLengthArray<QRect, 32> frames;
    p.setPen(Qt::black);
    for (const Field& f : band.section->fields) {
        if (!f.visible || f.subreport)
            continue;
        const QRect box(band.x + f.left, band.y + f.top, f.width, f.height);
        if (f.border)
            frames.append(box);
        const QString text = fieldText(f, band, page);
        if (text.isEmpty())
            continue;
        const auto plan = r.plans.constFind(&f);
        const QFont font = plan != r.plans.cend() ? plan->font : r.fontOf(f);
        const QRectF inner = QRectF(box).adjusted(kPadding, 0, -kPadding, 0);
        if (font.pixelSize() * deviceScale < 3.5) {
            const double w = std::min(inner.width(), double(text.size() * font.pixelSize() / 2));
            const double x = f.alignment & Qt::AlignRight     ? inner.right() - w
                             : f.alignment & Qt::AlignHCenter ? inner.center().x() - w / 2
                                                              : inner.left();
            p.fillRect(QRectF(x, inner.center().y() - font.pixelSize() / 4.0, w, font.pixelSize() / 2.0),
                       QColor(160, 160, 160));
            continue;
        }
        // Most fields of a band share a font: the painter changes font only when it must.
        if (!(p.font() == font))
            p.setFont(font);
        const bool lines = f.wrap || text.contains(u'\n') || text.contains(u'\r');
        if (!lines && plan != r.plans.cend()) {
            // One line that fits its box: placed here, without a text layout.
            const QFontMetricsF& fm = plan->metrics;
            const double w = fm.horizontalAdvance(text);
            if (w <= inner.width()) {
                const double x = f.alignment & Qt::AlignRight     ? inner.right() - w
                                 : f.alignment & Qt::AlignHCenter ? inner.left() + (inner.width() - w) / 2
                                                                  : inner.left();
                p.drawText(QPointF(x, inner.top() + (inner.height() - fm.height()) / 2 + fm.ascent()), text);
                continue;
            }
        }
        QString shown = text;
        if (lines)
            shown.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        int flags = int(f.alignment);
        flags |= lines ? int(Qt::AlignTop) : int(Qt::AlignVCenter) | Qt::TextSingleLine;
        if (f.wrap)
            flags |= Qt::TextWordWrap;
        p.save();
        p.setClipRect(inner, Qt::IntersectClip);
        p.drawText(inner, flags, shown);
        p.restore();
    }
    if (!frames.isEmpty()) {
        p.setPen(QPen(Qt::black, 10));
        p.setBrush(Qt::NoBrush);
        p.drawRects(frames.constData(), int(frames.size()));
    }
}

void Report::render()
{
    clear();
    if (!d->loaded)
        return;
    d->busy = true;
    const auto done = qScopeGuard([this] { d->busy = false; });
    d->prepare();
    Layout(*d).run();
}

void Report::clear()
{
    d->scopes.clear();
    d->bands.clear();
    d->pages.clear();
}

int Report::pageCount() const
{
    return int(d->pages.size());
}

void Report::paintPage(QPainter& painter, int page) const
{
    if (page < 0 || page >= d->pages.size())
        return;
    const Impl::Page& pg = d->pages[page];
    painter.save();
    const QSizeF size = printableSizeTwips();
    painter.setClipRect(QRectF(QPointF(0, 0), size), Qt::IntersectClip);
    for (int i = pg.first; i < pg.first + pg.count; ++i)
        d->paintBand(painter, d->bands[i], page);
    painter.restore();
}

} // namespace report
