// Compiled as a unit of the runner's library would be (tests/CMakeLists.txt): the first header is
// found, the second must not be.
#include "NUVHostObjects.h"
#include "NUVToolbarViewPart.h"
