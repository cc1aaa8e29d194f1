"""The History Viewer's search index as a user meets it: built in the
background with its progress on the search window's status line, kept in
the local application data and nowhere in the history folder, never stale
(a conversation written while the window is open is found by the next
search, a deleted day never is), made anew when its file is damaged while
searches stay complete, and on a history changed at random always giving
the rows of the search of every day, within any range of dates and of any
sender's lines the rows of reading every day and keeping those plainly."""

import datetime
import os
import random
import sqlite3
import time
import unittest

import harness
import viewer_session as vs
from search_window import INDEXING, READY, SearchWindowTest
from viewer_session import CAPTION, SEARCH

FRIDAY = datetime.date(2002, 6, 14)
WORDS = ["lunch", "Lunch at noon", "fish &amp; chips", "\xc4pfel", "\xe4pfel und Birnen",
         "see you tonight", "<B>pan</B>cake", "brb, phone", "the pictures", "ok", "zebra"]
SENDERS = ["Bob Smith", "bobsmith", "amy", "\xc4nne"]


def distinct_lines(buddy, day):
    """A day's lines, none said on another day: work for the indexer."""
    return ["line %d of day %d with buddy %d" % (n, day, buddy) for n in range(100)]


def number(text):
    return int(text.replace(",", ""))


def age(path, seconds=3600):
    """Puts the file's write time back, as for history written long ago
    (a day written within the last two seconds waits to be indexed)."""
    then = time.time() - seconds
    os.utime(path, (then, then))


def append_message(path, text, buddy="bob"):
    """Adds a message as the hook library usually does: in place, from the
    conversation's closing tags on, which follow the new text."""
    with open(path, "r+b") as f:
        data = f.read()
        end = data.rindex(b"</BODY></HTML>")
        message = ('<FONT COLOR="#0000ff"><B>%s</B>:</FONT> <FONT FACE="Arial" SIZE=2 '
                   'COLOR="#000000">%s</FONT><BR>' % (buddy, text)).encode("latin-1")
        f.seek(end)
        f.write(message + data[end:])
        f.truncate()


def said(sender, text, stamp):
    return '%s<FONT COLOR="#0000ff"><B>%s</B>:</FONT> <FONT SIZE=2>%s</FONT><BR>' % (
        "(10:02:11 PM) " if stamp else "", sender, text)


def full_scan(history, query, match_case=False, dates=None, said_by=None):
    """The rows and final status of the search of every day, as the search
    window's own worker gives them without an index; with a range of dates
    or a sender, of every day read and kept plainly instead."""
    args = [harness.win_path(history), query] + (["match-case"] if match_case else [])
    if dates is not None or said_by is not None:
        dates = dates or ("", "")
        args += ["from=" + dates[0], "to=" + dates[1], "said-by=" + (said_by or "")]
    done = harness.run("full_scan.exe", *args, encoding="latin-1")
    out = done.stdout.splitlines()
    assert out and out[-1].startswith("status "), (done.returncode, out, done.stderr,
                                                   done.wine_notices)
    return [tuple(line.split("\t")) for line in out[:-1]], out[-1][len("status "):]


class ViewerIndexTest(SearchWindowTest):
    def index_rows(self):
        """(user, buddy, date) of each row of the index's file, read once
        the viewer has closed it."""
        with sqlite3.connect("file:%s?mode=ro" % harness.search_index_file(self.history),
                             uri=True) as db:
            return sorted(db.execute("SELECT user, buddy, date FROM days"))

    def clear_search(self):
        """Searches for nothing, as a user empties the query (and the
        sender, else it lists what the sender said) and presses Enter: the
        status line leaves the last search's words and tells of the index
        again."""
        for control in (vs.QUERY, vs.SAID_BY):
            self.robot("settext", SEARCH, control, "")
        self.assertEqual(self.robot("keys", SEARCH, "alt+f"), ["pressed"])
        self.assertEqual(self.robot("keys", SEARCH, "enter"), ["pressed"])
        harness.wait_until(lambda: not self.status().endswith(" s)"), timeout=10,
                           what="the search's words to go")

    def index_status(self, timeout=60):
        """Follows the status line until the index is ready: every text it
        showed on the way, in order, and the last."""
        seen = []

        def ready():
            text = self.status()
            if not seen or seen[-1] != text:
                seen.append(text)
            return READY.match(text)
        harness.wait_until(ready, timeout=timeout, interval=0.02, what="the index to be ready")
        return seen

    def wait_ready(self, days, timeout=60):
        self.clear_search()
        harness.wait_until(lambda: self.status() == "Ready: %s days indexed" % format(days, ","),
                           timeout=timeout, interval=0.05, what="Ready: %d days indexed" % days)

    def tree(self):
        return sorted((os.path.relpath(folder, self.history), sorted(dirs), sorted(files))
                      for folder, dirs, files in os.walk(self.history))

    def write_history(self, buddies, days, messages):
        """Each of `buddies` of alice with `days` days from FRIDAY back,
        written long ago, so that the viewer keeps its listing of each
        buddy's folder while the folder's time stays."""
        for b in range(buddies):
            folder = self.path("alice", "buddy%03d" % b)
            for d in range(days):
                date = FRIDAY - datetime.timedelta(days=d)
                path = vs.write_day(folder, date, vs.conversation(
                    messages(b, d), buddy="buddy%03d" % b))
                age(path)
            age(folder)

    def test_built_in_the_background_and_kept_outside_the_history(self):
        self.write_history(60, 50, lambda b, d: distinct_lines(b, d) +
                           (["the needle"] if b == d else []))
        before = self.tree()
        self.start_viewer("alice", "buddy000")
        self.open_search()
        seen = self.index_status()
        self.assertEqual(seen[-1], "Ready: 3,000 days indexed")
        progress = [INDEXING.match(t) for t in seen[:-1] if t]
        self.assertTrue(progress, seen)
        self.assertTrue(all(p and number(p.group(2)) == 3000 for p in progress), seen)
        counts = [number(p.group(1)) for p in progress]
        self.assertEqual(counts, sorted(counts), seen)

        needles = [("alice", "buddy%03d" % d, vs.day_file_name(FRIDAY - datetime.timedelta(d))[:-5],
                    "buddy%03d: the needle" % d) for d in range(50)]
        self.assertEqual(self.search("needle"), (needles, "50 matches in 50 days"))

        # The index is a file of the local application data, one for this
        # history folder; nothing came into the history folder.
        self.assertTrue(os.path.isfile(harness.search_index_file(self.history)))
        self.assertEqual(self.tree(), before)
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)
        self.assertEqual(len(self.index_rows()), 3000)

        # The next start finds it as it was left: nothing to index again.
        self.start_viewer("alice", "buddy000")
        self.open_search()
        self.assertEqual([t for t in self.index_status() if t], ["Ready: 3,000 days indexed"])
        self.assertEqual(self.search("needle"), (needles, "50 matches in 50 days"))
        self.assertEqual(self.tree(), before)

    def test_closing_stops_the_indexing_at_once_and_the_next_start_goes_on(self):
        self.write_history(60, 50, distinct_lines)
        self.start_viewer("alice", "buddy000")
        self.open_search()
        started = harness.wait_until(lambda: (lambda m: m if m and number(m.group(1)) > 0 else
                                              None)(INDEXING.match(self.status())),
                                     timeout=60, interval=0.02, what="the indexing under way")
        began = time.time()
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)
        self.assertLess(time.time() - began, 3.0)
        kept = len(self.index_rows())
        self.assertGreaterEqual(kept, number(started.group(1)))

        self.start_viewer("alice", "buddy000")
        self.open_search()
        seen = [t for t in self.index_status() if t]
        self.assertEqual(seen[-1], "Ready: 3,000 days indexed")
        # What was indexed before is not indexed again.
        self.assertTrue(all(number(INDEXING.match(t).group(1)) >= kept for t in seen[:-1]), seen)
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)
        self.assertEqual(len(self.index_rows()), 3000)

    def test_a_conversation_written_while_the_window_is_open_is_found_by_the_next_search(self):
        self.write_history(3, 3, lambda b, d: ["hello %d %d" % (b, d)])
        self.start_viewer("alice", "buddy000")
        self.open_search()
        self.wait_ready(9)
        self.assertEqual(self.search("pancake"), ([], "No matches"))

        friday = self.path("alice", "buddy001", vs.day_file_name(FRIDAY))
        append_message(friday, "<B>pan</B>cake for breakfast", buddy="buddy001")
        row = ("alice", "buddy001", "2002-06-14 [Friday]", "buddy001: pancake for breakfast")
        self.assertEqual(self.search("pancake"), ([row], "1 match in 1 day"))
        # A new day of a new buddy of a new user, written at once.
        vs.write_day(self.path("zoe", "yves"), FRIDAY + datetime.timedelta(1),
                     vs.conversation(["a pancake day"], buddy="yves", user="zoe"))
        new = ("zoe", "yves", "2002-06-15 [Saturday]", "yves: a pancake day")
        self.assertEqual(self.search("pancake"), ([new, row], "2 matches in 2 days"))
        # Once indexed, it is still found.
        self.wait_ready(10)
        append_message(friday, "more pancake", buddy="buddy001")
        more = ("alice", "buddy001", "2002-06-14 [Friday]", "buddy001: more pancake")
        self.assertEqual(self.search("pancake"), ([new, row, more], "3 matches in 2 days"))

    def test_a_deleted_day_is_never_found(self):
        self.write_history(2, 3, lambda b, d: ["lunch with %d on %d" % (b, d)])
        self.start_viewer("alice", "buddy001")
        self.open_search()
        self.wait_ready(6)
        lunches = self.search("lunch")[0]
        self.assertEqual(len(lunches), 6)

        # Deleted in the viewer: its newest day, shown at the start.
        self.robot("click", CAPTION, vs.DELETE_DATE)
        self.box()
        self.answer("&Yes")
        harness.wait_until(lambda: not os.path.exists(
            self.path("alice", "buddy001", vs.day_file_name(FRIDAY))), timeout=10,
            what="the day deleted")
        rest = [r for r in lunches if r[:3] != ("alice", "buddy001", "2002-06-14 [Friday]")]
        self.assertEqual(self.search("lunch"), (rest, "5 matches in 5 days"))
        # Deleted outside it.
        os.remove(self.path("alice", "buddy000", vs.day_file_name(FRIDAY)))
        rest = [r for r in rest if r[:3] != ("alice", "buddy000", "2002-06-14 [Friday]")]
        self.assertEqual(self.search("lunch"), (rest, "4 matches in 4 days"))
        self.wait_ready(4)
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)
        self.assertEqual(self.index_rows(), sorted(r[:3] for r in rest))

    def test_a_damaged_index_is_made_anew_and_searches_stay_complete(self):
        self.write_history(20, 30, lambda b, d: ["day %d of %d" % (d, b)] +
                           (["a lunch"] if d % 7 == 0 else []))
        lunches = full_scan(self.history, "lunch")
        self.assertEqual(lunches[1], "100 matches in 100 days")
        self.start_viewer()
        self.open_search()
        self.wait_ready(600)
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)

        index = harness.search_index_file(self.history)
        with open(index, "r+b") as f:
            f.seek(0)
            f.write(b"this is no database" * 1000)
        self.start_viewer()
        self.open_search()
        self.assertEqual(self.search("lunch"), lunches)
        self.wait_ready(600)
        self.assertEqual(self.search("lunch"), lunches)
        self.assertEqual(self.close_viewer(self.viewers[-1]), 0)
        with sqlite3.connect(index) as db:
            self.assertEqual(db.execute("PRAGMA integrity_check").fetchall(), [("ok",)])
        self.assertEqual(len(self.index_rows()), 600)

    def test_searches_on_a_history_changed_at_random_give_the_rows_of_every_day(self):
        rng = random.Random(2002)

        def text():
            return " ".join(rng.choice(WORDS) for _ in range(rng.randrange(1, 4)))

        def some_day():
            days = [os.path.join(folder, name) for folder, _, names in os.walk(self.history)
                    for name in names]
            return rng.choice(days) if days else None

        for n in range(40):
            buddy = "b%d" % rng.randrange(5)
            path = vs.write_day(self.path(rng.choice(["alice", "Bert"]), buddy),
                                FRIDAY - datetime.timedelta(rng.randrange(12)),
                                vs.conversation([text() for _ in range(3)], buddy=buddy))
            age(path)
            age(os.path.dirname(path))
        self.start_viewer()
        self.open_search()
        for round in range(24):
            edit = rng.randrange(5)
            day = some_day()
            if edit == 0 and day:
                append_message(day, text())
            elif edit == 1:
                vs.write_day(self.path("carol", "b%d" % rng.randrange(3)),
                             FRIDAY + datetime.timedelta(rng.randrange(4)),
                             vs.conversation([text()], buddy="b"))
            elif edit == 2 and day:
                os.remove(day)
            elif edit == 3 and day:
                # Rewritten behind the index's back: another size, the old
                # write time.
                written = os.stat(day).st_mtime_ns
                with open(day, "rb") as f:
                    size = len(f.read())
                data = vs.day_file_bytes(vs.conversation([text(), text()]))
                if len(data) == size:
                    data += b" "
                with open(day, "wb") as f:
                    f.write(data)
                os.utime(day, ns=(written, written))
            elif edit == 4:
                self.clear_search()
                self.index_status()
            query = rng.choice(WORDS)
            query = query[rng.randrange(len(query) // 2):][:rng.randrange(1, 12)]
            match_case = rng.randrange(3) == 0
            want = full_scan(self.history, query, match_case)
            self.assertEqual(self.search(query, match_case=match_case), want,
                             "round %d, query %r" % (round, query))

    def test_searches_within_dates_and_of_one_sender_give_the_rows_of_reading_every_day(self):
        rng = random.Random(2004)

        def text():
            return " ".join(rng.choice(WORDS) for _ in range(rng.randrange(1, 4)))

        # Four years of days; senders differing in case and blanks, time
        # stamps, a message's rest on lines of its own and notices.
        for n in range(36):
            html = "".join(said(rng.choice(SENDERS), text(), rng.randrange(2)) for _ in range(4))
            if n % 3 == 0:
                html += said(rng.choice(SENDERS), text() + "<BR>" + text(), False)
            if n % 5 == 0:
                html += "<B>(IM Window Cleared)</B><BR>%s<BR>" % text()
            date = datetime.date(2001, 11, 20) + datetime.timedelta(rng.randrange(1500))
            path = vs.write_day(self.path(rng.choice(["alice", "Bert"]), "b%d" % rng.randrange(3)),
                                date, '<HTML><BODY BGCOLOR="#ffffff">%s</BODY></HTML>' % html)
            age(path)
            age(os.path.dirname(path))
        self.start_viewer()
        self.open_search()
        for round in range(10):
            if round == 3:
                self.clear_search()
                self.index_status()
            start = rng.choice(["2002-01-01", "2003-01-01", "2003-06-15"])
            end = rng.choice(["2003-12-31", "2004-02-29", "2004-06-30"])
            # Within one year, open at either end, or bounded at both.
            dates = [("2003-01-01", "2003-12-31"), ("", end), (start, ""), (start, end)][round % 4]
            said_by = rng.choice(["", "bob smith", "BOBSMITH", "Amy", "\xe4NNE", "nobody"])
            query = "" if said_by and rng.randrange(3) == 0 else rng.choice(
                ["lunch", "Lunch", "pancake", "\xc4pfel", "fish & chips", "ok", "noon"])
            match_case = rng.randrange(3) == 0
            want = full_scan(self.history, query, match_case, dates, said_by)
            got = self.search(query, match_case=match_case, dates=dates, said_by=said_by)
            self.assertEqual(got, want, "round %d: %r %r %r" % (round, query, dates, said_by))


if __name__ == "__main__":
    unittest.main()
