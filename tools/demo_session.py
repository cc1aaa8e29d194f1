"""A scripted messenger session under the launcher, shown as a user would
follow it: which host windows the hook took over, which pop-ups it refused,
the history tree the conversations produced and one day file, then the
History Viewer opened on that conversation, with screenshots of the
session and of the viewer in build/demo/."""

import os
import shutil
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import harness  # noqa: E402
from harness import Report, Symbols, bin_file  # noqa: E402
import viewer_session as vs  # noqa: E402

SCRIPT = """\
signon alice
popup minibrowser
im bob
receive bob bob Hi Alice! Did you see the photo? <IMG SRC="beach.gif">
wait 1200
send bob Yes, lovely beach.
im dave
receive dave dave Lunch tomorrow?
wait 1200
send dave Sure, noon.
chat Lounge
receive Lounge carol Hello room <!-- carol's status -->
send Lounge Hi carol
popup today
today
wait 1500
windows
wait 2500
clear dave
wait 300
receive dave dave See you there.
wait 1500
close bob
close dave
close Lounge
quit
"""


def confirm_clear():
    """Plays the user who answers the clear command's question with OK."""
    robot = bin_file("robot.exe")
    harness.wait_until(lambda: "caption=Clear Window?" in harness.run(
        robot, "dialogs", "Clear Window?").stdout, timeout=120, what="the clear box")
    harness.run(robot, "press", "Clear Window?", "OK")


def print_tree(root):
    print("\nHistory tree in", root)
    newest = None
    for folder, dirs, files in sorted(os.walk(root)):
        dirs.sort()
        depth = os.path.relpath(folder, root).count(os.sep) + 1
        if folder != root:
            print("  " * depth + os.path.basename(folder) + os.sep)
        for name in sorted(files):
            path = os.path.join(folder, name)
            print("  " * (depth + 1) + "%s  (%d bytes)" % (name, os.path.getsize(path)))
            if folder.endswith(os.path.join("alice", "dave")):
                newest = path
    return newest


def show_in_viewer(out_dir, user, buddy):
    """Opens the History Viewer as the messenger's History command does,
    prints what it shows and returns the view's text."""
    caption = "Corvane History"
    robot = harness.Robot()
    try:
        exe = harness.win_path(bin_file("Corvane History Viewer.exe"))
        pid = robot.spawn('"%s" "%s" "%s"' % (exe, user, buddy), program=exe)
        harness.wait_until(lambda: robot.window(caption), timeout=30, what="the History Viewer")
        robot("move", caption, 60, 60, 760, 440)
        harness.wait_until(lambda: (robot.text(caption, vs.VIEW) or {}).get("value"), timeout=30,
                           what="the day shown in the viewer")
        time.sleep(1.5)  # the size total and the scroll to the end
        print("\nThe History Viewer, opened on %s and %s:" % (user, buddy))
        for label, list_id in (("users", vs.USERS), ("buddies", vs.BUDDIES), ("dates", vs.DATES)):
            entries, selected = robot.items(caption, list_id)
            print("  %-8s %s" % (label, ", ".join(
                ("[%s]" if i == selected else "%s") % e for i, e in enumerate(entries))))
        print("  total history size: %s MB" % robot.control(caption, vs.SIZE)["text"])
        print("  the view shows:")
        shown = robot.text(caption, vs.VIEW)["value"]
        for line in shown.splitlines():
            if line.strip():
                print("    " + line)
        w = robot.window(caption)
        left, top, right, bottom = (int(v) for v in w["rect"].split(","))
        shot = os.path.join(out_dir, "viewer.png")
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (
            right - left, bottom - top, left, top), "+repage", shot], check=False)
        robot("sys", caption, 61536)
        robot.exit_code(pid, 10000)
        if os.path.exists(shot):
            print("  screenshot of the viewer:", shot)
        return shown
    finally:
        robot.close()


def run_demo(out_dir):
    """The scenario, its history and screenshots in `out_dir`: what a test
    of it reads (the launcher's exit code, the host's report, the history
    folder, the day of dave as the viewer showed it)."""
    shutil.rmtree(out_dir, ignore_errors=True)
    os.makedirs(out_dir)
    report = Report(os.path.join(out_dir, "host-report.txt"))
    script_path = os.path.join(out_dir, "session.txt")
    with open(script_path, "w") as f:
        f.write(SCRIPT)

    # The demo's conversations go into a history folder of their own.
    history = os.path.join(out_dir, "History")
    harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(history))
    done = harness.run("testhost.exe", "--register")
    print("stand-in messenger registered:", done.stdout.strip())
    env = {"TESTHOST_REPORT": harness.win_path(report.path),
           "TESTHOST_SCRIPT": harness.win_path(script_path)}
    print("starting Corvane.exe (the launcher installs the hook and starts the messenger)")
    robot = threading.Thread(target=confirm_clear, daemon=True)
    robot.start()
    launcher = harness.start("Corvane.exe", env=env)
    report.wait_for("window", timeout=90)
    shot = os.path.join(out_dir, "screenshot.png")
    subprocess.run(["import", "-window", "root", shot], check=False)
    report.wait_for("done", timeout=90)
    code = launcher.wait(timeout=60)
    print("launcher exited with", code, "after the messenger quit\n")

    symbols = Symbols(bin_file("Corvane.dll"))
    print("Windows of the messenger and who handles them:")
    for w in report.events("window"):
        name = symbols.name_of(w["proc"])
        if name:
            owner = "Corvane: " + name
        elif w["proc"].lower().startswith("comctl32.dll+"):
            owner = "Corvane: BuddyListWndProc, behind its button tooltip's subclass"
        else:
            owner = "messenger's own procedure"
        where = w["class"]
        if w.get("parent", "-") != "-":
            where += " in " + w["parent"]
        print("  %-45s %s" % (where, owner))

    print("\nPop-ups the messenger tried to open:")
    for p in report.events("popup"):
        verdict = "shown" if p["created"] == "1" else "refused by the hook"
        print("  %-24s %s" % (p["class"], verdict))
    day_file = print_tree(history)
    if day_file:
        print("\nThe day file of the conversation with dave (cleared once, so two blocks):")
        print(open(day_file, encoding="latin-1").read().replace("\r\n", "\n"))
    if os.path.exists(shot):
        print("\nscreenshot of the session:", shot)
    shown = show_in_viewer(out_dir, "alice", "dave")
    return {"code": code, "report": report, "history": history, "viewer": shown}


def main():
    return 0 if run_demo(os.path.join(harness.SOURCE, "build", "demo"))["code"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
