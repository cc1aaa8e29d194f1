"""What the tests of the search window share: opening it, running a
search as a user does and reading its rows and status line."""

import re

import harness
import viewer_session as vs
from viewer_session import CAPTION, SEARCH

FINISHED = re.compile(r"^((?:No matches|[\d,]+\+? match(?:es)? in [\d,]+ days?)"
                      r"(?: \([\d,]+ days? could not be read\))?) \(\d+\.\d\d s\)$")
# What the status line says of the search index while no search has it.
INDEXING = re.compile(r"^Indexing: ([\d,]+) of ([\d,]+) days?$")
READY = re.compile(r"^Ready: ([\d,]+) days? indexed$")


class SearchWindowTest(vs.ViewerTest):
    """A viewer test that drives the search window."""

    def search_window(self):
        return self.robot.shown(SEARCH)

    def open_search(self, how="keys"):
        """Opens the search window with Ctrl+F in the viewer (or its system
        menu item) and waits until it shows."""
        if how == "keys":
            self.assertEqual(self.robot("keys", CAPTION, "ctrl+f"), ["pressed"])
        else:
            self.robot("sys", CAPTION, vs.SC_SEARCH)
        return harness.wait_until(self.search_window, timeout=10, what="the search window")

    def status(self):
        return self.robot.control(SEARCH, vs.STATUS)["text"]

    def rows(self, first=0, most=None):
        """(user, buddy, date, text) of each row (from row first, at most
        most of them), and the number of rows."""
        lines = self.robot("rows", SEARCH, vs.RESULTS, first, *([most] if most else []))
        count = int(harness.parse_fields(lines[0])["count"])
        return [tuple(harness.parse_robot_line(l, "text")["text"].split("\t")) for l in lines[1:]], count

    def set_options(self, match_case, scope):
        if (self.robot.control(SEARCH, vs.MATCH_CASE)["checked"] == "1") != match_case:
            self.robot("click", SEARCH, vs.MATCH_CASE)
            harness.wait_until(lambda: (self.robot.control(SEARCH, vs.MATCH_CASE)["checked"] == "1")
                               == match_case, timeout=5, what="Match case")
        if self.robot.items(SEARCH, vs.SCOPE)[1] != scope:
            self.robot("select", SEARCH, vs.SCOPE, scope)

    def start_search(self, query, match_case=False, scope=0, dates=("", ""), said_by=""):
        """Types the query (and the range of dates and the sender, each
        empty unless given) and presses Enter in it, as a user would; the
        status line once the window has taken the keys (they arrive a moment
        after they are pressed, so the status is emptied first: a status
        from the search before is never taken for this one's, nor the
        index's progress, which fills the emptied line till then)."""
        self.set_options(match_case, scope)
        for control, text in ((vs.SEARCH_FROM, dates[0]), (vs.SEARCH_TO, dates[1]),
                              (vs.SAID_BY, said_by)):
            self.robot("settext", SEARCH, control, text)
        self.robot("settext", SEARCH, vs.QUERY, query)
        self.robot("settext", SEARCH, vs.STATUS, "")
        self.assertEqual(self.robot("keys", SEARCH, "alt+f"), ["pressed"])  # "&Find:"
        self.assertEqual(self.robot("keys", SEARCH, "enter"), ["pressed"])
        def started():
            status = self.status()
            return status if status and not (INDEXING.match(status) or READY.match(status)) else None
        return harness.wait_until(started, timeout=10, what="the search to start")

    def wait_finished(self, timeout=30):
        status = harness.wait_until(lambda: (lambda t: t if FINISHED.match(t) else None)(self.status()),
                                    timeout=timeout, what="the search to end")
        return FINISHED.match(status).group(1)

    def search(self, query, match_case=False, scope=0, dates=("", ""), said_by=""):
        """Runs a search to its end: its rows and its status without the time."""
        self.start_search(query, match_case, scope, dates, said_by)
        summary = self.wait_finished()
        return self.rows()[0], summary
