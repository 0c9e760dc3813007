// The about box: caption, version line, operating-system line, rights line
// and its tooltip, and closing it.

#include "common/Globale.h"
#include "platform/sys/clock.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "shell/FRM_About.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ui::testing::setEnabled(true);
        ui::Forms::resetForTests();
        ui::Forms::registerWindow(u"FRM_About"_s, [] { return new FRM_About; });
        Reseteaza_Globale_Setari();
        Reseteaza_Globale_Sistem();
    }
    void cleanup()
    {
        ui::Forms::resetForTests();
        sys::Clock::reset();
    }

    void continut_data()
    {
        QTest::addColumn<QString>("sistem");
        QTest::addColumn<QString>("descriere");
        QTest::newRow("known system")
            << u"Linux versiunea 6.1"_s << u"Sistem de operare : Linux versiunea 6.1"_s;
        QTest::newRow("no description") << QString() << u"Sistem de operare : "_s;
    }
    void continut()
    {
        QFETCH(QString, sistem);
        QFETCH(QString, descriere);
        Text_Versiune_Windows = sistem;
        Producator_NumeFirma = u"VELMORANT SRL"_s;
        Producator_Telefon = u"021 000"_s;
        Producator_Email = u"office@example.ro"_s;
        sys::Clock::set(QDateTime(QDate(2031, 5, 4), QTime(9, 0)));

        auto* f = ui::Forms::load<FRM_About>(u"FRM_About"_s);
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Quorvel   2.30"_s);
        QCOMPARE(f->lblVersion->text(), u"Versiunea  2.30"_s);
        QCOMPARE(f->lblTitlu->text(), u"Quorvel"_s);
        QCOMPARE(f->lblDescriere->text(), descriere);
        QCOMPARE(f->lblEU->toolTip(), u"Telefon : 021 000    sau  E-mail : office@example.ro"_s);
        QVERIFY(f->lblEU->text().contains(u"2031"_s));
        QVERIFY(f->lblEU->text().contains(u"VELMORANT SRL"_s));
        QVERIFY(f->lblEU->text().contains(u"Toate drepturile rezervate."_s));
        QCOMPARE(f->lblAtentionare->text(), u"Acest program este protejat de legile drepturilor de autor."_s);
        QVERIFY(!f->windowIcon().isNull());
        QCOMPARE(f->picIcon->palette().color(QPalette::Window), QColor(80, 0, 10));
    }

    // Shown modal, OK or Esc unloads it and the call returns.
    void okInchide_data()
    {
        QTest::addColumn<bool>("esc");
        QTest::newRow("OK") << false;
        QTest::newRow("Esc") << true;
    }
    void okInchide()
    {
        QFETCH(bool, esc);
        auto* f = ui::Forms::load<FRM_About>(u"FRM_About"_s);
        QVERIFY(f);
        QTimer::singleShot(0, f, [f, esc] {
            if (!esc)
                f->CmdOK->click();
            else
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f,
                                Qt::Key_Escape);
        });
        QVERIFY(ui::Forms::show(u"FRM_About"_s, true));
        QVERIFY(!ui::Forms::isLoaded(u"FRM_About"_s));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
