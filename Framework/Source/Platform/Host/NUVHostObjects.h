/// @file
/// Concrete host objects: what a host application (the workbench, the tests) composes its work
/// items from. View parts never see these classes, only the interfaces they implement.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "NUVConfig.h"
#include "NUVIntf.h"

// The counted host objects are made with MakeCounted and destroyed by their last reference only:
// their destructors are not public.

class TNUVExtension : public TImplements<TTolvaRefCntIntfObject, IQIMExtension> {
 public:
  TNUVExtension(std::string name, std::string caption, TIntfPtr<IXMLNode> extData);
  std::string GetName() const override { return FName; }
  std::string GetCaption() const override { return FCaption; }
  TIntfPtr<IXMLNode> GetExtData() const override { return FExtData; }

 protected:
  ~TNUVExtension() override;

 private:
  std::string FName, FCaption;
  TIntfPtr<IXMLNode> FExtData;
};

class TNUVNamedValues : public TImplements<TTolvaRefCntIntfObject, INUVNamedValues> {
 public:
  bool HasValue(const std::string& name) const override;
  std::string GetStrValue(const std::string& name) const override;
  std::int64_t GetIntValue(const std::string& name) const override;
  void SetStrValue(const std::string& name, const std::string& value) override;
  void SetIntValue(const std::string& name, std::int64_t value) override;
  std::vector<std::string> Names() const override;

 protected:
  ~TNUVNamedValues() override;

 private:
  std::vector<std::pair<std::string, std::string>> FValues;  // in the order they were first set
  std::unordered_map<std::string, size_t> FIndex;            // name -> position in FValues
};

class TNUVDataContext : public TImplements<TTolvaRefCntIntfObject, INUVDataContext> {
 public:
  void RegisterDelegate(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) override;
  void UnregisterDelegate(const std::string& key) override;
  TIntfPtr<INUVDataDelegate> FindDelegate(const std::string& key) const override;
  std::vector<std::string> Keys() const override;
  TNUVValue ReadValue(const std::string& key) const override;
  void WriteValue(const std::string& key, const TNUVValue& value) override;

 protected:
  ~TNUVDataContext() override;

 private:
  // The entries are chained in the order their keys were registered; the map's nodes stay put,
  // so the chain holds no copy of a key.
  struct TEntry {
    TIntfPtr<INUVDataDelegate> Delegate;
    const std::string* Key = nullptr;
    TEntry* Previous = nullptr;
    TEntry* Next = nullptr;
  };
  std::unordered_map<std::string, TEntry> FDelegates;
  TEntry* FFirst = nullptr;
  TEntry* FLast = nullptr;
  // The entry looked up last: a key is mostly read right after it was written (a binding reads
  // back what it wrote, a handler the key that told it), and comparing one key is cheaper than
  // hashing it. Forgotten when its entry goes.
  mutable const TEntry* FRecent = nullptr;

  // A read or write calls its delegate without counting a reference to it: what the call
  // withdraws or replaces meanwhile (or the whole context, if the call releases it) is kept in
  // the outermost call's frame, on its stack, until that call returns.
  struct TCallFrame;
  class TCallScope;
  INUVDataDelegate* Registered(const std::string& key) const;   // null when none is
  INUVDataDelegate& DelegateFor(const std::string& key) const;  // raises when none is
  void Retire(TIntfPtr<INUVDataDelegate>& delegate);
  mutable TCallFrame* FCall = nullptr;
};

class TNUVServiceCenter : public TImplements<TTolvaRefCntIntfObject, INUVServiceCenter> {
 public:
  void RegisterService(const std::string& id, TIntfPtr<IInterface> service) override;
  void RegisterWeakService(const std::string& id, IInterface* service) override;
  void UnregisterService(const std::string& id) override;
  void WithdrawService(const std::string& id, const IInterface* service) override;
  TIntfPtr<IInterface> FindService(const std::string& id) const override;
  std::vector<std::string> ServiceIDs() const override;

 protected:
  ~TNUVServiceCenter() override;

 private:
  struct TEntry {
    std::string ID;
    IInterface* Service;
    TIntfPtr<IInterface> Held;  // nil for a weak registration
  };
  void Register(const std::string& id, IInterface* service, TIntfPtr<IInterface> held);
  void Withdraw(std::vector<TEntry>::iterator entry);
  std::vector<TEntry> FServices;
};

class TNUVEventBroker : public TImplements<TTolvaRefCntIntfObject, INUVEventBroker> {
 public:
  void Publish(const TNUVEvent& event) override;
  int Subscribe(std::function<void(const TNUVEvent&)> handler) override;
  void Unsubscribe(int subscription) override;

 protected:
  ~TNUVEventBroker() override;

 private:
  std::map<int, std::function<void(const TNUVEvent&)>> FHandlers;
  int FNext = 1;
};

/// A command of the action service.
struct TNUVCommandInfo {
  std::string ID;
  std::string Caption;
  std::string Hint;
  std::string ImageFile;
  std::optional<bool> ActionVisible;  ///< set: the actions support INUVActionState
};

/// The action service: each CreateAction makes a new TNUVAction for a declared command; running
/// the action publishes an ekCommand event.
class TNUVActionService : public TImplements<TTolvaRefCntIntfObject, INUVActionService> {
 public:
  TNUVActionService(TIntfPtr<INUVEventBroker> broker, TIntfPtr<INUVImageService> images);
  void AddCommand(const TNUVCommandInfo& command);
  std::unique_ptr<TCustomAction> CreateAction(const std::string& commandID) override;
  bool HasCommand(const std::string& commandID) const override;

 protected:
  ~TNUVActionService() override;

 private:
  std::unordered_map<std::string, TNUVCommandInfo> FCommands;  // by ID
  TIntfPtr<INUVEventBroker> FBroker;
  TIntfPtr<INUVImageService> FImages;
};

/// The host's action class: runs a command of the action service.
class TNUVAction : public TCustomAction {
 public:
  TNUVAction(TComponent* owner, std::string commandID);
  ~TNUVAction() override;
  const std::string& GetCommandID() const { return FCommandID; }

 private:
  std::string FCommandID;
};

/// The action of a command that says ActionVisible: it supports INUVActionState, which tells the
/// visibility the action takes when its item is merged. Actions of other commands do not.
class TNUVStateAction : public TImplements<TNUVAction, INUVActionState> {
 public:
  TNUVStateAction(TComponent* owner, std::string commandID, bool actionVisible);
  ~TNUVStateAction() override;
  bool GetActionVisible() override { return FActionVisible; }

 private:
  bool FActionVisible;
};

class TNUVImageService : public TImplements<TTolvaRefCntIntfObject, INUVImageService> {
 public:
  TNUVImageService();
  TNUVImageManager* GetImageManager() override { return &FManager; }

 protected:
  ~TNUVImageService() override;

 private:
  TNUVImageManager FManager;
};

/// A work item: its host control, parent, run state, named values and data context; it shares
/// the service center and event broker of its root.
class TNUVWorkItem : public TImplements<TTolvaRefCntIntfObject, INUVWorkItem> {
 public:
  /// A root work item. The host control is not owned.
  TNUVWorkItem(std::string id, TWinControl* hostControl, TIntfPtr<INUVServiceCenter> services,
               TIntfPtr<INUVEventBroker> broker);
  /// A nested work item sharing its parent's services and broker.
  TNUVWorkItem(std::string id, TWinControl* hostControl, TIntfPtr<INUVWorkItem> parent);

  std::string GetID() const override { return FID; }
  TWinControl* GetHostControl() const override { return FHostControl; }
  TIntfPtr<INUVWorkItem> GetParentWorkItem() const override { return FParent; }
  TNUVWorkItemState GetState() const override { return FState; }
  void SetState(TNUVWorkItemState state) { FState = state; }
  TIntfPtr<INUVNamedValues> GetNamedValues() const override { return FNamedValues; }
  TIntfPtr<INUVDataContext> GetDataContext() const override { return FDataContext; }
  TIntfPtr<INUVServiceCenter> GetServiceCenter() const override { return FServices; }
  TIntfPtr<INUVEventBroker> GetEventBroker() const override { return FBroker; }

 protected:
  ~TNUVWorkItem() override;

 private:
  std::string FID;
  TGuard<TWinControl> FHostControl;
  TIntfPtr<INUVWorkItem> FParent;
  TNUVWorkItemState FState = wsStopped;
  TIntfPtr<INUVNamedValues> FNamedValues;
  TIntfPtr<INUVDataContext> FDataContext;
  TIntfPtr<INUVServiceCenter> FServices;
  TIntfPtr<INUVEventBroker> FBroker;
};

/// The text of a data value as the workbench shows and parses it.
std::string ValueToText(const TNUVValue& value);
/// Parses text for a delegate of the given type; raises EConvertError naming the text.
TNUVValue TextToValue(const std::string& text, TNUVDataType type);
