#include "viewer/search/index_location.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::string LocalAppData() {
  char local[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local),
            S_OK);
  return local;
}

TEST(SearchIndexPath, OneFileForEachHistoryFolderInTheLocalApplicationData) {
  const std::string path = SearchIndexPath("C:\\Chat\\History");
  EXPECT_EQ(path, LocalAppData() + "\\Corvane\\" + SearchIndexName("C:\\Chat\\History") + ".db");
  EXPECT_NE(GetFileAttributesA((LocalAppData() + "\\Corvane").c_str()), INVALID_FILE_ATTRIBUTES);
  // The same folder however it is spelt; another folder, another file.
  EXPECT_EQ(SearchIndexPath("c:\\chat\\HISTORY\\"), path);
  EXPECT_EQ(SearchIndexPath("C:\\Chat\\Other\\..\\History"), path);
  EXPECT_NE(SearchIndexPath("C:\\Chat\\History2"), path);
  EXPECT_EQ(IndexedFolderName("C:\\Chat\\History\\"), "c:\\chat\\history");
}

TEST(SearchIndexPath, NoneInsideTheHistoryFolder) {
  const std::string local = LocalAppData();
  EXPECT_EQ(SearchIndexPath(local), "");
  EXPECT_EQ(SearchIndexPath(local.substr(0, local.rfind('\\'))), "");
  EXPECT_EQ(SearchIndexPath(local.substr(0, 3)), "");  // a drive's root
  EXPECT_NE(SearchIndexPath(local + "\\Corvane History"), "");
}

}  // namespace
}  // namespace corvane
