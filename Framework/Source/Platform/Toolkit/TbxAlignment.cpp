// Layout of aligned child controls.
#include <algorithm>
#include <array>

#include "TbxControls.h"

namespace {
struct TRect {
  int Left, Top, Right, Bottom;
  int Width() const { return std::max(0, Right - Left); }
  int Height() const { return std::max(0, Bottom - Top); }
};

// Places control at its edge of the free area and shrinks the area by what it took.
void PlaceControl(TControl& control, TRect& free) {
  switch (control.GetAlign()) {
    case alTop:
      control.SetBounds(free.Left, free.Top, free.Width(), control.GetHeight());
      free.Top += control.GetHeight();
      break;
    case alBottom:
      control.SetBounds(free.Left, free.Bottom - control.GetHeight(), free.Width(), control.GetHeight());
      free.Bottom -= control.GetHeight();
      break;
    case alLeft:
      control.SetBounds(free.Left, free.Top, control.GetWidth(), free.Height());
      free.Left += control.GetWidth();
      break;
    case alRight:
      control.SetBounds(free.Right - control.GetWidth(), free.Top, control.GetWidth(), free.Height());
      free.Right -= control.GetWidth();
      break;
    case alClient:
      control.SetBounds(free.Left, free.Top, free.Width(), free.Height());
      break;
    default:
      break;
  }
}
}  // namespace

void TWinControl::AlignControls() {
  ++FAlignCount;
  // A window holds many children and realigns on every change among them: one look at them says
  // which edges are taken at all, and only those are placed, from a copy only when there are any.
  unsigned taken = 0;
  for (const TControl* control : FControls)
    if (control->GetVisible()) taken |= 1u << control->GetAlign();
  taken &= ~((1u << alNone) | (1u << alCustom));
  if (taken == 0) return;
  TRect free{0, 0, GetWidth(), GetHeight()};
  // Edges are taken in this order whatever the order of the children.
  constexpr std::array order{alTop, alBottom, alLeft, alRight, alClient};
  std::vector<TControl*> controls = FControls;
  for (TAlign align : order) {
    if ((taken & (1u << align)) == 0) continue;
    for (TControl* control : controls)
      if (control->GetAlign() == align && control->GetVisible()) PlaceControl(*control, free);
  }
}
