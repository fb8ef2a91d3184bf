/// @file
/// Toolbar2000/TBX toolbars: a dockable window that shows an item tree.
#pragma once
#pragma GCC visibility push(default)

#include "TbxDocks.h"
#include "TbxItems.h"

class TTBCustomToolbar : public TTBCustomDockableWindow {
 public:
  explicit TTBCustomToolbar(TComponent* owner);
  ~TTBCustomToolbar() override;

  /// The root item: its sub-items are the toolbar's top-level items.
  TTBRootItem* Items() const { return FItems; }

  /// Brackets a batch of changes; the toolbar lays itself out once, at the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TTbxTestApi;  // reads the open and the closed brackets
  TTBRootItem* FItems;
  int FUpdateCount = 0;
  int FCompletedUpdates = 0;  // outermost brackets closed so far
};

class TTBXToolbar : public TTBCustomToolbar {
 public:
  explicit TTBXToolbar(TComponent* owner);
  ~TTBXToolbar() override;
};

#pragma GCC visibility pop
