#include "hooklib/core/settings_mapping_rules.h"

namespace corvane {

namespace {

std::string LayoutAndUser(RecordLayout layout, std::string_view userSid) {
  return std::to_string(layout.revision) + "-" + std::to_string(layout.size) + "." +
         std::string(userSid);
}

}  // namespace

std::string SettingsMappingName(std::string_view userSid, RecordLayout layout) {
  return "Local\\Corvane.Settings." + LayoutAndUser(layout, userSid);
}

std::string SettingsWritersMutexName(std::string_view userSid, RecordLayout layout) {
  return "Local\\Corvane.SettingsWriters." + LayoutAndUser(layout, userSid);
}

std::string SettingsMappingSecurity(std::string_view userSid, bool withIntegrityLabel) {
  const std::string sid(userSid);
  std::string sddl = "O:" + sid + "D:P(A;;GA;;;" + sid + ")";
  if (withIntegrityLabel) sddl += "S:(ML;;NW;;;ME)";
  return sddl;
}

}  // namespace corvane
