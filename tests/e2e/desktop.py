"""A private desktop (Xvfb, openbox, the accessibility bus) and the X reads
and input the end-to-end tests need; run inside dbus-run-session."""

import os
import select
import subprocess
import time


class Skip(Exception):
    """The desktop cannot exist on this machine (no X server)."""


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


def run(*args, check=True):
    result = subprocess.run(args, capture_output=True, text=True, env=os.environ)
    if check and result.returncode != 0:
        raise StepFailed(f"{' '.join(args)} failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout


class Desktop:
    def __init__(self, workdir):
        self.workdir = workdir
        self.processes = []
        self.programs = []
        self.display = None

    def start(self):
        self._start_xvfb()
        self._start_window_manager()
        self._start_accessibility_bus()

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.workdir, "xvfb.log"), "wb")
        try:
            process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=log, stderr=log)
        except OSError as error:
            raise Skip(f"Xvfb cannot be started: {error}") from error
        os.close(write_end)
        self.processes.append(process)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            ready, _, _ = select.select([read_end], [], [], max(remaining, 0))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                process.kill()
                with open(os.path.join(self.workdir, "xvfb.log"), errors="replace") as f:
                    tail = f.read()[-400:].strip()
                raise Skip(f"Xvfb did not start: {tail or 'no display number within 15 s'}")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display

    def _start_window_manager(self):
        log = open(os.path.join(self.workdir, "openbox.log"), "wb")
        self.window_manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=log,
                                               stderr=log)
        self.processes.append(self.window_manager)
        # A window manager announces itself on the root window (EWMH).
        wait_for("openbox to manage the screen",
                 lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK",
                                            check=False))

    def _start_accessibility_bus(self):
        log = open(os.path.join(self.workdir, "at-spi.log"), "wb")
        launcher = "/usr/libexec/at-spi-bus-launcher"
        self.processes.append(subprocess.Popen(
            [launcher, "--launch-immediately"], stdout=log, stderr=log))
        # The launcher publishes the bus address on the root window once the
        # accessibility bus and its registry run.
        wait_for("the accessibility bus",
                 lambda: "AT_SPI_BUS(STRING) =" in run("xprop", "-root", "AT_SPI_BUS",
                                                       check=False))

    def stop_window_manager(self):
        self.window_manager.terminate()
        self.window_manager.wait(5)
        # What it announced stays on the root window; a screen where no
        # window manager ever ran has none of it.
        for prop in ("_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_CLIENT_LIST",
                     "_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW"):
            run("xprop", "-root", "-remove", prop, check=False)

    def launch(self, argv, cwd, env_extra, log_name):
        log = open(os.path.join(self.workdir, log_name), "wb")
        process = subprocess.Popen(argv, cwd=cwd, env=dict(os.environ, **env_extra), stdout=log,
                                   stderr=log)
        self.processes.append(process)
        self.programs.append(process)
        return process

    def kill_programs(self):
        for process in self.programs:
            if process.poll() is None:
                process.kill()
                process.wait()

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    def screenshot(self, path):
        if not self.display:
            return None
        result = subprocess.run(["import", "-display", self.display, "-window", "root", path],
                                capture_output=True)
        return path if result.returncode == 0 and os.path.exists(path) else None

    @staticmethod
    def client_windows():
        out = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING", check=False)
        if "#" not in out:
            return []
        return [int(w.strip(), 16) for w in out.split("#", 1)[1].split(",") if w.strip()]

    @staticmethod
    def window_pid(window):
        out = run("xprop", "-id", hex(window), "_NET_WM_PID", check=False)
        return int(out.split("=")[1]) if "=" in out else None

    @staticmethod
    def title(window):
        out = run("xprop", "-id", hex(window), "-notype", "_NET_WM_NAME")
        if "=" not in out:
            return None
        value = out.split("=", 1)[1].strip()
        # xprop prints the string in double quotes with \" and \\ escaped.
        if not (value.startswith('"') and value.endswith('"')):
            return None
        return value[1:-1].replace('\\"', '"').replace("\\\\", "\\")

    @staticmethod
    def frame_extents(window):
        out = run("xprop", "-id", hex(window), "_NET_FRAME_EXTENTS", check=False)
        if "=" not in out:
            return None
        return tuple(int(v) for v in out.split("=", 1)[1].split(","))

    @staticmethod
    def client_geometry(window):
        out = run("xwininfo", "-id", hex(window))
        fields = {}
        for line in out.splitlines():
            if ":" in line:
                key, value = line.split(":", 1)
                fields[key.strip()] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def windows_of(self, pid):
        return [w for w in self.client_windows() if self.window_pid(w) == pid]

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
