#include <utility>
#include <vector>

#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbSortentsTable"};
constexpr QvDxfClassRecord kClass{"SORTENTSTABLE", "AcDbSortentsTable", "ObjectDBX Classes", 0,
                                  false};

// The draw order of a block: its block record (330) and, for each entity drawn out of handle
// order, the entity (331) and the handle of the place it takes (5).
class SortentsTableFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "SORTENTSTABLE"; }
  const QvRxClass* objectClass() const override { return QvDbSortentsTable::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbSortentsTable(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& table = static_cast<QvDbSortentsTable&>(object);
    in.select(1);
    const size_t blockAt = in.find(330);
    if (blockAt == QvDxfObjectReader::npos)
      in.failObject(QvDxfDiagnostic::kMissingGroup, "the draw order has no block (330)");
    if (table.setBlockId(in.pointerAt(blockAt)) != Vexa::eOk)
      in.fail(blockAt, QvDxfDiagnostic::kWrongReference,
              "the draw order's block (330) is not a block record read before it");
    std::vector<std::pair<QvDbObjectId, QvDbHandle>> pairs;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      if (in.code(i) != 331) continue;
      const QvDbObjectId entity = in.pointerAt(i);
      if (i + 1 >= in.endIndex() || in.code(i + 1) != 5)
        in.fail(i, QvDxfDiagnostic::kMissingGroup,
                "the entity of the draw order is not followed by its sort handle (5)");
      const uint64_t sort = in.session().parseHandle(in.value(i + 1), in.lineAt(i + 1) + 1, false);
      in.use(i + 1);
      pairs.emplace_back(entity, QvDbHandle(sort));
      ++i;
    }
    if (table.setSortHandles(pairs) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kWrongReference,
                    "the draw order names entities that are not in its block");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& table = static_cast<const QvDbSortentsTable&>(object);
    out.begin(recordName());
    out.subclass(1);
    out.pointer(330, table.blockId());
    for (const auto& [entity, sort] : table.sortHandles()) {
      if (!out.session().isWritten(entity)) continue;
      out.pointer(331, entity);
      out.out().handle(5, sort);
    }
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }
};

}  // namespace

QvDxfFilerPtr qvDxfSortentsTableFiler() {
  return std::make_unique<SortentsTableFiler>();
}
