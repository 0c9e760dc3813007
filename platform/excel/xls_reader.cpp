// .xls: the workbook stream of a compound file, BIFF8 (Excel 97 and later)
// or BIFF5 (Excel 5 and 95). Read from the bytes of the file with every
// offset, count and chain checked against what is there, so that a damaged
// or hostile file is an error and never a read outside the file.

#include "platform/excel/reader_internal.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <optional>

namespace excel::detail {

namespace {

// Little-endian values at an offset of a byte range; the caller checks the
// range first.
struct Bytes
{
    const uchar* data = nullptr;
    qsizetype size = 0;

    bool has(qsizetype at, qsizetype length) const
    {
        return at >= 0 && length >= 0 && at <= size && length <= size - at;
    }
    quint8 u8(qsizetype at) const { return data[at]; }
    quint16 u16(qsizetype at) const { return quint16(data[at] | (data[at + 1] << 8)); }
    quint32 u32(qsizetype at) const { return quint32(u16(at)) | (quint32(u16(at + 2)) << 16); }
    double f64(qsizetype at) const
    {
        const quint64 bits = quint64(u32(at)) | (quint64(u32(at + 4)) << 32);
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
};

db::Error damaged(const QString& what)
{
    return formatError(QStringLiteral("Fisierul .xls este deteriorat: %1.").arg(what));
}

// ---------------------------------------------------------------------------
// The compound file: sectors chained through the allocation table, a
// directory of named streams, small streams in a mini stream of their own.

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kMaxSector = 0xFFFFFFFA;

class CompoundFile
{
public:
    // What it takes out of the file (its tables, its directory, the mini
    // stream) is held from `budget`.
    CompoundFile(const QByteArray& file, Budget& budget)
        : m_file{reinterpret_cast<const uchar*>(file.constData()), file.size()}, m_budget(budget),
          m_tableHeld(budget), m_directoryHeld(budget), m_miniHeld(budget), m_miniTableHeld(budget)
    {
    }

    db::Error open()
    {
        if (!m_file.has(0, 512) || std::memcmp(m_file.data, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0)
            return damaged(QStringLiteral("antetul lui este incomplet"));
        const quint16 shift = m_file.u16(0x1E);
        if (m_file.u16(0x1C) != 0xFFFE || (shift != 9 && shift != 12) || m_file.u16(0x20) != 6)
            return damaged(QStringLiteral("antetul lui nu este al unui fisier compus (OLE)"));
        m_shift = shift;
        m_sectorSize = qsizetype(1) << shift;
        m_sectors = m_file.size / m_sectorSize - 1 + (m_file.size % m_sectorSize ? 1 : 0);
        if (m_sectors <= 0)
            return damaged(QStringLiteral("nu are niciun sector"));
        m_miniCutoff = m_file.u32(0x38);

        // The allocation table: its sectors are listed in the header, then in
        // a chain of list sectors.
        std::vector<quint32> tableSectors;
        const quint32 tableCount = m_file.u32(0x2C);
        for (int i = 0; i < 109 && tableSectors.size() < tableCount; ++i) {
            const quint32 s = m_file.u32(0x4C + 4 * i);
            if (s >= kMaxSector)
                break;
            tableSectors.push_back(s);
        }
        quint32 list = m_file.u32(0x44);
        const qsizetype perList = m_sectorSize / 4 - 1;
        for (qsizetype steps = 0; list < kMaxSector && tableSectors.size() < tableCount; ++steps) {
            if (steps > m_sectors || !isWholeSector(list))
                return damaged(QStringLiteral("lista sectoarelor lui este rupta"));
            const qsizetype at = offsetOf(list);
            for (qsizetype i = 0; i < perList && tableSectors.size() < tableCount; ++i) {
                const quint32 s = m_file.u32(at + 4 * i);
                if (s >= kMaxSector)
                    break;
                tableSectors.push_back(s);
            }
            if (qsizetype(tableSectors.size()) > m_sectors)
                return damaged(QStringLiteral("lista sectoarelor lui este rupta"));
            list = m_file.u32(at + 4 * perList);
        }
        if (tableSectors.empty() || qsizetype(tableSectors.size()) > m_sectors)
            return damaged(QStringLiteral("tabela lui de alocare lipseste"));
        if (!m_tableHeld.hold(qint64(tableSectors.size()) * m_sectorSize))
            return budgetError();
        m_table.reserve(tableSectors.size() * size_t(m_sectorSize / 4));
        for (const quint32 s : tableSectors) {
            if (!isWholeSector(s))
                return damaged(QStringLiteral("tabela lui de alocare este in afara fisierului"));
            const qsizetype at = offsetOf(s);
            for (qsizetype i = 0; i < m_sectorSize / 4; ++i)
                m_table.push_back(m_file.u32(at + 4 * i));
        }

        // The directory, and in its first entry the mini stream.
        db::Result<QByteArray> directory = chain(m_file.u32(0x30), -1, m_directoryHeld);
        if (!directory)
            return directory.error();
        m_directory = std::move(*directory);
        if (m_directory.size() < 128 || dir().u8(0x42) != 5)
            return damaged(QStringLiteral("directorul lui nu are radacina"));
        return db::Error();
    }

    // Whether the root storage holds a stream of that name.
    bool holds(const QString& name) const
    {
        QString found;
        return entry(QStringList{name}, &found) >= 0;
    }

    // The named stream of the root storage (the first of the names found);
    // an empty name when there is none. Its bytes are held in `held`.
    db::Result<QByteArray> stream(const QStringList& names, QString* found, Held& held)
    {
        const qsizetype match = entry(names, found);
        if (match < 0) {
            found->clear();
            return QByteArray();
        }
        const quint32 start = dir().u32(match + 0x74);
        // Files of 512-byte sectors keep only the low half of the size.
        const quint64 size = m_shift == 9
                                 ? dir().u32(match + 0x78)
                                 : quint64(dir().u32(match + 0x78)) | quint64(dir().u32(match + 0x7C)) << 32;
        if (size > quint64(m_file.size))
            return damaged(QStringLiteral("un flux este mai mare decat fisierul"));
        if (size < m_miniCutoff)
            return miniStream(start, qsizetype(size), held);
        return chain(start, qsizetype(size), held);
    }

private:
    // The directory entry (its offset) of the first of the names found
    // among the root's children, -1 when none is there.
    qsizetype entry(const QStringList& names, QString* found) const
    {
        const qsizetype entries = m_directory.size() / 128;
        // The root's children form a tree through their left and right links.
        std::vector<bool> seen(size_t(entries), false);
        std::vector<quint32> pending{dir().u32(0x4C)};
        qsizetype match = -1;
        int rank = int(names.size());
        while (!pending.empty()) {
            const quint32 id = pending.back();
            pending.pop_back();
            if (id >= quint32(entries) || seen[id])
                continue;
            seen[id] = true;
            const qsizetype at = qsizetype(id) * 128;
            pending.push_back(dir().u32(at + 0x44));
            pending.push_back(dir().u32(at + 0x48));
            if (dir().u8(at + 0x42) != 2)
                continue;
            const int bytes = std::min<int>(dir().u16(at + 0x40), 64);
            QString name;
            for (int i = 0; i + 1 < bytes; i += 2) {
                const char16_t ch = dir().u16(at + i);
                if (ch == 0)
                    break;
                name += QChar(ch);
            }
            for (int r = 0; r < rank; ++r) {
                if (name.compare(names.at(r), Qt::CaseInsensitive) == 0) {
                    match = at;
                    rank = r;
                    *found = names.at(r);
                    break;
                }
            }
        }
        return match;
    }

    Bytes m_file;
    Budget& m_budget;
    Held m_tableHeld;
    Held m_directoryHeld;
    Held m_miniHeld;      // the mini stream
    Held m_miniTableHeld; // its allocation table
    int m_shift = 9;
    qsizetype m_sectorSize = 512;
    qsizetype m_sectors = 0;
    quint32 m_miniCutoff = 4096;
    std::vector<quint32> m_table;
    QByteArray m_directory;

    Bytes dir() const { return Bytes{reinterpret_cast<const uchar*>(m_directory.constData()), m_directory.size()}; }
    bool isSector(quint32 s) const { return qsizetype(s) < m_sectors; }
    // A sector the file holds whole (the last one may be cut short).
    bool isWholeSector(quint32 s) const { return isSector(s) && m_file.has(offsetOf(s), m_sectorSize); }
    qsizetype offsetOf(quint32 s) const { return (qsizetype(s) + 1) << m_shift; }

    // The bytes of a chain of sectors starting at `start`, `size` of them
    // (-1: the whole chain), held in `held`. A chain that loops or leaves the
    // file is an error.
    db::Result<QByteArray> chain(quint32 start, qsizetype size, Held& held)
    {
        if (size > m_file.size)
            return damaged(QStringLiteral("un flux este mai mare decat fisierul"));
        QByteArray out;
        if (size >= 0) {
            if (!held.hold(size))
                return budgetError();
            out.reserve(size);
        }
        quint32 s = start;
        for (qsizetype steps = 0; size < 0 || out.size() < size; ++steps) {
            if (s == kEndOfChain && size < 0)
                break;
            if (steps > m_sectors || !isSector(s) || s >= m_table.size())
                return damaged(QStringLiteral("un lant de sectoare este rupt"));
            const qsizetype at = offsetOf(s);
            qsizetype take = std::min(m_sectorSize, m_file.size - at);
            if (size >= 0)
                take = std::min(take, size - out.size());
            if (take <= 0)
                return damaged(QStringLiteral("un flux este incomplet"));
            out.append(reinterpret_cast<const char*>(m_file.data + at), take);
            if (out.capacity() > held.bytes() && !held.hold(out.capacity()))
                return budgetError();
            s = m_table[s];
        }
        return out;
    }

    db::Result<QByteArray> miniStream(quint32 start, qsizetype size, Held& held)
    {
        if (size == 0)
            return QByteArray();
        if (!m_miniRead) {
            m_miniRead = true;
            const db::Result<QByteArray> mini =
                chain(dir().u32(0x74), qsizetype(dir().u32(0x78)), m_miniHeld);
            if (!mini)
                return mini.error();
            Held tableBytes(m_budget); // while it is read
            const db::Result<QByteArray> table = chain(m_file.u32(0x3C), -1, tableBytes);
            if (!table)
                return table.error();
            m_mini = *mini;
            const Bytes t{reinterpret_cast<const uchar*>(table->constData()), table->size()};
            if (!m_miniTableHeld.hold(t.size))
                return budgetError();
            m_miniTable.reserve(size_t(t.size / 4));
            for (qsizetype i = 0; i + 4 <= t.size; i += 4)
                m_miniTable.push_back(t.u32(i));
        }
        if (!held.hold(size))
            return budgetError();
        QByteArray out;
        out.reserve(size);
        quint32 s = start;
        for (qsizetype steps = 0; out.size() < size; ++steps) {
            const qsizetype at = qsizetype(s) * 64;
            if (steps > qsizetype(m_miniTable.size()) || s >= m_miniTable.size() || at + 64 > m_mini.size())
                return damaged(QStringLiteral("un lant de sectoare mici este rupt"));
            out.append(m_mini.constData() + at, std::min<qsizetype>(64, size - out.size()));
            s = m_miniTable[s];
        }
        return out;
    }

    bool m_miniRead = false;
    QByteArray m_mini;
    std::vector<quint32> m_miniTable;
};

// ---------------------------------------------------------------------------
// The records of the workbook stream.

enum : quint16
{
    kFormula = 0x0006,
    kEof = 0x000A,
    kDateMode = 0x0022,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kMulRk = 0x00BD,
    kRString = 0x00D6,
    kXf = 0x00E0,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRk = 0x027E,
    kFormat = 0x041E,
    kBof = 0x0809,
};

struct Record
{
    quint16 type = 0;
    Bytes body;
    qsizetype next = 0; // offset of the record after it
};

// The record of `stream` at `at`; false at the end of the stream or when the
// record runs past it.
bool readRecord(Bytes stream, qsizetype at, Record& r)
{
    if (!stream.has(at, 4))
        return false;
    const quint16 length = stream.u16(at + 2);
    if (!stream.has(at + 4, length))
        return false;
    r.type = stream.u16(at);
    r.body = Bytes{stream.data + at + 4, length};
    r.next = at + 4 + length;
    return true;
}

// A record and the CONTINUE records after it, read as one run of bytes,
// except that the characters of a string carry on in the next part after
// a byte of flags of their own. The parts are found in the stream as the
// reading reaches them.
class Continued
{
public:
    // A run of bytes of its own, with nothing after it.
    explicit Continued(Bytes part) : m_part(part) {}
    // The body of a record and the CONTINUE records of the stream from `next` on.
    Continued(Bytes stream, Bytes body, qsizetype next) : m_stream(stream), m_part(body), m_next(next) {}

    bool u8(quint8& v)
    {
        if (!ready())
            return false;
        v = m_part.u8(m_at++);
        return true;
    }
    bool u16(quint16& v)
    {
        quint8 a = 0, b = 0;
        if (!u8(a) || !u8(b))
            return false;
        v = quint16(a | (b << 8));
        return true;
    }
    bool u32(quint32& v)
    {
        quint16 a = 0, b = 0;
        if (!u16(a) || !u16(b))
            return false;
        v = quint32(a) | (quint32(b) << 16);
        return true;
    }
    bool skip(quint64 n)
    {
        while (n > 0) {
            if (!ready())
                return false;
            const qsizetype take = qsizetype(std::min<quint64>(n, quint64(m_part.size - m_at)));
            m_at += take;
            n -= quint64(take);
        }
        return true;
    }
    // `count` characters, one byte each (Latin-1) or two (UTF-16).
    bool chars(int count, bool wide, QString& out)
    {
        out.reserve(out.size() + count);
        while (count > 0) {
            if (m_at >= m_part.size) {
                if (!nextPart())
                    return false;
                quint8 flags = 0;
                if (!u8(flags))
                    return false;
                wide = flags & 1;
            }
            const Bytes& b = m_part;
            const qsizetype width = wide ? 2 : 1;
            const qsizetype take = std::min<qsizetype>(count, (b.size - m_at) / width);
            if (take == 0)
                return false;
            for (qsizetype i = 0; i < take; ++i)
                out += QChar(wide ? b.u16(m_at + 2 * i) : b.u8(m_at + i));
            m_at += take * width;
            count -= int(take);
        }
        return true;
    }

private:
    Bytes m_stream;
    Bytes m_part;
    qsizetype m_next = 0; // the record after the part
    qsizetype m_at = 0;

    // The CONTINUE record at m_next, when there is one.
    bool nextPart()
    {
        Record r;
        if (!readRecord(m_stream, m_next, r) || r.type != kContinue)
            return false;
        m_part = r.body;
        m_next = r.next;
        m_at = 0;
        return true;
    }
    bool ready()
    {
        while (m_at >= m_part.size)
            if (!nextPart())
                return false;
        return true;
    }
};

class Workbook
{
public:
    Workbook(const QByteArray& stream, Budget& budget)
        : m_stream{reinterpret_cast<const uchar*>(stream.constData()), stream.size()}, m_budget(budget)
    {
    }

    db::Result<QVector<RawSheet>> read()
    {
        if (db::Error e = globals())
            return e;
        // Each sheet is a part of the stream of its own, after the globals and
        // before the next sheet: so the stream is read once, however many
        // sheets the workbook lists.
        std::vector<qsizetype> starts;
        for (const SheetEntry& entry : m_sheets)
            starts.push_back(entry.offset);
        std::sort(starts.begin(), starts.end());
        for (size_t i = 0; i < starts.size(); ++i)
            if (starts[i] < m_globalsEnd || (i > 0 && starts[i] == starts[i - 1]))
                return damaged(QStringLiteral("foile lui se suprapun"));
        QVector<RawSheet> sheets;
        for (const SheetEntry& entry : m_sheets) {
            RawSheet sheet;
            sheet.name = entry.name;
            const auto next = std::upper_bound(starts.begin(), starts.end(), entry.offset);
            const qsizetype limit = next == starts.end() ? m_stream.size : *next;
            if (db::Error e = cells(entry.offset, limit, sheet))
                return e;
            sheets.push_back(std::move(sheet));
        }
        return sheets;
    }

private:
    struct SheetEntry
    {
        QString name;
        qsizetype offset;
    };

    Bytes m_stream;
    qsizetype m_globalsEnd = 0;
    bool m_biff5 = false;
    bool m_date1904 = false;
    std::optional<QStringDecoder> m_codePage; // of the 8-bit texts of BIFF5
    QVector<SheetEntry> m_sheets;
    QVector<QString> m_strings;
    QHash<int, bool> m_dateFormats; // of the formats the file defines
    std::vector<bool> m_dateXf;     // per cell format: does it show a date
    Budget& m_budget;

    bool record(qsizetype at, Record& r) const { return readRecord(m_stream, at, r); }

    Continued continued(const Record& r) const { return Continued(m_stream, r.body, r.next); }

    static db::Error cut() { return damaged(QStringLiteral("fluxul registrului este incomplet")); }

    QString bytesText(const uchar* data, qsizetype n)
    {
        const QByteArrayView bytes(reinterpret_cast<const char*>(data), n);
        if (m_codePage && m_codePage->isValid())
            return m_codePage->decode(bytes);
        return QString::fromLatin1(bytes);
    }

    // A text of the record: in BIFF8 a count, a byte of flags and the
    // characters; in BIFF5 a count and bytes of the code page.
    bool text(Continued& c, bool shortCount, QString& out)
    {
        quint16 count = 0;
        if (shortCount) {
            quint8 n = 0;
            if (!c.u8(n))
                return false;
            count = n;
        } else if (!c.u16(count)) {
            return false;
        }
        if (m_biff5) {
            QByteArray bytes;
            for (int i = 0; i < count; ++i) {
                quint8 b = 0;
                if (!c.u8(b))
                    return false;
                bytes += char(b);
            }
            out = bytesText(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
            return true;
        }
        quint8 flags = 0;
        if (!c.u8(flags))
            return false;
        quint16 runs = 0;
        quint32 extra = 0;
        if ((flags & 0x08) && !c.u16(runs))
            return false;
        if ((flags & 0x04) && !c.u32(extra))
            return false;
        out.clear();
        return c.chars(count, flags & 1, out) && c.skip(quint64(runs) * 4) && c.skip(extra);
    }

    void setCodePage(quint16 page)
    {
        QByteArray name;
        switch (page) {
        case 367:
            name = "US-ASCII";
            break;
        case 437:
        case 850:
        case 852:
        case 855:
        case 857:
        case 860:
        case 861:
        case 862:
        case 863:
        case 864:
        case 865:
        case 866:
        case 869:
            name = "IBM" + QByteArray::number(page);
            break;
        case 874:
            name = "windows-874";
            break;
        case 10000:
        case 32768:
            name = "macintosh";
            break;
        case 32769:
            name = "windows-1252";
            break;
        default:
            if (page >= 1250 && page <= 1258)
                name = "windows-" + QByteArray::number(page);
            break;
        }
        if (!name.isEmpty())
            m_codePage.emplace(name.constData());
    }

    db::Error globals()
    {
        Record r;
        if (!record(0, r) || r.type != kBof || !r.body.has(0, 2))
            return damaged(QStringLiteral("fluxul registrului nu incepe ca unul"));
        m_biff5 = r.body.u16(0) < 0x0600;
        for (qsizetype at = r.next;; at = r.next) {
            if (!record(at, r))
                return cut();
            switch (r.type) {
            case kEof:
                m_globalsEnd = r.next;
                return db::Error();
            case kFilePass: // the file is encrypted
                return protectedError();
            case kDateMode:
                if (r.body.has(0, 2))
                    m_date1904 = r.body.u16(0) == 1;
                break;
            case kCodePage:
                if (m_biff5 && r.body.has(0, 2))
                    setCodePage(r.body.u16(0));
                break;
            case kBoundSheet: {
                if (!r.body.has(0, 6))
                    return damaged(QStringLiteral("intrarea unei foi este incompleta"));
                const quint32 offset = r.body.u32(0);
                const quint8 kind = r.body.u8(5);
                Continued c(Bytes{r.body.data + 6, r.body.size - 6});
                QString name;
                if (!text(c, true, name))
                    return damaged(QStringLiteral("numele unei foi este incomplet"));
                // Worksheets only: chart, macro and module sheets hold no table.
                if (kind == 0) {
                    if (!m_budget.take(kSheetCost + Budget::textCost(name.size())))
                        return budgetError();
                    m_sheets.push_back(SheetEntry{name, qsizetype(offset)});
                }
                break;
            }
            case kFormat: {
                if (!r.body.has(0, 2))
                    return damaged(QStringLiteral("un format de numar este incomplet"));
                Continued c = continued(r);
                quint16 id = 0;
                QString code;
                if (!c.u16(id) || !text(c, m_biff5, code))
                    return damaged(QStringLiteral("un format de numar este incomplet"));
                m_dateFormats.insert(id, isDateFormatCode(code));
                break;
            }
            case kXf: {
                if (!r.body.has(0, 4))
                    return damaged(QStringLiteral("un format de celula este incomplet"));
                const int id = r.body.u16(2);
                m_dateXf.push_back(m_dateFormats.contains(id) ? m_dateFormats.value(id) : isBuiltInDate(id));
                break;
            }
            case kSst:
                if (db::Error e = sharedStrings(r))
                    return e;
                break;
            default:
                break;
            }
        }
    }

    db::Error sharedStrings(const Record& r)
    {
        Continued c = continued(r);
        quint32 total = 0, unique = 0;
        if (!c.u32(total) || !c.u32(unique))
            return damaged(QStringLiteral("textele lui comune sunt incomplete"));
        // The count is a claim: texts are kept as they are read.
        for (quint32 i = 0; i < unique; ++i) {
            QString s;
            if (!text(c, false, s))
                return damaged(QStringLiteral("textele lui comune sunt incomplete"));
            if (m_strings.size() == m_strings.capacity()) {
                const qsizetype more = std::max<qsizetype>(m_strings.capacity(), 1024);
                if (!m_budget.take(more * qint64(sizeof(QString))))
                    return budgetError();
                m_strings.reserve(m_strings.capacity() + more);
            }
            if (!m_budget.take(Budget::textCost(s.capacity())))
                return budgetError();
            m_strings.push_back(std::move(s));
        }
        return db::Error();
    }

    bool isDate(quint16 xf) const { return xf < m_dateXf.size() && m_dateXf[xf]; }

    db::Variant number(double d, quint16 xf) const
    {
        return isDate(xf) ? dateValue(d, m_date1904) : numberValue(d);
    }

    static double rk(quint32 v)
    {
        double d = 0;
        if (v & 2) {
            d = double(qint32(v) >> 2);
        } else {
            const quint64 bits = quint64(v & 0xFFFFFFFC) << 32;
            std::memcpy(&d, &bits, sizeof d);
        }
        return (v & 1) ? d / 100 : d;
    }

    db::Error cells(qsizetype offset, qsizetype limit, RawSheet& sheet)
    {
        Record r;
        if (!record(offset, r) || r.type != kBof)
            return damaged(QStringLiteral("foaia '%1' nu este unde arata registrul").arg(sheet.name));
        int depth = 0; // sub-streams inside the sheet (charts) are passed over
        bool pendingText = false; // a formula whose text follows in a STRING record
        quint16 pendingRow = 0, pendingColumn = 0;
        const auto put = [&](int row, int column, db::Variant v, bool shared = false) -> db::Error {
            if (column >= kMaxColumns)
                return formatError(QStringLiteral("O celula este dupa ultima coloana a unei foi."));
            if (!sheet.add(row, column, std::move(v), m_budget, shared))
                return budgetError();
            return db::Error();
        };
        for (qsizetype at = r.next;; at = r.next) {
            if (at >= limit)
                return damaged(QStringLiteral("foile lui se suprapun"));
            if (!record(at, r))
                return cut();
            const Bytes& b = r.body;
            if (r.type == kBof) {
                ++depth;
                continue;
            }
            if (r.type == kEof) {
                if (depth == 0)
                    return db::Error();
                --depth;
                continue;
            }
            if (depth > 0)
                continue;
            db::Error e;
            switch (r.type) {
            case kNumber:
                if (b.has(0, 14))
                    e = put(b.u16(0), b.u16(2), number(b.f64(6), b.u16(4)));
                break;
            case kRk:
                if (b.has(0, 10))
                    e = put(b.u16(0), b.u16(2), number(rk(b.u32(6)), b.u16(4)));
                break;
            case kMulRk:
                if (b.has(0, 6)) {
                    const quint16 row = b.u16(0);
                    const int first = b.u16(2);
                    const qsizetype n = (b.size - 6) / 6;
                    for (qsizetype i = 0; i < n && !e; ++i)
                        e = put(row, first + int(i), number(rk(b.u32(4 + 6 * i + 2)), b.u16(4 + 6 * i)));
                }
                break;
            case kLabelSst:
                if (b.has(0, 10)) {
                    const quint32 i = b.u32(6);
                    if (i >= quint32(m_strings.size()))
                        return formatError(
                            QStringLiteral("O celula trimite la un text comun care lipseste."));
                    e = put(b.u16(0), b.u16(2), db::Variant(m_strings.at(qsizetype(i))), true);
                }
                break;
            case kLabel:
            case kRString:
                if (b.has(0, 6)) {
                    Continued c = continued(r);
                    QString s;
                    if (!c.skip(6) || !text(c, false, s))
                        return damaged(QStringLiteral("o celula de text este incompleta"));
                    e = put(b.u16(0), b.u16(2), db::Variant(std::move(s)));
                }
                break;
            case kBoolErr:
                if (b.has(0, 8))
                    e = put(b.u16(0), b.u16(2),
                            b.u8(7) ? db::Variant::null() : db::Variant(b.u8(6) != 0));
                break;
            case kFormula:
                pendingText = false;
                if (b.has(0, 14)) {
                    const quint16 row = b.u16(0), column = b.u16(2);
                    if (b.u16(12) != 0xFFFF) {
                        e = put(row, column, number(b.f64(6), b.u16(4)));
                    } else if (b.u8(6) == 0) {
                        pendingText = true;
                        pendingRow = row;
                        pendingColumn = column;
                    } else if (b.u8(6) == 1) {
                        e = put(row, column, db::Variant(b.u8(8) != 0));
                    } else if (b.u8(6) == 2) {
                        e = put(row, column, db::Variant::null());
                    }
                }
                break;
            case kString:
                if (pendingText) {
                    pendingText = false;
                    Continued c = continued(r);
                    QString s;
                    if (!text(c, false, s))
                        return damaged(QStringLiteral("textul unei formule este incomplet"));
                    e = put(pendingRow, pendingColumn, db::Variant(std::move(s)));
                }
                break;
            default:
                break;
            }
            if (e)
                return e;
        }
    }
};

} // namespace

db::Result<QVector<RawSheet>> readXlsBytes(const QByteArray& file, Budget& budget)
{
    CompoundFile cf(file, budget);
    if (db::Error e = cf.open())
        return e;
    // A password-protected .xlsx is a compound file holding the package encrypted.
    if (cf.holds(QStringLiteral("EncryptedPackage")) || cf.holds(QStringLiteral("EncryptionInfo")))
        return protectedError();
    QString name;
    Held streamBytes(budget);
    const db::Result<QByteArray> stream =
        cf.stream(QStringList{QStringLiteral("Workbook"), QStringLiteral("Book")}, &name, streamBytes);
    if (!stream)
        return stream.error();
    if (name.isEmpty())
        return formatError(
            QStringLiteral("Fisierul nu contine un registru excel (este un document al altui program?)."));
    Workbook book(*stream, budget);
    return book.read();
}

// The file is read by its size, within the budget: nothing is taken for
// what a file might hold.
db::Result<QVector<RawSheet>> readXls(const QString& path, Budget& budget)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return openError(f);
    const qint64 size = f.size();
    if (size > kMaxXlsBytes)
        return tooLargeError(QStringLiteral("un fisier .xls de mai mult de %1 MB.").arg(kMaxXlsBytes >> 20));
    Held bytes(budget);
    if (!bytes.hold(size))
        return budgetError();
    const QByteArray file = f.read(size);
    if (f.error() != QFileDevice::NoError)
        return openError(f);
    return readXlsBytes(file, budget);
}

} // namespace excel::detail
