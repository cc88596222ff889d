#include "cmdutil/blocks/XqBlockVars.h"

#include <cstdlib>

#include "cmdutil/classic/XqShortVar.h"
#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"

namespace XqBlockVars {

namespace {

// Reads a variable of the wanted type into `rb`; a string of another type is released.
bool read(const wchar_t* name, int16_t type, resbuf& rb) {
  rb = resbuf{};
  if (qvedGetVar(name, &rb) != kQvNormal) return false;
  if (rb.type == type) return true;
  if (rb.type == kRbString) std::free(rb.value.string);
  return false;
}

}  // namespace

std::optional<int> getShort(const wchar_t* name) {
  int value = 0;
  if (!xqGetShortVar(name, value)) return std::nullopt;
  return value;
}

std::optional<double> getReal(const wchar_t* name) {
  resbuf rb;
  if (!read(name, kRbReal, rb)) return std::nullopt;
  return rb.value.real;
}

std::optional<QvString> getString(const wchar_t* name) {
  resbuf rb;
  if (!read(name, kRbString, rb)) return std::nullopt;
  QvString text(rb.value.string ? rb.value.string : L"");
  std::free(rb.value.string);
  return text;
}

std::optional<QvGePoint3d> getPoint(const wchar_t* name) {
  resbuf rb;
  if (!read(name, kRbPoint3d, rb)) return std::nullopt;
  return QvGePoint3d(rb.value.point[0], rb.value.point[1], rb.value.point[2]);
}

bool setString(const wchar_t* name, const QvString& value) {
  resbuf rb{};
  rb.type = kRbString;
  rb.value.string = const_cast<wchar_t*>(value.c_str());
  return qvedSetVar(name, &rb) == kQvNormal;
}

bool setShort(const wchar_t* name, int value) {
  resbuf rb{};
  rb.type = kRbShort;
  rb.value.int16 = static_cast<int16_t>(value);
  return qvedSetVar(name, &rb) == kQvNormal;
}

bool setPoint(const wchar_t* name, const QvGePoint3d& value) {
  resbuf rb{};
  rb.type = kRbPoint3d;
  rb.value.point[0] = value.x;
  rb.value.point[1] = value.y;
  rb.value.point[2] = value.z;
  return qvedSetVar(name, &rb) == kQvNormal;
}

}  // namespace XqBlockVars
