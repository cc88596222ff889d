#include "sdk/db/QvDbLine.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbLine"};

// A line: start (10) and end (11) in world coordinates, thickness (39) and normal (210).
class LineFiler : public QvDxfEntityFilerOf<QvDbLine> {
 public:
  std::string_view recordName() const override { return "LINE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& line = static_cast<QvDbLine&>(object);
    readCommon(in, line);
    in.select(2);
    line.setThickness(in.real(39, 0.0));
    line.setStartPoint(in.point(10, QvGePoint3d::kOrigin));
    line.setEndPoint(in.point(11, QvGePoint3d::kOrigin));
    line.setNormal(readNormal(in));
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& line = static_cast<const QvDbLine&>(object);
    beginEntity(out, line);
    out.subclass(2);
    if (line.thickness() != 0.0) out.real(39, line.thickness());
    out.point(10, line.startPoint());
    out.point(11, line.endPoint());
    writeNormal(out, line.normal());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfLineFiler() {
  return std::make_unique<LineFiler>();
}
