#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbBlockTableRecord"};

// A block table record: its name, layout, insertion units (70), explodability (280) and
// scaling (281). The rest of a block definition (base point, description, external reference)
// stands in its BLOCK entity of the BLOCKS section, which the file reader and writer handle.
class BlockRecordFiler : public QvDxfRecordFilerOf<QvDbBlockTableRecord> {
 public:
  std::string_view recordName() const override { return "BLOCK_RECORD"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kBlock; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& block = static_cast<QvDbBlockTableRecord&>(object);
    readName(in, block);
    block.setLayoutId(in.pointer(340));
    block.setBlockInsertUnits(
        static_cast<QvDb::UnitsValue>(in.integer(70, 0, QvDb::kUnitsUndefined, QvDb::kUnitsMax)));
    block.setExplodable(in.integer(280, 1, 0, 1) != 0);
    block.setBlockScaling(static_cast<QvDb::BlockScaling>(in.integer(281, 0, 0, 1)));
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& block = static_cast<const QvDbBlockTableRecord&>(object);
    beginNamedRecord(out, block);
    out.pointer(340, block.getLayoutId());
    out.integer(70, block.blockInsertUnits());
    out.integer(280, block.explodable() ? 1 : 0);
    out.integer(281, block.blockScaling());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfBlockRecordFiler() {
  return std::make_unique<BlockRecordFiler>();
}
