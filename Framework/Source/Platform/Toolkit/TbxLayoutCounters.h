// How much layout work the toolkit has done, for the tests and benchmarks that check that a change
// lays out only what it touches. Not part of the installed contract.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>

class TObject;

struct TTbxLayoutCounters {
  std::uint64_t AlignPasses = 0;     // layout passes over the children of one control
  std::uint64_t ControlsPlaced = 0;  // bounds set by a layout pass
};

TTbxLayoutCounters& TbxLayoutCounters();

/// While it lives, counts the layout work of one object: the passes in which a windowed control
/// laid its children out, and the outermost update brackets of a toolbar or status bar that closed.
class TTbxLayoutProbe {
 public:
  explicit TTbxLayoutProbe(const TObject& watched);
  ~TTbxLayoutProbe();
  TTbxLayoutProbe(const TTbxLayoutProbe&) = delete;
  TTbxLayoutProbe& operator=(const TTbxLayoutProbe&) = delete;

  int AlignPasses() const { return FAlignPasses; }
  int CompletedUpdates() const { return FCompletedUpdates; }

 private:
  friend void CountAlignPass(const TObject& control);
  friend void CountCompletedUpdate(const TObject& object);
  const TObject* FWatched;
  int FAlignPasses = 0;
  int FCompletedUpdates = 0;
};

/// What the toolkit reports as it lays out.
void CountAlignPass(const TObject& control);
void CountCompletedUpdate(const TObject& object);

#pragma GCC visibility pop
