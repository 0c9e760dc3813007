// Reading a workbook of 100,000 rows x 25 columns (texts, whole and other
// numbers, dates, as an import workbook has them): the sheets alone, and
// the sheets loaded as tables.
#include "platform/excel/reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 25;

const QString& workbookPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("import.xlsx"));
        const QByteArray file = QFile::encodeName(p);
        lxw_workbook* wb = workbook_new(file.constData());
        lxw_format* date = workbook_add_format(wb);
        format_set_num_format(date, "dd/mm/yyyy");
        lxw_worksheet* s = workbook_add_worksheet(wb, "Sheet1");
        for (int c = 0; c < kColumns; ++c)
            worksheet_write_string(s, 0, lxw_col_t(c),
                                   QStringLiteral("Coloana %1").arg(c + 1).toUtf8().constData(), nullptr);
        const char* countries[] = {"DE", "FR", "IT", "HU", "BG", "AT", "PL", "NL"};
        for (int r = 1; r <= kRows; ++r) {
            const lxw_row_t row = lxw_row_t(r);
            for (int c = 0; c < kColumns; ++c) {
                const lxw_col_t col = lxw_col_t(c);
                switch (c % 5) {
                case 0:
                    worksheet_write_string(
                        s, row, col, QStringLiteral("8471 %1.00").arg(r % 977).toUtf8().constData(), nullptr);
                    break;
                case 1:
                    worksheet_write_string(s, row, col, countries[(r + c) % 8], nullptr);
                    break;
                case 2:
                    worksheet_write_number(s, row, col, r * 1.25 + c, nullptr);
                    break;
                case 3:
                    worksheet_write_number(s, row, col, (r * 7 + c) % 100000, nullptr);
                    break;
                default: {
                    lxw_datetime d{2026, 1 + (r % 12), 1 + (r % 28), 0, 0, 0};
                    worksheet_write_datetime(s, row, col, &d, date);
                    break;
                }
                }
            }
        }
        workbook_close(wb);
        return p;
    }();
    return path;
}

void BM_ReadWorkbook(benchmark::State& state)
{
    const QString& path = workbookPath();
    for (auto _ : state) {
        db::Result<excel::Workbook> book = excel::readWorkbook(path);
        if (!book || book->sheets.at(0).rowCount() != kRows)
            state.SkipWithError("the workbook was not read");
        benchmark::DoNotOptimize(book);
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_ReadWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenWorkbookAsTables(benchmark::State& state)
{
    const QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + workbookPath() +
                         QStringLiteral(";Extended Properties=\"Excel 8.0; IMEX=1;\"");
    for (auto _ : state) {
        db::Connection cn;
        if (excel::openWorkbook(text, cn))
            state.SkipWithError("the workbook was not opened");
        benchmark::DoNotOptimize(cn);
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_OpenWorkbookAsTables)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
