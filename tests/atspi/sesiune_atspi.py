"""A desktop session of its own for driving the program over the
accessibility bus: a virtual display (Xvfb), a session bus and, started by
that bus when first asked, the accessibility bus with its registry.

Everything lives in a private runtime folder and ends with the session, so
runs side by side do not meet.
"""

import os
import shutil
import subprocess
import tempfile
import time


def lipsuri():
    """What this machine lacks for a session, as a sentence; '' when nothing."""
    lipsa = [p for p in ("Xvfb", "dbus-daemon") if shutil.which(p) is None]
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        lipsa.append("at-spi2-core")
    try:
        import gi

        gi.require_version("Atspi", "2.0")
        import pyatspi  # noqa: F401
    except (ImportError, ValueError):
        lipsa.append("python3-pyatspi")
    return ("missing: " + ", ".join(lipsa)) if lipsa else ""


class Sesiune:
    """Xvfb of the given size and a session bus; env holds what a program
    of the session needs (DISPLAY, DBUS_SESSION_BUS_ADDRESS, ...)."""

    def __init__(self, latime=1600, inaltime=1000):
        self._procese = []
        self.runtime = tempfile.mkdtemp(prefix="quorvel-atspi-")
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ)
        for v in ("QT_QPA_PLATFORM", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY",
                  "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY"):
            self.env.pop(v, None)
        self.env["XDG_RUNTIME_DIR"] = self.runtime
        # A home of the session's own: the program's lock, the bus and Qt's
        # own files stay out of the home of whoever runs the test.
        acasa = os.path.join(self.runtime, "home")
        os.mkdir(acasa, 0o700)
        self.env["HOME"] = acasa
        self.env["XDG_CACHE_HOME"] = os.path.join(acasa, ".cache")
        self.env["XDG_CONFIG_HOME"] = os.path.join(acasa, ".config")
        self.env["XDG_DATA_HOME"] = os.path.join(acasa, ".local", "share")
        self.env["XDG_STATE_HOME"] = os.path.join(acasa, ".local", "state")
        # And a temporary folder of its own, so that runs side by side (of
        # this user or of the same build) never meet in the system's one.
        temporar = os.path.join(self.runtime, "tmp")
        os.mkdir(temporar, 0o700)
        self.env["TMPDIR"] = temporar
        self.env["QT_QPA_PLATFORM"] = "xcb"
        try:
            citire, scriere = os.pipe()
            x = subprocess.Popen(
                ["Xvfb", "-displayfd", str(scriere), "-screen", "0", f"{latime}x{inaltime}x24",
                 "-nolisten", "tcp"],
                pass_fds=(scriere,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(scriere)
            self._procese.append(x)
            with os.fdopen(citire) as f:
                numar = f.readline().strip()
            if not numar:
                raise RuntimeError("Xvfb did not start")
            self.env["DISPLAY"] = ":" + numar
            bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                   env=self.env)
            self._procese.append(bus)
            adresa = bus.stdout.readline().strip()
            if not adresa:
                raise RuntimeError("the session bus did not start")
            self.env["DBUS_SESSION_BUS_ADDRESS"] = adresa
        except Exception:
            self.inchide()
            raise

    def activeaza_in_proces(self):
        """Points this process (a client of the session) at the session."""
        os.environ.update(self.env)

    def porneste(self, comanda, **extra):
        """Starts a program in the session; extra adds to its environment."""
        env = dict(self.env)
        env.update(extra)
        p = subprocess.Popen(comanda, env=env)
        self._procese.append(p)
        return p

    def inchide(self):
        for p in reversed(self._procese):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        self._procese.clear()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.inchide()


def asteapta(conditie, secunde=30.0, pas=0.1):
    """Asks until the condition gives a true value (returned) or time runs out (None)."""
    capat = time.monotonic() + secunde
    while True:
        try:
            r = conditie()
        except Exception:
            r = None
        if r:
            return r
        if time.monotonic() > capat:
            return None
        time.sleep(pas)
