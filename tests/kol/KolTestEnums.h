// Enumerations shaped like the toolkit's, for the enumeration and reader tests.
#pragma once

#include "KolSystem.h"

namespace KolTest {
KOL_ENUM(TTestAlignment, taLeftJustify, taRightJustify, taCenter)
KOL_ENUM(TTestCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
KOL_ENUM(TTestDockPosition, dpTop, dpBottom, dpLeft, dpRight)
}  // namespace KolTest
