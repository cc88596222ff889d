// The drawing database at the size of a large drawing: appending, opening, iterating, undoing
// and cloning a few hundred thousand entities.
#include <benchmark/benchmark.h>

#include <memory>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbTransactionManager.h"

namespace {

// Appends `count` entities to model space (block references to one block: the smallest
// entity the database itself has).
QvDbObjectIdArray fill(QvDbDatabase& db, int count) {
  QvDbObjectId block;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db.blockTableId(), QvDb::kForWrite);
    QvDbObjectPointer<QvDbBlockTableRecord> record(new QvDbBlockTableRecord());
    record->setName(L"Mark");
    table->add(block, record.object());
  }
  QvDbObjectIdArray ids(count);
  QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForWrite);
  for (int i = 0; i < count; ++i) {
    auto* reference = new QvDbBlockReference(block);
    QvDbObjectId id;
    space->appendQvDbEntity(id, reference);
    reference->close();
    ids.append(id);
  }
  return ids;
}

void BM_AppendEntities(benchmark::State& state) {
  for (auto _ : state) {
    QvDbDatabase db;
    benchmark::DoNotOptimize(fill(db, static_cast<int>(state.range(0))).length());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendEntities)->Arg(300000)->Unit(benchmark::kMillisecond);

void BM_IterateAndOpenEach(benchmark::State& state) {
  QvDbDatabase db;
  fill(db, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForRead);
    QvDbBlockTableRecordIterator* raw = nullptr;
    space->newIterator(raw);
    std::unique_ptr<QvDbBlockTableRecordIterator> it(raw);
    int64_t seen = 0;
    for (; !it->done(); it->step()) {
      QvDbEntity* entity = nullptr;
      if (it->getEntity(entity, QvDb::kForRead) != Vexa::eOk) continue;
      seen += entity->ownerId() == db.modelSpaceId();
      entity->close();
    }
    benchmark::DoNotOptimize(seen);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_IterateAndOpenEach)->Arg(300000)->Unit(benchmark::kMillisecond);

void BM_AbortChanges(benchmark::State& state) {
  QvDbDatabase db;
  const QvDbObjectIdArray ids = fill(db, 300000);
  const int changed = static_cast<int>(state.range(0));
  for (auto _ : state) {
    db.transactionManager()->startTransaction();
    for (int i = 0; i < changed; ++i) {
      QvDbObjectPointer<QvDbEntity> entity(ids[i], QvDb::kForWrite);
      entity->erase();
    }
    db.transactionManager()->abortTransaction();
  }
  state.SetItemsProcessed(state.iterations() * changed);
}
BENCHMARK(BM_AbortChanges)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeepClone(benchmark::State& state) {
  QvDbDatabase db;
  const QvDbObjectIdArray all = fill(db, 300000);
  QvDbObjectIdArray some;
  for (int i = 0; i < state.range(0); ++i) some.append(all[i]);
  for (auto _ : state) {
    db.transactionManager()->startTransaction();
    QvDbIdMapping map;
    db.deepCloneObjects(some, db.modelSpaceId(), map);
    benchmark::DoNotOptimize(map.numEntries());
    db.transactionManager()->abortTransaction();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DeepClone)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
