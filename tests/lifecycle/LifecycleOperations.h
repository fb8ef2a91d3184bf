// The operations of the lifecycle test, in any order: running and stopping work items, showing,
// hiding, closing and activating children in work spaces, clicks on controls and items, data-key
// writes and reads, Initialize and Finalize, release and re-creation of view parts. Operations
// that the library refuses by design must raise the documented error and change nothing.
#pragma once

#include <random>
#include <string>

#include "LifecycleInvariants.h"

class TLifeOperations {
 public:
  TLifeOperations(TLifeWorld& world, TLifeChecker& checker, std::mt19937_64& random)
      : FWorld(world), FChecker(checker), FRandom(random) {}
  // Picks one operation and applies it. describe receives the operation's text before it runs,
  // so that a crash can still name it.
  void Step(const std::function<void(const std::string&)>& describe);
  int Refusals() const { return FRefusals; }

 private:
  int Pick(int count);
  bool Chance(int percent) { return Pick(100) < percent; }
  TSlot& AnySlot();

  void RunWorkItem(int workItem);
  void StopWorkItem(int workItem);
  void WorkSpaceOperation(int which);
  void ClickControl(TSlot& slot);
  void ClickItem();
  void WriteKey();
  void ReadKeys();
  void Release(TSlot& slot, bool finalizeFirst);
  void ResizePanel();

  TLifeWorld& FWorld;
  TLifeChecker& FChecker;
  std::mt19937_64& FRandom;
  std::function<void(const std::string&)> FDescribe;
  int FRefusals = 0;  // operations refused by design, with the documented error
};
