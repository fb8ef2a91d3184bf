// Wrapping and ellipses: one shaping of the text gives the advance of every cluster, the breaks
// are chosen from their sums, and each result is measured again on its own before it is taken,
// since shaping a line alone may differ at its ends (kerning, ligatures).
#include "TbxTextLayout.h"

#include <algorithm>
#include <limits>

#include "TbxUtf8.h"

namespace {
constexpr std::int64_t KMaxAdvance = std::int64_t(KMaxTextExtent) * KSubpixels;

struct TCluster {
  std::size_t Offset;
  std::int64_t Before;  // the advance of the text before the cluster
};

// The clusters of text and a sentinel with the advance of them all. Shaping stops after the first
// cluster that ends beyond limit; the sentinel's offset is the text's end either way, and is
// only read when the whole text is within limit.
std::vector<TCluster> ClustersOf(TTextShaper& shaper, std::string_view text, std::int64_t limit) {
  std::vector<TCluster> clusters;
  std::int64_t sum = 0;
  shaper.Shape(text, [&](std::size_t offset, std::int64_t advance) {
    clusters.push_back({offset, sum});
    sum += advance;
    return sum <= limit;
  });
  clusters.push_back({text.size(), sum});
  return clusters;
}

std::int64_t LimitOf(int maxWidth) { return std::int64_t(std::clamp(maxWidth, 0, KMaxTextExtent)) * KSubpixels; }

// Shapes no further than maxWidth reaches: whether a huge text fits is soon known.
bool Fits(TTextShaper& shaper, std::string_view text, int maxWidth) {
  if (maxWidth >= KMaxTextExtent) return true;  // every width is clamped to it
  const std::int64_t limit = LimitOf(maxWidth);
  std::int64_t sum = 0;
  shaper.Shape(text, [&](std::size_t, std::int64_t advance) {
    sum += advance;
    return sum <= limit;
  });
  return sum <= limit;
}

std::string_view TrimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// One paragraph, greedy: each line takes as many words as fit; a word that does not fit on a line
// of its own is broken between clusters.
class TParagraphWrapper {
 public:
  TParagraphWrapper(TTextShaper& shaper, std::string_view text, int maxWidth, std::vector<std::string>& lines)
      : FShaper(shaper), FText(text), FMaxWidth(maxWidth), FLimit(LimitOf(maxWidth)), FLines(lines) {}

  void Run() {
    FClusters = ClustersOf(FShaper, FText, std::numeric_limits<std::int64_t>::max());
    FCount = FClusters.size() - 1;
    std::size_t start = 0;
    while (true) {
      const std::size_t end = LineEnd(start);
      FLines.emplace_back(TrimTrailingSpaces(Slice(start, end)));
      start = SkipSpaces(end);
      if (start >= FCount) return;
    }
  }

 private:
  bool IsSpace(std::size_t cluster) const { return FText[FClusters[cluster].Offset] == ' '; }
  std::size_t SkipSpaces(std::size_t cluster) const {
    while (cluster < FCount && IsSpace(cluster)) ++cluster;
    return cluster;
  }
  std::int64_t Width(std::size_t from, std::size_t to) const { return FClusters[to].Before - FClusters[from].Before; }
  std::string_view Slice(std::size_t from, std::size_t to) const {
    return FText.substr(FClusters[from].Offset, FClusters[to].Offset - FClusters[from].Offset);
  }

  // The end of the line that starts at start: after its last word that fits, or inside the first
  // word when none does; the line's own shaping has the last word.
  std::size_t LineEnd(std::size_t& start) const {
    std::vector<std::size_t> wordEnds;
    for (std::size_t word = SkipSpaces(start); word < FCount;) {
      // Read no further than the line reaches: a word of a million characters is read a line at
      // a time.
      std::size_t end = word;
      while (end < FCount && !IsSpace(end) && Width(start, end + 1) <= FLimit) ++end;
      if (end < FCount && !IsSpace(end)) break;
      wordEnds.push_back(end);
      word = SkipSpaces(end);
    }
    while (!wordEnds.empty() && !Fits(FShaper, TrimTrailingSpaces(Slice(start, wordEnds.back())), FMaxWidth))
      wordEnds.pop_back();
    return wordEnds.empty() ? BrokenWordEnd(start) : wordEnds.back();
  }

  // A first word too wide for the line loses the spaces before it and breaks between clusters.
  std::size_t BrokenWordEnd(std::size_t& start) const {
    start = SkipSpaces(start);
    if (start >= FCount) return start;
    std::size_t end = start + 1;
    while (end < FCount && !IsSpace(end) && Width(start, end + 1) <= FLimit) ++end;
    while (end > start + 1 && !Fits(FShaper, Slice(start, end), FMaxWidth)) --end;
    return end;
  }

  TTextShaper& FShaper;
  std::string_view FText;
  int FMaxWidth;
  std::int64_t FLimit;
  std::vector<std::string>& FLines;
  std::vector<TCluster> FClusters;
  std::size_t FCount = 0;
};

// The longest start of text (ending between clusters, without trailing spaces) for which
// compose(start) fits in maxWidth; reserved is what compose adds to it.
template <class TCompose>
std::string LongestFittingStart(TTextShaper& shaper, std::string_view text, int maxWidth, std::int64_t reserved,
                                const TCompose& compose) {
  const std::int64_t limit = LimitOf(maxWidth) - reserved;
  const std::vector<TCluster> clusters = ClustersOf(shaper, text, limit);
  std::size_t count = clusters.size() - 1;
  while (count > 0 && clusters[count].Before > limit) --count;
  while (true) {
    std::string candidate = compose(TrimTrailingSpaces(text.substr(0, clusters[count].Offset)));
    if (count == 0 || Fits(shaper, candidate, maxWidth)) return candidate;
    --count;
  }
}

std::size_t LastPathSeparator(std::string_view text) { return text.find_last_of("/\\"); }
}  // namespace

std::int64_t LineAdvance(TTextShaper& shaper, std::string_view text) {
  std::int64_t sum = 0;
  shaper.Shape(text, [&](std::size_t, std::int64_t advance) {
    sum += advance;
    return sum <= KMaxAdvance;
  });
  return sum;
}

int WholePixels(std::int64_t advance) {
  return static_cast<int>(std::clamp<std::int64_t>((advance + KSubpixels - 1) / KSubpixels, 0, KMaxTextExtent));
}

std::vector<std::string> WrapLines(TTextShaper& shaper, std::string_view text, int maxWidth) {
  std::vector<std::string> lines;
  std::string storage;
  for (std::string_view paragraph : SplitParagraphs(text))
    TParagraphWrapper(shaper, CleanLine(paragraph, storage), maxWidth, lines).Run();
  return lines;
}

std::string EndEllipsisOf(TTextShaper& shaper, std::string_view text, int maxWidth, std::string_view ellipsis) {
  if (Fits(shaper, text, maxWidth)) return std::string(text);
  if (!Fits(shaper, ellipsis, maxWidth)) return {};
  return LongestFittingStart(shaper, text, maxWidth, LineAdvance(shaper, ellipsis),
                             [&](std::string_view start) { return std::string(start) + std::string(ellipsis); });
}

std::string PathEllipsisOf(TTextShaper& shaper, std::string_view text, int maxWidth, std::string_view ellipsis) {
  if (Fits(shaper, text, maxWidth)) return std::string(text);
  const std::size_t separator = LastPathSeparator(text);
  if (separator == std::string_view::npos) return EndEllipsisOf(shaper, text, maxWidth, ellipsis);
  const std::string tail = std::string(ellipsis) + std::string(text.substr(separator));
  if (!Fits(shaper, tail, maxWidth)) return EndEllipsisOf(shaper, tail, maxWidth, ellipsis);
  return LongestFittingStart(shaper, text.substr(0, separator), maxWidth, LineAdvance(shaper, tail),
                             [&](std::string_view start) { return std::string(start) + tail; });
}
