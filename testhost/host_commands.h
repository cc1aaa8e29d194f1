// What each script command makes the host do (all but `wait`, which belongs
// to the script runner).
#pragma once

#include <string>

#include "testhost/script_command.h"

namespace testhost {

// False, with *error set, when the command cannot be carried out.
bool ExecuteCommand(const Command& command, std::string* error);

}  // namespace testhost
