// The settings record on a system that knows no integrity labels (Windows
// XP), whose security parser refuses the label: the record is made without
// it and works as on later systems.  A program of its own, so that the
// record is first mapped with the refusing parser in place.
#include "hooklib/core/settings_mapping.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hooklib/core/settings_mapping_rules.h"

namespace corvane {
namespace {

std::vector<std::string> g_asked;

// Windows XP's parser: an ace type it does not know ("ML") is an invalid
// parameter; everything else as the system parses it.
BOOL WINAPI ParseWithoutLabels(LPCSTR text, DWORD revision, PSECURITY_DESCRIPTOR* descriptor,
                               PULONG size) {
  g_asked.emplace_back(text);
  if (std::string(text).find("(ML;") != std::string::npos) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ConvertStringSecurityDescriptorToSecurityDescriptorA(text, revision, descriptor, size);
}

std::string SecurityText(HANDLE object, SECURITY_INFORMATION parts) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(object, SE_KERNEL_OBJECT, parts, nullptr, nullptr, nullptr, nullptr,
                      &descriptor) != ERROR_SUCCESS) {
    return "(unreadable)";
  }
  LPSTR text = nullptr;
  std::string result = "(unconvertible)";
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, parts,
                                                           &text, nullptr)) {
    result = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return result;
}

TEST(SettingsMappingWithoutLabel, IsMadeWithoutTheLabelAndHoldsTheRecord) {
  SetSecurityFromTextForTesting(ParseWithoutLabels);
  const std::string sid = CurrentUserSid();
  ASSERT_EQ(sid.rfind("S-1-5-", 0), 0u) << sid;
  SharedSettings& record = Shared();
  SetSecurityFromTextForTesting(nullptr);

  // The label was asked for first, refused, and the record made without it.
  ASSERT_EQ(g_asked.size(), 2u);
  EXPECT_EQ(g_asked[0], SettingsMappingSecurity(sid, true));
  EXPECT_EQ(g_asked[1], SettingsMappingSecurity(sid, false));

  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | READ_CONTROL, FALSE,
                                    SettingsMappingName(sid, kSettingsRecordLayout).c_str());
  ASSERT_NE(mapping, nullptr) << "the record is the mapping, not this process's own copy: "
                              << GetLastError();
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  record.HotKey = 0x54321;
  const auto* seen = reinterpret_cast<const SharedSettings*>(static_cast<const char*>(view) +
                                                             offsetof(SettingsView, record));
  EXPECT_EQ(seen->HotKey, 0x54321u);
  EXPECT_EQ(seen->AllowStockTicker, record.AllowStockTicker);

  // Owned by the user, who alone is admitted, as with the label.
  EXPECT_EQ(SecurityText(mapping, OWNER_SECURITY_INFORMATION), "O:" + sid);
  const std::string dacl = SecurityText(mapping, DACL_SECURITY_INFORMATION);
  EXPECT_EQ(dacl.rfind("D:P(A;;", 0), 0u) << dacl;
  EXPECT_EQ(dacl.find(";;;" + sid + ")"), dacl.size() - sid.size() - 4) << dacl;
  EXPECT_EQ(dacl.find("(A;", 1), dacl.rfind("(A;")) << "one entry only: " << dacl;
  std::printf("what the system shows of the unlabelled record's security: %s %s label '%s'\n",
              SecurityText(mapping, OWNER_SECURITY_INFORMATION).c_str(), dacl.c_str(),
              SecurityText(mapping, LABEL_SECURITY_INFORMATION).c_str());

  UnmapViewOfFile(view);
  CloseHandle(mapping);
}

}  // namespace
}  // namespace corvane
