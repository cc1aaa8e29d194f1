// Robustness and differential fuzzing of the reply reader: every field must
// equal the literal steps done on the C string, stay within its capacity,
// and the importance must have the sign that strtoll reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hooklib/upgrade/version_reply.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string FieldStepByStep(const char* text, int index, std::size_t capacity) {
  if (capacity == 0) return std::string();
  const char* position = std::strstr(text, corvane::kVersionInfoMarker);
  if (position == nullptr) return std::string();
  for (int line = 0; line <= index; ++line) {
    const char* lineEnd = std::strstr(position, kLineEnd);
    if (lineEnd == nullptr) return std::string();
    position = lineEnd + 2;
  }
  std::string copy(position, strnlen(position, capacity - 1));
  if (index != corvane::kFieldChanges) {
    const char* cut = std::strstr(copy.c_str(), kLineEnd);
    if (cut != nullptr) copy.resize(static_cast<std::size_t>(cut - copy.c_str()));
  }
  return copy;
}

corvane::Importance ImportanceByStrtoll(const std::string& field) {
  const long long value = std::strtoll(field.c_str(), nullptr, 10);
  if (value > 0) return corvane::Importance::kHigh;
  if (value < 0) return corvane::Importance::kLow;
  return corvane::Importance::kNormal;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the capacity (small ones cut fields, 0xFF
  // the check's own); the rest is the reply.
  const std::size_t capacity = data[0] == 0xFF
                                   ? corvane::kVersionReplyCapacity
                                   : (static_cast<std::size_t>(data[0]) << 8 | data[1]) % 600;
  const std::string reply(reinterpret_cast<const char*>(data + 2), size - 2);
  for (int index = corvane::kFieldVersion; index <= corvane::kFieldChanges; ++index) {
    const std::string field = corvane::GetVersionInfoField(reply, index, capacity);
    if (field != FieldStepByStep(reply.c_str(), index, capacity)) std::abort();
    if (capacity > 0 && field.size() > capacity - 1) std::abort();
    if (index != corvane::kFieldChanges && field.find(kLineEnd) != std::string::npos) std::abort();
  }
  if (corvane::HasVersionInfoMarker(reply) !=
      (std::strstr(reply.c_str(), corvane::kVersionInfoMarker) != nullptr)) {
    std::abort();
  }
  const std::string importance = corvane::GetVersionInfoField(reply, corvane::kFieldImportance,
                                                              corvane::kVersionReplyCapacity);
  if (corvane::ImportanceOf(importance) != ImportanceByStrtoll(importance)) std::abort();
  return 0;
}
