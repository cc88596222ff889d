#include <memory>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbBlockReference"};

// The value of a group of subclass 2 without taking it (a default when absent).
int64_t peekInteger(QvDxfObjectReader& in, int code, int64_t def) {
  in.select(2);
  const size_t at = in.find(code);
  if (at == QvDxfObjectReader::npos) return def;
  int64_t value = def;
  QvDxfNumber::parseInteger(in.value(at), value);
  in.release(at);
  return value;
}

// A block reference (INSERT): the block by name (2), position (10, in the OCS of the normal
// 210), scale factors (41, 42, 43), rotation (50, degrees), and for an array reference the
// columns and rows (70, 71) with their spacing (44, 45). Its attributes follow it (66 = 1),
// closed by a sequence end.
class BlockReferenceFiler : public QvDxfEntityFilerOf<QvDbBlockReference> {
 public:
  std::string_view recordName() const override { return "INSERT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    const int64_t columns = peekInteger(in, 70, 1);
    const int64_t rows = peekInteger(in, 71, 1);
    if (columns > 1 || rows > 1) return new QvDbMInsertBlock();
    return new QvDbBlockReference();
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& reference = static_cast<QvDbBlockReference&>(object);
    readCommon(in, reference);
    in.select(2);
    const size_t nameAt = in.find(2);
    if (nameAt == QvDxfObjectReader::npos)
      in.failObject(QvDxfDiagnostic::kMissingGroup, "the block reference names no block (2)");
    const QvString name = in.textAt(nameAt);
    const QvDbObjectId block = in.session().findRecord(QvDxfReadSession::kBlock, name);
    if (block.isNull() || reference.setBlockTableRecord(block) != Vexa::eOk)
      in.fail(nameAt, QvDxfDiagnostic::kWrongReference,
              "the block " + qvDxfQuoted(name.utf8()) + " is not defined in the file");
    const QvGeVector3d normal = readNormal(in);
    reference.setNormal(normal);
    reference.setPosition(ocsPoint(in, 10, normal));
    const double x = in.real(41, 1.0);
    const double y = in.real(42, 1.0);
    const double z = in.real(43, 1.0);
    check(in, reference.setScaleFactors(QvGeScale3d(x, y, z)), "a scale factor (41 to 43) is zero");
    reference.setRotation(in.angle(50, 0.0));
    if (auto* array = QvDbMInsertBlock::cast(&object)) {
      check(in, array->setColumns(static_cast<int>(in.integer(70, 1, 1, INT16_MAX))),
            "the column count (70) is not valid");
      check(in, array->setRows(static_cast<int>(in.integer(71, 1, 1, INT16_MAX))),
            "the row count (71) is not valid");
      array->setColumnSpacing(in.real(44, 0.0));
      array->setRowSpacing(in.real(45, 0.0));
    } else {
      // One column and one row: not written back.
      for (const int code : {70, 71}) {
        const size_t at = in.find(code);
        if (at != QvDxfObjectReader::npos) in.integerAt(at, 0, 1);
        in.keepBeforeRepeat(at);
      }
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& reference = static_cast<const QvDbBlockReference&>(object);
    beginEntity(out, reference);
    out.subclass(2);
    if (out.writesGroup(66, reference.numAttributes() > 0))
      out.integer(66, reference.numAttributes() > 0 ? 1 : 0);
    out.text(2, QvDbSymbolTableRecord::nameOf(reference.blockTableRecord()));
    writeOcsPoint(out, 10, reference.position(), reference.normal());
    const QvGeScale3d scale = reference.scaleFactors();
    if (out.writesGroup(41, scale.sx != 1.0)) out.real(41, scale.sx);
    if (out.writesGroup(42, scale.sy != 1.0)) out.real(42, scale.sy);
    if (out.writesGroup(43, scale.sz != 1.0)) out.real(43, scale.sz);
    if (out.writesGroup(50, reference.rotation() != 0.0)) out.angle(50, reference.rotation());
    if (const auto* array = QvDbMInsertBlock::cast(&object)) {
      out.integer(70, array->columns());
      out.integer(71, array->rows());
      out.real(44, array->columnSpacing());
      out.real(45, array->rowSpacing());
    }
    writeNormal(out, reference.normal());
    out.end();
  }

  // The attributes.
  bool hasFollowers(QvDxfObjectReader& in) const override {
    in.select(2);
    return in.integer(66, 0, INT16_MIN, INT16_MAX) == 1;
  }

  QvDbEntity* createFollower(const QvDbObject&, std::string_view recordName) const override {
    return recordName == "ATTRIB" ? new QvDbAttribute() : nullptr;
  }

  Vexa::ErrorStatus adoptFollower(QvDbObject& owner, QvDbEntity& follower) const override {
    auto* attribute = QvDbAttribute::cast(&follower);
    if (!attribute) return Vexa::eWrongObjectType;
    return static_cast<QvDbBlockReference&>(owner).appendAttribute(attribute);
  }

  QvDbObjectIdArray followers(const QvDbObject& object) const override {
    const auto& reference = static_cast<const QvDbBlockReference&>(object);
    QvDbObjectIdArray ids(reference.numAttributes());
    std::unique_ptr<QvDbObjectIterator> it(reference.attributeIterator());
    for (it->start(); !it->done(); it->step())
      if (!it->objectId().isErased()) ids.append(it->objectId());
    return ids;
  }

  bool endsWithSequence(const QvDbObject& object) const override {
    return static_cast<const QvDbBlockReference&>(object).numAttributes() > 0;
  }
};

}  // namespace

QvDxfFilerPtr qvDxfBlockReferenceFiler() {
  return std::make_unique<BlockReferenceFiler>();
}
