#!/usr/bin/env python3
"""Holds every include against the layers of docs/architecture.md: each code
folder may include itself and the folders its row of the table names, every
include is written from the repository root and names a file that exists,
and every folder that holds code has a row.

Tests, benchmarks, fuzz targets and probes drive their folder from outside
and may include any folder; their includes are still checked for the other
two rules.

    tests/checks/layering_test.py            checks the repository
    tests/checks/layering_test.py --self     checks the checker on a small tree"""

import os
import re
import shutil
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CODE = re.compile(r"\.(cpp|h|c|rc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
# Written by the build into its own tree, not the repository's.
GENERATED = {"common/product_version.h"}
DRIVERS = re.compile(r"(_test|_tests|_fuzz|_bench|_probe)\.(cpp|h|rc)$|(^|/)test_[^/]*$|_for_tests\.h$")
ROW = re.compile(r"^\|\s*`([^`]+)`\s*\|(.*)\|\s*$")


def read_layers(architecture):
    """The rows of the table under "## Layers": folder -> the folders it may
    include."""
    layers = {}
    section = False
    with open(architecture) as f:
        for line in f:
            if line.startswith("## "):
                section = line.startswith("## Layers")
            m = ROW.match(line)
            if section and m:
                cell = m.group(2).split("|")[0]
                # None: a folder of test programs, which may include any.
                layers[m.group(1)] = None if "any folder" in cell else set(re.findall(r"`([^`]+)`", cell))
    if not layers:
        raise ValueError("%s has no table of layers" % architecture)
    return layers


def code_files(root):
    for folder, dirs, names in os.walk(root):
        dirs[:] = [d for d in dirs if not d.startswith(".") and d not in ("build", "third_party")]
        for name in names:
            if CODE.search(name):
                yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def violations(root, layers):
    """Every include against the rules, as readable lines."""
    found = []
    for path in sorted(code_files(root)):
        folder = os.path.dirname(path)
        if folder not in layers:
            found.append("%s: its folder %s has no row in the table" % (path, folder))
            continue
        with open(os.path.join(root, path), errors="replace") as f:
            text = f.read()
        for included in INCLUDE.findall(text):
            if included not in GENERATED and not os.path.isfile(os.path.join(root, included)):
                found.append("%s: \"%s\" is not a path from the repository root" % (path, included))
                continue
            target = os.path.dirname(included)
            if target == folder or layers[folder] is None or DRIVERS.search(os.path.basename(path)):
                continue
            if target not in layers[folder]:
                found.append("%s: includes \"%s\", but %s may not include %s" % (path, included, folder, target))
    return found


class LayeringTest(unittest.TestCase):
    def test_every_include_follows_the_layers(self):
        found = violations(ROOT, read_layers(os.path.join(ROOT, "docs", "architecture.md")))
        self.assertEqual(found, [], "\n" + "\n".join(found))


class CheckerTest(unittest.TestCase):
    """The checker itself, on a tree of two layers."""

    def setUp(self):
        self.root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.root)
        self.write("docs/architecture.md", "## Layers\n\n| `low` | - |\n| `high` | `low` |\n\n## Other\n\n| `side` | x |\n")
        self.write("low/base.h", "#pragma once\n")
        self.write("high/top.h", '#include "low/base.h"\n')

    def write(self, path, text):
        os.makedirs(os.path.join(self.root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(self.root, path), "w") as f:
            f.write(text)

    def check(self):
        return violations(self.root, read_layers(os.path.join(self.root, "docs", "architecture.md")))

    def test_a_tree_that_follows_its_layers_passes(self):
        self.assertEqual(self.check(), [])

    def test_an_include_against_the_layers_fails(self):
        self.write("low/base.cpp", '#include "low/base.h"\n#include "high/top.h"\n')
        self.assertEqual(self.check(), ['low/base.cpp: includes "high/top.h", but low may not include high'])

    def test_a_bare_include_fails(self):
        self.write("high/top.cpp", '#include "top.h"\n')
        self.assertEqual(self.check(), ['high/top.cpp: "top.h" is not a path from the repository root'])

    def test_a_folder_without_a_row_fails(self):
        self.write("side/extra.cpp", "int x;\n")
        self.assertEqual(self.check(), ["side/extra.cpp: its folder side has no row in the table"])

    def test_tests_may_include_any_folder(self):
        self.write("low/base_test.cpp", '#include "high/top.h"\n')
        self.assertEqual(self.check(), [])


if __name__ == "__main__":
    if "--self" in sys.argv:
        sys.argv.remove("--self")
        unittest.main(defaultTest="CheckerTest")
    unittest.main()
