// The settings tables name the toolkit's values only: not the host framework, not the plug-in.
#include "NUVFixtureIntf.h"
#include "NUVFixtureViewPart.h"
#include "TbxFixtureControl.h"
