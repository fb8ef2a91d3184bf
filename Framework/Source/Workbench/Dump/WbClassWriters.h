// The writers of the toolkit classes in the control dump, each in a unit of its own;
// WbControlWriterTable.cpp lists them with the class each writes.
#pragma once

#include "TbxDockablePanels.h"
#include "TbxDocks.h"
#include "TbxForms.h"
#include "TbxStatusBars.h"
#include "TbxTextObjects.h"
#include "TbxToolbars.h"
#include "WbControlWriters.h"

// WbLabelWriter.cpp
void WriteLabel(const TTBXCustomLabel& label, TWbControlProperties& properties);
// WbLinkWriter.cpp
void WriteLink(const TTBXCustomLink& link, TWbControlProperties& properties);
// WbButtonWriters.cpp
void WriteRadioButton(const TTBXCustomRadioButton& button, TWbControlProperties& properties);
void WriteCheckBox(const TTBXCustomCheckBox& box, TWbControlProperties& properties);
// WbStatusBarWriter.cpp
void WriteStatusBar(const TTBXCustomStatusBar& bar, TWbControlProperties& properties);
// WbDockWriters.cpp
void WriteDock(const TTBDock& dock, TWbControlProperties& properties);
// CloseButton, CloseButtonWhenDocked, DblClickUnDock, DockMode, DockPos, DockRow, Resizable,
// ShowCaption, DockableTo and FullSize, with notes for what differs from a new dockable window;
// also the first part of the writers of its subclasses.
void WriteDockableWindow(const TTBCustomDockableWindow& window, TWbControlProperties& properties);
void WriteDockablePanel(const TTBXCustomDockablePanel& panel, TWbControlProperties& properties);
// WbFormWriter.cpp
void WriteForm(const TForm& form, TWbControlProperties& properties);
// WbToolbarWriter.cpp
void WriteToolbar(const TTBCustomToolbar& toolbar, TWbControlProperties& properties);
