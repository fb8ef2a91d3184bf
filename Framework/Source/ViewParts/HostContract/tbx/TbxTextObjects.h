/// @file
/// TBX text controls: the text object, the label, the radio button, the check box and the link.
#pragma once
#pragma GCC visibility push(default)

#include <string>
#include <vector>

#include "TbxControls.h"

KOL_ENUM(TTextWrapping, twNone, twEndEllipsis, twPathEllipsis, twWrap)
KOL_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

/// A windowed control that draws a text with an alignment and wrapping, after an optional glyph
/// or image. With AutoSize on it keeps its width and height fitted to its text (in the dimensions
/// its alignment leaves free); with twWrap the text wraps at the width it is given.
class TTBXTextObject : public TWinControl {
 public:
  explicit TTBXTextObject(TComponent* owner);
  ~TTBXTextObject() override;
  static constexpr TControlKind ClassKind = ckTextObject;
  TControlKind Kind() const override { return ClassKind; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TTextWrapping GetWrapping() const { return FWrapping; }
  void SetWrapping(TTextWrapping wrapping);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);

  bool GetAutoSizing() const override { return FAutoSize; }
  TSize GetPreferredSize(int maxWidth = KNoWidthLimit) const override;
  /// Where the text lines are drawn, in the control's coordinates: after the glyph or image,
  /// vertically centred on it.
  TRect GetTextRect() const;
  /// The text as it is drawn: broken into lines (twWrap), shortened with an ellipsis where it does
  /// not fit (twEndEllipsis, twPathEllipsis), one line per line break otherwise.
  std::vector<std::string> GetTextLines() const;
  /// The text as shown: without the access-key markers of the controls that take them (check
  /// boxes, radio buttons and links); a label shows its text as it is.
  const std::string& GetDisplayText() const { return FShowsAccessKey ? FDisplayText : GetText(); }
  /// The key that Alt reaches the control with, or vkNone.
  TKey GetAccessKey() const;

 protected:
  /// The control's text marks an access key with `&` (set once, by the constructor).
  void ShowAccessKey() { FShowsAccessKey = true; }
  void TextChanged() override;
  /// The glyph or image drawn before the text: its width with the gap after it, and its height.
  virtual TSize LeadingSize() const { return {}; }
  /// The glyph or image, vertically centred at the left edge; empty when there is none.
  TRect LeadingRect(TSize size) const;
  void Changed();

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextWrapping FWrapping = twNone;
  bool FAutoSize = true;
  bool FShowsAccessKey = false;
  std::string FDisplayText;
};

class TTBXCustomLabel : public TTBXTextObject {
 public:
  explicit TTBXCustomLabel(TComponent* owner);
  ~TTBXCustomLabel() override;
  static constexpr TControlKind ClassKind = ckLabel;
  TControlKind Kind() const override { return ClassKind; }
  bool GetUnderline() const { return FUnderline; }
  void SetUnderline(bool underline);
  TColor GetUnderlineColor() const { return FUnderlineColor; }
  void SetUnderlineColor(TColor color);

 private:
  bool FUnderline = false;
  TColor FUnderlineColor = clBtnShadow;
};

class TTBXLabel : public TTBXCustomLabel {
 public:
  explicit TTBXLabel(TComponent* owner);
  ~TTBXLabel() override;
};

// Radio buttons and check boxes raise OnChange once for each real change of their state, after
// the change, whatever made it: a user's click, a setter, or (radio buttons) a sibling being
// checked. Writing the current state raises nothing. A radio button that is checked turns its
// checked siblings off first, so every OnChange handler sees the group with one button checked;
// a change that one of those handlers undoes before it is reported is not reported.

/// A radio button is one of a group: the radio buttons of the same parent with the same
/// GroupIndex. Checking one unchecks the others; moving a checked button into a group changes
/// nobody's state.
class TTBXCustomRadioButton : public TTBXTextObject {
 public:
  explicit TTBXCustomRadioButton(TComponent* owner);
  ~TTBXCustomRadioButton() override;
  static constexpr TControlKind ClassKind = ckRadioButton;
  TControlKind Kind() const override { return ClassKind; }
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int groupIndex);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool checked);
  void SetParent(TWinControl* parent) override;
  /// A user's click: checks the button, then runs OnClick or the action.
  void Click() override;
  /// The circle, in the control's coordinates.
  TRect GetGlyphRect() const;
  /// Space clicks; the arrows move the focus and the choice to the next or previous button of the
  /// group that can take the focus (round the end), clicking it.
  bool KeyDown(TKey key, TShiftState shift) override;
  /// Of the group, the buttons that can take the focus, in child order.
  std::vector<TTBXCustomRadioButton*> GroupButtons() const;

  TNotifyEvent OnChange;

 protected:
  TSize LeadingSize() const override;

 private:
  void UncheckSiblings();
  // The checked buttons are listed by parent and group: checking one finds the others without
  // walking every child of the parent.
  void List();
  void Unlist();

  int FGroupIndex = 0;
  bool FChecked = false;
};

class TTBXRadioButton : public TTBXCustomRadioButton {
 public:
  explicit TTBXRadioButton(TComponent* owner);
  ~TTBXRadioButton() override;
};

/// A check box with three states. AllowGrayed limits only what a user's click reaches; SetState
/// takes the grayed state in any case.
class TTBXCustomCheckBox : public TTBXTextObject {
 public:
  explicit TTBXCustomCheckBox(TComponent* owner);
  ~TTBXCustomCheckBox() override;
  static constexpr TControlKind ClassKind = ckCheckBox;
  TControlKind Kind() const override { return ClassKind; }
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool allowGrayed) { FAllowGrayed = allowGrayed; }
  /// Checked is the state cbChecked; setting it gives cbChecked or cbUnchecked (also from grayed).
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool checked);
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState state);
  /// A user's click: unchecked, checked, grayed (only with AllowGrayed), unchecked again; then
  /// runs OnClick or the action.
  void Click() override;
  /// The box, in the control's coordinates.
  TRect GetGlyphRect() const;
  /// Space clicks.
  bool KeyDown(TKey key, TShiftState shift) override;

  TNotifyEvent OnChange;

 protected:
  TSize LeadingSize() const override;

 private:
  TCheckBoxState NextState() const;

  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
};

class TTBXCheckBox : public TTBXCustomCheckBox {
 public:
  explicit TTBXCheckBox(TComponent* owner);
  ~TTBXCheckBox() override;
};

/// A hyperlink-style text with an optional image from an image list that it does not own.
class TTBXCustomLink : public TTBXTextObject {
 public:
  explicit TTBXCustomLink(TComponent* owner);
  ~TTBXCustomLink() override;
  static constexpr TControlKind ClassKind = ckLink;
  TControlKind Kind() const override { return ClassKind; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int imageIndex);
  /// Whether an image shows: an image list that holds the image index.
  bool HasImage() const;
  /// The image, in the control's coordinates; empty without one.
  TRect GetImageRect() const;
  /// Enter or Space follows the link: a click.
  bool KeyDown(TKey key, TShiftState shift) override;

 protected:
  TSize LeadingSize() const override;

 private:
  TGuard<TCustomImageList> FImages;
  int FImageIndex = -1;
};

class TTBXLink : public TTBXCustomLink {
 public:
  explicit TTBXLink(TComponent* owner);
  ~TTBXLink() override;
};

#pragma GCC visibility pop
