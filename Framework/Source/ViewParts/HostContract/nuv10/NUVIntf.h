/// @file
/// NUV10 host interfaces: view parts, work spaces, work items, extensions, data context, services.
#pragma once
#pragma GCC visibility push(default)

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "KolXml.h"
#include "TbxControls.h"

class INUVWorkSpace;
class INUVWorkItem;
class INUVDataContext;
class INUVServiceCenter;
class INUVEventBroker;

/// Arguments of DoWorkItemRunning and DoWorkItemStopping that view parts do not use.
class INUVParamContext : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C01}");
  virtual std::string GetParam(const std::string& name) const = 0;
};

/// The plug-in declaration that created a view part.
class IQIMExtension : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C02}");
  virtual std::string GetName() const = 0;            ///< the view part name
  virtual std::string GetCaption() const = 0;         ///< the initial stored caption
  virtual TIntfPtr<IXMLNode> GetExtData() const = 0;  ///< nil when the declaration has none
};

class INUVViewPart : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C03}");
  virtual std::string GetName() = 0;
  virtual std::string GetCaption() = 0;
  virtual TIntfPtr<IXMLNode> GetExtData() = 0;
  virtual TControl* GetControl() = 0;
  virtual std::string DefaultAlign() = 0;  ///< a TAlign name less its al prefix, or empty
  virtual void Initialize() = 0;
  virtual void Finalize() = 0;
  virtual void DoWorkItemRunning(const std::string& name, INUVParamContext* context, bool& handled) = 0;
  virtual void DoWorkItemStopping(const std::string& name, INUVParamContext* context, bool& handled) = 0;
  virtual void SetWorkSpace(INUVWorkSpace* workSpace) = 0;
  virtual INUVWorkSpace* GetWorkSpace() = 0;
  virtual bool GetIsFocused() = 0;
  virtual void SetIsFocused(bool focused) = 0;
  virtual bool GetVisible() = 0;
};

class INUVWorkSpace : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C04}");
  virtual void ShowViewPart(INUVViewPart* child) = 0;
  virtual void HideViewPart(INUVViewPart* child) = 0;
  virtual void CloseViewPart(INUVViewPart* child) = 0;
  virtual void ActivateViewPart(INUVViewPart* child) = 0;
};

/// Named values of a work item ("CurrentWorkBench" at the root, application values).
class INUVNamedValues : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C05}");
  virtual bool HasValue(const std::string& name) const = 0;
  virtual std::string GetStrValue(const std::string& name) const = 0;   ///< "" when missing
  virtual std::int64_t GetIntValue(const std::string& name) const = 0;  ///< 0 when missing or not a number
  virtual void SetStrValue(const std::string& name, const std::string& value) = 0;
  virtual void SetIntValue(const std::string& name, std::int64_t value) = 0;
  virtual std::vector<std::string> Names() const = 0;
};

/// A work item's run state; GetState answers 1 (wsRunning) while the work item runs.
KOL_ENUM(TNUVWorkItemState, wsStopped, wsRunning)

class INUVWorkItem : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C06}");
  virtual std::string GetID() const = 0;
  virtual TWinControl* GetHostControl() const = 0;
  virtual TIntfPtr<INUVWorkItem> GetParentWorkItem() const = 0;  ///< nil at the root
  virtual TNUVWorkItemState GetState() const = 0;
  virtual TIntfPtr<INUVNamedValues> GetNamedValues() const = 0;
  virtual TIntfPtr<INUVDataContext> GetDataContext() const = 0;
  virtual TIntfPtr<INUVServiceCenter> GetServiceCenter() const = 0;
  virtual TIntfPtr<INUVEventBroker> GetEventBroker() const = 0;
};

// ---------------------------------------------------------------------------------------------
// Data binding

KOL_ENUM(TNUVDataType, dtString, dtInteger, dtBoolean)
using TNUVValue = std::variant<std::string, int, bool>;

class INUVDataDelegate : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C07}");
  virtual TNUVDataType GetDataType() const = 0;
  virtual TNUVValue GetValue() const = 0;
  /// Raises EConvertError when the value is not of the delegate's type.
  virtual void SetValue(const TNUVValue& value) = 0;
};

class INUVDataContext : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C08}");
  /// Registering a key again replaces its delegate.
  virtual void RegisterDelegate(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) = 0;
  /// Harmless for a key never registered.
  virtual void UnregisterDelegate(const std::string& key) = 0;
  virtual TIntfPtr<INUVDataDelegate> FindDelegate(const std::string& key) const = 0;
  virtual std::vector<std::string> Keys() const = 0;  ///< in order of registration
  /// The data-binding side; both raise EDataKeyError for a key that is not registered.
  virtual TNUVValue ReadValue(const std::string& key) const = 0;
  virtual void WriteValue(const std::string& key, const TNUVValue& value) = 0;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
  ~EConvertError() override;
};
class EDataKeyError : public Exception {
 public:
  using Exception::Exception;
  ~EDataKeyError() override;
};

// ---------------------------------------------------------------------------------------------
// Services and events

class INUVServiceCenter : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C09}");
  /// Holds a counted reference until the service is withdrawn; registering an ID again replaces it.
  virtual void RegisterService(const std::string& id, TIntfPtr<IInterface> service) = 0;
  /// Registers a service without holding a reference to it, for a service that lives by its other
  /// holders (a view part that publishes itself, and holds the work item that holds this center):
  /// it withdraws itself with WithdrawService before it goes. FindService hands out counted
  /// references to it as to any other service; registering the ID again replaces it.
  virtual void RegisterWeakService(const std::string& id, IInterface* service) = 0;
  virtual void UnregisterService(const std::string& id) = 0;  ///< harmless for an unknown ID
  /// Withdraws id only while service is what is registered under it, counting no reference to
  /// service: a service may call it from its destructor.
  virtual void WithdrawService(const std::string& id, const IInterface* service) = 0;
  virtual TIntfPtr<IInterface> FindService(const std::string& id) const = 0;  ///< nil if none
  virtual std::vector<std::string> ServiceIDs() const = 0;
};

KOL_ENUM(TNUVEventKind, ekTopic, ekCommand, ekClick, ekDblClick, ekContextPopup, ekFocus)

/// What happened in the host: a topic fired, a command run, a base-class handler reached.
struct TNUVEvent {
  TNUVEventKind Kind = ekTopic;
  std::string Topic;        ///< ekTopic: the topic with its %s filled
  std::string ViewPart;     ///< the view part concerned, when there is one
  std::string SenderClass;  ///< ekTopic: class name of the sender object, "" for none
  std::string CommandID;    ///< ekCommand
};

class INUVEventBroker : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C0A}");
  virtual void Publish(const TNUVEvent& event) = 0;
  /// Subscribers hear every event in the order of publication; the result identifies the
  /// subscription for Unsubscribe.
  virtual int Subscribe(std::function<void(const TNUVEvent&)> handler) = 0;
  virtual void Unsubscribe(int subscription) = 0;
};

/// Optional on an action object: the visibility the action is to have when its item is merged.
class INUVActionState : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{11351641-EAF7-4E31-BCA8-494A3C033BB0}");
  virtual bool GetActionVisible() = 0;
};

class INUVActionService : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C0B}");
  /// A new action for the command, owned by nobody: the caller hands it to its owner
  /// (TComponent::InsertComponent). Nil for an empty or unknown command ID.
  virtual std::unique_ptr<TCustomAction> CreateAction(const std::string& commandID) = 0;
  virtual bool HasCommand(const std::string& commandID) const = 0;
};

/// The shared image list of an application and the files loaded into it.
class TNUVImageManager : public TObject {
 public:
  TNUVImageManager();
  ~TNUVImageManager() override;
  TCustomImageList* GetImageList() const { return FImageList.get(); }
  /// The index of the file's image; the same file name gives the same index. An empty name gives
  /// -1, no image.
  int AddImage(const std::string& fileName);
  /// Told of each file name that AddImage adds to the list, after it is added: the host checks the
  /// files it will read.
  std::function<void(const std::string& fileName)> OnAddImage;

 private:
  std::unique_ptr<TCustomImageList> FImageList;
};

class INUVImageService : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{3B0F7A21-6E4D-4F0A-9C2B-5D8E1A7F3C0C}");
  virtual TNUVImageManager* GetImageManager() = 0;
};

#pragma GCC visibility pop
