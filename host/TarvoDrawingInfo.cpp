#include "host/TarvoDrawingInfo.h"

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// The live records of a symbol table, in order.
QvDbObjectIdArray recordsOf(QvDbObjectId tableId) {
  QvDbObjectIdArray ids;
  QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
  if (!table) return ids;
  QvDbSymbolTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Vexa::eOk) return ids;
  const std::unique_ptr<QvDbSymbolTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    if (it->getRecordId(id) == Vexa::eOk) ids.append(id);
  }
  return ids;
}

std::string nameOf(const QvDbSymbolTableRecord& record) {
  QvString name;
  record.getName(name);
  return name.utf8();
}

struct Space {
  std::string title;
  std::map<std::string, int> counts;  // class name -> live entities
  int total = 0;
};

Space census(QvDbBlockTableRecord& block, std::string title) {
  Space space{std::move(title), {}, 0};
  for (const QvDbObjectId id : block.entityIds()) {
    const QvRxClass* cls = id.objectClass();
    ++space.counts[cls ? QvString(cls->name()).utf8() : std::string("?")];
    ++space.total;
  }
  return space;
}

void writeLayers(QvDbDatabase& db, std::ostream& out) {
  const QvDbObjectIdArray layers = recordsOf(db.layerTableId());
  out << "Layers: " << layers.length() << '\n';
  for (const QvDbObjectId id : layers) {
    QvDbObjectPointer<QvDbLayerTableRecord> layer(id, QvDb::kForRead);
    if (!layer) continue;
    out << "  " << nameOf(*layer) << "  colour " << layer->colorIndex();
    if (layer->isOff()) out << "  off";
    if (layer->isFrozen()) out << "  frozen";
    if (layer->isLocked()) out << "  locked";
    out << '\n';
  }
}

}  // namespace

void TarvoDrawingInfo::write(QvDbDatabase& db, std::ostream& out) {
  writeLayers(db, out);

  std::vector<Space> spaces;
  std::vector<Space> blocks;
  std::vector<std::string> blockLines;
  for (const QvDbObjectId id : recordsOf(db.blockTableId())) {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    if (!block) continue;
    const std::string name = nameOf(*block);
    if (!block->isLayout()) {
      QvDbObjectIdArray references;
      block->getBlockReferenceIds(references);
      Space space = census(*block, "Block \"" + name + "\"");
      blockLines.push_back("  " + name + "  " + std::to_string(space.total) + " entities  " +
                           std::to_string(references.length()) + " references");
      blocks.push_back(std::move(space));
      continue;
    }
    std::string title = "Model space";
    if (id != db.modelSpaceId()) {
      QvDbObjectPointer<QvDbLayout> layout(block->getLayoutId(), QvDb::kForRead);
      title = "Layout \"" + (layout ? layout->layoutName().utf8() : name) + "\"";
    }
    spaces.push_back(census(*block, std::move(title)));
  }

  out << "Blocks: " << blockLines.size() << '\n';
  for (const std::string& line : blockLines) out << line << '\n';
  // Model space first, then the layouts in the order of the block table, then the blocks.
  std::stable_partition(spaces.begin(), spaces.end(),
                        [](const Space& s) { return s.title == "Model space"; });
  spaces.insert(spaces.end(), blocks.begin(), blocks.end());
  for (const Space& space : spaces) {
    out << space.title << ": " << space.total << " entities\n";
    for (const auto& [cls, count] : space.counts) out << "  " << cls << "  " << count << '\n';
  }
}
