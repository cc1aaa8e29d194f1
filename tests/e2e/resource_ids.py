"""Ids that a program's resource script and its code share, read from the
program's id header, so that the end-to-end tests name controls as the code
does instead of repeating numbers; and text constants of a header (the
launcher's window class) likewise."""

import functools
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFINE = re.compile(r"^\s*#define\s+([A-Za-z_]\w*)\s+(0[xX][0-9a-fA-F]+|\d+)\s*(?://.*)?$")


@functools.lru_cache(maxsize=None)
def load(header):
    """Every numeric #define of `header` (a path from the repository root),
    as name -> int."""
    ids = {}
    with open(os.path.join(ROOT, header)) as f:
        for line in f:
            m = DEFINE.match(line)
            if m:
                ids[m.group(1)] = int(m.group(2), 0)
    if not ids:
        raise ValueError("%s defines no ids" % header)
    return ids


TEXT = re.compile(r'^\s*inline constexpr char (k\w+)\[\] = "([^"\\]*)";')


@functools.lru_cache(maxsize=None)
def text(header, name):
    """The text of `inline constexpr char name[] = "...";` in `header`."""
    with open(os.path.join(ROOT, header)) as f:
        for line in f:
            m = TEXT.match(line)
            if m and m.group(1) == name:
                return m.group(2)
    raise ValueError("%s has no text constant %s" % (header, name))


LAUNCHER_PROTOCOL = "launcher/launcher_protocol.h"


def launcher_window_class():
    return text(LAUNCHER_PROTOCOL, "kLauncherWindowClass")


def control(header, name):
    """The id `name` of `header` as the robot takes it on its command line."""
    return str(load(header)[name])
