// Curve queries on lines, arcs and circles (and on lightweight polylines) allocate nothing:
// the geometry lives on the stack. Counted with a replaced global allocator that counts only
// while a counter is installed; the replacement is why this test has an executable of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeCurve3d.h"

namespace {

thread_local int* allocationCounter = nullptr;

void* allocate(std::size_t size, std::size_t alignment = 0) noexcept {
  if (allocationCounter) ++*allocationCounter;
  if (size == 0) size = 1;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
  return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* allocateOrThrow(std::size_t size, std::size_t alignment = 0) {
  if (void* p = allocate(size, alignment)) return p;
  throw std::bad_alloc();
}

}  // namespace

// Every form of the global allocator, so that all of them meet the same free.
void* operator new(std::size_t size) {
  return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
  return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocate(size, static_cast<std::size_t>(alignment));
}
// Every form above takes its memory from malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(p);
}
#pragma GCC diagnostic pop

namespace {

// Counts the allocations of its scope.
class AllocationCount {
 public:
  AllocationCount() { allocationCounter = &count_; }
  ~AllocationCount() { allocationCounter = nullptr; }
  AllocationCount(const AllocationCount&) = delete;
  AllocationCount& operator=(const AllocationCount&) = delete;
  int count() const { return count_; }

 private:
  int count_ = 0;
};

// Every query the curve answers, with answers summed so none can be skipped.
double query(const QvDbCurve& curve, const QvGePoint3d& on, double param) {
  double sum = 0, value = 0;
  QvGePoint3d p;
  QvGeVector3d v;
  curve.getStartParam(value);
  sum += value;
  curve.getEndParam(value);
  sum += value;
  curve.getStartPoint(p);
  curve.getEndPoint(p);
  curve.getPointAtParam(param, p);
  sum += p.x;
  curve.getParamAtPoint(on, value);
  sum += value;
  curve.getDistAtParam(param, value);
  sum += value;
  curve.getParamAtDist(0.5, value);
  sum += value;
  curve.getDistAtPoint(on, value);
  curve.getPointAtDist(0.5, p);
  curve.getFirstDeriv(param, v);
  curve.getSecondDeriv(param, v);
  curve.getFirstDeriv(on, v);
  curve.getClosestPointTo(QvGePoint3d(3, 7, 1), p);
  curve.getClosestPointTo(QvGePoint3d(3, 7, 1), p, true);
  curve.getClosestPointTo(QvGePoint3d(3, 7, 1), QvGeVector3d(0, 0, 1), p);
  sum += p.y + v.x;
  curve.getArea(value);
  sum += value + (curve.isClosed() ? 1 : 0);
  return sum;
}

TEST(CurveAllocationTest, LineArcAndCircleQueriesAllocateNothing) {
  const QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 3, 0));
  const QvDbArc arc(QvGePoint3d(0, 0, 0), 2.0, 0.0, 2.0);
  const QvDbCircle circle(QvGePoint3d(1, 1, 0), QvGeVector3d::kZAxis, 1.0);
  QvDbPolyline pline;
  pline.addVertexAt(0, QvGePoint2d(0, 0));
  pline.addVertexAt(1, QvGePoint2d(4, 0), 0.5);
  pline.addVertexAt(2, QvGePoint2d(4, 4));
  double sum = 0;
  AllocationCount counted;
  sum += query(line, QvGePoint3d(2, 1.5, 0), 2.5);
  sum += query(arc, QvGePoint3d(2, 0, 0), 1.0);
  sum += query(circle, QvGePoint3d(2, 1, 0), 1.0);
  const int curves = counted.count();
  sum += query(pline, QvGePoint3d(4, 2, 0), 1.5);
  EXPECT_EQ(curves, 0);
  EXPECT_EQ(counted.count(), 0);
  EXPECT_TRUE(std::isfinite(sum));
  // The count sees allocations: a curve made on the heap is one.
  QvGeCurve3d* made = nullptr;
  ASSERT_EQ(line.getGeCurve(made), Vexa::eOk);
  delete made;
  EXPECT_EQ(counted.count(), 1);
}

}  // namespace
