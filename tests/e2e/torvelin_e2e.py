"""End-to-end test of the built torvelin: what only a real desktop shows.

    tests/e2e/run.sh torvelin_e2e.py build/src/app/torvelin build/e2e
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

import a11y
import desktop as dt
from desktop import settles, wait_for

TITLE = " Torvelin für märklin C-Gleise"
OUTER_SIZE = (1024, 740)  # 15360 x 11100 twips
SEARCH_TITLE = "Stückzahl ermitteln..."
SORT_TITLE = " nach Gleislänge sortieren..."

# Prices for 24360 and 24064, the frame at 1200 x 600 twips, i.e. 80 x 40 px.
SETTINGS = b"[Preise]\n360\n\n\n\n\n\n\n\n1,5\n\n[Toleranzen]\n0\n0\n\n[Position]\n1200\n600\n\n" \
    b"[farbige Tabelle]\n0\n0\n"
POSITION = (80, 40)
# 24077's price: line 8 of the file (index 7), column 7 of grdPreise.
LINE_24077 = 7

# Each control: role as AT-SPI reports it, place in the client area (twips,
# from the layout), the accessible name a screen-reader user hears (a pattern
# where it holds the version or the date; None: not checked).
CONTROLS = [
    ("frmTorvelin", "filler", (0, 0), TITLE),
    ("SSPanel(0)", "frame", (120, 120), "Suche und Ergebnisse"),
    ("Label(0)", "label", (390, 540), "gesuchte Länge"),
    ("txtLaenge", "text", (1980, 480), "gesuchte Länge in mm"),
    ("Label(1)", "label", (2850, 540), "mm"),
    ("btnStart", "push button", (3480, 450), "suchen"),
    ("btnSort", "push button", (7050, 450), "sortiert nach Gleislänge"),
    ("btnDrucken", "push button", (11040, 450), "Stückliste drucken"),
    ("btnBeenden", "push button", (13440, 450), "beenden"),
    ("grdTabelle", "table", (240, 1080), "Ergebnisse"),
    ("chkCellStyle(0)", "check box", (240, 5550), "Gleislängen farbig markieren"),
    ("Label(2)", "label", (5070, 5610), "gefunden"),
    ("lblCount", "label", (6060, 5580), "Anzahl gefundener Kombinationen"),
    ("chkCellStyle(1)", "check box", (7185, 5550), "Artikelnummern farbig markieren"),
    ("SSPanel1", "frame", (120, 6150), "Toleranzbereich"),
    ("Frame(0)", "panel", (270, 6270), " Toleranzen "),
    ("txtToleranz(0)", "text", (810, 6630), "Minus-Toleranz in mm"),
    ("Label(9)", "label", (1410, 6660), "mm"),
    ("scrToleranz(0)", "scroll bar", (1890, 6630), "Minus-Toleranz"),
    ("scrToleranz(1)", "scroll bar", (5190, 6630), "Plus-Toleranz"),
    ("txtToleranz(1)", "text", (7680, 6630), "Plus-Toleranz in mm"),
    ("Label(10)", "label", (8280, 6660), "mm"),
    ("Label(6)", "label", (780, 7020), "minus"),
    ("Label(7)", "label", (1890, 7020), "     9        6       3       0"),
    ("Label(17)", "label", (5190, 7020), "     0        3        6       9"),
    ("Label(5)", "label", (7710, 7020), "plus"),
    ("grdPreise", "table", (90, 7650), "Stückpreise"),
    ("grdStck", "table", (90, 8265), "Stückliste"),
    ("lblRelease", "label", (210, 9705), r"Rel\. : \d+\.\d+\.\d+"),
    ("lblStand", "label", (210, 10000), r"Stand: \d\d\.\d\d\.\d{4}"),
    ("Label(18)", "label", (11910, 9600), None),  # the credit line
    ("Image2", "image", (14040, 9990), "Logo"),
]

# The Tab key's way through the window. The scroll bars may take part, each
# right after its box; nothing else may.
FOCUS_ORDER = ["txtLaenge", "btnStart", "grdTabelle", "txtToleranz(0)", "txtToleranz(1)",
               "btnBeenden", "grdPreise", "grdStck", "btnDrucken", "chkCellStyle(0)",
               "chkCellStyle(1)"]
BAR_AFTER = {"scrToleranz(0)": "txtToleranz(0)", "scrToleranz(1)": "txtToleranz(1)"}


class Torvelin(a11y.Program):
    def __init__(self, desktop, process, managed=True):
        super().__init__(desktop, process, lambda node: a11y.role(node) == "filler", managed)
        self.controls = {}

    def locate(self):
        """Each control, known by its role and its place in the window."""
        ox, oy = a11y.extents(self.frame)[:2]
        roles = {}
        for node in a11y.walk(self.frame):
            roles.setdefault(a11y.role(node), []).append(node)
        for object_name, role, (left, top), _ in CONTROLS:
            for node in roles.get(role, []):
                try:
                    x, y, w, _ = a11y.extents(node)
                except AttributeError:  # no place on the screen
                    continue
                if w > 0 and abs(x - ox - left / 15) <= 2.5 and abs(y - oy - top / 15) <= 2.5:
                    self.controls[object_name] = node
                    break
        return self.controls

    def __getitem__(self, object_name):
        return self.controls[object_name]

    def focused_control(self):
        focused = [n for n, c in self.controls.items() if n != "frmTorvelin" and a11y.focused(c)]
        return focused[0] if len(focused) == 1 else None

    def focus(self, object_name):
        wait_for(f"the focus on {object_name}", lambda: a11y.focused(self[object_name]))

    def replace(self, object_name, text):
        """A click into the box, its text replaced by typing."""
        self.click(self[object_name])
        self.focus(object_name)
        self.desktop.key("End", "shift+Home")
        self.desktop.type_text(text)
        wait_for(f"{object_name} to read {text}", lambda: a11y.text(self[object_name]) == text)

    def message_box(self, check, title, confirm):
        """Checks the message box's title, then confirms by "mouse" or a key."""
        box = wait_for("the message box", self.dialogs)[0]
        self.desktop.equal(check, self.desktop.title(box), title)
        if confirm == "mouse":
            node = wait_for("the message box on the accessibility bus", lambda: self.top_level(
                lambda n: a11y.role(n) in ("dialog", "alert")))
            self.click(wait_for("its OK button", lambda: a11y.descendants(
                node, ("push button", "OK")))[0])
        else:
            self.desktop.key(confirm)
        wait_for("the message box to close", lambda: not self.dialogs())


def outer_geometry(d, window):
    x, y, w, h = d.client_geometry(window)
    left, right, top, bottom = d.frame_extents(window)
    return x - left, y - top, w + left + right, h + top + bottom


def main_window(d, program, folder, artifacts):
    t = Torvelin(d, d.launch([program], folder, {"HOME": folder}, "torvelin.log"))
    d.activate(t.window)

    # -- frame, title, place, and what a screen reader hears -----------------
    wait_for("openbox to frame the window", lambda: d.frame_extents(t.window))
    d.equal("title: main window", d.title(t.window), TITLE)
    # The program may still adapt its size to the frame it was given.
    d.becomes("frame: place from the settings file, outer size",
              lambda: outer_geometry(d, t.window), POSITION + OUTER_SIZE)
    # A slow program may not have every control on the bus yet.
    d.becomes("every control in its place",
              lambda: [c[0] for c in CONTROLS if c[0] not in t.locate()], [])
    d.equal("names a screen reader hears", {
        n: a11y.name(t[n]) for n, _, _, want in CONTROLS
        if want and n in t.controls and not re.fullmatch(want, a11y.name(t[n]))}, {})

    # -- the Tab key's order ---------------------------------------------------
    t.click(t["txtLaenge"])
    t.focus("txtLaenge")
    visited = ["txtLaenge"]
    for _ in range(len(FOCUS_ORDER) + len(BAR_AFTER)):
        d.key("Tab")
        previous = visited[-1]
        now = settles(lambda: (t.focused_control() or previous) != previous
                      and t.focused_control(), timeout=3)
        visited.append(now or "(no control)")
        if now == "txtLaenge":
            break
    bars_placed = all(visited[i - 1] == BAR_AFTER[n] for i, n in enumerate(visited)
                      if n in BAR_AFTER)
    d.check("Tab order, each bar right after its box", bars_placed and [
        n for n in visited if n not in BAR_AFTER] == FOCUS_ORDER + ["txtLaenge"], repr(visited))

    # -- message boxes, and the length box after a refusal ---------------------
    t.click(t["grdTabelle"].get_table_iface().get_column_header(9))
    t.message_box("title: nothing-to-sort message box", SORT_TITLE, "Return")
    t.replace("txtLaenge", "59")
    for how, confirm in (("a click", "mouse"), ("Space", "Return")):
        if how == "a click":
            t.click(t["btnStart"])
        else:
            t.click(t["txtLaenge"])
            d.key("Tab")
            t.focus("btnStart")
            d.key("space")
        t.message_box(f"title: minimum-length message box, {how}", SEARCH_TITLE, confirm)
        d.becomes(f"refused by {how}: length selected",
                  lambda: a11y.selected_text(t["txtLaenge"]), "59")

    # -- a search by its mnemonic, printed through the real dialog -------------
    t.replace("txtLaenge", "360")
    d.key("alt+s")
    t.focus("grdTabelle")  # where a search ends
    distance = a11y.cell(t["grdTabelle"], 0, 9)
    t.click(t["btnDrucken"])
    first, text = t.print_to_file(os.path.join(artifacts, "stueckliste.pdf"))
    # No printer of the machine reaches the dialog (run.sh).
    d.equal("printer dialog: first choice", first, "In PDF-Datei drucken")
    d.check("print: the chosen row's distance on the page",
            f"Distanz: {distance} mm" in re.sub(r"\s+", " ", text), repr(text))

    # -- a screen reader that has read every result does not hold up the end --
    # Qt keeps an accessible for each cell read; the close below waits its
    # usual time for the program to end.
    for box, text in (("txtToleranz(0)", "9"), ("txtToleranz(1)", "9"), ("txtLaenge", "1265")):
        t.replace(box, text)
    d.key("Return")
    t.focus("grdTabelle")
    table = t["grdTabelle"].get_table_iface()
    rows = wait_for("the results of 1265 mm ± 9 mm", lambda: table.get_n_rows() > 3
                    and table.get_n_rows())
    read = sum(table.get_accessible_at(r, c) is not None for r in range(rows) for c in range(20))
    d.equal("a screen reader reads every results cell", read, rows * 20)

    # -- a price still being typed when the window manager closes it is kept ---
    t.click(a11y.cell_node(t["grdPreise"], 0, LINE_24077))
    d.type_text("1,25")
    # The editor is not on the accessibility bus; no wait is needed, as the
    # X server hands the program the typed keys before the window manager
    # gets the close request, and the program takes its events in order.
    code = t.close()
    lines = read_bytes(os.path.join(folder, "Torvelin.ini")).split(b"\r\n")
    d.equal("close: exit status, the typed price saved",
            (code, lines[LINE_24077:LINE_24077 + 1]), (0, [b"1,25"]))


# -- settings saved from locked folders ------------------------------------------

def lock(path, locked):
    """Unwritable for root too (immutable); False where that cannot be."""
    if os.geteuid() == 0:
        return subprocess.run(["chattr", "+i" if locked else "-i", path]).returncode == 0
    os.chmod(path, os.stat(path).st_mode & 0o555 if locked else os.stat(path).st_mode | 0o200)
    return locked != os.access(path, os.W_OK)


def program_copy(binary, folder, settings=None):
    """The program keeps its settings beside itself: a copy in a folder of its own."""
    os.makedirs(folder)
    shutil.copy2(binary, os.path.join(folder, "torvelin"))
    if settings is not None:
        pathlib.Path(folder, "Torvelin.ini").write_bytes(settings)
    return os.path.join(folder, "torvelin")


def read_bytes(path):
    return pathlib.Path(path).read_bytes() if os.path.exists(path) else b""


# (check, what is locked, whether a file lies beside the program, where the
# close must leave the written file). A written file has CR LF line ends; one
# read beside the program keeps its price, one left beside it stays as it was.
LOCATION_CASES = [
    ("folder-read-only-file-writable", "folder", True, "beside"),
    ("file-read-only", "file", True, "config"),
    ("folder-read-only-no-file", "folder", False, "config"),
]


def locked_folders(d, binary, artifacts):
    for case, locked, with_file, where in LOCATION_CASES:
        base = os.path.join(artifacts, case)
        folder, home = os.path.join(base, "program"), os.path.join(base, "home")
        copy = program_copy(binary, folder, SETTINGS if with_file else None)
        os.makedirs(home)
        beside = os.path.join(folder, "Torvelin.ini")
        target = folder if locked == "folder" else beside
        if not lock(target, True):
            d.check(case, False, "this file system or user cannot make it unwritable", "SKIP")
            continue
        try:
            t = Torvelin(d, d.launch([copy], folder, {"HOME": home}, f"torvelin-{case}.log"))
            d.close_request(t.window)
            # A save that fails says so in a message box, and the program waits.
            ended = settles(lambda: t.process.poll() is not None)
        finally:
            lock(target, False)
        written = read_bytes(beside if where == "beside" else
                             os.path.join(home, ".config", "Torvelin", "Torvelin.ini"))
        prefix = b"[Preise]\r\n360\r\n" if with_file else b"[Preise]\r\n\r\n"
        untouched = where == "beside" or read_bytes(beside) == (SETTINGS if with_file else b"")
        d.check(f"saved {where}: {case}", written.startswith(prefix) and untouched and ended,
                f"found {written[:40]!r}; the program {'ended' if ended else 'did not end'}")


def unframed(d, binary, artifacts):
    d.stop_window_manager()
    folder = os.path.join(artifacts, "unframed")
    copy = program_copy(binary, folder)
    # Without a window manager there is no client list: the program's
    # accessible tells where its window is.
    t = Torvelin(d, d.launch([copy], folder, {"HOME": folder}, "torvelin-unframed.log"),
                 managed=False)
    d.becomes("outer size without a window manager", lambda: a11y.extents(t.frame)[2:],
              OUTER_SIZE)
    t.click(wait_for("the controls", lambda: t.locate().get("btnBeenden")))
    wait_for("the program to end", lambda: t.process.poll() is not None)
    d.equal("close by btnBeenden: exit status", t.process.returncode, 0)


def session(d, binary, artifacts):
    folder = os.path.join(artifacts, "scratch")
    program = program_copy(binary, folder, SETTINGS.replace(b"\n", b"\r\n"))
    d.part("the main window", lambda: main_window(d, program, folder, artifacts))
    d.part("settings saved from locked folders", lambda: locked_folders(d, binary, artifacts))
    d.part("without a window manager", lambda: unframed(d, binary, artifacts))


if __name__ == "__main__":
    sys.exit(dt.main(session))
