#pragma once
// The declaration chooser's work: the periods and the imported files of
// table Intrastat, the checked period, the filters handed to the declaration
// window, and the deletion of one imported file's lines.

#include "platform/db/db.h"

#include <QString>
#include <QStringList>
#include <optional>

// The period list (newest first, "I" before "O") and the file list.
extern const QString SQL_Perioade_Intrastat;
extern const QString SQL_Fisiere_Intrastat;

// The combo's items: type & " - " & year & " - " & month, in the list's order.
db::Result<QStringList> Perioade_Intrastat(db::Connection& firma);

// The pieces of a combo item, trimmed (type, year, month; fewer when the text
// has fewer). Nothing when the text is blank or holds no " - ".
std::optional<QStringList> Imparte_Perioada(const QString& text);

// A period as typed, checked: a year of 4 digits, a month from 1 to 12 and
// the type I or O (either case). Blank boxes are the caller's to refuse first.
struct Perioada_Intrastat
{
    QString tip; // "I" or "O"
    int anul = 0;
    int luna = 0;
};
struct Perioada_Verificata
{
    std::optional<Perioada_Intrastat> perioada;
    QString mesaj; // why it was refused
};
Perioada_Verificata Verifica_Perioada(const QString& tip, const QString& anul, const QString& luna);

// The declaration's clause (Clauza_Declaratie) of the period and the fiscal
// code: " WHERE [TIP]='..' AND [Cod_Fiscal]='..' AND [Anul]=.. AND [Luna]=..".
QString Filtru_Perioada(const Perioada_Intrastat& perioada, const QString& codFiscal);

// One row of the file list: the lines of one file imported for one period
// by one user at one time.
struct Fisier_Preluat
{
    QString tip;
    QString codFiscal;
    int anul = 0;
    int luna = 0;
    db::Variant fisier; // SourceFile
    db::Variant utilizator;
    db::Variant dataPreluare;
    int nrInregistrari = 0;
};
// The row of the list record set at the given row (0-based).
Fisier_Preluat Fisier_Din_Lista(const db::Recordset& lista, int rand);

// " WHERE SourceFile='..' AND Cod_Fiscal='..' AND Anul=.. AND Luna=.. AND Tip='..'".
QString Filtru_Fisier(const Fisier_Preluat& fisier);

// "Stergeti toate cele " & n & " inregistrari aferente fisierului preluat ?"
QString Intrebare_Stergere(const Fisier_Preluat& fisier);

// Deletes the lines of that row, exactly the ones counted in it (same file,
// fiscal code, period, type, user and import time), in one transaction.
// When the database holds another number of them than the row announced,
// nothing is deleted and the error says so. Gives the number deleted.
db::Result<qint64> Sterge_Fisier_Preluat(db::Connection& firma, const Fisier_Preluat& fisier);
