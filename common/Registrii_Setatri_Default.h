#pragma once
// The default settings under Software\VELMORANT\Quorvel (HKEY_LOCAL_MACHINE).

#include "platform/db/db.h"

#include <QList>
#include <QString>

struct Setare_Implicita
{
    QString nume;
    db::Variant valoare;
    int tip = 1; // 1 text, 4 number
};

// The sub-keys of the settings, in the order they are created.
inline const QString Cheie_Produs = QStringLiteral("Software\\VELMORANT\\Quorvel");
inline const QString Cheie_Culori = QStringLiteral("Software\\VELMORANT\\Quorvel\\Setari\\Culori");
inline const QString Cheie_Zecimale = QStringLiteral("Software\\VELMORANT\\Quorvel\\Setari\\Zecimale");
inline const QString Cheie_FileLocation =
    QStringLiteral("Software\\VELMORANT\\Quorvel\\Setari\\FileLocation");

// A sub-key's defaults in the order they are written. The folders derive
// from the program folder; DirectorSalvare is "<home>/Program
// Files/INTRASTAT/declaratii/" when that folder exists, otherwise the
// program folder's System/IntrastatSave/.
QList<Setare_Implicita> Setari_Implicite(const QString& cheie);

// Writes AppPath (the program folder) at every start, and creates each
// settings sub-key with all its defaults when the sub-key is missing; an
// existing sub-key is never completed. Gives the first failure of the
// settings database, which stops it.
db::Error Scrie_Setari_Implicite();
