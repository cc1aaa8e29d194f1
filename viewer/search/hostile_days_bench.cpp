// The two conversions of a day on the hostile days (the view's ConvertHtml
// and the search's ViewTextOf), each beside a plain day of the same size:
// the least time of a few runs and the most memory held at once.  The
// viewer's own figures under Wine are tools/viewer-bench --part hostile's.
// Build it with optimisation (the `bench` preset) for figures worth
// comparing:
//
//     hostile_days_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "common/testing/allocation_counter.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/testing/hostile_days.h"
#include "viewer/html/view_text.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double milliseconds = 1e9;
  std::size_t peakBytes = 0;
};

template <typename Work>
Figures Measure(Work work) {
  Figures figures;
  for (int run = 0; run < 3; ++run) {
    const Clock::time_point began = Clock::now();
    const corvane::PeakAllocation peak;
    work();
    figures.milliseconds =
        std::min(figures.milliseconds,
                 std::chrono::duration<double, std::milli>(Clock::now() - began).count());
    figures.peakBytes = std::max(figures.peakBytes, peak.Bytes());
  }
  return figures;
}

void Print(const std::string& name, const std::string& html) {
  const Figures view = Measure([&] { corvane::ConvertHtml(html); });
  std::string text;
  const Figures search = Measure([&] { corvane::ViewTextOf(html, text); });
  const double size = static_cast<double>(html.size());
  std::printf("%-28s %9zu  %8.1f %9zu %5.1fx  %8.1f %9zu %5.1fx\n", name.c_str(), html.size(),
              view.milliseconds, view.peakBytes, view.peakBytes / size, search.milliseconds,
              search.peakBytes, search.peakBytes / size);
}

}  // namespace

int main() {
  std::printf("%-28s %9s  %8s %9s %6s  %8s %9s %6s\n", "day", "bytes", "view ms", "peak", "x",
              "search ms", "peak", "x");
  for (const corvane::HostileDay& day : corvane::HostileDays()) {
    Print(day.name, day.html);
    Print("  plain day of that size", corvane::PlainDayOfSize(day.html.size()));
  }
  return 0;
}
