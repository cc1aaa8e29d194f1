// The application profile: integers by section and entry, kept either in
// the registry below a company's key or in the application's .ini file.
#pragma once

#include <string>

namespace corvane {

struct ProfileStore {
  std::string company;  // empty: the .ini file
  std::string appName;
};

// HKEY_CURRENT_USER "Software\<company>\<app>\<section>".
std::string ProfileKeyPath(const ProfileStore& store, const char* section);
// "<app>.ini"; without a folder the system keeps it in the Windows directory.
std::string ProfileIniFile(const ProfileStore& store);

int ReadProfileInt(const ProfileStore& store, const char* section, const char* entry,
                   int defaultValue);
bool WriteProfileInt(const ProfileStore& store, const char* section, const char* entry, int value);

}  // namespace corvane
