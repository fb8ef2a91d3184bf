// Toolbars in the control dump: their dockable-window properties and their item tree, where a
// merge into the main toolbar, and its undo, can be read.
#include "WbClassWriters.h"

namespace {

TWbJson NameOrNull(const TControl* control) { return control ? TWbJson(control->GetName()) : TWbJson(); }

TWbJson FontSettingsJson(const TFontSettings& settings) {
  return TWbJson{{"Bold", EnumJson(settings.GetBold())},
                 {"Italic", EnumJson(settings.GetItalic())},
                 {"Underline", EnumJson(settings.GetUnderline())},
                 {"StrikeOut", EnumJson(settings.GetStrikeOut())},
                 {"Size", settings.GetSize()},
                 {"Name", settings.GetName()},
                 {"Color", settings.GetColor()}};
}

TWbJson ItemsJson(const TTBCustomItem& parent, const TCustomImageList* images, int level);

TWbJson ItemJson(const TTBCustomItem& item, const TCustomImageList* images, int level) {
  CheckDumpLevel(level, "the item " + JsonText(item.GetCaption()));
  TWbJson json;
  json["Class"] = item.ClassName();
  json["Caption"] = item.GetCaption();
  json["Hint"] = item.GetHint();
  json["AccessKey"] = AccessKeyJson(ParseAccessKey(item.GetCaption()).Key);
  json["GroupIndex"] = item.GetGroupIndex();
  json["Visible"] = item.GetVisible();
  json["Tag"] = item.GetTag();
  json["Action"] = ActionJson(item.GetAction());
  json["ImageIndex"] = item.GetImageIndex();
  json["ImageFile"] = ImageFileJson(images, item.GetImageIndex());
  json["Bounds"] = BoundsJson(item.GetBounds());
  if (const TTBCustomToolbar* toolbar = item.GetToolbar()) {
    const TTBItemParts parts = toolbar->GetItemParts(item);
    json["Parts"] = {
        {"Image", BoundsJson(parts.Image)}, {"Caption", BoundsJson(parts.Caption)}, {"Arrow", BoundsJson(parts.Arrow)}};
  }
  if (const auto* controlItem = KindCast<TTBControlItem>(&item))
    json["Control"] = NameOrNull(controlItem->GetControl());
  if (const auto* toggle = KindCast<TTBXVisibilityToggleItem>(&item)) {
    json["FontSettings"] = FontSettingsJson(toggle->FontSettings());
    json["Control"] = NameOrNull(toggle->GetControl());
    json["Checked"] = toggle->GetChecked();
  }
  json["Items"] = ItemsJson(item, images, level + 1);
  return json;
}

TWbJson ItemsJson(const TTBCustomItem& parent, const TCustomImageList* images, int level) {
  TWbJson items = TWbJson::array();
  for (int i = 0; i < parent.Count(); ++i) items.push_back(ItemJson(*parent.GetItem(i), images, level));
  return items;
}

// "Save", "|" for a separator, "<Name>" for a control item; "-" after a hidden item; sub-items
// in parentheses.
std::string ItemNote(const TTBCustomItem& item, int level);

std::string ItemsNote(const TTBCustomItem& parent, int level) {
  std::string text;
  for (int i = 0; i < parent.Count(); ++i) text += (i ? " " : "") + ItemNote(*parent.GetItem(i), level);
  return text;
}

std::string ItemNote(const TTBCustomItem& item, int level) {
  CheckDumpLevel(level, "the item " + JsonText(item.GetCaption()));
  std::string text;
  if (item.Kind() == ikSeparator)
    text = "|";
  else if (const auto* controlItem = KindCast<TTBControlItem>(&item))
    text = "<" + (controlItem->GetControl() ? NoteWord(controlItem->GetControl()->GetName()) : "") + ">";
  else
    text = NoteWord(item.GetCaption());
  if (!item.GetVisible()) text += "-";
  if (item.Count() > 0) text += "(" + ItemsNote(item, level + 1) + ")";
  return text;
}

}  // namespace

void WriteToolbar(const TTBCustomToolbar& toolbar, TWbControlProperties& properties) {
  WriteDockableWindow(toolbar, properties);
  properties.Set("Items", ItemsJson(*toolbar.Items(), properties.Images(), 1));
  properties.Note("Items=[" + ItemsNote(*toolbar.Items(), 1) + "]");
}
