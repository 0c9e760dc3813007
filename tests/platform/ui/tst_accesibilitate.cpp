// What the windows add for keyboard users and assistive tools: a combo box's
// row chosen through its list's accessible action, Alt+F4, Esc for the
// window's cancel button, Enter from box to box, and the look of a box that
// takes no typing.
#include "platform/ui/accesibilitate.h"
#include "platform/ui/fereastra.h"
#include "platform/ui/forms.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

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

// A small form: two boxes, a check box, a cell grid, OK and Renunta (the
// window's cancel button); Enter moves on from the boxes and the check box.
class Formular : public ui::Fereastra
{
public:
    Formular() : ui::Fereastra(u"Frm_Formular"_s, u"Formular"_s)
    {
        auto* asezare = new QVBoxLayout(this);
        for (const QString& nume : {u"Txt_Unu"_s, u"Txt_Doi"_s}) {
            auto* c = new QLineEdit(this);
            c->setObjectName(nume);
            c->installEventFilter(this);
            asezare->addWidget(c);
        }
        Check = new QCheckBox(u"Bifa"_s, this);
        Check->installEventFilter(this);
        asezare->addWidget(Check);
        Grila = new QTableWidget(2, 2, this);
        asezare->addWidget(Grila);
        OK = new QPushButton(u"OK"_s, this);
        OK->setObjectName(u"CmdOK"_s);
        Renunta = new QPushButton(u"Renunta"_s, this);
        asezare->addWidget(OK);
        asezare->addWidget(Renunta);
        connect(Renunta, &QPushButton::clicked, this, [this] { ++renuntari; });
        seteazaButonRenuntare(Renunta);
    }
    QCheckBox* Check = nullptr;
    QTableWidget* Grila = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Renunta = nullptr;
    int renuntari = 0;

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override
    {
        if (enterLaUrmatorul(eveniment))
            return true;
        return ui::Fereastra::eventFilter(obiect, eveniment);
    }
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

    // Esc presses the cancel button from whichever control has the focus,
    // unless that control takes the key itself (a cell being edited); a
    // hidden or disabled button is not pressed.
    void escPressesTheCancelButton_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("buton"); // shown, hidden or disabled
        QTest::addColumn<int>("renuntari");
        QTest::newRow("from a text box") << u"Txt_Doi"_s << u"shown"_s << 1;
        QTest::newRow("from a button") << u"CmdOK"_s << u"shown"_s << 1;
        QTest::newRow("from a cell being edited") << u"editor"_s << u"shown"_s << 0;
        QTest::newRow("hidden cancel button") << u"Txt_Doi"_s << u"hidden"_s << 0;
        QTest::newRow("disabled cancel button") << u"Txt_Doi"_s << u"disabled"_s << 0;
    }
    void escPressesTheCancelButton()
    {
        QFETCH(QString, focus);
        QFETCH(QString, buton);
        QFETCH(int, renuntari);
        auto* f = new Formular;
        Forms::registerWindow(u"Frm_Formular"_s, [f] { return f; });
        QVERIFY(Forms::show(u"Frm_Formular"_s));
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->Renunta->setVisible(buton != u"hidden");
        f->Renunta->setEnabled(buton != u"disabled");
        QWidget* tinta = nullptr;
        if (focus == u"editor") {
            f->Grila->setItem(0, 0, new QTableWidgetItem(u"RO"_s));
            f->Grila->setCurrentCell(0, 0);
            f->Grila->editItem(f->Grila->currentItem());
            tinta = f->Grila->findChild<QLineEdit*>();
        } else {
            tinta = f->findChild<QWidget*>(focus);
        }
        QVERIFY(tinta);
        tinta->setFocus();
        QTest::keyClick(tinta, Qt::Key_Escape);
        QCOMPARE(f->renuntari, renuntari);
        if (focus == u"editor")
            QVERIFY(!f->Grila->indexWidget(f->Grila->currentIndex())); // the edit was given up
        QVERIFY(Forms::isLoaded(u"Frm_Formular"_s));
    }

    // Enter moves on as Tab does, and is not typed.
    void enterMovesToTheNextControl()
    {
        auto* f = new Formular;
        Forms::registerWindow(u"Frm_Formular"_s, [f] { return f; });
        QVERIFY(Forms::show(u"Frm_Formular"_s));
        QVERIFY(QTest::qWaitForWindowActive(f));
        auto* unu = f->findChild<QLineEdit*>(u"Txt_Unu"_s);
        auto* doi = f->findChild<QLineEdit*>(u"Txt_Doi"_s);
        unu->setFocus();
        QTest::keyClicks(unu, u"abc"_s);
        QTest::keyClick(unu, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), doi);
        QTest::keyClick(doi, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), f->Check);
        QTest::keyClick(f->Check, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f->Grila);
        QCOMPARE(unu->text(), u"abc"_s);
        QVERIFY(!f->Check->isChecked());
    }

    // A text box that takes no typing shows on the window's colour, turns
    // back when it takes typing again, and keeps a colour of its own.
    void readOnlyBoxLooksReadOnly()
    {
        auto* w = new ui::Fereastra(u"Frm_Citire"_s, u"Citire"_s);
        auto* asezare = new QVBoxLayout(w);
        auto* editabila = new QLineEdit(u"Exemplu Livrari"_s, w);
        auto* blocata = new QLineEdit(u"Exemplu Livrari"_s, w);
        blocata->setReadOnly(true);
        auto* colorata = new QLineEdit(w);
        QPalette p = colorata->palette();
        p.setColor(QPalette::Base, QColor(255, 255, 192));
        colorata->setPalette(p);
        for (QLineEdit* c : {editabila, blocata, colorata})
            asezare->addWidget(c);
        Forms::registerWindow(u"Frm_Citire"_s, [w] { return w; });
        QVERIFY(Forms::show(u"Frm_Citire"_s));
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const auto fundal = [](QLineEdit* c) {
            return c->grab().toImage().pixelColor(c->width() - 4, c->height() / 2);
        };
        const QColor fereastra = w->palette().color(QPalette::Window);
        QVERIFY(fereastra != w->palette().color(QPalette::Base));
        QCOMPARE(fundal(blocata), fereastra);
        QCOMPARE(fundal(editabila), w->palette().color(QPalette::Base));

        // Made read-only after the window loaded, and editable again.
        editabila->setReadOnly(true);
        QCOMPARE(fundal(editabila), fereastra);
        blocata->setReadOnly(false);
        QCOMPARE(fundal(blocata), w->palette().color(QPalette::Base));
        colorata->setReadOnly(true);
        QCOMPARE(fundal(colorata), fereastra);
        colorata->setReadOnly(false);
        QCOMPARE(fundal(colorata), QColor(255, 255, 192));
    }
};

QTEST_MAIN(TestAccesibilitate)
#include "tst_accesibilitate.moc"
