#pragma once

#include <memory>
#include <vector>

#include "sdk/ge/QvGeCurve3d.h"

// A chain of bounded curves laid end to end, each starting where the one before ends (within
// kJointTolerance). The composite owns copies of its curves. Its parameter lays the pieces'
// intervals end to end from 0: piece i covers [offset(i), offset(i) + its interval length],
// and inside it the piece's own parameter is shifted by a constant, so derivatives are the
// piece's. Beyond either end evalPoint continues the end piece.
class QvGeCompositeCurve3d : public QvGeCurve3d {
 public:
  static constexpr double kJointTolerance = 1e-6;

  QvGeCompositeCurve3d();  // empty, invalid
  // Copies the curves; see set for what makes the composite invalid.
  explicit QvGeCompositeCurve3d(const QvArray<QvGeCurve3d*>& curves);
  QvGeCompositeCurve3d(const QvGeCompositeCurve3d& other);
  QvGeCompositeCurve3d& operator=(const QvGeCompositeCurve3d& other);
  ~QvGeCompositeCurve3d() override;

  // eInvalidInput (composite unchanged) for no curves, a null, invalid or unbounded curve, or
  // a gap above kJointTolerance between consecutive curves.
  Vexa::ErrorStatus set(const QvArray<QvGeCurve3d*>& curves);

  QvGe::EntityId type() const override { return QvGe::kCompositeCrv3d; }
  QvGeCompositeCurve3d* copy() const override { return new QvGeCompositeCurve3d(*this); }
  bool isValid() const override { return !pieces_.empty(); }

  int numCurves() const { return static_cast<int>(pieces_.size()); }
  // The piece (owned by the composite), or null for an index out of range.
  const QvGeCurve3d* curveAt(int i) const;
  // New copies of the pieces, appended; the caller deletes them.
  void getCurveList(QvArray<QvGeCurve3d*>& curves) const;
  // Start of piece i on the composite's parameter.
  double offset(int i) const;
  // The piece holding a composite parameter and the piece's own parameter there.
  int pieceOf(double param, double& localParam) const;
  double globalParam(int piece, double localParam) const;

  void getInterval(QvGeInterval& interval) const override;
  void getBreakParams(QvGeDoubleArray& params) const override;
  QvGePoint3d evalPoint(double param) const override;
  void evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                       QvGeVector3d* derivs) const override;
  QvGePoint3d closestPointTo(const QvGePoint3d& p, double& param,
                             const QvGeTol& tol = QvGeContext::gTol) const override;
  using QvGeCurve3d::closestPointTo;
  bool projClosestPointTo(const QvGePoint3d& p, const QvGeVector3d& direction, QvGePoint3d& result,
                          double& param, const QvGeTol& tol = QvGeContext::gTol) const override;
  double length(double fromParam, double toParam, double tol = kDefaultLengthTol) const override;
  using QvGeCurve3d::length;
  bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                        double tol = kDefaultLengthTol) const override;
  using QvGeCurve3d::getParamAtLength;
  void getSamplePoints(double fromParam, double toParam, double approxEps, QvGePoint3dArray& points,
                       QvGeDoubleArray& params) const override;
  using QvGeCurve3d::getSamplePoints;
  QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const override;
  using QvGeCurve3d::orthoBoundBlock;
  // All pieces or none: the first piece that refuses the matrix leaves the composite as it was.
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) override;
  void reverseParam() override;
  // A composite of the trimmed pieces; a closed composite also takes ranges across its seam.
  QvGeCurve3d* getTrimmedCurve(double fromParam, double toParam) const override;
  // Pieces that collapse to a point are left out; eDegenerateGeometry when all do.
  Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                            QvGeCurve3d*& result) const override;

 private:
  void rebuildOffsets();
  double total() const { return offsets_.empty() ? 0.0 : offsets_.back(); }
  // Pieces of [a, b] (within the interval) appended as trimmed copies.
  bool appendTrimmed(double a, double b, std::vector<std::unique_ptr<QvGeCurve3d>>& out) const;
  static QvGeCompositeCurve3d* adopt(std::vector<std::unique_ptr<QvGeCurve3d>> pieces);

  std::vector<std::unique_ptr<QvGeCurve3d>> pieces_;
  std::vector<double> lowers_;   // each piece's own lower bound
  std::vector<double> offsets_;  // piece starts on the composite parameter, then the total
};
