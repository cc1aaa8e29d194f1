"""Times the History Viewer on a large history tree, driven through the
dialog robot as a user would: start to the first day shown, a rebuild of
the lists, the size walk, selecting a 1 MB day file written as the hook
library writes it (blocks of at most 65,535 characters): until its last
line shows, and until the whole day is loaded behind it; searching the
whole tree beside `grep -rio` on the same files: the search index built
from nothing (its time beside one search of every day by full_scan.exe, the
window's answers and the viewer's memory meanwhile, its size on disk), then
searches that use it, the first with the files and the index evicted from
the page cache; exporting the whole tree to each format from the export
window and from the command line; counting the Delete Old Days preview;
and opening each of tests/e2e/hostile_days.py's days beside a plain day of the
same size: the window's slowest answer meanwhile and the viewer's peak
memory once the day is wholly loaded; and a user with 30,000 buddies (a
tree of its own in DIR-buddies): opening it, and the window's longest
answer while it opens, while a new buddy comes each second and while the
lists merge a listing of everything once the watch lost count (--buddies N
for another count, in DIR-buddies-N).

    tools/viewer-bench [--tree DIR] [--scale N] [--runs N] [--buddies N]
                       [--part all|viewer|search|export|preview|hostile|buddies]

The tree (over 300 buddies, over 2,000 day files, over 100 MB, day files as
the hook library writes them) is built once in DIR/History (default
build/viewer-bench, or build/viewer-bench-xN for --scale N) and reused.
--scale N gives every buddy N times the days over N times the years (at
least 600 days): --scale 10 is ten years, about 25,600 day files and 1.1 GB.
Thirty days of a buddy of their own hold a word found nowhere else.
Programs come from CORVANE_BIN (tools/viewer-bench sets the build that runs
here and runs this under tools/with-display and tools/in-wine-session), the
viewer stripped as it ships from the ship folder beside it.  Not
part of ctest."""

import argparse
import datetime
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402
import hostile_days  # noqa: E402
import viewer_session as vs  # noqa: E402

# Users and their buddy counts; each buddy has DAYS_PER_BUDDY day files.
USERS = {"alice": 200, "carol": 60, "dave": 60}
DAYS_PER_BUDDY = 8
MEGABYTE_USER, MEGABYTE_BUDDY = "bench", "megabyte"
MEGABYTE_DAY = datetime.date(2002, 1, 7)
FIRST_WORDS = "the first line of the megabyte"
LAST_WORDS = "the last line of the megabyte"
TEXTS = ["are you coming tonight?", "see you at eight, then we can talk it over", "ok",
         "did you get the pictures I sent this morning", "lol", "brb, phone"]


def host_conversation(size, rng, buddy, user):
    """A conversation as the capture stores it: messages in the host's
    markup, its comments and smileys already turned into small text."""
    html = '<HTML><BODY BGCOLOR="#ffffff">'
    n = rng.randrange(1000)
    while len(html) < size:
        who, colour = (buddy, "#0000ff") if n % 2 == 0 else (user, "#ff0000")
        html += '<FONT COLOR="%s"><B>%s</B>:</FONT> <FONT FACE="Arial" SIZE=2 COLOR="#000000">' % (
            colour, who)
        if n % 7 == 3:
            html += "<FONT SIZE=1> 09:05:07 </FONT>"
        html += TEXTS[n % len(TEXTS)]
        if n % 5 == 2:
            html += ' <FONT SIZE=1><B>[IMG SRC="smile.gif" ALT=":-)"]</B></FONT>'
        html += "</FONT><BR>\n"
        n += 1
    return html + "</BODY></HTML>"


def day_file(rng, size, buddy, user):
    """One to three session blocks adding up to about size bytes."""
    blocks = rng.choice((1, 1, 2, 3))
    return vs.day_file_bytes(*[host_conversation(size // blocks, rng, buddy, user)
                               for _ in range(blocks)])


def date_written(path, date):
    """Gives a day file the write time of its own evening, as a history
    written day by day has: Delete Old Days counts it as finished."""
    written = time.mktime((date.year, date.month, date.day, 23, 0, 0, 0, 0, -1))
    os.utime(path, (written, written))


FIRST_DAY = datetime.date(2001, 3, 1)


def tree_span(scale):
    """The days from FIRST_DAY over which the tree's days are drawn."""
    return max(600, 365 * scale)


def build_tree(history, scale=1):
    rng = random.Random(2002)
    first = FIRST_DAY
    span = tree_span(scale)
    for user, buddies in USERS.items():
        for b in range(buddies):
            buddy = "buddy%03d %s" % (b, rng.choice(("x", "mo", "the kid", "jr")))
            folder = os.path.join(history, user, buddy)
            os.makedirs(folder)
            days = sorted(rng.sample(range(span), DAYS_PER_BUDDY * scale))
            for d in days:
                date = first + datetime.timedelta(days=d)
                path = os.path.join(folder, vs.day_file_name(date))
                with open(path, "wb") as f:
                    f.write(day_file(rng, rng.randrange(5000, 85000), buddy, user))
                date_written(path, date)


def write_megabyte_days(history):
    """A day of a megabyte in blocks of at most vs.BLOCK_LIMIT characters,
    as the hook library writes a long day, and a small day after it."""
    rng = random.Random(7)
    folder = os.path.join(history, MEGABYTE_USER, MEGABYTE_BUDDY)
    os.makedirs(folder, exist_ok=True)
    blocks = [host_conversation(vs.BLOCK_LIMIT - 600, rng, MEGABYTE_BUDDY, MEGABYTE_USER)
              for _ in range(16)]
    blocks[0] = blocks[0].replace("<BODY BGCOLOR=\"#ffffff\">",
                                  "<BODY BGCOLOR=\"#ffffff\"><B>%s</B><BR>" % FIRST_WORDS)
    blocks[-1] = blocks[-1].replace("</BODY></HTML>", "<B>%s</B><BR></BODY></HTML>" % LAST_WORDS)
    assert all(len(b) <= vs.BLOCK_LIMIT for b in blocks)
    write_if_changed(os.path.join(folder, vs.day_file_name(MEGABYTE_DAY)), vs.day_file_bytes(*blocks))
    write_if_changed(os.path.join(folder, vs.day_file_name(MEGABYTE_DAY + datetime.timedelta(1))),
                     vs.day_file_bytes(host_conversation(3000, rng, MEGABYTE_BUDDY, MEGABYTE_USER)))


# A word in RARE_DAYS days of their own, spread over the years of the tree:
# what a user looks for when the history is long.
RARE_USER, RARE_BUDDY, RARE_WORD, RARE_DAYS = "bench", "rare", "quetzal", 30


def write_rare_days(history, scale):
    rng = random.Random(30)
    folder = os.path.join(history, RARE_USER, RARE_BUDDY)
    os.makedirs(folder, exist_ok=True)
    for d in sorted(rng.sample(range(tree_span(scale)), RARE_DAYS)):
        html = host_conversation(rng.randrange(5000, 85000), rng, RARE_BUDDY, RARE_USER)
        html = html.replace("</BODY></HTML>", "<B>a %s, there</B><BR></BODY></HTML>" % RARE_WORD)
        write_if_changed(os.path.join(folder, vs.day_file_name(datetime.date(2001, 3, 1) +
                                                               datetime.timedelta(days=d))),
                         vs.day_file_bytes(html))


def write_if_changed(path, data):
    """Leaves a file that already holds data alone, so a tree shared with
    other runs (or kept read-only) is only read."""
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    with open(path, "wb") as f:
        f.write(data)


def tree_figures(history):
    files = size = 0
    for folder, _, names in os.walk(history):
        for name in names:
            files += 1
            size += os.path.getsize(os.path.join(folder, name))
    buddies = sum(len(os.listdir(os.path.join(history, u))) for u in os.listdir(history))
    du = int(subprocess.run(["du", "-sb", history], capture_output=True, text=True)
             .stdout.split()[0])
    return files, buddies, size, du


def shipped_viewer():
    """The viewer as it ships, stripped (the build's ship folder beside its
    bin folder), or else the built one.  Wine reads a program's sections
    into memory, its debug information too: the 64-bit build's full debug
    information held 24 MB more in every viewer."""
    shipped = os.path.join(os.path.dirname(harness.BIN), "ship", vs.VIEWER)
    return shipped if os.path.exists(shipped) else harness.bin_file(vs.VIEWER)


class Viewer:
    """One viewer run on the bench tree, timed from its spawn."""

    def __init__(self, robot, *names):
        self.robot = robot
        line = " ".join(['"%s"' % harness.win_path(shipped_viewer())] +
                        ['"%s"' % n for n in names])
        self.began = time.perf_counter()
        self.pid = robot.spawn(line)

    def until(self, predicate, timeout=120.0):
        """Seconds from the spawn until predicate() holds."""
        harness.wait_until(predicate, timeout=timeout, interval=0.01)
        return time.perf_counter() - self.began

    def view_shown(self):
        """What tells one shown day from another without fetching its text
        (a megabyte sent between processes again and again has made Wine's
        server drop the viewer): its line and character counts and its last
        line; None while the view is empty."""
        counts = self.view_lines()
        if counts is None or counts[1] == 0:
            return None
        return counts + (self.view_last_line(),)

    def view_lines(self):
        """The view's line count and characters, read without the text (see
        the robot's topline); None while the viewer's window is not there."""
        top = self.robot("topline", vs.CAPTION, vs.VIEW)
        if not top or not top[0].startswith("topline "):
            return None
        f = harness.parse_robot_line(top[0], "text")
        return int(f["lines"]), int(f["characters"])

    def view_last_line(self):
        return harness.parse_robot_line(self.robot("lastline", vs.CAPTION, vs.VIEW)[0], "text")["text"]

    def close(self):
        self.robot("sys", vs.CAPTION, vs.SC_CLOSE)
        if self.robot.exit_code(self.pid, 30000) is None:
            harness.run("taskkill", "/F", "/PID", str(self.pid))


def timed(robot, action, predicate, timeout=120.0):
    began = time.perf_counter()
    action()
    harness.wait_until(predicate, timeout=timeout, interval=0.01)
    return time.perf_counter() - began


def measure(history, runs):
    robot = harness.Robot()
    rows = []
    try:
        starts, walks, sizes = [], [], set()
        for _ in range(runs):
            v = Viewer(robot)
            starts.append(v.until(lambda: v.view_shown() is not None))
            walks.append(v.until(lambda: robot.control(vs.CAPTION, vs.SIZE)["text"] != "???"))
            sizes.add(robot.control(vs.CAPTION, vs.SIZE)["text"])
            v.close()
        rows.append(("start to the first day shown", starts, ""))
        rows.append(("start to the size total shown", walks, "shows %s MB" % "/".join(sizes)))

        # Rebuild: picking another user re-reads its buddies from disk and
        # that buddy's dates, then shows its newest day.
        rebuilds = []
        v = Viewer(robot)
        v.until(lambda: v.view_shown() is not None)
        users = robot.items(vs.CAPTION, vs.USERS)[0]
        for n in range(runs):
            index = users.index("carol" if n % 2 == 0 else "alice")
            want = USERS[users[index]]
            before = v.view_shown()
            rebuilds.append(timed(robot, lambda: robot("select", vs.CAPTION, vs.USERS, index),
                                  lambda: len(robot.items(vs.CAPTION, vs.BUDDIES)[0]) == want
                                  and v.view_shown() not in (None, before)))
        v.close()
        rows.append(("select a user (%d or %d buddies): lists rebuilt, day shown"
                     % (USERS["alice"], USERS["carol"]), rebuilds, ""))

        last, whole = [], []
        v = Viewer(robot, MEGABYTE_USER, MEGABYTE_BUDDY)
        v.until(lambda: v.view_shown() is not None)
        began = time.perf_counter()
        v.view_lines()
        poll = time.perf_counter() - began
        # Once, to learn the whole day's length: the view holds the lines
        # around its end until all of it is loaded.
        robot("select", vs.CAPTION, vs.DATES, 0)
        harness.wait_until(lambda: v.view_lines()[0] > 1000, timeout=60)
        length = v.view_lines()[1]
        for n in range(runs):
            robot("select", vs.CAPTION, vs.DATES, 1)
            harness.wait_until(lambda: LAST_WORDS not in v.view_last_line(), timeout=60)
            began = time.perf_counter()
            robot("select", vs.CAPTION, vs.DATES, 0)
            harness.wait_until(lambda: LAST_WORDS in v.view_last_line(), timeout=120, interval=0.01)
            last.append(time.perf_counter() - began)
            harness.wait_until(lambda: v.view_lines()[1] == length, timeout=120, interval=0.01)
            whole.append(time.perf_counter() - began)
        v.close()
        rows.append(("select the 1 MB day until its last line shows", last,
                     "one poll of the view %.0f ms" % (poll * 1000)))
        rows.append(("select the 1 MB day until all of it is loaded", whole,
                     "%d characters shown" % length))
    finally:
        robot.close()
    return rows


# The search's figures: a word in 30 days, a query that is in every user's
# files (about 3,700 matches in 24 days, so a search without the index reads
# the whole tree; at --scale 10 it stops at the cap), one that is nowhere, and
# one so common that the search stops at its cap.
# Each with the window's other fields: a range of dates, a sender (every
# user's lines hold "eight", every buddy's "tonight").
def searches(scale):
    """The year of the range is 2004, or the last whole one a smaller tree holds."""
    year = min(2004, (FIRST_DAY + datetime.timedelta(tree_span(scale))).year - 1)
    return [(RARE_WORD, "in %d days" % RARE_DAYS, {}), ("buddy017", "whole tree", {}),
            ("zebra crossing", "no match", {}), ("pictures", "every match, to the last row", {}),
            ("tonight", "within one year (%d)" % year,
             {"dates": ("%d-01-01" % year, "%d-12-31" % year)}),
            ("eight", "said by one user", {"said_by": "carol"})]


BUSY = "Searching"
NOWHERE = "zebra crossing"


def evict_file(path):
    if not os.path.exists(path):
        return
    fd = os.open(path, os.O_RDONLY)
    try:
        os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)
    finally:
        os.close(fd)


def evict(history):
    """Drops the tree's files from the page cache, for a cold first run."""
    for folder, _, names in os.walk(history):
        for name in names:
            evict_file(os.path.join(folder, name))


def grep_seconds(history, query):
    """How long grep -rio takes over the tree, and what it counts."""
    began = time.perf_counter()
    out = subprocess.run(["grep", "-rio", "--", query, history], capture_output=True).stdout
    return time.perf_counter() - began, out.count(b"\n")


def viewer_proc_file(name):
    """The text of /proc/PID/name of the viewer's process, or None.  Only a
    viewer of this run's Wine prefix: other worktrees run viewers of their
    own on the same machine."""
    prefix = ("WINEPREFIX=%s" % os.environ.get("WINEPREFIX", "")).encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if vs.VIEWER.encode() not in f.read():
                    continue
            with open("/proc/%s/environ" % pid, "rb") as f:
                if prefix not in f.read().split(b"\0"):
                    continue
            with open("/proc/%s/%s" % (pid, name)) as f:
                return f.read()
        except OSError:
            continue
    return None


def viewer_cpu_seconds():
    """The processor time the viewer's process has used so far (all its
    threads), from Linux's own count: a figure the machine's load does not
    stretch, as it does the clock."""
    stat = viewer_proc_file("stat")
    if stat is None:
        return float("nan")
    fields = stat.rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def viewer_peak_megabytes():
    """The most memory the viewer's process has held (VmHWM), in MB."""
    status = viewer_proc_file("status") or ""
    for line in status.splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1]) / 1024
    return float("nan")


# A hostile day is opened from a small newer day of its buddy, which the
# viewer shows first; the window is asked every millisecond for this long.
HOSTILE_WATCH_MS = 5000
HOSTILE_USER = "hostile"


def write_hostile_tree(history):
    """Each hostile day, and a plain day of its size, under a buddy of its
    own beside a small newer day; (name, buddy, size) for each."""
    rng = random.Random(7)
    cases = []
    for n, (name, body, last_word) in enumerate(hostile_days.CASES):
        hostile = hostile_days.day_bytes(body, last_word)
        plain = day_file(rng, len(hostile), "plain", HOSTILE_USER)
        for kind, data in (("", hostile), ("plain ", plain)):
            buddy = "%s%02d" % ("plain" if kind else "case", n)
            folder = os.path.join(history, HOSTILE_USER, buddy)
            os.makedirs(folder, exist_ok=True)
            write_if_changed(os.path.join(folder, vs.day_file_name(datetime.date(2002, 7, 1))), data)
            write_if_changed(os.path.join(folder, vs.day_file_name(datetime.date(2002, 7, 2))),
                             vs.day_file_bytes(vs.conversation(["a small newer day"])))
            cases.append((kind + name, buddy, len(data)))
    return cases


def settle(v, timeout=120.0):
    """Waits until the viewer has loaded its day: the view's line and
    character counts stay and the viewer uses under a tenth of a processor
    for a second.  A loaded machine may not load a large day within the
    watch, whose peak would then miss the whole page.  The counts then."""
    deadline = time.time() + timeout
    before, cpu = v.view_lines(), viewer_cpu_seconds()
    while time.time() < deadline:
        time.sleep(1.0)
        now, used = v.view_lines(), viewer_cpu_seconds()
        if now == before and used - cpu < 0.1:
            return now
        before, cpu = now, used
    return before


def measure_hostile(history, runs):
    """For each day: the window's slowest answer while the day is selected,
    converted, shown and loaded (ms), the viewer's peak memory (MB) once it
    has loaded the whole day, and whether the watch saw it loaded.  A
    tree of their own (history), so that the other figures' tree stays as
    it is; the caller restores LogDir."""
    cases = write_hostile_tree(history)
    harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(history))
    robot = harness.Robot()
    rows = []
    try:
        for name, buddy, size in cases:
            slowest, peaks, loaded = [], [], []
            for _ in range(runs):
                v = Viewer(robot, HOSTILE_USER, buddy)
                v.until(lambda: v.view_shown() is not None)
                robot("select", vs.CAPTION, vs.DATES, 0)
                pinged = harness.parse_fields(robot("ping", vs.CAPTION, HOSTILE_WATCH_MS)[0])
                slowest.append(float(pinged["longest"]))
                watched = v.view_lines()
                settled = settle(v)
                loaded.append(watched == settled)
                peaks.append(viewer_peak_megabytes())
                v.close()
            rows.append((name, size, slowest, peaks, loaded))
    finally:
        robot.close()
    return rows


def print_hostile(rows):
    print()
    print("%-32s %9s %14s %14s  %s" % ("day", "bytes", "slowest ms", "peak MB",
                                       "loaded within the watch"))
    for name, size, slowest, peaks, loaded in rows:
        print("%-32s %9d %14.1f %14.0f  %d of %d" % (name, size, statistics.median(slowest),
                                                     statistics.median(peaks), sum(loaded),
                                                     len(loaded)))
    print("(medians; the window asked every millisecond for %d ms from the pick of the day; "
          "the peak read once the viewer had loaded the day)" % HOSTILE_WATCH_MS)


# How often the robot asks the window while it times a search, and while it
# measures how long the window takes to answer: each question costs the
# window's thread and Wine's server a round trip, so asking every
# millisecond would slow the search it times.
TIMING_POLL_MS = 10
ANSWER_POLL_MS = 1


def search_once(robot, query, poll_ms, dates=("", ""), said_by=""):
    """Clicks Search and watches the window: (seconds to the first row,
    seconds to the end, the longest answer in ms, the status line, the
    processor seconds the viewer used)."""
    for control, text in ((vs.SEARCH_FROM, dates[0]), (vs.SEARCH_TO, dates[1]),
                          (vs.SAID_BY, said_by), (vs.QUERY, query)):
        robot("settext", vs.SEARCH, control, text)
    cpu = viewer_cpu_seconds()
    line = robot("clickwatch", vs.SEARCH, vs.SEARCH_BUTTON, vs.RESULTS, vs.STATUS, BUSY, 120000,
                 poll_ms)[0]
    cpu = viewer_cpu_seconds() - cpu
    f = harness.parse_robot_line(line, "status")
    first = float(f["firstrow"])
    return (first / 1000 if first >= 0 else None, float(f["done"]) / 1000, float(f["longest"]),
            f["status"], cpu)


def full_scan_seconds(history, query):
    """How long the search window's worker takes to read every day without
    an index (full_scan.exe, its own figure, without Wine's start)."""
    done = harness.run("full_scan.exe", harness.win_path(history), query, timeout=600,
                       encoding="latin-1")
    return float(done.stderr.split("seconds ")[1].split()[0])


def index_bytes(history):
    index = harness.search_index_file(history)
    return sum(os.path.getsize(index + s) for s in ("", "-wal") if os.path.exists(index + s))


def build_index(robot, history, answers):
    """Starts the viewer without an index and watches the search window
    until it says the index is ready: (the viewer, seconds from its spawn,
    seconds from the first progress text (the history listed), the viewer's
    processor seconds, the longest the window took to answer meanwhile in
    ms, the viewer's peak memory in MB, the status texts seen).  The window
    shows the index's progress every 0.2 s, which is the times' resolution.
    With `answers` the window is asked something every millisecond
    throughout (which slows the build: each question is a round trip
    through Wine's server, as each file read is); without, its status is
    read every 50 ms."""
    harness.remove_search_index(history)
    v = Viewer(robot)
    v.until(lambda: v.view_shown() is not None)
    robot("sys", vs.CAPTION, vs.SC_SEARCH)
    harness.wait_until(lambda: robot.window(vs.SEARCH), timeout=30)
    longest, seen, listed = 0.0, [], None
    while True:
        # Under load Wine's server now and then lists no window of that
        # caption for a moment: such a reading is skipped.
        found = robot.control(vs.SEARCH, vs.STATUS)
        status = found["text"] if found else (seen[-1] if seen else "")
        if not seen or seen[-1] != status:
            seen.append(status)
        if status and listed is None:
            listed = time.perf_counter()
        if status.startswith("Ready: "):
            break
        if time.perf_counter() - v.began > 1800:
            raise RuntimeError("the index was not ready within half an hour: %r" % seen[-3:])
        if answers:
            longest = max(longest, float(harness.parse_fields(
                robot("ping", vs.SEARCH, 50)[0])["longest"]))
        else:
            time.sleep(0.05)
    ready = time.perf_counter()
    return (v, ready - v.began, ready - listed, viewer_cpu_seconds(), longest,
            viewer_peak_megabytes(), seen)


def measure_search(history, scale, runs):
    """Rows (name, our seconds, grep's seconds, note), the idle window's
    longest answer, and the index's figures."""
    robot = harness.Robot()
    rows = []
    try:
        grep_seconds(history, NOWHERE)  # into the page cache
        scan = min(full_scan_seconds(history, NOWHERE) for _ in range(runs))
        v, _, _, _, longest, memory, _ = build_index(robot, history, answers=True)
        v.close()
        v, built, indexed, cpu, _, _, seen = build_index(robot, history, answers=False)
        indexing = dict(seconds=built, indexed=indexed, full_scan=scan, longest=longest,
                        memory=memory, cpu=cpu,
                        ready=seen[-1], steps=len([t for t in seen if t.startswith("Indexing")]))
        query = searches(scale)[0][0]
        evict(history)
        evict_file(harness.search_index_file(history))
        first, done, _, status, cpu = search_once(robot, query, TIMING_POLL_MS)
        evict(history)
        grep_cold, _ = grep_seconds(history, query)
        rows.append(("search %r, cold (first run, files not cached)" % query, [done], grep_cold,
                     "first rows %s; processor %.2f s; %s"
                     % ("%.3f s" % first if first is not None else "none", cpu, status)))
        for query, what, fields in searches(scale):
            grep_seconds(history, query)  # into the page cache
            greps, found = zip(*[grep_seconds(history, query) for _ in range(runs)])
            timed_runs = [search_once(robot, query, TIMING_POLL_MS, **fields) for _ in range(runs)]
            answers = [search_once(robot, query, ANSWER_POLL_MS, **fields)[2] for _ in range(runs)]
            firsts = [w[0] for w in timed_runs if w[0] is not None]
            scan = min(full_scan_seconds(history, query) for _ in range(runs))
            rows.append(("search %r, %s" % (query, what), [w[1] for w in timed_runs], min(greps),
                         "first rows %s; longest answer %.0f ms; processor %.2f s; %s; grep counts "
                         "%d; without the index (full_scan.exe, whole tree) %.3f s; the viewer's "
                         "peak memory %.0f MB"
                         % ("%.3f s" % min(firsts) if firsts else "none", max(answers),
                            min(w[4] for w in timed_runs), timed_runs[-1][3], found[0], scan,
                            viewer_peak_megabytes())))
        # The window idle, for comparison: measured last, when the viewer's
        # start (its size walk) is long over.
        idle = float(harness.parse_fields(robot("ping", vs.SEARCH, 2000)[0])["longest"])
        v.close()
        indexing["bytes"] = index_bytes(history)
    finally:
        robot.close()
    return rows, idle, indexing


def print_search(rows, idle, indexing, size, runs):
    print()
    print("%-52s %8s %8s %8s %6s  %s" % ("search (cached unless cold)", "min s", "median s",
                                           "grep s", "ratio", "note"))
    for name, times, grep, note in rows:
        print("%-52s %8.3f %8.3f %8.3f %6.1f  %s" % (name, min(times), statistics.median(times), grep,
                                                    min(times) / grep, note))
    print("ratio: our time over grep -rio's on the same files; the window's own figure is in "
          "the status line")
    print("times and first rows: the robot asks the window every %d ms (their resolution); "
          "longest answer: the most the window took to answer a message in %d further runs of "
          "each search, asked every %d ms; %.0f ms while idle, for comparison"
          % (TIMING_POLL_MS, runs, ANSWER_POLL_MS, idle))
    print("processor: the viewer's processor time during the search (least of the runs), all "
          "threads; on an idle machine with two cores the search takes about that or less")
    print()
    print("index built from nothing: %.2f s from the viewer's start to %r, %.2f s from its "
          "first progress text (%d seen), the viewer's processor %.2f s; one full scan %.2f s "
          "(full_scan.exe, %r, files cached): %.1f and %.1f times"
          % (indexing["seconds"], indexing["ready"], indexing["indexed"], indexing["steps"],
             indexing["cpu"], indexing["full_scan"], NOWHERE,
             indexing["seconds"] / indexing["full_scan"], indexing["indexed"] / indexing["full_scan"]))
    print("in a build of its own, asked every ms: the window's longest answer %.0f ms; the "
          "viewer's peak memory %.0f MB" % (indexing["longest"], indexing["memory"]))
    print("index on disk: %d bytes, %.2f%% of the %d bytes of the day files"
          % (indexing["bytes"], 100.0 * indexing["bytes"] / size, size))


# The export window's formats, by their index in its format list.
EXPORT_FORMATS = [(0, "text", "history.txt"), (1, "html", "history-html"),
                  (2, "jsonl", "history.jsonl")]


def output_bytes(path):
    if os.path.isfile(path):
        return os.path.getsize(path)
    return sum(os.path.getsize(os.path.join(path, n)) for n in os.listdir(path))


def export_once(robot, destination, poll_ms):
    """Clicks Export and watches the window until the status says it has
    ended: (seconds, the longest answer in ms, the status)."""
    if os.path.isdir(destination):
        shutil.rmtree(destination)
    elif os.path.exists(destination):
        os.remove(destination)
    robot("settext", vs.EXPORT, vs.EXPORT_DESTINATION, harness.win_path(destination))
    line = robot("clickwatch", vs.EXPORT, vs.EXPORT_START, vs.EXPORT_PROGRESS, vs.EXPORT_STATUS,
                 "Exporting", 120000, poll_ms)[0]
    f = harness.parse_robot_line(line, "status")
    return float(f["done"]) / 1000, float(f["longest"]), f["status"]


def measure_export(history, runs):
    """Rows (name, window seconds, command-line seconds, note) for each
    format, the whole tree exported."""
    robot = harness.Robot()
    out = tempfile.mkdtemp(prefix="corvane-export-bench-")
    rows = []
    try:
        v = Viewer(robot)
        v.until(lambda: v.view_shown() is not None)
        robot("sys", vs.CAPTION, vs.SC_EXPORT)
        harness.wait_until(lambda: robot.window(vs.EXPORT), timeout=30)
        for index, name, file_name in EXPORT_FORMATS:
            destination = os.path.join(out, file_name)
            robot("select", vs.EXPORT, vs.EXPORT_FORMAT, index)
            timed_runs = [export_once(robot, destination, TIMING_POLL_MS) for _ in range(runs)]
            answers = [export_once(robot, destination, ANSWER_POLL_MS)[1] for _ in range(runs)]
            size = output_bytes(destination)
            line = []
            for _ in range(runs):
                began = time.perf_counter()
                done = harness.run(shipped_viewer(), "/export",
                                   harness.win_path(destination), "/format", name, timeout=300)
                line.append(time.perf_counter() - began)
                if done.returncode != 0:
                    raise RuntimeError("the command line's export failed: " + done.stderr)
            rows.append(("export the whole tree as %s" % name, [t[0] for t in timed_runs], line,
                         "longest answer %.0f ms; %d MB written; %s"
                         % (max(answers), size >> 20, timed_runs[-1][2])))
        v.close()
    finally:
        robot.close()
        shutil.rmtree(out, ignore_errors=True)
    return rows


def print_export(rows, runs):
    print()
    print("%-40s %8s %8s %10s  %s" % ("export", "min s", "median s", "command s", "note"))
    for name, window, line, note in rows:
        print("%-40s %8.3f %8.3f %10.3f  %s" % (name, min(window), statistics.median(window),
                                                min(line), note))
    print("window: from the click on Export until the status says it has ended, the robot asking "
          "every %d ms; longest answer: the most the window took to answer in %d further runs, "
          "asked every %d ms; command: /export on the command line, the program's start included"
          % (TIMING_POLL_MS, runs, ANSWER_POLL_MS))


def measure_preview(history, runs):
    """Seconds from setting the date in Delete Old Days until its preview
    has counted the whole tree; and the preview."""
    robot = harness.Robot()
    try:
        v = Viewer(robot)
        v.until(lambda: v.view_shown() is not None)
        robot("sys", vs.CAPTION, vs.SC_DELETE_OLD)
        harness.wait_until(lambda: robot.window(vs.DELETE_OLD), timeout=30)
        counted = lambda: (lambda t: t if t not in ("", "Counting...") else None)(
            robot.control(vs.DELETE_OLD, vs.DELETE_PREVIEW)["text"])
        harness.wait_until(counted, timeout=120)
        times = []
        for n in range(runs):
            date = "9999-12-%02d" % (30 - n % 2)  # a change every run
            began = time.perf_counter()
            robot("settext", vs.DELETE_OLD, vs.DELETE_BEFORE, date)
            harness.wait_until(lambda: robot.control(vs.DELETE_OLD, vs.DELETE_PREVIEW)["text"]
                               .endswith("before %s for all users" % date), timeout=120,
                               interval=0.01)
            times.append(time.perf_counter() - began)
        preview = counted()
        robot("press", vs.DELETE_OLD, "Close")
        v.close()
    finally:
        robot.close()
    return times, preview


MANY_USER = "many"
MANY_BUDDIES = 30000
NEW_BUDDY_SECONDS = 10
# From the moment the window exists: past the first day shown, for 30,000.
OPENING_PING_MS = 8000
# Past the listing of 30,000 buddies that merges what the watch lost.
LOST_COUNT_PING_MS = 6000


def many_buddies_history(tree, count):
    """The tree of one user with `count` buddies of one day each, built once
    beside the bench tree."""
    folder = tree + "-buddies" + ("" if count == MANY_BUDDIES else "-%d" % count)
    history = os.path.join(folder, "History")
    complete = os.path.join(folder, "complete")
    if not os.path.exists(complete):
        print("building %d buddies in %s ..." % (count, history), flush=True)
        for n in range(count):
            vs.write_day(os.path.join(history, MANY_USER, "buddy%05d" % n), MEGABYTE_DAY,
                         vs.conversation(["hello"]))
        open(complete, "w").close()
    return history


def measure_buddies(tree, runs, count):
    """Seconds from the start until the user of `count` buddies shows a day;
    the window's longest answer while it opens, and while NEW_BUDDY_SECONDS new buddies come, one
    a second; and seconds until all of them are seen listed, with how many
    looks at the list that took and how long the last look took."""
    history = many_buddies_history(tree, count)
    harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(history))
    robot = harness.Robot()
    pinger = harness.Robot()
    opens, openings, answers, listed, merges = [], [], [], [], []

    def ping_opening():
        """The window's longest answer from the moment it exists, while the
        lists fill and the first day loads."""
        harness.wait_until(lambda: pinger("ping", vs.CAPTION, 0)[0].startswith("pinged"),
                           timeout=120, interval=0.01)
        return float(harness.parse_fields(pinger("ping", vs.CAPTION, OPENING_PING_MS)[0])["longest"])

    def ping_lost_count(user_folder):
        """The window's longest answer while the watch loses count and the
        lists are merged with a listing of everything: a name the ANSI code
        page cannot spell is a change the watch cannot name."""
        longest = []
        pinging = threading.Thread(target=lambda: longest.append(float(harness.parse_fields(
            pinger("ping", vs.CAPTION, LOST_COUNT_PING_MS)[0])["longest"])))
        pinging.start()
        time.sleep(0.5)
        unspellable = os.path.join(user_folder, "buddy00001", "\u4e00.txt")
        open(unspellable, "w").close()
        pinging.join()
        os.remove(unspellable)
        return longest[0]
    try:
        for run in range(runs):
            v = Viewer(robot, MANY_USER)
            opening = threading.Thread(target=lambda: openings.append(ping_opening()))
            opening.start()
            opens.append(v.until(lambda: v.view_shown() is not None))
            opening.join()
            new = [os.path.join(history, MANY_USER, "new%d-%02d" % (run, n))
                   for n in range(NEW_BUDDY_SECONDS)]

            def add_buddies():
                for folder in new:
                    vs.write_day(folder, MEGABYTE_DAY, vs.conversation(["new"]))
                    time.sleep(1)
            adding = threading.Thread(target=add_buddies)
            adding.start()
            answers.append(float(harness.parse_fields(
                robot("ping", vs.CAPTION, NEW_BUDDY_SECONDS * 1000)[0])["longest"]))
            adding.join()
            print("run %d: the first day shown %.3f s after the start; the window's longest "
                  "answer %.0f ms while it opened, %.0f ms while new buddies came"
                  % (run + 1, opens[-1], openings[-1], answers[-1]), flush=True)
            # The robot reads a list an entry at a time across processes
            # (seconds for 10,000 entries): each look is timed on its own.
            began = time.perf_counter()
            names = [os.path.basename(folder) for folder in new]
            looks = []

            def all_listed():
                look = time.perf_counter()
                items = set(robot.items(vs.CAPTION, vs.BUDDIES)[0])
                looks.append(time.perf_counter() - look)
                return all(name in items for name in names)
            harness.wait_until(all_listed, timeout=1800, what="the new buddies listed")
            listed.append((time.perf_counter() - began, len(looks), looks[-1]))
            merges.append(ping_lost_count(os.path.join(history, MANY_USER)))
            print("run %d: the window's longest answer %.0f ms across a merge of everything"
                  % (run + 1, merges[-1]), flush=True)
            v.close()
            for folder in new:
                shutil.rmtree(folder)
    finally:
        pinger.close()
        robot.close()
    return opens, openings, answers, listed, merges


def print_buddies(count, opens, openings, answers, listed, merges):
    print()
    seconds, looks, look = max(listed)
    print("%d buddies under one user: start to the first day shown min %.3f s, median %.3f s; "
          "the window's longest answer while it opened %.0f ms; a new buddy each second for %d s: the window's longest answer %.0f ms (median of the "
          "runs' longest %.0f ms), every new buddy seen listed at most %.3f s after the adding "
          "ended, at the robot's look number %d (a look at the whole list takes it %.3f s)"
          % (count, min(opens), statistics.median(opens), max(openings), NEW_BUDDY_SECONDS,
             max(answers),
             statistics.median(answers), seconds, looks, look))
    print("the watch lost count (a name it cannot spell): the window's longest answer while the "
          "lists merged a listing of everything %.0f ms" % max(merges))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tree")
    parser.add_argument("--scale", type=int, default=1)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--buddies", type=int, default=MANY_BUDDIES,
                        help="how many buddies the buddies part's user has")
    parser.add_argument("--part", choices=("all", "viewer", "search", "export", "preview",
                                           "hostile", "buddies"),
                        default="all")
    args = parser.parse_args()
    if args.scale < 1:
        parser.error("--scale must be 1 or more")
    if args.tree is None:
        suffix = "" if args.scale == 1 else "-x%d" % args.scale
        args.tree = os.path.join(ROOT, "build", "viewer-bench" + suffix)
    history = os.path.join(os.path.abspath(args.tree), "History")
    part = args.part
    # The hostile days and the buddies have trees of their own.
    if part not in ("hostile", "buddies"):
        complete = os.path.join(os.path.abspath(args.tree), "complete")
        if not os.path.exists(complete):
            if os.path.exists(history):
                subprocess.run(["rm", "-rf", history], check=True)
            print("building the tree in %s ..." % history, flush=True)
            build_tree(history, args.scale)
            open(complete, "w").close()
        write_megabyte_days(history)
        write_rare_days(history, args.scale)
        files, buddies, size, du = tree_figures(history)
        print("tree: %d files, %d buddies, %d bytes in files (%d MB), du -sb %d bytes"
              % (files, buddies, size, size >> 20, du))

    saved = harness.reg_values(harness.SETTINGS_KEY).get("LogDir")
    harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(history))
    try:
        # The search first: it builds the index from nothing, which the
        # viewer's own figures then find ready, as it usually is.
        searches = measure_search(history, args.scale, args.runs) if part in ("all", "search") else None
        rows = measure(history, args.runs) if part in ("all", "viewer") else []
        exports = measure_export(history, args.runs) if part in ("all", "export") else None
        preview = measure_preview(history, args.runs) if part in ("all", "preview") else None
        hostile = (measure_hostile(os.path.join(os.path.abspath(args.tree), "Hostile"), args.runs)
                   if part in ("all", "hostile") else None)
        # Last: it sets a history folder of its own.
        buddies = (measure_buddies(os.path.abspath(args.tree), args.runs, args.buddies)
                   if part in ("all", "buddies") else None)
    finally:
        if saved is None:
            harness.run("reg", "delete", harness.SETTINGS_KEY, "/v", "LogDir", "/f")
        else:
            harness.reg_add(harness.SETTINGS_KEY, "LogDir", saved[1])

    if rows:
        print()
        print("%-58s %9s %9s  %s" % ("measure", "min s", "median s", "note"))
        for name, times, note in rows:
            print("%-58s %9.3f %9.3f  %s" % (name, min(times), statistics.median(times), note))
        print("size total expected from the files: %d MB (du -sb also counts the %d bytes of "
              "the folders themselves)" % (size >> 20, du - size))
    if searches:
        print_search(*searches, size, args.runs)
    if exports:
        print_export(exports, args.runs)
    if preview:
        times, text = preview
        print()
        print("Delete Old Days preview of the whole tree: min %.3f s, median %.3f s (%s); from "
              "setting the date until the line shows the count, asked every 10 ms"
              % (min(times), statistics.median(times), text))
    if hostile:
        print_hostile(hostile)
    if buddies:
        print_buddies(args.buddies, *buddies)


if __name__ == "__main__":
    main()
