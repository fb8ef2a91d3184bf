// Every control writer of the dump, one per kind of control. A new writer is one row here; the
// dump picks the writer of each control's kind, or of the nearest kind it derives from that has
// one, whatever the order of the rows.
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
