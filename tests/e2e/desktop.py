"""A private desktop (Xvfb, openbox, the accessibility bus), the X reads and
input the end-to-end tests need, and the checks' record; run.sh starts a
script inside a session of its own."""

import os
import select
import subprocess
import sys
import time
import traceback


class StepFailed(AssertionError):
    """A step that cannot go on."""


def wait_for(what, probe, timeout=10.0, interval=0.05):
    """Polls `probe` until it gives something true and returns that; its
    exceptions count as "not yet"."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # noqa: BLE001 - retried until the deadline
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise StepFailed(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(interval)


def settles(probe, timeout=10):
    """Waits for `probe` without failing: the check that follows reports."""
    try:
        return wait_for("a condition", probe, timeout=timeout)
    except StepFailed:
        return False


def run(*args, check=True):
    result = subprocess.run(args, capture_output=True, text=True, env=os.environ)
    if check and result.returncode != 0:
        raise StepFailed(f"{' '.join(args)} failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout


def pdf_text(path):
    """The text of a written PDF file, None while there is none."""
    result = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True)
    return result.stdout if result.returncode == 0 and result.stdout.strip() else None


class Desktop:
    def __init__(self, workdir):
        self.workdir = workdir
        self.processes = []
        self.programs = []
        self.results = []  # (outcome, check)

    def start(self):
        self._start_xvfb()
        self.window_manager = self._spawn(["openbox", "--sm-disable"], "openbox.log")
        # A window manager announces itself on the root window (EWMH); the
        # launcher publishes the bus address there once the accessibility bus
        # and its registry run.
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], "at-spi.log")
        for prop in ("_NET_SUPPORTING_WM_CHECK", "AT_SPI_BUS"):
            wait_for(f"{prop} on the root window",
                     lambda: "(" in run("xprop", "-root", prop, check=False))

    def _spawn(self, argv, log_name, **kwargs):
        log = open(os.path.join(self.workdir, log_name), "wb")
        process = subprocess.Popen(argv, stdout=log, stderr=log, **kwargs)
        self.processes.append(process)
        return process

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        process = self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp", "-noreset"], "xvfb.log",
                              pass_fds=(write_end,))
        os.close(write_end)
        # Xvfb writes its display number once it takes connections, and
        # nothing when it fails.
        with os.fdopen(read_end, "rb") as numbers:
            number = numbers.readline().strip() if select.select([numbers], [], [], 15)[0] else b""
        if not number:  # no desktop on this machine: skipped, not failed
            process.kill()
            print(f"SKIP: Xvfb did not start; see {self.workdir}/xvfb.log")
            sys.exit(77)
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display

    def stop_window_manager(self):
        self.window_manager.terminate()
        self.window_manager.wait(5)
        # What it announced stays on the root window; a screen where no
        # window manager ever ran has none of it.
        for prop in ("_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_CLIENT_LIST",
                     "_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW"):
            run("xprop", "-root", "-remove", prop, check=False)

    def launch(self, argv, cwd, env_extra, log_name):
        # The program on X, its accessibility always on.
        process = self._spawn(argv, log_name, cwd=cwd, env=dict(
            os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **env_extra))
        self.programs.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()

    # -- the record ----------------------------------------------------------

    def check(self, name, ok, detail="", outcome=None):
        """Records a check; `outcome` "SKIP" for one that could not run."""
        outcome = outcome or ("PASS" if ok else "FAIL")
        if outcome == "FAIL":
            path = os.path.join(self.workdir, f"failure-{len(self.results):02d}.png")
            run("import", "-display", self.display, "-window", "root", path, check=False)
            detail = f"{detail}\n      screenshot: {path}"
        self.results.append((outcome, name))
        print(f"{outcome:5} {name}" + ("" if ok else f"\n      {detail}"), flush=True)
        return ok

    def equal(self, name, actual, expected):
        return self.check(name, actual == expected, f"expected {expected!r}, got {actual!r}")

    def becomes(self, name, probe, expected, timeout=10):
        """That `probe` gives `expected`, once it has had time to."""
        settles(lambda: probe() == expected, timeout)
        return self.equal(name, probe(), expected)

    def part(self, title, body):
        """Runs one part of a session; a part cut short fails, ends its
        programs, and the next part still runs."""
        print(f"-- {title}", flush=True)
        try:
            body()
        except Exception as error:  # noqa: BLE001 - reported with a screenshot
            detail = "".join(traceback.format_exception_only(type(error), error)).strip()
            if not isinstance(error, StepFailed):
                detail += "\n" + traceback.format_exc()
            self.check(f"part: {title}", False, detail)
        for process in self.programs:
            if process.poll() is None:
                process.kill()
                process.wait()

    # -- X reads and input ---------------------------------------------------

    @staticmethod
    def windows_of(pid):
        out = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING", check=False)
        windows = [int(w, 16) for w in out.split("#", 1)[1].split(",")] if "#" in out else []
        return [w for w in windows
                if run("xprop", "-id", hex(w), "_NET_WM_PID", check=False).endswith(f" {pid}\n")]

    @staticmethod
    def title(window):
        return run("xdotool", "getwindowname", str(window))[:-1]

    @staticmethod
    def frame_extents(window):
        out = run("xprop", "-id", hex(window), "_NET_FRAME_EXTENTS", check=False)
        return tuple(int(v) for v in out.split("=", 1)[1].split(",")) if "=" in out else None

    @staticmethod
    def client_geometry(window):
        lines = run("xwininfo", "-id", hex(window)).splitlines()
        fields = {k.strip(): v for k, v in (line.split(":", 1) for line in lines if ":" in line)}
        return tuple(int(fields[key]) for key in (
            "Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    @staticmethod
    def activate(window):
        run("xdotool", "windowactivate", "--sync", str(window))

    @staticmethod
    def click(x, y, repeat=1):
        run("xdotool", "mousemove", "--sync", str(int(x)), str(int(y)), "click", "--repeat",
            str(repeat), "--delay", "80", "1")

    @staticmethod
    def key(*keys):
        run("xdotool", "key", "--clearmodifiers", "--delay", "30", *keys)

    @staticmethod
    def type_text(text):
        run("xdotool", "type", "--clearmodifiers", "--delay", "30", text)

    @staticmethod
    def close_request(window):
        # As the title bar's close box: _NET_CLOSE_WINDOW, on as WM_DELETE_WINDOW.
        run("wmctrl", "-i", "-c", hex(window))


def main(session):
    """Runs `session(desktop, binary, artifacts)` on a private desktop, the
    two paths given by run.sh.
    Exit status 0 pass, 1 a failed check, 77 no X server or a check that
    could not run (ctest: skipped)."""
    binary, artifacts = sys.argv[1:]
    began = time.monotonic()
    desktop = Desktop(artifacts)
    try:
        desktop.start()
        print(f"desktop {desktop.display}; files in {artifacts}", flush=True)
        desktop.part("the session", lambda: session(desktop, binary, artifacts))
    finally:
        desktop.stop()
    outcomes = [outcome for outcome, _ in desktop.results]
    print(f"\n{len(outcomes)} checks in {time.monotonic() - began:.1f} s, "
          f"{outcomes.count('FAIL')} failed, {outcomes.count('SKIP')} skipped")
    return 1 if "FAIL" in outcomes else 77 if "SKIP" in outcomes else 0
