#include "hooklib/core/settings_mapping.h"

#include <aclapi.h>
#include <sddl.h>

#include "common/unique_handle.h"
#include "hooklib/core/record_sequence.h"
#include "hooklib/core/settings_mapping_rules.h"

namespace corvane {
namespace {

SecurityFromText g_securityFromText = nullptr;

// The mapping's security: with the integrity label where the system knows
// labels (Vista on), else without (Windows XP's parser refuses "ML").
bool MakeSecurity(const std::string& sid, LocalMemory* descriptor) {
  const SecurityFromText convert = g_securityFromText != nullptr
                                       ? g_securityFromText
                                       : ConvertStringSecurityDescriptorToSecurityDescriptorA;
  for (bool label : {true, false}) {
    if (convert(SettingsMappingSecurity(sid, label).c_str(), SDDL_REVISION_1,
                reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor->Out()), nullptr)) {
      return true;
    }
  }
  return false;
}

bool OwnedBy(HANDLE mapping, const std::string& sid) {
  PSID owner = nullptr;
  LocalMemory descriptor;
  if (GetSecurityInfo(mapping, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                      nullptr, nullptr,
                      reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.Out())) != ERROR_SUCCESS) {
    return false;
  }
  LocalMemory ownerText;
  return ConvertSidToStringSidA(owner, reinterpret_cast<LPSTR*>(ownerText.Out())) &&
         sid == static_cast<const char*>(ownerText.Get());
}

SettingsView* MapView(HANDLE mapping, DWORD access) {
  return static_cast<SettingsView*>(MapViewOfFile(mapping, access, 0, 0, sizeof(SettingsView)));
}

}  // namespace

void SetSecurityFromTextForTesting(SecurityFromText conversion) { g_securityFromText = conversion; }

std::string CurrentUserSid() {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Out())) return std::string();
  alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  const bool read =
      GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &size) != FALSE;
  LocalMemory text;
  if (!read || !ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid,
                                       reinterpret_cast<LPSTR*>(text.Out()))) {
    return std::string();
  }
  return static_cast<const char*>(text.Get());
}

MappedSettings MapSettingsRecord(const SharedSettings& initial) {
  MappedSettings mapped{nullptr, nullptr};
  const std::string sid = CurrentUserSid();
  LocalMemory descriptor;
  if (sid.empty() || !MakeSecurity(sid, &descriptor)) return mapped;
  const std::string name = SettingsMappingName(sid, kSettingsRecordLayout);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.Get(), FALSE};

  KernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                          sizeof(SettingsView), name.c_str()));
  const bool created = mapping && GetLastError() != ERROR_ALREADY_EXISTS;
  bool writable = false;
  if (mapping) {
    writable = created || OwnedBy(mapping.Get(), sid);
    if (writable) mapped.view = MapView(mapping.Get(), FILE_MAP_WRITE);
  } else {
    // Lower integrity: the label lets it read, never write, the user's
    // record (and read its owner).
    mapping.Reset(OpenFileMappingA(FILE_MAP_READ | READ_CONTROL, FALSE, name.c_str()));
    if (mapping && OwnedBy(mapping.Get(), sid)) mapped.view = MapView(mapping.Get(), FILE_MAP_COPY);
  }
  if (mapped.view == nullptr) return mapped;
  // The handles stay open for the life of the process, as the view does.
  mapping.Release();
  if (writable) {
    mapped.writers = CreateMutexA(&attributes, FALSE,
                                  SettingsWritersMutexName(sid, kSettingsRecordLayout).c_str());
  }
  // Until this is published the record reads as not yet filled, and
  // readers keep what they had.
  if (created) PublishSequenced(mapped.view->count, &mapped.view->record, &initial, sizeof initial);
  return mapped;
}

}  // namespace corvane
