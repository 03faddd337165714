"""A private desktop session for tests that start the real program.

It brings up a virtual X display (Xvfb) or a headless Wayland compositor
(weston), a private session bus with the accessibility bus, optionally the
Orca screen reader, and then the program. The environment is built from
scratch in a private temporary directory (HOME, XDG_* and a 0700 runtime
directory), so nothing leaks in from whoever runs the test: no
QT_QPA_PLATFORM, DISPLAY or WAYLAND_DISPLAY, no user settings. Only PATH and
the sanitizers' options are passed through. Every step waits for a condition
(a server answering, a socket, a bus name, a window on the bus, a line
in a log) with a generous timeout, never for a fixed time.

    with DesktopSession() as session:
        session.start_x_display()
        session.start_accessibility_bus()
        orca = session.start_orca()
        session.start_program(["build/veltrano"])
        app = session.wait_for_application("veltrano")
        session.click(find(app, "text", "a"))
        orca.press("Tab")
        said = orca.wait_for_speech("函数图像")   # what Orca said since the key

Set VELTRANO_SESSION_TIMEOUT (seconds, default 90) on very slow machines.
"""

import os
import re
import shutil
import signal
import socket
import subprocess
import tempfile
import threading
import time
import tty

TIMEOUT = float(os.environ.get("VELTRANO_SESSION_TIMEOUT", "90"))
PASSED_THROUGH = ("PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS")


class SessionError(Exception):
    pass


def wait_until(condition, what, timeout=None, interval=0.05):
    """Polls condition() until it returns something true, and returns that."""
    timeout = TIMEOUT if timeout is None else timeout
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise SessionError(f"no {what} after {timeout:g} s")
        time.sleep(interval)


class DesktopSession:
    def __init__(self, keep_directory=False):
        self.directory = tempfile.mkdtemp(prefix="veltrano-session-")
        self.keep_directory = keep_directory
        self.processes = []  # (name, Popen), stopped in reverse order
        self.env = {name: os.environ[name] for name in PASSED_THROUGH if name in os.environ}
        home = self.path("home")
        runtime = self.path("runtime")
        for folder in (home, runtime):
            os.makedirs(folder, mode=0o700)
        self.env.update({
            "HOME": home,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local/share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_STATE_HOME": os.path.join(home, ".local/state"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            # No dconf: settings live in memory for this session only.
            "GSETTINGS_BACKEND": "memory",
        })

    def path(self, name):
        return os.path.join(self.directory, name)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    # Processes ------------------------------------------------------------

    def start(self, name, argv, extra_env=None, stop_signal=signal.SIGTERM, **popen):
        """Starts argv in its own process group, its output in NAME.log;
        close() stops the group with stop_signal."""
        env = dict(self.env, **(extra_env or {}))
        log = None
        if "stdout" not in popen:
            log = open(self.path(name + ".log"), "wb")
            popen.update(stdout=log, stderr=subprocess.STDOUT)
        process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, start_new_session=True, **popen)
        if log is not None:
            log.close()  # the process has its own copy
        process.stop_signal = stop_signal
        self.processes.append((name, process))
        return process

    def log(self, name):
        try:
            with open(self.path(name + ".log"), encoding="utf-8", errors="replace") as file:
                return file.read()
        except FileNotFoundError:
            return ""

    def check_running(self, name, process):
        if process.poll() is not None:
            raise SessionError(f"{name} exited with status {process.returncode}:\n{self.log(name)}")

    def close(self):
        for name, process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, process.stop_signal)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
        self.processes = []
        if not self.keep_directory:
            shutil.rmtree(self.directory, ignore_errors=True)

    # Displays -------------------------------------------------------------

    def start_x_display(self, screen="1024x768x24", first_number=200):
        """Starts Xvfb on a free display number and sets DISPLAY once it
        accepts connections. The number is claimed as every X server and
        xvfb-run claim one, by the lock file the server makes; Xvfb's own
        -displayfd choice makes none, and a neighbour's xvfb-run -a would
        then start a second server on the same number."""
        for number in range(first_number, first_number + 100):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            name = f"xvfb-{number}"
            # -noreset: by default the server resets when its last client leaves
            # (the accessibility bus launcher, which only sets a property), and
            # a client connecting during the reset is turned away.
            process = self.start(name, ["Xvfb", f":{number}", "-screen", "0", screen, "-nolisten", "tcp",
                                        "-noreset"])
            wait_until(lambda: process.poll() is not None or x_server_answers(number, process.pid),
                       f"X server on :{number}")
            if process.poll() is None:
                self.env["DISPLAY"] = f":{number}"
                return self.env["DISPLAY"]
            # Another server took the number first.
        raise SessionError(f"no free X display from :{first_number} on")

    def start_wayland_display(self, socket="veltrano-weston"):
        """Starts a headless weston and sets WAYLAND_DISPLAY once its socket exists."""
        process = self.start("weston", ["weston", "--backend=headless-backend.so", f"--socket={socket}",
                                        "--no-config", "--idle-time=0"])
        path = os.path.join(self.env["XDG_RUNTIME_DIR"], socket)
        wait_until(lambda: self.check_running("weston", process) or os.path.exists(path), "weston socket")
        self.env["WAYLAND_DISPLAY"] = socket
        return socket

    # Buses ----------------------------------------------------------------

    def start_accessibility_bus(self):
        """Starts a session bus and the accessibility bus on it."""
        process = self.start("dbus", ["dbus-daemon", "--session", "--nofork", "--nosyslog", "--print-address=1"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        address = process.stdout.readline().decode().strip()
        process.stdout.close()
        if not address:
            raise SessionError("the session bus printed no address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        launcher = self.start("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_until(lambda: self.check_running("at-spi-bus", launcher) or self._accessibility_bus_address(),
                   "accessibility bus")

    def _accessibility_bus_address(self):
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.freedesktop.DBus", "/",
             "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            env=self.env, capture_output=True, text=True)
        if "true" not in reply.stdout:
            return None
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True, text=True)
        return reply.stdout.strip() if reply.returncode == 0 else None

    # The program ----------------------------------------------------------

    def start_program(self, argv, platform=None, name="program", extra_env=None):
        """Starts the program with its accessibility on, on the session's display:
        Qt's X11 platform under Xvfb, its Wayland platform under weston."""
        platform = platform or ("wayland" if "WAYLAND_DISPLAY" in self.env else "xcb")
        env = {"QT_QPA_PLATFORM": platform, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}
        env.update(extra_env or {})
        return self.start(name, argv, env)

    def use_buses(self):
        """Points this process's own AT-SPI client (pyatspi) at the session.
        A process reads one session's bus: the first use fixes it."""
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            if name in self.env:
                os.environ[name] = self.env[name]
            else:
                os.environ.pop(name, None)

    def wait_for_application(self, name, process_name="program"):
        """The application NAME once it is on the bus with a window; fails at
        once if the program has exited."""
        self.use_buses()
        process = dict(self.processes).get(process_name)
        return wait_for_application(name, lambda: process is not None and self.check_running(process_name, process))

    # Input ----------------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def click(self, accessible):
        """Clicks the middle of an object, where AT-SPI says it is on screen."""
        import pyatspi
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # No --sync: it waits for the pointer to move, forever when it is there already.
        self.xdotool("mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")

    # Orca -----------------------------------------------------------------

    def start_orca(self):
        """Starts Orca with its debug log and waits until it listens."""
        return Orca(self)


def x_server_answers(number, pid):
    """Whether the X server with this process id holds display number and
    accepts connections."""
    try:
        with open(f"/tmp/.X{number}-lock") as lock:
            if int(lock.read().strip() or 0) != pid:
                return False
    except (OSError, ValueError):
        return False
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
        try:
            connection.connect(f"/tmp/.X11-unix/X{number}")
            return True
        except OSError:
            return False


def wait_for_application(name, check=lambda: None):
    """The application NAME on the current accessibility bus, once it shows a
    window; check() runs before every look and may raise."""
    import pyatspi

    def found():
        check()
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        return None
    return wait_until(found, f"application {name!r} with a window on the accessibility bus")


def find(node, role, name):
    """The first object under node with this role name and accessible name."""
    try:
        if node.getRoleName() == role and node.name == name:
            return node
        children = list(node)
    except Exception:  # an object that went away while reading
        return None
    for child in children:
        if child is not None:
            found = find(child, role, name)
            if found is not None:
                return found
    return None


def wait_for_object(node, role, name):
    return wait_until(lambda: find(node, role, name), f"{role} {name!r}")


def focused_object(app):
    """The object under app that has the keyboard focus, read afresh."""
    import pyatspi
    app.clear_cache()

    def walk(node):
        try:
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                return node
            children = list(node)
        except Exception:
            return None
        for child in children:
            if child is not None:
                found = walk(child)
                if found is not None:
                    return found
        return None
    return walk(app)


def same_object(one, other):
    return one is not None and other is not None and one.path == other.path


class Orca:
    """Orca on the session's display and bus, its own settings in the
    session's private HOME. Its debug log (every utterance is a
    "SPEECH OUTPUT:" line) is written to a pseudo-terminal, which Python
    line-buffers, and read from there into memory and into orca-debug.log.

    Orca --replace stops every other Orca of the same user, and without it
    Orca refuses to start beside one: it runs in a PID namespace of its own
    so that it sees, and stops, none but itself."""

    READY = "ORCA: Starting registry"
    SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)?\s*(?:ACSS|\{|$)")

    def __init__(self, session):
        self.session = session
        self.lines = []
        self.mark = 0
        self.changed = threading.Condition()
        controller, terminal = os.openpty()
        tty.setraw(terminal)  # no echo, no "\r\n" for "\n"
        terminal_path = os.ttyname(terminal)
        isolate = ["unshare", "--pid", "--fork", "--mount-proc", "--kill-child"]
        if os.geteuid() != 0:
            isolate[1:1] = ["--user", "--map-current-user"]
        self.process = session.start(
            "orca", isolate + ["orca", "--replace", "--disable=key-echo", f"--debug-file={terminal_path}"],
            {"QT_QPA_PLATFORM": "xcb"}, pass_fds=(terminal,),
            # Orca takes seconds to say goodbye on SIGTERM; its log is read already.
            stop_signal=signal.SIGKILL)
        os.close(terminal)
        self.log_file = open(session.path("orca-debug.log"), "w", encoding="utf-8")
        self.reader = threading.Thread(target=self._read, args=(controller,), daemon=True)
        self.reader.start()
        self.wait_for_line(lambda line: self.READY in line, "Orca ready")

    def _read(self, controller):
        pending = b""
        while True:
            try:
                chunk = os.read(controller, 65536)
            except OSError:  # the terminal closed with Orca
                chunk = b""
            if not chunk:
                break
            pending += chunk
            *complete, pending = pending.split(b"\n")
            with self.changed:
                for raw in complete:
                    line = raw.decode("utf-8", errors="replace")
                    self.log_file.write(line + "\n")
                    self.lines.append(line)
                self.log_file.flush()
                self.changed.notify_all()
        with self.changed:
            self.changed.notify_all()
        os.close(controller)

    def wait_for_line(self, matches, what, start=0, timeout=None):
        """Index of the first line from start on for which matches(line) holds."""
        timeout = TIMEOUT if timeout is None else timeout
        deadline = time.monotonic() + timeout
        with self.changed:
            index = start
            while True:
                while index < len(self.lines):
                    if matches(self.lines[index]):
                        return index
                    index += 1
                remaining = deadline - time.monotonic()
                if remaining <= 0 or (self.process.poll() is not None and not self.reader.is_alive()):
                    said = "\n".join(self.speech(start))
                    raise SessionError(f"no {what} from Orca after {timeout:g} s; it said:\n{said}")
                self.changed.wait(remaining)

    def speech(self, start=0, end=None):
        """The utterances in the log's lines from start to end."""
        with self.changed:
            lines = self.lines[start:end]
        return [match.group(1) for match in map(self.SPEECH.search, lines) if match]

    def press(self, *keys):
        """Sends the keys with xdotool; what Orca says from now on counts as
        said after them."""
        with self.changed:
            self.mark = len(self.lines)
        self.session.xdotool("key", "--clearmodifiers", *keys)

    def type(self, text):
        """Types text with xdotool; what Orca says from now on counts as said after it."""
        with self.changed:
            self.mark = len(self.lines)
        self.session.xdotool("type", "--delay", "20", "--", text)

    def wait_for_speech(self, pattern, timeout=None):
        """Waits until Orca says something matching pattern (a regular
        expression) after the last key, and returns everything it said since
        that key, up to and including that utterance."""
        regex = re.compile(pattern)

        def said(line):
            match = self.SPEECH.search(line)
            return match is not None and regex.search(match.group(1)) is not None
        index = self.wait_for_line(said, f"utterance matching {pattern!r}", self.mark, timeout)
        return self.speech(self.mark, index + 1)

    def wait_for_any_speech(self, timeout=None):
        return self.wait_for_speech("", timeout)

    def press_until_focused(self, key, app, target, presses=20):
        """Presses key until target has the keyboard focus, each time waiting
        until the focus has moved (read through AT-SPI, not from what Orca
        says, which lags behind); what Orca says from then on counts as said
        after the last press."""
        def moved_from(before):
            now = focused_object(app)
            return now is not None and not same_object(now, before)
        for _ in range(presses):
            before = wait_until(lambda: focused_object(app), "object with the keyboard focus")
            if same_object(before, target):
                return
            self.press(key)
            wait_until(lambda: moved_from(before), f"focus moving on {key}")
        if not same_object(focused_object(app), target):
            raise SessionError(f"{presses} presses of {key} and {target.name!r} never had the focus")
