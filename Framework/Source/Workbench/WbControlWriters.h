// Per-class property writers for the control dump. Each toolkit class that has properties worth
// showing gets a writer in a unit of its own, registered with TWbControlWriterRegistration; the
// dump asks for the writer of the most derived registered class of each control.
#pragma once

#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "TbxControls.h"
#include "TbxGraphics.h"
#include "WbJson.h"

// What a writer reports of one control: properties under their toolkit names for the JSON tree,
// and short remarks ("Underline=True") for the text tree, which shows only what is worth a look.
class TWbControlProperties {
 public:
  // images: the application's shared image list, which toolbar items index; nil when unknown.
  explicit TWbControlProperties(TWbJson& json, const TCustomImageList* images = nullptr)
      : FJson(json), FImages(images) {}
  void Set(const std::string& name, TWbJson value) { FJson[name] = std::move(value); }
  const TCustomImageList* Images() const { return FImages; }
  void Note(std::string remark) { FNotes.push_back(std::move(remark)); }
  const std::vector<std::string>& Notes() const { return FNotes; }

 private:
  TWbJson& FJson;
  const TCustomImageList* FImages;
  std::vector<std::string> FNotes;
};

class TWbControlWriters {
 public:
  template <class T>
  static void Register(std::function<void(const T&, TWbControlProperties&)> writer) {
    Add(typeid(T), [writer = std::move(writer)](const TControl& control, TWbControlProperties& properties) {
      const auto* typed = dynamic_cast<const T*>(&control);
      if (typed) writer(*typed, properties);
      return typed != nullptr;
    });
  }
  // Runs the writer of the most derived registered class that control is; a control of no
  // registered class gets only the common properties.
  static void Write(const TControl& control, TWbControlProperties& properties);

 private:
  using TTypedWriter = std::function<bool(const TControl&, TWbControlProperties&)>;
  static void Add(const std::type_info& type, TTypedWriter writer);
};

// Registers a writer when its unit is loaded: `const TWbControlWriterRegistration<TTBXLabel> R(Write);`
template <class T>
struct TWbControlWriterRegistration {
  explicit TWbControlWriterRegistration(std::function<void(const T&, TWbControlProperties&)> writer) {
    TWbControlWriters::Register<T>(std::move(writer));
  }
};

// The forms the dump writes values in.
template <class E>
TWbJson EnumJson(E value) {
  return EnumIdentifier(value);
}
template <class E>
TWbJson SetJson(TSet<E> set) {
  return set.Identifiers();
}
// {"Name", "Size", "Color", "Style": [identifiers]}
TWbJson FontJson(const TFont& font);
// The file name of image index in images, or null for no list or an index it does not hold.
TWbJson ImageFileJson(const TCustomImageList* images, int index);
// The command ID of the control's action, or null.
TWbJson ActionJson(const TControl& control);
// The command ID of a command's action (a TNUVAction), or null for any other action or none.
TWbJson ActionJson(const TBasicAction* action);
