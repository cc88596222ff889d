#include "sdk/db/QvDbRasterImageDef.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbRasterImageDef"};
constexpr QvDxfClassRecord kClass{"IMAGEDEF", "AcDbRasterImageDef", "ISM", 0, false};
// The version (90) before the file name, kept to be written first.
constexpr uint16_t kVersionSlot = QvDxfSlot::kFirstCustom;

// The definition of raster images: file name (1), size in pixels (10), size of one pixel in
// drawing units (11). Whether the picture is loaded (280) and the resolution units (281) are
// kept as read.
class RasterImageDefFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "IMAGEDEF"; }
  const QvRxClass* objectClass() const override { return QvDbRasterImageDef::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbRasterImageDef(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& def = static_cast<QvDbRasterImageDef&>(object);
    in.select(1);
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      if (in.code(i) == 1) break;
      if (in.code(i) == 90) in.setSlot(i, kVersionSlot);
    }
    const QvString fileName = in.text(1);
    if (!fileName.isEmpty()) def.setSourceFileName(fileName.c_str());
    const QvGePoint3d size = in.point(10, QvGePoint3d(1.0, 1.0, 0.0));
    if (def.setSize(size.x, size.y) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the image size (10) must be positive");
    const QvGePoint3d pixel = in.point(11, QvGePoint3d(1.0, 1.0, 0.0));
    if (def.setPixelSize(pixel.x, pixel.y) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the pixel size (11) must be positive");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& def = static_cast<const QvDbRasterImageDef&>(object);
    out.begin(recordName());
    out.subclass(1);
    if (out.hasKept(kVersionSlot)) {
      out.keptGroups(kVersionSlot);
    } else {
      out.integer(90, 0);
    }
    out.text(1, def.sourceFileName());
    const QvGeVector2d size = def.size();
    const QvGeVector2d pixel = def.pixelSize();
    out.point(10, QvGePoint3d(size.x, size.y, 0.0), false);
    out.point(11, QvGePoint3d(pixel.x, pixel.y, 0.0), false);
    // Loaded, no resolution units, unless the file said otherwise.
    if (!out.hasKept(1, 280)) out.integer(280, 1);
    if (!out.hasKept(1, 281)) out.integer(281, 0);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }
};

}  // namespace

QvDxfFilerPtr qvDxfRasterImageDefFiler() {
  return std::make_unique<RasterImageDefFiler>();
}
