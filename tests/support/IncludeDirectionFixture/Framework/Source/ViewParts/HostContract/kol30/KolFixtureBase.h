// Kol may not reach up into Tbx, nor use a library other than the standard one and fmt.
#pragma once
#include <pugixml.hpp>
#include <string>

#include "TbxFixtureControl.h"
