// quorvel_pdf: the PDF edition of one of the program folder's HTML documents
// (the user manual, the explanatory notes), laid out on A4 pages with page
// numbers. Pictures are taken from the HTML file's folder, each at its own
// size or narrowed to the page's text width; a picture that cannot be read
// fails the build instead of leaving an empty frame. The text is set without
// ligatures, so that a reader's search finds every word ("fisier" is not
// written with the one glyph of "fi"). The PDF is written whole or not at
// all.
//
// Usage: quorvel_pdf <document.html> <document.pdf>

#include "platform/sys/system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>
#include <cstdio>

namespace {

// Reads the pictures from the HTML file's folder and records the ones that
// cannot be read.
class Document : public QTextDocument
{
public:
    QString folder;
    QStringList lipsa;

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type != QTextDocument::ImageResource)
            return QTextDocument::loadResource(type, name);
        const QString cale = name.isRelative() ? folder + u'/' + name.path() : name.toLocalFile();
        QImage imagine(cale);
        if (imagine.isNull()) {
            if (!lipsa.contains(name.toString()))
                lipsa << name.toString();
            return {};
        }
        return imagine;
    }
};

// The text width of an A4 page less the 2 cm margins print() keeps on each
// side, in the document's pixels (1/96 inch).
constexpr double kLatimeText = (210.0 - 2 * 20.0) / 25.4 * 96.0;

// Every picture at its own size, or at the text width when it is wider; a
// width the page gives is kept when it fits.
void potrivestePozele(Document& doc)
{
    struct Poza
    {
        int de = 0, lungime = 0;
        QTextImageFormat format;
    };
    QList<Poza> schimbate; // changed after the walk, which a change would upset
    for (QTextBlock bloc = doc.begin(); bloc.isValid(); bloc = bloc.next()) {
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment bucata = it.fragment();
            if (!bucata.isValid() || !bucata.charFormat().isImageFormat())
                continue;
            QTextImageFormat poza = bucata.charFormat().toImageFormat();
            const QImage imagine =
                doc.resource(QTextDocument::ImageResource, QUrl(poza.name())).value<QImage>();
            if (imagine.isNull())
                continue; // named among the missing pictures
            const double latime = poza.width() > 0 ? poza.width() : imagine.width();
            const double potrivita = qMin(latime, kLatimeText);
            if (poza.width() > 0 && latime == potrivita)
                continue;
            poza.setWidth(potrivita);
            if (poza.height() > 0)
                poza.setHeight(poza.height() * potrivita / latime);
            schimbate << Poza{bucata.position(), bucata.length(), poza};
        }
    }
    for (const Poza& p : std::as_const(schimbate)) {
        QTextCursor c(&doc);
        c.setPosition(p.de);
        c.setPosition(p.de + p.lungime, QTextCursor::KeepAnchor);
        c.setCharFormat(p.format);
    }
}

int eroare(const QString& text)
{
    std::fprintf(stderr, "quorvel_pdf: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    sys::nameRuntimeFolder();
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return eroare(QStringLiteral("usage: quorvel_pdf <document.html> <document.pdf>"));
    const QString sursa = QString::fromLocal8Bit(argv[1]);
    const QString tinta = QString::fromLocal8Bit(argv[2]);

    QFile html(sursa);
    if (!html.open(QIODevice::ReadOnly))
        return eroare(sursa + QStringLiteral(": ") + html.errorString());
    Document doc;
    doc.folder = QFileInfo(sursa).absolutePath();
    QFont litera(QStringLiteral("DejaVu Sans"));
    litera.setPointSizeF(10);
    // No shaping of Latin text: no ligatures, each letter its own glyph.
    litera.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(litera);
    doc.setHtml(QString::fromUtf8(html.readAll()));
    potrivestePozele(doc);

    QDir().mkpath(QFileInfo(tinta).absolutePath());
    QSaveFile fisier(tinta);
    if (!fisier.open(QIODevice::WriteOnly))
        return eroare(tinta + QStringLiteral(": ") + fisier.errorString());
    {
        QPdfWriter pdf(&fisier);
        pdf.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
        pdf.setCreator(QStringLiteral("Quorvel"));
        pdf.setResolution(300);
        // The page itself has no margins: print() keeps 2 cm of its own.
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        doc.print(&pdf);
    }
    if (!doc.lipsa.isEmpty()) {
        fisier.cancelWriting();
        return eroare(sursa + QStringLiteral(": pictures not found: ") + doc.lipsa.join(QStringLiteral(", ")));
    }
    if (!fisier.commit())
        return eroare(tinta + QStringLiteral(": ") + fisier.errorString());
    return 0;
}
