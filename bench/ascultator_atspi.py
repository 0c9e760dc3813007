"""An accessibility client that behaves as a screen reader does: it listens
to the events a screen reader listens to and, on each change of focus, asks
about the focused object (name, role, states, description, text, value,
its cell place, its parent and window). It prints "ready" once listening
and, when ended (SIGTERM or SIGINT), how many events of each kind it got.

Run it inside a session of tests/atspi/sesiune_atspi.py.
"""

import signal
import sys
from collections import Counter

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402

EVENIMENTE = [
    "focus:",
    "window:activate",
    "window:deactivate",
    "window:create",
    "window:destroy",
    "object:state-changed",
    "object:text-changed",
    "object:text-caret-moved",
    "object:text-selection-changed",
    "object:children-changed",
    "object:property-change",
    "object:value-changed",
    "object:selection-changed",
    "object:active-descendant-changed",
    "object:row-inserted",
    "object:row-deleted",
    "object:row-reordered",
    "object:column-inserted",
    "object:column-deleted",
    "object:model-changed",
    "object:visible-data-changed",
]

numarate = Counter()
intrebari = Counter()


def intreaba(obiect):
    """What a screen reader reads of the object that got the focus."""
    if obiect is None:
        return
    intrebari["focus"] += 1
    try:
        _ = (obiect.name, obiect.getRoleName(), obiect.description)
        _ = obiect.getState().getStates()
        interfete = pyatspi.listInterfaces(obiect)
        if "Text" in interfete:
            t = obiect.queryText()
            _ = t.getText(0, min(t.characterCount, 500))
            _ = t.caretOffset
        if "Value" in interfete:
            _ = obiect.queryValue().currentValue
        if "TableCell" in interfete:
            _ = obiect.queryTableCell().position
        parinte = obiect.parent
        if parinte is not None:
            _ = (parinte.name, parinte.getRoleName(), obiect.getIndexInParent())
            if "Table" in pyatspi.listInterfaces(parinte):
                tabel = parinte.queryTable()
                _ = (tabel.nRows, tabel.nColumns)
        fereastra = obiect
        for _i in range(40):
            sus = fereastra.parent
            if sus is None or sus.getRoleName() == "application":
                break
            fereastra = sus
        _ = fereastra.name
    except Exception:  # the object may be gone meanwhile, as for a screen reader
        intrebari["gone"] += 1


def la_eveniment(e):
    numarate[e.type.name if hasattr(e.type, "name") else str(e.type)] += 1
    tip = str(e.type)
    if tip.startswith("focus") or (tip.startswith("object:state-changed:focused") and e.detail1):
        intreaba(e.source)
    elif tip.startswith("object:active-descendant-changed"):
        intreaba(e.any_data)
    elif tip.startswith("window:activate"):
        intreaba(e.source)


def opreste(*_):
    pyatspi.Registry.stop()


def main():
    pyatspi.Registry.registerEventListener(la_eveniment, *EVENIMENTE)
    signal.signal(signal.SIGTERM, opreste)
    signal.signal(signal.SIGINT, opreste)
    print("ready", flush=True)
    pyatspi.Registry.start()
    total = sum(numarate.values())
    print(f"events {total}", flush=True)
    for tip, n in sorted(numarate.items(), key=lambda x: -x[1]):
        print(f"  {n:8d}  {tip}", flush=True)
    print(f"focus questions {intrebari['focus']} (object gone {intrebari['gone']})", flush=True)


if __name__ == "__main__":
    main()
