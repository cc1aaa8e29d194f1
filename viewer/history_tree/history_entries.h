// Which directory entries the viewer lists at each level of the history tree
// and the text it shows for them.  The lists are sorted by the controls
// themselves; the zero-padded dates at the start of day-file names keep the
// date list oldest first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// "." and "..", by exact comparison.  Every other folder is listed under its
// own name as a user, or one level down as a buddy.
bool IsDotEntry(std::string_view name);

// The date-list text of a file at the date level: the name without its
// ".html" suffix (matched in any case), e.g. "2002-06-14 [Friday]".  Files
// without the suffix are not listed.  Folders at that level never are.
std::optional<std::string> DateEntryText(std::string_view file_name);

// The file name a date-list text stands for.
std::string DateEntryFileName(std::string_view date_text);

}  // namespace corvane
