// The dockable window's properties in the control dump, for the writers of the classes built on
// TTBCustomDockableWindow (dockable panels, toolbars).
#pragma once

#include "TbxDocks.h"
#include "WbControlWriters.h"

// CloseButton, CloseButtonWhenDocked, DblClickUndock, DockMode, DockPos, DockRow, Resizable,
// ShowCaption, DockableTo and FullSize, with notes for what differs from a new dockable window.
void WriteDockableWindow(const TTBCustomDockableWindow& window, TWbControlProperties& properties);
