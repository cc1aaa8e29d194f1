#!/usr/bin/env python3
"""Holds the three shipped programs to what Windows XP SP3 has: every
function they import (from their import tables, read here) is one that the
lists of what XP SP3's system DLLs export hold and that not-on-xp.txt beside
them does not name, and their subsystem version is 5.01 or lower.  XP's
loader refuses a program or library with an import it cannot resolve, or
made for a later subsystem: the launcher would not start, and the hook
library would not load into the messenger.  The library, which is always
loaded after its process started, holds no static thread-local data, which
Windows XP does not give such a DLL.  The launcher and the viewer
also declare, in their manifests, the later Windows they were made for
(Vista to 10) and that they are aware of the dots per inch.

    tests/checks/xp_imports_test.py BIN_DIR LISTS_DIR          checks the built programs
    tests/checks/xp_imports_test.py BIN_DIR LISTS_DIR --self   checks the check: imports
                                                        XP lacks planted among the
                                                        library's, a bare manifest

BIN_DIR is the win32 build's bin folder; LISTS_DIR holds <dll>.txt, one name
a line, and not-on-xp.txt, "dll function" a line (SOURCE.md there says how
they were made)."""

import os
import re
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from windows_files import PortableExecutable  # noqa: E402

PROGRAMS = ("Corvane.exe", "Corvane.dll", "Corvane History Viewer.exe")
XP_SUBSYSTEM = (5, 1)
# The programs with windows of their own declare the later Windows they
# were made for, and that they lay out their windows at any dots per inch.
WINDOWED = ("Corvane.exe", "Corvane History Viewer.exe")
SUPPORTED_OS = {"Windows Vista": "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                "Windows 7": "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "Windows 8": "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                "Windows 8.1": "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "Windows 10 and 11": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
DPI_AWARE = re.compile(r"<dpiAware\b[^>]*>\s*true\s*</dpiAware>")


def read_lists(folder):
    """({dll: names it exports on XP SP3}, {(dll, name) that XP lacks}),
    the dll in lower case without ".dll"."""
    if not os.path.isdir(folder):
        raise FileNotFoundError("no lists of what Windows XP exports: %s is missing" % folder)
    exports = {}
    for entry in sorted(os.listdir(folder)):
        if entry.endswith(".txt") and entry != "not-on-xp.txt":
            with open(os.path.join(folder, entry)) as f:
                exports[entry[:-4].lower()] = {line.strip() for line in f if line.strip()}
    absent_path = os.path.join(folder, "not-on-xp.txt")
    if not exports or not os.path.exists(absent_path):
        raise FileNotFoundError("%s holds no lists (<dll>.txt and not-on-xp.txt)" % folder)
    absent = set()
    with open(absent_path) as f:
        for line in f:
            fields = line.split("#")[0].split()
            if len(fields) == 2:
                absent.add((fields[0].lower(), fields[1]))
    return exports, absent


def import_problems(program, imports, exports, absent):
    """One line for each import of `program` that XP SP3 lacks."""
    problems = []
    for dll, function, delayed in imports:
        key = dll.lower()[:-4] if dll.lower().endswith(".dll") else dll.lower()
        if key not in exports:
            why = "no list says what Windows XP's %s exports" % dll
        elif (key, function) in absent:
            why = "not-on-xp.txt names it"
        elif function not in exports[key]:
            why = "%s.txt does not hold it" % key
        else:
            continue
        how = " (delay-loaded)" if delayed else ""
        problems.append("%s imports %s from %s%s, which Windows XP SP3 lacks (%s)"
                        % (program, function, dll, how, why))
    return problems


def subsystem_problems(program, version):
    if tuple(version) <= XP_SUBSYSTEM:
        return []
    return ["%s asks for subsystem version %d.%02d, over Windows XP's %d.%02d"
            % ((program,) + tuple(version) + XP_SUBSYSTEM)]


def manifest_problems(program, data):
    """What the manifest compiled into `program` (its bytes) does not
    declare."""
    start, end = data.find(b"<assembly"), data.find(b"</assembly>")
    if start < 0 or end < start:
        return ["%s holds no manifest" % program]
    manifest = data[start:end].decode("utf-8")
    problems = ["%s does not declare %s as supported (supportedOS %s)" % (program, name, guid)
                for name, guid in SUPPORTED_OS.items()
                if re.search(r'<supportedOS\s+Id="%s"' % re.escape(guid), manifest, re.I) is None]
    if not DPI_AWARE.search(manifest):
        problems.append("%s does not declare dpiAware true" % program)
    return problems


def read_program(bin_dir, name):
    path = os.path.join(bin_dir, name)
    if not os.path.exists(path):
        raise FileNotFoundError("%s is not built (the win32 preset builds it)" % path)
    with open(path, "rb") as f:
        return PortableExecutable(f.read())


class XpImportsTest(unittest.TestCase):
    def setUp(self):
        self.exports, self.absent = read_lists(LISTS)

    def test_every_import_exists_on_windows_xp(self):
        problems = []
        for name in PROGRAMS:
            imports = read_program(BIN, name).imports()
            self.assertTrue(imports, name + " imports nothing: its import table was not read")
            problems += import_problems(name, imports, self.exports, self.absent)
        if problems:
            self.fail("\n" + "\n".join(problems))

    def test_every_subsystem_version_is_windows_xps_or_lower(self):
        problems = []
        for name in PROGRAMS:
            problems += subsystem_problems(name, read_program(BIN, name).subsystem_version())
        if problems:
            self.fail("\n" + "\n".join(problems))

    def test_the_library_has_no_static_thread_local_data(self):
        # Windows XP gives a DLL loaded after its process started no static
        # thread-local storage, and the hook library is always loaded so.
        # The runtime's own template is one pointer (mingw's _tls_start);
        # thread_local of this toolchain goes through emutls, not here.
        size = read_program(BIN, "Corvane.dll").static_tls_size()
        self.assertLessEqual(size, 4, "Corvane.dll has %d bytes of static thread-local data"
                             % size)

    def test_windowed_programs_declare_vista_to_10_and_any_dots_per_inch(self):
        problems = []
        for name in WINDOWED:
            problems += manifest_problems(name, read_program(BIN, name).data)
        if problems:
            self.fail("\n" + "\n".join(problems))


class XpImportsCheckerTest(unittest.TestCase):
    """The check itself, on the real imports of the library with imports
    XP lacks planted among them."""

    def setUp(self):
        self.exports, self.absent = read_lists(LISTS)
        self.imports = read_program(BIN, "Corvane.dll").imports()

    def test_the_real_imports_are_read(self):
        for expected in (("KERNEL32.dll", "GetModuleHandleA", False),
                         ("USER32.dll", "CallNextHookEx", False),
                         ("WININET.DLL", "InternetOpenUrlA", False)):
            self.assertIn(expected, self.imports, "among %d imports" % len(self.imports))

    def test_imports_xp_lacks_are_named_with_program_and_dll(self):
        planted = [("KERNEL32.dll", "GetTickCount64", False),
                   ("ADVAPI32.dll", "RegGetValueA", False),
                   ("dwmapi.dll", "DwmIsCompositionEnabled", True)]
        before = import_problems("Corvane.dll", self.imports, self.exports, self.absent)
        found = import_problems("Corvane.dll", self.imports + planted, self.exports, self.absent)
        self.assertEqual(found[len(before):], [
            "Corvane.dll imports GetTickCount64 from KERNEL32.dll, which Windows XP SP3 lacks"
            " (kernel32.txt does not hold it)",
            "Corvane.dll imports RegGetValueA from ADVAPI32.dll, which Windows XP SP3 lacks"
            " (not-on-xp.txt names it)",
            "Corvane.dll imports DwmIsCompositionEnabled from dwmapi.dll (delay-loaded), which"
            " Windows XP SP3 lacks (no list says what Windows XP's dwmapi.dll exports)"])

    def test_a_manifest_without_the_declarations_is_named(self):
        bare = b'<assembly xmlns="urn:schemas-microsoft-com:asm.v1"><description/></assembly>'
        self.assertEqual(manifest_problems("Corvane.exe", b"MZ" + bare), [
            "Corvane.exe does not declare %s as supported (supportedOS %s)" % item
            for item in SUPPORTED_OS.items()] + ["Corvane.exe does not declare dpiAware true"])
        self.assertEqual(manifest_problems("Corvane.exe", b"MZ"), ["Corvane.exe holds no manifest"])
        with open(os.path.join(ROOT, "launcher", "launcher.manifest"), "rb") as f:
            self.assertEqual(manifest_problems("Corvane.exe", f.read()), [])

    def test_a_later_subsystem_is_named(self):
        self.assertEqual(subsystem_problems("Corvane.exe", (5, 1)), [])
        self.assertEqual(subsystem_problems("Corvane.exe", (6, 0)),
                         ["Corvane.exe asks for subsystem version 6.00, over Windows XP's 5.01"])


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BIN, LISTS = (os.path.abspath(a) for a in sys.argv[1:3])
    only = "XpImportsCheckerTest" if "--self" in sys.argv else "XpImportsTest"
    sys.argv = [sys.argv[0], "-v", only]
    unittest.main()
