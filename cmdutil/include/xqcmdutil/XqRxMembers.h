#pragma once

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxObject.h"

// Runtime-class members of the module's classes: the descriptor kept in the static pointer
// gpDesc, desc() (the stored descriptor, else the class registered under the name, which is
// then stored), cast(), isA() and rxInit(), which registers the class unless the registry
// already holds it. A registry entry of the same name that is not the stored descriptor is
// fatal (qvrx_abort).
#define XQRX_DECLARE_MEMBERS(CLASS) \
  QVRX_DECLARE_MEMBERS(CLASS);      \
  static QvRxClass* gpDesc;         \
  static void rxInit()
