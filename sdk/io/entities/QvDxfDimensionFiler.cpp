#include <memory>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// Subclass 3 and 4 are those of linear dimensions: a rotated one has both, an aligned one 3.
constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbDimension", "AcDbAlignedDimension",
                                         "AcDbRotatedDimension"};

// The dimension type: the low bits of 70. The bits above (a block of its own, a text moved by
// the user, an ordinate's axis) are kept as read.
constexpr int64_t kTypeMask = 0x0F;
constexpr int64_t kRotated = 0;
constexpr int64_t kAligned = 1;

int64_t dimensionType(QvDxfObjectReader& in) {
  in.select(2);
  const size_t at = in.find(70);
  if (at == QvDxfObjectReader::npos) return kRotated;
  int64_t flags = kRotated;
  QvDxfNumber::parseInteger(in.value(at), flags);
  in.release(at);
  return flags & kTypeMask;
}

// A record with subclass markers but no dimension subclass: its groups say nothing a dimension
// can take (a proxy read from a file without markers is written back so), and it stays a proxy.
bool lacksDimensionSubclass(QvDxfObjectReader& in) {
  bool marked = false;
  for (size_t i = in.bodyBegin(); i < in.endIndex(); ++i) {
    if (in.code(i) != 100) continue;
    if (in.value(i) == kMarkers[1]) return false;
    marked = true;
  }
  return marked;
}

// A linear dimension (DIMENSION of type 0, rotated, or 1, aligned). Subclass 2: its block by
// name (2), the point of the dimension line (10, world), the text position (11, in the OCS of
// the normal), the type (70), the measurement (42, written as the dimension measures), the
// text's horizontal direction (51, degrees) and the normal (210). Subclass 3: the origins of
// the extension lines (13, 14, world) and, for a rotated one, the dimension line's angle (50,
// degrees). The style (3), the text (1) and what else a dimension record holds are kept.
class DimensionFiler : public QvDxfEntityFilerOf<QvDbAlignedDimension> {
 public:
  std::string_view recordName() const override { return "DIMENSION"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    if (lacksDimensionSubclass(in)) return proxies().create(in);
    switch (dimensionType(in)) {
      case kRotated:
        return new QvDbRotatedDimension();
      case kAligned:
        return new QvDbAlignedDimension();
      default:
        return proxies().create(in);
    }
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    if (QvDbProxyEntity::cast(&object)) {
      proxies().read(in, object);
      return;
    }
    auto& dimension = static_cast<QvDbLengthDimension&>(object);
    readCommon(in, dimension);
    in.select(2);
    const QvDbObjectId block = readBlock(in);
    const QvGeVector3d normal = readNormal(in);
    dimension.setNormal(normal);
    dimension.setDimLinePoint(in.point(10, QvGePoint3d::kOrigin));
    dimension.setTextPosition(ocsPoint(in, 11, normal));
    in.flags(70, 0, kTypeMask);
    dimension.setHorizontalRotation(in.angle(51, 0.0));
    const size_t measurementAt = in.find(42);
    in.select(3);
    dimension.setXLine1Point(in.point(13, QvGePoint3d::kOrigin));
    dimension.setXLine2Point(in.point(14, QvGePoint3d::kOrigin));
    if (auto* rotated = QvDbRotatedDimension::cast(&object))
      rotated->setRotation(in.angle(50, 0.0));
    // Last, so that the block counts as drawing the dimension as read.
    if (!block.isNull()) dimension.setDimBlockId(block);
    const double measurement = dimension.measurement();
    keepDerived(in, measurementAt, 1, &measurement);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& dimension = static_cast<const QvDbLengthDimension&>(object);
    const auto* rotated = QvDbRotatedDimension::cast(&object);
    beginEntity(out, dimension);
    out.subclass(2);
    const QvDbObjectId block = dimension.dimBlockId();
    if (out.session().isWritten(block)) out.text(2, QvDbSymbolTableRecord::nameOf(block));
    out.point(10, dimension.dimLinePoint());
    writeOcsPoint(out, 11, dimension.textPosition(), dimension.normal());
    out.flags(70, rotated ? kRotated : kAligned);
    const double measurement = dimension.measurement();
    writeDerived(out, 42, 1, &measurement);
    if (dimension.horizontalRotation() != 0.0) out.angle(51, dimension.horizontalRotation());
    writeNormal(out, dimension.normal());
    out.subclass(3);
    out.point(13, dimension.xLine1Point());
    out.point(14, dimension.xLine2Point());
    if (rotated) {
      out.angle(50, rotated->rotation());
      out.subclass(4);
    }
    out.end();
  }

 private:
  static const QvDxfClassFiler& proxies() { return QvDxfFilerRegistry::instance().proxyEntities(); }

  // The block that draws the dimension (2). A name no block of the file has is noted and
  // left: the dimension draws itself again.
  static QvDbObjectId readBlock(QvDxfObjectReader& in) {
    const size_t at = in.find(2);
    if (at == QvDxfObjectReader::npos) return QvDbObjectId();
    const QvString name = in.textAt(at);
    const QvDbObjectId block = in.session().findRecord(QvDxfReadSession::kBlock, name);
    if (block.isNull() || block.objectClass() != QvDbBlockTableRecord::desc()) {
      in.session().repair(in.lineAt(at) + 1, QvDxfDiagnostic::kDimensionBlockDropped,
                          "the dimension block " + qvDxfQuoted(name.utf8()) +
                              " is not defined; the dimension is read "
                              "without it");
      return QvDbObjectId();
    }
    return block;
  }
};

}  // namespace

QvDxfFilerPtr qvDxfDimensionFiler() {
  return std::make_unique<DimensionFiler>();
}
