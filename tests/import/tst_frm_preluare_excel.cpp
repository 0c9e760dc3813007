// The import window: what it proposes when it opens and when a template is
// chosen, the sheet list of a chosen workbook, a whole import by its button
// with the status line and the buttons after it, and the hand-over to the
// declaration window.

#include "Mediu_Preluare.h"
#include "import/Frm_Preluare_Excel.h"
#include "import/Preluare_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/ui/fereastra_stub.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

Frm_Preluare_Excel* deschide()
{
    ui::Forms::registerWindow(u"Frm_Preluare_Excel"_s, [] { return new Frm_Preluare_Excel; });
    ui::FereastraStub::registerStub(u"Frm_INTRASTAT"_s, u"Frm_INTRASTAT"_s, [] {
        return QVariantMap{{u"Filtru_Intrastat"_s, Filtru_Intrastat}};
    });
    ui::FereastraStub::clearDeschideri();
    ui::Forms::show(u"Frm_Preluare_Excel"_s);
    return ui::Forms::get<Frm_Preluare_Excel>(u"Frm_Preluare_Excel"_s);
}

void alegeMacheta(Frm_Preluare_Excel* f, const QString& nume)
{
    f->Combo_NumeMacheta->setEditText(nume);
    QFocusEvent iesire(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(f->Combo_NumeMacheta, &iesire);
}

} // namespace

class TestFrmPreluareExcel : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ui::Forms::resetForTests(); }

    void opening_data()
    {
        QTest::addColumn<QDate>("azi");
        QTest::addColumn<QString>("anul");
        QTest::addColumn<QString>("luna");
        QTest::newRow("January") << QDate(2027, 1, 10) << u"2026"_s << u"12"_s;
        QTest::newRow("March") << QDate(2026, 3, 31) << u"2026"_s << u"2"_s;
    }
    void opening()
    {
        QFETCH(QDate, azi);
        QFETCH(QString, anul);
        QFETCH(QString, luna);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        sys::Clock::set(QDateTime(azi, QTime(8, 0)));
        Frm_Preluare_Excel* f = deschide();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Preluare date din Excel"_s);
        QVERIFY(f->windowState() & Qt::WindowMaximized);
        QCOMPARE(f->TXT_Anul->text(), anul);
        QCOMPARE(f->TXT_Luna->text(), luna);
        QCOMPARE(f->TXT_CodFiscal->text(), u"RO0000001"_s);
        QCOMPARE(f->Combo_Tip->count(), 2);
        QCOMPARE(f->Combo_Tip->currentIndex(), -1);
        QVERIFY(!f->Combo_Tip->isEditable());
        QCOMPARE(f->Txt_ExcelFile->text(), QString());
        QCOMPARE(f->Txt_SheetName->currentText(), u"Sheet1"_s);
        QCOMPARE(f->Combo_NumeMacheta->count(), 2); // with the demonstration's own
        QVERIFY(f->CmdReadFile->isVisible());
        QVERIFY(!f->CmdExit->isVisible());
    }

    // Enter moves on as Tab does and is not typed, from the text boxes and
    // the editable lists alike.
    void enterMovesOn()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Preluare_Excel* f = deschide();
        QVERIFY(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        for (QWidget* caseta : std::initializer_list<QWidget*>{f->TXT_Anul, f->TXT_Luna, f->Txt_ExcelFile,
                                                               f->Combo_NumeMacheta->lineEdit()}) {
            caseta->setFocus();
            QTest::keyClick(caseta, Qt::Key_Tab);
            QWidget* urmatorul = QApplication::focusWidget();
            caseta->setFocus();
            const QString text = caseta->property("text").toString();
            QTest::keyClick(caseta, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), urmatorul);
            QCOMPARE(caseta->property("text").toString(), text);
        }
    }

    void templateChoice_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("locatie");
        QTest::addColumn<QString>("foaie");
        QTest::addColumn<QString>("felAsteptat");
        QTest::addColumn<QString>("caleAsteptata");
        QTest::addColumn<QString>("foaieAsteptata");
        const QString acasa = QDir::homePath() + u'/';
        QTest::newRow("arrivals") << u"ACHIZITIE"_s << u"/date/"_s << u"Foaie"_s
                                  << u"I - Pentru achizitii (INTRARI)"_s << u"/date/"_s << u"Foaie"_s;
        QTest::newRow("arrivals in small letters")
            << u"achizitie"_s << QString() << QString() << u"O - Pentru livrari (IESIRI)"_s << acasa
            << u"Sheet1"_s;
        QTest::newRow("dispatches") << u"LIVRARE"_s << QString() << QString()
                                    << u"O - Pentru livrari (IESIRI)"_s << acasa << u"Sheet1"_s;
    }
    void templateChoice()
    {
        QFETCH(QString, tip);
        QFETCH(QString, locatie);
        QFETCH(QString, foaie);
        QFETCH(QString, felAsteptat);
        QFETCH(QString, caleAsteptata);
        QFETCH(QString, foaieAsteptata);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.macheta(u"Macheta"_s, tip, {{u"Cod_NC"_s, 1, {}, {}}}, locatie, foaie));
        Frm_Preluare_Excel* f = deschide();
        alegeMacheta(f, u"Macheta"_s);
        QCOMPARE(f->Combo_Tip->currentText(), felAsteptat);
        QCOMPARE(f->Txt_ExcelFile->text(), caleAsteptata);
        QCOMPARE(f->Txt_SheetName->currentText(), foaieAsteptata);
    }

    // The demonstration template proposes the Exemple/ folder of the program
    // folder it runs from (here a fresh copy), not the one the build made.
    void demonstrationFollowsProgramFolder()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Preluare_Excel* f = deschide();
        alegeMacheta(f, u"Exemplu Livrari"_s);
        QCOMPARE(f->Txt_ExcelFile->text(), m.radacina() + u"/Exemple/"_s);
        QVERIFY(QFile::exists(f->Txt_ExcelFile->text() + u"Exemplu_Livrari.xlsx"_s));
        QCOMPARE(f->Combo_Tip->currentText(), u"O - Pentru livrari (IESIRI)"_s);
    }

    // Browsing lists the workbook's sheets and keeps the sheet name typed.
    void browse()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Preluare_Excel* f = deschide();
        const QString xls = preluare_test::fixtura(u"preluare.xls"_s);
        f->Txt_SheetName->setEditText(u"Date"_s);
        ui::testing::pushFileName(xls);
        QTest::mouseClick(f->CmdBrowse, Qt::LeftButton);
        QCOMPARE(f->Txt_ExcelFile->text(), xls);
        QCOMPARE(f->Txt_SheetName->count(), 2);
        QCOMPARE(f->Txt_SheetName->itemText(0), u"Sheet1"_s);
        QCOMPARE(f->Txt_SheetName->currentText(), u"Date"_s);
        const ui::testing::Call dialog = ui::testing::calls().last();
        QCOMPARE(dialog.filter, Filtru_Fisiere_Excel());
        // Cancelled: nothing changes.
        QTest::mouseClick(f->CmdBrowse, Qt::LeftButton);
        QCOMPARE(f->Txt_ExcelFile->text(), xls);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    // A whole import by the button, then the declaration window on its rows.
    void importAndView()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(u"D'Arc"_s)));
        const QString cale = dir.filePath(u"D'Arc/book.xls"_s);
        QVERIFY(QFile::copy(preluare_test::fixtura(u"preluare.xls"_s), cale));
        Frm_Preluare_Excel* f = deschide();
        alegeMacheta(f, u"Livrari"_s);
        f->TXT_Anul->setText(u"2026"_s);
        f->TXT_Luna->setText(u"3"_s);
        f->Txt_ExcelFile->setText(cale);
        QTest::mouseClick(f->CmdReadFile, Qt::LeftButton);

        QCOMPARE(f->LblBar->text(),
                 u"Au fost preluate : 3 inregistrari din totalul de : 3\nSalvate complet : 3"
                 u"   Cu valori refuzate : 0   Randuri goale sarite : 0"_s);
        QVERIFY(f->LblBar->styleSheet().contains(u"255, 0, 0"_s));
        QCOMPARE(f->InstallBar1->value(), 100);
        const QString mesaj = f->TxtMesaj->toPlainText();
        QVERIFY2(mesaj.endsWith(u"TOTAL INREGISTRARI CITITE: 3\nSE RETIN DATELE - Inregistrarea : 3\n\n"
                                u"OPERATIE TERMINATA . . ."_s),
                 qPrintable(mesaj));
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::Information);
        QVERIFY(!f->CmdReadFile->isVisible());
        QVERIFY(f->CmdExit->isVisible());
        QCOMPARE(Mediu::numarRanduri(), 3);

        QTest::mouseClick(f->CmdExit, Qt::LeftButton);
        const auto& d = ui::FereastraStub::deschideri();
        QCOMPARE(d.size(), 1);
        QCOMPARE(d.at(0).values.value(u"Filtru_Intrastat"_s).toString(),
                 u" WHERE SourceFile_FullPath='"_s + QString(cale).replace(u"'"_s, u"''"_s) +
                     u"' AND Cod_Fiscal='RO0000001' AND Anul=2026 AND Luna=3 AND Tip='O'"_s);
        QCOMPARE(ui::Forms::get(u"Frm_INTRASTAT"_s)->windowTitle(),
                 u"INTRASTAT -  ANUL: 2026   LUNA: 3   FISIER: "_s + cale);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Preluare_Excel"_s));
        // The filter selects exactly the imported rows.
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat"_s + Filtru_Intrastat).toInt(), 3);
    }

    // Rows the database refuses to commit at the end: a failure, nothing
    // imported, the window ready for another try.
    void failedCommit()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(m.machetaLivrare());
        // Every line inserted leaves a row that breaks a foreign key checked at the commit.
        for (const QString& sql :
             {u"CREATE TABLE Parinte (Id INTEGER PRIMARY KEY)"_s,
              u"CREATE TABLE Copil (Id INTEGER REFERENCES Parinte (Id) DEFERRABLE INITIALLY DEFERRED)"_s,
              u"CREATE TRIGGER Amana AFTER INSERT ON Intrastat BEGIN INSERT INTO Copil VALUES (7); END"_s})
            QVERIFY2(Conexiune_Firma.execute(sql), qPrintable(sql));
        Frm_Preluare_Excel* f = deschide();
        alegeMacheta(f, u"Livrari"_s);
        f->TXT_Anul->setText(u"2026"_s);
        f->TXT_Luna->setText(u"3"_s);
        f->Txt_ExcelFile->setText(preluare_test::fixtura(u"preluare.xls"_s));
        QTest::mouseClick(f->CmdReadFile, Qt::LeftButton);

        const QList<ui::testing::Call> mesaje = ui::testing::messages();
        QCOMPARE(mesaje.size(), 1);
        QVERIFY2(mesaje.at(0).text.startsWith(u"DATELE NU AU PUTUT FI SALVATE\r\n"_s),
                 qPrintable(mesaje.at(0).text));
        QCOMPARE(mesaje.at(0).icon, ui::Icon::Critical);
        QVERIFY(f->TxtMesaj->toPlainText().contains(u"\nEROARE - DATELE NU AU PUTUT FI SALVATE\n"_s));
        QVERIFY(!f->TxtMesaj->toPlainText().contains(u"OPERATIE TERMINATA"_s));
        QCOMPARE(f->LblBar->text(), QString());
        QVERIFY(f->CmdReadFile->isVisible());
        QVERIFY(f->CmdReadFile->isEnabled());
        QVERIFY(!f->CmdExit->isVisible());
        QVERIFY(!Conexiune_Firma.inTransaction());
        QCOMPARE(Mediu::numarRanduri(), 0);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Copil"_s).toInt(), 0);

        // Once the cause is gone, the same window imports.
        QVERIFY(Conexiune_Firma.execute(u"DROP TRIGGER Amana"_s));
        ui::testing::clear();
        QTest::mouseClick(f->CmdReadFile, Qt::LeftButton);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        QCOMPARE(Mediu::numarRanduri(), 3);
    }

    // An import that ends early leaves the window ready for another try.
    void endsEarly()
    {
        Mediu m;
        QVERIFY(m.gata());
        Frm_Preluare_Excel* f = deschide();
        QTest::mouseClick(f->CmdReadFile, Qt::LeftButton);
        const QString o = u"  -  Obligatoriu de completat !"_s;
        QCOMPARE(Arbore_Test::mesaje(),
                 (QStringList{u"Nume fisier"_s + o, u"Nume Macheta"_s + o, u"Tip Operatiune"_s + o}));
        QVERIFY(f->CmdReadFile->isVisible());
        QVERIFY(f->CmdReadFile->isEnabled());
        QVERIFY(!f->CmdExit->isVisible());
    }
};

QTEST_MAIN(TestFrmPreluareExcel)
#include "tst_frm_preluare_excel.moc"
