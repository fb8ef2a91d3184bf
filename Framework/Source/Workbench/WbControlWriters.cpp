#include "WbControlWriters.h"

#include <cxxabi.h>

#include <algorithm>

#include "NUVHostObjects.h"

namespace {

// How many classes lie above a class, read from the C++ ABI's type information, so that writers
// can register in any order and still be tried most derived first.
int ClassDepth(const std::type_info& type) {
  if (const auto* single = dynamic_cast<const abi::__si_class_type_info*>(&type))
    return 1 + ClassDepth(*single->__base_type);
  int depth = 0;
  if (const auto* multiple = dynamic_cast<const abi::__vmi_class_type_info*>(&type)) {
    const abi::__base_class_type_info* bases = multiple->__base_info;
    for (unsigned i = 0; i < multiple->__base_count; ++i)
      depth = std::max(depth, 1 + ClassDepth(*bases[i].__base_type));
  }
  return depth;
}

struct TWriterEntry {
  int Depth;
  std::function<bool(const TControl&, TWbControlProperties&)> Writer;
};

// Most derived first.
std::vector<TWriterEntry>& Writers() {
  static std::vector<TWriterEntry> writers;
  return writers;
}

}  // namespace

void TWbControlWriters::Add(const std::type_info& type, TTypedWriter writer) {
  auto& writers = Writers();
  TWriterEntry entry{ClassDepth(type), std::move(writer)};
  auto position = std::find_if(writers.begin(), writers.end(),
                               [&](const TWriterEntry& other) { return other.Depth < entry.Depth; });
  writers.insert(position, std::move(entry));
}

void TWbControlWriters::Write(const TControl& control, TWbControlProperties& properties) {
  for (const auto& entry : Writers())
    if (entry.Writer(control, properties)) return;
}

TWbJson FontJson(const TFont& font) {
  return TWbJson{{"Name", font.GetName()},
                 {"Size", font.GetSize()},
                 {"Color", font.GetColor()},
                 {"Style", SetJson(font.GetStyle())}};
}

TWbJson ImageFileJson(const TCustomImageList* images, int index) {
  if (!images || index < 0 || index >= images->Count()) return TWbJson();
  return images->FileName(index);
}

TWbJson ActionJson(const TControl& control) { return ActionJson(control.GetAction()); }

TWbJson ActionJson(const TBasicAction* action) {
  const auto* command = dynamic_cast<const TNUVAction*>(action);
  return command ? TWbJson(command->GetCommandID()) : TWbJson();
}
