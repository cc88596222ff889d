#include "sdk/ge/QvGeCurveCurveInt2d.h"

#include <memory>
#include <utility>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"

namespace {

QvGePoint3d lift(const QvGePoint2d& p) {
  return {p.x, p.y, 0.0};
}
QvGeVector3d lift(const QvGeVector2d& v) {
  return {v.x, v.y, 0.0};
}

// The same curve in the plane z = 0 with the same parameters. Segments and circular arcs are
// held in place (no allocation); other kinds are made on the heap.
class Lifted {
 public:
  explicit Lifted(const QvGeCurve2d& c) {
    switch (c.type()) {
      case QvGe::kLineSeg2d: {
        const auto& seg = static_cast<const QvGeLineSeg2d&>(c);
        seg_.set(lift(seg.startPoint()), lift(seg.endPoint()));
        curve_ = &seg_;
        break;
      }
      case QvGe::kCircArc2d: {
        const auto& arc = static_cast<const QvGeCircArc2d&>(c);
        const QvGeVector3d normal(0.0, 0.0, arc.isClockWise() ? -1.0 : 1.0);
        if (arc_.set(lift(arc.center()), normal, lift(arc.refVec()), arc.radius(), arc.startAng(),
                     arc.endAng()) == Vexa::eOk)
          curve_ = &arc_;
        break;
      }
      case QvGe::kEllipArc2d: {
        const auto& e = static_cast<const QvGeEllipArc2d&>(c);
        other_ = std::make_unique<QvGeEllipArc3d>(lift(e.center()), lift(e.majorAxis()),
                                                  lift(e.minorAxis()), e.majorRadius(),
                                                  e.minorRadius(), e.startAng(), e.endAng());
        curve_ = other_.get();
        break;
      }
      case QvGe::kNurbCurve2d: {
        int degree;
        bool rational, periodic;
        QvGeDoubleArray knots, weights;
        QvGePoint2dArray pts;
        static_cast<const QvGeNurbCurve2d&>(c).getDefinitionData(degree, rational, periodic, knots,
                                                                 pts, weights);
        QvGePoint3dArray pts3;
        for (const QvGePoint2d& p : pts) pts3.append(lift(p));
        other_ = std::make_unique<QvGeNurbCurve3d>(degree, knots, pts3, weights, periodic);
        curve_ = other_.get();
        break;
      }
      default:
        break;
    }
  }
  const QvGeCurve3d* curve() const { return curve_; }

 private:
  QvGeLineSeg3d seg_;
  QvGeCircArc3d arc_;
  std::unique_ptr<QvGeCurve3d> other_;
  const QvGeCurve3d* curve_ = nullptr;
};

}  // namespace

QvGeCurveCurveInt2d::QvGeCurveCurveInt2d(const QvGeCurve2d& curve1, const QvGeCurve2d& curve2,
                                         const QvGeTol& tol) {
  set(curve1, curve2, tol);
}

bool QvGeCurveCurveInt2d::setWorkLimit(int piecePairs) {
  if (piecePairs <= 0) return false;
  workLimit_ = piecePairs;
  return true;
}

Vexa::ErrorStatus QvGeCurveCurveInt2d::set(const QvGeCurve2d& given1, const QvGeCurve2d& given2,
                                           const QvGeTol& tol) {
  // Both copies are made before either is replaced: the curves given may be this object's own.
  CurveCopy copy1(given1), copy2(given2);
  curve1_ = std::move(copy1);
  curve2_ = std::move(copy2);
  const QvGeCurve2d& curve1 = *curve1_.get();
  const QvGeCurve2d& curve2 = *curve2_.get();
  result_ = QvGeCurveCurveInt3d();
  result_.setWorkLimit(workLimit_);
  status_ = Vexa::eInvalidInput;
  if (!curve1.isValid() || !curve2.isValid()) return status_;
  const Lifted a(curve1), b(curve2);
  if (!a.curve() || !b.curve()) return status_;
  status_ = result_.set(*a.curve(), *b.curve(), tol);
  return status_;
}

QvGePoint2d QvGeCurveCurveInt2d::intPoint(int i) const {
  const QvGePoint3d p = result_.intPoint(i);
  return {p.x, p.y};
}
