// Font files opened with FreeType and shaped with HarfBuzz; each file and face is opened once.
#pragma once

#include <memory>
#include <string>

#include "TbxTextShaper.h"

class TFontFaces {
 public:
  TFontFaces();
  ~TFontFaces();
  TFontFaces(const TFontFaces&) = delete;
  TFontFaces& operator=(const TFontFaces&) = delete;

  // A shaper for the face at pixelSize, and its metrics in font; null when FreeType cannot load
  // the file or the face is not scalable. The shaper stays valid as long as this object.
  std::unique_ptr<TTextShaper> Open(const std::string& fileName, int faceIndex, int pixelSize, bool embolden,
                                    TResolvedFont& font);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
