"""One whole version check, as the library runs it on its own thread:
upgrade_probe.exe asks a local server, shows the upgrade monitor dialog from
the built library when the policy says so, and records and saves the result.
The robot reads the dialog and answers it like a user; the registry shows
what was saved; a stand-in browser shows what the shell was asked to open."""

import os
import subprocess
import tempfile
import time
import unittest

import harness
import resource_ids
from harness import WineTest
from http_server import ReplyServer, unused_port

CAPTION = "Corvane Upgrade Monitor"
LATEST = "You are running the latest version of Corvane."
RUNNING = "2.2.1 (build 65)"
TODAY = 7
SC_CLOSE = 61536
# The maker's web site as the checks are told it: the browser only writes
# down what it is asked to open.
WEB_SITE = "http://www.halvard.example"
HOME_PAGE = WEB_SITE + "/"

# Control ids of the dialog, from the library's id header.
IDS = resource_ids.load("hooklib/resources/corvane_resource_ids.h")
DOWNLOAD, CLOSE = 1, 2  # IDOK, IDCANCEL
IMPORTANCE_ICON, REMINDER = IDS["IDC_IMPORTANCE_ICON"], IDS["IDC_REMINDER"]
CHANGES, CHANGES_HEADING = IDS["IDC_CHANGES"], IDS["IDC_CHANGES_HEADING"]
IMPORTANCE, RELEASE_DATE = IDS["IDC_IMPORTANCE"], IDS["IDC_RELEASE_DATE"]
VERSION, DESCRIPTION = IDS["IDC_VERSION"], IDS["IDC_DESCRIPTION"]
HEADING, UPDATE_HEADING = IDS["IDC_HEADING"], IDS["IDC_UPDATE_HEADING"]
ES_MULTILINE, ES_AUTOHSCROLL, ES_READONLY, WS_VSCROLL = 0x4, 0x80, 0x800, 0x200000



def version_reply(version="2.3.0", date="May 1", importance="1", description="Big release",
                  address="http://127.0.0.1/get.exe", changes="line one\r\nline two"):
    return ("header\r\nVERSIONINFO_v2\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s" %
            (version, date, importance, description, address, changes)).encode("latin-1")


def without_proxies(env):
    return {k: v for k, v in env.items()
            if k.lower() not in ("http_proxy", "https_proxy", "all_proxy", "no_proxy")}


class Check:
    """One upgrade_probe.exe run; the probe prints "started", runs the check
    on its main thread and prints the values it left."""

    def __init__(self, server_url, kind, **fields):
        env = without_proxies(dict(os.environ))
        env["CORVANE_UPDATE_SERVER"] = server_url
        env["CORVANE_WEB_SITE"] = WEB_SITE
        args = ["%s=%s" % (k, v) for k, v in fields.items()]
        self.process = subprocess.Popen([harness.WINE_RUN, harness.bin_file("upgrade_probe.exe"),
                                         kind, *args], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True)
        first = self.process.stdout.readline().strip()
        if first != "started":
            self.process.kill()
            raise AssertionError("upgrade_probe did not start: %r" % first)

    def result(self, timeout=30):
        """{key: value} of what the probe printed once the check returned."""
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.communicate()
            raise AssertionError("the check did not return (a dialog left open?)")
        # Read through the same buffer that already holds what followed "started".
        out = self.process.stdout.read()
        if self.process.returncode != 0:
            raise AssertionError("upgrade_probe exited with %d" % self.process.returncode)
        lines = [l.rstrip("\r") for l in out.splitlines()]
        assert lines and lines[0] == "ran", lines
        return dict(l.split("=", 1) for l in lines[1:] if "=" in l)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()


class UpgradeCheckTest(WineTest):
    def setUp(self):
        super().setUp()
        self.robot = self.house
        # The shell hands web and ftp addresses to Wine's browser launcher.
        self.opened = harness.use_recording_browser(self, self.tmp)
        self.checks = []

    def tearDown(self):
        for check in self.checks:
            check.kill()
        super().tearDown()

    def check(self, server_url, kind, **fields):
        fields.setdefault("version", RUNNING)
        fields.setdefault("today", TODAY)
        started = Check(server_url, kind, **fields)
        self.checks.append(started)
        return started

    def dialog_controls(self):
        """The dialog's controls by id (labels without one under -1, in
        order), once it is shown: it becomes visible after its set-up."""
        def shown():
            if self.robot.shown(CAPTION) is None:
                return None
            controls = self.robot.controls(CAPTION)
            return controls if any(c["id"] == str(REMINDER) for c in controls) else None
        controls = harness.wait_until(shown, timeout=30, what="the upgrade monitor dialog")
        by_id = {int(c["id"]): c for c in controls if c["id"] != "-1"}
        by_id[-1] = [c["text"] for c in controls if c["id"] == "-1"]
        return by_id

    def saved(self):
        return harness.reg_values(harness.SETTINGS_KEY)

    def assert_recorded(self, result, version, checkversion=None):
        self.assertEqual(result["last"], version)
        self.assertEqual(result["lastday"], str(TODAY))
        values = self.saved()
        self.assertEqual(len(values), 24, sorted(values))  # everything was saved
        self.assertEqual(values["CheckVersionLast"], ("REG_SZ", version))
        self.assertEqual(values["CheckVersionLastDay"], ("REG_DWORD", hex(TODAY)))
        if checkversion is not None:
            self.assertEqual(result["checkversion"], str(checkversion))
            self.assertEqual(values["CheckVersion"], ("REG_DWORD", "0x%x" % (checkversion & 0xffffffff)))

    def assert_nothing_recorded(self, result, lastday="3"):
        self.assertEqual(result["lastday"], lastday)
        self.assertEqual(result["last"], "")
        self.assertEqual(sorted(self.saved()), ["LogDir"])  # no save

    # The dialog and the reply's fields.

    def test_dialog_shows_the_reply_and_close_stores_the_reminder_choice(self):
        with ReplyServer(version_reply(importance="5")) as server:
            check = self.check(server.base_url, "asked")
            controls = self.dialog_controls()
            self.assertEqual(controls[VERSION]["text"], "2.3.0")
            self.assertEqual(controls[RELEASE_DATE]["text"], "May 1")
            self.assertEqual(controls[DESCRIPTION]["text"], "Big release")
            self.assertEqual(controls[IMPORTANCE]["text"], "High")
            self.assertEqual(controls[IMPORTANCE_ICON]["icon"], "1")
            changes = self.robot.text(CAPTION, CHANGES)
            self.assertEqual(changes["value"], "line one\r\nline two")
            self.assertEqual(changes["lines"], "2")
            # (The dialog manager turns the template's border into a client edge.)
            style = int(controls[CHANGES]["style"], 16)
            for bit in (ES_MULTILINE, ES_AUTOHSCROLL, ES_READONLY, WS_VSCROLL):
                self.assertTrue(style & bit, hex(bit))
            self.assertEqual(controls[DOWNLOAD]["text"], "Download Now!")
            self.assertEqual(controls[CLOSE]["text"], "Close")
            self.assertEqual(controls[HEADING]["text"], "Upgrade Monitor")
            self.assertEqual(controls[UPDATE_HEADING]["text"], "Update Information")
            self.assertEqual(controls[CHANGES_HEADING]["text"], "Changes")
            for label in ("Remind me again",
                          "There is a newer version of Corvane than the one you are using.",
                          "Description:", "Version:", "Importance:", "Released:"):
                self.assertIn(label, controls[-1])
            # Three entries, the first selected; each read back as the
            # list's text once selected.
            self.assertEqual(self.robot.items(CAPTION, REMINDER)[1], 0)
            self.assertEqual(len(self.robot.items(CAPTION, REMINDER)[0]), 3)
            self.assertEqual(controls[REMINDER]["text"], "later.")
            for index, entry in ((1, "next version."), (2, "never.")):
                self.robot("select", CAPTION, REMINDER, index)
                self.assertEqual(self.robot.text(CAPTION, REMINDER)["value"], entry)

            self.robot("click", CAPTION, CLOSE)
            result = check.result()
            requests = server.requests()
        self.assertEqual(requests, [("/version3.php?product=corvane", "Microsoft Internet Explorer")])
        self.assert_recorded(result, "2.3.0", checkversion=-1)

    def test_importance_gives_text_and_icon(self):
        # 5 (High) and an empty field are seen by the other dialog tests.
        cases = (("-1", "Low", "1"), ("0", "Normal", "0"), ("soon", "Normal", "0"))
        for field, text, icon in cases:
            with self.subTest(importance=field), ReplyServer(version_reply(importance=field)) as server:
                check = self.check(server.base_url, "asked")
                try:
                    controls = self.dialog_controls()
                    self.assertEqual(controls[IMPORTANCE]["text"], text)
                    self.assertEqual(controls[IMPORTANCE_ICON]["icon"], icon)
                    self.robot("sys", CAPTION, SC_CLOSE)
                    check.result()
                finally:
                    check.kill()

    def test_reply_ending_after_the_version_shows_the_other_fields_empty(self):
        with ReplyServer(b"VERSIONINFO_v2\r\n2.3.0\r\n") as server:
            check = self.check(server.base_url, "asked")
            controls = self.dialog_controls()
            self.assertEqual(controls[VERSION]["text"], "2.3.0")
            for control in (RELEASE_DATE, DESCRIPTION, CHANGES):
                self.assertEqual(controls[control]["text"], "", control)
            self.assertEqual(controls[IMPORTANCE]["text"], "Normal")
            self.assertEqual(controls[IMPORTANCE_ICON]["icon"], "0")
            self.robot("sys", CAPTION, SC_CLOSE)
            result = check.result()
        self.assert_recorded(result, "2.3.0")

    def test_close_box_stores_nothing(self):
        with ReplyServer(version_reply()) as server:
            check = self.check(server.base_url, "asked", checkversion=1)
            self.dialog_controls()
            self.robot("select", CAPTION, REMINDER, 2)
            self.robot("sys", CAPTION, SC_CLOSE)
            result = check.result()
        self.assert_recorded(result, "2.3.0", checkversion=1)

    def opened_addresses(self):
        try:
            with open(self.opened) as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def download(self, address):
        with ReplyServer(version_reply(address=address)) as server:
            check = self.check(server.base_url, "asked")
            self.dialog_controls()
            self.robot("select", CAPTION, REMINDER, 1)
            self.robot("click", CAPTION, DOWNLOAD)
            return check.result()

    def opened_after_download(self, address, count):
        """What the browser was asked to open once it holds count addresses."""
        self.download(address)
        harness.wait_until(lambda: len(self.opened_addresses()) >= count, timeout=20,
                           what="the browser to be started")
        return self.opened_addresses()

    def test_download_opens_a_web_address_and_nothing_else(self):
        refused = self.download("ftp://127.0.0.1:%d/get.exe" % unused_port())
        self.assertEqual(refused["checkversion"], "0")  # only Close stores the choice
        harness.wait_until(self.opened_addresses, timeout=20, what="the browser to be started")
        self.assertEqual(self.opened_addresses(), [HOME_PAGE])
        port = unused_port()
        opened = self.download("HTTP://127.0.0.1:%d/get.exe" % port)
        self.assertEqual(opened["checkversion"], "0")
        self.assert_recorded(opened, "2.3.0", checkversion=0)
        harness.wait_until(lambda: len(self.opened_addresses()) == 2, timeout=20,
                           what="the browser to be started again")
        # The shell hands the address on with its scheme in lower case.
        self.assertEqual(self.opened_addresses(), [HOME_PAGE, "http://127.0.0.1:%d/get.exe" % port])

    def test_download_opens_only_the_makers_hosts_and_else_the_home_page(self):
        # The update server here is 127.0.0.1, the web site another host.
        site = "http://www.halvard.example/files/corvane-2.3.0.exe"
        self.assertEqual(self.opened_after_download(site, 1), [site])
        forged = ["http://127.0.0.2/get.exe",
                  "http://127.0.0.1@elsewhere.example/get.exe",
                  'http://127.0.0.1/get.exe" /silent',
                  "http://www.halvard.example/get.exe\tfile:///C:/windows/notepad.exe"]
        for count, address in enumerate(forged, start=2):
            self.assertEqual(self.opened_after_download(address, count)[-1], HOME_PAGE, address)
        time.sleep(1)  # nothing more is handed on
        self.assertEqual(len(self.opened_addresses()), 1 + len(forged))

    # The policy.

    def test_automatic_check_policy(self):
        differs, same = version_reply(version="2.3.0"), version_reply(version=RUNNING)
        # (reply, probe fields, asks the server, shows the dialog)
        cases = (
            (differs, dict(checkversion=-1, lastday=3), False, False),
            (differs, dict(checkversion=0, lastday=TODAY), False, False),
            (differs, dict(checkversion=1, lastday=TODAY), False, False),
            (differs, dict(checkversion=0, lastday=3), True, True),
            (differs, dict(checkversion=0, lastday=3, last="2.3.0"), True, True),
            (differs, dict(checkversion=1, lastday=3, last="2.2.9"), True, True),
            (differs, dict(checkversion=1, lastday=3, last="2.3.0"), True, False),
            (same, dict(checkversion=0, lastday=3), True, False),
        )
        for reply, fields, asks, shows in cases:
            with self.subTest(**fields), ReplyServer(reply) as server:
                harness.reg_delete(harness.SETTINGS_KEY)
                check = self.check(server.base_url, "auto", **fields)
                try:
                    if shows:
                        self.dialog_controls()
                        self.robot("sys", CAPTION, SC_CLOSE)
                    result = check.result()
                finally:
                    check.kill()
                self.assertEqual(len(server.requests()), 1 if asks else 0)
                if asks:
                    version = "2.3.0" if reply is differs else RUNNING
                    self.assert_recorded(result, version, checkversion=fields["checkversion"])
                else:
                    self.assertEqual(result["lastday"], str(fields["lastday"]))
                    self.assertEqual(self.saved(), {})

    def test_asked_check_ignores_policy_and_day(self):
        with ReplyServer(version_reply(version="2.3.0")) as server:
            check = self.check(server.base_url, "asked", checkversion=1, lastday=TODAY, last="2.3.0")
            self.dialog_controls()
            self.robot("sys", CAPTION, SC_CLOSE)
            self.assert_recorded(check.result(), "2.3.0", checkversion=1)

    def test_asked_check_reports_the_latest_version(self):
        with ReplyServer(version_reply(version=RUNNING)) as server:
            check = self.check(server.base_url, "asked", checkversion=-1, lastday=TODAY)

            def message_box():
                return [d for d in self.robot.dialogs(CAPTION)
                        if any(c["text"] == LATEST for c in d["controls"])]
            harness.wait_until(message_box, timeout=30, what="the latest-version message")
            self.assertEqual(self.robot("press", CAPTION, "OK"), ["pressed"])
            result = check.result()
            self.assertEqual(len(server.requests()), 1)
        self.assert_recorded(result, RUNNING, checkversion=-1)

    # Failures record nothing.

    def test_server_down_records_nothing(self):
        for kind in ("auto", "asked"):
            with self.subTest(kind=kind):
                check = self.check("http://127.0.0.1:%d" % unused_port(), kind, lastday=3)
                self.assert_nothing_recorded(check.result())

    def test_reply_without_marker_or_version_records_nothing_and_shows_nothing(self):
        """A dialog shown would keep the check from returning."""
        replies = (b"VERSIONINFO_v1\r\n2.3.0\r\n",
                   b"VERSIONINFO_v2\r\n",                       # cut off after the marker
                   version_reply().replace(b"\r\n", b"\n"),    # bare line feeds
                   b"VERSIONINFO_v2\r\n\r\nMay 1\r\n1\r\n")       # a blank version line
        for reply in replies:
            for kind in ("auto", "asked"):
                with self.subTest(kind=kind, reply=reply), ReplyServer(reply) as server:
                    result = self.check(server.base_url, kind, lastday=3).result()
                    self.assertEqual(len(server.requests()), 1)
                    self.assert_nothing_recorded(result)


if __name__ == "__main__":
    unittest.main()
