"""The History Viewer's own windows at 96 and at 144 dots per inch (Wine's
LogPixels, as a high-resolution screen sets it): in the main dialog, the
search and export windows and Delete Old Days no control lies over another
or outside its window, and every label's, button's and check box's text
fits its control in the control's own font; after a resize the anchored
controls still do, and the window comes back where it was left."""

import datetime
import itertools
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION, rect_of, shifted

BS_TYPEMASK = 0xF
BS_GROUPBOX = 7


def overlap(a, b):
    return max(a[0], b[0]) < min(a[2], b[2]) and max(a[1], b[1]) < min(a[3], b[3])


def holds(outer, inner):
    return (outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2]
            and inner[3] <= outer[3])


def is_group_box(control):
    return (control["class"].lower() == "button"
            and int(control["style"], 16) & BS_TYPEMASK == BS_GROUPBOX)


def numbers(text):
    return tuple(int(v) for v in text.split(","))


class WindowsLaidOut:
    """The checks, at the DPI of the class that mixes them in."""

    DPI = None

    def setUp(self):
        # A program reads it as it starts: set before any of the test's.
        self.addCleanup(harness.set_screen_dpi(self.DPI))
        super().setUp()
        vs.write_day(self.path("alice", "bob"), datetime.date(2002, 6, 14),
                     vs.conversation(["friday with bob"]))
        # A history of gigabytes, so its total takes four digits (the file
        # is sparse: it takes no room on the disk).
        with open(self.path("archive.zip"), "wb") as f:
            f.truncate(2048 << 20)

    def assert_laid_out(self, caption):
        """No two visible controls of the window over each other (but for a
        control wholly inside a group box), each inside the client area,
        each text within its control's room; every fault of the window
        named at once, and the test goes on to the next window."""
        with self.subTest(caption):
            self.check_window(caption)

    def check_window(self, caption):
        width, height = numbers(self.robot.window(caption)["client"])
        controls = [c for c in self.robot.controls(caption)
                    if c["visible"] == "1" and c["nested"] == "0"]
        self.assertTrue(controls, caption)
        name = {id(c): "%s %s %r at %s" % (c["id"], c["class"], c["text"], c["rect"]) for c in controls}
        faults = ["%s leaves the client area %dx%d" % (name[id(c)], width, height)
                  for c in controls if not holds((0, 0, width, height), numbers(c["rect"]))]
        for a, b in itertools.combinations(controls, 2):
            ra, rb = numbers(a["rect"]), numbers(b["rect"])
            if overlap(ra, rb) and not (is_group_box(a) and holds(ra, rb)) \
                    and not (is_group_box(b) and holds(rb, ra)):
                faults.append("%s lies over %s" % (name[id(a)], name[id(b)]))
        measured = [harness.parse_robot_line(line, "text") for line in self.robot("textfit", caption)]
        self.assertTrue(measured, caption)
        for m in measured:
            self.assertEqual(m.get("event"), "textfit", m)
            self.assertEqual(int(m["dpi"]), self.DPI, m)
            need, room = numbers(m["need"]), numbers(m["room"])
            if need[0] > room[0] or need[1] > room[1]:
                faults.append("the text %r of control %s needs %dx%d, has %dx%d"
                              % (m["text"], m["id"], need[0], need[1], room[0], room[1]))
        self.assertEqual(faults, [], "%s at %d dpi" % (caption, self.DPI))

    def open_from_menu(self, command, caption):
        self.robot("sys", CAPTION, command)
        return harness.wait_until(lambda: self.robot.shown(caption), timeout=10, what=caption)

    def test_windows_are_laid_out_and_follow_their_edges(self):
        pid = self.start_settled()
        harness.wait_until(lambda: self.control(vs.SIZE)["text"] == "2048", timeout=20,
                           what="the size total")
        self.assert_laid_out(CAPTION)
        search = rect_of(self.open_from_menu(vs.SC_SEARCH, vs.SEARCH))
        self.assert_laid_out(vs.SEARCH)
        self.open_from_menu(vs.SC_EXPORT, vs.EXPORT)
        self.assert_laid_out(vs.EXPORT)
        self.robot("sys", vs.EXPORT, vs.SC_CLOSE)
        self.open_from_menu(vs.SC_DELETE_OLD, vs.DELETE_OLD)
        self.assert_laid_out(vs.DELETE_OLD)
        self.robot("press", vs.DELETE_OLD, "Close")
        harness.wait_until(lambda: not self.robot.shown(vs.DELETE_OLD), timeout=10,
                           what="Delete Old Days to close")

        # Larger: what follows the edges moves with them, and still fits.
        before = self.rects()
        larger = self.move(shifted(rect_of(self.robot.window(CAPTION)), right=120, bottom=60))
        after = self.rects()
        self.assertEqual(after[vs.VIEW], shifted(before[vs.VIEW], right=120, bottom=60))
        self.assertEqual(after[vs.DATES], shifted(before[vs.DATES], bottom=60))
        self.assertEqual(after[vs.ABOUT_BUTTON], shifted(before[vs.ABOUT_BUTTON], left=120, right=120))
        self.assert_laid_out(CAPTION)
        self.move(shifted(search, right=90, bottom=70), vs.SEARCH)
        self.assert_laid_out(vs.SEARCH)

        # The window comes back as it was left.
        self.close_viewer(pid)
        saved = self.placement()
        self.assertEqual((saved["Left"], saved["Top"], saved["Right"], saved["Bottom"]),
                         rect_of(larger))
        self.start_settled()
        self.assert_rect_soon(rect_of(larger), "the window where it was left")
        self.assertEqual(self.rects(), after)


class At96Dpi(WindowsLaidOut, vs.ViewerTest):
    DPI = 96


class At144Dpi(WindowsLaidOut, vs.ViewerTest):
    DPI = 144


if __name__ == "__main__":
    unittest.main()
