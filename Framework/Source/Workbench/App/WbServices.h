// What the `service` command reports of a registered service.
#pragma once

#include <string>

#include "NUVIntf.h"
#include "WbJson.h"

// {"event": "service", "id", "interface" (the first known interface it supports, or null),
// "viewPart" (the view part that implements it, or null)}, or {"event", "id", "found": false}.
TWbJson ServiceEventJson(const INUVServiceCenter& services, const std::string& id);
