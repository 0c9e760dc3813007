// The declaration report of a 100,000-line declaration: its data opened as
// the report window opens it (the stored query and the declaration's key),
// its pages laid out, one page drawn as the preview draws it, and the whole
// report written as PDF and as HTML. The company database is a copy of the
// template of the build's program folder, filled by the tests' builder of
// lines; the definition is the shipped UE_Reports.xml.

#include "declaration/Fixture_Declaratii.h"
#include "platform/report/report.h"
#include "reports/Raport_Definit.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QVariantList kCheie{u"O"_s, u"RO123"_s, u"2015"_s, u"3"_s, u"N"_s};

struct Date_Raport
{
    QTemporaryDir dir;
    db::Connection firma;
    QString sql;
    bool ok = false;

    Date_Raport()
    {
        const QString cale = dir.filePath(u"firma.mdb"_s);
        if (!Creeaza_Firma_Din_Sablon(QStringLiteral(QUORVEL_TEMPLATE_DB), cale) || firma.open(cale))
            return;
        // The declaration and, around it, another period of the same size.
        for (int luna : {3, 4}) {
            if (const db::Error e = Genereaza_Declaratie(firma, u"O"_s, u"RO123"_s, 2015, luna, 100000, 4)) {
                std::fprintf(stderr, "%s\n", qPrintable(e.text()));
                return;
            }
        }
        db::Connection comun;
        if (comun.open(QStringLiteral(QUORVEL_COMMON_DB)))
            return;
        db::Result<db::Recordset> rand =
            comun.openRecordset(u"SELECT SQL_STR FROM Return_Report WHERE REP_ID=10001"_s);
        if (!rand || rand->eof())
            return;
        sql = rand->value(0).toText() + Conditie_Raport_Declaratie(kCheie);
        ok = true;
    }

    db::Recordset linii()
    {
        db::Result<db::Recordset> rs =
            firma.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
        return rs ? *rs : db::Recordset();
    }
};

Date_Raport& date()
{
    static Date_Raport d;
    return d;
}

bool incarca(report::Report& r)
{
    return !r.load(QStringLiteral(QUORVEL_SOURCE_DIR) + u"/install/files/UE_Reports.xml"_s,
                   u"Declaratie_Intrastat"_s);
}

// The report loaded, its data set and its pages laid out; false (and the
// benchmark skipped) when any of it fails.
bool randat(benchmark::State& state, report::Report& r)
{
    Date_Raport& d = date();
    if (!d.ok || !incarca(r)) {
        state.SkipWithError("no report");
        return false;
    }
    r.setDataSource(d.linii());
    r.render();
    return true;
}

void BM_DeschideDateRaport(benchmark::State& state)
{
    Date_Raport& d = date();
    if (!d.ok) {
        state.SkipWithError("no company database");
        return;
    }
    for (auto _ : state) {
        db::Recordset rs = d.linii();
        if (rs.recordCount() != 100000) {
            state.SkipWithError("the lines could not be read");
            return;
        }
    }
}
BENCHMARK(BM_DeschideDateRaport)->Unit(benchmark::kMillisecond);

void BM_PaginiRaport(benchmark::State& state)
{
    Date_Raport& d = date();
    report::Report r;
    if (!d.ok || !incarca(r)) {
        state.SkipWithError("no report");
        return;
    }
    const db::Recordset rs = d.linii();
    for (auto _ : state) {
        r.setDataSource(rs);
        r.render();
        benchmark::DoNotOptimize(r.pageCount());
    }
    state.counters["pages"] = r.pageCount();
}
BENCHMARK(BM_PaginiRaport)->Unit(benchmark::kMillisecond);

void BM_DeseneazaPagina(benchmark::State& state)
{
    report::Report r;
    if (!randat(state, r))
        return;
    // A page as wide as a full-HD screen, and as a thumbnail of "all pages".
    const QSizeF pagina = r.printableSizeTwips();
    const double scara = double(state.range(0)) / pagina.width();
    QImage ecran(int(pagina.width() * scara), int(pagina.height() * scara), QImage::Format_RGB32);
    int i = 0;
    for (auto _ : state) {
        ecran.fill(Qt::white);
        QPainter p(&ecran);
        p.scale(scara, scara);
        r.paintPage(p, i++ % r.pageCount());
    }
}
BENCHMARK(BM_DeseneazaPagina)->Arg(1900)->Arg(60)->Unit(benchmark::kMillisecond);

void BM_FisierRaport(benchmark::State& state)
{
    report::Report r;
    if (!randat(state, r))
        return;
    const auto format = report::FileFormat(state.range(0));
    const QString cale =
        date().dir.filePath(format == report::FileFormat::Pdf ? u"raport.pdf"_s : u"raport.htm"_s);
    for (auto _ : state) {
        if (const db::Error e = r.renderToFile(cale, format)) {
            state.SkipWithError(qPrintable(e.text()));
            return;
        }
    }
    state.counters["MB"] = double(QFileInfo(cale).size()) / 1e6;
}
BENCHMARK(BM_FisierRaport)
    ->Arg(int(report::FileFormat::Pdf))
    ->Arg(int(report::FileFormat::Html))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
