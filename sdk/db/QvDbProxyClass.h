#pragma once

#include <cstdint>

#include "sdk/base/QvString.h"

// What a drawing file said about the class of an object that no class here models: its record
// name ("MATERIAL"), and from the file's class list its class name ("AcDbMaterial"), the
// application that defines it and its proxy flags. The class name is empty for record types
// that files do not list.
struct QvDbProxyClass {
  QvString dxfName;
  QvString className;
  QvString appName;
  int32_t proxyFlags = 0;

  friend bool operator==(const QvDbProxyClass& a, const QvDbProxyClass& b) {
    return a.dxfName == b.dxfName && a.className == b.className && a.appName == b.appName &&
           a.proxyFlags == b.proxyFlags;
  }
};
