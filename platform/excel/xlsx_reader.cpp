// .xlsx: a zip of XML parts, read with libzip and a streaming XML reader.
// The workbook part lists the sheets in order and points at each sheet's
// part through its relationships; cells refer to the shared strings and to
// the cell styles, whose number format tells a date from a number.

#include "platform/excel/reader_internal.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <memory>
#include <zip.h>

namespace excel::detail {

namespace {

struct ZipCloser
{
    void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

zip_int64_t locate(zip_t* z, const QString& name)
{
    const QByteArray n = name.toUtf8();
    zip_int64_t i = zip_name_locate(z, n.constData(), 0);
    if (i < 0)
        i = zip_name_locate(z, n.constData(), ZIP_FL_NOCASE);
    return i;
}

// Feeds the entry to a streaming XML reader chunk by chunk and calls
// onToken for every token; onToken returns false to stop early.
template <class F> db::Error streamXml(zip_t* z, const QString& name, F&& onToken)
{
    const zip_int64_t index = locate(z, name);
    if (index < 0)
        return formatError(QStringLiteral("The part '%1' is missing.").arg(name));
    zip_file_t* f = zip_fopen_index(z, zip_uint64_t(index), 0);
    if (!f)
        return formatError(QStringLiteral("The part '%1' cannot be read.").arg(name));
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
            if (n < 0) {
                error = formatError(QStringLiteral("The part '%1' is damaged.").arg(name));
                break;
            }
            if (n == 0)
                endOfData = true;
            else
                xml.addData(QByteArray(buffer.constData(), qsizetype(n)));
            continue;
        }
        if (xml.hasError())
            error = formatError(
                QStringLiteral("The part '%1' is not well formed: %2").arg(name, xml.errorString()));
        break;
    }
    zip_fclose(f);
    return error;
}

// Excel writes characters XML cannot carry as _xHHHH_.
QString decodeEscapes(QString s)
{
    qsizetype at = s.indexOf(QStringLiteral("_x"));
    while (at >= 0 && at + 7 <= s.size()) {
        bool ok = false;
        const ushort code = s.mid(at + 2, 4).toUShort(&ok, 16);
        if (ok && s.at(at + 6) == u'_') {
            s.replace(at, 7, QChar(code));
            at = s.indexOf(QStringLiteral("_x"), at + 1);
        } else {
            at = s.indexOf(QStringLiteral("_x"), at + 2);
        }
    }
    return s;
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

db::Result<QHash<QString, Relationship>> readRelationships(zip_t* z, const QString& part)
{
    QHash<QString, Relationship> rels;
    const QString relsPart =
        folderOf(part) + QStringLiteral("_rels/") + part.mid(folderOf(part).size()) + QStringLiteral(".rels");
    if (locate(z, relsPart) < 0)
        return rels;
    const QString folder = folderOf(part);
    const db::Error e = streamXml(z, relsPart, [&](QXmlStreamReader& xml) {
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

db::Result<QVector<bool>> readDateStyles(zip_t* z, const QString& part)
{
    QVector<bool> dateStyle;
    if (part.isEmpty() || locate(z, part) < 0)
        return dateStyle;
    QHash<int, bool> custom;
    bool inCellXfs = false;
    const db::Error e = streamXml(z, part, [&](QXmlStreamReader& xml) {
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

db::Result<QVector<QString>> readSharedStrings(zip_t* z, const QString& part)
{
    QVector<QString> strings;
    if (part.isEmpty() || locate(z, part) < 0)
        return strings;
    QString current;
    bool inItem = false;
    bool inText = false;
    int phonetic = 0;
    const db::Error e = streamXml(z, part, [&](QXmlStreamReader& xml) {
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
    return strings;
}

// "AB12" -> column 27 (0-based); -1 when the reference has no letters.
int columnOf(QStringView ref)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size(); ++i) {
        const char16_t ch = ref.at(i).unicode();
        if (ch >= u'A' && ch <= u'Z')
            column = column * 26 + (ch - u'A' + 1);
        else if (ch >= u'a' && ch <= u'z')
            column = column * 26 + (ch - u'a' + 1);
        else
            break;
        if (column > kMaxColumns)
            return kMaxColumns;
    }
    return i == 0 ? -1 : column - 1;
}

struct SheetContext
{
    const QVector<QString>* strings = nullptr;
    const QVector<bool>* dateStyle = nullptr;
    bool date1904 = false;
};

db::Error readSheet(zip_t* z, const QString& part, const SheetContext& ctx, RawSheet& sheet)
{
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
    int row = -1;
    int column = -1;
    CellType type = CellType::Number;
    bool dateStyle = false;
    bool inValue = false;
    bool inInline = false;
    bool inInlineText = false;
    int phonetic = 0;
    bool hasValue = false;
    QString value;
    db::Error error;

    auto finishCell = [&]() {
        if (!hasValue)
            return;
        db::Variant v;
        switch (type) {
        case CellType::Number: {
            bool ok = false;
            const double d = QStringView(value).trimmed().toDouble(&ok);
            if (!ok)
                v = db::Variant::null();
            else if (dateStyle)
                v = db::Variant(dateFromSerial(d, ctx.date1904));
            else
                v = numberValue(d);
            break;
        }
        case CellType::Shared: {
            bool ok = false;
            const int i = QStringView(value).trimmed().toInt(&ok);
            if (!ok || i < 0 || i >= ctx.strings->size()) {
                error = formatError(QStringLiteral("A cell refers to a missing shared string."));
                return;
            }
            v = db::Variant(ctx.strings->at(i));
            break;
        }
        case CellType::Inline:
        case CellType::Text:
            v = db::Variant(value.contains(u"_x") ? decodeEscapes(value) : value);
            break;
        case CellType::Boolean: {
            const QStringView t = QStringView(value).trimmed();
            v = db::Variant(t == u"1" || t.compare(u"true", Qt::CaseInsensitive) == 0);
            break;
        }
        case CellType::Error:
            v = db::Variant::null();
            break;
        case CellType::Date: {
            QDateTime dt = QDateTime::fromString(value.trimmed(), Qt::ISODateWithMs);
            if (!dt.isValid())
                dt = QDateTime(QDate::fromString(value.trimmed(), Qt::ISODate), QTime(0, 0));
            v = dt.isValid() ? db::Variant(QDateTime(dt.date(), dt.time())) : db::Variant::null();
            break;
        }
        }
        sheet.set(row, column, std::move(v));
    };

    const db::Error streamError = streamXml(z, part, [&](QXmlStreamReader& xml) {
        switch (xml.tokenType()) {
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.name();
            if (name == u"c") {
                const QXmlStreamAttributes a = xml.attributes();
                const QStringView ref = a.value(QLatin1String("r"));
                const int c = ref.isEmpty() ? column + 1 : columnOf(ref);
                column = c < 0 ? column + 1 : c;
                if (row < 0)
                    row = 0;
                const QStringView t = a.value(QLatin1String("t"));
                if (t.isEmpty() || t == u"n")
                    type = CellType::Number;
                else if (t == u"s")
                    type = CellType::Shared;
                else if (t == u"inlineStr")
                    type = CellType::Inline;
                else if (t == u"str")
                    type = CellType::Text;
                else if (t == u"b")
                    type = CellType::Boolean;
                else if (t == u"e")
                    type = CellType::Error;
                else if (t == u"d")
                    type = CellType::Date;
                else
                    type = CellType::Text;
                const QStringView s = a.value(QLatin1String("s"));
                const int style = s.isEmpty() ? 0 : s.toInt();
                dateStyle = style >= 0 && style < ctx.dateStyle->size() && ctx.dateStyle->at(style);
                hasValue = false;
                value.resize(0);
                if (column >= kMaxColumns) {
                    error = formatError(QStringLiteral("A cell lies beyond the last column."));
                    return false;
                }
            } else if (name == u"v") {
                inValue = true;
                hasValue = true;
                value.resize(0);
            } else if (name == u"is") {
                inInline = true;
                hasValue = true;
                value.resize(0);
            } else if (inInline && name == u"rPh") {
                ++phonetic;
            } else if (inInline && phonetic == 0 && name == u"t") {
                inInlineText = true;
            } else if (name == u"row") {
                const QStringView r = xml.attributes().value(QLatin1String("r"));
                bool ok = false;
                const int n = r.toInt(&ok);
                row = ok ? n - 1 : row + 1;
                column = -1;
                if (row < 0 || row >= kMaxRows) {
                    error = formatError(QStringLiteral("A row lies beyond the last row."));
                    return false;
                }
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QStringView name = xml.name();
            if (name == u"c") {
                finishCell();
                if (error)
                    return false;
                hasValue = false;
            } else if (name == u"v") {
                inValue = false;
            } else if (name == u"is") {
                inInline = false;
            } else if (name == u"rPh") {
                --phonetic;
            } else if (name == u"t") {
                inInlineText = false;
            } else if (name == u"sheetData") {
                return false; // nothing after the cells matters here
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (inValue || inInlineText)
                value += xml.text();
            break;
        default:
            break;
        }
        return true;
    });
    return error ? error : streamError;
}

} // namespace

db::Result<QVector<RawSheet>> readXlsx(const QString& path)
{
    int code = 0;
    const QByteArray file = QFile::encodeName(path);
    ZipPtr z(zip_open(file.constData(), ZIP_RDONLY, &code));
    if (!z)
        return formatError(QStringLiteral("The file is not a complete workbook."));

    // The workbook part, from the package relationships.
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    {
        // The package's own relationships: "_rels/.rels".
        const db::Result<QHash<QString, Relationship>> root = readRelationships(z.get(), QString());
        if (!root)
            return root.error();
        for (const Relationship& r : *root)
            if (r.type.endsWith(u"/officeDocument"))
                workbookPart = r.target;
    }
    const db::Result<QHash<QString, Relationship>> rels = readRelationships(z.get(), workbookPart);
    if (!rels)
        return rels.error();

    struct SheetEntry
    {
        QString name;
        QString part;
    };
    QVector<SheetEntry> entries;
    bool date1904 = false;
    const db::Error wbError = streamXml(z.get(), workbookPart, [&](QXmlStreamReader& xml) {
        if (!xml.isStartElement())
            return true;
        if (xml.name() == u"workbookPr") {
            const QStringView v = xml.attributes().value(QLatin1String("date1904"));
            date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet") {
            const QXmlStreamAttributes a = xml.attributes();
            const auto rel = rels->constFind(relationshipId(a));
            // Chart sheets and dialog sheets hold no table.
            if (rel != rels->constEnd() && rel->type.endsWith(u"/worksheet"))
                entries.push_back(SheetEntry{a.value(QLatin1String("name")).toString(), rel->target});
        }
        return true;
    });
    if (wbError)
        return wbError;

    QString stringsPart;
    QString stylesPart;
    for (const Relationship& r : *rels) {
        if (r.type.endsWith(u"/sharedStrings"))
            stringsPart = r.target;
        else if (r.type.endsWith(u"/styles"))
            stylesPart = r.target;
    }
    const db::Result<QVector<QString>> strings = readSharedStrings(z.get(), stringsPart);
    if (!strings)
        return strings.error();
    const db::Result<QVector<bool>> dateStyle = readDateStyles(z.get(), stylesPart);
    if (!dateStyle)
        return dateStyle.error();

    const SheetContext ctx{&*strings, &*dateStyle, date1904};
    QVector<RawSheet> sheets;
    for (const SheetEntry& entry : entries) {
        RawSheet sheet;
        sheet.name = entry.name;
        if (db::Error e = readSheet(z.get(), entry.part, ctx, sheet))
            return e;
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

} // namespace excel::detail
