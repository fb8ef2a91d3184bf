#include "WbControlWriters.h"

#include <cxxabi.h>

#include <fmt/printf.h>

#include <algorithm>
#include <string_view>

#include "NUVHostObjects.h"
#include "TbxTextMetrics.h"

namespace {

// How many classes lie above a class, read from the C++ ABI's type information, so that the
// table's rows can stand in any order and still be tried most derived first.
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

// The table, most derived first.
const std::vector<const TWbControlWriter*>& WritersInOrder() {
  static const std::vector<const TWbControlWriter*> writers = [] {
    std::vector<const TWbControlWriter*> ordered;
    for (const auto& writer : ControlWriterTable()) ordered.push_back(&writer);
    std::stable_sort(ordered.begin(), ordered.end(), [](const TWbControlWriter* a, const TWbControlWriter* b) {
      return ClassDepth(*a->Class) > ClassDepth(*b->Class);
    });
    return ordered;
  }();
  return writers;
}

}  // namespace

void TWbControlWriters::Write(const TControl& control, TWbControlProperties& properties) {
  for (const TWbControlWriter* writer : WritersInOrder())
    if (writer->Write(control, properties)) return;
}

TWbJson BoundsJson(const TRect& bounds) {
  return TWbJson::array({bounds.Left, bounds.Top, bounds.Width, bounds.Height});
}

std::string BoundsText(const TRect& bounds) {
  return std::to_string(bounds.Left) + "x" + std::to_string(bounds.Top) + "+" + std::to_string(bounds.Width) + "x" +
         std::to_string(bounds.Height);
}

TWbJson FontJson(const TFont& font) {
  const TResolvedFont& resolved = TextMetrics().Resolve(font);
  return TWbJson{{"Name", font.GetName()},    {"Size", font.GetSize()},
                 {"Color", font.GetColor()},  {"Style", SetJson(font.GetStyle())},
                 {"Family", resolved.Family}, {"PixelSize", resolved.PixelSize},
                 {"Ascent", resolved.Ascent}, {"LineHeight", resolved.LineHeight}};
}

std::string NoteWord(const std::string& text) {
  const bool plain = !text.empty() && std::ranges::none_of(text, [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F || std::string_view("()[]<>|-\",:=").find(c) != std::string_view::npos;
  });
  return plain ? text : JsonText(text);
}

void CheckDumpLevel(int level, const std::string& what) {
  if (level > KWbMaxDumpLevel)
    throw Exception(fmt::sprintf("cannot write %s: it is nested %d levels deep, more than the %d a dump writes", what,
                                 level, KWbMaxDumpLevel));
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
