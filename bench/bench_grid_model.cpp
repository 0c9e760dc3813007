// The grid over 100,000 rows of 32 columns: binding, scrolling a screen
// at a time through the whole set (the model formats only what is shown),
// and the widest texts of the amount columns of a record set of that size.
#include "platform/grid/format.h"
#include "platform/grid/grid.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 32;

// Every third column a number, the others texts.
int typeOf(int column)
{
    return column % 3 == 0 ? db::Type::Double : db::Type::VarWChar;
}

db::Variant valueOf(int row, int column)
{
    return column % 3 == 0 ? db::Variant(row * 1.25 + column) : db::Variant(QStringLiteral("T%1").arg(row));
}

grid::MemorySource& rows()
{
    static grid::MemorySource* s = [] {
        QList<grid::MemorySource::Field> fields;
        for (int c = 0; c < kColumns; ++c)
            fields.append({QStringLiteral("F%1").arg(c), typeOf(c)});
        auto* src = new grid::MemorySource(fields);
        for (int r = 0; r < kRows; ++r) {
            QList<db::Variant> row;
            row.reserve(kColumns);
            for (int c = 0; c < kColumns; ++c)
                row.append(valueOf(r, c));
            src->appendRow(std::move(row));
        }
        return src;
    }();
    return *s;
}

void BM_GridBind(benchmark::State& state)
{
    grid::MemorySource& src = rows();
    for (auto _ : state) {
        grid::Grid g;
        g.setDataSource(&src);
        benchmark::DoNotOptimize(g.gridModel()->rowCount());
    }
}
BENCHMARK(BM_GridBind)->Unit(benchmark::kMillisecond);

void BM_ModelScreenFormatting(benchmark::State& state)
{
    grid::GridModel model;
    model.setSource(&rows());
    for (int c = 0; c < kColumns; c += 3)
        model.column(c).numberFormat = QStringLiteral("##,##0.00");
    model.refreshColumns();
    int top = 0;
    for (auto _ : state) {
        // One screen: 30 rows of every column.
        for (int r = top; r < top + 30; ++r)
            for (int c = 0; c < kColumns; ++c)
                benchmark::DoNotOptimize(model.data(model.index(r, c)));
        top = (top + 30) % (kRows - 30);
    }
}
BENCHMARK(BM_ModelScreenFormatting)->Unit(benchmark::kMicrosecond);

void BM_GridScrollPage(benchmark::State& state)
{
    grid::Grid g;
    g.setDataSource(&rows());
    g.resize(1200, 700);
    g.show();
    QPixmap screen(g.size());
    QScrollBar* bar = g.verticalScrollBar();
    int value = 0;
    for (auto _ : state) {
        // A page down and the grid drawn as the screen shows it.
        value = (value + bar->pageStep()) % bar->maximum();
        bar->setValue(value);
        g.render(&screen);
    }
}
BENCHMARK(BM_GridScrollPage)->Unit(benchmark::kMillisecond);

// The same rows as a record set.
db::Recordset& recordset()
{
    static db::Recordset* rs = [] {
        auto* r = new db::Recordset(db::Recordset::createInMemory());
        for (int c = 0; c < kColumns; ++c)
            (void)r->appendField(QStringLiteral("F%1").arg(c), typeOf(c));
        (void)r->open();
        for (int row = 0; row < kRows; ++row) {
            (void)r->addNew();
            for (int c = 0; c < kColumns; ++c)
                (void)r->setValue(c, valueOf(row, c));
            (void)r->update();
        }
        return r;
    }();
    return *rs;
}

// The widest texts of seven number fields (as many as the declaration grid's
// amount columns), in one pass over the rows, as a window does each time it
// reads its lines.
void BM_WidestNumberTexts(benchmark::State& state)
{
    db::Recordset& rs = recordset();
    QList<grid::NumberFormat> formats(kColumns);
    for (int c : {9, 12, 15, 18, 21, 24, 27})
        formats[c] = grid::NumberFormat::parse(QStringLiteral("##,##0.00"));
    for (auto _ : state)
        benchmark::DoNotOptimize(grid::widestNumberTexts(rs, formats));
}
BENCHMARK(BM_WidestNumberTexts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
