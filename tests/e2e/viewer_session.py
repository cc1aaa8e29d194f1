"""What the History Viewer's end-to-end tests share: history trees written
as the hook library writes them, and a viewer started with an exact command
line (as the shell passes it) and watched through one robot."""

import datetime
import os
import time

import harness
import resource_ids

VIEWER = "Corvane History Viewer.exe"
CAPTION = "Corvane History"
BOX = "Corvane History Viewer"
ABOUT = "About . . ."
PLACEMENT_KEY = (r"HKCU\Software\Halvard\Corvane History Viewer\WindowPlacement"
                 r"\Corvane History Viewer")

# The viewer's ids, from its id header.
IDS = resource_ids.load("viewer/resources/viewer_resources.h")

# Controls of the main dialog.
VIEW = IDS["IDC_HTML_VIEW"]
USERS = IDS["IDC_USER_LIST"]
DATES = IDS["IDC_DATE_LIST"]
BUDDIES = IDS["IDC_BUDDY_LIST"]
ABOUT_BUTTON = IDS["IDC_ABOUT"]
SIZE_LABEL = IDS["IDC_SIZE_LABEL"]
SIZE = IDS["IDC_SIZE_TOTAL"]
SIZE_UNIT = IDS["IDC_SIZE_UNIT"]
DELETE_USER = IDS["IDC_DELETE_USER"]
DELETE_BUDDY = IDS["IDC_DELETE_BUDDY"]
DELETE_DATE = IDS["IDC_DELETE_DATE"]
CLEAR_ALL = IDS["IDC_CLEAR_ALL"]

# Controls of the About box.
VERSION_TEXT = IDS["IDC_VERSION_TEXT"]
RELEASE_TEXT = IDS["IDC_RELEASE_TEXT"]
WEB_BUTTON = IDS["IDC_WEB"]
HELP_BUTTON = IDS["IDC_HELP_PAGE"]

# The search window and its controls.
SEARCH = "Corvane History Search"
SEARCH_PLACEMENT_KEY = (r"HKCU\Software\Halvard\Corvane History Viewer\WindowPlacement"
                        r"\Corvane History Search")
QUERY = IDS["IDC_SEARCH_QUERY"]
SEARCH_BUTTON = IDS["IDC_SEARCH_START"]
MATCH_CASE = IDS["IDC_SEARCH_MATCH_CASE"]
SCOPE = IDS["IDC_SEARCH_SCOPE"]
RESULTS = IDS["IDC_SEARCH_RESULTS"]
STATUS = IDS["IDC_SEARCH_STATUS"]
SEARCH_FROM = IDS["IDC_SEARCH_FROM"]
SEARCH_TO = IDS["IDC_SEARCH_TO"]
SAID_BY = IDS["IDC_SEARCH_SAID_BY"]
SC_SEARCH = IDS["IDM_SEARCH_HISTORY"]  # the viewer's system-menu item "&Search History...\tCtrl+F"

# The export window and Delete Old Days, from the viewer's system menu.
EXPORT = "Corvane History Export"
EXPORT_PLACEMENT_KEY = (r"HKCU\Software\Halvard\Corvane History Viewer\WindowPlacement"
                        r"\Corvane History Export")
SC_EXPORT = IDS["IDM_EXPORT_HISTORY"]  # "&Export History..."
SC_DELETE_OLD = IDS["IDM_DELETE_OLD_DAYS"]  # "&Delete Old Days..."
EXPORT_SCOPE = IDS["IDC_EXPORT_SCOPE"]
EXPORT_FROM = IDS["IDC_EXPORT_FROM"]
EXPORT_TO = IDS["IDC_EXPORT_TO"]
EXPORT_FORMAT = IDS["IDC_EXPORT_FORMAT"]
EXPORT_DESTINATION = IDS["IDC_EXPORT_DESTINATION"]
EXPORT_PROGRESS = IDS["IDC_EXPORT_PROGRESS"]
EXPORT_STATUS = IDS["IDC_EXPORT_STATUS"]
EXPORT_START = IDS["IDC_EXPORT_START"]
EXPORT_CANCEL = IDS["IDC_EXPORT_CANCEL"]
DELETE_OLD = "Corvane Delete Old Days"
DELETE_BEFORE = IDS["IDC_DELETE_BEFORE"]
DELETE_SCOPE = IDS["IDC_DELETE_SCOPE"]
DELETE_PREVIEW = IDS["IDC_DELETE_PREVIEW"]

# Title-bar commands (WM_SYSCOMMAND).
SC_MINIMIZE = 61472
SC_MAXIMIZE = 61488
SC_CLOSE = 61536
SC_RESTORE = 61728
VK_RETURN = 13

# Scroll bar actions (WM_VSCROLL).
SB_LINEUP = 0
SB_PAGEUP = 2
SB_TOP = 6


def day_file_name(date):
    """The name the hook library gives the day file of a date."""
    return "%04d-%02d-%02d [%s].html" % (date.year, date.month, date.day, date.strftime("%A"))


def conversation(messages, buddy="bob", user="alice"):
    """A conversation window's HTML as the host writes it (and the capture
    keeps it): the sender in colour, the text in the chosen font."""
    html = '<HTML><BODY BGCOLOR="#ffffff">'
    for n, text in enumerate(messages):
        sender, colour = (buddy, "#0000ff") if n % 2 == 0 else (user, "#ff0000")
        html += ('<FONT COLOR="%s"><B>%s</B>:</FONT> <FONT FACE="Arial" SIZE=2 COLOR="#000000">'
                 '%s</FONT><BR>' % (colour, sender, text))
    return html + "</BODY></HTML>"


def block_bytes(index, text):
    """The index-th block of a day file: the first in creation form, later
    ones in rewrite form, with the line ends of a text-mode write."""
    key = "09:%02d:00-%x" % (index, 0x10a4 + index)
    if index == 0:
        block = "<!-- %s -->\n%s\n" % (key, text)
    else:
        block = '<!-- %s -->\n<BASE TARGET="_new">\n%s<BR>\n' % (key, text)
    return block.replace("\n", "\r\n").encode("latin-1")


def day_file_bytes(*texts):
    """A day file with one block per text."""
    return b"".join(block_bytes(n, text) for n, text in enumerate(texts))


# The most a conversation window's text holds, so the most one block of a
# day file holds.
BLOCK_LIMIT = 65535


def conversations_in_blocks(messages, buddy="bob", user="alice"):
    """The messages as the successive conversation texts that a long day is
    written in, each within BLOCK_LIMIT characters."""
    empty = len(conversation([], buddy=buddy, user=user))
    longer = max(buddy, user, key=len)
    texts, group, size = [], [], empty
    for message in messages:
        cost = len(conversation([message], buddy=longer, user=longer)) - empty
        if group and size + cost > BLOCK_LIMIT:
            texts.append(conversation(group, buddy=buddy, user=user))
            group, size = [], empty
        group.append(message)
        size += cost
    return texts + [conversation(group, buddy=buddy, user=user)] if group else texts


def write_day(folder, date, *texts):
    """Writes a day file for date into folder (made as needed); its path."""
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, day_file_name(date) if isinstance(date, datetime.date) else date)
    with open(path, "wb") as f:
        f.write(day_file_bytes(*texts))
    return path


def rect_of(window):
    return tuple(int(v) for v in window["rect"].split(","))


def shifted(rect, left=0, top=0, right=0, bottom=0):
    return (rect[0] + left, rect[1] + top, rect[2] + right, rect[3] + bottom)


class ViewerTest(harness.WineTest):
    """A test with a history tree in its temporary folder, a fresh window
    placement, a trash folder of its own and one robot."""

    def setUp(self):
        super().setUp()
        os.makedirs(self.history)
        self.robot = self.house
        self.viewers = []

    def house_env(self):
        # Wine's shell moves deleted items to the XDG trash; it must exist.
        self.xdg = os.path.join(self.tmp, "xdg")
        os.makedirs(self.xdg)
        self.trash = os.path.join(self.xdg, "Trash")
        return {"XDG_DATA_HOME": self.xdg, **self.robot_env()}

    def robot_env(self):
        """More environment for the viewers this test starts."""
        return {}

    def tearDown(self):
        for pid in self.viewers:
            if self.robot.exit_code(pid) is None:
                self.robot("kill", pid)
        super().tearDown()

    def path(self, *parts):
        return os.path.join(self.history, *parts)

    def win(self, *parts):
        return harness.win_path(self.path(*parts))

    def command_line(self, *names):
        return " ".join(['"%s"' % harness.win_path(harness.bin_file(VIEWER))] +
                        ['"%s"' % n for n in names])

    def start_viewer(self, *names, command_line=None):
        """Starts the viewer with the quoted names behind its quoted path (or
        with command_line) and waits until its window shows, and selects the
        names given: its lists fill on a thread of their own, after the window
        shows.  Its pid.  The program is named apart from the line, so that an
        unquoted path with blanks cannot start another program of the bin
        folder."""
        pid = self.robot.spawn(command_line or self.command_line(*names),
                               program=harness.win_path(harness.bin_file(VIEWER)))
        self.viewers.append(pid)
        harness.wait_until(lambda: self.viewer_window(pid), timeout=30,
                           what="the viewer's window", explain=lambda: self.startup_state(pid))
        if names:
            # The viewer finds a name given in any case.
            want = [name.lower() for name in names]
            harness.wait_until(
                lambda: [(s or "").lower() for s in self.selected()[:len(names)]] == want,
                timeout=30, what="the selection %r" % (names,))
        return pid

    def startup_state(self, pid):
        """What shows of a viewer whose window is awaited in vain."""
        return "exit code %r, window %r, dialogs %r, processes %r, Wine said %r" % (
            self.robot.exit_code(pid), self.robot.window(CAPTION), self.robot.dialogs(),
            harness.listed_processes(self.robot), self.wine_said())

    def viewer_window(self, pid=None):
        w = self.robot.shown(CAPTION)
        return w if w and (pid is None or w["pid"] == str(pid)) else None

    def close_viewer(self, pid):
        self.robot("sys", CAPTION, SC_CLOSE)
        code = self.robot.exit_code(pid, 20000)
        self.assertIsNotNone(code, "the viewer did not end on close")
        return code

    def lists(self):
        """{"users"|"buddies"|"dates": (entries, selected index)}."""
        return {"users": self.robot.items(CAPTION, USERS),
                "buddies": self.robot.items(CAPTION, BUDDIES),
                "dates": self.robot.items(CAPTION, DATES)}

    def selected(self):
        """(user, buddy, date) texts selected, None where nothing is."""
        picked = []
        for entries, index in self.lists().values():
            picked.append(entries[index] if 0 <= index < len(entries) else None)
        return tuple(picked)

    def pick(self, name, text, timeout=10.0):
        """Selects `text` in the list `name` ("users", "buddies" or "dates")
        once the list holds it, and waits until it is selected: a list is
        filled once its level is listed, after the pick above it."""
        control = {"users": USERS, "buddies": BUDDIES, "dates": DATES}[name]
        entries = harness.wait_until(
            lambda: (lambda e: e[0] if e and text in e[0] else None)(
                self.robot.items(CAPTION, control)),
            timeout=timeout, what="%s listing %r" % (name, text))
        self.robot("select", CAPTION, control, entries.index(text))
        harness.wait_until(lambda: self.robot.selected(CAPTION, control) == text,
                           timeout=timeout, what="%r selected" % text)

    def shown(self):
        return self.robot.text(CAPTION, VIEW)

    def top_line(self):
        """The view's first line in sight: fields index, lines, characters
        and text (with its line end)."""
        lines = self.robot("topline", CAPTION, VIEW)
        return harness.parse_robot_line(lines[0], "text")

    def scroll(self, code, count=1):
        """Scroll bar actions on the view (SB_PAGEUP, SB_TOP, ...)."""
        self.robot("vscroll", CAPTION, VIEW, code, count)

    def wait_shown(self, marker, timeout=10.0):
        """Waits until the view's text holds marker; the view's fields."""
        return harness.wait_until(
            lambda: (lambda t: t if t and marker in t["value"] else None)(self.shown()),
            timeout=timeout, what="the view to show %r" % marker)

    def wait_selected(self, want, timeout=10.0):
        try:
            return harness.wait_until(lambda: self.selected() == want, timeout=timeout,
                                      what="selection %r" % (want,))
        except AssertionError:
            self.assertEqual(self.selected(), want)

    def box(self, timeout=10.0):
        """The confirmation box once it shows: (its text, the box)."""
        found = harness.wait_until(lambda: self.robot.dialogs(BOX), timeout=timeout,
                                   what="a box titled " + BOX)
        self.assertEqual(len(found), 1, found)
        texts = [c["text"] for c in found[0]["controls"]
                 if c["class"].lower() == "static" and c["text"]]
        return "\n".join(texts), found[0]

    def answer(self, button):
        self.assertIn("pressed", self.robot("press", BOX, button)[0])
        harness.wait_until(lambda: not self.robot.dialogs(BOX), timeout=10,
                           what="the box to close")

    def no_box_within(self, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            self.assertEqual(self.robot.dialogs(BOX), [])
            time.sleep(0.1)

    def control(self, control_id):
        return self.robot.control(CAPTION, control_id)

    def placement(self):
        """The saved placement values as numbers."""
        return {name: int(text, 16) if text.startswith("0x") else int(text)
                for name, (kind, text) in harness.reg_values(PLACEMENT_KEY).items()}

    def wait_window(self, what, caption=CAPTION, **state):
        return harness.wait_until(
            lambda: (lambda w: w if w and all(w.get(k) == v for k, v in state.items()) else None)(
                self.robot.window(caption)), timeout=10, what=what)

    def start_settled(self):
        """Starts the viewer and waits, as a person would, until its window
        has kept its place and state for half a second."""
        pid = self.start_viewer()
        seen = [None, time.time()]

        def still():
            w = self.robot.window(CAPTION)
            now = (w["rect"], w["iconic"], w["zoomed"])
            if now != seen[0]:
                seen[:] = [now, time.time()]
            return time.time() - seen[1] >= 0.5
        harness.wait_until(still, timeout=10, what="the window to settle")
        return pid

    def assert_rect_soon(self, want, what):
        """The window's outer rectangle becomes want (a restore may take a
        moment after the state changed)."""
        try:
            harness.wait_until(lambda: rect_of(self.robot.window(CAPTION)) == want, timeout=5,
                               what=what)
        except AssertionError:
            self.assertEqual(rect_of(self.robot.window(CAPTION)), want, what)

    def move(self, rect, caption=CAPTION):
        left, top, right, bottom = rect
        self.robot("move", caption, left, top, right - left, bottom - top)
        try:
            return self.wait_window("%s at %r" % (caption, rect), caption,
                                    rect="%d,%d,%d,%d" % rect)
        except AssertionError as e:
            # Under a full test run the window has once stayed where it was.
            raise AssertionError("%s; the window is %r, the dialogs open %r" % (
                e, self.robot.window(caption),
                [d["caption"] for d in self.robot.dialogs()])) from None

    def rects(self):
        """{control id: (left, top, right, bottom)} in client pixels."""
        found = {}
        for c in self.robot.controls(CAPTION):
            found.setdefault(int(c["id"]), tuple(int(v) for v in c["rect"].split(",")))
        return found
