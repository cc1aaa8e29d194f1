#include "hooklib/settings/settings_store.h"

#include <cstring>
#include <variant>

#include "common/registry_names.h"
#include "common/unique_handle.h"
#include "hooklib/core/setting_rows.h"

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
void LoadFourBytes(HKEY key, const char* name, Field& field) {
  BYTE scratch[4];
  const DWORD got = QueryRaw(key, name, scratch, sizeof scratch);
  if (got == 0) return;
  Field value = field;
  std::memcpy(&value, scratch, got);
  field = value;
}

void LoadValue(HKEY key, const char* name, int& field) { LoadFourBytes(key, name, field); }
void LoadValue(HKEY key, const char* name, DWORD& field) { LoadFourBytes(key, name, field); }
void LoadValue(HKEY key, const char* name, BYTE& field) {
  BYTE scratch[1];
  if (QueryRaw(key, name, scratch, 1) == 1) field = scratch[0];
}
void LoadValue(HKEY key, const char* name, char (&field)[kPathCapacity]) {
  ReadTextValue(key, name, field, kPathCapacity);
}

void SaveValue(HKEY key, const char* name, DWORD value) {
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
void SaveValue(HKEY key, const char* name, int value) {
  SaveValue(key, name, static_cast<DWORD>(value));
}
void SaveValue(HKEY key, const char* name, BYTE value) {
  RegSetValueExA(key, name, 0, REG_BINARY, &value, 1);
}
void SaveValue(HKEY key, const char* name, const char (&text)[kPathCapacity]) {
  const DWORD length = static_cast<DWORD>(strnlen(text, kPathCapacity - 1));
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), length + 1);
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

bool LoadStoredSettings(SharedSettings& record) {
  RegistryKey opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, opened.Out()) !=
      ERROR_SUCCESS) {
    return false;
  }
  for (const SettingRow& row : kSettingRows) {
    std::visit([&](auto member) { LoadValue(opened.Get(), row.name, record.*member); }, row.field);
  }
  return true;
}

bool SaveStoredSettings(const SharedSettings& record) {
  RegistryKey created;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, created.Out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  for (const SettingRow& row : kSettingRows) {
    std::visit([&](auto member) { SaveValue(created.Get(), row.name, record.*member); }, row.field);
  }
  return true;
}

}  // namespace corvane
