#pragma once
// The program's start (module Pornire).

#include <optional>

// Registers the windows of the start-up and the company register with Forms.
void Inregistreaza_Ferestre_Pornire();

// The start-up: refuses a second running copy and an unsupported platform,
// shows Frm_Inceput, reads the settings, checks Comun.mdb, then shows the
// company chooser. nullopt: the program lives on in its windows; a value:
// the program ends at once with that exit status (a run-time error has then
// been shown in an "EROARE" box).
std::optional<int> Main();
