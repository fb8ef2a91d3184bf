// Components that report what happens to them, for the toolkit tests.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TbxClasses.h"

// Writes its name to a log when it is destroyed; may destroy another component on the way.
class TLoggedComponent : public TComponent {
 public:
  TLoggedComponent(TComponent* owner, std::vector<std::string>& log, const std::string& name)
      : TComponent(owner), FLog(log) {
    SetName(name);
  }
  ~TLoggedComponent() override {
    FLog.push_back(GetName());
    delete AlsoDestroy;
  }
  TComponent* AlsoDestroy = nullptr;

 private:
  std::vector<std::string>& FLog;
};

// Records the notifications it receives.
class TNotifiedComponent : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<std::pair<TComponent*, TOperation>> Heard;

 protected:
  void Notification(TComponent* component, TOperation operation) override { Heard.emplace_back(component, operation); }
};

// Reports each destroyed component it watched, with its own name, to a record that outlives it.
class TReportingComponent : public TComponent {
 public:
  TReportingComponent(std::vector<std::pair<std::string, TComponent*>>& heard, const std::string& name)
      : TComponent(nullptr), FHeard(heard) {
    SetName(name);
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove) FHeard.emplace_back(GetName(), component);
  }

 private:
  std::vector<std::pair<std::string, TComponent*>>& FHeard;
};

// A sink that hands each freed component to a handler.
class TCallbackSink : public TFreeNotifySink {
 public:
  std::vector<TComponent*> Freed;
  std::function<void(TComponent*)> OnFreed;

 protected:
  void ComponentFreed(TComponent* component) override {
    Freed.push_back(component);
    if (OnFreed) OnFreed(component);
  }
};
