"""The program's main road over the accessibility bus, as a screen reader
user or a test robot drives it, up to the open declaration: the company
chosen in the chooser's list through the row's action, the declaration
chooser opened from the main menu, the period chosen through its list, the
declaration opened. Used by the test of the road and by the measuring script
of bench/.

A failure raises Esec with what was not found.
"""

import os
import subprocess

import sesiune_atspi

FIRMA = "FIRMA DEMONSTRATIVA SRL"


class Esec(Exception):
    pass


def pregateste(pregatitor, seminte, program, linii, mari=True):
    """A program folder with a declaration of `linii` lines (atspi_pregateste)."""
    subprocess.run([pregatitor, seminte, program, str(linii)] + (["mari"] if mari else []), check=True)


def porneste(sesiune, program):
    """Starts the program of the folder with the accessibility bridge on."""
    sesiune.activeaza_in_proces()
    return sesiune.porneste([os.path.join(program, "Quorvel")], QUORVEL_PROGRAM_DIR=program,
                            QUORVEL_REGISTRY_DIR=os.path.join(program, "Registry"),
                            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")


class Program:
    """The running program as the accessibility bus shows it."""

    def __init__(self):
        import gi

        gi.require_version("Atspi", "2.0")
        import pyatspi

        self.pyatspi = pyatspi
        self.desktop = pyatspi.Registry.getDesktop(0)

    def aplicatia(self):
        for a in self.desktop:
            if a is not None and a.name == "Quorvel":
                return a
        return None

    def ferestre(self):
        a = self.aplicatia()
        return [w for w in (a or []) if w is not None]

    def fereastra(self, prefix, sfarsit=""):
        def caut():
            for w in self.ferestre():
                if w.name.startswith(prefix) and w.name.endswith(sfarsit):
                    return w
            return None
        w = sesiune_atspi.asteapta(caut)
        if w is None:
            raise Esec(f"no window named {prefix!r}...{sfarsit!r}")
        return w

    @staticmethod
    def gaseste(radacina, rol, nume=None, descriere=None):
        """The first object of the role (and name, or description) under radacina."""
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
            raise Esec(f"no {rol} {nume or descriere or ''!r} in {radacina.name!r}")
        return o

    @staticmethod
    def actiune(obiect, nume):
        a = obiect.queryAction()
        for i in range(a.nActions):
            if a.getName(i) == nume:
                a.doAction(i)
                return
        raise Esec(f"{obiect.getRoleName()} {obiect.name!r} has no action {nume}")

    def deschide_declaratia(self):
        """Goes the road; gives the declaration window."""
        alegere = self.fereastra("Quorvel : Selectare Firma")
        lista = self.gaseste(alegere, "combo box")
        self.actiune(self.gaseste(lista, "table cell", FIRMA), "Toggle")
        if not sesiune_atspi.asteapta(lambda: lista.name == FIRMA):
            raise Esec(f"the company list shows {lista.name!r}")
        self.actiune(self.gaseste(alegere, "push button", "OK"), "Press")

        meniu = self.fereastra("Quorvel ", FIRMA)
        self.gaseste(meniu, "label", "Firma selectata: " + FIRMA)
        self.actiune(self.gaseste(meniu, "menu item", "Prelucrare Declaratia Intrastat"), "Press")

        selectie = self.fereastra("Intrastat Selectie")
        self.actiune(self.gaseste(selectie, "list item", "O - 2026 - 1"), "Toggle")
        anul = self.gaseste(selectie, "text", "TXT_Anul")
        if not sesiune_atspi.asteapta(lambda: anul.queryText().getText(0, -1) == "2026"):
            raise Esec("choosing the period did not fill its boxes")
        self.actiune(self.gaseste(selectie, "push button", "OK - Vizualizare Perioada"), "Press")
        return self.fereastra("INTRASTAT -  ANUL: 2026   LUNA: 1")
