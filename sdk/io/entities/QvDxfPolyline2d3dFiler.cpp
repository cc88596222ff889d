#include <memory>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb2dVertex.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDb3dPolylineVertex.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbPolyFaceMesh.h"
#include "sdk/db/QvDbPolygonMesh.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfFlaggedFollowers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// A POLYLINE record has one of these: 2 for 2D polylines, 3 for 3D ones, 4 for polygon meshes
// and 5 for polyface meshes.
constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDb2dPolyline", "AcDb3dPolyline",
                                         "AcDbPolygonMesh", "AcDbPolyFaceMesh"};
constexpr std::string_view k2dVertexMarkers[] = {"AcDbEntity", "AcDbVertex", "AcDb2dVertex"};
constexpr std::string_view k3dVertexMarkers[] = {"AcDbEntity", "AcDbVertex",
                                                 "AcDb3dPolylineVertex"};
constexpr std::string_view kMeshVertexMarkers[] = {"AcDbEntity", "AcDbVertex",
                                                   "AcDbPolygonMeshVertex"};
constexpr std::string_view kFaceVertexMarkers[] = {"AcDbEntity", "AcDbVertex",
                                                   "AcDbPolyFaceMeshVertex"};
constexpr std::string_view kFaceRecordMarkers[] = {"AcDbEntity", "AcDbFaceRecord"};

// POLYLINE flags.
constexpr int64_t kClosed = 1;
constexpr int64_t kCurveFit = 2;
constexpr int64_t kSplineFit = 4;
constexpr int64_t k3d = 8;
constexpr int64_t kPolygonMesh = 16;
constexpr int64_t kNClosed = 32;
constexpr int64_t kPolyfaceMesh = 64;
constexpr int64_t kPlinegen = 128;
// VERTEX flags.
constexpr int64_t kCurveFitVertex = 1;
constexpr int64_t kTangentUsed = 2;
constexpr int64_t kSplineFitVertex = 8;
constexpr int64_t kSplineControlVertex = 16;
constexpr int64_t k3dVertex = 32;
constexpr int64_t kMeshVertex = 64;
constexpr int64_t kFaceVertex = 128;

// Curve types of splined polylines and surface types of smoothed meshes (75).
constexpr int64_t kQuadratic = 5;
constexpr int64_t kCubic = 6;
constexpr int64_t kBezier = 8;

int64_t polylineFlags(QvDxfObjectReader& in) {
  for (const int subclass : {2, 3, 4, 5}) {
    in.select(subclass);
    const size_t at = in.find(70);
    if (at == QvDxfObjectReader::npos) continue;
    int64_t flags = 0;
    QvDxfNumber::parseInteger(in.value(at), flags);
    in.release(at);
    return flags;
  }
  // Meshes are known by their markers too.
  for (size_t i = in.beginIndex() + 1; i < in.endIndex(); ++i) {
    if (in.code(i) != 100) continue;
    if (in.value(i) == "AcDbPolygonMesh") return kPolygonMesh;
    if (in.value(i) == "AcDbPolyFaceMesh") return kPolyfaceMesh;
  }
  return 0;
}

QvDbPolyMeshType meshTypeOf(int64_t surfaceType) {
  switch (surfaceType) {
    case kQuadratic:
      return kQuadSurfaceMesh;
    case kCubic:
      return kCubicSurfaceMesh;
    case kBezier:
      return kBezierSurfaceMesh;
    default:
      return kSimpleMesh;
  }
}

int64_t surfaceTypeOf(QvDbPolyMeshType type) {
  switch (type) {
    case kQuadSurfaceMesh:
      return kQuadratic;
    case kCubicSurfaceMesh:
      return kCubic;
    case kBezierSurfaceMesh:
      return kBezier;
    case kSimpleMesh:
      break;
  }
  return 0;
}

// A polygon mesh: flags (70: 16, closed in M (1) and N (32), smoothed (4)), vertex counts
// (71, 72), surface densities (73, 74) and surface type (75).
void readPolygonMesh(QvDxfObjectReader& in, QvDbPolygonMesh& mesh) {
  in.select(4);
  in.integer(66, 1, INT16_MIN, INT16_MAX);
  in.point(10, QvGePoint3d::kOrigin);  // a dummy point
  const int64_t flags = in.flags(70, kPolygonMesh, kPolygonMesh | kClosed | kNClosed);
  QvDxfEntityFiler::check(in, mesh.setMSize(static_cast<int>(in.integer(71, 0, 0, 32767))),
                          "the M vertex count (71)");
  QvDxfEntityFiler::check(in, mesh.setNSize(static_cast<int>(in.integer(72, 0, 0, 32767))),
                          "the N vertex count (72)");
  QvDxfEntityFiler::check(in, mesh.setMSurfaceDensity(static_cast<int>(in.integer(73, 0, 0, 200))),
                          "the density (73)");
  QvDxfEntityFiler::check(in, mesh.setNSurfaceDensity(static_cast<int>(in.integer(74, 0, 0, 200))),
                          "the density (74)");
  mesh.setPolyMeshType(meshTypeOf(in.integer(75, 0, 0, 8)));
  if (flags & kClosed) mesh.makeMClosed();
  if (flags & kNClosed) mesh.makeNClosed();
}

void writePolygonMesh(QvDxfObjectWriter& out, const QvDbPolygonMesh& mesh) {
  out.subclass(4);
  out.integer(66, 1);
  out.point(10, QvGePoint3d::kOrigin);
  out.flags(70,
            kPolygonMesh | (mesh.isMClosed() ? kClosed : 0) | (mesh.isNClosed() ? kNClosed : 0));
  out.integer(71, mesh.mSize());
  out.integer(72, mesh.nSize());
  out.integer(73, mesh.mSurfaceDensity());
  out.integer(74, mesh.nSurfaceDensity());
  out.integer(75, surfaceTypeOf(mesh.polyMeshType()));
}

// A polyface mesh: flags (70: 64), the vertex and face counts (71, 72).
void writePolyFaceMesh(QvDxfObjectWriter& out, const QvDbPolyFaceMesh& mesh) {
  out.subclass(5);
  out.integer(66, 1);
  out.point(10, QvGePoint3d::kOrigin);
  out.flags(70, kPolyfaceMesh);
  out.integer(71, mesh.numVertices());
  out.integer(72, mesh.numFaces());
}

QvDbObjectIterator* followerIterator(const QvDbObject& object) {
  if (const auto* polyline = QvDb3dPolyline::cast(&object)) return polyline->vertexIterator();
  if (const auto* mesh = QvDbPolygonMesh::cast(&object)) return mesh->vertexIterator();
  if (const auto* mesh = QvDbPolyFaceMesh::cast(&object)) return mesh->vertexIterator();
  return static_cast<const QvDb2dPolyline&>(object).vertexIterator();
}

// A polyline of vertex entities (POLYLINE): a 2D polyline in the OCS of its normal (elevation
// as the z of 10, default widths 40 and 41) or a 3D polyline (flag 8); flags (70: closed,
// curve- and spline-fit, linetype generation) and the curve type of splined ones (75); or a
// polygon or polyface mesh (flags 16 and 64). Its vertices (and a polyface mesh's face records)
// follow it, closed by a sequence end.
class PolylineFiler : public QvDxfEntityFiler, public QvDxfFlaggedFollowers {
 public:
  std::string_view recordName() const override { return "POLYLINE"; }
  const QvRxClass* objectClass() const override { return QvDb2dPolyline::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    const int64_t flags = polylineFlags(in);
    if (flags & kPolyfaceMesh) return new QvDbPolyFaceMesh();
    if (flags & kPolygonMesh) return new QvDbPolygonMesh();
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
    if (auto* mesh = QvDbPolygonMesh::cast(&object)) {
      readPolygonMesh(in, *mesh);
      return;
    }
    if (QvDbPolyFaceMesh::cast(&object)) {
      // The counts follow from the vertices and faces read after it.
      in.select(5);
      in.integer(66, 1, INT16_MIN, INT16_MAX);
      in.point(10, QvGePoint3d::kOrigin);
      in.flags(70, kPolyfaceMesh, kPolyfaceMesh);
      in.integer(71, 0, 0, 32767);
      in.integer(72, 0, 0, 32767);
      return;
    }
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
    if (const auto* mesh = QvDbPolygonMesh::cast(&object)) {
      writePolygonMesh(out, *mesh);
      out.end();
      return;
    }
    if (const auto* mesh = QvDbPolyFaceMesh::cast(&object)) {
      writePolyFaceMesh(out, *mesh);
      out.end();
      return;
    }
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
    if (out.writesGroup(39, polyline.thickness() != 0.0)) out.real(39, polyline.thickness());
    int64_t flags =
        (polyline.isClosed() ? kClosed : 0) | (polyline.isLinetypeGenerationOn() ? kPlinegen : 0);
    if (polyline.polyType() == k2dFitCurvePoly) flags |= kCurveFit;
    if (polyline.polyType() == k2dQuadSplinePoly || polyline.polyType() == k2dCubicSplinePoly)
      flags |= kSplineFit;
    out.flags(70, flags);
    if (out.writesGroup(40, polyline.defaultStartWidth() != 0.0))
      out.real(40, polyline.defaultStartWidth());
    if (out.writesGroup(41, polyline.defaultEndWidth() != 0.0))
      out.real(41, polyline.defaultEndWidth());
    if (flags & kSplineFit)
      out.integer(75, polyline.polyType() == k2dQuadSplinePoly ? kQuadratic : kCubic);
    writeNormal(out, polyline.normal());
    out.end();
  }

  // The vertices.
  bool hasFollowers(QvDxfObjectReader&) const override { return true; }

  QvDbEntity* createFollower(const QvDbObject& owner, std::string_view recordName) const override {
    return createFlaggedFollower(owner, recordName, 0);
  }

  // A polyface mesh's followers are vertices or face records, told apart by their flags.
  QvDbEntity* createFlaggedFollower(const QvDbObject& owner, std::string_view recordName,
                                    int64_t flags) const override {
    if (recordName != "VERTEX") return nullptr;
    if (QvDb3dPolyline::cast(&owner)) return new QvDb3dPolylineVertex();
    if (QvDbPolygonMesh::cast(&owner)) return new QvDbPolygonMeshVertex();
    if (QvDbPolyFaceMesh::cast(&owner)) {
      if ((flags & kFaceVertex) && !(flags & kMeshVertex)) return new QvDbFaceRecord();
      return new QvDbPolyFaceMeshVertex();
    }
    return new QvDb2dVertex();
  }

  Vexa::ErrorStatus adoptFollower(QvDbObject& owner, QvDbEntity& follower) const override {
    if (auto* mesh = QvDbPolygonMesh::cast(&owner)) {
      auto* vertex = QvDbPolygonMeshVertex::cast(&follower);
      return vertex ? mesh->appendVertex(vertex) : Vexa::eWrongObjectType;
    }
    if (auto* mesh = QvDbPolyFaceMesh::cast(&owner)) {
      if (auto* face = QvDbFaceRecord::cast(&follower)) return mesh->appendFaceRecord(face);
      auto* vertex = QvDbPolyFaceMeshVertex::cast(&follower);
      return vertex ? mesh->appendVertex(vertex) : Vexa::eWrongObjectType;
    }
    if (auto* polyline = QvDb3dPolyline::cast(&owner)) {
      auto* vertex = QvDb3dPolylineVertex::cast(&follower);
      return vertex ? polyline->appendVertex(vertex) : Vexa::eWrongObjectType;
    }
    auto* vertex = QvDb2dVertex::cast(&follower);
    return vertex ? static_cast<QvDb2dPolyline&>(owner).appendVertex(vertex)
                  : Vexa::eWrongObjectType;
  }

  QvDbObjectIdArray followers(const QvDbObject& object) const override {
    std::unique_ptr<QvDbObjectIterator> it(followerIterator(object));
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
    if (out.writesGroup(40, vertex.startWidth() != 0.0)) out.real(40, vertex.startWidth());
    if (out.writesGroup(41, vertex.endWidth() != 0.0)) out.real(41, vertex.endWidth());
    if (out.writesGroup(42, vertex.bulge() != 0.0)) out.real(42, vertex.bulge());
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
    if (out.writesGroup(50, vertex.isTangentUsed()))
      out.angle(50, vertex.isTangentUsed() ? vertex.tangent() : 0.0);
    if (out.writesGroup(91, vertex.vertexIdentifier() != 0))
      out.integer(91, vertex.vertexIdentifier());
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

// A vertex of a polygon mesh: position in the world (10) and flags (70: 64; control vertices
// 16, fit vertices 8).
class MeshVertexFiler : public QvDxfEntityFilerOf<QvDbPolygonMeshVertex> {
 public:
  std::string_view recordName() const override { return "VERTEX"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMeshVertexMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& vertex = static_cast<QvDbPolygonMeshVertex&>(object);
    readCommon(in, vertex);
    in.select(3);
    vertex.setPosition(in.point(10, QvGePoint3d::kOrigin));
    const int64_t flags =
        in.flags(70, kMeshVertex, kMeshVertex | kSplineFitVertex | kSplineControlVertex);
    if (flags & kSplineControlVertex) {
      vertex.setVertexType(kControlMeshVertex);
    } else if (flags & kSplineFitVertex) {
      vertex.setVertexType(kFitMeshVertex);
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& vertex = static_cast<const QvDbPolygonMeshVertex&>(object);
    beginEntity(out, vertex);
    out.subclass(2);
    out.subclass(3);
    out.point(10, vertex.position());
    int64_t flags = kMeshVertex;
    if (vertex.vertexType() == kControlMeshVertex) flags |= kSplineControlVertex;
    if (vertex.vertexType() == kFitMeshVertex) flags |= kSplineFitVertex;
    out.flags(70, flags);
    out.end();
  }
};

// A vertex of a polyface mesh: position in the world (10), flags (70: 192).
class FaceVertexFiler : public QvDxfEntityFilerOf<QvDbPolyFaceMeshVertex> {
 public:
  std::string_view recordName() const override { return "VERTEX"; }
  std::span<const std::string_view> subclassMarkers() const override { return kFaceVertexMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& vertex = static_cast<QvDbPolyFaceMeshVertex&>(object);
    readCommon(in, vertex);
    in.select(3);
    vertex.setPosition(in.point(10, QvGePoint3d::kOrigin));
    in.flags(70, kMeshVertex | kFaceVertex, kMeshVertex | kFaceVertex);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& vertex = static_cast<const QvDbPolyFaceMeshVertex&>(object);
    beginEntity(out, vertex);
    out.subclass(2);
    out.subclass(3);
    out.point(10, vertex.position());
    out.flags(70, kMeshVertex | kFaceVertex);
    out.end();
  }
};

// A face of a polyface mesh: a dummy point (10), flags (70: 128) and its corners' vertex
// numbers (71 to 74, from 1; negative when the edge from that corner is invisible).
class FaceRecordFiler : public QvDxfEntityFilerOf<QvDbFaceRecord> {
 public:
  std::string_view recordName() const override { return "VERTEX"; }
  std::span<const std::string_view> subclassMarkers() const override { return kFaceRecordMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& face = static_cast<QvDbFaceRecord&>(object);
    readCommon(in, face);
    in.select(2);
    in.point(10, QvGePoint3d::kOrigin);
    in.flags(70, kFaceVertex, kFaceVertex);
    for (int c = 0; c < 4; ++c) {
      const int64_t number = in.integer(71 + c, 0, -32767, 32767);
      face.setVertexAt(c, static_cast<int16_t>(number < 0 ? -number : number));
      if (number < 0) face.makeEdgeInvisibleAt(c);
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& face = static_cast<const QvDbFaceRecord&>(object);
    beginEntity(out, face);
    out.subclass(2);
    out.point(10, QvGePoint3d::kOrigin);
    out.flags(70, kFaceVertex);
    for (int c = 0; c < 4; ++c) {
      int16_t number = 0;
      bool visible = true;
      face.getVertexAt(c, number);
      face.isEdgeVisibleAt(c, visible);
      if (out.writesGroup(71 + c, number != 0)) out.integer(71 + c, visible ? number : -number);
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfPolygonMeshVertexFiler() {
  return std::make_unique<MeshVertexFiler>();
}

QvDxfFilerPtr qvDxfPolyFaceMeshVertexFiler() {
  return std::make_unique<FaceVertexFiler>();
}

QvDxfFilerPtr qvDxfFaceRecordFiler() {
  return std::make_unique<FaceRecordFiler>();
}

QvDxfFilerPtr qvDxfPolyline2d3dFiler() {
  return std::make_unique<PolylineFiler>();
}

QvDxfFilerPtr qvDxfVertex2dFiler() {
  return std::make_unique<Vertex2dFiler>();
}

QvDxfFilerPtr qvDxfVertex3dFiler() {
  return std::make_unique<Vertex3dFiler>();
}
