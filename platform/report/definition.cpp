// Reading a report of a definition file, and the report's sections, fields
// and page set-up.

#include "platform/report/report_internal.h"

#include <QFile>
#include <QRectF>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const char16_t* const kSectionNames[] = {kHeader, kPageHeader, kDetail, kFooter, kPageFooter};

struct Paper
{
    int code;
    QPageSize::PageSizeId id;
};
// The paper codes of the report definitions (the printer driver numbering).
constexpr Paper kPapers[] = {
    {1, QPageSize::Letter}, {2, QPageSize::Letter},    {3, QPageSize::Tabloid},   {4, QPageSize::Ledger},
    {5, QPageSize::Legal},  {6, QPageSize::Statement}, {7, QPageSize::Executive}, {8, QPageSize::A3},
    {9, QPageSize::A4},     {10, QPageSize::A4},       {11, QPageSize::A5},       {12, QPageSize::B4},
    {13, QPageSize::B5},    {14, QPageSize::Folio},    {66, QPageSize::A2},       {70, QPageSize::A6},
};

db::Error definitionError(const QString& text)
{
    return db::Error(db::Error::Kind::InvalidArgument, ErrorNumber::BadArgument, text, u"report"_s);
}

class Reader
{
public:
    Reader(QXmlStreamReader& xml, const QString& file) : m_xml(xml), m_file(file) {}

    // A whole number attribute; def when missing.
    bool number(const QXmlStreamAttributes& a, QLatin1StringView name, int& out)
    {
        if (!a.hasAttribute(name))
            return true;
        bool ok = false;
        const int v = a.value(name).trimmed().toInt(&ok);
        if (!ok)
            return fail(u"the value of "_s + name + u" is not a whole number"_s);
        out = v;
        return true;
    }

    bool real(const QXmlStreamAttributes& a, QLatin1StringView name, double& out)
    {
        if (!a.hasAttribute(name))
            return true;
        bool ok = false;
        const double v = a.value(name).trimmed().toDouble(&ok);
        if (!ok || v < 0)
            return fail(u"the value of "_s + name + u" is not a number"_s);
        out = v;
        return true;
    }

    bool flag(const QXmlStreamAttributes& a, QLatin1StringView name, bool& out)
    {
        int v = out ? 1 : 0;
        if (!number(a, name, v))
            return false;
        out = v != 0;
        return true;
    }

    bool fail(const QString& why)
    {
        if (m_error.isEmpty())
            m_error = m_file + u", line "_s + QString::number(m_xml.lineNumber()) + u": "_s + why;
        return false;
    }

    QString error() const { return m_error; }

    bool readField(Field& f)
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        f.name = a.value("Name"_L1).toString();
        f.text = a.value("Text"_L1).toString();
        f.source = a.value("Source"_L1).toString();
        f.aggregate = a.value("Aggregate"_L1).toString();
        if (!f.aggregate.isEmpty() && f.aggregate.compare(u"Sum"_s, Qt::CaseInsensitive) != 0 &&
            f.aggregate.compare(u"Count"_s, Qt::CaseInsensitive) != 0 &&
            f.aggregate.compare(u"Min"_s, Qt::CaseInsensitive) != 0 &&
            f.aggregate.compare(u"Max"_s, Qt::CaseInsensitive) != 0)
            return fail(u"unknown aggregate "_s + f.aggregate);
        f.templateText = a.value("Template"_L1).toString();
        f.format = a.value("Format"_L1).toString();
        const QString values = a.value("Values"_L1).toString();
        for (const QString& pair : values.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype eq = pair.indexOf(u'=');
            if (eq < 0)
                return fail(u"Values wants value=text pairs"_s);
            f.values.insert(pair.left(eq).trimmed().toCaseFolded(), pair.mid(eq + 1));
        }
        f.fontName = a.value("FontName"_L1).toString();
        const QString align = a.value("Align"_L1).toString();
        if (align.compare(u"Center"_s, Qt::CaseInsensitive) == 0)
            f.alignment = Qt::AlignHCenter;
        else if (align.compare(u"Right"_s, Qt::CaseInsensitive) == 0)
            f.alignment = Qt::AlignRight;
        else if (!align.isEmpty() && align.compare(u"Left"_s, Qt::CaseInsensitive) != 0)
            return fail(u"unknown alignment "_s + align);
        return number(a, "Left"_L1, f.left) && number(a, "Top"_L1, f.top) && number(a, "Width"_L1, f.width) &&
               number(a, "Height"_L1, f.height) && real(a, "FontSize"_L1, f.fontSize) &&
               flag(a, "Bold"_L1, f.bold) && flag(a, "Italic"_L1, f.italic) && flag(a, "Wrap"_L1, f.wrap) &&
               flag(a, "Border"_L1, f.border) && flag(a, "Visible"_L1, f.visible);
    }

    bool readSection(Report::Impl& r)
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        const QString name = a.value("Name"_L1).toString();
        int index = -1;
        for (int i = 0; i < 5; ++i)
            if (name.compare(QString::fromUtf16(kSectionNames[i]), Qt::CaseInsensitive) == 0)
                index = i;
        if (index < 0)
            return fail(u"unknown section \""_s + name + u'"');
        Section& s = r.sectionAt(index);
        if (!number(a, "Height"_L1, s.height) || !flag(a, "Visible"_L1, s.visible))
            return false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != u"Field")
                return fail(u"a section holds only fields"_s);
            Field f;
            if (!readField(f))
                return false;
            s.fields.append(f);
            m_xml.skipCurrentElement();
        }
        return true;
    }

    bool readReport(Report::Impl& r)
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        if (!number(a, "PageSize"_L1, r.paper) || !number(a, "Orientation"_L1, r.orientation) ||
            !number(a, "MarginLeft"_L1, r.marginLeft) || !number(a, "MarginTop"_L1, r.marginTop) ||
            !number(a, "MarginRight"_L1, r.marginRight) || !number(a, "MarginBottom"_L1, r.marginBottom) ||
            !real(a, "FontSize"_L1, r.fontSize))
            return false;
        if (a.hasAttribute("FontName"_L1))
            r.fontName = a.value("FontName"_L1).toString();
        QPageSize::PageSizeId paper;
        if (!paperOfCode(r.paper, &paper))
            return fail(u"unknown paper code "_s + QString::number(r.paper));
        if (r.orientation != 1 && r.orientation != 2)
            return fail(u"unknown orientation "_s + QString::number(r.orientation));
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"Sort") {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() != u"Column")
                        return fail(u"a sort holds only columns"_s);
                    r.sort.append(m_xml.attributes().value("Name"_L1).toString());
                    m_xml.skipCurrentElement();
                }
            } else if (m_xml.name() == u"Section") {
                if (!readSection(r))
                    return false;
            } else {
                return fail(u"unknown element "_s + m_xml.name());
            }
        }
        return true;
    }

private:
    QXmlStreamReader& m_xml;
    QString m_file;
    QString m_error;
};

} // namespace

bool paperOfCode(int code, QPageSize::PageSizeId* paper)
{
    for (const Paper& p : kPapers) {
        if (p.code == code) {
            if (paper)
                *paper = p.id;
            return true;
        }
    }
    return false;
}

Field* Section::field(const QString& name)
{
    for (Field& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

void Report::Impl::resetSections()
{
    sections.clear();
    for (const char16_t* n : kSectionNames) {
        Section s;
        s.name = QString::fromUtf16(n);
        sections.append(s);
    }
}

Report::Report() : d(std::make_unique<Impl>())
{
    d->resetSections();
}

Report::~Report() = default;

db::Error Report::load(const QString& file, const QString& name)
{
    // Whatever happens, the report loaded before is gone; the data stays.
    const db::Recordset data = d->data;
    *d = Impl();
    d->resetSections();
    d->data = data;
    QFile f(file);
    if (!f.exists())
        return db::Error(db::Error::Kind::FileNotFound, ErrorNumber::FileNotFound,
                         u"The report definition file does not exist: "_s + file, u"report"_s);
    if (!f.open(QIODevice::ReadOnly))
        return db::Error(db::Error::Kind::Io, ErrorNumber::FileAccess,
                         u"The report definition file cannot be read: "_s + file + u" ("_s + f.errorString() +
                             u')',
                         u"report"_s);

    Impl fresh;
    fresh.resetSections();
    QXmlStreamReader xml(&f);
    Reader reader(xml, file);
    bool found = false;
    if (xml.readNextStartElement() && xml.name() == u"Reports") {
        while (!found && xml.readNextStartElement()) {
            if (xml.name() == u"Report" &&
                xml.attributes().value("Name"_L1).compare(name, Qt::CaseInsensitive) == 0) {
                fresh.name = xml.attributes().value("Name"_L1).toString();
                if (!reader.readReport(fresh))
                    return definitionError(reader.error());
                found = true;
            } else {
                xml.skipCurrentElement();
            }
        }
    } else if (!xml.hasError()) {
        return definitionError(file + u" is not a report definition file"_s);
    }
    if (xml.hasError())
        return definitionError(file + u", line "_s + QString::number(xml.lineNumber()) + u": "_s +
                               xml.errorString());
    if (!found)
        return definitionError(u"The report \""_s + name + u"\" is not in "_s + file);

    fresh.loaded = true;
    fresh.data = d->data;
    *d = std::move(fresh);
    return {};
}

bool Report::isLoaded() const
{
    return d->loaded;
}

QString Report::name() const
{
    return d->name;
}

void Report::setDataSource(const db::Recordset& data)
{
    clear();
    d->data = data;
}

db::Recordset Report::dataSource() const
{
    return d->data;
}

Section* Report::section(const QString& name)
{
    for (Section& s : d->sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

Field* Report::field(const QString& name)
{
    for (Section& s : d->sections)
        if (Field* f = s.field(name))
            return f;
    return nullptr;
}

Field* Report::field(const QString& sectionName, const QString& name)
{
    Section* s = section(sectionName);
    return s ? s->field(name) : nullptr;
}

int Report::paperSize() const
{
    return d->paper;
}

bool Report::setPaperSize(int code)
{
    if (!paperOfCode(code, nullptr))
        return false;
    clear();
    d->paper = code;
    return true;
}

int Report::orientation() const
{
    return d->orientation;
}

bool Report::setOrientation(int code)
{
    if (code != 1 && code != 2)
        return false;
    clear();
    d->orientation = code;
    return true;
}

QPageLayout Report::Impl::pageLayout() const
{
    QPageSize::PageSizeId id = QPageSize::A4;
    paperOfCode(paper, &id);
    const QMarginsF margins(marginLeft / 20.0, marginTop / 20.0, marginRight / 20.0, marginBottom / 20.0);
    return QPageLayout(QPageSize(id), orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       margins, QPageLayout::Point, QMarginsF());
}

QPageLayout Report::pageLayout() const
{
    return d->pageLayout();
}

QSizeF Report::printableSizeTwips() const
{
    const QRectF r = pageLayout().paintRect(QPageLayout::Point);
    return QSizeF(r.width() * 20.0, r.height() * 20.0);
}

bool Report::busy() const
{
    return d->busy;
}

} // namespace report
