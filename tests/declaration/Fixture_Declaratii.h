#pragma once
// Declaration lines for the tests and the benchmarks: a company database
// made from the template, filled with lines of several declarations,
// imported files and periods.
//
// The standard set (Fisiere_Standard) is small and fixed, so tests can name
// its numbers; the generators make the large sets of the benchmarks.

#include "platform/db/db.h"

#include <QDate>
#include <QList>
#include <QString>

// One line of table Intrastat. Numbers left Empty are written as Null.
struct Linie_Intrastat
{
    QString tip = QStringLiteral("O");
    QString codFiscal = QStringLiteral("RO123");
    int anul = 2015;
    int luna = 3;
    QString codNC = QStringLiteral("84713000");
    QString descriereNC;
    QString taraOrig = QStringLiteral("DE");
    QString taraExp = QStringLiteral("RO");
    QString taraDest = QStringLiteral("DE");
    db::Variant valFiscala = 1000.0;
    db::Variant valStat = 1000.0;
    db::Variant net = 10.0;
    db::Variant codUMS;
    db::Variant valUMS;
    QString natTranz = QStringLiteral("11");
    QString incoterms = QStringLiteral("EXW");
    QString modTransp = QStringLiteral("3");
    QString documentNumar;
    QString documentData;
    QString descriere;
    db::Variant cantitate;
    QString um;
    db::Variant valoareValuta;
    QString moneda;
    db::Variant cursSchimb;
    db::Variant vatId; // Null unless set
    QString sourceFile = QStringLiteral("a.xlsx");
    QString sourceFileFullPath; // "/date/" + sourceFile when empty
    QDate dataPreluare = QDate(2015, 4, 2);
    db::Variant userName = QStringLiteral("ion");
    bool probleme = false;
    bool existaUMS = false;
    int pozitia = 0; // 0: the line's place in its file
};

// Appends the lines in one transaction; Record_ID comes from the database.
db::Error Adauga_Linii(db::Connection& firma, const QList<Linie_Intrastat>& linii);

// One imported file of one period, as the chooser lists it.
struct Fisier_Test
{
    QString tip;
    QString codFiscal;
    int anul = 0;
    int luna = 0;
    QString fisier;
    QString utilizator;
    QDate dataPreluare;
    int nrLinii = 0;
};

// The lines of one file: line i (from 0) takes values that vary with i
// (code, countries, values, transport), Val_Fiscala = 1000 + 10 * i and
// Val_Stat = Val_Fiscala, Net = 10 + i.
QList<Linie_Intrastat> Linii_Fisier(const Fisier_Test& fisier);

// The standard company (fiscal code RO123, and RO999 for another company's
// file), in the order the lines are added:
//   O 2015  3  a.xlsx       ion 2015-04-02  12 lines
//   O 2015  3  O'Neil.xlsx  ion 2015-04-03   3
//   I 2015  3  a.xlsx       ana 2015-04-05   4   (same name, other type)
//   O 2015  4  a.xlsx       ion 2015-05-04   2   (same name, other month)
//   I 2015 12  dec.xlsx     ion 2016-01-10   5
//   O 2015 12  dec.xlsx     ion 2016-01-11   6
//   O 2016  1  ian.xlsx     ion 2016-02-01   3
//   O 2016  1  ian.xlsx     ana 2016-02-03   2   (imported again, other user)
//   O 2015  3  alta.xlsx    ion 2015-04-06   2   RO999
const QList<Fisier_Test>& Fisiere_Standard();
db::Error Populeaza_Firma_Standard(db::Connection& firma);

// Large sets. A declaration of n lines spread over the given number of
// files; and n lines spread evenly over the given number of periods (both
// types, counting back month by month from December 2025), each period in
// two files.
db::Error Genereaza_Declaratie(db::Connection& firma, const QString& tip, const QString& codFiscal, int anul,
                               int luna, int nrLinii, int nrFisiere = 1);
db::Error Genereaza_Perioade(db::Connection& firma, const QString& codFiscal, int nrLinii, int nrPerioade);

// A new company database at the target path, copied from the template.
bool Creeaza_Firma_Din_Sablon(const QString& goala, const QString& tinta);
