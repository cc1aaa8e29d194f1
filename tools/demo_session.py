"""A scripted messenger session under the launcher, shown as a user would
follow it: which host windows the hook took over, which pop-ups it refused,
and a screenshot of the desktop in build/demo/."""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))

import harness  # noqa: E402
from harness import Report, Symbols, bin_file  # noqa: E402

SCRIPT = """\
signon alice
popup minibrowser
im bob
receive bob bob Hi Alice! Did you see the photo? <IMG SRC="beach.gif">
send bob Yes, lovely beach.
chat Lounge
receive Lounge carol Hello room <!-- carol's status -->
send Lounge Hi carol
popup today
today
wait 1500
windows
wait 2500
quit
"""


def main():
    out_dir = os.path.join(harness.SOURCE, "build", "demo")
    shutil.rmtree(out_dir, ignore_errors=True)
    os.makedirs(out_dir)
    report = Report(os.path.join(out_dir, "host-report.txt"))
    script_path = os.path.join(out_dir, "session.txt")
    with open(script_path, "w") as f:
        f.write(SCRIPT)

    done = harness.run("testhost.exe", "--register")
    print("stand-in messenger registered:", done.stdout.strip())
    env = {"TESTHOST_REPORT": harness.win_path(report.path),
           "TESTHOST_SCRIPT": harness.win_path(script_path)}
    print("starting Corvane.exe (the launcher installs the hook and starts the messenger)")
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
        owner = "Corvane: " + name if name else "messenger's own procedure"
        where = w["class"]
        if w.get("parent", "-") != "-":
            where += " in " + w["parent"]
        print("  %-45s %s" % (where, owner))

    print("\nPop-ups the messenger tried to open:")
    for p in report.events("popup"):
        verdict = "shown" if p["created"] == "1" else "refused by the hook"
        print("  %-24s %s" % (p["class"], verdict))
    if os.path.exists(shot):
        print("\nscreenshot of the session:", shot)
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
