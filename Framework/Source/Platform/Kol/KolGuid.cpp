// Text form of GUIDs, as the registry and configuration write them.
#include <fmt/printf.h>

#include "KolInterfaces.h"

std::string GUIDToString(const TGUID& guid) {
  const auto& d = guid.D4;
  return fmt::sprintf("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.D1, guid.D2, guid.D3, d[0], d[1], d[2],
                      d[3], d[4], d[5], d[6], d[7]);
}
