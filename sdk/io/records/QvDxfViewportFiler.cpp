#include "sdk/db/QvDbViewportTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbViewportTableRecord"};

// A tiled viewport configuration: its name and flags; its view is kept as read. A viewport made
// here is written with a plain view of the drawing's origin, as readers expect to find one.
class ViewportFiler : public QvDxfRecordFilerOf<QvDbViewportTableRecord> {
 public:
  std::string_view recordName() const override { return "VPORT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kViewport; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    readNameAndFlags(in, static_cast<QvDbViewportTableRecord&>(object), 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    beginRecord(out, static_cast<const QvDbViewportTableRecord&>(object), 0);
    if (!out.hasKept(2)) {
      out.point(10, QvGePoint3d(0, 0, 0), false);  // lower left and upper right of the window
      out.point(11, QvGePoint3d(1, 1, 0), false);
      out.point(12, QvGePoint3d(0, 0, 0), false);      // view centre
      out.point(13, QvGePoint3d(0, 0, 0), false);      // snap base
      out.point(14, QvGePoint3d(0.5, 0.5, 0), false);  // snap spacing
      out.point(15, QvGePoint3d(0.5, 0.5, 0), false);  // grid spacing
      out.point(16, QvGePoint3d(0, 0, 1));             // view direction
      out.point(17, QvGePoint3d(0, 0, 0));             // view target
      out.real(40, 10.0);                              // view height
      out.real(41, 1.5);                               // aspect ratio
      out.real(42, 50.0);                              // lens length
      out.real(43, 0.0);
      out.real(44, 0.0);
      out.real(50, 0.0);
      out.real(51, 0.0);
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfViewportFiler() {
  return std::make_unique<ViewportFiler>();
}
