// Per-kind property writers for the control dump. Each toolkit class that brings a kind of control
// (TControlKind) and has properties worth showing gets a writer in a unit of its own, listed in the
// one table of WbControlWriterTable.cpp; the dump runs the writer of each control's kind, or of the
// nearest kind it derives from that has one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "TbxControls.h"
#include "TbxGraphics.h"
#include "WbJson.h"

// What a writer reports of one control: properties under their toolkit names for the JSON tree,
// and short remarks ("Underline=True") for the text tree, which shows only what is worth a look.
class TWbControlProperties {
 public:
  // images: the application's shared image list, which toolbar items index; nil when unknown.
  // notesOnly: the text tree asks for the notes alone, and a writer may skip values that cost
  // much to make (a status bar's panels).
  explicit TWbControlProperties(TWbJson& json, const TCustomImageList* images = nullptr, bool notesOnly = false)
      : FJson(json), FImages(images), FNotesOnly(notesOnly) {}
  void Set(const std::string& name, TWbJson value) { FJson[name] = std::move(value); }
  const TCustomImageList* Images() const { return FImages; }
  bool NotesOnly() const { return FNotesOnly; }
  void Note(std::string remark) { FNotes.push_back(std::move(remark)); }
  const std::vector<std::string>& Notes() const { return FNotes; }

 private:
  TWbJson& FJson;
  const TCustomImageList* FImages;
  bool FNotesOnly;
  std::vector<std::string> FNotes;
};

// One row of the table: the kind a writer is for, and the writer, run for controls of that kind
// (or of a kind derived from it that has no writer of its own).
struct TWbControlWriter {
  TControlKind Kind;
  std::function<void(const TControl&, TWbControlProperties&)> Write;
};

// The row for a writer of class T, which brings a kind of its own.
template <class T>
TWbControlWriter ControlWriter(void (*write)(const T&, TWbControlProperties&)) {
  return {T::ClassKind, [write](const TControl& control, TWbControlProperties& properties) {
            write(*KindCast<T>(&control), properties);
          }};
}

// Every writer of the dump, in WbControlWriterTable.cpp; in any order.
const std::vector<TWbControlWriter>& ControlWriterTable();

class TWbControlWriters {
 public:
  // Runs the writer of the control's kind, or of the nearest kind it derives from that has one; a
  // control of no such kind gets only the common properties.
  static void Write(const TControl& control, TWbControlProperties& properties);
};

// The writers recurse along the control tree and each toolbar's item tree. An application file
// builds far less (it nests at most KWbMaxNesting elements, a toolbar at most
// KNUVMaxToolbarNesting levels of items), but work spaces can stack controls further while it
// runs: past this level a writer raises an Exception naming what it was writing instead of running
// out of stack. The HTML picture draws the JSON tree, so it never sees more.
constexpr int KWbMaxDumpLevel = 1024;
void CheckDumpLevel(int level, const std::string& what);

// A name or caption as one word of the text tree: as it is when it is plain, else in JSON quotes
// (empty; a blank, a control character or one of ()[]<>|-",:= that the notes use), so that no
// name can end a line or a note and forge another.
std::string NoteWord(const std::string& text);

// The forms the dump writes values in.
template <class E>
TWbJson EnumJson(E value) {
  return EnumIdentifier(value);
}
template <class E>
TWbJson SetJson(TSet<E> set) {
  return set.Identifiers();
}
// [left, top, width, height]
TWbJson BoundsJson(const TRect& bounds);
// "LxT+WxH", as the text tree writes a rectangle: "0x27+800x548"
std::string BoundsText(const TRect& bounds);
// {"Name", "Size", "Color", "Style": [identifiers]}, and what the font resolved to: "Family",
// "PixelSize", "Ascent" and "LineHeight" in pixels
TWbJson FontJson(const TFont& font);
// The file name of image index in images, or null for no list or an index it does not hold.
TWbJson ImageFileJson(const TCustomImageList* images, int index);
// The command ID of the control's action, or null.
TWbJson ActionJson(const TControl& control);
// The command ID of a command's action (a TNUVAction), or null for any other action or none.
TWbJson ActionJson(const TBasicAction* action);
// The key that Alt reaches a caption's access key with ("N"), or null for none.
TWbJson AccessKeyJson(TKey key);
