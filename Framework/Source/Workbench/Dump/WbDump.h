// The control tree below a control, as JSON and as an indented text tree for people.
#pragma once

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
// One line per control, indented two blanks per level:
//   TTBXLabel "Title" [Title] Text="Hello" Align=alNone 30x19 Underline=True
std::string ControlTreeText(const TControl& control, const TWbControlOwners& owners);
