// Compiled as a unit of the plug-in would be (tests/CMakeLists.txt): the first header is
// found, the second must not be.
#include "NUVViewPart.h"
#include "NUVHostObjects.h"
