#include "TbxToolbars.h"

#include "KolExceptions.h"

// The root item is not a component of the toolbar's: the toolbar destroys it itself, first, so
// that the items of its tree go before the toolbar's owned components are destroyed.
TTBCustomToolbar::TTBCustomToolbar(TComponent* owner)
    : TTBCustomDockableWindow(owner), FItems(new TTBRootItem(nullptr, this)) {}

TTBCustomToolbar::~TTBCustomToolbar() {
  Destroying();
  delete FItems;
}

void TTBCustomToolbar::BeginUpdate() { ++FUpdateCount; }

void TTBCustomToolbar::EndUpdate() {
  NUV_ASSERT(FUpdateCount > 0);
  if (--FUpdateCount == 0) ++FCompletedUpdates;
}

TTBXToolbar::TTBXToolbar(TComponent* owner) : TTBCustomToolbar(owner) {}
TTBXToolbar::~TTBXToolbar() = default;
