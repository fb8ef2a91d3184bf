// The work spaces that dock their children: the toolbar dock, the dockable panel and the
// multi-dock panel. A child is on such a work space while the work space lists it and the
// child's control still lies in it: hiding and activating act only on such children; closing
// forgets a listed child without taking its control out of a work space that has taken it since;
// showing binds a child once and only makes it visible again later, unless another work space has
// taken it meanwhile, when it is bound here again.
#pragma once

#include <vector>

#include "NUVViewPart.h"

// The child operations of a docking kind. Each kind defines them in its own unit, so that the
// assertion about a nil child names that unit: the place of the call to the shared operation.
#define NUV_DOCKING_CHILD_OPERATIONS                \
  void ShowViewPart(INUVViewPart* child) override;  \
  void HideViewPart(INUVViewPart* child) override;  \
  void CloseViewPart(INUVViewPart* child) override; \
  void ActivateViewPart(INUVViewPart* child) override;
#define NUV_DEFINE_DOCKING_CHILD_OPERATIONS(TKind)                      \
  void TKind::ShowViewPart(INUVViewPart* child) { ShowChild(child); }   \
  void TKind::HideViewPart(INUVViewPart* child) { HideChild(child); }   \
  void TKind::CloseViewPart(INUVViewPart* child) { CloseChild(child); } \
  void TKind::ActivateViewPart(INUVViewPart* child) { ActivateChild(child); }

class TNUVDockingWorkSpaceViewPart : public TNUVCustomWorkSpaceViewPart {
 public:
  using TShownViewParts = std::vector<INUVViewPart*>;
  using TNUVCustomWorkSpaceViewPart::TNUVCustomWorkSpaceViewPart;

  void Initialize() override;  // the list starts empty
  void Finalize() override;    // the list and the kind's controls go

  // The children shown here, in the order of their first showing, not counted: the host keeps
  // its children alive while a work space shows them. The multi-dock panel lists its children by
  // its toggle buttons instead and leaves this list empty.
  const TShownViewParts& ShownViewParts() const { return FShownViewParts; }
  // The index of child among the children this work space lists, or -1.
  virtual int IndexOfViewPart(const INUVViewPart* child) const;
  // Listed here, and its control still lies here.
  bool IsOnMe(INUVViewPart* child);

 protected:
  ~TNUVDockingWorkSpaceViewPart() override;

  // What each kind's ShowViewPart, HideViewPart, CloseViewPart and ActivateViewPart do. where is
  // the place of the kind's call, which the assertion about a nil child names.
  void ShowChild(INUVViewPart* child, TSourcePlace where = TSourcePlace::Current());
  void HideChild(INUVViewPart* child, TSourcePlace where = TSourcePlace::Current());
  void CloseChild(INUVViewPart* child, TSourcePlace where = TSourcePlace::Current());
  void ActivateChild(INUVViewPart* child, TSourcePlace where = TSourcePlace::Current());
  // Asserts that child is not nil and raises the host's not-on-me error unless it is on this work
  // space; gives its index.
  int CheckViewPartOnMe(INUVViewPart* child, TSourcePlace where = TSourcePlace::Current());

  // The kind's part. Each gets the child's index in the list where it has one.
  virtual void FreeControls() = 0;
  // The class test of a child about to be bound here.
  virtual void CheckChild(INUVViewPart* child);
  // Lists a new child and binds it, with the alignment its control has now, into the control.
  virtual void AddChild(INUVViewPart* child);
  // Binds a listed child that another work space has taken since, as AddChild does.
  virtual void BindAgain(int index, INUVViewPart* child);
  // A child shown before is only made visible again.
  virtual void ShowAgain(int index, INUVViewPart* child);
  virtual void HideListed(int index, INUVViewPart* child);
  // Forgets the child, then unbinds it.
  virtual void RemoveChild(int index, INUVViewPart* child);
  virtual void ActivateListed(int index, INUVViewPart* child);

 private:
  void BindWithOwnAlignment(INUVViewPart* child);

  TShownViewParts FShownViewParts;
};
