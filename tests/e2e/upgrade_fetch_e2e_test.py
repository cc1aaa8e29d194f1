"""The version request as it goes over the wire: fetch_probe.exe asks a
local server through the system's internet functions, and the test checks
what the server saw and what the probe read back."""

import os
import subprocess
import tempfile
import unittest

import harness
from http_server import ReplyServer, unused_port

REQUEST_PATH = "/version3.php?product=corvane"
FULL_REPLY = (b"header\r\nVERSIONINFO_v2\r\n2.0\r\nMay 1\r\n1\r\nBig release\r\n"
              b"http://127.0.0.1/get.exe\r\nline one\r\nline two")


def run_probe(server_url):
    """{key: value} of the probe's output lines."""
    env = {k: v for k, v in os.environ.items() if k.lower() not in ("http_proxy", "https_proxy",
                                                                    "all_proxy", "no_proxy")}
    env["CORVANE_UPDATE_SERVER"] = server_url
    with tempfile.TemporaryFile("w+") as out:
        code = subprocess.run([harness.WINE_RUN, harness.bin_file("fetch_probe.exe")], env=env,
                              stdout=out, stderr=subprocess.DEVNULL, timeout=90).returncode
        out.seek(0)
        text = out.read()
    if code != 0:
        raise AssertionError("fetch_probe.exe exited with %d: %s" % (code, text))
    result = {}
    for line in text.splitlines():
        key, sep, value = line.rstrip("\r").partition("=")
        if sep:
            result[key] = value
    return result


class UpgradeFetchTest(harness.WineTest):
    def test_asks_the_version_path_as_the_browser_and_reads_every_field(self):
        with ReplyServer(FULL_REPLY) as server:
            seen = run_probe(server.base_url)
            requests = server.requests()
        self.assertEqual(requests, [(REQUEST_PATH, "Microsoft Internet Explorer")])
        self.assertEqual(seen["url"], server.base_url + REQUEST_PATH)
        self.assertEqual(seen["length"], str(len(FULL_REPLY)))
        self.assertEqual(seen["marker"], "1")
        self.assertEqual(seen["field0"], "2.0")
        self.assertEqual(seen["field1"], "May 1")
        self.assertEqual(seen["field2"], "1")
        self.assertEqual(seen["field3"], "Big release")
        self.assertEqual(seen["field4"], "http://127.0.0.1/get.exe")
        self.assertEqual(seen["field5"], r"line one\r\nline two")

    def test_reply_ending_after_the_marker_line_has_empty_fields(self):
        with ReplyServer(b"VERSIONINFO_v2\r\n") as server:
            seen = run_probe(server.base_url)
        self.assertEqual(seen["marker"], "1")
        for field in range(6):
            self.assertEqual(seen["field%d" % field], "", field)

    def test_empty_reply_reads_nothing(self):
        with ReplyServer(b"") as server:
            seen = run_probe(server.base_url)
            self.assertEqual(len(server.requests()), 1)
        self.assertEqual(seen["length"], "0")
        self.assertEqual(seen["marker"], "0")

    def test_every_check_asks_the_server_and_no_reply_is_kept(self):
        # A reply that any cache would keep for an hour.
        cacheable = [("Cache-Control", "public, max-age=3600"),
                     ("Expires", "Fri, 01 Jan 2100 00:00:00 GMT"),
                     ("Last-Modified", "Mon, 01 Jan 2001 00:00:00 GMT")]
        with ReplyServer(FULL_REPLY, headers=cacheable) as server:
            first = run_probe(server.base_url)
            server.set_reply(FULL_REPLY.replace(b"\r\n2.0\r\n", b"\r\n2.1\r\n"))
            second = run_probe(server.base_url)
            self.assertEqual(len(server.requests()), 2)
        self.assertEqual((first["field0"], second["field0"]), ("2.0", "2.1"))
        self.assertEqual((first["cached"], second["cached"]), ("0", "0"))

    def test_server_that_is_down_gives_nothing(self):
        seen = run_probe("http://127.0.0.1:%d" % unused_port())
        self.assertEqual(seen["length"], "0")
        self.assertEqual(seen["marker"], "0")
        for field in range(6):
            self.assertEqual(seen["field%d" % field], "", field)


if __name__ == "__main__":
    unittest.main()
