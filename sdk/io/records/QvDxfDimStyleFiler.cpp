#include "sdk/db/QvDbDimStyleTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbDimStyleTableRecord"};

// A dimension style: overall scale (DIMSCALE, 40), text height (DIMTXT, 140) and text style
// (DIMTXSTY, 340). Its other variables are kept as read. Dimension styles carry their handle
// under group 105.
class DimStyleFiler : public QvDxfRecordFilerOf<QvDbDimStyleTableRecord> {
 public:
  std::string_view recordName() const override { return "DIMSTYLE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kDimStyle; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& style = static_cast<QvDbDimStyleTableRecord&>(object);
    readNameAndFlags(in, style, 0);
    if (style.setDimscale(in.real(40, 1.0)) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the overall scale (DIMSCALE, 40) is negative");
    if (style.setDimtxt(in.real(140, 0.18)) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue,
                    "the text height (DIMTXT, 140) is not positive");
    const size_t styleAt = in.find(340);
    if (styleAt != QvDxfObjectReader::npos && style.setDimtxsty(in.pointerAt(styleAt)) != Vexa::eOk)
      in.fail(styleAt, QvDxfDiagnostic::kWrongReference,
              "the text style (DIMTXSTY, 340) names no text style read before it");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& style = static_cast<const QvDbDimStyleTableRecord&>(object);
    beginRecord(out, style, 0, 105);
    out.real(40, style.dimscale());
    out.real(140, style.dimtxt());
    if (out.session().isWritten(style.dimtxsty())) out.pointer(340, style.dimtxsty());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfDimStyleFiler() {
  return std::make_unique<DimStyleFiler>();
}
