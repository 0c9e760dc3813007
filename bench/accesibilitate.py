#!/usr/bin/python3
"""Measures the declaration window's verification and declaration file of
2,000 lines (bench_accesibilitate) on a virtual display, once without the
accessibility bridge and once with it on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
and a client listening as a screen reader does (ascultator_atspi.py), and
prints both times and their ratio.

It also times what a test robot pays to look a window up: the program
itself, on a declaration of 2,000 lines opened over the accessibility bus,
and one walk of the declaration window's whole accessible tree.

Usage: bench/accesibilitate.py [build folder]   (default: build)
Needs Xvfb, dbus-daemon, at-spi2-core and python3-pyatspi.
"""

import json
import os
import signal
import subprocess
import sys
import tempfile
import time

aici = os.path.dirname(os.path.abspath(__file__))
# The modules are read from the source tree, which gets no compiled copies.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(aici, "..", "tests", "atspi"))
import drum_atspi  # noqa: E402
import sesiune_atspi  # noqa: E402

LINII = 2000


def ruleaza(sesiune, bench, punte):
    env = dict(sesiune.env)
    if punte:
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    r = subprocess.run([bench, "--benchmark_format=json"], env=env, capture_output=True, text=True,
                       timeout=1800)
    if r.returncode != 0:
        sys.exit(f"{bench} failed:\n{r.stderr}")
    rezultat = json.loads(r.stdout)
    timpi = {}
    for b in rezultat["benchmarks"]:
        if b.get("error_occurred"):
            sys.exit(f"{b['name']}: {b.get('error_message')}")
        timpi[b["name"].split("/")[0]] = b["real_time"]
    return timpi


def main():
    lipsa = sesiune_atspi.lipsuri()
    if lipsa:
        sys.exit(lipsa)
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(aici, "..", "build")
    bench = os.path.join(build, "bin", "bench_accesibilitate")
    if not os.path.exists(bench):
        sys.exit(f"{bench} not built")
    with sesiune_atspi.Sesiune() as s:
        fara = ruleaza(s, bench, punte=False)
        ascultator = subprocess.Popen(["/usr/bin/python3", os.path.join(aici, "ascultator_atspi.py")],
                                      env=s.env, stdout=subprocess.PIPE, text=True)
        if ascultator.stdout.readline().strip() != "ready":
            sys.exit("the listening client did not start")
        cu = ruleaza(s, bench, punte=True)
        ascultator.send_signal(signal.SIGTERM)
        raport = ascultator.communicate(timeout=60)[0]
    print(f"{'':16s}{'without bridge':>16s}{'bridge+client':>16s}{'ratio':>8s}")
    for nume in fara:
        print(f"{nume:16s}{fara[nume]:13.0f} ms{cu[nume]:13.0f} ms{cu[nume] / fara[nume]:8.2f}")
    print("listening client:")
    print(raport, end="")
    obiecte, secunde = plimbare_robot(build)
    print(f"a robot's walk of the declaration window ({LINII} lines): {obiecte} objects in {secunde:.2f} s")


def plimbare_robot(build):
    """Objects and seconds of one walk of the open declaration's tree."""
    with tempfile.TemporaryDirectory(prefix="quorvel-robot-") as tmp:
        program = os.path.join(tmp, "program")
        drum_atspi.pregateste(os.path.join(build, "bin", "atspi_pregateste"), os.path.join(build, "app"),
                              program, LINII)
        with sesiune_atspi.Sesiune() as s:
            drum_atspi.porneste(s, program)
            declaratie = drum_atspi.Program().deschide_declaratia()
            numarate = [0]

            def parcurge(o):
                numarate[0] += 1
                _ = (o.name, o.getRoleName())
                for i in range(o.childCount):
                    c = o.getChildAtIndex(i)
                    if c is not None:
                        parcurge(c)
            inceput = time.monotonic()
            parcurge(declaratie)
            return numarate[0], time.monotonic() - inceput


if __name__ == "__main__":
    main()
