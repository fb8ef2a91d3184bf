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

// The JSON text gathered in pieces of about 64 KiB before it goes to the stream: a stream write
// per token costs more than the dump itself.
class TJsonOut {
 public:
  explicit TJsonOut(std::ostream& out) : FOut(out) { FText.reserve(KChunk + 4096); }
  TJsonOut(const TJsonOut&) = delete;
  TJsonOut& operator=(const TJsonOut&) = delete;
  ~TJsonOut() { Flush(); }

  TJsonOut& operator<<(std::string_view text) {
    FText += text;
    return *this;
  }
  TJsonOut& operator<<(char c) {
    FText += c;
    return *this;
  }
  void Blanks(size_t count) { FText.append(count, ' '); }
  // Called between members and elements.
  void Next() {
    if (FText.size() >= KChunk) Flush();
  }
  void Flush() {
    FOut.write(FText.data(), static_cast<std::streamsize>(FText.size()));
    FText.clear();
  }

 private:
  static constexpr size_t KChunk = 64 * 1024;
  std::ostream& FOut;
  std::string FText;
};

void WritePretty(TJsonOut& out, const TWbJson& json, size_t indent);

// "[", then each of count elements on a line of its own at indent + 2, then "]" on a line at
// indent; "[]" when there are none.
template <class TWriteElement>
void WriteArray(TJsonOut& out, size_t count, size_t indent, TWriteElement&& writeElement) {
  if (count == 0) {
    out << "[]";
    return;
  }
  out << '[';
  for (size_t i = 0; i < count; ++i) {
    out << (i == 0 ? "\n" : ",\n");
    out.Blanks(indent + 2);
    writeElement(i);
    out.Next();
  }
  out << '\n';
  out.Blanks(indent);
  out << ']';
}

// "{" and the object's members, one per line at indent + 2, without the closing line.
void WriteMembers(TJsonOut& out, const TWbJson& object, size_t indent) {
  out << '{';
  const char* separator = "\n";
  for (const auto& member : object.items()) {
    out << separator;
    separator = ",\n";
    out.Blanks(indent + 2);
    out << JsonText(TWbJson(member.key())) << ": ";
    WritePretty(out, member.value(), indent + 2);
    out.Next();
  }
}

// The closing line of an object whose members WriteMembers wrote.
void CloseObject(TJsonOut& out, size_t indent) {
  out << '\n';
  out.Blanks(indent);
  out << '}';
}

// JsonText(json, 2) moved right by indent blanks, written piece by piece in nlohmann's own layout:
// a container member by member, so that no large value is ever held as text.
void WritePretty(TJsonOut& out, const TWbJson& json, size_t indent) {
  if (json.is_object() && !json.empty()) {
    WriteMembers(out, json, indent);
    CloseObject(out, indent);
  } else if (json.is_array()) {
    WriteArray(out, json.size(), indent, [&](size_t i) { WritePretty(out, json[i], indent + 2); });
  } else {
    out << JsonText(json);  // a scalar or an empty object reads the same on one line
  }
}

// The node's members, then "Controls" as the whole dump writes it (the last member).
void WriteJsonNode(TJsonOut& out, const TControl& control, const TWbControlOwners& owners,
                   const TCustomImageList* images, int level, size_t indent) {
  CheckDumpLevel(level, "the control " + JsonText(control.GetName()));
  TWbJson json;
  WriteProperties(control, owners, json, images);
  WriteMembers(out, json, indent);
  out << ",\n";
  out.Blanks(indent + 2);
  out << "\"Controls\": ";
  const TWinControl* parent = AsWinControl(control);
  WriteArray(out, parent ? static_cast<size_t>(parent->GetControlCount()) : 0, indent + 2, [&](size_t i) {
    WriteJsonNode(out, *parent->GetControl(static_cast<int>(i)), owners, images, level + 1, indent + 4);
  });
  CloseObject(out, indent);
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
  TJsonOut json(out);
  WriteJsonNode(json, control, owners, images, 1, 0);
}

std::string ControlTreeText(const TControl& control, const TWbControlOwners& owners) {
  std::ostringstream text;
  AppendText(control, owners, 0, text);
  return text.str();
}

void WriteControlTreeText(std::ostream& out, const TControl& control, const TWbControlOwners& owners) {
  AppendText(control, owners, 0, out);
}
