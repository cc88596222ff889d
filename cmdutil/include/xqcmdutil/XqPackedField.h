#pragma once

#include <cstring>
#include <utility>

// A field of a byte-aligned (packed) record for a value that needs its natural alignment, such
// as a string or a map. Such a value may not live at an odd offset, so it lives on the heap and
// the field keeps only its address, stored as bytes: the field itself may then sit at any
// offset and is as wide as a pointer. It behaves as a T held by value: copies copy the value, a
// move moves it (the source keeps an empty T) and the value goes with the field.
//
//   data.blockName = L"door";
//   if (data.blockName->isEmpty()) ...
//   const QvString& name = *data.blockName;
template <class T>
class XqPackedField {
 public:
  XqPackedField() { store(new T()); }
  XqPackedField(const T& value) { store(new T(value)); }        // NOLINT: reads like a T field
  XqPackedField(T&& value) { store(new T(std::move(value))); }  // NOLINT
  XqPackedField(const XqPackedField& other) { store(new T(*other)); }
  XqPackedField(XqPackedField&& other) { store(new T(std::move(*other))); }
  XqPackedField& operator=(const XqPackedField& other) {
    if (this != &other) **this = *other;
    return *this;
  }
  XqPackedField& operator=(XqPackedField&& other) {
    if (this != &other) **this = std::move(*other);
    return *this;
  }
  XqPackedField& operator=(const T& value) {
    **this = value;
    return *this;
  }
  XqPackedField& operator=(T&& value) {
    **this = std::move(value);
    return *this;
  }
  ~XqPackedField() { delete value(); }

  T& operator*() { return *value(); }
  const T& operator*() const { return *value(); }
  T* operator->() { return value(); }
  const T* operator->() const { return value(); }
  operator const T&() const { return *value(); }  // NOLINT: reads like a T field

 private:
  T* value() const {
    T* held = nullptr;
    std::memcpy(&held, address_, sizeof held);
    return held;
  }
  void store(T* held) { std::memcpy(address_, &held, sizeof held); }

  unsigned char address_[sizeof(T*)];
};
