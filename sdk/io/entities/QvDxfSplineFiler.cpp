#include <algorithm>
#include <cmath>
#include <vector>

#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfSplineFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbSpline"};

// A spline read with both control and fit points keeps its fit data in these places, to be
// written where fit data stand.
constexpr uint16_t kFitHeaderSlot = QvDxfSlot::kFirstCustom;
constexpr uint16_t kFitPointsSlot = QvDxfSlot::kFirstCustom + 1;

constexpr int64_t kClosed = 1;
constexpr int64_t kPeriodic = 2;
constexpr int64_t kRational = 4;

// The data of a SPLINE record: the curve by control points, or by fit points alone.
struct SplineData {
  int64_t flags = 0;
  int degree = 3;
  QvGePoint3dArray controlPoints;
  QvGeDoubleArray knots;
  QvGeDoubleArray weights;
  QvGePoint3dArray fitPoints;
  QvGeVector3d start;
  QvGeVector3d end;
  double fitTolerance = 0.0;
  int joinedPieces = 0;  // Bezier pieces joined (joinPieces)

  bool byControlPoints() const { return controlPoints.length() > 0; }
  Vexa::ErrorStatus makeInto(QvDbSpline& spline) const {
    if (!byControlPoints()) return spline.setFitData(fitPoints, degree, fitTolerance, start, end);
    const bool rational = (flags & kRational) != 0;
    return spline.setNurbsData(degree, rational, (flags & kClosed) != 0, (flags & kPeriodic) != 0,
                               controlPoints, knots, rational ? weights : QvGeDoubleArray());
  }
};

bool samePoint(const QvGePoint3d& a, const QvGePoint3d& b) {
  const double scale = 1.0 + std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)});
  return a.distanceTo(b) <= 1e-10 * scale;
}

// Pieces that meet end to end at an inner knot repeated degree + 1 times, as some programs
// write Bezier curves, are one spline with the knot repeated degree times: the point the
// pieces share is kept once, and the weights after it are scaled so that it keeps the first
// piece's weight (which leaves a rational piece as it was). Pieces that do not meet are left.
void joinPieces(SplineData& d) {
  const int p = d.degree;
  const bool rational = (d.flags & kRational) != 0;
  if (d.knots.length() != d.controlPoints.length() + p + 1) return;
  if (rational && d.weights.length() != d.controlPoints.length()) return;
  for (int i = p + 1; i < d.controlPoints.length();) {
    int j = i;
    while (j < d.knots.length() && d.knots[j] == d.knots[i]) ++j;
    const bool inner = d.knots[i] > d.knots[p] && d.knots[i] < d.knots[d.controlPoints.length()];
    if (!inner || j - i != p + 1 || !samePoint(d.controlPoints[i - 1], d.controlPoints[i])) {
      i = j;
      continue;
    }
    if (rational && d.weights[i] > 0.0) {
      const double factor = d.weights[i - 1] / d.weights[i];
      for (int k = i; k < d.weights.length(); ++k) d.weights[k] *= factor;
    }
    d.knots.removeAt(i);
    d.controlPoints.removeAt(i);
    if (rational) d.weights.removeAt(i);
    ++d.joinedPieces;
    i = j - 1;
  }
}

// Takes the groups of the spline's data (refusing values that are not numbers).
SplineData readData(QvDxfObjectReader& in) {
  SplineData d;
  in.select(2);
  d.flags = in.flags(70, 0, kClosed | kPeriodic | kRational);
  d.degree = static_cast<int>(in.integer(71, 3, 1, 25));
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    switch (in.code(i)) {
      case 40:
        d.knots.append(in.realAt(i));
        break;
      case 41:
        d.weights.append(in.realAt(i));
        break;
      case 10:
        in.release(i);
        d.controlPoints.append(in.point(10, QvGePoint3d::kOrigin));
        break;
      default:
        break;
    }
  }
  if (d.byControlPoints()) {
    for (const int code : {72, 73}) in.integer(code, 0, 0, INT32_MAX);  // counts
    joinPieces(d);
    return d;
  }
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    if (in.code(i) != 11) continue;
    in.release(i);
    d.fitPoints.append(in.point(11, QvGePoint3d::kOrigin));
  }
  for (const int code : {72, 73, 74}) in.integer(code, 0, 0, INT32_MAX);
  d.start = in.vector(12, QvGeVector3d());
  d.end = in.vector(13, QvGeVector3d());
  d.fitTolerance = in.real(44, 0.0);
  return d;
}

// Puts the fit data of a spline read with control points in its slots, as a fit-point spline
// reads it: every fit point (11), the first fit count (74), tolerance (44) and tangents (12, 13),
// each point with the coordinates that follow it. Repeats and stray coordinates stay in place.
void slotFitData(QvDxfObjectReader& in) {
  std::vector<int> headerCodesSeen;
  size_t last = QvDxfObjectReader::npos;
  int lastCode = 0;
  uint16_t lastSlot = 0;
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    const int code = in.code(i);
    uint16_t slot = 0;
    if (code == 11) {
      slot = kFitPointsSlot;
    } else if (code == 74 || code == 44 || code == 12 || code == 13) {
      if (std::find(headerCodesSeen.begin(), headerCodesSeen.end(), code) ==
          headerCodesSeen.end()) {
        headerCodesSeen.push_back(code);
        slot = kFitHeaderSlot;
      }
    } else if (lastSlot != 0 && i == last + 1 && code == lastCode + 10 && code >= 21 &&
               code <= 33) {
      slot = lastSlot;  // the next coordinate of the point before
    }
    if (slot != 0) in.setSlot(i, slot);
    last = i;
    lastCode = code;
    lastSlot = slot;
  }
}

}  // namespace

const QvRxClass* QvDxfSplineFiler::objectClass() const {
  return QvDbSpline::desc();
}

std::span<const std::string_view> QvDxfSplineFiler::subclassMarkers() const {
  return kMarkers;
}

QvDbSpline* QvDxfSplineFiler::newSpline() const {
  return new QvDbSpline();
}

void QvDxfSplineFiler::readOwn(QvDxfObjectReader&, QvDbSpline&) const {}

void QvDxfSplineFiler::writeOwn(QvDxfObjectWriter&, const QvDbSpline&) const {}

QvDbObject* QvDxfSplineFiler::create(QvDxfObjectReader& in) const {
  const QvDxfObjectReader::Mark mark = in.mark();
  const SplineData data = readData(in);
  in.rewind(mark);
  QvDbSpline trial;
  if (data.makeInto(trial) == Vexa::eOk) return newSpline();
  in.session().repair(
      in.line(), QvDxfDiagnostic::kEntityKeptAsProxy,
      "the " + std::string(recordName()) + "'s " +
          std::string(data.byControlPoints() ? "knots, weights and control points" : "fit points") +
          " make no spline; it is kept as read");
  return QvDxfFilerRegistry::instance().proxyEntities().create(in);
}

void QvDxfSplineFiler::read(QvDxfObjectReader& in, QvDbObject& object) const {
  if (QvDbProxyEntity::cast(&object)) {
    QvDxfFilerRegistry::instance().proxyEntities().read(in, object);
    return;
  }
  auto& spline = static_cast<QvDbSpline&>(object);
  readCommon(in, spline);
  const SplineData data = readData(in);
  if (data.joinedPieces > 0)
    in.session().repair(
        in.line(), QvDxfDiagnostic::kSplinePiecesJoined,
        "the " + std::string(recordName()) + " is made of pieces that meet end to end; " +
            std::to_string(data.joinedPieces) + (data.joinedPieces == 1 ? " joint" : " joints") +
            " with a knot repeated degree + 1 times read as one");
  if (data.byControlPoints()) slotFitData(in);
  check(in, data.makeInto(spline),
        data.byControlPoints() ? "the knots, weights and control points make no spline"
                               : "the fit points (11) make no spline");
  readOwn(in, spline);
}

void QvDxfSplineFiler::write(QvDxfObjectWriter& out, const QvDbObject& object) const {
  const auto& spline = static_cast<const QvDbSpline&>(object);
  beginEntity(out, spline);
  out.subclass(2);
  int degree = 0;
  bool rational = false;
  bool closed = false;
  bool periodic = false;
  QvGePoint3dArray controlPoints;
  QvGeDoubleArray knots;
  QvGeDoubleArray weights;
  spline.getNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights);
  // Fit data of a spline read with control points is kept as read (with its own counts).
  const bool writeFit = spline.hasFitData() && !out.hasKept(kFitPointsSlot);
  out.flags(70, (closed ? kClosed : 0) | (periodic ? kPeriodic : 0) | (rational ? kRational : 0));
  out.integer(71, degree);
  out.integer(72, knots.length());
  out.integer(73, controlPoints.length());
  out.keptGroups(kFitHeaderSlot);
  if (writeFit) {
    out.integer(74, spline.numFitPoints());
    out.real(44, spline.fitTolerance());
    QvGeVector3d start;
    QvGeVector3d end;
    spline.getFitTangents(start, end);
    if (out.writesGroup(12, start.length() > 0.0)) out.vector(12, start);
    if (out.writesGroup(13, end.length() > 0.0)) out.vector(13, end);
  }
  for (const double knot : knots) out.real(40, knot);
  if (rational)
    for (const double weight : weights) out.real(41, weight);
  for (const QvGePoint3d& point : controlPoints) out.point(10, point);
  out.keptGroups(kFitPointsSlot);
  if (writeFit) {
    for (int i = 0; i < spline.numFitPoints(); ++i) {
      QvGePoint3d point;
      spline.getFitPointAt(i, point);
      out.point(11, point);
    }
  }
  writeOwn(out, spline);
  out.end();
}

QvDxfFilerPtr qvDxfSplineFiler() {
  return std::make_unique<QvDxfSplineFiler>();
}
