#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbMText"};
constexpr int kChunk = 250;  // characters of contents per group

// Multiline text: insertion point (10) in world coordinates, height (40), reference width
// (41), attachment (71), contents (3 for every chunk of 250 characters but the last, 1 for the
// last), style by name (7), normal (210), line direction (11; or the rotation 50 in radians)
// and line spacing factor (44). Background, columns and the rest are kept as read.
class MTextFiler : public QvDxfEntityFilerOf<QvDbMText> {
 public:
  std::string_view recordName() const override { return "MTEXT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& text = static_cast<QvDbMText&>(object);
    readCommon(in, text);
    in.select(2);
    check(in, text.setNormal(readNormal(in)), "the extrusion direction (210) is zero");
    text.setLocation(in.point(10, QvGePoint3d::kOrigin));
    const size_t heightAt = in.find(40);
    if (heightAt != QvDxfObjectReader::npos)
      check(in, text.setTextHeight(in.realAt(heightAt)), "the text height (40) is not positive");
    check(in, text.setWidth(in.real(41, 0.0)), "the reference width (41) is negative");
    check(in, text.setAttachment(static_cast<QvDbMText::AttachmentPoint>(in.integer(71, 1, 1, 9))),
          "the attachment (71) is not valid");
    const size_t styleAt = in.find(7);
    if (styleAt != QvDxfObjectReader::npos)
      text.setTextStyle(in.session().textStyle(in.value(styleAt), in.lineAt(styleAt) + 1));
    const size_t spacingAt = in.find(44);
    if (spacingAt != QvDxfObjectReader::npos)
      check(in, text.setLineSpacingFactor(in.realAt(spacingAt)),
            "the line spacing factor (44) is outside 0.25 to 4");
    QvString contents;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1))
      if (in.code(i) == 3) contents += in.textAt(i);
    contents += in.text(1);
    text.setContents(contents.c_str());
    if (in.has(11)) {
      check(in, text.setDirection(in.vector(11, QvGeVector3d::kXAxis)),
            "the line direction (11) is not in the text's plane");
      in.find(50);  // the direction decides
    } else {
      text.setRotation(in.real(50, 0.0));
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& text = static_cast<const QvDbMText&>(object);
    beginEntity(out, text);
    out.subclass(2);
    out.point(10, text.location());
    out.real(40, text.textHeight());
    out.real(41, text.width());
    out.integer(71, text.attachment());
    const QvString all = text.contents();
    const std::wstring& contents = all.wstr();
    size_t at = 0;
    while (contents.size() - at > static_cast<size_t>(kChunk)) {
      out.text(3, QvString(contents.substr(at, kChunk)));
      at += kChunk;
    }
    out.text(1, QvString(contents.substr(at)));
    const QvDbObjectId style = text.textStyle();
    out.text(7, out.session().isWritten(style) ? QvDbSymbolTableRecord::nameOf(style)
                                               : QvString(L"Standard"));
    writeNormal(out, text.normal());
    out.vector(11, text.direction());
    if (text.lineSpacingFactor() != 1.0) out.real(44, text.lineSpacingFactor());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfMTextFiler() {
  return std::make_unique<MTextFiler>();
}
