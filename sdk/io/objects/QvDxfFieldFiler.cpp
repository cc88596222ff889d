#include <string>

#include "sdk/db/QvDbField.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbField"};
constexpr QvDxfClassRecord kClass{"FIELD", "AcDbField", "ObjectDBX Classes", 1152, false};
constexpr std::string_view kValueKey = "ACFD_FIELD_VALUE";
constexpr std::string_view kValueEnd = "ACVALUE_END";
// Field codes longer than this go on in overflow groups (3).
constexpr int kChunk = 250;

// The field's groups around what it models, each in a place of its own, written there again:
// the evaluator (before the code), the child fields (between the code and the object ids),
// the evaluation state and data sets (up to the cached value), the cached value, the format
// (after the cached value). The basis slot holds the value text the cached value gave.
constexpr uint16_t kEvaluatorSlot = QvDxfSlot::kFirstCustom;
constexpr uint16_t kChildrenSlot = QvDxfSlot::kFirstCustom + 1;
constexpr uint16_t kStateSlot = QvDxfSlot::kFirstCustom + 2;
constexpr uint16_t kValueSlot = QvDxfSlot::kFirstCustom + 3;
constexpr uint16_t kFormatSlot = QvDxfSlot::kFirstCustom + 4;
constexpr uint16_t kValueBasisSlot = QvDxfSlot::kFirstCustom + 5;

// A field: the field code (2, continued in 3), the objects it names (97 and 331 each) and the
// value last evaluated, cached under the key "ACFD_FIELD_VALUE" (7) up to "ACVALUE_END" (304),
// whose text is its formatted value (302) or, for text values, the value itself (1).
class FieldFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "FIELD"; }
  const QvRxClass* objectClass() const override { return QvDbField::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbField(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& field = static_cast<QvDbField&>(object);
    in.select(1);
    enum { kBeforeCode, kCode, kChildren, kIds, kState, kValue, kFormat } part = kBeforeCode;
    QvString code;
    QvDbObjectIdArray ids;
    bool evaluated = false;
    QvString formatted;
    QvString plain;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      const int c = in.code(i);
      if (c == 2 && part <= kCode) {
        part = kCode;
        code += in.textAt(i);
        continue;
      }
      if (c == 3 && part == kCode) {
        code += in.textAt(i);
        continue;
      }
      if (part == kCode) part = kChildren;
      if (c == 97 && part <= kIds) {
        in.integerAt(i, 0, INT32_MAX);  // the count, taken from the ids
        part = kIds;
        continue;
      }
      if (c == 331 && part == kIds) {
        ids.append(in.pointerAt(i));
        continue;
      }
      if (part == kIds) part = kState;
      if (c == 7 && in.value(i) == kValueKey && part < kValue) {
        part = kValue;
        evaluated = true;
      }
      switch (part) {
        case kBeforeCode:
          in.setSlot(i, kEvaluatorSlot);
          break;
        case kChildren:
          in.setSlot(i, kChildrenSlot);
          break;
        case kState:
          in.setSlot(i, kStateSlot);
          break;
        case kValue:
          if ((c == 302 && formatted.isEmpty()) || (c == 1 && plain.isEmpty())) {
            (c == 302 ? formatted : plain) = in.textAt(i);
            in.release(i);
          }
          in.setSlot(i, kValueSlot);
          if (c == 304 && in.value(i) == kValueEnd) part = kFormat;
          break;
        default:
          in.setSlot(i, kFormatSlot);
          break;
      }
    }
    if (field.setFieldCode(code.c_str()) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the field code is refused");
    if (field.setObjectIds(ids) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the objects (331) are refused");
    if (evaluated) {
      const QvString& text = formatted.isEmpty() ? plain : formatted;
      if (field.setValue(text.c_str()) != Vexa::eOk)
        in.failObject(QvDxfDiagnostic::kRefusedValue, "the cached value is refused");
      in.keep(302, kValueBasisSlot, text.utf8());
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& field = static_cast<const QvDbField&>(object);
    out.begin(recordName());
    out.subclass(1);
    if (out.hasKept(kEvaluatorSlot)) {
      out.keptGroups(kEvaluatorSlot);
    } else {
      out.text(1, QvString(L"_text"));
    }
    const QvString code = field.getFieldCode();
    out.text(2, code.left(kChunk));
    for (int at = kChunk; at < code.length(); at += kChunk) out.text(3, code.mid(at, kChunk));
    if (out.hasKept(kChildrenSlot)) {
      out.keptGroups(kChildrenSlot);
    } else {
      out.integer(90, 0);
    }
    const QvDbObjectIdArray ids = field.objectIds();
    out.integer(97, ids.length());
    for (const QvDbObjectId& id : ids) out.pointer(331, id);
    if (out.hasKept(kStateSlot)) {
      out.keptGroups(kStateSlot);
    } else {
      for (const int c : {91, 92, 94, 95, 96}) out.integer(c, 0);
      out.text(300, QvString());
      out.integer(93, 0);
    }
    writeValue(out, field);
    if (out.hasKept(kFormatSlot)) {
      out.keptGroups(kFormatSlot);
    } else if (!out.hasKept(kStateSlot, 301)) {  // a field never evaluated has it there
      out.text(301, QvString());
      out.integer(98, 0);
    }
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }

 private:
  // The cached value: as read while the value is the one read, else a text value; nothing for
  // a field never evaluated (whose value is its code).
  static void writeValue(QvDxfObjectWriter& out, const QvDbField& field) {
    if (!field.isEvaluated()) return;
    const QvString value = field.getValue();
    if (out.hasKept(kValueSlot) && out.keptText(kValueBasisSlot, 302) == value.utf8()) {
      out.keptGroups(kValueSlot);
      return;
    }
    out.raw(7, kValueKey);
    out.integer(93, 0);
    out.integer(90, 4);  // a text value
    out.text(1, value);
    out.integer(94, 0);
    out.text(300, QvString());
    out.text(302, value);
    out.raw(304, kValueEnd);
  }
};

}  // namespace

QvDxfFilerPtr qvDxfFieldFiler() {
  return std::make_unique<FieldFiler>();
}
