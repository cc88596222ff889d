#include "sdk/db/QvDbEllipse.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbEllipse"};

// An ellipse: centre (10) and end of the major axis from it (11) in world coordinates, normal
// (210), ratio of the minor to the major axis (40), start and end parameters (41, 42).
class EllipseFiler : public QvDxfEntityFilerOf<QvDbEllipse> {
 public:
  std::string_view recordName() const override { return "ELLIPSE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& ellipse = static_cast<QvDbEllipse&>(object);
    readCommon(in, ellipse);
    in.select(2);
    const QvGePoint3d center = in.point(10, QvGePoint3d::kOrigin);
    const QvGeVector3d major = in.vector(11, QvGeVector3d::kXAxis);
    const QvGeVector3d normal = readNormal(in);
    const double ratio = in.real(40, 1.0);
    check(in, ellipse.set(center, normal.normal(), major, ratio),
          "the axes (11, 210) or the ratio (40) make no ellipse");
    const double start = in.real(41, 0.0);
    const double end = in.real(42, QvGe::k2Pi);
    check(in, ellipse.setStartParam(start), "the start parameter (41) is not valid");
    check(in, ellipse.setEndParam(end), "the end parameter (42) is not valid");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& ellipse = static_cast<const QvDbEllipse&>(object);
    beginEntity(out, ellipse);
    out.subclass(2);
    out.point(10, ellipse.center());
    out.vector(11, ellipse.majorAxis());
    writeNormal(out, ellipse.normal());
    out.real(40, ellipse.radiusRatio());
    out.real(41, ellipse.startParam());
    out.real(42, ellipse.endParam());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfEllipseFiler() {
  return std::make_unique<EllipseFiler>();
}
