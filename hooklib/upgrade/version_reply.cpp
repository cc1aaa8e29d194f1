#include "hooklib/upgrade/version_reply.h"

#include <climits>
#include <string_view>

#include "common/web_address.h"
#include "hooklib/core/reminder_policy.h"

namespace corvane {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The reply counts up to its first NUL, like the text the fetch terminates.
std::string_view TextOf(const std::string& reply) { return std::string_view(reply.c_str()); }

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool HasVersionInfoMarker(const std::string& reply) {
  return TextOf(reply).find(kVersionInfoMarker) != std::string_view::npos;
}

std::string GetVersionInfoField(const std::string& reply, int index, std::size_t capacity) {
  if (capacity == 0 || index < kFieldVersion || index > kFieldChanges) return std::string();
  const std::string_view text = TextOf(reply);
  std::size_t position = text.find(kVersionInfoMarker);
  if (position == std::string_view::npos) return std::string();
  for (int line = 0; line <= index; ++line) {
    const std::size_t lineEnd = text.find(kLineEnd, position);
    if (lineEnd == std::string_view::npos) return std::string();
    position = lineEnd + kLineEnd.size();
  }
  std::string field(text.substr(position, capacity - 1));
  if (index != kFieldChanges) {
    const std::size_t cut = field.find(kLineEnd);
    if (cut != std::string::npos) field.resize(cut);
  }
  return field;
}

Importance ImportanceOf(const std::string& importanceField) {
  std::size_t i = 0;
  while (i < importanceField.size() && IsBlank(importanceField[i])) ++i;
  bool negative = false;
  if (i < importanceField.size() && (importanceField[i] == '+' || importanceField[i] == '-')) {
    negative = importanceField[i] == '-';
    ++i;
  }
  // Only the sign matters: any nonzero digit makes the value nonzero, so
  // long digit runs need no arithmetic that could overflow.
  bool nonzero = false;
  for (; i < importanceField.size() && importanceField[i] >= '0' && importanceField[i] <= '9';
       ++i) {
    if (importanceField[i] != '0') nonzero = true;
  }
  if (!nonzero) return Importance::kNormal;
  return negative ? Importance::kLow : Importance::kHigh;
}

bool ShouldFetchVersionReply(const UpgradeCheckInputs& inputs) {
  if (inputs.askedByUser) return true;
  return inputs.checkVersion != kRemindNever && inputs.todayUtcDay != inputs.lastCheckDay;
}

UpgradeCheckDecision DecideUpgradeCheck(const UpgradeCheckInputs& inputs,
                                        const std::string& reply) {
  UpgradeCheckDecision decision;
  decision.fetch = ShouldFetchVersionReply(inputs);
  if (!decision.fetch || !HasVersionInfoMarker(reply)) return decision;

  // A reply whose version comes out empty (bare line feeds, a cut-off body)
  // says nothing about a release: like a reply without the marker it shows
  // nothing and records nothing, so the next check tries again.
  const std::string serverVersion =
      GetVersionInfoField(reply, kFieldVersion, kServerVersionCapacity);
  if (serverVersion.empty()) return decision;
  if (serverVersion != inputs.runningVersion) {
    const bool remindedAlready = !inputs.askedByUser && inputs.checkVersion == kRemindNextVersion &&
                                 serverVersion == inputs.lastSeenVersion;
    decision.showDialog = !remindedAlready;
  } else if (inputs.askedByUser) {
    decision.message = UpgradeMessage::kLatestVersion;
  }
  decision.recordAndSave = true;
  decision.recordLastSeenVersion = serverVersion;
  decision.recordLastCheckDay = inputs.todayUtcDay;
  return decision;
}

std::string UpdateServerUrl() {
  return ConfiguredSite(kUpdateServerVariable, kDefaultUpdateServer) + kVersionRequestPath;
}

std::string DownloadAddressFromReply(std::string_view offered) {
  return DownloadAddressToOpen(offered,
                               {ConfiguredSite(kWebSiteVariable, kDefaultWebSite),
                                ConfiguredSite(kUpdateServerVariable, kDefaultUpdateServer)},
                               WebSiteHomeUrl());
}

}  // namespace corvane
