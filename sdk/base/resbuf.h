#pragma once

#include <cstdint>

#include "sdk/base/QvClassicCodes.h"

// Plain values of the classic interface.
using qv_real = double;
using qv_point = double[3];     // a point or vector: x, y, z
using qv_matrix = double[4][4];  // row-major, acting on column vectors
using qv_name = int64_t[2];      // an entity or selection-set name: two 64-bit words

// The classic interface's linked result buffer.
struct resbuf {
  resbuf* next;
  int16_t type;  // a result-buffer type code (5001...) or a group code
  union {
    double real;
    double point[3];
    int16_t int16;
    int32_t int32;
    int64_t int64;
    wchar_t* string;  // owned by the buffer; released by qvutRelRb
    int64_t name[2];
    struct {
      int16_t length;
      char* data;  // owned by the buffer
    } binary;
  } value;
};

// What a type or group code stores.
enum class QvRbKind { kNone, kReal, kPoint, kShort, kLong, kInt64, kString, kName, kBinary };
QvRbKind qvRbValueKind(int type);

// A new buffer of the given type, zeroed, with no next. The caller releases it with qvutRelRb.
resbuf* qvutNewRb(int type);
// Releases a whole list, with the strings and binary chunks it owns. Null is allowed.
int qvutRelRb(resbuf* list);

// Builds a list from (type, value) pairs ended by a 0 type. The value's C type follows the
// kind of the type code: double for reals, const double* (3) for points, int for shorts and
// longs, const wchar_t* for strings, const int64_t* (2) for names. Returns null on a bad type.
resbuf* qvutBuildList(int type, ...);

// Copies of a string and a whole list, owned by the caller.
wchar_t* qvutDupString(const wchar_t* text);
resbuf* qvutDupList(const resbuf* list);
// Replaces the string of a string buffer, releasing the old one.
void qvutSetRbString(resbuf* rb, const wchar_t* text);
// Number of records in a list.
int qvutListLength(const resbuf* list);

// Owns a list for a scope: releases it on destruction.
class QvRbListPtr {
 public:
  QvRbListPtr() = default;
  explicit QvRbListPtr(resbuf* list) : list_(list) {}
  QvRbListPtr(const QvRbListPtr&) = delete;
  QvRbListPtr& operator=(const QvRbListPtr&) = delete;
  QvRbListPtr(QvRbListPtr&& other) noexcept : list_(other.release()) {}
  QvRbListPtr& operator=(QvRbListPtr&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~QvRbListPtr() { qvutRelRb(list_); }

  resbuf* get() const { return list_; }
  resbuf* operator->() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  resbuf* release() {
    resbuf* list = list_;
    list_ = nullptr;
    return list;
  }
  void reset(resbuf* list = nullptr) {
    if (list != list_) qvutRelRb(list_);
    list_ = list;
  }

 private:
  resbuf* list_ = nullptr;
};
