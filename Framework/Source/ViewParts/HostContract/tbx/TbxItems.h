/// @file
/// Toolbar2000/TBX items: the item tree of toolbars and menus.
#pragma once
#pragma GCC visibility push(default)

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "TbxControls.h"

class TTBCustomToolbar;
class TFontSettings;

/// What kind of item an item is, as TControlKind tells controls apart: a plain item (a button on a
/// toolbar, an entry in a menu), a submenu, a separator, a control item or a visibility toggle.
/// Every kind is also a plain item's; a subclass that brings no kind answers its base's.
KOL_ENUM(TItemKind, ikItem, ikSubmenu, ikSeparator, ikControl, ikVisibilityToggle)

constexpr bool IsKindOf(TItemKind kind, TItemKind base) { return kind == base || base == ikItem; }

/// An item of a toolbar's item tree. Its sub-items are its contents: destroying an item destroys
/// its sub-items and takes the item out of its parent item. Ownership (TComponent) is separate:
/// an owner destroys the items it owns wherever they stand in a tree.
class TTBCustomItem : public TComponent {
 public:
  explicit TTBCustomItem(TComponent* owner);
  ~TTBCustomItem() override;  // NOLINT(bugprone-exception-escape): raises only on a corrupted tree

  /// The item's kind (see TItemKind); KindCast reads it. A toolbar lays an item out by its kind,
  /// and asks it again and again: each kind answers for itself, cheaper than a type test.
  static constexpr TItemKind ClassKind = ikItem;
  virtual TItemKind Kind() const { return ClassKind; }

  /// Sub-items, in order.
  int Count() const { return static_cast<int>(FItems.size()); }
  TTBCustomItem* GetItem(int index) const;
  int IndexOf(const TTBCustomItem* item) const;
  TTBCustomItem* GetParent() const { return FParent; }
  /// An item stands in at most one parent: inserting an item that has one raises.
  void Insert(int index, TTBCustomItem* item);
  void Add(TTBCustomItem* item) { Insert(Count(), item); }
  /// Takes an item built apart as a content of this one and returns it; destroying this item
  /// destroys it. Raises as Insert does, and the item then goes.
  template <class T>
  T* Insert(int index, std::unique_ptr<T> item) {
    Insert(index, static_cast<TTBCustomItem*>(item.get()));
    return item.release();
  }
  template <class T>
  T* Add(std::unique_ptr<T> item) {
    return Insert(Count(), std::move(item));
  }
  /// Takes the item out without destroying it.
  void Remove(TTBCustomItem* item);
  /// Takes the item at index out and destroys it.
  void Delete(int index);
  void Clear();

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int groupIndex) { FGroupIndex = groupIndex; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool visible);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);

  /// Where the item stands on its toolbar, in the toolbar's coordinates. Only a toolbar's
  /// top-level items that show have bounds; sub-items show in a menu, not on the toolbar.
  TRect GetBounds() const { return FBounds; }

  /// The action that handles clicks (not owned); the item follows its caption, hint, enabled,
  /// visible state and image index.
  TBasicAction* GetAction() const { return FActionLink.GetAction(); }
  void SetAction(TBasicAction* action) { FActionLink.SetAction(action); }

  /// The toolbar whose tree holds this item, or nil.
  TTBCustomToolbar* GetToolbar() const;

  TNotifyEvent OnClick;
  /// Runs OnClick when it is assigned, otherwise the action.
  virtual void Click();

 protected:
  virtual void ActionChange(TBasicAction* action);
  /// The root item of a toolbar answers its toolbar.
  virtual TTBCustomToolbar* RootToolbar() const { return nullptr; }
  /// Something that the toolbar measures or draws changed: it lays its items out anew.
  void Changed();
  virtual void VisibleChanged() {}
  /// The item leaves the tree of toolbar (it is removed or destroyed).
  virtual void LeavingToolbar(TTBCustomToolbar* /*toolbar*/) {}
  /// The item's own font settings over the toolbar's font, when it has any.
  virtual const TFontSettings* OwnFontSettings() const { return nullptr; }

 private:
  friend class TTBCustomToolbar;
  std::vector<TTBCustomItem*> FItems;
  TTBCustomItem* FParent = nullptr;
  std::string FCaption, FHint;
  int FGroupIndex = 0;
  bool FVisible = true;
  bool FEnabled = true;
  int FImageIndex = -1;
  TRect FBounds;
  TActionLink FActionLink{this, [this](TBasicAction* action) { ActionChange(action); }};
};

/// The root of a toolbar's item tree.
class TTBRootItem : public TTBCustomItem {
 public:
  TTBRootItem(TComponent* owner, TTBCustomToolbar* toolbar);
  ~TTBRootItem() override;

 protected:
  TTBCustomToolbar* RootToolbar() const override { return FToolbar; }

 private:
  TTBCustomToolbar* FToolbar;
};

KOL_ENUM(TTriState, tsDefault, tsTrue, tsFalse)

/// Per-item overrides of the toolbar font: each style either follows the toolbar's font (Default)
/// or is set on or off; Size is a percentage of the normal size.
class TFontSettings : public TObject {
 public:
  static constexpr int MinSize = 25;
  static constexpr int MaxSize = 1000;
  TFontSettings();
  ~TFontSettings() override;
  TTriState GetBold() const { return FBold; }
  void SetBold(TTriState value);
  TTriState GetItalic() const { return FItalic; }
  void SetItalic(TTriState value);
  TTriState GetUnderline() const { return FUnderline; }
  void SetUnderline(TTriState value);
  TTriState GetStrikeOut() const { return FStrikeOut; }
  void SetStrikeOut(TTriState value);
  int GetSize() const { return FSize; }
  /// Raises for a size outside MinSize..MaxSize.
  void SetSize(int percent);
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& name);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor color);
  /// Sets font to that of an item with these settings on a toolbar whose font is base.
  void Apply(const TFont& base, TFont& font) const;

  /// Raised after every change.
  std::function<void()> OnChange;

 private:
  void Changed();
  TTriState FBold = tsDefault, FItalic = tsDefault, FUnderline = tsDefault, FStrikeOut = tsDefault;
  int FSize = 100;
  std::string FName;
  TColor FColor = clDefault;
};

class TTBXCustomItem : public TTBCustomItem {
 public:
  explicit TTBXCustomItem(TComponent* owner);
  ~TTBXCustomItem() override;
  TFontSettings& FontSettings() { return FFontSettings; }
  const TFontSettings& FontSettings() const { return FFontSettings; }

 protected:
  const TFontSettings* OwnFontSettings() const override { return &FFontSettings; }

 private:
  TFontSettings FFontSettings;
};

/// A button that shows and hides its Control: a click flips the control's visibility, then runs
/// the item's own click. The control is not owned and is forgotten when it is destroyed.
class TTBXVisibilityToggleItem : public TTBXCustomItem {
 public:
  using TTBXCustomItem::TTBXCustomItem;
  ~TTBXVisibilityToggleItem() override;
  static constexpr TItemKind ClassKind = ikVisibilityToggle;
  TItemKind Kind() const override { return ClassKind; }
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* control) { FControl = control; }
  /// Checked while the control shows.
  bool GetChecked() const { return FControl && FControl->GetVisible(); }
  void Click() override;

 private:
  TGuard<TControl> FControl;
};

class TTBXItem : public TTBXCustomItem {
 public:
  using TTBXCustomItem::TTBXCustomItem;
  ~TTBXItem() override;
};

class TTBXSubmenuItem : public TTBXCustomItem {
 public:
  using TTBXCustomItem::TTBXCustomItem;
  ~TTBXSubmenuItem() override;
  static constexpr TItemKind ClassKind = ikSubmenu;
  TItemKind Kind() const override { return ClassKind; }
};

class TTBXSeparatorItem : public TTBCustomItem {
 public:
  using TTBCustomItem::TTBCustomItem;
  ~TTBXSeparatorItem() override;
  static constexpr TItemKind ClassKind = ikSeparator;
  TItemKind Kind() const override { return ClassKind; }
};

/// An item that shows a control on the toolbar. It refers to the control without owning it and
/// forgets it when the control is destroyed. The toolbar that shows the item holds the control
/// as its child; when the item leaves that toolbar, the control leaves it too.
class TTBControlItem : public TTBCustomItem {
 public:
  TTBControlItem(TComponent* owner, TControl* control);
  ~TTBControlItem() override;
  static constexpr TItemKind ClassKind = ikControl;
  TItemKind Kind() const override { return ClassKind; }
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* control);

 protected:
  /// The control shows while its item does.
  void VisibleChanged() override;
  void LeavingToolbar(TTBCustomToolbar* toolbar) override;

 private:
  TGuard<TControl> FControl;
};

/// The item as a T, or nil, from its kind alone (see KindCast of a control).
template <class T>
T* KindCast(TTBCustomItem* item) {
  static_assert(std::is_same_v<decltype(&T::Kind), TItemKind (T::*)() const>, "T brings no kind of its own");
  return item && IsKindOf(item->Kind(), T::ClassKind) ? static_cast<T*>(item) : nullptr;
}
template <class T>
const T* KindCast(const TTBCustomItem* item) {
  return KindCast<T>(const_cast<TTBCustomItem*>(item));
}

#pragma GCC visibility pop
