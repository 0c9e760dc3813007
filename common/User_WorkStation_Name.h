#pragma once
// The name of the computer.

#include <QString>

// The computer's name, without the padding of the system's buffer; "?" when
// the system cannot tell.
QString Citeste_Nume_Calculator();
