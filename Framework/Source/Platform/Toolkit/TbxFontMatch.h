// Fonts found through fontconfig: the files that a toolkit font's name and style resolve to.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

struct TFontRequest {
  std::string Family;  // valid UTF-8; empty asks for the default family
  int PixelSize = 0;
  bool Bold = false;
  bool Italic = false;
  // Ordered by hand: clang-tidy 14 takes a defaulted <=> for a comparison with 0.
  friend bool operator<(const TFontRequest& a, const TFontRequest& b) {
    return std::tie(a.Family, a.PixelSize, a.Bold, a.Italic) < std::tie(b.Family, b.PixelSize, b.Bold, b.Italic);
  }
};

struct TFontCandidate {
  std::string FileName;
  int FaceIndex = 0;
  std::string Family;
  bool Bold = false;    // the face's own weight is bold or heavier
  bool Italic = false;  // the face is italic or oblique
};

class TFontMatcher {
 public:
  // Loads the machine's fontconfig configuration and font list.
  TFontMatcher();
  ~TFontMatcher();
  TFontMatcher(const TFontMatcher&) = delete;
  TFontMatcher& operator=(const TFontMatcher&) = delete;
  // False on a machine without fonts (or without a configuration).
  bool HasFonts() const;
  // The font that fontconfig substitutes for the request, then the next best ones, up to count:
  // the first that loads is taken.
  std::vector<TFontCandidate> Candidates(const TFontRequest& request, std::size_t count) const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
