#include "platform/ui/mesaj_widgets.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs act on the message box as soon as it is open.
void whenBoxOpens(std::function<void(QMessageBox*)> act)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start();
}

} // namespace

class TestPresenter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ui::installWidgetPresenter(); }
    void cleanupTestCase() { ui::setPresenter(nullptr); }

    void boxShowsWhatWasAskedAndReturnsTheButton()
    {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qsizetype buttonCount = 0;
        bool defaultIsNo = false;
        whenBoxOpens([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttonCount = box->buttons().size();
            defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
            box->button(QMessageBox::No)->click();
        });
        const ui::Answer a = ui::msgBox(u"Stergeti linia ?"_s, ui::Icon::Question, ui::Buttons::YesNoCancel,
                                        std::nullopt, ui::DefaultButton::Second);
        QCOMPARE(a, ui::Answer::No);
        QCOMPARE(title, u"Quorvel"_s);
        QCOMPARE(text, u"Stergeti linia ?"_s);
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttonCount, 3);
        QVERIFY(defaultIsNo);
    }

    // Every box of the seam answers in Romanian (the order of the buttons is
    // the desktop's own).
    void buttonsInRomanian_data()
    {
        QTest::addColumn<ui::Buttons>("buttons");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Ok") << ui::Buttons::Ok << QStringList{u"OK"_s};
        QTest::newRow("OkCancel") << ui::Buttons::OkCancel << QStringList{u"OK"_s, u"Anulare"_s};
        QTest::newRow("YesNo") << ui::Buttons::YesNo << QStringList{u"&Da"_s, u"&Nu"_s};
        QTest::newRow("YesNoCancel") << ui::Buttons::YesNoCancel
                                     << QStringList{u"&Da"_s, u"&Nu"_s, u"Anulare"_s};
        QTest::newRow("RetryCancel") << ui::Buttons::RetryCancel
                                     << QStringList{u"&Reincercare"_s, u"Anulare"_s};
        QTest::newRow("AbortRetryIgnore")
            << ui::Buttons::AbortRetryIgnore << QStringList{u"&Abandon"_s, u"&Reincercare"_s, u"&Ignorare"_s};
    }
    void buttonsInRomanian()
    {
        QFETCH(ui::Buttons, buttons);
        QFETCH(QStringList, texts);
        QStringList shown;
        whenBoxOpens([&](QMessageBox* box) {
            for (QAbstractButton* b : box->buttons())
                shown << b->text();
            box->reject();
        });
        ui::msgBox(u"x"_s, ui::Icon::Question, buttons);
        shown.sort();
        texts.sort();
        QCOMPARE(shown, texts);
    }

    // Qt's own dialogs take the same texts for their standard buttons.
    void qtDialogButtonsInRomanian()
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Close);
        QCOMPARE(box.button(QDialogButtonBox::Ok)->text(), u"OK"_s);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), u"Anulare"_s);
        QCOMPARE(box.button(QDialogButtonBox::Close)->text(), u"&Inchide"_s);
        QString ok, cancel;
        auto* timer = new QTimer(qApp);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, timer, [&, timer] {
            if (auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                const auto buttons = d->findChild<QDialogButtonBox*>();
                ok = buttons->button(QDialogButtonBox::Ok)->text();
                cancel = buttons->button(QDialogButtonBox::Cancel)->text();
                d->reject();
            }
        });
        timer->start();
        QCOMPARE(ui::inputBox(u"Numele"_s), QString());
        QCOMPARE(ok, u"OK"_s);
        QCOMPARE(cancel, u"Anulare"_s);
    }

    void escapeOnYesNoCancelIsCancel()
    {
        whenBoxOpens([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(ui::msgBox(u"x"_s, ui::Icon::Critical, ui::Buttons::YesNoCancel, u"EROARE"_s),
                 ui::Answer::Cancel);
    }

    void colourForms_data()
    {
        QTest::addColumn<quint32>("windows");
        QTest::addColumn<QColor>("qt");
        QTest::newRow("light cyan") << 0xFFFFC0u << QColor(192, 255, 255);
        QTest::newRow("blue text") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("light green") << 0x80FF80u << QColor(128, 255, 128);
    }
    void colourForms()
    {
        QFETCH(quint32, windows);
        QFETCH(QColor, qt);
        QCOMPARE(ui::toQColor(windows), qt);
        QCOMPARE(ui::fromQColor(qt), windows);
    }
};

QTEST_MAIN(TestPresenter)
#include "tst_presenter.moc"
