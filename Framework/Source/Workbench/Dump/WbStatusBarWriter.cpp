// The status bar's properties in the control dump: its mode, its simple text and its panels.
#include "WbClassWriters.h"

namespace {

// The members below, counted: a bar of many panels holds this many for each, without the slack
// of a growing vector.
constexpr std::size_t KPanelMembers = 18;

TWbJson PanelJson(const TTBXStatusPanel& panel, const TCustomImageList* images) {
  TWbJson json = TWbJson::object();
  json.get_ref<TWbJson::object_t&>().reserve(KPanelMembers);
  json["Class"] = panel.ClassName();
  json["ID"] = panel.GetDisplayName();
  json["Caption"] = panel.GetCaption();
  json["Alignment"] = EnumJson(panel.GetAlignment());
  json["Framed"] = panel.GetFramed();
  json["Hint"] = panel.GetHint();
  json["Size"] = panel.GetSize();
  json["MaxSize"] = panel.GetMaxSize();
  json["StretchPriority"] = panel.GetStretchPriority();
  json["TextTruncation"] = TextTruncationTypeInfo().Identifier(panel.GetTextTruncation());
  json["ImageIndex"] = panel.GetImageIndex();
  json["ImageFile"] = ImageFileJson(images, panel.GetImageIndex());
  json["Bounds"] = BoundsJson(panel.GetBounds());
  json["ContentRect"] = BoundsJson(panel.GetContentRect());
  json["ImageRect"] = BoundsJson(panel.GetImageRect());
  json["TextRect"] = BoundsJson(panel.GetTextRect());
  json["DisplayText"] = panel.GetDisplayText();
  const TControl* control = panel.GetControl();
  json["Control"] = control ? TWbJson(control->GetName()) : TWbJson(nullptr);
  return json;
}

// "Pos:80" for a panel with ID and size 80, "#1:50" for the second panel without ID.
std::string PanelNote(const TTBXStatusPanel& panel) {
  std::string id = panel.GetDisplayName();
  return (id.empty() ? "#" + std::to_string(panel.GetIndex()) : NoteWord(id)) + ":" + std::to_string(panel.GetSize());
}

}  // namespace

void WriteStatusBar(const TTBXCustomStatusBar& bar, TWbControlProperties& properties) {
  properties.Set("SizeGrip", bar.GetSizeGrip());
  properties.Set("Images", bar.GetImages() != nullptr);
  properties.Set("SimplePanel", bar.GetSimplePanel());
  properties.Set("SimpleText", bar.GetSimpleText());
  TWbJson panels = TWbJson::array();
  std::string notes;
  if (!properties.NotesOnly()) panels.get_ref<TWbJson::array_t&>().reserve(bar.Panels().Items().size());
  for (int i = 0; i < bar.Panels().Count(); ++i) {
    if (!properties.NotesOnly()) panels.push_back(PanelJson(*bar.Panels().GetItem(i), bar.GetImages()));
    notes += (i ? "," : "") + PanelNote(*bar.Panels().GetItem(i));
  }
  properties.Set("Panels", std::move(panels));
  properties.Set("SizeGripRect", BoundsJson(bar.GetSizeGripRect()));
  properties.Set("SimpleTextRect", BoundsJson(bar.GetSimpleTextRect()));

  if (!bar.GetSizeGrip()) properties.Note("SizeGrip=False");
  if (bar.GetSimplePanel())
    properties.Note("SimpleText=" + JsonText(bar.GetSimpleText()));
  else
    properties.Note("Panels=[" + notes + "]");
}
