// preia_excel <workbook> [<sheet>]: the Excel import of one workbook in a
// process of its own, into the demonstration company of a fresh copy of the
// seeded program folder (QUORVEL_SEED_TREE, else the build's), through the dispatch template of
// the import tests (sheet columns 1 to 5), for March 2026. Prints the text of
// each message the import shows, then "salvate <n>"; ends with 0 when the
// import ended, 2 when it stopped, 1 when the ground could not be laid.
// The tests run it under limits of its own (memory); by hand it tells what an
// import of any workbook costs (/usr/bin/time -v). With PREIA_EXCEL_LIMITA_FISIER
// set, no file may grow past that many bytes once the ground is laid ("firma":
// past the company database's size), as a disk with no room left refuses it;
// the lines Intrastat holds after are printed then ("in Intrastat <n>").

#include "Mediu_Preluare.h"
#include "import/Preluare_Excel.h"

#include <QApplication>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QUORVEL_SEED_TREE"))
        qputenv("QUORVEL_SEED_TREE", QUORVEL_APP_DIR);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("usage: preia_excel <workbook> [<sheet>]\n", stderr);
        return 1;
    }
    preluare_test::Mediu m;
    if (!m.gata() || !m.machetaLivrare()) {
        std::fputs("the seeded program folder cannot be laid (QUORVEL_SEED_TREE)\n", stderr);
        return 1;
    }
    const QByteArray limita = qgetenv("PREIA_EXCEL_LIMITA_FISIER");
    if (!limita.isEmpty()) {
        const rlim_t n = limita == "firma" ? rlim_t(QFileInfo(Conexiune_Firma.path()).size())
                                           : rlim_t(limita.toULongLong());
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails, as on a full disk
        const rlimit r{n, n};
        setrlimit(RLIMIT_FSIZE, &r);
    }
    preluare_test::Tacut t;
    const Intrari_Preluare in{u"2026"_s,
                              u"3"_s,
                              args.at(1),
                              args.size() > 2 ? args.at(2) : u"Sheet1"_s,
                              u"RO0000001"_s,
                              u"Livrari"_s,
                              u"O - Pentru livrari (IESIRI)"_s};
    const Rezultat_Preluare r = Preia_Fisier_Excel(in, t);
    for (const QString& text : Arbore_Test::mesaje())
        std::printf("%s\n", text.toUtf8().constData());
    std::printf("salvate %d\n", int(r.salvate));
    if (!limita.isEmpty())
        std::printf("in Intrastat %d\n", m.numarRanduri());
    return r.terminata ? 0 : 2;
}
