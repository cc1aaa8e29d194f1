"""A scripted messenger session under the launcher, shown as a user would
follow it: which host windows the hook took over, which pop-ups it refused,
the history tree the conversations produced and one day file, and a
screenshot of the desktop in build/demo/."""

import os
import shutil
import subprocess
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))

import harness  # noqa: E402
from harness import Report, Symbols, bin_file  # noqa: E402

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


def main():
    out_dir = os.path.join(harness.SOURCE, "build", "demo")
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
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
