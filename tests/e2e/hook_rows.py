"""Which procedure of the hook library each host window should carry: the
rows of the library's subclass table as the tests see them from outside."""

ROWS = [
    ("_Oscar_BuddyListWin", None, None, "BuddyListWndProc"),
    ("AIM_ChatWnd", None, None, "ChatWindowProc"),
    ("AIM_IMessage", None, None, "IMWindowProc"),
    ("Ate32Class", "WndAte32Class", "AIM_IMessage", "IMTextControlProc"),
    ("WndAte32Class", "AIM_IMessage", None, "IMTextFrameProc"),
    ("Edit", "_Oscar_BuddyListWin", None, "ButtonRowEditProc"),
    ("Ate32Class", "_Oscar_BuddyListWin", None, "BuddyListAteProc"),
    ("WndAte32Class", "_Oscar_BuddyListWin", None, "AdPaneProc"),
    ("_Oscar_TabGroup", "_Oscar_BuddyListWin", None, "TabGroupProc"),
    ("_Oscar_IconBtn", "_Oscar_BuddyListWin", None, "GeneralButtonProc"),
    ("_Oscar_Static", "_Oscar_BuddyListWin", None, "StaticProc"),
    ("_Oscar_Separator", "_Oscar_BuddyListWin", None, "SeparatorProc"),
    ("_Oscar_Tree", "_Oscar_TabGroup", None, "BuddyTreeProc"),
    ("_Oscar_IconBtn", "_Oscar_TabGroup", None, "ListButtonProc"),
]


def expected_procedure(cls, parent, grandparent):
    """The procedure of the last matching row (a later match replaces an
    earlier one), or None when no row matches."""
    parent = "" if parent in (None, "-") else parent
    grandparent = "" if grandparent in (None, "-") else grandparent
    found = None
    for want_cls, want_parent, want_grand, proc in ROWS:
        if want_cls == cls and want_parent in (None, parent) and want_grand in (None, grandparent):
            found = proc
    return found
