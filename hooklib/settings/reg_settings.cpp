#include "hooklib/settings/reg_settings.h"

#include <cstring>

#include "common/unique_handle.h"
#include "hooklib/core/shared_settings.h"

namespace corvane {
namespace {

// Asks for a value of at most `width` bytes into a scratch buffer and
// returns how many bytes came, 0 when it is missing or does not fit.  The
// registry reports ERROR_MORE_DATA for a longer value, and the content of
// the buffer is then undefined, so such a value is ignored.
DWORD QueryRaw(HKEY key, const char* name, BYTE* scratch, DWORD width) {
  DWORD size = width;
  if (RegQueryValueExA(key, name, nullptr, nullptr, scratch, &size) != ERROR_SUCCESS) return 0;
  return size <= width ? size : 0;
}

// A 4-byte field takes the value's bytes over its first bytes (a REG_SZ "1"
// replaces two of them) and is stored with a single 32-bit write.
template <typename Field>
void LoadFourBytes(HKEY key, const std::string& name, Field* field) {
  BYTE scratch[4];
  const DWORD got = QueryRaw(key, name.c_str(), scratch, sizeof scratch);
  if (got == 0) return;
  Field value = *field;
  std::memcpy(&value, scratch, got);
  *field = value;
}

void WriteDword(HKEY key, const std::string& name, DWORD value) {
  RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof value);
}

}  // namespace

void ReadTextValue(HKEY key, const char* name, char* field, DWORD capacity) {
  char scratch[kPathCapacity];
  if (capacity > sizeof scratch) capacity = sizeof scratch;
  const DWORD got = QueryRaw(key, name, reinterpret_cast<BYTE*>(scratch), capacity);
  if (got == 0) return;
  // A stored text may lack its NUL; it is kept only when it fits with one.
  const DWORD length = static_cast<DWORD>(strnlen(scratch, got));
  if (length >= capacity) return;
  std::memcpy(field, scratch, length);
  field[length] = '\0';
}

bool RegSettings::Load() const {
  RegistryKey opened;
  if (RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_ALL_ACCESS, opened.Out()) != ERROR_SUCCESS) {
    return false;
  }
  const HKEY key = opened.Get();
  for (const auto& [name, field] : ints_) LoadFourBytes(key, name, field);
  for (const auto& [name, field] : bytes_) {
    BYTE scratch[1];
    if (QueryRaw(key, name.c_str(), scratch, 1) == 1) *field = scratch[0];
  }
  for (const auto& [name, field] : dwords_) LoadFourBytes(key, name, field);
  for (const auto& [name, field] : strings_) {
    ReadTextValue(key, name.c_str(), field, kPathCapacity);
  }
  return true;
}

bool RegSettings::Save() const {
  RegistryKey created;
  if (RegCreateKeyExA(root_, subkey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, created.Out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const HKEY key = created.Get();
  for (const auto& [name, field] : ints_) WriteDword(key, name, static_cast<DWORD>(*field));
  for (const auto& [name, field] : bytes_) {
    RegSetValueExA(key, name.c_str(), 0, REG_BINARY, field, 1);
  }
  for (const auto& [name, field] : dwords_) WriteDword(key, name, *field);
  for (const auto& [name, field] : strings_) {
    const DWORD length = static_cast<DWORD>(strnlen(field, kPathCapacity - 1));
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(field), length + 1);
  }
  return true;
}

}  // namespace corvane
