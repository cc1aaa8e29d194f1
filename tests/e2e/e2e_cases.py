#!/usr/bin/env python3
"""Prints the test cases of an end-to-end script, one "Class.method" a line,
as unittest itself finds them, so that each case can be a test of its own:
cases of one script then run side by side in the sessions, and every case
already starts from a clean prefix.

    tests/e2e/e2e_cases.py SCRIPT"""

import importlib.util
import os
import sys
import unittest


def cases(script):
    folder = os.path.dirname(os.path.abspath(script))
    sys.path.insert(0, folder)
    name = os.path.splitext(os.path.basename(script))[0]
    spec = importlib.util.spec_from_file_location(name, script)
    module = importlib.util.module_from_spec(spec)
    sys.modules[name] = module
    spec.loader.exec_module(module)
    found = []

    def walk(suite):
        for test in suite:
            if isinstance(test, unittest.TestSuite):
                walk(test)
            else:
                found.append(test.id().split(".", 1)[1])

    walk(unittest.defaultTestLoader.loadTestsFromModule(module))
    return found


if __name__ == "__main__":
    listed = cases(sys.argv[1])
    if not listed:
        sys.exit("%s: no test cases" % sys.argv[1])
    print("\n".join(listed))
