// Peers that count what a native backend would hear, so that a test sees which changes a control
// repaints, moves or shows anew without drawing anything.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TbxControls.h"
#include "TbxPeers.h"

struct TPeerLog {
  int Invalidates = 0;
  int BoundsChanges = 0;
  int VisibleChanges = 0;
  int ParentChanges = 0;
  int FocusChanges = 0;
  int FormChanges = 0;
  int PeersMade = 0;
  bool GoneInParent = false;  // the peer went while its control still lay in a parent
};

// Installs a factory for the scope of a test: every control given a peer (Watch, or a control
// placed in a watched parent) counts into its own log.
class TRecordingPeers {
 public:
  TRecordingPeers() {
    SetPeerFactory([this](TControl& control) -> std::unique_ptr<TControlPeer> {
      ++FLogs[&control].PeersMade;
      return std::make_unique<TPeer>(FLogs[&control], control);
    });
  }
  ~TRecordingPeers() { SetPeerFactory(nullptr); }
  TRecordingPeers(const TRecordingPeers&) = delete;
  TRecordingPeers& operator=(const TRecordingPeers&) = delete;

  // The log of a control, which gets its peer now if it has none.
  const TPeerLog& Watch(TControl& control) {
    control.CreatePeer();
    return FLogs[&control];
  }

 private:
  class TPeer : public TControlPeer {
   public:
    TPeer(TPeerLog& log, const TControl& control) : FLog(log), FControl(control) {}
    ~TPeer() override { FLog.GoneInParent = FControl.GetParent() != nullptr; }
    void BoundsChanged() override { ++FLog.BoundsChanges; }
    void VisibleChanged() override { ++FLog.VisibleChanges; }
    void ParentChanged() override { ++FLog.ParentChanges; }
    void Invalidate() override { ++FLog.Invalidates; }
    void FocusChanged() override { ++FLog.FocusChanges; }
    void FormChanged() override { ++FLog.FormChanges; }

   private:
    TPeerLog& FLog;
    const TControl& FControl;
  };

  std::map<const TControl*, TPeerLog> FLogs;
};

// Counts the repaints one step makes: Repaints(log, [&] { ... }).
template <typename F>
int Repaints(const TPeerLog& log, F&& step) {
  const int before = log.Invalidates;
  step();
  return log.Invalidates - before;
}

// Named steps that each change one setting of a control.
using TSteps = std::vector<std::pair<std::string, std::function<void()>>>;

// How often a change may redraw: a control that also lays itself out again may redraw twice,
// which a backend merges into one paint.
enum class TRedraws { Once, AtLeastOnce };

// Each step changes what the control shows, redrawing it; the same step again sets the same value
// and redraws nothing.
inline void ExpectRedrawnOnlyByChanges(const TPeerLog& log, const TSteps& steps, TRedraws redraws) {
  for (const auto& [name, step] : steps) {
    const int changed = Repaints(log, step);
    if (redraws == TRedraws::Once)
      EXPECT_EQ(changed, 1) << name << " changed";
    else
      EXPECT_GE(changed, 1) << name << " changed";
    EXPECT_EQ(Repaints(log, step), 0) << name << " set to what it was";
  }
}
