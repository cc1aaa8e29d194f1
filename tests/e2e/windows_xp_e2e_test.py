"""The demo's scenario with the prefix claiming to be Windows XP: the
launcher starts the stand-in messenger with the hook, the conversations
reach their day files, the pop-ups are refused and the History Viewer shows
a day.  Wine then changes only what version queries answer (the fallbacks
for what XP lacks are each forced in a test of their own), and a 64-bit
prefix offers only XP's 64-bit edition."""

import os
import sys
import unittest

import harness

sys.path.insert(0, os.path.join(harness.SOURCE, "tools"))
import demo_session  # noqa: E402


def set_windows_version(name):
    done = harness.run("winecfg", "/v", name)
    if done.returncode != 0:
        raise RuntimeError("winecfg refused the version %s: %s" % (name, done.stderr))


class WindowsXpTest(harness.WineTest):
    def test_the_demo_scenario_as_windows_xp(self):
        was = harness.run("winecfg", "/v").stdout.strip()
        self.addCleanup(set_windows_version, was)
        with open(os.path.join(harness.PREFIX, "system.reg")) as f:
            xp = "winxp64" if "#arch=win64" in f.read(4096) else "winxp"
        set_windows_version(xp)
        version = harness.reg_values(r"HKLM\Software\Microsoft\Windows NT\CurrentVersion")
        self.assertIn(version["CurrentVersion"][1], ("5.1", "5.2"))

        demo = demo_session.run_demo(os.path.join(self.tmp, "demo"))
        self.assertEqual(demo["code"], 0)
        self.assertEqual({p["class"]: p["created"] for p in demo["report"].events("popup")},
                         {"_aim_MiniBrowserClass": "0", "AIM_AimTodayWnd": "1"})
        for buddy, said in (("bob", "lovely beach"), ("dave", "See you there."),
                            ("Lounge", "Hello room")):
            folder = os.path.join(demo["history"], "alice", buddy)
            days = os.listdir(folder)
            self.assertEqual(len(days), 1, folder)
            with open(os.path.join(folder, days[0]), encoding="latin-1") as f:
                self.assertIn(said, f.read())
        self.assertIn("See you there.", demo["viewer"])


if __name__ == "__main__":
    unittest.main()
