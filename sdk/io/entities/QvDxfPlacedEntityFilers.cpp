// Entities the database places and whose other data it keeps as read: viewports and tables.
#include "sdk/db/QvDbTable.h"
#include "sdk/db/QvDbViewport.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kViewportMarkers[] = {"AcDbEntity", "AcDbViewport"};
constexpr std::string_view kTableMarkers[] = {"AcDbEntity", "AcDbBlockReference", "AcDbTable"};
// The table's version (280), read before its direction and written back there.
constexpr uint16_t kTableVersionSlot = QvDxfSlot::kFirstCustom;
constexpr QvDxfClassRecord kTableClass{"ACAD_TABLE", "AcDbTable", "ObjectDBX Classes", 1025, true};

// A viewport: centre on the sheet (10), width and height (40, 41); the view it shows is kept.
// One made here is written on (68) with the view of its own size.
class ViewportFiler : public QvDxfEntityFilerOf<QvDbViewport> {
 public:
  std::string_view recordName() const override { return "VIEWPORT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kViewportMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& viewport = static_cast<QvDbViewport&>(object);
    readCommon(in, viewport);
    in.select(2);
    viewport.setCenterPoint(in.point(10, QvGePoint3d::kOrigin));
    check(in, viewport.setWidth(in.real(40, 0.0)), "the width (40) is negative");
    check(in, viewport.setHeight(in.real(41, 0.0)), "the height (41) is negative");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& viewport = static_cast<const QvDbViewport&>(object);
    beginEntity(out, viewport);
    out.subclass(2);
    out.point(10, viewport.centerPoint());
    out.real(40, viewport.width());
    out.real(41, viewport.height());
    if (!out.hasKept(2, 68)) {
      out.integer(68, 1);
      out.integer(69, 2);
      out.point(12, viewport.centerPoint(), false);
      out.real(45, viewport.height());
    }
    out.end();
  }
};

// A table: insertion point (10, with the block reference's groups) and the rows' direction
// (11, with the table's); its normal (210). The block, style, cells and their contents are kept.
// One made here is written with no rows and columns.
class TableFiler : public QvDxfEntityFilerOf<QvDbTable> {
 public:
  std::string_view recordName() const override { return "ACAD_TABLE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kTableMarkers; }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kTableClass);
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& table = static_cast<QvDbTable&>(object);
    readCommon(in, table);
    in.select(2);
    table.setPosition(in.point(10, QvGePoint3d::kOrigin));
    check(in, table.setNormal(readNormal(in)), "the normal (210) is zero");
    in.select(3);
    if (const size_t at = in.find(280); at != QvDxfObjectReader::npos) {
      in.release(at);
      in.setSlot(at, kTableVersionSlot);
    }
    check(in, table.setDirection(in.vector(11, QvGeVector3d::kXAxis)),
          "the direction (11) is zero");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& table = static_cast<const QvDbTable&>(object);
    beginEntity(out, table);
    out.subclass(2);
    out.point(10, table.position());
    writeNormal(out, table.normal());
    out.subclass(3);
    const bool read = out.hasKept(kTableVersionSlot) || out.hasKept(3, 91);
    if (out.hasKept(kTableVersionSlot)) {
      out.keptGroups(kTableVersionSlot);
    } else if (!read) {
      out.integer(280, 0);
    }
    out.vector(11, table.direction());
    if (!read) {
      out.integer(91, 0);
      out.integer(92, 0);
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfViewportEntityFiler() {
  return std::make_unique<ViewportFiler>();
}

QvDxfFilerPtr qvDxfTableFiler() {
  return std::make_unique<TableFiler>();
}
