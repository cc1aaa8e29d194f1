// The day files of a search's scope (every user, one user, or one user's
// buddy), as the viewer lists them, with their sizes and write times; and
// the path of each.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "viewer/search/day_listing.h"
#include "viewer/search/search_order.h"

namespace corvane {

// `user` and `buddy` empty: all of them; each buddy folder once
// (ListBuddyFolders).  A buddy folder unchanged since an
// earlier listing is not listed again; listing one is mostly waiting on the
// file system (under Wine, on its server), so two threads list the rest in
// about half the time of one.  Empty once `cancelled`.
std::vector<ListedDay> ListDaysInScope(DayListing& listing, const std::string& historyFolder,
                                       const std::string& user, const std::string& buddy,
                                       const std::atomic<bool>& cancelled);

// The day's file; nullopt where the path would not fit (such a file is
// never read).
std::optional<std::string> DayFilePath(const std::string& historyFolder, const SearchDay& day);

}  // namespace corvane
