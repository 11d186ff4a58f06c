"""End-to-end test of the built torvelin: what only a real desktop shows.
Exit status 0 pass, 1 a failure, 77 no X server or a check could not run."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
import traceback

import desktop as dt
from desktop import StepFailed, wait_for

# Checks of a known, still open defect: reported as XFAIL (XPASS once mended)
# without failing the run. TORVELIN_E2E_XFAIL replaces the list.
EXPECTED_FAILURES = set()
XFAIL = {n.strip() for n in os.environ.get("TORVELIN_E2E_XFAIL", "").split(",") if n.strip()} \
    if "TORVELIN_E2E_XFAIL" in os.environ else EXPECTED_FAILURES

TITLE = " Torvelin für märklin C-Gleise"
OUTER_SIZE = (1024, 740)  # 15360 x 11100 twips
SEARCH_TITLE = "Stückzahl ermitteln..."
SORT_TITLE = " nach Gleislänge sortieren..."


def settings_file(eol):
    """Prices for 24360 and 24064, the frame at 1200 x 600 twips."""
    lines = ["[Preise]", "360", "", "", "", "", "", "", "", "1,5", "", "[Toleranzen]", "0", "0",
             "", "[Position]", "1200", "600", "", "[farbige Tabelle]", "0", "0", ""]
    return eol.join(lines).encode("latin-1")


POSITION = (80, 40)
# 24077's price: line 8 of the file (index 7), column 7 of grdPreise.
LINE_24077 = 7

# Each control: role as AT-SPI reports it, place in the client area (twips,
# from the layout), accessible name a screen-reader user hears.
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
    ("lblRelease", "label", (210, 9705), None),  # "Rel. : " and the version
    ("lblStand", "label", (210, 10000), None),  # "Stand: " and the date
    ("Label(18)", "label", (11910, 9600), None),  # the credit line
    ("Image2", "image", (14040, 9990), "Logo"),
]


# The Tab key's way through the window. The scroll bars may take part, each
# right after its box; nothing else may.
FOCUS_ORDER = ["txtLaenge", "btnStart", "grdTabelle", "txtToleranz(0)", "txtToleranz(1)",
               "btnBeenden", "grdPreise", "grdStck", "btnDrucken", "chkCellStyle(0)",
               "chkCellStyle(1)"]
BAR_AFTER = {"scrToleranz(0)": "txtToleranz(0)", "scrToleranz(1)": "txtToleranz(1)"}

# An arrow key on a focused tolerance bar, from 4: the thumb moves the way the
# arrow points, and the minus bar runs from 9 at its left end to 0.
BAR_KEYS = [
    (0, "Right", "3"),
    (0, "Left", "5"),
    (1, "Right", "5"),
    (1, "Left", "3"),
]


def px(twips):
    return round(twips / 15)


class Session:
    def __init__(self, desktop):
        self.desktop = desktop
        self.results = []  # (outcome, check, detail)
        self.shots = 0

    def screenshot(self, why):
        self.shots += 1
        slug = re.sub(r"[^A-Za-z0-9]+", "-", why).strip("-")[:60]
        path = os.path.join(self.desktop.workdir, f"failure-{self.shots:02d}-{slug}.png")
        return self.desktop.screenshot(path)

    def record(self, outcome, name, detail=""):
        self.results.append((outcome, name, detail))
        print(f"{outcome:5} {name}" + (f"\n      {detail}" if detail and outcome != "PASS" else ""),
              flush=True)

    def check(self, name, ok, detail=""):
        outcome = ("XPASS" if ok else "XFAIL") if name in XFAIL else "PASS" if ok else "FAIL"
        if outcome == "FAIL":
            detail += f"\n      screenshot: {self.screenshot(name)}"
        self.record(outcome, name, detail)
        return ok

    def equal(self, name, actual, expected):
        return self.check(name, actual == expected, f"expected {expected!r}, got {actual!r}")

    def has(self, outcome):
        return any(r[0] == outcome for r in self.results)


class Torvelin:
    def __init__(self, desktop, process, managed=True):
        import a11y
        self.a11y = a11y
        self.desktop = desktop
        self.process = process
        if managed:
            self.window = wait_for("the main window to be mapped",
                                   lambda: self._main_window(), timeout=15)
        self.app = wait_for("torvelin on the accessibility bus",
                            lambda: a11y.application(process.pid), timeout=15)
        self.frame = wait_for("the main window's accessible",
                              lambda: self._top_level(lambda n: a11y.role(n) == "filler"))
        self.controls = {}

    def _main_window(self):
        return next(iter(self.desktop.windows_of(self.process.pid)), None)

    def _top_level(self, match):
        for i in range(self.app.get_child_count()):
            node = self.app.get_child_at_index(i)
            if node is not None and match(node):
                return node
        return None

    def locate(self):
        ox, oy = self.a11y.extents(self.frame)[:2]
        nodes = list(self.a11y.walk(self.frame))
        for object_name, role, (left, top), _ in CONTROLS:
            want = (px(left), px(top))
            for node in nodes:
                if self.a11y.role(node) != role:
                    continue
                try:
                    x, y, w, h = self.a11y.extents(node)
                except AttributeError:
                    continue
                if w > 0 and abs(x - ox - want[0]) <= 2 and abs(y - oy - want[1]) <= 2:
                    self.controls[object_name] = node
                    break
        return self.controls

    def __getitem__(self, object_name):
        return self.controls[object_name]

    def text(self, object_name):
        return self.a11y.text(self[object_name])

    def click(self, object_name):
        self.click_node(self[object_name])

    def click_node(self, node):
        self.desktop.click(*self.a11y.centre(node))

    def focused_control(self):
        focused = [name for name, node in self.controls.items()
                   if name != "frmTorvelin" and self.a11y.focused(node)]
        return focused[0] if len(focused) == 1 else None

    def focus(self, object_name):
        wait_for(f"the focus on {object_name}", lambda: self.a11y.focused(self[object_name]))

    def dialogs(self):
        return [w for w in self.desktop.windows_of(self.process.pid) if w != self.window]

    def accessible_dialog(self, title):
        return self._top_level(lambda n: self.a11y.role(n) in ("dialog", "alert")
                               and self.a11y.name(n).strip().startswith(title.strip()))


def _settles(probe, timeout=5):
    """Waits for `probe` without failing: the check that follows reports."""
    try:
        return wait_for("a condition", probe, timeout=timeout)
    except StepFailed:
        return False


def replace_text(s, t, object_name, text):
    # Typed over the selection: an emptied tolerance box takes the bar's value.
    t.click(object_name)
    t.focus(object_name)
    s.desktop.key("End", "shift+Home")
    s.desktop.type_text(text)
    wait_for(f"{object_name} to read {text}", lambda: t.text(object_name) == text)


# -- the session, step by step -------------------------------------------------

def outer_geometry(s, t):
    x, y, w, h = s.desktop.client_geometry(t.window)
    left, right, top, bottom = s.desktop.frame_extents(t.window)
    return x - left, y - top, w + left + right, h + top + bottom


def start(s, t, state):
    wait_for("openbox to frame the window", lambda: s.desktop.frame_extents(t.window))
    s.equal("title: main window", s.desktop.title(t.window), TITLE)
    # The program may still adapt its size to the frame it was given.
    _settles(lambda: outer_geometry(s, t)[2:] == OUTER_SIZE, timeout=3)
    geometry = outer_geometry(s, t)
    s.equal("outer size with the frame", geometry[2:], OUTER_SIZE)
    s.equal("frame where the settings file puts it", geometry[:2], POSITION)
    # A slow program may not have every control on the bus yet.
    _settles(lambda: len(t.locate()) == len(CONTROLS))
    missing = [c[0] for c in CONTROLS if c[0] not in t.controls]
    s.check("every control in its place", not missing, f"not found by role and place: {missing}")


def accessible_names(s, t, state):
    for object_name, _, _, expected in CONTROLS:
        if object_name in t.controls and expected is not None:
            s.equal(f"name: {object_name}", t.a11y.name(t[object_name]), expected)
    release = t.a11y.name(t["lblRelease"])
    s.check("name: lblRelease", re.fullmatch(r"Rel\. : \d+\.\d+\.\d+", release), repr(release))
    stand = t.a11y.name(t["lblStand"])
    s.check("name: lblStand", re.fullmatch(r"Stand: \d\d\.\d\d\.\d{4}", stand), repr(stand))


def keyboard_order(s, t, state):
    t.click("txtLaenge")
    t.focus("txtLaenge")
    visited = ["txtLaenge"]
    for _ in range(len(FOCUS_ORDER) + len(BAR_AFTER)):
        s.desktop.key("Tab")
        previous = visited[-1]
        now = _settles(lambda: (t.focused_control() or previous) != previous
                       and t.focused_control(), timeout=3)
        visited.append(now or "(no control)")
        if now == "txtLaenge":
            break
    boxes_only = [name for name in visited if name not in BAR_AFTER]
    s.equal("Tab order", boxes_only, FOCUS_ORDER + ["txtLaenge"])
    s.check("Tab order: each bar right after its box",
            all(i > 0 and visited[i - 1] == BAR_AFTER[name]
                for i, name in enumerate(visited) if name in BAR_AFTER), repr(visited))


def message_box(s, t, check, title, confirm):
    """Checks the message box's title, then confirms by "mouse" or a key."""
    box = wait_for("the message box", lambda: t.dialogs(), timeout=10)[0]
    s.equal(check, s.desktop.title(box), title)
    if confirm == "mouse":
        node = wait_for("the message box on the accessibility bus",
                        lambda: t.accessible_dialog(title))
        t.click_node(wait_for("the OK button", lambda: t.a11y.descendant(node, "push button", "OK")))
    else:
        s.desktop.key(confirm)
    wait_for("the message box to close", lambda: not t.dialogs())


def nothing_to_sort(s, t, state):
    t.click_node(t["grdTabelle"].get_table_iface().get_column_header(9))
    message_box(s, t, "title: nothing-to-sort message box", SORT_TITLE, "Return")


def refused_length(s, t, state):
    replace_text(s, t, "txtLaenge", "59")
    for how, confirm in (("a click", "mouse"), ("Space", "Return")):
        if how == "a click":
            t.click("btnStart")
        else:
            t.click("txtLaenge")
            s.desktop.key("Tab")
            t.focus("btnStart")
            s.desktop.key("space")
        message_box(s, t, f"title: minimum-length message box, {how}", SEARCH_TITLE, confirm)
        selected = _settles(lambda: t.a11y.selected_text(t["txtLaenge"]), timeout=3)
        s.equal(f"refused by {how}: length selected", selected or "", "59")


def bar_keys(s, t, state):
    for index, key, expected in BAR_KEYS:
        box, bar = f"txtToleranz({index})", f"scrToleranz({index})"
        replace_text(s, t, box, "4")
        s.desktop.key("Tab")
        focused = _settles(lambda: t.a11y.focused(t[bar]), timeout=3)
        s.desktop.key(key)
        _settles(lambda: t.text(box) == expected, timeout=3)
        s.check(f"{key} on {bar} from 4", focused and t.text(box) == expected,
                f"expected {expected!r}, got {t.text(box)!r}"
                + ("" if focused else f"; Tab brought no focus to {bar}"))


def search(s, t, state):
    replace_text(s, t, "txtLaenge", "360")
    s.desktop.key("alt+s")  # the caption's mnemonic
    # The search ends by giving the results table the focus.
    t.focus("grdTabelle")


def print_to_pdf(s, t, state):
    distance = t.a11y.cell(t["grdTabelle"], 0, 9)
    pdf = os.path.join(state["artifacts"], "stueckliste.pdf")
    t.click("btnDrucken")
    dialog = wait_for("the printer dialog", lambda: t.accessible_dialog("Drucken"))
    printer, output, button = wait_for("the printer dialog's controls", lambda: t.a11y.descendants(
        dialog, ("combo box",), ("text", "Ausgabedatei:"), ("push button", "Drucken")))
    s.equal("printer dialog: first choice", t.a11y.name(printer), "In PDF-Datei drucken")
    t.click_node(output)
    s.desktop.key("ctrl+a")
    s.desktop.type_text(pdf)
    wait_for("the file name in the dialog", lambda: t.a11y.text(output) == pdf)
    t.click_node(button)
    wait_for("the printer dialog to close", lambda: not t.dialogs())
    text = wait_for("the PDF to be written", lambda: _pdf_text(pdf), timeout=10)
    s.check("print: the chosen row's distance on the page", f"Distanz: {distance} mm" in
            re.sub(r"\s+", " ", text), repr(text))


def _pdf_text(path):
    if not os.path.exists(path) or os.path.getsize(path) == 0:
        return None
    result = subprocess.run(["pdftotext", path, "-"], capture_output=True, text=True)
    return result.stdout if result.returncode == 0 and result.stdout.strip() else None


def close_by_window_manager(s, t, state):
    # A price still being typed when the window closes is kept.
    t.click_node(t.a11y.cell_node(t["grdPreise"], 0, LINE_24077))
    s.desktop.type_text("1,25")
    # The editor is not on the accessibility bus; no wait is needed, as the
    # X server hands the program the typed keys before the window manager
    # gets the close request, and the program takes its events in order.
    s.desktop.close_request(t.window)
    code = wait_for("the program to end", lambda: t.process.poll() is not None and [
        t.process.returncode], timeout=10)[0]
    s.equal("close: exit status", code, 0)
    lines = (read_bytes(state["settings"]) or b"").split(b"\r\n")
    s.equal("close: the typed price saved", lines[LINE_24077:LINE_24077 + 1], [b"1,25"])


# -- settings saved from folders of several permissions -----------------------

def lock(path):
    """Unwritable for root too (immutable); False where that cannot be."""
    if os.geteuid() == 0:
        return _chattr("+i", path)
    os.chmod(path, os.stat(path).st_mode & 0o555)
    return not os.access(path, os.W_OK)


def unlock(path):
    if os.geteuid() == 0:
        _chattr("-i", path)
    else:
        os.chmod(path, os.stat(path).st_mode | 0o200)


def _chattr(*args):
    try:
        return subprocess.run(["chattr", *args], capture_output=True).returncode == 0
    except OSError:
        return False


def program_copy(binary, folder, settings=None):
    """The program keeps its settings beside itself: a copy in a folder of its own."""
    os.makedirs(folder)
    copy = os.path.join(folder, "torvelin")
    shutil.copy2(binary, copy)
    if settings is not None:
        with open(os.path.join(folder, "Torvelin.ini"), "wb") as f:
            f.write(settings)
    return copy


def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


# (check, what is locked, whether a file lies beside the program, where the
# close must leave the written file). A written file has CR LF line ends; one
# read beside the program keeps its price.
LOCATION_CASES = [
    ("saved: folder read-only, file writable", "folder", True, "beside"),
    ("saved: file read-only", "file", True, "config"),
    ("saved: folder read-only, no file", "folder", False, "config"),
]


def settings_locations(session, desktop, binary, artifacts, env):
    plain = settings_file("\n")
    for check, locked, with_file, where in LOCATION_CASES:
        base = os.path.join(artifacts, re.sub(r"[^a-z]+", "-", check.split(": ")[1]).strip("-"))
        folder, home = os.path.join(base, "program"), os.path.join(base, "home")
        copy = program_copy(binary, folder, plain if with_file else None)
        os.makedirs(home)
        beside = os.path.join(folder, "Torvelin.ini")
        in_config = os.path.join(home, ".config", "Torvelin", "Torvelin.ini")
        target = folder if locked == "folder" else beside
        if not lock(target):
            session.record("SKIP", check, "this file system or user cannot make it unwritable")
            continue
        try:
            print(f"-- {check}", flush=True)
            case_env = dict(env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
            process = desktop.launch([copy], folder, case_env, f"torvelin-{os.path.basename(base)}.log")
            t = Torvelin(desktop, process)
            desktop.close_request(t.window)
            # A save that fails says so in a message box: a finding of its own.
            outcome = wait_for("the program to end or to report", lambda: (
                "ended" if process.poll() is not None else
                "message" if t.dialogs() else None), timeout=10)
            if outcome == "message":
                desktop.key("Return")
                wait_for("the program to end", lambda: process.poll() is not None)
        finally:
            unlock(target)
        written = read_bytes(beside if where == "beside" else in_config) or b""
        prefix = b"[Preise]\r\n360\r\n" if with_file else b"[Preise]\r\n\r\n"
        untouched = where == "beside" or read_bytes(beside) == (plain if with_file else None)
        session.check(check, written.startswith(prefix) and untouched and outcome == "ended",
                      f"expected it {'beside the program' if where == 'beside' else 'in ' + in_config}"
                      f"; found {written[:40]!r}, {outcome}")


# -- no window manager ----------------------------------------------------------

def unframed(session, desktop, binary, artifacts, env):
    print("-- without a window manager", flush=True)
    desktop.stop_window_manager()
    folder = os.path.join(artifacts, "unframed")
    copy = program_copy(binary, folder)
    process = desktop.launch([copy], folder, dict(env, HOME=folder), "torvelin-unframed.log")
    # Without a window manager there is no client list: the program's
    # accessible tells where its window is.
    t = Torvelin(desktop, process, managed=False)
    _settles(lambda: tuple(t.a11y.extents(t.frame)[2:]) == OUTER_SIZE, timeout=3)
    session.equal("outer size without a window manager", tuple(t.a11y.extents(t.frame)[2:]),
                  OUTER_SIZE)
    wait_for("the controls", lambda: "btnBeenden" in t.locate())
    t.click("btnBeenden")
    wait_for("the program to end", lambda: process.poll() is not None)
    session.equal("close by btnBeenden: exit status", process.returncode, 0)


# -- running it ----------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()

    began = time.monotonic()
    artifacts = os.path.abspath(args.artifacts)
    if os.path.isdir(artifacts) and os.geteuid() == 0:
        # A run that was killed may have left a folder locked.
        _chattr("-R", "-i", artifacts)
    shutil.rmtree(artifacts, ignore_errors=True)
    os.makedirs(artifacts)
    folder = os.path.join(artifacts, "scratch")
    binary = program_copy(args.binary, folder, settings_file("\r\n"))
    settings_path = os.path.join(folder, "Torvelin.ini")

    desktop = dt.Desktop(artifacts)
    try:
        desktop.start()
    except dt.Skip as why:
        desktop.stop()
        print(f"SKIP: {why}")
        return 77
    print(f"desktop {desktop.display}: Xvfb, openbox, accessibility bus; files in {artifacts}",
          flush=True)

    session = Session(desktop)
    steps = [
        ("start from a settings file", start),
        ("accessible names", accessible_names),
        ("the Tab key's order", keyboard_order),
        ("nothing to sort", nothing_to_sort),
        ("a refused length", refused_length),
        ("arrow keys on the tolerance bars", bar_keys),
        ("a search", search),
        ("printing to a PDF file", print_to_pdf),
        ("closing through the window manager", close_by_window_manager),
    ]
    # run.sh has set a German LANG for the whole desktop.
    env = {"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
           "QT_ACCESSIBILITY": "1"}

    current = [""]

    def guarded(title, run):
        current[0] = title
        try:
            run()
        except Exception as error:  # noqa: BLE001 - reported with a screenshot
            title = current[0]
            shot = session.screenshot(f"step {title}")
            detail = "".join(traceback.format_exception_only(type(error), error)).strip()
            if not isinstance(error, StepFailed):
                detail += "\n" + traceback.format_exc()
            session.record("FAIL", f"step: {title}", f"{detail}\n      screenshot: {shot}")
            desktop.kill_programs()

    def main_session():
        program = desktop.launch(
            [binary], folder,
            dict(env, HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, ".config")),
            "torvelin.log")
        t = Torvelin(desktop, program)
        desktop.activate(t.window)
        state = {"settings": settings_path, "artifacts": artifacts}
        for title, step in steps:
            print(f"-- {title} ({time.monotonic() - began:.1f} s)", flush=True)
            current[0] = title
            step(session, t, state)

    try:
        guarded("starting the program", main_session)
        guarded("settings saved from folders of several permissions",
                lambda: settings_locations(session, desktop, args.binary, artifacts, env))
        guarded("without a window manager",
                lambda: unframed(session, desktop, args.binary, artifacts, env))
    finally:
        desktop.stop()

    print(f"\n{len(session.results)} checks in {time.monotonic() - began:.1f} s; "
          f"program output in {artifacts}")
    for outcome, name, _ in session.results:
        if outcome != "PASS":
            print(f"  {outcome} {name}")
    # A check that could not run is no pass: ctest reports the run as skipped.
    return 1 if session.has("FAIL") else 77 if session.has("SKIP") else 0


if __name__ == "__main__":
    sys.exit(main())
