// A drawing of one sample window: every part the toolkit laid out, as a numbered rectangle over a
// plain picture of the window, and a legend that names each part with its position and size.
#pragma once

#include <string>
#include <vector>

#include "TbxControls.h"

struct TDrawnPart {
  std::string Name;  // what the legend calls it: "toolbar", "item New", "glyph", ...
  TRect Bounds;      // in the window's coordinates
  std::string Kind;  // picks the colour: "control", "item", "part", "text"
  std::string Text;  // drawn inside, for texts and captions
  int FontPixels = 0;
};

class TSvgDrawing {
 public:
  TSvgDrawing(std::string title, TSize window) : FTitle(std::move(title)), FWindow(window) {}
  void AddPart(std::string name, TRect bounds, std::string kind, std::string text = "", int fontPixels = 0) {
    FParts.push_back({std::move(name), bounds, std::move(kind), std::move(text), fontPixels});
  }
  // Every visible control under root, with the parts of its kind.
  void AddControlTree(const TControl& root);
  std::string Svg() const;

 private:
  void AddParts(const TControl& control, TPoint origin);
  std::string FTitle;
  TSize FWindow;
  std::vector<TDrawnPart> FParts;
};
