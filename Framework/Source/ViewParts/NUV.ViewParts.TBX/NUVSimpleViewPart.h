// The steps that the simple view parts (label, link, radio button, check box) share. Each view
// part calls them in its own Initialize, DoWorkItemRunning and Finalize, in the order that keeps
// the pattern: configuration element, command, the kind's settings, caption, events, keys.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "NUVConfig.h"
#include "NUVViewPart.h"
#include "TbxTextObjects.h"

namespace NUVSimpleViewPart {

// Initialize, steps 2 and 3: parents the new control to the work item's host control.
void PlaceControl(TNUVCustomViewPart& viewPart, TControl* control);

// The view part's configuration element (name) in its extension data, or nil.
TIntfPtr<IXMLNode> ConfigElement(TNUVCustomViewPart& viewPart, std::string_view name);

// "CommandID": CreateAction is called with it, also when it is empty.
void ApplyCommand(TNUVCustomViewPart& viewPart, const IXMLNode* element);

// DoWorkItemRunning, steps 1 and 2: when the element (name) exists, its command and then the
// kind's settings. Without the element nothing is read and the control keeps the toolkit's values.
void ApplyConfiguration(TNUVCustomViewPart& viewPart, std::string_view name,
                        const std::function<void(const IXMLNode*)>& applySettings);

// "Alignment" of a control that takes left or right justification only; "Center" and any other
// name are configuration errors.
TAlignment ReadSideAlignment(const IXMLNode* element);
// "Color" through GetNodeColor with clDefault, and "Font" through GetNodeFont.
void ApplyColor(const IXMLNode* element, TControl& control);
void ApplyFont(const IXMLNode* element, TControl& control);
TTextWrapping ReadWrapping(const IXMLNode* element);
// The settings every kind reads first: "Alignment" (side only) and "AutoSize" (default True).
void ApplyTextLayout(const IXMLNode* element, TTBXTextObject& control);
// The settings every kind reads after its own: "Color", "Font" and "Wrapping".
void ApplyTextLook(const IXMLNode* element, TTBXTextObject& control);

// DoWorkItemRunning, steps 3 to 6: the caption when there is one, OnClick to DoClick when the
// control has no action, OnContextPopup to DoContextPopup, OnDblClick to DoDblClick.
void ShowCaptionAndWireEvents(TNUVCustomViewPart& viewPart, TControl& control);

// Registers each delegate under the view part name followed by its suffix, in order.
void PublishKeys(TNUVCustomViewPart& viewPart,
                 std::initializer_list<std::pair<std::string_view, TIntfPtr<INUVDataDelegate>>> keys);
// Withdraws the keys in the order given; harmless for keys that were never published.
void WithdrawKeys(TNUVCustomViewPart& viewPart, std::initializer_list<std::string_view> suffixes);

// The "_Caption" key of the kinds that show the caption: read through GetCaption, written
// through the kind's SetCaption.
template <class TViewPart>
void PublishCaption(TViewPart& viewPart) {
  auto setter = [&viewPart](const std::string& text) { viewPart.SetCaption(text); };
  PublishKeys(viewPart, {{"_Caption",
                          TNUVDataFactory::NewStringDelegate([&viewPart] { return viewPart.GetCaption(); }, setter)}});
}

// Fired by the kinds with a checked state for every OnChange their control raises.
inline constexpr const char* STopicOnChange = "Topic://ViewPart/%s/OnChange";

}  // namespace NUVSimpleViewPart
