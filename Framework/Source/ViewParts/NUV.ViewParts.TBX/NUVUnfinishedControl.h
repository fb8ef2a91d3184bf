// A view part whose Initialize fails leaves no control behind: half configured in the window, it
// would show settings that were never all applied. The control is made into the view part's field
// first (parts of Initialize reach it there) and freed again unless Initialize completes; Finalize
// then finds none, and a work space without control refuses its children clearly.
#pragma once

#include <memory>

template <class TControlClass>
class TNUVUnfinishedControl {
 public:
  explicit TNUVUnfinishedControl(std::unique_ptr<TControlClass>& field) : FField(field) {}
  ~TNUVUnfinishedControl() {
    if (!FFinished) FField.reset();
  }
  TNUVUnfinishedControl(const TNUVUnfinishedControl&) = delete;
  TNUVUnfinishedControl& operator=(const TNUVUnfinishedControl&) = delete;

  // Initialize completed: the control stays.
  void Finished() { FFinished = true; }

 private:
  std::unique_ptr<TControlClass>& FField;
  bool FFinished = false;
};
