/// @file
/// Toolbar2000/TBX toolbars: a dockable window that shows an item tree.
#pragma once
#pragma GCC visibility push(default)

#include "TbxDocks.h"
#include "TbxItems.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

/// Where a toolbar item draws its parts, in the toolbar's coordinates; empty parts are not shown.
struct TTBItemParts {
  TRect Image;
  TRect Caption;
  TRect Arrow;  ///< the arrow of an item with sub-items
};

/// A dockable window that shows an item tree: its top-level items stand in a row, or in a column
/// while it is docked in a left or right dock, and it is as large as they are with its frame.
class TTBCustomToolbar : public TTBCustomDockableWindow {
 public:
  explicit TTBCustomToolbar(TComponent* owner);
  ~TTBCustomToolbar() override;
  static constexpr TControlKind ClassKind = ckToolbar;
  TControlKind Kind() const override { return ClassKind; }

  /// The root item: its sub-items are the toolbar's top-level items.
  TTBRootItem* Items() const { return FItems.get(); }
  /// The images that items show by their image index (not owned).
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);

  /// Brackets a batch of changes; the toolbar lays itself out once, at the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool IsUpdating() const { return FUpdateCount > 0; }

  /// Upright: docked in a left or right dock.
  bool IsVertical() const;
  TSize GetDockedSize(bool vertical) const override;
  TSize GetFloatingClientSize() const override;
  void AlignControls() override;
  /// Sets font to the one an item's caption is measured and drawn in.
  void ItemFont(const TTBCustomItem& item, TFont& font) const;
  /// Whether an item shows an image: the toolbar's images hold its image index.
  bool ShowsImage(const TTBCustomItem& item) const;
  TTBItemParts GetItemParts(const TTBCustomItem& item) const;
  /// The top-level item that shows at point (toolbar coordinates), or nil.
  TTBCustomItem* ItemAt(TPoint point) const;
  /// An item of the tree changed: the items are laid out anew, at once or at the end of the
  /// update bracket.
  void ItemsChanged();

 protected:
  bool ShowsDragHandle() const override;
  int DockedBorder() const override;
  bool PlacesChild(const TControl& child) const override;
  void ChildChanged(TControl& child) override;
  void FontChanged() override;
  void LayOutDeferred() override;

 private:
  friend class TTBCustomItem;   // hands over the controls of the items that come onto the toolbar
  friend class TTBControlItem;  // tells which control it holds now
  // What an item is, asked of the item rather than by a type test.
  static bool IsSeparator(const TTBCustomItem& item);
  static bool HasArrow(const TTBCustomItem& item);
  static const TTBControlItem* AsControlItem(const TTBCustomItem& item);
  static TControl* ItemControl(const TTBCustomItem& item);
  TSize MeasureItem(const TTBCustomItem& item, bool vertical) const;
  // Drops the kept sizes when anything they depend on changed; then ItemSize may be asked.
  void CheckMeasuredItems(bool vertical) const;
  // The size of item, the top-level item at index, measured once until anything it depends on
  // changes.
  TSize ItemSize(int index, const TTBCustomItem& item, bool vertical) const;
  TSize ItemsExtent(bool vertical) const;
  // A top-level item arrived: its control is indexed and comes along.
  void TopLevelItemArrived(TTBCustomItem& item);
  // Records which control a top-level item holds, for PlacesChild.
  void IndexItemControl(TTBCustomItem& item);
  // The control of a control item, when it is on this toolbar now or can come onto it; else nil.
  TControl* AdoptItemControl(const TTBCustomItem& item);
  void PlaceItemControl(TTBCustomItem& item);
  // Inside TWinControl::TDeferLayouts: the items are laid out at its end; false outside.
  bool DeferItemsLayout();

  std::unique_ptr<TTBRootItem> FItems;
  TGuard<TCustomImageList> FImages;
  int FUpdateCount = 0;
  bool FItemsPending = false;
  mutable bool FMeasuring = false;
  // Buttons' sizes as last measured, by index of the top-level item: a dock asks its toolbars'
  // sizes at every layout of its neighbours, and measuring a button shapes its caption. Control
  // items are measured each time (their controls size themselves). The sizes hold while the items,
  // the toolbar's font, the images' count, the orientation and the text metrics stay as they were.
  struct TMeasuredItems {
    std::uint64_t ItemsGeneration = 0, MetricsGeneration = 0;
    int ImageCount = -1;
    bool Vertical = false;
    struct TEntry {
      const TTBCustomItem* Item = nullptr;  // what was measured at this index; nil: nothing yet
      TSize Size;
    };
    std::vector<TEntry> Sizes;
  };
  std::uint64_t FItemsGeneration = 1;  // changes with the items and the font
  // The top-level items by the control each held when it came or got its control, so that
  // whether a child is placed here needs no walk over every item (children leave one by one). An
  // entry is checked when read, so one that its item or control outlived misleads nothing; when
  // such entries pile up, the index is built again from the items.
  std::unordered_multimap<const TControl*, TGuard<TTBCustomItem>> FItemsByControl;
  mutable TMeasuredItems FMeasured;
};

class TTBXToolbar : public TTBCustomToolbar {
 public:
  explicit TTBXToolbar(TComponent* owner);
  ~TTBXToolbar() override;
};

#pragma GCC visibility pop
