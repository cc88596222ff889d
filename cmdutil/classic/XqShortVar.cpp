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
