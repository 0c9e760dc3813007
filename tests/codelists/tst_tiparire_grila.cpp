// The "Tipareste" command of the list windows: the preview of a grid of the
// countries with the program's header, footer, margins and captions, printed
// to PDF from the preview and read back with the poppler tools; the grid's
// screen look comes back afterwards.
#include "codelists/Tiparire_Grila.h"
#include "fixture.h"
#include "platform/grid/grid.h"
#include "platform/grid/pdf_pages.h"
#include "platform/grid/units.h"
#include "platform/ui/mesaj.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestTiparireGrila : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void previewPrintsHeaderFooterAndMargins_data();
    void previewPrintsHeaderFooterAndMargins();

private:
    fixture::Folder m_folder;
    QTemporaryDir m_iesire;
    std::unique_ptr<grid::Grid> m_grila;
};

void TestTiparireGrila::initTestCase()
{
    ui::testing::setEnabled(true);
    const QString comun = m_folder.base() + u"Comun.mdb"_s;
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts()));
    QVERIFY(!Conexiune_Comun.open(comun));
    Producator_NumeFirma = u"Producator Test SRL"_s;
    Producator_Telefon = u"0212223344"_s;
    Producator_Email = u"test@example.ro"_s;
}

void TestTiparireGrila::cleanupTestCase()
{
    m_grila.reset();
    Reseteaza_Globale_Setari();
    Reseteaza_Globale_Sistem();
    Conexiune_Comun.close();
}

void TestTiparireGrila::init()
{
    m_grila = std::make_unique<grid::Grid>();
    auto rs =
        Conexiune_Comun.openRecordset(u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s);
    QVERIFY(rs);
    m_grila->bind(*rs);
    m_grila->setRowColours(grid::fromVbColor(0xFFFFC0), grid::fromVbColor(0xFFFFFF));
    m_grila->resize(600, 400);
    m_grila->show();
}

void TestTiparireGrila::previewPrintsHeaderFooterAndMargins_data()
{
    QTest::addColumn<int>("sus");
    QTest::addColumn<int>("jos");
    QTest::addColumn<QString>("utilizator");
    QTest::addColumn<QString>("numeTiparit");
    QTest::newRow("code-list window, no user")
        << Margini_Tiparire_Lista.sus << Margini_Tiparire_Lista.jos << QString() << u"N/A"_s;
    QTest::newRow("browser and editor")
        << Margini_Tiparire_Grila.sus << Margini_Tiparire_Grila.jos << u"ion"_s << u"ion"_s;
}

void TestTiparireGrila::previewPrintsHeaderFooterAndMargins()
{
    QFETCH(int, sus);
    QFETCH(int, jos);
    QFETCH(QString, utilizator);
    QFETCH(QString, numeTiparit);
    Utilizator_Windows = utilizator;
    const QFont ecran = m_grila->font();
    const QString pdf = m_iesire.filePath(u"lista.pdf"_s);
    const QString titlu = u"Capitole -  Total Inregistrari :  %1"_s.arg(m_grila->dataRowCount());

    bool vazut = false;
    QTimer::singleShot(0, this, [&] {
        auto* preview = qobject_cast<grid::PrintPreview*>(QApplication::activeModalWidget());
        QVERIFY(preview);
        vazut = true;
        const auto inchide = qScopeGuard([preview] { preview->reject(); });
        // While the preview is up the grid has no row colours and prints in Times New Roman.
        QVERIFY(!m_grila->alternatingRows());
        QCOMPARE(m_grila->font().family(), u"Times New Roman"_s);
        QCOMPARE(preview->windowTitle(), titlu.toUpper());
        const QList<QPair<QString, QString>> iteme{{u"PageSetup"_s, u"Setare Pagina"_s},
                                                   {u"Print"_s, u"Tipareste"_s},
                                                   {u"Exit"_s, u"Iesire"_s},
                                                   {u"ZoomIn"_s, u"Marire"_s},
                                                   {u"ZoomOut"_s, u"Micsorare"_s}};
        for (const auto& [nume, text] : iteme) {
            auto* a = preview->findChild<QAction*>(nume);
            QVERIFY2(a, qPrintable(nume));
            QCOMPARE(a->text(), text);
        }
        QCOMPARE(preview->findChild<QMenu*>(u"View"_s)->title(), u"Vizualizari"_s);
        QCOMPARE(preview->previewWidget()->zoomFactor(), 0.8);
        const QPageLayout pagina = preview->printer().pageLayout();
        QCOMPARE(pagina.pageSize().id(), QPageSize::A4);
        QCOMPARE(pagina.orientation(), QPageLayout::Portrait);
        QCOMPARE(pagina.margins(QPageLayout::Point),
                 QMarginsF(567 / 20.0, sus / 20.0, 567 / 20.0, jos / 20.0));
        preview->printer().setOutputFormat(QPrinter::PdfFormat);
        preview->printer().setOutputFileName(pdf);
        preview->previewWidget()->print();
        preview->findChild<QAction*>(u"Exit"_s)->trigger();
    });
    Tipareste_Grila(*m_grila, titlu, {567, 567, sus, jos});
    QVERIFY(vazut);

    // The grid's screen look is back.
    QVERIFY(m_grila->alternatingRows());
    QCOMPARE(m_grila->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
             grid::fromVbColor(0xFFFFC0));
    QCOMPARE(m_grila->font(), ecran);

    // The texts as set, and as the page shows them (the PDF reader folds runs of blanks).
    const grid::PrintSettings setari = Setari_Tiparire_Grila(titlu, {567, 567, sus, jos});
    const QString antet =
        u"Quorvel  REPORT - CAPITOLE -  TOTAL INREGISTRARI :  %1"_s.arg(m_grila->dataRowCount());
    const QString subsol = u"Pagina : \\p din \\P   / User Name:"_s + numeTiparit + QString(9, u'\t') +
                           u"Producator Test SRL  Telefon : 0212223344  E-mail : test@example.ro"_s;
    QCOMPARE(setari.pageHeader, antet);
    QCOMPARE(setari.pageFooter, subsol);
    QCOMPARE(setari.pageFooterFont.family(), u"Times New Roman"_s);
    QCOMPARE(setari.pageFooterFont.pointSize(), 7);
    QVERIFY(setari.pageHeaderFont.bold());
    const QString text = pdf::pageText(pdf, 1).simplified();
    QVERIFY2(!text.isEmpty(), "pdftotext gave nothing: is poppler-utils installed?");
    QVERIFY(text.startsWith(antet.simplified()));
    QVERIFY(text.contains(QRegularExpression(u"Pagina : 1 din \\d+ / User Name:"_s + numeTiparit)));
    QVERIFY(text.contains(u"Producator Test SRL Telefon : 0212223344 E-mail : test@example.ro"_s));
    QVERIFY(text.contains(u"Afganistan"_s));

    // The first page as a picture: nothing above the top margin or below the
    // bottom one, the header right under the top margin.
    const QImage pagina = pdf::pageImage(pdf, 1, 72);
    QVERIFY2(!pagina.isNull(), "pdftoppm gave nothing: is poppler-utils installed?");
    QCOMPARE(pagina.size(), QSize(595, 842));
    QVERIFY(!pdf::hasInk(pagina, QRect(0, 0, 595, sus / 20 - 1)));
    QVERIFY(!pdf::hasInk(pagina, QRect(0, 842 - jos / 20 + 1, 595, jos / 20)));
    QVERIFY(pdf::hasInk(pagina, QRect(567 / 20, sus / 20, 300, 14)));
}

QTEST_MAIN(TestTiparireGrila)
#include "tst_tiparire_grila.moc"
