#include "NUVHostObjects.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <memory>

TNUVExtension::TNUVExtension(std::string name, std::string caption, TIntfPtr<IXMLNode> extData)
    : FName(std::move(name)), FCaption(std::move(caption)), FExtData(std::move(extData)) {}

TNUVExtension::~TNUVExtension() = default;

// ---------------------------------------------------------------------------------------------

TNUVNamedValues::~TNUVNamedValues() = default;

bool TNUVNamedValues::HasValue(const std::string& name) const { return FIndex.contains(name); }

std::string TNUVNamedValues::GetStrValue(const std::string& name) const {
  auto it = FIndex.find(name);
  return it == FIndex.end() ? std::string() : FValues[it->second].second;
}

std::int64_t TNUVNamedValues::GetIntValue(const std::string& name) const {
  std::string text = GetStrValue(name);
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

void TNUVNamedValues::SetStrValue(const std::string& name, const std::string& value) {
  auto [it, added] = FIndex.try_emplace(name, FValues.size());
  if (added)
    FValues.emplace_back(name, value);
  else
    FValues[it->second].second = value;
}

void TNUVNamedValues::SetIntValue(const std::string& name, std::int64_t value) {
  SetStrValue(name, std::to_string(value));
}

std::vector<std::string> TNUVNamedValues::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : FValues) names.push_back(entry.first);
  return names;
}

// ---------------------------------------------------------------------------------------------

struct TNUVDataContext::TCallFrame {
  std::unique_ptr<std::vector<TIntfPtr<INUVDataDelegate>>> Retired;  // made by the first to retire
  bool ContextGone = false;
};

class TNUVDataContext::TCallScope {
 public:
  explicit TCallScope(const TNUVDataContext& context) : FContext(context), FOutermost(!context.FCall) {
    if (FOutermost) context.FCall = &FFrame;
  }
  // The retired delegates go with the frame, after the context has forgotten it.
  ~TCallScope() {
    if (FOutermost && !FFrame.ContextGone) FContext.FCall = nullptr;
  }
  TCallScope(const TCallScope&) = delete;
  TCallScope& operator=(const TCallScope&) = delete;

 private:
  const TNUVDataContext& FContext;
  TCallFrame FFrame;
  bool FOutermost;
};

TNUVDataContext::~TNUVDataContext() {
  if (!FCall) return;
  FCall->ContextGone = true;
  for (auto& [key, entry] : FDelegates) Retire(entry.Delegate);
}

void TNUVDataContext::Retire(TIntfPtr<INUVDataDelegate>& delegate) {
  if (!FCall || !delegate) return;
  if (!FCall->Retired) FCall->Retired = std::make_unique<std::vector<TIntfPtr<INUVDataDelegate>>>();
  FCall->Retired->push_back(std::move(delegate));
}

void TNUVDataContext::RegisterDelegate(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) {
  auto [it, inserted] = FDelegates.try_emplace(key);
  TEntry& entry = it->second;
  if (inserted) {
    entry.Key = &it->first;
    entry.Previous = FLast;
    (FLast ? FLast->Next : FFirst) = &entry;
    FLast = &entry;
  }
  Retire(entry.Delegate);
  entry.Delegate = std::move(delegate);
}

void TNUVDataContext::UnregisterDelegate(const std::string& key) {
  auto it = FDelegates.find(key);
  if (it == FDelegates.end()) return;
  TEntry& entry = it->second;
  (entry.Previous ? entry.Previous->Next : FFirst) = entry.Next;
  (entry.Next ? entry.Next->Previous : FLast) = entry.Previous;
  Retire(entry.Delegate);
  if (FRecent == &entry) FRecent = nullptr;
  FDelegates.erase(it);
}

INUVDataDelegate* TNUVDataContext::Registered(const std::string& key) const {
  if (FRecent && *FRecent->Key == key) return FRecent->Delegate.get();
  auto it = FDelegates.find(key);
  if (it == FDelegates.end()) return nullptr;
  FRecent = &it->second;
  return it->second.Delegate.get();
}

TIntfPtr<INUVDataDelegate> TNUVDataContext::FindDelegate(const std::string& key) const {
  return TIntfPtr<INUVDataDelegate>(Registered(key));
}

std::vector<std::string> TNUVDataContext::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(FDelegates.size());
  for (const TEntry* entry = FFirst; entry; entry = entry->Next) keys.push_back(*entry->Key);
  return keys;
}

namespace {
[[noreturn]] void RaiseUnknownKey(const std::string& key) {
  throw EDataKeyError("data key '" + key + "' is not registered");
}
}  // namespace

INUVDataDelegate& TNUVDataContext::DelegateFor(const std::string& key) const {
  INUVDataDelegate* delegate = Registered(key);
  if (!delegate) RaiseUnknownKey(key);
  return *delegate;
}

// Neither touches the context once the delegate has been called: the call may have released it.
TNUVValue TNUVDataContext::ReadValue(const std::string& key) const {
  INUVDataDelegate& delegate = DelegateFor(key);
  TCallScope scope(*this);
  return delegate.GetValue();
}

void TNUVDataContext::WriteValue(const std::string& key, const TNUVValue& value) {
  INUVDataDelegate& delegate = DelegateFor(key);
  TCallScope scope(*this);
  delegate.SetValue(value);
}

// ---------------------------------------------------------------------------------------------

TNUVServiceCenter::~TNUVServiceCenter() = default;

void TNUVServiceCenter::RegisterService(const std::string& id, TIntfPtr<IInterface> service) {
  IInterface* raw = service.get();
  Register(id, raw, std::move(service));
}

void TNUVServiceCenter::RegisterWeakService(const std::string& id, IInterface* service) {
  Register(id, service, nullptr);
}

// The one replaced is released after the entry holds the new one.
void TNUVServiceCenter::Register(const std::string& id, IInterface* service, TIntfPtr<IInterface> held) {
  for (auto& entry : FServices)
    if (entry.ID == id) {
      entry.Service = service;
      std::swap(entry.Held, held);
      return;
    }
  FServices.push_back({id, service, std::move(held)});
}

void TNUVServiceCenter::UnregisterService(const std::string& id) {
  auto it = std::find_if(FServices.begin(), FServices.end(), [&](const TEntry& entry) { return entry.ID == id; });
  if (it != FServices.end()) Withdraw(it);
}

void TNUVServiceCenter::WithdrawService(const std::string& id, const IInterface* service) {
  auto it = std::find_if(FServices.begin(), FServices.end(),
                         [&](const TEntry& entry) { return entry.ID == id && entry.Service == service; });
  if (it != FServices.end()) Withdraw(it);
}

// Released outside the list: the last release may destroy a service that calls back in.
void TNUVServiceCenter::Withdraw(std::vector<TEntry>::iterator entry) {
  TIntfPtr<IInterface> released = std::move(entry->Held);
  FServices.erase(entry);
}

TIntfPtr<IInterface> TNUVServiceCenter::FindService(const std::string& id) const {
  for (const auto& entry : FServices)
    if (entry.ID == id) return TIntfPtr<IInterface>(entry.Service);
  return nullptr;
}

std::vector<std::string> TNUVServiceCenter::ServiceIDs() const {
  std::vector<std::string> ids;
  for (const auto& entry : FServices) ids.push_back(entry.ID);
  return ids;
}

// ---------------------------------------------------------------------------------------------

TNUVEventBroker::~TNUVEventBroker() = default;

void TNUVEventBroker::Publish(const TNUVEvent& event) {
  if (FHandlers.empty()) return;
  // A handler may unsubscribe (itself or another) while the event is delivered.
  std::vector<int> ids;
  for (const auto& entry : FHandlers) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = FHandlers.find(id);
    if (it != FHandlers.end()) it->second(event);
  }
}

int TNUVEventBroker::Subscribe(std::function<void(const TNUVEvent&)> handler) {
  FHandlers.emplace(FNext, std::move(handler));
  return FNext++;
}

void TNUVEventBroker::Unsubscribe(int subscription) { FHandlers.erase(subscription); }

// ---------------------------------------------------------------------------------------------

TNUVWorkItem::TNUVWorkItem(std::string id, TWinControl* hostControl, TIntfPtr<INUVServiceCenter> services,
                           TIntfPtr<INUVEventBroker> broker)
    : FID(std::move(id)),
      FHostControl(hostControl),
      FNamedValues(MakeCounted<TNUVNamedValues>()),
      FDataContext(MakeCounted<TNUVDataContext>()),
      FServices(std::move(services)),
      FBroker(std::move(broker)) {}

TNUVWorkItem::TNUVWorkItem(std::string id, TWinControl* hostControl, TIntfPtr<INUVWorkItem> parent)
    : TNUVWorkItem(std::move(id), hostControl, parent ? parent->GetServiceCenter() : nullptr,
                   parent ? parent->GetEventBroker() : nullptr) {
  FParent = std::move(parent);
}

TNUVWorkItem::~TNUVWorkItem() = default;
