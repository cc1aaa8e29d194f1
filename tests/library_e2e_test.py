"""The hook library as a file and as one settings record shared by every
process that maps it."""

import re
import subprocess
import unittest

import harness
from harness import bin_file

DLL = bin_file("Corvane.dll")
EXPORTS = {"_CBTProc@12", "_Init@4", "_Shutdown@0", "GetAppPath", "GetAllowCloning",
           "SetCurDir", "LoadSettingsFromReg", "DoPrefDlg"}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "shlwapi.dll", "comctl32.dll", "comdlg32.dll", "version.dll", "wininet.dll",
               "msvcrt.dll", "ole32.dll"}


def objdump(*args):
    return subprocess.run([harness.MINGW + "objdump", *args, DLL], capture_output=True,
                          text=True, check=True).stdout


class LibraryFileTest(unittest.TestCase):
    def test_exports_exactly_the_eight_names(self):
        table = objdump("-p").split("[Ordinal/Name Pointer] Table", 1)[1]
        names = set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", table, re.M))
        self.assertEqual(names, EXPORTS)

    def test_settings_section_is_shared(self):
        headers = objdump("-h")
        m = re.search(r"^\s*\d+\s+Shared\s.*\n\s+(.*)$", headers, re.M)
        self.assertIsNotNone(m, headers)
        self.assertIn("SHARED", m.group(1))

    def test_imports_only_system_libraries(self):
        imported = {n.lower() for n in re.findall(r"DLL Name: (\S+)", objdump("-p"))}
        self.assertTrue(imported)
        self.assertLessEqual(imported, SYSTEM_DLLS)


class SharedRecordTest(harness.WineTest):
    def test_value_written_by_one_process_is_seen_by_another(self):
        marker = r"C:\Shared\Marker\aim.exe"
        harness.reg_add(harness.HOST_KEY, None, marker)
        try:
            holder = self.start("robot.exe", "hold", r"C:\Corvane", stdin=subprocess.PIPE)
            first = holder.stdout.readline()
            self.assertTrue(first.startswith("loaded"), first)
            seen = harness.run(bin_file("robot.exe"), "settings").stdout
            self.assertIn("apppath " + marker, seen)
            self.assertIn("allowcloning 1", seen)
            holder.stdin.close()
            holder.wait(timeout=30)
        finally:
            harness.reg_delete(harness.HOST_KEY)


if __name__ == "__main__":
    unittest.main()
