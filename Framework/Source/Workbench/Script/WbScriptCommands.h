// What each script command does; WbScriptCommandTable.cpp gives them their names and arguments.
#pragma once

#include "WbScript.h"

// WbScriptCommands.cpp: work items, work spaces, the user's gestures, data keys, services, the
// dump and the end.
void RunWorkItem(TWbScriptContext& context, const TWbScriptArgs& args);          // WI
void StopWorkItem(TWbScriptContext& context, const TWbScriptArgs& args);         // WI
void ShowInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args);      // WS VP
void HideInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args);      // WS VP
void CloseInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args);     // WS VP
void ActivateInWorkSpace(TWbScriptContext& context, const TWbScriptArgs& args);  // WS VP
void ClickControl(TWbScriptContext& context, const TWbScriptArgs& args);         // VP
void DblClickControl(TWbScriptContext& context, const TWbScriptArgs& args);      // VP
void PopupControl(TWbScriptContext& context, const TWbScriptArgs& args);         // VP
void SetValue(TWbScriptContext& context, const TWbScriptArgs& args);             // KEY VALUE
void GetValue(TWbScriptContext& context, const TWbScriptArgs& args);             // KEY
void ReportService(TWbScriptContext& context, const TWbScriptArgs& args);        // ID
void ReportKeys(TWbScriptContext& context, const TWbScriptArgs& args);
void DumpWindow(TWbScriptContext& context, const TWbScriptArgs& args);
void FinalizeViewPart(TWbScriptContext& context, const TWbScriptArgs& args);  // VP
void QuitScript(TWbScriptContext& context, const TWbScriptArgs& args);

// WbToolbarCommands.cpp: toolbar items and the toggle buttons of multi-dock panels.
void ClickItem(TWbScriptContext& context, const TWbScriptArgs& args);    // VP PATH
void ClickToggle(TWbScriptContext& context, const TWbScriptArgs& args);  // VP INDEX
void ResizePanel(TWbScriptContext& context, const TWbScriptArgs& args);  // VP INDEX W H

// WbDockCommands.cpp: the frame of dockable windows.
void ClickClose(TWbScriptContext& context, const TWbScriptArgs& args);    // VP
void ResizeDocked(TWbScriptContext& context, const TWbScriptArgs& args);  // VP SIZE

// WbStatusBarCommands.cpp: the user's clicks on status panels.
void ClickPanel(TWbScriptContext& context, const TWbScriptArgs& args);     // VP INDEX
void DblClickPanel(TWbScriptContext& context, const TWbScriptArgs& args);  // VP INDEX
