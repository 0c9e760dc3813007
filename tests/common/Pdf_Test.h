#pragma once
// Reading back a printed PDF with poppler's command-line tools (pdfinfo,
// pdftotext): its page count, the text of a page and where the words stand.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace pdf {

inline QString ruleaza(const QString& program, const QStringList& argumente)
{
    QProcess p;
    p.start(program, argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The number of pages; 0 when the file cannot be read.
inline int pagini(const QString& fisier)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(ruleaza(QStringLiteral("pdfinfo"), {fisier}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// The text of one page (1-based), its lines in reading order.
inline QString text(const QString& fisier, int pagina)
{
    return ruleaza(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(pagina),
                    QStringLiteral("-l"), QString::number(pagina), fisier, QStringLiteral("-")});
}

struct Cuvant
{
    double stanga = 0; // points from the page's left edge
    double sus = 0;    // points from the page's top edge
    double dreapta = 0;
    double jos = 0;
    QString text;
};

struct Pagina
{
    double latime = 0; // points
    double inaltime = 0;
    QList<Cuvant> cuvinte;
};

// The words of one page with their boxes.
inline Pagina cuvinte(const QString& fisier, int pagina)
{
    const QString html =
        ruleaza(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(pagina), QStringLiteral("-l"),
                 QString::number(pagina), fisier, QStringLiteral("-")});
    Pagina p;
    const QRegularExpressionMatch dim =
        QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"")).match(html);
    if (dim.hasMatch()) {
        p.latime = dim.captured(1).toDouble();
        p.inaltime = dim.captured(2).toDouble();
    }
    const QRegularExpression cuvant(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                   "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = cuvant.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        p.cuvinte.append(Cuvant{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                m.captured(4).toDouble(), m.captured(5)});
    }
    return p;
}

} // namespace pdf
