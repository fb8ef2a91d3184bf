// The plug-in may not use the host's private objects, the workbench, a test header or a header
// that does not exist.
#include "KolSystem.h"
#include "NUVFixtureHostObjects.h"
#include "NUVFixtureIntf.h"
#include "NUVFixtureMissing.h"
#include "WbFixtureDump.h"
