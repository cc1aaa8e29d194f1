// One HTTP GET through the system's internet functions, read in a single
// call into a fixed buffer.
#pragma once

#include <cstddef>

namespace corvane {

inline constexpr char kFetchUserAgent[] = "Microsoft Internet Explorer";

// Fills `text` with at most capacity - 1 bytes of the body and a NUL;
// `length` is the capacity on entry and the number of bytes read on return.
// Any failure leaves an empty text and a length of 0.
void FetchUrlText(const char* address, char* text, std::size_t& length);

}  // namespace corvane
