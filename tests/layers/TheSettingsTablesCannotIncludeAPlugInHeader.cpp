// Compiled as a unit of the settings tables would be (tests/CMakeLists.txt): the first header is
// found, the second must not be.
#include "TbxStatusBars.h"
#include "NUVLabelViewPart.h"
