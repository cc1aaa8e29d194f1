// Version-resource texts of an executable (the running process's by default).
#pragma once

namespace corvane {

// Writes the product version text ("2.2.1 (build 65)") into out, which holds
// at least kVersionTextCapacity characters.  On any failure out is unchanged.
void GetVersionText(char* out, const char* path = nullptr);

// Writes the string `name` of the 040904b0 block into out (at least 255
// characters; the copy is cut to 254).  On any failure out is unchanged.
void GetVersionString(const char* name, char* out, const char* path = nullptr);

}  // namespace corvane
