#pragma once
// Small .xls files put together record by record: a workbook stream of BIFF
// records inside a compound file, for the cases no spreadsheet program
// writes on purpose (damaged chains, texts split across records, BIFF5).

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstring>

namespace xls_build {

inline void put16(QByteArray& b, quint16 v)
{
    b += char(v & 0xFF);
    b += char(v >> 8);
}
inline void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}
inline void putDouble(QByteArray& b, double d)
{
    quint64 bits = 0;
    std::memcpy(&bits, &d, sizeof d);
    put32(b, quint32(bits & 0xFFFFFFFF));
    put32(b, quint32(bits >> 32));
}
inline void set32(QByteArray& b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline QByteArray record(quint16 type, const QByteArray& body)
{
    QByteArray r;
    put16(r, type);
    put16(r, quint16(body.size()));
    return r + body;
}

// A BIFF8 text: count (one byte or two), flags, UTF-16 characters.
inline QByteArray text(const QString& s, bool shortCount = false)
{
    QByteArray b;
    if (shortCount)
        b += char(s.size());
    else
        put16(b, quint16(s.size()));
    b += char(1);
    for (const QChar ch : s)
        put16(b, ch.unicode());
    return b;
}

// Cell records: row, column, format.
inline QByteArray cellHead(int row, int column, int xf)
{
    QByteArray b;
    put16(b, quint16(row));
    put16(b, quint16(column));
    put16(b, quint16(xf));
    return b;
}
inline QByteArray number(int row, int column, double d, int xf = 0)
{
    QByteArray b = cellHead(row, column, xf);
    putDouble(b, d);
    return record(0x0203, b);
}
inline QByteArray rk(int row, int column, quint32 value, int xf = 0)
{
    QByteArray b = cellHead(row, column, xf);
    put32(b, value);
    return record(0x027E, b);
}
inline QByteArray labelSst(int row, int column, quint32 index, int xf = 0)
{
    QByteArray b = cellHead(row, column, xf);
    put32(b, index);
    return record(0x00FD, b);
}

inline QByteArray bof(quint16 kind, bool biff5 = false)
{
    QByteArray b;
    put16(b, biff5 ? 0x0500 : 0x0600);
    put16(b, kind);
    put16(b, 0);
    put16(b, 1997);
    if (!biff5) {
        put32(b, 0);
        put32(b, 6);
    }
    return record(0x0809, b);
}
inline QByteArray eof()
{
    return record(0x000A, QByteArray());
}

struct SheetPart
{
    QString name;
    QByteArray cells; // records between the sheet's BOF and EOF
};

// The workbook stream: globals (BOF, `globals`, one sheet entry per sheet,
// EOF), then each sheet. BIFF5 names are bytes of the code page.
inline QByteArray workbookStream(const QByteArray& globals, const QList<SheetPart>& sheets, bool biff5 = false)
{
    QByteArray stream = bof(0x0005, biff5) + globals;
    QList<qsizetype> offsetAt;
    for (const SheetPart& s : sheets) {
        QByteArray body;
        put32(body, 0);
        body += char(0);
        body += char(0);
        if (biff5) {
            body += char(s.name.size());
            body += s.name.toLatin1();
        } else {
            body += text(s.name, true);
        }
        offsetAt << stream.size() + 4;
        stream += record(0x0085, body);
    }
    stream += eof();
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        set32(stream, offsetAt.at(i), quint32(stream.size()));
        stream += bof(0x0010, biff5) + sheets.at(i).cells + eof();
    }
    return stream;
}

// A stream of a compound file.
struct Stream
{
    QString name;
    QByteArray bytes;
};

// A compound file of 512-byte sectors holding the streams in its root
// storage; a stream below 4096 bytes goes into the mini stream, as writers do.
inline QByteArray compoundFile(const QList<Stream>& streams)
{
    constexpr quint32 kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFat = 0xFFFFFFFD;
    QByteArray mini;      // the small streams, each in whole 64-byte sectors
    QByteArray miniTable; // their chains
    QList<quint32> starts;
    for (const Stream& s : streams) {
        if (s.bytes.size() >= 4096) {
            starts << 0;
            continue;
        }
        const qsizetype first = mini.size() / 64;
        const qsizetype count = (s.bytes.size() + 63) / 64;
        starts << quint32(first);
        mini += s.bytes + QByteArray(count * 64 - s.bytes.size(), '\0');
        for (qsizetype i = 0; i < count; ++i)
            put32(miniTable, i + 1 < count ? quint32(first + i + 1) : kEnd);
    }
    // Regular sectors after the allocation table: the directory, the mini
    // stream, the large streams, the mini stream's table.
    QList<QByteArray> runs;
    const qsizetype dirSectors = (streams.size() + 1 + 3) / 4;
    runs << QByteArray(dirSectors * 512, '\0') << mini;
    for (const Stream& s : streams)
        if (s.bytes.size() >= 4096)
            runs << s.bytes;
    runs << miniTable;
    qsizetype dataSectors = 0;
    for (const QByteArray& r : runs)
        dataSectors += (r.size() + 511) / 512;
    qsizetype fatSectors = 1;
    while (fatSectors * 128 < fatSectors + dataSectors)
        ++fatSectors;
    QList<quint32> fat(fatSectors * 128, kFree);
    for (qsizetype i = 0; i < fatSectors; ++i)
        fat[i] = kFat;
    QList<quint32> runStart;
    QByteArray data;
    quint32 next = quint32(fatSectors);
    for (const QByteArray& r : runs) {
        const qsizetype count = (r.size() + 511) / 512;
        runStart << (count > 0 ? next : kEnd);
        for (qsizetype i = 0; i < count; ++i)
            fat[next + i] = i + 1 < count ? quint32(next + i + 1) : kEnd;
        next += quint32(count);
        data += r + QByteArray(count * 512 - r.size(), '\0');
    }
    qsizetype large = 2;
    for (qsizetype i = 0; i < streams.size(); ++i)
        if (streams.at(i).bytes.size() >= 4096)
            starts[i] = runStart.at(large++);

    QByteArray header(512, '\0');
    std::memcpy(header.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header[0x18] = 0x3E;
    header[0x1A] = 3;
    header[0x1C] = char(0xFE);
    header[0x1D] = char(0xFF);
    header[0x1E] = 9;
    header[0x20] = 6;
    set32(header, 0x2C, quint32(fatSectors));
    set32(header, 0x30, runStart.at(0));
    set32(header, 0x38, 4096);
    set32(header, 0x3C, runStart.last());
    set32(header, 0x40, quint32((miniTable.size() + 511) / 512));
    set32(header, 0x44, kEnd);
    for (int i = 0; i < 109; ++i)
        set32(header, 0x4C + 4 * i, i < fatSectors ? quint32(i) : kFree);

    QByteArray fatBytes;
    for (const quint32 v : fat)
        put32(fatBytes, v);

    auto entry = [](const QString& n, int type, quint32 right, quint32 child, quint32 start, quint32 size) {
        QByteArray e(128, '\0');
        for (qsizetype i = 0; i < n.size(); ++i) {
            e[2 * i] = char(n.at(i).unicode() & 0xFF);
            e[2 * i + 1] = char(n.at(i).unicode() >> 8);
        }
        e[0x40] = char((n.size() + 1) * 2);
        e[0x42] = char(type);
        e[0x43] = 1;
        set32(e, 0x44, 0xFFFFFFFF);
        set32(e, 0x48, right);
        set32(e, 0x4C, child);
        set32(e, 0x74, start);
        set32(e, 0x78, size);
        return e;
    };
    // The root's children are one chain through their right links.
    QByteArray dir = entry(QStringLiteral("Root Entry"), 5, 0xFFFFFFFF, streams.isEmpty() ? 0xFFFFFFFF : 1,
                           runStart.at(1), quint32(mini.size()));
    for (qsizetype i = 0; i < streams.size(); ++i)
        dir += entry(streams.at(i).name, 2, i + 1 < streams.size() ? quint32(i + 2) : 0xFFFFFFFF, 0xFFFFFFFF,
                     starts.at(i), quint32(streams.at(i).bytes.size()));
    while (dir.size() < dirSectors * 512)
        dir += entry(QString(), 0, 0xFFFFFFFF, 0xFFFFFFFF, kEnd, 0);
    data.replace(0, dir.size(), dir);
    return header + fatBytes + data;
}

inline QByteArray compoundFile(const QByteArray& stream, const QString& name = QStringLiteral("Workbook"))
{
    return compoundFile(QList<Stream>{Stream{name, stream}});
}

} // namespace xls_build
