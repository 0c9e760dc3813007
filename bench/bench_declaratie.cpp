// The verification of a month of a large company and its declaration file.
//
// The company database, Comun.mdb and the tariff are copies of the build's
// seeded ones: the tariff is the shipped CN2026.mdb, the whole CN8
// nomenclature; without it the benchmarks fail.
// The message boxes are answered by the seam's test mode.
//
//   BM_Verificare/N: both passes over N lines of one declaration with 2,000
//     distinct codes, the tariff columns stale before each run (every line
//     is written by pass 1), some lines at fault.
//   BM_FisierXml/N: the declaration file of N lines (40,000: every line its
//     own item; 100,000: as many items as codes and countries give), the
//     lines checked as "Verifica Date" checks them before the file is written.
//   BM_VerificareInainteDeFisier/N: those checks alone, over the same lines.

#include "bench/tarif_cn.h"
#include "codelists/Cautare_Tarif.h"
#include "common/Globale.h"
#include "declaration/Fisier_XML_Intrastat.h"
#include "declaration/Verificare_Declaratie.h"
#include "platform/ui/mesaj.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCoduriDistincte = 2000;

// A program folder of its own with the company, the common database and the
// shipped tariff, open as the three connections.
class Mediu
{
public:
    static Mediu& get()
    {
        static Mediu m;
        return m;
    }

    bool ok() const { return m_eroare.isEmpty(); }
    const QString& eroare() const { return m_eroare; }
    const QStringList& coduri() const { return m_coduri; }

    // Replaces the declaration lines by n lines of one declaration.
    bool Linii(int n, const std::function<QVector<db::Variant>(int)>& linie)
    {
        if (Conexiune_Firma.execute(QStringLiteral("DELETE FROM Intrastat")).ok() == false)
            return false;
        db::Transaction t(Conexiune_Firma);
        auto st = db::Statement::prepare(
            Conexiune_Firma,
            QStringLiteral(
                "INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, "
                "Tara_Dest, Val_Fiscala, Val_Stat, Net, Cantitate, Nat_Tranz, Incoterms, Mod_Transp, "
                "VAT_ID, Pozitia) VALUES (?1, 'RO123', ?2, ?3, ?4, ?5, 'RO', ?6, ?7, ?7, ?8, 3, ?9, "
                "'DAP', '3', ?10, ?11)"));
        if (!st)
            return false;
        for (int i = 0; i < n; ++i) {
            st->reset();
            const QVector<db::Variant> v = linie(i);
            for (int p = 0; p < v.size(); ++p)
                st->bind(p + 1, v[p]);
            if (!st->step())
                return false;
        }
        st->reset();
        return !t.commit();
    }

private:
    Mediu()
    {
        QCoreApplication::setApplicationName(QStringLiteral("bench_declaratie"));
        ui::testing::setEnabled(true);
        const QString baza = m_dir.path() + QStringLiteral("/System/DataBase/");
        const QString seminte = QStringLiteral(QUORVEL_APP_DIR "/System/DataBase/");
        QDir().mkpath(baza + QStringLiteral("CN"));
        QDir().mkpath(m_dir.path() + QStringLiteral("/System/Verificare"));
        QDir().mkpath(m_dir.path() + QStringLiteral("/System/IntrastatSave"));
        if (!QFile::copy(seminte + QStringLiteral("Comun.mdb"), baza + QStringLiteral("Comun.mdb")) ||
            !QFile::copy(seminte + QStringLiteral("goala.mdb"), baza + QStringLiteral("firma.mdb"))) {
            m_eroare = QStringLiteral("no seeded databases in " QUORVEL_APP_DIR " (build the install tree)");
            return;
        }
        Folder_BazaDate = baza;
        Folder_Sistem = m_dir.path() + QStringLiteral("/System/");
        Folder_Salvare_XML = Folder_Sistem + QStringLiteral("IntrastatSave/");
        FirmaCurenta_CodFiscal = QStringLiteral("RO123");
        if (Conexiune_Comun.open(baza + QStringLiteral("Comun.mdb")) ||
            Conexiune_Firma.open(baza + QStringLiteral("firma.mdb"))) {
            m_eroare = QStringLiteral("cannot open the copied databases");
            return;
        }
        Tarif(baza + QStringLiteral("CN/CN2026.mdb"));
    }

    void Tarif(const QString& cale)
    {
        const bench::Tarif_CN tarif = bench::Copiaza_Tarif_CN(cale);
        if (!tarif.eroare.isEmpty()) {
            m_eroare = tarif.eroare;
            return;
        }
        for (const bench::Cod_CN& c : tarif.coduri)
            m_coduri << c.cod;
        if (Conexiune_CN.open(cale))
            m_eroare = QStringLiteral("cannot open the tariff");
    }

    QTemporaryDir m_dir;
    QString m_eroare;
    QStringList m_coduri;
};

const QStringList kTari{QStringLiteral("DE"), QStringLiteral("FR"), QStringLiteral("IT"),
                        QStringLiteral("HU"), QStringLiteral("BG")};

void BM_Verificare(benchmark::State& state)
{
    Mediu& m = Mediu::get();
    if (!m.ok()) {
        state.SkipWithError(qPrintable(m.eroare()));
        return;
    }
    const int n = static_cast<int>(state.range(0));
    const int pas = static_cast<int>(m.coduri().size()) / kCoduriDistincte;
    const bool ok = m.Linii(n, [&](int i) {
        // One line in a hundred with an unknown code, one with no value, one
        // with a wrong VAT prefix.
        const QString cod =
            i % 100 == 7 ? QStringLiteral("99999999") : m.coduri().at((i % kCoduriDistincte) * pas);
        return QVector<db::Variant>{QStringLiteral("O"),
                                    2015,
                                    5,
                                    cod,
                                    kTari.at(i % kTari.size()),
                                    kTari.at((i / 7) % kTari.size()),
                                    i % 100 == 31 ? 0.0 : 100.0 + i % 1000,
                                    1.0 + i % 50,
                                    QStringLiteral("11"),
                                    i % 100 == 53 ? QStringLiteral("XX123") : QStringLiteral("DE123456789"),
                                    i + 1};
    });
    if (!ok) {
        state.SkipWithError("cannot add the lines");
        return;
    }
    const Cheie_Declaratie cheie{QStringLiteral("O"), QStringLiteral("RO123"), QStringLiteral("2015"),
                                 QStringLiteral("5")};
    Ecran_Verificare ecran;
    for (auto _ : state) {
        state.PauseTiming();
        Conexiune_Firma.execute(QStringLiteral(
            "UPDATE Intrastat SET Descriere_NC=NULL, Cod_UMS=NULL, Val_UMS=NULL, Exista_UMS=0"));
        ui::testing::clear();
        state.ResumeTiming();
        const Rezultat_Verificare r = Verifica_Declaratie(cheie, ecran);
        if (r.linii != n || r.probleme != 3 * n / 100) {
            state.SkipWithError("unexpected result");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["tariff_codes"] = static_cast<double>(m.coduri().size());
}
BENCHMARK(BM_Verificare)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The lines of the declaration file: n lines of December 2015, each code
// with each country of destination in turn. Gives the number of items.
int Linii_Fisier(Mediu& m, int n)
{
    const int coduri = std::min(n / static_cast<int>(kTari.size()), static_cast<int>(m.coduri().size()));
    const bool ok = m.Linii(n, [&](int i) {
        return QVector<db::Variant>{QStringLiteral("O"),
                                    2015,
                                    12,
                                    m.coduri().at(i % coduri),
                                    QStringLiteral("RO"),
                                    kTari.at((i / coduri) % kTari.size()),
                                    100.0 + i % 1000,
                                    1.0 + i % 50,
                                    QStringLiteral("11"),
                                    QStringLiteral("DE123456789"),
                                    i + 1};
    });
    return ok ? std::min(n, coduri * static_cast<int>(kTari.size())) : -1;
}

const Cheie_Declaratie kCheieFisier{QStringLiteral("O"), QStringLiteral("RO123"), QStringLiteral("2015"),
                                    QStringLiteral("12")};

void BM_FisierXml(benchmark::State& state)
{
    Mediu& m = Mediu::get();
    if (!m.ok()) {
        state.SkipWithError(qPrintable(m.eroare()));
        return;
    }
    const int n = static_cast<int>(state.range(0));
    const int articole = Linii_Fisier(m, n);
    if (articole < 0) {
        state.SkipWithError("cannot add the lines");
        return;
    }
    Date_Fisier_XML date;
    date.cheie = kCheieFisier;
    date.numeCompanie = QStringLiteral("FIRMA SRL");
    date.tipDeclaratie = QStringLiteral("N-Noua");
    date.valoareStatistica = true;
    for (auto _ : state) {
        ui::testing::clear();
        const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
        if (!r.generat || r.articole != articole || r.liniiCuProbleme != 0) {
            state.SkipWithError("unexpected result");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["items"] = articole;
    state.counters["tariff_codes"] = static_cast<double>(m.coduri().size());
}
BENCHMARK(BM_FisierXml)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_VerificareInainteDeFisier(benchmark::State& state)
{
    Mediu& m = Mediu::get();
    if (!m.ok()) {
        state.SkipWithError(qPrintable(m.eroare()));
        return;
    }
    const int n = static_cast<int>(state.range(0));
    if (Linii_Fisier(m, n) < 0) {
        state.SkipWithError("cannot add the lines");
        return;
    }
    for (auto _ : state) {
        const Probleme_Declaratie p = Probleme_Liniilor(kCheieFisier, Perioada_Declaratie{2015, 12}, 10);
        if (!p.citite || p.linii != n || p.liniiCuProbleme != 0) {
            state.SkipWithError("unexpected result");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_VerificareInainteDeFisier)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Elibereaza_Cautare_Tarif();
    Reseteaza_Globale_Tarif();
    Reseteaza_Globale_Firma();
    benchmark::Shutdown();
    return 0;
}
