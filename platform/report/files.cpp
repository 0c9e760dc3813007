// A rendered report on a printer, in a PDF file or in an HTML file.

#include "platform/report/report_internal.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSet>
#include <QTextStream>
#include <cmath>

using namespace Qt::StringLiterals;

namespace report {

namespace {

db::Error fileError(const QString& path, const QString& why)
{
    return db::Error(db::Error::Kind::Io, ErrorNumber::FileAccess,
                     u"Path/File access error: "_s + path + u" ("_s + why + u')', u"report"_s);
}

// Pixels of an HTML page for twips (96 pixels to the inch).
int px(double twips)
{
    return int(std::lround(twips / 15.0));
}

QString cssFamily(QString family)
{
    family.remove(u'\'').remove(u'"').remove(u'<').remove(u'>').remove(u';').remove(u'}');
    return u'\'' + family + u'\'';
}

// Why a report cannot be printed or written now; none when it can.
db::Error unableToRender(const Report& r)
{
    if (r.busy())
        return db::Error(db::Error::Kind::General, ErrorNumber::BadArgument, u"The report is busy"_s,
                         u"report"_s);
    if (!r.isLoaded())
        return db::Error(db::Error::Kind::General, ErrorNumber::BadArgument, u"No report is loaded"_s,
                         u"report"_s);
    return {};
}

} // namespace

db::Error Report::print(QPagedPaintDevice& device, const std::function<bool(int, int)>& progress)
{
    if (db::Error e = unableToRender(*this))
        return e;
    if (d->pages.isEmpty())
        render();
    d->busy = true;
    const auto done = qScopeGuard([this] { d->busy = false; });
    QPainter p;
    if (!p.begin(&device))
        return db::Error(db::Error::Kind::Io, ErrorNumber::FileAccess, u"The printer cannot be written"_s,
                         u"report"_s);
    const double scale = device.logicalDpiY() / 1440.0;
    const int n = pageCount();
    for (int i = 0; i < n; ++i) {
        if (progress && !progress(i + 1, n)) {
            p.end();
            return db::Error(db::Error::Kind::General, ErrorNumber::BadArgument, u"Printing cancelled"_s,
                             u"report"_s);
        }
        if (i > 0 && !device.newPage()) {
            p.end();
            return db::Error(db::Error::Kind::Io, ErrorNumber::FileAccess, u"The printer cannot be written"_s,
                             u"report"_s);
        }
        p.save();
        p.scale(scale, scale);
        paintPage(p, i);
        p.restore();
    }
    if (!p.end())
        return db::Error(db::Error::Kind::Io, ErrorNumber::FileAccess, u"The printer cannot be written"_s,
                         u"report"_s);
    return {};
}

db::Error Report::renderToFile(const QString& path, FileFormat format)
{
    if (db::Error e = unableToRender(*this))
        return e;
    if (d->pages.isEmpty())
        render();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(path, file.errorString());

    if (format == FileFormat::Pdf) {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout());
        writer.setResolution(600);
        writer.setTitle(d->name);
        writer.setCreator(u"Quorvel"_s);
        if (const db::Error e = print(writer))
            return e;
    } else {
        d->busy = true;
        const auto done = qScopeGuard([this] { d->busy = false; });
        QTextStream out(&file);
        const QSizeF page = pageLayout().fullRectPoints().size() * 20.0;
        out << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" << d->name.toHtmlEscaped()
            << "</title>\n<style>\n"
            << "body{background:#808080;margin:0;padding:8px 0}\n"
            << ".p{position:relative;background:#fff;margin:0 auto 8px auto;overflow:hidden;"
               "page-break-after:always}\n"
            << ".b{position:absolute}\n"
            << ".f{position:absolute;overflow:hidden;white-space:pre;color:#000}\n"
            << ".w{white-space:pre-wrap}\n.m{line-height:normal!important}\n"
            << ".x{border:1px solid #000;box-sizing:border-box}\n";
        // One class per field of every report that prints.
        QHash<const Field*, QString> classes;
        QSet<const Impl*> seen;
        for (const Impl::Scope& scope : std::as_const(d->scopes)) {
            const Impl* r = scope.report;
            if (seen.contains(r))
                continue;
            seen.insert(r);
            for (const Section& s : r->sections) {
                for (const Field& f : s.fields) {
                    const QString cls = u"c"_s + QString::number(classes.size());
                    classes.insert(&f, cls);
                    const QFont font = r->fontOf(f);
                    const char* align = f.alignment & Qt::AlignRight     ? "right"
                                        : f.alignment & Qt::AlignHCenter ? "center"
                                                                         : "left";
                    out << '.' << cls << "{left:" << px(f.left) << "px;top:" << px(f.top)
                        << "px;width:" << px(f.width) << "px;height:" << px(f.height)
                        << "px;line-height:" << px(f.height) << "px;font-family:" << cssFamily(font.family())
                        << ";font-size:" << QString::number(font.pixelSize() / 20.0)
                        << "pt;text-align:" << align << (f.bold ? ";font-weight:bold" : "")
                        << (f.italic ? ";font-style:italic" : "") << "}\n";
                }
            }
        }
        out << "</style>\n</head>\n<body>\n";
        const QMarginsF margins(d->marginLeft, d->marginTop, d->marginRight, d->marginBottom);
        for (int i = 0; i < pageCount(); ++i) {
            const Impl::Page& pg = d->pages[i];
            out << "<div class=\"p\" style=\"width:" << px(page.width()) << "px;height:" << px(page.height())
                << "px\">\n";
            for (int b = pg.first; b < pg.first + pg.count; ++b) {
                const Impl::Band& band = d->bands[b];
                out << "<div class=\"b\" style=\"left:" << px(margins.left() + band.x)
                    << "px;top:" << px(margins.top() + band.y) << "px\">";
                for (const Field& f : band.section->fields) {
                    if (!f.visible || f.subreport)
                        continue;
                    QString text = d->fieldText(f, band, i);
                    if (text.isEmpty() && !f.border)
                        continue;
                    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
                    out << "<span class=\"f " << classes.value(&f) << (f.wrap ? " w" : "")
                        << (f.wrap || text.contains(u'\n') ? " m" : "") << (f.border ? " x" : "") << "\">"
                        << text.toHtmlEscaped() << "</span>";
                }
                out << "</div>\n";
            }
            out << "</div>\n";
        }
        out << "</body>\n</html>\n";
        out.flush();
        if (out.status() != QTextStream::Ok)
            return fileError(path, file.errorString());
    }
    if (!file.commit())
        return fileError(path, file.errorString());
    return {};
}

} // namespace report
