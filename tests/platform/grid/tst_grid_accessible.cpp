// The grid as assistive tools see it: a table of all its rows that exposes
// only the rows in view as children, cells that read as shown and take text
// as typed, actions that choose a row or press a button, and the footer
// totals.
#include "platform/grid/grid.h"
#include "platform/ui/mesaj.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using db::Variant;
using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* table(grid::Grid& g)
{
    return QAccessible::queryAccessibleInterface(&g);
}

// The footer child whose description (the column's caption) is the one given.
QAccessibleInterface* footer(grid::Grid& g, const QString& caption)
{
    QAccessibleInterface* t = table(g);
    for (int i = 0; i < t->childCount(); ++i) {
        QAccessibleInterface* c = t->child(i);
        if (c && c->role() == QAccessible::StaticText && c->text(QAccessible::Description) == caption)
            return c;
    }
    return nullptr;
}

} // namespace

class TestGridAccessible : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void largeGridShowsTheRowsInView();
    void footerTotalsAreReadWhole();
    void cellsTakeTextAsTyped();
    void lockedCellsTakeNoText();
    void actionsChooseRowsAndPressButtons();
    void actionsReturnBeforeAModalBox();
    void listRowChosenThroughTheTable();

private:
    std::unique_ptr<grid::Grid> m_grid;
    grid::MemorySource* m_source = nullptr;
};

void TestGridAccessible::init()
{
    // The texts below are the C locale's forms, whatever locale runs the test.
    QLocale::setDefault(QLocale::c());
    ui::testing::setEnabled(true);
    ui::testing::clear();
    m_grid = std::make_unique<grid::Grid>();
    m_source = new grid::MemorySource(
        {{u"Ascuns"_s, 202}, {u"Cod"_s, 202}, {u"Tara"_s, 202}, {u"Valoare"_s, 5}, {u"Bifat"_s, 11}},
        m_grid.get());
    for (int i = 0; i < 100000; ++i)
        m_source->appendRow({Variant(u"x"_s), Variant(u"%1"_s.arg(52094300 + i)), Variant(u"DE"_s),
                             Variant(10000000.0 + i), Variant(i % 2 ? -1 : 0)});
    m_grid->setDataSource(m_source);
    m_grid->column(0).visible = false;
    m_grid->column(1).caption = u"Cod NC"_s;
    m_grid->column(2).caption = u"Tara Orig"_s;
    m_grid->column(2).button = true;
    m_grid->column(3).caption = u"Valoare Fiscala"_s;
    m_grid->column(3).numberFormat = u"##,##0"_s;
    m_grid->column(3).locked = true;
    m_grid->refreshColumns();
    m_grid->resize(700, 300);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    m_grid->setCurrentCell(0, 1);
}

void TestGridAccessible::cleanup()
{
    disconnect(m_grid.get(), nullptr, this, nullptr);
    m_grid.reset();
}

void TestGridAccessible::largeGridShowsTheRowsInView()
{
    QAccessibleInterface* t = table(*m_grid);
    QCOMPARE(t->role(), QAccessible::Table);
    QAccessibleTableInterface* ti = t->tableInterface();
    QVERIFY(ti);
    QCOMPARE(ti->rowCount(), 100000);
    QCOMPARE(ti->columnCount(), 4); // the hidden column is not one
    QCOMPARE(ti->columnDescription(0), u"Cod NC"_s);
    // Any cell by row and column, read as shown.
    QCOMPARE(ti->cellAt(99999, 0)->text(QAccessible::Name), u"52194299"_s);
    QCOMPARE(ti->cellAt(99999, 2)->text(QAccessible::Name), u"10,099,999"_s);
    QCOMPARE(ti->cellAt(99999, 2)->tableCellInterface()->rowIndex(), 99999);

    // The children: four headers and the cells of the rows in view.
    const int inView = m_grid->rowAt(m_grid->viewport()->height() - 1) - m_grid->rowAt(0) + 1;
    QVERIFY(inView > 3 && inView < 30);
    QCOMPARE(t->childCount(), 4 + inView * 4);
    QCOMPARE(t->child(0)->role(), QAccessible::ColumnHeader);
    QCOMPARE(t->child(0)->text(QAccessible::Name), u"Cod NC"_s);
    QCOMPARE(t->child(4)->text(QAccessible::Name), u"52094300"_s);
    for (int i = 0; i < t->childCount(); ++i)
        QCOMPARE(t->indexOfChild(t->child(i)), i);

    // Scrolled to the end, the children are the last rows, and the current
    // row (the first) stays one of them, rows in order.
    m_grid->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->maximum());
    QAccessibleInterface* last = t->child(t->childCount() - 1);
    QCOMPARE(last->tableCellInterface()->rowIndex(), 99999);
    QVERIFY(t->childCount() <= 4 + (inView + 2) * 4);
    QCOMPARE(t->child(4)->tableCellInterface()->rowIndex(), 0);
    QCOMPARE(t->child(8)->tableCellInterface()->rowIndex(), m_grid->rowAt(0));
    QCOMPARE(t->indexOfChild(ti->cellAt(50000, 0)), -1);
}

void TestGridAccessible::footerTotalsAreReadWhole()
{
    QVERIFY(!footer(*m_grid, u"Valoare Fiscala"_s));
    m_grid->setFootersVisible(true);
    m_grid->column(3).footerText = u"1,005,000,049,999,999"_s;
    m_grid->refreshFooters();
    QAccessibleInterface* f = footer(*m_grid, u"Valoare Fiscala"_s);
    QVERIFY(f);
    QCOMPARE(f->text(QAccessible::Name), u"1,005,000,049,999,999"_s);
    QCOMPARE(f->textInterface()->text(0, -1), u"1,005,000,049,999,999"_s);
    QVERIFY(!f->rect().isEmpty());
    QAccessibleInterface* t = table(*m_grid);
    QCOMPARE(t->indexOfChild(f), t->childCount() - 1);
    // Columns without a total have no footer child.
    QVERIFY(!footer(*m_grid, u"Cod NC"_s));
}

void TestGridAccessible::cellsTakeTextAsTyped()
{
    QList<int> updated;
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this,
            [&](int col, const Variant&, bool&) { updated.append(col); });
    QAccessibleInterface* cell = table(*m_grid)->tableInterface()->cellAt(5, 0);
    QAccessibleEditableTextInterface* edit = cell->editableTextInterface();
    QVERIFY(edit);
    QCOMPARE(cell->textInterface()->text(0, -1), u"52094305"_s);
    edit->replaceText(0, cell->textInterface()->characterCount(), u"84713000"_s);
    // The edit runs once the tool's call has returned.
    QVERIFY(updated.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(updated, QList<int>{1});
    QCOMPARE(m_grid->row(), 5);
    QCOMPARE(cell->text(QAccessible::Name), u"84713000"_s);
    QVERIFY(m_grid->rowDataChanged());
    // Inserting and deleting work on the text as the editor shows it.
    edit->deleteText(6, 8);
    QCoreApplication::processEvents();
    QCOMPARE(m_grid->cellValue(5, 1).toText(), u"847130"_s);
    edit->insertText(6, u"99"_s);
    QCoreApplication::processEvents();
    QCOMPARE(m_grid->cellValue(5, 1).toText(), u"84713099"_s);
    // Leaving the row writes it, as the grid's row cycle does.
    m_grid->setCurrentCell(6, 1);
    QCOMPARE(m_source->value(5, 1).toText(), u"84713099"_s);

    // A cancelled update leaves the cell as it was.
    disconnect(m_grid.get(), &grid::Grid::beforeColUpdate, this, nullptr);
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this,
            [](int, const Variant&, bool& cancel) { cancel = true; });
    QAccessibleInterface* other = table(*m_grid)->tableInterface()->cellAt(7, 0);
    other->editableTextInterface()->replaceText(0, 8, u"11111111"_s);
    QCoreApplication::processEvents();
    QCOMPARE(m_grid->cellValue(7, 1).toText(), u"52094307"_s);
}

void TestGridAccessible::lockedCellsTakeNoText()
{
    QAccessibleInterface* locked = table(*m_grid)->tableInterface()->cellAt(0, 2);
    QVERIFY(!locked->editableTextInterface());
    QVERIFY(locked->state().readOnly);
    QVERIFY(!locked->state().editable);
}

void TestGridAccessible::actionsChooseRowsAndPressButtons()
{
    QAccessibleTableInterface* ti = table(*m_grid)->tableInterface();
    QList<int> buttons;
    QList<int> heads;
    connect(m_grid.get(), &grid::Grid::buttonClick, this, [&](int col) { buttons.append(col); });
    connect(m_grid.get(), &grid::Grid::headClick, this, [&](int col) { heads.append(col); });

    QAccessibleActionInterface* country = ti->cellAt(3, 1)->actionInterface();
    QVERIFY(country->actionNames().contains(QAccessibleActionInterface::pressAction()));
    country->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QCOMPARE(buttons, QList<int>{2});
    QCOMPARE(m_grid->row(), 3);
    QVERIFY(!ti->cellAt(3, 0)->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));

    ti->cellAt(8, 0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    QCOMPARE(m_grid->row(), 8);
    QCOMPARE(m_grid->col(), 1);
    QCOMPARE(m_source->position(), 8);
    QVERIFY(ti->cellAt(8, 0)->state().focused == m_grid->hasFocus());

    // A check box cell is ticked by its toggle.
    QAccessibleInterface* box = ti->cellAt(8, 3);
    QVERIFY(box->state().checkable);
    QVERIFY(!box->state().checked);
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    QCOMPARE(m_grid->cellValue(8, 4).toInt(), -1);
    QVERIFY(box->state().checked);

    table(*m_grid)->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QCOMPARE(heads, QList<int>{2});
}

// An action whose grid event opens a modal box returns before the box
// does, so that the tool that asked is answered while the box is open.
void TestGridAccessible::actionsReturnBeforeAModalBox()
{
    bool inside = false;
    connect(m_grid.get(), &grid::Grid::buttonClick, this, [&](int) {
        inside = true;
        QDialog box;
        QTimer::singleShot(0, &box, &QDialog::accept);
        box.exec();
        inside = false;
    });
    QAccessibleActionInterface* country = table(*m_grid)->tableInterface()->cellAt(3, 1)->actionInterface();
    country->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!inside);
    bool seen = false;
    QTimer::singleShot(0, this, [&] { seen = inside; });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QVERIFY(seen);
}

void TestGridAccessible::listRowChosenThroughTheTable()
{
    grid::ListGrid list;
    list.setDataSource(m_source);
    list.resize(400, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QAccessibleTableInterface* ti = QAccessible::queryAccessibleInterface(&list)->tableInterface();
    QVERIFY(ti);
    QVERIFY(ti->selectRow(42));
    QCoreApplication::processEvents();
    QCOMPARE(list.row(), 42);
    QCOMPARE(m_source->position(), 42);
    QVERIFY(ti->isRowSelected(42));
    // A list takes no text.
    QVERIFY(!ti->cellAt(42, 0)->editableTextInterface());
}

QTEST_MAIN(TestGridAccessible)
#include "tst_grid_accessible.moc"
