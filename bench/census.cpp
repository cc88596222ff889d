// The block census (CountBlockInserts) on selections of 100,000 and 1,000,000 references of
// 1,000 blocks: linear in the references, and under one second for the million.
//
//   bench_census
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaSelectSet.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedSelection.h"
#include "xqcmdutil/XqBlockInserts.h"

namespace {

// Seconds for the census of `count` references spread over the blocks.
double census(QvDbDatabase& db, const std::vector<QvDbObjectId>& blocks, int count) {
  VexaSelectSet selection;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForWrite);
    for (int i = 0; i < count; ++i) {
      auto* ref = new QvDbBlockReference(QvGePoint3d(i % 1000, i / 1000, 0),
                                         blocks[static_cast<size_t>(i) % blocks.size()]);
      QvDbObjectId id;
      space->appendQvDbEntity(id, ref);
      ref->close();
      selection.append(id);
    }
  }
  int64_t set[2] = {0, 0};
  qvedSSFromSelectSet(selection, set);
  const auto start = std::chrono::steady_clock::now();
  const int code = CountBlockInserts(set);
  const double took =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  qvedSSFree(set);
  if (code != kQvNormal) std::fprintf(stderr, "the census failed\n");
  VexaTranscript::current()->clear();
  return took;
}

}  // namespace

int main() {
  VexaHost host;
  host.service<VexaDocumentManager>().newDocument();
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  std::vector<QvDbObjectId> blocks;
  {
    QvDbBlockTable* table = nullptr;
    db->getBlockTable(table, QvDb::kForWrite);
    for (int b = 0; b < 1000; ++b) {
      auto* record = new QvDbBlockTableRecord();
      record->setName((L"BLOCK-" + std::to_wstring(b)).c_str());
      QvDbObjectId id;
      table->add(id, record);
      record->close();
      blocks.push_back(id);
    }
    table->close();
  }
  const double small = census(*db, blocks, 100000);
  const double large = census(*db, blocks, 1000000);
  std::printf("census of 100,000 references: %.3f s; of 1,000,000: %.3f s (ratio %.1f)\n", small,
              large, large / small);
  const bool met = large < 1.0;
  std::printf("under one second for a million: %s\n", met ? "met" : "NOT met");
  return met ? 0 : 1;
}
