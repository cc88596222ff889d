#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbBlockTableRecord>;

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbBlockTableRecord"};

constexpr QvDxfField kFields[] = {
    F::pointer<&QvDbBlockTableRecord::getLayoutId, &QvDbBlockTableRecord::setLayoutId>(2, 340),
    F::integer<&QvDbBlockTableRecord::blockInsertUnits, &QvDbBlockTableRecord::setBlockInsertUnits>(
        2, 70, 0, QvDb::kUnitsUndefined, QvDb::kUnitsMax),
    F::integer<&QvDbBlockTableRecord::explodable, &QvDbBlockTableRecord::setExplodable>(2, 280, 1,
                                                                                        0, 1),
    F::integer<&QvDbBlockTableRecord::blockScaling, &QvDbBlockTableRecord::setBlockScaling>(
        2, 281, 0, 0, 1),
};
static_assert(QvDxfFields::isValid(kFields));

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
    QvDxfFields::read(in, block, kFields);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& block = static_cast<const QvDbBlockTableRecord&>(object);
    beginNamedRecord(out, block);
    QvDxfFields::write(out, block, kFields, 2, 2);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfBlockRecordFiler() {
  return std::make_unique<BlockRecordFiler>();
}
