// The take-over from the accounting tables on a large company: a copy of the
// seeded demonstration company's database with a year of arrivals, 100,000
// lines in each month of 2026 (10,000 documents of 10 lines each per month,
// 2,000 materials, 200 partners).
//
// - BM_PreluareLuna: OK of the take-over window on March, the month already
//   taken over (the question answered Yes): the existence check, then the
//   procedure deleting the month's 100,000 lines and inserting 100,000 new
//   ones, in one transaction. Counter copy_ms: the floor, a bare INSERT ...
//   SELECT of the same 100,000 lines from Intrastat itself in one
//   transaction; ratio: the take-over's time over the floor's.
// - BM_PerioadeContabile: the months of the 120,000 arrival documents.
// - BM_ExistaDeclaratie: the existence check of a month of 100,000 lines.

#include "common/Globale.h"
#include "import/Preluare_Contabilitate.h"
#include "platform/ui/mesaj.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kMonths = 12;
constexpr int kDocuments = 10000; // per month
constexpr int kLinesPerDocument = 10;
constexpr int kRows = kDocuments * kLinesPerDocument;
constexpr int kMaterials = 2000;
constexpr int kPartners = 200;

const QString kColumns = QStringLiteral(
    "TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, Tara_Dest, Val_Fiscala, Val_Stat, Net, "
    "Nat_Tranz, "
    "Incoterms, Mod_Transp, Document_Numar_Referinta, Document_Data_Referinta, Descriere, Cantitate, UM, "
    "Valoare_Valuta, Moneda, Curs_Schimb, VAT_ID, SourceFile, SourceFile_FullPath, Data_Preluare, Probleme, "
    "Exista_UMS, Pozitia");

struct Setup
{
    QTemporaryDir dir;
    QString error;

    Setup()
    {
        if (qEnvironmentVariableIsEmpty("TZ"))
            qputenv("TZ", ":/etc/localtime");
        const QString company = dir.filePath(QStringLiteral("RO0000001.mdb"));
        if (!QFile::copy(QStringLiteral(QUORVEL_APP_DIR "/System/DataBase/RO0000001.mdb"), company) ||
            Conexiune_Firma.open(company)) {
            error = QStringLiteral("the demonstration company cannot be opened");
            return;
        }
        FirmaCurenta_CodFiscal = QStringLiteral("RO0000001");
        ui::testing::setEnabled(true);
        if (!fill())
            return;
        // The month taken over once, so that every run replaces 100,000 lines.
        ui::testing::pushAnswer(ui::Answer::Yes);
        if (!takeOver()) {
            error = QStringLiteral("the first take-over failed");
            return;
        }
    }

    bool run(const QString& sql, const QVector<db::Variant>& values = {})
    {
        auto r = Conexiune_Firma.execute(sql, values);
        if (!r)
            error = r.error().text();
        return r.ok();
    }

    bool fill()
    {
        db::Transaction tx(Conexiune_Firma);
        const char* countries[] = {"de", "FR", "it", "HU", "bg", "AT", "PL", "NL"};
        for (int p = 0; p < kPartners; ++p)
            if (!run(
                    QStringLiteral("INSERT INTO Furnizori (Cod_Partener, VAT_ID, Cod_Tara, Tara_Expeditie, "
                                   "Mod_Transp, Nat_Tranz, Incoterms) VALUES (?, ?, ?, ?, '3', '11', 'exw')"),
                    {QStringLiteral("P%1").arg(p), QStringLiteral("DE%1").arg(100000000 + p),
                     QString::fromLatin1(countries[p % 8]).toUpper(),
                     QString::fromLatin1(countries[(p + 1) % 8])}))
                return false;
        for (int m = 0; m < kMaterials; ++m)
            if (!run(QStringLiteral("INSERT INTO MA (Cod_MA_PF, Descriere_RO, Cod_Vamal, Greutate_Neta, "
                                    "Tara_Orig) VALUES (?, ?, ?, ?, ?)"),
                     {QStringLiteral("M%1").arg(m), QStringLiteral("Material %1").arg(m),
                      QStringLiteral("%1").arg(10000000 + m * 7919 % 89999999, 8, 10, QLatin1Char('0')),
                      0.25 + m % 40, QString::fromLatin1(countries[m % 8])}))
                return false;
        auto header = db::Statement::prepare(
            Conexiune_Firma,
            QStringLiteral("INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, "
                           "Cod_Partener, Numar_Factura, Data_Factura, Moneda, Curs_Schimb) "
                           "VALUES (?1, ?2, ?3, ?4, ?2, 'EUR', 4.9765)"));
        auto line = db::Statement::prepare(
            Conexiune_Firma,
            QStringLiteral("INSERT INTO Intrari_Linii (Document_Intern_Nr, Cod_MA_PF, Cantitate, "
                           "UM, Valoare_Valuta) VALUES (?1, ?2, ?3, 'buc', ?4)"));
        if (!header || !line) {
            error = QStringLiteral("the accounting inserts cannot be prepared");
            return false;
        }
        int n = 0;
        for (int month = 1; month <= kMonths; ++month) {
            for (int d = 0; d < kDocuments; ++d) {
                const QString doc = QStringLiteral("NIR %1-%2").arg(month).arg(d);
                header->reset();
                header->bind(1, doc);
                header->bind(2, QStringLiteral("2026-%1-%2")
                                    .arg(month, 2, 10, QLatin1Char('0'))
                                    .arg(1 + d % 28, 2, 10, QLatin1Char('0')));
                header->bind(3, QStringLiteral("P%1").arg(d % kPartners));
                header->bind(4, QStringLiteral("F%1").arg(d));
                if (!header->step()) {
                    error = QStringLiteral("a document was not written");
                    return false;
                }
                for (int l = 0; l < kLinesPerDocument; ++l, ++n) {
                    line->reset();
                    line->bind(1, doc);
                    line->bind(2, QStringLiteral("M%1").arg(n * 37 % kMaterials));
                    line->bind(3, 1 + n % 50);
                    line->bind(4, n * 0.37 + 0.5);
                    if (!line->step()) {
                        error = QStringLiteral("an accounting line was not written");
                        return false;
                    }
                }
            }
        }
        if (const db::Error e = tx.commit()) {
            error = e.text();
            return false;
        }
        return true;
    }

    static bool takeOver()
    {
        Cerere_Preluare_Contabila c;
        c.flux = QStringLiteral("I - Pentru achizitii (INTRARI)");
        c.anul = QStringLiteral("2026");
        c.luna = QStringLiteral("3");
        c.existaDeclaratie = true;
        return Preia_Luna_Contabila(c).preluata;
    }

    static int monthRows()
    {
        auto rs = Conexiune_Firma.openRecordset(
            QStringLiteral("SELECT COUNT(*) FROM Intrastat WHERE TIP = 'I' AND Anul = 2026 AND Luna = 3"));
        return rs && !rs->eof() ? rs->value(0).toInt() : -1;
    }

    static Setup& get()
    {
        static Setup s;
        return s;
    }
};

// The floor: the month's lines copied within Intrastat by one statement in
// one transaction, then removed again.
double copyMs()
{
    QElapsedTimer t;
    t.start();
    {
        db::Transaction tx(Conexiune_Firma);
        Conexiune_Firma.execute(
            QStringLiteral("INSERT INTO Intrastat (%1) SELECT 'X', %2 FROM Intrastat WHERE "
                           "TIP = 'I' AND Anul = 2026 AND Luna = 3")
                .arg(kColumns, kColumns.mid(kColumns.indexOf(u',') + 2)));
        tx.commit();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    Conexiune_Firma.execute(QStringLiteral("DELETE FROM Intrastat WHERE TIP = 'X'"));
    return ms;
}

void BM_PreluareLuna(benchmark::State& state)
{
    Setup& s = Setup::get();
    if (!s.error.isEmpty()) {
        state.SkipWithError(s.error.toUtf8().constData());
        return;
    }
    double copy = 0, takeOver = 0;
    for (auto _ : state) {
        copy = copyMs();
        ui::testing::pushAnswer(ui::Answer::Yes);
        QElapsedTimer t;
        t.start();
        const bool done = Setup::takeOver();
        takeOver = t.nsecsElapsed() / 1e6;
        state.SetIterationTime(takeOver / 1000.0);
        if (!done || Setup::monthRows() != kRows) {
            state.SkipWithError("the month was not taken over whole");
            return;
        }
    }
    state.counters["rows"] = kRows;
    state.counters["copy_ms"] = copy;
    state.counters["takeover_ms"] = takeOver;
    state.counters["ratio"] = takeOver / copy;
}
BENCHMARK(BM_PreluareLuna)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_PerioadeContabile(benchmark::State& state)
{
    Setup& s = Setup::get();
    if (!s.error.isEmpty()) {
        state.SkipWithError(s.error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        const QStringList months = Perioade_Contabile(QStringLiteral("I"));
        if (months.size() != kMonths) {
            state.SkipWithError("the months were not listed");
            return;
        }
    }
}
BENCHMARK(BM_PerioadeContabile)->Unit(benchmark::kMillisecond);

void BM_ExistaDeclaratie(benchmark::State& state)
{
    Setup& s = Setup::get();
    if (!s.error.isEmpty()) {
        state.SkipWithError(s.error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        if (Exista_Declaratie_Contabila(QStringLiteral("I"), QStringLiteral("2026"), QStringLiteral("3")) !=
            std::optional<bool>(true)) {
            state.SkipWithError("the month was not found");
            return;
        }
    }
}
BENCHMARK(BM_ExistaDeclaratie)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
