#include <vector>

#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbPolyline"};
constexpr int64_t kClosed = 1;
constexpr int64_t kPlinegen = 128;

struct Vertex {
  double x = 0.0;
  double y = 0.0;
  double startWidth = 0.0;
  double endWidth = 0.0;
  double bulge = 0.0;
  int identifier = 0;
};

// A lightweight polyline (LWPOLYLINE): flags (70: closed, linetype generation), constant width
// (43), elevation (38), thickness (39), normal (210) and its vertices in the OCS, each a point
// (10, 20) followed by its identifier (91), widths (40, 41) and bulge (42).
class PolylineFiler : public QvDxfEntityFilerOf<QvDbPolyline> {
 public:
  std::string_view recordName() const override { return "LWPOLYLINE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& polyline = static_cast<QvDbPolyline&>(object);
    readCommon(in, polyline);
    in.select(2);
    check(in, polyline.setNormal(readNormal(in)), "the extrusion direction (210) is zero");
    const int64_t flags = in.flags(70, 0, kClosed | kPlinegen);
    in.integer(90, 0, 0, INT32_MAX);  // the count, taken from the vertices
    const double constantWidth = in.real(43, 0.0);
    polyline.setElevation(in.real(38, 0.0));
    polyline.setThickness(in.real(39, 0.0));
    std::vector<Vertex> vertices;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      const int code = in.code(i);
      if (code == 10) {
        Vertex v;
        v.x = in.realAt(i);
        if (i + 1 >= in.endIndex() || in.code(i + 1) != 20)
          in.fail(i, QvDxfDiagnostic::kMissingGroup, "the vertex is not followed by its y (20)");
        v.y = in.realAt(++i);
        v.startWidth = v.endWidth = constantWidth;
        vertices.push_back(v);
        continue;
      }
      if (vertices.empty()) {
        if (code == 40 || code == 41 || code == 42 || code == 91)
          in.dropBeforeAny(i, "vertex (10)");
        continue;
      }
      Vertex& v = vertices.back();
      switch (code) {
        case 40:
          v.startWidth = in.realAt(i);
          break;
        case 41:
          v.endWidth = in.realAt(i);
          break;
        case 42:
          v.bulge = in.realAt(i);
          break;
        case 91:
          v.identifier = static_cast<int>(in.integerAt(i, INT32_MIN, INT32_MAX));
          break;
        default:
          break;
      }
    }
    polyline.reset(false, static_cast<unsigned int>(vertices.size()));
    for (const Vertex& v : vertices) {
      if (v.startWidth < 0.0 || v.endWidth < 0.0)
        in.failObject(QvDxfDiagnostic::kRefusedValue, "a vertex width is negative");
      check(in,
            polyline.addVertexAt(polyline.numVerts(), QvGePoint2d(v.x, v.y), v.bulge, v.startWidth,
                                 v.endWidth, v.identifier),
            "a vertex cannot be added");
    }
    polyline.setClosed((flags & kClosed) != 0);
    polyline.setPlinegen((flags & kPlinegen) != 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& polyline = static_cast<const QvDbPolyline&>(object);
    beginEntity(out, polyline);
    out.subclass(2);
    const unsigned int count = polyline.numVerts();
    out.integer(90, count);
    out.flags(70, (polyline.isClosed() ? kClosed : 0) | (polyline.hasPlinegen() ? kPlinegen : 0));
    double constantWidth = 0.0;
    const bool constant = polyline.getConstantWidth(constantWidth) == Vexa::eOk;
    if (out.writesGroup(43, constant)) out.real(43, constant ? constantWidth : 0.0);
    if (out.writesGroup(38, polyline.elevation() != 0.0)) out.real(38, polyline.elevation());
    if (out.writesGroup(39, polyline.thickness() != 0.0)) out.real(39, polyline.thickness());
    for (unsigned int i = 0; i < count; ++i) {
      QvGePoint2d point;
      polyline.getPointAt(i, point);
      out.real(10, point.x);
      out.real(20, point.y);
      if (const int id = polyline.vertexIdentifierAt(i); id != 0) out.integer(91, id);
      // Widths also under a constant width, for readers that take them from the vertices.
      double start = 0.0;
      double end = 0.0;
      polyline.getWidthsAt(i, start, end);
      if (start != 0.0 || end != 0.0) {
        out.real(40, start);
        out.real(41, end);
      }
      double bulge = 0.0;
      polyline.getBulgeAt(i, bulge);
      if (bulge != 0.0) out.real(42, bulge);
    }
    writeNormal(out, polyline.normal());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfPolylineFiler() {
  return std::make_unique<PolylineFiler>();
}
