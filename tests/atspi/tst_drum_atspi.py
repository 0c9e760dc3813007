#!/usr/bin/python3
"""The program's main road driven over the accessibility bus, as a screen
reader user or a test robot drives it: the company chosen in the chooser's
list through the row's action, the declaration chooser opened from the main
menu, the period chosen through its list, the declaration opened and its
totals read from the grid's footers; then Alt+F4 closes the window.

Usage: tst_drum_atspi.py <atspi_pregateste> <seeded program folder>
Exits 77 (skipped) with the reason where at-spi2-core, python3-pyatspi,
Xvfb or a session bus are missing.
"""

import os
import sqlite3
import subprocess
import sys
import tempfile

aici = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, aici)
import sesiune_atspi  # noqa: E402

FIRMA = "FIRMA DEMONSTRATIVA SRL"
LINII = 40


def esec(text):
    print("FAIL: " + text, flush=True)
    sys.exit(1)


def main():
    if len(sys.argv) != 3:
        esec("usage: tst_drum_atspi.py <atspi_pregateste> <seeded program folder>")
    lipsa = sesiune_atspi.lipsuri()
    if lipsa:
        print("SKIP: " + lipsa, flush=True)
        sys.exit(77)
    pregateste, seminte = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="quorvel-drum-") as tmp:
        program = os.path.join(tmp, "program")
        subprocess.run([pregateste, seminte, program, str(LINII), "mari"], check=True)
        with sesiune_atspi.Sesiune() as s:
            s.activeaza_in_proces()
            s.porneste([os.path.join(program, "Quorvel")], QUORVEL_PROGRAM_DIR=program,
                       QUORVEL_REGISTRY_DIR=os.path.join(program, "Registry"),
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            drum(program)
    print("PASS", flush=True)


def drum(program):
    import gi

    gi.require_version("Atspi", "2.0")
    import pyatspi

    desktop = pyatspi.Registry.getDesktop(0)

    def aplicatia():
        for a in desktop:
            if a is not None and a.name == "Quorvel":
                return a
        return None

    def fereastra(prefix, sfarsit=""):
        def caut():
            a = aplicatia()
            for w in a or []:
                if w is not None and w.name.startswith(prefix) and w.name.endswith(sfarsit):
                    return w
            return None
        w = sesiune_atspi.asteapta(caut)
        if w is None:
            esec(f"no window named {prefix!r}...{sfarsit!r}")
        return w

    def gaseste(radacina, rol, nume=None, descriere=None):
        """The first object of the role (and name) under radacina."""
        def potrivit(o):
            return (o.getRoleName() == rol and (nume is None or o.name == nume)
                    and (descriere is None or o.description == descriere))
        def cauta(o, adancime):
            if potrivit(o):
                return o
            if adancime == 0:
                return None
            for i in range(o.childCount):
                c = o.getChildAtIndex(i)
                r = cauta(c, adancime - 1) if c is not None else None
                if r is not None:
                    return r
            return None
        o = sesiune_atspi.asteapta(lambda: cauta(radacina, 12))
        if o is None:
            esec(f"no {rol} {nume or descriere or ''!r} in {radacina.name!r}")
        return o

    def actiune(obiect, nume):
        a = obiect.queryAction()
        for i in range(a.nActions):
            if a.getName(i) == nume:
                a.doAction(i)
                return
        esec(f"{obiect.getRoleName()} {obiect.name!r} has no action {nume}")

    # The company chooser: the second company of the list, through its row.
    alegere = fereastra("Quorvel : Selectare Firma")
    lista = gaseste(alegere, "combo box")
    actiune(gaseste(lista, "table cell", FIRMA), "Toggle")
    if not sesiune_atspi.asteapta(lambda: lista.name == FIRMA):
        esec(f"the company list shows {lista.name!r}")
    actiune(gaseste(alegere, "push button", "OK"), "Press")

    # The main window, its menu command.
    meniu = fereastra("Quorvel ", FIRMA)
    if gaseste(meniu, "label", "Firma selectata: " + FIRMA) is None:
        esec("the main window names another company")
    actiune(gaseste(meniu, "menu item", "Prelucrare Declaratia Intrastat"), "Press")

    # The declaration chooser: the period through its list, then open it.
    selectie = fereastra("Intrastat Selectie")
    actiune(gaseste(selectie, "list item", "O - 2026 - 1"), "Toggle")
    anul = gaseste(selectie, "text", "TXT_Anul")
    if not sesiune_atspi.asteapta(lambda: anul.queryText().getText(0, -1) == "2026"):
        esec("choosing the period did not fill its boxes")
    actiune(gaseste(selectie, "push button", "OK - Vizualizare Perioada"), "Press")

    # The declaration: its totals, whole, as the footers show them.
    declaratie = fereastra("INTRASTAT -  ANUL: 2026   LUNA: 1")
    if not declaratie.name.endswith(f"INREGISTRARI : {LINII}"):
        esec(f"the declaration window is {declaratie.name!r}")
    grila = gaseste(declaratie, "table", "GridIntrastat")
    baza = sqlite3.connect(os.path.join(program, "System", "DataBase", "RO0000001.mdb"))
    sume = baza.execute("SELECT SUM(Val_Fiscala), SUM(Val_Stat), SUM(Net) FROM Intrastat "
                        "WHERE TIP='O' AND Anul=2026 AND Luna=1").fetchone()
    baza.close()
    for coloana, suma in zip(("Valoare Fiscala", "Valoare Statistica", "Net [Kg]"), sume):
        total = gaseste(grila, "label", descriere=coloana)
        asteptat = f"{suma:,.0f}"
        if total.name != asteptat:
            esec(f"the total of {coloana} reads {total.name!r}, not {asteptat!r}")
        if total.queryText().getText(0, -1) != asteptat:
            esec(f"the text of the total of {coloana} is not {asteptat!r}")
    tabel = grila.queryTable()
    if tabel.nRows < LINII:
        esec(f"the grid has {tabel.nRows} rows")

    # Alt+F4 closes the window from the keyboard.
    pyatspi.Registry.generateKeyboardEvent(8, None, pyatspi.KEY_LOCKMODIFIERS)
    pyatspi.Registry.generateKeyboardEvent(0xFFC1, None, pyatspi.KEY_SYM)  # F4
    pyatspi.Registry.generateKeyboardEvent(8, None, pyatspi.KEY_UNLOCKMODIFIERS)

    def inchisa():
        a = aplicatia()
        return a is not None and all(not w.name.startswith("INTRASTAT") for w in a if w is not None)
    if not sesiune_atspi.asteapta(inchisa, 15):
        esec("Alt+F4 did not close the declaration window")


if __name__ == "__main__":
    main()
