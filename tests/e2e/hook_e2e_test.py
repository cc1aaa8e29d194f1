"""The launcher installs the hook, starts the stand-in host from the host's
registration, and the library, injected into the host, subclasses the host's
windows and refuses its pop-ups."""

import glob
import os
import shutil
import struct
import subprocess
import time
import unittest

import harness
from harness import Report, Symbols, bin_file
from hook_rows import expected_procedure
import resource_ids

LAUNCHER_CLASS = resource_ids.launcher_window_class()
IDS = "hooklib/resources/corvane_resource_ids.h"
HOST_PATH = resource_ids.control(IDS, "IDC_PREF_HOST_PATH")
OK = 1


class LauncherSession(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.report = Report(os.path.join(self.tmp, "host.log"))

    def launch(self, script, *args):
        path = os.path.join(self.tmp, "script-%d.txt" % len(self.processes))
        with open(path, "w") as f:
            f.write(script)
        env = {"TESTHOST_REPORT": harness.win_path(self.report.path),
               "TESTHOST_SCRIPT": harness.win_path(path)}
        return self.start("Corvane.exe", *args, env=env)

    def assert_windows_subclassed_by_row(self, windows):
        symbols = Symbols(bin_file("Corvane.dll"))
        checked = 0
        for w in windows:
            want = expected_procedure(w["class"], w.get("parent"), w.get("grandparent"))
            got = symbols.name_of(w["proc"])
            where = "%s in %s in %s" % (w["class"], w.get("parent"), w.get("grandparent"))
            if want is None:
                self.assertEqual(w["subclassed"], "0", where + " should keep the host's procedure")
                continue
            if want == "BuddyListWndProc" and w["proc"].lower().startswith("comctl32.dll+"):
                # The button's tooltip (TTF_SUBCLASS) puts the common
                # controls' subclass procedure in front of ours.
                continue
            self.assertEqual(got, want, where)
            checked += 1
        return checked


class HookTest(LauncherSession):
    def test_host_windows_get_their_rows_procedures_and_popups_are_refused(self):
        launcher = self.launch("""
signon alice
popup today
popup minibrowser
im bob
chat Lounge
windows
today
popup today
wait 5200
popup minibrowser
quit
""")
        self.report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0, "the launcher ends with its host")

        windows = self.report.events("window")
        checked = self.assert_windows_subclassed_by_row(windows)
        classes = {w["class"] for w in windows}
        for cls in ("_Oscar_BuddyListWin", "AIM_IMessage", "AIM_ChatWnd", "Ate32Class",
                    "WndAte32Class", "_Oscar_TabGroup", "_Oscar_Tree", "_Oscar_IconBtn",
                    "_Oscar_Static", "_Oscar_Separator", "Edit", "_Oscar_StatusNotify"):
            self.assertIn(cls, classes)
        self.assertGreaterEqual(checked, 13)
        # A chat window's text frames and the IM window's combo match no row.
        unmatched = [w for w in windows if expected_procedure(
            w["class"], w.get("parent"), w.get("grandparent")) is None]
        self.assertTrue(any(w["class"] == "WndAte32Class" and w.get("parent") == "AIM_ChatWnd"
                            for w in unmatched))

        popups = [(p["class"], p["created"]) for p in self.report.events("popup")]
        self.assertEqual(popups, [
            ("AIM_AimTodayWnd", "0"),        # no request
            ("_aim_MiniBrowserClass", "0"),  # within 5 s of the Buddy List
            ("AIM_AimTodayWnd", "1"),        # after command 1140
            ("AIM_AimTodayWnd", "0"),        # the request lets one through
            ("_aim_MiniBrowserClass", "1"),  # later than 5 s
        ])

    def test_windows_keep_working_after_the_launcher_exits(self):
        launcher = self.launch("""
signon carol
im dave
wait 4000
receive dave dave still here
send dave me too
text dave
windows
quit
""")
        self.report.wait_for("created", timeout=60, **{"class": "AIM_IMessage"})
        closed = harness.run(bin_file("robot.exe"), "close", LAUNCHER_CLASS)
        self.assertIn("closed count=1", closed.stdout)
        self.assertEqual(launcher.wait(timeout=30), 0)

        self.report.wait_for("done", timeout=60)
        text = self.report.events("text")[-1]
        self.assertIn("still here", text["value"])
        self.assertIn("me too", text["value"])
        self.assert_windows_subclassed_by_row(self.report.events("window"))
        self.assertEqual(self.report.events("error"), [])

    # Another add-on of the host's process takes the first of two IM windows
    # before the library does.  Each window keeps reaching the procedures it
    # had, the other add-on's only for its own window, and both are logged.
    def test_a_window_another_add_on_subclassed_first_keeps_its_chain(self):
        launcher = self.launch("""
signon alice
subclass-next-im
im bob
im carol
receive bob bob hello from bob
receive carol carol hello from carol
wait 1500
send bob hi bob
send carol hi carol
wait 1500
text bob
text carol
close bob
close carol
quit
""")
        self.report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)
        self.assertEqual(self.report.events("error"), [])

        ims = {c["title"]: c["hwnd"] for c in self.report.events("created")
               if c["class"] == "AIM_IMessage"}
        bob = ims["bob - Instant Message"]
        self.assertEqual([t["hwnd"] for t in self.report.events("other-subclass")], [bob])
        reached = [(m["hwnd"], m["own"]) for m in self.report.events("other-subclass-message")]
        self.assertEqual(reached, [(bob, "1")], "only bob's close, through its own chain")

        texts = {t["window"]: t["value"] for t in self.report.events("text")}
        for buddy in ("bob", "carol"):
            self.assertIn("hi " + buddy, texts[buddy])
            days = glob.glob(os.path.join(self.history, "alice", buddy, "*.html"))
            self.assertEqual(len(days), 1, buddy)
            with open(days[0], "rb") as f:
                day = f.read()
            self.assertIn(b"hello from " + buddy.encode(), day)
            self.assertIn(b"hi " + buddy.encode(), day)


class CloneTest(LauncherSession):
    def test_clone_start_adds_a_host_without_a_second_hook(self):
        launcher = self.launch("signon first\nim buddy\nwait 6000\nwindows\nquit\n")
        self.report.wait_for("ready", timeout=60)
        clone = self.launch("signon second\nim buddy\nreceive buddy buddy hi\nwait 1500\n"
                            "text buddy\nwindows\nquit\n", "-clone")
        self.assertEqual(clone.wait(timeout=30), 0, "a clone start only starts a host")
        self.report.wait_for("ready", count=2, timeout=60)
        self.report.wait_for("done", count=2, timeout=90)
        self.assertEqual(launcher.wait(timeout=30), 0)

        ready = self.report.events("ready")
        self.assertEqual(len({r["pid"] for r in ready}), 2)
        # Windows subclassed twice would loop into their own procedure; the
        # clone's IM window answers and is subclassed once, by its row.
        self.assertIn("hi", self.report.events("text")[-1]["value"])
        self.assert_windows_subclassed_by_row(self.report.events("window"))

    def test_launcher_waits_for_the_clone_it_was_handed(self):
        launcher = self.launch("signon first\nwait 2000\nquit\n")
        self.report.wait_for("ready", timeout=60)
        # The first host quits soon; the clone keeps the hook needed.
        clone = self.launch("signon second\nwait 8000\nquit\n", "-clone")
        clone.wait(timeout=30)
        self.report.wait_for("done", count=1, timeout=60)
        time.sleep(1.0)
        self.assertIsNone(launcher.poll(), "the launcher must stay while the clone runs")
        self.report.wait_for("done", count=2, timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)


def box_listing(robot, caption):
    """The robot's listing of the box titled `caption` once it shows."""
    return harness.wait_until(
        lambda: (lambda out: out if "caption=" + caption in out else None)(
            "\n".join(robot("dialogs", caption))),
        timeout=30, what="a '%s' box" % caption)


class BoxRobot:
    """One robot answers every look for a box: a program started per look
    cost a loaded machine more than the box took to come."""

    def setUp(self):
        super().setUp()
        self.robot = self.house


class SecondStartTest(BoxRobot, LauncherSession):
    def dialog_text(self, caption):
        return box_listing(self.robot, caption)

    def test_plain_second_start_is_told_and_starts_nothing(self):
        launcher = self.launch("signon first\nwait 5000\nquit\n")
        self.report.wait_for("ready", timeout=60)
        second = self.start("Corvane.exe")
        self.assertEqual(second.wait(timeout=30), 0)
        self.assertIn("Corvane is already running.", self.dialog_text("Corvane Notification"))
        self.robot("press", "Corvane Notification", "OK")
        self.report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)
        self.assertEqual(len(self.report.events("ready")), 1)

    def test_clone_refused_when_cloning_is_off(self):
        harness.reg_add(harness.SETTINGS_KEY, "AllowCloning", 0, "REG_DWORD")
        launcher = self.launch("signon first\nwait 5000\nquit\n")
        self.report.wait_for("ready", timeout=60)
        clone = self.launch("signon second\nquit\n", "-clone")
        self.assertIn("switched off", self.dialog_text("Corvane Notification"))
        self.robot("press", "Corvane Notification", "OK")
        self.assertNotEqual(clone.wait(timeout=30), 0)
        self.report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)
        self.assertEqual(len(self.report.events("ready")), 1)


    # A launcher that cannot take the clone's host over.

    CLONE_FAILURE = "Error launching a clone of Corvane.\\n\\nPlease re-install Corvane."

    def start_unhelpful_launcher(self, kind):
        standin = self.start("running_launcher_probe.exe", kind, stdin=subprocess.PIPE)
        self.assertEqual(standin.stdout.readline().strip(), "ready")
        return standin

    def test_clone_start_without_a_launcher_window_is_told_and_starts_nothing(self):
        self.start_unhelpful_launcher("nowindow")
        clone = self.launch("signon second\nquit\n", "-clone")
        self.assertIn(self.CLONE_FAILURE, self.dialog_text("Corvane Error"))
        self.robot("press", "Corvane Error", "OK")
        self.assertEqual(clone.wait(timeout=30), 3)
        self.assertEqual(self.report.events("ready"), [], "no host was started")

    def test_clone_host_the_launcher_refuses_is_told_and_waited_for(self):
        self.start_unhelpful_launcher("refuse")
        clone = self.launch("signon second\nwait 6000\nquit\n", "-clone")
        self.assertIn(self.CLONE_FAILURE, self.dialog_text("Corvane Error"))
        self.report.wait_for("ready", timeout=60)
        self.robot("press", "Corvane Error", "OK")
        # However long the press took under load: the host reports "done"
        # before it ends, and the clone start may end only after it.
        started = time.time()
        while not self.report.events("done"):
            self.assertIsNone(clone.poll(), "the clone start waits for its host")
            self.assertLess(time.time() - started, 60, "the host never ended")
            time.sleep(0.1)
        self.assertEqual(clone.wait(timeout=30), 3)


def with_product_build(data, build):
    """The bytes of a program with the build number of its product version
    changed, as a library of another release would carry."""
    at = data.index(struct.pack("<I", 0xFEEF04BD))
    product_ls = at + 20
    release = struct.unpack_from("<I", data, product_ls)[0] & 0xFFFF0000
    return data[:product_ls] + struct.pack("<I", release | build) + data[product_ls + 4:]


class LaunchFailureTest(BoxRobot, harness.WineTest):
    def test_library_of_another_release_is_refused(self):
        folder = os.path.join(self.tmp, "mixed")
        os.makedirs(folder)
        shutil.copy(bin_file("Corvane.exe"), folder)
        with open(bin_file("Corvane.dll"), "rb") as f:
            library = with_product_build(f.read(), 66)
        with open(os.path.join(folder, "Corvane.dll"), "wb") as f:
            f.write(library)
        launcher = self.start(os.path.join(folder, "Corvane.exe"))
        listing = self.error_box()
        self.assertIn("It is version 2.2.1 (build 66), but this Corvane.exe is version "
                      "2.2.1 (build 65).", listing)
        self.robot("press", "Corvane Error", "OK")
        self.assertEqual(launcher.wait(timeout=30), 1)

    def error_box(self):
        return box_listing(self.robot, "Corvane Error")

    def wait_for_preferences(self, robot):
        harness.wait_until(lambda: robot.dialogs("Corvane Preferences"), timeout=30,
                           what="the preferences")

    # The preferences open after the box, where the path can be set; given
    # up there, the launcher ends.
    def test_missing_host_gets_a_clear_message_box(self):
        missing = r"C:\nowhere\aim.exe"
        harness.reg_add(harness.HOST_KEY, None, missing)
        launcher = self.start("Corvane.exe")
        listing = self.error_box()
        self.assertIn(missing.replace("\\", "\\\\"), listing)
        self.assertIn("not the full path of a program", listing)
        self.robot("press", "Corvane Error", "OK")
        self.wait_for_preferences(self.robot)
        self.robot("press", "Corvane Preferences", "Cancel")
        self.assertNotEqual(launcher.wait(timeout=30), 0)

    # With no registration the path is "aim.exe", which Windows would look
    # for beside the launcher and on the search path: a program of that
    # name there never runs, the user is told and sets the path.
    def test_a_host_name_without_its_folder_is_never_looked_for(self):
        harness.reg_delete(harness.HOST_KEY)
        folder = os.path.join(self.tmp, "copy")
        os.makedirs(folder)
        for name in ("Corvane.exe", "Corvane.dll"):
            shutil.copy(bin_file(name), folder)
        shutil.copy(bin_file("planted_program.exe"), os.path.join(folder, "aim.exe"))
        report = Report(os.path.join(self.tmp, "host.log"))
        launcher = self.start(os.path.join(folder, "Corvane.exe"), env={
            "TESTHOST_REPORT": harness.win_path(report.path),
            "TESTHOST_RUN": "signon alice; wait 500; quit"})
        listing = self.error_box()
        self.assertIn("the AppPath setting, is\\n\\naim.exe\\n\\nwhich is not the full path", listing)
        self.assertIn("Set the messenger's path", listing)
        self.robot("press", "Corvane Error", "OK")
        self.wait_for_preferences(self.robot)
        host_path = harness.win_path(bin_file("testhost.exe"))
        self.robot("settext", "Corvane Preferences", HOST_PATH, host_path)
        self.robot("click", "Corvane Preferences", OK)
        report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)
        self.assertFalse(os.path.exists(os.path.join(folder, "planted-ran.txt")))
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY)["AppPath"][1], host_path)

if __name__ == "__main__":
    unittest.main()
