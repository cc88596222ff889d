#include <string>
#include <vector>

#include "sdk/db/QvDbLinetypeTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbLinetypeTableRecord"};

// The groups that describe a complex element of a dash; they stand after its length (49) and
// are kept in the dash's own slot.
bool isDashElementCode(int code) {
  switch (code) {
    case 74:
    case 75:
    case 340:
    case 46:
    case 50:
    case 44:
    case 45:
    case 9:
      return true;
    default:
      return false;
  }
}

uint16_t dashSlot(size_t dash) {
  return static_cast<uint16_t>(QvDxfSlot::kFirstCustom + dash);
}

// A linetype: description and dash pattern. The complex elements of dashes (shapes, texts) are
// kept with their dash.
class LinetypeFiler : public QvDxfRecordFilerOf<QvDbLinetypeTableRecord> {
 public:
  std::string_view recordName() const override { return "LTYPE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kLinetype; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& linetype = static_cast<QvDbLinetypeTableRecord&>(object);
    readNameAndFlags(in, linetype, 0);
    linetype.setComments(in.text(3).c_str());
    in.integer(72, 65, INT16_MIN, INT16_MAX);  // alignment: always "A"
    in.integer(73, 0, 0, INT16_MAX);           // the count, taken from the dashes
    in.real(40, 0.0);                          // the length, taken from the dashes
    std::vector<double> dashes;
    const size_t limit = QvDxfSlot::kMerged - QvDxfSlot::kFirstCustom;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      if (in.code(i) == 49) {
        if (dashes.size() >= limit)
          in.fail(i, QvDxfDiagnostic::kOutOfRange, "the linetype has too many dashes");
        dashes.push_back(in.realAt(i));
      } else if (isDashElementCode(in.code(i))) {
        if (!dashes.empty()) {
          in.setSlot(i, dashSlot(dashes.size() - 1));
          continue;
        }
        in.dropBeforeAny(i, "dash (49)");
      }
    }
    if (linetype.setDashes(dashes) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the dash pattern is not valid");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& linetype = static_cast<const QvDbLinetypeTableRecord&>(object);
    beginRecord(out, linetype, 0);
    out.text(3, linetype.comments());
    out.integer(72, 65);
    out.integer(73, linetype.numDashes());
    out.real(40, linetype.patternLength());
    for (int i = 0; i < linetype.numDashes(); ++i) {
      out.real(49, linetype.dashLengthAt(i));
      const uint16_t slot = dashSlot(static_cast<size_t>(i));
      if (out.hasKept(slot)) {
        out.keptGroups(slot);
      } else {
        out.integer(74, 0);
      }
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfLinetypeFiler() {
  return std::make_unique<LinetypeFiler>();
}
