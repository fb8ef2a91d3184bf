// What each script command does; WbScriptCommandTable.cpp gives them their names and arguments.
#pragma once

#include "TbxDocks.h"
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
// The dockable window that VP's control is, or the nearest one around it: a multi-dock's panels
// belong to no view part and are named by the view part shown in them.
TTBCustomDockableWindow& DockableWindowOf(TWbApplication& app, const std::string& viewPart);
// "the TTBXToolbar of view part 'Main'", for messages.
std::string WindowName(const TTBCustomDockableWindow& window, const std::string& viewPart);

// WbDockingCommands.cpp: the window's size, and docking and floating toolbars and panels.
void ResizeWindow(TWbScriptContext& context, const TWbScriptArgs& args);     // W H
void DragToolbar(TWbScriptContext& context, const TWbScriptArgs& args);      // VP DOCK ROW POS
void DockWindow(TWbScriptContext& context, const TWbScriptArgs& args);       // VP DOCK ROW POS
void FloatWindow(TWbScriptContext& context, const TWbScriptArgs& args);      // VP X Y
void DblClickCaption(TWbScriptContext& context, const TWbScriptArgs& args);  // VP
void ResizeFloating(TWbScriptContext& context, const TWbScriptArgs& args);   // VP W H
void DragStart(TWbScriptContext& context, const TWbScriptArgs& args);        // VP X Y
void DragMove(TWbScriptContext& context, const TWbScriptArgs& args);         // X Y
void DragEnd(TWbScriptContext& context, const TWbScriptArgs& args);
void DragCancel(TWbScriptContext& context, const TWbScriptArgs& args);

// WbStatusBarCommands.cpp: the user's clicks on status panels.
void ClickPanel(TWbScriptContext& context, const TWbScriptArgs& args);     // VP INDEX
void DblClickPanel(TWbScriptContext& context, const TWbScriptArgs& args);  // VP INDEX

// WbKeyboardCommands.cpp: keys pressed in the window, and the focus.
void PressKey(TWbScriptContext& context, const TWbScriptArgs& args);      // KEY
void FocusControl(TWbScriptContext& context, const TWbScriptArgs& args);  // VP
