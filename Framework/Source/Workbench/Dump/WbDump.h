// The control tree below a control, as JSON and as an indented text tree for people.
#pragma once

#include <ostream>
#include <string>
#include <unordered_map>

#include "TbxControls.h"
#include "WbJson.h"

// The view part that each control belongs to.
using TWbControlOwners = std::unordered_map<const TControl*, std::string>;

// {"Class", "Name", "ViewPart", "Visible", "Align", "Text", "Width", "Height", the class's own
// properties, "Controls": [children]}. images, the application's shared image list, names the
// files of toolbar items' images ("ImageFile"); without it they are null.
TWbJson ControlTreeJson(const TControl& control, const TWbControlOwners& owners,
                        const TCustomImageList* images = nullptr);
// One control's node of that tree without its "Controls": for writers that walk the children
// themselves, holding one branch of a large window at a time instead of all of it.
TWbJson ControlNodeJson(const TControl& control, const TWbControlOwners& owners,
                        const TCustomImageList* images = nullptr);
// JsonText(ControlTreeJson(...), 2), byte for byte, written to out control by control as the
// nodes are made. What was written stays written when a control lies too deep to dump.
void WriteControlTreeJson(std::ostream& out, const TControl& control, const TWbControlOwners& owners,
                          const TCustomImageList* images = nullptr);
// One line per control, indented two blanks per level:
//   TTBXLabel "Title" [Title] Text="Hello" Align=alNone 30x19 Underline=True
std::string ControlTreeText(const TControl& control, const TWbControlOwners& owners);
// The same lines written to out as they are made.
void WriteControlTreeText(std::ostream& out, const TControl& control, const TWbControlOwners& owners);
