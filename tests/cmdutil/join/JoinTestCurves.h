#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbArc;
class QvDbPolyline;

// Curves in memory for the joining tests, owned by the set; `view()` lists them for
// ChangeToPolyLine.
class JoinTestCurves {
 public:
  template <typename T>
  T* add(T* curve) {
    owned_.emplace_back(curve);
    return curve;
  }
  QvArray<QvDbCurve*> view() const;
  size_t size() const { return owned_.size(); }
  void shuffle(uint32_t seed);

 private:
  std::vector<std::unique_ptr<QvDbCurve>> owned_;
};

// The outputs of a join, deleted with the holder.
class JoinOutputs {
 public:
  JoinOutputs() = default;
  JoinOutputs(const JoinOutputs&) = delete;
  JoinOutputs& operator=(const JoinOutputs&) = delete;
  ~JoinOutputs();
  QvArray<QvDbCurve*>& array() { return curves_; }
  int length() const { return curves_.length(); }
  QvDbCurve* operator[](int i) const { return curves_[i]; }
  // The output at `i` as a polyline (null when it is another kind).
  QvDbPolyline* polyline(int i) const;

 private:
  QvArray<QvDbCurve*> curves_;
};

// The arc from `start` to `end` (world points of a plane of normal `normal`) whose bulge about
// `normal` is `bulge` (not 0).
QvDbArc* arcThrough(const QvGePoint3d& start, const QvGePoint3d& end, double bulge,
                    const QvGeVector3d& normal = QvGeVector3d::kZAxis);

// A random input for the differential test: chains of lines, arcs and polylines over a small
// grid so that chains meet and branch (some closed, some raised to another elevation, arcs of
// both normals, pieces reversed), end points moved by about the tolerance, zero-length lines,
// circles, whole-turn arcs, splines and elliptical arcs, all shuffled. The same seed gives the
// same curves.
void addRandomJoinInput(uint32_t seed, JoinTestCurves& curves);

// Same outputs in the same order: circles and arcs alike, polylines with the same vertices,
// bulges, elevation and normal, bit for bit.
::testing::AssertionResult sameJoinOutputs(const JoinOutputs& a, const JoinOutputs& b);
