#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/io/entities/QvDxfTextPart.h"

namespace {

constexpr std::string_view kDefinitionMarkers[] = {"AcDbEntity", "AcDbText",
                                                   "AcDbAttributeDefinition"};
constexpr std::string_view kAttributeMarkers[] = {"AcDbEntity", "AcDbText", "AcDbAttribute"};

constexpr int64_t kInvisible = 1;
constexpr int64_t kConstant = 2;
constexpr int64_t kVerify = 4;
constexpr int64_t kPreset = 8;

// The record's version (280 before the tag), kept in a slot of its own to be written first.
constexpr uint16_t kVersionSlot = QvDxfSlot::kFirstCustom;

// The tag (2) of subclass 3, refused when the database does not take it.
template <class Attribute>
size_t readTag(QvDxfObjectReader& in, Attribute& attribute) {
  in.select(3);
  const size_t at = in.find(2);
  if (at == QvDxfObjectReader::npos)
    in.failObject(QvDxfDiagnostic::kMissingGroup, "the attribute has no tag (2)");
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos && i < at;
       i = in.next(i + 1)) {
    if (in.code(i) != 280) continue;
    in.setSlot(i, kVersionSlot);
    break;
  }
  const QvString tag = in.textAt(at);
  if (attribute.setTag(tag.c_str()) != Vexa::eOk)
    in.fail(at, QvDxfDiagnostic::kRefusedValue,
            "the attribute tag " + qvDxfQuoted(tag.utf8()) + " is empty or holds spaces");
  return at;
}

// Starts subclass 3 with the record's version.
void writeVersion(QvDxfObjectWriter& out) {
  out.subclass(3);
  if (out.hasKept(kVersionSlot)) {
    out.keptGroups(kVersionSlot);
  } else {
    out.integer(280, 0);
  }
}

// The lock-position flag: the 280 after the tag (the 280 before it is the version).
size_t lockFlagAfter(QvDxfObjectReader& in, size_t tagAt) {
  for (size_t i = in.next(tagAt + 1); i != QvDxfObjectReader::npos; i = in.next(i + 1))
    if (in.code(i) == 280) return i;
  return QvDxfObjectReader::npos;
}

// An attribute definition: the text part (the default value in 1), then its prompt (3), tag
// (2), flags (70: invisible, constant, verify, preset), field length (73), vertical alignment
// (74) and locked position (280).
class AttributeDefinitionFiler : public QvDxfEntityFilerOf<QvDbAttributeDefinition> {
 public:
  std::string_view recordName() const override { return "ATTDEF"; }
  std::span<const std::string_view> subclassMarkers() const override { return kDefinitionMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& definition = static_cast<QvDbAttributeDefinition&>(object);
    readCommon(in, definition);
    QvDxfTextPart::read(in, definition, 3, 74);
    const size_t tagAt = readTag(in, definition);
    definition.setPrompt(in.text(3).c_str());
    const int64_t flags = in.flags(70, 0, kInvisible | kConstant | kVerify | kPreset);
    definition.setInvisible((flags & kInvisible) != 0);
    definition.setConstant((flags & kConstant) != 0);
    definition.setVerifiable((flags & kVerify) != 0);
    definition.setPreset((flags & kPreset) != 0);
    definition.setFieldLength(static_cast<int>(in.integer(73, 0, 0, INT16_MAX)));
    const size_t lockAt = lockFlagAfter(in, tagAt);
    if (lockAt != QvDxfObjectReader::npos)
      definition.setLockPositionInBlock(in.integerAt(lockAt, 0, 1) != 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& definition = static_cast<const QvDbAttributeDefinition&>(object);
    beginEntity(out, definition);
    out.subclass(2);
    QvDxfTextPart::write(out, definition);
    writeVersion(out);
    out.text(3, definition.prompt());
    out.text(2, definition.tag());
    out.flags(70, (definition.isInvisible() ? kInvisible : 0) |
                      (definition.isConstant() ? kConstant : 0) |
                      (definition.isVerifiable() ? kVerify : 0) |
                      (definition.isPreset() ? kPreset : 0));
    if (out.writesGroup(73, definition.fieldLength() != 0))
      out.integer(73, definition.fieldLength());
    if (out.writesGroup(74, definition.verticalMode() != kTextBase))
      out.integer(74, definition.verticalMode());
    if (out.writesGroup(280, definition.lockPositionInBlock()))
      out.integer(280, definition.lockPositionInBlock() ? 1 : 0);
    out.end();
  }
};

// An attribute of a block reference: the text part (its value in 1), then its tag (2), flags
// (70) and vertical alignment (74). The flags the attribute takes from its definition only
// (constant, verify, preset), the field length and the locked position are kept as read.
class AttributeFiler : public QvDxfEntityFilerOf<QvDbAttribute> {
 public:
  std::string_view recordName() const override { return "ATTRIB"; }
  std::span<const std::string_view> subclassMarkers() const override { return kAttributeMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& attribute = static_cast<QvDbAttribute&>(object);
    readCommon(in, attribute);
    QvDxfTextPart::read(in, attribute, 3, 74);
    readTag(in, attribute);
    const int64_t flags = in.flags(70, 0, kInvisible);
    attribute.setInvisible((flags & kInvisible) != 0);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& attribute = static_cast<const QvDbAttribute&>(object);
    beginEntity(out, attribute);
    out.subclass(2);
    QvDxfTextPart::write(out, attribute);
    writeVersion(out);
    out.text(2, attribute.tag());
    out.flags(70, attribute.isInvisible() ? kInvisible : 0);
    if (out.writesGroup(74, attribute.verticalMode() != kTextBase))
      out.integer(74, attribute.verticalMode());
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfAttributeDefinitionFiler() {
  return std::make_unique<AttributeDefinitionFiler>();
}

QvDxfFilerPtr qvDxfAttributeFiler() {
  return std::make_unique<AttributeFiler>();
}
