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

// The keyboard on a toolbar: the toolbar and the highlighted items (their captions, and their
// indexes among their parent's items), the first on the toolbar and one in each open menu.
TWbJson ToolbarKeyboardJson(const TToolbarKeyboard& keyboard) {
  if (!keyboard.Active()) return TWbJson();
  TWbJson path = TWbJson::array(), indexes = TWbJson::array();
  for (const TTBCustomItem* item : keyboard.Path()) {
    path.push_back(item->GetCaption());
    indexes.push_back(item->GetParent()->IndexOf(item));
  }
  return TWbJson{{"Toolbar", keyboard.Toolbar()->GetName()}, {"Path", path}, {"Indexes", indexes}};
}

std::string PathNote(const TToolbarKeyboard& keyboard) {
  std::string note = NoteWord(keyboard.Toolbar()->GetName());
  for (const TTBCustomItem* item : keyboard.Path()) note += "/" + NoteWord(item->GetCaption());
  return note;
}

}  // namespace

void WriteForm(const TForm& form, TWbControlProperties& properties) {
  const TSize least = form.GetMinimumSize();
  properties.Set("MinimumSize", TWbJson::array({least.Width, least.Height}));
  properties.Set("Drag", DragJson(form.GetDockDrag()));
  const TWinControl* focused = form.FocusedInForm();
  properties.Set("Focused", focused ? TWbJson(focused->GetName()) : TWbJson());
  properties.Set("ToolbarKeyboard", ToolbarKeyboardJson(form.ToolbarKeyboard()));
  if (focused) properties.Note("Focused=" + NoteWord(focused->GetName()));
  if (form.ToolbarKeyboard().Active()) properties.Note("Keyboard=" + PathNote(form.ToolbarKeyboard()));
  if (const TDockDrag* drag = form.GetDockDrag(); drag && drag->Window())
    properties.Note("Dragging=" + NoteWord(drag->Window()->GetName()) + " to " + BoundsText(drag->Target().Outline));
}
