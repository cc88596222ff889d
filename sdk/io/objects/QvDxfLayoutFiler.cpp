#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbPlotSettings", "AcDbLayout"};
constexpr QvDxfClassRecord kClass{"LAYOUT", "AcDbLayout", "ObjectDBX Classes", 0, false};

// Plot settings of a layout made here: no page setup, an A3 sheet in millimetres, scale 1:1.
void writeDefaultPlotSettings(QvDxfObjectWriter& out) {
  out.raw(1, "");
  out.raw(2, "none_device");
  out.raw(4, "");
  out.raw(6, "");
  for (const int code : {40, 41, 42, 43}) out.real(code, 7.5);
  out.real(44, 420.0);
  out.real(45, 297.0);
  for (const int code : {46, 47, 48, 49, 140, 141}) out.real(code, 0.0);
  out.real(142, 1.0);
  out.real(143, 1.0);
  out.integer(70, 688);
  out.integer(72, 1);
  out.integer(73, 0);
  out.integer(74, 5);
  out.raw(7, "");
  out.integer(75, 16);
  out.real(147, 1.0);
  out.real(148, 0.0);
  out.real(149, 0.0);
}

// The rest of a layout made here: limits of the sheet, empty extents, the world UCS.
void writeDefaultLayoutData(QvDxfObjectWriter& out) {
  out.integer(70, 1);
  out.point(10, QvGePoint3d(0, 0, 0), false);
  out.point(11, QvGePoint3d(420, 297, 0), false);
  out.point(12, QvGePoint3d(0, 0, 0));
  out.point(14, QvGePoint3d(1e20, 1e20, 1e20));
  out.point(15, QvGePoint3d(-1e20, -1e20, -1e20));
  out.real(146, 0.0);
  out.point(13, QvGePoint3d(0, 0, 0));
  out.point(16, QvGePoint3d(1, 0, 0));
  out.point(17, QvGePoint3d(0, 1, 0));
  out.integer(76, 1);
}

// A layout: name (1), tab order (71) and its block table record (330). Its plot settings and
// view data are kept as read; a layout made here gets plain ones.
class LayoutFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "LAYOUT"; }
  const QvRxClass* objectClass() const override { return QvDbLayout::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbLayout(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& layout = static_cast<QvDbLayout&>(object);
    in.select(2);
    const size_t nameAt = in.find(1);
    if (nameAt == QvDxfObjectReader::npos)
      in.failObject(QvDxfDiagnostic::kMissingGroup, "the layout has no name (1)");
    const QvString name = in.textAt(nameAt);
    if (layout.setLayoutName(name.c_str()) != Vexa::eOk)
      in.fail(nameAt, QvDxfDiagnostic::kRefusedValue,
              qvDxfQuoted(name.utf8()) + " is not a valid layout name");
    layout.setTabOrder(static_cast<int>(in.integer(71, 0, 0, INT16_MAX)));
    const size_t blockAt = in.find(330);
    if (blockAt == QvDxfObjectReader::npos)
      in.failObject(QvDxfDiagnostic::kMissingGroup, "the layout has no block record (330)");
    if (layout.setBlockTableRecordId(in.pointerAt(blockAt)) != Vexa::eOk)
      in.fail(blockAt, QvDxfDiagnostic::kWrongReference,
              "the layout's block (330) is not a block record of the file");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& layout = static_cast<const QvDbLayout&>(object);
    out.begin(recordName());
    const bool keptSettings = out.hasKept(1);
    out.subclass(1);
    if (!keptSettings) writeDefaultPlotSettings(out);
    const bool keptData = out.hasKept(2);
    out.subclass(2);
    out.text(1, layout.layoutName());
    out.integer(71, layout.getTabOrder());
    out.pointer(330, layout.getBlockTableRecordId());
    if (!keptData) writeDefaultLayoutData(out);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }
};

}  // namespace

QvDxfFilerPtr qvDxfLayoutFiler() {
  return std::make_unique<LayoutFiler>();
}
