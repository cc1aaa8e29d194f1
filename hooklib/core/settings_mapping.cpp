#include "hooklib/core/settings_mapping.h"

#include <aclapi.h>
#include <sddl.h>

#include "common/unique_handle.h"
#include "hooklib/core/settings_mapping_rules.h"

namespace corvane {
namespace {

// What the mapping holds: the record, after a word that its creator sets
// once the record holds its initial values.
struct SettingsView {
  volatile LONG ready;
  SharedSettings record;
};

// A process that opens the mapping while its creator is still filling it
// waits this long at most; the creator takes microseconds.
constexpr int kReadyWaitMilliseconds = 2000;

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

void WaitUntilReady(const SettingsView* view) {
  for (int waited = 0; view->ready == 0 && waited < kReadyWaitMilliseconds; ++waited) Sleep(1);
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

SharedSettings* MapSettingsRecord(const SharedSettings& initial) {
  const std::string sid = CurrentUserSid();
  LocalMemory descriptor;
  if (sid.empty() || !MakeSecurity(sid, &descriptor)) return nullptr;
  const std::string name = SettingsMappingName(sid);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.Get(), FALSE};

  KernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                          sizeof(SettingsView), name.c_str()));
  const bool created = mapping && GetLastError() != ERROR_ALREADY_EXISTS;
  SettingsView* view = nullptr;
  if (mapping) {
    if (created || OwnedBy(mapping.Get(), sid)) view = MapView(mapping.Get(), FILE_MAP_WRITE);
  } else {
    // Lower integrity: the label lets it read, never write, the user's
    // record (and read its owner).
    mapping.Reset(OpenFileMappingA(FILE_MAP_READ | READ_CONTROL, FALSE, name.c_str()));
    if (mapping && OwnedBy(mapping.Get(), sid)) view = MapView(mapping.Get(), FILE_MAP_COPY);
  }
  if (view == nullptr) return nullptr;
  // The handle stays open for the life of the process, as the view does.
  mapping.Release();
  if (created) {
    view->record = initial;
    InterlockedExchange(&view->ready, 1);
  } else {
    WaitUntilReady(view);
  }
  return &view->record;
}

}  // namespace corvane
