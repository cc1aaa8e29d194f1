"""Every end-to-end test starts in a clean prefix: what an earlier test left
running is ended, and the hook library's shared settings record, which
lives as long as one process holds the library, starts afresh with it."""

import datetime
import subprocess
import unittest

import harness
from harness import bin_file


class LaterTest(harness.WineTest):
    def test_nothing(self):
        pass


class CleanStartTest(unittest.TestCase):
    def shared_record(self):
        return harness.run(bin_file("robot.exe"), "settings").stdout

    def test_a_process_left_holding_the_library_is_ended_before_the_next_test(self):
        # What an earlier test can leave behind: a process that holds the
        # library, whose record keeps the day of the last version check, which
        # the launcher does not load afresh.
        today = datetime.datetime.now(datetime.timezone.utc).day
        harness.reg_add(harness.SETTINGS_KEY, "CheckVersionLastDay", today, "REG_DWORD")
        holder = harness.start("robot.exe", "hold", r"C:\Corvane", stdin=subprocess.PIPE)
        self.addCleanup(holder.stdout.close)
        self.addCleanup(holder.stdin.close)
        self.assertTrue(holder.stdout.readline().startswith("loaded"))
        harness.reg_delete(harness.SETTINGS_KEY)
        self.assertIn("allowcloning 1", self.shared_record())  # as the holder loaded it

        later = LaterTest("test_nothing")
        later.setUp()
        try:
            holder.wait(timeout=30)
            self.assertEqual(harness.stray_processes(later.house), {})
            # Nothing has loaded the record since: it holds its initial zeros.
            self.assertIn("allowcloning 0", self.shared_record())
            self.assertEqual(set(harness.reg_values(harness.SETTINGS_KEY)), {"LogDir"})
        finally:
            later.tearDown()
            later.doCleanups()


if __name__ == "__main__":
    unittest.main()
