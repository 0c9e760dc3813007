// The tariff code look-up over a tariff of 10,000 codes: once per imported row
// and per verified line, so it must stay cheap warm (the statement reused).
#include "codelists/Cautare_Tarif.h"
#include "common/Globale.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCodes = 10000;

QString code(int i)
{
    return QStringLiteral("%1").arg(10000000 + i * 7919 % 89999999, 8, 10, QLatin1Char('0'));
}

struct Tariff
{
    QTemporaryDir dir;
    QString path;
    bool ok = false;

    Tariff()
    {
        path = dir.filePath(QStringLiteral("CN.mdb"));
        QFile f(QStringLiteral(QUORVEL_SOURCE_DIR "/install/sql/cn_schema.sql"));
        if (!f.open(QIODevice::ReadOnly)) {
            qWarning("no schema script %s", qPrintable(f.fileName()));
            return;
        }
        if (const db::Error e = db::Connection::createDatabase(path)) {
            qWarning("%s", qPrintable(e.text()));
            return;
        }
        db::Connection c;
        db::Error e = c.open(path);
        if (!e)
            e = c.executeScript(QString::fromUtf8(f.readAll()));
        if (e) {
            qWarning("%s", qPrintable(e.text()));
            return;
        }
        db::Transaction t(c);
        for (int i = 0; i < kCodes; ++i) {
            const QString cod = code(i);
            if (auto r = c.execute(
                    QStringLiteral(
                        "INSERT INTO HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, AN_END, "
                        "HS6_COD) VALUES (?1, ?2, ?3, ?4, 2026, NULL, ?5)"),
                    {db::Variant(cod), db::Variant(cod + QStringLiteral("0000")),
                     db::Variant(QStringLiteral("Descrierea codului ") + cod),
                     i % 2 ? db::Variant(QStringLiteral("p/st")) : db::Variant::null(),
                     db::Variant(cod.left(6))});
                !r) {
                qWarning("%s", qPrintable(r.error().text()));
                return;
            }
        }
        ok = !t.commit();
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
        codes.append(code(i * 10));
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
