// The form in the control dump: its least size, and the drag in progress with its outline.
#include "WbClassWriters.h"

namespace {

TWbJson DragJson(const TDockDrag* drag) {
  if (!drag || !drag->Window()) return TWbJson();
  const TDockTarget& target = drag->Target();
  return TWbJson{{"Window", drag->Window()->GetName()},
                 {"Dock", target.Dock ? TWbJson(target.Dock->GetName()) : TWbJson()},
                 {"Floating", target.Floating},
                 {"Row", target.Row},
                 {"NewRow", target.NewRow},
                 {"Pos", target.Pos},
                 {"Outline", BoundsJson(target.Outline)}};
}

}  // namespace

void WriteForm(const TForm& form, TWbControlProperties& properties) {
  const TSize least = form.GetMinimumSize();
  properties.Set("MinimumSize", TWbJson::array({least.Width, least.Height}));
  properties.Set("Drag", DragJson(form.GetDockDrag()));
  if (const TDockDrag* drag = form.GetDockDrag(); drag && drag->Window())
    properties.Note("Dragging=" + NoteWord(drag->Window()->GetName()) + " to " + BoundsText(drag->Target().Outline));
}
