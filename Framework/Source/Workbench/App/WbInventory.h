// What the running window offers to data binding and to listeners: every data key, topic and
// service, for --list-keys, the `keys` script command and the live page.
#pragma once

#include <string>

#include "WbApplication.h"
#include "WbJson.h"

// Every data key once, from the first work item that has it (the one `set` writes):
// [{"key", "type" ("string", "integer", "boolean"), "value"}].
TWbJson KeysJson(const TWbApplication& app);

// {"keys": KeysJson, "topics": [{"topic", "viewPart"}], "services": [{"id", "interface",
// "viewPart"}]}: topics of the view parts not finalized, services as `service` reports them.
TWbJson InventoryJson(const TWbApplication& app);

// The same as lines for a person: three headed lists, one entry per line.
std::string InventoryText(const TWbJson& inventory);
