// The version check's exchange with the update server: where it asks (the
// maker's server, or the one the environment names: tests point it at a local
// one), the fetch, the server's version reply and the decision of one check.
// All but the fetch (fetch_url.cpp, through the system's internet functions)
// are plain functions, tested without a network or a window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// The reply is valid only when it holds this marker; the six lines after
// the marker's line are the fields.
inline constexpr char kVersionInfoMarker[] = "VERSIONINFO_v2";

// Buffer capacities of the check, NUL included.
inline constexpr std::size_t kVersionReplyCapacity = 65536;
inline constexpr std::size_t kServerVersionCapacity = 255;
inline constexpr std::size_t kDownloadAddressCapacity = 2083;

enum VersionInfoField {
  kFieldVersion = 0,
  kFieldReleaseDate = 1,
  kFieldImportance = 2,
  kFieldDescription = 3,
  kFieldDownloadAddress = 4,
  kFieldChanges = 5,  // runs to the end of the reply
};

// The text of the reply up to its first NUL, as the fetch leaves it.
bool HasVersionInfoMarker(const std::string& reply);

// Field `index` (0 to 5) of the reply, at most capacity - 1 characters;
// empty without the marker, for a missing line or a capacity of 0.  Fields
// 0 to 4 end at their line's CR LF; field 5 keeps the rest of the reply.
std::string GetVersionInfoField(const std::string& reply, int index, std::size_t capacity);

enum class Importance { kLow, kNormal, kHigh };

// Field 2 read as a decimal integer the way atoi reads it; its sign gives
// the importance.
Importance ImportanceOf(const std::string& importanceField);

inline constexpr char kUpgradeMonitorCaption[] = "Corvane Upgrade Monitor";
inline constexpr char kLatestVersionMessage[] = "You are running the latest version of Corvane.";

// What one check starts from: its kind and the settings it consults.
struct UpgradeCheckInputs {
  bool askedByUser = false;     // "Check Now!" rather than the sign-on check
  int checkVersion = 0;         // CheckVersion: a kRemind* policy
  unsigned todayUtcDay = 0;     // day of the month, UTC
  unsigned lastCheckDay = 0;    // CheckVersionLastDay
  std::string runningVersion;   // Version
  std::string lastSeenVersion;  // CheckVersionLast
};

enum class UpgradeMessage { kNone, kLatestVersion };

struct UpgradeCheckDecision {
  bool fetch = false;       // ask the update server at all
  bool showDialog = false;  // the upgrade monitor dialog with the whole reply
  UpgradeMessage message = UpgradeMessage::kNone;
  // A completed check records the server's version and today's day in
  // CheckVersionLast / CheckVersionLastDay and saves all settings.
  bool recordAndSave = false;
  std::string recordLastSeenVersion;
  unsigned recordLastCheckDay = 0;
};

// Whether the check asks the server: an automatic check does not under the
// "never" policy nor a second time on the same day.
bool ShouldFetchVersionReply(const UpgradeCheckInputs& inputs);

// The whole decision, given the reply that the fetch returned (ignored when
// there is no fetch).  A reply without the marker, or without a version,
// completes nothing.
UpgradeCheckDecision DecideUpgradeCheck(const UpgradeCheckInputs& inputs, const std::string& reply);

// Where the version check asks.
inline constexpr char kDefaultUpdateServer[] = "http://www.halvard.example";
// Scheme and host (and port) without a trailing slash, e.g. "http://127.0.0.1:8765".
inline constexpr char kUpdateServerVariable[] = "CORVANE_UPDATE_SERVER";
inline constexpr char kVersionRequestPath[] = "/version3.php?product=corvane";

// The full address of the version request.
std::string UpdateServerUrl();

// What "Download Now!" opens for the address a reply offers: the address
// when it lies on the host of the maker's web site or of the update server,
// else the web site's home page (see DownloadAddressToOpen).
std::string DownloadAddressFromReply(std::string_view offered);

// One HTTP GET, read in a single call into a fixed buffer.
inline constexpr char kFetchUserAgent[] = "Microsoft Internet Explorer";

// Fills `text` with at most capacity - 1 bytes of the body and a NUL;
// `length` is the capacity on entry and the number of bytes read on return.
// Any failure leaves an empty text and a length of 0.
void FetchUrlText(const char* address, char* text, std::size_t& length);

}  // namespace corvane
