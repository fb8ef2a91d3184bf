#include <algorithm>
#include <memory>

#include "NUVHostObjects.h"

TNUVAction::TNUVAction(TComponent* owner, std::string commandID)
    : TCustomAction(owner), FCommandID(std::move(commandID)) {}

TNUVAction::~TNUVAction() = default;

TNUVStateAction::TNUVStateAction(TComponent* owner, std::string commandID, bool actionVisible)
    : TImplements(owner, std::move(commandID)), FActionVisible(actionVisible) {}

TNUVStateAction::~TNUVStateAction() = default;

namespace {
std::unique_ptr<TNUVAction> NewAction(const TNUVCommandInfo& command) {
  if (command.ActionVisible) return std::make_unique<TNUVStateAction>(nullptr, command.ID, *command.ActionVisible);
  return std::make_unique<TNUVAction>(nullptr, command.ID);
}
}  // namespace

TNUVActionService::TNUVActionService(TIntfPtr<INUVEventBroker> broker, TIntfPtr<INUVImageService> images)
    : FBroker(std::move(broker)), FImages(std::move(images)) {}

TNUVActionService::~TNUVActionService() = default;

void TNUVActionService::AddCommand(const TNUVCommandInfo& command) { FCommands.insert_or_assign(command.ID, command); }

bool TNUVActionService::HasCommand(const std::string& commandID) const { return FCommands.contains(commandID); }

std::unique_ptr<TCustomAction> TNUVActionService::CreateAction(const std::string& commandID) {
  auto found = FCommands.find(commandID);
  if (commandID.empty() || found == FCommands.end()) return nullptr;
  const TNUVCommandInfo& command = found->second;
  std::unique_ptr<TNUVAction> action = NewAction(command);
  action->SetCaption(command.Caption);
  action->SetHint(command.Hint);
  if (FImages && !command.ImageFile.empty())
    action->SetImageIndex(FImages->GetImageManager()->AddImage(command.ImageFile));
  action->OnExecute = [broker = FBroker, id = command.ID](TObject*) {
    if (!broker) return;
    TNUVEvent event;
    event.Kind = ekCommand;
    event.CommandID = id;
    broker->Publish(event);
  };
  return action;
}

// ---------------------------------------------------------------------------------------------

TNUVImageManager::TNUVImageManager() : FImageList(std::make_unique<TCustomImageList>(nullptr)) {}

TNUVImageManager::~TNUVImageManager() = default;

int TNUVImageManager::AddImage(const std::string& fileName) {
  if (fileName.empty()) return -1;
  for (int i = 0; i < FImageList->Count(); ++i)
    if (FImageList->FileName(i) == fileName) return i;
  const int index = FImageList->Add(fileName);
  if (OnAddImage) OnAddImage(fileName);
  return index;
}

TNUVImageService::TNUVImageService() = default;

TNUVImageService::~TNUVImageService() = default;
