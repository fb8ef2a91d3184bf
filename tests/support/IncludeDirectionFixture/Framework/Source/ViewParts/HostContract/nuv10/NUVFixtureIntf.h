// Allowed: NUV on Tbx and Kol.
#pragma once
#include "KolFixtureBase.h"
#include "TbxFixtureControl.h"
