// The sample windows of docs/layout.md, one per rule, built from the toolkit's classes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SvgDrawing.h"

struct TLayoutSample {
  std::string File;   // docs/layout/<File>.svg
  std::string Title;  // over the drawing
  // Builds the sample, lays it out and draws it; everything it made is gone when it returns.
  std::function<TSvgDrawing()> Draw;
};

const std::vector<TLayoutSample>& LayoutSamples();
