#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbLayerTableRecord>;

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbLayerTableRecord"};
constexpr int64_t kFrozen = 1;
constexpr int64_t kLocked = 4;

// The colour (62), negative while the layer is off; one that is no colour index leaves 7.
void readColor(QvDxfObjectReader& in, QvDbLayerTableRecord& layer) {
  const size_t colorAt = in.find(62);
  if (colorAt == QvDxfObjectReader::npos) return;
  const int16_t color = static_cast<int16_t>(in.integerAt(colorAt, INT16_MIN, INT16_MAX));
  layer.setIsOff(color < 0);
  const int16_t index = static_cast<int16_t>(color < 0 ? -color : color);
  if (layer.setColorIndex(index) != Vexa::eOk)
    in.session().repair(
        in.lineAt(colorAt), QvDxfDiagnostic::kColourReplaced,
        "the layer colour " + std::to_string(color) + " is no colour index; 7 is taken");
}

void writeColor(QvDxfObjectWriter& out, const QvDbLayerTableRecord& layer) {
  out.integer(62, layer.isOff() ? -layer.colorIndex() : layer.colorIndex());
}

// The linetype by name (6); one the file does not define leaves "Continuous".
void readLinetype(QvDxfObjectReader& in, QvDbLayerTableRecord& layer) {
  const size_t linetypeAt = in.find(6);
  if (linetypeAt == QvDxfObjectReader::npos) return;
  const QvString name = in.textAt(linetypeAt);
  const QvDbObjectId linetype = in.session().findRecord(QvDxfReadSession::kLinetype, name);
  if (linetype.isNull()) {
    in.session().repair(in.lineAt(linetypeAt), QvDxfDiagnostic::kLayerLinetypeReplaced,
                        "the linetype \"" + name.utf8() +
                            "\" of a layer is not defined; the layer takes \"Continuous\"");
  } else {
    layer.setLinetypeObjectId(linetype);
  }
}

void writeLinetype(QvDxfObjectWriter& out, const QvDbLayerTableRecord& layer) {
  const QvDbObjectId linetype = layer.linetypeObjectId();
  out.text(6, linetype.isNull() || !out.session().isWritten(linetype)
                  ? QvString(L"Continuous")
                  : QvDbSymbolTableRecord::nameOf(linetype));
}

constexpr QvDxfField kFields[] = {
    F::custom<&readColor, &writeColor>(2),
    F::custom<&readLinetype, &writeLinetype>(2),
    F::integer<&QvDbLayerTableRecord::isPlottable, &QvDbLayerTableRecord::setIsPlottable>(
        2, 290, 1, INT16_MIN, INT16_MAX),
};
static_assert(QvDxfFields::isValid(kFields));

// A layer: flags (frozen, locked), colour (negative while off), linetype by name and whether it
// plots. Line weight, plot style and material are kept as read.
class LayerFiler : public QvDxfRecordFilerOf<QvDbLayerTableRecord> {
 public:
  std::string_view recordName() const override { return "LAYER"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kLayer; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& layer = static_cast<QvDbLayerTableRecord&>(object);
    const int64_t flags = readNameAndFlags(in, layer, kFrozen | kLocked);
    layer.setIsFrozen((flags & kFrozen) != 0);
    layer.setIsLocked((flags & kLocked) != 0);
    QvDxfFields::read(in, layer, kFields);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& layer = static_cast<const QvDbLayerTableRecord&>(object);
    beginRecord(out, layer, (layer.isFrozen() ? kFrozen : 0) | (layer.isLocked() ? kLocked : 0));
    QvDxfFields::write(out, layer, kFields, 2, 2);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfLayerFiler() {
  return std::make_unique<LayerFiler>();
}
