"""Day files crafted to hurt the History Viewer: one enormous word, one
enormous line, many runs or lines inside one long link, deep nesting with
long faces, unclosed fonts, a face ending in a lead byte of a double-byte
code page, a word of references.  The same days as the native tests'
viewer/html/testing/hostile_days.cpp.  Each ends in a word of its own, for
the search.

    days = hostile_days.write_corpus(history_folder)

writes them under history_folder/<user>/<buddy>/ and returns one dict a
day: user, buddy, date (a datetime.date), path, last_word."""

import datetime
import os

from viewer_session import day_file_name

USER = "alice"
BUDDY = "mallory"
FIRST_DATE = datetime.date(2002, 7, 1)


def word(length):
    """One word of letters and digits, as a pasted key or link would be."""
    alphabet = "abcdefghijklmnopqrstuvwxyz0123456789"
    return (alphabet * (length // len(alphabet) + 1))[:length]


def message(text):
    """A message as the host writes it."""
    return ('<FONT COLOR="#0000ff"><B>mallory</B>:</FONT> <FONT FACE="Arial" SIZE=2 '
            'COLOR="#000000">%s</FONT><BR>' % text)


def day_bytes(body, last_word):
    """A day file of one block whose conversation holds body, then a message
    of the last word alone."""
    html = ('<!-- 09:00:00-10a4 -->\r\n<HTML><BODY BGCOLOR="#ffffff">' + body + message(last_word) +
            "</BODY></HTML>\r\n")
    return html.encode("latin-1")


CASES = [
    ("long word", message(word(57000)), "omegalongword"),
    ("long line", message("lorem ipsum " * 4750), "omegalongline"),
    ("runs in a long link",
     '<A HREF="http://' + word(60000) + '">' + "<B>xy</B> " * 100000 + "</A><BR>", "omegalinkruns"),
    ("lines in a long link",
     '<A HREF="http://' + word(60000) + '">' + "x<BR>" * 100000 + "</A><BR>", "omegalinklines"),
    ("nested fonts",
     "<B>" * 127 + ('<FONT FACE="' + word(8000) + '">w ') * 128 + "</B>" * 127 + "</FONT>" * 128 +
     "<BR>", "omeganestedfonts"),
    ("unclosed fonts", '<FONT SIZE=3 COLOR="#00ff00">x' * 20000 + "<BR>", "omegaunclosed"),
    ("lead byte face",
     message('<FONT FACE="a&#129;">" tabindex=1 autofocus onfocus="alert(1)" x="</FONT>'),
     "omegaleadbyte"),
    ("word of references", message("&eacute;" * 12000), "omegareferences"),
]


def write_corpus(history_folder):
    """Writes every hostile day, one date each, under
    history_folder/alice/mallory/; a dict for each (user, buddy, date, path,
    last_word), in date order."""
    folder = os.path.join(history_folder, USER, BUDDY)
    os.makedirs(folder, exist_ok=True)
    days = []
    for n, (name, body, last_word) in enumerate(CASES):
        date = FIRST_DATE + datetime.timedelta(days=n)
        path = os.path.join(folder, day_file_name(date))
        with open(path, "wb") as f:
            f.write(day_bytes(body, last_word))
        days.append({"user": USER, "buddy": BUDDY, "date": date, "path": path,
                     "last_word": last_word, "name": name})
    return days
