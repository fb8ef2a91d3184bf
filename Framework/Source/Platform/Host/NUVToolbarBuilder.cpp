#include <fmt/printf.h>

#include <exception>

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

void BuildItems(const TBuildContext& context, const IXMLNode& element, TTBCustomItem& parent, int level);

// The toolbar owns the actions made for its items, so a failed item's subtree does not take them
// along by itself: they go first, and free notification clears the items' links.
void FreeBuiltActions(TTBCustomItem& item, const TTBXToolbar* toolbar) {
  TBasicAction* action = item.GetAction();
  if (action && action->GetOwner() == toolbar) delete action;
  for (int i = 0; i < item.Count(); ++i) FreeBuiltActions(*item.GetItem(i), toolbar);
}

// Building recurses along the nesting: a bound keeps a hostile configuration from the stack's end.
void CheckItemLevel(const IXMLNode& node, int level) {
  if (level > KNUVMaxToolbarNesting)
    throw EConfigurationError(node.Location(), fmt::sprintf("an item at level %d", level),
                              fmt::sprintf("items nested at most %d levels deep", KNUVMaxToolbarNesting));
}

TTBCustomItem* BuildItem(const TBuildContext& context, const IXMLNode& node, int level) {
  CheckItemLevel(node, level);
  if (node.NodeName() == "Separator") {
    auto* separator = new TTBXSeparatorItem(context.Toolbar);
    separator->SetGroupIndex(GetNodeAttrValue(&node, "GroupIndex", false, 0));
    separator->SetVisible(GetNodeAttrValue(&node, "Visible", false, true));
    return separator;
  }
  TTBCustomItem* item = HasItemChildren(node) ? static_cast<TTBCustomItem*>(new TTBXSubmenuItem(context.Toolbar))
                                              : new TTBXItem(context.Toolbar);
  try {
    std::string commandID = GetNodeAttrValue(&node, "CommandID", false, "");
    if (context.Actions && !commandID.empty())
      item->SetAction(context.Actions->CreateAction(commandID, context.Toolbar));
    if (node.HasAttribute("Caption"))
      item->SetCaption(TNUVDataUtils::ParseConfig(context.WorkItem, node.GetAttribute("Caption")));
    std::string imageFile = GetNodeAttrValue(&node, "ImageFile", false, "");
    if (context.Images && !imageFile.empty())
      item->SetImageIndex(context.Images->GetImageManager()->AddImage(imageFile));
    item->SetGroupIndex(GetNodeAttrValue(&node, "GroupIndex", false, 0));
    if (node.HasAttribute("Visible")) item->SetVisible(GetNodeAttrValue(&node, "Visible", false, true));
    BuildItems(context, node, *item, level + 1);
  } catch (...) {
    FreeBuiltActions(*item, context.Toolbar);
    delete item;  // nothing half-built stays on the toolbar
    throw;
  }
  return item;
}

void BuildItems(const TBuildContext& context, const IXMLNode& element, TTBCustomItem& parent, int level) {
  auto children = element.ChildNodes();
  for (int i = 0; i < children->Count(); ++i) {
    auto child = children->Get(i);
    if (!IsItemElement(*child)) continue;
    try {
      parent.Add(BuildItem(context, *child, level));
    } catch (...) {
      if (context.Faults->First)
        ++context.Faults->More;
      else
        context.Faults->First = std::current_exception();
    }
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
    BuildItems(context, *element, *toolbar->Items(), 1);
  }
  if (faults.First) RaiseItemFaults(faults);
}
