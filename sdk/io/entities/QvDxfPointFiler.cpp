#include "sdk/db/QvDbPoint.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbPoint"};

// A point: position (10, world), thickness (39), normal (210) and the angle of its x axis
// (50, degrees).
class PointFiler : public QvDxfEntityFilerOf<QvDbPoint> {
 public:
  std::string_view recordName() const override { return "POINT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& point = static_cast<QvDbPoint&>(object);
    readCommon(in, point);
    in.select(2);
    point.setPosition(in.point(10, QvGePoint3d::kOrigin));
    point.setThickness(in.real(39, 0.0));
    point.setNormal(readNormal(in));
    point.setEcsRotation(in.angle(50, 0.0));
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& point = static_cast<const QvDbPoint&>(object);
    beginEntity(out, point);
    out.subclass(2);
    out.point(10, point.position());
    if (point.thickness() != 0.0) out.real(39, point.thickness());
    writeNormal(out, point.normal());
    if (point.ecsRotation() != 0.0) out.angle(50, point.ecsRotation());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfPointFiler() {
  return std::make_unique<PointFiler>();
}
