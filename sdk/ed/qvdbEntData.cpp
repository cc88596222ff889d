#include "sdk/ed/qvdbEntData.h"

#include <cstdlib>
#include <map>
#include <utility>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/ed/IVexaEntityData.h"

namespace {

const IVexaEntityData* filers() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<IVexaEntityData>() : nullptr;
}

QvDbObjectId liveId(const int64_t name[2]) {
  QvDbObjectId id;
  if (!name || qvdbGetObjectId(id, name) != Vexa::eOk || id.isNull() || id.isErased()) return {};
  return id;
}

QvDbDatabase* workingDatabase() {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

QvDbObjectId tableId(QvDbDatabase& db, const wchar_t* table) {
  if (!table) return {};
  const QvString name = QvString(table).makeUpper();
  if (name == L"LAYER") return db.layerTableId();
  if (name == L"LTYPE") return db.linetypeTableId();
  if (name == L"STYLE") return db.textStyleTableId();
  if (name == L"DIMSTYLE") return db.dimStyleTableId();
  if (name == L"BLOCK") return db.blockTableId();
  if (name == L"APPID") return db.regAppTableId();
  if (name == L"UCS") return db.UCSTableId();
  if (name == L"VIEW") return db.viewTableId();
  if (name == L"VPORT") return db.viewportTableId();
  return {};
}

// Where qvdbTblNext goes on, per table of each database: the last record handed out.
class VexaTableCursors : public VexaHostService {
 public:
  std::map<std::pair<const QvDbDatabase*, QvDbObjectId>, QvDbObjectId> last;
};

resbuf* recordData(QvDbObjectId recordId) {
  const IVexaEntityData* data = filers();
  QvDbObjectPointer<QvDbSymbolTableRecord> record(recordId, QvDb::kForRead);
  if (!data || record.openStatus() != Vexa::eOk) return nullptr;
  return data->tableRecordData(*record);
}

bool isSpace(QvDbObjectId recordId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(recordId, QvDb::kForRead);
  return block.openStatus() == Vexa::eOk && block->isLayout();
}

}  // namespace

resbuf* qvdbEntGet(const int64_t entity[2]) {
  const IVexaEntityData* data = filers();
  const QvDbObjectId id = liveId(entity);
  if (!data || id.isNull()) return nullptr;
  QvDbObjectPointer<QvDbEntity> object(id, QvDb::kForRead);
  if (object.openStatus() != Vexa::eOk) return nullptr;
  return data->entityData(*object);
}

int qvdbEntMod(const resbuf* list) {
  const IVexaEntityData* data = filers();
  const resbuf* name = list;
  while (name && name->type != -1) name = name->next;
  const QvDbObjectId id = name ? liveId(name->value.name) : QvDbObjectId();
  if (!data || id.isNull()) return kQvError;
  QvDbObjectPointer<QvDbEntity> object(id, QvDb::kForWrite);
  if (object.openStatus() != Vexa::eOk) return kQvError;
  return data->setEntityData(*object, list, nullptr) == Vexa::eOk ? kQvNormal : kQvError;
}

int qvdbEntUpd(const int64_t entity[2]) {
  const QvDbObjectId id = liveId(entity);
  if (id.isNull()) return kQvError;
  QvDbObjectPointer<QvDbEntity> object(id, QvDb::kForRead);
  return object.openStatus() == Vexa::eOk ? kQvNormal : kQvError;
}

resbuf* qvdbTblSearch(const wchar_t* table, const wchar_t* name, int setNext) {
  QvDbDatabase* db = workingDatabase();
  if (!db || !name) return nullptr;
  const QvDbObjectId tid = tableId(*db, table);
  QvDbObjectPointer<QvDbSymbolTable> symbols(tid, QvDb::kForRead);
  if (symbols.openStatus() != Vexa::eOk) return nullptr;
  QvDbObjectId recordId;
  if (symbols->getAt(name, recordId) != Vexa::eOk || recordId.isErased()) return nullptr;
  symbols.close();
  resbuf* list = recordData(recordId);
  if (list && setNext) {
    if (VexaHost* host = VexaHost::current())
      host->service<VexaTableCursors>().last[{db, tid}] = recordId;
  }
  return list;
}

resbuf* qvdbTblNext(const wchar_t* table, int rewind) {
  QvDbDatabase* db = workingDatabase();
  VexaHost* host = VexaHost::current();
  if (!db || !host) return nullptr;
  const QvDbObjectId tid = tableId(*db, table);
  QvDbObjectPointer<QvDbSymbolTable> symbols(tid, QvDb::kForRead);
  if (symbols.openStatus() != Vexa::eOk) return nullptr;
  QvDbObjectId& last = host->service<VexaTableCursors>().last[{db, tid}];
  QvDbSymbolTableIterator* it = nullptr;
  if (symbols->newIterator(it) != Vexa::eOk) return nullptr;
  bool after = rewind || last.isNull();
  QvDbObjectId found;
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    if (it->getRecordId(id) != Vexa::eOk) continue;
    if (!after) {
      after = id == last;
      continue;
    }
    if (tid == db->blockTableId() && isSpace(id)) continue;
    found = id;
    break;
  }
  delete it;
  symbols.close();
  if (found.isNull()) return nullptr;
  last = found;
  return recordData(found);
}

int qvedRetVoid() {
  return kQvNormal;
}

void qvutFreeString(wchar_t* text) {
  std::free(text);
}
