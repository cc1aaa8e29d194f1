// The settings record as the system sees it: a mapping under this user's
// name in the session's namespace, with the security it was made with.
#include "hooklib/core/settings_mapping.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/unique_handle.h"
#include "hooklib/core/settings_mapping_rules.h"

namespace corvane {
namespace {

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

TEST(SettingsMapping, TheRecordIsTheMappingNamedAfterTheUser) {
  const std::string sid = CurrentUserSid();
  ASSERT_EQ(sid.rfind("S-1-5-", 0), 0u) << sid;
  SharedSettings& record = Shared();
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | READ_CONTROL, FALSE,
                                    SettingsMappingName(sid, kSettingsRecordLayout).c_str());
  ASSERT_NE(mapping, nullptr) << GetLastError();
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);

  // What this process writes, another view of the mapping reads.
  record.HotKey = 0x12345;
  const auto* seen = reinterpret_cast<const SharedSettings*>(static_cast<const char*>(view) +
                                                             offsetof(SettingsView, record));
  EXPECT_EQ(seen->HotKey, 0x12345u);
  EXPECT_EQ(seen->AllowStockTicker, record.AllowStockTicker);

  // Owned by the user, who alone is admitted.
  EXPECT_EQ(SecurityText(mapping, OWNER_SECURITY_INFORMATION), "O:" + sid);
  const std::string dacl = SecurityText(mapping, DACL_SECURITY_INFORMATION);
  EXPECT_EQ(dacl.rfind("D:P(A;;", 0), 0u) << dacl;
  EXPECT_EQ(dacl.find(";;;" + sid + ")"), dacl.size() - sid.size() - 4) << dacl;
  EXPECT_EQ(dacl.find("(A;", 1), dacl.rfind("(A;")) << "one entry only: " << dacl;
  std::printf("what the system shows of the record's security: %s %s %s\n",
              SecurityText(mapping, OWNER_SECURITY_INFORMATION).c_str(), dacl.c_str(),
              SecurityText(mapping, LABEL_SECURITY_INFORMATION).c_str());

  UnmapViewOfFile(view);
  CloseHandle(mapping);
}

TEST(SettingsMapping, ARecordOfAnotherLayoutIsNeverMappedAsOurs) {
  const std::string sid = CurrentUserSid();
  const RecordLayout ours = kSettingsRecordLayout;
  // Other releases' records of this user, already there and filled: one
  // reordered at the same size, one grown, and one from before records
  // carried their layout.
  std::vector<KernelHandle> theirs;
  for (const std::string& name : {SettingsMappingName(sid, {ours.revision + 1, ours.size}),
                                  SettingsMappingName(sid, {ours.revision, ours.size + 4}),
                                  "Local\\Corvane.Settings." + sid}) {
    theirs.emplace_back(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str()));
    ASSERT_TRUE(theirs.back()) << name;
    void* view = MapViewOfFile(theirs.back().Get(), FILE_MAP_WRITE, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    std::memset(view, 0xAB, 4096);
    UnmapViewOfFile(view);
  }

  SharedSettings initial{};
  initial.HotKey = 0x777;
  const MappedSettings mapped = MapSettingsRecord(initial);
  ASSERT_NE(mapped.view, nullptr);
  EXPECT_NE(mapped.view->record.HotKey, 0xABABABABu);
  EXPECT_EQ(std::memcmp(&mapped.view->record, &Shared(), sizeof(SharedSettings)), 0)
      << "the record this process maps is the one of its own layout";
}

}  // namespace
}  // namespace corvane
