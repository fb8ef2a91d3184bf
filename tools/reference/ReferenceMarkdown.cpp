#include <cctype>
#include <set>
#include <sstream>

#include "NUVViewPartSettings.h"
#include "Reference.h"
#include "WbAppFileSchema.h"

namespace {

// A table cell: a bar would end it.
std::string Cell(const std::string& text) {
  std::string cell;
  for (char c : text) cell += c == '|' ? std::string("\\|") : std::string(1, c);
  return cell;
}

std::string Code(const std::string& text) { return text.empty() ? std::string() : "`" + text + "`"; }

// "<Font>/<Size>" for an element, "<Item> Caption=" for an attribute.
std::string SettingName(const std::string& path, const TNUVSetting& setting) {
  if (setting.Place == spAttribute) return Code(path.empty() ? setting.Name + "=" : path + " " + setting.Name + "=");
  return Code((path.empty() ? "" : path + "/") + "<" + setting.Name + ">");
}

// A group refers to itself (an item holds items): its rows are written once.
void SettingRows(std::ostream& out, const TNUVSettingGroup& group, const std::string& path,
                 std::set<const TNUVSettingGroup*>& written) {
  written.insert(&group);
  for (const TNUVSetting& setting : group.Settings) {
    std::string description = setting.Description;
    if (setting.Repeated) description += " May come several times.";
    if (setting.Group && written.count(setting.Group))
      description += " Its settings are those of " + Code(path.empty() ? "<" + setting.Name + ">" : path) + ".";
    out << "| " << SettingName(path, setting) << " | " << setting.Type << " | " << Cell(Code(setting.Default)) << " | "
        << Cell(setting.Values) << " | " << Cell(description) << " |\n";
    if (setting.Group && !written.count(setting.Group))
      SettingRows(out, *setting.Group, (path.empty() ? "" : path + "/") + "<" + setting.Name + ">", written);
  }
}

void SettingsTable(std::ostream& out, const TNUVSettingGroup& group, const std::string& path) {
  out << "| Setting | Type | Default | Accepted | What it does |\n|---|---|---|---|---|\n";
  std::set<const TNUVSettingGroup*> written;
  SettingRows(out, group, path, written);
}

const char* KindName(TNUVPublishedKind kind) {
  switch (kind) {
    case pkDataKey:
      return "data key";
    case pkTopic:
      return "topic";
    case pkService:
      return "service";
  }
  return "";
}

std::string Anchor(const std::string& heading) {
  std::string anchor;
  for (char c : heading)
    if (std::isalnum(static_cast<unsigned char>(c))) anchor += static_cast<char>(std::tolower(c));
  return anchor;
}

void Introduction(std::ostream& out) {
  out << "# View parts reference\n\n"
         "<!-- Made by `./dev viewpart-docs` from the settings tables (NUVViewPartSettings.cpp, WbAppFileSchema.cpp); "
         "do not edit: a test fails when this file is not what they give. -->\n\n"
         "Every view part of an application file is a `<ViewPart Name=... Factory=...>`; what it reads comes from "
         "its `<ExtData>`: one element named after its kind (`<Label>`, `<Toolbar>`, ...) and, for its work space, "
         "`<GroupIndex>` or `<PanelID>`. A view part is shown in a work space (a dock, panel, toolbar or status "
         "bar) by `WorkSpace=` the work space's name. The application file itself is described in "
         "[workbench.md](workbench.md); configuration values in [configuration.md](configuration.md).\n\n"
         "Value forms: Boolean `True`/`False` (any case) or `1`/`0`; Integer decimal; Enumeration the name with "
         "or without its prefix (`LeftJustify`, `taLeftJustify`), in any case. Element and attribute names are "
         "case-sensitive, as XML's are. A missing setting takes its default. A setting that no reader looks at "
         "(misspelt, misplaced, or another kind's) gives a `warning`; `--strict` makes it a load error.\n\n"
         "The schema [nuv-workbench.xsd](nuv-workbench.xsd) describes the same, every value typed as the readers "
         "take it (Booleans, integers in their ranges, enumeration and list names in any case, colours, the nine "
         "factories): an editor with XML Schema support completes and checks a file that names it on "
         "`<Workbench>`:\n\n"
         "```xml\n<Workbench Name=\"Demo\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
         "           xsi:noNamespaceSchemaLocation=\"docs/nuv-workbench.xsd\">\n```\n\n"
         "The schema cannot tie an `<ExtData>` element to the view part's factory: the runner's warning does.\n\n";
  out << "| Factory | Element | What it is |\n|---|---|---|\n";
  for (const TNUVViewPartReference& reference : ViewPartReferences())
    out << "| [" << reference.Factory << "](#" << Anchor(reference.Factory) << ") | "
        << Code("<" + reference.Settings->Element + ">") << " | " << Cell(reference.Summary) << " |\n";
  out << "\n";
}

void Section(std::ostream& out, const TNUVViewPartReference& reference) {
  out << "## " << reference.Factory << "\n\n"
      << reference.Summary << " Class `" << reference.ClassName << "`. Example: [examples/" << reference.Example
      << "](../examples/" << reference.Example << ").\n\n";
  out << "A minimal application:\n\n```xml\n" << reference.MinimalApplication << "```\n\n";
  out << "Settings, in `<ExtData><" << reference.Settings->Element << ">`:\n\n";
  SettingsTable(out, *reference.Settings, "");
  out << "\n";
  if (reference.Published.empty()) {
    out << "It publishes no data keys, topics or services.\n\n";
    return;
  }
  out << "It publishes (`<Name>` is the view part's name; a topic's `%s` is filled by the host):\n\n"
         "| Kind | Name | Type | What |\n|---|---|---|---|\n";
  for (const TNUVPublished& published : reference.Published)
    out << "| " << KindName(published.Kind) << " | " << Code(published.Name) << " | " << published.Type << " | "
        << Cell(published.Description) << " |\n";
  out << "\n";
}

void WorkSpaceSettings(std::ostream& out) {
  out << "## Settings for the work space\n\n"
         "Any view part's `<ExtData>` may give these beside its own element; its work space reads them.\n\n";
  SettingsTable(out, WorkSpaceChildSettings(), "");
  out << "\n";
}

void ApplicationFile(std::ostream& out) {
  out << "## The application file's elements\n\n"
         "| Element | Holds | Attributes | What it is |\n|---|---|---|---|\n";
  for (const TWbAppElement& element : AppFileElements()) {
    std::string holds, attributes;
    for (const std::string& child : element.Children) holds += (holds.empty() ? "" : ", ") + Code("<" + child + ">");
    for (const TWbAppAttribute& attribute : element.Attributes)
      attributes += (attributes.empty() ? "" : "; ") + Code(attribute.Name) +
                    (attribute.Required ? " (required)" : "") + ": " + attribute.Description;
    out << "| " << Code("<" + element.Name + ">") << " | " << holds << " | " << Cell(attributes) << " | "
        << Cell(element.Description) << " |\n";
  }
}

}  // namespace

std::string ReferenceMarkdown() {
  std::ostringstream out;
  Introduction(out);
  for (const TNUVViewPartReference& reference : ViewPartReferences()) Section(out, reference);
  WorkSpaceSettings(out);
  ApplicationFile(out);
  return out.str();
}
