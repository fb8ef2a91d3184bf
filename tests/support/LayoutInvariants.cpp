#include "LayoutInvariants.h"

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxStackPanels.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"

namespace {

std::string Describe(const TControl& control) {
  const std::string name = control.GetName().empty() ? "(unnamed)" : control.GetName();
  const TRect r = control.GetBoundsRect();
  return control.ClassName() + " " + name + " at " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "+" +
         std::to_string(r.Width) + "x" + std::to_string(r.Height);
}

bool IsAligned(const TControl& control) { return control.GetAlign() != alNone && control.GetAlign() != alCustom; }

bool IsFloating(const TControl& control) {
  const auto* window = dynamic_cast<const TTBCustomDockableWindow*>(&control);
  return window && window->GetFloating();
}

// What may show without width or height: an empty dock, a text control without text, a control
// that its container had no room for (a status panel or toolbar item cut off at the end, a dock's
// row when the dock got less room than it wants, an aligned control when the edges before it took
// all the room).
bool EmptyByRule(const TControl& control, const TWinControl& parent) {
  if (const auto* dock = dynamic_cast<const TTBDock*>(&control))
    return dock->GetPreferredSize().Width == 0 || dock->GetPreferredSize().Height == 0;
  if (const auto* text = dynamic_cast<const TTBXTextObject*>(&control); text && text->GetText().empty()) return true;
  if (parent.GetClientRect().Empty()) return true;
  if (IsAligned(control)) return true;  // the edges before it may have left it nothing
  if (const auto* bar = dynamic_cast<const TTBXCustomStatusBar*>(&parent)) {
    for (int i = 0; i < bar->Panels().Count(); ++i)
      if (bar->Panels().GetItem(i)->GetControl() == &control) return bar->Panels().GetItem(i)->GetContentRect().Empty();
  }
  // Items cut off at a toolbar's end, rows of a dock that got less room than its rows want.
  if (dynamic_cast<const TTBCustomToolbar*>(&parent)) return true;
  // Panels share what the toolbars of their row leave, which may be nothing.
  if (const auto* dock = dynamic_cast<const TTBDock*>(&parent))
    return dynamic_cast<const TTBXCustomDockablePanel*>(&control) ||
           dock->GetPreferredSize(dock->GetWidth()) != dock->GetBoundsRect().Size();
  return false;
}

// An unaligned child of a plain container keeps the size it has; a container too small for it
// cuts it off. It must start inside, unless there is no inside.
bool CutOff(const TControl& child, const TWinControl& parent, const TRect& client) {
  const bool placing = dynamic_cast<const TStackPanel*>(&parent) || dynamic_cast<const TTBDock*>(&parent) ||
                       dynamic_cast<const TTBCustomToolbar*>(&parent) ||
                       dynamic_cast<const TTBXCustomStatusBar*>(&parent);
  const TRect bounds = child.GetBoundsRect();
  return !placing && !IsAligned(child) && (client.Empty() || client.Contains({bounds.Left, bounds.Top}));
}

// A stack panel's column may run past its bottom: what lies below is cut off, not moved.
bool RunsPastColumn(const TControl& control, const TWinControl& parent) {
  return dynamic_cast<const TStackPanel*>(&parent) && control.GetAlign() == alNone && control.GetTop() >= 0;
}

void Check(const TWinControl& parent, std::vector<std::string>& violations) {
  const TRect client = parent.GetClientArea();
  std::vector<const TControl*> aligned;
  for (int i = 0; i < parent.GetControlCount(); ++i) {
    const TControl& child = *parent.GetControl(i);
    if (!child.GetVisible()) continue;
    const TRect bounds = child.GetBoundsRect();
    if (!IsFloating(child) && !client.Encloses(bounds) && !(bounds.Empty() && EmptyByRule(child, parent)) &&
        !CutOff(child, parent, client) &&
        !(RunsPastColumn(child, parent) && bounds.Left >= client.Left && bounds.Right() <= client.Right()))
      violations.push_back(Describe(child) + " lies outside the client area of " + Describe(parent));
    if (bounds.Empty() && !EmptyByRule(child, parent))
      violations.push_back(Describe(child) + " shows without width or height");
    if (IsAligned(child)) {
      for (const TControl* other : aligned)
        if (other->GetBoundsRect().Intersects(bounds))
          violations.push_back(Describe(child) + " covers its aligned sibling " + Describe(*other));
      aligned.push_back(&child);
    }
    if (const auto* winChild = dynamic_cast<const TWinControl*>(&child)) Check(*winChild, violations);
  }
}

}  // namespace

std::vector<std::string> LayoutViolations(const TWinControl& root) {
  std::vector<std::string> violations;
  Check(root, violations);
  return violations;
}
