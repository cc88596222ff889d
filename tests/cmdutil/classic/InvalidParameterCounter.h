#pragma once

#include "sdk/base/QvInvalidParameter.h"

// Counts invalid-parameter reports while it lives (and keeps them off the error stream).
class InvalidParameterCounter {
 public:
  InvalidParameterCounter() : previous_(qvSetInvalidParameterHandler(&count)) { reports() = 0; }
  ~InvalidParameterCounter() { qvSetInvalidParameterHandler(previous_); }
  InvalidParameterCounter(const InvalidParameterCounter&) = delete;
  InvalidParameterCounter& operator=(const InvalidParameterCounter&) = delete;

  int value() const { return reports(); }

 private:
  static int& reports() {
    static int n = 0;
    return n;
  }
  static void count(const char*, const char*) { ++reports(); }

  QvInvalidParameterHandler previous_;
};
