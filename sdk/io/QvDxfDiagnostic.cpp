#include "sdk/io/QvDxfDiagnostic.h"

std::string QvDxfDiagnostic::text() const {
  return line ? "line " + std::to_string(line) + ": " + message : message;
}
