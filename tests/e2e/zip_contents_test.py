"""The zip holds the three stripped programs and a short read-me for
Windows."""

import os
import unittest
import zipfile

import harness
from windows_files import version_info

ZIP = os.environ.get("CORVANE_ZIP")
SHIP = os.path.join(os.path.dirname(harness.BIN), "ship")
VERSION = tuple(int(n) for n in os.environ.get("CORVANE_VERSION", "0.0.0.0").split("."))
PROGRAMS = ["Corvane.exe", "Corvane.dll", "Corvane History Viewer.exe"]


class ZipTest(unittest.TestCase):
    def setUp(self):
        self.assertTrue(ZIP and os.path.exists(ZIP), "the package is built first")
        self.zip = zipfile.ZipFile(ZIP)
        self.addCleanup(self.zip.close)

    def test_holds_the_programs_and_a_read_me_at_its_top(self):
        self.assertEqual(sorted(self.zip.namelist()), sorted(PROGRAMS + ["README.txt"]))
        for name in PROGRAMS:
            data = self.zip.read(name)
            with open(os.path.join(SHIP, name), "rb") as f:
                self.assertEqual(data, f.read(), name + " is the stripped program")
            self.assertEqual(version_info(data)["product"], VERSION, name)

    def test_read_me_tells_how_to_start_where_history_goes_and_how_to_uninstall(self):
        text = self.zip.read("README.txt").decode("ascii")
        self.assertNotIn("\n", text.replace("\r\n", ""), "Windows line ends")
        self.assertTrue(text.startswith("Corvane %d.%d.%d\r\n" % VERSION[:3]))
        for needed in ("start Corvane.exe", '"Corvane History"', "Uninstalling by hand",
                       r"HKEY_CURRENT_USER\Software\Halvard\Corvane"):
            self.assertIn(needed, text.replace("\r\n", " "))


if __name__ == "__main__":
    unittest.main()
