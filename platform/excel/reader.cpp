#include "platform/excel/reader.h"

#include "platform/excel/reader_internal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace excel {

namespace detail {

db::Variant numberValue(double d)
{
    if (!std::isfinite(d))
        return db::Variant::null();
    if (d == std::floor(d) && std::fabs(d) < 9007199254740992.0)
        return db::Variant(static_cast<std::int64_t>(d));
    return db::Variant(d);
}

QDateTime dateFromSerial(double serial, bool date1904)
{
    // A time alone is a time of the day before the first day.
    if (!date1904 && serial >= 0 && serial < 1) {
        const qint64 seconds = std::min<qint64>(std::llround(serial * 86400.0), 86399);
        return QDateTime(QDate(1899, 12, 30), QTime(0, 0).addSecs(int(seconds)));
    }
    // The 1900 system counts a 29 February 1900 that never was: serials
    // before it are one day later than the plain count from 30 Dec 1899.
    QDate base = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    if (!date1904 && serial < 61)
        base = QDate(1899, 12, 31);
    if (!date1904 && serial >= 60 && serial < 61)
        serial = 59 + (serial - 60); // the day that never was reads as 28 February
    const double day = std::floor(serial);
    qint64 seconds = qint64(std::llround((serial - day) * 86400.0));
    QDate date = base.addDays(qint64(day));
    if (seconds >= 86400) {
        date = date.addDays(1);
        seconds -= 86400;
    }
    return QDateTime(date, QTime(0, 0).addSecs(int(seconds)));
}

db::Variant dateValue(double serial, bool date1904)
{
    // The calendar of a workbook ends on 31 December 9999; the 1904 system
    // counts its days from 1462 days later.
    const double end = date1904 ? db::kEndDateSerial - 1462 : db::kEndDateSerial;
    if (!std::isfinite(serial))
        return db::Variant::null();
    if (serial < 0 || serial >= end)
        return db::Variant(serial);
    return db::Variant(dateFromSerial(serial, date1904));
}

bool isDateFormatCode(const QString& code)
{
    // The first section, without quoted text, escaped characters, fill and
    // spacing characters and [...] parts (colours, locales, elapsed hours).
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code.at(i);
        if (ch == u';')
            return false;
        if (ch == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            if (end < 0)
                return false;
            i = end;
            continue;
        }
        if (ch == u'\\' || ch == u'_' || ch == u'*') {
            ++i;
            continue;
        }
        if (ch == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            if (end < 0)
                return false;
            const QString inside = code.mid(i + 1, end - i - 1).toLower();
            if (!inside.isEmpty() && (inside.at(0) == u'h' || inside.at(0) == u'm' || inside.at(0) == u's') &&
                inside.count(inside.at(0)) == inside.size())
                return true; // [h], [mm], [ss]: a time
            i = end;
            continue;
        }
        switch (ch.toLower().unicode()) {
        case 'd':
        case 'm':
        case 'y':
        case 'h':
        case 's':
            return true;
        default:
            break;
        }
    }
    return false;
}

bool isBuiltInDate(int id)
{
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47);
}

db::Error formatError(const QString& detail)
{
    return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
                     detail.isEmpty() ? QStringLiteral("Fisierul nu are formatul unui fisier excel.")
                                      : detail);
}

db::Error tooLargeError(const QString& detail)
{
    return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
                     QStringLiteral("Fisierul excel este prea mare pentru a fi citit: ") + detail);
}

db::Error budgetError()
{
    return tooLargeError(
        QStringLiteral("citirea lui cere mai mult de %1 MB de memorie.").arg(kMaxReadMemory >> 20));
}

db::Error tablesBudgetError(const Budget& budget)
{
    return tooLargeError(
        QStringLiteral("tabelele foilor lui cer impreuna mai mult de %1 MB de memorie si de spatiu in folderul "
                       "temporar.")
            .arg(budget.total() >> 20));
}

db::Error diskFullError(const QString& folder)
{
    return db::Error(db::Error::Kind::DiskFull, db::ErrorNumber::General,
                     QStringLiteral("Nu este destul spatiu pe disc in folderul temporar '%1' pentru a citi "
                                    "fisierul excel: eliberati spatiu pe disc si incercati din nou.")
                         .arg(QDir::toNativeSeparators(folder)));
}

QString columnLetters(int column)
{
    QString s;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        s.prepend(QChar(char16_t(u'A' + (c - 1) % 26)));
    return s;
}

db::Error protectedError()
{
    return db::Error(
        db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
        QStringLiteral(
            "Fisierul excel este protejat cu parola: salvati-l fara parola si incercati din nou."));
}

db::Error openError(const QFile& file)
{
    return db::Error(db::Error::Kind::Io, db::ErrorNumber::General,
                     file.error() == QFileDevice::PermissionsError
                         ? QStringLiteral("Fisierul '%1' nu poate fi deschis: nu aveti drept de citire.")
                               .arg(file.fileName())
                         : QStringLiteral("Fisierul '%1' nu poate fi deschis (%2).")
                               .arg(file.fileName(), file.errorString()));
}

namespace {

bool isEmptyCell(const db::Variant& v)
{
    return v.isMissing() || (v.isText() && v.asText().isEmpty());
}

// The two texts one after the other, in a text of their size: one built
// by appending keeps room to grow, up to as much again.
QString joined(const QString& a, const QString& b)
{
    QString s;
    s.reserve(a.size() + b.size());
    s.append(a);
    s.append(b);
    return s;
}

// One pass over the headings: a name met again takes the first number not
// taken after it, and each name remembers where its numbers stand, so that
// many equal headings cost no more than as many different ones. Each name
// and the folded key it is known by are held in `held` before they are
// made (a long heading repeated costs its length for every column); false
// when the budget has not the room.
bool fieldNames(const QVector<db::Variant>& heading, int width, Held& held, QStringList& names)
{
    names.reserve(width);
    QSet<QString> used;             // case-folded
    QHash<QString, int> nextNumber; // case-folded name -> the number to try first
    used.reserve(width);
    for (int c = 0; c < width; ++c) {
        QString name;
        if (c < heading.size() && !isEmptyCell(heading.at(c)))
            name = heading.at(c).toText();
        name.replace(u'.', u'#');
        name.replace(u'[', u'(');
        name.replace(u']', u')');
        if (name.trimmed().isEmpty())
            name = u'F' + QString::number(c + 1);
        // The name, its key and a number each may take; the slots of the list, the set and the table.
        if (!held.hold(held.bytes() + 2 * Budget::textCost(name.size() + 12) + 4 * qint64(sizeof(QString))))
            return false;
        QString folded = name.toCaseFolded();
        if (used.contains(folded)) {
            // Numbers below the one remembered are taken: by this name
            // before, or by headings that were already there.
            // The key shares the text the set holds, which the budget counts.
            int& n = nextNumber[*used.constFind(folded)];
            QString number, candidate;
            do {
                number = QString::number(++n);
                candidate = joined(folded, number);
            } while (used.contains(candidate));
            name = joined(name, number);
            folded = std::move(candidate);
        }
        used.insert(folded);
        names.push_back(name);
    }
    return true;
}

} // namespace

} // namespace detail

// Builds a Sheet from the cells as read: in order of row and column, the
// last of the cells at one place kept, blanks and the heading row left out.
// What it adds to the cells (the field names, the row index) and what it
// holds for a while (the order of a sort, the heading row) is taken from the
// read's budget.
struct SheetBuilder
{
    static db::Result<Sheet> build(detail::RawSheet&& raw, detail::Budget& budget)
    {
        using detail::RawSheet;
        if (!raw.ordered && !sort(raw, budget))
            return detail::budgetError();

        // Columns up to the last one holding a non-empty cell; rows from the
        // second to the last holding a non-empty cell. A blank text is Null.
        const size_t n = raw.values.size();
        db::Variant* values = raw.values.data();
        int width = 0;
        int lastRow = 0;
        for (size_t i = 0; i < n; ++i) {
            if (values[i].isText() ? values[i].asText().isEmpty() : values[i].isMissing()) {
                if (!values[i].isNull())
                    values[i] = db::Variant::null();
                continue;
            }
            width = std::max(width, int(raw.columns[i]) + 1);
            lastRow = std::max(lastRow, int(raw.rows[i]));
        }
        Sheet sheet;
        sheet.name = std::move(raw.name);
        if (width == 0)
            return sheet;
        size_t i = 0;
        {
            detail::Held naming(budget); // the heading row, the names and their keys while they are made
            if (!naming.hold(qint64(width) * qint64(sizeof(db::Variant))))
                return detail::budgetError();
            QVector<db::Variant> heading(width, db::Variant::null());
            for (; i < n && raw.rows[i] == 0; ++i)
                if (raw.columns[i] < width)
                    heading[raw.columns[i]] = values[i];
            for (int c = 0; c < width; ++c)
                if (heading.at(c).isText() && heading.at(c).asText().size() > detail::kMaxHeadingLength)
                    return headingError(sheet.name, c, heading.at(c).asText().size());
            if (!detail::fieldNames(heading, width, naming, sheet.fields))
                return detail::budgetError();
        }
        qint64 names = qint64(sheet.fields.size()) * qint64(sizeof(QString));
        for (const QString& f : std::as_const(sheet.fields))
            names += detail::Budget::textCost(f.size());
        if (!budget.take(names + qint64(lastRow + 1) * qint64(sizeof(qsizetype))))
            return detail::budgetError();

        // The data rows keep their cells where they are: a row's cells run
        // from its start to the next row's.
        sheet.m_rows = lastRow;
        sheet.m_rowStart.assign(size_t(lastRow) + 1, qsizetype(i));
        int row = 0; // the data row whose start is set last
        for (; i < n && int(raw.rows[i]) <= lastRow; ++i) {
            const int d = int(raw.rows[i]) - 1;
            while (row < d)
                sheet.m_rowStart[size_t(++row)] = qsizetype(i);
        }
        while (row < lastRow)
            sheet.m_rowStart[size_t(++row)] = qsizetype(i);
        raw.columns.resize(i);
        raw.values.resize(i, db::Variant::null());
        sheet.m_columns = std::move(raw.columns);
        sheet.m_values = std::move(raw.values);
        return sheet;
    }

    static db::Error headingError(const QString& sheet, int column, qsizetype length)
    {
        return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
                         QStringLiteral("Titlul coloanei %1 (%2) din foaia '%3' are %4 de caractere; numele unei "
                                        "coloane poate avea cel mult %5 de caractere. Scurtati titlul in fisierul "
                                        "excel si incercati din nou.")
                             .arg(column + 1)
                             .arg(detail::columnLetters(column), sheet)
                             .arg(length)
                             .arg(detail::kMaxHeadingLength));
    }

    // In order of row and column, the last of the cells at one place kept.
    // The cells move within their own arrays along the cycles of the sorted
    // order, so a sort holds 8 bytes a cell and never a second copy of them.
    // False, with the cells as they were, when the budget has not the room.
    static bool sort(detail::RawSheet& raw, detail::Budget& budget)
    {
        const size_t n = raw.values.size();
        // A key of row (20 bits), column (14 bits) and place in the file
        // (30 bits: the budget holds far fewer cells).
        constexpr int kPlaceBits = 30;
        static_assert(detail::kMaxRows <= (1 << 20) && detail::kMaxColumns <= (1 << 14));
        static_assert(detail::kMaxReadMemory / detail::RawSheet::kSlot < (qint64(1) << kPlaceBits));
        detail::Held held(budget);
        if (!held.hold(qint64(n) * qint64(sizeof(std::uint64_t))))
            return false;
        std::vector<std::uint64_t> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = (std::uint64_t(raw.rows[i]) << (kPlaceBits + 14)) |
                       (std::uint64_t(raw.columns[i]) << kPlaceBits) | std::uint64_t(i);
        std::sort(order.begin(), order.end());
        constexpr std::uint64_t kPlace = (std::uint64_t(1) << kPlaceBits) - 1;
        for (std::uint64_t& k : order)
            k &= kPlace; // the cell that goes to this place
        for (size_t start = 0; start < n; ++start) {
            if (order[start] == start)
                continue;
            const std::uint32_t row = raw.rows[start];
            const std::uint16_t column = raw.columns[start];
            db::Variant value = std::move(raw.values[start]);
            size_t at = start;
            for (;;) {
                const size_t from = size_t(order[at]);
                order[at] = at;
                if (from == start)
                    break;
                raw.rows[at] = raw.rows[from];
                raw.columns[at] = raw.columns[from];
                raw.values[at] = std::move(raw.values[from]);
                at = from;
            }
            raw.rows[at] = row;
            raw.columns[at] = column;
            raw.values[at] = std::move(value);
        }
        // Of the cells at one place the last read stays.
        size_t kept = 0;
        for (size_t k = 0; k < n; ++k) {
            if (k + 1 < n && raw.rows[k + 1] == raw.rows[k] && raw.columns[k + 1] == raw.columns[k])
                continue;
            if (kept != k) {
                raw.rows[kept] = raw.rows[k];
                raw.columns[kept] = raw.columns[k];
                raw.values[kept] = std::move(raw.values[k]);
            }
            ++kept;
        }
        raw.rows.resize(kept);
        raw.columns.resize(kept);
        raw.values.erase(raw.values.begin() + qsizetype(kept), raw.values.end());
        raw.ordered = true;
        return true;
    }
};

namespace detail {

db::Result<Sheet> makeSheet(RawSheet&& raw, Budget& budget)
{
    return SheetBuilder::build(std::move(raw), budget);
}

} // namespace detail

const db::Variant& Sheet::cell(int row, int column) const
{
    static const db::Variant null = db::Variant::null();
    const qsizetype from = m_rowStart[size_t(row)];
    const qsizetype to = m_rowStart[size_t(row) + 1];
    // A full row holds column c at its place.
    if (column < to - from && m_columns[size_t(from + column)] == column)
        return m_values[from + column];
    const auto begin = m_columns.begin() + from;
    const auto end = m_columns.begin() + to;
    const auto at = std::lower_bound(begin, end, std::uint16_t(column));
    if (at == end || *at != column)
        return null;
    return m_values[from + (at - begin)];
}

int Workbook::indexOf(const QString& sheetName) const
{
    for (int i = 0; i < sheets.size(); ++i)
        if (sheets.at(i).name.compare(sheetName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace {

db::Result<Workbook> readWorkbook(const QString& path, detail::Budget& budget)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return db::Error(db::Error::Kind::FileNotFound, db::ErrorNumber::General,
                         QStringLiteral("Fisierul '%1' nu a fost gasit.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return detail::openError(file);
    const QByteArray magic = file.read(8);
    file.close();
    if (magic.isEmpty())
        return detail::formatError(QStringLiteral("Fisierul este gol."));
    db::Result<QVector<detail::RawSheet>> raw = db::Error();
    if (magic.startsWith(QByteArrayLiteral("PK\x03\x04")))
        raw = detail::readXlsx(path, budget);
    else if (magic == QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        raw = detail::readXls(path, budget);
    else
        return detail::formatError(QStringLiteral("Fisierul nu este un fisier excel (.xls sau .xlsx)."));
    if (!raw)
        return raw.error();
    Workbook book;
    book.path = path;
    for (detail::RawSheet& s : *raw) {
        db::Result<Sheet> sheet = detail::makeSheet(std::move(s), budget);
        if (!sheet)
            return sheet.error();
        book.sheets.push_back(std::move(*sheet));
    }
    book.held = budget.spent();
    return book;
}

} // namespace

db::Result<Workbook> readWorkbook(const QString& path)
{
    detail::Budget budget;
    return readWorkbook(path, budget);
}

QString driverTableName(const QString& sheetName)
{
    bool plain = !sheetName.isEmpty();
    for (const QChar ch : sheetName)
        if (!(ch.isLetterOrNumber() || ch == u'_'))
            plain = false;
    if (plain)
        return sheetName + u'$';
    return u'\'' + sheetName + QStringLiteral("$'");
}

namespace {

QString sqlIdent(const QString& name)
{
    QString s = name;
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

enum Kind : std::uint8_t
{
    None = 0,
    Int = 1,
    Dbl = 2,
    Text = 4,
    Date = 8,
    Bool = 16
};

// The declared type of a column: one kind of value throughout gives that
// kind; numbers of both kinds are doubles; anything mixed is left
// undeclared so each cell keeps its own type.
QString columnType(std::uint8_t kinds)
{
    switch (kinds) {
    case Int:
        return QStringLiteral("INTEGER");
    case Dbl:
    case Int | Dbl:
        return QStringLiteral("DOUBLE");
    case Text:
        return QStringLiteral("TEXT");
    case Date:
        return QStringLiteral("DATETIME");
    case Bool:
        return QStringLiteral("BIT");
    default:
        return QString();
    }
}

QString createTable(const Sheet& sheet, const detail::TablePlan& plan)
{
    QString columns;
    for (int c = 0; c < sheet.columnCount(); ++c) {
        if (c > 0)
            columns += QStringLiteral(", ");
        columns += sqlIdent(sheet.fields.at(c));
        const QString type = columnType(plan.kinds[size_t(c)]);
        if (!type.isEmpty())
            columns += u' ' + type;
    }
    if (columns.isEmpty())
        columns = sqlIdent(QStringLiteral("F1")); // a sheet with no cells
    return QStringLiteral("CREATE TABLE %1 (%2);").arg(sqlIdent(sheet.name + u'$'), columns);
}

// The bytes of a text in UTF-8, as the database keeps it: a character
// more for each one past ASCII, two for each past U+07FF. Four code units
// at a time where all four are ASCII, as most are.
qint64 utf8Bytes(const QString& text)
{
    const ushort* const units = text.utf16();
    const qsizetype size = text.size();
    qint64 n = size;
    const auto add = [&](qsizetype i) { n += int(units[i] >= 0x80) + int(units[i] >= 0x800); };
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 four;
        std::memcpy(&four, units + i, sizeof four);
        if ((four & 0xFF80FF80FF80FF80ull) != 0)
            for (qsizetype k = i; k < i + 4; ++k)
                add(k);
    }
    for (; i < size; ++i)
        add(i);
    return n;
}

int varintBytes(qint64 v)
{
    int n = 1;
    for (; v >= 0x80 && n < 9; v >>= 7)
        ++n;
    return n;
}

// What a record of `payload` bytes takes in the pages of a table, as SQLite
// lays them out (pages of 4096 bytes): its cell and its share of a leaf
// page, which holds as many whole cells as fit, and the overflow pages of a
// record too long for one; a little more for the pages above the leaves.
qint64 pageBytes(qint64 payload)
{
    constexpr qint64 kPage = 4096;
    constexpr qint64 kMaxLocal = kPage - 35;
    constexpr qint64 kMinLocal = (kPage - 12) * 32 / 255 - 23;
    qint64 local = payload;
    qint64 overflow = 0;
    if (payload > kMaxLocal) {
        local = kMinLocal + (payload - kMinLocal) % (kPage - 4);
        if (local > kMaxLocal)
            local = kMinLocal;
        overflow = (payload - local + kPage - 5) / (kPage - 4) * kPage;
        local += 4; // the first overflow page's number
    }
    // The cell's place in the page, its payload's size and its rowid.
    const qint64 cell = 2 + varintBytes(payload) + 4 + local;
    const qint64 perPage = std::max<qint64>(1, (kPage - 8) / cell);
    const qint64 bytes = (kPage + perPage - 1) / perPage + overflow;
    return bytes + bytes / 64;
}

// What each column of a row costs beside its bytes, blank or not: SQLite
// builds every record place by place, some 15 ns each, as long as writing
// a couple of bytes takes.
constexpr qint64 kSlotWork = 2;
// What a column of a table costs while the tables are open: its entry in
// SQLite's schema, its name there and in the layer's set of text columns
// (some 250 bytes held), and twice that again for the time SQLite takes
// over each column of a wide table (it looks every new name up among the
// table's names before it), so that the columns the budget allows are made
// in seconds.
constexpr qint64 kColumnCost = 768;
constexpr qint64 kColumnNameCost = 6; // a character of its name
// What the statement that makes a table costs while it runs, a character
// of it: the text, its UTF-8 copy and SQLite's own.
constexpr qint64 kStatementCost = 8;

const QString kWorkFolderPrefix = QStringLiteral("quorvel-workbook-");

// The start of this user's work folders: users who share the temporary
// folder each have their own.
QString userWorkFolderPrefix()
{
    return kWorkFolderPrefix + QString::number(::geteuid()) + u'-';
}

} // namespace

db::Result<QString> workbookPath(const QString& connectionText)
{
    const QString path = db::connectionValue(connectionText, u"Data Source");
    if (path.isEmpty())
        return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
                         QStringLiteral("Textul conexiunii nu numeste niciun fisier excel."));
    return path;
}

bool isWorkbookConnection(const QString& connectionText)
{
    return db::connectionValue(connectionText, u"Extended Properties")
        .trimmed()
        .startsWith(u"Excel", Qt::CaseInsensitive);
}

db::Error openWorkbook(const QString& connectionText, db::Connection& connection)
{
    connection.close();
    const db::Result<QString> path = workbookPath(connectionText);
    if (!path)
        return path.error();
    // The read and its tables share one budget.
    detail::Budget budget;
    const db::Result<Workbook> book = readWorkbook(*path, budget);
    if (!book)
        return book.error();
    return detail::openTables(*book, budget, connection);
}

namespace detail {

db::Result<QVector<TablePlan>> planTables(const Workbook& workbook, Budget& budget)
{
    if (workbook.sheets.size() > kMaxTables)
        return tooLargeError(
            QStringLiteral("are %1 foi, mai multe decat %2.").arg(workbook.sheets.size()).arg(kMaxTables));
    QVector<TablePlan> plan;
    plan.reserve(workbook.sheets.size());
    qint64 rows = 0;
    qint64 text = 0; // each cell's text is written whole, a shared one too
    qint64 cost = 0;
    qint64 statement = 0; // the longest statement that makes a table
    for (const Sheet& sheet : workbook.sheets) {
        const int columns = sheet.columnCount();
        if (columns > kMaxTableColumns)
            return tooLargeError(QStringLiteral("foaia '%1' are %2 coloane, mai multe decat %3.")
                                     .arg(sheet.name)
                                     .arg(columns)
                                     .arg(kMaxTableColumns));
        if (qint64(sheet.rowCount()) * columns > kMaxTableCells)
            return tooLargeError(
                QStringLiteral("foaia '%1' are %2 randuri pe %3 coloane, mai mult de %4 milioane de celule.")
                    .arg(sheet.name)
                    .arg(sheet.rowCount() + 1)
                    .arg(columns)
                    .arg(kMaxTableCells / 1'000'000));
        rows += sheet.rowCount();
        if (rows > kMaxWorkbookRows)
            return tooLargeError(
                QStringLiteral("foile lui au impreuna mai mult de %1 de randuri.").arg(kMaxWorkbookRows));

        // Each row writes a record of every column, the blank ones too: a
        // byte of its header each, beside the values it holds.
        TablePlan t;
        t.kinds.assign(size_t(columns), None);
        for (int r = 0; r < sheet.rowCount(); ++r) {
            const std::span<const std::uint16_t> at = sheet.columnsOf(r);
            const std::span<const db::Variant> values = sheet.valuesOf(r);
            qint64 record = varintBytes(columns + 9) + columns;
            for (size_t i = 0; i < at.size(); ++i) {
                if (at[i] >= columns)
                    continue; // a blank beyond the last column
                std::uint8_t& k = t.kinds[at[i]];
                const db::Variant& v = values[i];
                switch (v.kind()) {
                case db::Variant::Kind::Int:
                    k |= Int;
                    record += 8;
                    break;
                case db::Variant::Kind::Double:
                    k |= Dbl;
                    record += 8;
                    break;
                case db::Variant::Kind::Text: {
                    k |= Text;
                    text += v.asText().size();
                    if (text > kMaxWorkbookText)
                        return tooLargeError(
                            QStringLiteral(
                                "celulele lui au impreuna mai mult de %1 de milioane de caractere de text.")
                                .arg(kMaxWorkbookText / 1'000'000));
                    const qint64 bytes = utf8Bytes(v.asText());
                    record += bytes + varintBytes(2 * bytes + 13) - 1;
                    break;
                }
                case db::Variant::Kind::Date:
                    k |= Date;
                    record += 23;
                    break;
                case db::Variant::Kind::Bool:
                    k |= Bool;
                    record += 1;
                    break;
                default:
                    break;
                }
            }
            t.bytes += pageBytes(record);
        }
        // The table's definition, kept in the database's schema, and what
        // is held for each of its columns.
        qint64 definition = 64 + 3 * sheet.name.size();
        for (const QString& f : sheet.fields) {
            definition += 3 * f.size() + 16;
            cost += kColumnCost + kColumnNameCost * f.size();
        }
        t.bytes += pageBytes(definition);
        statement = std::max(statement, definition);
        cost += t.bytes + columns + kSlotWork * columns * qint64(sheet.rowCount());
        plan.push_back(std::move(t));
    }
    cost += kStatementCost * statement;
    if (!budget.take(cost))
        return tablesBudgetError(budget);
    return plan;
}

db::Error makeTables(const Workbook& workbook, const QVector<TablePlan>& plan, db::Connection& connection)
{
    connection.close();
    const QString temporary = QDir::tempPath();
    // A write that finds no room says where, whatever the step.
    const auto room = [&](db::Error e) { return e.kind == db::Error::Kind::DiskFull ? diskFullError(temporary) : e; };
    // The tables live in a database file that is unlinked as soon as it is
    // open: the connection keeps using it, and nothing is left behind, even
    // by a program that is killed. The folder (private, new at each read)
    // names the user and the process, so that one a killed run left (in the
    // moment before the unlink) is known as stale at the user's next start.
    const QString folderPath = temporary + u'/' + userWorkFolderPrefix() +
                               QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX");
    QTemporaryDir folder(folderPath);
    if (!folder.isValid()) {
        if (QStorageInfo(temporary).bytesAvailable() == 0)
            return diskFullError(temporary);
        return db::Error(
            db::Error::Kind::Io, db::ErrorNumber::General,
            QStringLiteral("Nu se poate crea un folder de lucru (%1).").arg(folder.errorString()));
    }
    const QString file = folder.filePath(QStringLiteral("workbook.db"));
    if (db::Error e = db::Connection::createDatabase(file))
        return room(e);
    if (db::Error e = connection.open(file))
        return room(e);
    folder.remove();
    auto fail = [&](db::Error e) {
        connection.close();
        return room(e);
    };
    // With the file gone there is no journal to keep; the tables are only
    // read once loaded. Their Yes/No columns hold the -1 and 0 bound below.
    connection.execute(QStringLiteral("PRAGMA journal_mode=OFF"));
    connection.execute(QStringLiteral("PRAGMA synchronous=OFF"));
    connection.execute(QStringLiteral("PRAGMA cache_size=-16384"));
    connection.setNormalisesYesNo(false);

    // The tables and their rows in one transaction. One statement for each
    // table, made just before it runs: the tables' definitions are never all
    // held at once.
    if (db::Error e = connection.begin())
        return fail(e);
    for (int s = 0; s < workbook.sheets.size(); ++s) {
        if (db::Error e = connection.executeScript(createTable(workbook.sheets.at(s), plan.at(s)))) {
            connection.rollback();
            return fail(e);
        }
    }
    for (const Sheet& sheet : workbook.sheets) {
        const int columns = sheet.columnCount();
        const int rows = sheet.rowCount();
        if (columns == 0 || rows == 0)
            continue;
        // Plain "?" marks, numbered by their place: SQLite looks each "?N"
        // up among the ones before it.
        QString marks(2 * columns - 1, u',');
        for (int c = 0; c < columns; ++c)
            marks[2 * c] = u'?';
        // Between backquotes, which hold any name (a "]" too; a backquote doubled).
        QString table = sheet.name + u'$';
        table.replace(u'`', QStringLiteral("``"));
        const QString sql = QStringLiteral("INSERT INTO `%1` VALUES (%2)").arg(table, marks);
        db::Result<db::Statement> insert = db::Statement::prepare(connection, sql);
        if (!insert) {
            connection.rollback();
            return fail(insert.error());
        }
        for (int r = 0; r < rows; ++r) {
            const std::span<const std::uint16_t> at = sheet.columnsOf(r);
            const std::span<const db::Variant> values = sheet.valuesOf(r);
            insert->clearBindings();
            for (size_t i = 0; i < at.size(); ++i)
                if (at[i] < columns && !values[i].isNull())
                    insert->bind(at[i] + 1, values[i]);
            const db::Result<bool> step = insert->step();
            if (!step) {
                connection.rollback();
                return fail(step.error());
            }
            insert->reset();
        }
    }
    if (db::Error e = connection.commit()) {
        connection.rollback();
        return fail(e);
    }
    connection.execute(QStringLiteral("PRAGMA query_only=ON"));
    return db::Error();
}

db::Error openTables(const Workbook& workbook, Budget& budget, db::Connection& connection)
{
    const db::Result<QVector<TablePlan>> plan = planTables(workbook, budget);
    if (!plan)
        return plan.error();
    return makeTables(workbook, *plan, connection);
}

} // namespace detail

db::Error openWorkbook(const Workbook& workbook, db::Connection& connection)
{
    connection.close();
    detail::Budget budget;
    budget.take(std::min(workbook.held, budget.total()));
    return detail::openTables(workbook, budget, connection);
}

namespace {

// Empties and removes the folder `name` of the open folder `parent`, never
// following a link: a link inside goes as a link, its target stays, and a
// name that has become a link since it was listed is not opened at all. Only
// a folder of this user is entered.
bool removeOwnTree(int parent, const char* name)
{
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid()) {
        ::close(fd);
        return false;
    }
    DIR* entries = ::fdopendir(fd);
    if (!entries) {
        ::close(fd);
        return false;
    }
    bool ok = true;
    while (const dirent* e = ::readdir(entries)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        struct stat inner;
        if (::fstatat(fd, e->d_name, &inner, AT_SYMLINK_NOFOLLOW) != 0)
            ok = false;
        else if (S_ISDIR(inner.st_mode))
            ok = removeOwnTree(fd, e->d_name) && ok;
        else if (::unlinkat(fd, e->d_name, 0) != 0)
            ok = false;
    }
    ::closedir(entries); // closes fd
    return ::unlinkat(parent, name, AT_REMOVEDIR) == 0 && ok;
}

} // namespace

void removeStaleWorkFolders(const QString& folder)
{
    const QString path = folder.isEmpty() ? QDir::tempPath() : folder;
    const int parent = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return;
    // Only this user's own names, "<prefix><uid>-<pid>-XXXXXX", as a read
    // makes them; anything else of a similar name is left where it is.
    const QString own = userWorkFolderPrefix();
    static const QRegularExpression rest(QStringLiteral("^([0-9]{1,10})-[A-Za-z0-9]{6}$"));
    const QStringList names =
        QDir(path).entryList(QStringList{own + u'*'}, QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = rest.match(QStringView(name).mid(own.size()));
        if (!m.hasMatch())
            continue;
        const QByteArray entry = QFile::encodeName(name);
        struct stat st;
        if (::fstatat(parent, entry.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue; // a link, or not this user's
        const qint64 pid = m.captured(1).toLongLong();
        if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno == EPERM)
            continue; // its process still runs
        removeOwnTree(parent, entry.constData());
    }
    ::close(parent);
}

db::Result<db::Recordset> tablesSchema(const QString& connectionText)
{
    const db::Result<QString> path = workbookPath(connectionText);
    if (!path)
        return path.error();
    const db::Result<Workbook> book = readWorkbook(*path);
    if (!book)
        return book.error();
    db::Recordset rs = db::Recordset::createInMemory();
    rs.appendField(QStringLiteral("TABLE_NAME"), db::Type::VarWChar, 255);
    rs.appendField(QStringLiteral("TABLE_TYPE"), db::Type::VarWChar, 50);
    if (db::Error e = rs.open())
        return e;
    for (const Sheet& sheet : book->sheets) {
        rs.addNew();
        rs.setValue(0, db::Variant(driverTableName(sheet.name)));
        rs.setValue(1, db::Variant(QStringLiteral("TABLE")));
        if (db::Error e = rs.update())
            return e;
    }
    rs.moveFirst();
    return rs;
}

} // namespace excel
