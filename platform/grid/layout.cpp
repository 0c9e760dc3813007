#include "layout.h"

#include <QFile>
#include <QMap>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace grid {

namespace {

const QString kRoot = QStringLiteral("GridLayouts");
const QString kLayout = QStringLiteral("Layout");
const QString kColumn = QStringLiteral("Column");

// Reads every layout of a file, in file order. A missing file gives none.
bool readAll(const QString& path, QList<QPair<QString, Layout>>& out, QString* error)
{
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error =
                QStringLiteral("Nu se poate citi fisierul ") + path + QStringLiteral(": ") + f.errorString();
        return false;
    }
    QXmlStreamReader xml(&f);
    if (!xml.readNextStartElement() || xml.name() != kRoot) {
        if (error)
            *error = QStringLiteral("Fisierul ") + path + QStringLiteral(" nu este un fisier de aranjare");
        return false;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != kLayout) {
            xml.skipCurrentElement();
            continue;
        }
        Layout layout;
        const QString name = xml.attributes().value(QStringLiteral("name")).toString();
        while (xml.readNextStartElement()) {
            if (xml.name() == kColumn) {
                const auto a = xml.attributes();
                ColumnLayout c;
                c.field = a.value(QStringLiteral("field")).toString();
                c.order = a.value(QStringLiteral("order")).toInt();
                c.widthTwips = a.value(QStringLiteral("width")).toInt();
                c.visible = a.value(QStringLiteral("visible")) != QStringLiteral("0");
                layout.columns.append(c);
            }
            xml.skipCurrentElement();
        }
        out.append({name, layout});
    }
    if (xml.hasError()) {
        if (error)
            *error =
                QStringLiteral("Fisierul ") + path + QStringLiteral(" este deteriorat: ") + xml.errorString();
        return false;
    }
    return true;
}

} // namespace

bool saveLayout(const QString& path, const QString& name, const Layout& layout, QString* error)
{
    QList<QPair<QString, Layout>> all;
    QString readError;
    if (!readAll(path, all, &readError))
        all.clear(); // a damaged file is replaced by a good one
    bool replaced = false;
    for (auto& [n, l] : all) {
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            l = layout;
            replaced = true;
        }
    }
    if (!replaced)
        all.append({name, layout});

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error =
                QStringLiteral("Nu se poate scrie fisierul ") + path + QStringLiteral(": ") + f.errorString();
        return false;
    }
    QXmlStreamWriter xml(&f);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(kRoot);
    for (const auto& [n, l] : all) {
        xml.writeStartElement(kLayout);
        xml.writeAttribute(QStringLiteral("name"), n);
        for (const ColumnLayout& c : l.columns) {
            xml.writeEmptyElement(kColumn);
            xml.writeAttribute(QStringLiteral("field"), c.field);
            xml.writeAttribute(QStringLiteral("order"), QString::number(c.order));
            xml.writeAttribute(QStringLiteral("width"), QString::number(c.widthTwips));
            xml.writeAttribute(QStringLiteral("visible"),
                               c.visible ? QStringLiteral("1") : QStringLiteral("0"));
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!f.commit()) {
        if (error)
            *error =
                QStringLiteral("Nu se poate scrie fisierul ") + path + QStringLiteral(": ") + f.errorString();
        return false;
    }
    return true;
}

std::optional<Layout> loadLayout(const QString& path, const QString& name, QString* error)
{
    QList<QPair<QString, Layout>> all;
    if (!readAll(path, all, error))
        return std::nullopt;
    for (const auto& [n, l] : all) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return l;
    }
    if (error)
        *error = QStringLiteral("Aranjarea ") + name + QStringLiteral(" nu exista in ") + path;
    return std::nullopt;
}

} // namespace grid
