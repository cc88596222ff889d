#pragma once

#include <cstdint>
#include <string_view>

// An entry of the CLASSES section: the record name of a class, its C++ class name, the
// application that defines it, its proxy capability flags and whether it is an entity.
struct QvDxfClassRecord {
  std::string_view dxfName;
  std::string_view className;
  std::string_view appName;
  int32_t proxyFlags = 0;
  bool isEntity = false;
};
