// Allowed: the host's own header, on the contract.
#pragma once
#include "NUVFixtureIntf.h"
