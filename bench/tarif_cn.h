#pragma once
// The shipped tariff for the benchmarks: CN2026.mdb of the program folder the
// build lays out (QUORVEL_APP_DIR), the whole CN8 nomenclature of 2026, and
// its codes.

#include "platform/db/db.h"

#include <QList>
#include <QString>

namespace bench {

struct Cod_CN
{
    QString cod;
    QString descriere;
    QString um; // the supplementary unit, empty when the code has none
};

// The shipped tariff's path and its codes in force, in code order, or an
// error naming the file and what is wrong with it (the codes are empty then).
struct Tarif_CN
{
    QString cale;
    QList<Cod_CN> coduri;
    QString eroare;
};
Tarif_CN Citeste_Tarif_CN();

// Copies the shipped tariff to cale (a benchmark's own folder), so that the
// benchmark never changes or locks the program folder's file.
Tarif_CN Copiaza_Tarif_CN(const QString& cale);

} // namespace bench
