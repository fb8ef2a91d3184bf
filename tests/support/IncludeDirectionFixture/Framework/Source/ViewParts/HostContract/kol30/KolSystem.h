// The umbrella: for hosts and the plug-in.
#pragma once
#include "KolFixtureBase.h"
