// Toolbar2000 docks: positions of docks and dockable windows.
#pragma once
#pragma GCC visibility push(default)

#include "TbxControls.h"

KOL_ENUM(TTBDockPosition, dpTop, dpBottom, dpLeft, dpRight)
using TTBDockPositions = TSet<TTBDockPosition>;

#pragma GCC visibility pop
