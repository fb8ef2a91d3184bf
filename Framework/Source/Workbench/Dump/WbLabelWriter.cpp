// The label's properties in the control dump.
#include "WbClassWriters.h"
#include "WbTextObjectWriter.h"

void WriteLabel(const TTBXCustomLabel& label, TWbControlProperties& properties) {
  properties.Set("Alignment", EnumJson(label.GetAlignment()));
  properties.Set("AutoSize", label.GetAutoSize());
  properties.Set("Underline", label.GetUnderline());
  properties.Set("UnderlineColor", label.GetUnderlineColor());
  properties.Set("Color", label.GetColor());
  properties.Set("Font", FontJson(label.Font()));
  properties.Set("Wrapping", EnumJson(label.GetWrapping()));
  const TWbJson action = ActionJson(label);
  properties.Set("Action", action);
  properties.Set("OnClick", static_cast<bool>(label.OnClick));
  WriteTextLayout(label, properties);

  // The text tree shows what differs from a plain label.
  if (label.GetAlignment() != taLeftJustify) properties.Note("Alignment=" + EnumIdentifier(label.GetAlignment()));
  if (!label.GetAutoSize()) properties.Note("AutoSize=False");
  if (label.GetUnderline()) properties.Note("Underline=True");
  if (label.GetWrapping() != twNone) properties.Note("Wrapping=" + EnumIdentifier(label.GetWrapping()));
  if (!action.is_null()) properties.Note("Action=" + NoteWord(action.get<std::string>()));
}
