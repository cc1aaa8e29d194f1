// The one-pass rewrite against the literal steps, on texts of about the most
// a capture reads: the worst input of each step, and a conversation as the
// host writes it.  Each case runs as Rewrite/one_pass/<case> and then
// Rewrite/literal/<case>.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hooklib/history/bench_conversation.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/testing/capture_rewrite_oracle.h"

using corvane::HostConversation;

namespace {

constexpr std::size_t kTextSize = 65534;

struct Case {
  std::string name;
  std::string text;
};

std::string Repeated(std::string_view unit) {
  std::string text;
  text.reserve(kTextSize + unit.size());
  while (text.size() < kTextSize) text += unit;
  text.resize(kTextSize);
  return text;
}

std::vector<Case> Cases() {
  return {
      {"all_images", Repeated("<IMG>")},
      // One '>' closes every tag: each literal '>' search runs to the end.
      {"all_images_one_close", Repeated("<IMG").substr(0, kTextSize - 1) + ">"},
      {"all_comment_openers", Repeated("<!--")},
      {"all_cleared_bodies", Repeated("<BODY BGCOLOR=\"#ffffff\"><BR>")},
      {"host_conversation", HostConversation(kTextSize)},
  };
}

void OnePass(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    std::string rewritten = corvane::RewriteConversation(text);
    benchmark::DoNotOptimize(rewritten);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void Literal(benchmark::State& state, const std::string& text) {
  std::string rewritten;
  for (auto _ : state) {
    rewritten = corvane::RewriteConversationStepByStep(text);
    benchmark::DoNotOptimize(rewritten);
  }
  // A time is only worth comparing when both give the same text.
  if (rewritten != corvane::RewriteConversation(text)) {
    state.SkipWithError("the one-pass rewrite differs from the literal steps");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  for (const Case& c : Cases()) {
    benchmark::RegisterBenchmark(("Rewrite/one_pass/" + c.name).c_str(), OnePass, c.text)
        ->Unit(benchmark::kMillisecond);
    // The literal steps take up to seconds on the worst inputs: a few runs
    // give a steady figure without making the whole run long.
    benchmark::RegisterBenchmark(("Rewrite/literal/" + c.name).c_str(), Literal, c.text)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
