#include "WbControlWriters.h"

#include <fmt/printf.h>

#include <algorithm>
#include <string_view>

#include "NUVHostObjects.h"
#include "TbxTextMetrics.h"

namespace {
const TWbControlWriter* WriterOf(TControlKind kind) {
  for (const auto& writer : ControlWriterTable())
    if (writer.Kind == kind) return &writer;
  return nullptr;
}
}  // namespace

void TWbControlWriters::Write(const TControl& control, TWbControlProperties& properties) {
  for (TControlKind kind = control.Kind();; kind = BaseKind(kind)) {
    if (const TWbControlWriter* writer = WriterOf(kind)) {
      writer->Write(control, properties);
      return;
    }
    if (kind == ckControl) return;
  }
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

TWbJson AccessKeyJson(TKey key) { return key == vkNone ? TWbJson() : TWbJson(KeyStrokeName({key, {}})); }

TWbJson ActionJson(const TBasicAction* action) {
  const auto* command = dynamic_cast<const TNUVAction*>(action);
  return command ? TWbJson(command->GetCommandID()) : TWbJson();
}
