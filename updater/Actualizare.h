#pragma once
// The update of an installed Quorvel from an update package: the package's
// scripts on the common database, on every company database and on the
// company template, the dated backup of the installed executable and its
// replacement by a newer one, the grid query file and the tariff databases.
//
// The package, in the updater's own folder (Folder_Pachet_Update):
//   EXE/Quorvel               the new executable
//   SQL/Comun/*sql            one command per file, for Comun.mdb
//   SQL/DB/*sql               commands separated by CR LF "GO" CR LF, for
//                             every company database and goala.mdb
//   SYSTEM/SQL/Intrastat.txt  the grid query file
//   Tarif/                    tariff databases for the CN folder
//
// Each database takes all its scripts in one transaction: a command that
// fails leaves that database as it was, and the update goes on with the
// next. Files are written whole (a side file, then a rename); the installed
// executable is replaced only once its backup is written. Everything that
// failed or was skipped is told at the end.

#include "platform/db/db.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The registry keys of the installation (under HKEY_LOCAL_MACHINE).
inline const QString Cheie_Program_Update = QStringLiteral("Software\\VELMORANT\\Quorvel");
inline const QString Cheie_FileLocation_Update =
    QStringLiteral("Software\\VELMORANT\\Quorvel\\Setari\\FileLocation");

// Folder_BazaDate_Update from DataBase and Folder_Program_Update from
// AppPath; a value that cannot be read leaves its folder empty.
void Citeste_Foldere_Registru();

// One script file of the package and the commands it holds, in file order.
struct Script_Actualizare
{
    QString cale;
    QStringList comenzi;
};

// The package's scripts: those of SQL/Comun/ (each file one command) and of
// SQL/DB/ (each file's pieces between CR LF "GO" CR LF; a piece of blanks
// and line breaks only is no command). A script file is a file whose name
// ends in the letters SQL in any case; the files run in order of name and
// are read whole as UTF-8 text. A missing folder holds no scripts.
struct Scripturi_Pachet
{
    QList<Script_Actualizare> comun;
    QList<Script_Actualizare> db;
};

// nullopt when a file cannot be read or is no UTF-8 text, with the message
// in *eroare.
std::optional<Scripturi_Pachet> Citeste_Scripturi_Pachet(const QString& folderPachet,
                                                         QString* eroare = nullptr);

// Where the scripts of a database stopped: the file, the command (from 1)
// and the database's error; an empty file for an error of the transaction.
struct Esec_Script
{
    QString fisier;
    int comanda = 0;
    db::Error eroare;
};

// The common scripts on the common database, and the company scripts on a
// company database or the template: every command in file order, all in one
// transaction, committed only when every command ran. dupaFisier runs after
// each file (the window repaints).
std::optional<Esec_Script> Execute_Comun(db::Connection& conexiune, const Scripturi_Pachet& scripturi,
                                         const std::function<void()>& dupaFisier = {});
std::optional<Esec_Script> Execute_DB(db::Connection& conexiune, const Scripturi_Pachet& scripturi,
                                      const std::function<void()>& dupaFisier = {});

// The backup name of the executable: the date in the short date format
// given, every "/" and "\" turned into "_", then "_Quorvel".
QString Nume_Copie_Executabil(const QDate& data, const QString& formatDataScurta);

struct Rezultat_Actualizare
{
    // False when nothing was changed because the installation or the package
    // was not found, the program folder holds neither Quorvel nor
    // System/DataBase/Comun.mdb, Quorvel runs from it, or the common database is open in a Quorvel;
    // oprire then says why. A company database open in a Quorvel is left as
    // it was and told among the problems.
    bool facuta = false;
    QString oprire;
    // What failed or was skipped, one text each; empty for a complete update.
    QStringList probleme;
};

// The whole update, on Folder_BazaDate_Update, Folder_Program_Update (an
// existing folder ending with "/") and Folder_Pachet_Update. reimprospatare
// runs after each database and each script file.
Rezultat_Actualizare Actualizeaza_Quorvel(const std::function<void()>& reimprospatare = {});

// The end message: "Actualizare Terminata !", or the problems under
// "ACTUALIZARE TERMINATA CU ERORI :".
QString Mesaj_Final(const Rezultat_Actualizare& rezultat);
