// The layout invariants that every window must keep, for the tests: children lie inside their
// parent's client rectangle, aligned siblings do not cover each other, and nothing that shows is
// without width or height unless it is empty by rule.
#pragma once

#include <string>
#include <vector>

#include "TbxControls.h"

// Every broken invariant under root (which itself is not checked against a parent), one line each.
std::vector<std::string> LayoutViolations(const TWinControl& root);
