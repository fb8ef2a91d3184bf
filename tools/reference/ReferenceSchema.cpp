#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "NUVViewPartSettings.h"
#include "Reference.h"
#include "TbxGraphics.h"
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

// A name in any letter case, as the readers match names: "[Tt][Oo][Pp]".
std::string AnyCase(const std::string& name) {
  std::string pattern;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalpha(u))
      pattern += std::string("[") + static_cast<char>(std::toupper(u)) + static_cast<char>(std::tolower(u)) + "]";
    else
      pattern += c;
  }
  return pattern;
}

std::string Alternatives(const std::vector<std::string>& names) {
  std::string pattern;
  for (const std::string& name : names) pattern += (pattern.empty() ? "" : "|") + AnyCase(name);
  return "(" + pattern + ")";
}

// One of the names, with or without the prefix.
std::string NamePattern(const TNUVSetting& setting) {
  return (setting.Prefix.empty() ? "" : "(" + AnyCase(setting.Prefix) + ")?") + Alternatives(setting.Names);
}

// Blanks around a value are not read, and a value of blanks only counts as missing: every typed
// value may be one (XML Schema's \s: blank, tab, line feed, carriage return).
std::string Trimmed(const std::string& pattern) { return "\\s*(" + pattern + ")?\\s*"; }

// The simple types of typed values, each written once under a name that says what it takes.
class TSimpleTypes {
 public:
  // The type of a setting's value; xs:string for a text.
  std::string Of(const TNUVSetting& setting) {
    if (setting.Type == "Boolean") return Boolean();
    if (setting.Type == "Integer") return Integer(setting.Min, setting.Max);
    if (setting.Type == "Colour") return Colour();
    if (setting.Type == "Enumeration") {
      const std::string list = JoinNames(setting, ".");
      return Pattern("OneOf." + list, Trimmed(NamePattern(setting)),
                     "One of " + JoinNames(setting, ", ") + ", in any case.");
    }
    if (setting.Type == "List") {
      const std::string item = "\\s*" + NamePattern(setting) + "\\s*";
      const std::string list = item + "(," + item + ")*";
      return Pattern((setting.TakesAll ? "ListOf.All." : "ListOf.") + JoinNames(setting, "."),
                     Trimmed(setting.TakesAll ? AnyCase("All") + "|" + list : list),
                     std::string(setting.TakesAll ? "All, or a" : "A") + " comma-separated list of " +
                         JoinNames(setting, ", ") + ", in any case.");
    }
    return "xs:string";
  }

  std::string Boolean() {
    return Pattern("Boolean", Trimmed(AnyCase("True") + "|" + AnyCase("False") + "|1|0"),
                   "True, False (any case), 1 or 0.");
  }

  // One of the given names exactly, as written.
  std::string Exactly(const std::string& name, const std::vector<std::string>& names,
                      const std::string& documentation) {
    if (FWritten.count(name)) return name;
    std::ostringstream type;
    type << "  <xs:simpleType name=\"" << name << "\">\n"
         << Documentation(documentation, "    ") << "    <xs:restriction base=\"xs:string\">\n";
    for (const std::string& value : names) type << "      <xs:enumeration value=\"" << value << "\"/>\n";
    type << "    </xs:restriction>\n  </xs:simpleType>\n";
    Add(name, type.str());
    return name;
  }

  std::string Types() const {
    std::string types;
    for (const auto& [name, text] : FTypes) types += text;
    return types;
  }

 private:
  static std::string JoinNames(const TNUVSetting& setting, const std::string& separator) {
    std::string joined;
    for (const std::string& name : setting.Names) joined += (joined.empty() ? "" : separator) + name;
    return joined;
  }

  void Add(const std::string& name, std::string text) {
    FWritten.insert(name);
    FTypes.emplace(name, std::move(text));
  }

  std::string Pattern(const std::string& name, const std::string& pattern, const std::string& documentation) {
    if (FWritten.count(name)) return name;
    Add(name, "  <xs:simpleType name=\"" + name + "\">\n" + Documentation(documentation, "    ") +
                  "    <xs:restriction base=\"xs:string\"><xs:pattern value=\"" + HtmlEscape(pattern) +
                  "\"/></xs:restriction>\n  </xs:simpleType>\n");
    return name;
  }

  // Decimal digits with a sign, in the 32-bit range and the setting's own; blanks only count as
  // missing.
  std::string Integer(std::optional<int> min, std::optional<int> max) {
    auto number = [](int n) {
      return n < 0 ? "Minus" + std::to_string(-static_cast<long long>(n)) : std::to_string(n);
    };
    const std::string name = "Integer" + (min ? "From" + number(*min) : "") + (max ? "To" + number(*max) : "");
    if (FWritten.count(name)) return name;
    std::string facets;
    if (min) facets += "<xs:minInclusive value=\"" + std::to_string(*min) + "\"/>";
    if (max) facets += "<xs:maxInclusive value=\"" + std::to_string(*max) + "\"/>";
    std::string words = "A decimal integer";
    if (min && max)
      words += " from " + std::to_string(*min) + " to " + std::to_string(*max);
    else if (min)
      words += " of " + std::to_string(*min) + " or more";
    Add(name, "  <xs:simpleType name=\"" + name + "\">\n" + Documentation(words + ".", "    ") +
                  "    <xs:union memberTypes=\"" + Blank() +
                  "\">\n      <xs:simpleType><xs:restriction base=\"xs:int\">" + facets +
                  "</xs:restriction></xs:simpleType>\n    </xs:union>\n  </xs:simpleType>\n");
    return name;
  }

  std::string Blank() { return Pattern("Blank", "\\s*", "Blanks only: the setting counts as missing."); }

  // A colour name in any case, #RRGGBB, $ and a hexadecimal TColor, or a decimal TColor.
  std::string Colour() {
    return Pattern("Colour", Trimmed(Alternatives(ColorIdents()) + "|#[0-9A-Fa-f]{6}|[$][0-9A-Fa-f]{1,8}|[0-9]{1,10}"),
                   "A colour name (clRed, clBtnShadow, clDefault; any case), #RRGGBB, $ and the hexadecimal TColor "
                   "value, or a decimal TColor value.");
  }

  std::map<std::string, std::string> FTypes;  // by name: the file lists them in order of name
  std::set<std::string> FWritten;
};

// Writes one complex type per settings group, named after its element ("Font", "Item"); a name that
// another group took gets its parent's name before it.
class TSchemaWriter {
 public:
  explicit TSchemaWriter(TSimpleTypes& simpleTypes) : FSimpleTypes(simpleTypes) {}

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
      const std::string type = setting.Group ? TypeOf(*setting.Group, name) : FSimpleTypes.Of(setting);
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
        out << "    <xs:attribute name=\"" << setting.Name << "\" type=\"" << FSimpleTypes.Of(setting) << "\">\n"
            << Documentation(setting.Description, "      ") << "    </xs:attribute>\n";
    out << "  </xs:complexType>\n";
  }

  TSimpleTypes& FSimpleTypes;
  std::map<const TNUVSettingGroup*, std::string> FTypeNames;
  std::map<std::string, const TNUVSettingGroup*> FTaken;
  std::string FTypes;
};

// ExtData holds one kind's element (any of the nine: the schema cannot tell which factory the view
// part names) and the work-space settings.
void ExtDataType(std::ostream& out, TSchemaWriter& writer, TSimpleTypes& simpleTypes) {
  out << "  <xs:complexType name=\"ExtData\">\n    <xs:all>\n";
  for (const TNUVViewPartReference& reference : ViewPartReferences())
    out << "      <xs:element name=\"" << reference.Settings->Element << "\" type=\""
        << writer.TypeOf(*reference.Settings, "ExtData") << "\" minOccurs=\"0\">\n"
        << Documentation("The settings of " + reference.Factory + " view parts.", "        ")
        << "      </xs:element>\n";
  for (const TNUVSetting& setting : WorkSpaceChildSettings().Settings)
    out << "      <xs:element name=\"" << setting.Name << "\" type=\"" << simpleTypes.Of(setting)
        << "\" minOccurs=\"0\">\n"
        << Documentation(setting.Description, "        ") << "      </xs:element>\n";
  out << "    </xs:all>\n  </xs:complexType>\n";
}

// A typed attribute of the file's own elements: Boolean, or one of the nine factories.
std::string AttributeType(const TWbAppAttribute& attribute, TSimpleTypes& simpleTypes) {
  if (attribute.Type == "Boolean") return simpleTypes.Boolean();
  if (attribute.Type == "Factory") {
    std::vector<std::string> factories;
    for (const TNUVViewPartReference& reference : ViewPartReferences()) factories.push_back(reference.Factory);
    return simpleTypes.Exactly("Factory", factories, "One of the nine factories of the module, as written.");
  }
  return "xs:string";
}

void AppElementType(std::ostream& out, const TWbAppElement& element, TSimpleTypes& simpleTypes) {
  out << "  <xs:complexType name=\"" << element.Name << "\">\n";
  out << Documentation(element.Description, "    ");
  if (!element.Children.empty()) {
    out << "    <xs:choice minOccurs=\"0\" maxOccurs=\"unbounded\">\n";
    for (const std::string& child : element.Children)
      out << "      <xs:element name=\"" << child << "\" type=\"" << child << "\"/>\n";
    out << "    </xs:choice>\n";
  }
  for (const TWbAppAttribute& attribute : element.Attributes)
    out << "    <xs:attribute name=\"" << attribute.Name << "\" type=\"" << AttributeType(attribute, simpleTypes)
        << "\"" << (attribute.Required ? " use=\"required\"" : "") << ">\n"
        << Documentation(attribute.Description, "      ") << "    </xs:attribute>\n";
  out << "  </xs:complexType>\n";
}

}  // namespace

std::string ReferenceSchema() {
  std::ostringstream out;
  TSimpleTypes simpleTypes;
  TSchemaWriter writer(simpleTypes);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!-- The application files of nuv-workbench. Made by ./dev viewpart-docs from the settings tables; do not "
         "edit. Every value is typed as the runner reads it (Booleans, integers in their ranges, enumerations in any "
         "case, colours, lists); the runner also checks what a schema cannot, such as which kind's element a view "
         "part's ExtData may hold. -->\n"
         "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
         "  <xs:element name=\"Workbench\" type=\"Workbench\"/>\n";
  for (const TWbAppElement& element : AppFileElements())
    if (element.Name != "ExtData") AppElementType(out, element, simpleTypes);
  ExtDataType(out, writer, simpleTypes);
  out << writer.Types() << simpleTypes.Types() << "</xs:schema>\n";
  return out.str();
}
