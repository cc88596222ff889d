#pragma once

#include "sdk/win/CArray.h"
#include "sdk/win/WinTypes.h"

// An array of 16-bit unsigned values; arithmetic on an element wraps at 65535.
class CWordArray : public CArray<WORD> {
 public:
  using CArray<WORD>::CArray;
};
