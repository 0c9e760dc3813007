#include "common/BUTOANE.h"
#include "common/Efecte_Grafice.h"
#include "common/Meniu_Culori.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/mesaj_widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QColor selectie()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

// The colour of the pixel at p and, of the pixels inside r, the one that
// stands out most from it: where the text is drawn.
struct Culori_Desenate
{
    QColor fundal;
    QColor text;
};
Culori_Desenate desenate(const QImage& imagine, const QRect& r, const QPoint& p)
{
    Culori_Desenate d;
    d.fundal = imagine.pixelColor(p);
    d.text = d.fundal;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = imagine.pixelColor(x, y);
            if (Contrast_Culori(c, d.fundal) > Contrast_Culori(d.text, d.fundal))
                d.text = c;
        }
    return d;
}

} // namespace

class TestCosmetice : public QObject
{
    Q_OBJECT
private slots:
    void umbre_data()
    {
        QTest::addColumn<QList<int>>("culoare"); // r, g, b, step
        QTest::addColumn<QColor>("deschisa");
        QTest::addColumn<QColor>("inchisa");
        QTest::newRow("about box") << QList<int>{80, 0, 10, 35} << QColor(115, 35, 45) << QColor(45, 0, 0);
        QTest::newRow("light capped at 255")
            << QList<int>{240, 100, 0, 35} << QColor(255, 135, 35) << QColor(205, 65, 0);
        QTest::newRow("dark floored at 0")
            << QList<int>{10, 200, 34, 35} << QColor(45, 235, 69) << QColor(0, 165, 0);
    }
    void umbre()
    {
        QFETCH(QList<int>, culoare);
        QFETCH(QColor, deschisa);
        QFETCH(QColor, inchisa);
        const Umbre_Fundal u = Umbre_Fundal_3D(culoare[0], culoare[1], culoare[2], culoare[3]);
        QCOMPARE(u.deschisa, deschisa);
        QCOMPARE(u.inchisa, inchisa);
    }

    void figuri()
    {
        using T = Figura_Fundal::Tip;
        const QList<Figura_Fundal> f = Figuri_Fundal_3D(200, 100);
        const QList<Figura_Fundal> asteptat{
            {T::Dreptunghi, {2, 2}, {198, 98}, true}, {T::Linie, {198, 2}, {198, 99}, false},
            {T::Linie, {1, 98}, {198, 98}, false},    {T::Dreptunghi, {5, 5}, {195, 95}, false},
            {T::Linie, {195, 6}, {195, 96}, true},    {T::Linie, {5, 95}, {195, 95}, true}};
        QCOMPARE(f, asteptat);
    }

    void fundalPeFereastra()
    {
        QWidget w;
        w.resize(120, 80);
        Efect_Fundal_3D(&w, 80, 0, 10, 35);
        Efect_Fundal_3D(&w, 80, 0, 10, 35); // a second call does not stack painters
        QCOMPARE(w.palette().color(QPalette::Window), QColor(80, 0, 10));
        QCOMPARE(w.findChildren<QObject*>(u"_Fundal_3D"_s).size(), 1);
        const QImage img = w.grab().toImage();
        QCOMPARE(img.pixelColor(2, 50), QColor(115, 35, 45)); // outer frame, left edge: light
        QCOMPARE(img.pixelColor(5, 50), QColor(45, 0, 0));    // inner frame, left edge: dark
        QCOMPARE(img.pixelColor(60, 40), QColor(80, 0, 10));  // the back colour inside
    }

    void culori_data()
    {
        QTest::addColumn<quint32>("valoare");
        QTest::addColumn<quint32>("rezultat");
        QTest::newRow("plain colour") << quint32(0xFFFFC0) << quint32(0xFFFFC0);
        QTest::newRow("black") << quint32(0) << quint32(0);
        QTest::newRow("unknown system index") << quint32(0x80000063) << quint32(0);
        QTest::newRow("palette index form") << quint32(0x01000005) << quint32(0);
    }
    void culori()
    {
        QFETCH(quint32, valoare);
        QFETCH(quint32, rezultat);
        QCOMPARE(Translateaza_Culoare(valoare), rezultat);
    }

    void culoareSistem()
    {
        // The window background (index 5) is the palette's base colour now.
        const QColor baza = QApplication::palette().color(QPalette::Active, QPalette::Base);
        QCOMPARE(Culoare_Qt(Translateaza_Culoare(0x80000005)), baza);
        QCOMPARE(Culoare_Qt(0xFFFFC0), QColor(192, 255, 255));
        QCOMPARE(Culoare_Windows(QColor(192, 255, 255)), quint32(0xFFFFC0));
    }

    void meniu()
    {
        QMainWindow w;
        QMenu* fisier = w.menuBar()->addMenu(u"Fisier"_s);
        Coloreaza_Meniu(&w, 0xC0FFFF, false);
        QVERIFY(w.menuBar()->styleSheet().contains(u"#ffffc0"_s));
        QVERIFY(fisier->styleSheet().isEmpty());
        Coloreaza_Meniu(&w, 0xC0FFFF, true);
        QVERIFY(fisier->styleSheet().contains(u"#ffffc0"_s));
        Coloreaza_Meniu_Sistem(&w, 0xC0FFFF); // nothing to colour, nothing breaks
    }

    void contrast()
    {
        QCOMPARE(Contrast_Culori(Qt::black, Qt::white), 21.0);
        QCOMPARE(Contrast_Culori(Qt::white, Qt::black), 21.0);
        QCOMPARE(Contrast_Culori(QColor(0x77, 0x77, 0x77), QColor(0x77, 0x77, 0x77)), 1.0);
        // WCAG's worked figure: #777 on white is just under 4.5:1.
        QVERIFY(qAbs(Contrast_Culori(QColor(0x77, 0x77, 0x77), Qt::white) - 4.48) < 0.01);
        QVERIFY(qAbs(Luminanta_Relativa(QColor(255, 0, 0)) - 0.2126) < 1e-6);
    }

    // Whatever colour the user gives the menus, the highlighted item stands
    // out and reads: as drawn, its text has 4.5:1 at least on its bar, and
    // the bar 3:1 on the menu, in a drop-down menu and on the menu bar.
    void meniuLizibil_data()
    {
        QTest::addColumn<quint32>("culoare");
        QTest::newRow("pale yellow, the default") << quint32(0xC0FFFF);
        QTest::newRow("white") << quint32(0xFFFFFF);
        QTest::newRow("black") << quint32(0x000000);
        QTest::newRow("navy") << quint32(0x800000);
        QTest::newRow("mid grey") << quint32(0x808080);
        QTest::newRow("grey where black and white text tie") << quint32(0x767676);
        QTest::newRow("red") << quint32(0x0000FF);
        QTest::newRow("green") << quint32(0x00FF00);
        QTest::newRow("blue") << quint32(0xFF0000);
        QTest::newRow("yellow") << quint32(0x00FFFF);
        QTest::newRow("magenta") << quint32(0xFF00FF);
        QTest::newRow("the desktop's selection colour") << Culoare_Windows(selectie());
        QTest::newRow("system colour of menus") << quint32(0x80000004);
    }
    void meniuLizibil()
    {
        QFETCH(quint32, culoare);
        const QColor fundal = Culoare_Qt(Translateaza_Culoare(culoare));
        const Culori_Meniu c = Culori_Pentru_Meniu(fundal, selectie());
        QCOMPARE(c.fundal, fundal);
        QVERIFY(Contrast_Culori(c.text, c.fundal) >= 4.5);
        QVERIFY(Contrast_Culori(c.textEvidentiat, c.evidentiere) >= 4.5);
        QVERIFY(Contrast_Culori(c.evidentiere, c.fundal) >= 3.0);

        QMainWindow w;
        QMenu* m = w.menuBar()->addMenu(u"Fisier"_s);
        QAction* deschide = m->addAction(u"Deschide fisier"_s);
        QAction* salveaza = m->addAction(u"Salveaza tot"_s);
        m->addAction(u"Tipareste"_s)->setEnabled(false);
        // Type large enough that its strokes are whole pixels.
        QFont litere = w.font();
        litere.setPixelSize(28);
        w.menuBar()->setFont(litere);
        m->setFont(litere);
        Coloreaza_Meniu(&w, culoare, true);
        w.resize(400, 300);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // The menu bar's title under the pointer.
        QMenuBar* bara = w.menuBar();
        const QRect titlu = bara->actionGeometry(m->menuAction());
        // (the window's own pointer move: the widget's one only moves the cursor)
        QTest::mouseMove(w.windowHandle(), QPoint(w.width() - 5, w.height() - 5));
        QTest::mouseMove(w.windowHandle(), bara->mapTo(&w, titlu.center()));
        QTRY_COMPARE(bara->activeAction(), m->menuAction());
        const QImage imagineBara = bara->grab().toImage();
        const Culori_Desenate peBara = desenate(imagineBara, titlu, titlu.topLeft() + QPoint(2, 2));
        QVERIFY2(Contrast_Culori(peBara.text, peBara.fundal) >= 4.5,
                 qPrintable(peBara.text.name() + u" on "_s + peBara.fundal.name()));
        QVERIFY2(Contrast_Culori(peBara.fundal, fundal) >= 3.0, qPrintable(peBara.fundal.name()));
        QCOMPARE(imagineBara.pixelColor(bara->width() - 2, bara->height() / 2), fundal);

        // The drop-down menu with its second item highlighted.
        m->popup(w.mapToGlobal(QPoint(20, 60)));
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->setActiveAction(salveaza);
        const QImage imagine = m->grab().toImage();
        const QRect r = m->actionGeometry(salveaza);
        const Culori_Desenate evidentiat = desenate(imagine, r, r.topLeft() + QPoint(2, r.height() / 2));
        QVERIFY2(Contrast_Culori(evidentiat.text, evidentiat.fundal) >= 4.5,
                 qPrintable(evidentiat.text.name() + u" on "_s + evidentiat.fundal.name()));
        QVERIFY2(Contrast_Culori(evidentiat.fundal, fundal) >= 3.0, qPrintable(evidentiat.fundal.name()));
        const QRect normal = m->actionGeometry(deschide);
        QCOMPARE(imagine.pixelColor(normal.topLeft() + QPoint(2, normal.height() / 2)), fundal);
        m->hide();
    }

    void butonHover()
    {
        ButonPlat b(u"Salveaza"_s);
        b.resize(80, 24);
        QCOMPARE(b.culoareText(), quint32(0));
        QCOMPARE(b.culoareFundal(), quint32(0xFFFFC0));

        Evidentiaza_Buton(&b, 10, 10);
        QVERIFY(b.arePointerul());
        QCOMPARE(b.culoareText(), quint32(0xFFFFC0));
        QCOMPARE(b.culoareFundal(), quint32(0));

        // Moving within the button changes nothing, even when the look was
        // changed meanwhile.
        b.seteazaCulori(1, 2);
        Evidentiaza_Buton(&b, 30, 12);
        QCOMPARE(b.culoareText(), quint32(1));

        Evidentiaza_Buton(&b, 81, 10); // off the right edge
        QVERIFY(!b.arePointerul());
        QCOMPARE(b.culoareText(), quint32(0));
        QCOMPARE(b.culoareFundal(), quint32(0xFFFFC0));
        Evidentiaza_Buton(&b, 10, -1);
        QVERIFY(!b.arePointerul());
    }

    // A disabled flat button looks disabled (its text is drawn otherwise than
    // an enabled one's), takes no hover look and says so to assistive tools.
    void butonInactiv()
    {
        ButonPlat activ(u"Ajustare Val. Stat"_s);
        ButonPlat inactiv(u"Ajustare Val. Stat"_s);
        for (ButonPlat* b : {&activ, &inactiv})
            b->resize(120, 24);
        inactiv.setEnabled(false);
        QCOMPARE(inactiv.grab().toImage() == activ.grab().toImage(), false);
        Evidentiaza_Buton(&inactiv, 10, 10);
        QVERIFY(!inactiv.arePointerul());
        QCOMPARE(inactiv.culoareFundal(), quint32(0xFFFFC0));
        QVERIFY(QAccessible::queryAccessibleInterface(&inactiv)->state().disabled);
        QVERIFY(!QAccessible::queryAccessibleInterface(&activ)->state().disabled);

        // Switched off under the pointer: the hover look goes.
        Evidentiaza_Buton(&activ, 10, 10);
        QVERIFY(activ.arePointerul());
        activ.setEnabled(false);
        QVERIFY(!activ.arePointerul());
        QCOMPARE(activ.culoareFundal(), quint32(0xFFFFC0));
        QCOMPARE(activ.grab().toImage(), inactiv.grab().toImage());
    }

    // A window that takes over from the button's window (a message box, the
    // progress or problem window a click opens) leaves the button at rest,
    // and the button lights up again once the pointer moves over it: nothing
    // tells the button where the pointer went meanwhile.
    void butonLasatDeAltaFereastra()
    {
        ui::installWidgetPresenter();
        QWidget w;
        w.setGeometry(20, 20, 300, 160);
        auto* b = new ButonPlat(u"Verifica"_s, &w);
        b->setGeometry(100, 60, 100, 30);
        connect(b, &QAbstractButton::clicked, this, [b] {
            if (Reseteaza_Buton(b))
                return;
            ui::msgBox(u"NU SUNT PROBLEME"_s, ui::Icon::Information);
        });
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseMove(b, QPoint(20, 10));
        QVERIFY(b->arePointerul());

        // A window of its own, away from the pointer.
        QWidget alta;
        alta.setGeometry(400, 20, 200, 100);
        alta.show();
        alta.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&alta));
        QVERIFY(!b->arePointerul());
        QCOMPARE(b->culoareFundal(), quint32(0xFFFFC0));
        alta.hide();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseMove(b, QPoint(30, 12));
        QVERIFY(b->arePointerul());

        // A message box the click shows, answered.
        bool inRepaus = false; // the box showed, and the button was at rest under it
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            inRepaus = !b->arePointerul() && b->culoareFundal() == 0xFFFFC0;
            QTest::mouseMove(box, QPoint(5, 5));
            box->buttons().constFirst()->click();
        });
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(inRepaus);
        w.activateWindow(); // as the desktop gives the activation back
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseMove(&w, QPoint(10, 140));
        QVERIFY(!b->arePointerul());
        QCOMPARE(b->culoareFundal(), quint32(0xFFFFC0));
        // Back over the button, it lights up again.
        QTest::mouseMove(b, QPoint(30, 12));
        QVERIFY(b->arePointerul());
        ui::setPresenter(nullptr);
    }

    void butonClic_data()
    {
        QTest::addColumn<bool>("apasat");
        QTest::newRow("push button") << false;
        QTest::newRow("two-state button left down") << true;
    }
    void butonClic()
    {
        QFETCH(bool, apasat);
        ButonPlat b(u"Verifica"_s);
        b.resize(80, 24);
        b.setCheckable(apasat);
        int actiuni = 0;
        bool susInTimpulActiunii = false;
        connect(&b, &QAbstractButton::clicked, this, [&] {
            if (Reseteaza_Buton(&b))
                return;
            ++actiuni;
            susInTimpulActiunii = !b.isChecked() && !b.isDown() && b.culoareFundal() == 0xFFFFC0;
        });
        Evidentiaza_Buton(&b, 5, 5); // hover look on
        if (apasat) {
            b.setChecked(true);
            Q_EMIT b.clicked(true);
        } else {
            QTest::mouseClick(&b, Qt::LeftButton);
        }
        QCOMPARE(actiuni, 1);
        QVERIFY(susInTimpulActiunii);
        QVERIFY(!b.isChecked());
        QVERIFY(!b.arePointerul());
    }
};

QTEST_MAIN(TestCosmetice)
#include "tst_cosmetice.moc"
