"""The HTML export of hostile days under each double-byte ANSI code page
(Japanese 932, Simplified Chinese 936, Korean 949, Traditional Chinese
950), from the command line as a nightly backup runs it: it ends with exit
code 0, and no page it writes holds a script, an event handler or an
attribute the day did not have, read as a browser reads it (html5lib)."""

import datetime
import os
import re
import sys
import unittest

import harness
import viewer_session as vs

# Wine takes each program's ANSI code page from its locale (the locale must
# exist: tools/setup generates them).
LOCALES = {932: "ja_JP.UTF-8", 936: "zh_CN.UTF-8", 949: "ko_KR.UTF-8", 950: "zh_TW.UTF-8"}

# Days made against the export itself, beside the corpus: a face ending in
# a lead byte by reference before a quote (escaped before converting, the
# quote became the lead byte's trail and the text after it attributes), and
# deep misnesting that wrote every inner start tag again at each end tag.
EXPORT_DATE = datetime.date(2006, 3, 1)
EXPORT_DAYS = {
    "lead byte": '<FONT FACE="a&#129;">" tabindex=1 autofocus onfocus="alert(1)" x="</FONT>',
    "nesting": "<B>" * 127 + ('<FONT FACE="%s">x' % ("f" * 8000)) * 128 + "</B>" * 127,
}

DONE = re.compile(r"^Exported ([\d,]+) days? to (.*)$")

# The elements a page may hold, its own and the formatting kept, each with
# the attributes it may carry and what their values may be.
COLOUR = r"#[0-9a-f]{6}"
ALLOWED = {
    "html": {}, "head": {}, "body": {}, "title": {}, "style": {}, "tbody": {}, "tr": {},
    "meta": {"charset": r"utf-8"},
    "p": {"class": r"title"}, "table": {"class": r"dates"}, "td": {"class": r"month"},
    "h2": {"id": r"d\d{4}-\d\d-\d\d"},
    "div": {"class": r"day", "style": r"background-color:" + COLOUR},
    "a": {"href": r"(?i:https?:|mailto:).*|#d\d{4}-\d\d-\d\d", "target": r"_blank",
          "rel": r"noopener noreferrer"},
    "font": {"face": r"(?s:.*)", "size": r"[-+]?\d+", "color": COLOUR,
             "style": r"background-color:" + COLOUR},
    "b": {}, "strong": {}, "i": {}, "em": {}, "u": {}, "s": {}, "strike": {}, "br": {}, "hr": {},
}


def html5lib_module():
    """Debian's python3-html5lib, which tools/setup installs, also when the
    tests run under a Python 3 of their own."""
    try:
        import html5lib
    except ImportError:
        sys.path.append("/usr/lib/python3/dist-packages")
        import html5lib
    return html5lib


class ExportCodePagesTest(harness.WineTest):
    def export_under(self, code_page):
        env = {"LANG": LOCALES[code_page], "LC_ALL": LOCALES[code_page]}
        probe = harness.run("code_page_probe.exe", env=env)
        self.assertEqual(probe.stdout.strip(), "acp=%d" % code_page,
                         "is the %s locale there (tools/setup generates it)?" % LOCALES[code_page])
        # Imported when run, not when cmake lists this script's cases.
        import hostile_days
        days = hostile_days.write_corpus(self.history)
        for buddy, html in EXPORT_DAYS.items():
            vs.write_day(os.path.join(self.history, "export", buddy), EXPORT_DATE, html)
        out = os.path.join(self.tmp, "out")
        done = harness.run(vs.VIEWER, "/export", harness.win_path(out), "/format", "html",
                           env=env, timeout=300)
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        exported = DONE.match(done.stdout.strip())
        self.assertIsNotNone(exported, done.stdout)
        self.assertEqual(int(exported.group(1).replace(",", "")), len(days) + len(EXPORT_DAYS))
        pages = os.listdir(out)
        self.assertIn("export - lead byte.html", pages)
        for name in pages:
            with open(os.path.join(out, name), "rb") as f:
                self.check_page(f.read(), "%s under %d" % (name, code_page))

    def check_page(self, page, what):
        document = html5lib_module().parse(page, transport_encoding="utf-8",
                                           namespaceHTMLElements=False)
        styles = 0
        for element in document.iter():
            self.assertIn(element.tag, ALLOWED, what)
            styles += element.tag == "style"
            for attribute, value in element.attrib.items():
                self.assertIn(attribute, ALLOWED[element.tag], (what, element.tag, attribute))
                self.assertRegex(value, "^(?:%s)$" % ALLOWED[element.tag][attribute],
                                 (what, element.tag, attribute))
        self.assertEqual(styles, 1, what)  # the page's own

    def test_japanese_932(self):
        self.export_under(932)

    def test_simplified_chinese_936(self):
        self.export_under(936)

    def test_korean_949(self):
        self.export_under(949)

    def test_traditional_chinese_950(self):
        self.export_under(950)


if __name__ == "__main__":
    unittest.main()
