// Drawing files read into block definitions for the insert command.
#include <algorithm>
#include <memory>

#include "cmdutil/blocks/XqInsertResolution.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/XqCmdResourceString.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace XqInsertFiles {

namespace {

QvString extensionOf(const QvString& path) {
  const int dot = path.findRev(L'.');
  const int slash = std::max(path.findRev(L'\\'), path.findRev(L'/'));
  if (dot < 0 || dot < slash) return QvString();
  QvString ext = path.mid(dot);
  return ext.makeLower();
}

}  // namespace

std::unique_ptr<QvDbDatabase> read(const QvString& path, bool templates) {
  const QvString ext = extensionOf(path);
  auto side = std::make_unique<QvDbDatabase>(false, true);
  Vexa::ErrorStatus es = Vexa::eInvalidInput;
  if (ext == L".dwg" || ext == L".dws")
    es = qvdbReadDwgFile(side.get(), path.c_str(), 48, false, nullptr);
  else if (ext == L".dxf")
    es = side->dxfIn(path.c_str());
  else if (ext == L".dwt" && templates)
    es = side->readDwgFile(path.c_str());
  if (es == Vexa::eOk) {
    side->closeInput(true);
    return side;
  }
  qvedPrompt(qvcmdQvResourceStringF(10835, path.c_str()).c_str());
  return nullptr;
}

bool holdsBlock(QvDbDatabase& side, const QvString& name) {
  QvDbObjectPointer<QvDbBlockTable> table(side.blockTableId(), QvDb::kForRead);
  if (table.openStatus() != Vexa::eOk) return false;
  QvDbSymbolTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Vexa::eOk) return false;
  const std::unique_ptr<QvDbSymbolTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getRecordId(id);
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    if (block.openStatus() != Vexa::eOk || block->isLayout()) continue;
    QvString blockName;
    block->getName(blockName);
    if (qvdbGetSymbolSvc()->compareSymbolName(blockName.c_str(), name.c_str()) == 0) return true;
  }
  return false;
}

Vexa::ErrorStatus insert(QvDbDatabase* db, const QvString& name, QvDbDatabase& side,
                         QvDbObjectId& blockId, bool& annotative) {
  if (!db) return Vexa::eNullPtr;
  const Vexa::ErrorStatus es = db->insert(blockId, name.c_str(), &side, false);
  if (es != Vexa::eOk) return es;
  const QvDb::UnitsValue units = side.insunits();
  annotative = side.annotativeDwg();
  QvDb::BlockScaling scaling = QvDb::kAny;
  bool explodable = true;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> model(db->modelSpaceId(), QvDb::kForRead);
    if (model.openStatus() == Vexa::eOk) {
      scaling = model->blockScaling();
      explodable = model->explodable();
    }
  }
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForWrite);
  if (block.openStatus() != Vexa::eOk) return block.openStatus();
  block->setBlockScaling(annotative ? QvDb::kUniform : scaling);
  block->setExplodable(explodable);
  block->setBlockInsertUnits(units);
  if (annotative) SetObjectAnnotative(block.object(), true);
  return Vexa::eOk;
}

}  // namespace XqInsertFiles
