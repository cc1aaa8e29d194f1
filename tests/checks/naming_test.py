#!/usr/bin/env python3
"""Holds every name of our own code to the naming rule of
docs/architecture.md ("Conventions"), with clang-tidy's
readability-identifier-naming as .clang-tidy configures it: every
translation unit of the native, fuzz and win32 builds (whichever are built
beside this one), headers included.  Windows units are read for the mingw
target with mingw's own C++ headers.  Files are read a few at a time as one
unit that includes them, as the Windows build compiles them (a unity
build), or else a few files of one target: most of the time went into
reading windows.h or gtest again for every file.  A group that does not
compile so (two files defining one name for themselves) is read file by
file.

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


def readable_database(builds, preset, folder):
    """The folder of a compile database clang-tidy can read: the Windows
    build's units reuse a precompiled header of gcc's, which clang cannot
    load, so its copy reads the headers themselves."""
    source = os.path.join(builds, preset)
    if preset != "win32" or not os.path.exists(os.path.join(source, "compile_commands.json")):
        return source
    with open(os.path.join(source, "compile_commands.json")) as f:
        entries = json.load(f)
    for entry in entries:
        entry["command"] = PCH.sub("", entry["command"])
    target = os.path.join(folder, preset)
    os.makedirs(target, exist_ok=True)
    with open(os.path.join(target, "compile_commands.json"), "w") as f:
        json.dump(entries, f)
    return target


def tidy(database, preset, path):
    """The naming warnings of one unit, as 'file:line: text' lines, and
    whether it compiled."""
    command = ["clang-tidy", "-p", database, "--quiet", "--header-filter=" + HEADER_FILTER, path]
    if preset == "win32":
        command[1:1] = MINGW_ARGS
    done = subprocess.run(command, capture_output=True, text=True, cwd=ROOT)
    lines = []
    for line in done.stdout.splitlines():
        m = WARNING.match(line)
        if m:
            lines.append("%s:%s: %s" % (os.path.relpath(m.group(1), ROOT), m.group(2), m.group(3)))
    if done.returncode != 0 and not lines:
        lines.append("%s: clang-tidy failed: %s" % (path, done.stderr.strip()[-500:]))
    return lines, "[clang-diagnostic-error]" not in done.stdout


GROUP_SIZE = 12
TARGET = re.compile(r"\s-o\s+(\S*CMakeFiles/[^/\s]+\.dir)/")


def groups(databases, preset, units, folder):
    """(database, unit, files) for `units` of `preset`: a unity build's unit
    as it is; other files of one target, up to GROUP_SIZE, in a unit of
    `folder` that includes them."""
    with open(os.path.join(databases[preset], "compile_commands.json")) as f:
        entries = {os.path.realpath(entry["file"]): entry for entry in json.load(f)}
    by_target, found = {}, []
    for entry, files in units:
        path = os.path.realpath(entry["file"])
        if files != [path]:
            found.append((databases[preset], path, files))
            continue
        target = TARGET.search(entry["command"])
        by_target.setdefault(target.group(1) if target else path, []).append(path)
    database = os.path.join(folder, preset + "-grouped")
    os.makedirs(database, exist_ok=True)
    commands = []
    for files in by_target.values():
        for start in range(0, len(files), GROUP_SIZE):
            part = files[start:start + GROUP_SIZE]
            unit = os.path.join(database, "group%d.cpp" % len(found))
            with open(unit, "w") as f:
                f.writelines('#include "%s"\n' % path for path in part)
            entry = entries[part[0]]
            commands.append({"directory": entry["directory"], "file": unit,
                             "command": entry["command"].replace(entry["file"], unit)})
            found.append((database, unit, part))
    with open(os.path.join(database, "compile_commands.json"), "w") as f:
        json.dump(commands, f)
    return found


def tidy_group(databases, preset, group):
    database, unit, files = group
    lines, compiled = tidy(database, preset, unit)
    if compiled:
        return lines
    found = []
    for path in files:
        found += tidy(databases[preset], preset, path)[0]
    return found


def check(builds):
    found = set()
    with tempfile.TemporaryDirectory() as folder:
        databases = {preset: readable_database(builds, preset, folder) for preset in PRESETS}
        work = []
        found_units = units(builds)
        for preset in PRESETS:
            mine = [(entry, files) for each, entry, files in found_units if each == preset]
            work += [(preset, group) for group in groups(databases, preset, mine, folder)]
        # The largest groups first, so that no thread is left with one at the end.
        work.sort(key=lambda item: -len(item[1][2]))
        with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
            for lines in pool.map(lambda item: tidy_group(databases, *item), work):
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
        databases = {"native": self.folder}
        lines = []
        for group in groups(databases, "native", database_units(self.folder, set()),
                            self.folder):
            lines += tidy_group(databases, "native", group)
        return "\n".join(lines)

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
