// The tariff code look-up over the shipped tariff (a copy of CN2026.mdb):
// once per imported row and per verified line, so it must stay cheap warm
// (the statement reused).
#include "bench/tarif_cn.h"
#include "codelists/Cautare_Tarif.h"
#include "common/Globale.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Tariff
{
    QTemporaryDir dir;
    QString path;
    QList<bench::Cod_CN> codes;
    bool ok = false;

    Tariff()
    {
        path = dir.filePath(QStringLiteral("CN.mdb"));
        bench::Tarif_CN t = bench::Copiaza_Tarif_CN(path);
        if (!t.eroare.isEmpty())
            qWarning("%s", qPrintable(t.eroare));
        codes = t.coduri;
        ok = t.eroare.isEmpty();
    }
};

Tariff& tariff()
{
    static Tariff t;
    return t;
}

void BM_CautaCodTarifWarm(benchmark::State& state)
{
    if (!tariff().ok || (!Conexiune_CN.isOpen() && Conexiune_CN.open(tariff().path))) {
        state.SkipWithError("tariff not built");
        return;
    }
    QList<QString> codes;
    for (int i = 0; i < 1000; ++i)
        codes.append(tariff().codes.at(i * 9).cod);
    Cauta_Cod_Tarif(codes[0]); // prepares the statement
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Cauta_Cod_Tarif(codes[i]));
        i = (i + 1) % codes.size();
    }
}
BENCHMARK(BM_CautaCodTarifWarm)->Unit(benchmark::kMicrosecond);

void BM_CautaCodTarifUnknown(benchmark::State& state)
{
    if (!tariff().ok || (!Conexiune_CN.isOpen() && Conexiune_CN.open(tariff().path))) {
        state.SkipWithError("tariff not built");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(Cauta_Cod_Tarif(QStringLiteral("99999999")));
}
BENCHMARK(BM_CautaCodTarifUnknown)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Elibereaza_Cautare_Tarif();
    Conexiune_CN.close();
    benchmark::Shutdown();
    return 0;
}
