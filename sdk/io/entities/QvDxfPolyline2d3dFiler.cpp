#include <memory>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb2dVertex.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDb3dPolylineVertex.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// A POLYLINE record has one of the two: 2 for 2D polylines, 3 for 3D ones.
constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDb2dPolyline", "AcDb3dPolyline"};
constexpr std::string_view k2dVertexMarkers[] = {"AcDbEntity", "AcDbVertex", "AcDb2dVertex"};
constexpr std::string_view k3dVertexMarkers[] = {"AcDbEntity", "AcDbVertex",
                                                 "AcDb3dPolylineVertex"};

// POLYLINE flags.
constexpr int64_t kClosed = 1;
constexpr int64_t kCurveFit = 2;
constexpr int64_t kSplineFit = 4;
constexpr int64_t k3d = 8;
constexpr int64_t kPolygonMesh = 16;
constexpr int64_t kPolyfaceMesh = 64;
constexpr int64_t kPlinegen = 128;
// VERTEX flags.
constexpr int64_t kCurveFitVertex = 1;
constexpr int64_t kTangentUsed = 2;
constexpr int64_t kSplineFitVertex = 8;
constexpr int64_t kSplineControlVertex = 16;
constexpr int64_t k3dVertex = 32;

// Curve types of splined polylines (75).
constexpr int64_t kQuadratic = 5;
constexpr int64_t kCubic = 6;

int64_t polylineFlags(QvDxfObjectReader& in) {
  for (const int subclass : {2, 3}) {
    in.select(subclass);
    const size_t at = in.find(70);
    if (at == QvDxfObjectReader::npos) continue;
    int64_t flags = 0;
    QvDxfNumber::parseInteger(in.value(at), flags);
    in.release(at);
    return flags;
  }
  // Meshes have markers of their own, left in place for the proxy that keeps them.
  for (size_t i = in.beginIndex() + 1; i < in.endIndex(); ++i) {
    if (in.code(i) != 100) continue;
    if (in.value(i) == "AcDbPolygonMesh") return kPolygonMesh;
    if (in.value(i) == "AcDbPolyFaceMesh") return kPolyfaceMesh;
  }
  return 0;
}

bool isMesh(int64_t flags) {
  return (flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
}

// A polyline of vertex entities (POLYLINE): a 2D polyline in the OCS of its normal (elevation
// as the z of 10, default widths 40 and 41) or a 3D polyline (flag 8); flags (70: closed,
// curve- and spline-fit, linetype generation) and the curve type of splined ones (75). Its
// vertices follow it, closed by a sequence end. Polygon and polyface meshes, which the
// database does not model, are kept as proxies with their vertices.
class PolylineFiler : public QvDxfEntityFiler {
 public:
  std::string_view recordName() const override { return "POLYLINE"; }
  const QvRxClass* objectClass() const override { return QvDb2dPolyline::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    const int64_t flags = polylineFlags(in);
    if (isMesh(flags)) return QvDxfFilerRegistry::instance().proxyEntities().create(in);
    if (flags & k3d) return new QvDb3dPolyline();
    return new QvDb2dPolyline();
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    if (QvDbProxyEntity::cast(&object)) {
      QvDxfFilerRegistry::instance().proxyEntities().read(in, object);
      return;
    }
    auto& entity = static_cast<QvDbEntity&>(object);
    readCommon(in, entity);
    in.select(QvDb3dPolyline::cast(&object) ? 3 : 2);
    in.integer(66, 1, INT16_MIN, INT16_MAX);
    const int64_t flags = in.flags(70, 0, kClosed | kCurveFit | kSplineFit | k3d | kPlinegen);
    const int64_t curveType = in.integer(75, 0, 0, 8);
    if (auto* polyline = QvDb3dPolyline::cast(&object)) {
      in.point(10, QvGePoint3d::kOrigin);  // a dummy point
      polyline->setClosed((flags & kClosed) != 0);
      if (flags & kSplineFit)
        polyline->setPolyType(curveType == kQuadratic ? k3dQuadSplinePoly : k3dCubicSplinePoly);
      return;
    }
    auto& polyline = static_cast<QvDb2dPolyline&>(object);
    const QvGeVector3d normal = readNormal(in);
    polyline.setNormal(normal);
    polyline.setElevation(in.point(10, QvGePoint3d::kOrigin).z);
    polyline.setThickness(in.real(39, 0.0));
    check(in, polyline.setDefaultStartWidth(in.real(40, 0.0)),
          "the default width (40) is negative");
    check(in, polyline.setDefaultEndWidth(in.real(41, 0.0)), "the default width (41) is negative");
    polyline.setClosed((flags & kClosed) != 0);
    if (flags & kPlinegen) polyline.setLinetypeGenerationOn();
    if (flags & kSplineFit) {
      polyline.setPolyType(curveType == kQuadratic ? k2dQuadSplinePoly : k2dCubicSplinePoly);
    } else if (flags & kCurveFit) {
      polyline.setPolyType(k2dFitCurvePoly);
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& entity = static_cast<const QvDbEntity&>(object);
    beginEntity(out, entity);
    if (const auto* polyline = QvDb3dPolyline::cast(&object)) {
      out.subclass(3);
      out.integer(66, 1);
      out.point(10, QvGePoint3d::kOrigin);
      int64_t flags = k3d | (polyline->isClosed() ? kClosed : 0);
      if (polyline->polyType() != k3dSimplePoly) flags |= kSplineFit;
      out.flags(70, flags);
      if (polyline->polyType() != k3dSimplePoly)
        out.integer(75, polyline->polyType() == k3dQuadSplinePoly ? kQuadratic : kCubic);
      out.end();
      return;
    }
    const auto& polyline = static_cast<const QvDb2dPolyline&>(object);
    out.subclass(2);
    out.integer(66, 1);
    out.point(10, QvGePoint3d(0.0, 0.0, polyline.elevation()));
    if (polyline.thickness() != 0.0) out.real(39, polyline.thickness());
    int64_t flags =
        (polyline.isClosed() ? kClosed : 0) | (polyline.isLinetypeGenerationOn() ? kPlinegen : 0);
    if (polyline.polyType() == k2dFitCurvePoly) flags |= kCurveFit;
    if (polyline.polyType() == k2dQuadSplinePoly || polyline.polyType() == k2dCubicSplinePoly)
      flags |= kSplineFit;
    out.flags(70, flags);
    if (polyline.defaultStartWidth() != 0.0) out.real(40, polyline.defaultStartWidth());
    if (polyline.defaultEndWidth() != 0.0) out.real(41, polyline.defaultEndWidth());
    if (flags & kSplineFit)
      out.integer(75, polyline.polyType() == k2dQuadSplinePoly ? kQuadratic : kCubic);
    writeNormal(out, polyline.normal());
    out.end();
  }

  // The vertices.
  bool hasFollowers(QvDxfObjectReader& in) const override { return !isMesh(polylineFlags(in)); }

  QvDbEntity* createFollower(const QvDbObject& owner, std::string_view recordName) const override {
    if (recordName != "VERTEX") return nullptr;
    if (QvDb3dPolyline::cast(&owner)) return new QvDb3dPolylineVertex();
    return new QvDb2dVertex();
  }

  Vexa::ErrorStatus adoptFollower(QvDbObject& owner, QvDbEntity& follower) const override {
    if (auto* polyline = QvDb3dPolyline::cast(&owner)) {
      auto* vertex = QvDb3dPolylineVertex::cast(&follower);
      return vertex ? polyline->appendVertex(vertex) : Vexa::eWrongObjectType;
    }
    auto* vertex = QvDb2dVertex::cast(&follower);
    return vertex ? static_cast<QvDb2dPolyline&>(owner).appendVertex(vertex)
                  : Vexa::eWrongObjectType;
  }

  QvDbObjectIdArray followers(const QvDbObject& object) const override {
    std::unique_ptr<QvDbObjectIterator> it;
    if (const auto* polyline = QvDb3dPolyline::cast(&object)) {
      it.reset(polyline->vertexIterator());
    } else {
      it.reset(static_cast<const QvDb2dPolyline&>(object).vertexIterator());
    }
    QvDbObjectIdArray ids;
    for (it->start(); !it->done(); it->step())
      if (!it->objectId().isErased()) ids.append(it->objectId());
    return ids;
  }

  bool endsWithSequence(const QvDbObject&) const override { return true; }

  void noteClass(QvDxfWriteSession&, const QvDbObject&) const override {}
};

// A vertex of a 2D polyline: position in the polyline's OCS (10), widths (40, 41), bulge (42),
// flags (70: curve-fit, spline-fit and spline control vertices, tangent used), tangent (50,
// degrees) and identifier (91).
class Vertex2dFiler : public QvDxfEntityFilerOf<QvDb2dVertex> {
 public:
  std::string_view recordName() const override { return "VERTEX"; }
  std::span<const std::string_view> subclassMarkers() const override { return k2dVertexMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& vertex = static_cast<QvDb2dVertex&>(object);
    readCommon(in, vertex);
    in.select(3);
    vertex.setPosition(in.point(10, QvGePoint3d::kOrigin));
    check(in, vertex.setStartWidth(in.real(40, 0.0)), "the start width (40) is negative");
    check(in, vertex.setEndWidth(in.real(41, 0.0)), "the end width (41) is negative");
    vertex.setBulge(in.real(42, 0.0));
    const int64_t flags =
        in.flags(70, 0, kCurveFitVertex | kTangentUsed | kSplineFitVertex | kSplineControlVertex);
    if (flags & kSplineControlVertex) {
      vertex.setVertexType(k2dSplineCtlVertex);
    } else if (flags & kSplineFitVertex) {
      vertex.setVertexType(k2dSplineFitVertex);
    } else if (flags & kCurveFitVertex) {
      vertex.setVertexType(k2dCurveFitVertex);
    }
    const double tangent = in.angle(50, 0.0);
    if (flags & kTangentUsed) vertex.setTangent(tangent);
    vertex.setVertexIdentifier(static_cast<int>(in.integer(91, 0, INT32_MIN, INT32_MAX)));
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& vertex = static_cast<const QvDb2dVertex&>(object);
    beginEntity(out, vertex);
    out.subclass(2);
    out.subclass(3);
    out.point(10, vertex.position());
    if (vertex.startWidth() != 0.0) out.real(40, vertex.startWidth());
    if (vertex.endWidth() != 0.0) out.real(41, vertex.endWidth());
    if (vertex.bulge() != 0.0) out.real(42, vertex.bulge());
    int64_t flags = vertex.isTangentUsed() ? kTangentUsed : 0;
    switch (vertex.vertexType()) {
      case k2dSplineCtlVertex:
        flags |= kSplineControlVertex;
        break;
      case k2dSplineFitVertex:
        flags |= kSplineFitVertex;
        break;
      case k2dCurveFitVertex:
        flags |= kCurveFitVertex;
        break;
      case k2dVertex:
        break;
    }
    out.flags(70, flags);
    if (vertex.isTangentUsed()) out.angle(50, vertex.tangent());
    if (vertex.vertexIdentifier() != 0) out.integer(91, vertex.vertexIdentifier());
    out.end();
  }
};

// A vertex of a 3D polyline: position in the world (10) and flags (70: always 32; spline-fit
// and control vertices).
class Vertex3dFiler : public QvDxfEntityFilerOf<QvDb3dPolylineVertex> {
 public:
  std::string_view recordName() const override { return "VERTEX"; }
  std::span<const std::string_view> subclassMarkers() const override { return k3dVertexMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& vertex = static_cast<QvDb3dPolylineVertex&>(object);
    readCommon(in, vertex);
    in.select(3);
    vertex.setPosition(in.point(10, QvGePoint3d::kOrigin));
    const int64_t flags =
        in.flags(70, k3dVertex, k3dVertex | kSplineFitVertex | kSplineControlVertex);
    if (flags & kSplineControlVertex) {
      vertex.setVertexType(k3dControlVertex);
    } else if (flags & kSplineFitVertex) {
      vertex.setVertexType(k3dFitVertex);
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& vertex = static_cast<const QvDb3dPolylineVertex&>(object);
    beginEntity(out, vertex);
    out.subclass(2);
    out.subclass(3);
    out.point(10, vertex.position());
    int64_t flags = k3dVertex;
    if (vertex.vertexType() == k3dControlVertex) flags |= kSplineControlVertex;
    if (vertex.vertexType() == k3dFitVertex) flags |= kSplineFitVertex;
    out.flags(70, flags);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfPolyline2d3dFiler() {
  return std::make_unique<PolylineFiler>();
}

QvDxfFilerPtr qvDxfVertex2dFiler() {
  return std::make_unique<Vertex2dFiler>();
}

QvDxfFilerPtr qvDxfVertex3dFiler() {
  return std::make_unique<Vertex3dFiler>();
}
