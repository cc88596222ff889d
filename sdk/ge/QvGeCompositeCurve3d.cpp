#include "sdk/ge/QvGeCompositeCurve3d.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePrecision.h"

QvGeCompositeCurve3d::QvGeCompositeCurve3d() = default;

QvGeCompositeCurve3d::QvGeCompositeCurve3d(const QvArray<QvGeCurve3d*>& curves) {
  set(curves);
}

QvGeCompositeCurve3d::QvGeCompositeCurve3d(const QvGeCompositeCurve3d& other) : QvGeCurve3d(other) {
  for (const auto& piece : other.pieces_) pieces_.emplace_back(piece->copy());
  lowers_ = other.lowers_;
  offsets_ = other.offsets_;
}

QvGeCompositeCurve3d& QvGeCompositeCurve3d::operator=(const QvGeCompositeCurve3d& other) {
  if (this != &other) {
    QvGeCompositeCurve3d copy(other);
    pieces_.swap(copy.pieces_);
    lowers_.swap(copy.lowers_);
    offsets_.swap(copy.offsets_);
  }
  return *this;
}

QvGeCompositeCurve3d::~QvGeCompositeCurve3d() = default;

Vexa::ErrorStatus QvGeCompositeCurve3d::set(const QvArray<QvGeCurve3d*>& curves) {
  if (curves.isEmpty()) return Vexa::eInvalidInput;
  QvGePoint3d previousEnd;
  for (int i = 0; i < curves.length(); ++i) {
    const QvGeCurve3d* c = curves[i];
    QvGeInterval interval;
    if (!c || !c->isValid()) return Vexa::eInvalidInput;
    c->getInterval(interval);
    if (!interval.isBounded()) return Vexa::eInvalidInput;
    QvGePoint3d start, end;
    c->getInterval(interval, start, end);
    if (i > 0 && start.distanceTo(previousEnd) > kJointTolerance) return Vexa::eInvalidInput;
    previousEnd = end;
  }
  std::vector<std::unique_ptr<QvGeCurve3d>> pieces;
  for (const QvGeCurve3d* c : curves) pieces.emplace_back(c->copy());
  pieces_ = std::move(pieces);
  rebuildOffsets();
  return Vexa::eOk;
}

void QvGeCompositeCurve3d::rebuildOffsets() {
  lowers_.clear();
  offsets_.assign(1, 0.0);
  for (const auto& piece : pieces_) {
    QvGeInterval interval;
    piece->getInterval(interval);
    lowers_.push_back(interval.lowerBound());
    offsets_.push_back(offsets_.back() + interval.length());
  }
}

const QvGeCurve3d* QvGeCompositeCurve3d::curveAt(int i) const {
  return i >= 0 && i < numCurves() ? pieces_[static_cast<size_t>(i)].get() : nullptr;
}

void QvGeCompositeCurve3d::getCurveList(QvArray<QvGeCurve3d*>& curves) const {
  for (const auto& piece : pieces_) curves.append(piece->copy());
}

double QvGeCompositeCurve3d::offset(int i) const {
  return offsets_[static_cast<size_t>(std::clamp(i, 0, numCurves()))];
}

int QvGeCompositeCurve3d::pieceOf(double param, double& localParam) const {
  if (pieces_.empty()) {
    localParam = 0.0;
    return -1;
  }
  // The last piece whose start is at or before param; joints belong to the later piece.
  const auto it = std::upper_bound(offsets_.begin() + 1, offsets_.end() - 1, param);
  const int i = static_cast<int>(it - (offsets_.begin() + 1));
  localParam = lowers_[static_cast<size_t>(i)] + (param - offsets_[static_cast<size_t>(i)]);
  return i;
}

double QvGeCompositeCurve3d::globalParam(int piece, double localParam) const {
  const size_t i = static_cast<size_t>(std::clamp(piece, 0, std::max(0, numCurves() - 1)));
  if (pieces_.empty()) return 0.0;
  return offsets_[i] + (localParam - lowers_[i]);
}

void QvGeCompositeCurve3d::getInterval(QvGeInterval& interval) const {
  interval.set(0.0, total());
}

void QvGeCompositeCurve3d::getBreakParams(QvGeDoubleArray& params) const {
  params.removeAll();
  for (int i = 0; i < numCurves(); ++i) {
    if (i > 0) params.append(offsets_[static_cast<size_t>(i)]);
    QvGeDoubleArray own;
    pieces_[static_cast<size_t>(i)]->getBreakParams(own);
    for (double t : own) params.append(globalParam(i, t));
  }
}

QvGePoint3d QvGeCompositeCurve3d::evalPoint(double param) const {
  double local;
  const int i = pieceOf(param, local);
  return i < 0 ? QvGePoint3d::kOrigin : pieces_[static_cast<size_t>(i)]->evalPoint(local);
}

void QvGeCompositeCurve3d::evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                                           QvGeVector3d* derivs) const {
  double local;
  const int i = pieceOf(param, local);
  if (i < 0) {
    point = QvGePoint3d::kOrigin;
    for (int k = 0; k < numDeriv && k < kMaxDerivatives; ++k) derivs[k] = QvGeVector3d();
    return;
  }
  pieces_[static_cast<size_t>(i)]->evalDerivatives(local, numDeriv, point, derivs);
}

QvGePoint3d QvGeCompositeCurve3d::closestPointTo(const QvGePoint3d& p, double& param,
                                                 const QvGeTol& tol) const {
  double bestT = 0.0, bestD = HUGE_VAL;
  QvGePoint3d best = evalPoint(0.0);
  for (int i = 0; i < numCurves(); ++i) {
    double local;
    const QvGePoint3d q = pieces_[static_cast<size_t>(i)]->closestPointTo(p, local, tol);
    const double d = q.distSqrdTo(p);
    if (d < bestD) bestD = d, bestT = globalParam(i, local), best = q;
  }
  param = bestT;
  return best;
}

bool QvGeCompositeCurve3d::projClosestPointTo(const QvGePoint3d& p, const QvGeVector3d& direction,
                                              QvGePoint3d& result, double& param,
                                              const QvGeTol& tol) const {
  QvGe::ErrorCondition flag;
  const QvGeVector3d unit = QvGeVector3d(direction).normalize(tol, flag);
  if (flag != QvGe::kOk || !isValid()) return false;
  double bestD = HUGE_VAL;
  for (int i = 0; i < numCurves(); ++i) {
    QvGePoint3d q;
    double local;
    if (!pieces_[static_cast<size_t>(i)]->projClosestPointTo(p, unit, q, local, tol)) continue;
    const QvGeVector3d r = q - p;
    const double d = (r - unit * r.dotProduct(unit)).lengthSqrd();
    if (d < bestD) bestD = d, param = globalParam(i, local), result = q;
  }
  return bestD < HUGE_VAL;
}

double QvGeCompositeCurve3d::length(double fromParam, double toParam, double tol) const {
  double a = std::clamp(fromParam, 0.0, total()), b = std::clamp(toParam, 0.0, total());
  if (a > b) std::swap(a, b);
  double sum = 0.0;
  for (int i = 0; i < numCurves(); ++i) {
    const double lo = std::max(a, offsets_[static_cast<size_t>(i)]);
    const double hi = std::min(b, offsets_[static_cast<size_t>(i) + 1]);
    if (hi <= lo) continue;
    const size_t k = static_cast<size_t>(i);
    sum += pieces_[k]->length(lowers_[k] + lo - offsets_[k], lowers_[k] + hi - offsets_[k], tol);
  }
  return sum;
}

bool QvGeCompositeCurve3d::getParamAtLength(double datumParam, double length, bool posParamDir,
                                            double& param, double tol) const {
  if (!isValid() || !(length >= 0.0) || !std::isfinite(length) || std::isnan(datumParam))
    return false;
  double local;
  int i = pieceOf(std::clamp(datumParam, 0.0, total()), local);
  // A datum on a joint walking backwards starts in the earlier piece.
  if (!posParamDir && i > 0 && local <= lowers_[static_cast<size_t>(i)]) {
    --i;
    local = lowers_[static_cast<size_t>(i)] +
            (offsets_[static_cast<size_t>(i) + 1] - offsets_[static_cast<size_t>(i)]);
  }
  double remaining = length;
  while (true) {
    const QvGeCurve3d& piece = *pieces_[static_cast<size_t>(i)];
    QvGeInterval interval;
    piece.getInterval(interval);
    const double end = posParamDir ? interval.upperBound() : interval.lowerBound();
    const double room = piece.length(local, end, tol);
    if (remaining <= room) {
      double t;
      if (!piece.getParamAtLength(local, remaining, posParamDir, t, tol)) t = end;
      param = globalParam(i, t);
      return true;
    }
    remaining -= room;
    const int next = posParamDir ? i + 1 : i - 1;
    if (next < 0 || next >= numCurves()) {
      if (remaining > QvGePrecision::kRoundoff * std::max(1.0, length)) return false;
      param = globalParam(i, end);
      return true;
    }
    i = next;
    QvGeInterval nextInterval;
    pieces_[static_cast<size_t>(i)]->getInterval(nextInterval);
    local = posParamDir ? nextInterval.lowerBound() : nextInterval.upperBound();
  }
}

void QvGeCompositeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                           QvGePoint3dArray& points,
                                           QvGeDoubleArray& params) const {
  if (!isValid() || std::isnan(fromParam) || std::isnan(toParam)) return;
  double a = std::clamp(fromParam, 0.0, total()), b = std::clamp(toParam, 0.0, total());
  const bool reversed = a > b;
  if (reversed) std::swap(a, b);
  QvGePoint3dArray pts;
  QvGeDoubleArray ts;
  for (int i = 0; i < numCurves(); ++i) {
    const size_t k = static_cast<size_t>(i);
    const double lo = std::max(a, offsets_[k]), hi = std::min(b, offsets_[k + 1]);
    if (hi < lo || (hi == lo && !ts.isEmpty())) continue;
    QvGePoint3dArray piecePts;
    QvGeDoubleArray pieceTs;
    pieces_[k]->getSamplePoints(lowers_[k] + lo - offsets_[k], lowers_[k] + hi - offsets_[k],
                                approxEps, piecePts, pieceTs);
    for (int j = 0; j < piecePts.length(); ++j) {
      if (j == 0 && !ts.isEmpty()) continue;  // the joint is already there
      pts.append(piecePts[j]);
      ts.append(globalParam(i, pieceTs[j]));
    }
  }
  if (reversed) {
    pts.reverse();
    ts.reverse();
  }
  points.append(pts);
  params.append(ts);
}

QvGeBoundBlock3d QvGeCompositeCurve3d::orthoBoundBlock(const QvGeInterval& range) const {
  if (!isValid()) return QvGeBoundBlock3d();
  const double a = std::clamp(range.isBoundedBelow() ? range.lowerBound() : 0.0, 0.0, total());
  const double b = std::clamp(range.isBoundedAbove() ? range.upperBound() : total(), 0.0, total());
  QvGeExtents3d box;
  for (int i = 0; i < numCurves(); ++i) {
    const size_t k = static_cast<size_t>(i);
    const double lo = std::max(std::min(a, b), offsets_[k]);
    const double hi = std::min(std::max(a, b), offsets_[k + 1]);
    if (hi < lo) continue;
    box.addExt(pieces_[k]
                   ->orthoBoundBlock(
                       QvGeInterval(lowers_[k] + lo - offsets_[k], lowers_[k] + hi - offsets_[k]))
                   .extents());
  }
  return QvGeBoundBlock3d(box);
}

Vexa::ErrorStatus QvGeCompositeCurve3d::transformBy(const QvGeMatrix3d& m) {
  std::vector<std::unique_ptr<QvGeCurve3d>> moved;
  for (const auto& piece : pieces_) {
    moved.emplace_back(piece->copy());
    const Vexa::ErrorStatus es = moved.back()->transformBy(m);
    if (es != Vexa::eOk) return es;
  }
  pieces_ = std::move(moved);
  rebuildOffsets();
  return Vexa::eOk;
}

void QvGeCompositeCurve3d::reverseParam() {
  std::reverse(pieces_.begin(), pieces_.end());
  for (auto& piece : pieces_) piece->reverseParam();
  rebuildOffsets();
}

bool QvGeCompositeCurve3d::appendTrimmed(double a, double b,
                                         std::vector<std::unique_ptr<QvGeCurve3d>>& out) const {
  for (int i = 0; i < numCurves(); ++i) {
    const size_t k = static_cast<size_t>(i);
    const double lo = std::max(a, offsets_[k]), hi = std::min(b, offsets_[k + 1]);
    if (!(hi > lo)) continue;
    const double full = offsets_[k + 1] - offsets_[k];
    if (lo <= offsets_[k] && hi >= offsets_[k + 1]) {
      out.emplace_back(pieces_[k]->copy());
      continue;
    }
    // Slivers far below the piece's size are left out; their neighbours meet anyway.
    if (hi - lo <= QvGePrecision::kRoundoff * full) continue;
    QvGeCurve3d* piece =
        pieces_[k]->getTrimmedCurve(lowers_[k] + lo - offsets_[k], lowers_[k] + hi - offsets_[k]);
    if (!piece) return false;
    out.emplace_back(piece);
  }
  return true;
}

QvGeCompositeCurve3d* QvGeCompositeCurve3d::adopt(
    std::vector<std::unique_ptr<QvGeCurve3d>> pieces) {
  if (pieces.empty()) return nullptr;
  auto* result = new QvGeCompositeCurve3d();
  result->pieces_ = std::move(pieces);
  result->rebuildOffsets();
  return result;
}

QvGeCurve3d* QvGeCompositeCurve3d::getTrimmedCurve(double fromParam, double toParam) const {
  const double tol = QvGeInterval::kDefaultTol;
  if (!isValid() || !std::isfinite(fromParam) || !std::isfinite(toParam) ||
      !(fromParam < toParam) || fromParam < -tol)
    return nullptr;
  std::vector<std::unique_ptr<QvGeCurve3d>> out;
  if (toParam <= total() + tol) {
    if (!appendTrimmed(fromParam, toParam, out)) return nullptr;
  } else {
    if (!isClosed() || toParam - fromParam > total() + tol) return nullptr;
    if (!appendTrimmed(fromParam, total(), out) ||
        !appendTrimmed(0.0, std::min(toParam - total(), fromParam), out))
      return nullptr;
  }
  return adopt(std::move(out));
}

Vexa::ErrorStatus QvGeCompositeCurve3d::project(const QvGePlane& plane,
                                                const QvGeVector3d& direction,
                                                QvGeCurve3d*& result) const {
  if (!plane.isValid() || direction.isZeroLength()) return Vexa::eInvalidInput;
  QvGeMatrix3d projection;
  if (!projection.setToProjection(plane, direction)) return Vexa::eNotApplicable;
  if (!isValid()) return Vexa::eInvalidInput;
  std::vector<std::unique_ptr<QvGeCurve3d>> out;
  for (const auto& piece : pieces_) {
    QvGeCurve3d* image = nullptr;
    const Vexa::ErrorStatus es = piece->project(plane, direction, image);
    if (es == Vexa::eDegenerateGeometry) continue;
    if (es != Vexa::eOk) return es;
    out.emplace_back(image);
  }
  if (out.empty()) return Vexa::eDegenerateGeometry;
  result = adopt(std::move(out));
  return Vexa::eOk;
}
