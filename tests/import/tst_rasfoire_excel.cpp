// The workbook dialogs of the import window and of the template editor, as the
// user sees them: opened from the demonstration template, they list the
// sample workbook at once, under one filter for .xls and .xlsx together,
// then under each kind alone.

#include "Mediu_Preluare.h"
#include "import/Frm_Preluare_Excel.h"
#include "import/Frm_Structura_Fisiere.h"
#include "import/Machete.h"
#include "import/Preluare_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/ui/fereastra_stub.h"
#include "platform/ui/mesaj_widgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

// The files the dialog's list shows, sorted.
QStringList listate(QFileDialog* d)
{
    auto* lista = d->findChild<QAbstractItemView*>(u"listView"_s);
    if (!lista || !lista->model())
        return {};
    QStringList nume;
    const QModelIndex radacina = lista->rootIndex();
    for (int r = 0; r < lista->model()->rowCount(radacina); ++r)
        nume << lista->model()->index(r, 0, radacina).data().toString();
    nume.sort();
    return nume;
}

struct Vazut
{
    QString folder;
    QStringList filtre;
    QString filtruAles;
    QList<QStringList> listari; // per filter, in the order of the list
};

// Once the file dialog is open: what it offers and lists under each of its
// filters, then cancelled.
void cercetaDialogul(Vazut& vazut, const QStringList& asteptate)
{
    auto* ceas = new QTimer(qApp);
    ceas->setInterval(10);
    QObject::connect(ceas, &QTimer::timeout, ceas, [ceas, &vazut, asteptate] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        ceas->stop();
        ceas->deleteLater();
        vazut.folder = d->directory().absolutePath();
        vazut.filtre = d->nameFilters();
        vazut.filtruAles = d->selectedNameFilter();
        for (const QString& filtru : vazut.filtre) {
            d->selectNameFilter(filtru);
            const int i = static_cast<int>(vazut.listari.size());
            // The folder is read in the background: wait until the list
            // holds what this filter should show (or give up and record it).
            (void)QTest::qWaitFor([&] { return listate(d) == asteptate.value(i).split(u'|'); }, 5000);
            vazut.listari << listate(d);
        }
        // What the window says once the dialog is gone goes to the seam.
        ui::testing::setEnabled(true);
        d->reject();
    });
    ceas->start();
}

} // namespace

class TestRasfoireExcel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ui::installWidgetPresenter(); }
    void cleanupTestCase() { ui::setPresenter(nullptr); }
    void cleanup() { ui::Forms::resetForTests(); }

    void cuMachetaDemonstrativa_data()
    {
        QTest::addColumn<QString>("fereastra");
        QTest::newRow("import") << u"Frm_Preluare_Excel"_s;
        QTest::newRow("template editor") << u"Frm_Structura_Fisiere"_s;
    }
    void cuMachetaDemonstrativa()
    {
        QFETCH(QString, fereastra);
        Mediu m;
        QVERIFY(m.gata());
        const QString exemple = m.radacina() + u"/Exemple"_s;
        QVERIFY(QFile::exists(exemple + u"/Exemplu_Livrari.xlsx"_s));
        QVERIFY(QFile::copy(preluare_test::fixtura(u"preluare.xls"_s), exemple + u"/Martie.xls"_s));
        {
            QFile nota(exemple + u"/Citeste.txt"_s);
            QVERIFY(nota.open(QIODevice::WriteOnly));
        }

        QLineEdit* cale = nullptr;
        QPushButton* rasfoire = nullptr;
        if (fereastra == u"Frm_Preluare_Excel"_s) {
            ui::Forms::registerWindow(fereastra, [] { return new Frm_Preluare_Excel; });
            ui::FereastraStub::registerStub(u"Frm_INTRASTAT"_s, u"Frm_INTRASTAT"_s,
                                            [] { return QVariantMap(); });
            ui::Forms::show(fereastra);
            auto* f = ui::Forms::get<Frm_Preluare_Excel>(fereastra);
            QVERIFY(f);
            f->Combo_NumeMacheta->setEditText(u"Exemplu Livrari"_s);
            QFocusEvent iesire(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(f->Combo_NumeMacheta, &iesire);
            cale = f->Txt_ExcelFile;
            rasfoire = f->CmdBrowse;
        } else {
            ui::Forms::registerWindow(fereastra, [] { return new Frm_Structura_Fisiere; });
            Mod_Macheta = 1;
            Conditie_Macheta = Conditie_Macheta_Pentru(u"Exemplu Livrari"_s);
            auto* f = ui::Forms::load<Frm_Structura_Fisiere>(fereastra);
            QVERIFY(f);
            f->Blocheaza_Nume_Si_Flux();
            f->Arata_Controale_Fisier();
            ui::Forms::show(fereastra);
            cale = f->Txt_ExcelFile;
            rasfoire = f->CmdBrowse;
        }
        // Whatever the window does as it becomes active (the template editor
        // reads the workbook's columns) is done before the dialog opens.
        QVERIFY(QTest::qWaitForWindowActive(cale->window()));
        const QString inainte = cale->text();
        QVERIFY(!inainte.isEmpty());

        // The dialog itself, not the seam's record.
        ui::testing::setEnabled(false);
        Vazut vazut;
        cercetaDialogul(vazut,
                        {u"Exemplu_Livrari.xlsx|Martie.xls"_s, u"Martie.xls"_s, u"Exemplu_Livrari.xlsx"_s});
        rasfoire->click();
        ui::testing::setEnabled(true);

        QCOMPARE(vazut.folder, QDir(exemple).absolutePath());
        QCOMPARE(vazut.filtre, ui::qtFilter(Filtru_Fisiere_Excel()).split(u";;"_s));
        QCOMPARE(vazut.filtre, (QStringList{u"Excel Files (*.xls *.xlsx)"_s, u"Excel Files (*.xls)"_s,
                                            u"Excel Files (*.xlsx)"_s}));
        QCOMPARE(vazut.filtruAles, vazut.filtre.first());
        QCOMPARE(vazut.listari.size(), 3);
        QCOMPARE(vazut.listari.at(0), (QStringList{u"Exemplu_Livrari.xlsx"_s, u"Martie.xls"_s}));
        QCOMPARE(vazut.listari.at(1), QStringList{u"Martie.xls"_s});
        QCOMPARE(vazut.listari.at(2), QStringList{u"Exemplu_Livrari.xlsx"_s});
        // Cancelled: the window keeps its workbook.
        QCOMPARE(cale->text(), inainte);
    }
};

QTEST_MAIN(TestRasfoireExcel)
#include "tst_rasfoire_excel.moc"
