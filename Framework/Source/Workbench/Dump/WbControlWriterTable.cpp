// Every control writer of the dump. A new writer is one row here; the dump picks the most derived
// class of each control, whatever the order of the rows.
#include "WbClassWriters.h"

const std::vector<TWbControlWriter>& ControlWriterTable() {
  static const std::vector<TWbControlWriter> table{
      ControlWriter<TTBXCustomLabel>(WriteLabel),
      ControlWriter<TTBXCustomLink>(WriteLink),
      ControlWriter<TTBXCustomRadioButton>(WriteRadioButton),
      ControlWriter<TTBXCustomCheckBox>(WriteCheckBox),
      ControlWriter<TTBXCustomStatusBar>(WriteStatusBar),
      ControlWriter<TTBDock>(WriteDock),
      ControlWriter<TTBCustomDockableWindow>(WriteDockableWindow),
      ControlWriter<TTBXCustomDockablePanel>(WriteDockablePanel),
      ControlWriter<TTBCustomToolbar>(WriteToolbar),
      ControlWriter<TForm>(WriteForm),
  };
  return table;
}
