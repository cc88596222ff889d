// Symbol tables: the contents of a new drawing, lookups, names, order and erased records.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbViewportTable.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using Vexa::eOk;

class QvDbSymbolTableTest : public HostFixture {};

// The names of a table's records in iteration order.
template <class Table>
std::vector<QvString> namesIn(QvDbObjectId tableId, bool skipErased = true) {
  std::vector<QvString> names;
  QvDbObjectPointer<Table> table(tableId, QvDb::kForRead);
  typename Table::Iterator* raw = nullptr;
  if (!table || table->newIterator(raw, true, skipErased) != eOk) return names;
  std::unique_ptr<typename Table::Iterator> it(raw);
  for (; !it->done(); it->step(true, skipErased)) {
    QvDbSymbolTableRecord* record = nullptr;
    if (it->getRecord(record, QvDb::kForRead, true) != eOk) continue;
    names.push_back(record->name());
    record->close();
  }
  return names;
}

TEST_F(QvDbSymbolTableTest, NewDrawingHasTheStandardRecords) {
  using Names = std::vector<QvString>;
  EXPECT_EQ(namesIn<QvDbBlockTable>(db()->blockTableId()),
            (Names{L"*Model_Space", L"*Paper_Space"}));
  EXPECT_EQ(namesIn<QvDbLayerTable>(db()->layerTableId()), (Names{L"0"}));
  EXPECT_EQ(namesIn<QvDbTextStyleTable>(db()->textStyleTableId()), (Names{L"Standard"}));
  EXPECT_EQ(namesIn<QvDbDimStyleTable>(db()->dimStyleTableId()), (Names{L"Standard"}));
  EXPECT_EQ(namesIn<QvDbLinetypeTable>(db()->linetypeTableId()),
            (Names{L"ByBlock", L"ByLayer", L"Continuous"}));
  EXPECT_EQ(namesIn<QvDbRegAppTable>(db()->regAppTableId()), (Names{L"ACAD"}));
  EXPECT_EQ(namesIn<QvDbViewportTable>(db()->viewportTableId()), (Names{L"*Active"}));
  // The current records.
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(db()->clayer()), L"0");
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(db()->textstyle()), L"Standard");
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(db()->dimstyle()), L"Standard");
  EXPECT_EQ(db()->currentSpaceId(), db()->modelSpaceId());
  // An empty database has nothing; completing it gives the same records.
  QvDbDatabase empty(false);
  EXPECT_TRUE(empty.blockTableId().isNull());
  EXPECT_TRUE(empty.modelSpaceId().isNull());
  QvDbBlockTable* table = nullptr;
  EXPECT_EQ(empty.getBlockTable(table, QvDb::kForRead), Vexa::eNullObjectId);
  EXPECT_EQ(empty.completeDefaultContents(), eOk);
  EXPECT_EQ(namesIn<QvDbLayerTable>(empty.layerTableId()), (Names{L"0"}));
  EXPECT_FALSE(empty.modelSpaceId().isNull());
}

TEST_F(QvDbSymbolTableTest, LookupIgnoresCaseAndAddOrderIsKept) {
  const QvDbObjectId walls = addLayer(db(), L"Walls");
  const QvDbObjectId doors = addLayer(db(), L"doors");
  const QvDbObjectId annotations = addLayer(db(), L"Annotations");
  ASSERT_FALSE(annotations.isNull());
  EXPECT_EQ(namesIn<QvDbLayerTable>(db()->layerTableId()),
            (std::vector<QvString>{L"0", L"Walls", L"doors", L"Annotations"}));

  QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForRead);
  QvDbObjectId found;
  EXPECT_EQ(layers->getAt(L"WALLS", found), eOk);
  EXPECT_EQ(found, walls);
  EXPECT_TRUE(layers->has(L"Doors"));
  EXPECT_TRUE(layers->has(doors));
  EXPECT_FALSE(layers->has(L"Windows"));
  EXPECT_EQ(layers->getAt(L"Windows", found), Vexa::eKeyNotFound);
  EXPECT_TRUE(found.isNull());
  QvDbLayerTableRecord* record = nullptr;
  ASSERT_EQ(layers->getAt(L"walls", record, QvDb::kForRead), eOk);
  EXPECT_EQ(record->name(), L"Walls");  // stored as given
  record->close();
  EXPECT_EQ(layers->numRecords(), 4);
}

TEST_F(QvDbSymbolTableTest, AddRefusesBadDuplicateAndForeignRecords) {
  QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForWrite);
  auto tryAdd = [&](const wchar_t* name) {
    auto* record = new QvDbLayerTableRecord();
    record->setName(name);
    const Vexa::ErrorStatus es = layers->add(record);
    if (es == eOk) {
      record->close();
    } else {
      delete record;
    }
    return es;
  };
  EXPECT_EQ(tryAdd(L"Walls"), eOk);
  EXPECT_EQ(tryAdd(L"WALLS"), Vexa::eDuplicateKey);
  EXPECT_EQ(tryAdd(L"0"), Vexa::eDuplicateKey);
  EXPECT_EQ(tryAdd(L""), Vexa::eInvalidSymbolName);
  EXPECT_EQ(tryAdd(L"a<b"), Vexa::eInvalidSymbolName);
  EXPECT_EQ(tryAdd(L"name "), Vexa::eInvalidSymbolName);
  EXPECT_EQ(tryAdd(L"*Model_Space"), Vexa::eInvalidSymbolName);  // a block's special name
  EXPECT_EQ(tryAdd(std::wstring(255, L'x').c_str()), eOk);
  EXPECT_EQ(tryAdd(std::wstring(256, L'y').c_str()), Vexa::eInvalidSymbolName);
  EXPECT_EQ(tryAdd(L"Xref|Walls"), eOk);  // names of external references carry a bar
  // A record of another kind is refused.
  auto* style = new QvDbTextStyleTableRecord();
  style->setName(L"Notes");
  EXPECT_EQ(layers->add(style), Vexa::eWrongObjectType);
  delete style;
  layers.close();

  // With "EXTNAMES" 0 only the old names pass.
  ASSERT_EQ(db()->setHeaderValue(L"EXTNAMES", QvDbHeaderValue::ofShort(0)), eOk);
  layers.open(db()->layerTableId(), QvDb::kForWrite);
  EXPECT_EQ(tryAdd(L"Two Words"), Vexa::eInvalidSymbolName);
  EXPECT_EQ(tryAdd(L"OLD_NAME-1$"), eOk);
  EXPECT_EQ(tryAdd(std::wstring(32, L'Z').c_str()), Vexa::eInvalidSymbolName);
  int longest = 0;
  EXPECT_EQ(qvdbGetSymbolSvc()->getMaxSymbolNameLength(longest), eOk);
  EXPECT_EQ(longest, 31);
}

TEST_F(QvDbSymbolTableTest, ErasedRecordsAreSkippedAndTheirNamesFreed) {
  const QvDbObjectId a = addLayer(db(), L"A");
  const QvDbObjectId b = addLayer(db(), L"B");
  addLayer(db(), L"C");
  ASSERT_EQ(eraseObject(b), Vexa::eOk);
  EXPECT_EQ(namesIn<QvDbLayerTable>(db()->layerTableId()),
            (std::vector<QvString>{L"0", L"A", L"C"}));
  EXPECT_EQ(namesIn<QvDbLayerTable>(db()->layerTableId(), false),
            (std::vector<QvString>{L"0", L"A", L"B", L"C"}));
  {
    QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForRead);
    QvDbObjectId found;
    EXPECT_EQ(layers->getAt(L"B", found), Vexa::eKeyNotFound);
    EXPECT_EQ(layers->getAt(L"B", found, true), eOk);  // asked for erased records
    EXPECT_EQ(found, b);
    EXPECT_FALSE(layers->has(b));
    EXPECT_EQ(layers->numRecords(), 3);
    EXPECT_EQ(layers->numRecords(true), 4);
  }
  // The name is free again; the erased record cannot come back while it is taken.
  const QvDbObjectId newB = addLayer(db(), L"b");
  ASSERT_FALSE(newB.isNull());
  {
    QvDbObjectPointer<QvDbLayerTableRecord> old(b, QvDb::kForWrite, true);
    EXPECT_EQ(old->erase(false), Vexa::eDuplicateKey);
    EXPECT_TRUE(old->isErased());
  }
  // Renaming follows in lookups; layer "0" keeps its name.
  {
    QvDbObjectPointer<QvDbLayerTableRecord> layer(a, QvDb::kForWrite);
    EXPECT_EQ(layer->setName(L"C"), Vexa::eDuplicateKey);
    EXPECT_EQ(layer->setName(L"Renamed"), eOk);
    QvDbObjectPointer<QvDbLayerTableRecord> zero(db()->clayer(), QvDb::kForWrite);
    EXPECT_EQ(zero->setName(L"Zero"), Vexa::eNotApplicable);
  }
  QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForRead);
  EXPECT_FALSE(layers->has(L"A"));
  QvDbObjectId found;
  EXPECT_EQ(layers->getAt(L"renamed", found), eOk);
  EXPECT_EQ(found, a);
}

TEST_F(QvDbSymbolTableTest, AnonymousBlocksAreNumberedByTheDatabase) {
  const QvDbObjectId first = addBlock(db(), L"*U");
  const QvDbObjectId second = addBlock(db(), L"*U");
  const QvDbObjectId dimension = addBlock(db(), L"*D");
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(first), L"*U1");
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(second), L"*U2");
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(dimension), L"*D1");
  // A name read from a file is kept; the next anonymous name skips it.
  EXPECT_FALSE(addBlock(db(), L"*U3").isNull());
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(addBlock(db(), L"*U")), L"*U4");
  QvDbObjectPointer<QvDbBlockTableRecord> block(first, QvDb::kForRead);
  EXPECT_TRUE(block->isAnonymous());
  EXPECT_FALSE(block->isLayout());
  QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForRead);
  EXPECT_FALSE(space->isAnonymous());
  EXPECT_TRUE(space->isLayout());
  EXPECT_FALSE(space->isRenamable());
}

TEST_F(QvDbSymbolTableTest, SymbolServiceRules) {
  const QvDbSymbolUtilities::Services* svc = qvdbGetSymbolSvc();
  ASSERT_NE(svc, nullptr);
  EXPECT_EQ(svc->compareSymbolName(L"Door", L"DOOR"), 0);
  EXPECT_LT(svc->compareSymbolName(L"A", L"b"), 0);
  EXPECT_EQ(svc->validateSymbolName(L"Door 2", false), eOk);
  EXPECT_EQ(svc->validateSymbolName(L"x|y", false), Vexa::eInvalidSymbolName);
  EXPECT_EQ(svc->validateSymbolName(L"x|y", true), eOk);
  for (const wchar_t* bad :
       {L"a/b", L"a\\b", L"a:b", L"a?b", L"a*b", L"a,b", L"a=b", L"a`b", L"a;b", L"a\"b", L"a\tb"})
    EXPECT_EQ(svc->validateSymbolName(bad, true), Vexa::eInvalidSymbolName) << QvString(bad);
  EXPECT_EQ(svc->validateSymbolName(L"\u4E2D\u6587", false), eOk);  // any script
  int longest = 0;
  EXPECT_EQ(svc->getMaxSymbolNameLength(longest), eOk);
  EXPECT_EQ(longest, 255);
  EXPECT_TRUE(svc->isAnonymousBlockName(L"*U12"));
  EXPECT_FALSE(svc->isAnonymousBlockName(L"*Model_Space"));
  EXPECT_FALSE(svc->isAnonymousBlockName(L"*Paper_Space0"));
  EXPECT_EQ(svc->blockModelSpaceId(db()), db()->modelSpaceId());
}

}  // namespace
