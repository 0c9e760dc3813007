// Record-set persistence in an XML format of the layer's own:
//   <recordset version="1" source="...">
//     <fields><field name="Cod" type="202" size="10"/>...</fields>
//     <rows><row><v k="text">RO</v><v k="null"/>...</row>...</rows>
//   </recordset>

#include "platform/db/internal.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace db {

using detail::makeError;

namespace {

QString kindName(const Variant& v)
{
    switch (v.kind()) {
    case Variant::Kind::Empty:
        return QStringLiteral("empty");
    case Variant::Kind::Null:
        return QStringLiteral("null");
    case Variant::Kind::Bool:
        return QStringLiteral("bool");
    case Variant::Kind::Int:
        return QStringLiteral("int");
    case Variant::Kind::Double:
        return QStringLiteral("double");
    case Variant::Kind::Text:
        return QStringLiteral("text");
    case Variant::Kind::Date:
        return QStringLiteral("date");
    }
    return QStringLiteral("null");
}

QString valueText(const Variant& v)
{
    switch (v.kind()) {
    case Variant::Kind::Bool:
        return v.asBool() ? QStringLiteral("1") : QStringLiteral("0");
    case Variant::Kind::Double:
        return QString::number(v.asDouble(), 'g', 17);
    case Variant::Kind::Date:
        return v.asDate().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
    default:
        return v.toText();
    }
}

Variant parseValue(const QString& kind, const QString& text, bool* ok)
{
    *ok = true;
    if (kind == u"empty")
        return Variant();
    if (kind == u"null")
        return Variant::null();
    if (kind == u"bool")
        return Variant(text == u"1");
    if (kind == u"int")
        return Variant(static_cast<std::int64_t>(text.toLongLong(ok)));
    if (kind == u"double")
        return Variant(text.toDouble(ok));
    if (kind == u"text")
        return Variant(text);
    if (kind == u"date") {
        const QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
        *ok = dt.isValid();
        return Variant(dt);
    }
    *ok = false;
    return Variant();
}

} // namespace

Error Recordset::save(const QString& path) const
{
    if (!d || !d->open)
        return makeError(Error::Kind::Closed, ErrorNumber::ObjectClosed,
                         QStringLiteral("Operation is not allowed when the object is closed."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return makeError(Error::Kind::Io, ErrorNumber::General,
                         QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString()));
    QXmlStreamWriter w(&file);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("recordset"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("source"), d->data->source);
    w.writeStartElement(QStringLiteral("fields"));
    for (const Field& f : std::as_const(d->data->fields)) {
        w.writeEmptyElement(QStringLiteral("field"));
        w.writeAttribute(QStringLiteral("name"), f.name);
        w.writeAttribute(QStringLiteral("type"), QString::number(f.type));
        w.writeAttribute(QStringLiteral("size"), QString::number(f.definedSize));
        w.writeAttribute(QStringLiteral("nullable"), f.nullable ? QStringLiteral("1") : QStringLiteral("0"));
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("rows"));
    for (int i : std::as_const(d->view)) {
        w.writeStartElement(QStringLiteral("row"));
        for (const Variant& v : d->data->rows[i].values) {
            w.writeStartElement(QStringLiteral("v"));
            w.writeAttribute(QStringLiteral("k"), kindName(v));
            if (!v.isMissing())
                w.writeCharacters(valueText(v));
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    if (w.hasError() || !file.commit())
        return makeError(Error::Kind::Io, ErrorNumber::General,
                         QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString()));
    return Error();
}

Result<Recordset> Recordset::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                         QStringLiteral("Cannot read '%1': %2").arg(path, file.errorString()));
    auto bad = [&](const QString& why) {
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("'%1' is not a saved record set: %2").arg(path, why));
    };
    QXmlStreamReader r(&file);
    Recordset rs = createInMemory();
    bool sawRoot = false;
    QVector<Variant> row;
    bool inRow = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            const QStringView name = r.name();
            if (name == u"recordset") {
                sawRoot = true;
                rs.d->data->source = r.attributes().value(QStringLiteral("source")).toString();
            } else if (name == u"field") {
                const auto a = r.attributes();
                Field f;
                f.name = a.value(QStringLiteral("name")).toString();
                f.type = a.value(QStringLiteral("type")).toInt();
                f.definedSize = a.value(QStringLiteral("size")).toInt();
                f.nullable = a.value(QStringLiteral("nullable")) != u"0";
                f.writable = true;
                rs.d->data->fields.push_back(f);
                rs.d->data->fieldTable.push_back(-1);
            } else if (name == u"row") {
                row.clear();
                inRow = true;
            } else if (name == u"v") {
                if (!inRow)
                    return bad(QStringLiteral("a value outside a row"));
                const QString kind = r.attributes().value(QStringLiteral("k")).toString();
                const QString text = r.readElementText();
                bool ok = false;
                const Variant v = parseValue(kind, text, &ok);
                if (!ok)
                    return bad(QStringLiteral("the value '%1' of kind '%2'").arg(text, kind));
                row.push_back(v);
            }
        } else if (r.isEndElement() && r.name() == u"row") {
            if (row.size() != rs.d->data->fields.size())
                return bad(QStringLiteral("a row with %1 values for %2 fields")
                               .arg(row.size())
                               .arg(rs.d->data->fields.size()));
            RecordsetData::Row stored;
            stored.values = row;
            rs.d->data->rows.push_back(stored);
            inRow = false;
        }
    }
    if (r.hasError())
        return bad(r.errorString());
    if (!sawRoot)
        return bad(QStringLiteral("no <recordset> element"));
    rs.d->open = true;
    rs.d->rebuildView();
    rs.d->pos = 0;
    return rs;
}

} // namespace db
