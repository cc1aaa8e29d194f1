// Which download addresses the upgrade dialog hands to the shell: a reply
// from the network must never make the shell start a program or open a
// local file.
#pragma once

#include <string>

namespace corvane {

// True for an http or https URL (scheme in any letter case).
bool IsWebAddress(const std::string& address);

}  // namespace corvane
