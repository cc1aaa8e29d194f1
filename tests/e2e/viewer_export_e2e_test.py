"""Exporting history from the History Viewer as a user and a script would:
each format read back and checked (text against the view's own text, HTML
parsed for what it may hold, JSON Lines line by line), scopes and date
ranges, a cancelled export leaving nothing, a destination inside the
history folder refused, and the command line's forms and exit codes."""

import datetime
import html.parser
import json
import os
import re
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION, EXPORT

FRIDAY = datetime.date(2002, 6, 14)
SATURDAY = datetime.date(2002, 6, 15)
JULY = datetime.date(2002, 7, 1)
NEW_YEAR = datetime.date(2003, 1, 1)

# Markup a day file may hold besides the host's own: what the export must
# keep (formatting, links) and what it must never carry into a browser.
HOSTILE = ('<SCRIPT>alert("x")</SCRIPT><B onclick="steal()">click me</B> '
           '<IMG SRC="http://tracker.example/p.gif" onerror="x()"> '
           '<A HREF="javascript:alert(1)">bad link</A> '
           '<A HREF="http://www.example.org/porto">good link</A> '
           '<IFRAME SRC="http://evil.example/"></IFRAME><STYLE>body{}</STYLE>'
           '<FONT BACK="#ffff00" onmouseover="x()">marked</FONT> 1 &lt; 2 caf\xe9')

FINISHED = re.compile(r"^Exported ([\d,]+) days?( into [\d,]+ files?)? \(\d+\.\d\d s\)$")


class HtmlCensus(html.parser.HTMLParser):
    """Every tag and attribute of a page, and the text of its headings."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags, self.attributes, self.headings, self._in_heading = [], [], [], None

    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        self.attributes.extend((tag, name, value) for name, value in attrs)
        if tag in ("h1", "h2", "h3", "h4", "h5", "h6"):
            self._in_heading = ""

    def handle_endtag(self, tag):
        if tag in ("h1", "h2", "h3", "h4", "h5", "h6") and self._in_heading is not None:
            self.headings.append(self._in_heading)
            self._in_heading = None

    def handle_data(self, data):
        if self._in_heading is not None:
            self._in_heading += data


def view_lines(text):
    """The view's text as lines, whatever its line ends."""
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    return lines[:-1] if lines and lines[-1] == "" else lines


def parse_text_export(data):
    """{(user, buddy, 'yyyy-mm-dd (Weekday)'): [lines]} in file order."""
    self_check = data.startswith(b"\xef\xbb\xbf")
    assert self_check, "no byte-order mark"
    text = data[3:].decode("utf-8")
    assert "\n" not in text.replace("\r\n", ""), "a line end that is not CR LF"
    days, current = {}, None
    for line in text.split("\r\n")[:-1]:
        m = re.match(r"^== (.*) / (.*) / (\d{4}-\d\d-\d\d \(\w+\)) ==$", line)
        if m:
            current = m.groups()
            days[current] = []
        else:
            days[current].append(line)
    return days


class ExportTreeTest(vs.ViewerTest):
    """A history of three users, with markup to make safe and files that
    are not day files."""

    def setUp(self):
        super().setUp()
        self.out = os.path.join(self.tmp, "out")
        os.makedirs(self.out)
        bob = self.path("alice", "bob")
        vs.write_day(bob, FRIDAY, vs.conversation(["hello bob", HOSTILE]),
                     vs.conversation(["second block", "still friday"]))
        vs.write_day(bob, JULY, vs.conversation(["in july"]))
        vs.write_day(bob, NEW_YEAR, vs.conversation(["happy new year"]))
        vs.write_day(self.path("alice", "carol"), SATURDAY,
                     vs.conversation(["carol on saturday"], buddy="carol"))
        vs.write_day(self.path("dave", "erin"), FRIDAY, vs.conversation(["dave and erin"], buddy="erin"))
        # What each day says last, by which the view is seen to show it.
        self.last_words = {("alice", "bob", FRIDAY): "still friday", ("alice", "bob", JULY): "in july",
                           ("alice", "bob", NEW_YEAR): "happy new year",
                           ("alice", "carol", SATURDAY): "carol on saturday",
                           ("dave", "erin", FRIDAY): "dave and erin"}
        # Not day files: listed or not by the viewer, never exported.
        with open(self.path("dave", "erin", "notes.html"), "w") as f:
            f.write("<B>not history</B>")
        with open(self.path("notes.txt"), "w") as f:
            f.write("not history")

    # The window.

    def open_export(self, *names):
        self.start_viewer(*names)
        if len(names) == 2:
            # The buddy's days are listed after its pick, and the newest
            # chosen then: the export offers that day once it is.
            harness.wait_until(lambda: self.selected()[2], timeout=30, what="a day chosen")
        self.robot("sys", CAPTION, vs.SC_EXPORT)
        return harness.wait_until(lambda: self.robot.shown(EXPORT), timeout=10,
                                  what="the export window")

    def status(self):
        return self.robot.control(EXPORT, vs.EXPORT_STATUS)["text"]

    def export_in_window(self, destination, format_index=0, scope=0, start="", end=""):
        """Fills the window as a user would and exports; the final status."""
        self.robot("select", EXPORT, vs.EXPORT_FORMAT, format_index)
        self.robot("select", EXPORT, vs.EXPORT_SCOPE, scope)
        self.robot("settext", EXPORT, vs.EXPORT_FROM, start)
        self.robot("settext", EXPORT, vs.EXPORT_TO, end)
        self.robot("settext", EXPORT, vs.EXPORT_DESTINATION, destination)
        self.robot("settext", EXPORT, vs.EXPORT_STATUS, "")
        self.robot("click", EXPORT, vs.EXPORT_START)
        return harness.wait_until(
            lambda: (lambda s: s if s and not s.startswith("Exporting") else None)(self.status()),
            timeout=30, what="the export to end")

    def shown_day(self, user, buddy, date):
        """The view's own lines for a day, as the viewer shows it: once the
        view holds what the day says last, the view before the pick may
        still be there a while."""
        self.pick("users", user)
        self.pick("buddies", buddy)
        self.pick("dates", vs.day_file_name(date)[:-5])
        return view_lines(self.wait_shown(self.last_words[(user, buddy, date)])["value"])


class ExportWindowTest(ExportTreeTest):
    def test_text_export_holds_the_views_lines_of_every_day_in_date_order(self):
        self.open_export("alice", "bob")
        destination = os.path.join(self.out, "all.txt")
        self.assertRegex(self.export_in_window(harness.win_path(destination)), FINISHED)
        self.assertEqual(FINISHED.match(self.status()).group(1), "5")
        with open(destination, "rb") as f:
            days = parse_text_export(f.read())
        self.assertEqual(list(days), [
            ("alice", "bob", "2002-06-14 (Friday)"), ("dave", "erin", "2002-06-14 (Friday)"),
            ("alice", "carol", "2002-06-15 (Saturday)"), ("alice", "bob", "2002-07-01 (Monday)"),
            ("alice", "bob", "2003-01-01 (Wednesday)")])
        for (user, buddy, heading), lines in days.items():
            date = datetime.date.fromisoformat(heading[:10])
            self.assertEqual(lines, self.shown_day(user, buddy, date), heading)
        friday = days[("alice", "bob", "2002-06-14 (Friday)")]
        self.assertIn("alice: click me bad link good link marked 1 < 2 caf\u00e9", friday)
        self.assertFalse(any("alert" in line for line in friday))
        # Nothing was left beside it.
        self.assertEqual(os.listdir(self.out), ["all.txt"])

    def test_html_export_is_one_safe_page_per_buddy_with_a_heading_per_day(self):
        self.open_export("alice", "bob")
        self.assertRegex(self.export_in_window(harness.win_path(self.out), format_index=1),
                         FINISHED)
        self.assertEqual(self.status().split(" (")[0], "Exported 5 days into 3 files")
        self.assertEqual(sorted(os.listdir(self.out)),
                         ["alice - bob.html", "alice - carol.html", "dave - erin.html"])
        want_days = {"alice - bob.html": ["2002-06-14 (Friday)", "2002-07-01 (Monday)",
                                          "2003-01-01 (Wednesday)"],
                     "alice - carol.html": ["2002-06-15 (Saturday)"],
                     "dave - erin.html": ["2002-06-14 (Friday)"]}
        for name, headings in want_days.items():
            with open(os.path.join(self.out, name), "rb") as f:
                page = f.read().decode("utf-8")
            census = HtmlCensus()
            census.feed(page)
            self.assertEqual(census.headings, headings, name)
            for forbidden in ("script", "style", "img", "iframe", "object", "embed", "base", "link"):
                if forbidden == "style":
                    self.assertEqual(census.tags.count("style"), 1, name)  # the page's own, in head
                    continue
                self.assertNotIn(forbidden, census.tags, name)
            for tag, attribute, value in census.attributes:
                self.assertFalse(attribute.startswith("on"), (name, tag, attribute))
                if attribute in ("href", "src"):
                    self.assertRegex(value, r"^(https?:|mailto:|#d\d{4}-\d\d-\d\d$)", (name, tag))
            # The table of dates links every day.
            links = [v for t, a, v in census.attributes if t == "a" and a == "href" and v.startswith("#")]
            self.assertEqual(links, ["#d" + h[:10] for h in headings], name)
        with open(os.path.join(self.out, "alice - bob.html"), "rb") as f:
            page = f.read().decode("utf-8")
        self.assertIn('<a href="http://www.example.org/porto" target="_blank" '
                      'rel="noopener noreferrer">good link</a>', page)
        self.assertIn("<b>click me</b>", page)
        self.assertIn("caf\u00e9", page)
        self.assertIn("<a>bad link</a>", page)
        self.assertNotIn("alert", page)
        self.assertNotIn("tracker.example", page)

    def test_scopes_and_date_ranges(self):
        self.open_export("alice", "bob")
        self.assertEqual(self.robot.items(EXPORT, vs.EXPORT_SCOPE),
                         (["All users", "alice", "alice and bob", "alice and bob on 2003-01-01"], 0))

        def headings(scope, start="", end=""):
            destination = os.path.join(self.out, "scope%d%s%s.txt" % (scope, start, end))
            self.assertRegex(self.export_in_window(harness.win_path(destination), scope=scope,
                                                   start=start, end=end), FINISHED)
            with open(destination, "rb") as f:
                return [" / ".join(day) for day in parse_text_export(f.read())]

        self.assertEqual(headings(1), ["alice / bob / 2002-06-14 (Friday)",
                                       "alice / carol / 2002-06-15 (Saturday)",
                                       "alice / bob / 2002-07-01 (Monday)",
                                       "alice / bob / 2003-01-01 (Wednesday)"])
        self.assertEqual(headings(2, start="2002-06-15"), ["alice / bob / 2002-07-01 (Monday)",
                                                           "alice / bob / 2003-01-01 (Wednesday)"])
        self.assertEqual(headings(3), ["alice / bob / 2003-01-01 (Wednesday)"])
        self.assertEqual(headings(0, start="2002-06-14", end="2002-06-15"),
                         ["alice / bob / 2002-06-14 (Friday)", "dave / erin / 2002-06-14 (Friday)",
                          "alice / carol / 2002-06-15 (Saturday)"])
        self.assertEqual(headings(0, end="2001-12-31"), [])
        # A date the window cannot read is refused before anything starts.
        self.robot("settext", EXPORT, vs.EXPORT_FROM, "2002-13-01")
        self.robot("click", EXPORT, vs.EXPORT_START)
        text, _ = self.box()
        self.assertEqual(text, "From: enter a date as yyyy-mm-dd, or leave it empty.")
        self.answer("OK")

    def test_a_destination_inside_the_history_folder_is_refused(self):
        self.open_export()
        for inside in (self.path("export.txt"), self.path("alice", "export.txt")):
            self.robot("settext", EXPORT, vs.EXPORT_DESTINATION, harness.win_path(inside))
            self.robot("click", EXPORT, vs.EXPORT_START)
            text, _ = self.box()
            self.assertEqual(text, "Choose a place outside the history folder %s: the viewer "
                                   "would list what is saved there as history." % self.win())
            self.answer("OK")
            self.assertFalse(os.path.exists(inside))
        # HTML into the history folder itself, named in another case.
        self.robot("select", EXPORT, vs.EXPORT_FORMAT, 1)
        self.robot("settext", EXPORT, vs.EXPORT_DESTINATION, self.win().upper())
        self.robot("click", EXPORT, vs.EXPORT_START)
        text, _ = self.box()
        self.assertIn("Choose a place outside the history folder", text)
        self.answer("OK")
        self.assertEqual(sorted(os.listdir(self.history)), ["alice", "dave", "notes.txt"])

    def test_a_cancelled_export_leaves_no_file(self):
        # Enough days that the export is still running when Cancel comes.
        for n in range(150):
            vs.write_day(self.path("big", "buddy%02d" % (n % 10)), FRIDAY + datetime.timedelta(n),
                         *vs.conversations_in_blocks(["message %d of a long day" % i
                                                      for i in range(2500)]))
        self.open_export()
        for format_index, destination in ((0, os.path.join(self.out, "c.txt")), (1, self.out),
                                          (2, os.path.join(self.out, "c.jsonl"))):
            self.robot("select", EXPORT, vs.EXPORT_FORMAT, format_index)
            self.robot("settext", EXPORT, vs.EXPORT_DESTINATION, harness.win_path(destination))
            self.robot("settext", EXPORT, vs.EXPORT_STATUS, "")
            self.robot("click", EXPORT, vs.EXPORT_START)
            self.robot("click", EXPORT, vs.EXPORT_CANCEL)
            harness.wait_until(lambda: self.status() == "Export cancelled; nothing was saved.",
                               timeout=30, what="the export to be cancelled")
            self.assertEqual(os.listdir(self.out), [], format_index)
            self.assertEqual(self.robot.control(EXPORT, vs.EXPORT_START)["enabled"], "1")
        # Closing the window while it exports cancels it too.
        self.robot("select", EXPORT, vs.EXPORT_FORMAT, 0)
        self.robot("settext", EXPORT, vs.EXPORT_DESTINATION,
                   harness.win_path(os.path.join(self.out, "closed.txt")))
        self.robot("click", EXPORT, vs.EXPORT_START)
        self.robot("sys", EXPORT, vs.SC_CLOSE)
        harness.wait_until(lambda: self.robot.window(EXPORT) is None, timeout=30,
                           what="the window to close")
        self.assertEqual(os.listdir(self.out), [])


class ExportCommandLineTest(ExportTreeTest):
    """The same tree, exported and deleted from the command line."""

    def viewer(self, *args):
        return harness.run(harness.bin_file(vs.VIEWER), *args, timeout=120)

    def test_json_lines_one_object_a_view_line(self):
        destination = os.path.join(self.out, "all.jsonl")
        done = self.viewer("/export", harness.win_path(destination), "/format", "jsonl")
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        self.assertEqual(done.stdout.strip(), "Exported 5 days to " + harness.win_path(destination))
        text_file = os.path.join(self.out, "all.txt")
        self.assertEqual(self.viewer("/export", harness.win_path(text_file), "/format", "text")
                         .returncode, 0)
        with open(text_file, "rb") as f:
            text_days = parse_text_export(f.read())
        with open(destination, "rb") as f:
            data = f.read()
        self.assertFalse(data.startswith(b"\xef\xbb\xbf"))
        objects = [json.loads(line) for line in data.decode("utf-8").split("\n")[:-1]]
        by_day = {}
        for o in objects:
            self.assertEqual(sorted(o), ["buddy", "date", "line", "session", "text", "user"])
            by_day.setdefault((o["user"], o["buddy"], o["date"]), []).append(o)
        self.assertEqual(len(by_day), 5)
        for (user, buddy, heading), lines in text_days.items():
            day = by_day[(user, buddy, heading[:10])]
            self.assertEqual([o["text"] for o in day], lines)
            self.assertEqual([o["line"] for o in day], list(range(1, len(lines) + 1)))
        friday = by_day[("alice", "bob", "2002-06-14")]
        self.assertEqual({o["session"] for o in friday if "hello bob" in o["text"]}, {"09:00:00"})
        self.assertEqual({o["session"] for o in friday if "second block" in o["text"]}, {"09:01:00"})
        self.assertIn("alice: click me bad link good link marked 1 < 2 caf\u00e9",
                      [o["text"] for o in friday])

    def test_scopes_ranges_and_the_html_folder(self):
        destination = os.path.join(self.out, "bob.txt")
        done = self.viewer("/export", harness.win_path(destination), "/format", "TEXT",
                           "/user", "ALICE", "/buddy", "bob", "/from", "2002-06-15", "/to", "2002-12-31")
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(destination, "rb") as f:
            self.assertEqual(list(parse_text_export(f.read())),
                             [("alice", "bob", "2002-07-01 (Monday)")])
        # HTML makes the folder it is given.
        folder = os.path.join(self.out, "pages")
        done = self.viewer("/export", harness.win_path(folder), "/format", "html", "/user", "dave")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(os.listdir(folder), ["dave - erin.html"])

    def test_exit_codes_and_reasons(self):
        cases = [
            (["/export", harness.win_path(os.path.join(self.out, "x.txt")), "/format", "pdf"], 2,
             '/format must be text, html or jsonl, not "pdf"'),
            (["/export", harness.win_path(os.path.join(self.out, "x.txt"))], 2,
             "/export needs /format text, html or jsonl"),
            (["/delete-before", "2002-02-30"], 2,
             '/delete-before needs a date as yyyy-mm-dd, not "2002-02-30"'),
            (["/export", self.win("x.txt"), "/format", "text"], 3,
             "Choose a place outside the history folder %s: the viewer would list what is saved "
             "there as history." % self.win()),
            (["/export", harness.win_path(os.path.join(self.out, "x.txt")), "/format", "text",
              "/user", "nobody"], 3, "There is no history of nobody in %s." % self.win()),
            (["/export", harness.win_path(os.path.join(self.tmp, "missing", "x.txt")), "/format",
              "text"], 3, "The folder %s does not exist." % harness.win_path(
                  os.path.join(self.tmp, "missing"))),
        ]
        for args, code, reason in cases:
            done = self.viewer(*args)
            self.assertEqual((done.returncode, done.stderr.strip()), (code, reason), args)
            self.assertEqual(len(done.stderr.strip().splitlines()), 1)
        self.assertEqual(os.listdir(self.out), [])
        # Without a history folder set.
        harness.run("reg", "delete", harness.SETTINGS_KEY, "/v", "LogDir", "/f")
        done = self.viewer("/export", harness.win_path(os.path.join(self.out, "x.txt")),
                           "/format", "text")
        self.assertEqual((done.returncode, done.stderr.strip()),
                         (1, "No history folder is set: the LogDir setting is missing."))

    def test_without_a_console_the_reason_shows_in_a_box(self):
        pid = self.robot.spawn('"%s" /export x.txt /format pdf' % harness.win_path(
            harness.bin_file(vs.VIEWER)), program=harness.win_path(harness.bin_file(vs.VIEWER)),
            bare=True)
        self.viewers.append(pid)
        text, _ = self.box(timeout=20)
        self.assertEqual(text, '/format must be text, html or jsonl, not "pdf"')
        self.answer("OK")
        self.assertEqual(self.robot.exit_code(pid, 10000), 2)

    def test_the_preselection_command_line_still_opens_the_viewer(self):
        self.start_viewer("alice", "carol")
        self.wait_selected(("alice", "carol", "2002-06-15 [Saturday]"))


if __name__ == "__main__":
    unittest.main()
