#pragma once
// The settings store of module RegistriiOperatii: keys and named values
// under root keys (HKEY_LOCAL_MACHINE\SOFTWARE\VELMORANT\Quorvel\...), kept
// either in the registry files (platform/registry) when Drepturi_HKLM is
// true, or in the settings database System/Registry/reg.mdb when it is
// false. Callers never know which.
//
// Roots are the 32-bit handles of Return_HKEY; the settings database writes
// them as signed decimals (HKEY_LOCAL_MACHINE is -2147483646). Value types:
// 1 = text, 4 = 32-bit number. Every database call opens and closes its own
// connection; every text placed into its SQL is quoted.
//
// Database failures: the procedures that have no handling of their own
// (Exista_Cheie, Seteaza_Valoare, Citeste_Valoare) hand the error to the
// caller through eroare; a caller that passes no eroare gets it shown as a
// message box instead. Registry failures are silent, as the registry calls
// report them by their result codes.

#include "common/RegistriiOperatii_Citire.h"
#include "platform/db/variant.h"
#include "platform/registry/registry.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace db {
struct Error;
}

bool Exista_Cheie(reg::HKEY radacina, const QString& cheie, db::Error* eroare = nullptr);
// Creates the key (registry: with every missing key above it); 0 when it was
// created or already there, otherwise the registry's code or, in the
// database, the error's number.
qint32 Creeaza_Cheie(const QString& cheie, reg::HKEY radacina);
// Writes a value. Registry: a missing key makes the write fail silently.
// Database: inserts the row (type letter "T" for type 1, "N" otherwise) or
// updates its Value only, keeping the type letter first written.
void Seteaza_Valoare(reg::HKEY radacina, const QString& cheie, const QString& nume,
                     const db::Variant& valoare, int tip, db::Error* eroare = nullptr);
// The value: text or a 32-bit number from the registry, Empty when the key or
// value is missing or of another type; always text from the database, ""
// when there is no row.
db::Variant Citeste_Valoare(reg::HKEY radacina, const QString& cheie, const QString& nume,
                            db::Error* eroare = nullptr);
// Writes straight into the registry whatever Drepturi_HKLM says; true only
// when the write succeeded. Start-up's test of the rights on
// HKEY_LOCAL_MACHINE.
bool Scrie_Registru_Windows(reg::HKEY radacina, const QString& cheie, const QString& nume,
                            const db::Variant& valoare, int tip);

// Registry only, on a key already open: returns the registry's code (87 when
// the value does not convert to the type; nothing is written for another
// type). Its reader is Citeste_Valoare_Cheie_Deschisa.
long Scrie_Valoare_Cheie_Deschisa(reg::HKEY cheie, const QString& nume, int tip, const db::Variant& valoare);

// The settings database's file: program folder + "/System/Registry/reg.mdb".
QString Cale_Baza_Registri();

// The conversions the settings readers apply: a 32-bit number and a byte,
// rounding halves to even; Empty gives 0; Null, a text that is no number and
// a number out of range give nothing.
std::optional<qint32> Valoare_La_Long(const db::Variant& valoare);
std::optional<quint8> Valoare_La_Byte(const db::Variant& valoare);
