// The grid on screen (offscreen): its events, the row cycle, the position,
// re-binding, layouts and the re-entrancy of a modal dialog opened from an event.
#include "platform/grid/binder.h"
#include "platform/grid/cut_cells.h"
#include "platform/grid/grid.h"
#include "platform/grid/grid_parts.h"
#include "platform/grid/typing.h"
#include "platform/grid/units.h"
#include "platform/ui/mesaj.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using db::Variant;

class TestGridWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cancelledColumnUpdateKeepsTheOldValue();
    void handlerWritesOtherCellsOfTheRow();
    void cancelledRowUpdateWritesNothing();
    void emptiedCellIsStoredAsNull();
    void refusedWriteIsADataError_data();
    void refusedWriteIsADataError();
    void deleteAsksFirst();
    void followsTheSourcePosition();
    void rebindRebuildsColumns();
    void layoutRoundTrip();
    void keyDownCanSwallowAKey();
    void tabWrapsToTheNextRow();
    void headerAndCellButtonClicks();
    void modalDialogInAnEventRunsOnce();
    void enterMovesAsSet_data();
    void enterMovesAsSet();
    void enterOnTheLastCellWritesTheNewRow();
    void movingAwayFromAnEditorIsNoEnter();
    void rowColoursFootersAndLockedColumns();
    void listGridIsReadOnly();
    void textButtonCells();
    void yesNoAsCheckBoxes();
    void boundBoxesFollowTheRow();
    void boundBoxesKeepTheLastLineOnTheNewRow();
    void clickingAnotherRowWritesWhatWasTyped();
    void refusedNumberIsSaidOnceAndKeptToMend_data();
    void refusedNumberIsSaidOnceAndKeptToMend();
    void valuesThatFitTheDesignFontFit_data();
    void valuesThatFitTheDesignFontFit();
    void totalsAreNeverCut();
    void widestValueIsNeverCut_data();
    void widestValueIsNeverCut();
    void cutValuesShowWholeInTheirTooltip();
    void captionsShowWhole_data();
    void captionsShowWhole();
    void rowsFitTheirWrappedText();
    void widthForColumnsShowsThemAll();

private:
    grid::MemorySource* m_source = nullptr;
    std::unique_ptr<grid::Grid> m_grid;
};

void TestGridWidget::init()
{
    ui::testing::setEnabled(true);
    ui::testing::clear();
    m_grid = std::make_unique<grid::Grid>();
    m_source = new grid::MemorySource({{QStringLiteral("Cod"), 202},
                                       {QStringLiteral("Descriere"), 202},
                                       {QStringLiteral("Valoare"), 5},
                                       {QStringLiteral("Nr"), 3}},
                                      m_grid.get());
    for (int i = 0; i < 4; ++i)
        m_source->appendRow({Variant(QStringLiteral("C%1").arg(i)), Variant(QStringLiteral("D%1").arg(i)),
                             Variant(i * 10.5), Variant(i)});
    m_grid->setDataSource(m_source);
    m_grid->resize(600, 300);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    m_grid->setCurrentCell(1, 0);
}

void TestGridWidget::cleanup()
{
    // The handlers of a test capture its locals.
    disconnect(m_grid.get(), nullptr, this, nullptr);
    m_grid.reset();
}

void TestGridWidget::cancelledColumnUpdateKeepsTheOldValue()
{
    Variant seenOld;
    Variant seenNew;
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this, [&](int col, const Variant& old, bool& cancel) {
        seenOld = old;
        seenNew = m_grid->cell(col);
        cancel = true;
    });
    int after = 0;
    connect(m_grid.get(), &grid::Grid::afterColUpdate, this, [&] { ++after; });
    QVERIFY(!m_grid->editCell(0, QStringLiteral("NOU")));
    QCOMPARE(seenOld, Variant(QStringLiteral("C1")));
    QCOMPARE(seenNew, Variant(QStringLiteral("NOU")));
    QCOMPARE(after, 0);
    QCOMPARE(m_grid->cellText(1, 0), QStringLiteral("C1"));
    QVERIFY(!m_grid->rowDataChanged());
    QVERIFY(m_grid->update());
    QCOMPARE(m_source->value(1, 0), Variant(QStringLiteral("C1")));
}

void TestGridWidget::handlerWritesOtherCellsOfTheRow()
{
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this, [&](int col, const Variant&, bool&) {
        if (col == 0) {
            m_grid->setCell(0, Variant(m_grid->cell(0).toText().toUpper()));
            m_grid->setCell(1, Variant(QStringLiteral("Descriere gasita")));
        }
    });
    QVERIFY(m_grid->editCell(0, QStringLiteral("ro")));
    QCOMPARE(m_grid->cell(0), Variant(QStringLiteral("RO")));
    QVERIFY(m_grid->rowDataChanged());
    QCOMPARE(m_source->value(1, 0), Variant(QStringLiteral("C1"))); // the row is written later
    m_grid->setCurrentCell(2, 0);                                   // leaving the row writes it
    QCOMPARE(m_source->value(1, 0), Variant(QStringLiteral("RO")));
    QCOMPARE(m_source->value(1, 1), Variant(QStringLiteral("Descriere gasita")));
    QCOMPARE(m_grid->row(), 2);
}

void TestGridWidget::cancelledRowUpdateWritesNothing()
{
    int before = 0;
    int after = 0;
    connect(m_grid.get(), &grid::Grid::beforeUpdate, this, [&](bool& cancel) {
        ++before;
        cancel = true;
    });
    connect(m_grid.get(), &grid::Grid::afterUpdate, this, [&] { ++after; });
    QVERIFY(m_grid->editCell(1, QStringLiteral("Alta")));
    m_grid->setCurrentCell(3, 1);
    QCOMPARE(before, 1);
    QCOMPARE(after, 0);
    QCOMPARE(m_grid->row(), 1); // the row stays current with its values
    QCOMPARE(m_grid->cell(1), Variant(QStringLiteral("Alta")));
    QCOMPARE(m_source->value(1, 1), Variant(QStringLiteral("D1")));
    // Left by a key, it stays current and highlighted, as does no other cell.
    QTest::keyClick(m_grid.get(), Qt::Key_Down);
    QCOMPARE(before, 2);
    QCOMPARE(m_grid->row(), 1);
    QCOMPARE(m_grid->selectionModel()->selectedIndexes(), QModelIndexList{m_grid->currentIndex()});
    m_grid->cancelUpdate();
    QCOMPARE(m_grid->cellText(1, 1), QStringLiteral("D1"));
}

void TestGridWidget::emptiedCellIsStoredAsNull()
{
    QVERIFY(m_grid->editCell(1, QString()));
    QVERIFY(m_grid->editCell(2, QString()));
    QVERIFY(m_grid->update());
    QVERIFY(m_source->value(1, 1).isNull());
    QVERIFY(m_source->value(1, 2).isNull());
}

void TestGridWidget::refusedWriteIsADataError_data()
{
    QTest::addColumn<bool>("suppress");
    QTest::newRow("suppressed") << true;
    QTest::newRow("shown") << false;
}

void TestGridWidget::refusedWriteIsADataError()
{
    QFETCH(bool, suppress);
    int number = 0;
    connect(m_grid.get(), &grid::Grid::dataError, this, [&](int n, const QString&, bool& s) {
        number = n;
        s = suppress;
    });
    QVERIFY(m_grid->editCell(1, QStringLiteral("X")));
    m_source->setReadOnly(true);
    QVERIFY(!m_grid->update());
    QCOMPARE(number, 7);
    QCOMPARE(ui::testing::messages().size(), suppress ? 0 : 1);
    QVERIFY(m_grid->rowDataChanged()); // the user's values are kept
}

void TestGridWidget::deleteAsksFirst()
{
    m_grid->setAllowDelete(true);
    bool refuse = true;
    connect(m_grid.get(), &grid::Grid::beforeDelete, this, [&](bool& cancel) { cancel = refuse; });
    QVERIFY(!m_grid->deleteCurrentRow());
    QCOMPARE(m_source->rowCount(), 4);
    refuse = false;
    QTest::keyClick(m_grid.get(), Qt::Key_Delete);
    QCOMPARE(m_source->rowCount(), 3);
    QCOMPARE(m_source->value(1, 0), Variant(QStringLiteral("C2")));
}

void TestGridWidget::followsTheSourcePosition()
{
    m_source->setPosition(3);
    QCOMPARE(m_grid->row(), 3);
    m_grid->setCurrentCell(2, 1);
    QCOMPARE(m_source->position(), 2);
}

void TestGridWidget::rebindRebuildsColumns()
{
    int rebuilt = 0;
    connect(m_grid.get(), &grid::Grid::columnsRebuilt, this, [&] { ++rebuilt; });
    grid::MemorySource other({{QStringLiteral("A"), 202}, {QStringLiteral("B"), 202}});
    other.appendRow({Variant(QStringLiteral("a")), Variant(QStringLiteral("b"))});
    m_grid->setDataSource(&other);
    QCOMPARE(rebuilt, 1);
    QCOMPARE(m_grid->columnCount(), 2);
    QCOMPARE(m_grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));
    QCOMPARE(m_grid->cellText(0, 1), QStringLiteral("b"));
    m_grid->setDataSource(m_source);
    QCOMPARE(m_grid->columnCount(), 4);
}

void TestGridWidget::layoutRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Frm_Test_Grid.grx"));
    m_grid->column(1).widthTwips = 6500;
    m_grid->column(2).visible = false;
    m_grid->refreshColumns();
    m_grid->horizontalHeader()->moveSection(3, 0); // Nr first
    QVERIFY(m_grid->saveLayout(path, QStringLiteral("Test")));

    grid::Grid other;
    other.setDataSource(m_source);
    QCOMPARE(other.horizontalHeader()->visualIndex(3), 3);
    QVERIFY(other.loadLayout(path, QStringLiteral("Test")));
    QCOMPARE(other.horizontalHeader()->visualIndex(3), 0);
    QCOMPARE(other.horizontalHeader()->visualIndex(0), 1);
    QCOMPARE(other.columnWidth(1), m_grid->columnWidth(1));
    QCOMPARE(other.layout().columns.at(1).widthTwips, 6500);
    QVERIFY(other.isColumnHidden(2));
    QCOMPARE(other.layout(), m_grid->layout());
}

void TestGridWidget::keyDownCanSwallowAKey()
{
    QList<int> keys;
    connect(m_grid.get(), &grid::Grid::keyDown, this, [&](int key, Qt::KeyboardModifiers, bool& consume) {
        keys.append(key);
        consume = key == Qt::Key_Escape || key == Qt::Key_A;
    });
    QChar typed;
    connect(m_grid.get(), &grid::Grid::keyPress, this, [&](QChar& ch) { typed = ch; });
    QTest::keyClick(m_grid.get(), Qt::Key_A);
    QVERIFY(!m_grid->isEditing()); // no editor was opened
    QVERIFY(typed.isNull());
    QTest::keyClick(m_grid.get(), Qt::Key_B);
    QCOMPARE(typed, QChar(u'b'));
    QCOMPARE(keys, (QList<int>{Qt::Key_A, Qt::Key_B}));
}

void TestGridWidget::tabWrapsToTheNextRow()
{
    m_grid->setCurrentCell(1, 3);
    QTest::keyClick(m_grid.get(), Qt::Key_Tab);
    QCOMPARE(m_grid->row(), 2);
    QCOMPARE(m_grid->col(), 0);
    QTest::keyClick(m_grid.get(), Qt::Key_Backtab);
    QCOMPARE(m_grid->row(), 1);
    QCOMPARE(m_grid->col(), 3);
    m_grid->setWrapCellPointer(false);
    QTest::keyClick(m_grid.get(), Qt::Key_Tab);
    QCOMPARE(m_grid->row(), 1);
    QCOMPARE(m_grid->col(), 3);
}

void TestGridWidget::headerAndCellButtonClicks()
{
    QList<int> heads;
    QList<int> buttons;
    int closed = 0;
    connect(m_grid.get(), &grid::Grid::headClick, this, [&](int c) { heads.append(c); });
    connect(m_grid.get(), &grid::Grid::buttonClick, this, [&](int c) { buttons.append(c); });
    connect(m_grid.get(), &grid::Grid::lookupClosed, this, [&] { ++closed; });
    QHeaderView* h = m_grid->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(1) + 5, h->height() / 2));
    QCOMPARE(heads, QList<int>{1});
    m_grid->column(0).button = true;
    m_grid->refreshColumns();
    // The button is in every row: click the one of row 3.
    const QRect cell = m_grid->visualRect(m_grid->model()->index(3, 0));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, m_grid->buttonRect(cell).center());
    QCOMPARE(buttons, QList<int>{0});
    QCOMPARE(m_grid->row(), 3);
    QCOMPARE(closed, 1);
    // Elsewhere in the cell it is no button click.
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(3, 3));
    QCOMPARE(buttons.size(), 1);
}

void TestGridWidget::modalDialogInAnEventRunsOnce()
{
    // The handler opens a modal dialog, as a look-up's message box or the
    // pick-list would, while the cell editor still holds the focus.
    int lookups = 0;
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this, [&](int, const Variant&, bool&) {
        ++lookups;
        QDialog dialog(m_grid.get());
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        dialog.exec();
    });
    m_grid->setCurrentCell(1, 1);
    m_grid->setFocus();
    QTest::keyClick(m_grid.get(), Qt::Key_F2);
    QVERIFY(m_grid->isEditing());
    auto* editor = m_grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Nou"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits on a queued call
    QCOMPARE(lookups, 1);
    QCOMPARE(m_grid->cell(1), Variant(QStringLiteral("Nou")));
    // Focus moving elsewhere afterwards commits nothing more.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QApplication::processEvents();
    QCOMPARE(lookups, 1);
}

void TestGridWidget::enterMovesAsSet_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("none") << int(grid::EnterAction::None) << 1 << 1;
    QTest::newRow("right") << int(grid::EnterAction::Right) << 1 << 2;
    QTest::newRow("down") << int(grid::EnterAction::Down) << 2 << 1;
}

void TestGridWidget::enterMovesAsSet()
{
    QFETCH(int, action);
    QFETCH(int, row);
    QFETCH(int, col);
    m_grid->setEnterAction(grid::EnterAction(action));
    m_grid->setCurrentCell(1, 1);
    m_grid->setFocus();
    QTest::keyClick(m_grid.get(), Qt::Key_Return);
    QCOMPARE(m_grid->row(), row);
    QCOMPARE(m_grid->col(), col);
    // The same after an edit confirmed with Enter.
    m_grid->setCurrentCell(1, 1);
    QTest::keyClick(m_grid.get(), Qt::Key_F2);
    auto* editor = m_grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(m_grid->row(), row);
    QCOMPARE(m_grid->col(), col);
    QVERIFY(m_grid->cellValue(1, 1).toText().endsWith(u'x')); // the edit was kept
}

void TestGridWidget::rowColoursFootersAndLockedColumns()
{
    const QColor even = grid::fromVbColor(0xFFFFC0);
    const QColor odd = grid::fromVbColor(0xFFFFFF);
    m_grid->setRowColours(even, odd);
    QAbstractItemModel* m = m_grid->model();
    QCOMPARE(m->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), even);
    QCOMPARE(m->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), odd);
    // Switched off (for a print-out) and on again, the colours are kept.
    m_grid->setAlternatingRows(false);
    QVERIFY(!m->index(0, 0).data(Qt::BackgroundRole).isValid());
    m_grid->setAlternatingRows(true);
    QCOMPARE(m->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), even);
    m_grid->column(2).backColor = QColor(Qt::yellow);
    m_grid->column(2).numberFormat = QStringLiteral("##,##0.00");
    m_grid->column(1).locked = true;
    m_grid->column(3).footerText = QStringLiteral("Total");
    m_grid->refreshColumns();
    m_grid->setFootersVisible(true);
    QCOMPARE(m->index(1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    QCOMPARE(m->index(1, 2).data().toString(), QLocale().toString(10.5, 'f', 2));
    QVERIFY(m->index(1, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    QVERIFY(!(m->flags(m->index(1, 1)) & Qt::ItemIsEditable));
    QVERIFY(!m_grid->editCell(1, QStringLiteral("X")));
    QVERIFY(m_grid->footersVisible());
    m_grid->setAllowUpdate(false);
    QVERIFY(!(m->flags(m->index(1, 0)) & Qt::ItemIsEditable));
}

void TestGridWidget::enterOnTheLastCellWritesTheNewRow()
{
    int written = 0;
    connect(m_grid.get(), &grid::Grid::afterUpdate, this, [&] { ++written; });
    m_grid->setAllowAddNew(true);
    m_grid->setEnterAction(grid::EnterAction::Right);
    m_grid->setCurrentCell(4, 0); // the new-row line
    m_grid->setFocus();
    for (const QString& text :
         {QStringLiteral("C9"), QStringLiteral("D9"), QStringLiteral("1"), QStringLiteral("9")}) {
        QTest::keyClick(m_grid.get(), Qt::Key_F2);
        auto* editor = m_grid->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed editor
    }
    QCOMPARE(written, 1);
    QCOMPARE(m_source->rowCount(), 5);
    QCOMPARE(m_source->value(4, 0), Variant(QStringLiteral("C9")));
    QCOMPARE(m_source->value(4, 3).toInt(), 9);
}

void TestGridWidget::movingAwayFromAnEditorIsNoEnter()
{
    m_grid->setEnterAction(grid::EnterAction::Right);
    m_grid->setCurrentCell(1, 1);
    m_grid->setFocus();
    QTest::keyClick(m_grid.get(), Qt::Key_F2);
    QVERIFY(m_grid->isEditing());
    m_grid->setCurrentCell(2, 0); // the program moves the cell; the editor closes
    QVERIFY(!m_grid->isEditing());
    QCOMPARE(m_grid->row(), 2);
    QCOMPARE(m_grid->col(), 0);
}

void TestGridWidget::listGridIsReadOnly()
{
    grid::ListGrid list;
    list.setDataSource(m_source);
    QVERIFY(!(list.model()->flags(list.model()->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!list.editCell(0, QStringLiteral("X")));
    QCOMPARE(list.model()->rowCount(), 4);
}

// A column drawn as a button bearing the cell's text: a click anywhere on it
// is that column's button click.
void TestGridWidget::textButtonCells()
{
    QList<int> buttons;
    connect(m_grid.get(), &grid::Grid::buttonClick, this, [&](int c) { buttons.append(c); });
    m_grid->column(1).textButton = true;
    m_grid->column(1).bold = true;
    m_grid->refreshColumns();
    QAbstractItemModel* m = m_grid->model();
    QCOMPARE(m->index(2, 1).data().toString(), QStringLiteral("D2"));
    QVERIFY(m->index(2, 1).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!m->index(2, 0).data(Qt::FontRole).isValid());
    const QRect cell = m_grid->visualRect(m->index(2, 1));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(3, 3));
    QCOMPARE(buttons, QList<int>{1});
    QCOMPARE(m_grid->row(), 2);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {},
                      m_grid->visualRect(m->index(3, 0)).topLeft() + QPoint(3, 3));
    QCOMPARE(buttons.size(), 1);
}

// Yes/No fields show as check boxes; ticking one goes through the cell's
// events and is written as -1 or 0 with the row.
void TestGridWidget::yesNoAsCheckBoxes()
{
    grid::MemorySource source({{QStringLiteral("Cod"), 202}, {QStringLiteral("Bifat"), 11}});
    source.appendRow({Variant(QStringLiteral("A")), Variant(true)});
    source.appendRow({Variant(QStringLiteral("B")), Variant(false)});
    m_grid->setDataSource(&source);
    QAbstractItemModel* m = m_grid->model();
    QCOMPARE(m->index(0, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(m->index(1, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(m->index(0, 1).data().toString().isEmpty());
    QVERIFY(m->flags(m->index(1, 1)) & Qt::ItemIsUserCheckable);
    int updates = 0;
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this, [&](int, const Variant&, bool&) { ++updates; });
    m_grid->setCurrentCell(1, 1);
    QStyleOptionViewItem o;
    o.rect = m_grid->visualRect(m->index(1, 1));
    o.features |= QStyleOptionViewItem::HasCheckIndicator;
    o.widget = m_grid.get();
    const QRect box =
        m_grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o, m_grid.get());
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(updates, 1);
    QCOMPARE(m->index(1, 1).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(m_grid->update());
    QCOMPARE(source.value(1, 1).toInt(), -1);
    QVERIFY(m_grid->editCell(1, QStringLiteral("0")));
    QVERIFY(m_grid->update());
    QCOMPARE(source.value(1, 1).toInt(), 0);
    m_grid->setDataSource(m_source);
}

// Bound boxes show the current row's fields, follow the grid, and are
// emptied when there is no row; typing in them writes nothing.
void TestGridWidget::boundBoxesFollowTheRow()
{
    QLineEdit cod;
    QLineEdit nr;
    grid::FieldBinder binder(m_grid.get());
    binder.bind(&cod, QStringLiteral("cod"));
    binder.bind(&nr, QStringLiteral("Nr"));
    QCOMPARE(cod.text(), QStringLiteral("C1"));
    QCOMPARE(nr.text(), QStringLiteral("1"));
    m_grid->setCurrentCell(3, 2);
    QCOMPARE(cod.text(), QStringLiteral("C3"));
    m_source->setPosition(0);
    QCOMPARE(cod.text(), QStringLiteral("C0"));
    cod.setText(QStringLiteral("X"));
    m_grid->setCurrentCell(2, 0);
    QCOMPARE(cod.text(), QStringLiteral("C2"));
    QCOMPARE(m_source->value(0, 0).toText(), QStringLiteral("C0"));
    grid::MemorySource gol({{QStringLiteral("Cod"), 202}, {QStringLiteral("Nr"), 3}});
    m_grid->setDataSource(&gol);
    QCOMPARE(cod.text(), QString());
    QCOMPARE(nr.text(), QString());
    m_grid->setDataSource(m_source);
    QCOMPARE(cod.text(), QStringLiteral("C2"));
}

// The new-row line has no values: the boxes keep the line shown before it.
void TestGridWidget::boundBoxesKeepTheLastLineOnTheNewRow()
{
    QLineEdit cod;
    grid::FieldBinder binder(m_grid.get());
    binder.bind(&cod, QStringLiteral("Cod"));
    m_grid->setAllowAddNew(true);
    m_grid->setCurrentCell(2, 0);
    QCOMPARE(cod.text(), QStringLiteral("C2"));
    m_grid->setCurrentCell(m_grid->dataRowCount(), 1);
    QCOMPARE(cod.text(), QStringLiteral("C2"));
    QVERIFY(m_grid->editCell(1, QStringLiteral("Noua")));
    QCOMPARE(cod.text(), QStringLiteral("C2"));
    m_grid->setCurrentCell(0, 0);
    QCOMPARE(cod.text(), QStringLiteral("C0"));
}

// Typing into a cell and clicking another row: the value typed goes through
// its events on its own row (whose cells the handler reads and writes), and
// that row is written before the other becomes current.
void TestGridWidget::clickingAnotherRowWritesWhatWasTyped()
{
    Variant seen;
    int updates = 0;
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this, [&](int col, const Variant&, bool&) {
        seen = m_grid->cell(col);
        m_grid->setCell(0, Variant(QStringLiteral("X")));
    });
    connect(m_grid.get(), &grid::Grid::beforeUpdate, this, [&](bool&) {
        ++updates;
        m_grid->setCell(3, Variant(7));
    });
    m_grid->setCurrentCell(1, 1);
    m_grid->setFocus();
    QTest::keyClick(m_grid.get(), Qt::Key_F2);
    auto* editor = m_grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Nou"));
    const QRect r = m_grid->visualRect(m_grid->model()->index(3, 1));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(seen, Variant(QStringLiteral("Nou")));
    QCOMPARE(updates, 1);
    QCOMPARE(m_grid->row(), 3);
    QVERIFY(!m_grid->rowDataChanged());
    QCOMPARE(m_source->value(1, 1), Variant(QStringLiteral("Nou")));
    QCOMPARE(m_source->value(1, 0), Variant(QStringLiteral("X")));
    QCOMPARE(m_source->value(1, 3).toInt(), 7);
    QCOMPARE(m_source->value(3, 1), Variant(QStringLiteral("D3")));
}

// A text typed into a number cell that is no number in any form users write
// is refused as it is confirmed, once, naming the column by its caption and
// the forms to use; it stays in its editor to be mended, the cell current
// and the row unchanged, however the user tries to leave it, and a write the
// window asks for says it again; Esc takes it back. A number in the form the
// cell shows is taken.
void TestGridWidget::refusedNumberIsSaidOnceAndKeptToMend_data()
{
    // 0 Enter, 1 Tab, 2 another row clicked, 3 another cell of the row, 4 update(), 5 the down arrow
    QTest::addColumn<int>("leaving");
    QTest::newRow("Enter") << 0;
    QTest::newRow("Tab") << 1;
    QTest::newRow("another row clicked") << 2;
    QTest::newRow("another cell of the row clicked") << 3;
    QTest::newRow("the row written") << 4;
    QTest::newRow("the down arrow") << 5;
}

void TestGridWidget::refusedNumberIsSaidOnceAndKeptToMend()
{
    QFETCH(int, leaving);
    m_grid->gridModel()->setLocale(QLocale(QStringLiteral("ro_RO")));
    m_grid->column(2).caption = QStringLiteral("Valoare [Lei]");
    m_grid->column(2).numberFormat = QStringLiteral("##,##0.00");
    m_grid->refreshColumns();
    m_grid->setTabAcrossCells(true);
    int errors = 0;
    connect(m_grid.get(), &grid::Grid::dataError, this, [&](int n, const QString&, bool&) {
        QCOMPARE(n, 2);
        ++errors;
    });
    const auto type = [&](const QString& text, Qt::Key key) { grid_test::typeIntoCell(m_grid.get(), 1, 2, text, key); };
    const auto leave = [&](int how) {
        auto* editor = qobject_cast<QLineEdit*>(m_grid->indexWidget(m_grid->model()->index(1, 2)));
        QVERIFY(editor);
        switch (how) {
        case 0:
            QTest::keyClick(editor, Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(editor, Qt::Key_Tab);
            break;
        case 2:
        case 3: {
            const QRect r = m_grid->visualRect(m_grid->model()->index(how == 2 ? 3 : 1, how == 2 ? 2 : 0));
            QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, r.center());
            break;
        }
        case 5:
            QTest::keyClick(editor, Qt::Key_Down);
            break;
        default:
            QVERIFY(!m_grid->update());
        }
        QCoreApplication::processEvents();
    };
    type(QStringLiteral("12,3,4"), Qt::Key_unknown);
    leave(leaving);
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m.first().text,
             QStringLiteral("Valoare [Lei] : \"12,3,4\" - scrieti numarul ca 1.234,50 sau 1234,5"));
    QCOMPARE(m.first().icon, ui::Icon::Critical);
    QCOMPARE(errors, 1);
    const auto keptToMend_text = [&](const QString& text) {
        QVERIFY(m_grid->isEditing());
        auto* editor = qobject_cast<QLineEdit*>(m_grid->indexWidget(m_grid->model()->index(1, 2)));
        QVERIFY(editor);
        QCOMPARE(editor->text(), text);
        QCOMPARE(m_grid->row(), 1);
        QCOMPARE(m_grid->col(), 2);
        // Highlighted where it is, not where the user tried to go.
        QCOMPARE(m_grid->selectionModel()->selectedIndexes(), QModelIndexList{m_grid->currentIndex()});
        QVERIFY(!m_grid->rowDataChanged());
        QCOMPARE(m_source->value(1, 2).toDouble(), 10.5);
    };
    const auto keptToMend = [&] { keptToMend_text(QStringLiteral("12,3,4")); };
    keptToMend();
    // Leaving the cell again with the same text, by any other way: nothing
    // more is said. A write the window asks for is refused and says it again.
    for (const int other : {0, 1, 2, 3, 5})
        if (other != leaving)
            leave(other);
    keptToMend();
    QCOMPARE(ui::testing::messages().size(), 1);
    QCOMPARE(errors, 1);
    leave(4);
    keptToMend();
    QCOMPARE(ui::testing::messages().size(), 2);
    QCOMPARE(errors, 2);

    // Esc takes it back: the cell shows its value again, nothing is pending.
    QTest::keyClick(m_grid->indexWidget(m_grid->model()->index(1, 2)), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(!m_grid->isEditing());
    QVERIFY(!m_grid->rowDataChanged());
    QCOMPARE(m_grid->cellText(1, 2), QStringLiteral("10,50"));
    m_grid->setCurrentCell(2, 2);
    QCOMPARE(m_grid->row(), 2);
    QCOMPARE(ui::testing::messages().size(), 2);

    // The focus going to another control that writes nothing: not said,
    // kept; the write it then asks for says it.
    ui::testing::clear();
    type(QStringLiteral("abc"), Qt::Key_unknown);
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    elsewhere.setFocus();
    QCOMPARE(QApplication::focusWidget(), &elsewhere);
    keptToMend_text(QStringLiteral("abc"));
    QCOMPARE(ui::testing::messages().size(), 0);
    QVERIFY(!m_grid->update());
    QCOMPARE(ui::testing::messages().size(), 1);
    QTest::keyClick(m_grid->indexWidget(m_grid->model()->index(1, 2)), Qt::Key_Escape);

    // The form the cell shows, and the plain one.
    type(QStringLiteral("1.234,5"), Qt::Key_Return);
    QCOMPARE(m_grid->cell(2), Variant(1234.5));
    QVERIFY(m_grid->update());
    QCOMPARE(m_source->value(1, 2), Variant(1234.5));
    QCOMPARE(m_grid->cellText(1, 2), QStringLiteral("1.234,50"));
    QCOMPARE(ui::testing::messages().size(), 1);
}

QTEST_MAIN(TestGridWidget)
#include "tst_grid_widget.moc"

// Columns of the windows' widths in twips, with a value that fits them in
// the design font (digits 6 pixels wide): in a wider font, the value still
// fits, beside the cell button where the column has one.
void TestGridWidget::valuesThatFitTheDesignFontFit_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("twips");
    QTest::addColumn<bool>("button");
    QTest::addColumn<QString>("text");
    const QList<std::tuple<int, bool, QString>> columns{
        {1200, true, QStringLiteral("52094300")},       // a CN code
        {600, true, QStringLiteral("GB")},              // a country
        {1400, false, QStringLiteral("1,234,567,890")}, // a value of ten digits
        {1000, false, QStringLiteral("123,456.78")},    // a net mass
    };
    for (int points : {8, 9, 11, 14}) {
        for (const auto& [twips, button, text] : columns)
            QTest::addRow("%dpt %s", points, qPrintable(text)) << points << twips << button << text;
    }
}

void TestGridWidget::valuesThatFitTheDesignFontFit()
{
    QFETCH(int, points);
    QFETCH(int, twips);
    QFETCH(bool, button);
    QFETCH(QString, text);
    const QFont font(QStringLiteral("DejaVu Sans"), points);
    m_grid->setFont(font);
    m_grid->column(0).widthTwips = twips;
    m_grid->column(0).button = button;
    m_grid->refreshColumns();
    const int margins = 2 * (m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int room = m_grid->columnWidth(0) - margins - (button ? m_grid->buttonRect(QRect()).width() : 0);
    QVERIFY2(QFontMetrics(font).horizontalAdvance(text) <= room,
             qPrintable(QStringLiteral("%1 px for %2").arg(room).arg(text)));
    // The layout keeps the twips it was given, whatever the font.
    QCOMPARE(m_grid->layout().columns.at(0).widthTwips, twips);
}

void TestGridWidget::totalsAreNeverCut()
{
    m_grid->column(2).widthTwips = 1000;
    m_grid->column(2).alignment = Qt::AlignRight;
    m_grid->refreshColumns();
    m_grid->setFootersVisible(true);
    m_grid->setFooterStyle(true, QColor(), QColor(), Qt::AlignRight);
    const int before = m_grid->columnWidth(2);
    const QString total = QStringLiteral("5,512,345,678,901");
    m_grid->column(2).footerText = total;
    m_grid->refreshFooters();
    QVERIFY(m_grid->columnWidth(2) > before);
    QVERIFY(m_grid->columnWidth(2) >= m_grid->footerTextWidth(total));
    // The layout of the columns again (as the windows do after a sort)
    // keeps room for the total.
    m_grid->refreshColumns();
    QVERIFY(m_grid->columnWidth(2) >= m_grid->footerTextWidth(total));
    // Narrowed by hand below it, the total shows whole in its tooltip.
    m_grid->setColumnWidth(2, 30);
    QWidget* bar = m_grid->findChild<grid::FooterBar*>();
    QVERIFY(bar);
    const QPoint at(m_grid->horizontalHeader()->sectionViewportPosition(2) + 10, bar->height() / 2);
    QHelpEvent help(QEvent::ToolTip, at, bar->mapToGlobal(at));
    QCoreApplication::sendEvent(bar, &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("Valoare: ") + total);
    QToolTip::hideText();
    // A short total leaves the column as wide as it was made.
    m_grid->column(2).footerText = QStringLiteral("12");
    m_grid->refreshColumns();
    QCOMPARE(m_grid->columnWidth(2), before);
}

// A column told its widest text grows to show it whole, with footers or
// without, bold or with a button, under each display format of the amounts;
// refreshing its layout keeps the room.
void TestGridWidget::widestValueIsNeverCut_data()
{
    QTest::addColumn<bool>("subsoluri");
    QTest::addColumn<bool>("ingrosat");
    QTest::addColumn<bool>("buton");
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("valoare");
    QTest::addColumn<QString>("text");
    const QString doua = QStringLiteral("##,##0.00");
    QTest::newRow("plain") << false << false << false << doua << 98765432.1
                           << QStringLiteral("98,765,432.10");
    QTest::newRow("with footers, whole lei") << true << false << false << QStringLiteral("##,##0")
                                             << 1234567890123.0 << QStringLiteral("1,234,567,890,123");
    QTest::newRow("bold, a rate") << false << true << false << QStringLiteral("##,##0.0000") << 25000.1234
                                  << QStringLiteral("25,000.1234");
    QTest::newRow("with a button") << true << false << true << doua << -98765432.1
                                   << QStringLiteral("-98,765,432.10");
}

void TestGridWidget::widestValueIsNeverCut()
{
    QFETCH(bool, subsoluri);
    QFETCH(bool, ingrosat);
    QFETCH(bool, buton);
    QFETCH(QString, format);
    QFETCH(double, valoare);
    QFETCH(QString, text);
    m_source->writeRow(2, {{2, Variant(valoare)}});
    grid::Column& c = m_grid->column(2);
    c.widthTwips = 1000;
    c.numberFormat = format;
    c.bold = ingrosat;
    c.button = buton;
    m_grid->refreshColumns();
    m_grid->setFootersVisible(subsoluri);
    c.footerText = QStringLiteral("12");
    const int before = m_grid->columnWidth(2);
    const QString widest = m_grid->cellText(2, 2);
    QCOMPARE(widest, text);
    QVERIFY(m_grid->cellTextWidth(2, widest) > before);
    m_grid->column(2).widestText = widest;
    m_grid->refreshFooters();
    QCOMPARE(m_grid->columnWidth(2), m_grid->cellTextWidth(2, widest));
    m_grid->refreshColumns();
    QCOMPARE(m_grid->columnWidth(2), m_grid->cellTextWidth(2, widest));
    // Whole, by every part of a pixel, so no tooltip repeats it.
    QVERIFY(!grid_test::isCut(*m_grid, 2, 2));
    const QPoint at = m_grid->visualRect(m_grid->model()->index(2, 2)).center();
    QHelpEvent help(QEvent::ToolTip, at, m_grid->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(m_grid->viewport(), &help);
    QVERIFY(!QToolTip::isVisible());
    // Without it, the column is as it was made.
    m_grid->column(2).widestText.clear();
    m_grid->refreshColumns();
    QCOMPARE(m_grid->columnWidth(2), before);
}

void TestGridWidget::cutValuesShowWholeInTheirTooltip()
{
    m_source->writeRow(2,
                       {{1, Variant(QStringLiteral("Masini automate de prelucrare a datelor, portabile"))}});
    m_grid->column(1).widthTwips = 1000;
    m_grid->refreshColumns();
    const auto tipAt = [this](int row, int col) {
        const QPoint at = m_grid->visualRect(m_grid->model()->index(row, col)).center();
        QHelpEvent help(QEvent::ToolTip, at, m_grid->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(m_grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(1, 1), QString()); // "D1" fits
    QCOMPARE(tipAt(2, 1), QStringLiteral("Masini automate de prelucrare a datelor, portabile"));
    QToolTip::hideText();
}

// Captions in their design column widths, in a small and a
// large font: each shows whole in its header, wrapped over as many lines as
// it needs (never fewer than the grid's heading lines), its longest word in
// one piece; the layout still keeps the column's twips.
void TestGridWidget::captionsShowWhole_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("lines");
    const QList<std::tuple<QString, int, int>> captions{
        {QStringLiteral("Numar Inreg"), 800, 1},
        {QStringLiteral("Caractere maxime admise"), 1300, 2},
        {QStringLiteral("Nr. Coloana"), 500, 2},
        {QStringLiteral("Valoare Implicita (se va folosi daca nu exista in Excel)"), 2600, 2},
    };
    for (int points : {9, 14}) {
        for (const auto& [caption, twips, lines] : captions)
            QTest::addRow("%dpt %s", points, qPrintable(caption)) << points << caption << twips << lines;
    }
}

void TestGridWidget::captionsShowWhole()
{
    QFETCH(int, points);
    QFETCH(QString, caption);
    QFETCH(int, twips);
    QFETCH(int, lines);
    m_grid->setFont(QFont(QStringLiteral("DejaVu Sans"), points));
    m_grid->setHeadingBold(true);
    m_grid->setHeadingLines(lines);
    m_grid->column(0).caption = caption;
    m_grid->column(0).widthTwips = twips;
    m_grid->refreshColumns();
    QCoreApplication::sendPostedEvents();
    QHeaderView* h = m_grid->horizontalHeader();
    QStyleOptionHeader o;
    o.initFrom(h);
    o.rect = QRect(h->sectionViewportPosition(0), 0, h->sectionSize(0), h->height());
    o.text = caption;
    o.textAlignment = h->defaultAlignment();
    o.orientation = Qt::Horizontal;
    const QRect room = h->style()->subElementRect(QStyle::SE_HeaderLabel, &o, h);
    const QSize needed = h->fontMetrics()
                             .boundingRect(QRect(0, 0, room.width(), 1 << 20), int(o.textAlignment), caption)
                             .size();
    QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
             qPrintable(QStringLiteral("needs %1x%2, has %3x%4")
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(room.width())
                            .arg(room.height())));
    QVERIFY(h->height() >= lines * h->fontMetrics().height());
    QCOMPARE(m_grid->layout().columns.at(0).widthTwips, twips);
}

// A list's rows as high as their wrapped descriptions need; a short one
// keeps the grid's row height.
void TestGridWidget::rowsFitTheirWrappedText()
{
    const QString longText =
        QStringLiteral("Furnizarea de materiale de constructii si echipamente tehnice in cadrul "
                       "unui contract general de constructii sau de inginerie civila");
    m_source->writeRow(2, {{1, Variant(longText)}});
    m_grid->column(1).widthTwips = 2000;
    m_grid->column(1).wrap = true;
    m_grid->refreshColumns();
    const int base = m_grid->verticalHeader()->defaultSectionSize();
    m_grid->fitRowHeights();
    QCOMPARE(m_grid->rowHeight(1), base);
    const QFontMetrics fm(m_grid->font());
    const int margins = 2 * (m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const QRect wrapped =
        fm.boundingRect(QRect(0, 0, m_grid->columnWidth(1) - margins, 1 << 20), Qt::TextWordWrap, longText);
    QVERIFY(wrapped.height() > fm.height());
    QVERIFY(m_grid->rowHeight(2) >= wrapped.height());
    QVERIFY(m_grid->rowHeight(2) > base);
}

// A grid as wide as it asks shows all its columns without scrolling, also
// with its vertical scroll bar out.
void TestGridWidget::widthForColumnsShowsThemAll()
{
    for (int i = 0; i < 40; ++i)
        m_source->appendRow({Variant(QStringLiteral("R%1").arg(i)), Variant(), Variant(), Variant()});
    for (int c = 0; c < 4; ++c)
        m_grid->column(c).widthTwips = 2500;
    m_grid->refreshColumns();
    m_grid->resize(m_grid->widthForColumns(), 200);
    QCoreApplication::sendPostedEvents();
    QVERIFY(m_grid->verticalScrollBar()->isVisible());
    QCOMPARE(m_grid->horizontalScrollBar()->maximum(), 0);
    QVERIFY(m_grid->horizontalHeader()->length() <= m_grid->viewport()->width());
}
