// FreeType faces and HarfBuzz shaping.
#include "TbxFontFaces.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <map>
#include <utility>

namespace {
// Texts are shaped in pieces of about this many bytes, so that a huge caption needs no huge
// glyph buffer; each piece sees a few characters on either side as context.
constexpr std::size_t KPieceBytes = 4096;
constexpr std::size_t KContextBytes = 32;

// One file and face: FreeType's face and HarfBuzz's font over it, set to one size at a time.
class TFace {
 public:
  TFace(FT_Face face) : FFace(face), FFont(hb_ft_font_create_referenced(face)), FBuffer(hb_buffer_create()) {
    // Unhinted advances: exact, and the same at every position and on every machine.
    hb_ft_font_set_load_flags(FFont, FT_LOAD_DEFAULT | FT_LOAD_NO_HINTING);
  }
  ~TFace() {
    hb_buffer_destroy(FBuffer);
    hb_font_destroy(FFont);
    FT_Done_Face(FFace);
  }
  TFace(const TFace&) = delete;
  TFace& operator=(const TFace&) = delete;

  FT_Face Face() const { return FFace; }
  hb_buffer_t* Buffer() const { return FBuffer; }
  hb_font_t* FontAt(int pixelSize) {
    if (FPixelSize != pixelSize) {
      FT_Set_Pixel_Sizes(FFace, 0, static_cast<FT_UInt>(pixelSize));
      hb_ft_font_changed(FFont);
      FPixelSize = pixelSize;
    }
    return FFont;
  }

 private:
  FT_Face FFace;
  hb_font_t* FFont;
  hb_buffer_t* FBuffer;
  int FPixelSize = 0;
};

// The end of the piece that starts at start: at most KPieceBytes on, after a space when one is
// near the end, and never inside a character.
std::size_t PieceEnd(std::string_view text, std::size_t start) {
  if (text.size() - start <= KPieceBytes) return text.size();
  std::size_t end = start + KPieceBytes;
  for (std::size_t at = end; at > start + KPieceBytes * 3 / 4; --at)
    if (text[at - 1] == ' ') return at;
  while ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end;
}

std::size_t CharStartAtOrAfter(std::string_view text, std::size_t at) {
  while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
  return at;
}

class THarfBuzzShaper : public TTextShaper {
 public:
  THarfBuzzShaper(TFace& face, int pixelSize, bool embolden)
      // FreeType's emboldening widens each glyph by 1/24 em.
      : FFace(face), FPixelSize(pixelSize), FEmbolden(embolden ? (pixelSize * KSubpixels + 12) / 24 : 0) {}

  void Shape(std::string_view text, const TClusterSink& sink) override {
    hb_font_t* font = FFace.FontAt(FPixelSize);
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = PieceEnd(text, start);
      if (!ShapePiece(font, text, start, end, sink)) return;
      start = end;
    }
  }

  bool HasChar(char32_t code) const override { return FT_Get_Char_Index(FFace.Face(), code) != 0; }

 private:
  bool ShapePiece(hb_font_t* font, std::string_view text, std::size_t start, std::size_t end,
                  const TClusterSink& sink) {
    const std::size_t from = CharStartAtOrAfter(text, start - std::min(start, KContextBytes));
    const std::size_t to = std::min(text.size(), end + KContextBytes);
    hb_buffer_t* buffer = FFace.Buffer();
    hb_buffer_clear_contents(buffer);
    hb_buffer_set_cluster_level(buffer, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_GRAPHEMES);
    hb_buffer_add_utf8(buffer, text.data() + from, static_cast<int>(to - from), static_cast<unsigned>(start - from),
                       static_cast<int>(end - start));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    // Right-to-left runs come out in visual order: the clusters are read backwards.
    const bool backward = HB_DIRECTION_IS_BACKWARD(hb_buffer_get_direction(buffer));
    for (unsigned i = 0; i < count;) {
      const unsigned first = backward ? count - 1 - i : i;
      const unsigned cluster = infos[first].cluster;
      std::int64_t advance = 0;
      for (; i < count && infos[backward ? count - 1 - i : i].cluster == cluster; ++i) {
        const hb_position_t glyphAdvance = positions[backward ? count - 1 - i : i].x_advance;
        advance += glyphAdvance + (glyphAdvance != 0 ? FEmbolden : 0);
      }
      if (!sink(from + cluster, advance)) return false;
    }
    return true;
  }

  TFace& FFace;
  int FPixelSize;
  std::int64_t FEmbolden;
};

// Font units to whole pixels at the face's em size.
struct TScale {
  std::int64_t PixelSize, UnitsPerEm;
  int Ceil(std::int64_t units) const { return static_cast<int>((units * PixelSize + UnitsPerEm - 1) / UnitsPerEm); }
  int Round(std::int64_t units) const {
    return static_cast<int>((units * PixelSize * 2 + (units >= 0 ? UnitsPerEm : -UnitsPerEm)) / (2 * UnitsPerEm));
  }
};

void SetStrikeOut(FT_Face face, const TScale& scale, TResolvedFont& font) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    font.StrikeOutThickness = std::max(1, scale.Round(os2->yStrikeoutSize));
    font.StrikeOutPosition = scale.Round(os2->yStrikeoutPosition);
  } else {
    // Without the table: about half the x-height, which is near half the ascent.
    font.StrikeOutThickness = font.UnderlineThickness;
    font.StrikeOutPosition = font.Ascent * 3 / 10 + font.StrikeOutThickness;
  }
  font.StrikeOutPosition = std::clamp(font.StrikeOutPosition, font.StrikeOutThickness, std::max(1, font.Ascent));
}

// Ascent and descent round outwards, so that no glyph of the face's own extent is cut off.
void SetMetrics(FT_Face face, int pixelSize, TResolvedFont& font) {
  const TScale scale{pixelSize, std::max<std::int64_t>(1, face->units_per_EM)};
  font.PixelSize = pixelSize;
  font.Ascent = std::max(0, scale.Ceil(face->ascender));
  font.Descent = std::max(0, scale.Ceil(-static_cast<std::int64_t>(face->descender)));
  font.LineHeight = std::max(font.Ascent + font.Descent, scale.Round(face->height));
  font.UnderlineThickness = std::max(1, scale.Round(face->underline_thickness));
  // FreeType gives the centre of the underline, negative below the baseline.
  const int top = scale.Round(-static_cast<std::int64_t>(face->underline_position) - face->underline_thickness / 2);
  font.UnderlinePosition = std::clamp(top, 0, std::max(0, font.Descent - font.UnderlineThickness));
  SetStrikeOut(face, scale, font);
}
}  // namespace

struct TFontFaces::TImpl {
  FT_Library Library = nullptr;
  // Opened once; a file that does not load is remembered as null.
  std::map<std::pair<std::string, int>, std::unique_ptr<TFace>> Faces;

  TFace* FaceOf(const std::string& fileName, int faceIndex) {
    auto [it, added] = Faces.try_emplace({fileName, faceIndex});
    if (!added || !Library) return it->second.get();
    FT_Face face = nullptr;
    if (FT_New_Face(Library, fileName.c_str(), faceIndex, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face)) {
      FT_Done_Face(face);
      return nullptr;
    }
    it->second = std::make_unique<TFace>(face);
    return it->second.get();
  }
};

TFontFaces::TFontFaces() : FImpl(std::make_unique<TImpl>()) {
  if (FT_Init_FreeType(&FImpl->Library) != 0) FImpl->Library = nullptr;
}

TFontFaces::~TFontFaces() {
  FImpl->Faces.clear();
  if (FImpl->Library) FT_Done_FreeType(FImpl->Library);
}

std::unique_ptr<TTextShaper> TFontFaces::Open(const std::string& fileName, int faceIndex, int pixelSize, bool embolden,
                                              TResolvedFont& font) {
  TFace* face = FImpl->FaceOf(fileName, faceIndex);
  if (!face) return nullptr;
  face->FontAt(pixelSize);
  font.FileName = fileName;
  font.FaceIndex = faceIndex;
  if (font.Family.empty() && face->Face()->family_name) font.Family = face->Face()->family_name;
  SetMetrics(face->Face(), pixelSize, font);
  return std::make_unique<THarfBuzzShaper>(*face, pixelSize, embolden);
}
