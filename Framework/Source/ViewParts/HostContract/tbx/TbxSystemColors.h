/// @file
/// What a colour of the toolkit looks like: the one table of system colours that every backend
/// draws with (a light desktop theme), so that the HTML picture and the native window agree.
#pragma once
#pragma GCC visibility push(default)

#include <cstdint>
#include <optional>

#include "TbxGraphics.h"

/// The colour as 0xRRGGBB: a plain colour (0x00BBGGRR) turned around, a system colour by the
/// toolkit's look; none for clDefault, clNone and system colours the toolkit does not know, which
/// a backend draws as it would draw no colour.
std::optional<std::uint32_t> ColorToRgb(TColor color);

#pragma GCC visibility pop
