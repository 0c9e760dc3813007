#!/usr/bin/python3
"""The program's main road driven over the accessibility bus (drum_atspi.py):
the company chosen in the chooser's list through the row's action, the
declaration chooser opened from the main menu, the period chosen through
its list, the declaration opened and its totals read, whole, from the
grid's footers, in the Romanian form the program takes where no locale is
chosen (it starts with none); then Alt+F4 closes the window.

Usage: tst_drum_atspi.py <atspi_pregateste> <seeded program folder>
Exits 77 (skipped) with the reason where at-spi2-core, python3-pyatspi,
Xvfb or a session bus are missing.
"""

import os
import sqlite3
import sys
import tempfile

# The modules are read from the source tree, which gets no compiled copies.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import drum_atspi  # noqa: E402
import sesiune_atspi  # noqa: E402

LINII = 40


def verifica(program):
    p = drum_atspi.Program()
    declaratie = p.deschide_declaratia()
    if not declaratie.name.endswith(f"INREGISTRARI : {LINII}"):
        raise drum_atspi.Esec(f"the declaration window is {declaratie.name!r}")
    grila = p.gaseste(declaratie, "table", "GridIntrastat")
    if grila.queryTable().nRows < LINII:
        raise drum_atspi.Esec(f"the grid has {grila.queryTable().nRows} rows")

    baza = sqlite3.connect(os.path.join(program, "System", "DataBase", "RO0000001.mdb"))
    sume = baza.execute("SELECT SUM(Val_Fiscala), SUM(Val_Stat), SUM(Net) FROM Intrastat "
                        "WHERE TIP='O' AND Anul=2026 AND Luna=1").fetchone()
    baza.close()
    for coloana, suma in zip(("Valoare Fiscala", "Valoare Statistica", "Net [Kg]"), sume):
        total = p.gaseste(grila, "label", descriere=coloana)
        asteptat = f"{suma:,.0f}".replace(",", ".")
        if total.name != asteptat or total.queryText().getText(0, -1) != asteptat:
            raise drum_atspi.Esec(f"the total of {coloana} reads {total.name!r}, not {asteptat!r}")

    # Alt+F4 closes the window from the keyboard.
    pyatspi = p.pyatspi
    pyatspi.Registry.generateKeyboardEvent(8, None, pyatspi.KEY_LOCKMODIFIERS)  # Alt
    pyatspi.Registry.generateKeyboardEvent(0xFFC1, None, pyatspi.KEY_SYM)  # F4
    pyatspi.Registry.generateKeyboardEvent(8, None, pyatspi.KEY_UNLOCKMODIFIERS)
    if not sesiune_atspi.asteapta(lambda: all(not w.name.startswith("INTRASTAT") for w in p.ferestre()), 15):
        raise drum_atspi.Esec("Alt+F4 did not close the declaration window")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: tst_drum_atspi.py <atspi_pregateste> <seeded program folder>")
    lipsa = sesiune_atspi.lipsuri()
    if lipsa:
        print("SKIP: " + lipsa, flush=True)
        sys.exit(77)
    with tempfile.TemporaryDirectory(prefix="quorvel-drum-") as tmp:
        program = os.path.join(tmp, "program")
        drum_atspi.pregateste(sys.argv[1], sys.argv[2], program, LINII)
        with sesiune_atspi.Sesiune() as s:
            for v in ("LC_ALL", "LANG", "LANGUAGE", "LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MESSAGES",
                      "LC_MEASUREMENT", "LC_COLLATE"):
                s.env.pop(v, None)
            drum_atspi.porneste(s, program)
            try:
                verifica(program)
            except drum_atspi.Esec as e:
                print(f"FAIL: {e}", flush=True)
                sys.exit(1)
    print("PASS", flush=True)


if __name__ == "__main__":
    main()
