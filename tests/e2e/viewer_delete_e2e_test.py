"""Deleting histories in the History Viewer: each of the four delete
buttons asks with the exact path, No keeps everything, Yes moves the day
files to the trash (Wine's shell uses the XDG trash), removes the folders
that leaves empty and rebuilds the lists; whatever else the history folder
holds stays."""

import datetime
import os
import urllib.parse
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION, USERS

ASK_DATE = ("Are you sure you want to delete the history for %s and %s on %s?\n"
            "(Deleting this file: %s)")
ASK_BUDDY = "Are you sure you want to delete all these histories between %s and %s?\n" \
            "(Deleting this folder: %s)"
ASK_USER = "Are you sure you want to delete all histories for %s?\n(Deleting this folder: %s)"
ASK_ALL = "Are you sure you want to delete all your histories?\n(Deleting this folder: %s)"


class DeleteTreeTest(vs.ViewerTest):
    """Four users' histories, one of whose names begins another's."""

    def setUp(self):
        super().setUp()
        vs.write_day(self.path("Al", "xavier"), datetime.date(2002, 5, 5),
                     vs.conversation(["al and xavier"]))
        bob = self.path("Alice", "bob")
        vs.write_day(bob, datetime.date(2002, 6, 12), vs.conversation(["wednesday with bob"]))
        vs.write_day(bob, datetime.date(2002, 6, 14), vs.conversation(["friday with bob"]))
        vs.write_day(self.path("Alice", "bobby"), datetime.date(2002, 6, 1),
                     vs.conversation(["the only day with bobby"]))
        vs.write_day(self.path("Alice", "carol"), datetime.date(2002, 6, 2),
                     vs.conversation(["carol"]))
        vs.write_day(self.path("Zed", "yves"), datetime.date(2002, 6, 3),
                     vs.conversation(["zed and yves"]))

    def state(self):
        return self.lists(), self.shown()["value"]

    def ask(self, button, want_text):
        """Clicks a delete button and checks the box's question."""
        self.robot("click", CAPTION, button)
        text, _ = self.box()
        self.assertEqual(text, want_text)

    def refuse(self, button, want_text):
        before = self.state()
        on_disk = sorted(os.walk(self.history))
        self.ask(button, want_text)
        self.answer("&No")
        self.assertEqual(self.state(), before)
        self.assertEqual(sorted(os.walk(self.history)), on_disk)

    def assert_trashed(self, path):
        """path is gone and sits in the trash, which knows where it came from."""
        name = os.path.basename(path)
        self.assertFalse(os.path.exists(path), path)
        self.assertTrue(os.path.exists(os.path.join(self.trash, "files", name)),
                        "%s not in %s" % (name, self.trash))
        with open(os.path.join(self.trash, "info", name + ".trashinfo")) as f:
            info = f.read()
        origin = [urllib.parse.unquote(l[5:]) for l in info.splitlines() if l.startswith("Path=")]
        self.assertEqual(origin, [path])

    def trashed_from(self):
        """{original path: name in the trash} of everything in the trash."""
        found = {}
        info = os.path.join(self.trash, "info")
        for entry in os.listdir(info) if os.path.isdir(info) else []:
            with open(os.path.join(info, entry)) as f:
                for line in f.read().splitlines():
                    if line.startswith("Path="):
                        found[urllib.parse.unquote(line[5:])] = entry[:-len(".trashinfo")]
        return found

    def assert_days_trashed(self, folder, names):
        """The folder is gone and each of its day files sits in the trash,
        which knows where it came from."""
        self.assertFalse(os.path.exists(folder), folder)
        trashed = self.trashed_from()
        for name in names:
            path = os.path.join(folder, name)
            self.assertIn(path, trashed)
            self.assertTrue(os.path.isfile(os.path.join(self.trash, "files", trashed[path])), path)



class ViewerDeleteTest(DeleteTreeTest):
    def test_each_delete_asks_and_moves_to_the_trash(self):
        self.start_viewer("Alice", "bob")
        self.wait_selected(("Alice", "bob", "2002-06-14 [Friday]"))
        self.wait_shown("friday with bob")

        # One day's file.
        friday = self.path("Alice", "bob", "2002-06-14 [Friday].html")
        question = ASK_DATE % ("Alice", "bob", "2002-06-14 [Friday]", harness.win_path(friday))
        self.refuse(vs.DELETE_DATE, question)
        self.ask(vs.DELETE_DATE, question)
        self.answer("&Yes")
        self.wait_selected(("Alice", "bob", "2002-06-12 [Wednesday]"))
        self.wait_shown("wednesday with bob")
        self.assert_trashed(friday)
        self.assertEqual(self.lists()["dates"], (["2002-06-12 [Wednesday]"], 0))

        # A buddy: the selection falls on the buddy whose name begins with it.
        bob = self.path("Alice", "bob")
        question = ASK_BUDDY % ("Alice", "bob", harness.win_path(bob))
        self.refuse(vs.DELETE_BUDDY, question)
        self.ask(vs.DELETE_BUDDY, question)
        self.answer("&Yes")
        self.wait_selected(("Alice", "bobby", "2002-06-01 [Saturday]"))
        self.wait_shown("the only day with bobby")
        self.assert_days_trashed(bob, ["2002-06-12 [Wednesday].html"])
        self.assertEqual(self.lists()["buddies"], (["bobby", "carol"], 0))

        # The only day of a buddy: the buddy stays, with no dates.
        only = self.path("Alice", "bobby", "2002-06-01 [Saturday].html")
        self.ask(vs.DELETE_DATE, ASK_DATE % ("Alice", "bobby", "2002-06-01 [Saturday]",
                                             harness.win_path(only)))
        self.answer("&Yes")
        self.wait_selected(("Alice", "bobby", None))
        self.assertEqual(self.lists()["dates"], ([], -1))
        self.assert_trashed(only)
        self.assertTrue(os.path.isdir(self.path("Alice", "bobby")))

        # A user whose name begins another's: that other user is selected.
        self.robot("select", CAPTION, USERS, 0)
        self.wait_selected(("Al", "xavier", "2002-05-05 [Sunday]"))
        self.wait_shown("al and xavier")
        al = self.path("Al")
        question = ASK_USER % ("Al", harness.win_path(al))
        self.refuse(vs.DELETE_USER, question)
        self.ask(vs.DELETE_USER, question)
        self.answer("&Yes")
        self.wait_selected(("Alice", "bobby", None))
        self.assert_days_trashed(os.path.join(al, "xavier"), ["2002-05-05 [Sunday].html"])
        self.assertFalse(os.path.exists(al))
        self.assertEqual(self.lists()["users"], (["Alice", "Zed"], 0))

        # Everything: the history folder itself stays, empty.
        question = ASK_ALL % harness.win_path(os.path.join(self.history, "*.*"))
        self.refuse(vs.CLEAR_ALL, question)
        self.ask(vs.CLEAR_ALL, question)
        self.answer("&Yes")
        harness.wait_until(lambda: self.selected() == (None, None, None), timeout=10,
                           what="empty lists")
        self.assertEqual(self.lists(), {"users": ([], -1), "buddies": ([], -1),
                                        "dates": ([], -1)})
        self.assertEqual(os.listdir(self.history), [])
        self.assert_days_trashed(self.path("Alice", "carol"), ["2002-06-02 [Sunday].html"])
        self.assert_days_trashed(self.path("Zed", "yves"), ["2002-06-03 [Monday].html"])
        # bobby's folder held no day any more: it is removed, nothing of it
        # went to the trash.
        self.assertFalse([p for p in self.trashed_from() if "bobby" in p and "Saturday" not in p])
        self.assertFalse(os.path.exists(self.path("Alice")))

        # With nothing listed the three "Del" buttons do nothing at all.
        for button in (vs.DELETE_USER, vs.DELETE_BUDDY, vs.DELETE_DATE):
            self.robot("click", CAPTION, button)
        self.no_box_within(1.5)
        self.assertTrue(os.path.isdir(self.history))

        # "Clear All" on the empty folder asks the same; the lists stay empty.
        self.ask(vs.CLEAR_ALL, question)
        self.answer("&Yes")
        self.no_box_within(1.0)
        self.assertEqual(self.selected(), (None, None, None))
        self.assertTrue(os.path.isdir(self.history))

        # A user that appears now is listed but not picked.
        vs.write_day(self.path("Newcomer", "pat"), datetime.date(2002, 7, 1),
                     vs.conversation(["newcomer and pat"]))
        harness.wait_until(lambda: self.lists()["users"] == (["Newcomer"], -1), timeout=10,
                           what="the new user listed")
        self.assertEqual(self.selected(), (None, None, None))


class DeletesHistoryOnlyTest(DeleteTreeTest):
    """A history folder that also holds other files and folders, as one
    pointed at Documents would: each button takes the history alone."""

    def setUp(self):
        super().setUp()
        self.others = [self.path("notes.txt"), self.path("Photos", "beach.jpg"),
                       self.path("Alice", "bob", "todo.txt"), self.path("Alice", "read me.txt"),
                       self.path("Alice", "bob", "old", "2002-01-01 [Tuesday].html")]
        for path in self.others:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write("not history")

    def assert_others_stay(self):
        for path in self.others:
            self.assertTrue(os.path.isfile(path), path)

    def delete(self, button, question):
        self.ask(button, question)
        self.answer("&Yes")

    def test_each_delete_takes_the_history_alone(self):
        self.start_viewer("Alice", "bob")
        self.wait_selected(("Alice", "bob", "2002-06-14 [Friday]"))
        bob = self.path("Alice", "bob")

        friday = os.path.join(bob, "2002-06-14 [Friday].html")
        self.delete(vs.DELETE_DATE, ASK_DATE % ("Alice", "bob", "2002-06-14 [Friday]",
                                                harness.win_path(friday)))
        self.wait_selected(("Alice", "bob", "2002-06-12 [Wednesday]"))
        self.assertFalse(os.path.exists(friday))
        self.assert_others_stay()

        # The buddy's folder keeps what is not history, so it stays.
        self.delete(vs.DELETE_BUDDY, ASK_BUDDY % ("Alice", "bob", harness.win_path(bob)))
        # The lists are emptied and listed afresh: Delete User asks only once
        # Alice is selected again.
        harness.wait_until(lambda: self.selected()[0] == "Alice" and
                           self.lists()["dates"] == ([], -1), timeout=10,
                           what="Alice selected again, bob without dates")
        self.assertEqual(sorted(os.listdir(bob)), ["old", "todo.txt"])
        self.assertIn(os.path.join(bob, "2002-06-12 [Wednesday].html"), self.trashed_from())
        self.assert_others_stay()

        # The user: carol's and bobby's folders go with their days; the
        # user's folder stays for what it holds besides.
        self.delete(vs.DELETE_USER, ASK_USER % ("Alice", self.win("Alice")))
        harness.wait_until(lambda: not os.path.exists(self.path("Alice", "carol")), timeout=10,
                           what="carol's folder gone")
        self.assertEqual(sorted(os.listdir(self.path("Alice"))), ["bob", "read me.txt"])
        self.assert_others_stay()

        # Everything: only Al's and Zed's days (and their folders) go.
        self.delete(vs.CLEAR_ALL, ASK_ALL % harness.win_path(os.path.join(self.history, "*.*")))
        harness.wait_until(lambda: not os.path.exists(self.path("Zed")), timeout=10,
                           what="Zed's folder gone")
        self.assertEqual(sorted(os.listdir(self.history)), ["Alice", "Photos", "notes.txt"])
        self.assert_others_stay()
        trashed = self.trashed_from()
        self.assertFalse([p for p in trashed if not p.endswith("].html")], trashed)
        self.assertEqual(len(trashed), 6)


if __name__ == "__main__":
    unittest.main()
