#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kTraceMarkers[] = {"AcDbEntity", "AcDbTrace"};
constexpr std::string_view kFaceMarkers[] = {"AcDbEntity", "AcDbFace"};

// Solids and traces: four corners (10 to 13) in the OCS of the normal (210), a triangle
// repeating its third, and a thickness (39).
template <class Entity>
class CornerFiler : public QvDxfEntityFilerOf<Entity> {
 public:
  explicit CornerFiler(std::string_view name) : name_(name) {}
  std::string_view recordName() const override { return name_; }
  std::span<const std::string_view> subclassMarkers() const override { return kTraceMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& entity = static_cast<Entity&>(object);
    this->readCommon(in, entity);
    in.select(2);
    const QvGeVector3d normal = QvDxfEntityFiler::readNormal(in);
    entity.setNormal(normal);
    entity.setThickness(in.real(39, 0.0));
    QvGePoint3d corners[4];
    for (int i = 0; i < 3; ++i) corners[i] = QvDxfEntityFiler::ocsPoint(in, 10 + i, normal);
    corners[3] = in.has(13) ? QvDxfEntityFiler::ocsPoint(in, 13, normal) : corners[2];
    for (int i = 0; i < 4; ++i) entity.setPointAt(i, corners[i]);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& entity = static_cast<const Entity&>(object);
    this->beginEntity(out, entity);
    out.subclass(2);
    if (entity.thickness() != 0.0) out.real(39, entity.thickness());
    for (int i = 0; i < 4; ++i) {
      QvGePoint3d corner;
      entity.getPointAt(i, corner);
      QvDxfEntityFiler::writeOcsPoint(out, 10 + i, corner, entity.normal());
    }
    QvDxfEntityFiler::writeNormal(out, entity.normal());
    out.end();
  }

 private:
  std::string_view name_;
};

// A 3D face: four corners in world coordinates (10 to 13; a triangle repeats its third) and
// the edges drawn invisible (70: bit i for edge i).
class FaceFiler : public QvDxfEntityFilerOf<QvDbFace> {
 public:
  std::string_view recordName() const override { return "3DFACE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kFaceMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& face = static_cast<QvDbFace&>(object);
    readCommon(in, face);
    in.select(2);
    QvGePoint3d corners[4];
    for (int i = 0; i < 3; ++i) corners[i] = in.point(10 + i, QvGePoint3d::kOrigin);
    corners[3] = in.point(13, corners[2]);
    for (int i = 0; i < 4; ++i) face.setVertexAt(i, corners[i]);
    const int64_t hidden = in.flags(70, 0, 15);
    for (int i = 0; i < 4; ++i) {
      if (hidden & (int64_t{1} << i)) {
        face.makeEdgeInvisibleAt(i);
      } else {
        face.makeEdgeVisibleAt(i);
      }
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& face = static_cast<const QvDbFace&>(object);
    beginEntity(out, face);
    out.subclass(2);
    int64_t hidden = 0;
    for (int i = 0; i < 4; ++i) {
      QvGePoint3d corner;
      face.getVertexAt(i, corner);
      out.point(10 + i, corner);
      bool visible = true;
      face.isEdgeVisibleAt(i, visible);
      if (!visible) hidden |= int64_t{1} << i;
    }
    out.flags(70, hidden);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfSolidFiler() {
  return std::make_unique<CornerFiler<QvDbSolid>>("SOLID");
}

QvDxfFilerPtr qvDxfTraceFiler() {
  return std::make_unique<CornerFiler<QvDbTrace>>("TRACE");
}

QvDxfFilerPtr qvDxfFaceFiler() {
  return std::make_unique<FaceFiler>();
}
