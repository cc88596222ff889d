#include "sdk/db/QvDbViewTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbViewTableRecord"};

// A named view: its name and flags; what else the file gives is kept as read.
class ViewFiler : public QvDxfRecordFilerOf<QvDbViewTableRecord> {
 public:
  std::string_view recordName() const override { return "VIEW"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kView; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    readNameAndFlags(in, static_cast<QvDbViewTableRecord&>(object), 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    beginRecord(out, static_cast<const QvDbViewTableRecord&>(object), 0);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfViewFiler() {
  return std::make_unique<ViewFiler>();
}
