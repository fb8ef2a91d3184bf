// Helpers for status bar tests: a work item whose data context logs every registration and
// withdrawal, status bar view parts from inline XML, and children that name a panel.
#pragma once

#include <string>
#include <vector>

#include "NUVLabelViewPart.h"
#include "NUVStatusBarViewPart.h"
#include "TestHost.h"

// Passes everything on to the host's data context and logs "+key" and "-key" on the way; a
// registration of the key in Refused raises instead, as a host that will not take it would.
class TRecordingDataContext : public TImplements<TTolvaRefCntIntfObject, INUVDataContext> {
 public:
  explicit TRecordingDataContext(INUVDataContext& inner) : FInner(inner) {}
  void RegisterDelegate(const std::string& key, TIntfPtr<INUVDataDelegate> delegate) override {
    Log.push_back("+" + key);
    if (key == Refused) throw Exception("the host refuses the key " + key);
    FInner.RegisterDelegate(key, std::move(delegate));
  }
  void UnregisterDelegate(const std::string& key) override {
    Log.push_back("-" + key);
    FInner.UnregisterDelegate(key);
  }
  TIntfPtr<INUVDataDelegate> FindDelegate(const std::string& key) const override { return FInner.FindDelegate(key); }
  std::vector<std::string> Keys() const override { return FInner.Keys(); }
  TNUVValue ReadValue(const std::string& key) const override { return FInner.ReadValue(key); }
  void WriteValue(const std::string& key, const TNUVValue& value) override { FInner.WriteValue(key, value); }

  std::vector<std::string> Log;
  std::string Refused;

 protected:
  ~TRecordingDataContext() override = default;

 private:
  INUVDataContext& FInner;
};

// The host's work item with the recording data context in place of its own.
class TRecordingWorkItem : public TImplements<TTolvaRefCntIntfObject, INUVWorkItem> {
 public:
  explicit TRecordingWorkItem(TTestHost& host)
      : FInner(host.WorkItem()), FData(MakeCounted<TRecordingDataContext>(host.Data())) {}
  std::string GetID() const override { return FInner.GetID(); }
  TWinControl* GetHostControl() const override { return FInner.GetHostControl(); }
  TIntfPtr<INUVWorkItem> GetParentWorkItem() const override { return FInner.GetParentWorkItem(); }
  TNUVWorkItemState GetState() const override { return FInner.GetState(); }
  TIntfPtr<INUVNamedValues> GetNamedValues() const override { return FInner.GetNamedValues(); }
  TIntfPtr<INUVDataContext> GetDataContext() const override { return FData; }
  TIntfPtr<INUVServiceCenter> GetServiceCenter() const override { return FInner.GetServiceCenter(); }
  TIntfPtr<INUVEventBroker> GetEventBroker() const override { return FInner.GetEventBroker(); }

  std::vector<std::string>& Log() { return FData->Log; }
  void Refuse(const std::string& key) { FData->Refused = key; }

 protected:
  ~TRecordingWorkItem() override = default;

 private:
  INUVWorkItem& FInner;
  TIntfPtr<TRecordingDataContext> FData;
};

class StatusBarFixture : public ::testing::Test {
 protected:
  // A status bar view part named Main over the given extension data (empty: none), not initialised.
  TIntfPtr<TNUVStatusBarViewPart> MakeBar(const std::string& extData) {
    auto ext = Host.Extension("Main", "Main bar", extData);
    return MakeCounted<TNUVStatusBarViewPart>(ext.get(), WorkItem.get());
  }
  // An initialised status bar whose "StatusBar" element holds content.
  TIntfPtr<TNUVStatusBarViewPart> InitBar(const std::string& content) {
    auto bar = MakeBar("<ExtData><StatusBar>" + content + "</StatusBar></ExtData>");
    bar->Initialize();
    return bar;
  }
  // An initialised status bar in panel mode with the given "Panel" elements.
  TIntfPtr<TNUVStatusBarViewPart> PanelBar(const std::string& panels) {
    return InitBar("<Panels>" + panels + "</Panels>");
  }
  // An initialised label named name whose extension data holds extData.
  TIntfPtr<TNUVLabelViewPart> MakeChild(const std::string& name, const std::string& extData) {
    auto ext = Host.Extension(name, name, extData);
    auto child = MakeCounted<TNUVLabelViewPart>(ext.get(), Host.WorkItemIntf());
    child->Initialize();
    return child;
  }
  static TNUVStatusPanel& Panel(TNUVStatusBarViewPart& bar, int index) {
    return dynamic_cast<TNUVStatusPanel&>(*bar.GetStatusBar()->Panels().GetItem(index));
  }
  TNUVValue Read(const std::string& key) { return Host.Data().ReadValue(key); }
  void Write(const std::string& key, const TNUVValue& value) { Host.Data().WriteValue(key, value); }
  std::vector<std::string>& DataLog() { return WorkItem->Log(); }

  TTestHost Host;
  TIntfPtr<TRecordingWorkItem> WorkItem = MakeCounted<TRecordingWorkItem>(Host);
};
