// Compiled as a unit of the class and XML library (kol30) would be (tests/CMakeLists.txt): the first header is
// found, the second must not be.
#include "KolXml.h"
#include "TbxControls.h"
