#include "cmdutil/classic/XqShortVar.h"

#include <cstdlib>

#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"

bool xqGetShortVar(const wchar_t* name, int& value) {
  resbuf rb{};
  if (qvedGetVar(name, &rb) != kQvNormal) return false;
  if (rb.type != kRbShort) {
    if (rb.type == kRbString) std::free(rb.value.string);  // a string value is the reader's
    return false;
  }
  value = rb.value.int16;
  return true;
}

bool xqSetShortVar(const wchar_t* name, int value) {
  resbuf rb{};
  rb.type = kRbShort;
  rb.value.int16 = static_cast<int16_t>(value);
  return qvedSetVar(name, &rb) == kQvNormal;
}

XqShortVarOverride::XqShortVarOverride(const wchar_t* name, int value) : name_(name) {
  int old = 0;
  const bool read = xqGetShortVar(name, old);
  if (read && old == value) return;
  xqSetShortVar(name, value);
  if (read) saved_ = old;
}

XqShortVarOverride::~XqShortVarOverride() {
  if (saved_) xqSetShortVar(name_, *saved_);
}
