#include "sdk/db/QvDbHeaderValue.h"

int16_t QvDbHeaderValue::asShort() const {
  if (const auto* s = std::get_if<int16_t>(&value_)) return *s;
  if (const auto* l = std::get_if<int32_t>(&value_)) return static_cast<int16_t>(*l);
  return 0;
}

int32_t QvDbHeaderValue::asLong() const {
  if (const auto* s = std::get_if<int16_t>(&value_)) return *s;
  if (const auto* l = std::get_if<int32_t>(&value_)) return *l;
  return 0;
}

double QvDbHeaderValue::asReal() const {
  if (const auto* r = std::get_if<double>(&value_)) return *r;
  return asLong();
}

QvString QvDbHeaderValue::asString() const {
  if (const auto* s = std::get_if<QvString>(&value_)) return *s;
  return QvString();
}

QvDbHeaderValue::Triple QvDbHeaderValue::asTriple() const {
  if (const auto* t = std::get_if<Triple>(&value_)) return *t;
  return Triple{0.0, 0.0, 0.0};
}
