#include "common/BUTOANE.h"
#include "common/Efecte_Grafice.h"
#include "common/Meniu_Culori.h"

#include <QAccessible>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

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
