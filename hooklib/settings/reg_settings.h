// Per-process binding of registry value names to fields of the shared
// record, in four typed tables that decide each value's width and type.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace corvane {

class RegSettings {
 public:
  RegSettings(HKEY root, const char* subkey) : root_(root), subkey_(subkey) {}

  // Binding a name again replaces its field: one entry per name.
  void AddInt(int* field, const char* name) { ints_[name] = field; }
  void AddByte(BYTE* field, const char* name) { bytes_[name] = field; }
  void AddDword(DWORD* field, const char* name) { dwords_[name] = field; }
  void AddString(char* field, const char* name) { strings_[name] = field; }

  // False when the key cannot be opened; fields of missing values keep
  // their content.
  bool Load() const;
  // False when the key cannot be created or opened.
  bool Save() const;

  size_t BindingCount() const {
    return ints_.size() + bytes_.size() + dwords_.size() + strings_.size();
  }

 private:
  HKEY root_;
  std::string subkey_;
  std::map<std::string, int*> ints_;
  std::map<std::string, BYTE*> bytes_;
  std::map<std::string, DWORD*> dwords_;
  std::map<std::string, char*> strings_;
};

// Reads a registry value into a text field of `capacity` bytes.  A value
// that does not fit leaves the field unchanged; the field always stays
// NUL-terminated.  A value of another type lands as raw bytes.
void ReadTextValue(HKEY key, const char* name, char* field, DWORD capacity);

}  // namespace corvane
