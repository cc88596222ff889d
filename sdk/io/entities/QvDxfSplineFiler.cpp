#include "sdk/db/QvDbSpline.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbSpline"};

// A spline read with both control and fit points keeps its fit data in these places, to be
// written where fit data stand.
constexpr uint16_t kFitHeaderSlot = QvDxfSlot::kFirstCustom;
constexpr uint16_t kFitPointsSlot = QvDxfSlot::kFirstCustom + 1;

constexpr int64_t kClosed = 1;
constexpr int64_t kPeriodic = 2;
constexpr int64_t kRational = 4;

// A spline: flags (70: closed, periodic, rational), degree (71), knots (40), weights (41) and
// control points (10) in world coordinates; or, without control points, fit points (11) with
// their tolerance (44) and end tangents (12, 13). A spline with both keeps its fit data as
// read; the curve is its control points.
class SplineFiler : public QvDxfEntityFilerOf<QvDbSpline> {
 public:
  std::string_view recordName() const override { return "SPLINE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& spline = static_cast<QvDbSpline&>(object);
    readCommon(in, spline);
    in.select(2);
    const int64_t flags = in.flags(70, 0, kClosed | kPeriodic | kRational);
    const int degree = static_cast<int>(in.integer(71, 3, 1, 25));
    QvGePoint3dArray controlPoints;
    QvGeDoubleArray knots;
    QvGeDoubleArray weights;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      switch (in.code(i)) {
        case 40:
          knots.append(in.realAt(i));
          break;
        case 41:
          weights.append(in.realAt(i));
          break;
        case 10: {
          in.release(i);
          controlPoints.append(in.point(10, QvGePoint3d::kOrigin));
          break;
        }
        default:
          break;
      }
    }
    if (controlPoints.length() > 0) {
      for (const int code : {72, 73}) in.integer(code, 0, 0, INT32_MAX);  // counts
      for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
        const int code = in.code(i);
        if (code == 11 || code == 21 || code == 31) {
          in.setSlot(i, kFitPointsSlot);
        } else if (code == 74 || code == 44 || code == 12 || code == 22 || code == 32 ||
                   code == 13 || code == 23 || code == 33) {
          in.setSlot(i, kFitHeaderSlot);
        }
      }
      const bool rational = (flags & kRational) != 0;
      if (!rational) weights.removeAll();
      check(in,
            spline.setNurbsData(degree, rational, (flags & kClosed) != 0, (flags & kPeriodic) != 0,
                                controlPoints, knots, weights),
            "the knots, weights and control points make no spline");
      return;
    }
    QvGePoint3dArray fitPoints;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      if (in.code(i) != 11) continue;
      in.release(i);
      fitPoints.append(in.point(11, QvGePoint3d::kOrigin));
    }
    for (const int code : {72, 73, 74}) in.integer(code, 0, 0, INT32_MAX);
    const QvGeVector3d start = in.vector(12, QvGeVector3d());
    const QvGeVector3d end = in.vector(13, QvGeVector3d());
    check(in, spline.setFitData(fitPoints, degree, in.real(44, 0.0), start, end),
          "the fit points (11) make no spline");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
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
      if (start.length() > 0.0) out.vector(12, start);
      if (end.length() > 0.0) out.vector(13, end);
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
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfSplineFiler() {
  return std::make_unique<SplineFiler>();
}
