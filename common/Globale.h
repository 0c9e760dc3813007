#pragma once
// The process-wide values of the program, one group per owning module.
// Each group keeps its values together with a reset function that tests call
// to start from the state the program has before it first sets them.
// Append a group for your module below; keep includes light.

#include <QString>

// --- System queries (common/RegistriiOperatii, Module_UserName,
//     User_WorkStation_Name): the operating system, the user and the computer.
// Version text "<name> version: <major>.<minor>", empty until Versiune_Windows
// succeeds.
inline QString Text_Versiune_Windows;
// The user name as the company chooser keeps it ("N/A" when not readable).
inline QString Utilizator_Windows;
// The computer name read at start-up ("?" when not readable).
inline QString Nume_Calculator;

inline void Reseteaza_Globale_Sistem()
{
    Text_Versiune_Windows.clear();
    Utilizator_Windows.clear();
    Nume_Calculator.clear();
}
