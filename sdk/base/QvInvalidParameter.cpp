#include "sdk/base/QvInvalidParameter.h"

#include <cstdio>

namespace {

void defaultHandler(const char* function, const char* expression) {
  std::fprintf(stderr, "invalid parameter: %s in %s\n", expression ? expression : "?",
               function ? function : "?");
}

QvInvalidParameterHandler gHandler = defaultHandler;

}  // namespace

void qvReportInvalidParameter(const char* function, const char* expression) {
  gHandler(function, expression);
}

QvInvalidParameterHandler qvSetInvalidParameterHandler(QvInvalidParameterHandler handler) {
  const QvInvalidParameterHandler previous = gHandler;
  gHandler = handler ? handler : defaultHandler;
  return previous;
}
