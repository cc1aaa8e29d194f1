#include "viewer/html/html_view_convert.h"

#include <windows.h>

#include <utility>

#include "common/joined_thread.h"
#include "common/unique_handle.h"
#include "viewer/html/html_view_document.h"

namespace corvane {
namespace {

void ReadAndConvert(const std::string& path, const std::optional<std::string>& shown,
                    ConvertedDay& day) {
  ReadHistoryFile(path, day.html);
  day.same = shown && day.html == *shown;
  if (day.same) return;
  day.document = ConvertHtml(day.html);
  day.breaks = PageBreaks(day.document.text);
  day.links = LinkSpansOf(day.document);
}

// Until `done` is set: answers the messages sent from other threads (the
// PeekMessage calls do that) and paints.
void AnswerUntil(HANDLE done) {
  while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE | QS_PAINT) ==
         WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

ConvertedDay ReadAndConvertAnswering(const std::string& path, std::optional<std::string> shown) {
  ConvertedDay day;
  const KernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  JoinedThread worker;
  if (done) {
    worker = JoinedThread([&path, &shown, &day, event = done.Get()](const StopRequest&) {
      try {
        ReadAndConvert(path, shown, day);
      } catch (...) {  // shown as a day that could not be read
        day.html.clear();
        day.document.text.clear();
        day.document.runs.clear();
        day.breaks = PageBreaks();
        day.links.clear();
      }
      SetEvent(event);
    });
  }
  if (!worker.Started()) {
    ReadAndConvert(path, shown, day);
    return day;
  }
  AnswerUntil(done.Get());
  worker.Stop();
  return day;
}

}  // namespace corvane
