// Headers on every answer of --serve: no other site may frame the page (clickjacking), and no
// answer is read as another type than it says.
#pragma once

#include <httplib.h>

inline httplib::Headers ServerHeaders() {
  return {{"Content-Security-Policy", "frame-ancestors 'none'"},
          {"X-Frame-Options", "DENY"},
          {"X-Content-Type-Options", "nosniff"}};
}
