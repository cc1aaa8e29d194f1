// Which addresses the programs hand to the shell as web pages: a download
// address from the network or a site address from the configuration must
// never make the shell start a program or open a local file.
#pragma once

#include <string>

namespace corvane {

// True for an http or https URL (scheme in any letter case).
bool IsWebAddress(const std::string& address);

}  // namespace corvane
