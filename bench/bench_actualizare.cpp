// The updater on a large installation.
//
//   BM_ScripturiFirma/reusit: the company scripts of a release (a new
//     column filled on every line, an index on it) on a copy of a company
//     database of 100,000 declaration lines, in their one transaction.
//   BM_ScripturiFirma/esuat: the same with a last command that fails, so
//     that all of it is rolled back.
//   BM_VersiuneExecutabil: the version record read from the built Quorvel.

#include "updater/Actualizare.h"
#include "updater/VerificaVersiuneFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLinii = 100000;

// A company database of kLinii lines, made once from the seeded template.
class Mediu
{
public:
    static Mediu& get()
    {
        static Mediu m;
        return m;
    }
    bool ok() const { return m_ok; }
    QString sursa() const { return m_dir.filePath(QStringLiteral("sursa.mdb")); }
    QString copie() const { return m_dir.filePath(QStringLiteral("RO1.mdb")); }

private:
    Mediu()
    {
        m_ok = m_dir.isValid() &&
               QFile::copy(QStringLiteral(QUORVEL_APP_DIR "/System/DataBase/goala.mdb"), sursa()) && umple();
    }

    bool umple()
    {
        db::Connection c;
        if (c.open(sursa()))
            return false;
        db::Transaction t(c);
        auto st = db::Statement::prepare(
            c,
            QStringLiteral("INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, "
                           "Tara_Dest, Val_Fiscala, Val_Stat, Net, Cantitate, Nat_Tranz, Incoterms, "
                           "Mod_Transp, Pozitia) VALUES ('O', 'RO123', 2026, 3, ?1, 'DE', 'RO', 'DE', ?2, "
                           "?2, 10, 3, '11', 'DAP', '3', ?3)"));
        if (!st)
            return false;
        for (int i = 0; i < kLinii; ++i) {
            st->reset();
            st->bind(1, db::Variant(QString::number(84713000 + i % 2000)));
            st->bind(2, db::Variant(100.0 + i));
            st->bind(3, db::Variant(i + 1));
            if (!st->step())
                return false;
        }
        st->reset();
        return !t.commit();
    }

    QTemporaryDir m_dir;
    bool m_ok = false;
};

Scripturi_Pachet scripturi(bool esuat)
{
    Script_Actualizare s;
    s.cale = QStringLiteral("01_release.sql");
    s.comenzi = {QStringLiteral("ALTER TABLE Intrastat ADD COLUMN Cod_NC_Nou TEXT(20)"),
                 QStringLiteral("UPDATE Intrastat SET Cod_NC_Nou = Cod_NC"),
                 QStringLiteral("CREATE INDEX Intrastat_Cod_NC_Nou ON Intrastat (Cod_NC_Nou)")};
    if (esuat)
        s.comenzi.append(QStringLiteral("INSERT INTO Lipsa (Cod) VALUES (1)"));
    return Scripturi_Pachet{{}, {s}};
}

void BM_ScripturiFirma(benchmark::State& state, bool esuat)
{
    Mediu& m = Mediu::get();
    if (!m.ok()) {
        state.SkipWithError("the company database could not be made");
        return;
    }
    const Scripturi_Pachet s = scripturi(esuat);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(m.copie());
        QFile::copy(m.sursa(), m.copie());
        state.ResumeTiming();
        db::Connection c;
        if (c.open(m.copie())) {
            state.SkipWithError("open failed");
            return;
        }
        const std::optional<Esec_Script> esec = Execute_DB(c, s);
        if (esec.has_value() != esuat) {
            state.SkipWithError(qPrintable(esec ? esec->eroare.description : QStringLiteral("no failure")));
            return;
        }
        c.close();
    }
    state.counters["linii"] = kLinii;
}
BENCHMARK_CAPTURE(BM_ScripturiFirma, reusit, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScripturiFirma, esuat, true)->Unit(benchmark::kMillisecond);

void BM_VersiuneExecutabil(benchmark::State& state)
{
    const QString cale = QStringLiteral(QUORVEL_APP_DIR "/Quorvel");
    for (auto _ : state) {
        if (Versiune_Fisier_Text(cale).isEmpty()) {
            state.SkipWithError("no version record in the built Quorvel");
            return;
        }
    }
    state.counters["MB"] = double(QFile(cale).size()) / (1 << 20);
}
BENCHMARK(BM_VersiuneExecutabil)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
