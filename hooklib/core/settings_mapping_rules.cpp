#include "hooklib/core/settings_mapping_rules.h"

namespace corvane {

std::string SettingsMappingName(std::string_view userSid) {
  return "Local\\Corvane.Settings." + std::string(userSid);
}

std::string SettingsWritersMutexName(std::string_view userSid) {
  return "Local\\Corvane.SettingsWriters." + std::string(userSid);
}

std::string SettingsMappingSecurity(std::string_view userSid, bool withIntegrityLabel) {
  const std::string sid(userSid);
  std::string sddl = "O:" + sid + "D:P(A;;GA;;;" + sid + ")";
  if (withIntegrityLabel) sddl += "S:(ML;;NW;;;ME)";
  return sddl;
}

}  // namespace corvane
