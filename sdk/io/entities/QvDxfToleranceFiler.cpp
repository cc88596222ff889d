#include <memory>
#include <string>

#include "sdk/db/QvDbFcf.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbFcf"};

// The rows of a frame's text are separated by line feeds, written "^J" in files.
QvString rowsFromFile(const QvString& text) {
  QvString rows = text;
  rows.replace(L"^J", L"\n");
  return rows;
}

// A feature control frame (TOLERANCE): its text (1), location (10, world), normal (210) and
// direction (11, world). The class keeps the direction a unit vector perpendicular to the
// normal; the text read stands while that gives the same direction. The style (3) is kept.
class ToleranceFiler : public QvDxfEntityFilerOf<QvDbFcf> {
 public:
  std::string_view recordName() const override { return "TOLERANCE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& frame = static_cast<QvDbFcf&>(object);
    readCommon(in, frame);
    in.select(2);
    frame.setText(rowsFromFile(in.text(1)).c_str());
    frame.setLocation(in.point(10, QvGePoint3d::kOrigin));
    const QvGeVector3d normal = readNormal(in);
    const size_t directionAt = in.find(11);
    if (directionAt != QvDxfObjectReader::npos) in.release(directionAt);
    const QvGeVector3d direction = in.vector(11, QvGeVector3d::kXAxis);
    check(in, frame.setOrientation(normal, direction),
          "the direction (11) is zero or along the normal (210)");
    const QvGeVector3d now = frame.direction();
    const double values[3] = {now.x, now.y, now.z};
    keepDerived(in, directionAt, 3, values);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& frame = static_cast<const QvDbFcf&>(object);
    beginEntity(out, frame);
    out.subclass(2);
    out.point(10, frame.location());
    out.text(1, frame.text());
    writeNormal(out, frame.normal());
    const QvGeVector3d direction = frame.direction();
    const double values[3] = {direction.x, direction.y, direction.z};
    writeDerived(out, 11, 3, values);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfToleranceFiler() {
  return std::make_unique<ToleranceFiler>();
}
