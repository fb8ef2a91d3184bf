#include "WbDump.h"

#include "WbControlWriters.h"

namespace {

TWbJson OwnerJson(const TControl& control, const TWbControlOwners& owners) {
  auto it = owners.find(&control);
  return it == owners.end() ? TWbJson() : TWbJson(it->second);
}

// The common properties, then the class's own; the notes are for the text tree.
std::vector<std::string> WriteProperties(const TControl& control, const TWbControlOwners& owners, TWbJson& json,
                                         const TCustomImageList* images = nullptr) {
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
  TWbControlProperties properties(json, images);
  TWbControlWriters::Write(control, properties);
  return properties.Notes();
}

const TWinControl* AsWinControl(const TControl& control) { return KindCast<TWinControl>(&control); }

std::string TextLine(const TControl& control, const TWbControlOwners& owners) {
  TWbJson json;
  const auto notes = WriteProperties(control, owners, json);
  std::string line = control.ClassName() + " " + JsonText(control.GetName());
  if (!json["ViewPart"].is_null()) line += " [" + NoteWord(json["ViewPart"].get<std::string>()) + "]";
  if (!control.GetText().empty()) line += " Text=" + JsonText(control.GetText());
  line += " Align=" + EnumIdentifier(control.GetAlign());
  line += " " + BoundsText(control.GetBoundsRect());
  if (!control.GetVisible()) line += " Visible=False";
  for (const auto& note : notes) line += " " + note;
  return line;
}

void AppendText(const TControl& control, const TWbControlOwners& owners, int level, std::string& text) {
  CheckDumpLevel(level + 1, "the control " + JsonText(control.GetName()));
  text += std::string(static_cast<size_t>(2 * level), ' ') + TextLine(control, owners) + "\n";
  if (const TWinControl* parent = AsWinControl(control))
    for (int i = 0; i < parent->GetControlCount(); ++i) AppendText(*parent->GetControl(i), owners, level + 1, text);
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

}  // namespace

TWbJson ControlTreeJson(const TControl& control, const TWbControlOwners& owners, const TCustomImageList* images) {
  return ControlJson(control, owners, images, 1);
}

std::string ControlTreeText(const TControl& control, const TWbControlOwners& owners) {
  std::string text;
  AppendText(control, owners, 0, text);
  return text;
}
