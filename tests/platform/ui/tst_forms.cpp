#include "platform/ui/ecran.h"
#include "platform/ui/fereastra.h"
#include "platform/ui/fereastra_stub.h"
#include "platform/ui/forms.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ui::Forms;

namespace {

// A window that counts its routines and can refuse to be unloaded.
class Numarator : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Numarator(const QString& name) : ui::Fereastra(name, u"Fereastra "_s + name)
    {
        auto* b = new QPushButton(u"&Inchide"_s, this);
        b->setObjectName(u"CmdInchide"_s);
        connect(b, &QPushButton::clicked, this, &Numarator::inchide);
    }

    int loads = 0;
    int unloads = 0;
    int activations = 0;
    bool refuse = false;
    bool unloadSelfOnLoad = false;
    int afterUnload = 0;

    void Form_Load() override
    {
        ++loads;
        if (unloadSelfOnLoad)
            Forms::unload(this);
    }
    void Form_Unload(bool& cancel) override
    {
        ++unloads;
        cancel = refuse;
    }
    void Form_Activate() override { ++activations; }

    // The handler unloads its own window and goes on using it.
    void inchide()
    {
        Forms::unload(this);
        ++afterUnload;
        setWindowTitle(u"inchisa"_s);
    }
};

// The flags a factory gives the next window it makes.
bool nextUnloadsSelf = false;

void registerCounting(const QString& name)
{
    Forms::registerWindow(name, [name] {
        auto* w = new Numarator(name);
        w->unloadSelfOnLoad = nextUnloadsSelf;
        return w;
    });
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestForms : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        nextUnloadsSelf = false;
        for (const QString& n : {u"Frm_A"_s, u"Frm_B"_s, u"Frm_C"_s})
            registerCounting(n);
    }
    void cleanup()
    {
        Forms::resetForTests();
        flushDeferredDeletes();
    }

    void loadingTwiceGivesOneInstance()
    {
        QVERIFY(!Forms::isLoaded(u"Frm_A"_s));
        auto* first = Forms::load<Numarator>(u"Frm_A"_s);
        QVERIFY(first);
        auto* second = Forms::load<Numarator>(u"frm_a"_s);
        QCOMPARE(second, first);
        QCOMPARE(first->loads, 1);
        QVERIFY(!first->isVisible()); // loaded, not shown
        QVERIFY(Forms::isLoaded(u"FRM_A"_s));
        QCOMPARE(Forms::get(u"Frm_A"_s), first);
        QCOMPARE(first->objectName(), u"Frm_A"_s);
        QCOMPARE(first->windowTitle(), u"Fereastra Frm_A"_s);
    }

    // A factory registered first (a test's stand-in) is kept, whatever the case of the name.
    void registerIfAbsentKeepsTheFirst()
    {
        Forms::registerWindowIfAbsent(u"frm_a"_s, [] { return new QWidget; });
        QVERIFY(Forms::load<Numarator>(u"Frm_A"_s));
        Forms::registerWindowIfAbsent(u"Frm_Nou"_s, [] { return new Numarator(u"Frm_Nou"_s); });
        QVERIFY(Forms::load<Numarator>(u"Frm_Nou"_s));
        // Each name once, spelt as it was first registered.
        QCOMPARE(Forms::registeredNames(), (QStringList{u"Frm_A"_s, u"Frm_B"_s, u"Frm_C"_s, u"Frm_Nou"_s}));
    }

    void unknownNameLoadsNothing()
    {
        QCOMPARE(Forms::load(u"Frm_Nimic"_s), nullptr);
        QVERIFY(!Forms::show(u"Frm_Nimic"_s));
        QVERIFY(Forms::unload(u"Frm_Nimic"_s)); // not loaded: nothing to refuse
        QVERIFY(Forms::openNames().isEmpty());
    }

    void unloadRunsTheRoutineWhichMayRefuse()
    {
        QPointer<Numarator> w = Forms::load<Numarator>(u"Frm_A"_s);
        w->refuse = true;
        QVERIFY(!Forms::unload(u"Frm_A"_s));
        QCOMPARE(w->unloads, 1);
        QVERIFY(Forms::isLoaded(u"Frm_A"_s));

        w->refuse = false;
        QVERIFY(Forms::unload(u"Frm_A"_s));
        QCOMPARE(w->unloads, 2);
        QVERIFY(!Forms::isLoaded(u"Frm_A"_s));
        QCOMPARE(Forms::get(u"Frm_A"_s), nullptr);
        QVERIFY(w); // destroyed later, not inside the call
        flushDeferredDeletes();
        QVERIFY(!w);

        // Loading again makes a new window.
        auto* again = Forms::load<Numarator>(u"Frm_A"_s);
        QCOMPARE(again->loads, 1);
    }

    void handlerMayUnloadItsOwnWindow()
    {
        QVERIFY(Forms::show(u"Frm_A"_s));
        QPointer<Numarator> w = Forms::get<Numarator>(u"Frm_A"_s);
        auto* button = w->findChild<QPushButton*>(u"CmdInchide"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w->afterUnload, 1); // the handler ran to its end
        QVERIFY(!Forms::isLoaded(u"Frm_A"_s));
        QVERIFY(!w->isVisible());
        flushDeferredDeletes();
        QVERIFY(!w);
    }

    void loadRoutineMayUnloadItsWindow()
    {
        nextUnloadsSelf = true;
        QCOMPARE(Forms::load(u"Frm_B"_s), nullptr);
        QVERIFY(!Forms::isLoaded(u"Frm_B"_s));
        QVERIFY(!Forms::show(u"Frm_B"_s));
    }

    void openNamesInLoadOrder()
    {
        Forms::load(u"Frm_C"_s);
        Forms::load(u"Frm_A"_s);
        Forms::load(u"Frm_B"_s);
        QCOMPARE(Forms::openNames(), (QStringList{u"Frm_C"_s, u"Frm_A"_s, u"Frm_B"_s}));
        Forms::unload(u"Frm_A"_s);
        QCOMPARE(Forms::openNames(), (QStringList{u"Frm_C"_s, u"Frm_B"_s}));
    }

    void closingByTheUserGoesThroughUnload()
    {
        Forms::show(u"Frm_A"_s);
        QPointer<Numarator> w = Forms::get<Numarator>(u"Frm_A"_s);
        w->refuse = true;
        w->close();
        QCOMPARE(w->unloads, 1);
        QVERIFY(w->isVisible());
        QVERIFY(Forms::isLoaded(u"Frm_A"_s));
        w->refuse = false;
        w->close();
        QCOMPARE(w->unloads, 2);
        QVERIFY(!Forms::isLoaded(u"Frm_A"_s));
        flushDeferredDeletes();
        QVERIFY(!w);
    }

    void modalShowReturnsWhenTheWindowGoes()
    {
        // Unloaded from outside, from a timer.
        QTimer::singleShot(0, this, [] { Forms::unload(u"Frm_A"_s); });
        QVERIFY(Forms::show(u"Frm_A"_s, true));
        QVERIFY(!Forms::isLoaded(u"Frm_A"_s));

        // Unloaded by its own action while modal; the window is modal while shown.
        Qt::WindowModality seen = Qt::NonModal;
        QTimer::singleShot(0, this, [&seen] {
            auto* w = Forms::get<Numarator>(u"Frm_B"_s);
            seen = w->windowModality();
            QTest::mouseClick(w->findChild<QPushButton*>(u"CmdInchide"_s), Qt::LeftButton);
        });
        QVERIFY(Forms::show(u"Frm_B"_s, true));
        QCOMPARE(seen, Qt::ApplicationModal);
        QVERIFY(!Forms::isLoaded(u"Frm_B"_s));

        // Shown modal again from inside its own modal run: the outer run goes on.
        bool stillModal = false;
        QTimer::singleShot(0, this, [&stillModal] {
            QVERIFY(Forms::show(u"Frm_A"_s, true)); // returns at once
            stillModal = Forms::isLoaded(u"Frm_A"_s) && Forms::get(u"Frm_A"_s)->isVisible();
            Forms::unload(u"Frm_A"_s);
        });
        QVERIFY(Forms::show(u"Frm_A"_s, true));
        QVERIFY(stillModal);
        QVERIFY(!Forms::isLoaded(u"Frm_A"_s));

        // Only hidden: it stays loaded, and no longer modal.
        QTimer::singleShot(0, this, [] { Forms::get(u"Frm_C"_s)->hide(); });
        QVERIFY(Forms::show(u"Frm_C"_s, true));
        QVERIFY(Forms::isLoaded(u"Frm_C"_s));
        QCOMPARE(Forms::get(u"Frm_C"_s)->windowModality(), Qt::NonModal);
    }

    void activationComesFromAnotherWindowOnly()
    {
        Forms::show(u"Frm_A"_s);
        auto* a = Forms::get<Numarator>(u"Frm_A"_s);
        QVERIFY(QTest::qWaitForWindowActive(a));
        QCOMPARE(a->activations, 1);

        Forms::show(u"Frm_B"_s);
        auto* b = Forms::get<Numarator>(u"Frm_B"_s);
        QVERIFY(QTest::qWaitForWindowActive(b));
        QCOMPARE(b->activations, 1);
        QCOMPARE(a->activations, 1);

        a->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(a));
        QCOMPARE(a->activations, 2);
        QCOMPARE(b->activations, 1);

        // Its own message box closing gives the focus back: no activation.
        QTimer::singleShot(0, this, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        QMessageBox box(QMessageBox::Information, u"Quorvel"_s, u"Salvat"_s, QMessageBox::Ok, a);
        box.exec();
        QVERIFY(QTest::qWaitForWindowActive(a));
        QCOMPARE(a->activations, 2);

        // Back from another program: the window is told again that it is
        // active, having been the last active one of ours.
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(a, &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(a, &activate);
        QCOMPARE(a->activations, 2);
        QCOMPARE(Forms::activeWindow(), a);
    }

    void stubRecordsWhatItWasOpenedWith()
    {
        ui::FereastraStub::clearDeschideri();
        int tip = 3;
        ui::FereastraStub::registerStub(u"Frm_Actualizare"_s, u"Actualizare"_s, [&tip] {
            return QVariantMap{{u"Tip_Actualizare"_s, tip}};
        });
        QVERIFY(Forms::show(u"Frm_Actualizare"_s));
        QCOMPARE(Forms::get(u"Frm_Actualizare"_s)->windowTitle(), u"Actualizare"_s);
        QVERIFY(Forms::unload(u"Frm_Actualizare"_s));

        // Shown modal, it closes itself, so the call returns.
        tip = 7;
        QVERIFY(Forms::show(u"Frm_Actualizare"_s, true));
        QVERIFY(!Forms::isLoaded(u"Frm_Actualizare"_s));

        const QList<ui::FereastraStub::Deschidere>& d = ui::FereastraStub::deschideri();
        QCOMPARE(d.size(), 2);
        QCOMPARE(d.at(0).name, u"Frm_Actualizare"_s);
        QVERIFY(!d.at(0).modal);
        QCOMPARE(d.at(0).values.value(u"Tip_Actualizare"_s).toInt(), 3);
        QVERIFY(d.at(1).modal);
        QCOMPARE(d.at(1).values.value(u"Tip_Actualizare"_s).toInt(), 7);
    }

    // A window that chooses no place of its own opens centred over the main
    // window, kept inside the screen; one that places itself or is
    // maximised keeps its place; without the main window showing, windows
    // centre on the screen.
    void windowsOpenCentredOverTheMainWindow()
    {
        const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
        Forms::setMainWindowName(u"frm_a"_s);
        auto* principal = Forms::load(u"Frm_A"_s);
        principal->setGeometry(ecran.left() + 100, ecran.top() + 80, 600, 400);
        QVERIFY(Forms::show(u"Frm_A"_s));
        QCOMPARE(principal->geometry().topLeft(), ecran.topLeft() + QPoint(100, 80)); // placed by its opener

        QWidget* b = Forms::load(u"Frm_B"_s);
        b->resize(200, 100);
        QVERIFY(Forms::show(u"Frm_B"_s));
        QCOMPARE(b->geometry().center(), principal->geometry().center());
        // Shown again, it stays where it is.
        b->move(b->pos() + QPoint(7, 7));
        QVERIFY(Forms::show(u"Frm_B"_s));
        QCOMPARE(b->geometry().center(), principal->geometry().center() + QPoint(7, 7));
        QVERIFY(Forms::unload(u"Frm_B"_s));

        // A window sized by its layout is centred at the size it shows with.
        Forms::registerWindow(u"Frm_Asezat"_s, [] {
            auto* w = new ui::Fereastra(u"Frm_Asezat"_s);
            auto* asezare = new QVBoxLayout(w);
            auto* l = new QLabel(u"Un text care cere loc pe ecran"_s, w);
            l->setMinimumSize(300, 150);
            asezare->addWidget(l);
            return w;
        });
        QVERIFY(Forms::show(u"Frm_Asezat"_s));
        QWidget* asezat = Forms::get(u"Frm_Asezat"_s);
        QVERIFY(asezat->width() >= 300);
        QVERIFY(qAbs(asezat->geometry().center().x() - principal->geometry().center().x()) <= 1);
        QVERIFY(qAbs(asezat->geometry().center().y() - principal->geometry().center().y()) <= 1);

        // Larger than the room beside the main window: kept on the screen,
        // its frame included.
        principal->setGeometry(QRect(ecran.topLeft(), principal->size()));
        QWidget* mare = Forms::load(u"Frm_C"_s);
        mare->resize(ecran.width() - 20, ecran.height() - 20);
        QVERIFY(Forms::show(u"Frm_C"_s));
        QVERIFY(ecran.contains(mare->frameGeometry()));
        QVERIFY(Forms::unload(u"Frm_C"_s));
        // Larger than the screen, even of a fixed size: made smaller to fit.
        for (const bool fixa : {false, true}) {
            QWidget* imensa = Forms::load(u"Frm_C"_s);
            const QSize marime(ecran.width() + 300, ecran.height() + 200);
            fixa ? imensa->setFixedSize(marime) : imensa->resize(marime);
            QVERIFY(Forms::show(u"Frm_C"_s));
            QVERIFY2(ecran.contains(imensa->frameGeometry()), fixa ? "fixed size" : "resized");
            QVERIFY(Forms::unload(u"Frm_C"_s));
        }

        // A window maximised by its load routine stays maximised.
        Forms::registerWindow(u"Frm_Maxim"_s, [] {
            auto* w = new Numarator(u"Frm_Maxim"_s);
            w->setWindowState(Qt::WindowMaximized);
            return w;
        });
        QVERIFY(Forms::show(u"Frm_Maxim"_s));
        QVERIFY(Forms::get(u"Frm_Maxim"_s)->isMaximized());

        // No main window showing: the screen's centre.
        QVERIFY(Forms::unload(u"Frm_A"_s));
        QWidget* c = Forms::load(u"Frm_C"_s);
        c->resize(200, 100);
        QVERIFY(Forms::show(u"Frm_C"_s, false));
        QCOMPARE(c->geometry().center(), ecran.center());
    }

    void fitInto_data()
    {
        QTest::addColumn<QRect>("inner");
        QTest::addColumn<QRect>("fitted");
        // A work area of 1366x740 under a panel of 28 at the top, frames of
        // 4 at the sides and the bottom and 30 above.
        QTest::newRow("inside already") << QRect(100, 100, 600, 400) << QRect(100, 100, 600, 400);
        QTest::newRow("its title bar above the area") << QRect(100, 40, 600, 400) << QRect(100, 58, 600, 400);
        QTest::newRow("below the bottom") << QRect(100, 500, 600, 400) << QRect(100, 364, 600, 400);
        QTest::newRow("the grid's print preview") << QRect(233, 4, 900, 760) << QRect(233, 58, 900, 706);
        QTest::newRow("wider than the screen") << QRect(-50, 100, 1500, 400) << QRect(4, 100, 1358, 400);
        QTest::newRow("past the right edge") << QRect(1000, 100, 600, 400) << QRect(762, 100, 600, 400);
    }

    // A window and its frame end within the work area, as little moved and
    // made smaller as that takes.
    void fitInto()
    {
        QFETCH(QRect, inner);
        QFETCH(QRect, fitted);
        const QRect area(0, 28, 1366, 740);
        const QMargins frame(4, 30, 4, 4);
        const QRect r = ui::fitInto(area, frame, inner);
        QCOMPARE(r, fitted);
        QVERIFY(area.contains(r.marginsAdded(frame)));
    }

    // What assistive tools read as each control's name: its caption or label
    // as shown at that moment, else its control name.
    void accessibleNamesFromCaptionsLabelsOrNames()
    {
        auto* w = new ui::Fereastra(u"Frm_Acc"_s, u"Firma"_s);
        auto* label = new QLabel(u"Nume &firma"_s, w);
        auto* named = new QLineEdit(w);
        named->setObjectName(u"TXT_Nume"_s);
        label->setBuddy(named);
        auto* bare = new QLineEdit(w);
        bare->setObjectName(u"TXT_CF"_s);
        auto* button = new QPushButton(u"&Salveaza && iesi"_s, w);
        button->setObjectName(u"CmdOK"_s);
        auto* preset = new QLineEdit(w);
        preset->setAccessibleName(u"Ales"_s);
        // A result line empty when the window loads, and a box whose label
        // sits in another frame.
        auto* result = new QLabel(w);
        result->setObjectName(u"LblBar"_s);
        auto* frame = new QFrame(w);
        auto* far = new QLabel(u"Anul:"_s, frame);
        auto* year = new QLineEdit(w);
        year->setObjectName(u"TXT_Anul"_s);
        far->setBuddy(year);
        auto* tabs = new QTabWidget(w);
        auto* page = new QFrame;
        page->setObjectName(u"Frame1_0"_s);
        tabs->addTab(page, u"Date &Generale"_s);
        auto* menu = new QMenu(u"&Tabele Referinta"_s, w);
        menu->setObjectName(u"IMP_Tabele_Referinta"_s);
        Forms::registerWindow(u"Frm_Acc"_s, [w] { return w; });
        QCOMPARE(Forms::load(u"Frm_Acc"_s), w);

        const auto name = [](QWidget* c) {
            return QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
        };
        QCOMPARE(name(named), u"Nume firma"_s);
        QCOMPARE(name(bare), u"TXT_CF"_s);
        QCOMPARE(name(button), u"Salveaza & iesi"_s);
        QCOMPARE(name(label), u"Nume firma"_s);
        QCOMPARE(name(preset), u"Ales"_s);
        QCOMPARE(name(year), u"Anul:"_s);
        QCOMPARE(name(result), QString());
        QCOMPARE(name(page), u"Date Generale"_s);
        QCOMPARE(name(menu), u"Tabele Referinta"_s);
        QCOMPARE(w->windowTitle(), u"Firma"_s);

        // Captions changed later are read as shown.
        result->setText(u"Au fost preluate : 3 inregistrari din totalul de : 3"_s);
        label->setText(u"Denumire:"_s);
        button->setText(u"Iesire"_s);
        QCOMPARE(name(result), u"Au fost preluate : 3 inregistrari din totalul de : 3"_s);
        QCOMPARE(name(named), u"Denumire:"_s);
        QCOMPARE(name(button), u"Iesire"_s);
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
