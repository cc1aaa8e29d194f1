#!/usr/bin/env python3
"""Holds every name of our own code to the naming rule of
docs/architecture.md ("Conventions"), with clang-tidy's
readability-identifier-naming as .clang-tidy configures it: every
translation unit of the native, fuzz and win32 builds (whichever are built
beside this one), headers included.  Windows units are read for the mingw
target with mingw's own C++ headers.  Files compiled with the same flags
are read a couple of dozen at a time, as one unit that includes them.

    tests/checks/naming_test.py BUILD_DIR          checks the repository
    tests/checks/naming_test.py BUILD_DIR --self   checks the check on a wrong name"""

import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PRESETS = ("native", "fuzz", "win32")
OURS = ("common", "hooklib", "launcher", "viewer", "testhost", "tests")
HEADER_FILTER = "^%s/(%s)/" % (re.escape(ROOT), "|".join(OURS))
MINGW_CXX = "/usr/lib/gcc/i686-w64-mingw32/12-posix/include/c++"
MINGW_ARGS = ["--extra-arg=--target=i686-w64-mingw32", "--extra-arg=-isystem" + MINGW_CXX,
              "--extra-arg=-isystem%s/i686-w64-mingw32" % MINGW_CXX,
              "--extra-arg=-isystem%s/backward" % MINGW_CXX]
WARNING = re.compile(r"^(/\S+):(\d+):\d+: warning: (.*\[readability-identifier-naming\])$")
ERROR = re.compile(r"^(/\S+):\d+:\d+: error: .*\[clang-diagnostic-error\]$", re.M)


UNITY_SOURCE = re.compile(r'^#include "(/[^"]+)"$', re.M)


def ours(path):
    return os.path.relpath(path, ROOT).split(os.sep)[0] in OURS


def database_units(database, seen):
    """(entry, files) of each unit of a compile database that reads files
    of ours not in `seen`, which it then holds: a unity build's unit with
    the sources it includes, any other with its one file."""
    found = []
    with open(os.path.join(database, "compile_commands.json")) as f:
        for entry in json.load(f):
            path = os.path.realpath(entry["file"])
            # Ninja's database holds the resource scripts too.
            if not path.endswith((".c", ".cpp", ".cxx")):
                continue
            if "/Unity/unity_" in path:
                with open(path) as unit:
                    files = [os.path.realpath(p) for p in UNITY_SOURCE.findall(unit.read())]
            else:
                files = [path]
            files = [p for p in files if ours(p) and p not in seen]
            if files:
                seen.update(files)
                found.append((entry, files))
    return found


def units(builds):
    """(preset, entry, files) of every unit of ours, each file in one."""
    seen, found = set(), []
    for preset in PRESETS:
        if os.path.exists(os.path.join(builds, preset, "compile_commands.json")):
            found += [(preset, *unit)
                      for unit in database_units(os.path.join(builds, preset), seen)]
    return found


PCH = re.compile(r"\s-Winvalid-pch|\s-include\s+\S*cmake_pch\.hxx")
RESPONSE_FILE = re.compile(r"@(\S+\.rsp)")
INCLUDE = re.compile(r"\s(-I\s*\S+|-isystem\s+\S+)")


def flags(entry):
    """(the unit's compiler flags without its include folders, its include
    folders): the targets of one build differ mostly by their folders.  The
    Windows build's precompiled header is gcc's, which clang cannot load,
    so the headers themselves are read."""
    command = RESPONSE_FILE.sub(
        lambda m: open(os.path.join(entry["directory"], m.group(1))).read().strip(),
        entry["command"])
    command = PCH.sub(" ", command.replace(entry["file"], " "))
    command = re.sub(r"\s-o\s+\S+|\s-c\s", " ", command)
    folders = [m.strip().replace('"', "") for m in INCLUDE.findall(command)]
    return tuple(INCLUDE.sub(" ", command).split()[1:]), folders


def tidy(preset, path, arguments):
    """The naming warnings of one unit read with the compiler's
    `arguments`, as (file, 'file:line: text') pairs; the files of ours
    where it did not compile; and clang-tidy's output when it failed."""
    # The rule named outright: clang-tidy looks for it beside the unit read,
    # and a group's unit lies in a temporary folder.  Every error is told,
    # and the unit read on past them.
    command = ["clang-tidy", "--quiet", "--config-file=" + os.path.join(ROOT, ".clang-tidy"),
               "--header-filter=" + HEADER_FILTER, "--extra-arg=-ferror-limit=0", path, "--",
               *arguments]
    if preset == "win32":
        command[1:1] = MINGW_ARGS
    done = subprocess.run(command, capture_output=True, text=True, cwd=ROOT)
    warnings = []
    for line in done.stdout.splitlines():
        m = WARNING.match(line)
        # A group's unit is not ours: its lines rename entry points.
        if m and ours(m.group(1)):
            warnings.append((m.group(1), "%s:%s: %s" % (os.path.relpath(m.group(1), ROOT),
                                                        m.group(2), m.group(3))))
    failed = {m.group(1) for m in ERROR.finditer(done.stdout) if ours(m.group(1))}
    return warnings, failed, (done.stdout + done.stderr if done.returncode else "")


GROUP_SIZE = 24
# Programs' entry points, renamed in a group for each file that defines
# one, so that two programs never clash there.
ENTRY_POINTS = ("main", "WinMain", "wWinMain", "LLVMFuzzerTestOneInput")
ENTRY_POINT = re.compile(r"\b(%s)\s*\(" % "|".join(ENTRY_POINTS))


def included(index, path):
    """The lines of a group's unit that include its file `path`."""
    with open(path, errors="replace") as f:
        if not ENTRY_POINT.search(f.read()):
            return '#include "%s"\n' % path
    return "".join(["#define %s EntryPoint%dOf%d\n" % (name, kind, index)
                    for kind, name in enumerate(ENTRY_POINTS)] + ['#include "%s"\n' % path] +
                   ["#undef %s\n" % name for name in ENTRY_POINTS])


def groups(preset, units):
    """(preset, arguments, files) for the files of `units`: up to
    GROUP_SIZE files read with the same flags, with every include folder
    they need.  Files of one target stay together: they most often compile
    as one unit."""
    by_flags = {}
    for entry, files in units:
        key, folders = flags(entry)
        found_folders, found_files = by_flags.setdefault(key, ([], []))
        found_folders += [f for f in folders if f not in found_folders]
        found_files += files
    return [(preset, [*key, *folders], files[start:start + GROUP_SIZE])
            for key, (folders, files) in by_flags.items()
            for start in range(0, len(files), GROUP_SIZE)]


# The last line of a group's unit: its error says clang read the unit to
# its end, so that a fatal error cut nothing short.
GROUP_END = "naming check: end of the group"


def tidy_group(folder, group):
    """The group's warnings, read as one unit of `folder` that includes its
    files, as a unity build does: most of the time went into reading
    windows.h or gtest again for every file.  A group that does not compile
    so (two files defining one name for themselves) keeps the warnings of
    its files that compiled, and the files that did not are read again as
    a group of their own; where clang stopped short, the files it found
    errors in and the others are read again, or else the halves, down to a
    file alone."""
    preset, arguments, files = group
    if len(files) == 1:
        warnings, _, failure = tidy(preset, files[0], arguments)
        if failure and not warnings:
            return ["%s: clang-tidy failed: %s" % (files[0], failure.strip()[-500:])]
        return [text for _, text in warnings]
    with tempfile.NamedTemporaryFile("w", suffix=".cpp", dir=folder, delete=False) as unit:
        unit.writelines(included(index, path) for index, path in enumerate(files))
        unit.write("#error %s\n" % GROUP_END)
    warnings, failed, failure = tidy(preset, unit.name, arguments)
    if GROUP_END in failure and failed <= set(files) and failed != set(files):
        again = [path for path in files if path in failed]
        return ([text for path, text in warnings if path not in failed] +
                (tidy_group(folder, (preset, arguments, again)) if again else []))
    second = [path for path in files[1:] if path in failed]
    first = [path for path in files if path not in second]
    if not second:
        first, second = files[:len(files) // 2], files[len(files) // 2:]
    return (tidy_group(folder, (preset, arguments, first)) +
            tidy_group(folder, (preset, arguments, second)))


def check(builds):
    found = set()
    with tempfile.TemporaryDirectory() as folder:
        found_units = units(builds)
        work = []
        for preset in PRESETS:
            work += groups(preset, [(entry, files) for each, entry, files in found_units
                                    if each == preset])
        # The largest groups first, so that no thread is left with one at the end.
        work.sort(key=lambda group: -len(group[2]))
        with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
            for lines in pool.map(lambda group: tidy_group(folder, group), work):
                found.update(lines)
    return sorted(found)


class NamingTest(unittest.TestCase):
    def test_every_name_follows_the_rule(self):
        self.assertTrue(units(BUILDS), "no compile_commands.json beside " + BUILDS)
        found = check(BUILDS)
        self.assertEqual(found, [], "\n" + "\n".join(found))


class NamingCheckerTest(unittest.TestCase):
    """The check itself: a wrong name in a file read in a group is found,
    and still when the group does not compile as one unit."""

    def write(self, name, text):
        path = os.path.join(self.folder, name)
        with open(path, "w") as f:
            f.write("namespace corvane {\n%s}  // namespace corvane\n" % text)
        return path

    def found(self, paths):
        with open(os.path.join(self.folder, "compile_commands.json"), "w") as f:
            json.dump([{"directory": self.folder, "file": path,
                        "command": "c++ -std=c++17 -o CMakeFiles/t.dir/%s.o -c %s"
                                   % (os.path.basename(path), path)} for path in paths], f)
        # The group's unit lies outside the repository, as in a real check.
        with tempfile.TemporaryDirectory() as units_folder:
            return "\n".join(line for group in groups("native", database_units(self.folder, set()))
                             for line in tidy_group(units_folder, group))

    def test_a_wrong_name_is_found(self):
        self.folder = tempfile.mkdtemp(dir=os.path.join(ROOT, "tests"), prefix="naming-self-")
        self.addCleanup(shutil.rmtree, self.folder)
        wrong = self.write("wrong.cpp", "int Sum_of_parts(int first_part) {\n"
                           "  const int kept = first_part;\n  return kept;\n}\n")
        right = self.write("right.cpp", "namespace {\nint Helper() { return 1; }\n}  // namespace\n")
        found = self.found([right, wrong])
        self.assertIn("invalid case style for function 'Sum_of_parts'", found)
        self.assertIn("invalid case style for parameter 'first_part'", found)
        self.assertNotIn("'kept'", found)
        clash = self.write("clash.cpp", "namespace {\nint Helper() { return 2; }\n}  // namespace\n")
        self.assertIn("'Sum_of_parts'", self.found([right, clash, wrong]))


if __name__ == "__main__":
    BUILDS = os.path.dirname(os.path.abspath(sys.argv[1]))
    only = "NamingCheckerTest" if "--self" in sys.argv else "NamingTest"
    sys.argv = [sys.argv[0], only]
    unittest.main()
