// The one-pass rewrite against the literal steps on conversations of the
// largest size the host's control gives.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "capture_rewrite.h"
#include "capture_rewrite_oracle.h"

namespace {

constexpr std::size_t kConversationSize = 64 * 1024;

std::string Conversation(const std::string& header, const std::string& message) {
  std::string html = header;
  while (html.size() + message.size() + 7 <= kConversationSize) html += message;
  return html + "</HTML>";
}

// Every message carries a smiley and the host's hidden comments.
std::string ImageHeavyConversation() {
  return Conversation(
      "<HTML><BODY BGCOLOR=\"#ffffff\"><BR>",
      "<!-- ts 09:05:07 --><B><FONT COLOR=\"#0000ff\">buddy</FONT></B>: look <IMG SRC=\"smile.gif\" ALT=\":-)\">"
      " and <IMG SRC=\"wink.gif\"><!-- end --><BR>");
}

std::string PlainConversation() {
  return Conversation("<HTML><BODY BGCOLOR=\"#ffffff\">",
                      "<B><FONT COLOR=\"#0000ff\">buddy</FONT></B>: see you at eight, then we can talk it over<BR>");
}

using Rewrite = std::string (*)(std::string_view);

void BM_Rewrite(benchmark::State& state, Rewrite rewrite, const std::string& html) {
  for (auto _ : state) benchmark::DoNotOptimize(rewrite(html));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * html.size()));
}

BENCHMARK_CAPTURE(BM_Rewrite, one_pass_image_heavy, corvane::RewriteConversation, ImageHeavyConversation())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Rewrite, step_by_step_image_heavy, corvane::RewriteConversationStepByStep,
                  ImageHeavyConversation())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Rewrite, one_pass_plain, corvane::RewriteConversation, PlainConversation())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Rewrite, step_by_step_plain, corvane::RewriteConversationStepByStep, PlainConversation())
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
