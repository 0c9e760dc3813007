// The declaration window's two long commands as a user starts them, on the
// screen the environment gives (run it under accesibilitate.py, which
// starts a virtual display and the accessibility bus, and runs this once
// without the accessibility bridge and once with it and a listening
// client):
//
//   BM_Verificare: "Verifica Date" on a declaration of 2,000 lines whose
//     tariff columns are stale (every line is written by the first pass),
//     its progress windows and the problem report shown;
//   BM_FisierXml: "Generare Fisier Intrastat (XML)" on the same lines.
//
// The message boxes are real ones, answered with their default button as
// soon as they show. Each run ends when the events it left behind have been
// handled (the window answers again).
//
// The program folder is a copy of the build's seeded one, in a temporary
// folder; the company is a copy of its empty company database.

#include "common/Globale.h"
#include "declaration/Ferestre_Declaratie.h"
#include "declaration/Fixture_Declaratii.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Linii_Intrastat.h"
#include "install/seedtree.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj_widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLinii = 2000;
const QString kFiltru = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2026 AND [Luna]=1"_s;

// Presses the default button of every message box as soon as it shows.
class RaspunsAutomat : public QObject
{
public:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override
    {
        if (eveniment->type() == QEvent::Show) {
            if (auto* cutie = qobject_cast<QMessageBox*>(obiect)) {
                QTimer::singleShot(0, cutie, [cutie] {
                    if (QAbstractButton* b =
                            cutie->defaultButton() ? cutie->defaultButton() : cutie->buttons().value(0))
                        b->click();
                });
            }
        }
        return false;
    }
};

// The program folder, the working company and the window open on its lines.
class Mediu
{
public:
    static Mediu& get()
    {
        static Mediu m;
        return m;
    }

    Frm_INTRASTAT* fereastra() const { return m_fereastra; }
    const QString& eroare() const { return m_eroare; }

    // Every line loses its tariff columns, so that the first pass writes it.
    bool Invecheste_Liniile()
    {
        return Conexiune_Firma.execute(u"UPDATE Intrastat SET Descriere_NC = NULL, Exista_UMS = 0"_s).ok();
    }

private:
    Mediu()
    {
        const QString sursa = QStringLiteral(QUORVEL_APP_DIR);
        if (!m_dir.isValid() || !installtest::copyTree(sursa, m_dir.path())) {
            m_eroare = u"cannot copy the seeded program folder "_s + sursa;
            return;
        }
        const QString baza = m_dir.path() + u"/System/DataBase/"_s;
        Folder_BazaDate = baza;
        Folder_Sistem = m_dir.path() + u"/System/"_s;
        Folder_Salvare_XML = Folder_Sistem + u"IntrastatSave/"_s;
        FirmaCurenta_CodFiscal = u"RO123"_s;
        FirmaCurenta_Nume = u"FIRMA DE PROBA SRL"_s;
        FirmaCurenta_ValoareStatistica = true;
        if (!Creeaza_Firma_Din_Sablon(baza + u"goala.mdb"_s, baza + u"firma.mdb"_s) ||
            Conexiune_Comun.open(baza + u"Comun.mdb"_s) || Conexiune_Firma.open(baza + u"firma.mdb"_s)) {
            m_eroare = u"cannot open the databases"_s;
            return;
        }
        if (const db::Error e =
                Genereaza_Declaratie(Conexiune_Firma, u"O"_s, u"RO123"_s, 2026, 1, kLinii, 4)) {
            m_eroare = e.text();
            return;
        }
        ui::installWidgetPresenter();
        qApp->installEventFilter(&m_raspuns);
        Inregistreaza_Ferestre_Declaratie();
        Filtru_Intrastat = kFiltru;
        m_fereastra = ui::Forms::load<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        if (!m_fereastra || m_fereastra->Linii().recordCount() != kLinii) {
            m_eroare = u"the window did not open on the lines"_s;
            return;
        }
        m_fereastra->setWindowTitle(Titlu_Intrastat(u"2026"_s, u"1"_s));
        ui::Forms::show(u"Frm_INTRASTAT"_s);
        Asteapta_Linistea();
    }

public:
    // Handles what is pending, including what an accessibility client asks.
    static void Asteapta_Linistea()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

private:
    QTemporaryDir m_dir;
    QString m_eroare;
    RaspunsAutomat m_raspuns;
    Frm_INTRASTAT* m_fereastra = nullptr;
};

QAbstractButton* butonul(const QString& nume)
{
    Frm_INTRASTAT* w = Mediu::get().fereastra();
    return w ? w->findChild<QAbstractButton*>(nume) : nullptr;
}

// One click of the window's button per iteration, timed until the events it
// left behind are handled; the lines made stale first when asked.
void Clic(benchmark::State& state, const QString& nume, bool invechite)
{
    Mediu& m = Mediu::get();
    QAbstractButton* buton = butonul(nume);
    if (!buton) {
        state.SkipWithError(qPrintable(m.eroare()));
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (invechite && !m.Invecheste_Liniile()) {
            state.SkipWithError("the lines could not be made stale");
            return;
        }
        Mediu::Asteapta_Linistea();
        state.ResumeTiming();
        buton->click();
        QCoreApplication::processEvents();
    }
}

void BM_Verificare(benchmark::State& state)
{
    Clic(state, u"Cmd_Verifica"_s, true);
}
BENCHMARK(BM_Verificare)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_FisierXml(benchmark::State& state)
{
    Clic(state, u"Cmd_Fisier"_s, false);
}
BENCHMARK(BM_FisierXml)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvel"_s);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ui::Forms::unloadAllForTests();
    benchmark::Shutdown();
    return 0;
}
