// HATCH: the common groups and the hatch's own subclass. Its plain values are a field table;
// the boundary paths, the pattern lines, the seed points and the gradient are lists whose
// groups repeat codes of one another, read by hand in file order.
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "sdk/db/QvDbHatch.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbHatch"};
constexpr double kDegrees = 180.0 / std::numbers::pi;

// Walks the groups of the hatch's subclass in file order from one group on, taking them.
class Cursor {
 public:
  Cursor(QvDxfObjectReader& in, size_t at) : in_(in), at_(at) {}

  bool atCode(int code) const { return at_ != QvDxfObjectReader::npos && in_.code(at_) == code; }
  int code() const { return at_ == QvDxfObjectReader::npos ? -1 : in_.code(at_); }
  // The group after the current one (npos at the end).
  size_t after() const { return at_ == QvDxfObjectReader::npos ? at_ : in_.next(at_ + 1); }
  size_t at() const { return at_; }

  double real(int code) { return in_.realAt(expect(code)); }
  int64_t integer(int code, int64_t min, int64_t max) {
    return in_.integerAt(expect(code), min, max);
  }
  QvGePoint2d point(int code) {
    const double x = real(code);
    return {x, real(code + 10)};
  }
  QvDbObjectId pointer(int code) { return in_.pointerAt(expect(code)); }
  QvString text(int code) { return in_.textAt(expect(code)); }
  // Refuses the value of group i, which the hatch does not take.
  [[noreturn]] void refuse(size_t i, const std::string& what) {
    in_.fail(i, QvDxfDiagnostic::kRefusedValue, what);
  }
  // The value of an optional group, when it comes next.
  bool optionalReal(int code, double& value) {
    if (!atCode(code)) return false;
    value = real(code);
    return true;
  }

 private:
  size_t expect(int code) {
    if (!atCode(code)) {
      if (at_ == QvDxfObjectReader::npos)
        in_.failObject(QvDxfDiagnostic::kMissingGroup,
                       "the hatch ends where group " + std::to_string(code) + " was expected");
      in_.fail(at_, QvDxfDiagnostic::kMissingGroup,
               "group " + std::to_string(code) + " was expected here in the hatch");
    }
    const size_t i = at_;
    at_ = in_.next(at_ + 1);
    return i;
  }

  QvDxfObjectReader& in_;
  size_t at_;
};

// Counts of a list in the file: never negative, never more than the groups left.
int64_t count(Cursor& c, int code) {
  return c.integer(code, 0, INT32_MAX);
}

// An angle of the file in degrees, in radians.
double radians(double degrees) {
  return degrees / kDegrees;
}

// ---- Boundary paths ----

QvGeCurve2d* readArc(Cursor& c) {
  const QvGePoint2d center = c.point(10);
  const double radius = c.real(40);
  const double start = radians(c.real(50));
  double end = radians(c.real(51));
  const bool ccw = c.integer(73, INT16_MIN, INT16_MAX) != 0;
  if (!(end > start)) end += 2.0 * std::numbers::pi;
  // A clockwise arc's angles are measured clockwise, as a clockwise 2D arc's are.
  return new QvGeCircArc2d(center, radius, start, end, QvGeVector2d::kXAxis, !ccw);
}

// The eccentric parameter of an ellipse with radii a and b at a geometric angle measured from
// its major axis towards its minor axis.
double paramAt(double a, double b, double angle) {
  const double t = std::atan2(a * std::sin(angle), b * std::cos(angle));
  return t + 2.0 * std::numbers::pi * std::round((angle - t) / (2.0 * std::numbers::pi));
}

double angleAt(double a, double b, double param) {
  const double t = std::atan2(b * std::sin(param), a * std::cos(param));
  return t + 2.0 * std::numbers::pi * std::round((param - t) / (2.0 * std::numbers::pi));
}

QvGeCurve2d* readEllipse(Cursor& c) {
  const QvGePoint2d center = c.point(10);
  const QvGeVector2d major = c.point(11).asVector();
  const size_t ratioAt = c.at();
  const double ratio = c.real(40);
  // As an ellipse entity's: above 0, and 1 at most.
  if (!(ratio > 0.0) || ratio > 1.0 + QvGePrecision::kRoundoff)
    c.refuse(ratioAt, "the axis ratio (40) of an ellipse edge is not above 0 and at most 1");
  const double start = radians(c.real(50));
  double end = radians(c.real(51));
  const bool ccw = c.integer(73, INT16_MIN, INT16_MAX) != 0;
  if (!(end > start)) end += 2.0 * std::numbers::pi;
  const double a = major.length(), b = a * std::fmin(ratio, 1.0);
  const QvGeVector2d unit = a > 0.0 ? major / a : QvGeVector2d::kXAxis;
  const QvGeVector2d minor = ccw ? unit.perpVector() : -unit.perpVector();
  const double t0 = paramAt(a, b, start);
  double t1 = paramAt(a, b, end);
  if (!(t1 > t0)) t1 += 2.0 * std::numbers::pi;
  return new QvGeEllipArc2d(center, unit, minor, a, b, t0, t1);
}

struct SplineEdge {
  std::unique_ptr<QvGeNurbCurve2d> curve;
  QvGePoint2dArray fitPoints;
  QvGeVector2d startTangent;
  QvGeVector2d endTangent;
};

// Whether a 97 after a spline's control points is the count of its fit points rather than
// that of the path's source objects: fit points follow it, or with none, more of the spline
// (its tangents) or the path's own count.
bool isFitCount(QvDxfObjectReader& in, Cursor& c) {
  if (!c.atCode(97)) return false;
  const size_t next = c.after();
  const int nextCode = next == QvDxfObjectReader::npos ? -1 : in.code(next);
  return nextCode == 11 || ((nextCode == 12 || nextCode == 13 || nextCode == 97 ||
                             nextCode == 72 || nextCode == 92) &&
                            in.value(c.at()).find_first_not_of(" 0") == std::string_view::npos);
}

SplineEdge readSpline(QvDxfObjectReader& in, Cursor& c) {
  SplineEdge edge;
  const int degree = static_cast<int>(c.integer(94, 1, 25));
  const bool rational = c.integer(73, INT16_MIN, INT16_MAX) != 0;
  const bool periodic = c.integer(74, INT16_MIN, INT16_MAX) != 0;
  const int64_t numKnots = count(c, 95);
  const int64_t numPoints = count(c, 96);
  QvGeDoubleArray knots, weights;
  QvGePoint2dArray points;
  for (int64_t i = 0; i < numKnots; ++i) knots.append(c.real(40));
  for (int64_t i = 0; i < numPoints; ++i) {
    points.append(c.point(10));
    double weight = 1.0;
    if (c.optionalReal(42, weight) || rational) weights.append(weight);
  }
  if (isFitCount(in, c)) {
    const int64_t numFit = count(c, 97);
    for (int64_t i = 0; i < numFit; ++i) edge.fitPoints.append(c.point(11));
  }
  if (c.atCode(12)) edge.startTangent = c.point(12).asVector();
  if (c.atCode(13)) edge.endTangent = c.point(13).asVector();
  edge.curve = std::make_unique<QvGeNurbCurve2d>(degree, knots, points,
                                                 rational ? weights : QvGeDoubleArray(), periodic);
  return edge;
}

void readPolylinePath(Cursor& c, QvDbHatch& hatch, int type, QvDxfObjectReader& in) {
  bool hasBulges = false;
  bool closed = true;
  // Either order of the two flags occurs.
  for (int k = 0; k < 2; ++k) {
    if (c.atCode(72)) hasBulges = c.integer(72, INT16_MIN, INT16_MAX) != 0;
    if (c.atCode(73)) closed = c.integer(73, INT16_MIN, INT16_MAX) != 0;
  }
  const int64_t n = count(c, 93);
  QvGePoint2dArray vertices;
  QvGeDoubleArray bulges;
  for (int64_t i = 0; i < n; ++i) {
    vertices.append(c.point(10));
    double bulge = 0.0;
    c.optionalReal(42, bulge);
    bulges.append(hasBulges ? bulge : 0.0);
  }
  QvDxfEntityFiler::check(in, hatch.appendLoop(type, vertices, bulges),
                          "a polyline boundary path has fewer than two vertices");
  hatch.setLoopPolylineClosed(hatch.numLoops() - 1, closed);
}

void readEdgePath(Cursor& c, QvDbHatch& hatch, int type, QvDxfObjectReader& in) {
  const int64_t n = count(c, 93);
  QvArray<QvGeCurve2d*> edges;
  QvGeIntArray types;
  std::vector<std::unique_ptr<QvGeCurve2d>> owned;
  std::vector<SplineEdge> splines;
  std::vector<int> splineAt;
  for (int64_t i = 0; i < n; ++i) {
    const int kind = static_cast<int>(c.integer(72, 1, 4));
    switch (kind) {
      case QvDbHatch::kLine: {
        const QvGePoint2d start = c.point(10);
        owned.emplace_back(new QvGeLineSeg2d(start, c.point(11)));
        break;
      }
      case QvDbHatch::kCirArc:
        owned.emplace_back(readArc(c));
        break;
      case QvDbHatch::kEllArc:
        owned.emplace_back(readEllipse(c));
        break;
      default: {
        SplineEdge spline = readSpline(in, c);
        owned.push_back(std::move(spline.curve));
        splineAt.push_back(static_cast<int>(i));
        splines.push_back(std::move(spline));
        break;
      }
    }
    edges.append(owned.back().get());
    types.append(kind);
  }
  QvDxfEntityFiler::check(in, hatch.appendLoop(type, edges, types),
                          "an edge of a boundary path makes no curve");
  const int loop = hatch.numLoops() - 1;
  for (size_t k = 0; k < splines.size(); ++k)
    hatch.setEdgeFitData(loop, splineAt[k], splines[k].fitPoints, splines[k].startTangent,
                         splines[k].endTangent);
}

void readPaths(QvDxfObjectReader& in, QvDbHatch& hatch) {
  const size_t at = in.find(91);
  if (at == QvDxfObjectReader::npos) return;
  const int64_t numPaths = in.integerAt(at, 0, INT32_MAX);
  Cursor c(in, in.next(at + 1));
  for (int64_t p = 0; p < numPaths; ++p) {
    const int type = static_cast<int>(c.integer(92, INT32_MIN, INT32_MAX));
    if (type & QvDbHatch::kPolyline)
      readPolylinePath(c, hatch, type, in);
    else
      readEdgePath(c, hatch, type, in);
    if (!c.atCode(97)) continue;
    const int64_t numSources = count(c, 97);
    QvDbObjectIdArray ids;
    for (int64_t i = 0; i < numSources; ++i) ids.append(c.pointer(330));
    if (hatch.associative()) hatch.setHatchAssocObjIdsAt(hatch.numLoops() - 1, ids);
  }
}

// An angle in degrees on a grid of 1e-10 degrees. The way from the file's degrees to radians
// (and ellipse parameters) and back is not exact; on the grid, an angle read and written again
// is written the same.
double onGrid(double degrees) {
  return std::round(degrees * 1e10) / 1e10;
}

// The angles of a clockwise arc or ellipse are written clockwise, from the x axis.
void writeArcAngles(QvDxfObjectWriter& out, double start, double sweep) {
  double s = std::fmod(start * kDegrees, 360.0);
  if (s < 0.0) s += 360.0;
  double e = s + sweep * kDegrees;
  if (e > 360.0 + 1e-9) e -= 360.0;
  out.real(50, onGrid(s));
  out.real(51, onGrid(e));
}

void writeEdge(QvDxfObjectWriter& out, const QvGeCurve2d& edge, int type) {
  out.integer(72, type);
  switch (type) {
    case QvDbHatch::kLine: {
      const auto& line = static_cast<const QvGeLineSeg2d&>(edge);
      out.real(10, line.startPoint().x);
      out.real(20, line.startPoint().y);
      out.real(11, line.endPoint().x);
      out.real(21, line.endPoint().y);
      break;
    }
    case QvDbHatch::kCirArc: {
      const auto& arc = static_cast<const QvGeCircArc2d&>(edge);
      const double ref = std::atan2(arc.refVec().y, arc.refVec().x);
      const bool cw = arc.isClockWise();
      out.real(10, arc.center().x);
      out.real(20, arc.center().y);
      out.real(40, arc.radius());
      writeArcAngles(out, cw ? arc.startAng() - ref : arc.startAng() + ref,
                     arc.endAng() - arc.startAng());
      out.integer(73, cw ? 0 : 1);
      break;
    }
    case QvDbHatch::kEllArc: {
      const auto& arc = static_cast<const QvGeEllipArc2d&>(edge);
      const double a = arc.majorRadius(), b = arc.minorRadius();
      const double start = angleAt(a, b, arc.startAng());
      const double end = angleAt(a, b, arc.endAng());
      out.real(10, arc.center().x);
      out.real(20, arc.center().y);
      out.real(11, arc.majorAxis().x * a);
      out.real(21, arc.majorAxis().y * a);
      out.real(40, b / a);
      writeArcAngles(out, start, end - start);
      out.integer(73, arc.isClockWise() ? 0 : 1);
      break;
    }
    default: {
      const auto& nurbs = static_cast<const QvGeNurbCurve2d&>(edge);
      int degree = 0;
      bool rational = false, periodic = false;
      QvGeDoubleArray knots, weights;
      QvGePoint2dArray points;
      nurbs.getDefinitionData(degree, rational, periodic, knots, points, weights);
      out.integer(94, degree);
      out.integer(73, rational ? 1 : 0);
      out.integer(74, periodic ? 1 : 0);
      out.integer(95, knots.length());
      out.integer(96, points.length());
      for (const double knot : knots) out.real(40, knot);
      for (int i = 0; i < points.length(); ++i) {
        out.real(10, points[i].x);
        out.real(20, points[i].y);
        if (rational) out.real(42, weights[i]);
      }
      break;
    }
  }
}

void writeFit(QvDxfObjectWriter& out, const QvDbHatch& hatch, int loop, int edge) {
  QvGePoint2dArray fit;
  QvGeVector2d start, end;
  hatch.getEdgeFitData(loop, edge, fit, start, end);
  out.integer(97, fit.length());
  for (const QvGePoint2d& p : fit) {
    out.real(11, p.x);
    out.real(21, p.y);
  }
  if (!start.isZeroLength()) {
    out.real(12, start.x);
    out.real(22, start.y);
  }
  if (!end.isZeroLength()) {
    out.real(13, end.x);
    out.real(23, end.y);
  }
}

void writePaths(QvDxfObjectWriter& out, const QvDbHatch& hatch) {
  out.integer(91, hatch.numLoops());
  for (int loop = 0; loop < hatch.numLoops(); ++loop) {
    const int type = hatch.loopTypeAt(loop);
    out.integer(92, type);
    if (type & QvDbHatch::kPolyline) {
      int unused = 0;
      QvGePoint2dArray vertices;
      QvGeDoubleArray bulges;
      hatch.getLoopAt(loop, unused, vertices, bulges);
      bool hasBulges = false;
      for (const double b : bulges) hasBulges = hasBulges || b != 0.0;
      out.integer(72, hasBulges ? 1 : 0);
      out.integer(73, hatch.isLoopPolylineClosed(loop) ? 1 : 0);
      out.integer(93, vertices.length());
      for (int i = 0; i < vertices.length(); ++i) {
        out.real(10, vertices[i].x);
        out.real(20, vertices[i].y);
        if (hasBulges) out.real(42, bulges[i]);
      }
    } else {
      int unused = 0;
      QvArray<QvGeCurve2d*> edges;
      QvGeIntArray types;
      hatch.getLoopAt(loop, unused, edges, types);
      out.integer(93, edges.length());
      for (int i = 0; i < edges.length(); ++i) {
        std::unique_ptr<QvGeCurve2d> edge(edges[i]);
        writeEdge(out, *edge, types[i]);
        if (types[i] == QvDbHatch::kSpline) writeFit(out, hatch, loop, i);
      }
    }
    QvDbObjectIdArray ids, written;
    hatch.getAssocObjIdsAt(loop, ids);
    for (const QvDbObjectId& id : ids)
      if (out.session().isWritten(id)) written.append(id);
    out.integer(97, written.length());
    for (const QvDbObjectId& id : written) out.pointer(330, id);
  }
}

// ---- Pattern, seeds, gradient ----

void readPattern(QvDxfObjectReader& in, QvDbHatch& hatch) {
  QvDxfEntityFiler::check(in, hatch.setPatternAngle(radians(in.real(52, 0.0))),
                          "the pattern angle (52) is not valid");
  QvDxfEntityFiler::check(in, hatch.setPatternScale(in.real(41, 1.0)),
                          "the pattern scale (41) is not positive");
  hatch.setPatternDouble(in.integer(77, 0, INT16_MIN, INT16_MAX) != 0);
  const size_t at = in.find(78);
  if (at == QvDxfObjectReader::npos) return;
  const int64_t n = in.integerAt(at, 0, INT32_MAX);
  Cursor c(in, in.next(at + 1));
  QvArray<QvDbHatchPatternLine> lines;
  for (int64_t i = 0; i < n; ++i) {
    QvDbHatchPatternLine line;
    line.angle = radians(c.real(53));
    line.base.x = c.real(43);
    line.base.y = c.real(44);
    line.offset.x = c.real(45);
    line.offset.y = c.real(46);
    const int64_t dashes = count(c, 79);
    for (int64_t k = 0; k < dashes; ++k) line.dashes.append(c.real(49));
    lines.append(line);
  }
  QvDxfEntityFiler::check(in, hatch.setPatternDefinitions(lines),
                          "a pattern line (53) has no offset to the next");
}

void writePattern(QvDxfObjectWriter& out, const QvDbHatch& hatch) {
  if (hatch.isSolidFill()) return;
  out.real(52, hatch.patternAngle() * kDegrees);
  out.real(41, hatch.patternScale());
  out.integer(77, hatch.patternDouble() ? 1 : 0);
  out.integer(78, hatch.numPatternDefinitions());
  for (int i = 0; i < hatch.numPatternDefinitions(); ++i) {
    double angle = 0.0, baseX = 0.0, baseY = 0.0, offsetX = 0.0, offsetY = 0.0;
    QvGeDoubleArray dashes;
    hatch.getPatternDefinitionAt(i, angle, baseX, baseY, offsetX, offsetY, dashes);
    out.real(53, angle * kDegrees);
    out.real(43, baseX);
    out.real(44, baseY);
    out.real(45, offsetX);
    out.real(46, offsetY);
    out.integer(79, dashes.length());
    for (const double dash : dashes) out.real(49, dash);
  }
}

void readSeeds(QvDxfObjectReader& in, QvDbHatch& hatch) {
  const size_t at = in.find(98);
  if (at == QvDxfObjectReader::npos) return;
  const int64_t n = in.integerAt(at, 0, INT32_MAX);
  Cursor c(in, in.next(at + 1));
  QvGePoint2dArray seeds;
  for (int64_t i = 0; i < n; ++i) seeds.append(c.point(10));
  hatch.setHatchSeedPoints(seeds);
}

void writeSeeds(QvDxfObjectWriter& out, const QvDbHatch& hatch) {
  QvGePoint2dArray seeds;
  hatch.getHatchSeedPoints(seeds);
  out.integer(98, seeds.length());
  for (const QvGePoint2d& p : seeds) {
    out.real(10, p.x);
    out.real(20, p.y);
  }
}

void readGradient(QvDxfObjectReader& in, QvDbHatch& hatch) {
  const size_t at = in.find(450);
  if (at == QvDxfObjectReader::npos) return;
  QvDbHatchGradient g;
  g.kind = static_cast<int>(in.integerAt(at, INT32_MIN, INT32_MAX));
  g.reserved = static_cast<int>(in.integer(451, 0, INT32_MIN, INT32_MAX));
  g.oneColor = in.integer(452, 0, INT32_MIN, INT32_MAX) != 0;
  in.integer(453, 0, 0, INT32_MAX);  // the count, taken from the colours
  g.angle = in.real(460, 0.0);
  g.shift = in.real(461, 0.0);
  g.tint = in.real(462, 0.0);
  for (size_t i = in.next(at + 1); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    const int code = in.code(i);
    if (code == 463) {
      g.colors.push_back({in.realAt(i), -1, -1});
    } else if (code == 63 && !g.colors.empty()) {
      g.colors.back().colorIndex = static_cast<int>(in.integerAt(i, 0, 257));
    } else if (code == 421 && !g.colors.empty()) {
      g.colors.back().rgb = in.integerAt(i, INT32_MIN, INT32_MAX) & 0xFFFFFF;
    }
  }
  g.name = in.text(470, L"LINEAR");
  QvDxfEntityFiler::check(in, hatch.setGradient(g), "the gradient's angle (460) is not valid");
}

void writeGradient(QvDxfObjectWriter& out, const QvDbHatch& hatch) {
  QvDbHatchGradient g;
  if (hatch.getGradient(g) != Vexa::eOk) return;
  out.integer(450, g.kind);
  out.integer(451, g.reserved);
  out.integer(452, g.oneColor ? 1 : 0);
  out.integer(453, static_cast<int64_t>(g.colors.size()));
  out.real(460, g.angle);
  out.real(461, g.shift);
  out.real(462, g.tint);
  for (const QvDbHatchGradient::Color& color : g.colors) {
    out.real(463, color.value);
    if (color.colorIndex >= 0) out.integer(63, color.colorIndex);
    if (color.rgb >= 0) out.integer(421, color.rgb);
  }
  out.text(470, g.name);
}

// ---- The table ----

QvGePoint3d elevationPoint(const QvDbHatch& hatch) {
  return {0.0, 0.0, hatch.elevation()};
}
Vexa::ErrorStatus setElevationPoint(QvDbHatch& hatch, const QvGePoint3d& point) {
  return hatch.setElevation(point.z);
}
QvString patternName(const QvDbHatch& hatch) {
  return hatch.patternName();
}
Vexa::ErrorStatus setPatternName(QvDbHatch& hatch, const QvString& name) {
  return hatch.setPattern(hatch.patternType(), name.c_str());
}
int64_t patternType(const QvDbHatch& hatch) {
  return hatch.patternType();
}
Vexa::ErrorStatus setPatternType(QvDbHatch& hatch, int64_t type) {
  return hatch.setPattern(static_cast<QvDbHatch::HatchPatternType>(type),
                          hatch.patternName().c_str());
}
// The solid-fill flag (70) follows the pattern (type predefined, name "SOLID").
int64_t solidFill(const QvDbHatch& hatch) {
  return hatch.isSolidFill() ? 1 : 0;
}
Vexa::ErrorStatus takeSolidFill(QvDbHatch&, int64_t) {
  return Vexa::eOk;
}
int64_t associative(const QvDbHatch& hatch) {
  return hatch.associative() ? 1 : 0;
}
Vexa::ErrorStatus setAssociative(QvDbHatch& hatch, int64_t on) {
  return hatch.setAssociative(on != 0);
}
int64_t style(const QvDbHatch& hatch) {
  return hatch.hatchStyle();
}
Vexa::ErrorStatus setStyle(QvDbHatch& hatch, int64_t style) {
  return hatch.setHatchStyle(static_cast<QvDbHatch::HatchStyle>(style));
}

using F = QvDxfFieldsOf<QvDbHatch>;
constexpr std::array kFields{
    F::point<&elevationPoint, &setElevationPoint>(2, 10),
    F::normal<&QvDbHatch::normal, &QvDbHatch::setNormal>(2),
    F::text<&patternName, &setPatternName>(2, 2, L"SOLID")
        .refusal("the pattern name (2) is empty"),
    F::flags<&solidFill, &takeSolidFill>(2, 70, 1, 1),
    F::integer<&associative, &setAssociative>(2, 71, 0, 0, 1),
    F::custom<&readPaths, &writePaths>(2),
    F::integer<&style, &setStyle>(2, 75, QvDbHatch::kNormal, QvDbHatch::kNormal,
                                  QvDbHatch::kIgnore),
    F::integer<&patternType, &setPatternType>(2, 76, QvDbHatch::kPreDefined,
                                              QvDbHatch::kUserDefined,
                                              QvDbHatch::kCustomDefined),
    F::custom<&readPattern, &writePattern>(2),
    F::real<&QvDbHatch::pixelSize, &QvDbHatch::setPixelSize>(2, 47).unlessDefault(),
    F::custom<&readSeeds, &writeSeeds>(2),
    F::custom<&readGradient, &writeGradient>(2),
};
static_assert(QvDxfFields::isValid(kFields));

}  // namespace

QvDxfFilerPtr qvDxfHatchFiler() {
  return qvDxfTableEntityFiler<QvDbHatch>("HATCH", kMarkers, kFields);
}
