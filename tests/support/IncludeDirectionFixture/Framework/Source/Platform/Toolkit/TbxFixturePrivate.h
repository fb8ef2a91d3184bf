// Allowed: the toolkit's own private header.
#pragma once
