#include <fmt/printf.h>

#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "NUVConfig.h"
#include "NUVViewPart.h"

namespace {

// The items that could not be built: each costs itself and its sub-items alone; the first is
// raised once every other item stands.
struct TItemFaults {
  std::exception_ptr First;
  int More = 0;
};

struct TBuildContext {
  TTBXToolbar* Toolbar;
  const INUVWorkItem* WorkItem;
  INUVActionService* Actions;
  INUVImageService* Images;
  TItemFaults* Faults;
};

bool IsItemElement(const IXMLNode& node) { return node.NodeName() == "Item" || node.NodeName() == "Separator"; }

bool HasItemChildren(const IXMLNode& node) { return FindChildNode(&node, "Item") || FindChildNode(&node, "Separator"); }

// One top-level item as it is built: the item with its sub-items as contents, and the actions
// made for them, owned by nobody until the whole item is built. An item that fails half-way takes
// what was built of it along, and the toolbar never saw any of it.
struct TBuiltItem {
  std::unique_ptr<TTBCustomItem> Item;
  std::vector<std::unique_ptr<TCustomAction>> Actions;
};

void BuildSubItems(const TBuildContext& context, const IXMLNode& element, TTBCustomItem& parent, int level,
                   TBuiltItem& built);

// Building recurses along the nesting: a bound keeps a hostile configuration from the stack's end.
void CheckItemLevel(const IXMLNode& node, int level) {
  if (level > KNUVMaxToolbarNesting)
    throw EConfigurationError(node.Location(), fmt::sprintf("an item at level %d", level),
                              fmt::sprintf("items nested at most %d levels deep", KNUVMaxToolbarNesting));
}

std::unique_ptr<TTBCustomItem> NewItem(const IXMLNode& node) {
  if (node.NodeName() == "Separator") return std::make_unique<TTBXSeparatorItem>(nullptr);
  if (HasItemChildren(node)) return std::make_unique<TTBXSubmenuItem>(nullptr);
  return std::make_unique<TTBXItem>(nullptr);
}

void ApplyItemSettings(const TBuildContext& context, const IXMLNode& node, TTBCustomItem& item, int level,
                       TBuiltItem& built) {
  if (node.NodeName() == "Separator") {
    item.SetGroupIndex(GetNodeAttrValue(&node, "GroupIndex", false, 0));
    item.SetVisible(GetNodeAttrValue(&node, "Visible", false, true));
    return;
  }
  std::string commandID = GetNodeAttrValue(&node, "CommandID", false, "");
  if (context.Actions && !commandID.empty()) {
    std::unique_ptr<TCustomAction> action = context.Actions->CreateAction(commandID);
    item.SetAction(action.get());
    if (action) built.Actions.push_back(std::move(action));
  }
  if (node.HasAttribute("Caption"))
    item.SetCaption(TNUVDataUtils::ParseConfig(context.WorkItem, node.GetAttribute("Caption")));
  std::string imageFile = GetNodeAttrValue(&node, "ImageFile", false, "");
  if (context.Images && !imageFile.empty()) item.SetImageIndex(context.Images->GetImageManager()->AddImage(imageFile));
  item.SetGroupIndex(GetNodeAttrValue(&node, "GroupIndex", false, 0));
  if (node.HasAttribute("Visible")) item.SetVisible(GetNodeAttrValue(&node, "Visible", false, true));
  BuildSubItems(context, node, item, level, built);
}

// An item, at any level, with its sub-items; nil when its own settings fail: it then takes along
// what was built of it and the actions made for it, and its fault is noted.
std::unique_ptr<TTBCustomItem> BuildItem(const TBuildContext& context, const IXMLNode& node, int level,
                                         TBuiltItem& built) {
  const size_t actions = built.Actions.size();
  try {
    CheckItemLevel(node, level);
    std::unique_ptr<TTBCustomItem> item = NewItem(node);
    ApplyItemSettings(context, node, *item, level, built);
    return item;
  } catch (...) {
    built.Actions.resize(actions);
    if (context.Faults->First)
      ++context.Faults->More;
    else
      context.Faults->First = std::current_exception();
    return nullptr;
  }
}

// A sub-item is its parent's content once it is built, so that the parent's unique_ptr destroys
// it with the parent.
void BuildSubItems(const TBuildContext& context, const IXMLNode& element, TTBCustomItem& parent, int level,
                   TBuiltItem& built) {
  auto children = element.ChildNodes();
  for (int i = 0; i < children->Count(); ++i) {
    auto child = children->Get(i);
    if (!IsItemElement(*child)) continue;
    if (auto item = BuildItem(context, *child, level + 1, built)) parent.Add(std::move(item));
  }
}

// The first fault; a configuration error adds that its item is not created, and how many more
// items were left out for faults of their own.
[[noreturn]] void RaiseItemFaults(const TItemFaults& faults) {
  try {
    std::rethrow_exception(faults.First);
  } catch (const EConfigurationError& e) {
    const std::string more =
        faults.More == 0 ? std::string() : fmt::sprintf(", nor %d more with faults of their own", faults.More);
    throw EConfigurationError(e.Where(), e.Found(), e.Expected() + "; the item is not created" + more);
  }
}

void OwnSubItems(TTBXToolbar& toolbar, const TTBCustomItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    toolbar.InsertComponent(parent.GetItem(i));  // and it stays its parent's content
    OwnSubItems(toolbar, *parent.GetItem(i));
  }
}

// The toolbar owns the items it is built with, sub-items included, and the actions made for them.
void HandOver(TTBXToolbar& toolbar, TBuiltItem built) {
  TTBCustomItem* item = toolbar.InsertComponent(std::move(built.Item));
  OwnSubItems(toolbar, *item);
  for (auto& action : built.Actions) toolbar.InsertComponent(std::move(action));
  toolbar.Items()->Add(item);
}

}  // namespace

void BuildToolbar(TTBXToolbar* toolbar, INUVViewPart* viewPart, const IXMLNode* element, INUVActionService* actions,
                  INUVImageService* images) {
  NUV_ASSERT(toolbar != nullptr);
  if (!element) return;
  auto* owner = dynamic_cast<TNUVCustomViewPart*>(GetImplObject(viewPart));
  TItemFaults faults;
  TBuildContext context{toolbar, owner ? owner->GetWorkItem() : nullptr, actions, images, &faults};
  // The items show the image service's images; the toolbar lays them out once, at the end.
  if (images) toolbar->SetImages(images->GetImageManager()->GetImageList());
  {
    toolbar->BeginUpdate();
    TScopeExit endUpdate([toolbar] { toolbar->EndUpdate(); });
    auto children = element->ChildNodes();
    for (int i = 0; i < children->Count(); ++i) {
      auto child = children->Get(i);
      if (!IsItemElement(*child)) continue;
      TBuiltItem built;
      built.Item = BuildItem(context, *child, 1, built);
      if (built.Item) HandOver(*toolbar, std::move(built));
    }
  }
  if (faults.First) RaiseItemFaults(faults);
}
