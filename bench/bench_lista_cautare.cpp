// The pick-list and the list tools over a whole tariff: opening the list of
// every CN8 code, the tariff browser on the codes in force, the type-ahead
// search, the column search and the print-out of the list; and the
// type-ahead over 100,000 rows.
//
// The tariff is a copy of the shipped CN2026.mdb, the whole CN8 nomenclature.

#include "bench/tarif_cn.h"
#include "codelists/Cautare_Coloana.h"
#include "codelists/Ferestre_Liste.h"
#include "codelists/Frm_CautareTabele.h"
#include "codelists/Frm_HS.h"
#include "common/Globale.h"
#include "platform/grid/grid.h"
#include "platform/grid/print.h"
#include "platform/grid/type_ahead.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// The tariff database, copied once, and Conexiune_CN open on it.
struct Tarif
{
    QTemporaryDir dir;
    int randuri = 0;
    QString eroare;
    Tarif()
    {
        const bench::Tarif_CN tarif = bench::Copiaza_Tarif_CN(dir.filePath(u"CN.mdb"_s));
        if (!tarif.eroare.isEmpty()) {
            eroare = tarif.eroare;
            return;
        }
        if (const db::Error e = Conexiune_CN.open(tarif.cale))
            eroare = u"cannot open the tariff: "_s + e.text();
        else
            randuri = static_cast<int>(tarif.coduri.size());
    }
    static Tarif& get()
    {
        static Tarif t;
        return t;
    }
    // False, with the benchmark failed, when there is no tariff to work on.
    static bool gata(benchmark::State& state)
    {
        if (get().eroare.isEmpty())
            return true;
        state.SkipWithError(qPrintable(get().eroare));
        return false;
    }
};

void cerereTarif()
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    c.Cautare_SQL = u"SELECT * FROM HS8"_s;
    c.Cautare_PeTarif = true;
    c.Cautare_ValoareTastata = u"9701"_s;
}

void BM_PickListOpensTheTariff(benchmark::State& state)
{
    if (!Tarif::gata(state))
        return;
    Inregistreaza_Ferestre_Cautare();
    cerereTarif();
    for (auto _ : state) {
        auto* l = ui::Forms::load<Frm_CautareTabele>(u"Frm_CautareTabele"_s);
        benchmark::DoNotOptimize(l->Lista().rowCount());
        ui::Forms::unloadAllForTests();
    }
    state.counters["rows"] = Tarif::get().randuri;
}
BENCHMARK(BM_PickListOpensTheTariff)->Unit(benchmark::kMillisecond);

// The tariff browser at level 8, as the menu opens it: every code in force
// with its columns shaped, and closed again.
void BM_BrowserOpensTheCodesInForce(benchmark::State& state)
{
    if (!Tarif::gata(state))
        return;
    Inregistreaza_Ferestre_Liste();
    for (auto _ : state) {
        Deschide_Nivel_Tarif(8, Definitie_Nivel_Tarif(8)->sql);
        auto* f = ui::Forms::get<Frm_HS>(u"Frm_HS"_s);
        benchmark::DoNotOptimize(f->Nivel().rowCount());
        ui::Forms::unload(f);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["rows"] = Tarif::get().randuri;
}
BENCHMARK(BM_BrowserOpensTheCodesInForce)->Unit(benchmark::kMillisecond);

// Two keys that find codes near the end of the list, then a key that misses.
void BM_TypeAheadOnTheTariff(benchmark::State& state)
{
    if (!Tarif::gata(state))
        return;
    auto rs = Conexiune_CN.openRecordset(u"SELECT * FROM HS8"_s);
    if (!rs) {
        state.SkipWithError(qPrintable(rs.error().text()));
        return;
    }
    grid::ListGrid g;
    g.bind(*rs);
    for (auto _ : state) {
        QString prefix;
        for (const QChar ch : u"97x"_s)
            benchmark::DoNotOptimize(grid::typeAhead(g, prefix, ch));
    }
}
BENCHMARK(BM_TypeAheadOnTheTariff)->Unit(benchmark::kMillisecond);

void BM_TypeAheadMissOn100000Rows(benchmark::State& state)
{
    db::Recordset rs = db::Recordset::createInMemory();
    rs.appendField(u"Cod"_s, db::Type::VarWChar, 20);
    rs.open();
    for (int i = 0; i < 100000; ++i) {
        rs.addNew();
        rs.setValue(0, db::Variant(u"C%1"_s.arg(i, 6, 10, QChar(u'0'))));
        rs.update();
    }
    grid::ListGrid g;
    g.bind(rs);
    for (auto _ : state) {
        QString prefix;
        benchmark::DoNotOptimize(grid::typeAhead(g, prefix, u'X'));
    }
}
BENCHMARK(BM_TypeAheadMissOn100000Rows)->Unit(benchmark::kMillisecond);

void BM_ColumnSearchContains(benchmark::State& state)
{
    if (!Tarif::gata(state))
        return;
    Filtrare_SQL = u"SELECT * FROM HS8"_s;
    Filtrare_Coloana = u"[DESCRIERE]"_s;
    Filtrare_PeComun = true;
    Filtrare_CursorType = 3;
    Filtrare_LockType = 3;
    Parametri_Cautare_Tabele.Cautare_PeTarif = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(Cauta_In_Coloana(u"horse"_s, Mod_Cautare::Contine));
}
BENCHMARK(BM_ColumnSearchContains)->Unit(benchmark::kMillisecond);

void BM_PrintTheTariffList(benchmark::State& state)
{
    if (!Tarif::gata(state))
        return;
    auto rs = Conexiune_CN.openRecordset(u"SELECT * FROM HS8"_s);
    if (!rs) {
        state.SkipWithError(qPrintable(rs.error().text()));
        return;
    }
    grid::Grid g;
    g.bind(*rs);
    g.column(1).widthTwips = 6500;
    g.refreshColumns();
    grid::PrintSettings s;
    s.pageHeader = u"Quorvel  REPORT - LISTA"_s;
    s.pageFooter = u"Pagina : \\p din \\P"_s;
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(u"lista.pdf"_s));
        printer.setPageLayout(grid::pageLayout(s));
        pages = grid::printGrid(g, s, printer);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintTheTariffList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::testing::setEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Reseteaza_Globale_Tarif();
    return 0;
}
