// Compiled as a unit of the toolkit (tbx) would be (tests/CMakeLists.txt): the first header is
// found, the second must not be.
#include "TbxControls.h"
#include "NUVIntf.h"
