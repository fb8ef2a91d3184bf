// The host may not lean on the tests.
#include "FixtureTestHost.h"
#include "NUVFixtureHostObjects.h"
