// .xlsx: a zip of XML parts, read with libzip and a streaming XML reader.
// The workbook part lists the sheets in order and points at each sheet's
// part through its relationships; cells refer to the shared strings and to
// the cell styles, whose number format tells a date from a number.

#include "platform/excel/reader_internal.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
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

// The open package, the bytes its parts may still inflate to and the
// read's budget.
struct Package
{
    explicit Package(Budget& b) : budget(b), directory(b) {}
    Budget& budget;
    Held directory; // what libzip keeps of the zip's directory
    ZipPtr zip;
    qint64 inflatedLeft = kMaxWorkbookBytes;
};

// What libzip keeps in memory for the directory of a zip of `size` bytes:
// some 300 bytes an entry and its names, from the counts of the zip's end
// record (or of its zip64 record). `read` gives the bytes at an offset of
// the file. 0 when there is no end record (libzip refuses such a file).
template <class Read> qint64 directoryCost(qint64 size, Read&& read)
{
    constexpr qint64 kZipEntryCost = 320;
    const qint64 tailAt = std::max<qint64>(0, size - (22 + 65535));
    const QByteArray tail = read(tailAt, size - tailAt);
    const qsizetype at = tail.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
    if (at < 0 || at + 22 > tail.size())
        return 0;
    const auto u = [](const QByteArray& b, qsizetype from, int bytes) {
        quint64 v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | quint8(b[from + i]);
        return v;
    };
    quint64 entries = u(tail, at + 10, 2);
    quint64 directory = u(tail, at + 12, 4);
    if ((entries == 0xFFFF || directory == 0xFFFFFFFF) && at >= 20 &&
        tail.mid(at - 20, 4) == QByteArrayView("PK\x06\x07", 4)) {
        const quint64 recordAt = u(tail, at - 20 + 8, 8);
        const QByteArray record = recordAt < quint64(size) ? read(qint64(recordAt), 56) : QByteArray();
        if (record.size() == 56 && record.startsWith(QByteArrayView("PK\x06\x06", 4))) {
            entries = u(record, 32, 8);
            directory = u(record, 40, 8);
        }
    }
    // Past these a file cannot hold them: the counts are claims.
    entries = std::min<quint64>(entries, quint64(size) / 46);
    directory = std::min<quint64>(directory, quint64(size));
    return qint64(entries) * kZipEntryCost + 2 * qint64(directory);
}

// The attributes one element of the parts read with the XML reader may
// have (a workbook's elements have a dozen at most): the reader's check of
// repeated attributes takes the square of their number.
constexpr int kMaxAttributes = 64;
// What an entry of a table read from a part (a relationship, a number
// format) costs beside its texts.
constexpr qint64 kEntryCost = 64;
// The bytes fed to the XML reader at once.
constexpr qsizetype kChunk = qsizetype(1) << 18;

// Counts the attributes of each tag in the bytes of a part before the XML
// reader sees them, and tells a declaration (a DTD) from comments and CDATA
// sections. It keeps its state from one chunk to the next.
class TagScan
{
public:
    enum class Finding
    {
        None,
        TooManyAttributes,
        Declaration
    };

    Finding scan(const char* p, qsizetype n)
    {
        for (const char* end = p + n; p < end; ++p) {
            const char ch = *p;
            switch (m_state) {
            case State::Text:
                if (ch == '<')
                    m_state = State::Open;
                break;
            case State::Open:
                if (ch == '!') {
                    m_state = State::Bang;
                } else if (ch == '?') {
                    m_state = State::Instruction;
                } else {
                    m_state = ch == '>' ? State::Text : State::Tag;
                    m_attributes = 0;
                }
                break;
            case State::Bang:
                // "<!--" or "<![CDATA[": anything else declares (a DTD).
                if (ch == '-')
                    m_state = State::BangDash;
                else if (ch == '[')
                    m_state = State::CDataOpen;
                else
                    return Finding::Declaration;
                break;
            case State::BangDash:
                if (ch != '-')
                    return Finding::Declaration;
                open('-');
                break;
            case State::CDataOpen:
                if (ch == '[')
                    open(']');
                break;
            case State::Section:
                // Ends at "-->" (a comment) or "]]>" (a CDATA section).
                if (ch == '>' && m_run >= 2)
                    m_state = State::Text;
                m_run = ch == m_closer ? m_run + 1 : 0;
                break;
            case State::Instruction:
                if (ch == '>' && m_run >= 1)
                    m_state = State::Text;
                m_run = ch == '?' ? 1 : 0;
                break;
            case State::Tag:
                if (ch == '"' || ch == '\'') {
                    m_quote = ch;
                    m_state = State::Quoted;
                } else if (ch == '=') {
                    if (++m_attributes > kMaxAttributes)
                        return Finding::TooManyAttributes;
                } else if (ch == '>') {
                    m_state = State::Text;
                }
                break;
            case State::Quoted:
                if (ch == m_quote)
                    m_state = State::Tag;
                break;
            }
        }
        return Finding::None;
    }

private:
    enum class State
    {
        Text,
        Open,
        Bang,
        BangDash,
        CDataOpen,
        Section,
        Instruction,
        Tag,
        Quoted
    };
    State m_state = State::Text;
    int m_attributes = 0;
    int m_run = 0;     // the last characters that may close a comment, a section or an instruction
    char m_closer = 0; // the character a comment or a section ends with twice before its ">"
    char m_quote = 0;

    void open(char closer)
    {
        m_state = State::Section;
        m_closer = closer;
        m_run = 0;
    }
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
db::Result<zip_file_t*> openPart(Package& pkg, const QString& name, qint64 limit, zip_uint64_t* size,
                                 zip_uint64_t* compressed = nullptr)
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
    if (compressed)
        *compressed = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
    return f;
}

// A part as UTF-8, whatever encoding it is written in. A part in UTF-8 (its
// declaration names UTF-8 or no encoding) is read as it is; one in UTF-16
// or UTF-32 (told by its byte-order mark or its first characters) or in
// another encoding its declaration names is decoded and written again in
// UTF-8, so that the checks of tags, attributes and nesting and the scan of
// a sheet read its characters, never the bytes of another encoding: the
// part gives the answers of its twin in UTF-8. An encoding the program
// does not know is refused. Reading more than the size the package
// declares for the part is an error.
class PartReader
{
public:
    // `damaged`: the message of a part that inflates past its size or that
    // libzip cannot inflate.
    PartReader(zip_file_t* part, zip_uint64_t declared, QString name, QString damaged)
        : m_part(part), m_declared(declared), m_name(std::move(name)), m_damaged(std::move(damaged))
    {
    }

    // Reads the first bytes and tells the encoding from them (the first
    // read does it when it has not been done); false on an error.
    bool open() { return m_started || start(); }

    // Up to `room` bytes of UTF-8 (room of 16 bytes at least) into `out`:
    // how many, 0 at the end of the part, -1 on an error (error()).
    qint64 read(char* out, qint64 room)
    {
        if (!open())
            return -1;
        for (;;) {
            if (m_served < m_pending.size()) {
                const qint64 n = std::min<qint64>(room, m_pending.size() - m_served);
                std::memcpy(out, m_pending.constData() + m_served, size_t(n));
                m_served += n;
                return n;
            }
            if (!m_decoder.isValid())
                return inflate(out, room);
            // Each byte read gives at most three of UTF-8.
            m_raw.resize(std::max<qint64>(1, std::min<qint64>(kRawChunk, (room - 8) / 3)));
            const qint64 n = inflate(m_raw.data(), m_raw.size());
            if (n <= 0)
                return n;
            convert(QByteArrayView(m_raw.constData(), n));
        }
    }

    // Whether the part is written in another encoding than UTF-8, and the
    // bytes of its code units (2 for UTF-16, 4 for UTF-32, else 1).
    bool decoded() const { return m_decoder.isValid(); }
    int unitBytes() const { return m_unit; }
    zip_uint64_t inflated() const { return m_read; }
    // The inflated size the package declares for the part.
    zip_uint64_t declared() const { return m_declared; }
    const db::Error& error() const { return m_error; }

private:
    static constexpr qint64 kHead = 4096;
    static constexpr qint64 kRawChunk = qint64(1) << 16;

    zip_file_t* m_part;
    zip_uint64_t m_declared;
    QString m_name;
    QString m_damaged;
    zip_uint64_t m_read = 0;
    bool m_started = false;
    int m_unit = 1;
    QStringDecoder m_decoder;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    QByteArray m_raw;
    QByteArray m_pending; // converted, not handed out yet
    qsizetype m_served = 0;
    db::Error m_error;

    qint64 inflate(char* out, qint64 room)
    {
        const zip_int64_t n = zip_fread(m_part, out, zip_uint64_t(room));
        if (n < 0 || m_read + zip_uint64_t(std::max<zip_int64_t>(n, 0)) > m_declared) {
            m_error = formatError(m_damaged);
            return -1;
        }
        m_read += zip_uint64_t(n);
        return n;
    }

    void convert(QByteArrayView raw)
    {
        m_pending = m_encoder.encode(m_decoder.decode(raw));
        m_served = 0;
    }

    // Reads the first bytes and tells the encoding from them.
    bool start()
    {
        m_started = true;
        m_pending.resize(kHead);
        const qint64 n = inflate(m_pending.data(), kHead);
        if (n < 0)
            return false;
        m_pending.resize(n);
        const auto at = [&](qsizetype i) { return i < m_pending.size() ? quint8(m_pending.at(i)) : 0x100; };
        const auto starts = [&](std::initializer_list<int> bytes) {
            qsizetype i = 0;
            for (const int b : bytes)
                if (at(i++) != b)
                    return false;
            return true;
        };
        std::optional<QStringConverter::Encoding> encoding;
        if (starts({0x00, 0x00, 0xFE, 0xFF}) || starts({0x00, 0x00, 0x00, 0x3C}))
            encoding = QStringConverter::Utf32BE;
        else if (starts({0xFF, 0xFE, 0x00, 0x00}) || starts({0x3C, 0x00, 0x00, 0x00}))
            encoding = QStringConverter::Utf32LE;
        else if (starts({0xFE, 0xFF}) || starts({0x00, 0x3C, 0x00, 0x3F}))
            encoding = QStringConverter::Utf16BE;
        else if (starts({0xFF, 0xFE}) || starts({0x3C, 0x00, 0x3F, 0x00}))
            encoding = QStringConverter::Utf16LE;
        if (encoding) {
            m_unit = *encoding == QStringConverter::Utf16BE || *encoding == QStringConverter::Utf16LE ? 2 : 4;
            m_decoder = QStringDecoder(*encoding);
        } else {
            const QByteArray declared = declaredEncoding();
            if (!declared.isEmpty() && declared.compare("utf-8", Qt::CaseInsensitive) != 0 &&
                declared.compare("utf8", Qt::CaseInsensitive) != 0) {
                m_decoder = QStringDecoder(declared.constData());
                if (!m_decoder.isValid()) {
                    m_error = formatError(
                        QStringLiteral("Partea '%1' este scrisa in codificarea '%2', pe care programul nu o "
                                       "cunoaste.")
                            .arg(m_name, QString::fromLatin1(declared.left(40))));
                    return false;
                }
            }
        }
        if (m_decoder.isValid())
            convert(QByteArrayView(m_pending));
        return true;
    }

    // The encoding the XML declaration at the start of the part names, in
    // a part whose first bytes are those of ASCII.
    QByteArray declaredEncoding() const
    {
        QByteArrayView head(m_pending);
        if (head.startsWith("\xEF\xBB\xBF"))
            head = head.sliced(3);
        if (!head.startsWith("<?xml"))
            return QByteArray();
        const qsizetype close = head.indexOf("?>");
        head = head.first(close < 0 ? head.size() : close);
        const qsizetype key = head.indexOf("encoding");
        if (key < 0)
            return QByteArray();
        qsizetype i = key + 8;
        const auto blank = [&] {
            while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
                ++i;
        };
        blank();
        if (i >= head.size() || head[i] != '=')
            return QByteArray();
        ++i;
        blank();
        if (i >= head.size() || (head[i] != '"' && head[i] != '\''))
            return QByteArray();
        const char quote = head[i++];
        const qsizetype end = head.indexOf(quote, i);
        return end < 0 ? QByteArray() : head.sliced(i, end - i).toByteArray();
    }
};

// Feeds the entry to a streaming XML reader chunk by chunk and calls
// onToken for every token; onToken returns false to stop early. Elements
// nest at most kMaxDepth deep and carry at most kMaxAttributes attributes;
// a DTD is refused (a package part has none, and its entities could make
// a few bytes into any amount of text). Names are read without namespace
// processing, by their local names: the reader would look each prefix up
// among every declaration in scope. The text the reader gathers for a token
// is taken from the budget while it holds it.
template <class F> db::Error streamXml(Package& pkg, const QString& name, qint64 limit, F&& onToken)
{
    zip_uint64_t size = 0;
    const db::Result<zip_file_t*> opened = openPart(pkg, name, limit, &size);
    if (!opened)
        return opened.error();
    zip_file_t* f = *opened;
    PartReader part(f, size, name, QStringLiteral("Partea '%1' este deteriorata.").arg(name));
    bool fed = false; // some of the part has been given to the XML reader
    QXmlStreamReader xml;
    xml.setNamespaceProcessing(false);
    QByteArray buffer(kChunk, '\0');
    bool endOfData = false;
    db::Error error;
    TagScan tags;
    int depth = 0;
    // Each byte fed may become a character of the reader's text (two bytes),
    // which it keeps until the token after the one that carries it.
    Held buffered(pkg.budget);
    qint64 sinceToken = 0; // bytes fed since the last token
    qint64 lastToken = 0;  // bytes fed between the two tokens before
    const auto malformed = [&](const QString& why) {
        return formatError(QStringLiteral("Partea '%1' nu este un XML corect: %2.").arg(name, why));
    };
    for (;;) {
        bool stop = false;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::Invalid)
                break;
            lastToken = sinceToken;
            sinceToken = 0;
            buffered.hold(2 * lastToken); // less than before: never refused
            if (token == QXmlStreamReader::DTD) {
                error = malformed(QStringLiteral("are o declaratie DTD"));
                stop = true;
                break;
            }
            if (token == QXmlStreamReader::StartElement && ++depth > kMaxDepth) {
                error = malformed(
                    QStringLiteral("elementele sunt imbricate pe mai mult de %1 de niveluri").arg(kMaxDepth));
                stop = true;
                break;
            }
            if (token == QXmlStreamReader::EndElement)
                --depth;
            if (!onToken(xml)) {
                stop = true;
                break;
            }
        }
        if (stop)
            break;
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !endOfData) {
            const qint64 n = part.read(buffer.data(), buffer.size());
            if (n < 0) {
                error = part.error();
                break;
            }
            if (n == 0) {
                endOfData = true;
                continue;
            }
            // A decoded part is UTF-8, whatever its declaration names.
            if (!fed && part.decoded())
                xml.addData(QString());
            fed = true;
            switch (tags.scan(buffer.constData(), qsizetype(n))) {
            case TagScan::Finding::TooManyAttributes:
                error = malformed(
                    QStringLiteral("un element are mai mult de %1 de atribute").arg(kMaxAttributes));
                break;
            case TagScan::Finding::Declaration:
                error = malformed(QStringLiteral("are o declaratie DTD"));
                break;
            case TagScan::Finding::None:
                break;
            }
            if (error)
                break;
            sinceToken += n;
            if (!buffered.hold(2 * (lastToken + sinceToken))) {
                error = budgetError();
                break;
            }
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

// The prefixed "id" of an element (r:id), read without namespace processing.
QString relationshipId(const QXmlStreamAttributes& attributes)
{
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
    bool spent = false;
    const db::Error e = streamXml(pkg, relsPart, kMaxSmallPartBytes, [&](QXmlStreamReader& xml) {
        if (xml.isStartElement() && xml.name() == u"Relationship") {
            const QXmlStreamAttributes a = xml.attributes();
            if (a.value(QLatin1String("TargetMode")) == u"External")
                return true;
            QString id = a.value(QLatin1String("Id")).toString();
            Relationship r{a.value(QLatin1String("Type")).toString(),
                           resolve(folder, a.value(QLatin1String("Target")).toString())};
            if (!pkg.budget.take(kEntryCost + Budget::textCost(id.size()) + Budget::textCost(r.type.size()) +
                                 Budget::textCost(r.target.size()))) {
                spent = true;
                return false;
            }
            rels.insert(std::move(id), std::move(r));
        }
        return true;
    });
    if (e)
        return e;
    if (spent)
        return budgetError();
    return rels;
}

db::Result<QVector<bool>> readDateStyles(Package& pkg, const QString& part)
{
    QVector<bool> dateStyle;
    if (part.isEmpty() || locate(pkg.zip.get(), part) < 0)
        return dateStyle;
    QHash<int, bool> custom;
    bool inCellXfs = false;
    bool spent = false;
    const db::Error e = streamXml(pkg, part, kMaxSmallPartBytes, [&](QXmlStreamReader& xml) {
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt") {
                if (!pkg.budget.take(kEntryCost)) {
                    spent = true;
                    return false;
                }
                const QXmlStreamAttributes a = xml.attributes();
                custom.insert(a.value(QLatin1String("numFmtId")).toInt(),
                              isDateFormatCode(a.value(QLatin1String("formatCode")).toString()));
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                if (dateStyle.size() == dateStyle.capacity()) {
                    const qsizetype more = std::max<qsizetype>(dateStyle.capacity(), 1024);
                    if (!pkg.budget.take(more)) {
                        spent = true;
                        return false;
                    }
                    dateStyle.reserve(dateStyle.capacity() + more);
                }
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
    if (spent)
        return budgetError();
    return dateStyle;
}

db::Result<QVector<QString>> readSharedStrings(Package& pkg, const QString& part)
{
    QVector<QString> strings;
    if (part.isEmpty() || locate(pkg.zip.get(), part) < 0)
        return strings;
    QString current;
    Held gathered(pkg.budget); // the text of the item being read
    bool inItem = false;
    bool inText = false;
    int phonetic = 0;
    bool spent = false;
    // Each text is kept once, however many cells show it.
    const auto keep = [&] {
        if (strings.size() == strings.capacity()) {
            const qsizetype more = std::max<qsizetype>(strings.capacity(), 1024);
            if (!pkg.budget.take(more * qint64(sizeof(QString))))
                return false;
            strings.reserve(strings.capacity() + more);
        }
        QString text = std::move(current);
        current = QString();
        Held decoding(pkg.budget); // the decoded text, beside the one read
        if (text.contains(u"_x")) {
            if (!decoding.hold(Budget::textCost(text.size())))
                return false;
            text = decodeEscapes(text);
        }
        gathered.hold(0);
        if (!pkg.budget.take(Budget::textCost(text.capacity())))
            return false;
        strings.push_back(std::move(text));
        return true;
    };
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
                if (!keep()) {
                    spent = true;
                    return false;
                }
            } else if (xml.name() == u"rPh") {
                --phonetic;
            } else if (xml.name() == u"t") {
                inText = false;
            }
            break;
        case QXmlStreamReader::Characters:
            if (inText) {
                if (current.isEmpty())
                    current = xml.text().toString();
                else
                    current += xml.text();
                if (!gathered.hold(Budget::textCost(current.capacity()))) {
                    spent = true;
                    return false;
                }
            }
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

// The worksheet part is by far the largest; it is scanned directly over its
// bytes as they are inflated, through a window that holds what the scan has
// not read yet (and grows only for a tag or a comment longer than itself).
// Only the elements of the cell table matter (row, c, v, is, t, rPh);
// nesting is checked so that a damaged part is an error, and the scan ends
// at the end of the cell table.
class SheetScanner
{
public:
    SheetScanner(PartReader& part, const SheetContext& ctx, RawSheet& sheet, Budget& budget)
        : m_part(part), m_ctx(ctx), m_sheet(sheet), m_budget(budget),
          m_windowHeld(budget), m_gathered(budget)
    {
    }

    db::Error run()
    {
        const qsizetype window = qsizetype(std::clamp<zip_uint64_t>(m_part.declared(), 4096, kWindow));
        if (!m_windowHeld.hold(window))
            return budgetError();
        m_window.resize(window);
        p = end = m_window.constData();
        for (;;) {
            if (end - p < kLookahead && !m_atEnd && !more() && m_error)
                return m_error;
            const char* lt = static_cast<const char*>(memchr(p, '<', size_t(end - p)));
            if (!lt) {
                // A text that runs on past the window: what is whole of it is
                // taken now, an entity cut by the window's end later.
                const char* upTo = end;
                if (m_collect) {
                    for (const char* q = end; q > p && end - q < 16; --q)
                        if (q[-1] == '&') {
                            upTo = q - 1;
                            break;
                        }
                    if (m_atEnd)
                        upTo = end;
                    appendText(p, upTo);
                    if (m_error)
                        return m_error;
                }
                p = upTo;
                if (m_atEnd)
                    break;
                if (!more() && m_error)
                    return m_error;
                continue;
            }
            if (m_collect) {
                appendText(p, lt);
                if (m_error)
                    return m_error;
            }
            p = lt + 1;
            m_short = false;
            if (p >= end) {
                cut();
            } else if (*p == '/') {
                endTag();
            } else if (*p == '!') {
                special();
            } else if (*p == '?') {
                const char* q = find("?>");
                if (!q)
                    cut();
                else
                    p = q + 2;
            } else {
                startTag();
            }
            if (m_short) {
                // The tag runs on past the window: it is read again whole.
                p = lt;
                if (!more())
                    return m_error ? m_error : broken();
                continue;
            }
            if (m_error)
                return m_error;
            if (m_done)
                return db::Error();
        }
        if (m_error)
            return m_error;
        if (m_part.inflated() != m_part.declared())
            return formatError(QStringLiteral("Partea foii '%1' este deteriorata.").arg(m_sheet.name));
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

    // The bytes inflated at once; a tag is whole in the window when it
    // starts this far from its end.
    static constexpr zip_uint64_t kWindow = zip_uint64_t(4) << 20;
    static constexpr qsizetype kLookahead = qsizetype(64) << 10;

    PartReader& m_part;
    zip_uint64_t m_read = 0; // the bytes of UTF-8 read so far
    bool m_atEnd = false;    // all of them
    QByteArray m_window;
    const char* p = nullptr; // the scan, in the window
    const char* end = nullptr;
    bool m_short = false; // the tag at the scan runs on past the window
    const SheetContext& m_ctx;
    RawSheet& m_sheet;
    Budget& m_budget;
    Held m_windowHeld;
    Held m_gathered;                  // the room of m_text
    std::vector<std::string> m_stack; // qualified names of the open elements
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

    // The text of the cell read into m_text, its cost taken from the budget
    // (at most a character for each byte); false when the budget has not
    // the room.
    bool text(QString& out)
    {
        if (!m_budget.take(Budget::textCost(qsizetype(m_text.size()))))
            return false;
        if (m_text.size() > 64) {
            out = QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
            if (out.contains(u"_x")) {
                Held decoding(m_budget); // the decoded text, beside the one read
                if (!decoding.hold(Budget::textCost(out.size())))
                    return false;
                out = decodeEscapes(out);
            }
            return true;
        }
        KeptText& k =
            m_texts[qHash(QByteArrayView(m_text.data(), qsizetype(m_text.size()))) % m_texts.size()];
        if (!k.used || k.bytes != m_text) {
            k.used = true;
            k.bytes = m_text;
            k.text = QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
            if (k.text.contains(u"_x"))
                k.text = decodeEscapes(k.text);
        }
        out = k.text;
        return true;
    }

    // Holds the room m_text has taken; the error is set when the budget has not that much.
    void gathered()
    {
        if (qint64(m_text.capacity()) != m_gathered.bytes() && !m_gathered.hold(qint64(m_text.capacity())))
            m_error = budgetError();
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

    // Inflates more of the part after what the scan has left, which moves
    // to the window's start; the window grows when that fills half of it.
    // The cells' arrays get room ahead for what is read (as readSheet()
    // gives them at first). False at the end of the part, or with the error
    // set when the part is damaged or the budget spent.
    bool more()
    {
        if (m_atEnd)
            return false;
        const qsizetype left = end - p;
        char* base = m_window.data();
        std::memmove(base, p, size_t(left));
        if (left > m_window.size() / 2) {
            const qsizetype grown = 2 * m_window.size();
            if (!m_windowHeld.hold(grown)) {
                m_error = budgetError();
                return false;
            }
            m_window.resize(grown);
            base = m_window.data();
        }
        p = base;
        end = base + left;
        const qint64 n = m_part.read(base + left, m_window.size() - left);
        if (n < 0) {
            m_error = m_part.error();
            return false;
        }
        if (n == 0) {
            m_atEnd = true;
            return false;
        }
        m_read += zip_uint64_t(n);
        end += n;
        const size_t wanted = size_t(std::min<zip_uint64_t>(m_read / 32, 4'000'000));
        if (wanted > m_sheet.values.capacity() &&
            !m_sheet.reserve(std::max(wanted, 2 * m_sheet.values.capacity()) - m_sheet.values.size(),
                             m_budget)) {
            m_error = budgetError();
            return false;
        }
        return true;
    }

    // The tag at the scan ends past the window: it is read again once the
    // window holds more, or it is cut short at the end of the part.
    void cut()
    {
        if (m_atEnd)
            fail(broken());
        else
            m_short = true;
    }
    bool ranOut()
    {
        cut();
        return false;
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
        appendDecoded(from, to);
        gathered();
    }

    void appendDecoded(const char* from, const char* to)
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
                return ranOut();
            if (*p == '>') {
                ++p;
                *selfClosing = false;
                return true;
            }
            if (*p == '/') {
                if (p + 1 >= end)
                    return ranOut();
                if (p[1] != '>')
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
            if (p >= end)
                return ranOut();
            if (*p != '=')
                return false;
            ++p;
            while (p < end && *p == ' ')
                ++p;
            if (p >= end)
                return ranOut();
            if (*p != '"' && *p != '\'')
                return false;
            const char quote = *p++;
            const char* valueEnd = static_cast<const char*>(memchr(p, quote, size_t(end - p)));
            if (!valueEnd)
                return ranOut();
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
                return cut();
            p = q + 3;
            return;
        }
        if (end - p >= 8 && std::string_view(p, 8) == "![CDATA[") {
            const char* q = find("]]>");
            if (!q)
                return cut();
            p += 8;
            if (m_collect) {
                m_text.append(p, size_t(q - p));
                gathered();
            }
            p = q + 3;
            return;
        }
        const char* q = static_cast<const char*>(memchr(p, '>', size_t(end - p)));
        if (!q)
            return cut();
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
            if (!ok)
                return m_short ? void() : fail(broken());
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
            return m_short ? void() : fail(broken());
        if (!selfClosing) {
            if (qname == "c" && plainValue())
                return;
            if (m_stack.size() >= kMaxDepth)
                return fail(formatError(
                    QStringLiteral(
                        "Foaia '%1' nu este un XML corect: elementele sunt imbricate pe mai mult de %2 de "
                        "niveluri.")
                        .arg(m_sheet.name)
                        .arg(kMaxDepth)));
            m_stack.emplace_back(qname);
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
            gathered();
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
            return cut();
        std::string_view qname(nameStart, size_t(gt - nameStart));
        while (!qname.empty() && (qname.back() == ' ' || qname.back() == '\n' || qname.back() == '\r'))
            qname.remove_suffix(1);
        p = gt + 1;
        if (m_stack.empty() || m_stack.back() != qname)
            return fail(broken());
        m_stack.pop_back();
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
        bool paid = false; // the text's cost is taken (or it is shared)
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
            paid = true;
            break;
        }
        case CellType::Inline:
        case CellType::Text: {
            QString t;
            if (!text(t)) {
                m_error = budgetError();
                return;
            }
            v = db::Variant(std::move(t));
            paid = true;
            break;
        }
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
        if (!m_sheet.add(m_row, m_column, std::move(v), m_budget, paid))
            m_error = budgetError();
    }
};

db::Error readSheet(Package& pkg, const QString& part, const SheetContext& ctx, RawSheet& sheet)
{
    zip_uint64_t size = 0;
    zip_uint64_t compressed = 0;
    const db::Result<zip_file_t*> opened = openPart(pkg, part, kMaxPartBytes, &size, &compressed);
    if (!opened)
        return opened.error();
    PartReader reader(*opened, size, part,
                      QStringLiteral("Partea foii '%1' este deteriorata.").arg(sheet.name));
    if (!reader.open()) {
        zip_fclose(*opened);
        return reader.error();
    }
    // Room for the cells at once, when the size the part declares is one
    // its bytes in the file can give (sheets deflate some ten times): a cell
    // takes some 30 characters of the part or more, and at most 4 million
    // cells are taken ahead. Else the room grows with what is read.
    const zip_uint64_t likely = std::min(size, 64 * compressed) / zip_uint64_t(reader.unitBytes());
    if (!sheet.reserve(size_t(std::min<zip_uint64_t>(likely / 32, 4'000'000)), pkg.budget)) {
        zip_fclose(*opened);
        return budgetError();
    }
    SheetScanner scanner(reader, ctx, sheet, pkg.budget);
    const db::Error e = scanner.run();
    zip_fclose(*opened);
    return e;
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
    bool spent = false;
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
                QString sheetName = a.value(QLatin1String("name")).toString();
                if (!pkg.budget.take(kSheetCost + Budget::textCost(sheetName.size()) +
                                     2 * Budget::textCost(rel->target.size()))) {
                    spent = true;
                    return false;
                }
                parts.insert(rel->target.toLower());
                entries.push_back(SheetEntry{std::move(sheetName), rel->target});
            }
        }
        return true;
    });
    if (wbError)
        return wbError;
    if (spent)
        return budgetError();
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

db::Result<QVector<RawSheet>> readXlsx(const QString& path, Budget& budget)
{
    int code = 0;
    const QByteArray file = QFile::encodeName(path);
    Package pkg(budget);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return openError(f);
    const qint64 cost =
        directoryCost(f.size(), [&](qint64 at, qint64 n) { return f.seek(at) ? f.read(n) : QByteArray(); });
    f.close();
    if (!pkg.directory.hold(cost))
        return budgetError();
    pkg.zip.reset(zip_open(file.constData(), ZIP_RDONLY, &code));
    if (!pkg.zip)
        return zipError(code);
    return readPackage(pkg);
}

db::Result<QVector<RawSheet>> readXlsxBytes(const QByteArray& file, Budget& budget)
{
    zip_error_t error;
    zip_error_init(&error);
    Package pkg(budget);
    if (!pkg.directory.hold(directoryCost(
            file.size(), [&](qint64 at, qint64 n) { return file.mid(qsizetype(at), qsizetype(n)); })))
        return budgetError();
    zip_source_t* source = zip_source_buffer_create(file.constData(), zip_uint64_t(file.size()), 0, &error);
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
