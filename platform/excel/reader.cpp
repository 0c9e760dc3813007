#include "platform/excel/reader.h"

#include "platform/excel/reader_internal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>

namespace excel {

namespace detail {

db::Variant numberValue(double d)
{
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9007199254740992.0)
        return db::Variant(static_cast<std::int64_t>(d));
    return db::Variant(d);
}

QDateTime dateFromSerial(double serial, bool date1904)
{
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

db::Error formatError(const QString& detail)
{
    QString text = QStringLiteral("External table is not in the expected format.");
    if (!detail.isEmpty())
        text += u' ' + detail;
    return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General, text);
}

namespace {

bool isEmptyCell(const db::Variant& v)
{
    return v.isMissing() || (v.isText() && v.asText().isEmpty());
}

QStringList fieldNames(const QVector<db::Variant>& heading, int width)
{
    QStringList names;
    QSet<QString> used;
    for (int c = 0; c < width; ++c) {
        QString name;
        if (c < heading.size() && !isEmptyCell(heading.at(c)))
            name = heading.at(c).toText();
        name.replace(u'.', u'#');
        name.replace(u'[', u'(');
        name.replace(u']', u')');
        if (name.trimmed().isEmpty())
            name = u'F' + QString::number(c + 1);
        if (used.contains(name.toCaseFolded())) {
            for (int n = 1;; ++n) {
                const QString candidate = name + QString::number(n);
                if (!used.contains(candidate.toCaseFolded())) {
                    name = candidate;
                    break;
                }
            }
        }
        used.insert(name.toCaseFolded());
        names.push_back(name);
    }
    return names;
}

} // namespace

db::Result<Sheet> makeSheet(RawSheet&& raw)
{
    // Columns up to the last one holding a non-empty cell; rows from the
    // second to the last holding a non-empty cell.
    int width = 0;
    int lastRow = 0;
    for (int r = 0; r < raw.rows.size(); ++r) {
        const QVector<db::Variant>& row = raw.rows.at(r);
        for (int c = int(row.size()) - 1; c >= 0; --c) {
            if (!isEmptyCell(row.at(c))) {
                width = std::max(width, c + 1);
                lastRow = r;
                break;
            }
        }
    }
    Sheet sheet;
    sheet.name = std::move(raw.name);
    if (width == 0)
        return sheet;
    sheet.fields = fieldNames(raw.rows.isEmpty() ? QVector<db::Variant>() : raw.rows.first(), width);
    const qint64 total = qint64(lastRow) * width;
    if (total > 200'000'000)
        return formatError(QStringLiteral("The sheet '%1' is too large.").arg(sheet.name));
    sheet.cells.reserve(qsizetype(total));
    for (int r = 1; r <= lastRow; ++r) {
        QVector<db::Variant>& row = raw.rows[r];
        for (int c = 0; c < width; ++c) {
            if (c < row.size() && !isEmptyCell(row.at(c)))
                sheet.cells.push_back(std::move(row[c]));
            else
                sheet.cells.push_back(db::Variant::null());
        }
        row = QVector<db::Variant>(); // free as we go
    }
    return sheet;
}

} // namespace detail

int Workbook::indexOf(const QString& sheetName) const
{
    for (int i = 0; i < sheets.size(); ++i)
        if (sheets.at(i).name.compare(sheetName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

db::Result<Workbook> readWorkbook(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return db::Error(db::Error::Kind::FileNotFound, db::ErrorNumber::General,
                         QStringLiteral("Could not find file '%1'.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return db::Error(db::Error::Kind::Io, db::ErrorNumber::General,
                         QStringLiteral("Cannot open '%1': %2").arg(path, file.errorString()));
    const QByteArray magic = file.read(8);
    file.close();
    db::Result<QVector<detail::RawSheet>> raw = db::Error();
    if (magic.startsWith(QByteArrayLiteral("PK\x03\x04")))
        raw = detail::readXlsx(path);
    else if (magic == QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        raw = detail::readXls(path);
    else
        return detail::formatError();
    if (!raw)
        return raw.error();
    Workbook book;
    book.path = path;
    for (detail::RawSheet& s : *raw) {
        db::Result<Sheet> sheet = detail::makeSheet(std::move(s));
        if (!sheet)
            return sheet.error();
        book.sheets.push_back(std::move(*sheet));
    }
    return book;
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

// The declared type of a column: one kind of value throughout gives that
// kind; numbers of both kinds are doubles; anything mixed is left undeclared
// so each cell keeps its own type.
QString columnType(const Sheet& sheet, int column)
{
    enum
    {
        None = 0,
        Int = 1,
        Dbl = 2,
        Text = 4,
        Date = 8,
        Bool = 16
    };
    int kinds = None;
    const int rows = sheet.rowCount();
    for (int r = 0; r < rows; ++r) {
        const db::Variant& v = sheet.cell(r, column);
        switch (v.kind()) {
        case db::Variant::Kind::Int:
            kinds |= Int;
            break;
        case db::Variant::Kind::Double:
            kinds |= Dbl;
            break;
        case db::Variant::Kind::Text:
            kinds |= Text;
            break;
        case db::Variant::Kind::Date:
            kinds |= Date;
            break;
        case db::Variant::Kind::Bool:
            kinds |= Bool;
            break;
        default:
            break;
        }
    }
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

} // namespace

db::Result<QString> workbookPath(const QString& connectionText)
{
    const QString path = db::connectionValue(connectionText, u"Data Source");
    if (path.isEmpty())
        return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::General,
                         QStringLiteral("The connection text names no workbook file."));
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
    const db::Result<Workbook> book = readWorkbook(*path);
    if (!book)
        return book.error();
    return openWorkbook(*book, connection);
}

db::Error openWorkbook(const Workbook& workbook, db::Connection& connection)
{
    connection.close();
    // The tables live in a database file that is unlinked as soon as it is
    // loaded: the open connection keeps reading it, nothing is left behind,
    // and it can no longer be written.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/quorvel-workbook-XXXXXX"));
    if (!folder.isValid())
        return db::Error(db::Error::Kind::Io, db::ErrorNumber::General,
                         QStringLiteral("Cannot create a work folder: %1").arg(folder.errorString()));
    const QString file = folder.filePath(QStringLiteral("workbook.db"));
    if (db::Error e = db::Connection::createDatabase(file))
        return e;
    if (db::Error e = connection.open(file))
        return e;
    auto fail = [&](db::Error e) {
        connection.close();
        return e;
    };
    connection.execute(QStringLiteral("PRAGMA synchronous=OFF"));

    QString ddl;
    for (const Sheet& sheet : workbook.sheets) {
        QStringList columns;
        for (int c = 0; c < sheet.columnCount(); ++c) {
            const QString type = columnType(sheet, c);
            columns.push_back(type.isEmpty() ? sqlIdent(sheet.fields.at(c))
                                             : sqlIdent(sheet.fields.at(c)) + u' ' + type);
        }
        if (columns.isEmpty())
            columns.push_back(sqlIdent(QStringLiteral("F1"))); // a sheet with no cells
        ddl +=
            QStringLiteral("CREATE TABLE %1 (%2);\n").arg(sqlIdent(sheet.name + u'$'), columns.join(u", "));
    }
    if (!ddl.isEmpty())
        if (db::Error e = connection.executeScript(ddl))
            return fail(e);

    if (db::Error e = connection.begin())
        return fail(e);
    for (const Sheet& sheet : workbook.sheets) {
        const int columns = sheet.columnCount();
        const int rows = sheet.rowCount();
        if (columns == 0 || rows == 0)
            continue;
        QStringList marks;
        for (int c = 0; c < columns; ++c)
            marks.push_back(u'?' + QString::number(c + 1));
        // Between backquotes, which hold any name (a "]" too; a backquote doubled).
        QString table = sheet.name + u'$';
        table.replace(u'`', QStringLiteral("``"));
        const QString sql = QStringLiteral("INSERT INTO `%1` VALUES (%2)").arg(table, marks.join(u','));
        db::Result<db::Statement> insert = db::Statement::prepare(connection, sql);
        if (!insert) {
            connection.rollback();
            return fail(insert.error());
        }
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c)
                insert->bind(c + 1, sheet.cell(r, c));
            const db::Result<bool> step = insert->step();
            if (!step) {
                connection.rollback();
                return fail(step.error());
            }
            insert->reset();
        }
    }
    if (db::Error e = connection.commit())
        return fail(e);
    return db::Error();
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
