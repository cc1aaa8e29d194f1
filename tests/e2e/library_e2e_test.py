"""The hook library as a file, and the one settings record that every
process of the user sees."""

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

    def test_no_section_is_shared(self):
        # A shared section of the file would be memory that every process
        # mapping it (sandboxed ones and other users' included) could write.
        headers = objdump("-h")
        sections = re.findall(r"^\s*\d+\s+(\S+)\s.*\n\s+(.*)$", headers, re.M)
        self.assertTrue(sections, headers)
        self.assertEqual([name for name, flags in sections if "SHARED" in flags], [])

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
