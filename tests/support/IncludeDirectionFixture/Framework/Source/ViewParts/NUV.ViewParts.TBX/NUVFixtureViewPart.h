// A plug-in header: for the plug-in's own units only.
#pragma once
#include "NUVFixtureIntf.h"
