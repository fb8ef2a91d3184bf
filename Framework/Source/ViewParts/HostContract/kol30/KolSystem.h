/// @file
/// KOL30 system layer in one include, for hosts and plug-ins: interfaces and reference counting,
/// exceptions and assertions, enumeration type information and sets, string helpers.
#pragma once

#include "KolEnums.h"
#include "KolExceptions.h"
#include "KolInterfaces.h"
#include "KolStrings.h"
