"""The preferences dialog, opened from the launcher, a host or a process of
its own, driven through its controls as a user would: live previews reach
every Buddy List, IM and chat window of two host processes, Cancel and the
close box, OK's checks and what it stores, one dialog across processes."""

import os
import time
import unittest

import harness
import resource_ids
from harness import Report
from http_server import ReplyServer, unused_port

TITLE = "Corvane Preferences"
ERROR_CAPTION = "Corvane Error"
LAUNCHER_CLASS = resource_ids.launcher_window_class()
PROBE = "pref_dialog_probe.exe"
PROBE_VERSION_KEY = r"HKCU\Software\Wine\AppDefaults\pref_dialog_probe.exe"

CMD_APPLY_ALPHA = "20"
CMD_RELAYOUT = "30"
SC_CLOSE = 61536
VK_RETURN, VK_ESCAPE = 13, 27

# The dialog's controls as the robot names them, from the library's id header.
IDS = "hooklib/resources/corvane_resource_ids.h"
CHECK_NOW = resource_ids.control(IDS, "IDC_PREF_CHECK_NOW")
SHOW_GENERAL_BUTTONS = resource_ids.control(IDS, "IDC_PREF_SHOW_GENERAL_BUTTONS")
SHOW_LIST_BUTTONS = resource_ids.control(IDS, "IDC_PREF_SHOW_LIST_BUTTONS")
REMOVE_ADS = resource_ids.control(IDS, "IDC_PREF_REMOVE_ADS")
HISTORY_ON = resource_ids.control(IDS, "IDC_PREF_HISTORY_ON")
HISTORY_FOLDER = resource_ids.control(IDS, "IDC_PREF_HISTORY_FOLDER")
BROWSE_HISTORY_FOLDER = resource_ids.control(IDS, "IDC_PREF_BROWSE_HISTORY_FOLDER")
HOST_PATH = resource_ids.control(IDS, "IDC_PREF_HOST_PATH")
BROWSE_HOST_PATH = resource_ids.control(IDS, "IDC_PREF_BROWSE_HOST_PATH")
CONVERSATION_OPACITY = resource_ids.control(IDS, "IDC_PREF_CONVERSATION_OPACITY")
BUDDY_LIST_OPACITY = resource_ids.control(IDS, "IDC_PREF_BUDDY_LIST_OPACITY")
HOT_KEY = resource_ids.control(IDS, "IDC_PREF_HOT_KEY")
TRANSPARENT_WINDOWS = resource_ids.control(IDS, "IDC_PREF_TRANSPARENT_WINDOWS")
RELEASE_LABEL = resource_ids.control(IDS, "IDC_PREF_RELEASE_LABEL")
VERSION_LABEL = resource_ids.control(IDS, "IDC_PREF_VERSION_LABEL")
WEB_BUTTON = resource_ids.control(IDS, "IDC_PREF_WEB_BUTTON")
HELP_BUTTON = resource_ids.control(IDS, "IDC_PREF_HELP_BUTTON")
SOLID_WHEN_ACTIVE = resource_ids.control(IDS, "IDC_PREF_SOLID_WHEN_ACTIVE")
FADE_DOWN = resource_ids.control(IDS, "IDC_PREF_FADE_DOWN")
ALLOW_STOCK_TICKER = resource_ids.control(IDS, "IDC_PREF_ALLOW_STOCK_TICKER")
ALLOW_TODAY_POPUP = resource_ids.control(IDS, "IDC_PREF_ALLOW_TODAY_POPUP")
PROFILE_LINK = resource_ids.control(IDS, "IDC_PREF_PROFILE_LINK")
REMINDER_LIST = resource_ids.control(IDS, "IDC_PREF_REMINDER_LIST")
ALLOW_CLONING = resource_ids.control(IDS, "IDC_PREF_ALLOW_CLONING")
SHOW_MENU_BAR = resource_ids.control(IDS, "IDC_PREF_SHOW_MENU_BAR")
SHOW_TABS = resource_ids.control(IDS, "IDC_PREF_SHOW_TABS")
OK, CANCEL = "1", "2"  # IDOK, IDCANCEL
UPGRADE_REMINDER = resource_ids.control(IDS, "IDC_REMINDER")

UPGRADE_CAPTION = "Corvane Upgrade Monitor"
# The shell's boxes, as Wine makes them.
FILE_BOX = "AIM Executable Location"
FILE_NAME, FILE_TYPE = "1148", "1136"
FOLDER_BOX = "Browse for Folder"
FOLDER_BROWSER_TITLE = "14146"
FOLDER_TEXT = "Enter a valid folder for your AIM Histories."
RELATIVE_FOLDER_TEXT = ("Enter the full path of the folder for your AIM Histories, beginning with "
                        "its drive (such as C:\\) or its network share (such as \\\\server\\share).")
HOST_TEXT = "Enter the path to your AIM executable."

# What each Buddy List, IM and chat window receives per step, counted as
# (Buddy List re-layouts, Buddy List, IM and chat transparency commands).
OPENING = (1, 1, 1, 1)           # also Cancel
RELAYOUT = (1, 0, 0, 0)          # a Buddy List layout box
APPLY_ALPHA = (0, 1, 1, 1)       # a transparency box
SLIDER_MOVE = (0, 2, 2, 2)       # the robot's drag ends with a second WM_HSCROLL
NOTHING = (0, 0, 0, 0)

CHECK_BOXES = (REMOVE_ADS, SHOW_GENERAL_BUTTONS, SHOW_MENU_BAR, SHOW_TABS, SHOW_LIST_BUTTONS,
               HISTORY_ON, PROFILE_LINK, ALLOW_TODAY_POPUP, ALLOW_STOCK_TICKER, FADE_DOWN,
               SOLID_WHEN_ACTIVE, TRANSPARENT_WINDOWS, ALLOW_CLONING)
# The boxes whose settings the dialog previews (besides the two sliders).
PREVIEWED_BOXES = (SHOW_MENU_BAR, SHOW_TABS, SHOW_GENERAL_BUTTONS, SHOW_LIST_BUTTONS,
                   ALLOW_STOCK_TICKER, FADE_DOWN, SOLID_WHEN_ACTIVE)
BUDDY_LIST_BOXES = (SHOW_GENERAL_BUTTONS, SHOW_LIST_BUTTONS, ALLOW_STOCK_TICKER, SHOW_TABS,
                    SHOW_MENU_BAR)
TRANSPARENCY_CONTROLS = (SOLID_WHEN_ACTIVE, FADE_DOWN, CONVERSATION_OPACITY, BUDDY_LIST_OPACITY)

# Which table each stored setting belongs to, as `reg query` names the type.
STORED_TYPES = dict(
    [(name, "REG_DWORD") for name in (
        "AllowCloning", "AllowAIMTodayPopup", "AllowStockTicker", "CorvaneProfileLink",
        "CheckVersion", "Statistics", "RemoveAds", "ListButtons", "GenButtons",
        "ShowBLinTaskbar", "Menu", "Tabs", "Logging", "AlphaFadeDown", "OpaqueOnTop", "AlphaOn",
        "CheckVersionLastDay", "HotKey")] +
    [(name, "REG_BINARY") for name in ("AlphaIM", "AlphaBL")] +
    [(name, "REG_SZ") for name in ("CheckVersionLast", "LogDir", "AppPath", "Version")])


class PreferencesTest(harness.WineTest):
    registers_host = True

    def registry_at_start(self):
        deleted, values = super().registry_at_start()
        return deleted + [PROBE_VERSION_KEY], values

    def setUp(self):
        super().setUp()
        self.robot = self.house
        self.reports = []
        self.expected = []

    def tearDown(self):
        # A failed test may leave a box or the dialog open; then the hosts
        # quit through their menus.
        self.robot("press", ERROR_CAPTION, "OK")
        self.robot("click", TITLE, CANCEL)
        for _ in self.reports:
            quitted = self.hosts_done()
            if self.robot("command", "_Oscar_BuddyListWin", "30002") != ["posted"]:
                break
            harness.wait_until(lambda: self.hosts_done() > quitted, timeout=30,
                               what="a host to quit")
        super().tearDown()

    def hosts_done(self):
        return len([r for r in self.reports if r.events("done")])

    # ---- set-up helpers ----

    def store(self, dwords=None, binaries=None):
        """Writes settings into the registry in one import."""
        path = os.path.join(self.tmp, "settings.reg")
        with open(path, "w", encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n" %
                    harness.SETTINGS_KEY.replace("HKCU", "HKEY_CURRENT_USER"))
            for name, value in (dwords or {}).items():
                f.write('"%s"=dword:%08x\r\n' % (name, value & 0xFFFFFFFF))
            for name, value in (binaries or {}).items():
                f.write('"%s"=hex:%02x\r\n' % (name, value))
        done = harness.run("reg", "import", path)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def start_host(self, user, *launcher_args):
        """A stand-in host signed on as `user` with an IM and a chat window,
        started by the launcher (or handed to it with -clone)."""
        report = Report(os.path.join(self.tmp, "%s.log" % user))
        script = os.path.join(self.tmp, "%s.txt" % user)
        with open(script, "w") as f:
            f.write("signon %s\nim bob\nchat Lounge\nwait 600000\nquit\n" % user)
        self.start("Corvane.exe", *launcher_args,
                   env={"TESTHOST_REPORT": harness.win_path(report.path),
                        "TESTHOST_SCRIPT": harness.win_path(script)})
        report.wait_for("created", timeout=60, **{"class": "AIM_ChatWnd"})
        self.reports.append(report)
        return report

    def open_from_launcher(self):
        self.assertEqual(self.robot("command", LAUNCHER_CLASS, "10"), ["posted"])
        return self.wait_for_dialog()

    def wait_for_dialog(self):
        """The dialog once shown: it is made visible only after its opening
        steps (and their broadcasts) are done."""
        return harness.wait_until(
            lambda: self.robot.shown(TITLE), timeout=30, what="the preferences dialog")

    def wait_until_settled(self):
        """The dialog in the foreground with the same control focused for
        half a second."""
        seen = []

        def settled():
            w = self.robot.window(TITLE)
            seen.append((w["foreground"], w["focus"]))
            return len(seen) >= 6 and len(set(seen[-6:])) == 1 and seen[-1][0] == "1"
        harness.wait_until(settled, timeout=30, interval=0.1, what="the dialog to settle")

    def wait_for_dialog_gone(self):
        harness.wait_until(lambda: self.robot.window(TITLE) is None, timeout=30,
                           what="the preferences dialog to close")

    def start_probe(self, *args):
        return self.start(PROBE, *args, stdin=None)

    def probe_result(self, probe):
        line = probe.stdout.readline().strip()
        self.assertEqual(probe.wait(timeout=30), 0)
        return line

    # ---- reading the dialog and the hosts ----

    def control(self, control_id):
        return self.robot.control(TITLE, control_id)

    def checked(self, control_id):
        return self.control(control_id)["checked"] == "1"

    def ticks(self):
        """{box: ticked} of every check box."""
        return {c["id"]: c["checked"] == "1" for c in self.robot.controls(TITLE)
                if c["class"] == "Button" and "checked" in c and c["id"] in CHECK_BOXES}

    def enabled(self, control_id):
        return self.control(control_id)["enabled"] == "1"

    def alphas(self, cls):
        """{pid: (layered, value)} of the class's top-level windows."""
        return {a["pid"]: (a["layered"], int(a["value"])) for a in self.robot.alpha(cls)}

    def wait_for_alpha(self, cls, layered, value, count=2):
        want = (layered, value)
        try:
            harness.wait_until(
                lambda: (lambda got: len(got) == count and all(v == want for v in got.values()))(
                    self.alphas(cls)), timeout=20)
        except AssertionError:
            self.fail("%s should be %r in %d processes, is %r" % (cls, want, count, self.alphas(cls)))

    @staticmethod
    def commands(report, cls, code):
        return len([e for e in report.events("syscommand")
                    if e.get("class") == cls and e.get("code") == code])

    def broadcast_counts(self, report):
        """(relayouts, Buddy List alphas, IM alphas, chat alphas) seen."""
        return (self.commands(report, "_Oscar_BuddyListWin", CMD_RELAYOUT),
                self.commands(report, "_Oscar_BuddyListWin", CMD_APPLY_ALPHA),
                self.commands(report, "AIM_IMessage", CMD_APPLY_ALPHA),
                self.commands(report, "AIM_ChatWnd", CMD_APPLY_ALPHA))

    def all_counts(self):
        return [self.broadcast_counts(r) for r in self.reports]

    def expect_broadcasts(self, step):
        """Waits until every host has received `step` more broadcasts than
        expected so far; the hosts report each as it arrives."""
        so_far = self.expected or [NOTHING] * len(self.reports)
        self.expected = [tuple(a + b for a, b in zip(counts, step)) for counts in so_far]
        try:
            harness.wait_until(lambda: self.all_counts() == self.expected, timeout=20)
        except AssertionError:
            self.fail("broadcasts seen %r, expected %r; the hosts' reports:\n%s" % (
                self.all_counts(), self.expected,
                "\n".join("\n".join(r.lines()) for r in self.reports)))

    def client_height(self, user):
        return int(self.robot.window("%s's Buddy List" % user)["client"].split(",")[1])

    def client_heights(self):
        return [self.client_height(user) for user in ("alice", "carol")]

    def menu_bars_gone(self, with_menu):
        return all(now > then for now, then in zip(self.client_heights(), with_menu))

    @staticmethod
    def status_notes(report):
        return [e["wparam"] for e in report.events("status-notify")]

    def error_box(self):
        """(owner, texts) of the open "Corvane Error" box."""
        lines = harness.wait_until(
            lambda: [l for l in self.robot("dialogs", ERROR_CAPTION) if l.startswith(("dialog ", "control "))],
            timeout=20, what="the error box")
        owner = harness.parse_fields(lines[0])["owner"]
        texts = [harness.parse_robot_line(l, "text")["text"] for l in lines[1:]]
        return owner, texts

    def ok_is_refused_with(self, message, focus):
        dialog = self.robot.window(TITLE)
        self.robot("click", TITLE, OK)
        owner, texts = self.error_box()
        self.assertEqual(int(owner, 16), int(dialog["hwnd"], 16), "the box belongs to the dialog")
        self.assertIn(message, texts)
        self.assertIn("OK", texts)
        self.assertEqual(self.robot("press", ERROR_CAPTION, "OK"), ["pressed"])
        harness.wait_until(lambda: self.robot.window(TITLE)["focus"] == focus, timeout=20,
                           what="the focus in %s" % focus)
        self.assertIsNotNone(self.robot.window(TITLE), "the dialog stays open")

    def stored(self):
        return harness.reg_values(harness.SETTINGS_KEY)


class LivePreviewTest(PreferencesTest):
    def test_previews_reach_two_hosts_cancel_restores_and_the_close_box_does_not(self):
        # Not solid while active: activation and fading leave the opacity alone.
        self.store(dwords={"AlphaOn": 1, "OpaqueOnTop": 0}, binaries={"AlphaIM": 200, "AlphaBL": 230})
        alice = self.start_host("alice")
        carol = self.start_host("carol", "-clone")
        self.wait_for_alpha("AIM_IMessage", "1", 200)
        self.wait_for_alpha("_Oscar_BuddyListWin", "1", 230)
        with_menu = self.client_heights()
        before = self.stored()

        # Opening: one re-layout and one transparency broadcast, in both hosts.
        self.open_from_launcher()
        self.expect_broadcasts(OPENING)
        self.assertEqual(sorted(self.status_notes(alice) + self.status_notes(carol)), ["0"])
        self.assertEqual(self.control(CONVERSATION_OPACITY)["pos"], "55")
        self.assertEqual(self.control(BUDDY_LIST_OPACITY)["pos"], "25")
        ticks = self.ticks()
        self.assertEqual(len(ticks), len(CHECK_BOXES))

        # Sliders: both hosts follow at once.
        self.robot("trackbar", TITLE, CONVERSATION_OPACITY, "100")
        self.expect_broadcasts(SLIDER_MOVE)
        self.wait_for_alpha("AIM_IMessage", "1", 155)
        self.wait_for_alpha("AIM_ChatWnd", "1", 155)
        self.robot("trackbar", TITLE, BUDDY_LIST_OPACITY, "205")
        self.expect_broadcasts(SLIDER_MOVE)
        self.wait_for_alpha("_Oscar_BuddyListWin", "1", 50)

        # The menu bar goes in both Buddy Lists.
        self.robot("click", TITLE, SHOW_MENU_BAR)
        self.expect_broadcasts(RELAYOUT)
        harness.wait_until(lambda: self.menu_bars_gone(with_menu),
                           what="both Buddy Lists without their menu bars")
        # The other previewed boxes, each with its broadcast.
        for box in (SHOW_TABS, SHOW_GENERAL_BUTTONS, SHOW_LIST_BUTTONS, ALLOW_STOCK_TICKER):
            self.robot("click", TITLE, box)
            self.expect_broadcasts(RELAYOUT)
        for box in (FADE_DOWN, SOLID_WHEN_ACTIVE):
            self.robot("click", TITLE, box)
            self.expect_broadcasts(APPLY_ALPHA)
        self.assertEqual([self.checked(box) for box in PREVIEWED_BOXES],
                         [not ticks[box] for box in PREVIEWED_BOXES])
        # Remove Ads off: the five boxes under it are disabled.
        self.robot("click", TITLE, REMOVE_ADS)
        self.expect_broadcasts(RELAYOUT)
        self.assertFalse(any(self.enabled(i) for i in BUDDY_LIST_BOXES))
        # Transparency off: its controls are disabled, every window opaque.
        self.robot("click", TITLE, TRANSPARENT_WINDOWS)
        self.expect_broadcasts(APPLY_ALPHA)
        self.assertFalse(any(self.enabled(i) for i in TRANSPARENCY_CONTROLS))
        for cls in ("_Oscar_BuddyListWin", "AIM_IMessage", "AIM_ChatWnd"):
            self.wait_for_alpha(cls, "0", 255)

        # Cancel: the eleven values come back, one broadcast of each kind.
        self.robot("click", TITLE, CANCEL)
        self.wait_for_dialog_gone()
        self.expect_broadcasts(OPENING)
        self.wait_for_alpha("_Oscar_BuddyListWin", "1", 230)
        self.wait_for_alpha("AIM_IMessage", "1", 200)
        self.wait_for_alpha("AIM_ChatWnd", "1", 200)
        harness.wait_until(lambda: self.client_heights() == with_menu, what="the menu bars back")
        self.assertEqual(sorted(self.status_notes(alice) + self.status_notes(carol)), ["0", "1"])
        self.assertEqual(self.stored(), before, "Cancel saves nothing")

        # Reopened, everything shows the restored values.
        self.open_from_launcher()
        self.expect_broadcasts(OPENING)
        self.assertEqual(self.ticks(), ticks)
        self.assertEqual(self.control(CONVERSATION_OPACITY)["pos"], "55")
        self.assertEqual(self.control(BUDDY_LIST_OPACITY)["pos"], "25")

        # The close box: previews stay in effect, nothing is broadcast or saved.
        self.robot("trackbar", TITLE, CONVERSATION_OPACITY, "150")
        self.expect_broadcasts(SLIDER_MOVE)
        self.robot("click", TITLE, SHOW_MENU_BAR)
        self.expect_broadcasts(RELAYOUT)
        self.robot("sys", TITLE, str(SC_CLOSE))
        self.wait_for_dialog_gone()
        time.sleep(0.5)
        self.expect_broadcasts(NOTHING)
        self.wait_for_alpha("AIM_IMessage", "1", 105)
        harness.wait_until(lambda: self.menu_bars_gone(with_menu), what="the menu bars still gone")
        self.assertEqual(self.stored(), before, "the close box saves nothing")

        # Still previewed when the dialog opens again.
        self.open_from_launcher()
        self.assertEqual(self.control(CONVERSATION_OPACITY)["pos"], "150")
        self.assertFalse(self.checked(SHOW_MENU_BAR))
        self.robot("click", TITLE, CANCEL)
        self.wait_for_dialog_gone()


class OkTest(PreferencesTest):
    # The messenger and the viewer would each resolve it against a folder of
    # their own; the messenger's (beside the stand-in host) stays untouched.
    # (With history off the folder is disabled and not checked; every reader
    # of the setting takes a relative one for none.)
    def test_a_folder_without_its_drive_is_refused_and_never_made(self):
        self.start_host("alice")
        self.open_from_launcher()
        # Refused at once, the first box could open before the window
        # manager's late answer to the dialog's showing, whose activation
        # then puts the focus back where the dialog last had it.
        self.wait_until_settled()
        relative = "Relative History"
        made = os.path.join(harness.BIN, relative)
        self.robot("settext", TITLE, HISTORY_FOLDER, relative)
        self.ok_is_refused_with(RELATIVE_FOLDER_TEXT, HISTORY_FOLDER)
        self.robot("settext", TITLE, HISTORY_FOLDER, "C:Relative History")
        self.ok_is_refused_with(RELATIVE_FOLDER_TEXT, HISTORY_FOLDER)
        self.assertFalse(os.path.exists(made), made)
        self.assertEqual(self.stored()["LogDir"][1], harness.win_path(self.history))
        self.robot("click", TITLE, CANCEL)
        self.wait_for_dialog_gone()

    def test_ok_checks_the_fields_then_stores_and_saves_everything(self):
        # Opacity below what the slider offers; the default hot key.
        self.store(dwords={"AlphaOn": 1, "CheckVersion": 1}, binaries={"AlphaIM": 32, "AlphaBL": 255})
        alice = self.start_host("alice")
        self.open_from_launcher()
        self.expect_broadcasts(OPENING)
        self.assertEqual(self.control(CONVERSATION_OPACITY)["pos"], "205")
        self.assertEqual(self.control(BUDDY_LIST_OPACITY)["pos"], "0")
        hot_key = self.control(HOT_KEY)
        self.assertEqual(hot_key["hotkey"], "0x641", "Ctrl+Alt+A")
        self.assertEqual((hot_key["visible"], hot_key["enabled"]), ("0", "0"))
        self.assertEqual(self.control(REMINDER_LIST)["text"], "next version.")
        host_path = self.control(HOST_PATH)["text"]
        self.assertTrue(host_path.lower().endswith("testhost.exe"), host_path)

        # History on, the folder's parent missing: the folder message.
        missing = harness.win_path(os.path.join(self.tmp, "no", "such", "History"))
        self.robot("settext", TITLE, HISTORY_FOLDER, missing)
        self.ok_is_refused_with(FOLDER_TEXT, HISTORY_FOLDER)
        # A valid folder, a host path that names nothing: the host message.
        self.robot("settext", TITLE, HISTORY_FOLDER, harness.win_path(self.tmp))
        self.robot("settext", TITLE, HOST_PATH, harness.win_path(os.path.join(self.tmp, "aim.exe")))
        self.ok_is_refused_with(HOST_TEXT, HOST_PATH)
        # A folder is no executable either.
        self.robot("settext", TITLE, HOST_PATH, harness.win_path(self.tmp))
        self.ok_is_refused_with(HOST_TEXT, HOST_PATH)
        # History off: the folder is not checked, but the host path still is.
        self.robot("click", TITLE, HISTORY_ON)
        harness.wait_until(lambda: not self.enabled(HISTORY_FOLDER)
                           and not self.enabled(BROWSE_HISTORY_FOLDER),
                           what="the folder controls disabled")
        self.robot("settext", TITLE, HISTORY_FOLDER, missing)
        self.robot("settext", TITLE, HOST_PATH, harness.win_path(os.path.join(self.tmp, "aim.exe")))
        self.ok_is_refused_with(HOST_TEXT, HOST_PATH)
        self.assertEqual(self.stored()["LogDir"][1], harness.win_path(self.history),
                         "a refused OK stores nothing")

        # History on again with a new folder whose parent exists; every box
        # that only OK stores is changed; "never." as the reminder.
        self.robot("click", TITLE, HISTORY_ON)
        fresh = os.path.join(self.tmp, "Fresh History")
        self.robot("settext", TITLE, HISTORY_FOLDER, harness.win_path(fresh))
        self.robot("settext", TITLE, HOST_PATH, host_path)
        self.expect_broadcasts(NOTHING)
        for box in (ALLOW_CLONING, PROFILE_LINK, ALLOW_TODAY_POPUP, ALLOW_STOCK_TICKER, FADE_DOWN,
                    SHOW_GENERAL_BUTTONS):
            self.robot("click", TITLE, box)
        self.robot("select", TITLE, REMINDER_LIST, "2")
        self.robot("trackbar", TITLE, BUDDY_LIST_OPACITY, "100")
        # Stock ticker and general buttons re-lay out; fading and the
        # slider's two moves re-apply opacity; the rest waits for OK.
        self.expect_broadcasts((2, 3, 3, 3))
        # OK: transparency, the dialog closes, re-layout, save.
        self.robot("click", TITLE, OK)
        self.wait_for_dialog_gone()
        harness.wait_until(lambda: len(self.stored()) == 24, what="the save")
        self.expect_broadcasts(OPENING)
        self.assertTrue(os.path.isdir(fresh), "OK makes the history folder")
        self.assertEqual(self.status_notes(alice), ["0", "1"])

        stored = self.stored()
        self.assertEqual({name: kind for name, (kind, _) in stored.items()}, STORED_TYPES)
        want = {"AlphaIM": "32", "AlphaBL": "9b", "HotKey": "0x30041", "CheckVersion": "0xffffffff",
                "AllowCloning": "0x0", "CorvaneProfileLink": "0x1", "AllowAIMTodayPopup": "0x1",
                "AllowStockTicker": "0x1", "AlphaFadeDown": "0x0", "GenButtons": "0x0",
                "Logging": "0x1", "AlphaOn": "0x1", "RemoveAds": "0x1", "Menu": "0x1", "Tabs": "0x1",
                "ListButtons": "0x1", "OpaqueOnTop": "0x1"}
        self.assertEqual({name: stored[name][1].lower() for name in want}, want)
        self.assertEqual(stored["LogDir"][1], harness.win_path(fresh))
        self.assertEqual(stored["AppPath"][1], host_path)

        # Reopened: the stored values show, and OK with nothing changed keeps
        # the hot key and the opacity clamped to 50.
        self.open_from_launcher()
        self.assertEqual(self.control(CONVERSATION_OPACITY)["pos"], "205")
        self.assertEqual(self.control(REMINDER_LIST)["text"], "never.")
        # History off and an invalid folder: accepted, the text stored as typed.
        self.robot("click", TITLE, HISTORY_ON)
        self.robot("settext", TITLE, HISTORY_FOLDER, "Q:\\not a folder")
        harness.wait_until(lambda: not self.checked(HISTORY_ON), what="history off")
        self.robot("key", TITLE, "0", str(VK_RETURN))
        self.wait_for_dialog_gone()
        harness.wait_until(lambda: self.stored()["LogDir"][1] == "Q:\\not a folder", what="the save")
        stored = self.stored()
        self.assertEqual(stored["HotKey"][1], "0x30041")
        self.assertEqual(stored["AlphaIM"][1], "32")
        self.assertEqual(stored["Logging"][1], "0x0")

        # The dialog shows the running launcher's version and release.
        self.open_from_launcher()
        self.assertEqual(self.control(VERSION_LABEL)["text"], "version " + stored["Version"][1])
        self.assertEqual(self.control(RELEASE_LABEL)["text"], "released [ 06.10.2002 ]")
        shown = []
        for index in range(3):
            self.robot("select", TITLE, REMINDER_LIST, str(index))
            shown.append(self.control(REMINDER_LIST)["text"])
        self.assertEqual(shown, ["all versions.", "next version.", "never."])
        self.robot("key", TITLE, "0", str(VK_ESCAPE))
        self.wait_for_dialog_gone()


class OneDialogTest(PreferencesTest):
    def test_a_second_opening_anywhere_brings_the_open_dialog_forward(self):
        alice = self.start_host("alice")
        self.open_from_launcher()
        self.expect_broadcasts(OPENING)
        self.assertEqual(self.status_notes(alice), ["0"])

        # From the host's Buddy List and from another process: no second
        # dialog, no note to the host, no broadcast; the probe gets 0.
        self.assertEqual(self.robot("syscommand", "_Oscar_BuddyListWin", "10"), ["posted"])
        self.assertEqual(self.probe_result(self.start_probe()), "result 0")
        harness.wait_until(lambda: self.commands(alice, "_Oscar_BuddyListWin", "10") == 1,
                           what="the host to see its command")
        dialogs = [l for l in self.robot("dialogs", TITLE) if l.startswith("dialog ")]
        self.assertEqual(len(dialogs), 1)
        self.assertEqual(self.status_notes(alice), ["0"])
        self.expect_broadcasts(NOTHING)
        self.robot("click", TITLE, CANCEL)
        self.wait_for_dialog_gone()
        self.expect_broadcasts(OPENING)

        # DoPrefDlg's result in a process of its own: 0 after Cancel, 1 after OK.
        probe = self.start_probe()
        self.wait_for_dialog()
        self.assertNotEqual(self.robot.window(TITLE)["pid"],
                            self.robot.window("alice's Buddy List")["pid"])
        self.robot("click", TITLE, CANCEL)
        self.assertEqual(self.probe_result(probe), "result 0")
        probe = self.start_probe()
        self.wait_for_dialog()
        self.robot("click", TITLE, OK)
        self.assertEqual(self.probe_result(probe), "result 1")
        self.assertEqual(len(self.stored()), 24)
        self.assertEqual(self.status_notes(alice), ["0", "1", "0", "1", "0", "1"])


class BrowseTest(PreferencesTest):
    def wait_for_box(self, caption):
        """The box once it shows: before that its dialog may still be filling
        itself (the folder browser lists the shell's folders) and not answer
        the robot's questions."""
        return harness.wait_until(
            lambda: self.robot.shown(caption), timeout=20, what="the %s box" % caption)

    def wait_for_box_gone(self, caption):
        harness.wait_until(lambda: self.robot.window(caption) is None, timeout=20,
                           what="the %s box to close" % caption)

    def test_the_browse_buttons_fill_their_fields_and_cancelling_keeps_them(self):
        probe = self.start_probe("load")
        self.wait_for_dialog()
        host_path = self.control(HOST_PATH)["text"]
        folder = self.control(HISTORY_FOLDER)["text"]

        # The host executable, chosen in the open-file dialog.
        self.robot("click", TITLE, BROWSE_HOST_PATH)
        self.wait_for_box(FILE_BOX)
        self.assertEqual(self.robot.control(FILE_BOX, FILE_NAME)["text"], "aim.exe")
        self.assertEqual(self.robot.control(FILE_BOX, FILE_TYPE)["text"], "AIM.EXE (aim.exe)")
        self.assertEqual(self.robot("press", FILE_BOX, "Cancel"), ["pressed"])
        self.wait_for_box_gone(FILE_BOX)
        self.assertEqual(self.control(HOST_PATH)["text"], host_path,
                         "a cancelled box changes nothing")
        aim = os.path.join(self.tmp, "aim.exe")
        open(aim, "wb").close()
        self.robot("click", TITLE, BROWSE_HOST_PATH)
        self.wait_for_box(FILE_BOX)
        self.robot("settext", FILE_BOX, FILE_NAME, harness.win_path(aim))
        self.assertEqual(self.robot("press", FILE_BOX, "&Open"), ["pressed"])
        self.wait_for_box_gone(FILE_BOX)
        self.assertEqual(self.control(HOST_PATH)["text"].lower(), harness.win_path(aim).lower())

        # The history folder, through the shell's folder browser, which
        # starts with the desktop selected.
        self.robot("click", TITLE, BROWSE_HISTORY_FOLDER)
        self.wait_for_box(FOLDER_BOX)
        self.assertEqual(self.robot.control(FOLDER_BOX, FOLDER_BROWSER_TITLE)["text"],
                         "AIM History Folder")
        self.assertEqual(self.robot("press", FOLDER_BOX, "Cancel"), ["pressed"])
        self.wait_for_box_gone(FOLDER_BOX)
        self.assertEqual(self.control(HISTORY_FOLDER)["text"], folder,
                         "a cancelled browser changes nothing")
        self.robot("click", TITLE, BROWSE_HISTORY_FOLDER)
        self.wait_for_box(FOLDER_BOX)
        self.assertEqual(self.robot("press", FOLDER_BOX, "OK"), ["pressed"])
        self.wait_for_box_gone(FOLDER_BOX)
        self.assertRegex(self.control(HISTORY_FOLDER)["text"], r"^C:\\users\\[^\\]+\\Desktop$")

        self.robot("click", TITLE, CANCEL)
        self.assertEqual(self.probe_result(probe), "result 0")


class ButtonsTest(PreferencesTest):
    def setUp(self):
        super().setUp()
        # The shell hands web addresses to Wine's browser launcher.
        self.opened = harness.use_recording_browser(self, self.tmp)

    def tearDown(self):
        self.robot("click", UPGRADE_CAPTION, CANCEL)
        super().tearDown()

    def opened_addresses(self):
        try:
            with open(self.opened) as f:
                return [line.strip() for line in f]
        except FileNotFoundError:
            return []

    def test_web_help_and_check_now_leave_the_dialog_open(self):
        with ReplyServer(b"header\r\nVERSIONINFO_v2\r\n9.9.9\r\nMay 1\r\n1\r\nnew\r\n"
                         b"http://127.0.0.1/get.exe\r\nchanges") as server:
            site = "http://127.0.0.1:%d" % unused_port()
            probe = self.start(PROBE, "load", env={"CORVANE_WEB_SITE": site,
                                                   "CORVANE_UPDATE_SERVER": server.base_url})
            self.wait_for_dialog()
            self.robot("click", TITLE, WEB_BUTTON)
            harness.wait_until(lambda: len(self.opened_addresses()) == 1, what="the web site")
            self.robot("click", TITLE, HELP_BUTTON)
            harness.wait_until(lambda: len(self.opened_addresses()) == 2, what="the help page")
            self.assertEqual(self.opened_addresses(),
                             [site + "/", site + "/help.php?product=corvane"])
            # Check Now! asks the update server on a thread of its own.
            self.robot("click", TITLE, CHECK_NOW)
            harness.wait_until(server.requests, what="the version request")
            self.assertEqual(server.requests()[0][0], "/version3.php?product=corvane")
            harness.wait_until(lambda: self.robot.shown(UPGRADE_CAPTION), timeout=20,
                               what="the check's dialog")
            self.assertEqual(self.robot.window(TITLE)["visible"], "1")
            self.robot("click", UPGRADE_CAPTION, CANCEL)
            harness.wait_until(lambda: self.robot.window(UPGRADE_CAPTION) is None,
                               what="the check's dialog to close")
            self.robot("click", TITLE, CANCEL)
            self.assertEqual(self.probe_result(probe), "result 0")

    def test_web_and_help_open_only_an_http_or_https_site(self):
        # Wine's shell hands ftp addresses to the browser as well.
        probe = self.start(PROBE, "load",
                           env={"CORVANE_WEB_SITE": "ftp://127.0.0.1:%d" % unused_port()})
        self.wait_for_dialog()
        for button in (WEB_BUTTON, HELP_BUTTON):
            self.assertEqual(self.robot("click", TITLE, button), ["clicked"])
        self.robot("click", TITLE, CANCEL)
        self.assertEqual(self.probe_result(probe), "result 0")
        # A refused address would have been handed on before this one.
        site = "http://127.0.0.1:%d" % unused_port()
        probe = self.start(PROBE, "load", env={"CORVANE_WEB_SITE": site})
        self.wait_for_dialog()
        self.robot("click", TITLE, WEB_BUTTON)
        harness.wait_until(self.opened_addresses, what="the web site")
        time.sleep(1)
        self.assertEqual(self.opened_addresses(), [site + "/"])
        self.robot("click", TITLE, CANCEL)
        self.assertEqual(self.probe_result(probe), "result 0")


class CheckNowTest(PreferencesTest):
    REPLY = (b"header\r\nVERSIONINFO_v2\r\n9.9.9\r\nMay 1\r\n1\r\nnew\r\n"
             b"http://127.0.0.1/get.exe\r\nchanges")

    def tearDown(self):
        self.robot("click", UPGRADE_CAPTION, CANCEL)
        super().tearDown()

    def reminder(self):
        return self.control(REMINDER_LIST)["text"]

    def check_now_and_close(self, choice=None):
        """Check Now!, then the check's dialog closed with Close after
        choosing `choice`, or with its close box when None."""
        self.robot("click", TITLE, CHECK_NOW)
        harness.wait_until(lambda: (self.robot.items(UPGRADE_CAPTION, UPGRADE_REMINDER) or ([],))[0],
                           timeout=30, what="the check's dialog")
        if choice is None:
            self.robot("sys", UPGRADE_CAPTION, SC_CLOSE)
        else:
            self.robot("select", UPGRADE_CAPTION, UPGRADE_REMINDER, str(choice))
            self.robot("click", UPGRADE_CAPTION, CANCEL)
        harness.wait_until(lambda: self.robot.window(UPGRADE_CAPTION) is None,
                           what="the check's dialog to close")

    def test_ok_keeps_the_reminder_choice_of_a_check_from_the_dialog(self):
        self.store(dwords={"CheckVersion": 0})
        with ReplyServer(self.REPLY) as server:
            probe = self.start(PROBE, "load", env={"CORVANE_UPDATE_SERVER": server.base_url})
            self.wait_for_dialog()
            self.assertEqual(self.reminder(), "all versions.")
            self.check_now_and_close(choice=2)
            harness.wait_until(lambda: self.reminder() == "never.", what="the check's choice shown")
            self.robot("click", TITLE, OK)
            self.assertEqual(self.probe_result(probe), "result 1")
        self.assertEqual(self.stored()["CheckVersion"][1], "0xffffffff")

    def test_a_check_closed_without_a_choice_leaves_the_users_own(self):
        self.store(dwords={"CheckVersion": 0})
        with ReplyServer(self.REPLY) as server:
            probe = self.start(PROBE, "load", env={"CORVANE_UPDATE_SERVER": server.base_url})
            self.wait_for_dialog()
            self.robot("select", TITLE, REMINDER_LIST, "1")
            self.check_now_and_close(choice=None)
            harness.wait_until(lambda: len(self.stored()) == 24, what="the check's save")
            self.assertEqual(self.reminder(), "next version.")
            self.robot("click", TITLE, OK)
            self.assertEqual(self.probe_result(probe), "result 1")
        self.assertEqual(self.stored()["CheckVersion"][1], "0x1")


class WithoutLayeredWindowsTest(PreferencesTest):
    def test_transparency_group_is_disabled_where_the_system_lacks_it(self):
        # Wine answers the version query for this program as NT 4.0 would.
        harness.reg_add(PROBE_VERSION_KEY, "Version", "nt40")
        self.store(dwords={"AlphaOn": 1})
        probe = self.start_probe("load")
        self.wait_for_dialog()
        box = self.control(TRANSPARENT_WINDOWS)
        self.assertEqual((box["checked"], box["enabled"]), ("0", "0"))
        for control_id in TRANSPARENCY_CONTROLS:
            self.assertFalse(self.enabled(control_id), control_id)
        self.robot("click", TITLE, OK)
        self.assertEqual(self.probe_result(probe), "result 1")
        self.assertEqual(self.stored()["AlphaOn"][1], "0x0")


if __name__ == "__main__":
    unittest.main()
