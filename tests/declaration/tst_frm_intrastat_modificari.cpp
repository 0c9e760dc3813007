// The bulk changes of the declaration window, as the user makes them on the
// tab "Modificari - Ajustari ": columns and operators picked from their
// lists (checked on leaving each list), values typed, the buttons clicked,
// the questions answered; then the company database read back, line by
// line, to see that only the lines of the declaration shown changed.

#include "Declaratie_Test.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Linii_Intrastat.h"
#include "platform/grid/grid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

const QString filtruFisier =
    u" WHERE SourceFile='a.xlsx' AND Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3 AND Tip='O'"_s;
const QString liniiFisier =
    u"SourceFile='a.xlsx' AND TIP='O' AND Anul=2015 AND Luna=3 AND Cod_Fiscal='RO123'"_s;

int numar(const QString& conditie)
{
    return Declaratie_Test::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE "_s + conditie).toInt();
}

// Every line of the company as one text: to see which lines changed.
QStringList liniile()
{
    QStringList l;
    db::Result<db::Recordset> rs =
        Conexiune_Firma.openRecordset(u"SELECT Record_ID, TIP, Cod_Fiscal, Anul, Luna, SourceFile, "
                                      u"Incoterms, Net, Descriere, Cantitate, Val_Fiscala FROM Intrastat "
                                      u"ORDER BY Record_ID"_s);
    for (; rs && !rs->eof(); rs->moveNext()) {
        QStringList v;
        for (int i = 0; i < rs->fieldCount(); ++i)
            v << rs->value(i).toText();
        l << v.join(u'|');
    }
    return l;
}

// The lines whose text changed.
int schimbate(const QStringList& inainte, const QStringList& dupa)
{
    int n = 0;
    for (int i = 0; i < inainte.size() && i < dupa.size(); ++i)
        n += inainte.at(i) != dupa.at(i) ? 1 : 0;
    return n;
}

Frm_INTRASTAT* deschide(const QString& filtru)
{
    return Declaratie_Test::deschide<Frm_INTRASTAT>(filtru, Titlu_Intrastat(u"2015"_s, u"3"_s, u"a.xlsx"_s));
}

// The standard company (changed first by the statement given), its lines as
// they were, and the window open on the filter with the tab of the bulk
// changes shown.
class Fereastra_Test
{
public:
    explicit Fereastra_Test(const QString& filtru = filtruFisier, const QString& pregatire = QString())
    {
        if (!m_d.ok() || (!pregatire.isEmpty() && !Conexiune_Firma.execute(pregatire)))
            return;
        inainte = liniile();
        f = deschide(filtru);
        if (f)
            f->findChild<QTabWidget*>(u"TabIntrastat"_s)->setCurrentIndex(2);
        QCoreApplication::processEvents();
    }
    bool ok() const { return f != nullptr; }

    Frm_INTRASTAT* f = nullptr;
    QStringList inainte;

    grid::ListCombo* lista(const QString& nume) const { return f->findChild<grid::ListCombo*>(nume); }
    QLineEdit* caseta(const QString& nume) const { return f->findChild<QLineEdit*>(nume); }
    QPushButton* buton(const QString& nume) const { return f->findChild<QPushButton*>(nume); }

    // Picks the row shown as text, then leaves the list for the value box
    // next to it, as the user does.
    void alege(const QString& nume, const QString& text, const QString& urmatoarea)
    {
        grid::ListCombo* c = lista(nume);
        c->setFocus();
        QCoreApplication::processEvents();
        c->setCurrentIndex(c->rowOfListText(text));
        caseta(urmatoarea)->setFocus();
        QCoreApplication::processEvents();
    }
    void scrie(const QString& nume, const QString& text)
    {
        caseta(nume)->setFocus();
        caseta(nume)->clear();
        QTest::keyClicks(caseta(nume), text);
    }
    // The column to change and its new value; the condition, when given.
    void modificare(const QString& coloana, const QString& valoare)
    {
        alege(u"CmbColoanaUpdate"_s, coloana, u"Txt_ValueUpdate"_s);
        scrie(u"Txt_ValueUpdate"_s, valoare);
    }
    void conditie(const QString& coloana, const QString& semn, const QString& valoare)
    {
        alege(u"CmbColoanaWhere"_s, coloana, u"TXT_ColoanaWhere_Fel"_s);
        alege(u"CmbSemn"_s, semn, u"Txt_ValueUpdateWhere"_s);
        scrie(u"Txt_ValueUpdateWhere"_s, valoare);
    }
    QString inregistrari() const { return f->findChild<QLabel*>(u"Lbl_Inreg"_s)->text(); }

private:
    Declaratie_Test m_d;
};

} // namespace

class TestFrmIntrastatModificari : public QObject
{
    Q_OBJECT

private slots:
    // The lists: the 32 columns of the grid with their kinds; the operators,
    // all of them, then those of the condition column's kind, each with its
    // fragment.
    void liste()
    {
        Fereastra_Test t;
        QVERIFY(t.ok());
        QCOMPARE(t.lista(u"CmbColoanaUpdate"_s)->count(), 32);
        QCOMPARE(t.lista(u"CmbColoanaWhere"_s)->itemText(31), u"Exista_UMS"_s);
        QCOMPARE(t.lista(u"CmbSemn"_s)->count(), 24);
        t.alege(u"CmbColoanaUpdate"_s, u"Valoare_Valuta"_s, u"Txt_ValueUpdate"_s);
        QCOMPARE(t.caseta(u"TXT_ColoanaUpdate_Fel"_s)->text(), u"N"_s);
        t.alege(u"CmbColoanaUpdate"_s, u"Document_Data_Referinta"_s, u"Txt_ValueUpdate"_s);
        QCOMPARE(t.caseta(u"TXT_ColoanaUpdate_Fel"_s)->text(), u"T"_s);
        t.alege(u"CmbColoanaWhere"_s, u"Data_Preluare"_s, u"Txt_ValueUpdateWhere"_s);
        QCOMPARE(t.caseta(u"TXT_ColoanaWhere_Fel"_s)->text(), u"D"_s);
        QCOMPARE(t.lista(u"CmbSemn"_s)->count(), 7);
        t.alege(u"CmbColoanaWhere"_s, u"Net"_s, u"Txt_ValueUpdateWhere"_s);
        QCOMPARE(t.caseta(u"TXT_ColoanaWhere_Fel"_s)->text(), u"N"_s);
        grid::ListCombo* semne = t.lista(u"CmbSemn"_s);
        QCOMPARE(semne->count(), 8);
        QCOMPARE(semne->itemText(2), u"> mai mare decat"_s);
        t.alege(u"CmbSemn"_s, u"> mai mare decat"_s, u"Txt_ValueUpdateWhere"_s);
        QCOMPARE(t.caseta(u"TXT_SemnExpresie"_s)->text(), u"> Valoare"_s);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    // No condition: asked first; No changes nothing, Yes sets the column on
    // every line of the file shown and on no other line.
    void faraConditie_data()
    {
        QTest::addColumn<ui::Answer>("raspuns");
        QTest::newRow("yes") << ui::Answer::Yes;
        QTest::newRow("no") << ui::Answer::No;
    }
    void faraConditie()
    {
        QFETCH(ui::Answer, raspuns);
        Fereastra_Test t(filtruFisier, u"UPDATE Intrastat SET Incoterms='DAP'"_s);
        QVERIFY(t.ok());
        t.modificare(u"Incoterms"_s, u"EXW"_s);
        ui::testing::pushAnswer(raspuns);
        t.buton(u"CmdExecuteUpdate"_s)->click();
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first().text,
                 u"NU ati selectat nici o conditie, se vor actualiza toate inregistrarile. Continuati ?"_s);
        QCOMPARE(m.first().icon, ui::Icon::Question);
        QCOMPARE(m.first().buttons, ui::Buttons::YesNo);
        QCOMPARE(m.first().title, std::optional<QString>());
        QCOMPARE(Raspuns_Mesaj, static_cast<qint32>(raspuns));
        const bool da = raspuns == ui::Answer::Yes;
        QCOMPARE(t.inregistrari(), da ? u"Inregistrari modificate : 12"_s : QString());
        QCOMPARE(numar(liniiFisier + u" AND Incoterms='EXW'"_s), da ? 12 : 0);
        QCOMPARE(numar(u"Incoterms='EXW'"_s), da ? 12 : 0);
        QCOMPARE(schimbate(t.inainte, liniile()), da ? 12 : 0);
        // The grid reads the lines again.
        QCOMPARE(t.f->GridIntrastat->cellValue(0, 16).toText(), da ? u"EXW"_s : u"DAP"_s);
    }

    // With a condition: only the lines of the file that meet it change; the
    // filtered view shows just those, by line, with their sums; a line
    // written there keeps the footers on them; Refresh shows all again.
    void cuConditie()
    {
        Fereastra_Test t;
        QVERIFY(t.ok());
        t.modificare(u"Descriere"_s, u"O'Neil mare"_s);
        t.conditie(u"Net"_s, u"> mai mare decat"_s, u"15,5"_s);
        t.buton(u"CmdExecuteUpdate"_s)->click();
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u'\n')));
        // Net is 10 + i on line i: lines 6 to 11.
        QCOMPARE(t.inregistrari(), u"Inregistrari modificate : 6"_s);
        QCOMPARE(numar(liniiFisier + u" AND Net > 15.5 AND Descriere='O''Neil mare'"_s), 6);
        QCOMPARE(schimbate(t.inainte, liniile()), 6);
        QCOMPARE(t.f->GridIntrastat->dataRowCount(), 12);

        t.buton(u"CmdFilter"_s)->click();
        grid::Grid* g = t.f->GridIntrastat;
        QCOMPARE(g->dataRowCount(), 6);
        QCOMPARE(t.f->windowTitle(), u"INTRASTAT -  ANUL: 2015   LUNA: 3  INREGISTRARI : 6"_s);
        const int id = g->columnForField(u"Record_ID"_s);
        for (int r = 1; r < 6; ++r)
            QVERIFY(g->cellValue(r, id).toInt64() > g->cellValue(r - 1, id).toInt64());
        // 1000 + 10 i for i = 6 to 11.
        QCOMPARE(g->column(10).footerText, u"6,510"_s);
        // The columns keep their look.
        QCOMPARE(g->column(5).caption, u"Cod NC"_s);
        QVERIFY(g->isColumnHidden(0));
        QVERIFY(g->column(8).locked);
        g->setCurrentCell(0, 11);
        QVERIFY(g->editCell(11, u"2060"_s));
        QVERIFY(g->update());
        QCOMPARE(g->column(10).footerText, u"6,510"_s);
        QCOMPARE(g->column(11).footerText, u"7,510"_s);
        t.f->findChild<QPushButton*>(u"CmdRefresh"_s)->click();
        QCOMPARE(g->dataRowCount(), 12);
    }

    // A column that cannot be changed is said on leaving its list, which
    // keeps the focus, and the update cannot be reached through it.
    void coloanaBlocata_data()
    {
        QTest::addColumn<QString>("coloana");
        QTest::newRow("line number") << u"Record_ID"_s;
        QTest::newRow("country of dispatch") << u"Tara_Exp"_s;
        QTest::newRow("declaration key") << u"Anul"_s;
    }
    void coloanaBlocata()
    {
        QFETCH(QString, coloana);
        Fereastra_Test t;
        QVERIFY(t.ok());
        t.alege(u"CmbColoanaUpdate"_s, coloana, u"Txt_ValueUpdate"_s);
        t.caseta(u"Txt_ValueUpdate"_s)->setText(u"5"_s);
        QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first().text, u"Coloana "_s + coloana + u" NU SE POATE ACTUALIZA"_s);
        QCOMPARE(m.first().icon, ui::Icon::Information);
        QCOMPARE(m.first().title, std::optional<QString>());
        QCOMPARE(QApplication::focusWidget(), t.lista(u"CmbColoanaUpdate"_s));
        t.buton(u"CmdExecuteUpdate"_s)->click();
        m = ui::testing::messages();
        // Said again, and no question about the lines follows.
        QCOMPARE(m.size(), 2);
        QCOMPARE(m.at(1).text, u"Coloana "_s + coloana + u" NU SE POATE ACTUALIZA"_s);
        QCOMPARE(liniile(), t.inainte);
    }

    // The new value and the column are both required, each said.
    void obligatorii()
    {
        Fereastra_Test t;
        QVERIFY(t.ok());
        t.buton(u"CmdExecuteUpdate"_s)->click();
        QCOMPARE(Arbore_Test::mesaje(),
                 (QStringList{u"Valoare Nou  -  Obligatoriu de completat !"_s,
                              u"Coloana Actulizata  -  Obligatoriu de completat !"_s}));
        ui::testing::clear();
        t.alege(u"CmbColoanaUpdate"_s, u"Net"_s, u"Txt_ValueUpdate"_s);
        t.buton(u"CmdExecuteUpdate"_s)->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Valoare Nou  -  Obligatoriu de completat !"_s});
        QCOMPARE(ui::testing::messages().first().title, std::optional<QString>(u"EROARE"_s));
    }

    // The value typed is checked by the column's kind and stored: a number
    // with a decimal comma, or as the grid shows it, kept as its column keeps
    // it (the values in whole lei); a text that tries to widen the update as
    // typed. A value that does not suit is said and nothing changes.
    void valoriTastate_data()
    {
        QTest::addColumn<QString>("coloana");
        QTest::addColumn<QString>("valoare");
        QTest::addColumn<QString>("stocat"); // "" when refused
        QTest::addColumn<QString>("mesaj");
        // Amounts as users write them, kept as their column keeps them.
        QTest::newRow("decimal comma, whole kilograms") << u"Net"_s << u"1,5"_s << u"2.0"_s << QString();
        QTest::newRow("grouped as the grid shows it") << u"Net"_s << u"1.234,5"_s << u"1234.0"_s << QString();
        QTest::newRow("decimal comma") << u"Cantitate"_s << u"1,5"_s << u"1.5"_s << QString();
        QTest::newRow("a fiscal value as the grid shows it, kept whole")
            << u"Val_Fiscala"_s << u"1.234,50"_s << u"1234.0"_s << QString();
        QTest::newRow("quote") << u"Descriere"_s << u"x' WHERE 1=1 OR '"_s << u"x' WHERE 1=1 OR '"_s
                               << QString();
        QTest::newRow("not a number") << u"Net"_s << u"0 OR 1=1"_s << QString()
                                      << u"Coloana Net : Valoarea introdusa nu este un numar"_s;
        QTest::newRow("too long") << u"Incoterms"_s << u"EXWW"_s << QString()
                                  << u"Coloana Incoterms : Textul depaseste lungimea admisa a coloanei"_s;
    }
    void valoriTastate()
    {
        QFETCH(QString, coloana);
        QFETCH(QString, valoare);
        QFETCH(QString, stocat);
        QFETCH(QString, mesaj);
        Fereastra_Test t;
        QVERIFY(t.ok());
        t.modificare(coloana, valoare);
        ui::testing::pushAnswer(ui::Answer::Yes);
        t.buton(u"CmdExecuteUpdate"_s)->click();
        if (stocat.isEmpty()) {
            QCOMPARE(Arbore_Test::mesaje().last(), mesaj);
            QCOMPARE(liniile(), t.inainte);
            return;
        }
        QCOMPARE(t.inregistrari(), u"Inregistrari modificate : 12"_s);
        QCOMPARE(numar(u"CAST("_s + coloana + u" AS TEXT)="_s + db::quoted(stocat)), 12);
        QCOMPARE(schimbate(t.inainte, liniile()), 12);
    }

    // Opened without a filter the window shows every line; the update still
    // reaches only the declaration of the line shown.
    void faraFiltru()
    {
        Fereastra_Test t{QString()};
        QVERIFY(t.ok());
        QCOMPARE(t.f->GridIntrastat->dataRowCount(), t.inainte.size());
        QCOMPARE(t.f->TXT_Tip->text(), u"O"_s);
        t.modificare(u"Incoterms"_s, u"CPT"_s);
        t.conditie(u"Net"_s, u"> mai mare decat"_s, u"15"_s);
        t.buton(u"CmdExecuteUpdate"_s)->click();
        // The dispatches of March 2015 of RO123 with a net mass above 15:
        // 6 in a.xlsx, none in O'Neil.xlsx (10, 11, 12).
        QCOMPARE(t.inregistrari(), u"Inregistrari modificate : 6"_s);
        QCOMPARE(numar(u"Incoterms='CPT'"_s), 6);
        QCOMPARE(numar(liniiFisier + u" AND Incoterms='CPT'"_s), 6);
        // The filtered view without a filter reads the condition alone.
        t.buton(u"CmdFilter"_s)->click();
        QCOMPARE(t.f->GridIntrastat->dataRowCount(), numar(u"Net > 15"_s));
    }

    // The filtered view needs a condition; "Anuleza selectie" empties the
    // pickers and the values, and keeps the kinds.
    void faraConditieSiAnulare()
    {
        Fereastra_Test t;
        QVERIFY(t.ok());
        t.modificare(u"Net"_s, u"5"_s);
        t.buton(u"CmdFilter"_s)->click();
        QCOMPARE(t.f->GridIntrastat->dataRowCount(), 12);
        QVERIFY(ui::testing::messages().isEmpty());
        t.conditie(u"Cod_NC"_s, u"incepe cu"_s, u"0101"_s);
        QCOMPARE(t.caseta(u"TXT_SemnExpresie"_s)->text(), u"LIKE 'Valoare%'"_s);
        t.buton(u"CmdFilter"_s)->click();
        QCOMPARE(t.f->GridIntrastat->dataRowCount(), 9);
        t.buton(u"Command1"_s)->click();
        for (const QString& nume : {u"CmbColoanaUpdate"_s, u"CmbColoanaWhere"_s, u"CmbSemn"_s})
            QCOMPARE(t.lista(nume)->currentText(), QString());
        QCOMPARE(t.caseta(u"Txt_ValueUpdate"_s)->text(), QString());
        QCOMPARE(t.caseta(u"Txt_ValueUpdateWhere"_s)->text(), QString());
        QCOMPARE(t.caseta(u"TXT_ColoanaUpdate_Fel"_s)->text(), u"N"_s);
        QCOMPARE(t.caseta(u"TXT_SemnExpresie"_s)->text(), u"LIKE 'Valoare%'"_s);
        QCOMPARE(t.f->GridIntrastat->dataRowCount(), 9);
    }
};

QTEST_MAIN(TestFrmIntrastatModificari)
#include "tst_frm_intrastat_modificari.moc"
