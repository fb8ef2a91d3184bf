/// @file
/// The keyboard on a form's toolbars: Alt or F10 puts it on the main toolbar with an item
/// highlighted; the arrow keys move the highlight, open and walk submenus; Enter or Space clicks;
/// Escape closes a menu, then leaves.
#pragma once
#pragma GCC visibility push(default)

#include <vector>

#include "TbxToolbars.h"

class TForm;

class TToolbarKeyboard {
 public:
  explicit TToolbarKeyboard(TForm& form) : FForm(form) {}
  TToolbarKeyboard(const TToolbarKeyboard&) = delete;
  TToolbarKeyboard& operator=(const TToolbarKeyboard&) = delete;

  /// Whether the keyboard is on a toolbar.
  bool Active() const { return Toolbar() != nullptr; }
  /// The toolbar the keyboard is on, or nil.
  TTBCustomToolbar* Toolbar() const;
  /// The highlighted items: the toolbar's top-level item, then the highlighted item of each open
  /// menu (a path of two items: the first item's menu is open). Empty when not active.
  std::vector<TTBCustomItem*> Path() const;
  /// The item highlighted last: the toolbar's, or the open menu's.
  TTBCustomItem* Highlighted() const;

  /// Puts the keyboard on toolbar (nil: the form's main toolbar) with its first item highlighted;
  /// false when it has no item to highlight.
  bool Enter(TTBCustomToolbar* toolbar = nullptr);
  /// Takes the keyboard off the toolbar; the focused control keeps the focus it had.
  void Leave();
  /// A key while active; false for a key it does not take (Alt with another key: an access key).
  bool KeyDown(TKey key, TShiftState shift);
  /// Highlights item, an item of the toolbar or of one of its menus; the menus above it open.
  void Highlight(TTBCustomItem& item);
  /// Opens the highlighted item's menu with its first item highlighted; false when it has none.
  bool OpenMenu();
  /// Closes the innermost open menu.
  void CloseMenu();
  /// Closes every open menu; the toolbar's item stays highlighted.
  void CloseMenus();
  /// Runs the highlighted item as Enter does: opens its menu, or leaves and clicks it.
  void Activate();
  /// Acts on the item of the toolbar (or of the open menu) whose access key is key; false when none.
  bool ActivateAccessKey(TKey key);

  /// The form's main toolbar: the one the other toolbars merge their items into; without one, the
  /// first toolbar of the topmost dock; else the first toolbar; nil when none shows an item.
  static TTBCustomToolbar* MainToolbar(const TForm& form);
  /// The toolbars of the form that show an item the keyboard can reach, in the window's order.
  static std::vector<TTBCustomToolbar*> Toolbars(const TForm& form);
  /// Whether the keyboard can highlight item: it shows, is enabled, and is a button or submenu.
  static bool Selectable(const TTBCustomItem& item);

 private:
  void Changed();
  // Drops items that went away or no longer show; leaves when the toolbar did.
  void Prune();
  bool KeyOnToolbar(TKey key);
  bool KeyInMenu(TKey key);
  void Move(int step);
  void MoveToEnd(bool last);
  void MoveOnToolbar(int step, bool reopen);
  void NextToolbar(bool forward);
  void Click(TTBCustomItem& item);
  TTBCustomItem& Container() const;  // the item whose sub-items the highlight moves among

  TForm& FForm;
  TGuard<TTBCustomToolbar> FToolbar;
  std::vector<TGuard<TTBCustomItem>> FPath;
};

#pragma GCC visibility pop
