#pragma once
// The publisher's contact card, Software\VELMORANT\EU under
// HKEY_LOCAL_MACHINE.

#include "platform/db/db.h"

#include <QList>
#include <QPair>
#include <QString>

// The card's twelve text values with their defaults, in the order written.
QList<QPair<QString, QString>> Valori_Implicite_EU();

// Creates the card with its defaults when the key is missing (an existing
// card is left as it is), then loads Producator_NumeFirma,
// Producator_Telefon and Producator_Email from it. Gives the first failure
// of the settings database, which stops it.
db::Error Initializeaza_Registrii_EU();
