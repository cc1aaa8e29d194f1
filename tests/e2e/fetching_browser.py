#!/usr/bin/env python3
"""The web browser of the tests' Wine prefix (its WineBrowser setting names
this file): it fetches the address it is given once, as a browser opening
the page would, so the loopback server sees the request."""

import sys
import urllib.request

if __name__ == "__main__":
    with urllib.request.urlopen(sys.argv[-1], timeout=10) as page:
        page.read()
