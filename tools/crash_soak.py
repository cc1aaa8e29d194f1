"""Kills the messenger while it writes its history, again and again, and
checks after every kill that the history is whole.

    python3 tools/crash_soak.py [--kills N] [--seed S] [--keep] [--locks]

Each round runs the real launcher, which installs the hook and starts the
stand-in host.  The host signs on and opens three IM windows: "bob" and
"Bo b", whose buddy names find the same folder (so one day file holds both
blocks: the later one grows by appends, the earlier one by replaces), and
"carol".  Messages of 20 to 4,000 characters arrive every 60 to 250 ms, a
window's conversation staying well under the session length limit.  At a
random instant (every other round aimed just after a poll tick, when writes
happen) the host process is killed outright, and every day file is checked
with a parser of its own:

- every line that starts with "<!--" is a whole key line;
- every message that the host had shown at least two poll periods before the
  kill is in its buddy's day file;
- every block that an earlier round left is unchanged, byte for byte (a
  block cut short at the end of its file may only have gained the line feed
  that a later block is put after);
- a block cut short is the last of its file;
- no file that the viewer would list (a name ending in ".html") is anything
  but a day file, and a buddy has one folder.

With --locks, a second program (the robot) takes a day file with no
sharing at all at random moments, for 0.3 to 2.5 s, as a backup program or
a virus scanner may: the writes into it fail and stay owed.  A message is
then due only when its day file was also let go at least two poll periods
before the kill (and was not held at the kill).

Prints one line per kill and a summary; exits 1 when any check failed.  A
new user folder every 20 rounds keeps the day files small enough for a long
run.  Needs the Windows build; runs under tools/with-display and
tools/in-wine-session (tools/crash-soak does all that)."""

import argparse
import glob
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "tests", "e2e"))
import harness  # noqa: E402
from harness import Report  # noqa: E402

POLL_PERIOD = 1.0
# Under a full parallel test run a Wine program can start ten times slower
# than alone (about five seconds here).
COME_UP_SECONDS = 120
ROUNDS_PER_USER = 20
WINDOWS = ["bob", "Bo b", "carol"]
KEY_LINE = re.compile(rb"<!-- \d\d:\d\d:\d\d-[0-9a-f]+ -->\r\n")
DAY_FILE_NAME = re.compile(r"^\d{4}-\d\d-\d\d \[(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day\]\.html$")
BASE_LINE = b'<BASE TARGET="_new">\r\n'
OFFLINE = {"CORVANE_UPDATE_SERVER": "http://127.0.0.1:9", "CORVANE_WEB_SITE": "http://127.0.0.1:9"}


def message_script(round_no, rng):
    """The host's script and the messages it shows, by their text."""
    lines = ["signon soak%03d" % (round_no // ROUNDS_PER_USER)]
    lines += ['im "%s"' % w for w in WINDOWS]
    texts = {}
    sizes = {w: 0 for w in WINDOWS}
    for n in range(200):
        window = rng.choice(WINDOWS)
        text = "m%05dw%ds%03d %s" % (round_no, WINDOWS.index(window), n,
                                     " ".join("word%d" % rng.randrange(1000)
                                              for _ in range(rng.randrange(2, 450))))
        if sizes[window] + len(text) + 200 > 45000:
            continue
        sizes[window] += len(text) + 200
        texts[text] = window
        lines.append('receive "%s" "%s" %s' % (window, window, text))
        lines.append("wait %d" % rng.randrange(60, 250))
    lines += ["wait 60000", "quit"]
    return "\n".join(lines) + "\n", texts


def parse_day_file(data):
    """(blocks, problems): blocks as [(key, bytes of the whole block, whole)],
    a block being whole when it ends as its form ends."""
    problems = []
    for line in data.split(b"\r\n"):
        if line.startswith(b"<!--") and not KEY_LINE.fullmatch(line + b"\r\n"):
            problems.append("torn key line %r" % line[:40])
    starts = list(KEY_LINE.finditer(data))
    if data and (not starts or starts[0].start() != 0):
        problems.append("text before the first key line")
    blocks = []
    for i, m in enumerate(starts):
        end = starts[i + 1].start() if i + 1 < len(starts) else len(data)
        block = data[m.start():end]
        body = block[m.end() - m.start():]
        if body.startswith(BASE_LINE):
            whole = body.endswith(b"<BR>\r\n")
        else:
            whole = i == 0 and body.endswith(b"\r\n") and b"\r\n" not in body[:-2]
        blocks.append((m.group(0)[5:-6].decode(), block, whole))
    return blocks, problems


def same_buddy(a, b):
    """Folder names the library takes for one buddy: whatever their case and
    spaces."""
    return a.replace(" ", "").lower() == b.replace(" ", "").lower()


class FileLocks:
    """A second program taking this round's day files, one at a time, with
    no sharing, at random moments; when each file was last let go."""

    def __init__(self, rng):
        self.rng = rng
        self.holder = None  # (process, path, until)
        self.next_at = time.time() + rng.uniform(0.5, 1.5)
        self.released = {}  # day file -> when it was last let go
        self.count = 0

    def step(self, now, user):
        if self.holder is not None and now >= self.holder[2]:
            self.release(now)
        if self.holder is None and now >= self.next_at:
            files = glob.glob(os.path.join(user, "*", "*.html"))
            if files:
                path = self.rng.choice(files)
                process = harness.start("robot.exe", "holdfile", harness.win_path(path), "none",
                                        stdin=subprocess.PIPE)
                if process.stdout.readline().strip() == "holding":
                    self.count += 1
                    self.holder = (process, path, time.time() + self.rng.uniform(0.3, 2.5))
                else:
                    self.end(process)
            self.next_at = now + self.rng.uniform(0.5, 2.0)

    @staticmethod
    def end(process):
        process.stdin.close()
        process.wait(timeout=30)
        process.stdout.close()

    def release(self, now):
        process, path, _ = self.holder
        self.end(process)
        self.released[os.path.normcase(path)] = now
        self.holder = None

    def settled_before(self, path, when):
        """Whether the file was let go by `when`, or never held."""
        return self.released.get(os.path.normcase(path), 0) <= when


class Soak:
    def __init__(self, kills, seed, keep, locks=False):
        self.locks = locks
        self.lock_count = 0
        self.lost = 0
        self.lines_shown = 0
        self.lines_due = 0
        self.kills = kills
        self.rng = random.Random(seed)
        self.keep = keep
        self.tmp = tempfile.mkdtemp(prefix="corvane-soak-")
        self.history = os.path.join(self.tmp, "History")
        self.seen_blocks = {}  # (path, key) -> bytes at the last check
        self.cut_short = set()  # (path, key) of blocks cut short by a kill
        self.checks = 0
        self.failures = 0
        self.torn_appends = 0
        self.leftovers = 0

    def prepare(self):
        harness.reg_delete(harness.SETTINGS_KEY)
        harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(self.history))
        done = harness.run("testhost.exe", "--register")
        if done.returncode != 0:
            raise RuntimeError("testhost --register failed: " + done.stdout + done.stderr)

    def finish(self):
        harness.reg_delete(harness.SETTINGS_KEY)
        if not self.keep:
            shutil.rmtree(self.tmp, ignore_errors=True)

    def host_pid(self, report_path):
        """The unix process of the host that writes this round's report."""
        wanted = ("TESTHOST_REPORT=" + harness.win_path(report_path)).encode()
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    if not f.read().lower().rstrip(b"\0").endswith(b"testhost.exe"):
                        continue
                with open("/proc/%s/environ" % entry, "rb") as f:
                    if wanted in f.read().split(b"\0"):
                        return int(entry)
            except OSError:
                continue
        return None

    def run_round(self, round_no):
        script, texts = message_script(round_no, self.rng)
        report_path = os.path.join(self.tmp, "host-%05d.log" % round_no)
        script_path = os.path.join(self.tmp, "script-%05d.txt" % round_no)
        with open(script_path, "w") as f:
            f.write(script)
        env = dict(OFFLINE, TESTHOST_REPORT=harness.win_path(report_path),
                   TESTHOST_SCRIPT=harness.win_path(script_path))
        launcher = harness.start("Corvane.exe", env=env)
        report = Report(report_path)
        shown = {}        # message text -> when this driver saw the host show it
        opened = []       # when each IM window was seen created
        read_lines = 0
        pid = None
        aimed = round_no % 2 == 1
        kill_at = None
        user = os.path.join(self.history, "soak%03d" % (round_no // ROUNDS_PER_USER))
        locks = FileLocks(self.rng) if self.locks else None
        started = time.time()
        while True:
            now = time.time()
            if locks is not None:
                locks.step(now, user)
            lines = report.lines()
            for line in lines[read_lines:]:
                fields = harness.parse_fields(line)
                if fields.get("event") == "run" and fields.get("command", "").startswith("receive "):
                    shown[fields["command"].rsplit('" ', 1)[1]] = now
                elif fields.get("event") == "created" and fields.get("class") == "AIM_IMessage":
                    opened.append(now)
            read_lines = len(lines)
            if pid is None and opened:
                pid = self.host_pid(report_path)
            if kill_at is None and len(opened) == len(WINDOWS) and pid is not None:
                delay = self.rng.uniform(2.3, 4.5)
                kill_at = opened[0] + delay
                if aimed:
                    # Just after a tick of one window's poll timer.
                    tick = self.rng.choice(opened)
                    ticks = max(1, round((kill_at - tick) / POLL_PERIOD))
                    kill_at = tick + ticks * POLL_PERIOD + self.rng.uniform(-0.005, 0.030)
            if kill_at is not None and now >= kill_at:
                break
            if now - started > COME_UP_SECONDS:
                raise RuntimeError(self.not_up(round_no, launcher, lines, len(opened), pid))
            time.sleep(0.005 if kill_at is not None and kill_at - now < 0.05 else 0.02)
        killed = time.time()
        os.kill(pid, signal.SIGKILL)
        try:
            launcher.wait(timeout=30)
        except Exception:
            launcher.kill()
            launcher.wait()
        launcher.stdout.close()
        due = [t for t, when in shown.items() if when <= killed - 2 * POLL_PERIOD]
        if locks is not None:
            held_at_kill = locks.holder[1] if locks.holder is not None else None
            if locks.holder is not None:
                locks.release(time.time())
            self.lock_count += locks.count

            def settled(text):
                folders = [f for f in glob.glob(os.path.join(user, "*"))
                           if same_buddy(os.path.basename(f), texts[text])]
                files = [p for f in folders for p in glob.glob(os.path.join(f, "*.html"))]
                return all(p != held_at_kill and locks.settled_before(p, killed - 2 * POLL_PERIOD)
                           for p in files)
            due = [t for t in due if settled(t)]
        self.lines_shown += len(shown)
        self.lines_due += len(due)
        failures = self.check([(text, user, texts[text]) for text in due])
        print("kill %4d  at %5.2f s%s  messages shown %3d, due %3d  %s" %
              (round_no + 1, killed - opened[0], " (aimed)" if aimed else "        ",
               len(shown), len(due), "ok" if not failures else "FAILED"), flush=True)
        for failure in failures:
            print("    " + failure, flush=True)

    @staticmethod
    def not_up(round_no, launcher, lines, windows, pid):
        """What was seen of a round whose host never opened its windows."""
        state = "still runs" if launcher.poll() is None else "ended with %d" % launcher.returncode
        return ("round %d: the host did not come up in %d s: the launcher %s, %d of %d IM windows "
                "open, host process %s; the report's last lines:\n    %s" %
                (round_no, COME_UP_SECONDS, state, windows, len(WINDOWS),
                 "found" if pid else "not found", "\n    ".join(lines[-8:]) or "(none)"))

    def check(self, due):
        """Every day file against the rules above, and the messages `due`
        (text, user folder, window) in their buddy's folder: whichever of
        "bob" and "Bo b" the first write made, as the library finds folders
        whatever their case and spaces; the failures found."""
        self.checks += 1
        failures = []
        contents = {}
        for path in sorted(glob.glob(os.path.join(self.history, "*", "*", "*"))):
            name = os.path.basename(path)
            if name.lower().endswith(".html"):
                if not DAY_FILE_NAME.match(name):
                    failures.append("%s: the viewer would list it" % path)
                    continue
                with open(path, "rb") as f:
                    contents[path] = f.read()
            else:
                self.leftovers += 1
                os.remove(path)  # a replace cut short; the next round may not reuse its name
        keys_of = {}
        for path, data in contents.items():
            blocks, problems = parse_day_file(data)
            keys_of[path] = set(key for key, _, _ in blocks)
            failures += ["%s: %s" % (path, p) for p in problems]
            keys = [key for key, _, _ in blocks]
            if len(set(keys)) != len(keys):
                failures.append("%s: a key twice" % path)
            for i, (key, block, whole) in enumerate(blocks):
                last = i == len(blocks) - 1
                seen = self.seen_blocks.get((path, key))
                if seen is not None and block != seen and not (
                        (path, key) in self.cut_short and block == seen + b"\r\n"):
                    failures.append("%s: block %s changed after its round" % (path, key))
                if not whole:
                    if not last and (path, key) not in self.cut_short:
                        failures.append("%s: block %s cut short but not the last" % (path, key))
                    if seen is None:
                        self.torn_appends += 1
                        self.cut_short.add((path, key))
                self.seen_blocks[(path, key)] = block
        for path, key in self.seen_blocks:
            if key not in keys_of.get(path, ()):
                failures.append("%s: block %s gone" % (path, key))
        for user in glob.glob(os.path.join(self.history, "*")):
            buddies = os.listdir(user)
            if any(same_buddy(a, b) for a in buddies for b in buddies if a < b):
                failures.append("%s: two folders for one buddy: %s" % (user, buddies))
        for text, user, window in due:
            if not any(text.encode() in data for path, data in contents.items()
                       if os.path.dirname(os.path.dirname(path)) == user
                       and same_buddy(os.path.basename(os.path.dirname(path)), window)):
                failures.append("message lost: %s..." % text[:30])
                self.lost += 1
        self.failures += len(failures)
        return failures

    def run(self):
        self.prepare()
        started = time.time()
        try:
            for round_no in range(self.kills):
                self.run_round(round_no)
        finally:
            self.finish()
        print("kills %d, checks %d, failures %d; appends cut short %d, replaces cut short %d; %.0f s" %
              (self.kills, self.checks, self.failures, self.torn_appends, self.leftovers, time.time() - started))
        print("locks %d; lines shown %d, due and written %d" %
              (self.lock_count, self.lines_shown, self.lines_due - self.lost))
        return 1 if self.failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kills", type=int, default=20)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", action="store_true", help="keep the history and the host reports")
    parser.add_argument("--locks", action="store_true",
                        help="a second program takes day files with no sharing at random moments")
    args = parser.parse_args()
    sys.exit(Soak(args.kills, args.seed, args.keep, args.locks).run())


if __name__ == "__main__":
    main()
