// What the window registry adds for keyboard users and assistive tools: a
// combo box's row chosen through its list's accessible action, and Alt+F4.
#include "platform/ui/accesibilitate.h"
#include "platform/ui/fereastra.h"
#include "platform/ui/forms.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;
using ui::Forms;

namespace {

// The accessible cell of the combo's list that reads as the text.
QAccessibleInterface* rowOfList(QComboBox* combo, const QString& text)
{
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(combo->view());
    for (int i = 0; list && i < list->childCount(); ++i) {
        QAccessibleInterface* c = list->child(i);
        if (c && c->role() != QAccessible::ColumnHeader && c->text(QAccessible::Name) == text)
            return c;
    }
    return nullptr;
}

class Unload : public ui::Fereastra
{
public:
    using ui::Fereastra::Fereastra;
    void Form_Unload(bool&) override { ++unloads; }
    int unloads = 0;
};

} // namespace

class TestAccesibilitate : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Forms::resetForTests(); }

    // A list of two columns, as the company chooser's, and a plain one.
    void comboRowChosenByItsAction_data()
    {
        QTest::addColumn<bool>("tree");
        QTest::newRow("two columns") << true;
        QTest::newRow("plain list") << false;
    }
    void comboRowChosenByItsAction()
    {
        QFETCH(bool, tree);
        auto* w = new ui::Fereastra(u"Frm_Alegere"_s, u"Alegere"_s);
        auto* combo = new QComboBox(w);
        if (tree) {
            auto* view = new QTreeView(combo);
            view->setRootIsDecorated(false);
            combo->setView(view);
            auto* model = new QStandardItemModel(0, 2, combo);
            for (const auto& [name, code] :
                 {std::pair{u"ALFA SRL"_s, u"RO1"_s}, {u"BETA SRL"_s, u"RO2"_s}, {u"GAMA SRL"_s, u"RO3"_s}})
                model->appendRow({new QStandardItem(name), new QStandardItem(code)});
            combo->setModel(model);
            // A tree shows its rows to the tools once laid out (the
            // chooser's list is, when its columns are sized).
            view->doItemsLayout();
        } else {
            combo->addItems({u"ALFA SRL"_s, u"BETA SRL"_s, u"GAMA SRL"_s});
        }
        Forms::registerWindow(u"Frm_Alegere"_s, [w] { return w; });
        QVERIFY(Forms::show(u"Frm_Alegere"_s));
        QList<int> activated;
        connect(combo, &QComboBox::activated, this, [&](int i) { activated.append(i); });
        QCOMPARE(combo->currentIndex(), 0);

        QAccessibleInterface* gama = rowOfList(combo, u"GAMA SRL"_s);
        QVERIFY(gama);
        QVERIFY(gama->actionInterface());
        gama->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_COMPARE(combo->currentIndex(), 2);
        QCOMPARE(activated, QList<int>{2});
        QCOMPARE(combo->currentText(), u"GAMA SRL"_s);

        // The keyboard in the open list moves without choosing until Enter.
        combo->showPopup();
        QTest::keyClick(combo->view(), Qt::Key_Up);
        QCoreApplication::processEvents();
        QCOMPARE(combo->currentIndex(), 2);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_COMPARE(combo->currentIndex(), 1);
        QCOMPARE(activated, (QList<int>{2, 1}));
    }

    // A list replaced after the window loaded is watched again when asked.
    void comboWithANewList()
    {
        QComboBox combo;
        combo.addItems({u"a"_s, u"b"_s});
        ui::alegereAccesibila(&combo);
        auto* model = new QStandardItemModel(&combo);
        for (const QString& t : {u"x"_s, u"y"_s, u"z"_s})
            model->appendRow(new QStandardItem(t));
        combo.setModel(model);
        ui::alegereAccesibila(&combo);
        ui::alegereAccesibila(&combo);
        QList<int> activated;
        connect(&combo, &QComboBox::activated, this, [&](int i) { activated.append(i); });
        rowOfList(&combo, u"z"_s)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_COMPARE(combo.currentIndex(), 2);
        QCOMPARE(activated, QList<int>{2});
    }

    void altF4ClosesThroughTheUnloadRoutine()
    {
        auto* w = new Unload(u"Frm_Tasta"_s, u"Tasta"_s);
        Forms::registerWindow(u"Frm_Tasta"_s, [w] { return w; });
        QVERIFY(Forms::show(u"Frm_Tasta"_s));
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F4, Qt::AltModifier);
        QCOMPARE(w->unloads, 1);
        QVERIFY(!Forms::isLoaded(u"Frm_Tasta"_s));
    }
};

QTEST_MAIN(TestAccesibilitate)
#include "tst_accesibilitate.moc"
