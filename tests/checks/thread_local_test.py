#!/usr/bin/env python3
"""Holds every `thread_local` to a pointer or a plain value.  Under mingw a
thread's end runs emutls's key destructor, which frees the storage of every
thread-local of the thread, before libstdc++'s, which then runs the C++
destructors on that freed storage: once another thread has reused it, the
destructor frees what that thread wrote there."""

import os
import re
import sys
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FOLDERS = ("common", "hooklib", "launcher", "testhost", "tests", "viewer")
# The type of a declaration: what stands between the keyword and the name.
DECLARATION = re.compile(r"\bthread_local\s+(?:static\s+)?([^;=({\n]*?)\s*\b\w+\s*(?:=|;|\{|\()")
PLAIN = re.compile(r"^(const\s+)?(bool|char|int|unsigned|long|DWORD|UINT_PTR|H[A-Z]+)$")


def offending(text):
    """The declared types of `text`'s thread-locals that are neither
    pointers nor plain values, nor a type the file asserts is trivially
    destructible."""
    code = re.sub(r"//.*", "", text)
    return [t for t in DECLARATION.findall(code) if not t.endswith("*") and not PLAIN.match(t)
            and "is_trivially_destructible_v<%s>" % t not in code]


class ThreadLocalTest(unittest.TestCase):
    def test_the_checker_tells_them_apart(self):
        self.assertEqual(offending("// a thread_local in it, the state\n"
                                   "thread_local CDialog* t_a = nullptr;\n"
                                   "thread_local HHOOK t_b = nullptr;\nthread_local int t_c;\n"
                                   "thread_local std::vector<std::string>* t_d;\n"
                                   "static_assert(std::is_trivially_destructible_v<Record>);\n"
                                   "thread_local Record t_e;"), [])
        self.assertEqual(offending("thread_local std::string t_text;\n"
                                   "thread_local std::vector<int> t_v{};"),
                         ["std::string", "std::vector<int>"])

    def test_every_thread_local_is_a_pointer_or_a_plain_value(self):
        found = []
        for folder in FOLDERS:
            for base, _, files in os.walk(os.path.join(ROOT, folder)):
                for name in files:
                    if not re.search(r"\.(cpp|h)$", name) or name == os.path.basename(__file__):
                        continue
                    path = os.path.join(base, name)
                    with open(path, encoding="utf-8", errors="replace") as f:
                        found += ["%s: %s" % (os.path.relpath(path, ROOT), t) for t in offending(f.read())]
        self.assertEqual(found, [])


if __name__ == "__main__":
    sys.exit(unittest.main())
