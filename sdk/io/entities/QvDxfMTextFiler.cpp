#include "sdk/db/QvDbMText.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/entities/QvDxfTableEntityFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbMText>;

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbMText"};
constexpr int kChunk = 250;  // characters of contents per group

// The contents: a group 3 for every chunk of 250 characters but the last, 1 for the last.
void readContents(QvDxfObjectReader& in, QvDbMText& text) {
  QvString contents;
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1))
    if (in.code(i) == 3) contents += in.textAt(i);
  contents += in.text(1);
  text.setContents(contents.c_str());
}

void writeContents(QvDxfObjectWriter& out, const QvDbMText& text) {
  const QvString all = text.contents();
  const std::wstring& contents = all.wstr();
  size_t at = 0;
  while (contents.size() - at > static_cast<size_t>(kChunk)) {
    out.text(3, QvString(contents.substr(at, kChunk)));
    at += kChunk;
  }
  out.text(1, QvString(contents.substr(at)));
}

// Columns in the extended-data form of files before R2018 (the "ACAD" application): noted, to
// be made current once every text is read (qvDxfJoinMTextColumns).
void noteOlderColumns(QvDxfObjectReader& in, QvDbMText& text) {
  for (size_t i = in.bodyBegin(); i < in.endIndex(); ++i) {
    if (in.code(i) == 1000 && in.value(i) == "ACAD_MTEXT_COLUMN_INFO_BEGIN") {
      in.session().noteOlderMTextColumns(text.objectId(), in.line());
      return;
    }
  }
}

void writeNothing(QvDxfObjectWriter&, const QvDbMText&) {}

// The line direction (11, world), or without one the rotation (50, radians).
void readDirection(QvDxfObjectReader& in, QvDbMText& text) {
  if (in.has(11)) {
    QvDxfEntityFiler::check(in, text.setDirection(in.vector(11, QvGeVector3d::kXAxis)),
                            "the line direction (11) is not in the text's plane");
    in.find(50);  // the direction decides
  } else {
    text.setRotation(in.real(50, 0.0));
  }
}

void writeDirection(QvDxfObjectWriter& out, const QvDbMText& text) {
  out.vector(11, text.direction());
  // A rotation kept as a repeat would be taken (and dropped) as this one on the next read.
  if (out.writesGroup(50, false)) out.real(50, text.rotation());
}

// Multiline text: insertion point (10, world), height (40), reference width (41), attachment
// (71), contents, style by name (7), normal (210), line direction and line spacing factor (44).
// Background, columns and the rest are kept as read.
constexpr QvDxfField kFields[] = {
    F::point<&QvDbMText::location, &QvDbMText::setLocation>(2, 10),
    F::real<&QvDbMText::textHeight, &QvDbMText::setTextHeight>(2, 40).optional().refusal(
        "the text height (40) is not positive"),
    F::real<&QvDbMText::width, &QvDbMText::setWidth>(2, 41).refusal(
        "the reference width (41) is negative"),
    F::integer<&QvDbMText::attachment, &QvDbMText::setAttachment>(2, 71, 1, 1, 9)
        .refusal("the attachment (71) is not valid"),
    F::custom<&readContents, &writeContents>(2),
    F::textStyle<&QvDbMText::textStyle, &QvDbMText::setTextStyle>(2, 7),
    F::normal<&QvDbMText::normal, &QvDbMText::setNormal>(2).refusal(
        "the extrusion direction (210) is zero"),
    F::custom<&readDirection, &writeDirection>(2),
    F::real<&QvDbMText::lineSpacingFactor, &QvDbMText::setLineSpacingFactor>(2, 44, 1.0)
        .optional()
        .unlessDefault()
        .refusal("the line spacing factor (44) is outside 0.25 to 4"),
    F::custom<&noteOlderColumns, &writeNothing>(2).versions(1012, 1031),
};
static_assert(QvDxfFields::isValid(kFields));

}  // namespace

QvDxfFilerPtr qvDxfMTextFiler() {
  return qvDxfTableEntityFiler<QvDbMText>("MTEXT", kMarkers, kFields);
}
