// The invariants of the lifecycle test, checked after every step: controls and their parents,
// the children that work spaces list, toolbar items (each destroyed exactly once), published data
// keys and services, and merges that stopping must undo exactly.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "LifecycleWorld.h"
#include "TbxToolbars.h"

class TNUVToolBarViewPart;

// A broken invariant; the message says which and where.
class ELifecycleFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every live windowed control (all controls of the toolkit are): new ones are found by their
// handles, which are never reused, and free notification drops the destroyed ones.
class TControlTracker : private TFreeNotifySink {
 public:
  ~TControlTracker() override;
  void Scan();
  bool IsAlive(const TComponent* control) const { return FAlive.count(control) > 0; }
  const std::unordered_map<const TComponent*, TWinControl*>& Alive() const { return FAlive; }

 private:
  void ComponentFreed(TComponent* component) override { FAlive.erase(component); }
  std::unordered_map<const TComponent*, TWinControl*> FAlive;
  THandle FScanned = 0;
};

// Every toolbar item seen alive, with the number of times it was destroyed.
class TItemTracker : private TFreeNotifySink {
 public:
  ~TItemTracker() override;
  void Discover(TTBCustomItem* item);
  bool IsAlive(const TComponent* item) const { return FAlive.count(item) > 0; }
  const std::unordered_map<const TComponent*, TTBCustomItem*>& Alive() const { return FAlive; }
  // Items seen whose destruction was never heard, described.
  std::vector<std::string> NeverDestroyed() const;
  size_t Seen() const { return FRecords.size(); }

 private:
  struct TRecord {
    std::string Caption;
    int Destroyed = 0;
  };
  void ComponentFreed(TComponent* component) override;
  std::unordered_map<const TComponent*, TTBCustomItem*> FAlive;
  std::unordered_map<const TComponent*, size_t> FRecordOf;
  std::vector<TRecord> FRecords;
};

// The item tree of a toolbar as text, with addresses, so that equal texts mean the same items
// in the same order with the same visibility.
std::string DescribeTree(const TTBCustomItem* parent);

// Merges into target toolbars, each with the target as it was before and after. When a merging
// view part stops and nothing else touched the target since its merge, the target must be
// exactly as it was before the merge.
class TMergeTracker {
 public:
  explicit TMergeTracker(TControlTracker& controls, TItemTracker& items) : FControls(controls), FItems(items) {}
  // Runs a call that may merge (a run, a child placed in a toolbar) and records what merged.
  // rebuilt is the toolbar that the call itself fills, if any: merges into it are not recorded,
  // since its state between the filling and the merge cannot be seen.
  void AroundMerging(TLifeWorld& world, const std::function<void()>& call, const TTBXToolbar* rebuilt = nullptr);
  // Runs the stop of a toolbar view part and checks that its merges are undone.
  void AroundStop(TNUVToolBarViewPart& viewPart, const std::function<void()>& call);
  int Recorded() const { return FRecorded; }
  int ExactChecks() const { return FExactChecks; }

 private:
  struct TEntry {
    const TNUVToolBarViewPart* ViewPart;
    std::string Before, After;
    bool FirstMerge;  // the view part had merged nothing before: Before is the target without it
    // What the view part had merged after the call. An item that has left that list since (another
    // work space deleted its control item) leaves the target, and a new one may take its address.
    std::vector<TTBCustomItem*> Merged;
    // The target's handle: a toolbar destroyed between two scans may leave its address to a new
    // control, which is not the target.
    THandle Target;
  };
  std::map<const TTBXToolbar*, std::string> Targets() const;
  TTBXToolbar* TargetOf(const std::vector<TTBCustomItem*>& merged) const;
  void Prune();

  TControlTracker& FControls;
  TItemTracker& FItems;
  std::map<const TTBXToolbar*, std::vector<TEntry>> FStacks;
  int FRecorded = 0;
  int FExactChecks = 0;
};

class TLifeChecker {
 public:
  explicit TLifeChecker(TLifeWorld& world) : FWorld(world) {}
  // Raises ELifecycleFailure for the first broken invariant.
  void Check();
  // After the world is gone: every item seen was destroyed exactly once, every view part too.
  void CheckTornDown(const TLiveViewParts& live) const;
  TMergeTracker& Merges() { return FMerges; }
  void Discover();
  size_t ItemsSeen() const { return FItems.Seen(); }

 private:
  void CheckControls() const;
  void CheckViewParts() const;
  void CheckItems() const;
  void CheckStatusPanels() const;
  void CheckKeys() const;
  void CheckServices() const;
  void CheckLayout() const;

  TLifeWorld& FWorld;
  TControlTracker FControls;
  TItemTracker FItems;
  TMergeTracker FMerges{FControls, FItems};
};

// The data keys that a live view part has published, as its kind promises.
std::vector<std::string> ExpectedKeys(const TLiveViewPart& part, const TSlotDecl& decl);
