"""Hostile days in the History Viewer: a day of one enormous word or line,
of many runs or lines inside one long link, of deep nesting, of a face
ending in a lead byte.  The viewer opens each and goes on answering while it
converts, shows and loads it."""

import unittest

import harness
import hostile_days
import viewer_session as vs
from viewer_session import CAPTION, DATES

# The longest the window may leave a question unanswered.
LONGEST_ANSWER_MS = 100
# Covers a day's conversion, its end shown and the rest loaded behind it.
WATCH_MS = 3000


class ViewerHostileDaysTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        self.days = hostile_days.write_corpus(self.history)

    def test_opens_each_hostile_day_and_goes_on_answering(self):
        self.start_viewer(hostile_days.USER, hostile_days.BUDDY)
        self.wait_shown(self.days[-1]["last_word"], timeout=30)

        slowest = {}
        for row, day in enumerate(self.days):
            self.robot("select", CAPTION, DATES, row)
            pinged = harness.parse_fields(self.robot("ping", CAPTION, WATCH_MS)[0])
            slowest[day["name"]] = float(pinged["longest"])
            # The whole day is shown: its last word is in the view.
            self.wait_shown(day["last_word"], timeout=30)
        self.assertTrue(all(ms < LONGEST_ANSWER_MS for ms in slowest.values()),
                        "slowest answers in ms: %r" % slowest)


if __name__ == "__main__":
    unittest.main()
