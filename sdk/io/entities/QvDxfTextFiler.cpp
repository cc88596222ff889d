#include "sdk/db/QvDbText.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/io/entities/QvDxfTextPart.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbText", "AcDbText"};

// A line of text: the text part, then its vertical alignment (73) in a second "AcDbText".
class TextFiler : public QvDxfEntityFilerOf<QvDbText> {
 public:
  std::string_view recordName() const override { return "TEXT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& text = static_cast<QvDbText&>(object);
    readCommon(in, text);
    QvDxfTextPart::read(in, text, 3, 73);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& text = static_cast<const QvDbText&>(object);
    beginEntity(out, text);
    out.subclass(2);
    QvDxfTextPart::write(out, text);
    out.subclass(3);
    if (out.writesGroup(73, text.verticalMode() != kTextBase)) out.integer(73, text.verticalMode());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfTextFiler() {
  return std::make_unique<TextFiler>();
}
