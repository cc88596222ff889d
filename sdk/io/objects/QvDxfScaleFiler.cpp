#include "sdk/db/QvDbScale.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbScale"};
constexpr QvDxfClassRecord kClass{"SCALE", "AcDbScale", "ObjectDBX Classes", 1153, false};

// An annotation scale of the scale list: name (300), paper units (140), drawing units (141);
// whether it is the unit scale (290) follows from them.
class ScaleFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "SCALE"; }
  const QvRxClass* objectClass() const override { return QvDbScale::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbScale(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& scale = static_cast<QvDbScale&>(object);
    in.select(1);
    in.integer(70, 0, INT16_MIN, INT16_MAX);
    const QvString name = in.text(300);
    if (scale.setScaleName(name.c_str()) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kMissingGroup, "the scale has no name (300)");
    if (scale.setUnits(in.real(140, 1.0), in.real(141, 1.0)) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue,
                    "the paper and drawing units (140, 141) must be positive");
    in.integer(290, 0, 0, 1);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& scale = static_cast<const QvDbScale&>(object);
    out.begin(recordName());
    out.subclass(1);
    out.integer(70, 0);
    out.text(300, scale.scaleName());
    out.real(140, scale.paperUnits());
    out.real(141, scale.drawingUnits());
    out.integer(290, scale.isUnitScale() ? 1 : 0);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }
};

}  // namespace

QvDxfFilerPtr qvDxfScaleFiler() {
  return std::make_unique<ScaleFiler>();
}
