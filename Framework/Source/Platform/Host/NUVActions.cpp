#include <algorithm>

#include "NUVHostObjects.h"

TNUVAction::TNUVAction(TComponent* owner, std::string commandID)
    : TCustomAction(owner), FCommandID(std::move(commandID)) {}

TNUVAction::~TNUVAction() = default;

TNUVStateAction::TNUVStateAction(TComponent* owner, std::string commandID, bool actionVisible)
    : TImplements(owner, std::move(commandID)), FActionVisible(actionVisible) {}

TNUVStateAction::~TNUVStateAction() = default;

namespace {
TNUVAction* NewAction(const TNUVCommandInfo& command, TComponent* owner) {
  if (command.ActionVisible) return new TNUVStateAction(owner, command.ID, *command.ActionVisible);
  return new TNUVAction(owner, command.ID);
}
}  // namespace

TNUVActionService::TNUVActionService(TIntfPtr<INUVEventBroker> broker, TIntfPtr<INUVImageService> images)
    : FBroker(std::move(broker)), FImages(std::move(images)) {}

TNUVActionService::~TNUVActionService() = default;

void TNUVActionService::AddCommand(const TNUVCommandInfo& command) {
  auto it =
      std::find_if(FCommands.begin(), FCommands.end(), [&](const TNUVCommandInfo& c) { return c.ID == command.ID; });
  if (it != FCommands.end())
    *it = command;
  else
    FCommands.push_back(command);
}

bool TNUVActionService::HasCommand(const std::string& commandID) const {
  return std::any_of(FCommands.begin(), FCommands.end(), [&](const TNUVCommandInfo& c) { return c.ID == commandID; });
}

TCustomAction* TNUVActionService::CreateAction(const std::string& commandID, TComponent* owner) {
  auto it =
      std::find_if(FCommands.begin(), FCommands.end(), [&](const TNUVCommandInfo& c) { return c.ID == commandID; });
  if (commandID.empty() || it == FCommands.end()) return nullptr;
  TNUVAction* action = NewAction(*it, owner);
  action->SetCaption(it->Caption);
  action->SetHint(it->Hint);
  if (FImages && !it->ImageFile.empty()) action->SetImageIndex(FImages->GetImageManager()->AddImage(it->ImageFile));
  action->OnExecute = [broker = FBroker, id = it->ID](TObject*) {
    if (!broker) return;
    TNUVEvent event;
    event.Kind = ekCommand;
    event.CommandID = id;
    broker->Publish(event);
  };
  return action;
}

// ---------------------------------------------------------------------------------------------

TNUVImageManager::TNUVImageManager() : FImageList(new TCustomImageList(nullptr)) {}

TNUVImageManager::~TNUVImageManager() { delete FImageList; }

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
