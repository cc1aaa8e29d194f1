// The procedure that each subclass row installs; the rows' patterns and
// phases are in hooklib/core/subclass_rows.h.  Every entry names its row and
// the build fails when entry i is not row i.
#pragma once

#include <windows.h>

#include "hooklib/buddylist/buddy_list_proc.h"
#include "hooklib/conversation/conversation_window.h"
#include "hooklib/core/subclass_rows.h"

namespace corvane {

struct RowProcedure {
  SubclassRow row;
  WNDPROC procedure;
};

inline constexpr RowProcedure kRowProcedures[] = {
    {kRowBuddyList, BuddyListWndProc},
    {kRowChatWindow, ChatWindowProc},
    {kRowIMWindow, IMWindowProc},
    {kRowIMTextControl, IMTextControlProc},
    {kRowIMTextFrame, IMTextFrameProc},
    {kRowButtonRowEdit, ButtonRowEditProc},
    {kRowBuddyListAte, BuddyListAteProc},
    {kRowAdPane, AdPaneProc},
    {kRowTabGroup, TabGroupProc},
    {kRowGeneralButton, GeneralButtonProc},
    {kRowStatic, StaticProc},
    {kRowSeparator, SeparatorProc},
    {kRowBuddyTree, BuddyTreeProc},
    {kRowListButton, ListButtonProc},
};

static_assert(EntriesFollowRows(kRowProcedures), "kRowProcedures must list every row in row order");

}  // namespace corvane
