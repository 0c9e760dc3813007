#pragma once
// A file handed to the program that shows it (the viewer the settings name,
// or xdg-open, the desktop's opener), with its answer waited for: a file
// that nothing could open is said, with its full path, never passed over.

#include <QString>
#include <QStringList>
#include <optional>

// Starts the program with the arguments and waits for its exit status, a
// few seconds at most (the program waits with it). Ended with 0, or still
// running when the wait ends (a viewer that the opener runs in its own
// place, left running when the program ends), the file counts as opened:
// nullopt. Otherwise the reason, in Romanian: the program could not be
// started, it stopped abnormally, or its exit status (xdg-open's read as
// what it means).
std::optional<QString> Porneste_Deschiderea(const QString& program, const QStringList& argumente);

// The box's text for a file that could not be opened: that it could not,
// its full path on a line of its own, and the reason.
QString Text_Fisier_Nedeschis(const QString& cale, const QString& motiv);

// The reason for a file that no program was found to open: the viewer the
// settings name is not on this machine (or none is named).
QString Motiv_Fara_Vizualizator(const QString& program);

// Opens the file with the program; where it fails, a box says so
// (Text_Fisier_Nedeschis). True when it opened.
bool Deschide_Fisier(const QString& program, const QString& cale);
