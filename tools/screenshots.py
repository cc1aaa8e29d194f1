"""Takes the README's screenshots under the private display: the History
Viewer on a formatted day, its search window as it opens (its index ready)
and with results, and the day of a chosen match, its export window after an
export and Delete Old Days with its preview, the preferences dialog, the
upgrade monitor dialog and the
first page of the setup program; and the viewer's four windows as they
open at 96 and at 144 dots per inch.  Each window is cut out of the screen
and stored as a small PNG in docs/screenshots/.  Names on the command line
(viewer, dpi, preferences, upgrade, setup) take only those."""

import datetime
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import harness  # noqa: E402
import resource_ids  # noqa: E402
from http_server import ReplyServer  # noqa: E402
import viewer_session as vs  # noqa: E402
from viewer_session import day_file_name  # noqa: E402

OUT = os.path.join(harness.SOURCE, "docs", "screenshots")

DAY = [
    ("bob", "#0000ff", "Hi Alice! Did you see the photo?"),
    ("alice", "#ff0000", "Yes &amp; a <I>lovely</I> beach. Where was it?"),
    ("bob", "#0000ff", 'Near Porto. The guide is at <A HREF="http://www.example.org/porto">'
                       'www.example.org/porto</A>'),
    ("alice", "#ff0000", '<FONT BACK="#ffff00">Noted!</FONT> Let&#39;s go in <B>June</B>.'),
]


def day_block(key, lines, first):
    html = '<HTML><BODY BGCOLOR="#ffffff">'
    for sender, colour, text in lines:
        html += ('<FONT COLOR="%s" SIZE=2><B>%s</B>:</FONT> <FONT FACE="Arial" SIZE=2>%s</FONT><BR>'
                 % (colour, sender, text))
    html += "</BODY></HTML>"
    if first:
        return "<!-- %s -->\n%s\n" % (key, html)
    return '<!-- %s -->\n<BASE TARGET="_new">\n%s<BR>\n' % (key, html)


def write_history(root):
    today = datetime.date(2026, 12, 7)
    for user, buddy in (("alice", "bob"), ("alice", "carol"), ("dave", "erin")):
        folder = os.path.join(root, user, buddy)
        os.makedirs(folder)
        for back in (2, 1, 0):
            date = today - datetime.timedelta(days=back)
            text = day_block("10:02:11-1f40", DAY[:2], True)
            if back == 0:
                text = day_block("10:02:11-1f40", DAY, True) + day_block(
                    "14:30:05-2a10", [("bob", "#0000ff", "<FONT SIZE=1><B>[IMG SRC=\"beach.gif\"]</B>"
                                                         "</FONT> Another one")], False)
            path = os.path.join(folder, day_file_name(date))
            with open(path, "wb") as f:
                f.write(text.replace("\n", "\r\n").encode("latin-1"))
            # Written on its own day, as Delete Old Days' preview sees it.
            written = time.mktime((date.year, date.month, date.day, 18, 0, 0, 0, 0, -1))
            os.utime(path, (written, written))


def shoot(robot, caption, name):
    w = harness.wait_until(lambda: robot.window(caption), timeout=30, what=caption)
    time.sleep(1.0)
    w = robot.window(caption)
    left, top, right, bottom = (int(v) for v in w["rect"].split(","))
    path = os.path.join(OUT, name)
    subprocess.run(["import", "-window", "root", "-crop",
                    "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage",
                    "-strip", "+dither", "-colors", "128", path], check=True)
    print("wrote", path)


def viewer(robot, tmp):
    history = os.path.join(tmp, "History")
    write_history(history)
    harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(history))
    exe = harness.win_path(harness.bin_file("Corvane History Viewer.exe"))
    pid = robot.spawn('"%s" "alice" "bob"' % exe)
    harness.wait_until(lambda: robot.window("Corvane History"), what="the viewer")
    robot("move", "Corvane History", 40, 40, 760, 420)
    shoot(robot, "Corvane History", "history-viewer.png")
    search(robot)
    export(robot, tmp)
    robot("sys", "Corvane History", 61536)
    robot.exit_code(pid, 10000)
    harness.remove_search_index(history)


def search(robot):
    """The search window over the viewer with the rows of a search, then
    the day of its second row with the matches highlighted."""
    robot("sys", "Corvane History", vs.SC_SEARCH)
    harness.wait_until(lambda: robot.window("Corvane History Search"), what="the search window")
    robot("move", "Corvane History Search", 140, 480, 620, 300)
    harness.wait_until(lambda: robot.control("Corvane History Search", vs.STATUS)["text"]
                       .startswith("Ready: "), what="the search index to be ready")
    shoot(robot, "Corvane History Search", "history-search-ready.png")
    robot("settext", "Corvane History Search", vs.QUERY, "beach")
    robot("click", "Corvane History Search", vs.SEARCH_BUTTON)
    harness.wait_until(lambda: robot.control("Corvane History Search", vs.STATUS)["text"].endswith(" s)"),
                       what="the search to end")
    shoot(robot, "Corvane History Search", "history-search.png")
    robot("clickrow", "Corvane History Search", vs.RESULTS, 1, "double")
    time.sleep(1.0)
    shoot(robot, "Corvane History", "history-search-match.png")


def export(robot, tmp):
    """The export window after an HTML export of the shown buddy, then
    Delete Old Days counting what would go."""
    harness.reg_delete(vs.EXPORT_PLACEMENT_KEY)  # the window opens where it first would
    robot("sys", "Corvane History", vs.SC_EXPORT)
    harness.wait_until(lambda: robot.window(vs.EXPORT), what="the export window")
    robot("select", vs.EXPORT, vs.EXPORT_FORMAT, 1)
    robot("select", vs.EXPORT, vs.EXPORT_SCOPE, 2)
    robot("settext", vs.EXPORT, vs.EXPORT_FROM, "2026-12-01")
    os.makedirs(os.path.join(tmp, "out"), exist_ok=True)
    robot("settext", vs.EXPORT, vs.EXPORT_DESTINATION, harness.win_path(os.path.join(tmp, "out")))
    robot("click", vs.EXPORT, vs.EXPORT_START)
    harness.wait_until(lambda: robot.control(vs.EXPORT, vs.EXPORT_STATUS)["text"].endswith(" s)"),
                       what="the export to end")
    shoot(robot, vs.EXPORT, "history-export.png")
    robot("sys", vs.EXPORT, 61536)
    robot("sys", "Corvane History", vs.SC_DELETE_OLD)
    harness.wait_until(lambda: robot.window(vs.DELETE_OLD), what="Delete Old Days")
    robot("settext", vs.DELETE_OLD, vs.DELETE_BEFORE, "2026-12-07")
    harness.wait_until(lambda: robot.control(vs.DELETE_OLD, vs.DELETE_PREVIEW)["text"]
                       .endswith("for all users"), what="the count")
    shoot(robot, vs.DELETE_OLD, "delete-old-days.png")
    robot("press", vs.DELETE_OLD, "Close")


def windows_at_dpi(robot, tmp):
    """The main dialog, the search and export windows and Delete Old Days
    as they first open, at 96 and at 144 dots per inch."""
    history = os.path.join(tmp, "History")
    if not os.path.exists(history):
        write_history(history)
    harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(history))
    exe = harness.win_path(harness.bin_file("Corvane History Viewer.exe"))
    restore = harness.set_screen_dpi(96)
    try:
        for dpi in (96, 144):
            harness.set_screen_dpi(dpi)
            for key in (vs.PLACEMENT_KEY, vs.SEARCH_PLACEMENT_KEY, vs.EXPORT_PLACEMENT_KEY):
                harness.reg_delete(key)
            pid = robot.spawn('"%s" "alice" "bob"' % exe)
            harness.wait_until(lambda: robot.shown(vs.CAPTION), what="the viewer")
            shoot(robot, vs.CAPTION, "history-viewer-%ddpi.png" % dpi)
            for command, caption, name in ((vs.SC_SEARCH, vs.SEARCH, "history-search"),
                                           (vs.SC_EXPORT, vs.EXPORT, "history-export"),
                                           (vs.SC_DELETE_OLD, vs.DELETE_OLD, "delete-old-days")):
                robot("sys", vs.CAPTION, command)
                harness.wait_until(lambda: robot.shown(caption), what=caption)
                shoot(robot, caption, "%s-%ddpi.png" % (name, dpi))
                robot("sys", caption, vs.SC_CLOSE)
                harness.wait_until(lambda: not robot.shown(caption), what=caption + " to close")
            robot("sys", vs.CAPTION, vs.SC_CLOSE)
            robot.exit_code(pid, 10000)
    finally:
        restore()
        harness.remove_search_index(history)


def preferences(robot, tmp):
    """Opened from the launcher's menu while a messenger runs, as a user
    would open it."""
    harness.run("testhost.exe", "--register")
    script = os.path.join(tmp, "session.txt")
    with open(script, "w") as f:
        f.write("signon alice\nwait 60000\nquit\n")
    launcher = harness.start("Corvane.exe", env={"TESTHOST_SCRIPT": harness.win_path(script)})
    harness.wait_until(lambda: robot.window("Buddy List Window") or robot.alpha("_Oscar_BuddyListWin"),
                       timeout=60, what="the messenger")
    robot("command", resource_ids.launcher_window_class(), 10)
    shoot(robot, "Corvane Preferences", "preferences.png")
    robot("press", "Corvane Preferences", "Cancel")
    robot("close", "_Oscar_BuddyListWin")
    robot("close", resource_ids.launcher_window_class())
    launcher.wait(timeout=60)


def upgrade_monitor(robot):
    changes = "\r\n".join([
        "History files are written twice as fast.",
        "The Buddy List button has a new hover look.",
        "Fixed: transparency flicker on activation.",
        "Fixed: a long room name no longer cuts the title."])
    reply = ("VERSIONINFO_v2\r\n2.3.0 (build 70)\r\nDecember 7, 2026\r\n1\r\n"
             "Faster history files and a new button look\r\nhttp://127.0.0.1/get.exe\r\n"
             + changes).encode("latin-1")
    with ReplyServer(reply) as server:
        env = {"CORVANE_UPDATE_SERVER": server.base_url}
        probe = harness.start("upgrade_probe.exe", "asked", env=env)
        shoot(robot, "Corvane Upgrade Monitor", "upgrade-monitor.png")
        robot("press", "Corvane Upgrade Monitor", "Close")
        probe.wait(timeout=30)


def setup_first_page(robot):
    setups = glob.glob(os.path.join(os.path.dirname(harness.BIN), "Corvane-*-setup.exe"))
    pid = robot.spawn('"%s"' % harness.win_path(max(setups, key=os.path.getmtime)))
    shoot(robot, "Corvane Setup", "setup.png")
    harness.run("taskkill", "/f", "/pid", str(pid))


def main():
    os.makedirs(OUT, exist_ok=True)
    tmp = tempfile.mkdtemp(prefix="corvane-shots-")
    harness.reg_delete(harness.SETTINGS_KEY)
    robot = harness.Robot()
    wanted = sys.argv[1:] or ["viewer", "dpi", "preferences", "upgrade", "setup"]
    try:
        if "viewer" in wanted:
            viewer(robot, tmp)
        if "dpi" in wanted:
            windows_at_dpi(robot, tmp)
        if "preferences" in wanted:
            preferences(robot, tmp)
        if "upgrade" in wanted:
            upgrade_monitor(robot)
        if "setup" in wanted:
            setup_first_page(robot)
    finally:
        robot.close()
        harness.reg_delete(harness.SETTINGS_KEY)
        shutil.rmtree(tmp, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
