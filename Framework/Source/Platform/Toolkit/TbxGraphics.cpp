// Fonts.
#include "TbxGraphics.h"

#include <atomic>

#include "TbxFields.h"

namespace {
// Atomic, as fonts may be made on any thread; only the count matters, not its order with other
// memory.
std::atomic<std::uint64_t> FontChanges{0};
}  // namespace

TFont::TFont() { FontChanges.fetch_add(1, std::memory_order_relaxed); }
TFont::~TFont() = default;

std::uint64_t TFont::Changes() { return FontChanges.load(std::memory_order_relaxed); }

void TFont::SetName(const std::string& name) {
  if (UpdateField(FName, name)) Changed();
}

void TFont::SetSize(int size) {
  if (UpdateField(FSize, size)) Changed();
}

void TFont::SetColor(TColor color) {
  if (UpdateField(FColor, color)) Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (UpdateField(FStyle, style)) Changed();
}

void TFont::Assign(const TFont& source) {
  // One change event for the whole copy, as listeners redraw once.
  bool changed = UpdateField(FName, source.FName);
  changed = UpdateField(FSize, source.FSize) || changed;
  changed = UpdateField(FColor, source.FColor) || changed;
  changed = UpdateField(FStyle, source.FStyle) || changed;
  if (changed) Changed();
}

void TFont::Changed() {
  FontChanges.fetch_add(1, std::memory_order_relaxed);
  if (OnChange) OnChange(this);
}
