#pragma once
// Database compaction and file sizes (module Compact_Database).
//
// The program compacts the working company's database and Comun.mdb when it
// ends. The compacted copy is made in the CompactDB folder beside the
// database (the folder must exist: it belongs to the installed database
// folder) and stays there; the original is replaced only by a checked copy,
// so a failure leaves it as it was.

#include <QString>
#include <cstdint>
#include <optional>

// Compacts the database at path. A missing file does nothing. Shows the
// notice "Se va compacta baza de date: ..." first, and the engine's error
// (exclamation) when the compaction fails.
void Compacteaza_Baza_Date(const QString& cale);

// Compacts source into destination (the work copy) and replaces the source
// with it. False after a failure, which it has shown.
bool Compacteaza_Fisier_Jet(const QString& sursa, const QString& destinatie);

// The size of a file in KB: bytes / 1024 written with two decimals, that
// text then rounded to a whole number, halves to even (1536 bytes give 2,
// 2560 give 2). nullopt when the file cannot be measured (missing, a folder,
// 2 GB or more).
std::optional<std::int32_t> Marime_Fisier_KB(const QString& cale);

// The rounding of Marime_Fisier_KB on a byte count.
std::int32_t Kilobytes_Rotunjiti(std::int64_t octeti);
