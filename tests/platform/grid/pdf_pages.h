#pragma once
// Reads back a PDF the way a person looks at it, with the poppler tools
// (scripts/install-deps.sh installs poppler-utils): the text of one page,
// and one page as a picture.

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace pdf {

// The text of page n (from 1), laid out as on the page; empty when the tool
// fails or is missing.
inline QString pageText(const QString& path, int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Page n rendered at the resolution given (dots per inch), in grey.
inline QImage pageImage(const QString& path, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
             QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-singlefile"), path, prefix});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// Whether any pixel of the area is darker than light grey.
inline bool hasInk(const QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x)
            if (line[x] < 160)
                return true;
    }
    return false;
}

} // namespace pdf
