// The tariff look-up of one code: a tariff of 10,000 generated CN8 rows made
// through the database layer in a temporary file, then the look-up query
// cold (a fresh connection each time) and warm (one prepared statement).

#include "platform/db/db.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString kLookUp = QStringLiteral(
    "SELECT HS8_COD, LEFT(MAX(DESCRIERE),250) AS DESCRIERE1, MAX(UM_SUPL) AS UM_SUPL1, "
    "IIF(ISNULL(MAX([UM_SUPL]))=0,1,0) AS EXISTA_UM FROM HS_8 WHERE [HS8_COD]=? AND ISNULL([AN_END])=-1 "
    "AND ISNULL([HS8_COD])=0 GROUP BY HS8_COD");

struct Tariff
{
    QTemporaryDir dir;
    QString path;
    Tariff()
    {
        path = dir.filePath(QStringLiteral("CN.mdb"));
        if (db::Connection::createDatabase(path))
            return;
        db::Connection cn;
        if (cn.open(path))
            return;
        cn.executeScript(QStringLiteral(
            "CREATE TABLE HS_8 (HS8_COD TEXT(8) COLLATE BINARY NOT NULL, DESCRIERE MEMO TEXT COLLATE NOCASE, "
            "UM_SUPL TEXT(10) COLLATE NOCASE, AN_START INTEGER, AN_END INTEGER);"
            "CREATE INDEX HS_8_HS8_COD ON HS_8 (HS8_COD);"));
        db::Transaction tx(cn);
        auto insert =
            db::Statement::prepare(cn, QStringLiteral("INSERT INTO HS_8 VALUES (?, ?, ?, 2020, ?)"));
        if (!insert)
            return;
        for (int i = 0; i < 10000; ++i) {
            insert->reset();
            insert->bind(1,
                         QStringLiteral("%1").arg(10000000 + i * 7919 % 89999999, 8, 10, QLatin1Char('0')));
            insert->bind(2, QStringLiteral("Descrierea codului %1, ").arg(i).repeated(8));
            insert->bind(3, i % 3 == 0 ? db::Variant(QStringLiteral("p/st")) : db::Variant::null());
            insert->bind(4, i % 10 == 0 ? db::Variant(2021) : db::Variant::null());
            insert->step();
        }
        tx.commit();
    }
    static Tariff& get()
    {
        static Tariff t;
        return t;
    }
    static QString code(int i)
    {
        return QStringLiteral("%1").arg(10000000 + i * 7919 % 89999999, 8, 10, QLatin1Char('0'));
    }
};

void BM_TariffLookUpCold(benchmark::State& state)
{
    Tariff& t = Tariff::get();
    const QString sql =
        QString(kLookUp).replace(QStringLiteral("?"), QStringLiteral("'%1'")).arg(Tariff::code(4243));
    for (auto _ : state) {
        db::Connection cn;
        if (cn.open(t.path)) {
            state.SkipWithError("open failed");
            break;
        }
        auto rs = cn.openRecordset(sql, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
        if (!rs || rs->eof()) {
            state.SkipWithError("no row");
            break;
        }
        benchmark::DoNotOptimize(rs->value(3));
    }
}
BENCHMARK(BM_TariffLookUpCold)->Unit(benchmark::kMicrosecond);

void BM_TariffLookUpRecordset(benchmark::State& state)
{
    Tariff& t = Tariff::get();
    db::Connection cn;
    cn.open(t.path);
    int i = 0;
    for (auto _ : state) {
        const QString sql = QString(kLookUp)
                                .replace(QStringLiteral("?"), QStringLiteral("'%1'"))
                                .arg(Tariff::code(i++ % 10000));
        auto rs = cn.openRecordset(sql, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
        if (!rs) {
            state.SkipWithError("query failed");
            break;
        }
        benchmark::DoNotOptimize(rs->value(3));
    }
}
BENCHMARK(BM_TariffLookUpRecordset)->Unit(benchmark::kMicrosecond);

void BM_TariffLookUpWarm(benchmark::State& state)
{
    Tariff& t = Tariff::get();
    db::Connection cn;
    cn.open(t.path);
    auto st = db::Statement::prepare(cn, kLookUp);
    if (!st) {
        state.SkipWithError("prepare failed");
        return;
    }
    QVector<QString> codes;
    for (int i = 0; i < 10000; ++i)
        codes << Tariff::code(i);
    int i = 0;
    for (auto _ : state) {
        st->reset();
        st->bind(1, codes[i++ % codes.size()]);
        auto row = st->step();
        if (!row) {
            state.SkipWithError("step failed");
            break;
        }
        if (row.value())
            benchmark::DoNotOptimize(st->column(3));
    }
}
BENCHMARK(BM_TariffLookUpWarm)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
