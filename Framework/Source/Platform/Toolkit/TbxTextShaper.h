// What the text metrics measure with: a face at one pixel size that shapes text into clusters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "TbxTextMetrics.h"

// Advances are in 1/64 pixel (FreeType's 26.6 format), summed exactly and rounded once per line.
constexpr std::int64_t KSubpixels = 64;

class TTextShaper {
 public:
  // Takes the byte offset of a cluster (a character with its marks, or a ligature) in the text and
  // its advance; returns false to stop.
  using TClusterSink = std::function<bool(std::size_t offset, std::int64_t advance)>;
  virtual ~TTextShaper() = default;
  // Shapes clean UTF-8 (CleanLine) and gives its clusters in text order.
  virtual void Shape(std::string_view text, const TClusterSink& sink) = 0;
  virtual bool HasChar(char32_t code) const = 0;
};

// The metrics of a machine without fonts: every character 9/16 em wide (as the toolkit measured
// before it had a font engine), ascent 4/5 em, descent 1/5 em.
TResolvedFont BuiltInFont(int pixelSize);
std::unique_ptr<TTextShaper> NewBuiltInShaper(int pixelSize);
