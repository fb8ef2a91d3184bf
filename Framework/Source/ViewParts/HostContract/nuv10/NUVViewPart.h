/// @file
/// NUV10 view-part base classes and the view-part error.
#pragma once
#pragma GCC visibility push(default)

#include <fmt/printf.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "NUVIntf.h"

// ---------------------------------------------------------------------------------------------
// Errors

/// An error in the configuration or use of a view part, raised for that view part.
class ENUVViewPartError : public Exception {
 public:
  ENUVViewPartError(std::string viewPartName, std::string message);
  ~ENUVViewPartError() override;
  const std::string& ViewPartName() const noexcept { return FViewPartName; }

 private:
  std::string FViewPartName;
};

/// Host message: the child view part (first argument) is not on the work space (second).
extern const char* const SViewPartNotOnMe;

[[noreturn]] void RaiseViewPartError(INUVViewPart* viewPart, std::string message);

/// Raises ENUVViewPartError for viewPart with the printf-style format filled; never returns.
template <class... Args>
[[noreturn]] void NUVViewPartErrorFmt(INUVViewPart* viewPart, const std::string& format, const Args&... args) {
  RaiseViewPartError(viewPart, fmt::sprintf(format, args...));
}

// ---------------------------------------------------------------------------------------------
// View parts

/// The base of every view part. The host creates it with its extension and work item and then
/// drives it through INUVViewPart. It keeps the view part name and the stored caption. A view part
/// is counted: it is made with MakeCounted and destroyed by its last reference, never deleted.
class TNUVCustomViewPart : public TImplements<TTolvaRefCntIntfObject, INUVViewPart> {
 public:
  TNUVCustomViewPart(IQIMExtension* extension, INUVWorkItem* workItem);

  /// INUVViewPart
  std::string GetName() override { return FName; }
  std::string GetCaption() override { return FCaption; }
  TIntfPtr<IXMLNode> GetExtData() override;
  INUVWorkSpace* GetWorkSpace() override { return FWorkSpace; }

  /// Virtual operations, in slot order.
  virtual TObject* DoFindMethodInstance(const std::string& methodName);  ///< the view part itself
  virtual bool GetSupportWorkSpaces();                                   ///< false
  std::string DefaultAlign() override;                                   ///< empty
  /// Report the user's click, double-click to the host (ekClick, ekDblClick).
  virtual void DoClick(TObject* sender);
  virtual void DoDblClick(TObject* sender);
  virtual TIntfPtr<IXMLNode> DoGetPopupMenuNode();  ///< the extension data's "PopupMenu", or nil
  void Initialize() override;
  void Finalize() override;
  void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) override;
  void DoWorkItemStopping(const std::string& name, INUVParamContext* context, bool& handled) override;
  /// Not counted: parent is not owner. A work space of this host's classes clears it when it is
  /// finalized or destroyed, so it never names a work space that is gone.
  void SetWorkSpace(INUVWorkSpace* workSpace) override;
  bool GetIsFocused() override { return FIsFocused; }
  void SetIsFocused(bool focused) override;  ///< focuses the control and reports ekFocus
  bool GetVisible() override;                ///< the control's visibility
  TControl* GetControl() override { return nullptr; }

  /// Base operations.
  INUVWorkItem* GetWorkItem() const { return FWorkItem.get(); }
  IQIMExtension* GetExtension() const { return FExtension.get(); }
  TIntfPtr<INUVDataContext> GetDataContext() const;
  TIntfPtr<INUVServiceCenter> GetServiceCenter() const;
  /// Puts the command's action on the GetControl control when assign is true. An empty or unknown
  /// command ID gives no action and changes nothing.
  void CreateAction(const std::string& commandID, bool assign);
  /// Fires the topic with its %s filled by the view part name.
  void DoFireSimpleEvent(std::string_view topic, TObject* sender);
  /// Reports the context-menu request to the host (ekContextPopup); leaves handled as it is.
  void DoContextPopup(TObject* sender, TPoint mousePos, bool& handled);
  bool IsInitialized() const { return FInitialized; }

 protected:
  ~TNUVCustomViewPart() override;

  std::string FCaption;  ///< the stored caption

 private:
  friend class TNUVCustomWorkSpaceViewPart;
  void ReportHostEvent(TNUVEventKind kind);
  void LeaveWorkSpace();

  std::string FName;
  // The last topic fired, kept whole to be published again while its topic, name and sender's
  // class stay the same: a key that changes fires its topic at every write. Never changed once
  // made, so that a publication in progress keeps its event whatever its handlers do.
  struct TFiredTopic;
  std::shared_ptr<const TFiredTopic> FLastFired;
  TIntfPtr<IQIMExtension> FExtension;
  TIntfPtr<INUVWorkItem> FWorkItem;
  INUVWorkSpace* FWorkSpace = nullptr;
  bool FIsFocused = false;
  bool FInitialized = false;
};

/// A view part that hosts child view parts.
class TNUVCustomWorkSpaceViewPart : public TImplements<TNUVCustomViewPart, INUVWorkSpace> {
 public:
  using TImplements::TImplements;

  bool GetSupportWorkSpaces() override;  ///< true
  void Finalize() override;              ///< the children that name this work space forget it

  /// Places the child's control in parent with align, shows it, and makes this view part the
  /// child's work space.
  virtual void BindChildViewPart(INUVViewPart* child, TWinControl* parent, TAlign align);
  /// Takes the child's control out of this work space and clears the child's work space when it
  /// is this one. A control that another work space has taken since stays where it is.
  virtual void UnBindChildViewPart(INUVViewPart* child);
  /// Whether the child's control lies within this work space's control; for a child without a
  /// control, whether this is its work space. A child that another work space has taken since
  /// this one showed it is no longer held here.
  bool HoldsChild(INUVViewPart* child);
  /// Base behaviour: show binds into this view part's control with the child's default
  /// alignment; hide hides the child's control; close unbinds; activate focuses.
  void ShowViewPart(INUVViewPart* child) override;
  void HideViewPart(INUVViewPart* child) override;
  void CloseViewPart(INUVViewPart* child) override;
  void ActivateViewPart(INUVViewPart* child) override;
  virtual void ApplyViewPartInfo(INUVViewPart* child);  ///< nothing to apply in the base

 protected:
  ~TNUVCustomWorkSpaceViewPart() override;

 private:
  friend class TNUVCustomViewPart;
  void ForgetChildren();
  /// The view parts whose work space this is; not counted, each leaves the list as it goes.
  std::vector<TNUVCustomViewPart*> FChildren;
};

/// Counted references to view parts, in the order they were added.
class TNUVViewPartList {
 public:
  void Add(INUVViewPart* viewPart) { FItems.emplace_back(viewPart); }
  int Count() const { return static_cast<int>(FItems.size()); }
  INUVViewPart* Items(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
  int IndexOf(const INUVViewPart* viewPart) const;
  void Delete(int index) { FItems.erase(FItems.begin() + index); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<TIntfPtr<INUVViewPart>> FItems;
};

/// A work space whose children are placed once (PlaceChildViewPart) the first time they are shown.
class TNUVMultiBindingViewPart : public TNUVCustomWorkSpaceViewPart {
 public:
  using TNUVCustomWorkSpaceViewPart::TNUVCustomWorkSpaceViewPart;

  void Finalize() override;  ///< releases BoundViewParts
  /// Show: a child not yet bound is placed (PlaceChildViewPart); then, when ActiveOnAdd or
  /// AutoActive says so, activated (DoActiveViewPart).
  void ShowViewPart(INUVViewPart* child) override;
  /// Hide and activate refuse, as close does, a child that is not bound here. Hide leaves alone a
  /// control that another work space has taken since (see HoldsChild).
  void HideViewPart(INUVViewPart* child) override;
  void ActivateViewPart(INUVViewPart* child) override;
  void CloseViewPart(INUVViewPart* child) override;    ///< unbinds and forgets the child
  virtual bool ActiveOnAdd();                          ///< false
  virtual bool AutoActive();                           ///< false
  virtual TAlign BindChildAlign();                     ///< alClient
  virtual void DoActiveViewPart(INUVViewPart* child);  ///< focuses the child
  /// Base: records the child and binds it into this view part's control with BindChildAlign.
  virtual void PlaceChildViewPart(INUVViewPart* child);

  TNUVViewPartList& BoundViewParts() { return FBoundViewParts; }

 protected:
  ~TNUVMultiBindingViewPart() override;

 private:
  int CheckBound(INUVViewPart* child);  ///< the child's index; raises when it is not bound
  TNUVViewPartList FBoundViewParts;
};

#pragma GCC visibility pop
