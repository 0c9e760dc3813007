// The statistical-value adjustment window opened from the declaration
// window: its groups and their look, the percentages kept across
// activations, the adjustment with its message, and the declaration grid
// that shows the new values after Refresh.

#include "Declaratie_Test.h"
#include "declaration/Ajustare_Valoare_Statistica.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Frm_Recalculare_ValStat.h"
#include "declaration/Linii_Intrastat.h"
#include "platform/grid/grid.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Arrivals of May 2015: one group DE of 1000, 1005 and 1095, one group FR.
bool adaugaSosiri()
{
    QList<Linie_Intrastat> l;
    for (double vf : {1000.0, 1005.0, 1095.0, 2000.0}) {
        Linie_Intrastat x;
        x.tip = u"I"_s;
        x.luna = 5;
        x.valFiscala = vf;
        x.valStat = vf;
        x.taraExp = vf == 2000.0 ? u"FR"_s : u"DE"_s;
        x.taraDest = u"RO"_s;
        l << x;
    }
    return !Adauga_Linii(Conexiune_Firma, l);
}

QList<double> valoriStat()
{
    QList<double> v;
    db::Result<db::Recordset> rs = Conexiune_Firma.openRecordset(
        u"SELECT Val_Stat FROM Intrastat WHERE TIP='I' AND Luna=5 ORDER BY Record_ID"_s);
    for (; rs && !rs->eof(); rs->moveNext())
        v << rs->value(0).toDouble();
    return v;
}

Frm_INTRASTAT* declaratia()
{
    FirmaCurenta_ValoareStatistica = true;
    return Declaratie_Test::deschide<Frm_INTRASTAT>(
        u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=5"_s,
        Titlu_Intrastat(u"2015"_s, u"5"_s));
}

Frm_Recalculare_ValStat* ajustarea(Frm_INTRASTAT* f)
{
    f->findChild<QPushButton*>(u"CmdRecalcValStat"_s)->click();
    auto* a = ui::Forms::get<Frm_Recalculare_ValStat>(u"Frm_Recalculare_ValStat"_s);
    if (a && !QTest::qWaitForWindowActive(a))
        qWarning("the adjustment window was not activated");
    return a;
}

// The arrivals of May added, their declaration open, the adjustment opened from it.
Frm_Recalculare_ValStat* deschideAjustarea(Frm_INTRASTAT** declaratie)
{
    *declaratie = adaugaSosiri() ? declaratia() : nullptr;
    return *declaratie ? ajustarea(*declaratie) : nullptr;
}

grid::Grid* grupe(QWidget* a)
{
    return a->findChild<grid::Grid*>(u"GridAjustare"_s);
}

// The row of the group of that country.
int randTara(QWidget* a, const QString& tara)
{
    grid::Grid* g = grupe(a);
    for (int r = 0; r < g->dataRowCount(); ++r)
        if (g->cellValue(r, g->columnForField(u"Tara"_s)).toText() == tara)
            return r;
    return -1;
}

void procent(QWidget* a, const QString& tara, const QString& valoare)
{
    grid::Grid* g = grupe(a);
    g->setCurrentCell(randTara(a, tara), 8);
    QVERIFY(g->editCell(8, valoare));
}

} // namespace

class TestFrmRecalculareValStat : public QObject
{
    Q_OBJECT

private slots:
    // The window takes the key of the declaration and lists its groups.
    void grupele()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = nullptr;
        Frm_Recalculare_ValStat* a = deschideAjustarea(&f);
        QVERIFY(a);
        QCOMPARE(a->windowTitle(), u"Ajustare Valoare Statisitica"_s);
        QCOMPARE(a->TXT_Tip->text(), u"I"_s);
        QCOMPARE(a->TXT_Anul->text(), u"2015"_s);
        QCOMPARE(a->TXT_Luna->text(), u"5"_s);
        grid::Grid* g = grupe(a);
        QCOMPARE(g->dataRowCount(), 2);
        QVERIFY(!g->allowAddNew());
        QVERIFY(!g->allowDelete());
        for (int c = 0; c < g->columnCount(); ++c) {
            QCOMPARE(g->column(c).visible, c >= 4 && c <= 8);
            QCOMPARE(g->column(c).locked, c != 8);
        }
        QCOMPARE(g->column(8).dataField, u"Procent"_s);
        QCOMPARE(g->column(8).numberFormat, u"##,##0.0000"_s);
        QCOMPARE(g->column(8).backColor, QColor(Qt::white));
        QCOMPARE(g->model()->index(0, 5).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(g->cellText(0, 8), u"0.0000"_s);
    }

    // 10 % on 1000, 1005 and 1095 gives 1100, 1106 and 1204 (half to even);
    // the other group keeps its 0 %. The message asks for Refresh, which
    // then shows the new values.
    void ajustare()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = nullptr;
        Frm_Recalculare_ValStat* a = deschideAjustarea(&f);
        QVERIFY(a);
        procent(a, u"DE"_s, u"10"_s);
        a->findChild<QPushButton*>(u"CmdAjustare"_s)->click();
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.at(0).text, u"Ajustare Terminata\r\nAPASATI BUTONUL - \"Refresh (Reafisare)\""_s);
        QCOMPARE(m.at(0).icon, ui::Icon::Information);
        QCOMPARE(m.at(0).title, std::nullopt);
        QCOMPARE(valoriStat(), (QList<double>{1100, 1106, 1204, 2000}));
        const int vs = f->GridIntrastat->columnForField(u"Val_Stat"_s);
        QCOMPARE(f->GridIntrastat->cellValue(2, vs).toDouble(), 1095.0);
        f->findChild<QPushButton*>(u"CmdRefresh"_s)->click();
        QCOMPARE(f->GridIntrastat->cellValue(2, vs).toDouble(), 1204.0);
        QCOMPARE(f->GridIntrastat->column(11).footerText, u"5,410"_s);
    }

    // Edited percentages stay while the window stays; closed and opened
    // again, they come from the lines.
    void procentePastrate()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = nullptr;
        Frm_Recalculare_ValStat* a = deschideAjustarea(&f);
        QVERIFY(a);
        procent(a, u"FR"_s, u"12.5"_s);
        QVERIFY(grupe(a)->update());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        a->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(a));
        QCOMPARE(grupe(a)->cellValue(randTara(a, u"FR"_s), 8).toDouble(), 12.5);
        QVERIFY(ui::Forms::unload(a));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        a = ajustarea(f);
        QVERIFY(a);
        QCOMPARE(grupe(a)->cellValue(randTara(a, u"FR"_s), 8).toDouble(), 0.0);
        QCOMPARE(valoriStat(), (QList<double>{1000, 1005, 1095, 2000}));
    }

    // A group the database refuses is reported; no line changes.
    void esec()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        QVERIFY(
            Conexiune_Firma.execute(u"CREATE TRIGGER refuz BEFORE UPDATE OF Val_Stat ON Intrastat "
                                    u"WHEN NEW.Tara_Exp = 'FR' BEGIN SELECT RAISE(ABORT, 'refuzat'); END"_s));
        Frm_INTRASTAT* f = nullptr;
        Frm_Recalculare_ValStat* a = deschideAjustarea(&f);
        QVERIFY(a);
        procent(a, u"DE"_s, u"10"_s);
        a->CmdAjustare_Click();
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QVERIFY(m.at(0).text.startsWith(u"AJUSTARE NEEFECTUATA: 1 GRUPE NU AU PUTUT FI ACTUALIZATE."_s));
        QCOMPARE(m.at(0).icon, ui::Icon::Critical);
        QCOMPARE(m.at(0).title, std::optional<QString>(u"EROARE"_s));
        QCOMPARE(valoriStat(), (QList<double>{1000, 1005, 1095, 2000}));
    }

    // Without the company's flag the button does nothing until ticked; with
    // no record set open it opens nothing.
    void faraValoareStatistica()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        FirmaCurenta_ValoareStatistica = false;
        auto* f = Declaratie_Test::deschide<Frm_INTRASTAT>(u" WHERE [Nu_Exista]=1"_s, u"INTRASTAT"_s);
        QVERIFY(f);
        auto* buton = f->findChild<QPushButton*>(u"CmdRecalcValStat"_s);
        QVERIFY(!buton->isEnabled());
        buton->setEnabled(true);
        buton->click();
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Recalculare_ValStat"_s));
    }
};

QTEST_MAIN(TestFrmRecalculareValStat)
#include "tst_frm_recalculare_valstat.moc"
