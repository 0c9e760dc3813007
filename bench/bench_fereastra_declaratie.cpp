// The declaration on a large company: one declaration of 100,000 lines (32
// columns) opened as the declaration window opens it, to its first painted
// rows; the totals of its footers; the bulk update of all its lines; one
// line written from the grid with the totals after it; and the chooser's two
// lists over 200,000 lines in 24 periods. The company databases are copies of the template of
// the build's program folder, filled by the tests' builder of lines.

#include "common/Globale.h"
#include "declaration/Ferestre_Declaratie.h"
#include "declaration/Fixture_Declaratii.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Linii_Intrastat.h"
#include "declaration/Modificari_Intrastat.h"
#include "declaration/Selectie_Intrastat.h"
#include "platform/grid/grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kFiltru = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;

// A company database of the template, filled once per process.
struct Firma
{
    QTemporaryDir dir;
    db::Connection cn;
    bool ok = false;

    template <class Umple> explicit Firma(Umple umple)
    {
        const QString cale = dir.filePath(u"firma.mdb"_s);
        if (!Creeaza_Firma_Din_Sablon(QStringLiteral(QUORVEL_TEMPLATE_DB), cale) || cn.open(cale))
            return;
        if (const db::Error e = umple(cn)) {
            std::fprintf(stderr, "%s\n", qPrintable(e.text()));
            return;
        }
        ok = true;
    }
};

Firma& declaratieMare()
{
    static Firma f([](db::Connection& cn) {
        if (db::Error e = Genereaza_Declaratie(cn, u"O"_s, u"RO123"_s, 2015, 3, 100000, 4))
            return e;
        // Another period of the same size around it, as a company has.
        return Genereaza_Declaratie(cn, u"O"_s, u"RO123"_s, 2015, 4, 100000, 4);
    });
    return f;
}

Firma& perioade()
{
    static Firma f([](db::Connection& cn) { return Genereaza_Perioade(cn, u"RO123"_s, 200000, 24); });
    return f;
}

// The record set opened and bound to a grid, the grid drawn once.
void BM_DeschideDeclaratia(benchmark::State& state)
{
    Firma& f = declaratieMare();
    if (!f.ok) {
        state.SkipWithError("no company database");
        return;
    }
    QPixmap ecran(1600, 700);
    for (auto _ : state) {
        db::Result<db::Recordset> rs = Deschide_Linii(f.cn, Sursa_Grila(SQL_Grila_Intrastat, kFiltru));
        if (!rs || rs->recordCount() != 100000) {
            state.SkipWithError("the lines could not be read");
            return;
        }
        auto g = std::make_unique<grid::Grid>();
        g->resize(ecran.size());
        g->bind(*rs);
        for (int c = 0; c < g->columnCount(); ++c)
            g->column(c).numberFormat = c >= 10 && c <= 12 ? u"##,##0"_s : QString();
        g->refreshColumns();
        g->render(&ecran);
        // Closing is not opening.
        state.PauseTiming();
        g.reset();
        rs = db::Error();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeschideDeclaratia)->Unit(benchmark::kMillisecond)->MinTime(2);

// What the declaration window reads, on the large company: the two
// connections, the working company, a system folder without Default/ nor
// Layout/ (nothing is kept). Undone, with the window closed, at the end.
class Mediu_Fereastra
{
public:
    explicit Mediu_Fereastra(benchmark::State& state)
    {
        Firma& f = declaratieMare();
        m_ok = f.ok && !Conexiune_Comun.open(QStringLiteral(QUORVEL_COMMON_DB));
        if (!m_ok) {
            state.SkipWithError("no databases");
            return;
        }
        Conexiune_Firma = f.cn;
        Folder_Sistem = m_sistem.path() + u"/"_s;
        FirmaCurenta_CodFiscal = u"RO123"_s;
        ui::testing::setEnabled(true);
        Inregistreaza_Ferestre_Declaratie();
    }
    ~Mediu_Fereastra()
    {
        inchide();
        Conexiune_Firma = db::Connection();
        Conexiune_Comun.close();
    }
    Mediu_Fereastra(const Mediu_Fereastra&) = delete;
    Mediu_Fereastra& operator=(const Mediu_Fereastra&) = delete;

    bool ok() const { return m_ok; }
    // Loads the window on the declaration as the chooser does; nothing
    // (and the benchmark skipped) when it does not show all the lines.
    static Frm_INTRASTAT* deschide(benchmark::State& state)
    {
        Filtru_Intrastat = kFiltru;
        auto* w = ui::Forms::load<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        if (w && w->Linii().recordCount() == 100000)
            return w;
        state.SkipWithError("the window did not open on the lines");
        return nullptr;
    }
    static void inchide()
    {
        ui::Forms::unload(u"Frm_INTRASTAT"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    QTemporaryDir m_sistem;
    bool m_ok = false;
};

// The whole window as the chooser opens it: load (record set, grid, look,
// lists, totals), shown, drawn once.
void BM_FereastraDeclaratiei(benchmark::State& state)
{
    Mediu_Fereastra mediu(state);
    if (!mediu.ok())
        return;
    QPixmap ecran(1600, 900);
    for (auto _ : state) {
        Frm_INTRASTAT* w = Mediu_Fereastra::deschide(state);
        if (!w)
            return;
        w->setWindowTitle(Titlu_Intrastat(u"2015"_s, u"3"_s));
        ui::Forms::show(u"Frm_INTRASTAT"_s);
        w->render(&ecran);
        state.PauseTiming();
        Mediu_Fereastra::inchide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FereastraDeclaratiei)->Unit(benchmark::kMillisecond)->MinTime(2);

// The record set alone.
void BM_CitesteLiniile(benchmark::State& state)
{
    Firma& f = declaratieMare();
    if (!f.ok) {
        state.SkipWithError("no company database");
        return;
    }
    for (auto _ : state) {
        db::Result<db::Recordset> rs = Deschide_Linii(f.cn, Sursa_Grila(SQL_Grila_Intrastat, kFiltru));
        benchmark::DoNotOptimize(rs->recordCount());
        state.PauseTiming();
        rs = db::Error();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CitesteLiniile)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_Totaluri(benchmark::State& state)
{
    Firma& f = declaratieMare();
    if (!f.ok) {
        state.SkipWithError("no company database");
        return;
    }
    for (auto _ : state) {
        db::Result<Totaluri_Intrastat> t = Calculeaza_Totaluri_Linii(f.cn, kFiltru);
        benchmark::DoNotOptimize(t->valFiscala);
    }
}
BENCHMARK(BM_Totaluri)->Unit(benchmark::kMillisecond);

// One UPDATE over the 100,000 lines of the declaration, in one transaction,
// as "Aplica Modificari" runs it (without the grid's reload after it).
void BM_ActualizareInBloc(benchmark::State& state)
{
    Firma& f = declaratieMare();
    if (!f.ok) {
        state.SkipWithError("no company database");
        return;
    }
    const QString clauza = Clauza_Linii_Declaratie(kFiltru, kFiltru);
    const QString conditie = state.range(0) ? u" AND [Net] > 0"_s : QString();
    int i = 0;
    for (auto _ : state) {
        const db::Result<QString> sql =
            Comanda_Actualizare(u"Incoterms"_s, u"T"_s, i++ % 2 ? u"EXW"_s : u"DAP"_s, 3, clauza, conditie);
        const db::Result<qint64> n = Actualizeaza_Linii(f.cn, *sql);
        if (!n || *n != 100000) {
            state.SkipWithError("the lines were not all changed");
            return;
        }
    }
}
BENCHMARK(BM_ActualizareInBloc)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The window open on the 100,000 lines: one line edited in the grid and
// written (its defaults and required columns, the write, the totals of the
// footers), as the user leaves the line; the grid is not read again.
void BM_ScrieLiniaSiTotaluri(benchmark::State& state)
{
    Mediu_Fereastra mediu(state);
    Frm_INTRASTAT* w = mediu.ok() ? Mediu_Fereastra::deschide(state) : nullptr;
    if (!w)
        return;
    grid::Grid* g = w->GridIntrastat;
    const int descriere = g->columnForField(u"Descriere"_s);
    int i = 0;
    for (auto _ : state) {
        g->setCurrentCell((i * 7919) % 100000, descriere);
        if (!g->editCell(descriere, u"Marfa "_s + QString::number(i++)) || !g->update()) {
            state.SkipWithError("the line was not written");
            return;
        }
    }
    if (!ui::testing::messages().isEmpty())
        state.SkipWithError(qPrintable(ui::testing::messages().first().text));
}
BENCHMARK(BM_ScrieLiniaSiTotaluri)->Unit(benchmark::kMillisecond);

// The chooser's period combo and its file list, as its load reads them.
void BM_ListeleSelectiei(benchmark::State& state)
{
    Firma& f = perioade();
    if (!f.ok) {
        state.SkipWithError("no company database");
        return;
    }
    for (auto _ : state) {
        db::Result<QStringList> p = Perioade_Intrastat(f.cn);
        db::Result<db::Recordset> lista =
            f.cn.openRecordset(SQL_Fisiere_Intrastat, db::CursorType::Static, db::LockType::ReadOnly);
        if (!p || p->size() != 24 || !lista) {
            state.SkipWithError("the lists could not be read");
            return;
        }
        benchmark::DoNotOptimize(lista->recordCount());
    }
}
BENCHMARK(BM_ListeleSelectiei)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
