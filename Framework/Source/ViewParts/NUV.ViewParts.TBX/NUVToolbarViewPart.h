// The toolbar view part: a TTBXToolbar built from configuration, published as a toolbar service,
// taking child view parts as items by group index, and lending its items to the main toolbar
// while its work item runs.
//
// Its service registration is weak, so that it does not keep the toolbar alive (the toolbar holds
// its work item, which holds the service center): once the host and every other holder have let it
// go, it withdraws the service as it is destroyed. A "ServiceID" that the service center holds
// already is refused, and Finalize withdraws only the toolbar's own registration.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "NUVToolbarService.h"
#include "NUVViewPart.h"

class TNUVToolBarViewPart : public TImplements<TNUVMultiBindingViewPart, INUVToolbarService> {
 public:
  using TImplements::TImplements;

  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;
  void DoWorkItemStopping(const std::string& name, INUVParamContext* context, bool& handled) override;
  TControl* GetControl() override;
  // The control items made for the child's control go with it, wherever a merge has put them.
  void UnBindChildViewPart(INUVViewPart* child) override;
  void PlaceChildViewPart(INUVViewPart* child) override;

  // INUVToolbarService
  std::string GetServiceID() override;
  TIntfPtr<IQIMExtension> GetExtension() override;
  TIntfPtr<INUVWorkItem> GetWorkItem() override;
  TTBXToolbar* GetToolbar() override;

  // Placing children and merging.
  void InsertChildViewPart(INUVViewPart* child);
  int FindInsertIndex(int groupIndex) const;
  int FindInsertPosition(int groupIndex, TTBCustomItem*& parent) const;
  void MergeIntoToolbar(TTBXToolbar* target);
  TWinControl* FindControlByName(const std::string& name);

  using TItemList = TObjectList<TTBCustomItem>;
  const TItemList* MergedItems() const { return FMergedItems.get(); }
  const TItemList* HiddenItems() const { return FHiddenItems.get(); }

 protected:
  ~TNUVToolBarViewPart() override;

 private:
  void MergeItem(TTBCustomItem* item, TTBXToolbar* target);
  void MoveToolbarItems(TTBXToolbar* source, int groupIndex);
  void InsertControlItem(TControl* control, int groupIndex);
  void DeleteControlItems(const TControl* control);
  void FreeMergedItems();
  void CheckNotHeldBy(INUVViewPart* child);
  void CheckNoMergeCycle(TTBXToolbar* target);
  void PublishService(const std::string& serviceID);
  void WithdrawService();

  std::unique_ptr<TTBXToolbar> FToolbar;
  TIntfPtr<IXMLNode> FToolbarNode;
  std::unique_ptr<TItemList> FMergedItems;  // owns its items
  std::unique_ptr<TItemList> FHiddenItems;  // does not own its items
  std::string FPublishedServiceID;          // the ID this toolbar registered itself under, if any
  TGuard<TComponent> FMergeMark;            // on FToolbar, which owns it: where its items are merged
  // The control item made for each child's control (FToolbar owns them): one per control.
  std::unordered_map<const TControl*, TGuard<TTBControlItem>> FControlItems;
};
