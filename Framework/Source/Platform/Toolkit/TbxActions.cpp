// Actions and their clients.
#include "TbxControls.h"
#include "TbxFields.h"

namespace {
auto IsEntryOf(TComponent* client) {
  return [client](const auto& entry) { return entry.Component == client; };
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TBasicAction

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  // Controls guarding this action let go before its clients and handlers go.
  Destroying();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::AddClient(TComponent* client, std::function<void()> changed) {
  if (!client) return;
  RemoveClient(client);
  FClients.push_back({client, std::move(changed)});
  Watch(client);
}

void TBasicAction::RemoveClient(TComponent* client) {
  auto removed = std::erase_if(FClients, IsEntryOf(client));
  for (; removed > 0; --removed) Unwatch(client);
}

void TBasicAction::Change() {
  // A client may leave, or be destroyed, while another is being told: each is looked up afresh.
  std::vector<TComponent*> clients;
  for (const TClient& c : FClients) clients.push_back(c.Component);
  for (TComponent* client : clients) {
    auto it = std::find_if(FClients.begin(), FClients.end(), IsEntryOf(client));
    if (it == FClients.end()) continue;
    std::function<void()> changed = it->Changed;
    if (changed) changed();
  }
}

void TBasicAction::ComponentFreed(TComponent* component) { std::erase_if(FClients, IsEntryOf(component)); }

// ---------------------------------------------------------------------------------------------
// TCustomAction

TCustomAction::TCustomAction(TComponent* owner) : TBasicAction(owner) {}
TCustomAction::~TCustomAction() = default;

void TCustomAction::SetCaption(const std::string& caption) {
  if (UpdateField(FCaption, caption)) Change();
}

void TCustomAction::SetHint(const std::string& hint) {
  if (UpdateField(FHint, hint)) Change();
}

void TCustomAction::SetVisible(bool visible) {
  if (UpdateField(FVisible, visible)) Change();
}

void TCustomAction::SetEnabled(bool enabled) {
  if (UpdateField(FEnabled, enabled)) Change();
}

void TCustomAction::SetImageIndex(int index) {
  if (UpdateField(FImageIndex, index)) Change();
}

bool TCustomAction::Execute() { return FEnabled && TBasicAction::Execute(); }
