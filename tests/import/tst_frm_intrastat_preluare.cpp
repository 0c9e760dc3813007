// The take-over window on the demonstration company: the flows and the
// months of its accounting documents, the existence box, OK handing the
// month over to the declaration window, and what OK refuses.

#include "Mediu_Preluare.h"
#include "declaration/Ferestre_Declaratie.h"
#include "declaration/Frm_INTRASTAT.h"
#include "import/Frm_Intrastat_Preluare.h"
#include "platform/grid/grid.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

const QString kIntrari = u"I - Pentru achizitii (INTRARI)"_s;
const QString kIesiri = u"O - Pentru livrari (IESIRI)"_s;

void paraseste(QWidget* control)
{
    QFocusEvent iesire(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &iesire);
}

// The ground of every case: the company with its accounting documents and
// the windows registered; the take-over window open.
class Fereastra
{
public:
    Fereastra()
    {
        m_gata = m_mediu.gata() && Mediu::contabilitate();
        ui::Forms::resetForTests();
        Inregistreaza_Ferestre_Declaratie();
        ui::Forms::registerWindow(u"Frm_Intrastat_Preluare"_s, [] { return new Frm_Intrastat_Preluare; });
        m_gata = m_gata && ui::Forms::show(u"Frm_Intrastat_Preluare"_s);
        f = ui::Forms::get<Frm_Intrastat_Preluare>(u"Frm_Intrastat_Preluare"_s);
    }
    ~Fereastra() { ui::Forms::resetForTests(); }

    bool gata() const { return m_gata && f; }

    // The flow and the period chosen as a user does, leaving each box.
    void alege(const QString& flux, const QString& perioada)
    {
        f->Combo_Tip->setEditText(flux);
        paraseste(f->Combo_Tip);
        f->Combo_Anul->setEditText(perioada);
        paraseste(f->Combo_Anul);
    }

    Frm_INTRASTAT* ok()
    {
        QTest::mouseClick(f->Cmd_Preluare, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* declaratie = ui::Forms::get<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        if (declaratie && !QTest::qWaitForWindowActive(declaratie))
            return nullptr;
        return declaratie;
    }

    Frm_Intrastat_Preluare* f = nullptr;

private:
    Mediu m_mediu;
    bool m_gata = false;
};

QStringList elemente(const QComboBox* c)
{
    QStringList t;
    for (int i = 0; i < c->count(); ++i)
        t << c->itemText(i);
    return t;
}

QStringList cheieAfisata(Frm_INTRASTAT* d)
{
    return {d->TXT_Tip->text(), d->TXT_CodFiscal->text(), d->TXT_Anul->text(), d->TXT_Luna->text()};
}

} // namespace

class TestFrmIntrastatPreluare : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ui::Forms::resetForTests(); }

    void incarcare()
    {
        Fereastra w;
        QVERIFY(w.gata());
        QCOMPARE(w.f->windowTitle(), u"Intrastat preluare date"_s);
        QCOMPARE(elemente(w.f->Combo_Tip), (QStringList{kIntrari, kIesiri}));
        QCOMPARE(w.f->Combo_Tip->currentText(), QString());
        QCOMPARE(w.f->Combo_Anul->count(), 0);
        QVERIFY(!w.f->Exista_Intrastat->isChecked());
        QVERIFY(w.f->Exista_Intrastat->isHidden());
        QCOMPARE(w.f->Cmd_Preluare->text(), u"OK - Preluare Date"_s);
    }

    void perioadeSiExistenta()
    {
        Fereastra w;
        QVERIFY(w.gata());
        QVERIFY(Mediu::linie(u"O"_s, u"RO0000001"_s, 2026, 1));

        // Leaving the flow lists its months; a blank flow changes nothing.
        w.f->Combo_Tip->setEditText(kIntrari);
        paraseste(w.f->Combo_Tip);
        QCOMPARE(elemente(w.f->Combo_Anul), (QStringList{u"2026 - 3"_s, u"2026 - 2"_s, u"2025 - 12"_s}));
        w.f->Combo_Tip->setEditText(QString());
        paraseste(w.f->Combo_Tip);
        QCOMPARE(w.f->Combo_Anul->count(), 3);

        // Leaving the period fills the boxes and tells whether the month is there.
        w.alege(kIesiri, u"2026 - 1"_s);
        QCOMPARE(elemente(w.f->Combo_Anul), (QStringList{u"2026 - 3"_s, u"2026 - 1"_s}));
        QCOMPARE(w.f->TXT_Anul->text(), u"2026"_s);
        QCOMPARE(w.f->TXT_Luna->text(), u"1"_s);
        QVERIFY(w.f->Exista_Intrastat->isChecked());
        QVERIFY(!w.f->Exista_Intrastat->isHidden());

        // Changing the flow keeps the period and the box until the period is left again.
        w.f->Combo_Tip->setEditText(kIntrari);
        paraseste(w.f->Combo_Tip);
        QCOMPARE(w.f->TXT_Luna->text(), u"1"_s);
        QVERIFY(w.f->Exista_Intrastat->isChecked());
        paraseste(w.f->Combo_Anul);
        QVERIFY(!w.f->Exista_Intrastat->isChecked());
        QVERIFY(w.f->Exista_Intrastat->isHidden());

        // A period typed without " - " leaves the boxes empty.
        w.f->Combo_Anul->setEditText(u"2026/3"_s);
        paraseste(w.f->Combo_Anul);
        QCOMPARE(w.f->TXT_Anul->text(), QString());
        QCOMPARE(w.f->TXT_Luna->text(), QString());
        QVERIFY(w.f->Exista_Intrastat->isHidden());

        // The answer cannot be read: ticked, so that OK asks.
        QVERIFY(!Conexiune_Firma.dropProcedure(u"Intrastat_Verifica_Existenta"_s));
        w.f->Combo_Anul->setEditText(u"2026 - 3"_s);
        paraseste(w.f->Combo_Anul);
        QVERIFY(w.f->Exista_Intrastat->isChecked());
        QVERIFY(!w.f->Exista_Intrastat->isHidden());
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
    }

    void predareDeclaratie_data()
    {
        QTest::addColumn<QString>("flux");
        QTest::addColumn<QString>("perioada");
        QTest::addColumn<int>("linii");
        QTest::addColumn<QStringList>("cheie");
        QTest::newRow("arrivals") << kIntrari << u"2026 - 3"_s << 2
                                  << QStringList{u"I"_s, u"RO0000001"_s, u"2026"_s, u"3"_s};
        QTest::newRow("dispatches") << kIesiri << u"2026 - 1"_s << 1
                                    << QStringList{u"O"_s, u"RO0000001"_s, u"2026"_s, u"1"_s};
        // No document in the month: an empty declaration, opened on its key.
        QTest::newRow("a month without documents")
            << kIesiri << u"2026 - 4"_s << 0 << QStringList{u"O"_s, u"RO0000001"_s, u"2026"_s, u"4"_s};
    }

    void predareDeclaratie()
    {
        QFETCH(QString, flux);
        QFETCH(QString, perioada);
        QFETCH(int, linii);
        QFETCH(QStringList, cheie);
        Fereastra w;
        QVERIFY(w.gata());
        w.alege(flux, perioada);
        QVERIFY(w.f->Exista_Intrastat->isHidden());

        Frm_INTRASTAT* d = w.ok();
        QVERIFY(d);
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Intrastat_Preluare"_s));
        QCOMPARE(Filtru_Intrastat, u" WHERE [TIP]='"_s + cheie.at(0) +
                                       u"' AND [Cod_Fiscal]='RO0000001' AND [Anul]='"_s + cheie.at(2) +
                                       u"' AND [Luna]='"_s + cheie.at(3) + u"'"_s);
        QCOMPARE(d->windowTitle(), u"INTRASTAT  INREGISTRARI : "_s + QString::number(linii));
        QCOMPARE(d->GridIntrastat->dataRowCount(), linii);
        QCOMPARE(cheieAfisata(d), cheie);
        // Activation opened the tariff of the month the key boxes show.
        QVERIFY(Conexiune_CN.isOpen());
        QCOMPARE(Mediu::numarRanduri(), linii);
    }

    void declaratieExistentaNu()
    {
        // The month is there and the user keeps it: the stored lines open unchanged.
        Fereastra w;
        QVERIFY(w.gata());
        QVERIFY(Mediu::linie(u"I"_s, u"RO0000001"_s, 2026, 3));
        w.alege(kIntrari, u"2026 - 3"_s);
        QVERIFY(w.f->Exista_Intrastat->isChecked());
        ui::testing::pushAnswer(ui::Answer::No);
        Frm_INTRASTAT* d = w.ok();
        QVERIFY(d);
        QCOMPARE(
            Arbore_Test::mesaje(),
            QStringList{u"Exista deja Intrastat pentru selectia curenta\r\nContinuati prin STERGEREA datelor "
                        u"Existente ? "_s});
        QCOMPARE(d->GridIntrastat->dataRowCount(), 1);
        QCOMPARE(Mediu::valoare(u"SELECT SourceFile FROM Intrastat"_s).toText(), u"martie.xlsx"_s);
        QCOMPARE(cheieAfisata(d), (QStringList{u"I"_s, u"RO0000001"_s, u"2026"_s, u"3"_s}));
    }

    void okRefuzat()
    {
        Fereastra w;
        QVERIFY(w.gata());
        // No period: OK does nothing and says nothing.
        w.f->Combo_Tip->setEditText(kIntrari);
        paraseste(w.f->Combo_Tip);
        QTest::mouseClick(w.f->Cmd_Preluare, Qt::LeftButton);
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));

        // A month typed that is no month: said, nothing taken over.
        w.f->TXT_Anul->setText(u"2026"_s);
        w.f->TXT_Luna->setText(u"03a"_s);
        QTest::mouseClick(w.f->Cmd_Preluare, Qt::LeftButton);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Luna  -  Trebuie sa fie un numar intre 1 si 12 !"_s});
        QCOMPARE(Mediu::numarRanduri(), 0);

        // The procedure fails: said, the window stays for another try.
        ui::testing::clear();
        QVERIFY(Conexiune_Firma.execute(u"ALTER TABLE Intrari_Linii RENAME TO Intrari_Linii_Vechi"_s));
        w.alege(kIntrari, u"2026 - 3"_s);
        QTest::mouseClick(w.f->Cmd_Preluare, Qt::LeftButton);
        QCOMPARE(ui::testing::messages().size(), 1);
        QVERIFY(ui::testing::messages().at(0).text.startsWith(u"DATELE NU AU PUTUT FI PRELUATE"_s));
        QVERIFY(ui::Forms::isLoaded(u"Frm_Intrastat_Preluare"_s));
        QVERIFY(w.f->Cmd_Preluare->isEnabled());
        QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
        QVERIFY(Filtru_Intrastat.isEmpty());
    }
};

QTEST_MAIN(TestFrmIntrastatPreluare)
#include "tst_frm_intrastat_preluare.moc"
