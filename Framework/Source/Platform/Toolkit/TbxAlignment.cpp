// Layout of aligned child controls.
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

TRect TWinControl::AlignEdges(TRect area) {
  // Edges are taken in this order whatever the order of the children, each in child order. The
  // list is copied: a child's resize handler may rearrange the children.
  const std::vector<TControl*> aligned = FAligned;
  for (TAlign align : {alTop, alBottom, alLeft, alRight})
    for (TControl* control : aligned)
      if (control->GetAlign() == align && control->GetVisible()) PlaceChild(*control, EdgeBounds(*control, area));
  return area;
}

// Client-aligned children share what the edges leave, top to bottom in equal parts, so that no
// two of them cover each other; the last takes what the division leaves over.
void TWinControl::AlignClient(const TRect& free) {
  std::vector<TControl*> clients;
  for (TControl* control : FAligned)
    if (control->GetAlign() == alClient && control->GetVisible()) clients.push_back(control);
  const int count = static_cast<int>(clients.size());
  int top = free.Top;
  for (int i = 0; i < count; ++i) {
    const int height = i + 1 == count ? free.Bottom() - top : free.Height / count;
    PlaceChild(*clients[static_cast<size_t>(i)], {free.Left, top, free.Width, height});
    top += height;
  }
}

void TWinControl::AlignControls() {
  if (FAligned.empty()) return;
  AlignClient(AlignEdges(GetClientArea()));
}
