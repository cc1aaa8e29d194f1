"""Where a first session's history goes, and that the History command then
opens the viewer on it: an installed copy (the setup program, silent, into
Program Files) writes into the user's documents, a copy unpacked from the
zip writes beside itself; neither run has an update server to talk to, and
no save ever stores the folder but the first run itself."""

import glob
import os
import shutil
import unittest
import zipfile

import harness
import resource_ids
from harness import Report, bin_file
import setup_e2e_test

ZIP = os.environ.get("CORVANE_ZIP")
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"
VIEWER_IDS = resource_ids.load("viewer/resources/viewer_resources.h")
SESSION = ("signon alice\nim bob\nreceive bob bob %s\nwait 30000\nquit\n")


class FirstSession:
    """A first session of the launcher in `folder`, then its History command."""

    def run_first_session(self, launcher, text):
        harness.run("reg", "delete", harness.SETTINGS_KEY, "/v", "LogDir", "/f")
        self.assertNotIn("LogDir", harness.reg_values(harness.SETTINGS_KEY))
        self.report = Report(os.path.join(self.tmp, "first-host.log"))
        script = self.report.path + ".txt"
        with open(script, "w") as f:
            f.write(SESSION % text)
        self.launcher = self.start(launcher, env={
            "TESTHOST_REPORT": harness.win_path(self.report.path),
            "TESTHOST_SCRIPT": harness.win_path(script)})

    def wait_for_day(self, history, text):
        def written():
            for day in glob.glob(os.path.join(history, "alice", "bob", "*.html")):
                with open(day, "rb") as f:
                    if text.encode() in f.read():
                        return day
            return None
        return harness.wait_until(written, timeout=60, what="the day file in " + history)

    def assert_history_command_opens_the_viewer_on_it(self, day):
        viewer = harness.Robot()
        try:
            harness.run(bin_file("robot.exe"), "command", "AIM_IMessage", "57005")
            harness.wait_until(lambda: viewer.window("Corvane History"), timeout=30,
                               what="the History Viewer")

            def shown():
                dates = viewer.items("Corvane History", VIEWER_IDS["IDC_DATE_LIST"])
                users = viewer.items("Corvane History", VIEWER_IDS["IDC_USER_LIST"])
                return (users and users[0][users[1]] == "alice" and dates
                        and dates[0] == [os.path.basename(day)[:-len(".html")]])
            harness.wait_until(shown, timeout=20, what="the conversation's day in the viewer")
            self.assertEqual(viewer.dialogs("Browse for Folder"), [])
            viewer("sys", "Corvane History", 61536)
        finally:
            viewer.close()
        harness.run(bin_file("robot.exe"), "close", "_Oscar_BuddyListWin")


class InstalledCopyTest(FirstSession, setup_e2e_test.SetupTest):
    # The install folder as Windows names it; the prefix's path under Z:
    # would be another name for it, which nothing counts as Program Files.
    FOLDER = r"C:\Program Files\Corvane"

    def start_silently(self, program, *switches, folder_switch):
        return self.spawn('"%s" /S %s %s=%s' % (harness.win_path(program), " ".join(switches),
                                                 folder_switch, self.FOLDER))

    def setUp(self):
        super().setUp()
        self.target = os.path.join(setup_e2e_test.PREFIX_C, "Program Files", "Corvane")
        shutil.rmtree(self.target, ignore_errors=True)
        self.addCleanup(shutil.rmtree, self.target, True)
        self.documents = os.path.join(self.tmp, "Documents")
        os.makedirs(self.documents)
        saved = harness.reg_values(SHELL_FOLDERS).get("Personal")
        self.addCleanup(harness.reg_add, SHELL_FOLDERS, "Personal",
                        saved[1] if saved else r"%USERPROFILE%\Documents", "REG_EXPAND_SZ")
        harness.reg_add(SHELL_FOLDERS, "Personal", harness.win_path(self.documents),
                        "REG_EXPAND_SZ")
        self.history = os.path.join(self.documents, "Corvane History")

    def test_an_installed_copy_keeps_history_in_the_users_documents(self):
        self.assertEqual(self.setup(), 0)
        self.run_first_session(self.FOLDER + r"\Corvane.exe", "hello from the installed copy")
        day = self.wait_for_day(self.history, "hello from the installed copy")
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY)["LogDir"][1],
                         harness.win_path(self.history))
        self.assertEqual(os.listdir(self.target).count("Corvane History"), 0)
        self.assert_history_command_opens_the_viewer_on_it(day)
        self.report.wait_for("done", timeout=60)
        self.assertEqual(self.launcher.wait(timeout=30), 0)
        harness.end_wine_desktop()
        self.assertEqual(self.uninstall_in_place("/S"), 0)


class ZipCopyTest(FirstSession, harness.WineTest):
    def test_a_copy_from_the_zip_keeps_history_beside_itself(self):
        self.assertTrue(ZIP and os.path.exists(ZIP), "the package is built first")
        self.register_host()
        folder = os.path.join(self.tmp, "Corvane")
        with zipfile.ZipFile(ZIP) as z:
            z.extractall(folder)
        self.run_first_session(os.path.join(folder, "Corvane.exe"), "hello from the zip's copy")
        history = os.path.join(folder, "Corvane History")
        day = self.wait_for_day(history, "hello from the zip's copy")
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY)["LogDir"][1],
                         harness.win_path(history))
        self.assert_history_command_opens_the_viewer_on_it(day)
        self.report.wait_for("done", timeout=60)


def load_tests(loader, standard_tests, pattern):
    """Only the tests of this file: the installed copy's class inherits the
    setup tests' helpers, not their tests."""
    return loader.loadTestsFromNames([
        "InstalledCopyTest.test_an_installed_copy_keeps_history_in_the_users_documents",
        "ZipCopyTest.test_a_copy_from_the_zip_keeps_history_beside_itself"],
        module=__import__(__name__))


if __name__ == "__main__":
    unittest.main()
