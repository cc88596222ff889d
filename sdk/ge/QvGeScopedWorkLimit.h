#pragma once

#include "sdk/ge/QvGeContext.h"

// Sets QvGeContext::gIntersectionWorkLimit for a scope and restores the former value.
class QvGeScopedWorkLimit {
 public:
  explicit QvGeScopedWorkLimit(int piecePairs) : saved_(QvGeContext::gIntersectionWorkLimit) {
    QvGeContext::gIntersectionWorkLimit = piecePairs;
  }
  ~QvGeScopedWorkLimit() { QvGeContext::gIntersectionWorkLimit = saved_; }
  QvGeScopedWorkLimit(const QvGeScopedWorkLimit&) = delete;
  QvGeScopedWorkLimit& operator=(const QvGeScopedWorkLimit&) = delete;

 private:
  int saved_;
};
