// The name and the security of the settings record's file mapping, as
// plain text.  One record per user and session: the name lives in the
// session's own namespace and carries the user's SID.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// "Local\Corvane.Settings.<sid>", e.g. "Local\Corvane.Settings.S-1-5-21-1-2-3-1001".
std::string SettingsMappingName(std::string_view userSid);

// The named mutex by which the record's writers take turns, beside it:
// "Local\Corvane.SettingsWriters.<sid>".
std::string SettingsWritersMutexName(std::string_view userSid);

// The mapping's security descriptor in SDDL: owned by the user, all access
// for the user alone and nobody else (the list is protected from inherited
// entries), and with `withIntegrityLabel` a medium mandatory label that
// refuses writes from lower integrity levels (reads stay allowed).  Systems
// before mandatory labels reject the label, hence the choice.
std::string SettingsMappingSecurity(std::string_view userSid, bool withIntegrityLabel);

}  // namespace corvane
