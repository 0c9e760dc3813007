#pragma once
// The registry reading that both programs carry: the root handles by name
// and the read of one value, from a key already open or by its key's path.

#include "platform/db/variant.h"
#include "platform/registry/registry.h"

#include <QString>

// The handle of one of the seven root names, compared with case; 0 for any
// other name.
reg::HKEY Return_HKEY(const QString& numeRadacina);

// Registry only, on a key already open. Returns 0, the failing code with the
// value left as it was, or -1 for a value of another type.
long Citeste_Valoare_Cheie_Deschisa(reg::HKEY cheie, const QString& nume, db::Variant& valoare);

// One value of the registry: the key opened with access 63, read, closed.
// Text, or a number for a 32-bit value; Empty when it cannot be read.
db::Variant Citeste_Valoare_Registru(reg::HKEY radacina, const QString& cheie, const QString& nume);
