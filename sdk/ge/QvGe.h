#pragma once

// Shared enumerations and constants of the geometry library.
namespace QvGe {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double k2Pi = 6.28318530717958647692;
inline constexpr double kHalfPi = 1.57079632679489661923;

// Kind of a geometry entity. Every kind has one parent kind (kEntity2d and kEntity3d are the
// roots); isKindOf walks up that tree.
enum EntityId {
  kEntity2d,
  kEntity3d,
  kCurve2d,
  kCurve3d,
  kLinearEnt2d,
  kLinearEnt3d,
  kLineSeg2d,
  kLine3d,
  kLineSeg3d,
  kRay3d,
  kCircArc2d,
  kCircArc3d,
  kEllipArc2d,
  kEllipArc3d,
  kSplineEnt2d,
  kSplineEnt3d,
  kNurbCurve2d,
  kNurbCurve3d,
  kPolyline3d,
  kCompositeCrv3d,
};

// The parent kind of `kind`; a root answers itself.
EntityId parentOf(EntityId kind);
// True when `kind` is `base` or lies below it in the kind tree.
bool isKindOf(EntityId kind, EntityId base);
// Short English name of a kind ("LineSeg3d").
const char* entityName(EntityId kind);

// Outcome of the operations that report why they could not do their work.
enum ErrorCondition {
  kOk,
  k0This,  // this vector or curve has zero length
  k0Arg1,  // the first argument has zero length
  k0Arg2,  // the second argument has zero length
  kPerpendicularArg1Arg2,
  kEqualArg1Arg2,
  kEqualArg1Arg3,
  kEqualArg2Arg3,
  kLinearlyDependentArg1Arg2Arg3,  // three points on one line
  kArg1TooBig,
  kNonCoplanarGeometry,
  kDegenerateGeometry,
  kOutOfRange,
};

// How two curves meet at an intersection point.
enum IntConfig {
  kIntCrossing,    // the curves cross (or meet at an end) at an angle
  kIntTangent,     // the curves touch with the same tangent direction and part again
  kIntOverlapEnd,  // an end of a piece the two curves have in common
};

// Which end of a curve an operation works at.
enum CurveEnd { kStart = 1, kEnd = 2 };

}  // namespace QvGe
