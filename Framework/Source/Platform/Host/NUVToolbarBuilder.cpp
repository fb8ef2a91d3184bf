#include <fmt/printf.h>

#include <memory>
#include <utility>
#include <vector>

#include "NUVConfig.h"
#include "NUVViewPart.h"

namespace {

struct TBuildContext {
  TTBXToolbar* Toolbar;
  const INUVWorkItem* WorkItem;
  INUVActionService* Actions;
  INUVImageService* Images;
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

// A sub-item is its parent's content from the moment it is added, so that the parent's unique_ptr
// destroys it with the parent should a later sibling fail.
void BuildSubItems(const TBuildContext& context, const IXMLNode& element, TTBCustomItem& parent, int level,
                   TBuiltItem& built) {
  auto children = element.ChildNodes();
  for (int i = 0; i < children->Count(); ++i) {
    auto child = children->Get(i);
    if (!IsItemElement(*child)) continue;
    CheckItemLevel(*child, level + 1);
    TTBCustomItem* item = parent.Add(NewItem(*child));
    ApplyItemSettings(context, *child, *item, level + 1, built);
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
  TBuildContext context{toolbar, owner ? owner->GetWorkItem() : nullptr, actions, images};
  // The items show the image service's images; the toolbar lays them out once, at the end.
  if (images) toolbar->SetImages(images->GetImageManager()->GetImageList());
  toolbar->BeginUpdate();
  TScopeExit endUpdate([toolbar] { toolbar->EndUpdate(); });
  auto children = element->ChildNodes();
  for (int i = 0; i < children->Count(); ++i) {
    auto child = children->Get(i);
    if (!IsItemElement(*child)) continue;
    CheckItemLevel(*child, 1);
    TBuiltItem built{NewItem(*child), {}};
    ApplyItemSettings(context, *child, *built.Item, 1, built);
    HandOver(*toolbar, std::move(built));
  }
}
