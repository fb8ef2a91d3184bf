// Allowed: Tbx on Kol, and fmt.
#pragma once
#include <fmt/format.h>

#include "KolFixtureBase.h"
