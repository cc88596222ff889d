#include "sdk/db/QvDbRegAppTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbRegAppTableRecord"};

// A registered application: its name and flags; what else the file gives is kept as read.
class RegAppFiler : public QvDxfRecordFilerOf<QvDbRegAppTableRecord> {
 public:
  std::string_view recordName() const override { return "APPID"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kRegApp; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    readNameAndFlags(in, static_cast<QvDbRegAppTableRecord&>(object), 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    beginRecord(out, static_cast<const QvDbRegAppTableRecord&>(object), 0);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfRegAppFiler() {
  return std::make_unique<RegAppFiler>();
}
