"""The setup program under Wine: a silent install into a temporary folder,
the installed launcher hooking the stand-in messenger, upgrades over a
running copy, a failed and a killed setup, the start with Windows for every
user, the permissions of a folder outside Program Files, and the
uninstaller, which leaves the history and (unless told otherwise) the
settings."""

import glob
import os
import re
import shutil
import subprocess
import unittest

import harness
from harness import Report, bin_file
from windows_files import link_target, version_info

SETUP = os.environ.get("CORVANE_SETUP")
SHIP = os.path.join(os.path.dirname(harness.BIN), "ship")
VERSION = tuple(int(n) for n in os.environ.get("CORVANE_VERSION", "0.0.0.0").split("."))
SHORT_VERSION = "%d.%d.%d" % VERSION[:3]
PREFIX_C = os.path.join(os.environ.get("WINEPREFIX", os.path.join(harness.SOURCE, "build",
                                                                  "wineprefix")), "drive_c")
# Where Wine keeps the Start menu and the desktop of all users.
START_MENU = os.path.join(PREFIX_C, "ProgramData", "Microsoft", "Windows", "Start Menu",
                          "Programs", "Corvane")
DESKTOP_LINK = os.path.join(PREFIX_C, "users", "Public", "Desktop", "Corvane.lnk")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
# Where an earlier setup started Corvane for the installing account alone.
ACCOUNT_RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"

PROGRAMS = {"Corvane.exe": "Corvane Launcher", "Corvane.dll": "Corvane Hook Library",
            "Corvane History Viewer.exe": "Corvane History Viewer"}
LINKS = {"Corvane.lnk": "Corvane.exe", "Corvane History Viewer.lnk": "Corvane History Viewer.exe",
         "Uninstall Corvane.lnk": "Uninstall.exe"}
# An NSIS setup that finds the library held by a messenger.
EXIT_LIBRARY_IN_USE = 2
# A setup that finds a folder outside Program Files holding other files.
EXIT_FOLDER_NOT_OURS = 145

# Wine's icacls changes nothing and only reports each command it was given,
# as a "fixme" message that the setup's children write to the robot's stderr.
ICACLS_MESSAGES = {"WINEDEBUG": "-all,fixme+icacls"}
ICACLS_STUB = re.compile(r"fixme:icacls:main stub: (.*)$")
ADMINISTRATORS, SYSTEM, USERS = "*S-1-5-32-544", "*S-1-5-18", "*S-1-5-32-545"


def icacls_commands(messages):
    """The argument lists of each icacls command in Wine's messages."""
    commands = []
    for line in messages.splitlines():
        m = ICACLS_STUB.search(line)
        if m:
            words = re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(1))
            commands.append([re.sub(r"\\(.)", r"\1", w) for w in words[1:]])
    return commands


def protecting_commands(folder):
    """What setup gives icacls for an install folder outside Program Files."""
    return [[folder, "/setowner", ADMINISTRATORS], [folder, "/reset"],
            [folder, "/inheritance:r", "/grant:r", ADMINISTRATORS + ":(OI)(CI)F",
             SYSTEM + ":(OI)(CI)F", USERS + ":(OI)(CI)RX"]]


class SetupTest(harness.WineTest):
    registers_host = True

    def registry_at_start(self):
        deleted, values = super().registry_at_start()
        # The launcher's default history folder lies in the install folder.
        values[harness.SETTINGS_KEY] = {"AlphaIM": 200}
        for key in (RUN_KEY, ACCOUNT_RUN_KEY):
            values[key] = {"Corvane": None}
        return deleted + [UNINSTALL_KEY], values

    def setUp(self):
        super().setUp()
        self.assertTrue(SETUP and os.path.exists(SETUP), "the package is built first")
        self.target = os.path.join(self.tmp, "Program Files", "Corvane")
        self.history = os.path.join(self.target, "Corvane History")
        self.forget_shortcuts()
        self.addCleanup(self.forget_shortcuts)
        self.messages = open(os.path.join(self.tmp, "wine.log"), "w+", encoding="latin-1")
        self.addCleanup(self.messages.close)
        self.robot = harness.Robot(env=ICACLS_MESSAGES, stderr=self.messages)
        self.addCleanup(self.robot.close)

    def forget_shortcuts(self):
        shutil.rmtree(START_MENU, ignore_errors=True)
        if os.path.exists(DESKTOP_LINK):
            os.remove(DESKTOP_LINK)

    def installed(self, name):
        return os.path.join(self.target, name)

    def start_silently(self, program, *switches, folder_switch):
        """Starts an NSIS program with /S; the folder switch comes last and
        unquoted, spaces and all, as NSIS wants it.  Its process id."""
        line = '"%s" /S %s %s=%s' % (harness.win_path(program), " ".join(switches), folder_switch,
                                      harness.win_path(self.target))
        return self.spawn(line)

    def spawn(self, line):
        """Starts a program through the robot.  One still running when the
        test ends is ended: under Wine a window of it left open would take
        in the next test's hook library and hold it."""
        pid = self.robot.spawn(line)
        self.addCleanup(lambda: self.robot.exit_code(pid) is None and harness.run(
            "taskkill", "/f", "/pid", str(pid)))
        return pid

    def wait_for_exit(self, pid):
        code = self.robot.exit_code(pid, 180000)
        self.assertIsNotNone(code, "the setup program ended")
        return code

    def start_setup(self, *switches):
        return self.start_silently(SETUP, *switches, folder_switch="/D")

    def setup(self, *switches):
        """A silent setup into the test's folder; its exit code."""
        return self.wait_for_exit(self.start_setup(*switches))

    def uninstall_in_place(self, *switches):
        """The uninstaller run in place (_?=), which can be waited for."""
        return self.wait_for_exit(self.start_silently(self.installed("Uninstall.exe"), *switches,
                                                      folder_switch="_?"))

    def launch(self, env):
        return self.start(self.installed("Corvane.exe"), env=env)

    def launch_session(self, script):
        """The installed launcher with the stand-in messenger running script."""
        self.report = Report(os.path.join(self.tmp, "host-%d.log" % len(self.processes)))
        path = self.report.path + ".txt"
        with open(path, "w") as f:
            f.write(script)
        return self.launch({"TESTHOST_REPORT": harness.win_path(self.report.path),
                            "TESTHOST_SCRIPT": harness.win_path(path)})

    # What an install leaves.

    def assert_programs_installed(self):
        names = set(os.listdir(self.target)) - {"Corvane History"}
        self.assertEqual(names, set(PROGRAMS) | {"Uninstall.exe"})
        for name, description in PROGRAMS.items():
            with open(self.installed(name), "rb") as f:
                data = f.read()
            with open(os.path.join(SHIP, name), "rb") as f:
                self.assertEqual(data, f.read(), name + " is the stripped program")
            info = version_info(data)
            self.assertEqual(info["product"], VERSION, name)
            self.assertEqual(info["file"], VERSION, name)
            strings = info["strings"]["040904b0"]
            self.assertEqual(strings["FileDescription"], description)
            self.assertEqual(strings["OriginalFilename"], name)
            self.assertEqual(strings["ProductVersion"], "%d, %d, %d, %d" % VERSION)
            self.assertEqual(strings["Comments"], "[ 06.10.2002 ]")

    def assert_links(self):
        self.assertEqual(sorted(os.listdir(START_MENU)), sorted(LINKS))
        for link, program in LINKS.items():
            with open(os.path.join(START_MENU, link), "rb") as f:
                self.assertEqual(link_target(f.read()), harness.win_path(self.installed(program)),
                                 link)

    def assert_add_remove_entry(self):
        values = harness.reg_values(UNINSTALL_KEY)
        folder = harness.win_path(self.target)
        uninstaller = '"%s\\Uninstall.exe"' % folder
        self.assertEqual({name: text for name, (_, text) in values.items() if name != "EstimatedSize"}, {
            "DisplayName": "Corvane " + SHORT_VERSION,
            "DisplayVersion": SHORT_VERSION,
            "Publisher": "Halvard",
            "DisplayIcon": folder + "\\Corvane.exe",
            "InstallLocation": folder,
            "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S",
            "NoModify": "0x1",
            "NoRepair": "0x1",
        })
        kind, size = values["EstimatedSize"]
        self.assertEqual(kind, "REG_DWORD")
        shipped = sum(os.path.getsize(self.installed(n)) for n in PROGRAMS) // 1024
        self.assertTrue(shipped <= int(size, 16) < shipped + 300, (size, shipped))

    def run_value(self):
        return harness.reg_values(RUN_KEY).get("Corvane")

    def account_run_value(self):
        return harness.reg_values(ACCOUNT_RUN_KEY).get("Corvane")

    def icacls_commands(self):
        """The icacls commands since the last call."""
        self.messages.seek(0)
        commands = icacls_commands(self.messages.read())
        self.messages.seek(0)
        self.messages.truncate()
        return commands

    def assert_uninstalled(self):
        for name in list(PROGRAMS) + ["Uninstall.exe"]:
            self.assertFalse(os.path.exists(self.installed(name)), name)
        self.assertEqual(glob.glob(self.installed("*.old")) + glob.glob(self.installed("*.new")), [])
        self.assertFalse(os.path.exists(START_MENU))
        self.assertFalse(os.path.exists(DESKTOP_LINK))
        self.assertIsNone(self.run_value())
        self.assertIsNone(self.account_run_value())
        self.assertEqual(harness.reg_values(UNINSTALL_KEY), {})

    def snapshot(self):
        """What a run that changes nothing leaves as it was."""
        files = {n: (os.stat(os.path.join(self.target, n)).st_ino,
                     os.stat(os.path.join(self.target, n)).st_mtime_ns)
                 for n in os.listdir(self.target) if n != "Corvane History"}
        return (files, harness.reg_values(UNINSTALL_KEY), self.run_value(),
                self.account_run_value())

    def log_a_conversation(self, buddy, text):
        launcher = self.launch_session("signon alice\nim %s\nreceive %s %s %s\nwait 1500\n"
                                       "close %s\nquit\n" % (buddy, buddy, buddy, text, buddy))
        self.report.wait_for("done", timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)
        days = glob.glob(os.path.join(self.history, "alice", buddy, "*.html"))
        self.assertEqual(len(days), 1, days)
        with open(days[0], "rb") as f:
            self.assertIn(text.encode(), f.read())

    def test_install_upgrade_over_running_copies_and_uninstall_in_place(self):
        self.assertEqual(self.setup(), 0)
        self.assert_programs_installed()
        self.assert_links()
        self.assertFalse(os.path.exists(DESKTOP_LINK))
        self.assert_add_remove_entry()
        self.assertIsNone(self.run_value())
        # The folder is not under Program Files: only administrators and the
        # system may write it.
        folder = harness.win_path(self.target)
        self.assertEqual(self.icacls_commands(), protecting_commands(folder))

        # The hook works from the installed place.
        self.log_a_conversation("bob", "hello from the installed copy")

        # A running launcher whose messenger the library never reached is
        # asked to quit, and the upgrade goes through.
        idle = Report(os.path.join(self.tmp, "idle.log"))
        launcher = self.launch({"TESTHOST_IDLE": "60000",
                                "TESTHOST_REPORT": harness.win_path(idle.path)})
        idle.wait_for("ready", timeout=60)
        upgrade = self.start_setup()
        self.assertEqual(launcher.wait(timeout=30), 0, "setup closes the launcher")
        harness.end_wine_desktop()
        self.assertEqual(self.wait_for_exit(upgrade), 0)
        self.assert_programs_installed()
        self.assert_add_remove_entry()
        # The history folder the launcher made inside keeps the access it has.
        self.assertEqual(self.icacls_commands(),
                         [[folder + "\\Corvane History", "/inheritance:d"]] +
                         protecting_commands(folder))

        # A messenger that the library entered holds it: the silent setup
        # closes the launcher, then stops with nothing changed.
        launcher = self.launch_session("signon alice\nim carol\nwait 60000\nquit\n")
        self.report.wait_for("created", timeout=60, **{"class": "AIM_IMessage"})
        before = self.snapshot()
        self.assertEqual(self.setup(), EXIT_LIBRARY_IN_USE)
        self.assertEqual(launcher.wait(timeout=30), 0, "setup closes the launcher")
        self.assertEqual(self.snapshot(), before)
        # So does the uninstaller.
        self.assertEqual(self.uninstall_in_place(), EXIT_LIBRARY_IN_USE)
        self.assertEqual(self.snapshot(), before)
        messenger = self.report.events("ready")[0]["pid"]
        harness.run("taskkill", "/f", "/pid", messenger)

        # Run in place (_?=), the uninstaller can be waited for; it cannot
        # delete its own running file, so it stays with the history.
        harness.end_wine_desktop()
        self.assertEqual(self.uninstall_in_place(), 0)
        self.assertEqual(sorted(os.listdir(self.target)), ["Corvane History", "Uninstall.exe"])
        os.remove(self.installed("Uninstall.exe"))
        self.assert_uninstalled()
        self.assertEqual(len(glob.glob(os.path.join(self.history, "alice", "bob", "*.html"))), 1)
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY)["AlphaIM"][1], "0xc8")

    def test_options_survive_an_upgrade_and_settings_go_when_asked(self):
        self.assertEqual(self.setup("/StartWithWindows", "/DesktopShortcut"), 0)
        exe = harness.win_path(self.installed("Corvane.exe"))
        started = ("REG_SZ", '"%s"' % exe)
        # For every user of the PC, not for the account that ran setup.
        self.assertEqual(self.run_value(), started)
        self.assertIsNone(self.account_run_value())
        with open(DESKTOP_LINK, "rb") as f:
            self.assertEqual(link_target(f.read()), exe)
        self.log_a_conversation("dave", "options on")

        # A silent upgrade without the switches keeps what was chosen.
        harness.end_wine_desktop()
        self.assertEqual(self.setup(), 0)
        self.assertEqual(self.run_value(), started)
        self.assertTrue(os.path.exists(DESKTOP_LINK))

        # So it does over an earlier setup's choice, which it moves from the
        # installing account to every user.
        harness.run("reg", "delete", RUN_KEY, "/v", "Corvane", "/f")
        harness.reg_add(ACCOUNT_RUN_KEY, "Corvane", '"%s"' % exe)
        self.assertEqual(self.setup(), 0)
        self.assertEqual(self.run_value(), started)
        self.assertIsNone(self.account_run_value())
        # An earlier setup's value that is still there goes with the uninstall.
        harness.reg_add(ACCOUNT_RUN_KEY, "Corvane", '"%s"' % exe)

        # As Add/Remove Programs starts it: the uninstaller copies itself
        # away, returns at once and removes its own file too.
        pid = self.spawn('"%s" /S /RemoveSettings' % harness.win_path(
            self.installed("Uninstall.exe")))
        self.assertEqual(self.wait_for_exit(pid), 0)
        harness.wait_until(lambda: not os.path.exists(self.installed("Uninstall.exe")),
                           timeout=60, what="the uninstaller's end")
        self.assert_uninstalled()
        self.assertEqual(os.listdir(self.target), ["Corvane History"])
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY), {})

    def box_with(self, text):
        """The caption of the visible message box that says text."""
        def find():
            for box in self.robot.dialogs():
                if any(text in c.get("text", "") for c in box["controls"]):
                    return box["caption"]
            return None
        return harness.wait_until(find, timeout=30, what="a box saying " + text)

    def wizard(self):
        """The uninstaller's window caption: NSIS ends it in a blank on some
        pages only."""
        return harness.wait_until(
            lambda: next((c for c in ("Corvane Uninstall", "Corvane Uninstall ")
                          if self.robot.window(c)), None), timeout=30, what="the uninstaller")

    def walk_interactive_uninstall(self, remove_settings):
        """Starts the uninstaller in place and clicks through to its work."""
        pid = self.spawn('"%s" _?=%s' % (
            harness.win_path(self.installed("Uninstall.exe")), harness.win_path(self.target)))
        harness.wait_until(lambda: self.robot.control(self.wizard(), 1006), timeout=30,
                           what="the confirmation page")
        self.assertEqual(self.robot("press", self.wizard(), "&Next >"), ["pressed"])
        box = harness.wait_until(lambda: self.robot.control(self.wizard(), 1201), timeout=30,
                                 what="the settings page")
        account = harness.run("cmd", "/c", "echo %USERNAME%").stdout.strip()
        self.assertEqual(box["text"], "Also remove the Corvane settings of " + account)
        self.assertEqual(box["checked"], "0", "unticked by default")
        if remove_settings:
            self.robot("click", self.wizard(), 1201)
        self.assertEqual(self.robot("press", self.wizard(), "&Uninstall"), ["pressed"])
        return pid

    def test_interactive_uninstall_offers_retry_while_the_messenger_holds_the_library(self):
        self.assertEqual(self.setup(), 0)
        self.launch_session("signon alice\nim carol\nwait 60000\nquit\n")
        self.report.wait_for("created", timeout=60, **{"class": "AIM_IMessage"})
        before = self.snapshot()

        # Asked first before the launcher is closed; then Cancel leaves all.
        pid = self.walk_interactive_uninstall(remove_settings=True)
        caption = self.box_with("Corvane is running.")
        self.assertEqual(self.robot("press", caption, "OK"), ["pressed"])
        caption = self.box_with("Corvane is still in use by your messenger.")
        self.assertEqual(self.robot("press", caption, "Cancel"), ["pressed"])
        self.assertEqual(self.wait_for_exit(pid), EXIT_LIBRARY_IN_USE)
        self.assertEqual(self.snapshot(), before)
        self.assertIn("AlphaIM", harness.reg_values(harness.SETTINGS_KEY))

        # Retry once the messenger is closed goes through.
        pid = self.walk_interactive_uninstall(remove_settings=True)
        caption = self.box_with("Corvane is still in use by your messenger.")
        harness.run("taskkill", "/f", "/pid", self.report.events("ready")[0]["pid"])
        harness.end_wine_desktop()
        self.assertEqual(self.robot("press", caption, "&Retry"), ["pressed"])
        # The last page's button becomes Close, enabled, once the work is done.
        harness.wait_until(lambda: (lambda b: b and b["text"] == "&Close" and b["enabled"] == "1")(
            self.robot.control(self.wizard(), 1)), timeout=60, what="the end of the uninstall")
        self.assertEqual(self.robot("press", self.wizard(), "&Close"), ["pressed"])
        self.assertEqual(self.wait_for_exit(pid), 0)
        os.remove(self.installed("Uninstall.exe"))
        self.assert_uninstalled()
        self.assertEqual(harness.reg_values(harness.SETTINGS_KEY), {})

    def test_failed_setup_keeps_the_old_programs_and_a_killed_one_is_repaired(self):
        self.assertEqual(self.setup(), 0)
        # Old programs, told apart by a mark at their end.
        for name in PROGRAMS:
            with open(self.installed(name), "ab") as f:
                f.write(b"old copy")
        # Something in the way of a new file.
        blocker = self.installed("Corvane.exe.new")
        os.makedirs(os.path.join(blocker, "in the way"))
        self.assertNotEqual(self.setup(), 0)
        for name in PROGRAMS:
            with open(self.installed(name), "rb") as f:
                self.assertTrue(f.read().endswith(b"old copy"), name)
        shutil.rmtree(blocker)
        self.assertEqual(glob.glob(self.installed("*.old")) + glob.glob(self.installed("*.new")), [])

        # What a setup killed half-way leaves: one program moved to its
        # backup and a torn new copy in its place, one new copy not yet moved.
        os.rename(self.installed("Corvane.dll"), self.installed("Corvane.dll.old"))
        with open(self.installed("Corvane.dll"), "wb") as f:
            f.write(b"MZ torn")
        with open(self.installed("Corvane History Viewer.exe.new"), "wb") as f:
            f.write(b"MZ torn too")
        self.assertEqual(self.setup(), 0)
        self.assert_programs_installed()
        self.assert_add_remove_entry()


    def test_a_folder_outside_program_files_holding_other_files_is_refused(self):
        os.makedirs(self.target)
        notes = self.installed("notes.txt")
        with open(notes, "w") as f:
            f.write("mine")
        self.assertEqual(self.setup(), EXIT_FOLDER_NOT_OURS)
        self.assertEqual(os.listdir(self.target), ["notes.txt"])
        self.assertEqual(self.icacls_commands(), [])
        self.assertEqual(harness.reg_values(UNINSTALL_KEY), {})

    def test_without_icacls_as_on_windows_xp_the_security_api_protects_the_folder(self):
        # Windows XP has no icacls.exe: setup gives the folder the same
        # permissions through the security API.  Wine keeps no owner and
        # shows a folder's permissions through its Unix mode bits only, so
        # what shows here is that setup goes through without icacls and
        # installs, the history folder inside kept.
        hidden = []
        for folder in ("system32", "syswow64"):
            path = os.path.join(PREFIX_C, "windows", folder, "icacls.exe")
            if os.path.exists(path):
                os.rename(path, path + ".hidden")
                hidden.append(path)
        self.addCleanup(lambda: [os.rename(path + ".hidden", path) for path in hidden])
        self.assertTrue(hidden, "the prefix has Wine's icacls.exe to hide")
        os.makedirs(self.history)
        self.assertEqual(self.setup(), 0)
        self.assert_programs_installed()
        self.assertTrue(os.path.isdir(self.history))
        self.assertEqual(self.icacls_commands(), [])

    def test_a_folder_under_program_files_keeps_the_permissions_it_has(self):
        self.target = os.path.join(PREFIX_C, "Program Files", "Corvane e2e")
        self.addCleanup(shutil.rmtree, self.target, True)
        pid = self.spawn('"%s" /S /D=C:\\Program Files\\Corvane e2e' % harness.win_path(SETUP))
        self.assertEqual(self.wait_for_exit(pid), 0)
        self.assertTrue(os.path.exists(self.installed("Corvane.dll")))
        self.assertEqual(self.icacls_commands(), [])
        self.assertEqual(self.wait_for_exit(self.spawn('"%s" /S _?=C:\\Program Files\\Corvane e2e' %
                                                       harness.win_path(self.installed("Uninstall.exe")))), 0)


class SetupProgramTest(unittest.TestCase):
    def test_asks_for_administrator_rights(self):
        with open(SETUP, "rb") as f:
            data = f.read()
        self.assertIn(b'level="requireAdministrator"', data)
        self.assertEqual(version_info(data)["product"], VERSION)


if __name__ == "__main__":
    unittest.main()
