#include <gtest/gtest.h>

#include <string>

#include "viewer/framework/testing/test_app.h"

namespace corvane {
namespace {

constexpr char kSection[] = "WindowPlacement\\Profile Test";

TEST(ApplicationObject, IsTheProcesssOneAndNamedAfterTheExecutable) {
  TestApp app;
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(app.AppName(), "viewer_framework_test");
}

TEST(Profile, RegistryIntegersAreDwordsInNestedKeysBelowCompanyAndApplication) {
  DeleteTestCompanyKey();
  TestApp app;
  app.SetRegistryKey(kTestCompany);
  EXPECT_EQ(app.GetProfileInt(kSection, "Left", -2), -2);

  EXPECT_TRUE(app.WriteProfileInt(kSection, "Left", -7));
  EXPECT_TRUE(app.WriteProfileInt(kSection, "Right", 1234));

  EXPECT_EQ(app.GetProfileInt(kSection, "Left", -2), -7);
  EXPECT_EQ(app.GetProfileInt(kSection, "Right", -1), 1234);
  const std::string sectionKey = std::string(kTestAppKey) + "\\WindowPlacement\\Profile Test";
  EXPECT_EQ(RegistryDword(sectionKey, "Left"), -7);
  EXPECT_EQ(RegistryDword(sectionKey, "Right"), 1234);
  DeleteTestCompanyKey();
}

TEST(Profile, RegistryValueOfAnotherTypeReadsAsTheDefault) {
  DeleteTestCompanyKey();
  TestApp app;
  app.SetRegistryKey(kTestCompany);
  const std::string sectionKey = std::string(kTestAppKey) + "\\WindowPlacement\\Profile Test";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, sectionKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Left", 0, REG_SZ, reinterpret_cast<const BYTE*>("12"), 3);
  RegCloseKey(key);

  EXPECT_EQ(app.GetProfileInt(kSection, "Left", -2), -2);
  DeleteTestCompanyKey();
}

std::string WindowsDirectoryFile(const char* name) {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, sizeof(folder));
  return std::string(folder) + "\\" + name;
}

TEST(Profile, WithoutRegistryKeyIntegersAreDecimalEntriesOfTheIniFileInTheWindowsDirectory) {
  const std::string ini = WindowsDirectoryFile("viewer_framework_test.ini");
  DeleteFileA(ini.c_str());
  TestApp app;
  EXPECT_EQ(app.GetProfileInt(kSection, "Left", -2), -2);

  EXPECT_TRUE(app.WriteProfileInt(kSection, "Left", 1234));
  EXPECT_TRUE(app.WriteProfileInt(kSection, "IsZoomed", 0));

  EXPECT_EQ(app.GetProfileInt(kSection, "Left", -2), 1234);
  EXPECT_EQ(app.GetProfileInt(kSection, "IsZoomed", -1), 0);
  char text[32] = {};
  GetPrivateProfileStringA(kSection, "Left", "", text, sizeof(text), ini.c_str());
  EXPECT_STREQ(text, "1234");
  DeleteFileA(ini.c_str());
}

}  // namespace
}  // namespace corvane
