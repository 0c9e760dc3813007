#pragma once
// Reads the first sheet of an .xlsx back for tests: unzips it with libzip and
// reads the sheet and shared-string XML. Each cell is its type letter and text:
// "s:Cod" (shared or inline string), "n:12.5" (number), "b:1", or absent.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <zip.h>

namespace xlsxtest {

inline QByteArray readEntry(zip_t* z, const char* name)
{
    zip_stat_t st;
    if (zip_stat(z, name, 0, &st) != 0)
        return {};
    zip_file_t* f = zip_fopen(z, name, 0);
    if (!f)
        return {};
    QByteArray data(qsizetype(st.size), '\0');
    const zip_int64_t n = zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    if (n < 0)
        return {};
    data.resize(qsizetype(n));
    return data;
}

struct Sheet
{
    bool ok = false;
    QMap<QString, QString> cells; // "A1" -> "s:text"
    int rows = 0;                 // highest row number holding a cell
    QString at(const QString& ref) const { return cells.value(ref); }
};

inline Sheet readFirstSheet(const QString& path)
{
    Sheet sheet;
    int err = 0;
    zip_t* z = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY, &err);
    if (!z)
        return sheet;
    QStringList shared;
    {
        QXmlStreamReader x(readEntry(z, "xl/sharedStrings.xml"));
        QString cur;
        bool inSi = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QStringLiteral("si")) {
                inSi = true;
                cur.clear();
            } else if (x.isStartElement() && x.name() == QStringLiteral("t") && inSi) {
                cur += x.readElementText();
            } else if (x.isEndElement() && x.name() == QStringLiteral("si")) {
                shared.append(cur);
                inSi = false;
            }
        }
    }
    const QByteArray xml = readEntry(z, "xl/worksheets/sheet1.xml");
    zip_close(z);
    if (xml.isEmpty())
        return sheet;
    QXmlStreamReader x(xml);
    QString ref, type;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QStringLiteral("c")) {
            ref = x.attributes().value(QStringLiteral("r")).toString();
            type = x.attributes().value(QStringLiteral("t")).toString();
        } else if (x.isStartElement() &&
                   (x.name() == QStringLiteral("v") || x.name() == QStringLiteral("t"))) {
            const QString v = x.readElementText();
            QString cell;
            if (type == QStringLiteral("s"))
                cell = QStringLiteral("s:") + shared.value(v.toInt());
            else if (type == QStringLiteral("inlineStr") || type == QStringLiteral("str"))
                cell = QStringLiteral("s:") + v;
            else if (type == QStringLiteral("b"))
                cell = QStringLiteral("b:") + v;
            else
                cell = QStringLiteral("n:") + v;
            sheet.cells.insert(ref, cell);
            qsizetype i = 0;
            while (i < ref.size() && ref.at(i).isLetter())
                ++i;
            sheet.rows = qMax(sheet.rows, ref.mid(i).toInt());
        }
    }
    sheet.ok = !x.hasError();
    return sheet;
}

} // namespace xlsxtest
