#include "hooklib/upgrade/version_reply.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testing/test_environment.h"
#include "common/web_address.h"

namespace corvane {
namespace {

const std::string kFullReply =
    "header\r\nVERSIONINFO_v2\r\n2.0\r\nMay 1\r\n1\r\nBig release\r\n"
    "http://www.halvard.example/get.exe\r\nline one\r\nline two";

struct FieldCase {
  const char* name;
  std::string reply;
  int index;
  std::size_t capacity;
  std::string expected;
};

class VersionInfoFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(VersionInfoFieldTest, ReadsTheField) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(GetVersionInfoField(c.reply, c.index, c.capacity), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, VersionInfoFieldTest,
    testing::Values(
        FieldCase{"Version", kFullReply, 0, 255, "2.0"},
        FieldCase{"ReleaseDate", kFullReply, 1, 65536, "May 1"},
        FieldCase{"Importance", kFullReply, 2, 65536, "1"},
        FieldCase{"Description", kFullReply, 3, 65536, "Big release"},
        FieldCase{"DownloadAddress", kFullReply, 4, 2083, "http://www.halvard.example/get.exe"},
        FieldCase{"ChangesKeepTheirLineBreaks", kFullReply, 5, 65536, "line one\r\nline two"},
        FieldCase{"EndsAfterMarkerLineVersion", "VERSIONINFO_v2\r\n", 0, 255, ""},
        FieldCase{"EndsAfterMarkerLineChanges", "VERSIONINFO_v2\r\n", 5, 65536, ""},
        FieldCase{"MarkerWithoutLineEnd", "VERSIONINFO_v2", 0, 255, ""},
        FieldCase{"NoMarker", "header\r\n2.0\r\nMay 1\r\n", 0, 255, ""},
        FieldCase{"LastLineWithoutLineEnd", "VERSIONINFO_v2\r\n3.1", 0, 255, "3.1"},
        FieldCase{"TooFewLines", "VERSIONINFO_v2\r\n3.1\r\nJune", 2, 255, ""},
        FieldCase{"TextAroundMarkerOnItsLineIgnored", "xx VERSIONINFO_v2 yy\r\n4.0\r\n", 0, 255,
                  "4.0"},
        FieldCase{"FirstMarkerCounts", "VERSIONINFO_v2\r\n1.0\r\nVERSIONINFO_v2\r\n9.9\r\n", 0, 255,
                  "1.0"},
        FieldCase{"CapacityZero", kFullReply, 0, 0, ""},
        FieldCase{"CapacityCutsTheCopy", kFullReply, 3, 4, "Big"},
        FieldCase{"CapacityCutsTheChanges", kFullReply, 5, 11, "line one\r\n"},
        FieldCase{"BareLineFeedIsNoLineEnd", "VERSIONINFO_v2\n2.0\n", 0, 255, ""},
        FieldCase{"LoneCarriageReturnStaysInField", "VERSIONINFO_v2\r\n2.0\rX\r\n", 0, 255,
                  "2.0\rX"},
        FieldCase{"TextEndsAtNul", std::string("VERSIONINFO_v2\0\r\n2.0\r\n", 22), 0, 255, ""},
        FieldCase{"IndexBelowRange", kFullReply, -1, 255, ""},
        FieldCase{"IndexAboveRange", kFullReply, 6, 255, ""}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(VersionInfoMarkerTest, FoundAnywhereBeforeTheFirstNul) {
  EXPECT_TRUE(HasVersionInfoMarker(kFullReply));
  EXPECT_TRUE(HasVersionInfoMarker("VERSIONINFO_v2"));
  EXPECT_FALSE(HasVersionInfoMarker(""));
  EXPECT_FALSE(HasVersionInfoMarker("VERSIONINFO_v1\r\n2.0"));
  EXPECT_FALSE(HasVersionInfoMarker(std::string("x\0VERSIONINFO_v2", 16)));
}

struct ImportanceCase {
  const char* text;
  Importance expected;
};

class ImportanceTest : public testing::TestWithParam<ImportanceCase> {};

TEST_P(ImportanceTest, SignOfTheNumber) {
  EXPECT_EQ(ImportanceOf(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ImportanceTest,
    testing::Values(
        ImportanceCase{"1", Importance::kHigh}, ImportanceCase{"  +7x", Importance::kHigh},
        ImportanceCase{"-1", Importance::kLow}, ImportanceCase{"\t-002", Importance::kLow},
        ImportanceCase{"0", Importance::kNormal}, ImportanceCase{"", Importance::kNormal},
        ImportanceCase{"high", Importance::kNormal}, ImportanceCase{"- 1", Importance::kNormal},
        ImportanceCase{"-0", Importance::kNormal},
        ImportanceCase{"99999999999999999999", Importance::kHigh}));

std::string ReplyWithVersion(const std::string& version) {
  return "VERSIONINFO_v2\r\n" + version + "\r\nMay 1\r\n0\r\nd\r\nhttp://x/\r\nc";
}

struct PolicyCase {
  const char* name;
  bool askedByUser;
  int checkVersion;
  unsigned today;
  unsigned lastDay;
  const char* lastSeen;
  std::string reply;
  bool fetch;
  bool showDialog;
  UpgradeMessage message;
  bool recordAndSave;
};

class UpgradePolicyTest : public testing::TestWithParam<PolicyCase> {};

TEST_P(UpgradePolicyTest, Decides) {
  const PolicyCase& c = GetParam();
  UpgradeCheckInputs inputs;
  inputs.askedByUser = c.askedByUser;
  inputs.checkVersion = c.checkVersion;
  inputs.todayUtcDay = c.today;
  inputs.lastCheckDay = c.lastDay;
  inputs.runningVersion = "2.2.1";
  inputs.lastSeenVersion = c.lastSeen;

  const UpgradeCheckDecision d = DecideUpgradeCheck(inputs, c.reply);
  EXPECT_EQ(ShouldFetchVersionReply(inputs), c.fetch);
  EXPECT_EQ(d.fetch, c.fetch);
  EXPECT_EQ(d.showDialog, c.showDialog);
  EXPECT_EQ(d.message, c.message);
  EXPECT_EQ(d.recordAndSave, c.recordAndSave);
  if (c.recordAndSave) {
    EXPECT_EQ(d.recordLastSeenVersion, GetVersionInfoField(c.reply, kFieldVersion, 255));
    EXPECT_EQ(d.recordLastCheckDay, c.today);
  } else {
    EXPECT_EQ(d.recordLastSeenVersion, "");
    EXPECT_EQ(d.recordLastCheckDay, 0u);
  }
}

const UpgradeMessage kNone = UpgradeMessage::kNone;
const UpgradeMessage kLatest = UpgradeMessage::kLatestVersion;

INSTANTIATE_TEST_SUITE_P(
    Policy, UpgradePolicyTest,
    testing::Values(
        // name, asked, CheckVersion, today, last day, last seen, reply,
        // fetch, dialog, message, record
        PolicyCase{"Auto0Newer", false, 0, 7, 6, "", ReplyWithVersion("3.0"), true, true, kNone,
                   true},
        PolicyCase{"Auto0NewerSeenBefore", false, 0, 7, 6, "3.0", ReplyWithVersion("3.0"), true,
                   true, kNone, true},
        PolicyCase{"Auto0Equal", false, 0, 7, 6, "", ReplyWithVersion("2.2.1"), true, false, kNone,
                   true},
        PolicyCase{"Auto0SameDay", false, 0, 7, 7, "", ReplyWithVersion("3.0"), false, false, kNone,
                   false},
        PolicyCase{"Auto1NewerUnseen", false, 1, 7, 6, "2.9", ReplyWithVersion("3.0"), true, true,
                   kNone, true},
        PolicyCase{"Auto1NewerSeenBefore", false, 1, 7, 6, "3.0", ReplyWithVersion("3.0"), true,
                   false, kNone, true},
        PolicyCase{"Auto1Equal", false, 1, 7, 6, "2.2.1", ReplyWithVersion("2.2.1"), true, false,
                   kNone, true},
        PolicyCase{"Auto1SameDay", false, 1, 7, 7, "2.9", ReplyWithVersion("3.0"), false, false,
                   kNone, false},
        PolicyCase{"AutoNever", false, -1, 7, 6, "", ReplyWithVersion("3.0"), false, false, kNone,
                   false},
        PolicyCase{"AutoFirstCheckEverDayZero", false, 0, 1, 0, "", ReplyWithVersion("3.0"), true,
                   true, kNone, true},
        PolicyCase{"AutoOtherPolicyValueReminds", false, 2, 7, 6, "3.0", ReplyWithVersion("3.0"),
                   true, true, kNone, true},
        PolicyCase{"AskedNever", true, -1, 7, 7, "", ReplyWithVersion("3.0"), true, true, kNone,
                   true},
        PolicyCase{"Asked1SeenBeforeSameDay", true, 1, 7, 7, "3.0", ReplyWithVersion("3.0"), true,
                   true, kNone, true},
        PolicyCase{"AskedEqual", true, 0, 7, 7, "", ReplyWithVersion("2.2.1"), true, false, kLatest,
                   true},
        PolicyCase{"VersionCaseCounts", true, 0, 7, 6, "", ReplyWithVersion("2.2.1A"), true, true,
                   kNone, true},
        // A reply without a version is no reply: nothing shown, nothing recorded.
        PolicyCase{"AutoEndsAfterMarkerLine", false, 0, 7, 6, "", "VERSIONINFO_v2\r\n", true, false,
                   kNone, false},
        PolicyCase{"AskedEndsAfterMarkerLine", true, 0, 7, 6, "", "VERSIONINFO_v2\r\n", true, false,
                   kNone, false},
        PolicyCase{"AutoLineFeedsOnly", false, 0, 7, 6, "",
                   "VERSIONINFO_v2\n3.0\nMay 1\n1\nBig\nhttp://h/\nchanges", true, false, kNone,
                   false},
        PolicyCase{"AskedLineFeedsOnly", true, 0, 7, 6, "",
                   "VERSIONINFO_v2\n3.0\nMay 1\n1\nBig\nhttp://h/\nchanges", true, false, kNone,
                   false},
        PolicyCase{"AskedTruncatedInTheMarkerLine", true, 0, 7, 6, "", "VERSIONINFO_v2", true,
                   false, kNone, false},
        PolicyCase{"AutoBlankVersionLine", false, 1, 7, 6, "3.0", "VERSIONINFO_v2\r\n\r\nMay 1\r\n",
                   true, false, kNone, false},
        PolicyCase{"AskedBlankVersionLine", true, 0, 7, 6, "", "VERSIONINFO_v2\r\n\r\n", true,
                   false, kNone, false},
        PolicyCase{"AutoNoMarker", false, 0, 7, 6, "", "2.2.1\r\n", true, false, kNone, false},
        PolicyCase{"AskedNoMarker", true, 0, 7, 6, "", "VERSIONINFO_v1\r\n3.0\r\n", true, false,
                   kNone, false},
        PolicyCase{"AskedEmptyReply", true, 0, 7, 6, "", "", true, false, kNone, false}),
    [](const testing::TestParamInfo<PolicyCase>& info) { return std::string(info.param.name); });

TEST(UpgradePolicyRecordTest, RecordsAtMost254CharactersOfTheServerVersion) {
  UpgradeCheckInputs inputs;
  inputs.askedByUser = true;
  inputs.runningVersion = "2.2.1";
  const UpgradeCheckDecision d =
      DecideUpgradeCheck(inputs, ReplyWithVersion(std::string(300, '9')));
  EXPECT_TRUE(d.showDialog);
  EXPECT_EQ(d.recordLastSeenVersion, std::string(254, '9'));
}

// Not even a running version that is empty too makes it "the latest".
TEST(UpgradePolicyRecordTest, NoVersionIsNoReplyWhateverTheRunningVersion) {
  UpgradeCheckInputs inputs;
  inputs.askedByUser = true;
  inputs.runningVersion = "";
  const UpgradeCheckDecision d = DecideUpgradeCheck(inputs, "VERSIONINFO_v2\r\n\r\n");
  EXPECT_FALSE(d.showDialog);
  EXPECT_EQ(d.message, UpgradeMessage::kNone);
  EXPECT_FALSE(d.recordAndSave);
}

TEST(UpgradePolicyRecordTest, CutVersionEqualToRunningCountsAsEqual) {
  UpgradeCheckInputs inputs;
  inputs.askedByUser = true;
  inputs.runningVersion = std::string(254, '9');
  const UpgradeCheckDecision d =
      DecideUpgradeCheck(inputs, ReplyWithVersion(std::string(300, '9')));
  EXPECT_FALSE(d.showDialog);
  EXPECT_EQ(d.message, UpgradeMessage::kLatestVersion);
}

void SetServerVariable(const char* value) {
  SetTestEnvironmentVariable(kUpdateServerVariable, value);
}

class UpdateServerUrlTest : public testing::Test {
 protected:
  void TearDown() override { SetServerVariable(""); }
};

TEST_F(UpdateServerUrlTest, DefaultsToTheMakersServer) {
  SetServerVariable("");
  EXPECT_EQ(UpdateServerUrl(), "http://www.halvard.example/version3.php?product=corvane");
}

TEST_F(UpdateServerUrlTest, EnvironmentNamesAnotherServer) {
  SetServerVariable("http://127.0.0.1:8765");
  EXPECT_EQ(UpdateServerUrl(), "http://127.0.0.1:8765/version3.php?product=corvane");
}

TEST_F(UpdateServerUrlTest, TrailingSlashOfTheServerIsDropped) {
  SetServerVariable("http://127.0.0.1:8765/");
  EXPECT_EQ(UpdateServerUrl(), "http://127.0.0.1:8765/version3.php?product=corvane");
}

TEST_F(UpdateServerUrlTest, AnHttpsServerIsAskedOverHttps) {
  SetServerVariable("https://updates.halvard.example:8443/");
  EXPECT_EQ(UpdateServerUrl(), "https://updates.halvard.example:8443/version3.php?product=corvane");
  EXPECT_EQ(DownloadAddressFromReply("https://updates.halvard.example/get.exe"),
            "https://updates.halvard.example/get.exe");
}

TEST_F(UpdateServerUrlTest, DownloadOpensTheMakersHostsOnly) {
  SetServerVariable("http://127.0.0.1:8765");
  SetTestEnvironmentVariable(kWebSiteVariable, "");
  EXPECT_EQ(DownloadAddressFromReply("http://127.0.0.1:9999/get.exe"),
            "http://127.0.0.1:9999/get.exe");
  EXPECT_EQ(DownloadAddressFromReply("http://www.halvard.example/get.exe"),
            "http://www.halvard.example/get.exe");
  EXPECT_EQ(DownloadAddressFromReply("http://127.0.0.2/get.exe"), "http://www.halvard.example/");
  EXPECT_EQ(DownloadAddressFromReply(""), "http://www.halvard.example/");
}

}  // namespace
}  // namespace corvane
