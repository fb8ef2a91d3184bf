// Compiled by CTest with NUV_GUID_TEXT set to good and bad GUID texts: interface identifiers are
// parsed at compile time, so a bad one must stop the build.
#include "KolSystem.h"

constexpr TGUID Parsed = StringToGUID(NUV_GUID_TEXT);

int main() { return Parsed.D1 == 0 ? 1 : 0; }
