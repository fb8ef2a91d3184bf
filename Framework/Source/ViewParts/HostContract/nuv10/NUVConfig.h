/// @file
/// NUV10 configuration and service helpers that view parts call.
#pragma once
#pragma GCC visibility push(default)

#include <string>
#include <string_view>

// Configuration code compares and trims the text it reads: the string helpers come with it.
#include "KolStrings.h"
#include "KolXml.h"
#include "NUVIntf.h"
#include "TbxDocks.h"
#include "TbxToolbars.h"

/// The child element of node named name, or nil. With mustExist true a missing element (or a nil
/// node) gives a new empty element of that name instead, so the caller always gets one.
TIntfPtr<IXMLNode> GetChildNode(const IXMLNode* node, std::string_view name, bool mustExist);

/// The colour that the element's text names, or def for a nil node or an empty text. Forms: a
/// colour name ("clRed", "clBtnShadow", "clDefault"), "#RRGGBB", "$" followed by the hexadecimal
/// TColor value, or a decimal TColor value.
TColor GetNodeColor(const IXMLNode* node, TColor def);
/// Applies the font element's child elements "Name", "Size", "Color" (a colour element) and
/// "Style" (a comma-separated list of Bold, Italic, Underline, StrikeOut, possibly empty) to font;
/// what the element does not give stays. A nil node changes nothing.
void GetNodeFont(const IXMLNode* node, TFont& font);
/// The set of dock positions that text lists (comma-separated Top, Bottom, Left, Right, or "All");
/// current for an empty text.
TTBDockPositions GetDockableTo(std::string_view text, TTBDockPositions current);
/// Raises EConfigurationError when node is not an element named name.
void CheckNodeName(const IXMLNode* node, std::string_view name);

struct TNUVDataUtils {
  /// The text to display for a configured text: each "${Name}" is replaced by the named value
  /// Name of the work item or the nearest parent work item that has it; "$$" stands for "$".
  /// A name that no work item has stays as written.
  static std::string ParseConfig(const INUVWorkItem* workItem, const std::string& text);
};

struct TNUVWorkItemUtils {
  static void SetViewPartFocused(INUVViewPart* viewPart, bool focused);
};

/// A typed delegate over a getter and setter of the view part.
struct TNUVDataFactory {
  static TIntfPtr<INUVDataDelegate> NewStringDelegate(std::function<std::string()> getter,
                                                      std::function<void(const std::string&)> setter);
  static TIntfPtr<INUVDataDelegate> NewIntegerDelegate(std::function<int()> getter, std::function<void(int)> setter);
  static TIntfPtr<INUVDataDelegate> NewBooleanDelegate(std::function<bool()> getter, std::function<void(bool)> setter);
};

inline constexpr const char* SImageServiceID = "NUV.Service.Image";
inline constexpr const char* SActionServiceID = "NUV.Service.Action";

/// The image service registered under id for the work item, or nil.
TIntfPtr<INUVImageService> FindImageService(const INUVWorkItem* workItem, const std::string& id);
/// The action service registered under id for the work item, or nil.
TIntfPtr<INUVActionService> GetActionService(const INUVWorkItem* workItem, const std::string& id);

/// Creates the toolbar's items from the toolbar element's `<Item>` and `<Separator>` children, in
/// document order; other children are not items. An `<Item>` is a TTBXItem, or a TTBXSubmenuItem
/// when it has `<Item>/<Separator>` children of its own (its sub-items). Attributes: Caption
/// (through ParseConfig on the view part's work item), GroupIndex (default 0), CommandID (the
/// action from the action service; unknown: none), ImageFile (index from the image service; no
/// service: none), Visible (default True). The items are owned by the toolbar. Either service may
/// be nil. Items nest at most KNUVMaxToolbarNesting levels (the toolbar's own items are level 1);
/// a deeper item raises EConfigurationError naming it and builds nothing of the item it is in.
constexpr int KNUVMaxToolbarNesting = 256;
void BuildToolbar(TTBXToolbar* toolbar, INUVViewPart* viewPart, const IXMLNode* element, INUVActionService* actions,
                  INUVImageService* images);

#pragma GCC visibility pop
