#include "sdk/db/QvDbOle2Frame.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbOle2Frame"};

// The version and kind groups read before the corners, written back there.
constexpr uint16_t kHeadSlot = QvDxfSlot::kFirstCustom;

// An OLE frame: version (70) and kind (3), the upper-left and lower-right corners in the world
// (10, 11), then the object's type (71), tile mode (72), data size (90), data (310) and the end
// marker (1 "OLE"), kept as read. A frame made here has no data.
class Ole2FrameFiler : public QvDxfEntityFilerOf<QvDbOle2Frame> {
 public:
  std::string_view recordName() const override { return "OLE2FRAME"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& frame = static_cast<QvDbOle2Frame&>(object);
    readCommon(in, frame);
    in.select(2);
    for (const int code : {70, 3}) {
      const size_t at = in.find(code);
      if (at == QvDxfObjectReader::npos) continue;
      in.release(at);
      in.setSlot(at, kHeadSlot);
    }
    const QvGePoint3d upperLeft = in.point(10, QvGePoint3d(0.0, 1.0, 0.0));
    const QvGePoint3d lowerRight = in.point(11, QvGePoint3d(1.0, 0.0, 0.0));
    check(in, frame.setPosition(upperLeft, lowerRight), "the corners (10, 11) are one point");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& frame = static_cast<const QvDbOle2Frame&>(object);
    beginEntity(out, frame);
    out.subclass(2);
    const bool read = out.hasKept(kHeadSlot) || out.hasKept(2, 1);
    if (read) {
      out.keptGroups(kHeadSlot);
    } else {
      out.integer(70, 2);
      out.text(3, QvString());
    }
    QvGePoint3d location;
    frame.getLocation(location);
    out.point(10, location);
    out.point(11, frame.lowerRight());
    if (!read) {
      out.integer(71, 2);
      out.integer(72, 0);
      out.integer(90, 0);
      out.text(1, L"OLE");
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfOle2FrameFiler() {
  return std::make_unique<Ole2FrameFiler>();
}
