#include "WbDump.h"

#include <sstream>

#include "WbControlWriters.h"

namespace {

TWbJson OwnerJson(const TControl& control, const TWbControlOwners& owners) {
  auto it = owners.find(&control);
  return it == owners.end() ? TWbJson() : TWbJson(it->second);
}

// The common properties, then the class's own; the notes are for the text tree.
std::vector<std::string> WriteProperties(const TControl& control, const TWbControlOwners& owners, TWbJson& json,
                                         const TCustomImageList* images = nullptr, bool notesOnly = false) {
  json["Class"] = control.ClassName();
  json["Name"] = control.GetName();
  json["ViewPart"] = OwnerJson(control, owners);
  json["Visible"] = control.GetVisible();
  json["Align"] = EnumJson(control.GetAlign());
  json["Text"] = control.GetText();
  json["Hint"] = control.GetHint();
  json["Left"] = control.GetLeft();
  json["Top"] = control.GetTop();
  json["Width"] = control.GetWidth();
  json["Height"] = control.GetHeight();
  if (const auto* windowed = KindCast<TWinControl>(&control))
    json["ClientRect"] = BoundsJson(windowed->GetClientRect());
  TWbControlProperties properties(json, images, notesOnly);
  TWbControlWriters::Write(control, properties);
  return properties.Notes();
}

const TWinControl* AsWinControl(const TControl& control) { return KindCast<TWinControl>(&control); }

std::string TextLine(const TControl& control, const TWbControlOwners& owners) {
  TWbJson json;
  const auto notes = WriteProperties(control, owners, json, nullptr, true);
  std::string line = control.ClassName() + " " + JsonText(control.GetName());
  if (!json["ViewPart"].is_null()) line += " [" + NoteWord(json["ViewPart"].get<std::string>()) + "]";
  if (!control.GetText().empty()) line += " Text=" + JsonText(control.GetText());
  line += " Align=" + EnumIdentifier(control.GetAlign());
  line += " " + BoundsText(control.GetBoundsRect());
  if (!control.GetVisible()) line += " Visible=False";
  for (const auto& note : notes) line += " " + note;
  return line;
}

void AppendText(const TControl& control, const TWbControlOwners& owners, int level, std::ostream& out) {
  CheckDumpLevel(level + 1, "the control " + JsonText(control.GetName()));
  out << std::string(static_cast<size_t>(2 * level), ' ') << TextLine(control, owners) << '\n';
  if (const TWinControl* parent = AsWinControl(control))
    for (int i = 0; i < parent->GetControlCount(); ++i) AppendText(*parent->GetControl(i), owners, level + 1, out);
}

TWbJson ControlJson(const TControl& control, const TWbControlOwners& owners, const TCustomImageList* images,
                    int level) {
  CheckDumpLevel(level, "the control " + JsonText(control.GetName()));
  TWbJson json;
  WriteProperties(control, owners, json, images);
  TWbJson children = TWbJson::array();
  if (const TWinControl* parent = AsWinControl(control))
    for (int i = 0; i < parent->GetControlCount(); ++i)
      children.push_back(ControlJson(*parent->GetControl(i), owners, images, level + 1));
  json["Controls"] = std::move(children);
  return json;
}

// A value dumped with an indent of 2 and moved right by indent blanks: JSON text holds no raw
// line breaks in its strings, so every line break starts a line of the layout.
std::string Indented(const TWbJson& json, size_t indent) {
  const std::string text = JsonText(json, 2);
  std::string moved;
  moved.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    moved += c;
    if (c == '\n') moved.append(indent, ' ');
  }
  return moved;
}

// The node's members, then "Controls" as the whole dump writes it (the last member): "[]" or one
// child per line, each indented two more than the array.
void WriteJsonNode(std::ostream& out, const TControl& control, const TWbControlOwners& owners,
                   const TCustomImageList* images, int level, size_t indent) {
  CheckDumpLevel(level, "the control " + JsonText(control.GetName()));
  TWbJson json;
  WriteProperties(control, owners, json, images);
  json.erase("Controls");
  std::string text = Indented(json, indent);
  text.resize(text.size() - indent - 2);  // the line of the closing brace; a node always has members
  const std::string inner(indent + 2, ' ');
  out << text << ",\n" << inner << "\"Controls\": ";
  const TWinControl* parent = AsWinControl(control);
  if (!parent || parent->GetControlCount() == 0) {
    out << "[]\n" << std::string(indent, ' ') << '}';
    return;
  }
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    out << (i == 0 ? "[\n" : ",\n") << inner << "  ";
    WriteJsonNode(out, *parent->GetControl(i), owners, images, level + 1, indent + 4);
  }
  out << '\n' << inner << "]\n" << std::string(indent, ' ') << '}';
}

}  // namespace

TWbJson ControlTreeJson(const TControl& control, const TWbControlOwners& owners, const TCustomImageList* images) {
  return ControlJson(control, owners, images, 1);
}

TWbJson ControlNodeJson(const TControl& control, const TWbControlOwners& owners, const TCustomImageList* images) {
  TWbJson json;
  WriteProperties(control, owners, json, images);
  return json;
}

void WriteControlTreeJson(std::ostream& out, const TControl& control, const TWbControlOwners& owners,
                          const TCustomImageList* images) {
  WriteJsonNode(out, control, owners, images, 1, 0);
}

std::string ControlTreeText(const TControl& control, const TWbControlOwners& owners) {
  std::ostringstream text;
  AppendText(control, owners, 0, text);
  return text.str();
}

void WriteControlTreeText(std::ostream& out, const TControl& control, const TWbControlOwners& owners) {
  AppendText(control, owners, 0, out);
}
