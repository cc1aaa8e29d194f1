// The settings record of this user in this session: a named file mapping
// that every process of the user maps, and no other user can open.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "hooklib/core/settings_mapping_rules.h"
#include "hooklib/core/shared_settings.h"

namespace corvane {

// The user of this process as SID text ("S-1-5-21-..."); empty when the
// token cannot be read.
std::string CurrentUserSid();

// What the mapping holds: the record after its publication count
// (record_sequence.h).  The count's word once held 1 once the record was
// filled, which the count's odd "whole" keeps meaning.
struct SettingsView {
  std::atomic<std::uint32_t> count;
  SharedSettings record;
};

// The layout the record's name carries.  A field added or removed changes
// the size; raise the revision when fields are reordered or retyped at the
// same size.
inline constexpr RecordLayout kSettingsRecordLayout{1, sizeof(SettingsView)};

struct MappedSettings {
  SettingsView* view;  // nullptr when no record can be had
  HANDLE writers;      // the writers' mutex; nullptr when this process may not write
};

// Maps this user's record, creating it with `initial` when it does not
// exist yet.  A process that may only read it (one of lower integrity)
// gets a private copy-on-write view: its writes stay its own.  No view when
// no record can be had, or when the object under the record's name is not
// owned by this user (somebody else made it first).  Nothing here waits
// for another process.
MappedSettings MapSettingsRecord(const SharedSettings& initial);

// How the record's security (SettingsMappingSecurity) becomes a descriptor:
// ConvertStringSecurityDescriptorToSecurityDescriptorA, whose parser before
// Windows Vista knows no integrity label and refuses the text that has
// one; the record is then made without the label (systems without labels
// have no lower integrity to keep out).  Tests give one that refuses the
// label as Windows XP's does; null restores the system's.
using SecurityFromText = BOOL(WINAPI*)(LPCSTR text, DWORD revision,
                                       PSECURITY_DESCRIPTOR* descriptor, PULONG size);
void SetSecurityFromTextForTesting(SecurityFromText conversion);

}  // namespace corvane
