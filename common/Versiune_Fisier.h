#pragma once
// The version record of the program: the running program's own, as the
// windows show it, and that of an executable file, read from the file.

#include <QString>
#include <optional>

struct Versiune_Fisier
{
    int major = 0;
    int minor = 0;
    int build = 0;
    int revizie = 0;
    bool operator==(const Versiune_Fisier&) const = default;
};

// The running program's version record.
Versiune_Fisier Versiune_Program();

// major + "." + minor + revision with no separator: "2.30" for 2.3.0.0.
QString Text_Versiune_Afisata();

// major + "." + minor + "." + revision: "2.3.0" for 2.3.0.0.
QString Text_Versiune_Completa();

// The version record an executable carries (the marker
// "QUORVEL_FILE_VERSION=major.minor.build.revision" embedded by the build),
// read from the file without running it. nullopt when the file cannot be
// read or carries no record.
std::optional<Versiune_Fisier> Citeste_Versiune_Fisier(const QString& cale);

// The record in a block of bytes (the first complete marker found).
std::optional<Versiune_Fisier> Cauta_Versiune_In(const QByteArray& octeti);
