// Toolbars for the toolkit's tests: a button added by caption, and a toolbar that destroys
// another when its dock places it, as a handler of the host may.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "TbxToolbars.h"

inline TTBXItem* AddButton(TTBCustomToolbar& toolbar, const std::string& caption) {
  auto* item = new TTBXItem(&toolbar);
  item->SetCaption(caption);
  toolbar.Items()->Add(item);
  return item;
}

class TDestroyingToolbar : public TTBXToolbar {
 public:
  using TTBXToolbar::TTBXToolbar;
  std::unique_ptr<TTBXToolbar>* Victim = nullptr;

 protected:
  void Resized() override {
    TTBXToolbar::Resized();
    if (Victim && IsBeingPlaced()) std::exchange(Victim, nullptr)->reset();
  }
};
