#include "common/Inchide_Formuri.h"
#include "common/Selecteaza_Text_control.h"
#include "common/Verifica_Null_Control.h"
#include "platform/ui/fereastra.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace Qt::StringLiterals;
using ui::Forms;

namespace {

// A window that may refuse to close and records that it was asked.
class Fereastra_Test : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Fereastra_Test(const QString& name) : ui::Fereastra(name, name) {}
    bool refuse = false;
    int unloads = 0;
    void Form_Unload(bool& cancel) override
    {
        ++unloads;
        cancel = refuse;
    }
};

} // namespace

class TestControale : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ui::testing::setEnabled(true);
        ui::testing::clear();
        for (const QString& n : {u"Frm_Meniu_Principal"_s, u"Frm_Setari"_s, u"Frm_Liste"_s, u"Frm_Raport"_s})
            Forms::registerWindow(n, [n] { return new Fereastra_Test(n); });
    }
    void cleanup()
    {
        Forms::resetForTests();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::testing::clear();
        ui::testing::setEnabled(false);
    }

    void esteNullOnControls_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("blank");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("one blank") << u" "_s << true;
        QTest::newRow("two blanks") << u"  "_s << false;
        QTest::newRow("value") << u"RO123"_s << false;
    }
    void esteNullOnControls()
    {
        QFETCH(QString, text);
        QFETCH(bool, blank);
        QLineEdit line(text);
        QComboBox combo;
        combo.setEditable(true);
        combo.setEditText(text);
        QCOMPARE(Este_Null(&line, u"Cod fiscal"_s, true), blank);
        QCOMPARE(Este_Null(&combo, u"Tara"_s, true), blank);
        const QList<ui::testing::Call> boxes = ui::testing::messages();
        QCOMPARE(boxes.size(), blank ? 2 : 0);
        if (blank) {
            QCOMPARE(boxes.at(0).text, u"Cod fiscal  -  Obligatoriu de completat !"_s);
            QCOMPARE(boxes.at(1).text, u"Tara  -  Obligatoriu de completat !"_s);
        }
    }

    void selectsTheWholeText()
    {
        QLineEdit line(u"84713000"_s);
        line.setCursorPosition(3);
        Selecteaza_Text(&line);
        QCOMPARE(line.selectedText(), u"84713000"_s);

        QComboBox combo;
        combo.setEditable(true);
        combo.setEditText(u"Romania"_s);
        combo.lineEdit()->deselect();
        Selecteaza_Text(&combo);
        QCOMPARE(combo.lineEdit()->selectedText(), u"Romania"_s);

        QSpinBox spin;
        spin.setValue(42);
        Selecteaza_Text(&spin);
        QCOMPARE(spin.findChild<QLineEdit*>()->selectedText(), u"42"_s);

        QPlainTextEdit area(u"doua\nlinii"_s);
        Selecteaza_Text(&area);
        QCOMPARE(area.textCursor().selectedText(), u"doua\u2029linii"_s);

        // Controls without a selection are left alone.
        QPushButton button(u"OK"_s);
        Selecteaza_Text(&button);
        Selecteaza_Text(nullptr);
    }

    void closesAllButTheTwoNamed()
    {
        for (const QString& n : {u"Frm_Meniu_Principal"_s, u"Frm_Setari"_s, u"Frm_Liste"_s, u"Frm_Raport"_s})
            QVERIFY(Forms::load(n));
        auto* refusing = Forms::get<Fereastra_Test>(u"Frm_Liste"_s);
        refusing->refuse = true;
        QPointer<Fereastra_Test> setari = Forms::get<Fereastra_Test>(u"Frm_Setari"_s);

        // Names in another letter case still keep their windows; the one
        // that refused is told to the caller.
        QVERIFY(!Inchide_Formuri_Exceptand(u"FRM_MENIU_PRINCIPAL"_s, u"frm_raport"_s));
        QCOMPARE(Forms::openNames(),
                 (QStringList{u"Frm_Meniu_Principal"_s, u"Frm_Liste"_s, u"Frm_Raport"_s}));
        QCOMPARE(refusing->unloads, 1); // asked, refused, still open
        QCOMPARE(setari->unloads, 1);
        QCOMPARE(Forms::get<Fereastra_Test>(u"Frm_Meniu_Principal"_s)->unloads, 0);

        // The usual call: only the main window stays.
        refusing->refuse = false;
        QVERIFY(Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s));
        QCOMPARE(Forms::openNames(), QStringList{u"Frm_Meniu_Principal"_s});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!setari);
    }

    void callerMayCloseItself()
    {
        // A handler of a window being closed with the others runs to its end.
        auto* w = new Fereastra_Test(u"Frm_Apelant"_s);
        auto* button = new QPushButton(u"Inchide"_s, w);
        int after = 0;
        connect(button, &QPushButton::clicked, w, [&after, w] {
            Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s);
            ++after;
            w->setWindowTitle(u"tot aici"_s);
        });
        Forms::registerWindow(u"Frm_Apelant"_s, [w] { return w; });
        Forms::load(u"Frm_Meniu_Principal"_s);
        Forms::show(u"Frm_Apelant"_s);
        QPointer<Fereastra_Test> guard(w);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(after, 1);
        QCOMPARE(Forms::openNames(), QStringList{u"Frm_Meniu_Principal"_s});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard);
    }
};

QTEST_MAIN(TestControale)
#include "tst_controale.moc"
