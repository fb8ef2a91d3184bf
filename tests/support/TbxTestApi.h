// What the toolkit counts for its tests only: whether a batch of changes was laid out once, and
// who still follows an action. The classes name TTbxTestApi their friend; nothing else reads it.
#pragma once

#include "TbxControls.h"
#include "TbxStatusBars.h"
#include "TbxToolbars.h"

class TTbxTestApi {
 public:
  /// How often the control has aligned its children.
  static int AlignCount(const TWinControl& control) { return control.FAlignCount; }
  /// The clients that follow the action.
  static int ClientCount(const TBasicAction& action) { return static_cast<int>(action.FClients.size()); }
  /// The update brackets now open, and the outermost ones closed so far.
  static int UpdateCount(const TTBCustomToolbar& toolbar) { return toolbar.FUpdateCount; }
  static int CompletedUpdates(const TTBCustomToolbar& toolbar) { return toolbar.FCompletedUpdates; }
  static int UpdateCount(const TTBXCustomStatusBar& bar) { return bar.FUpdateCount; }
  static int CompletedUpdates(const TTBXCustomStatusBar& bar) { return bar.FCompletedUpdates; }
};
