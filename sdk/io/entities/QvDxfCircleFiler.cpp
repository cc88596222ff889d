#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kCircleMarkers[] = {"AcDbEntity", "AcDbCircle"};
constexpr std::string_view kArcMarkers[] = {"AcDbEntity", "AcDbCircle", "AcDbArc"};

// The circle part of circles and arcs (subclass 2): thickness (39), centre (10, in the OCS of
// the normal), radius (40) and normal (210).
template <class Curve>
void readCircle(QvDxfObjectReader& in, Curve& curve) {
  in.select(2);
  const QvGeVector3d normal = QvDxfEntityFiler::readNormal(in);
  curve.setNormal(normal);
  curve.setThickness(in.real(39, 0.0));
  curve.setCenter(QvDxfEntityFiler::ocsPoint(in, 10, normal));
  if (curve.setRadius(in.real(40, 1.0)) != Vexa::eOk)
    in.failObject(QvDxfDiagnostic::kRefusedValue, "the radius (40) is not positive");
}

template <class Curve>
void writeCircle(QvDxfObjectWriter& out, const Curve& curve) {
  out.subclass(2);
  if (curve.thickness() != 0.0) out.real(39, curve.thickness());
  QvDxfEntityFiler::writeOcsPoint(out, 10, curve.center(), curve.normal());
  out.real(40, curve.radius());
  QvDxfEntityFiler::writeNormal(out, curve.normal());
}

class CircleFiler : public QvDxfEntityFilerOf<QvDbCircle> {
 public:
  std::string_view recordName() const override { return "CIRCLE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kCircleMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& circle = static_cast<QvDbCircle&>(object);
    readCommon(in, circle);
    readCircle(in, circle);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& circle = static_cast<const QvDbCircle&>(object);
    beginEntity(out, circle);
    writeCircle(out, circle);
    out.end();
  }
};

// An arc: the circle part, then the start and end angles (50, 51, degrees) in its OCS.
class ArcFiler : public QvDxfEntityFilerOf<QvDbArc> {
 public:
  std::string_view recordName() const override { return "ARC"; }
  std::span<const std::string_view> subclassMarkers() const override { return kArcMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& arc = static_cast<QvDbArc&>(object);
    readCommon(in, arc);
    readCircle(in, arc);
    in.select(3);
    arc.setStartAngle(in.angle(50, 0.0));
    arc.setEndAngle(in.angle(51, 0.0));
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& arc = static_cast<const QvDbArc&>(object);
    beginEntity(out, arc);
    writeCircle(out, arc);
    out.subclass(3);
    out.angle(50, arc.startAngle());
    out.angle(51, arc.endAngle());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfCircleFiler() {
  return std::make_unique<CircleFiler>();
}

QvDxfFilerPtr qvDxfArcFiler() {
  return std::make_unique<ArcFiler>();
}
