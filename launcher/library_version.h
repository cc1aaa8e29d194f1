// The launcher works only with the hook library of its own release: the two
// share the settings record and the hook's protocol, so a library left from
// another release must never be hooked into the messenger.
#pragma once

#include <string>

namespace corvane {

// This launcher's product version as its version resource shows it.
std::string OwnVersionText();

// True when the library file at `path` carries this launcher's product
// version; otherwise puts the text for the user into *error.
bool LibraryVersionMatches(const std::string& path, std::string* error);

}  // namespace corvane
