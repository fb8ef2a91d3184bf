// Application files and extension data generated in memory for the benchmarks.
#pragma once

#include <string>

// A window of viewParts view parts (a multiple of 10) of all nine kinds: one nested work item per
// ten, each with a toolbar dock holding a toolbar with a label placed by group index, a dockable
// panel with a check box, a multi-dock panel with a link, a status bar with a radio button in a
// panel, and a label of its own.
std::string ApplicationFileText(int viewParts);

// A "Toolbar" element of count items, item i with group index firstGroup + i * groupStep.
std::string ToolbarExtData(int count, int firstGroup, int groupStep);
