#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kRayMarkers[] = {"AcDbEntity", "AcDbRay"};
constexpr std::string_view kXlineMarkers[] = {"AcDbEntity", "AcDbXline"};

// Rays and construction lines: base point (10) and unit direction (11), in world coordinates.
template <class Line>
class UnboundedLineFiler : public QvDxfEntityFilerOf<Line> {
 public:
  UnboundedLineFiler(std::string_view name, std::span<const std::string_view> markers)
      : name_(name), markers_(markers) {}
  std::string_view recordName() const override { return name_; }
  std::span<const std::string_view> subclassMarkers() const override { return markers_; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& line = static_cast<Line&>(object);
    this->readCommon(in, line);
    in.select(2);
    line.setBasePoint(in.point(10, QvGePoint3d::kOrigin));
    this->check(in, line.setUnitDir(in.vector(11, QvGeVector3d::kXAxis)),
                "the direction (11) is zero");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& line = static_cast<const Line&>(object);
    this->beginEntity(out, line);
    out.subclass(2);
    out.point(10, line.basePoint());
    out.vector(11, line.unitDir());
    out.end();
  }

 private:
  std::string_view name_;
  std::span<const std::string_view> markers_;
};

}  // namespace

QvDxfFilerPtr qvDxfRayFiler() {
  return std::make_unique<UnboundedLineFiler<QvDbRay>>("RAY", kRayMarkers);
}

QvDxfFilerPtr qvDxfXlineFiler() {
  return std::make_unique<UnboundedLineFiler<QvDbXline>>("XLINE", kXlineMarkers);
}
