#pragma once
// Whether one executable's file version is newer than another's.

#include <QString>
#include <optional>

// The file version of an executable as text, "major.minor.build.revision",
// read from the version record the file carries; "" when it carries none or
// cannot be read.
QString Versiune_Fisier_Text(const QString& cale);

// Compares two version texts part by part (the pieces between the points,
// as numbers): 1 when the first is newer, -1 when the second is, 0 when no
// difference is found. A second version longer than the first and ending in
// a part other than 0 counts as newer when the shorter one found no
// difference ("2.1" against "2.1.0.3" gives -1). nullopt when the comparison
// fails: the first has a part the second lacks with all earlier parts equal
// (as for a second version that is empty), neither has a part, or a part is
// no number.
std::optional<qint16> Compara_Versiuni(const QString& prima, const QString& aDoua);

// Compara_Versiuni on the two files' versions.
std::optional<qint16> Compara_Versiune_Fisier(const QString& primulFisier, const QString& alDoileaFisier);
