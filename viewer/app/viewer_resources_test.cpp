// The viewer's resources as built into an executable: both dialog templates
// control by control, the version strings and the icon.
#include <gtest/gtest.h>

#include <vector>

#include "common/version_info.h"
#include "viewer/app/testing/dialog_template_reader.h"
#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLeftText = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kRightText = kChild | SS_RIGHT | WS_GROUP;
constexpr DWORD kButton = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDropDownList = kChild | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;

void ExpectControls(const DialogTemplate& t, const std::vector<TemplateControl>& expected) {
  ASSERT_EQ(t.controls.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const TemplateControl& a = t.controls[i];
    const TemplateControl& e = expected[i];
    SCOPED_TRACE("control " + std::to_string(i) + " (" + e.text + ")");
    EXPECT_EQ(a.id, e.id);
    // Window class names are case-insensitive; the resource compiler keeps
    // a registered class's name in capitals.
    EXPECT_EQ(lstrcmpiA(a.className.c_str(), e.className.c_str()), 0) << a.className;
    EXPECT_EQ(a.text, e.text);
    EXPECT_EQ(a.style, e.style);
    EXPECT_EQ(a.exStyle, 0u);
    EXPECT_EQ(a.x, e.x);
    EXPECT_EQ(a.y, e.y);
    EXPECT_EQ(a.cx, e.cx);
    EXPECT_EQ(a.cy, e.cy);
  }
}

TEST(ViewerResources, MainDialogTemplate) {
  const std::optional<DialogTemplate> t = ReadDialogTemplate(IDD_MAIN);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->style,
            static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                               WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT));
  EXPECT_EQ(t->exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(t->caption, "Corvane History");
  EXPECT_EQ(t->cx, 336);
  EXPECT_EQ(t->cy, 103);
  EXPECT_EQ(t->fontSize, 8);
  EXPECT_EQ(t->font, "MS Sans Serif");
  ExpectControls(*t, {
                         {-1, "Static", "&User", kLeftText, 0, 5, 8, 18, 9},
                         {1003, "ComboBox", "", kDropDownList, 0, 25, 6, 87, 191},
                         {1012, "Button", "Del", kButton, 0, 115, 7, 23, 12},
                         {-1, "Static", "&Buddy", kLeftText, 0, 5, 24, 22, 9},
                         {1005, "ComboBox", "", kDropDownList, 0, 29, 22, 83, 202},
                         {1013, "Button", "Del", kButton, 0, 115, 23, 23, 12},
                         {1004, "ListBox", "",
                          kChild | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                              WS_BORDER | WS_TABSTOP,
                          0, 5, 37, 107, 60},
                         {1014, "Button", "Del", kButton, 0, 115, 38, 23, 12},
                         {1017, "Button", "Clear All", kButton, 0, 142, 6, 41, 12},
                         {1010, "Static", "Total History Size: ", kRightText, 0, 203, 9, 60, 9},
                         {1009, "Static", "???", kRightText, 0, 264, 9, 18, 9},
                         {1011, "Static", "MB", kLeftText, 0, 284, 9, 12, 8},
                         {1008, "Button", "&About", kButton, 0, 299, 6, 31, 12},
                         {1001, "CorvaneHtmlView", "", kChild | WS_TABSTOP, 0, 142, 21, 188, 76},
                     });
}

TEST(ViewerResources, AboutBoxTemplate) {
  const std::optional<DialogTemplate> t = ReadDialogTemplate(IDD_ABOUTBOX);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
  EXPECT_EQ(t->exStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(t->caption, "About . . .");
  EXPECT_EQ(t->cx, 246);
  EXPECT_EQ(t->cy, 63);
  EXPECT_EQ(t->fontSize, 8);
  EXPECT_EQ(t->font, "MS Sans Serif");
  ExpectControls(
      *t, {
              {-1, "Static", "#128", kChild | SS_ICON, 0, 11, 11, 21, 20},
              {-1, "Static", "Corvane (History Viewer)", kLeftText, 0, 40, 11, 72, 8},
              {-1, "Static", "Halvard Software", kLeftText, 0, 40, 23, 53, 8},
              {1013, "Static", "version 1.0.0 (build 0)", kRightText, 0, 136, 11, 101, 8},
              {1012, "Static", "released [ xx.xx.xx.xxxx ]", kRightText, 0, 135, 23, 104, 11},
              {IDOK, "Button", "OK", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 180, 38, 50, 14},
              {1014, "Button", "Web", kButton, 0, 14, 39, 26, 11},
              {1015, "Button", "Help", kButton, 0, 46, 39, 26, 11},
          });
}

TEST(ViewerResources, VersionResourceGivesTheAboutBoxsTexts) {
  char version[33] = {};
  GetVersionText(version);
  EXPECT_STREQ(version, "2.2.1 (build 65)");
  const char* expected[][2] = {
      {"CompanyName", "Halvard Software"},
      {"FileDescription", "Corvane History Viewer"},
      {"FileVersion", "2, 2, 1, 65"},
      {"InternalName", "Corvane History Viewer"},
      {"OriginalFilename", "Corvane History Viewer.exe"},
      {"ProductName", "Corvane"},
      {"ProductVersion", "2, 2, 1, 65"},
      {"Comments", "[ 06.10.2002 ]"},
  };
  for (const auto& [name, value] : expected) {
    char text[255] = {};
    GetVersionString(name, text);
    EXPECT_STREQ(text, value) << name;
  }
}

TEST(ViewerResources, ApplicationIconHasBothSizes) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  for (int size : {32, 16}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace corvane
