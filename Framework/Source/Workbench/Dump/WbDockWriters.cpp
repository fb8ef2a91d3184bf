// Docks, dockable windows and dockable panels in the control dump.
#include "WbClassWriters.h"

namespace {

void NoteIf(TWbControlProperties& properties, bool differs, const std::string& remark) {
  if (differs) properties.Note(remark);
}

template <class E>
std::string IdentifierList(TSet<E> set) {
  std::string text;
  for (const auto& identifier : set.Identifiers()) text += (text.empty() ? "" : ",") + identifier;
  return text;
}

}  // namespace

void WriteDock(const TTBDock& dock, TWbControlProperties& properties) {
  properties.Set("Position", EnumJson(dock.GetPosition()));
  properties.Set("AllowDrag", dock.GetAllowDrag());
  properties.Set("LimitToOneRow", dock.GetLimitToOneRow());
  properties.Set("BoundLines", SetJson(dock.GetBoundLines()));
  NoteIf(properties, dock.GetPosition() != dpTop, "Position=" + EnumIdentifier(dock.GetPosition()));
  NoteIf(properties, !dock.GetAllowDrag(), "AllowDrag=False");
  NoteIf(properties, dock.GetLimitToOneRow(), "LimitToOneRow=True");
  NoteIf(properties, !dock.GetBoundLines().Empty(), "BoundLines=" + IdentifierList(dock.GetBoundLines()));
}

void WriteDockablePanel(const TTBXCustomDockablePanel& panel, TWbControlProperties& properties) {
  WriteDockableWindow(panel, properties);
  properties.Set("CaptionRotation", EnumJson(panel.GetCaptionRotation()));
  properties.Set("ShowCaptionWhenDocked", panel.GetShowCaptionWhenDocked());
  properties.Set("DockedWidth", panel.GetDockedWidth());
  properties.Set("DockedHeight", panel.GetDockedHeight());
  properties.Set("SmoothDockedResize", panel.GetSmoothDockedResize());
  properties.Set("OnResize", static_cast<bool>(panel.OnResize));
  NoteIf(properties, panel.GetCaptionRotation() != dpcrAuto,
         "CaptionRotation=" + EnumIdentifier(panel.GetCaptionRotation()));
  NoteIf(properties, !panel.GetShowCaptionWhenDocked(), "ShowCaptionWhenDocked=False");
  NoteIf(properties, panel.GetDockedWidth() != 128, "DockedWidth=" + std::to_string(panel.GetDockedWidth()));
  NoteIf(properties, panel.GetDockedHeight() != 128, "DockedHeight=" + std::to_string(panel.GetDockedHeight()));
  NoteIf(properties, !panel.GetSmoothDockedResize(), "SmoothDockedResize=False");
}
// The parts of a dockable window's frame, in its own coordinates.
TWbJson FrameJson(const TDockableFrame& frame) {
  return TWbJson{{"Border", frame.Border},
                 {"Caption", BoundsJson(frame.Caption)},
                 {"CaptionVertical", frame.CaptionVertical},
                 {"CloseButton", BoundsJson(frame.CloseButton)},
                 {"DragHandle", BoundsJson(frame.DragHandle)},
                 {"ResizeEdge", BoundsJson(frame.ResizeEdge)},
                 {"Client", BoundsJson(frame.Client)}};
}

// A property that a setting gives is spelt as the setting is, so a name copied from the dump works
// in an application file.
void WriteDockableWindow(const TTBCustomDockableWindow& window, TWbControlProperties& properties) {
  properties.Set("Floating", window.GetFloating());
  properties.Set("Frame", FrameJson(window.GetFrame()));
  properties.Set("CloseButton", window.GetCloseButton());
  properties.Set("CloseButtonWhenDocked", window.GetCloseButtonWhenDocked());
  properties.Set("DblClickUnDock", window.GetDblClickUndock());
  properties.Set("DockMode", EnumJson(window.GetDockMode()));
  properties.Set("DockPos", window.GetDockPos());
  properties.Set("DockRow", window.GetDockRow());
  properties.Set("Resizable", window.GetResizable());
  properties.Set("ShowCaption", window.GetShowCaption());
  properties.Set("DockableTo", SetJson(window.GetDockableTo()));
  properties.Set("FullSize", window.GetFullSize());
  properties.Set("ResizesWhenFloating", window.ResizesWhenFloating());
  properties.Set("LastDock", window.GetLastDock() ? TWbJson(window.GetLastDock()->GetName()) : TWbJson());
  NoteIf(properties, !window.GetCloseButton(), "CloseButton=False");
  NoteIf(properties, window.GetCloseButtonWhenDocked(), "CloseButtonWhenDocked=True");
  NoteIf(properties, !window.GetDblClickUndock(), "DblClickUnDock=False");
  NoteIf(properties, window.GetDockMode() != dmCanFloat, "DockMode=" + EnumIdentifier(window.GetDockMode()));
  NoteIf(properties, window.GetDockPos() != -1, "DockPos=" + std::to_string(window.GetDockPos()));
  NoteIf(properties, window.GetDockRow() != 0, "DockRow=" + std::to_string(window.GetDockRow()));
  NoteIf(properties, !window.GetResizable(), "Resizable=False");
  NoteIf(properties, !window.GetShowCaption(), "ShowCaption=False");
  NoteIf(properties, window.GetDockableTo() != TTBDockPositions{dpTop, dpBottom, dpLeft, dpRight},
         "DockableTo=" + IdentifierList(window.GetDockableTo()));
  NoteIf(properties, window.GetFullSize(), "FullSize=True");
}
