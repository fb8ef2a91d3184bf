// The text metrics engine: resolution of toolkit fonts, the measurement cache, and the operations.
#include "TbxTextMetrics.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>

#include "TbxFontFaces.h"
#include "TbxFontMatch.h"
#include "TbxTextCache.h"
#include "TbxTextLayout.h"
#include "TbxUtf8.h"

namespace {
// Resolved fonts kept at most; past that everything resolved and cached is dropped and resolved
// again on demand (an application uses a handful of fonts).
constexpr std::size_t KMaxResolvedFonts = 256;
// The best match and, when it does not load, this many next best ones.
constexpr std::size_t KMaxCandidates = 16;

// Points at 96 dpi, rounded to the nearest pixel as Windows does for a font's height.
int PixelSizeOf(int points) { return (std::clamp(points, KMinFontSize, KMaxFontSize) * KScreenDpi + 36) / 72; }

TFontRequest RequestOf(const TFont& font) {
  std::string storage;
  TFontRequest request;
  request.Family = std::string(CleanLine(font.GetName(), storage));
  request.PixelSize = PixelSizeOf(font.GetSize());
  request.Bold = font.GetStyle().Contains(fsBold);
  request.Italic = font.GetStyle().Contains(fsItalic);
  return request;
}

// A resolved font with what measures it; Face tells measurements of one face, size and
// emboldening apart from all others.
struct TMeasuredFont {
  TResolvedFont Resolved;
  TTextShaper* Shaper = nullptr;
  std::uint32_t Face = 0;
};

std::string EllipsisOf(const TMeasuredFont& font) { return font.Shaper->HasChar(0x2026) ? "\u2026" : "..."; }
}  // namespace

class TTextMetrics::TImpl {
 public:
  explicit TImpl(const TTextMetricsOptions& options)
      : FBuiltInOnly(options.BuiltInOnly), FCache(options.CacheBytes, options.CacheEntries) {}

  bool UsesBuiltInMetrics() { return FBuiltInOnly || !Matcher().HasFonts(); }

  void SetBuiltInOnly(bool builtInOnly) {
    FBuiltInOnly = builtInOnly;
    Forget();
  }

  TMeasuredFont& Font(const TFont& font) {
    // Laying out asks for the same few fonts over and over (a caption's, its frame's, a bar's):
    // the fonts asked for last answer without building a request, and the very font objects
    // asked for, unchanged since, without comparing names.
    const std::uint64_t fontChanges = TFont::Changes();
    const auto address = reinterpret_cast<std::uintptr_t>(&font);
    for (const TRecentFont& recent : FRecentFonts)
      if (recent.FontAddress == address && recent.FontChanges == fontChanges) return *recent.Measured;
    for (TRecentFont& recent : FRecentFonts)
      if (recent.Measured && recent.Size == font.GetSize() && recent.Style == font.GetStyle() &&
          recent.Name == font.GetName()) {
        recent.FontAddress = address;
        recent.FontChanges = fontChanges;
        return *recent.Measured;
      }
    TFontRequest request = RequestOf(font);
    auto it = FFonts.find(request);
    if (it == FFonts.end()) {
      if (FFonts.size() >= KMaxResolvedFonts) Forget();
      TMeasuredFont measured = Resolve(request);
      it = FFonts.emplace(std::move(request), std::move(measured)).first;
    }
    FRecentFonts[FNextRecent] =
        TRecentFont{font.GetName(), font.GetSize(), font.GetStyle(), &it->second, address, fontChanges};
    FNextRecent = (FNextRecent + 1) % FRecentFonts.size();
    return it->second;
  }

  int Width(TMeasuredFont& font, std::string_view text) {
    if (text.empty()) return 0;
    return Cached<int>(font, TTextOperation::Width, 0, text, [&] {
      std::string storage;
      return WholePixels(LineAdvance(*font.Shaper, CleanLine(text, storage)));
    });
  }

  // The cached result of operation on text, or compute's, which is then cached.
  template <class T, class TCompute>
  T Cached(TMeasuredFont& font, TTextOperation operation, int maxWidth, std::string_view text,
           const TCompute& compute) {
    const TTextKey key{font.Face, operation, maxWidth, text};
    if (const TTextResult* result = FCache.Find(key)) return std::get<T>(*result);
    T result = compute();
    FCache.Add(key, result);
    return result;
  }

  using TEllipsize = std::string (*)(TTextShaper&, std::string_view, int, std::string_view);
  std::string Ellipsized(const TFont& font, TTextOperation operation, std::string_view text, int maxWidth,
                         TEllipsize ellipsize) {
    TMeasuredFont& measured = Font(font);
    return Cached<std::string>(measured, operation, maxWidth, text, [&] {
      std::string storage;
      return ellipsize(*measured.Shaper, CleanLine(text, storage), maxWidth, EllipsisOf(measured));
    });
  }

  const TTextCache& Cache() const { return FCache; }
  std::uint64_t Generation() const { return FGeneration; }

 private:
  TFontMatcher& Matcher() {
    if (!FMatcher) FMatcher = std::make_unique<TFontMatcher>();
    return *FMatcher;
  }

  void Forget() {
    ++FGeneration;
    FRecentFonts = {};
    FCache.Clear();
    FFonts.clear();
    FShapers.clear();
  }

  TMeasuredFont Resolve(const TFontRequest& request) {
    if (!UsesBuiltInMetrics()) {
      // The best match nearly always loads; the longer list is only asked for when it does not.
      for (std::size_t count : {std::size_t(1), KMaxCandidates}) {
        for (const TFontCandidate& candidate : Matcher().Candidates(request, count))
          if (auto font = Open(request, candidate)) return *font;
      }
    }
    const TShaperKey key{"", 0, request.PixelSize, false};
    return *MeasuredOf(key, [&] {
      return TShaperEntry{NewBuiltInShaper(request.PixelSize), BuiltInFont(request.PixelSize)};
    });
  }

  std::optional<TMeasuredFont> Open(const TFontRequest& request, const TFontCandidate& candidate) {
    const bool embolden = request.Bold && !candidate.Bold;
    const TShaperKey key{candidate.FileName, candidate.FaceIndex, request.PixelSize, embolden};
    auto font = MeasuredOf(key, [&] {
      TShaperEntry entry;
      entry.Font.Family = candidate.Family;
      entry.Font.SyntheticBold = embolden;
      entry.Shaper = FFaces.Open(candidate.FileName, candidate.FaceIndex, request.PixelSize, embolden, entry.Font);
      return entry;
    });
    if (font) font->Resolved.SyntheticItalic = request.Italic && !candidate.Italic;
    return font;
  }

  struct TShaperKey {
    std::string FileName;  // empty for built-in metrics
    int FaceIndex, PixelSize;
    bool Embolden;
    friend bool operator<(const TShaperKey& a, const TShaperKey& b) {
      return std::tie(a.FileName, a.FaceIndex, a.PixelSize, a.Embolden) <
             std::tie(b.FileName, b.FaceIndex, b.PixelSize, b.Embolden);
    }
  };
  struct TShaperEntry {
    std::unique_ptr<TTextShaper> Shaper;
    TResolvedFont Font;
    std::uint32_t Face = 0;
  };

  // One shaper, and one cache identity, for each face, size and emboldening, whatever names and
  // styles resolve to it; nothing when make gives no shaper (the file does not load).
  template <class TMake>
  std::optional<TMeasuredFont> MeasuredOf(const TShaperKey& key, const TMake& make) {
    auto it = FShapers.find(key);
    if (it == FShapers.end()) {
      TShaperEntry entry = make();
      if (!entry.Shaper) return std::nullopt;
      entry.Face = ++FLastFace;
      it = FShapers.emplace(key, std::move(entry)).first;
    }
    return TMeasuredFont{it->second.Font, it->second.Shaper.get(), it->second.Face};
  }

  bool FBuiltInOnly;
  std::unique_ptr<TFontMatcher> FMatcher;
  // The faces outlive the shapers that point into them.
  TFontFaces FFaces;
  std::map<TShaperKey, TShaperEntry> FShapers;
  std::map<TFontRequest, TMeasuredFont> FFonts;
  // The fonts last asked for, as they were asked, with their entries in FFonts (whose nodes stay
  // put); the oldest is replaced first.
  struct TRecentFont {
    std::string Name;
    int Size = 0;
    TFontStyles Style;
    TMeasuredFont* Measured = nullptr;
    std::uintptr_t FontAddress = 0;  // the font object last asked for with these values, 0 for none
    std::uint64_t FontChanges = 0;   // TFont::Changes() then
  };
  std::array<TRecentFont, 4> FRecentFonts;
  std::size_t FNextRecent = 0;
  std::uint32_t FLastFace = 0;
  std::uint64_t FGeneration = 1;
  TTextCache FCache;
};

TTextMetrics::TTextMetrics(const TTextMetricsOptions& options) : FImpl(std::make_unique<TImpl>(options)) {}
TTextMetrics::~TTextMetrics() = default;

const TResolvedFont& TTextMetrics::Resolve(const TFont& font) { return FImpl->Font(font).Resolved; }

bool TTextMetrics::UsesBuiltInMetrics() { return FImpl->UsesBuiltInMetrics(); }

void TTextMetrics::SetBuiltInOnly(bool builtInOnly) { FImpl->SetBuiltInOnly(builtInOnly); }

int TTextMetrics::TextWidth(const TFont& font, std::string_view text) { return FImpl->Width(FImpl->Font(font), text); }

// The font is found once for both.
TTextSize TTextMetrics::TextSize(const TFont& font, std::string_view text) {
  TMeasuredFont& measured = FImpl->Font(font);
  return {FImpl->Width(measured, text), measured.Resolved.LineHeight};
}

std::vector<std::string> TTextMetrics::WrapText(const TFont& font, std::string_view text, int maxWidth) {
  TMeasuredFont& measured = FImpl->Font(font);
  return FImpl->Cached<std::vector<std::string>>(measured, TTextOperation::Wrap, maxWidth, text,
                                                 [&] { return WrapLines(*measured.Shaper, text, maxWidth); });
}

std::string TTextMetrics::EndEllipsis(const TFont& font, std::string_view text, int maxWidth) {
  return FImpl->Ellipsized(font, TTextOperation::EndEllipsis, text, maxWidth, EndEllipsisOf);
}

std::string TTextMetrics::PathEllipsis(const TFont& font, std::string_view text, int maxWidth) {
  return FImpl->Ellipsized(font, TTextOperation::PathEllipsis, text, maxWidth, PathEllipsisOf);
}

std::string TTextMetrics::Ellipsis(const TFont& font) { return EllipsisOf(FImpl->Font(font)); }

std::uint64_t TTextMetrics::Generation() const { return FImpl->Generation(); }

std::size_t TTextMetrics::CachedEntries() const { return FImpl->Cache().Entries(); }
std::size_t TTextMetrics::CachedBytes() const { return FImpl->Cache().Bytes(); }

TTextMetrics& TextMetrics() {
  // Freed at exit with its FreeType faces and fontconfig configuration, so that the leak check
  // finds nothing of ours.
  static TTextMetrics metrics;
  return metrics;
}
