#include "xqcmdutil/XqBlockLookup.h"

#include <memory>
#include <optional>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"

namespace {

constexpr const wchar_t* kTrueNameApp = L"AcDbDynamicBlockTrueName";

// The visible name of a block definition; nothing when its true-name data holds no string.
std::optional<QvString> visibleName(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return std::nullopt;
  const QvRbListPtr data(block->xData(kTrueNameApp));
  if (!data) {
    QvString name;
    if (block->getName(name) != Vexa::eOk) return std::nullopt;
    return name;
  }
  const resbuf* item = data->next;
  if (!item || qvRbValueKind(item->type) != QvRbKind::kString || !item->value.string)
    return std::nullopt;
  return QvString(item->value.string);
}

}  // namespace

bool getBlockVisibleName(QvDbObjectId blockId, QvString& name) {
  const std::optional<QvString> found = visibleName(blockId);
  if (!found) return false;
  name = *found;
  return true;
}

QvDbObjectId getBlockIdByName(QvDbObjectId blockTableId, const wchar_t* name) {
  if (blockTableId.isNull() || !name || !*name) return QvDbObjectId();
  QvDbObjectPointer<QvDbBlockTable> table(blockTableId, QvDb::kForRead);
  if (table.openStatus() != Vexa::eOk) return QvDbObjectId();
  QvDbObjectId found;
  if (table->getAt(name, found) == Vexa::eOk) return found;

  QvDbBlockTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Vexa::eOk) return QvDbObjectId();
  const std::unique_ptr<QvDbBlockTableIterator> it(raw);
  table.close();
  for (; !it->done(); it->step()) {
    QvDbObjectId blockId;
    if (it->getRecordId(blockId) != Vexa::eOk || !QvDbDynBlockReference::isDynamicBlock(blockId))
      continue;
    const std::optional<QvString> visible = visibleName(blockId);
    if (visible && *visible == name) return blockId;
  }
  return QvDbObjectId();
}
