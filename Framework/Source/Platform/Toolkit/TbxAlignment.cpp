// Layout of aligned child controls.
#include <algorithm>
#include <array>

#include "TbxControls.h"

namespace {

// The thickness an edge-aligned control takes: its own, or what it prefers when it sizes itself
// (its width for a side, its height, at the width it is given, for the top or bottom).
int EdgeThickness(const TControl& control, const TRect& free) {
  const bool side = control.GetAlign() == alLeft || control.GetAlign() == alRight;
  if (!control.GetAutoSizing()) return side ? control.GetWidth() : control.GetHeight();
  return side ? control.GetPreferredSize(KNoWidthLimit).Width : control.GetPreferredSize(free.Width).Height;
}

// Where control goes at its edge of the free area; the area shrinks by what it takes.
TRect EdgeBounds(const TControl& control, TRect& free) {
  const int thickness =
      std::min(EdgeThickness(control, free),
               control.GetAlign() == alLeft || control.GetAlign() == alRight ? free.Width : free.Height);
  TRect r = free;
  switch (control.GetAlign()) {
    case alTop:
      r.Height = thickness;
      free = free.Inset(0, thickness, 0, 0);
      break;
    case alBottom:
      r = {free.Left, free.Bottom() - thickness, free.Width, thickness};
      free = free.Inset(0, 0, 0, thickness);
      break;
    case alLeft:
      r.Width = thickness;
      free = free.Inset(thickness, 0, 0, 0);
      break;
    case alRight:
      r = {free.Right() - thickness, free.Top, thickness, free.Height};
      free = free.Inset(0, 0, thickness, 0);
      break;
    default:
      break;
  }
  return r;
}

}  // namespace

// The aligned children are walked by index, the list read again at every step: a child's resize
// handler may add, remove or destroy children. Such a change asks for another pass (Realign),
// which places them all again; a copy of the list would hold a destroyed child.

TRect TWinControl::AlignEdges(TRect area) {
  // Edges are taken in this order whatever the order of the children, each in child order.
  for (TAlign align : {alTop, alBottom, alLeft, alRight})
    for (std::size_t i = 0; i < FAligned.size(); ++i) {
      TControl& control = *FAligned[i];
      if (control.GetAlign() == align && control.GetVisible()) PlaceChild(control, EdgeBounds(control, area));
    }
  return area;
}

// Client-aligned children share what the edges leave, top to bottom in equal parts, so that no
// two of them cover each other; the last takes what the division leaves over.
void TWinControl::AlignClient(const TRect& free) {
  const auto isClient = [](const TControl* control) {
    return control->GetAlign() == alClient && control->GetVisible();
  };
  const int count = static_cast<int>(std::count_if(FAligned.begin(), FAligned.end(), isClient));
  int top = free.Top, placed = 0;
  for (std::size_t i = 0; i < FAligned.size() && placed < count; ++i) {
    if (!isClient(FAligned[i])) continue;
    const int height = ++placed == count ? free.Bottom() - top : free.Height / count;
    PlaceChild(*FAligned[i], {free.Left, top, free.Width, height});
    top += height;
  }
}

void TWinControl::AlignControls() {
  if (FAligned.empty()) return;
  AlignClient(AlignEdges(GetClientArea()));
}
