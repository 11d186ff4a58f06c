"""End-to-end test of the built torvelin-rechner on a private desktop (Xvfb,
openbox, the accessibility bus), driven by keyboard and mouse and read
through AT-SPI, with its answers compared against a plain enumeration.

    rechner_e2e.py --binary build/src/rechner/torvelin-rechner --artifacts build/e2e-rechner

Exit status 0 when every check passes, 1 when one fails, 77 when no X server
can be started. It sets up its own session (a scratch home, German numbers,
a D-Bus session of its own) and runs itself again inside it.
"""

import argparse
import itertools
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from desktop import wait_for  # noqa: E402 - found beside this script

# A range of the user's own, in their configuration folder: lengths in mm.
USER_RANGE = {"20-000": 248.0, "20-020": 124.0, "20-040": 62.0, "20-091A": 45.5}
USER_RANGE_FILE = "# Testsortiment\n" + "".join(
    f"{a} {l} {a.replace('-', ' ')}\n" for a, l in USER_RANGE.items())


# Object name: (AT-SPI role, German accessible name).
NAMES = {
    "cmbSortiment": ("combo box", "Sortiment:"),
    "lblHerkunft": ("label", "Herkunft des Sortiments"),
    "tblGleise": ("table", "Gleise des Sortiments"),
    "txtLuecke": ("text", "Lücke in mm"),
    "spnMinus": ("spin button", "Minus-Toleranz in mm"),
    "spnPlus": ("spin button", "Plus-Toleranz in mm"),
    "spnGleise": ("spin button", "höchstens so viele Gleise"),
    "chkNurBestand": ("check box", "nur vorhandene Gleise verwenden"),
    "spnStoss": ("spin button", "Zugabe je Gleisstoß in mm"),
    "lblAnzahl": ("label", "Anzahl der Ergebnisse"),
    "tblErgebnisse": ("table", "Ergebnisse"),
    "lstNaechste": ("list", "nächste Längen"),
    "tblStueckliste": ("table", "Stückliste"),
    "tblEinkauf": ("table", "Einkaufsliste"),
    "spnVersatz": ("spin button", "verlegter Strang zu lang um mm"),
    "lstTausch": ("list", "Tauschvorschläge"),
    "lblTausch": ("label", "Hinweis zum Tauschen"),
}


def fits(lengths, wanted, minus, plus, most, limits=None):
    """Every multiset of at most `most` pieces whose sum (hundredths of a mm)
    lies in [wanted - minus, wanted + plus]: {article: count} dicts."""
    units = {a: round(l * 100) for a, l in lengths.items()}
    articles = sorted(units)
    found = []
    for n in range(1, most + 1):
        for combo in itertools.combinations_with_replacement(articles, n):
            counts = {a: combo.count(a) for a in set(combo)}
            if limits and any(counts[a] > limits.get(a, 0) for a in counts):
                continue
            if wanted - minus <= sum(units[a] for a in combo) <= wanted + plus:
                found.append(counts)
    return found


def pieces_text(counts, labels):
    """As the results table shows a row: longest first, "2 × 20 000"."""
    order = sorted(counts, key=lambda a: -USER_RANGE[a])
    return ", ".join(f"{counts[a]} × {labels[a]}" for a in order)


class Rechner:
    """The running program as the desktop and a screen reader see it."""

    def __init__(self, desktop, process):
        import a11y
        self.a11y, self.desktop, self.process = a11y, desktop, process
        self.window = wait_for("the window to be mapped",
                               lambda: (desktop.windows_of(process.pid) or [None])[0], timeout=20)
        self.app = wait_for("the program on the accessibility bus",
                            lambda: a11y.application(process.pid), timeout=20)
        self.frame = wait_for("the window's accessible", lambda: self._frame())

    def _frame(self):
        for i in range(self.app.get_child_count()):
            node = self.app.get_child_at_index(i)
            if node is not None and self.a11y.name(node) == "Torvelin Gleisrechner":
                return node
        return None

    def find(self, object_name):
        """A control by its object name, through the German name a screen
        reader hears (Qt 6.4 does not hand object names to AT-SPI). A slow
        program may not have its whole tree on the bus yet: looked for again
        for a while. On Linux a combo box's name is its current text; the
        range chooser is known by the label that names it."""
        return wait_for(f"{object_name} on the accessibility bus",
                        lambda: self._find(object_name))

    def _find(self, object_name):
        role, name = NAMES[object_name]
        heard = self.a11y.labels if object_name == "cmbSortiment" else \
            lambda node: [self.a11y.name(node)]
        return next((node for node in self.a11y.walk(self.frame)
                     if self.a11y.role(node) == role and name in heard(node)), None)

    def text(self, object_name):
        return self.a11y.text(self.find(object_name))

    def description(self, object_name):
        return self.find(object_name).get_description()

    def showing(self, object_name):
        from gi.repository import Atspi
        return self.find(object_name).get_state_set().contains(Atspi.StateType.SHOWING)

    def count(self):
        return self.description("lblAnzahl")

    def rows(self, object_name):
        node = self.find(object_name)
        rows, _ = self.a11y.table_size(node)
        return [self.a11y.row_texts(node, r) for r in range(rows)]

    def client(self):
        return self.desktop.client_geometry(self.window)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    artifacts = os.path.abspath(args.artifacts)
    binary = os.path.abspath(args.binary)
    if os.environ.get("RECHNER_E2E_SESSION") != "1":
        return outer(binary, artifacts)
    return inner(binary, artifacts)


def outer(binary, artifacts):
    """A session of its own: nothing of the caller's desktop, home or locale
    leaks in."""
    shutil.rmtree(artifacts, ignore_errors=True)
    os.makedirs(artifacts)
    env = {k: v for k, v in os.environ.items()
           if not k.startswith("LC_") and k not in (
               "DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
               "XDG_RUNTIME_DIR", "SESSION_MANAGER", "LANGUAGE", "XDG_CONFIG_HOME")}
    runtime = tempfile.mkdtemp(prefix="rechner-e2e-run.")
    env.update(RECHNER_E2E_SESSION="1", XDG_RUNTIME_DIR=runtime, HOME=os.path.join(artifacts, "home"),
               LANG="de_DE.UTF-8", LC_CTYPE="C.UTF-8", PYTHONDONTWRITEBYTECODE="1")
    os.makedirs(env["HOME"])
    try:
        return subprocess.run(["dbus-run-session", "--", "/usr/bin/python3", __file__,
                               "--binary", binary, "--artifacts", artifacts], env=env).returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


def inner(binary, artifacts):
    import desktop as dt
    from desktop import StepFailed, wait_for

    home = os.environ["HOME"]
    config = os.path.join(home, ".config", "Torvelin")
    os.makedirs(os.path.join(config, "ranges"))
    with open(os.path.join(config, "ranges", "e2e-n.txt"), "w") as f:
        f.write(USER_RANGE_FILE)
    ini = os.path.join(config, "Gleisrechner.ini")

    desktop = dt.Desktop(artifacts)
    try:
        desktop.start()
    except dt.Skip as why:
        desktop.stop()
        print(f"SKIP: {why}")
        return 77
    results = []

    def check(name, ok, detail=""):
        detail = str(detail)
        results.append((ok, name))
        if not ok:
            shot = desktop.screenshot(os.path.join(artifacts, f"failure-{len(results):02d}.png"))
            detail += f"\n      screenshot: {shot}"
        print(f"{'PASS' if ok else 'FAIL':5} {name}" + ("" if ok else f"\n      {detail}"),
              flush=True)
        return ok

    def equal(name, actual, expected):
        return check(name, actual == expected, f"expected {expected!r}, got {actual!r}")

    def settles(probe, timeout=10):
        try:
            return wait_for("a condition", probe, timeout=timeout)
        except StepFailed:
            return False

    env = {"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
           "QT_ACCESSIBILITY": "1"}

    def start(extra=None):
        process = desktop.launch([binary], home, dict(env, **(extra or {})), "rechner.log")
        r = Rechner(desktop, process)
        desktop.activate(r.window)
        return r

    def keys(*k):
        desktop.key(*k)

    def replace(mnemonic, text):
        """Alt+letter to the box, everything in it replaced by typing."""
        keys(f"alt+{mnemonic}")
        keys("ctrl+a")
        desktop.type_text(text)

    def answered(r):
        return settles(lambda: r.count() and not r.count().endswith("…") and " von " in r.count())

    def close(r):
        desktop.close_request(r.window)
        wait_for("the program to end", lambda: r.process.poll() is not None)

    labels = {a: a.replace("-", " ") for a in USER_RANGE}
    began = time.monotonic()
    try:
        # -- start, names, ranges ---------------------------------------------
        r = start()
        equal("title", desktop.title(r.window), "Torvelin Gleisrechner")
        wm_class = dt.run("xprop", "-id", hex(r.window), "WM_CLASS")
        check("WM_CLASS names the desktop entry's class", '"Gleisrechner"' in wm_class, wm_class)
        for name in ["cmbSortiment", "tblGleise", "txtLuecke", "spnMinus", "spnPlus",
                     "spnGleise", "chkNurBestand", "spnStoss", "tblErgebnisse", "lstNaechste",
                     "tblStueckliste", "tblEinkauf"]:
            check(f"{name} found by its German name", settles(lambda: r._find(name)))

        # The user's range, chosen by keyboard from the chooser.
        # The ranges beyond the current one are listed by a thread after the
        # first paint: Down until the user's range is current, from the top
        # again whenever the end of the list is reached.
        keys("alt+s")
        combo = r.find("cmbSortiment")

        def step_to_user_range():
            before = r.a11y.name(combo)
            if "e2e-n" in before:
                return True
            keys("Down")
            time.sleep(0.1)
            if r.a11y.name(combo) == before:
                keys("Home")
            return False
        settles(step_to_user_range, timeout=20)
        check("the user's range is offered, with where it came from",
              settles(lambda: "e2e-n.txt" in r.description("lblHerkunft")),
              r.description("lblHerkunft"))

        # -- answers against an enumeration --------------------------------------
        replace("m", "1")
        replace("p", "1")
        replace("l", "620,5")
        expected = fits(USER_RANGE, 62050, 100, 100, 9)
        answered(r)
        equal("620,5 ± 1 mm: N von M", r.count(), f"{len(expected)} von {len(expected)}")
        shown = sorted(row[-1] for row in r.rows("tblErgebnisse"))
        equal("620,5 ± 1 mm: the rows", shown, sorted(pieces_text(c, labels) for c in expected))

        # Owned counts and a price typed into the piece table (search order:
        # 20-091A, 20-040, 20-020, 20-000; columns: …, Bestand 4, Preis 5).
        table = r.find("tblGleise")
        dt.run("xdotool", "windowsize", "--sync", str(r.window), "1240", "760")
        time.sleep(0.5)
        for row, column, value in [(3, 4, "2"), (3, 5, "19,90"), (1, 4, "1")]:
            desktop.click(*r.a11y.centre(r.a11y.cell_node(table, row, column)), repeat=2)
            time.sleep(0.3)
            keys("ctrl+a")
            desktop.type_text(value)
            keys("Return")
        settles(lambda: r.a11y.cell(table, 3, 5) == "19,90")
        equal("piece table: owned and price", [r.a11y.cell(table, 3, c) for c in (4, 5)],
              ["2", "19,90"])
        keys("alt+v")
        owned = fits(USER_RANGE, 62050, 100, 100, 9, {"20-000": 2, "20-040": 1})
        settles(lambda: r.count() == f"{len(owned)} von {len(owned)}")
        equal("only owned pieces: N von M", r.count(), f"{len(owned)} von {len(owned)}")
        equal("only owned pieces: the rows", sorted(row[-1] for row in r.rows("tblErgebnisse")),
              sorted(pieces_text(c, labels) for c in owned))
        keys("alt+v")
        answered(r)

        # -- nothing fits -------------------------------------------------------
        replace("m", "0")
        replace("p", "0")
        replace("l", "10")
        check("nothing fits: the nearest lengths instead of the table",
              settles(lambda: r.showing("lstNaechste") and not r.showing("tblErgebnisse")))
        nearest = r.find("lstNaechste")
        item = r.a11y.name(nearest.get_child_at_index(0)) if nearest.get_child_count() else None
        check("nothing fits: 45,5 mm above, 35,5 mm more", item is not None and item.startswith(
            "45,5 mm darüber: Plus-Toleranz 35,5 mm"), repr(item))
        keys("alt+a")
        settles(lambda: r.count() == "1 von 1")
        equal("widened: plus tolerance", r.a11y.value(r.find("spnPlus")), 35.5)
        equal("widened: the one row", r.count(), "1 von 1")

        # -- the chosen row: lists, CSV, PDF, swaps ---------------------------------
        replace("p", "0")
        replace("l", "372")
        answered(r)
        keys("alt+e")
        keys("Home")
        rows = r.rows("tblErgebnisse")
        parts = r.rows("tblStueckliste")
        check("parts list of the chosen row", bool(parts) and parts[-1][2] == "Summe", repr(parts))
        csv = os.path.join(artifacts, "liste.csv")
        keys("alt+c")
        dialog = wait_for("the save dialog", lambda: [w for w in desktop.windows_of(r.process.pid)
                                                       if w != r.window])
        time.sleep(0.5)
        keys("ctrl+a")
        desktop.type_text(csv)
        keys("Return")
        settles(lambda: os.path.exists(csv))
        content = open(csv, encoding="utf-8", newline="").read() if os.path.exists(csv) else ""
        check("CSV: parts list and shopping list", content.startswith(
            "Anzahl;Artikel;Bezeichnung;Stückpreis;Preis\r\n"), repr(content[:200]))
        del dialog

        pdf = os.path.join(artifacts, "liste.pdf")
        keys("alt+u")
        dialog = wait_for("the printer dialog", lambda: next(
            (n for n in (r.app.get_child_at_index(i) for i in range(r.app.get_child_count()))
             if n is not None and r.a11y.role(n) == "dialog"), None))
        output, button = wait_for("the printer dialog's controls", lambda: r.a11y.descendants(
            dialog, ("text", "Ausgabedatei:"), ("push button", "Drucken")))
        desktop.click(*r.a11y.centre(output))
        keys("ctrl+a")
        desktop.type_text(pdf)
        desktop.click(*r.a11y.centre(button))
        text = settles(lambda: subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                                              text=True).stdout if os.path.exists(pdf) else "")
        check("PDF: range, gap and date on the page",
              bool(text) and "e2e-n" in text and "372,0 mm" in text
              and time.strftime("%d.%m.") in text, repr(text[:300]))
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        check("PDF: one page", re.search(r"^Pages:\s+1$", info, re.M) is not None, info)

        keys("alt+t")
        keys("alt+z", "ctrl+a", "minus")
        desktop.type_text("62")
        swaps = r.find("lstTausch")
        check("swaps for a run 62 mm too short", settles(lambda: swaps.get_child_count() > 0),
              r.text("lblTausch"))
        equal("chosen row kept", r.rows("tblErgebnisse"), rows)

        # -- restart with the same settings ------------------------------------------
        geometry = r.client()
        close(r)
        check("settings in Gleisrechner.ini", os.path.exists(ini))
        check("Torvelin.ini untouched", not os.path.exists(os.path.join(config, "Torvelin.ini")))
        r = start()
        equal("restart: gap", r.text("txtLuecke"), "372")
        equal("restart: owned count", r.a11y.cell(r.find("tblGleise"), 3, 4), "2")
        equal("restart: size and place", r.client(), geometry)

        # -- small screens and 200 % -------------------------------------------------------
        dt.run("xdotool", "windowsize", "--sync", str(r.window), "1024", "600")
        x, y, w, h = r.client()
        check("fits 1024 × 600", w <= 1024 and h <= 600, repr((w, h)))
        check("1024 × 600: the results still shown",
              r.a11y.extents(r.find("tblErgebnisse"))[3] > 60)
        close(r)
        # At 200 % the same window takes twice the pixels, as far as the
        # screen lets it; every control is still there.
        r = start({"QT_SCALE_FACTOR": "2"})
        x, y, w2, h2 = r.client()
        check("200 %: twice the pixels", w2 >= min(2 * w, 1280) - 40, f"{w} then {w2}")
        for name in NAMES:
            r.find(name)
        close(r)
    except Exception as error:  # noqa: BLE001 - reported with a screenshot
        check("run to the end", False, "".join(traceback.format_exception(error)))
    finally:
        desktop.kill_programs()
        desktop.stop()
    failed = [name for ok, name in results if not ok]
    print(f"\n{len(results)} checks in {time.monotonic() - began:.1f} s, {len(failed)} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
