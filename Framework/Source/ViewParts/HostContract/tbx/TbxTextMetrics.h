/// @file
/// Text metrics: toolkit fonts resolved to font files through fontconfig, text shaped with
/// HarfBuzz and measured with FreeType, in whole pixels at 96 dpi. docs/layout.md ("Text metrics")
/// gives the rules; the toolkit runs on one thread, and so does this engine.
#pragma once
#pragma GCC visibility push(default)

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TbxGraphics.h"

/// Every width is clamped to this many pixels, so that sums of a few extents stay within int.
constexpr int KMaxTextExtent = 1 << 24;
/// Font sizes outside this range of points are measured at the nearest end.
constexpr int KMinFontSize = 1, KMaxFontSize = 1000;
/// The screen resolution that turns points into pixels.
constexpr int KScreenDpi = 96;

/// A toolkit font as the engine resolved it: what the native backend loads to draw what was
/// measured. Positions are in whole pixels relative to the baseline.
struct TResolvedFont {
  std::string FileName;          ///< the font file; empty for built-in metrics
  int FaceIndex = 0;             ///< the face within the file (collections hold several)
  std::string Family;            ///< the family of the face found, e.g. "DejaVu Sans" for "Tahoma"
  int PixelSize = 0;             ///< the em size: Size points at 96 dpi, rounded to the nearest pixel
  int Ascent = 0;                ///< from the baseline up to the top of the line
  int Descent = 0;               ///< from the baseline down to the bottom of the line
  int LineHeight = 0;            ///< baseline to baseline; at least Ascent + Descent
  int UnderlinePosition = 0;     ///< from the baseline down to the top of the underline
  int UnderlineThickness = 0;    ///< at least 1
  int StrikeOutPosition = 0;     ///< from the baseline up to the top of the strike-out line
  int StrikeOutThickness = 0;    ///< at least 1
  bool SyntheticBold = false;    ///< bold asked for, the face is not: the backend emboldens it
  bool SyntheticItalic = false;  ///< italic asked for, the face is upright: the backend slants it
  bool BuiltIn = false;          ///< no usable font file: built-in metrics, the backend's default font
};

struct TTextSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TTextSize&, const TTextSize&) = default;
};

struct TTextMetricsOptions {
  /// Measure with built-in metrics only, as on a machine without fonts.
  bool BuiltInOnly = false;
  /// The measurement cache: at most this many bytes of texts and results (0: no cache) ...
  std::size_t CacheBytes = 8u << 20;
  /// ... and at most this many entries. The least recently used entry goes first.
  std::size_t CacheEntries = 4096;
};

/// The measuring engine. Texts are UTF-8; invalid sequences are measured and returned as U+FFFD.
/// Single-line operations measure control characters (tab, CR, LF, ...) as spaces.
class TTextMetrics {
 public:
  explicit TTextMetrics(const TTextMetricsOptions& options = {});
  ~TTextMetrics();
  TTextMetrics(const TTextMetrics&) = delete;
  TTextMetrics& operator=(const TTextMetrics&) = delete;

  /// The font file, face and metrics that font resolves to; the reference holds until the next
  /// call of this engine (copy it to keep it).
  const TResolvedFont& Resolve(const TFont& font);
  /// True when no font at all was found (or BuiltInOnly): every font measures with built-in
  /// metrics, and the runner should warn that drawn text will not match.
  bool UsesBuiltInMetrics();
  /// Switches to built-in metrics and back (for tests of the fallback); drops what was cached.
  void SetBuiltInOnly(bool builtInOnly);

  /// The advance width of one line, shaped, rounded up to whole pixels once for the line.
  int TextWidth(const TFont& font, std::string_view text);
  /// The width of one line and the font's line height; an empty text is 0 wide and one line high.
  TTextSize TextSize(const TFont& font, std::string_view text);
  /// The lines of text wrapped to maxWidth: broken at LF, CR LF and CR, then at spaces (which end
  /// up on neither line); a word wider than maxWidth is broken between characters. Every line
  /// holds at least one character, so a single character wider than maxWidth gets its own line.
  std::vector<std::string> WrapText(const TFont& font, std::string_view text, int maxWidth);
  /// The text if it fits in maxWidth, else its longest start that fits followed by the ellipsis;
  /// "" when not even the ellipsis fits.
  std::string EndEllipsis(const TFont& font, std::string_view text, int maxWidth);
  /// The text if it fits, else with characters before its last path separator ('/' or '\\')
  /// replaced by the ellipsis, keeping the file name; when even the ellipsis and the file name do
  /// not fit, the end ellipsis of that.
  std::string PathEllipsis(const TFont& font, std::string_view text, int maxWidth);
  /// "…" (U+2026), or "..." with a font that has no glyph for it.
  std::string Ellipsis(const TFont& font);

  /// Changes whenever measurements may come out differently from before (the built-in metrics
  /// switched on or off): what callers keep of earlier measurements is stale then.
  std::uint64_t Generation() const;

  /// Entries and bytes that the measurement cache holds now.
  std::size_t CachedEntries() const;
  std::size_t CachedBytes() const;

 private:
  class TImpl;
  std::unique_ptr<TImpl> FImpl;
};

/// The toolkit's engine, made on first use and freed at exit.
TTextMetrics& TextMetrics();

#pragma GCC visibility pop
