// A contract header outside every library's folder.
#pragma once
#include <string>
