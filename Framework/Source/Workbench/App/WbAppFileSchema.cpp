#include "WbAppFileSchema.h"

const std::vector<TWbAppElement>& AppFileElements() {
  static const std::vector<TWbAppElement> elements{
      {"Workbench",
       "The document element: the window.",
       {{"Name", false, "The window's name and title (default Workbench)."},
        {"Module", false, "The plug-in module, relative to the file; default: the one beside the runner."},
        {"ImageService", false, "False: no image service, so nothing shows images (default True).", "Boolean"}},
       {"Commands", "WorkItem"}},
      {"Commands", "The commands that actions are made from.", {}, {"Command"}},
      {"Command",
       "One command of the action service.",
       {{"ID", true, "The command's ID, which CommandID settings name."},
        {"Caption", false, "The action's caption."},
        {"Hint", false, "The action's hint."},
        {"ImageFile", false, "The action's image, relative to the file."},
        {"ActionVisible", false, "Whether items with this action show when a toolbar merges (default True).",
         "Boolean"}},
       {}},
      {"WorkItem",
       "A work item: it owns a window area and its view parts; a nested one runs inside its parent.",
       {{"ID", true, "The work item's ID."}},
       {"Value", "ViewPart", "WorkItem"}},
      {"Value",
       "A named value of the work item, which ${Name} in texts gives.",
       {{"Name", true, "The value's name."}, {"Value", false, "The value."}},
       {}},
      {"ViewPart",
       "A view part, made by a factory of the module.",
       {{"Name", true, "The view part's name: it prefixes its data keys."},
        {"Factory", true, "The factory that makes it (one of the nine Create<Kind>ViewPart).", "Factory"},
        {"Caption", false, "The caption."},
        {"WorkSpace", false, "The view part it is shown in (a dock, panel, toolbar or status bar)."}},
       {"ExtData"}},
      {"ExtData", "The view part's extension data: its kind's element and what it gives its work space.", {}, {}},
  };
  return elements;
}

std::vector<std::string> AppFileAttributeNames(const std::string& element) {
  std::vector<std::string> names;
  for (const TWbAppElement& entry : AppFileElements())
    if (entry.Name == element)
      for (const TWbAppAttribute& attribute : entry.Attributes) names.push_back(attribute.Name);
  return names;
}
