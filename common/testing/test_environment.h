// Sets or (with "") removes an environment variable, for tests of code that
// reads its configuration from the environment.
#pragma once

#include <cstdlib>

namespace corvane {

inline void SetTestEnvironmentVariable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  if (value[0] == '\0') {
    unsetenv(name);
  } else {
    setenv(name, value, 1);
  }
#endif
}

}  // namespace corvane
