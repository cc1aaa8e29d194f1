"""The History Viewer's search window as a user meets it: opening it, what
matches and how its rows and status line read, its scopes, dates and
senders, every match of a long search, a second search or closing
cancelling a running one, going to a match, F3 in the viewer, its keys, its
remembered place, and the same search from the command line."""

import datetime
import os
import subprocess
import time
import unittest

import harness
import viewer_session as vs
from search_window import SearchWindowTest
from viewer_session import CAPTION, SEARCH

WEDNESDAY = datetime.date(2002, 6, 12)
FRIDAY = datetime.date(2002, 6, 14)
JULY = datetime.date(2002, 7, 1)


def long_day(marks):
    """A conversation of 300 lines, "line n", where the lines in marks
    also say "target n"."""
    return vs.conversation(["line %d%s" % (n, " target %d" % n if n in marks else "")
                            for n in range(300)])


class ViewerSearchTest(SearchWindowTest):
    def test_matches_the_text_as_the_reader_sees_it(self):
        vs.write_day(self.path("alice", "bob"), FRIDAY, vs.conversation(
            ["<B>lun</B>ch at noon?", "fish &amp; chips", "fish<BR>chips", "\xc4pfel und \xe4pfel",
             "a <A HREF=\"http://lunch.example/\">link</A> &lt;lunchbox&gt;"]))
        self.start_viewer("alice", "bob")
        self.open_search()
        day = ("alice", "bob", "2002-06-14 [Friday]")

        self.assertEqual(self.search("lunch"),
                         ([day + ("bob: lunch at noon?",), day + ("bob: a link <lunchbox>",)],
                          "2 matches in 1 day"))
        self.assertEqual(self.search("fish & chips"),
                         ([day + ("alice: fish & chips",)], "1 match in 1 day"))
        self.assertEqual(self.search("fish chips"), ([], "No matches"))
        self.assertEqual(self.search("chips"),
                         ([day + ("alice: fish & chips",), day + ("chips",)], "2 matches in 1 day"))
        # Letters fold in the code page, unless the case must match.
        apples = day + ("alice: \xc4pfel und \xe4pfel",)
        self.assertEqual(self.search("\xe4PFEL"), ([apples, apples], "2 matches in 1 day"))
        self.assertEqual(self.search("\xe4pfel", match_case=True), ([apples], "1 match in 1 day"))
        self.assertEqual(self.search("LUNCH", match_case=True), ([], "No matches"))
        # The status line says how long it took.
        self.assertRegex(self.status(), r"^No matches \(\d\.\d\d s\)$")

    def test_rows_come_newest_first_in_each_scope(self):
        bob = self.path("alice", "bob")
        vs.write_day(bob, WEDNESDAY, vs.conversation(["lunch on wednesday"]))
        vs.write_day(bob, FRIDAY, vs.conversation(["lunch one", "no", "lunch two, lunch three"]),
                     vs.conversation(["lunch four"]))
        vs.write_day(bob, JULY, vs.conversation(["LUNCH in july"]))
        vs.write_day(self.path("alice", "Carol"), FRIDAY, vs.conversation(["carol's lunch"], buddy="Carol"))
        vs.write_day(self.path("Bert", "ernie"), FRIDAY, vs.conversation(["bert's lunch"], buddy="ernie"))
        vs.write_day(self.path("Bert", "ernie"), WEDNESDAY, vs.conversation(["nothing"], buddy="ernie"))
        self.start_viewer("alice", "bob")
        self.open_search()
        self.assertEqual(self.robot.items(SEARCH, vs.SCOPE), (["All users", "alice", "alice and bob"], 0))

        july = ("alice", "bob", "2002-07-01 [Monday]")
        friday = ("alice", "bob", "2002-06-14 [Friday]")
        carol = ("alice", "Carol", "2002-06-14 [Friday]")
        bert = ("Bert", "ernie", "2002-06-14 [Friday]")
        wednesday = ("alice", "bob", "2002-06-12 [Wednesday]")
        bob_rows = [july + ("bob: LUNCH in july",),
                    friday + ("bob: lunch one",),
                    friday + ("bob: lunch two, lunch three",),
                    friday + ("bob: lunch two, lunch three",),
                    friday + ("bob: lunch four",)]
        everything = bob_rows[:5] + [carol + ("Carol: carol's lunch",), bert + ("ernie: bert's lunch",),
                                     wednesday + ("bob: lunch on wednesday",)]
        self.assertEqual(self.search("lunch"), (everything, "8 matches in 5 days"))
        self.assertEqual(self.search("lunch", scope=1),
                         ([r for r in everything if r[0] == "alice"], "7 matches in 4 days"))
        self.assertEqual(self.search("lunch", scope=2),
                         (bob_rows + [wednesday + ("bob: lunch on wednesday",)], "6 matches in 3 days"))

        # The scopes follow the viewer's selection and keep their place.
        self.robot("select", CAPTION, vs.BUDDIES, 1)
        harness.wait_until(lambda: self.robot.items(SEARCH, vs.SCOPE) ==
                           (["All users", "alice", "alice and Carol"], 2),
                           timeout=10, what="the scopes of alice and Carol")
        self.assertEqual(self.search("lunch", scope=2), ([carol + ("Carol: carol's lunch",)],
                                                         "1 match in 1 day"))

    def test_later_searches_find_days_added_and_deleted_since(self):
        """A search keeps what it listed of folders unchanged for a while;
        a day written or deleted since must still be found or gone."""
        bob, carol = self.path("alice", "bob"), self.path("alice", "Carol")
        vs.write_day(bob, FRIDAY, vs.conversation(["lunch on friday"]))
        vs.write_day(carol, FRIDAY, vs.conversation(["no"], buddy="Carol"))
        an_hour_ago = time.time() - 3600
        for folder in (bob, carol):
            os.utime(folder, (an_hour_ago, an_hour_ago))
        self.start_viewer("alice", "bob")
        self.open_search()
        friday = ("alice", "bob", "2002-06-14 [Friday]", "bob: lunch on friday")
        self.assertEqual(self.search("lunch"), ([friday], "1 match in 1 day"))

        vs.write_day(bob, JULY, vs.conversation(["lunch in july"]))
        vs.write_day(self.path("alice", "dave"), WEDNESDAY,
                     vs.conversation(["dave's lunch"], buddy="dave"))
        july = ("alice", "bob", "2002-07-01 [Monday]", "bob: lunch in july")
        dave = ("alice", "dave", "2002-06-12 [Wednesday]", "dave: dave's lunch")
        self.assertEqual(self.search("lunch"), ([july, friday, dave], "3 matches in 3 days"))

        os.remove(os.path.join(bob, vs.day_file_name(FRIDAY)))
        self.assertEqual(self.search("lunch"), ([july, dave], "2 matches in 2 days"))

    def test_a_range_of_dates_and_who_said_it(self):
        bob = self.path("alice", "bob")
        for year in (2002, 2003, 2004):
            vs.write_day(bob, datetime.date(year, 6, 14), vs.conversation(
                ["lunch in %d<BR>more lunch" % year, "lunch, yes"]))
        self.start_viewer("alice", "bob")
        self.open_search()

        def rows(year, *texts):
            date = datetime.date(year, 6, 14)
            return [("alice", "bob", vs.day_file_name(date)[:-len(".html")], t) for t in texts]

        self.assertEqual(self.search("lunch", dates=("2003-01-01", "2003-12-31")),
                         (rows(2003, "bob: lunch in 2003", "more lunch", "alice: lunch, yes"),
                          "3 matches in 1 day"))
        # A sender's name compares as screen names do; a line without one
        # is the sender's of the line before; without a query, every line
        # of the sender's.
        self.assertEqual(self.search("lunch", said_by="A Lice"),
                         (rows(2004, "alice: lunch, yes") + rows(2003, "alice: lunch, yes") +
                          rows(2002, "alice: lunch, yes"), "3 matches in 3 days"))
        self.assertEqual(self.search("", dates=("2004-01-01", ""), said_by="bob"),
                         (rows(2004, "bob: lunch in 2004", "more lunch"), "2 matches in 1 day"))

        # A date that is no date is refused, and no search runs.
        self.robot("settext", SEARCH, vs.SEARCH_FROM, "2003-02-30")
        self.robot("settext", SEARCH, vs.STATUS, "")
        self.robot("click", SEARCH, vs.SEARCH_BUTTON)
        text, _ = self.box()
        self.assertEqual(text, "From: enter a date as yyyy-mm-dd, or leave it empty.")
        self.answer("OK")
        self.assertEqual(self.status(), "")

        # The command line prints the window's rows, with each one's line.
        done = harness.run(harness.bin_file(vs.VIEWER), "/search", "lunch", "/from", "2003-01-01",
                           "/said-by", "bob", timeout=120, encoding="utf-8")
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        window, _ = self.search("lunch", dates=("2003-01-01", ""), said_by="bob")
        printed = [line.split("\t") for line in done.stdout.splitlines()]
        self.assertEqual([tuple(p[:3] + p[4:]) for p in printed], window)
        # Each day's message and the line after it.
        lines = [int(p[3]) for p in printed]
        self.assertEqual((lines[1] - lines[0], lines[3] - lines[2], lines[0]), (1, 1, lines[2]))
        nothing = harness.run(harness.bin_file(vs.VIEWER), "/search", "", "/said-by", "zed",
                              timeout=120, encoding="utf-8")
        self.assertEqual((nothing.returncode, nothing.stdout), (4, ""))

    def test_every_match_is_listed_and_the_last_opens_at_its_line(self):
        """More matches than a person reads, and a few hundred lines after
        them, so that the last row's line is not where the day opens."""
        messages = ["lunch %d" % n for n in range(12000)] + ["filler %d" % n for n in range(300)]
        bob = self.path("alice", "bob")
        vs.write_day(bob, FRIDAY, vs.conversation(messages))
        vs.write_day(self.path("carol", "amy"), FRIDAY, vs.conversation(["hello"], buddy="amy"))
        self.start_viewer("carol", "amy")
        self.open_search()
        self.start_search("lunch")
        self.assertEqual(self.wait_finished(timeout=120), "12,000 matches in 1 day")
        rows, count = self.rows(11999)
        self.assertEqual(count, 12000)
        self.assertEqual(rows, [("alice", "bob", "2002-06-14 [Friday]", "alice: lunch 11999")])

        # The day changed since the search, its matches no longer where
        # they were: its row is found by its text (each sender still says
        # what they said).
        vs.write_day(bob, FRIDAY, vs.conversation(["lunch early"] * 6 + messages))
        self.robot("clickrow", SEARCH, vs.RESULTS, 11999, "double")
        self.wait_selected(("alice", "bob", "2002-06-14 [Friday]"))
        self.assert_line_stays_in_view("lunch 11999")

    def test_a_new_search_or_closing_cancels_the_running_one(self):
        # Enough history that a search takes a while: 300 days of 200 KB.
        filler = vs.conversation(["filler line %d of a long day" % k for k in range(2000)])
        for n in range(300):
            vs.write_day(self.path("alice", "buddy%03d" % n), FRIDAY, filler,
                         vs.conversation(["needle %d" % n, "thread %d" % n]))
        self.start_viewer("alice", "buddy000")
        self.open_search()
        started = self.start_search("needle")
        self.assertTrue(started.startswith("Searching... "), started)
        self.start_search("thread")
        self.assertEqual(self.wait_finished(), "300 matches in 300 days")
        rows, count = self.rows()
        self.assertEqual(count, 300)
        self.assertEqual(sorted(r[3] for r in rows), sorted("alice: thread %d" % n for n in range(300)))

        # Closing stops the search; the viewer goes on answering.
        self.start_search("needle")
        self.assertEqual(self.robot("keys", SEARCH, "escape"), ["pressed"])
        harness.wait_until(lambda: self.robot.window(SEARCH) is None, timeout=5,
                           what="the search window to close")
        self.assertEqual(self.selected(), ("alice", "buddy000", "2002-06-14 [Friday]"))
        self.open_search()
        self.assertEqual(self.rows(), ([], 0))
        # No search's words: the line tells of the search index.
        self.assertRegex(self.status(), r"^(Indexing: \d+ of 300 days|Ready: 300 days indexed)$")

        # So does closing the viewer, which ends as usual.
        self.start_search("needle")
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)

    def test_a_chosen_row_shows_its_day_at_the_match(self):
        vs.write_day(self.path("alice", "bob"), FRIDAY, long_day({150}))
        vs.write_day(self.path("alice", "bob"), JULY, vs.conversation(["a newer day"]))
        vs.write_day(self.path("alice", "carol"), FRIDAY, vs.conversation(["carol's day"], buddy="carol"))
        self.start_viewer("alice", "carol")
        self.wait_shown("carol's day")
        self.open_search()
        self.assertEqual(self.search("target")[0],
                         [("alice", "bob", "2002-06-14 [Friday]", "bob: line 150 target 150")])

        # Enter on the row.
        self.robot("clickrow", SEARCH, vs.RESULTS, 0)
        harness.wait_until(lambda: self.robot("rows", SEARCH, vs.RESULTS, 0, 0)[0].endswith("selected=0"),
                           timeout=5, what="the row selected")
        self.assertEqual(self.robot("keys", SEARCH, "enter"), ["pressed"])
        self.wait_selected(("alice", "bob", "2002-06-14 [Friday]"))
        self.assert_line_stays_in_view("line 150 target 150")

        # A double-click, after the user has looked elsewhere.
        self.robot("select", CAPTION, vs.DATES, 1)
        self.wait_shown("a newer day")
        self.robot("clickrow", SEARCH, vs.RESULTS, 0, "double")
        self.wait_selected(("alice", "bob", "2002-06-14 [Friday]"))
        self.assert_line_stays_in_view("line 150 target 150")

    @staticmethod
    def marker_in_view(fields, marker):
        text = fields["value"]
        if marker not in text:
            return False
        line = text[:text.index(marker)].count("\n")
        return int(fields["firstvisible"]) <= line <= int(fields["lastvisible"])

    def in_view(self, marker):
        return self.marker_in_view(self.shown(), marker)

    def settled_view(self):
        """A reading of the view that the next one repeats: the watch may
        report the day written before the pick late, and a view read while
        the viewer loads that day again holds part of its text."""
        readings = [self.shown()]

        def repeated():
            readings.append(self.shown())
            before, now = readings[-2:]
            return now if all(before[k] == now[k] for k in ("length", "firstvisible")) else None
        return harness.wait_until(repeated, timeout=10, what="the view to settle")

    def assert_line_stays_in_view(self, marker):
        """The line comes into view and is still there after the half second
        in which an ordinary selection scrolls to the end."""
        harness.wait_until(lambda: self.in_view(marker), timeout=10, what="%r in view" % marker)
        time.sleep(1.0)
        fields = self.settled_view()
        self.assertTrue(self.marker_in_view(fields, marker), "%r left the view: %r" % (
            marker, {k: v for k, v in fields.items() if k != "value"}))

    def test_f3_steps_through_the_matches_of_the_shown_day(self):
        vs.write_day(self.path("alice", "bob"), FRIDAY, long_day({50, 150, 250}))
        self.start_viewer("alice", "bob")
        self.open_search()
        rows, _ = self.search("target")
        self.assertEqual([r[3] for r in rows], ["bob: line 50 target 50", "bob: line 150 target 150",
                                                 "bob: line 250 target 250"])
        self.robot("clickrow", SEARCH, vs.RESULTS, 1, "double")
        self.assert_line_stays_in_view("target 150")
        self.assertEqual(self.robot("keys", CAPTION, "f3"), ["pressed"])
        harness.wait_until(lambda: self.in_view("target 250"), timeout=5, what="F3 to the next match")
        self.assertEqual(self.robot("keys", CAPTION, "shift+f3"), ["pressed"])
        harness.wait_until(lambda: self.in_view("target 150"), timeout=5, what="Shift+F3 back")
        self.assertEqual(self.robot("keys", CAPTION, "shift+f3"), ["pressed"])
        harness.wait_until(lambda: self.in_view("target 50"), timeout=5, what="Shift+F3 to the first")

    def test_opening_its_keys_and_its_remembered_place(self):
        vs.write_day(self.path("alice", "bob"), FRIDAY, vs.conversation(["lunch"]))
        self.start_viewer()
        # The system menu's item opens it, owned by the viewer.
        self.open_search(how="menu")
        self.assertEqual(self.robot("owner", SEARCH), ["owner caption=" + CAPTION])
        texts = {int(c["id"]): c["text"] for c in self.robot.controls(SEARCH)}
        self.assertEqual((texts[vs.SEARCH_BUTTON], texts[vs.MATCH_CASE]), ("&Search", "Match &case"))
        self.assertEqual(self.robot.window(SEARCH)["focus"], str(vs.QUERY))

        # Tab moves on; a second Ctrl+F in the viewer comes back to the
        # query with all of it selected.
        self.robot("settext", SEARCH, vs.QUERY, "lunch")
        self.assertEqual(self.robot("keys", SEARCH, "tab"), ["pressed"])
        harness.wait_until(lambda: self.robot.window(SEARCH)["focus"] == str(vs.SEARCH_BUTTON),
                           timeout=5, what="Tab to the Search button")
        self.assertEqual(self.robot("keys", CAPTION, "ctrl+f"), ["pressed"])
        harness.wait_until(lambda: self.robot.window(SEARCH)["foreground"] == "1" and
                           self.robot.window(SEARCH)["focus"] == str(vs.QUERY),
                           timeout=5, what="the query in front again")
        self.assertIn(" sel=0,5 ", self.robot("text", SEARCH, vs.QUERY)[0])
        self.assertEqual(len(self.robot.dialogs(SEARCH)), 1)

        # Resizable: the list and the status line follow the edges.
        before = self.search_rects()
        window = self.robot.window(SEARCH)
        left, top, right, bottom = (int(v) for v in window["rect"].split(","))
        moved = (left + 40, top + 30, right + 140, bottom + 80)
        self.robot("move", SEARCH, moved[0], moved[1], moved[2] - moved[0], moved[3] - moved[1])
        harness.wait_until(lambda: self.robot.window(SEARCH)["rect"] == "%d,%d,%d,%d" % moved,
                           timeout=5, what="the moved window")
        after = harness.wait_until(lambda: (lambda r: r if r[vs.RESULTS] != before[vs.RESULTS] else None)(
            self.search_rects()), timeout=5, what="the list to follow")
        self.assertEqual(after[vs.RESULTS], (before[vs.RESULTS][0], before[vs.RESULTS][1],
                                             before[vs.RESULTS][2] + 100, before[vs.RESULTS][3] + 50))
        self.assertEqual(after[vs.STATUS][1], before[vs.STATUS][1] + 50)
        self.assertEqual(after[vs.SEARCH_BUTTON][0], before[vs.SEARCH_BUTTON][0] + 100)

        # Escape closes it; it opens again where it was left.
        self.assertEqual(self.robot("keys", SEARCH, "escape"), ["pressed"])
        harness.wait_until(lambda: self.robot.window(SEARCH) is None, timeout=5, what="closed")
        saved = {k: int(v[1], 0) for k, v in harness.reg_values(vs.SEARCH_PLACEMENT_KEY).items()}
        self.assertEqual((saved["Left"], saved["Top"], saved["Right"], saved["Bottom"]), moved)
        self.open_search()
        self.assertEqual(self.robot.window(SEARCH)["rect"], "%d,%d,%d,%d" % moved)

    def test_a_day_another_program_holds_is_said_unread(self):
        bob = self.path("alice", "bob")
        vs.write_day(bob, FRIDAY, vs.conversation(["lunch on friday"]))
        held = vs.write_day(bob, WEDNESDAY, vs.conversation(["lunch on wednesday"]))
        holder = harness.start(harness.bin_file("robot.exe"), "holdfile", harness.win_path(held),
                               "none", stdin=subprocess.PIPE)
        self.processes.append(holder)
        self.assertEqual(holder.stdout.readline().strip(), "holding")
        self.start_viewer("alice", "bob")
        self.open_search()
        self.assertEqual(self.search("lunch")[1], "1 match in 1 day (1 day could not be read)")
        self.assertEqual(self.search("zebra")[1], "No matches (1 day could not be read)")

    def search_rects(self):
        return {int(c["id"]): tuple(int(v) for v in c["rect"].split(","))
                for c in self.robot.controls(SEARCH) if c["id"] != "-1"}


if __name__ == "__main__":
    unittest.main()
