"""End-to-end test of the built torvelin-rechner: driven by keyboard and mouse,
read through AT-SPI, its answers compared against a plain enumeration.

    tests/e2e/run.sh rechner_e2e.py build/src/rechner/torvelin-rechner build/e2e-rechner
"""

import itertools
import os
import pathlib
import sys
import time

import a11y
import desktop as dt
from desktop import settles, wait_for

# A range of the user's own, in their configuration folder: article, length
# in mm, label. The largest range the program ships, read here on its own.
USER_RANGE = "# Testsortiment\n20-000 248 20 000\n20-020 124 20 020\n20-040 62 20 040\n" \
    "20-091A 45.5 20 091A\n"
LARGEST_RANGE = pathlib.Path(__file__).parents[2].joinpath("data/ranges/maerklin-k.txt")

# Object name: (AT-SPI role, German accessible name; for the combo box, whose
# name on Linux is its current text, the label that names it).
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


def fits(range_file, wanted, minus, plus, limits=None):
    """As the results show them ("2 × 20 000, 1 × 20 040", longest first),
    every multiset of at most nine pieces of the range whose sum (hundredths
    of a mm) lies in [wanted - minus, wanted + plus]."""
    rows = [line.split(None, 2) for line in range_file.splitlines() if line[:1] not in "#"]
    pieces = {a: (round(float(length) * 100), label.strip())
              for a, length, label in sorted(rows, key=lambda row: -float(row[1]))}
    found = []
    for n in range(1, 10):
        for combo in itertools.combinations_with_replacement(pieces, n):
            counts = {a: combo.count(a) for a in pieces if a in combo}
            if limits and any(counts[a] > limits.get(a, 0) for a in counts):
                continue
            if wanted - minus <= sum(pieces[a][0] for a in combo) <= wanted + plus:
                found.append(", ".join(f"{c} × {pieces[a][1]}" for a, c in counts.items()))
    return sorted(found)


class Rechner(a11y.Program):
    def __init__(self, desktop, process):
        super().__init__(desktop, process, lambda node: a11y.name(node) == "Torvelin Gleisrechner")
        desktop.activate(self.window)

    def find(self, object_name):
        """A control by its object name, through what a screen reader hears
        (Qt 6.4 does not hand object names to AT-SPI). A slow program may not
        have its whole tree on the bus yet: looked for again for a while."""
        return wait_for(f"{object_name} on the accessibility bus", lambda: self._find(object_name))

    def _find(self, object_name):
        role, name = NAMES[object_name]
        heard = a11y.labels if object_name == "cmbSortiment" else lambda node: [a11y.name(node)]
        return next((node for node in a11y.walk(self.frame)
                     if a11y.role(node) == role and name in heard(node)), None)

    def missing(self):
        return [name for name in NAMES if not settles(lambda: self._find(name))]

    def count(self):
        """"N von M", as a screen reader hears it."""
        return self.find("lblAnzahl").get_description()

    def answers(self):
        """The count and every row's pieces, as the enumeration gives them."""
        pieces = sorted(row[-1] for row in a11y.rows(self.find("tblErgebnisse"), -1))
        return pieces if self.count() == f"{len(pieces)} von {len(pieces)}" else self.count()

    def choose_range(self, name):
        """By keyboard. The ranges beyond the current one are listed by a
        thread after the first paint: Down until it is current, from the top
        again at the end of the list."""
        self.desktop.key("alt+s")
        combo = self.find("cmbSortiment")
        for _ in range(100):
            before = a11y.name(combo)
            if name in before:
                return
            self.desktop.key("Down")
            time.sleep(0.1)
            if a11y.name(combo) == before:
                self.desktop.key("Home")

    def replace(self, mnemonic, text):
        """Alt+letter to the box, everything in it replaced by typing."""
        self.desktop.key(f"alt+{mnemonic}", "ctrl+a")
        self.desktop.type_text(text)


def session(d, binary, artifacts):
    home = os.environ["HOME"]
    config = os.path.join(home, ".config", "Torvelin")
    os.makedirs(os.path.join(config, "ranges"))
    with open(os.path.join(config, "ranges", "e2e-n.txt"), "w") as f:
        f.write(USER_RANGE)

    def start(env_extra=None):
        return Rechner(d, d.launch([binary], home, env_extra or {}, "rechner.log"))
    r = start()
    d.equal("title", d.title(r.window), "Torvelin Gleisrechner")
    wm_class = dt.run("xprop", "-id", hex(r.window), "WM_CLASS")
    d.check("WM_CLASS names the desktop entry's class", '"Gleisrechner"' in wm_class, wm_class)
    d.equal("every control found by what a screen reader hears", r.missing(), [])

    r.choose_range("e2e-n")
    d.check("the user's range chosen, with where it came from",
            settles(lambda: "e2e-n.txt" in r.find("lblHerkunft").get_description()))

    # -- answers against the enumeration ---------------------------------------
    r.replace("m", "1")
    r.replace("p", "1")
    r.replace("l", "620,5")
    d.becomes("620,5 ± 1 mm", r.answers, fits(USER_RANGE, 62050, 100, 100))
    # Owned counts and a price typed into the piece table (search order:
    # 20-091A, 20-040, 20-020, 20-000; columns: …, Bestand 4, Preis 5).
    table = r.find("tblGleise")
    dt.run("xdotool", "windowsize", "--sync", str(r.window), "1240", "760")
    time.sleep(0.5)
    for row, column, value in [(3, 4, "2"), (3, 5, "19,90"), (1, 4, "1")]:
        r.click(a11y.cell_node(table, row, column), repeat=2)
        time.sleep(0.3)
        d.key("ctrl+a")
        d.type_text(value)
        d.key("Return")
    d.becomes("piece table: owned and price typed", lambda: a11y.rows(table)[3][4:6],
              ["2", "19,90"])
    d.key("alt+v")
    d.becomes("only owned pieces", r.answers,
              fits(USER_RANGE, 62050, 100, 100, {"20-000": 2, "20-040": 1}))
    d.key("alt+v")

    # -- nothing fits ----------------------------------------------------------
    r.replace("m", "0")
    r.replace("p", "0")
    r.replace("l", "10")
    nearest = r.find("lstNaechste")
    d.check("nothing fits: 45,5 mm above, 35,5 mm more, instead of the table", settles(
        lambda: not a11y.showing(r.find("tblErgebnisse")) and a11y.showing(nearest)
        and a11y.name(nearest.get_child_at_index(0)).startswith(
            "45,5 mm darüber: Plus-Toleranz 35,5 mm")))
    d.key("alt+a")
    d.becomes("widened: plus tolerance, the one row", lambda: (
        r.find("spnPlus").get_value_iface().get_current_value(), r.count()), (35.5, "1 von 1"))

    # -- the chosen row: copy, CSV, PDF, swaps ----------------------------------------
    r.replace("p", "0")
    r.replace("l", "372")
    settles(lambda: r.count() and not r.count().endswith("…") and " von " in r.count())
    d.key("alt+e", "Home")
    rows = a11y.rows(r.find("tblErgebnisse"))
    d.key("alt+o")
    copied = settles(lambda: dt.run("xclip", "-o", "-selection", "clipboard")) or ""
    d.check("copied: another program pastes the lists", copied.startswith(
        "Anzahl\tArtikel\tBezeichnung\tStückpreis\tPreis\n"), repr(copied[:300]))
    csv = os.path.join(artifacts, "liste.csv")
    d.key("alt+c")
    wait_for("the save dialog", r.dialogs)
    time.sleep(0.5)
    d.key("ctrl+a")
    d.type_text(csv)
    d.key("Return")
    settles(lambda: os.path.exists(csv))
    content = open(csv, encoding="utf-8", newline="").read() if os.path.exists(csv) else ""
    d.check("CSV written through the save dialog", content.startswith(
        "Anzahl;Artikel;Bezeichnung;Stückpreis;Preis\r\n"), repr(content[:200]))

    d.key("alt+u")
    _, text = r.print_to_file(os.path.join(artifacts, "liste.pdf"))
    d.check("PDF through the printer dialog: one page with range, gap and date",
            text.count("\f") == 1 and "e2e-n" in text and "372,0 mm" in text
            and time.strftime("%d.%m.") in text, repr(text[:300]))

    d.key("alt+t")
    d.key("alt+z", "ctrl+a", "minus")
    d.type_text("62")
    swaps = r.find("lstTausch")
    d.becomes("swaps for a run 62 mm too short", lambda: a11y.name(swaps.get_child_at_index(0)),
              "nichts heraus, 20 040 hinein: danach 0,0 mm")
    d.equal("chosen row kept", a11y.rows(r.find("tblErgebnisse")), rows)

    # -- restart with the same settings ----------------------------------------------
    geometry = d.client_geometry(r.window)
    r.close()
    d.check("settings in Gleisrechner.ini, Torvelin.ini untouched",
            os.path.exists(os.path.join(config, "Gleisrechner.ini"))
            and not os.path.exists(os.path.join(config, "Torvelin.ini")))
    r = start()
    d.equal("restart: gap, owned count, size and place",
            (a11y.text(r.find("txtLuecke")), a11y.cell(r.find("tblGleise"), 3, 4),
             d.client_geometry(r.window)), ("372", "2", geometry))

    # -- small screens and 200 % ---------------------------------------------------------
    dt.run("xdotool", "windowsize", "--sync", str(r.window), "1024", "600")
    _, _, w, h = d.client_geometry(r.window)
    d.check("fits 1024 × 600, the results still shown", w <= 1024 and h <= 600
            and a11y.extents(r.find("tblErgebnisse"))[3] > 60, repr((w, h)))
    r.close()
    # At 200 % the same window takes twice the pixels, as far as the screen
    # lets it; every control is still there.
    r = start({"QT_SCALE_FACTOR": "2"})
    w2 = d.client_geometry(r.window)[2]
    d.check("200 %: twice the pixels", w2 >= min(2 * w, 1280) - 40, f"{w} then {w2}")
    d.equal("200 %: every control found", r.missing(), [])
    # Typed on the largest range the program ships: each keystroke asks
    # again, and the answer shown is the last one's (1265 mm has 150 rows).
    # The table lists the first hundred; the rest come as it scrolls.
    r.choose_range("maerklin-k")
    r.replace("m", "2")
    r.replace("p", "2")
    r.replace("l", "1265,5")
    expected = fits(LARGEST_RANGE.read_text(encoding="utf-8"), 126550, 200, 200)
    settles(lambda: r.count().endswith(f" von {len(expected)}"))
    d.key("alt+e", "ctrl+End")
    d.becomes("typed on maerklin-k: 1265,5 ± 2 mm", r.answers, expected)
    r.close()


if __name__ == "__main__":
    sys.exit(dt.main(session))
