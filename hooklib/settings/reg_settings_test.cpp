#include "hooklib/settings/reg_settings.h"

#include <cstring>

#include "hooklib/settings/testing/registry_fixture.h"

namespace corvane {
namespace {

using RegSettingsTest = CleanRegistryTest;

struct Fields {
  int flag = 0;
  BYTE alpha = 0;
  DWORD hotKey = 0;
  char text[260] = "";
};

RegSettings Bind(Fields& f) {
  RegSettings r(HKEY_CURRENT_USER, kSettingsKey);
  r.AddInt(&f.flag, "Flag");
  r.AddByte(&f.alpha, "Alpha");
  r.AddDword(&f.hotKey, "HotKey");
  r.AddString(f.text, "Text");
  return r;
}

TEST_F(RegSettingsTest, LoadWithoutKeyChangesNothing) {
  Fields f;
  f.flag = 7;
  EXPECT_FALSE(Bind(f).Load());
  EXPECT_EQ(f.flag, 7);
}

TEST_F(RegSettingsTest, RebindingANameReplacesItsField) {
  Fields a, b;
  RegSettings r(HKEY_CURRENT_USER, kSettingsKey);
  r.AddInt(&a.flag, "Flag");
  r.AddInt(&b.flag, "Flag");
  EXPECT_EQ(r.BindingCount(), 1u);
  WriteDword("Flag", 5);
  ASSERT_TRUE(r.Load());
  EXPECT_EQ(a.flag, 0);
  EXPECT_EQ(b.flag, 5);
}

TEST_F(RegSettingsTest, StringUnderAnIntNameReplacesOnlyItsFirstBytes) {
  Fields f;
  f.flag = static_cast<int>(0xAABBCCDD);
  WriteString("Flag", "1");
  ASSERT_TRUE(Bind(f).Load());
  EXPECT_EQ(static_cast<DWORD>(f.flag), 0xAABB0031u);
}

TEST_F(RegSettingsTest, OversizedValuesNeverOverrunTheirField) {
  Fields f;
  std::strcpy(f.text, "old");
  f.alpha = 9;
  WriteString("Text", std::string(300, 'x'));
  WriteDword("Alpha", 0x11223344);
  ASSERT_TRUE(Bind(f).Load());
  EXPECT_STREQ(f.text, "old");
  EXPECT_EQ(f.alpha, 9);

  WriteString("Text", std::string(260, 'y'));  // no room for the NUL
  ASSERT_TRUE(Bind(f).Load());
  EXPECT_STREQ(f.text, "old");

  WriteString("Text", std::string(259, 'z'));
  ASSERT_TRUE(Bind(f).Load());
  EXPECT_EQ(std::string(f.text), std::string(259, 'z'));
}

TEST_F(RegSettingsTest, TextStoredWithoutItsNulIsTerminated) {
  Fields f;
  std::memset(f.text, 'q', sizeof f.text - 1);
  WriteValue(kSettingsKey, "Text", REG_SZ, "abc", 3);
  ASSERT_TRUE(Bind(f).Load());
  EXPECT_STREQ(f.text, "abc");
}

TEST_F(RegSettingsTest, SaveWritesEachTableWithItsTypeAndWidth) {
  Fields f;
  f.flag = -1;
  f.alpha = 200;
  f.hotKey = 0x30041;
  ASSERT_TRUE(Bind(f).Save());

  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  BYTE data[300];
  DWORD type = 0, size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key, "Flag", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(*reinterpret_cast<DWORD*>(data), 0xFFFFFFFFu);
  size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key, "Alpha", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 1u);
  EXPECT_EQ(data[0], 200);
  size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 1u);  // an empty text is its NUL alone
  RegCloseKey(key);

  Fields back;
  ASSERT_TRUE(Bind(back).Load());
  EXPECT_EQ(back.flag, -1);
  EXPECT_EQ(back.alpha, 200);
  EXPECT_EQ(back.hotKey, 0x30041u);
}

}  // namespace
}  // namespace corvane
