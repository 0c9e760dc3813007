// Lays out a program folder with a declaration to work on, for the runs
// over the accessibility bus (the test and the measuring script): a copy of
// the seeded program folder whose demonstration company holds one dispatch
// declaration of January 2026 (the period of the shipped tariff), and a
// second company without lines listed before it, so that the chooser's
// list has a row to choose.
//
// Usage: atspi_pregateste <seeded folder> <new folder> <lines> [mari]
// With "mari" the values are in the tens of millions, so the totals of a
// large declaration run to thirteen digits.

#include "declaration/Fixture_Declaratii.h"
#include "install/seedtree.h"
#include "platform/db/db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: atspi_pregateste <seeded folder> <new folder> <lines> [mari]\n");
        return 2;
    }
    const QString sursa = QFileInfo(args.at(1)).absoluteFilePath();
    const QString tinta = QFileInfo(args.at(2)).absoluteFilePath();
    const int linii = args.at(3).toInt();
    const bool mari = args.size() > 4 && args.at(4) == u"mari";
    if (QDir(tinta).exists() && !QDir(tinta).isEmpty()) {
        std::fprintf(stderr, "%s exists and is not empty\n", qPrintable(tinta));
        return 1;
    }
    if (!installtest::copyTree(sursa, tinta)) {
        std::fprintf(stderr, "cannot copy %s to %s\n", qPrintable(sursa), qPrintable(tinta));
        return 1;
    }
    const QString baza = tinta + u"/System/DataBase/"_s;
    if (!QFile::copy(baza + u"RO0000001.mdb"_s, baza + u"RO0000002.mdb"_s)) {
        std::fprintf(stderr, "cannot copy the company database\n");
        return 1;
    }
    db::Connection comun;
    if (const db::Error e = comun.open(baza + u"Comun.mdb"_s)) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    const db::Result<qint64> adaugata = comun.execute(
        u"INSERT INTO Firme (Cod_Fiscal, Nume_Firma, DataBaseFile, MultiFirma, Persoana_Intrastat, "
        u"Functie_1, "
        u"CreataLaData, ValoareStatistica) SELECT 'RO0000002', 'FIRMA A DOUA SRL', 'RO0000002.mdb', "
        u"MultiFirma, Persoana_Intrastat, Functie_1, CreataLaData, ValoareStatistica FROM Firme "
        u"WHERE Cod_Fiscal = 'RO0000001'"_s);
    if (!adaugata || *adaugata != 1) {
        std::fprintf(stderr, "cannot add the second company\n");
        return 1;
    }
    comun.close();
    db::Connection firma;
    if (const db::Error e = firma.open(baza + u"RO0000001.mdb"_s)) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    if (const db::Error e = Genereaza_Declaratie(firma, u"O"_s, u"RO0000001"_s, 2026, 1, linii, 4)) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    if (mari) {
        const QString sql = u"UPDATE Intrastat SET Val_Fiscala = 10000000 + (Record_ID * 7919) % 90000000, "
                            u"Val_Stat = 10000000 + (Record_ID * 6271) % 90000000, "
                            u"Net = 10000000 + (Record_ID * 104729) % 90000000 + 0.37"_s;
        if (const db::Result<qint64> n = firma.execute(sql); !n) {
            std::fprintf(stderr, "%s\n", qPrintable(n.error().text()));
            return 1;
        }
    }
    return 0;
}
