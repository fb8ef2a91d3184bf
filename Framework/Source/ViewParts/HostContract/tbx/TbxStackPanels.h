/// @file
/// Stack panels: a windowed control that lays out the controls nobody aligns in a column, as the
/// area of a work item shows its simple view parts.
#pragma once
#pragma GCC visibility push(default)

#include "TbxControls.h"

/// The edges are taken first, as in any windowed control (top, bottom, left and right aligned
/// children). In what they leave, the children without alignment stand top to bottom in child
/// order, at StackPadding from the edges and StackGap apart; one that sizes itself and wraps its
/// text wraps at the column's width. A client-aligned child then fills what is left below them.
/// Floating dockable windows are not stacked: they keep their floating position, and one that
/// has none yet is put at the top right of the free area, each further one below the last.
class TStackPanel : public TWinControl {
 public:
  static constexpr int StackPadding = 8;
  static constexpr int StackGap = 6;

  explicit TStackPanel(TComponent* owner);
  ~TStackPanel() override;

  void AlignControls() override;

 protected:
  bool PlacesChild(const TControl& child) const override;
  void ChildChanged(TControl& child) override;

 private:
  static bool IsStacked(const TControl& child);
  static bool IsFloating(const TControl& child);
  TSize StackedSize(const TControl& child) const;
  /// Where the child at index stands in an ordered column: below the stacked children before it.
  int StackedTop(size_t index) const;
  /// Whether a change of the stacked child at index leaves the rest of the column where it is.
  bool KeepsItsPlace(size_t index, const TControl& child, int height) const;
  /// Stacks the column from the child at index on, below the stacked children before it, and
  /// fills what is left below with the client-aligned children.
  void StackFrom(size_t index);
  void PlaceFloating();

  TRect FColumn;  // what the edges left at the last layout pass
  bool FLaidOut = false;
};

#pragma GCC visibility pop
