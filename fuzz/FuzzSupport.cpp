#include "FuzzSupport.h"

#include <cstdio>
#include <set>

bool IsExpectedErrorClass(const std::string& className, bool callerStep) {
  static const std::set<std::string> expected{"EConfigurationError", "EXMLParseError", "ENUVViewPartError",
                                              "EConvertError",       "EDataKeyError",  "EAssertionFailed",
                                              "EWbLoadError",        "EWbScriptError"};
  return expected.count(className) > 0 || (callerStep && className == "Exception");
}

void ReportUnexpected(const std::string& className, const std::string& message) {
  std::fprintf(stderr, "unexpected exception %s: %s\n", className.c_str(), message.c_str());
  std::abort();
}
