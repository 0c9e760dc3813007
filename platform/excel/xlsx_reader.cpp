// .xlsx: a zip of XML parts, read with libzip and a streaming XML reader.
// The workbook part lists the sheets in order and points at each sheet's
// part through its relationships; cells refer to the shared strings and to
// the cell styles, whose number format tells a date from a number.

#include "platform/excel/reader_internal.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <zip.h>

namespace excel::detail {

namespace {

struct ZipCloser
{
    void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

// The open package and the bytes its parts may still inflate to.
struct Package
{
    ZipPtr zip;
    qint64 inflatedLeft = kMaxWorkbookBytes;
    Budget budget;
};

zip_int64_t locate(zip_t* z, const QString& name)
{
    const QByteArray n = name.toUtf8();
    zip_int64_t i = zip_name_locate(z, n.constData(), 0);
    if (i < 0)
        i = zip_name_locate(z, n.constData(), ZIP_FL_NOCASE);
    return i;
}

// Opens a part whose inflated size, as the package declares it, is within
// `limit` and what the package may still inflate to. Reading more than the
// declared size is an error of the reader (zip_fread gives no more).
db::Result<zip_file_t*> openPart(Package& pkg, const QString& name, qint64 limit, zip_uint64_t* size)
{
    const zip_int64_t index = locate(pkg.zip.get(), name);
    if (index < 0)
        return formatError(QStringLiteral("Partea '%1' lipseste din fisier.").arg(name));
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(pkg.zip.get(), zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return formatError(QStringLiteral("Partea '%1' nu poate fi citita.").arg(name));
    if (st.size > zip_uint64_t(limit))
        return tooLargeError(QStringLiteral("partea '%1' are %2 MB dezarhivata, mai mult de %3 MB.")
                                 .arg(name)
                                 .arg(st.size >> 20)
                                 .arg(limit >> 20));
    if (st.size > zip_uint64_t(pkg.inflatedLeft))
        return tooLargeError(
            QStringLiteral("partile lui au dezarhivate mai mult de %1 MB.").arg(kMaxWorkbookBytes >> 20));
    pkg.inflatedLeft -= qint64(st.size);
    zip_file_t* f = zip_fopen_index(pkg.zip.get(), zip_uint64_t(index), 0);
    if (!f)
        return formatError(QStringLiteral("Partea '%1' nu poate fi citita.").arg(name));
    *size = st.size;
    return f;
}

// Feeds the entry to a streaming XML reader chunk by chunk and calls
// onToken for every token; onToken returns false to stop early.
template <class F> db::Error streamXml(Package& pkg, const QString& name, qint64 limit, F&& onToken)
{
    zip_uint64_t size = 0;
    const db::Result<zip_file_t*> opened = openPart(pkg, name, limit, &size);
    if (!opened)
        return opened.error();
    zip_file_t* f = *opened;
    zip_uint64_t done = 0;
    QXmlStreamReader xml;
    QByteArray buffer(1 << 18, '\0');
    bool endOfData = false;
    db::Error error;
    for (;;) {
        bool stop = false;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::Invalid)
                break;
            if (!onToken(xml)) {
                stop = true;
                break;
            }
        }
        if (stop)
            break;
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !endOfData) {
            const zip_int64_t n = zip_fread(f, buffer.data(), zip_uint64_t(buffer.size()));
            if (n > 0)
                done += zip_uint64_t(n);
            if (n < 0 || done > size) {
                error = formatError(QStringLiteral("Partea '%1' este deteriorata.").arg(name));
                break;
            }
            if (n == 0)
                endOfData = true;
            else
                xml.addData(QByteArray(buffer.constData(), qsizetype(n)));
            continue;
        }
        if (xml.hasError() && !error)
            error = formatError(QStringLiteral("Partea '%1' nu este un XML corect (linia %2, coloana %3).")
                                    .arg(name)
                                    .arg(xml.lineNumber())
                                    .arg(xml.columnNumber()));
        break;
    }
    zip_fclose(f);
    return error;
}

int hexDigit(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return -1;
}

// Excel writes characters XML cannot carry as _xHHHH_. Decoded in one pass
// into a new text; a character an escape gives is never read again as the
// start of another.
QString decodeEscapes(const QString& s)
{
    QString out;
    out.reserve(s.size());
    const QChar* const data = s.constData();
    const qsizetype n = s.size();
    qsizetype from = 0; // the first character not copied yet
    for (qsizetype at = s.indexOf(u"_x"); at >= 0 && at + 7 <= n; at = s.indexOf(u"_x", at)) {
        int code = 0;
        bool ok = data[at + 6] == u'_';
        for (int k = 2; ok && k < 6; ++k) {
            const int d = hexDigit(data[at + k].unicode());
            ok = d >= 0;
            code = code * 16 + d;
        }
        if (!ok) {
            at += 2;
            continue;
        }
        out.append(data + from, at - from);
        out.append(QChar(char16_t(code)));
        at += 7;
        from = at;
    }
    out.append(data + from, n - from);
    return out;
}

QString relationshipId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == u"id" && !a.namespaceUri().isEmpty())
            return a.value().toString();
    for (const QXmlStreamAttribute& a : attributes)
        if (a.qualifiedName().endsWith(u":id"))
            return a.value().toString();
    return QString();
}

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString resolve(const QString& folder, const QString& target)
{
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder + target);
}

struct Relationship
{
    QString type;
    QString target; // resolved part name
};

db::Result<QHash<QString, Relationship>> readRelationships(Package& pkg, const QString& part)
{
    QHash<QString, Relationship> rels;
    const QString relsPart =
        folderOf(part) + QStringLiteral("_rels/") + part.mid(folderOf(part).size()) + QStringLiteral(".rels");
    if (locate(pkg.zip.get(), relsPart) < 0)
        return rels;
    const QString folder = folderOf(part);
    const db::Error e = streamXml(pkg, relsPart, kMaxSmallPartBytes, [&](QXmlStreamReader& xml) {
        if (xml.isStartElement() && xml.name() == u"Relationship") {
            const QXmlStreamAttributes a = xml.attributes();
            if (a.value(QLatin1String("TargetMode")) == u"External")
                return true;
            rels.insert(a.value(QLatin1String("Id")).toString(),
                        Relationship{a.value(QLatin1String("Type")).toString(),
                                     resolve(folder, a.value(QLatin1String("Target")).toString())});
        }
        return true;
    });
    if (e)
        return e;
    return rels;
}

db::Result<QVector<bool>> readDateStyles(Package& pkg, const QString& part)
{
    QVector<bool> dateStyle;
    if (part.isEmpty() || locate(pkg.zip.get(), part) < 0)
        return dateStyle;
    QHash<int, bool> custom;
    bool inCellXfs = false;
    const db::Error e = streamXml(pkg, part, kMaxSmallPartBytes, [&](QXmlStreamReader& xml) {
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt") {
                const QXmlStreamAttributes a = xml.attributes();
                custom.insert(a.value(QLatin1String("numFmtId")).toInt(),
                              isDateFormatCode(a.value(QLatin1String("formatCode")).toString()));
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                dateStyle.push_back(custom.contains(id) ? custom.value(id) : isBuiltInDate(id));
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
        return true;
    });
    if (e)
        return e;
    return dateStyle;
}

db::Result<QVector<QString>> readSharedStrings(Package& pkg, const QString& part)
{
    QVector<QString> strings;
    if (part.isEmpty() || locate(pkg.zip.get(), part) < 0)
        return strings;
    QString current;
    bool inItem = false;
    bool inText = false;
    int phonetic = 0;
    bool spent = false;
    const db::Error e = streamXml(pkg, part, kMaxSharedStringsBytes, [&](QXmlStreamReader& xml) {
        switch (xml.tokenType()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == u"si") {
                inItem = true;
                current.clear();
            } else if (xml.name() == u"rPh") {
                ++phonetic;
            } else if (inItem && phonetic == 0 && xml.name() == u"t") {
                inText = true;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == u"si") {
                inItem = false;
                // Each text is kept once, however many cells show it.
                if (!pkg.budget.take(32 + 2 * qint64(current.size()))) {
                    spent = true;
                    return false;
                }
                strings.push_back(current.contains(u"_x") ? decodeEscapes(current) : current);
            } else if (xml.name() == u"rPh") {
                --phonetic;
            } else if (xml.name() == u"t") {
                inText = false;
            }
            break;
        case QXmlStreamReader::Characters:
            if (inText)
                current += xml.text();
            break;
        default:
            break;
        }
        return true;
    });
    if (e)
        return e;
    if (spent)
        return budgetError();
    return strings;
}

struct SheetContext
{
    const QVector<QString>* strings = nullptr;
    const QVector<bool>* dateStyle = nullptr;
    bool date1904 = false;
};

db::Result<QByteArray> readEntry(Package& pkg, const QString& name)
{
    zip_uint64_t size = 0;
    const db::Result<zip_file_t*> opened = openPart(pkg, name, kMaxPartBytes, &size);
    if (!opened)
        return opened.error();
    zip_file_t* f = *opened;
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < data.size()) {
        const zip_int64_t n = zip_fread(f, data.data() + done, zip_uint64_t(data.size() - done));
        if (n <= 0)
            break;
        done += qsizetype(n);
    }
    char probe = 0;
    const bool more = zip_fread(f, &probe, 1) != 0; // also reports a damaged entry
    zip_fclose(f);
    if (done != data.size() || more)
        return formatError(QStringLiteral("Partea '%1' este deteriorata.").arg(name));
    return data;
}

// The worksheet part is by far the largest; it is scanned directly over its
// bytes. Only the elements of the cell table matter (row, c, v, is, t, rPh);
// nesting is checked so that a damaged part is an error.
class SheetScanner
{
public:
    SheetScanner(const QByteArray& data, const SheetContext& ctx, RawSheet& sheet, Budget& budget)
        : p(data.constData()), end(data.constData() + data.size()), m_ctx(ctx), m_sheet(sheet), m_budget(budget)
    {
    }

    db::Error run()
    {
        while (p < end) {
            const char* lt = static_cast<const char*>(memchr(p, '<', size_t(end - p)));
            if (!lt) {
                p = end;
                break;
            }
            if (m_collect)
                appendText(p, lt);
            p = lt + 1;
            if (p >= end)
                return broken();
            if (*p == '/') {
                endTag();
            } else if (*p == '!') {
                special();
            } else if (*p == '?') {
                const char* q = find("?>");
                if (!q)
                    return broken();
                p = q + 2;
            } else {
                startTag();
            }
            if (m_error)
                return m_error;
            if (m_done)
                return db::Error();
        }
        return m_done ? db::Error() : broken();
    }

private:
    enum class CellType
    {
        Number,
        Shared,
        Inline,
        Text,
        Boolean,
        Error,
        Date
    };

    const char* p;
    const char* end;
    const SheetContext& m_ctx;
    RawSheet& m_sheet;
    Budget& m_budget;
    QVector<std::string_view> m_stack;
    int m_row = -1;
    int m_column = -1;
    CellType m_type = CellType::Number;
    bool m_dateStyle = false;
    bool m_hasValue = false;
    bool m_inCell = false;
    bool m_inInline = false;
    int m_phonetic = 0;
    bool m_collect = false;
    bool m_done = false;
    std::string m_text;
    std::string m_rowDigits;
    db::Error m_error;
    QHash<double, db::Variant> m_dates; // a sheet repeats few dates; each costs a time-zone look-up

    // Texts of cells repeat (codes, countries, units): a short one is decoded
    // once and shared by the cells that hold it.
    struct KeptText
    {
        bool used = false;
        std::string bytes;
        QString text;
    };
    QVector<KeptText> m_texts = QVector<KeptText>(1024);

    QString text()
    {
        const auto decode = [&] {
            const QString s = QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
            return s.contains(u"_x") ? decodeEscapes(s) : s;
        };
        if (m_text.size() > 64)
            return decode();
        KeptText& k =
            m_texts[qHash(QByteArrayView(m_text.data(), qsizetype(m_text.size()))) % m_texts.size()];
        if (!k.used || k.bytes != m_text) {
            k.used = true;
            k.bytes = m_text;
            k.text = decode();
        }
        return k.text;
    }

    const db::Variant& date(double serial)
    {
        static const db::Variant null = db::Variant::null();
        if (std::isnan(serial))
            return null;
        auto it = m_dates.find(serial);
        if (it == m_dates.end()) {
            if (m_dates.size() > 100000)
                m_dates.clear();
            it = m_dates.insert(serial, dateValue(serial, m_ctx.date1904));
        }
        return *it;
    }

    db::Error broken() const
    {
        return formatError(QStringLiteral("Foaia '%1' nu este un XML corect.").arg(m_sheet.name));
    }

    // The text of the current row's number, as references write it.
    void setRowDigits()
    {
        char digits[16];
        const auto r = std::to_chars(digits, digits + sizeof digits, m_row + 1);
        m_rowDigits.assign(digits, size_t(r.ptr - digits));
    }

    // A 1-based row number of the sheet; -1, with the error set, for any
    // other text.
    int rowNumber(std::string_view text)
    {
        long long r = 0;
        const auto parsed = std::from_chars(text.data(), text.data() + text.size(), r);
        if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || r < 1 || r > kMaxRows) {
            fail(formatError(
                QStringLiteral("Un rand are numarul %1, in afara randurilor 1 - %2.")
                    .arg(QString::fromUtf8(text.data(), qsizetype(std::min<size_t>(text.size(), 20))))
                    .arg(kMaxRows)));
            return -1;
        }
        return int(r);
    }
    void fail(db::Error e) { m_error = std::move(e); }

    const char* find(std::string_view what) const
    {
        const std::string_view rest(p, size_t(end - p));
        const size_t at = rest.find(what);
        return at == std::string_view::npos ? nullptr : p + at;
    }

    static std::string_view localName(std::string_view qname)
    {
        const size_t colon = qname.find(':');
        return colon == std::string_view::npos ? qname : qname.substr(colon + 1);
    }

    static bool isNameEnd(char ch)
    {
        return ch == ' ' || ch == '>' || ch == '/' || ch == '\t' || ch == '\n' || ch == '\r';
    }

    void appendText(const char* from, const char* to)
    {
        while (from < to) {
            const char* amp = static_cast<const char*>(memchr(from, '&', size_t(to - from)));
            if (!amp) {
                m_text.append(from, size_t(to - from));
                return;
            }
            m_text.append(from, size_t(amp - from));
            const char* semi = static_cast<const char*>(memchr(amp, ';', size_t(to - amp)));
            if (!semi) {
                m_error = broken();
                return;
            }
            appendEntity(std::string_view(amp + 1, size_t(semi - amp - 1)));
            from = semi + 1;
        }
    }

    void appendEntity(std::string_view e)
    {
        if (e == "amp")
            m_text += '&';
        else if (e == "lt")
            m_text += '<';
        else if (e == "gt")
            m_text += '>';
        else if (e == "quot")
            m_text += '"';
        else if (e == "apos")
            m_text += '\'';
        else if (e.size() > 1 && e[0] == '#') {
            unsigned code = 0;
            const bool hex = e[1] == 'x' || e[1] == 'X';
            const char* b = e.data() + (hex ? 2 : 1);
            const auto r = std::from_chars(b, e.data() + e.size(), code, hex ? 16 : 10);
            if (r.ec != std::errc() || code == 0 || code > 0x10FFFF) {
                m_error = broken();
                return;
            }
            const char32_t c = char32_t(code);
            m_text += QString::fromUcs4(&c, 1).toStdString();
        } else {
            m_error = broken();
        }
    }

    // Attributes of the tag at p (after its name) up to ">" or "/>".
    template <class F> bool attributes(bool* selfClosing, F&& onAttribute)
    {
        for (;;) {
            while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
                ++p;
            if (p >= end)
                return false;
            if (*p == '>') {
                ++p;
                *selfClosing = false;
                return true;
            }
            if (*p == '/') {
                if (p + 1 >= end || p[1] != '>')
                    return false;
                p += 2;
                *selfClosing = true;
                return true;
            }
            const char* nameStart = p;
            while (p < end && *p != '=' && *p != ' ' && *p != '>')
                ++p;
            const std::string_view name(nameStart, size_t(p - nameStart));
            while (p < end && *p == ' ')
                ++p;
            if (p >= end || *p != '=')
                return false;
            ++p;
            while (p < end && *p == ' ')
                ++p;
            if (p >= end || (*p != '"' && *p != '\''))
                return false;
            const char quote = *p++;
            const char* valueEnd = static_cast<const char*>(memchr(p, quote, size_t(end - p)));
            if (!valueEnd)
                return false;
            onAttribute(localName(name), std::string_view(p, size_t(valueEnd - p)));
            p = valueEnd + 1;
        }
    }

    // A comment, a CDATA section or a declaration; errors go to m_error, as
    // in startTag() and endTag().
    void special()
    {
        if (end - p >= 3 && p[1] == '-' && p[2] == '-') {
            const char* q = find("-->");
            if (!q)
                return fail(broken());
            p = q + 3;
            return;
        }
        if (end - p >= 8 && std::string_view(p, 8) == "![CDATA[") {
            p += 8;
            const char* q = find("]]>");
            if (!q)
                return fail(broken());
            if (m_collect)
                m_text.append(p, size_t(q - p));
            p = q + 3;
            return;
        }
        const char* q = static_cast<const char*>(memchr(p, '>', size_t(end - p)));
        if (!q)
            return fail(broken());
        p = q + 1;
    }

    void startTag()
    {
        const char* nameStart = p;
        while (p < end && !isNameEnd(*p))
            ++p;
        const std::string_view qname(nameStart, size_t(p - nameStart));
        const std::string_view name = localName(qname);
        bool selfClosing = false;
        bool ok = true;
        if (name == "c") {
            std::string_view ref, type, style;
            ok = attributes(&selfClosing, [&](std::string_view n, std::string_view v) {
                if (n == "r")
                    ref = v;
                else if (n == "t")
                    type = v;
                else if (n == "s")
                    style = v;
            });
            if (ok)
                startCell(ref, type, style);
        } else if (name == "row") {
            std::string_view number;
            ok = attributes(&selfClosing, [&](std::string_view n, std::string_view v) {
                if (n == "r")
                    number = v;
            });
            if (number.empty()) {
                ++m_row;
                setRowDigits();
            } else {
                const int r = rowNumber(number);
                if (r < 0)
                    return;
                m_row = r - 1;
                m_rowDigits.assign(number);
            }
            m_column = -1;
            if (m_row >= kMaxRows)
                return fail(formatError(QStringLiteral("Un rand este dupa ultimul rand al unei foi.")));
        } else {
            ok = attributes(&selfClosing, [](std::string_view, std::string_view) {});
            if (ok && m_inCell) {
                if (name == "v" && !m_inInline) {
                    m_hasValue = true;
                    m_text.clear();
                    m_collect = !selfClosing;
                } else if (name == "is") {
                    m_inInline = !selfClosing;
                    m_hasValue = true;
                    m_text.clear();
                } else if (name == "rPh" && m_inInline) {
                    ++m_phonetic;
                } else if (name == "t" && m_inInline && m_phonetic == 0) {
                    m_collect = !selfClosing;
                }
            }
            if (ok && selfClosing && name == "sheetData")
                m_done = true;
        }
        if (!ok)
            return fail(broken());
        if (!selfClosing) {
            if (qname == "c" && plainValue())
                return;
            m_stack.push_back(qname);
            if (name == "c")
                m_inCell = true;
        } else if (name == "c") {
            finishCell();
        }
    }

    // Most cells are "<c ...><v>text</v></c>" or "<c ...><is><t>text</t></is></c>"
    // with no entity in the text: such a cell, just started, is read to its
    // end at once. False, with nothing read, for any other content.
    bool plainValue()
    {
        const auto plain = [&](std::string_view open, std::string_view close) {
            if (size_t(end - p) < open.size() || std::string_view(p, open.size()) != open)
                return false;
            const char* from = p + open.size();
            const char* lt = static_cast<const char*>(memchr(from, '<', size_t(end - from)));
            if (!lt || size_t(end - lt) < close.size() || std::string_view(lt, close.size()) != close ||
                memchr(from, '&', size_t(lt - from)))
                return false;
            m_text.assign(from, size_t(lt - from));
            m_hasValue = true;
            finishCell();
            p = lt + close.size();
            return true;
        };
        return plain("<v>", "</v></c>") || plain("<is><t>", "</t></is></c>");
    }

    void endTag()
    {
        ++p;
        const char* nameStart = p;
        const char* gt = static_cast<const char*>(memchr(p, '>', size_t(end - p)));
        if (!gt)
            return fail(broken());
        std::string_view qname(nameStart, size_t(gt - nameStart));
        while (!qname.empty() && (qname.back() == ' ' || qname.back() == '\n' || qname.back() == '\r'))
            qname.remove_suffix(1);
        p = gt + 1;
        if (m_stack.isEmpty() || m_stack.last() != qname)
            return fail(broken());
        m_stack.removeLast();
        const std::string_view name = localName(qname);
        if (name == "c") {
            finishCell();
            m_inCell = false;
        } else if (name == "v" || name == "t") {
            m_collect = false;
        } else if (name == "is") {
            m_inInline = false;
        } else if (name == "rPh") {
            --m_phonetic;
        } else if (name == "sheetData") {
            m_done = true;
        }
    }

    void startCell(std::string_view ref, std::string_view type, std::string_view style)
    {
        int column = -1;
        if (!ref.empty()) {
            int c = 0;
            size_t i = 0;
            for (; i < ref.size(); ++i) {
                const char ch = ref[i];
                if (ch >= 'A' && ch <= 'Z')
                    c = c * 26 + (ch - 'A' + 1);
                else if (ch >= 'a' && ch <= 'z')
                    c = c * 26 + (ch - 'a' + 1);
                else
                    break;
                if (c > kMaxColumns)
                    break;
            }
            if (i > 0)
                column = c - 1;
            // The row the reference names, when it names one, places the cell.
            if (column >= 0 && column < kMaxColumns && i < ref.size() && ref.substr(i) != m_rowDigits) {
                const int r = rowNumber(ref.substr(i));
                if (r < 0)
                    return;
                m_row = r - 1;
                m_rowDigits.assign(ref.substr(i));
            }
        }
        m_column = column < 0 ? m_column + 1 : column;
        if (m_row < 0)
            m_row = 0;
        if (m_column >= kMaxColumns)
            m_error = formatError(QStringLiteral("O celula este dupa ultima coloana a unei foi."));
        if (type.empty() || type == "n")
            m_type = CellType::Number;
        else if (type == "s")
            m_type = CellType::Shared;
        else if (type == "inlineStr")
            m_type = CellType::Inline;
        else if (type == "b")
            m_type = CellType::Boolean;
        else if (type == "e")
            m_type = CellType::Error;
        else if (type == "d")
            m_type = CellType::Date;
        else
            m_type = CellType::Text; // "str": a formula's text
        int s = 0;
        if (!style.empty() && std::from_chars(style.data(), style.data() + style.size(), s).ec != std::errc())
            s = 0;
        m_dateStyle = s >= 0 && s < m_ctx.dateStyle->size() && m_ctx.dateStyle->at(s);
        m_hasValue = false;
        m_collect = false;
        m_inInline = false;
        m_phonetic = 0;
        m_text.clear();
    }

    std::string_view trimmedText() const
    {
        std::string_view t(m_text);
        while (!t.empty() &&
               (t.front() == ' ' || t.front() == '\n' || t.front() == '\r' || t.front() == '\t'))
            t.remove_prefix(1);
        while (!t.empty() && (t.back() == ' ' || t.back() == '\n' || t.back() == '\r' || t.back() == '\t'))
            t.remove_suffix(1);
        return t;
    }

    void finishCell()
    {
        m_collect = false;
        if (!m_hasValue || m_error)
            return;
        m_hasValue = false;
        db::Variant v;
        bool shared = false;
        switch (m_type) {
        case CellType::Number: {
            const std::string_view t = trimmedText();
            double d = 0;
            const auto r = std::from_chars(t.data(), t.data() + t.size(), d);
            if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size())
                v = db::Variant::null();
            else if (m_dateStyle)
                v = date(d);
            else
                v = numberValue(d);
            break;
        }
        case CellType::Shared: {
            const std::string_view t = trimmedText();
            int i = -1;
            const auto r = std::from_chars(t.data(), t.data() + t.size(), i);
            if (r.ec != std::errc() || i < 0 || i >= m_ctx.strings->size()) {
                m_error = formatError(QStringLiteral("O celula trimite la un text comun care lipseste."));
                return;
            }
            v = db::Variant(m_ctx.strings->at(i));
            shared = true;
            break;
        }
        case CellType::Inline:
        case CellType::Text:
            v = db::Variant(text());
            break;
        case CellType::Boolean: {
            const std::string_view t = trimmedText();
            v = db::Variant(t == "1" || t == "true");
            break;
        }
        case CellType::Error:
            v = db::Variant::null();
            break;
        case CellType::Date: {
            const QString s = QString::fromUtf8(trimmedText().data(), qsizetype(trimmedText().size()));
            QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
            if (!dt.isValid())
                dt = QDateTime(QDate::fromString(s, Qt::ISODate), QTime(0, 0));
            v = dt.isValid() ? db::Variant(QDateTime(dt.date(), dt.time())) : db::Variant::null();
            break;
        }
        }
        if (!m_sheet.add(m_row, m_column, std::move(v), m_budget, shared))
            m_error = budgetError();
    }
};

db::Error readSheet(Package& pkg, const QString& part, const SheetContext& ctx, RawSheet& sheet)
{
    const db::Result<QByteArray> data = readEntry(pkg, part);
    if (!data)
        return data.error();
    // Room for the cells at once: a cell takes some 30 bytes of the part or
    // more. At most 4 million cells (150 MB) are taken ahead.
    const size_t guess = std::min<size_t>(size_t(data->size() / 32), 4'000'000);
    if (!sheet.reserve(guess, pkg.budget))
        return budgetError();
    SheetScanner scanner(*data, ctx, sheet, pkg.budget);
    return scanner.run();
}

db::Result<QVector<RawSheet>> readPackage(Package& pkg)
{
    // The workbook part, from the package relationships.
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    {
        // The package's own relationships: "_rels/.rels".
        const db::Result<QHash<QString, Relationship>> root = readRelationships(pkg, QString());
        if (!root)
            return root.error();
        for (const Relationship& r : *root)
            if (r.type.endsWith(u"/officeDocument"))
                workbookPart = r.target;
    }
    const db::Result<QHash<QString, Relationship>> rels = readRelationships(pkg, workbookPart);
    if (!rels)
        return rels.error();

    struct SheetEntry
    {
        QString name;
        QString part;
    };
    QVector<SheetEntry> entries;
    QSet<QString> parts;
    QString repeated;
    bool date1904 = false;
    const db::Error wbError = streamXml(pkg, workbookPart, kMaxSmallPartBytes, [&](QXmlStreamReader& xml) {
        if (!xml.isStartElement())
            return true;
        if (xml.name() == u"workbookPr") {
            const QStringView v = xml.attributes().value(QLatin1String("date1904"));
            date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet") {
            const QXmlStreamAttributes a = xml.attributes();
            const auto rel = rels->constFind(relationshipId(a));
            // Chart sheets and dialog sheets hold no table.
            if (rel != rels->constEnd() && rel->type.endsWith(u"/worksheet")) {
                // Each sheet has a part of its own: a part named again would be
                // read again for nothing.
                if (parts.contains(rel->target.toLower())) {
                    repeated = rel->target;
                    return false;
                }
                parts.insert(rel->target.toLower());
                entries.push_back(SheetEntry{a.value(QLatin1String("name")).toString(), rel->target});
            }
        }
        return true;
    });
    if (wbError)
        return wbError;
    if (!repeated.isEmpty())
        return formatError(
            QStringLiteral("Doua foi ale fisierului folosesc aceeasi parte '%1'.").arg(repeated));

    QString stringsPart;
    QString stylesPart;
    for (const Relationship& r : *rels) {
        if (r.type.endsWith(u"/sharedStrings"))
            stringsPart = r.target;
        else if (r.type.endsWith(u"/styles"))
            stylesPart = r.target;
    }
    const db::Result<QVector<QString>> strings = readSharedStrings(pkg, stringsPart);
    if (!strings)
        return strings.error();
    const db::Result<QVector<bool>> dateStyle = readDateStyles(pkg, stylesPart);
    if (!dateStyle)
        return dateStyle.error();

    const SheetContext ctx{&*strings, &*dateStyle, date1904};
    QVector<RawSheet> sheets;
    for (const SheetEntry& entry : entries) {
        RawSheet sheet;
        sheet.name = entry.name;
        if (db::Error e = readSheet(pkg, entry.part, ctx, sheet))
            return e;
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

db::Error zipError(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return formatError(
            QStringLiteral("Fisierul nu este un fisier excel intreg (arhiva zip este deteriorata "
                           "sau taiata)."));
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return formatError(QStringLiteral("Fisierul nu poate fi citit de pe disc."));
    case ZIP_ER_MEMORY:
        return formatError(QStringLiteral("Memoria nu ajunge pentru a deschide fisierul."));
    default: {
        // libzip's own text, for a fault of the archive the user cannot mend anyway.
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString text = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return formatError(QStringLiteral("Fisierul nu este un fisier excel intreg (%1).").arg(text));
    }
    }
}

} // namespace

db::Result<QVector<RawSheet>> readXlsx(const QString& path)
{
    int code = 0;
    const QByteArray file = QFile::encodeName(path);
    Package pkg;
    pkg.zip.reset(zip_open(file.constData(), ZIP_RDONLY, &code));
    if (!pkg.zip)
        return zipError(code);
    return readPackage(pkg);
}

db::Result<QVector<RawSheet>> readXlsxBytes(const QByteArray& file)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(file.constData(), zip_uint64_t(file.size()), 0, &error);
    Package pkg;
    if (source) {
        pkg.zip.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        if (!pkg.zip)
            zip_source_free(source);
    }
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (!pkg.zip)
        return zipError(code);
    return readPackage(pkg);
}

} // namespace excel::detail
