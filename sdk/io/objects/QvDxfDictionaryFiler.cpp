#include <memory>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbDictionary"};

// Whether the dictionary was read with the hard-owner flag (280 = 1): its entries are then
// written as hard owners (360), else as soft owners (350).
bool isHardOwner(const QvDxfObjectWriter& out) {
  const QvDbFileGroups& kept = out.kept();
  for (int i = 0; i < kept.length(); ++i) {
    int64_t flag = 0;
    if (kept.at(i).code == 280 && kept.at(i).slot == 1 &&
        QvDxfNumber::parseInteger(kept.at(i).text, flag))
      return flag == 1;
  }
  return false;
}

// A dictionary: its entries, key (3) and object (350 or 360). The entries are linked when the
// whole file is read, as they name objects further on. The hard-owner flag (280) and the
// duplicate-record cloning (281) are kept as read.
class DictionaryFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "DICTIONARY"; }
  const QvRxClass* objectClass() const override { return QvDbDictionary::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbDictionary(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    in.select(1);
    uint64_t handle = 0;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      const int code = in.code(i);
      if (code == 350 || code == 360)
        in.fail(i, QvDxfDiagnostic::kMissingGroup, "a dictionary entry without its key (3)");
      if (code != 3) continue;
      QvString key = in.textAt(i);
      const size_t at = i + 1;
      if (at >= in.endIndex() || (in.code(at) != 350 && in.code(at) != 360))
        in.fail(i, QvDxfDiagnostic::kMissingGroup,
                "the dictionary key \"" + key.utf8() + "\" is not followed by its object");
      if (key.isEmpty()) in.fail(i, QvDxfDiagnostic::kRefusedValue, "a dictionary key is empty");
      // An entry whose object is not in the file is dropped (the reference says so).
      const QvDbObjectId entry = in.pointerAt(at);
      if (!entry.isNull()) {
        in.session().deferEntry(object.objectId(), std::move(key), entry, in.lineAt(at) + 1);
      } else if (QvDxfNumber::parseHandle(in.value(at), handle) && handle == 0) {
        in.session().repair(in.lineAt(at) + 1, QvDxfDiagnostic::kReferenceDropped,
                            "the dictionary entry \"" + key.utf8() +
                                "\" names no object (handle 0) and is dropped");
      }
      i = at;
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& dict = static_cast<const QvDbDictionary&>(object);
    out.begin(recordName());
    const bool kept = out.hasKept(1);
    out.subclass(1);
    out.subclassKeptNow(1);
    if (!kept) out.integer(281, 1);
    const int entryCode = isHardOwner(out) ? 360 : 350;
    std::unique_ptr<QvDbDictionaryIterator> it(dict.newIterator());
    for (; !it->done(); it->next()) {
      if (!out.session().isWritten(it->objectId())) continue;
      out.text(3, it->name());
      out.pointer(entryCode, it->objectId());
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfDictionaryFiler() {
  return std::make_unique<DictionaryFiler>();
}
