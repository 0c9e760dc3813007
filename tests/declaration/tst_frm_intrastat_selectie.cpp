// The declaration chooser on the standard company: its period combo and file
// list, opening a period or one workbook in the declaration window with the
// exact filter and caption, the refusals, and the deletion of one file.

#include "Declaratie_Test.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Frm_Intrastat_Selectie.h"
#include "platform/grid/grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

Frm_Intrastat_Selectie* deschide()
{
    auto* f = ui::Forms::load<Frm_Intrastat_Selectie>(u"Frm_Intrastat_Selectie"_s);
    if (f)
        ui::Forms::show(u"Frm_Intrastat_Selectie"_s);
    return f;
}

grid::ListGrid* lista(QWidget* f)
{
    return f->findChild<grid::ListGrid*>(u"ListaIntrastat"_s);
}

// The list row of a file, user and period; -1 when not listed.
int randFisier(QWidget* f, const QString& fisier, const QString& tip, int luna,
               const QString& utilizator = u"ion"_s)
{
    grid::ListGrid* l = lista(f);
    const int cFisier = l->columnForField(u"SourceFile"_s);
    const int cTip = l->columnForField(u"TIP"_s);
    const int cLuna = l->columnForField(u"Luna"_s);
    const int cUser = l->columnForField(u"UserName"_s);
    for (int r = 0; r < l->dataRowCount(); ++r)
        if (l->cellValue(r, cFisier).toText() == fisier && l->cellValue(r, cTip).toText() == tip &&
            l->cellValue(r, cLuna).toInt() == luna && l->cellValue(r, cUser).toText() == utilizator)
            return r;
    return -1;
}

void scrie(QWidget* f, const QString& tip, const QString& anul, const QString& luna)
{
    f->findChild<QLineEdit*>(u"TXT_Tip"_s)->setText(tip);
    f->findChild<QLineEdit*>(u"TXT_Anul"_s)->setText(anul);
    f->findChild<QLineEdit*>(u"TXT_Luna"_s)->setText(luna);
}

int linii(const QString& conditie)
{
    return Declaratie_Test::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE "_s + conditie).toInt();
}

} // namespace

class TestFrmIntrastatSelectie : public QObject
{
    Q_OBJECT

private slots:
    // Periods newest first, "I" before "O"; a period chosen fills the boxes.
    void perioade()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Filtru_Intrastat = u" WHERE X"_s;
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Intrastat Selectie"_s);
        QCOMPARE(Filtru_Intrastat, QString());
        auto* combo = f->findChild<QComboBox*>(u"Combo_Anul"_s);
        QStringList itemi;
        for (int i = 0; i < combo->count(); ++i)
            itemi << combo->itemText(i);
        QCOMPARE(itemi, (QStringList{u"O - 2016 - 1"_s, u"I - 2015 - 12"_s, u"O - 2015 - 12"_s,
                                     u"O - 2015 - 4"_s, u"I - 2015 - 3"_s, u"O - 2015 - 3"_s}));
        combo->setCurrentIndex(5);
        f->Combo_Anul_Click();
        QCOMPARE(f->findChild<QLineEdit*>(u"TXT_Tip"_s)->text(), u"O"_s);
        QCOMPARE(f->findChild<QLineEdit*>(u"TXT_Anul"_s)->text(), u"2015"_s);
        QCOMPARE(f->findChild<QLineEdit*>(u"TXT_Luna"_s)->text(), u"3"_s);
    }

    // The list: one row per file, period, user and import; its look.
    void listaFisierelor()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        grid::ListGrid* l = lista(f);
        QCOMPARE(l->dataRowCount(), Fisiere_Standard().size());
        QVERIFY(randFisier(f, u"ian.xlsx"_s, u"O"_s, 1, u"ana"_s) >= 0);
        QVERIFY(randFisier(f, u"ian.xlsx"_s, u"O"_s, 1, u"ion"_s) >= 0);
        const QList<QPair<QString, QString>> titluri{{u"TIP"_s, u"TIP"_s},
                                                     {u"SourceFile"_s, u"Nume fisier Excel"_s},
                                                     {u"NrInreg"_s, u"Numar Inreg"_s},
                                                     {u"Data_Preluare"_s, u"Data Preluare"_s}};
        for (const auto& [camp, titlu] : titluri)
            QCOMPARE(l->column(l->columnForField(camp)).caption, titlu);
        QCOMPARE(l->column(l->columnForField(u"SourceFile"_s)).widthTwips, 1800);
        QVERIFY(l->isColumnHidden(l->columnForField(u"Cod_Fiscal"_s)));
        const grid::Column& sterge = l->column(l->columnCount() - 1);
        QCOMPARE(sterge.dataField, u"STREGE"_s);
        QVERIFY(sterge.textButton);
        QVERIFY(sterge.bold);
        QCOMPARE(sterge.caption, QString());
        QCOMPARE(l->cellText(0, l->columnCount() - 1), u"STERGE"_s);
        QVERIFY(!l->allowUpdate() && !l->allowAddNew() && !l->allowDelete());
    }

    // A period opens the declaration window on its exact filter and caption;
    // the chooser closes.
    void deschidePerioada()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        scrie(f, u"o"_s, u"2015"_s, u"3"_s);
        f->findChild<QPushButton*>(u"Cmd_Open_Date"_s)->click();
        QCOMPARE(Filtru_Intrastat,
                 u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Intrastat_Selectie"_s));
        auto* declaratie = ui::Forms::get<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        QVERIFY(declaratie);
        QVERIFY(QTest::qWaitForWindowActive(declaratie));
        QCOMPARE(declaratie->windowTitle(), u"INTRASTAT -  ANUL: 2015   LUNA: 3  INREGISTRARI : 15"_s);
    }

    // Blank or unsafe boxes are refused with a message; the chooser stays.
    void refuzuri_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("anul");
        QTest::addColumn<QString>("luna");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("blank month") << u"O"_s << u"2015"_s << u" "_s
                                     << u"LUNA  -  Obligatoriu de completat !"_s;
        QTest::newRow("blank year") << QString() << QString() << QString()
                                    << u"ANUL  -  Obligatoriu de completat !"_s;
        QTest::newRow("blank type") << QString() << u"2015"_s << u"3"_s
                                    << u"TIP  -  Obligatoriu de completat !"_s;
        QTest::newRow("SQL in the month") << u"O"_s << u"2015"_s << u"3 OR 1=1"_s
                                          << u"LUNA  -  Trebuie sa fie un numar intreg intre 1 si 12 !"_s;
    }
    void refuzuri()
    {
        QFETCH(QString, tip);
        QFETCH(QString, anul);
        QFETCH(QString, luna);
        QFETCH(QString, mesaj);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        scrie(f, tip, anul, luna);
        f->findChild<QPushButton*>(u"Cmd_Open_Date"_s)->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList{mesaj});
        QCOMPARE(ui::testing::messages().at(0).title, std::optional<QString>(u"EROARE"_s));
        QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::Critical);
        QVERIFY(ui::Forms::isLoaded(u"Frm_Intrastat_Selectie"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QCOMPARE(Filtru_Intrastat, QString());
    }

    // One workbook: by its button or a double click; its own fiscal code.
    void deschideFisier_data()
    {
        QTest::addColumn<QString>("fisier");
        QTest::addColumn<bool>("dublu");
        QTest::addColumn<int>("nr");
        QTest::newRow("button") << u"a.xlsx"_s << false << 12;
        QTest::newRow("double click, quote in the name") << u"O'Neil.xlsx"_s << true << 3;
    }
    void deschideFisier()
    {
        QFETCH(QString, fisier);
        QFETCH(bool, dublu);
        QFETCH(int, nr);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        const int r = randFisier(f, fisier, u"O"_s, 3);
        QVERIFY(r >= 0);
        lista(f)->setCurrentCell(r, 3);
        if (dublu)
            emit lista(f)->dblClick();
        else
            f->findChild<QPushButton*>(u"Cmd_Open_File"_s)->click();
        QCOMPARE(Filtru_Intrastat, u" WHERE SourceFile='"_s + QString(fisier).replace(u"'"_s, u"''"_s) +
                                       u"' AND Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3 AND Tip='O'"_s);
        auto* declaratie = ui::Forms::get<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        QVERIFY(declaratie);
        QVERIFY(QTest::qWaitForWindowActive(declaratie));
        QCOMPARE(declaratie->windowTitle(), u"INTRASTAT -  ANUL: 2015   LUNA: 3   FISIER: "_s + fisier +
                                                u"  INREGISTRARI : "_s + QString::number(nr));
        QCOMPARE(declaratie->GridIntrastat->dataRowCount(), nr);
        QVERIFY(Arbore_Test::mesaje().isEmpty());
    }

    // The delete asks with the row's count; Yes removes exactly those lines
    // (the file of another month, type or import stays), the row leaves the
    // list, the combo stays; No changes nothing.
    void sterge_data()
    {
        QTest::addColumn<QString>("fisier");
        QTest::addColumn<QString>("utilizator");
        QTest::addColumn<int>("luna");
        QTest::addColumn<bool>("da");
        QTest::addColumn<int>("nr");
        QTest::newRow("yes") << u"a.xlsx"_s << u"ion"_s << 3 << true << 12;
        QTest::newRow("no") << u"a.xlsx"_s << u"ion"_s << 3 << false << 12;
        QTest::newRow("imported twice") << u"ian.xlsx"_s << u"ana"_s << 1 << true << 2;
        QTest::newRow("quote in the name") << u"O'Neil.xlsx"_s << u"ion"_s << 3 << true << 3;
    }
    void sterge()
    {
        QFETCH(QString, fisier);
        QFETCH(QString, utilizator);
        QFETCH(int, luna);
        QFETCH(bool, da);
        QFETCH(int, nr);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        const int inainte = linii(u"1=1"_s);
        const int randuri = lista(f)->dataRowCount();
        const int r = randFisier(f, fisier, u"O"_s, luna, utilizator);
        QVERIFY(r >= 0);
        lista(f)->setCurrentCell(r, 0);
        ui::testing::pushAnswer(da ? ui::Answer::Yes : ui::Answer::No);
        f->ListaIntrastat_ButtonClick(lista(f)->columnCount() - 1);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.at(0).text, u"Stergeti toate cele "_s + QString::number(nr) +
                                   u" inregistrari aferente fisierului preluat ?"_s);
        QCOMPARE(m.at(0).title, std::optional<QString>(u"RASPUNDETI"_s));
        QCOMPARE(m.at(0).buttons, ui::Buttons::YesNo);
        QCOMPARE(m.at(0).icon, ui::Icon::Question);
        QCOMPARE(linii(u"1=1"_s), inainte - (da ? nr : 0));
        QCOMPARE(lista(f)->dataRowCount(), randuri - (da ? 1 : 0));
        QCOMPARE(randFisier(f, fisier, u"O"_s, luna, utilizator) >= 0, !da);
        QCOMPARE(f->findChild<QComboBox*>(u"Combo_Anul"_s)->count(), 6);
        // The same name in another month and type is kept.
        QCOMPARE(linii(u"SourceFile='a.xlsx' AND (Luna=4 OR TIP='I')"_s), 6);
    }

    // A button of another column, or an empty list, does nothing.
    void nimicDeFacut()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        QVERIFY(Conexiune_Firma.execute(u"DELETE FROM Intrastat"_s));
        Frm_Intrastat_Selectie* f = deschide();
        QVERIFY(f);
        f->ListaIntrastat_ButtonClick(lista(f)->columnCount() - 1);
        f->findChild<QPushButton*>(u"Cmd_Open_File"_s)->click();
        QVERIFY(ui::testing::messages().isEmpty());
        QVERIFY(ui::Forms::isLoaded(u"Frm_Intrastat_Selectie"_s));
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        QVERIFY(ui::Forms::unload(u"Frm_Intrastat_Selectie"_s));
        f = deschide();
        lista(f)->setCurrentCell(0, 0);
        f->ListaIntrastat_ButtonClick(0);
        QVERIFY(ui::testing::messages().isEmpty());
    }
};

QTEST_MAIN(TestFrmIntrastatSelectie)
#include "tst_frm_intrastat_selectie.moc"
