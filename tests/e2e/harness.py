"""Shared helpers of the end-to-end tests: start the Windows programs under
Wine, read the stand-in host's report, look at the registry and map window
procedures back to the hook library's function names."""

import functools
import getpass
import glob
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest


def enter_test_session():
    """Puts this test (and every program it runs) into the session of
    tools/in-test-sessions that ctest gave it: that session's Wine prefix
    and X display."""
    tools = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), "tools")
    lines = subprocess.run([os.path.join(tools, "session-env")], capture_output=True, text=True,
                           check=True).stdout.splitlines()
    os.environ.update(line.split("=", 1) for line in lines)


enter_test_session()

SOURCE = os.environ.get("CORVANE_SOURCE", os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
BIN = os.environ.get("CORVANE_BIN", os.path.join(SOURCE, "build", "win32", "bin"))
MINGW = os.environ.get("CORVANE_MINGW_PREFIX", "i686-w64-mingw32-")
WINE_RUN = os.path.join(SOURCE, "tools", "wine-run")

SETTINGS_KEY = r"HKCU\Software\Halvard\Corvane"
# The History Viewer's own key: its window placements.
VIEWER_KEY = r"HKCU\Software\Halvard\Corvane History Viewer"
HOST_KEY = r"HKCU\Software\America Online\AOL Instant Messenger (TM)\CurrentVersion\AppPath"


def win_path(path):
    """The Windows name of a path of this machine (Wine maps / to Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


PREFIX = os.environ.get("WINEPREFIX", os.path.join(SOURCE, "build", "wineprefix"))
# The user's local application data folder in the prefix, where the History
# Viewer keeps its search indexes.
LOCAL_APPDATA = os.path.join(PREFIX, "drive_c", "users", getpass.getuser(), "AppData", "Local")


@functools.lru_cache(maxsize=None)
def search_index_file(history):
    """The History Viewer's search index of the history folder `history`
    (a path of this machine), named by the viewer's own function."""
    done = run("index_file_name.exe", win_path(history))
    if done.returncode != 0:
        raise RuntimeError("index_file_name failed: " + done.stderr + done.wine_notices)
    return os.path.join(LOCAL_APPDATA, "Corvane", done.stdout.strip().rsplit("\\", 1)[-1])


def remove_search_index(history):
    for suffix in ("", "-wal", "-shm"):
        try:
            os.remove(search_index_file(history) + suffix)
        except FileNotFoundError:
            pass


def search_index_files():
    """The files in the folder of the History Viewer's search indexes."""
    try:
        return set(os.listdir(os.path.join(LOCAL_APPDATA, "Corvane")))
    except FileNotFoundError:
        return set()


def bin_file(name):
    return os.path.join(BIN, name)


def program_file(program):
    """A program of the bin folder, or a Windows program of the prefix by
    its full name: Wine starts a bare name ("reg") through start.exe, one
    more program each time."""
    if os.path.exists(bin_file(program)):
        return bin_file(program)
    if os.path.exists(os.path.join(PREFIX, "drive_c", "windows", "system32", program + ".exe")):
        return "C:\\windows\\system32\\%s.exe" % program
    return program


def run(program, *args, timeout=60, stdin=None, env=None, encoding=None):
    """Runs a program of the bin folder (or a Wine builtin) to its end,
    with more environment when given; its output read in `encoding` (the
    locale's unless given)."""
    exe = program_file(program)
    full_env = dict(os.environ, **(env or {}))
    # Output goes through files, not pipes: a Wine service started on the way
    # would hold a pipe open long after the program ended.
    with tempfile.TemporaryFile("w+", encoding=encoding) as out, \
            tempfile.TemporaryFile("w+", encoding=encoding) as err:
        code = subprocess.run([WINE_RUN, exe, *args], input=stdin, stdout=out, stderr=err,
                              text=True, timeout=timeout, env=full_env).returncode
        out.seek(0)
        err.seek(0)
        # The program's error output leaves out the notices Wine itself
        # prints there ("wine: ...", such as that the unix folder mapped to
        # Z: has no volume serial): they are not the program's.
        errors = err.read().splitlines(keepends=True)
        done = subprocess.CompletedProcess(
            args, code, out.read(), "".join(l for l in errors if not l.startswith("wine: ")))
        # What Wine itself said there, for the message of a failure.
        done.wine_notices = "".join(l for l in errors if l.startswith("wine: "))
        return done


def start(program, *args, env=None, stdin=None, stderr=subprocess.DEVNULL):
    exe = program_file(program)
    full_env = dict(os.environ)
    full_env.update(env or {})
    # Windows programs print ANSI text; an icon control's text is even a
    # resource number with a byte 0xFF.
    return subprocess.Popen([WINE_RUN, exe, *args], env=full_env, stdin=stdin,
                            stdout=subprocess.PIPE, stderr=stderr, encoding="latin-1")


def reg_delete(key):
    run("reg", "delete", key, "/f")


def reg_write(robot, deleted=(), values=None):
    """Deletes the keys `deleted` with all below them, then sets `values`
    ({key: {name: value}}: text, a number as a DWORD, or None to delete the
    value; "" names a key's default value), through `robot`: reg.exe would
    be two Windows programs, each costing the machine about a quarter of a
    second."""
    commands = [("regdelete", key) for key in deleted]
    for key, named in (values or {}).items():
        for name, value in named.items():
            if value is None:
                commands.append(("regset", key, name, "none"))
            elif isinstance(value, int):
                commands.append(("regset", key, name, "dword", value))
            else:
                # The robot reads its commands as bytes: the text goes as UTF-8.
                commands.append(("regset", key, name, "sz",
                                 value.encode("utf-8").decode("latin-1")))
    for command in commands:
        if any('"' in str(word) for word in command):
            raise ValueError("a robot's word holds no quote: %r" % (command,))
        answer = robot(*command)
        if answer != ["done"]:
            raise RuntimeError("%s failed: %r" % (" ".join(map(str, command)), answer))


def reg_add(key, name, value, kind="REG_SZ"):
    args = ["add", key]
    args += ["/ve"] if name is None else ["/v", name]
    args += ["/t", kind, "/d", str(value), "/f"]
    done = run("reg", *args)
    if done.returncode != 0:
        raise RuntimeError("reg add failed (exit code %d): %s%s%s" % (
            done.returncode, done.stdout, done.stderr, done.wine_notices))


def reg_values(key):
    """{name: (type, text)} as `reg query` prints them; {} for a key that is
    not there."""
    for attempt in range(2):
        done = run("reg", "query", key)
        if done.returncode == 0 or "Unable to find the specified registry key" in done.stdout:
            break
        # A failed query must not pass for an empty key: it is asked once
        # more, then reported.
        if attempt:
            raise AssertionError("reg query %s failed with %d: %s%s%s" % (
                key, done.returncode, done.stdout, done.stderr, done.wine_notices))
    out = done.stdout
    values = {}
    for line in out.splitlines():
        m = re.match(r"\s{4}(\S.*?)\s{4}(REG_\w+)\s{4}(.*)$", line) or \
            re.match(r"\s{4}(\S.*?)\s{4}(REG_\w+)$", line)
        if m:
            values[m.group(1)] = (m.group(2), m.group(3) if m.lastindex >= 3 else "")
    return values


# Where Wine reads the dots per inch of the screen, once per program.
DPI_KEY = r"HKCU\Control Panel\Desktop"


def end_wine_desktop():
    """Ends this prefix's desktop process, which the next window brings up
    afresh.  It outlives the test that started it by a moment, and keeps
    what it read as it started: the dots per inch, and a hook library it
    was brought into (Windows drops that from the shell once the hook is
    gone; Wine keeps it until the process ends)."""
    prefix = ("WINEPREFIX=" + os.path.abspath(PREFIX)).encode()
    for proc in glob.glob("/proc/[0-9]*"):
        try:
            with open(proc + "/cmdline", "rb") as f:
                words = f.read().split(b"\0")
            with open(proc + "/environ", "rb") as f:
                environment = f.read().split(b"\0")
        except OSError:
            continue
        if (words[0].lower().endswith(b"explorer.exe") and b"/desktop" in words
                and prefix in environment):
            os.kill(int(proc.split("/")[2]), signal.SIGKILL)


def set_screen_dpi(dpi):
    """Makes the programs started from now on draw at `dpi` dots per inch;
    a function that gives back the setting there was.  A desktop process
    left at another setting would scale their windows' coordinates by it
    (a move asked at 96 made a window half as large again)."""
    before = reg_values(DPI_KEY).get("LogPixels")
    reg_add(DPI_KEY, "LogPixels", dpi, kind="REG_DWORD")
    end_wine_desktop()

    def restore():
        if before is None:
            run("reg", "delete", DPI_KEY, "/v", "LogPixels", "/f")
        else:
            reg_add(DPI_KEY, "LogPixels", int(before[1], 0), kind="REG_DWORD")
        end_wine_desktop()
    return restore


WINE_BROWSER_KEY = r"HKCU\Software\Wine\WineBrowser"


def use_browser(test, program):
    """Makes `program` the web browser that Wine's shell starts for web
    (and other) addresses until the test ends."""
    test.addCleanup(run, "reg", "delete", WINE_BROWSER_KEY, "/v", "Browsers", "/f")
    reg_add(WINE_BROWSER_KEY, "Browsers", program)


def use_recording_browser(test, folder):
    """A browser that only writes down each address it is asked to open,
    one a line, into a file of `folder`; that file's path."""
    opened = os.path.join(folder, "opened.txt")
    browser = os.path.join(folder, "browser.sh")
    with open(browser, "w") as f:
        f.write('#!/bin/sh\necho "$1" >> "%s"\n' % opened)
    os.chmod(browser, 0o755)
    use_browser(test, browser)
    return opened


def wait_until(predicate, timeout=20.0, interval=0.1, what="condition", explain=None):
    """predicate()'s first true answer within timeout; else fails, saying
    what was awaited and what explain() finds then."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        result = predicate()
        if result:
            return result
        time.sleep(interval)
    raise AssertionError("timed out waiting for " + what +
                         ("" if explain is None else ": " + explain()))


def most_dialogs_during(robot, caption, seconds):
    """The most dialog boxes titled caption seen open at once, looking
    five times a second for that long."""
    most = 0
    deadline = time.time() + seconds
    while time.time() < deadline:
        most = max(most, len(robot.dialogs(caption)))
        time.sleep(0.2)
    return most


def parse_fields(line):
    """`key=value` pairs of a report line; values may be double-quoted, and
    a `value=` field holds the rest of the line."""
    fields = {}
    head, sep, rest = line.partition(" value=")
    if sep:
        fields["value"] = rest
        line = head
    try:
        parts = shlex.split(line, posix=True)
    except ValueError:
        parts = line.split()
    if parts:
        fields["event"] = parts[0]
    for part in parts[1:]:
        if "=" in part:
            key, value = part.split("=", 1)
            fields[key] = value
    return fields


class Report:
    """The stand-in host's report file, read while the host runs."""

    def __init__(self, path):
        self.path = path

    def lines(self):
        try:
            with open(self.path, encoding="latin-1") as f:
                return [line.rstrip("\r\n") for line in f]
        except FileNotFoundError:
            return []

    def events(self, name=None):
        found = [parse_fields(line) for line in self.lines()]
        return [e for e in found if name is None or e.get("event") == name]

    def wait_for(self, name, count=1, timeout=30.0, **match):
        def ready():
            hits = [e for e in self.events(name)
                    if all(e.get(k) == v for k, v in match.items())]
            return hits if len(hits) >= count else None
        return wait_until(ready, timeout, what="%d '%s' %r in %s" % (count, name, match, self.path))


class Symbols:
    """Function names of the hook library by address, from its symbol table."""

    def __init__(self, dll):
        header = subprocess.run([MINGW + "objdump", "-p", dll], capture_output=True,
                                text=True).stdout
        self.image_base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", header).group(1), 16)
        table = subprocess.run([MINGW + "nm", "-C", dll], capture_output=True, text=True).stdout
        self.by_rva = {}
        for line in table.splitlines():
            parts = line.split(" ", 2)
            if len(parts) == 3 and parts[1] in ("T", "t") and not parts[2].startswith("."):
                name = re.sub(r"\(.*$", "", parts[2]).split("::")[-1]
                self.by_rva.setdefault(int(parts[0], 16) - self.image_base, name)

    def name_of(self, module_and_rva):
        """'Corvane.dll+0x1a2b' -> function name; anything else -> None."""
        m = re.match(r"(?i)corvane\.dll\+0x([0-9a-f]+)$", module_and_rva or "")
        return self.by_rva.get(int(m.group(1), 16)) if m else None


def unescape(text):
    """A robot text field back to the text itself (it escapes line breaks
    and backslashes to keep one finding on one line)."""
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r"}.get(m.group(1), m.group(1)), text)


def parse_robot_line(line, tail):
    """`key=value` fields of a robot line whose last field `tail` holds the
    rest of the line verbatim."""
    head, sep, rest = line.partition(" %s=" % tail)
    fields = parse_fields(head)
    if sep:
        fields[tail] = unescape(rest)
    return fields


class Robot:
    """One robot.exe kept open for a whole test: each call sends one
    command and returns the lines of its answer."""

    def __init__(self, env=None, stderr=subprocess.DEVNULL):
        # Programs it spawns inherit env (for example where the trash is)
        # and Wine's messages go with theirs to stderr.
        for attempt in range(2):
            self.process = start(bin_file("robot.exe"), "serve", env=env, stdin=subprocess.PIPE,
                                 stderr=stderr)
            try:
                # An empty command is answered at once.  Under a full test run
                # Wine has lost a session's first program before it ran
                # (ending it, silent, with code 1): that one is started again.
                self._send("")
                return
            except (RuntimeError, OSError) as error:
                if attempt:
                    raise RuntimeError("robot.exe ended as it started, twice") from error
                self.close()

    def __call__(self, *words):
        line = " ".join('"%s"' % w if (w == "" or " " in str(w)) else str(w) for w in words)
        return self._send(line)

    def _send(self, *lines):
        for line in lines:
            if "\n" in line or "\r" in line:
                raise ValueError("a robot command is one line: " + repr(line))
        self.process.stdin.write("".join(line + "\n" for line in lines))
        self.process.stdin.flush()
        line = lines[0]
        answer = []
        while True:
            got = self.process.stdout.readline()
            if got == "":
                raise RuntimeError("robot ended while answering " + line)
            got = got.rstrip("\r\n")
            if got == ".":
                return answer
            answer.append(got)

    def close(self):
        """Ends the robot, also one that ended by itself with a command
        still unsent in its pipe."""
        try:
            self.process.stdin.close()
        except OSError:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()

    def controls(self, caption):
        """Every control of the window: a list of field dicts (id, class,
        style, visible, enabled, rect, checked/pos/hotkey/icon, text)."""
        return [parse_robot_line(l, "text") for l in self("controls", caption)
                if l.startswith("control ")]

    def control(self, caption, control_id):
        for c in self.controls(caption):
            if c.get("id") == str(control_id):
                return c
        return None

    def items(self, caption, control_id):
        """(entries, selected index) of a combo box or list box."""
        lines = self("items", caption, control_id)
        if not lines or not lines[0].startswith("items "):
            return None
        head = parse_fields(lines[0])
        entries = [parse_robot_line(l, "text")["text"] for l in lines[1:]]
        return entries, int(head["sel"])

    def selected(self, caption, control_id):
        """The selected entry's text of a combo box or list box, or None.
        The viewer fills a list once its level is listed: an index read
        beside the entries of a list filled in between is not yet one."""
        found = self.items(caption, control_id)
        return found[0][found[1]] if found and 0 <= found[1] < len(found[0]) else None

    def text(self, caption, control_id):
        """Fields firstvisible, lines, length and value of a control's text."""
        lines = self("text", caption, control_id)
        return parse_robot_line(lines[0], "value") if lines and lines[0].startswith("text ") else None

    def window(self, caption):
        lines = self("window", caption)
        return parse_fields(lines[0]) if lines and lines[0].startswith("window ") else None

    def shown(self, caption):
        """The window once it is visible, else None.  A dialog is made
        visible after its controls are made and its opening steps done;
        before that window() already finds it, hidden, and asks of its
        controls find none."""
        w = self.window(caption)
        return w if w and w["visible"] == "1" else None

    def alpha(self, cls):
        return [parse_fields(l) for l in self("alpha", cls) if l.startswith("alpha ")]

    def dialogs(self, caption=None):
        """The visible dialog boxes titled caption (all of them without one):
        field dicts (hwnd, pid, owner, caption), each with its "controls" as
        in controls()."""
        found = []
        for l in self("dialogs", *([] if caption is None else [caption])):
            if l.startswith("dialog "):
                found.append(dict(parse_robot_line(l, "caption"), controls=[]))
            elif l.startswith("control ") and found:
                found[-1]["controls"].append(parse_robot_line(l, "text"))
        return found

    def spawn(self, command_line, program=None, bare=False):
        """Starts a program with exactly this Windows command line (quotes
        as given), from `program` when its first word cannot name it; its
        process id.  Bare: with no standard handles, as the shell starts a
        program without a console."""
        verb = "spawnbare" if bare else "spawn"
        request = verb if program is None else '%s "%s"' % (verb, program)
        lines = self._send(request, command_line)
        if not lines or not lines[0].startswith("spawned "):
            raise RuntimeError("spawn failed: %r for %s" % (lines, command_line))
        return int(parse_fields(lines[0])["pid"])

    def exit_code(self, pid, wait_ms=0):
        """The process's exit code once it ended within wait_ms, else None."""
        lines = self("exited", pid, wait_ms)
        return int(parse_fields(lines[0])["code"]) if lines and lines[0].startswith("exited ") else None


def our_programs():
    """The file names of the programs of the bin folder, in lower case."""
    return {name.lower() for name in os.listdir(BIN) if name.lower().endswith(".exe")}


def listed_processes(robot):
    """The processes of the prefix as Wine lists them to `robot`: field
    dicts (pid, self, library, name)."""
    return [parse_fields(line) for line in robot("processes") if line.startswith("process ")]


def stray_processes(robot):
    """{pid: name} of the processes of the prefix, as Wine lists them to
    `robot`, that are programs of ours or hold the hook library, the robot
    itself left out.  A process holding the library keeps its shared
    settings record alive, with values the launcher does not load afresh
    (the day of the last version check among them)."""
    listed = listed_processes(robot)
    if not listed:
        raise RuntimeError("cannot list the processes of the prefix")
    ours = our_programs()
    return {int(p["pid"]): p["name"] for p in listed
            if p["self"] == "0" and (p["name"].lower() in ours or p["library"] == "1")}


def end_stray_processes(robot, grace=0.0, timeout=20.0):
    """Gives the stray processes `grace` seconds to end by themselves, ends
    the rest and checks in Wine's process list that they are gone; what was
    found at first.  Fails loudly when the prefix cannot be made clean."""
    found = stray_processes(robot)
    deadline = time.time() + grace
    remaining = found
    while remaining and time.time() < deadline:
        time.sleep(0.2)
        remaining = stray_processes(robot)
    for pid in remaining:
        robot("kill", pid)
    deadline = time.time() + timeout
    while remaining and time.time() < deadline:
        time.sleep(0.2)
        remaining = stray_processes(robot)
    if remaining:
        raise RuntimeError("cannot end the processes left in the prefix: %r" % remaining)
    return found


class WineTest(unittest.TestCase):
    """A test with its own temporary folder and a clean settings key whose
    history folder lies in that temporary folder, started in a prefix where
    no program of ours runs and no process holds the hook library (so its
    shared settings record starts afresh too), and leaving it so.  A test
    whose class `registers_host` starts with the stand-in host registered
    where the launcher looks for the messenger."""

    registers_host = False

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="corvane-e2e-")
        self.history = os.path.join(self.tmp, "History")
        # One robot kept open for the whole test, the harness's and the
        # test's: each look at the process list, each process ended and each
        # registry chore would otherwise be a Windows program of its own.
        # What Wine says of the programs the robot starts (its notices and
        # error channel) is kept, for the message of a test that waited in
        # vain for one of them.
        self.wine_says = open(os.path.join(self.tmp, "wine-says.txt"), "wb")
        self.addCleanup(self.wine_says.close)
        self.house = Robot(env={"WINEDEBUG": "-all,err+all", **self.house_env()},
                           stderr=self.wine_says)
        self.addCleanup(self.house.close)
        left = end_stray_processes(self.house)
        if left:
            print("ended what an earlier test left running: %r" % left, file=sys.stderr)
        # The search indexes the viewers of this test make (of its history
        # folder or of others) go with it.
        self.indexes_before = search_index_files()
        # Registered first, so it runs last: after tearDown and every cleanup
        # a test adds, which may still use its programs.
        self.addCleanup(self.leave_prefix_clean)
        reg_write(self.house, *self.registry_at_start())
        self.processes = []

    def house_env(self):
        """More environment for the programs the robot spawns."""
        return {}

    def wine_said(self, lines=30):
        """The last lines Wine wrote of the robot and the programs it
        started."""
        with open(self.wine_says.name, "rb") as said:
            return said.read().decode("latin-1").splitlines()[-lines:]

    def registry_at_start(self):
        """(the keys deleted, the values written) at the start of the test;
        the keys and the values written as None are deleted again at its
        end."""
        values = {SETTINGS_KEY: {"LogDir": win_path(self.history)}}
        if self.registers_host:
            values.update(self.host_registration())
        return [SETTINGS_KEY, VIEWER_KEY], values

    def tearDown(self):
        for p in self.processes:
            if p.poll() is None:
                p.kill()
                p.wait()
            for stream in (p.stdin, p.stdout):
                if stream is not None:
                    stream.close()
        self.house("close", "_Oscar_BuddyListWin")

    def leave_prefix_clean(self):
        try:
            # A launcher whose hosts have quit may still be on its way out.
            end_stray_processes(self.house, grace=3.0)
        finally:
            try:
                # Only now: a program still running could have saved settings.
                deleted, values = self.registry_at_start()
                removed = {key: [name for name, value in named.items() if value is None]
                           for key, named in values.items()}
                reg_write(self.house, deleted,
                           {key: dict.fromkeys(names) for key, names in removed.items() if names})
            finally:
                self.house.close()
                for name in search_index_files() - self.indexes_before:
                    os.remove(os.path.join(LOCAL_APPDATA, "Corvane", name))
                shutil.rmtree(self.tmp, ignore_errors=True)

    def start(self, program, *args, **kwargs):
        p = start(program, *args, **kwargs)
        self.processes.append(p)
        return p

    @staticmethod
    def host_registration():
        """The messenger's AppPath key naming the stand-in host, as the
        host's --register writes it."""
        return {HOST_KEY: {"": win_path(bin_file("testhost.exe"))}}

    def register_host(self):
        reg_write(self.house, values=self.host_registration())
