// The report: what the stand-in host did, one event per line, for tests.
//
// Format (README.md tells more): a key word, then key=value pairs separated
// by spaces.  Names are bare when they are one plain word, else quoted;
// titles are always quoted; quoted texts are escaped (EscapeForLine).  The
// value of `text ... value=` is the escaped rest of the line, unquoted.
// Handles are 0x + lower-case hex.
//   ready pid=N                                  at start
//   run line=N command="..."                     a script command starts
//   created class=C hwnd=0x.. title="..."        every window the host made
//   refused class=C                              CreateWindowEx returned NULL
//   destroyed class=C hwnd=0x..                  a top-level window went away
//   popup class=C created=0|1                    outcome of a pop-up attempt
//   message hwnd=0x.. sender=S own=0|1 length=N   conversation grew
//   host-clear hwnd=0x..                         the host's clear command ran
//   activated hwnd=0x.. foreground=0|1
//   window hwnd=0x.. class=C parent=P grandparent=G parenthwnd=0x..|-
//          proc=M+0xRVA classproc=M+0xRVA subclassed=0|1
//          id=N|- rect=X,Y,W,H client=W,H visible=0|1 menu=N|- title="..."
//          (one line)
//   text window=W length=N value=...
//   status-notify wparam=N lparam=N
//   other-subclass hwnd=0x..                     subclass-next-im took the window
//   other-subclass-message hwnd=0x.. message=close own=0|1
//                                                WM_CLOSE reached that procedure,
//                                                own=0 for a window it never took
//   syscommand class=C hwnd=0x.. code=N          a private system command
//                                                reached a Buddy List, IM or
//                                                chat window
//   registered path="..."
//   error line=N message="..."
//   done                                         before exiting
#pragma once

#include <string>

namespace testhost {

// Without a path, lines go to the debugger output.
void SetReportPath(const std::string& path);
// Appends one line; the file is opened and closed per line so that other
// processes can read it while the host runs.
void Report(const std::string& line);

// Value formatting for report lines: every event is one line, so texts are
// escaped (\\ \n \r \t \" and \xHH for other control characters).
std::string EscapeForLine(const std::string& text);
// The escaped text in double quotes.
std::string Quoted(const std::string& text);
// A name as a value: bare when it is a non-empty plain word, else quoted.
std::string Value(const std::string& text);

}  // namespace testhost
