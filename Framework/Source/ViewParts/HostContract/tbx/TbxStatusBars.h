/// @file
/// TBX status bar: a simple text or a row of panels, each with a caption, an image and a control.
#pragma once
#pragma GCC visibility push(default)

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "TbxControls.h"
#include "TbxTextObjects.h"

/// How a panel cuts a text that does not fit: the subrange twNone..twPathEllipsis of
/// TTextWrapping. The enumerators are TTextWrapping's, so the type has its own type information,
/// which lists only the three, for configuration and dumps.
using TTextTruncation = TTextWrapping;
const TEnumTypeInfo& TextTruncationTypeInfo();

class TTBXCustomStatusBar;
class TTBXStatusPanels;

/// One panel of a status bar. It is made for one collection, which owns it once the panel is added
/// (TTBXStatusPanels::Add); destroying it takes it out.
class TTBXStatusPanel : public TObject {
 public:
  explicit TTBXStatusPanel(TTBXStatusPanels* collection);
  ~TTBXStatusPanel() override;

  TTBXStatusPanels* GetCollection() const { return FCollection; }
  int GetIndex() const;
  /// What lists and dumps call the panel; a plain panel has no name.
  virtual std::string GetDisplayName() const;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  bool GetFramed() const { return FFramed; }
  void SetFramed(bool framed);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  /// Size 0 or less gives the panel no width.
  int GetSize() const { return FSize; }
  void SetSize(int size);
  /// 0: no limit to what stretching adds.
  int GetMaxSize() const { return FMaxSize; }
  void SetMaxSize(int maxSize);
  /// The panel's share, in percent, of the width that the panels leave free; 0 to 100, anything
  /// else raises.
  int GetStretchPriority() const { return FStretchPriority; }
  void SetStretchPriority(int priority);
  TTextTruncation GetTextTruncation() const { return FTextTruncation; }
  void SetTextTruncation(TTextTruncation truncation);  ///< twWrap raises
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);

  /// Where the panel stands on its bar, in the bar's coordinates; empty while the bar shows its
  /// simple text.
  TRect GetBounds() const { return FBounds; }
  /// Inside the frame: where the image, the caption and the panel's control go.
  TRect GetContentRect() const;
  /// The image at the left of the content, when the bar's images hold the image index.
  TRect GetImageRect() const;
  /// The caption after the image, drawn with the panel's alignment and truncation.
  TRect GetTextRect() const;
  /// The caption as it is drawn: shortened with an ellipsis where it does not fit, when the
  /// truncation asks for one.
  std::string GetDisplayText() const;

  /// The control shown in the panel (not owned); forgotten when it is destroyed. Setting a control
  /// parents it to the status bar; a control that contains the status bar raises.
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* control);

 private:
  void Changed();

  TTBXStatusPanels* FCollection;
  std::string FCaption, FHint;
  TAlignment FAlignment = taLeftJustify;
  bool FFramed = true;
  int FSize = 50;
  int FMaxSize = 0;
  int FStretchPriority = 0;
  TTextTruncation FTextTruncation = twNone;
  int FImageIndex = -1;
  TGuard<TControl> FControl;
  TRect FBounds;
  friend class TTBXCustomStatusBar;
};

/// The panels of a status bar, in display order. Owns them.
class TTBXStatusPanels {
 public:
  explicit TTBXStatusPanels(TTBXCustomStatusBar& statusBar) : FStatusBar(statusBar) {}
  TTBXStatusPanels(const TTBXStatusPanels&) = delete;
  TTBXStatusPanels& operator=(const TTBXStatusPanels&) = delete;
  ~TTBXStatusPanels();

  TTBXCustomStatusBar& GetStatusBar() const { return FStatusBar; }
  int Count() const { return static_cast<int>(FItems.size()); }
  /// Raises when out of range.
  TTBXStatusPanel* GetItem(int index) const {
    if (index < 0 || index >= Count()) OutOfRange(index);
    return FItems[static_cast<std::size_t>(index)];
  }
  int IndexOf(const TTBXStatusPanel* panel) const;
  std::span<TTBXStatusPanel* const> Items() const { return FItems; }
  /// A new plain panel, appended.
  TTBXStatusPanel* Add();
  /// Appends a panel made for this collection (a subclass's, built apart) and returns it.
  template <class T>
  T* Add(std::unique_ptr<T> panel) {
    T* added = panel.get();
    Attach(std::move(panel));
    return added;
  }
  /// Destroys the panels, first to last.
  void Clear();

 private:
  friend class TTBXStatusPanel;
  [[noreturn]] void OutOfRange(int index) const;
  void Attach(std::unique_ptr<TTBXStatusPanel> panel);
  void Detach(TTBXStatusPanel* panel);
  void Changed();

  TTBXCustomStatusBar& FStatusBar;
  // Owned: each panel takes itself out as it is destroyed, by its collection or by anyone else.
  std::vector<TTBXStatusPanel*> FItems;
};

using TTBXStatusPanelEvent = std::function<void(TObject* sender, TTBXStatusPanel* panel)>;

/// A status bar aligned to the bottom of its parent. With SimplePanel it shows SimpleText alone;
/// otherwise its panels stand left to right, and the width they leave free (less the size grip)
/// goes to them by stretch priority. A panel's control fills its panel.
class TTBXCustomStatusBar : public TWinControl {
 public:
  explicit TTBXCustomStatusBar(TComponent* owner);
  ~TTBXCustomStatusBar() override;
  static constexpr TControlKind ClassKind = ckStatusBar;
  TControlKind Kind() const override { return ClassKind; }

  static constexpr int SizeGripWidth = 16;

  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool sizeGrip);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool simplePanel);
  const std::string& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& text);

  /// As tall as a line of its font or an image, whichever is taller, with padding.
  bool GetAutoSizing() const override { return true; }
  TSize GetPreferredSize(int maxWidth = KNoWidthLimit) const override;
  /// The size grip at the right end, in the bar's coordinates; empty without one.
  TRect GetSizeGripRect() const;
  /// Where the simple text is drawn.
  TRect GetSimpleTextRect() const;
  /// The index of the panel at point (bar coordinates), or -1.
  int PanelAt(TPoint point) const;

  TTBXStatusPanels& Panels() { return FPanels; }
  const TTBXStatusPanels& Panels() const { return FPanels; }

  /// Brackets a batch of panel changes; the panels are laid out once, at the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool IsUpdating() const { return FUpdateCount > 0; }

  void AlignControls() override;

  TTBXStatusPanelEvent OnPanelClick;
  TTBXStatusPanelEvent OnPanelDblClick;
  /// The user clicks or double-clicks the panel at index. Panels take no clicks while the bar
  /// shows its simple text; an index out of range raises.
  void PanelClick(int index);
  void PanelDblClick(int index);

 private:
  friend class TTBXStatusPanels;
  friend class TTBXStatusPanel;
  void PanelsChanged();
  void ArrangePanels();
  int SizeGripWidthNow() const { return FSizeGrip ? std::min(SizeGripWidth, GetWidth()) : 0; }
  void Repaint();
  bool PlacesChild(const TControl& child) const override;
  void ChildChanged(TControl& child) override;
  TTBXStatusPanel* ClickedPanel(int index) const;

  TTBXStatusPanels FPanels{*this};
  bool FSizeGrip = true;
  TGuard<TCustomImageList> FImages;
  bool FSimplePanel = false;
  std::string FSimpleText;
  int FUpdateCount = 0;
};

class TTBXStatusBar : public TTBXCustomStatusBar {
 public:
  explicit TTBXStatusBar(TComponent* owner);
  ~TTBXStatusBar() override;
};

#pragma GCC visibility pop
