"""Another program maps the hook library's file and overwrites every text
in it that looks like a folder: the running messenger still writes into the
configured history folder, and its History and Clone commands still start
our programs, never ones planted in that program's folder."""

import os
import shutil
import subprocess
import unittest

import harness
from harness import Report, bin_file

PLANTED = ("Corvane History Viewer.exe", "Corvane.exe")


class TamperingTest(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.report = Report(os.path.join(self.tmp, "host.log"))
        # Shorter than every folder it overwrites, so that it fits over each.
        self.elsewhere = os.path.join(self.tmp, "X")
        os.makedirs(self.elsewhere)
        for name in PLANTED:
            shutil.copy(bin_file("planted_program.exe"), os.path.join(self.elsewhere, name))
        self.planted_ran = os.path.join(self.elsewhere, "planted-ran.txt")

    def day_text(self, history):
        folder = os.path.join(history, "alice", "bob")
        if not os.path.isdir(folder):
            return b""
        text = b""
        for name in os.listdir(folder):
            with open(os.path.join(folder, name), "rb") as f:
                text += f.read()
        return text

    def tamper(self):
        tamperer = self.start("library_tamperer.exe", harness.win_path(bin_file("Corvane.dll")),
                              harness.win_path(self.elsewhere), stdin=subprocess.PIPE)
        lines = []
        while not lines or not lines[-1].startswith("done "):
            line = tamperer.stdout.readline()
            self.assertNotEqual(line, "", "the tamperer ended early: %r" % lines)
            lines.append(line.strip())
        return lines

    def test_a_program_mapping_the_library_changes_nothing_the_messenger_uses(self):
        script = os.path.join(self.tmp, "script.txt")
        with open(script, "w") as f:
            f.write("signon alice\nim bob\nreceive bob bob before the tampering\nwait 6000\n"
                    "receive bob bob after the tampering\nwait 60000\nquit\n")
        launcher = self.start("Corvane.exe", env={
            "TESTHOST_REPORT": harness.win_path(self.report.path),
            "TESTHOST_SCRIPT": harness.win_path(script)})
        harness.wait_until(lambda: b"before the tampering" in self.day_text(self.history),
                           timeout=60, what="the first message logged")

        lines = self.tamper()

        harness.wait_until(lambda: b"after the tampering" in self.day_text(self.history),
                           timeout=30, what="the second message logged where configured")
        self.assertFalse(os.path.exists(os.path.join(self.elsewhere, "alice")))

        viewer = harness.Robot()
        try:
            harness.run(bin_file("robot.exe"), "command", "AIM_IMessage", "57005")
            harness.wait_until(lambda: viewer.window("Corvane History"), timeout=30,
                               what="the History Viewer")
            viewer("sys", "Corvane History", 61536)
        finally:
            viewer.close()
        harness.run(bin_file("robot.exe"), "command", "AIM_IMessage", "40")
        self.report.wait_for("ready", count=2, timeout=60)
        self.assertFalse(os.path.exists(self.planted_ran),
                         open(self.planted_ran).read() if os.path.exists(self.planted_ran) else "")

        harness.run(bin_file("robot.exe"), "close", "_Oscar_BuddyListWin")
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY)["LogDir"][1],
                         harness.win_path(self.history))
        launcher.kill()
        # The library file offers no memory that another process shares.
        self.assertEqual(lines[-1].split()[1], "shared-writable=0", "\n".join(lines))


if __name__ == "__main__":
    unittest.main()
