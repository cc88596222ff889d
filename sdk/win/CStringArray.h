#pragma once

#include "sdk/win/CArray.h"
#include "sdk/win/CString.h"

// An array of strings of the older interfaces.
class CStringArray : public CArray<CString> {
 public:
  using CArray<CString>::CArray;
};
