#include "sdk/ed/VexaSysVarValue.h"

#include "sdk/base/resbuf.h"

VexaSysVarValue VexaSysVarValue::ofShort(int16_t value) {
  VexaSysVarValue v;
  v.value_ = value;
  return v;
}

VexaSysVarValue VexaSysVarValue::ofReal(double value) {
  VexaSysVarValue v;
  v.value_ = value;
  return v;
}

VexaSysVarValue VexaSysVarValue::ofPoint(const Point& value) {
  VexaSysVarValue v;
  v.value_ = value;
  return v;
}

VexaSysVarValue VexaSysVarValue::ofText(const QvString& value) {
  VexaSysVarValue v;
  v.value_ = value;
  return v;
}

int16_t VexaSysVarValue::type() const {
  switch (value_.index()) {
    case 1:
      return kRbShort;
    case 2:
      return kRbReal;
    case 3:
      return kRbPoint3d;
    case 4:
      return kRbString;
    default:
      return kRbNone;
  }
}

int16_t VexaSysVarValue::shortValue() const {
  const auto* v = std::get_if<int16_t>(&value_);
  return v ? *v : 0;
}

double VexaSysVarValue::realValue() const {
  const auto* v = std::get_if<double>(&value_);
  return v ? *v : 0.0;
}

VexaSysVarValue::Point VexaSysVarValue::pointValue() const {
  const auto* v = std::get_if<Point>(&value_);
  return v ? *v : Point{0, 0, 0};
}

QvString VexaSysVarValue::textValue() const {
  const auto* v = std::get_if<QvString>(&value_);
  return v ? *v : QvString();
}

std::optional<VexaSysVarValue> VexaSysVarValue::fromResbuf(const resbuf& rb) {
  switch (rb.type) {
    case kRbShort:
      return ofShort(rb.value.int16);
    case kRbReal:
      return ofReal(rb.value.real);
    case kRbPoint3d:
      return ofPoint({rb.value.point[0], rb.value.point[1], rb.value.point[2]});
    case kRbString:
      if (!rb.value.string) return std::nullopt;
      return ofText(QvString(rb.value.string));
    default:
      return std::nullopt;
  }
}

bool VexaSysVarValue::toResbuf(resbuf& rb) const {
  switch (value_.index()) {
    case 1:
      rb.type = kRbShort;
      rb.value.int16 = std::get<int16_t>(value_);
      return true;
    case 2:
      rb.type = kRbReal;
      rb.value.real = std::get<double>(value_);
      return true;
    case 3: {
      rb.type = kRbPoint3d;
      const Point& p = std::get<Point>(value_);
      for (int i = 0; i < 3; ++i) rb.value.point[i] = p[i];
      return true;
    }
    case 4: {
      wchar_t* copy = qvutDupString(std::get<QvString>(value_).c_str());
      if (!copy) return false;
      rb.type = kRbString;
      rb.value.string = copy;
      return true;
    }
    default:
      return false;
  }
}

QvString VexaSysVarValue::toText() const {
  switch (value_.index()) {
    case 1:
      return QvString::format(L"%d", static_cast<int>(std::get<int16_t>(value_)));
    case 2:
      return QvString::format(L"%.16g", std::get<double>(value_));
    case 3: {
      const Point& p = std::get<Point>(value_);
      return QvString::format(L"%.16g,%.16g,%.16g", p[0], p[1], p[2]);
    }
    case 4:
      return std::get<QvString>(value_);
    default:
      return QvString();
  }
}
