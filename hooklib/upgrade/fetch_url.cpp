#include "hooklib/upgrade/version_reply.h"

#include <windows.h>
#include <wininet.h>

#include "common/unique_handle.h"

namespace corvane {
namespace {

using InternetHandle = UniqueHandle<ReleasedBy<HINTERNET, InternetCloseHandle>>;

}  // namespace

void FetchUrlText(const char* address, char* text, std::size_t& length) {
  const std::size_t capacity = length;
  length = 0;
  if (capacity == 0) return;
  text[0] = '\0';

  const InternetHandle internet(
      InternetOpenA(kFetchUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!internet) return;
  // From the server itself every time: a cached or a proxy's stored reply
  // could hold back a new release or bring back an old one.
  const InternetHandle request(InternetOpenUrlA(
      internet.Get(), address, nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) return;
  // One read: the reply is small, and the check must never block for long
  // on a server that keeps sending.
  DWORD read = 0;
  if (InternetReadFile(request.Get(), text, static_cast<DWORD>(capacity), &read) && read > 0) {
    const std::size_t kept = read < capacity ? read : capacity - 1;
    text[kept] = '\0';
    length = read;
  } else {
    text[0] = '\0';
  }
}

}  // namespace corvane
