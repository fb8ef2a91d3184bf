// Built-in metrics, for a machine where fontconfig finds no font.
#include <algorithm>

#include "TbxTextShaper.h"
#include "TbxUtf8.h"

namespace {
bool IsCombiningMark(char32_t code) { return code >= 0x300 && code <= 0x36F; }

class TBuiltInShaper : public TTextShaper {
 public:
  explicit TBuiltInShaper(int pixelSize) : FAdvance(pixelSize * KSubpixels * 9 / 16) {}

  void Shape(std::string_view text, const TClusterSink& sink) override {
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t start = at;
      at += DecodeUtf8(text, at).Length;
      // A mark stays with its base, so that no line breaks between them.
      while (at < text.size() && IsCombiningMark(DecodeUtf8(text, at).Code)) at += DecodeUtf8(text, at).Length;
      if (!sink(start, FAdvance)) return;
    }
  }

  // Only what every font has: "..." stands for the ellipsis.
  bool HasChar(char32_t code) const override { return code >= 0x20 && code < 0x7F; }

 private:
  std::int64_t FAdvance;
};
}  // namespace

TResolvedFont BuiltInFont(int pixelSize) {
  TResolvedFont font;
  font.Family = "built-in";
  font.PixelSize = pixelSize;
  font.Ascent = (pixelSize * 4 + 4) / 5;
  font.Descent = (pixelSize + 4) / 5;
  font.LineHeight = font.Ascent + font.Descent;
  font.UnderlineThickness = font.StrikeOutThickness = std::max(1, pixelSize / 14);
  font.UnderlinePosition = std::max(0, std::min(1, font.Descent - font.UnderlineThickness));
  font.StrikeOutPosition = std::max(font.StrikeOutThickness, font.Ascent / 3);
  font.BuiltIn = true;
  return font;
}

std::unique_ptr<TTextShaper> NewBuiltInShaper(int pixelSize) { return std::make_unique<TBuiltInShaper>(pixelSize); }
