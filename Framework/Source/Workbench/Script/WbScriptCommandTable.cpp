// Every script command: its name, the names of its arguments (for messages; the runner checks
// their number) and what it does. A new command is one row here.
#include "WbScriptCommands.h"

const std::vector<TWbScriptCommandRow>& ScriptCommandTable() {
  static const std::vector<TWbScriptCommandRow> table{
      {"run", {{"WI"}, RunWorkItem}},
      {"stop", {{"WI"}, StopWorkItem}},
      {"show", {{"WS", "VP"}, ShowInWorkSpace}},
      {"hide", {{"WS", "VP"}, HideInWorkSpace}},
      {"close", {{"WS", "VP"}, CloseInWorkSpace}},
      {"activate", {{"WS", "VP"}, ActivateInWorkSpace}},
      {"click", {{"VP"}, ClickControl}},
      {"dblclick", {{"VP"}, DblClickControl}},
      {"popup", {{"VP"}, PopupControl}},
      {"click-item", {{"VP", "PATH"}, ClickItem}},
      {"click-panel", {{"VP", "INDEX"}, ClickPanel}},
      {"dblclick-panel", {{"VP", "INDEX"}, DblClickPanel}},
      {"click-toggle", {{"VP", "INDEX"}, ClickToggle}},
      {"resize-panel", {{"VP", "INDEX", "W", "H"}, ResizePanel}},
      {"click-close", {{"VP"}, ClickClose}},
      {"resize-docked", {{"VP", "SIZE"}, ResizeDocked}},
      {"resize-window", {{"W", "H"}, ResizeWindow}},
      {"drag-toolbar", {{"VP", "DOCK", "ROW", "POS"}, DragToolbar}},
      {"dock", {{"VP", "DOCK", "ROW", "POS"}, DockWindow}},
      {"float", {{"VP", "X", "Y"}, FloatWindow}},
      {"dblclick-caption", {{"VP"}, DblClickCaption}},
      {"resize-floating", {{"VP", "W", "H"}, ResizeFloating}},
      {"drag-start", {{"VP", "X", "Y"}, DragStart}},
      {"drag-move", {{"X", "Y"}, DragMove}},
      {"drag-end", {{}, DragEnd}},
      {"drag-cancel", {{}, DragCancel}},
      {"key", {{"KEY"}, PressKey}},
      {"focus", {{"VP"}, FocusControl}},
      {"set", {{"KEY", "VALUE"}, SetValue}},
      {"get", {{"KEY"}, GetValue}},
      {"service", {{"ID"}, ReportService}},
      {"keys", {{}, ReportKeys}},
      {"dump", {{}, DumpWindow}},
      {"finalize", {{"VP"}, FinalizeViewPart}},
      {"quit", {{}, QuitScript}},
  };
  return table;
}
