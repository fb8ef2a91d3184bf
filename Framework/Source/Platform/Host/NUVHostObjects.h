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

class TNUVExtension : public TTolvaRefCntIntfObject, public IQIMExtension {
 public:
  TNUVExtension(std::string name, std::string caption, TIntfPtr<IXMLNode> extData);
  bool QueryInterface(const TGUID& iid, void** obj) override;
  std::string GetName() const override { return FName; }
  std::string GetCaption() const override { return FCaption; }
  TIntfPtr<IXMLNode> GetExtData() const override { return FExtData; }

 private:
  std::string FName, FCaption;
  TIntfPtr<IXMLNode> FExtData;
};

class TNUVNamedValues : public TTolvaRefCntIntfObject, public INUVNamedValues {
 public:
  bool QueryInterface(const TGUID& iid, void** obj) override;
  bool HasValue(const std::string& name) const override;
  std::string GetStrValue(const std::string& name) const override;
  std::int64_t GetIntValue(const std::string& name) const override;
  void SetStrValue(const std::string& name, const std::string& value) override;
  void SetIntValue(const std::string& name, std::int64_t value) override;
  std::vector<std::string> Names() const override;

 private:
  std::vector<std::pair<std::string, std::string>> FValues;
};

class TNUVDataContext : public TTolvaRefCntIntfObject, public INUVDataContext {
 public:
  bool QueryInterface(const TGUID& iid, void** obj) override;
  void RegisterDelegate(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) override;
  void UnregisterDelegate(const std::string& key) override;
  TIntfPtr<INUVDataDelegate> FindDelegate(const std::string& key) const override;
  std::vector<std::string> Keys() const override;
  TNUVValue ReadValue(const std::string& key) const override;
  void WriteValue(const std::string& key, const TNUVValue& value) override;

 private:
  std::unordered_map<std::string, TIntfPtr<INUVDataDelegate>> FDelegates;
  std::vector<std::string> FOrder;
};

class TNUVServiceCenter : public TTolvaRefCntIntfObject, public INUVServiceCenter {
 public:
  bool QueryInterface(const TGUID& iid, void** obj) override;
  void RegisterService(const std::string& id, TIntfPtr<IInterface> service) override;
  void UnregisterService(const std::string& id) override;
  TIntfPtr<IInterface> FindService(const std::string& id) const override;
  std::vector<std::string> ServiceIDs() const override;

 private:
  std::vector<std::pair<std::string, TIntfPtr<IInterface>>> FServices;
};

class TNUVEventBroker : public TTolvaRefCntIntfObject, public INUVEventBroker {
 public:
  bool QueryInterface(const TGUID& iid, void** obj) override;
  void Publish(const TNUVEvent& event) override;
  int Subscribe(std::function<void(const TNUVEvent&)> handler) override;
  void Unsubscribe(int subscription) override;

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
class TNUVActionService : public TTolvaRefCntIntfObject, public INUVActionService {
 public:
  TNUVActionService(TIntfPtr<INUVEventBroker> broker, TIntfPtr<INUVImageService> images);
  bool QueryInterface(const TGUID& iid, void** obj) override;
  void AddCommand(const TNUVCommandInfo& command);
  TCustomAction* CreateAction(const std::string& commandID, TComponent* owner) override;
  bool HasCommand(const std::string& commandID) const override;

 private:
  std::vector<TNUVCommandInfo> FCommands;
  TIntfPtr<INUVEventBroker> FBroker;
  TIntfPtr<INUVImageService> FImages;
};

/// The host's action class; supports INUVActionState when its command says ActionVisible.
class TNUVAction : public TCustomAction, public INUVActionState {
 public:
  TNUVAction(TComponent* owner, std::string commandID, std::optional<bool> actionVisible);
  ~TNUVAction() override;
  const std::string& GetCommandID() const { return FCommandID; }
  bool QueryInterface(const TGUID& iid, void** obj) override;
  bool GetActionVisible() override { return FActionVisible.value_or(true); }

 private:
  std::string FCommandID;
  std::optional<bool> FActionVisible;
};

class TNUVImageService : public TTolvaRefCntIntfObject, public INUVImageService {
 public:
  TNUVImageService();
  ~TNUVImageService() override;
  bool QueryInterface(const TGUID& iid, void** obj) override;
  TNUVImageManager* GetImageManager() override { return &FManager; }

 private:
  TNUVImageManager FManager;
};

/// A work item: its host control, parent, run state, named values and data context; it shares
/// the service center and event broker of its root.
class TNUVWorkItem : public TTolvaRefCntIntfObject, public INUVWorkItem {
 public:
  /// A root work item. The host control is not owned.
  TNUVWorkItem(std::string id, TWinControl* hostControl, TIntfPtr<INUVServiceCenter> services,
               TIntfPtr<INUVEventBroker> broker);
  /// A nested work item sharing its parent's services and broker.
  TNUVWorkItem(std::string id, TWinControl* hostControl, TIntfPtr<INUVWorkItem> parent);
  bool QueryInterface(const TGUID& iid, void** obj) override;

  std::string GetID() const override { return FID; }
  TWinControl* GetHostControl() const override { return FHostControl; }
  TIntfPtr<INUVWorkItem> GetParentWorkItem() const override { return FParent; }
  int GetState() const override { return FState; }
  void SetState(int state) { FState = state; }
  TIntfPtr<INUVNamedValues> GetNamedValues() const override { return FNamedValues; }
  TIntfPtr<INUVDataContext> GetDataContext() const override { return FDataContext; }
  TIntfPtr<INUVServiceCenter> GetServiceCenter() const override { return FServices; }
  TIntfPtr<INUVEventBroker> GetEventBroker() const override { return FBroker; }

 private:
  std::string FID;
  TGuard<TWinControl> FHostControl;
  TIntfPtr<INUVWorkItem> FParent;
  int FState = 0;
  TIntfPtr<INUVNamedValues> FNamedValues;
  TIntfPtr<INUVDataContext> FDataContext;
  TIntfPtr<INUVServiceCenter> FServices;
  TIntfPtr<INUVEventBroker> FBroker;
};

/// The text of a data value as the workbench shows and parses it.
std::string ValueToText(const TNUVValue& value);
/// Parses text for a delegate of the given type; raises EConvertError naming the text.
TNUVValue TextToValue(const std::string& text, TNUVDataType type);
