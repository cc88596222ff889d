#include "sdk/db/QvDbTextStyleTableRecord.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbTextStyleTableRecord>;

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbTextStyleTableRecord"};
constexpr int64_t kShapeFile = 1;

constexpr QvDxfField kFields[] = {
    F::real<&QvDbTextStyleTableRecord::textSize, &QvDbTextStyleTableRecord::setTextSize>(2, 40)
        .refusal("the fixed text height (40) is negative"),
    F::real<&QvDbTextStyleTableRecord::xScale, &QvDbTextStyleTableRecord::setXScale>(2, 41, 1.0)
        .refusal("the width factor (41) is not positive"),
    F::angle<&QvDbTextStyleTableRecord::obliquingAngle,
             &QvDbTextStyleTableRecord::setObliquingAngle>(2, 50)
        .refusal("the obliquing angle (50) is beyond 85 degrees"),
    F::text<&QvDbTextStyleTableRecord::fileName, &QvDbTextStyleTableRecord::setFileName>(2, 3,
                                                                                         L"txt"),
    F::text<&QvDbTextStyleTableRecord::bigFontFileName,
            &QvDbTextStyleTableRecord::setBigFontFileName>(2, 4),
};
static_assert(QvDxfFields::isValid(kFields));

// A text style: its name and flags, then fixed height (40), width factor (41), obliquing angle
// (50) and font files (3, 4). Vertical text, generation flags and the last height used are kept
// as read.
class TextStyleFiler : public QvDxfRecordFilerOf<QvDbTextStyleTableRecord> {
 public:
  std::string_view recordName() const override { return "STYLE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kTextStyle; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& style = static_cast<QvDbTextStyleTableRecord&>(object);
    const int64_t flags = readNameAndFlags(in, style, kShapeFile);
    style.setIsShapeFile((flags & kShapeFile) != 0);
    QvDxfFields::read(in, style, kFields);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& style = static_cast<const QvDbTextStyleTableRecord&>(object);
    beginRecord(out, style, style.isShapeFile() ? kShapeFile : 0);
    QvDxfFields::write(out, style, kFields, 2, 2);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfTextStyleFiler() {
  return std::make_unique<TextStyleFiler>();
}
