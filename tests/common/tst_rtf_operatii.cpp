// Marking whole words in a rich-text box, and printing a box to a PDF
// printer page after page up to its last character.

#include "common/Pdf_Test.h"
#include "common/RTF_Operatii.h"
#include "platform/ui/mesaj.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 kAlbastru = 0xFF0000; // 0x00BBGGRR

// The format of the character at a position of the box.
QTextCharFormat Format_La(QTextEdit& box, int pozitie)
{
    QTextCursor c(box.document());
    c.setPosition(pozitie + 1);
    return c.charFormat();
}

bool Marcat(QTextEdit& box, int pozitie)
{
    const QTextCharFormat f = Format_La(box, pozitie);
    return f.foreground().color() == QColor(Qt::blue) && f.fontWeight() == QFont::Bold;
}

} // namespace

class TestRtfOperatii : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ui::testing::setEnabled(true);
        ui::testing::clear();
    }

    void marksWholeWordsIgnoringCase()
    {
        QTextEdit box;
        box.setPlainText(u"Mark mark marker mark"_s);
        QCOMPARE(Evidentiaza_Text_RTF(&box, u"mark"_s, kAlbastru), qint16(3));
        QVERIFY(Marcat(box, 0));
        QVERIFY(Marcat(box, 5));
        QVERIFY(!Marcat(box, 10)); // "marker"
        QVERIFY(Marcat(box, 17));
        // The last occurrence stays selected.
        QCOMPARE(box.textCursor().selectionStart(), 17);
        QCOMPARE(box.textCursor().selectionEnd(), 21);
    }

    void laterSearchKeepsEarlierMarks()
    {
        QTextEdit box;
        box.setPlainText(u"cod tarif cod vamal"_s);
        QCOMPARE(Evidentiaza_Text_RTF(&box, u"cod"_s, kAlbastru), qint16(2));
        QCOMPARE(Evidentiaza_Text_RTF(&box, u"VAMAL"_s, kAlbastru), qint16(1));
        QVERIFY(Marcat(box, 0));
        QVERIFY(Marcat(box, 10));
        QVERIFY(Marcat(box, 14));
        QVERIFY(!Marcat(box, 4));
    }

    void emptySearchMarksNothing()
    {
        QTextEdit box;
        box.setPlainText(u"cod tarif"_s);
        QCOMPARE(Evidentiaza_Text_RTF(&box, QString(), kAlbastru), qint16(0));
        QCOMPARE(Evidentiaza_Text_RTF(&box, u"lipsa"_s, kAlbastru), qint16(0));
        QVERIFY(!Marcat(box, 0));
        QVERIFY(ui::testing::messages().isEmpty());
    }

    void countBeyond32767IsAnOverflow()
    {
        QTextEdit box;
        box.setPlainText(QStringList(32768, u"a"_s).join(u'\n'));
        QCOMPARE(Evidentiaza_Text_RTF(&box, u"a"_s, kAlbastru), qint16(0));
        QCOMPARE(ui::testing::messages().size(), 1);
        const ui::testing::Call mesaj = ui::testing::messages().first();
        QCOMPARE(mesaj.text, u"Unexpected error number-6 occurred in Quorvel:\r\n\r\nOverflow"_s);
        QCOMPARE(mesaj.icon, ui::Icon::None);
        QCOMPARE(mesaj.title, std::nullopt);
        QVERIFY(Marcat(box, 0)); // the marks made stay
    }

    void printsEveryCharacter();
    void printsInsideTheMargins();

private:
    // Prints the text to a PDF of A4 pages with 1-inch margins; its page count.
    int Tipareste(const QString& text, const QString& pdfFisier)
    {
        QTextEdit box;
        box.setPlainText(text);
        QPrinter imprimanta(QPrinter::HighResolution);
        imprimanta.setOutputFormat(QPrinter::PdfFormat);
        imprimanta.setOutputFileName(pdfFisier);
        imprimanta.setPageSize(QPageSize(QPageSize::A4));
        if (!Tipareste_RTF(&box, imprimanta, 1440, 1440, 1440, 1440))
            return -1;
        return pdf::pagini(pdfFisier);
    }

    static QString Linii(int numar)
    {
        QStringList linii;
        for (int i = 1; i <= numar; ++i)
            linii << u"Linia %1 a textului tiparit"_s.arg(i);
        return linii.join(u'\n');
    }

    QTemporaryDir m_dir;
};

void TestRtfOperatii::printsEveryCharacter()
{
    const QString pdfFisier = m_dir.filePath(u"text.pdf"_s);
    // The most lines one page holds.
    int pePagina = 1;
    while (Tipareste(Linii(pePagina + 1), pdfFisier) == 1)
        ++pePagina;
    QVERIFY(pePagina > 20);
    QCOMPARE(Tipareste(Linii(pePagina), pdfFisier), 1);

    // A full page and 50 characters more: the second page is printed too.
    const QString ultimele = u"ULTIMELE"_s + QString(42, u'Z');
    QCOMPARE(ultimele.size(), 50);
    QCOMPARE(Tipareste(Linii(pePagina) + u'\n' + ultimele, pdfFisier), 2);
    QVERIFY(pdf::text(pdfFisier, 2).contains(ultimele));
    QVERIFY(!pdf::text(pdfFisier, 1).contains(ultimele));
    QVERIFY(pdf::text(pdfFisier, 1).contains(u"Linia %1 a textului"_s.arg(pePagina)));
}

void TestRtfOperatii::printsInsideTheMargins()
{
    const QString pdfFisier = m_dir.filePath(u"margini.pdf"_s);
    const int pagini = Tipareste(Linii(150), pdfFisier);
    QVERIFY(pagini >= 2);
    for (int pagina = 1; pagina <= pagini; ++pagina) {
        const pdf::Pagina p = pdf::cuvinte(pdfFisier, pagina);
        QVERIFY(!p.cuvinte.isEmpty());
        double stanga = p.latime, sus = p.inaltime, jos = 0;
        for (const pdf::Cuvant& c : p.cuvinte) {
            stanga = std::min(stanga, c.stanga);
            sus = std::min(sus, c.sus);
            jos = std::max(jos, c.jos);
        }
        // One inch is 72 points; the first line's box starts at the margin.
        QVERIFY2(std::abs(stanga - 72) < 2, qPrintable(QString::number(stanga)));
        QVERIFY2(sus >= 72 - 1 && sus < 72 + 6, qPrintable(QString::number(sus)));
        QVERIFY2(jos <= p.inaltime - 72 + 1, qPrintable(QString::number(jos)));
    }
}

QTEST_MAIN(TestRtfOperatii)
#include "tst_rtf_operatii.moc"
