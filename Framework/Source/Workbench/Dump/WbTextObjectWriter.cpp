#include "WbTextObjectWriter.h"

void WriteTextLayout(const TTBXTextObject& control, TWbControlProperties& properties) {
  properties.Set("TextRect", BoundsJson(control.GetTextRect()));
  properties.Set("Lines", control.GetTextLines());
}

void WriteTextObject(const TTBXTextObject& control, TWbControlProperties& properties) {
  properties.Set("Alignment", EnumJson(control.GetAlignment()));
  properties.Set("AutoSize", control.GetAutoSize());
  properties.Set("Color", control.GetColor());
  properties.Set("Font", FontJson(control.Font()));
  properties.Set("Wrapping", EnumJson(control.GetWrapping()));
  const TWbJson action = ActionJson(control);
  properties.Set("Action", action);
  properties.Set("OnClick", static_cast<bool>(control.OnClick));
  properties.Set("AccessKey", AccessKeyJson(control.GetAccessKey()));
  WriteTextLayout(control, properties);

  if (control.GetAlignment() != taLeftJustify) properties.Note("Alignment=" + EnumIdentifier(control.GetAlignment()));
  if (!control.GetAutoSize()) properties.Note("AutoSize=False");
  if (control.GetWrapping() != twNone) properties.Note("Wrapping=" + EnumIdentifier(control.GetWrapping()));
  if (!action.is_null()) properties.Note("Action=" + NoteWord(action.get<std::string>()));
}
