"""With the hook in the stand-in host, every child of the Buddy List ends
where the layout rules put the host's own proposals, for combinations of the
layout settings that hold every pair of them both ways: the compacted
arrangement with RemoveAds on, the host's layout with it off.  layout_expect.exe computes the expected rectangles from
the same rules and the same host proposals."""

import itertools
import os
import subprocess
import unittest

import harness
from harness import Report, bin_file

SETTINGS = ("RemoveAds", "GenButtons", "ListButtons", "Tabs", "AllowStockTicker")
LAYOUT_PARENTS = ("_Oscar_BuddyListWin", "_Oscar_TabGroup")


def expected_layout(client, values, ticker):
    done = harness.run(bin_file("layout_expect.exe"), str(client[0]), str(client[1]),
                       *[str(v) for v in values], ticker)
    if done.returncode != 0:
        raise RuntimeError("layout_expect failed: " + done.stderr)
    rects = {}
    for line in done.stdout.splitlines():
        number, x, y, w, h = line.split()
        rects[int(number)] = "%s,%s,%s,%s" % (x, y, w, h)
    return rects


def pairwise(count):
    """Settings combinations holding every pair of settings in each of its
    four value pairs (6 runs for five settings instead of 32): the layout's
    rules interact in pairs, and each run starts the launcher and the host."""
    pairs = lambda row: {(i, j, row[i], row[j]) for i in range(count) for j in range(i + 1, count)}
    uncovered = set().union(*(pairs(row) for row in itertools.product((0, 1), repeat=count)))
    chosen = []
    while uncovered:
        best = max(itertools.product((0, 1), repeat=count), key=lambda row: len(pairs(row) & uncovered))
        chosen.append(best)
        uncovered -= pairs(best)
    return chosen


def snapshots(report):
    """The window lines of each `windows` command, in order."""
    taken, current = [], None
    for event in report.events():
        if event.get("event") == "run":
            current = [] if event.get("command") == "windows" else None
            if current is not None:
                taken.append(current)
        elif event.get("event") == "window" and current is not None:
            current.append(event)
    return taken


class BuddyListLayoutTest(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.blank_text = harness.run(bin_file("layout_expect.exe"), "blank-text").stdout.strip()

    def set_layout_settings(self, values):
        # One registry import per combination: a Wine start per value would
        # take longer than the host's whole run.
        path = os.path.join(self.tmp, "settings.reg")
        with open(path, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n" %
                    harness.SETTINGS_KEY.replace("HKCU", "HKEY_CURRENT_USER"))
            for name, value in zip(SETTINGS, values):
                f.write('"%s"=dword:%08x\r\n' % (name, value))
        done = harness.run("reg", "import", path)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        stored = harness.reg_values(harness.SETTINGS_KEY)
        for name, value in zip(SETTINGS, values):
            self.assertEqual(int(stored[name][1], 16), value, name)

    def run_host(self, values, index):
        self.set_layout_settings(values)
        report = Report(os.path.join(self.tmp, "host-%d.log" % index))
        script = os.path.join(self.tmp, "script-%d.txt" % index)
        with open(script, "w") as f:
            f.write("signon alice\nresize 260 480\nwait 300\nwindows\n"
                    "ticker %s\nresize 284 506\nwait 300\nwindows\nquit\n" % self.blank_text)
        launcher = self.start("Corvane.exe", env={"TESTHOST_REPORT": harness.win_path(report.path),
                                                  "TESTHOST_SCRIPT": harness.win_path(script)})
        report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)
        self.assertEqual(report.events("error"), [])
        return snapshots(report)

    def assert_children_placed(self, windows, values, ticker, where):
        buddy_list = [w for w in windows if w["class"] == "_Oscar_BuddyListWin"]
        self.assertEqual(len(buddy_list), 1, where)
        client = tuple(int(n) for n in buddy_list[0]["client"].split(","))
        got = {int(w["id"]): w["rect"] for w in windows if w.get("parent") in LAYOUT_PARENTS}
        want = expected_layout(client, values, ticker)
        self.assertEqual(got, want, "%s, client %dx%d" % (where, client[0], client[1]))

    def test_every_child_ends_where_the_rules_put_it(self):
        for index, values in enumerate(pairwise(len(SETTINGS))):
            where = " ".join("%s=%d" % pair for pair in zip(SETTINGS, values))
            with self.subTest(settings=where):
                taken = self.run_host(values, index)
                self.assertEqual(len(taken), 2, where)
                self.assert_children_placed(taken[0], values, "news", where + ", ticker news")
                self.assert_children_placed(taken[1], values, "blank", where + ", blank ticker")

    def change_settings_live(self, values):
        """Stores new values and loads them into the running hosts' shared
        record, as the preferences dialog would, then asks for a relayout."""
        self.set_layout_settings(values)
        loader = self.start("robot.exe", "hold", harness.win_path(harness.BIN),
                            stdin=subprocess.PIPE)
        self.assertTrue(loader.stdout.readline().startswith("loaded"))
        done = harness.run(bin_file("robot.exe"), "syscommand", "_Oscar_BuddyListWin", "30")
        self.assertIn("posted", done.stdout)
        return loader

    def test_relayout_applies_changed_settings_at_once(self):
        first, second, third = (1, 1, 1, 1, 1), (1, 0, 1, 0, 1), (1, 1, 0, 1, 0)
        self.set_layout_settings(first)
        report = Report(os.path.join(self.tmp, "relayout.log"))
        script = os.path.join(self.tmp, "relayout.txt")
        with open(script, "w") as f:
            f.write("signon alice\nresize 260 480\nwait 300\nwindows\nwait 8000\nwindows\n"
                    "maximize\nwait 500\nwindows\nwait 8000\nwindows\nquit\n")
        launcher = self.start("Corvane.exe", env={"TESTHOST_REPORT": harness.win_path(report.path),
                                                  "TESTHOST_SCRIPT": harness.win_path(script)})
        wait_until_snapshots = lambda n: harness.wait_until(
            lambda: len(snapshots(report)) >= n and snapshots(report)[n - 1], timeout=60,
            what="%d window listings" % n)
        wait_until_snapshots(1)
        holders = [self.change_settings_live(second)]
        wait_until_snapshots(3)
        holders.append(self.change_settings_live(third))
        report.wait_for("done", timeout=60)
        for holder in holders:
            holder.stdin.close()
            holder.wait(timeout=30)
        self.assertEqual(launcher.wait(timeout=30), 0)

        taken = snapshots(report)
        self.assertEqual(len(taken), 4)
        self.assert_children_placed(taken[0], first, "news", "before the change")
        self.assert_children_placed(taken[1], second, "news", "normal window, after relayout")
        self.assert_children_placed(taken[2], second, "news", "maximized")
        self.assert_children_placed(taken[3], third, "news", "maximized, after relayout")


if __name__ == "__main__":
    unittest.main()
