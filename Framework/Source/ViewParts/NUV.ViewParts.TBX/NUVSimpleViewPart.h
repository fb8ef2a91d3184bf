// The simple view-part pattern that the label, link, radio button and check box share: a control
// of the kind made in Initialize and parented to the work item's host control; at every run the
// kind's configuration element (its command, then its settings), the caption, the control's
// events and the kind's data keys; in Finalize the keys withdrawn and the control freed. Each kind
// gives its control, element, settings and keys.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "NUVConfig.h"
#include "NUVPublishedKeys.h"
#include "NUVViewPart.h"
#include "TbxTextObjects.h"

class TNUVSimpleViewPart : public TNUVCustomViewPart {
 public:
  using TNUVCustomViewPart::TNUVCustomViewPart;

  std::string DefaultAlign() override;  // "None"
  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;

  // Setter of the published caption of the kinds that show it: stores the text as the caption
  // and shows what GetCaption gives.
  void SetCaption(const std::string& text);

 protected:
  ~TNUVSimpleViewPart() override;

  // The kind's control, made with no owner and kept in the kind's field.
  virtual TControl* CreateControl() = 0;
  virtual void FreeControl() = 0;
  // What the pattern needs to know of the kind besides its control: its configuration element in
  // the extension data ("Label", "TBXLink", ...) and the suffixes of its data keys, in the order
  // of publishing and withdrawing.
  struct TKindInfo {
    std::string_view ConfigElement;
    std::span<const std::string_view> KeySuffixes;  // the kind's own static array
  };
  virtual TKindInfo KindInfo() const = 0;
  // The kind's settings, in the order of its table; called only when the element exists.
  virtual void ApplySettings(const IXMLNode* element) = 0;
  // The kind's change event, for the kinds that have one.
  virtual void WireChangeEvent() {}
  // Fired by the kinds with a checked state for every OnChange their control raises.
  static constexpr const char* STopicOnChange = "Topic://ViewPart/%s/OnChange";
  // Publishes the kind's delegates under its key suffixes.
  virtual void PublishKeys() = 0;

  void PublishKey(std::string_view suffix, TIntfPtr<INUVDataDelegate> delegate);
  // The "_Caption" key: read through GetCaption, written through SetCaption.
  void PublishCaption();

 private:
  void ApplyCommand(const IXMLNode* element, TControl& control);
  void ShowCaptionAndWireEvents(TControl& control);

  TNUVPublishedKeys FPublishedKeys{*this};
};

// A simple view part whose control, of class TControlClass, lives in the kind's own field. A
// control with a state (radio button, check box) raises OnChange, which DoChange reports.
template <class TControlClass>
class TNUVSimpleControlViewPart : public TNUVSimpleViewPart {
 public:
  using TNUVSimpleViewPart::TNUVSimpleViewPart;
  TControl* GetControl() override { return ControlField().get(); }
  // Handler of the control's OnChange: fires "Topic://ViewPart/<name>/OnChange" with the sender.
  void DoChange(TObject* sender) { DoFireSimpleEvent(STopicOnChange, sender); }

 protected:
  ~TNUVSimpleControlViewPart() override = default;
  // The kind's field that owns the control.
  virtual std::unique_ptr<TControlClass>& ControlField() = 0;
  TControl* CreateControl() override {
    ControlField() = std::make_unique<TControlClass>(nullptr);
    return ControlField().get();
  }
  void FreeControl() override { ControlField().reset(); }
  void WireChangeEvent() override {
    if constexpr (requires(TControlClass & control) { control.OnChange; })
      ControlField()->OnChange = [this](TObject* sender) { DoChange(sender); };
  }
};

// Settings that several kinds read the same way.
namespace NUVSimpleViewPart {

// Parents the control to the work item's host control.
void PlaceControl(TNUVCustomViewPart& viewPart, TControl* control);

// The view part's configuration element (name) in its extension data, or nil.
TIntfPtr<IXMLNode> ConfigElement(TNUVCustomViewPart& viewPart, std::string_view name);

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

}  // namespace NUVSimpleViewPart
