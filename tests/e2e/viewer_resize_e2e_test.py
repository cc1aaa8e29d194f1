"""The History Viewer dragged by its size grip, as a user drags it
(a real pointer through the X server and the window manager): the controls
that did not move are never erased or painted again, and at every step of
the drag the screen shows what a full repaint shows, so nothing is stale."""

import datetime
import os
import subprocess
import time
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION

# Wider and taller, only taller, only wider, then smaller again: each
# control is left alone in some step.
STEPS = [(40, 30), (40, 70), (100, 70), (140, 110), (60, 50)]


def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


class ViewerResizeTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        lines = ["line %d of the day" % n for n in range(40)]
        vs.write_day(self.path("alice", "bob"), datetime.date(2002, 6, 14),
                     vs.conversation(lines))
        self.shots = os.path.join(self.tmp, "shots")
        os.makedirs(self.shots)

    def window(self):
        w = self.robot.window(CAPTION)
        rect = [int(v) for v in w["rect"].split(",")]
        client = [int(v) for v in w["client"].split(",")]
        origin = [int(v) for v in w["origin"].split(",")]
        return rect, client, origin

    def shoot(self, name):
        """The window as the screen shows it once the picture holds still
        (what the viewer drew may reach the X server a little later), in a
        file of its own."""
        (left, top, right, bottom), _, _ = self.window()
        crop = "%dx%d+%d+%d" % (right - left, bottom - top, left, top)
        path = os.path.join(self.shots, name + ".png")
        previous = None
        for attempt in range(20):
            shot = os.path.join(self.shots, "%s-%d.png" % (name, attempt))
            subprocess.run(["import", "-window", "root", "-crop", crop, "+repage", shot], check=True)
            if previous is not None and self.differing_pixels(previous, shot) == 0:
                os.replace(shot, path)
                return path
            previous = shot
            time.sleep(0.2)
        self.fail("the screen did not hold still for " + name)

    def differing_pixels(self, a, b):
        done = subprocess.run(["compare", "-metric", "AE", a, b, "null:"],
                              capture_output=True, text=True)
        return int(float(done.stderr.split()[0]))

    def paints(self):
        """{control id: (erases, paints)} since counting began (both
        labels, which have no id of their own, together)."""
        found = {}
        for line in self.robot("paints", CAPTION):
            f = harness.parse_fields(line)
            if f.get("event") == "paints":
                e, p = found.get(int(f["id"]), (0, 0))
                found[int(f["id"])] = (e + int(f["erase"]), p + int(f["paint"]))
        return found

    def settle(self):
        """Waits until the viewer has drawn everything and is idle."""
        self.assertEqual(self.robot("idle", CAPTION), ["idle"])

    def settle_counted(self):
        """Waits until the viewer is idle and its paint counts have held
        still for a while, then returns them: on a busy machine the window
        manager's last events for a step (an expose, a configure) can reach
        the viewer after it first looks idle, and what they draw belongs to
        that step, not the next."""
        deadline = time.monotonic() + 20
        last = None
        while True:
            self.settle()
            now = self.paints()
            if now == last:
                return now
            self.assertLess(time.monotonic(), deadline, "the viewer kept drawing")
            last = now
            time.sleep(0.3)

    def test_drag_repaints_only_what_moved_and_leaves_nothing_stale(self):
        self.start_viewer("alice", "bob")
        self.wait_shown("line 39 of the day")
        _, (width, height), (x, y) = self.window()
        self.robot("key", CAPTION, vs.DATES, 9)  # focus off the view: no caret blinks
        self.settle()
        self.assertEqual(self.robot("countpaints", CAPTION), ["counting"])
        resized = 0  # steps in which the date list changed size, and was drawn again

        # The pointer rests on the grip, and the button is down, before it moves.
        grip = (x + width - 3, y + height - 3)
        xdotool("mousemove", *grip)
        self.settle()
        xdotool("mousedown", 1)
        # What the press itself draws (a window made active, say) is no step's.
        counted = self.settle_counted()
        try:
            for n, (dx, dy) in enumerate(STEPS):
                before = self.rects()
                xdotool("mousemove", grip[0] + dx, grip[1] + dy)
                harness.wait_until(lambda: self.window()[1] == [width + dx, height + dy], timeout=20,
                                   what="the window to follow the grip by %d,%d" % (dx, dy))
                painted = self.settle_counted()
                shown = self.shoot("step%d-shown" % n)
                after = self.rects()
                for control, rect in after.items():
                    if rect == before[control]:
                        self.assertEqual(painted[control], counted[control],
                                         "step %d drew control %d, which did not move" % (n, control))
                if after[vs.DATES] != before[vs.DATES] and painted[vs.DATES] != counted[vs.DATES]:
                    resized += 1

                self.robot("redraw", CAPTION)
                self.settle()
                redrawn = self.shoot("step%d-redrawn" % n)
                self.assertEqual(self.differing_pixels(shown, redrawn), 0,
                                 "step %d shows what a full repaint does not: %s" % (n, shown))
                counted = self.settle_counted()
        finally:
            xdotool("mouseup", 1)
        # The counts see what is drawn: the list's height changed in four steps.
        self.assertEqual(resized, 4)


if __name__ == "__main__":
    unittest.main()
