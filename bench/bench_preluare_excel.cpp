// The Excel import end to end: a generated .xlsx of 100,000 rows whose 25
// columns feed a template of 22 columns (every column a template can feed),
// imported into the demonstration company of a copy of the seeded program
// folder, with the shipped tariff of the period (CN2026.mdb, the whole CN8
// nomenclature).
//
// Each iteration also times the two floors on the same data: loading the
// workbook alone, and a bare prepared INSERT of the same rows in one
// transaction. Counters: load_ms, insert_ms, import_ms and ratio, the
// import's time over the sum of the floors.

#include "bench/tarif_cn.h"
#include "common/Globale.h"
#include "import/Preluare_Excel.h"
#include "import/Preluare_Fisiere.h"
#include "platform/excel/reader.h"
#include "platform/ui/mesaj.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

namespace {

constexpr int kRows = 100000;
constexpr int kSheetColumns = 25;

const QStringList kColumns{QStringLiteral("Cod_NC"),
                           QStringLiteral("Descriere_NC"),
                           QStringLiteral("Tara_Orig"),
                           QStringLiteral("Tara_Exp"),
                           QStringLiteral("Tara_Dest"),
                           QStringLiteral("Val_Fiscala"),
                           QStringLiteral("Val_Stat"),
                           QStringLiteral("Net"),
                           QStringLiteral("Cod_UMS"),
                           QStringLiteral("Val_UMS"),
                           QStringLiteral("Nat_Tranz"),
                           QStringLiteral("Incoterms"),
                           QStringLiteral("Mod_Transp"),
                           QStringLiteral("Document_Numar_Referinta"),
                           QStringLiteral("Document_Data_Referinta"),
                           QStringLiteral("Descriere"),
                           QStringLiteral("Cantitate"),
                           QStringLiteral("UM"),
                           QStringLiteral("Valoare_Valuta"),
                           QStringLiteral("Moneda"),
                           QStringLiteral("Curs_Schimb"),
                           QStringLiteral("VAT_ID")};

struct Setup
{
    QTemporaryDir dir;
    QString workbook;
    QStringList codes;
    QString error;

    Setup()
    {
        // As the program's main() does.
        if (qEnvironmentVariableIsEmpty("TZ"))
            qputenv("TZ", ":/etc/localtime");
        const QString seed = QStringLiteral(QUORVEL_APP_DIR);
        QDirIterator it(seed, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = dir.path() + from.mid(seed.size());
            if (it.fileInfo().isDir())
                QDir().mkpath(to);
            else
                QFile::copy(from, to);
        }
        Folder_BazaDate = dir.path() + QStringLiteral("/System/DataBase/");
        if (Conexiune_Comun.open(Folder_BazaDate + QStringLiteral("Comun.mdb")) ||
            Conexiune_Firma.open(Folder_BazaDate + QStringLiteral("RO0000001.mdb"))) {
            error = QStringLiteral("the seeded program folder cannot be opened");
            return;
        }
        FirmaCurenta_CodFiscal = QStringLiteral("RO0000001");
        Utilizator_Windows = QStringLiteral("bench");
        ui::testing::setEnabled(true);
        if (!fullTariff())
            return;
        makeTemplate();
        workbook = dir.filePath(QStringLiteral("luna.xlsx"));
        writeWorkbook();
    }

    // The codes of the period's tariff, every CN8 code.
    bool fullTariff()
    {
        const bench::Tarif_CN tariff = bench::Citeste_Tarif_CN();
        if (!tariff.eroare.isEmpty()) {
            error = tariff.eroare;
            return false;
        }
        for (const bench::Cod_CN& c : tariff.coduri)
            codes << c.cod;
        return true;
    }

    void makeTemplate()
    {
        Conexiune_Firma.execute(QStringLiteral(
            "INSERT INTO StructuraFisiereAntet (Nume_structura, TIP) VALUES ('Bench', 'LIVRARE')"));
        for (int c = 0; c < kColumns.size(); ++c)
            Conexiune_Firma.execute(
                QStringLiteral("INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnName, "
                               "Exista_Coloana, Numar_Coloana, Sort_Order) VALUES ('Bench', ?, -1, ?, ?)"),
                {db::Variant(kColumns.at(c)), db::Variant(c + 1), db::Variant(c + 1)});
    }

    void writeWorkbook()
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        const QByteArray file = QFile::encodeName(workbook);
        lxw_workbook* wb = workbook_new_opt(file.constData(), &options);
        lxw_format* date = workbook_add_format(wb);
        format_set_num_format(date, "dd/mm/yyyy");
        lxw_worksheet* s = workbook_add_worksheet(wb, "Sheet1");
        for (int c = 0; c < kSheetColumns; ++c)
            worksheet_write_string(s, 0, lxw_col_t(c),
                                   (c < kColumns.size() ? kColumns.at(c) : QStringLiteral("Extra %1").arg(c))
                                       .toUtf8()
                                       .constData(),
                                   nullptr);
        const char* countries[] = {"de", "FR", "it", "HU", "bg", "AT", "PL", "NL"};
        for (int r = 1; r <= kRows; ++r) {
            const lxw_row_t row = lxw_row_t(r);
            const QByteArray code = codes.at((r * 37) % codes.size()).toUtf8();
            const QByteArray doc = QByteArray("FCT-") + QByteArray::number(r);
            const QByteArray vat = QByteArray("DE") + QByteArray::number(100000000 + r % 5000);
            auto text = [&](int c, const char* v) {
                worksheet_write_string(s, row, lxw_col_t(c), v, nullptr);
            };
            auto number = [&](int c, double v) { worksheet_write_number(s, row, lxw_col_t(c), v, nullptr); };
            text(0, code.constData());
            text(1, "");
            text(2, countries[r % 8]);
            text(3, countries[(r + 3) % 8]);
            text(4, countries[(r + 5) % 8]);
            number(5, r * 1.5 + 0.5);
            number(6, r * 1.5 + 10.5);
            number(7, (r % 977) + 0.49);
            text(8, "");
            number(9, 0);
            text(10, "11");
            text(11, "exw");
            text(12, "3");
            text(13, doc.constData());
            lxw_datetime d{2026, 3, 1 + r % 28, 0, 0, 0};
            worksheet_write_datetime(s, row, 14, &d, date);
            text(15, "Marfa");
            number(16, (r % 50) + 0.5);
            text(17, "buc");
            number(18, r * 0.123456);
            text(19, "EUR");
            number(20, 4.97654321);
            text(21, vat.constData());
            for (int c = kColumns.size(); c < kSheetColumns; ++c)
                number(c, r);
        }
        workbook_close(wb);
    }

    static Setup& get()
    {
        static Setup s;
        return s;
    }
};

class Quiet : public Observator_Preluare
{
public:
    void adauga(const QString&) override {}
    void inceputCopiere() override {}
    void progres(const Progres_Preluare&) override {}
};

// The same rows through one prepared INSERT in one transaction.
double bareInsertMs(const db::Recordset& rows)
{
    Conexiune_Firma.execute(QStringLiteral("DELETE FROM Intrastat"));
    QStringList names, marks;
    for (int c = 0; c < rows.fieldCount(); ++c) {
        names << rows.field(c).name;
        marks << QStringLiteral("?%1").arg(c + 1);
    }
    const int n = rows.fieldCount();
    names << QStringLiteral("TIP") << QStringLiteral("Cod_Fiscal") << QStringLiteral("Anul")
          << QStringLiteral("Luna");
    marks << QStringLiteral("'O'") << QStringLiteral("'RO0000001'") << QStringLiteral("2026")
          << QStringLiteral("3");
    QElapsedTimer t;
    t.start();
    db::Transaction tx(Conexiune_Firma);
    auto insert = db::Statement::prepare(
        Conexiune_Firma,
        QStringLiteral("INSERT INTO Intrastat (%1) VALUES (%2)").arg(names.join(u','), marks.join(u',')));
    for (int r = 0; r < rows.rowCount(); ++r) {
        insert->reset();
        for (int c = 0; c < n; ++c)
            insert->bind(c + 1, rows.valueAt(r, c));
        insert->step();
    }
    tx.commit();
    return t.nsecsElapsed() / 1e6;
}

void BM_ImportEndToEnd(benchmark::State& state)
{
    Setup& s = Setup::get();
    if (!s.error.isEmpty()) {
        state.SkipWithError(s.error.toUtf8().constData());
        return;
    }
    const Intrari_Preluare in{QStringLiteral("2026"),
                              QStringLiteral("3"),
                              s.workbook,
                              QStringLiteral("Sheet1"),
                              QStringLiteral("RO0000001"),
                              QStringLiteral("Bench"),
                              QStringLiteral("O - Pentru livrari (IESIRI)")};
    double load = 0, insert = 0, import = 0;
    for (auto _ : state) {
        // Floor 1: the workbook loaded as tables.
        QElapsedTimer t;
        t.start();
        db::Connection workbook;
        if (excel::openWorkbook(Conexiune_Excel_Import(s.workbook), workbook)) {
            state.SkipWithError("the workbook was not loaded");
            return;
        }
        load = t.nsecsElapsed() / 1e6;
        workbook.close();
        // Floor 2: a bare INSERT of the rows the template reads.
        auto rows =
            Selecteaza_Excel_Dupa_Macheta(s.workbook, QStringLiteral("Sheet1"), QStringLiteral("Bench"));
        if (!rows || rows->recordCount() != kRows) {
            state.SkipWithError("the sheet was not read through the template");
            return;
        }
        insert = bareInsertMs(*rows);
        rows->close();
        Conexiune_Firma.execute(QStringLiteral("DELETE FROM Intrastat"));
        Conexiune_CN.close();

        // The import.
        Quiet quiet;
        t.start();
        const Rezultat_Preluare r = Preia_Fisier_Excel(in, quiet);
        import = t.nsecsElapsed() / 1e6;
        if (r.salvate != kRows) {
            state.SkipWithError("not every row was imported");
            return;
        }
        state.SetIterationTime(import / 1000.0);
        Conexiune_Firma.execute(QStringLiteral("DELETE FROM Intrastat"));
    }
    state.counters["rows"] = kRows;
    state.counters["tariff_codes"] = s.codes.size();
    state.counters["load_ms"] = load;
    state.counters["insert_ms"] = insert;
    state.counters["import_ms"] = import;
    state.counters["ratio"] = import / (load + insert);
}
BENCHMARK(BM_ImportEndToEnd)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
