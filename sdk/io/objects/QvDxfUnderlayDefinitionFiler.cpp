#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbUnderlayDefinition"};

using F = QvDxfFieldsOf<QvDbUnderlayDefinition>;

// The definition of underlays of one format: the file name (1) and the item shown (2).
constexpr QvDxfField kFields[] = {
    F::text<&QvDbUnderlayDefinition::getSourceFileName, &QvDbUnderlayDefinition::setSourceFileName>(
        1, 1)
        .optional()
        .refusal("the file name (1) is empty"),
    F::text<&QvDbUnderlayDefinition::getItemName, &QvDbUnderlayDefinition::setItemName>(1, 2),
};
static_assert(QvDxfFields::isValid(kFields));

template <class Definition>
class UnderlayDefinitionFiler : public QvDxfClassFiler {
 public:
  UnderlayDefinitionFiler(std::string_view recordName, const QvDxfClassRecord& classRecord)
      : recordName_(recordName), classRecord_(classRecord) {}

  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return recordName_; }
  const QvRxClass* objectClass() const override { return Definition::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new Definition(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    QvDxfFields::read(in, object, kFields);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    out.begin(recordName_);
    QvDxfFields::write(out, object, kFields, 0, 1);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(classRecord_);
  }

 private:
  std::string_view recordName_;
  QvDxfClassRecord classRecord_;
};

template <class Definition>
QvDxfFilerPtr makeFiler(std::string_view recordName, std::string_view className) {
  return std::make_unique<UnderlayDefinitionFiler<Definition>>(
      recordName, QvDxfClassRecord{recordName, className, "ObjectDBX Classes", 1153, false});
}

}  // namespace

QvDxfFilerPtr qvDxfPdfDefinitionFiler() {
  return makeFiler<QvDbPdfDefinition>("PDFDEFINITION", "AcDbPdfDefinition");
}

QvDxfFilerPtr qvDxfDwfDefinitionFiler() {
  return makeFiler<QvDbDwfDefinition>("DWFDEFINITION", "AcDbDwfDefinition");
}

QvDxfFilerPtr qvDxfDgnDefinitionFiler() {
  return makeFiler<QvDbDgnDefinition>("DGNDEFINITION", "AcDbDgnDefinition");
}
