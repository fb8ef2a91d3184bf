#include <map>
#include <sstream>

#include "NUVViewPartSettings.h"
#include "Reference.h"
#include "WbAppFileSchema.h"
#include "WbHtmlText.h"

namespace {

std::string Documentation(const std::string& text, const std::string& indent) {
  return indent + "<xs:annotation><xs:documentation>" + HtmlEscape(text) + "</xs:documentation></xs:annotation>\n";
}

bool HasRepeated(const TNUVSettingGroup& group) {
  for (const TNUVSetting& setting : group.Settings)
    if (setting.Place == spElement && setting.Repeated) return true;
  return false;
}

// Writes one complex type per settings group, named after its element ("Font", "Item"); a name that
// another group took gets its parent's name before it.
class TSchemaWriter {
 public:
  std::string TypeOf(const TNUVSettingGroup& group, const std::string& parent) {
    if (auto found = FTypeNames.find(&group); found != FTypeNames.end()) return found->second;
    std::string name = group.Element;
    if (FTaken.count(name)) name = parent + "." + name;
    FTypeNames[&group] = name;
    FTaken.insert({name, &group});
    std::ostringstream type;
    WriteType(type, group, name);
    FTypes += type.str();
    return name;
  }

  std::string Types() const { return FTypes; }

 private:
  // Elements come in any order; those that may come several times make it a choice, where the
  // others may come several times too (only the first is read, which the runner warns about).
  void WriteType(std::ostream& out, const TNUVSettingGroup& group, const std::string& name) {
    std::ostringstream elements;
    for (const TNUVSetting& setting : group.Settings) {
      if (setting.Place != spElement) continue;
      const std::string type = setting.Group ? TypeOf(*setting.Group, name) : "xs:string";
      elements << "      <xs:element name=\"" << setting.Name << "\" type=\"" << type << "\" minOccurs=\"0\"";
      if (HasRepeated(group)) elements << " maxOccurs=\"unbounded\"";
      elements << ">\n" << Documentation(setting.Description, "        ") << "      </xs:element>\n";
    }
    out << "  <xs:complexType name=\"" << name << "\">\n";
    const std::string body = elements.str();
    if (!body.empty()) {
      const bool choice = HasRepeated(group);
      out << (choice ? "    <xs:choice minOccurs=\"0\" maxOccurs=\"unbounded\">\n" : "    <xs:all>\n") << body
          << (choice ? "    </xs:choice>\n" : "    </xs:all>\n");
    }
    for (const TNUVSetting& setting : group.Settings)
      if (setting.Place == spAttribute)
        out << "    <xs:attribute name=\"" << setting.Name << "\" type=\"xs:string\">\n"
            << Documentation(setting.Description, "      ") << "    </xs:attribute>\n";
    out << "  </xs:complexType>\n";
  }

  std::map<const TNUVSettingGroup*, std::string> FTypeNames;
  std::map<std::string, const TNUVSettingGroup*> FTaken;
  std::string FTypes;
};

// ExtData holds one kind's element (any of the nine: the schema cannot tell which factory the view
// part names) and the work-space settings.
void ExtDataType(std::ostream& out, TSchemaWriter& writer) {
  out << "  <xs:complexType name=\"ExtData\">\n    <xs:all>\n";
  for (const TNUVViewPartReference& reference : ViewPartReferences())
    out << "      <xs:element name=\"" << reference.Settings->Element << "\" type=\""
        << writer.TypeOf(*reference.Settings, "ExtData") << "\" minOccurs=\"0\">\n"
        << Documentation("The settings of " + reference.Factory + " view parts.", "        ")
        << "      </xs:element>\n";
  for (const TNUVSetting& setting : WorkSpaceChildSettings().Settings)
    out << "      <xs:element name=\"" << setting.Name << "\" type=\"xs:string\" minOccurs=\"0\">\n"
        << Documentation(setting.Description, "        ") << "      </xs:element>\n";
  out << "    </xs:all>\n  </xs:complexType>\n";
}

void AppElementType(std::ostream& out, const TWbAppElement& element) {
  out << "  <xs:complexType name=\"" << element.Name << "\">\n";
  out << Documentation(element.Description, "    ");
  if (!element.Children.empty()) {
    out << "    <xs:choice minOccurs=\"0\" maxOccurs=\"unbounded\">\n";
    for (const std::string& child : element.Children)
      out << "      <xs:element name=\"" << child << "\" type=\"" << child << "\"/>\n";
    out << "    </xs:choice>\n";
  }
  for (const TWbAppAttribute& attribute : element.Attributes)
    out << "    <xs:attribute name=\"" << attribute.Name << "\" type=\"xs:string\""
        << (attribute.Required ? " use=\"required\"" : "") << ">\n"
        << Documentation(attribute.Description, "      ") << "    </xs:attribute>\n";
  out << "  </xs:complexType>\n";
}

}  // namespace

std::string ReferenceSchema() {
  std::ostringstream out;
  TSchemaWriter writer;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!-- The application files of nuv-workbench. Made by ./dev viewpart-docs from the settings tables; do not "
         "edit. Values are checked by the runner, which also accepts any letter case in values: the schema checks "
         "names and structure. -->\n"
         "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
         "  <xs:element name=\"Workbench\" type=\"Workbench\"/>\n";
  for (const TWbAppElement& element : AppFileElements())
    if (element.Name != "ExtData") AppElementType(out, element);
  ExtDataType(out, writer);
  out << writer.Types() << "</xs:schema>\n";
  return out.str();
}
