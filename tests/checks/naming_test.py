#!/usr/bin/env python3
"""Holds every name of our own code to the naming rule of
docs/architecture.md ("Conventions"), with clang-tidy's
readability-identifier-naming as .clang-tidy configures it: every
translation unit of the native, fuzz and win32 builds (whichever are built
beside this one), headers included.  Windows units are read for the mingw
target with mingw's own C++ headers.

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


def units(builds):
    """(preset, file) of every unit of ours, each file once."""
    seen, found = set(), []
    for preset in PRESETS:
        database = os.path.join(builds, preset, "compile_commands.json")
        if not os.path.exists(database):
            continue
        with open(database) as f:
            for entry in json.load(f):
                path = os.path.realpath(entry["file"])
                relative = os.path.relpath(path, ROOT)
                if relative.split(os.sep)[0] in OURS and path not in seen:
                    seen.add(path)
                    found.append((preset, path))
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


def tidy(databases, preset, path):
    """The naming warnings of one unit, as 'file:line: text' lines."""
    command = ["clang-tidy", "-p", databases[preset], "--quiet",
               "--header-filter=" + HEADER_FILTER, path]
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
    return lines


def check(builds):
    found = set()
    with tempfile.TemporaryDirectory() as folder:
        databases = {preset: readable_database(builds, preset, folder) for preset in PRESETS}
        with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
            for lines in pool.map(lambda unit: tidy(databases, *unit), units(builds)):
                found.update(lines)
    return sorted(found)


class NamingTest(unittest.TestCase):
    def test_every_name_follows_the_rule(self):
        self.assertTrue(units(BUILDS), "no compile_commands.json beside " + BUILDS)
        found = check(BUILDS)
        self.assertEqual(found, [], "\n" + "\n".join(found))


class NamingCheckerTest(unittest.TestCase):
    """The check itself: a wrong name in a unit of its own is found."""

    def test_a_wrong_name_is_found(self):
        folder = tempfile.mkdtemp(dir=os.path.join(ROOT, "tests"), prefix="naming-self-")
        self.addCleanup(shutil.rmtree, folder)
        source = os.path.join(folder, "wrong.cpp")
        with open(source, "w") as f:
            f.write("namespace corvane {\nint Sum_of_parts(int first_part) {\n"
                    "  const int kept = first_part;\n  return kept;\n}\n}  // namespace corvane\n")
        with open(os.path.join(folder, "compile_commands.json"), "w") as f:
            json.dump([{"directory": folder, "file": source,
                        "command": "c++ -std=c++17 -c " + source}], f)
        done = subprocess.run(["clang-tidy", "-p", folder, "--quiet", source],
                              capture_output=True, text=True, cwd=ROOT)
        self.assertIn("invalid case style for function 'Sum_of_parts'", done.stdout)
        self.assertIn("invalid case style for parameter 'first_part'", done.stdout)
        self.assertNotIn("'kept'", done.stdout)


if __name__ == "__main__":
    BUILDS = os.path.dirname(os.path.abspath(sys.argv[1]))
    only = "NamingCheckerTest" if "--self" in sys.argv else "NamingTest"
    sys.argv = [sys.argv[0], only]
    unittest.main()
