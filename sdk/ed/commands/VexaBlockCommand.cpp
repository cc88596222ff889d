#include "sdk/ed/commands/VexaBlockCommand.h"

#include <memory>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/commands/VexaCommandAsk.h"

using namespace VexaCommandAsk;

namespace {

using Copies = std::vector<std::unique_ptr<QvDbEntity>>;

QvDbObjectId blockNamed(QvDbDatabase* db, const QvString& name) {
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  QvDbObjectId id;
  if (table) table->getAt(name.c_str(), id);
  return id;
}

// Why a block may not be redefined; empty when it may.
QvString redefinitionRefused(QvDbObjectId blockId, const VexaSelectSet& selected) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (!block) return L"\nThe block cannot be opened.";
  if (block->isLayout() || block->isFromExternalReference() || block->isFromOverlayReference() ||
      block->isAnonymous())
    return QvString::format(L"\n\"%ls\" is a layout, an external reference or an anonymous block.",
                            block->name().c_str());
  QvDbObjectIdArray users;
  block->getBlockReferenceIds(users, false);
  for (int i = 0; i < users.length(); ++i)
    if (selected.contains(users[i])) return L"\nThe block would reference itself.";
  return {};
}

// Copies of the entities in the frame `xform` leads into; false (with a message) when one
// cannot be copied.
bool copyAll(const VexaSelectSet& selected, const QvGeMatrix3d& xform, Copies& copies) {
  for (const QvDbObjectId id : selected) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    QvDbEntity* copy = nullptr;
    if (!entity || entity->getTransformedCopy(xform, copy) != Vexa::eOk || !copy) {
      say(QvString::format(L"\nThe entity %ls cannot be copied into a block.",
                           id.handle().ascii().c_str()));
      return false;
    }
    copies.emplace_back(copy);
  }
  return true;
}

void eraseAll(const QvDbObjectIdArray& ids) {
  for (const QvDbObjectId id : ids) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
    if (entity) entity->erase();
  }
}

// The definition to fill: a new record, or the existing one as it is. Null with a message when
// the table refuses the name.
QvDbObjectPointer<QvDbBlockTableRecord> definition(QvDbDatabase* db, const QvString& name,
                                                   QvDbObjectId existing) {
  QvDbObjectPointer<QvDbBlockTableRecord> block;
  if (!existing.isNull()) {
    block.open(existing, QvDb::kForWrite);
    return block;
  }
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForWrite);
  auto record = std::make_unique<QvDbBlockTableRecord>();
  QvDbObjectId id;
  if (!table || record->setName(name.c_str()) != Vexa::eOk ||
      table->add(id, record.get()) != Vexa::eOk) {
    say(QvString::format(L"\n\"%ls\" is not a valid block name.", name.c_str()));
    return block;
  }
  record.release()->close();
  table.close();
  block.open(id, QvDb::kForWrite);
  return block;
}

}  // namespace

int VexaBlockCommand::run(IVexaBuildInCommandContext& context) {
  QvDbDatabase* db = context.database();
  QvGeMatrix3d ucsToWorld;
  if (!db || context.getCurrentUcs(ucsToWorld) != Vexa::eOk) return kQvError;

  QvString name;
  if (const int status = askBlockName(context.isSpaceAllowedInNames(), name); status != kQvNormal)
    return status;

  const QvDbObjectId existing = blockNamed(db, name);
  if (!existing.isNull()) {
    const VexaAnswer redefine =
        ask(VexaAnswerKind::kKeyword,
            QvString::format(L"\nBlock \"%ls\" already exists. Redefine it? [Yes/No] <No>: ",
                             name.c_str()),
            L"Yes No");
    if (redefine.outcome == VexaAnswer::Outcome::kCancel) return kQvCancel;
    if (redefine.outcome != VexaAnswer::Outcome::kKeyword || redefine.keywordIndex != 0)
      return kQvNone;
  }

  VexaQuestionSetup baseQuestion;
  baseQuestion.kind = VexaAnswerKind::kPoint;
  baseQuestion.prompt = L"\nSpecify insertion base point: ";
  baseQuestion.rejectEmpty = true;
  const VexaAnswer base = ask(baseQuestion);
  if (!isValue(base)) return kQvCancel;

  VexaSelectionQuestion::Setup selection;
  selection.rejectLocked = true;
  VexaSelectSet selected;
  const int rc = VexaSelectionQuestion(selection).ask(selected);
  if (rc == kQvCancel || rc == kQvError) return rc;
  if (rc != kQvNormal) {
    say(L"\nNothing selected.");
    return kQvNone;
  }
  if (!existing.isNull()) {
    const QvString refused = redefinitionRefused(existing, selected);
    if (!refused.isEmpty()) {
      say(refused);
      return kQvError;
    }
  }

  const QvGeMatrix3d worldToUcs = ucsToWorld.inverse();
  Copies copies;
  if (!copyAll(selected, worldToUcs, copies)) return kQvError;
  QvDbObjectPointer<QvDbBlockTableRecord> block = definition(db, name, existing);
  if (!block) return kQvError;
  const QvDbObjectIdArray former = block->entityIds();
  QvDbObjectIdArray added;
  bool refused = false;
  for (std::unique_ptr<QvDbEntity>& copy : copies) {
    QvDbObjectId id;
    if (block->appendQvDbEntity(id, copy.get()) != Vexa::eOk) {
      refused = true;  // the rest are deleted unused
      break;
    }
    copy.release()->close();
    added.append(id);
  }
  if (refused) {
    // Nothing changes: the copies go, the definition keeps its contents (a new one goes too)
    // and the sources stay.
    eraseAll(added);
    if (existing.isNull()) block->erase();
    say(L"\nThe block cannot take the selected objects.");
    return kQvError;
  }
  block->setOrigin(toGePoint(base.point).transformBy(worldToUcs));
  block.close();
  eraseAll(former);
  eraseAll(selected.ids());
  return kQvNormal;
}
