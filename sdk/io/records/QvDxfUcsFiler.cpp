#include "sdk/db/QvDbUCSTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbUCSTableRecord"};

// A named user coordinate system: its name and flags; what else the file gives is kept as read.
class UcsFiler : public QvDxfRecordFilerOf<QvDbUCSTableRecord> {
 public:
  std::string_view recordName() const override { return "UCS"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kUcs; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    readNameAndFlags(in, static_cast<QvDbUCSTableRecord&>(object), 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    beginRecord(out, static_cast<const QvDbUCSTableRecord&>(object), 0);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfUcsFiler() {
  return std::make_unique<UcsFiler>();
}
