#pragma once
// The CN8 nomenclature for the benchmarks: the published list of codes
// (cnCodes_2026.json), made-up codes for when it is not at hand, and a tariff
// database filled with either.
//
// The list is read from the folder named by QUORVEL_CN_DATA; when it is not
// set, from the shared data folder beside the repository (../shared/data/cn)
// or beside a worktree of it (../../shared/data/cn). It is never kept in the
// repository.

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

// The codes of the list, or an error naming the file and what is wrong with
// it (the codes are empty then).
struct Lista_CN
{
    QList<Cod_CN> coduri;
    QString eroare;
};
Lista_CN Citeste_Coduri_CN();

// n made-up codes spread from chapter 10 to chapter 99 in ascending order,
// every other one with a supplementary unit.
QList<Cod_CN> Coduri_Inventate(int n);

// A new database at cale with the tables of a tariff, HS_8 holding the
// codes as Umple_HS_8 writes them.
db::Error Creeaza_Tarif(const QString& cale, const QList<Cod_CN>& coduri);

// Replaces the rows of HS_8 by the codes, in force from 2026, in one
// transaction: on an error the table is left as it was.
db::Error Umple_HS_8(db::Connection& cn, const QList<Cod_CN>& coduri);

} // namespace bench
