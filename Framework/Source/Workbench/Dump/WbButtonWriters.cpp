// The radio button's and the check box's properties in the control dump.
#include "WbClassWriters.h"
#include "WbTextObjectWriter.h"

void WriteRadioButton(const TTBXCustomRadioButton& button, TWbControlProperties& properties) {
  WriteTextObject(button, properties);
  properties.Set("GroupIndex", button.GetGroupIndex());
  properties.Set("Checked", button.GetChecked());
  properties.Set("OnChange", static_cast<bool>(button.OnChange));
  properties.Set("GlyphRect", BoundsJson(button.GetGlyphRect()));
  if (button.GetGroupIndex() != 0) properties.Note("GroupIndex=" + std::to_string(button.GetGroupIndex()));
  if (button.GetChecked()) properties.Note("Checked=True");
}

void WriteCheckBox(const TTBXCustomCheckBox& box, TWbControlProperties& properties) {
  WriteTextObject(box, properties);
  properties.Set("AllowGrayed", box.GetAllowGrayed());
  properties.Set("Checked", box.GetChecked());
  properties.Set("State", EnumJson(box.GetState()));
  properties.Set("OnChange", static_cast<bool>(box.OnChange));
  properties.Set("GlyphRect", BoundsJson(box.GetGlyphRect()));
  if (box.GetAllowGrayed()) properties.Note("AllowGrayed=True");
  if (box.GetState() != cbUnchecked) properties.Note("State=" + EnumIdentifier(box.GetState()));
}
