#include "sdk/db/QvDbTextStyleTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbTextStyleTableRecord"};
constexpr int64_t kShapeFile = 1;

// A text style: fixed height, width factor, obliquing angle and font files. Vertical text,
// generation flags and the last height used are kept as read.
class TextStyleFiler : public QvDxfRecordFilerOf<QvDbTextStyleTableRecord> {
 public:
  std::string_view recordName() const override { return "STYLE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kTextStyle; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& style = static_cast<QvDbTextStyleTableRecord&>(object);
    const int64_t flags = readNameAndFlags(in, style, kShapeFile);
    style.setIsShapeFile((flags & kShapeFile) != 0);
    if (style.setTextSize(in.real(40, 0.0)) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the fixed text height (40) is negative");
    if (style.setXScale(in.real(41, 1.0)) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the width factor (41) is not positive");
    if (style.setObliquingAngle(in.angle(50, 0.0)) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue,
                    "the obliquing angle (50) is beyond 85 degrees");
    style.setFileName(in.text(3, L"txt").c_str());
    style.setBigFontFileName(in.text(4).c_str());
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& style = static_cast<const QvDbTextStyleTableRecord&>(object);
    beginRecord(out, style, style.isShapeFile() ? kShapeFile : 0);
    out.real(40, style.textSize());
    out.real(41, style.xScale());
    out.angle(50, style.obliquingAngle());
    out.text(3, style.fileName());
    out.text(4, style.bigFontFileName());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfTextStyleFiler() {
  return std::make_unique<TextStyleFiler>();
}
