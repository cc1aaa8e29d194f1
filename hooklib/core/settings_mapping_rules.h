// The name and the security of the settings record's file mapping, as
// plain text.  One record per user and session and record layout: the name
// lives in the session's own namespace and carries the user's SID and the
// layout, so that a library of another release (in another messenger of the
// same user) maps a record of its own rather than read this one with its
// own layout.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// What names a layout of the record: its revision (raised when fields are
// reordered or retyped at the same size) and its size in bytes.
struct RecordLayout {
  int revision;
  std::size_t size;
};

// "Local\Corvane.Settings.<revision>-<size>.<sid>", e.g.
// "Local\Corvane.Settings.1-1876.S-1-5-21-1-2-3-1001".
std::string SettingsMappingName(std::string_view userSid, RecordLayout layout);

// The named mutex by which the record's writers take turns, beside it:
// "Local\Corvane.SettingsWriters.<revision>-<size>.<sid>".
std::string SettingsWritersMutexName(std::string_view userSid, RecordLayout layout);

// The mapping's security descriptor in SDDL: owned by the user, all access
// for the user alone and nobody else (the list is protected from inherited
// entries), and with `withIntegrityLabel` a medium mandatory label that
// refuses writes from lower integrity levels (reads stay allowed).  Systems
// before mandatory labels reject the label, hence the choice.
std::string SettingsMappingSecurity(std::string_view userSid, bool withIntegrityLabel);

}  // namespace corvane
