#include "sdk/db/QvDbShape.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbShape"};

// A shape: thickness (39), position in the world (10), size (40), name (2), rotation (50,
// degrees), width factor (41), oblique angle (51, degrees) and normal (210).
class ShapeFiler : public QvDxfEntityFilerOf<QvDbShape> {
 public:
  std::string_view recordName() const override { return "SHAPE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& shape = static_cast<QvDbShape&>(object);
    readCommon(in, shape);
    in.select(2);
    shape.setThickness(in.real(39, 0.0));
    shape.setPosition(in.point(10, QvGePoint3d::kOrigin));
    check(in, shape.setSize(in.real(40, 1.0)), "the size (40) is 0");
    shape.setName(in.text(2));
    shape.setRotation(in.angle(50, 0.0));
    check(in, shape.setWidthFactor(in.real(41, 1.0)), "the width factor (41) is 0");
    shape.setOblique(in.angle(51, 0.0));
    shape.setNormal(readNormal(in));
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& shape = static_cast<const QvDbShape&>(object);
    beginEntity(out, shape);
    out.subclass(2);
    if (out.writesGroup(39, shape.thickness() != 0.0)) out.real(39, shape.thickness());
    out.point(10, shape.position());
    out.real(40, shape.size());
    out.text(2, shape.name());
    if (out.writesGroup(50, shape.rotation() != 0.0)) out.angle(50, shape.rotation());
    if (out.writesGroup(41, shape.widthFactor() != 1.0)) out.real(41, shape.widthFactor());
    if (out.writesGroup(51, shape.oblique() != 0.0)) out.angle(51, shape.oblique());
    writeNormal(out, shape.normal());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfShapeFiler() {
  return std::make_unique<ShapeFiler>();
}
