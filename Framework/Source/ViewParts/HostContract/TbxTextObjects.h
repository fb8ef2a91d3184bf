// TBX text controls: the text object and the label.
#pragma once
#pragma GCC visibility push(default)

#include "TbxControls.h"

KOL_ENUM(TTextWrapping, twNone, twEndEllipsis, twPathEllipsis, twWrap)

// A windowed control that draws a text with an alignment and wrapping. With AutoSize on it keeps
// its width and height fitted to its text.
class TTBXTextObject : public TWinControl {
 public:
  explicit TTBXTextObject(TComponent* owner);
  ~TTBXTextObject() override;
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment) { FAlignment = alignment; }
  TTextWrapping GetWrapping() const { return FWrapping; }
  void SetWrapping(TTextWrapping wrapping) { FWrapping = wrapping; }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);

 protected:
  void TextChanged() override;
  void AdjustSize();

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextWrapping FWrapping = twNone;
  bool FAutoSize = true;
};

class TTBXCustomLabel : public TTBXTextObject {
 public:
  explicit TTBXCustomLabel(TComponent* owner);
  ~TTBXCustomLabel() override;
  bool GetUnderline() const { return FUnderline; }
  void SetUnderline(bool underline) { FUnderline = underline; }
  TColor GetUnderlineColor() const { return FUnderlineColor; }
  void SetUnderlineColor(TColor color) { FUnderlineColor = color; }

 private:
  bool FUnderline = false;
  TColor FUnderlineColor = clBtnShadow;
};

class TTBXLabel : public TTBXCustomLabel {
 public:
  explicit TTBXLabel(TComponent* owner);
  ~TTBXLabel() override;
};

#pragma GCC visibility pop
