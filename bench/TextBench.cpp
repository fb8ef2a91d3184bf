// text: measuring a control's caption with the toolkit's text metrics, from the cache and shaped
// afresh (an engine without cache); the uncached figure is the floor the cache must beat.
#include <fmt/format.h>

#include "BenchMain.h"
#include "TbxTextMetrics.h"

namespace {

enum class TOperation { Width, Wrap, EndEllipsis };

struct TCaption {
  const char* Name;
  const char* Text;
  TOperation Operation;
};

// What controls show: a button, a menu item, a label, a status panel, a path, CJK, and a
// wrapped and an ellipsized paragraph.
const TCaption KCaptions[] = {
    {"button", "Open", TOperation::Width},
    {"menu item", "Save As...", TOperation::Width},
    {"label", "Hello from the workbench", TOperation::Width},
    {"status panel", "Ready - 42 items selected", TOperation::Width},
    {"path", "/usr/share/nuv/examples/showcase.xml", TOperation::Width},
    {"cjk", "\u63D2\u4EF6\u6CA1\u6709\u5728ExtData\u4E2D\u5B9A\u4E49", TOperation::Width},
    {"wrapped", "The quick brown fox jumps over the lazy dog while the status bar keeps counting items",
     TOperation::Wrap},
    {"ellipsized", "The quick brown fox jumps over the lazy dog while the status bar keeps counting items",
     TOperation::EndEllipsis},
};

void Measure(TTextMetrics& metrics, const TFont& font, const TCaption& caption) {
  switch (caption.Operation) {
    case TOperation::Width:
      benchmark::DoNotOptimize(metrics.TextWidth(font, caption.Text));
      break;
    case TOperation::Wrap:
      benchmark::DoNotOptimize(metrics.WrapText(font, caption.Text, 120));
      break;
    case TOperation::EndEllipsis:
      benchmark::DoNotOptimize(metrics.EndEllipsis(font, caption.Text, 120));
      break;
  }
}

void RunCaption(benchmark::State& state, const TTextMetricsOptions& options) {
  const TCaption& caption = KCaptions[state.range(0)];
  TTextMetrics metrics(options);
  const TFont font;                 // the toolkit's default: Tahoma, 8 points
  Measure(metrics, font, caption);  // resolves the font and fills the cache outside the timing
  for (auto _ : state) Measure(metrics, font, caption);
  state.SetLabel(caption.Name);
}

void BM_TextCached(benchmark::State& state) { RunCaption(state, {}); }
void BM_TextUncached(benchmark::State& state) { RunCaption(state, {.CacheBytes = 0}); }

void RegisterAll(bool tiny) {
  tiny = tiny || CountingInstructions();  // no smaller sizes: counted, always the many iterations of tiny
  for (int i = 0; i < static_cast<int>(std::size(KCaptions)); ++i) {
    Tiny(benchmark::RegisterBenchmark("text_cached", BM_TextCached)->Arg(i), tiny);
    Tiny(benchmark::RegisterBenchmark("text_uncached", BM_TextUncached)->Arg(i), tiny);
  }
}

void Summarize(const TBenchResults& results, bool /*tiny*/) {
  PrintSummaryHeader("text metrics per caption (Tahoma 8 pt): cached against shaped afresh");
  for (int i = 0; i < static_cast<int>(std::size(KCaptions)); ++i) {
    const std::string cachedName = fmt::format("text_cached/{}", i);
    const std::string uncachedName = fmt::format("text_uncached/{}", i);
    auto cached = results.Figure(cachedName);
    auto uncached = results.Figure(uncachedName);
    if (!cached || !uncached) continue;
    PrintSummaryRow("text", KCaptions[i].Name, FormatFigure(*cached), FormatFigure(*uncached), *cached / *uncached,
                    results.WorstCv({cachedName, uncachedName}), "<= 0.25x", *cached <= 0.25 * *uncached);
  }
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll, Summarize); }
