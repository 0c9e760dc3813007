#include "platform/ui/mesaj_widgets.h"

#include <QApplication>
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
