// Layouts, the current space and the draw order.
#include <gtest/gtest.h>

#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/ed/qvedSysVar.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using Vexa::eOk;

class QvDbLayoutTest : public HostFixture {
 protected:
  QvDbLayoutManager& layouts() { return *qvdbHostApplicationServices()->layoutManager(); }
  QvDbObjectId blockOfLayout(const wchar_t* name) {
    QvDbObjectPointer<QvDbLayout> layout(layouts().findLayoutNamed(name), QvDb::kForRead);
    return layout ? layout->getBlockTableRecordId() : QvDbObjectId();
  }
};

TEST_F(QvDbLayoutTest, ANewDrawingShowsModelAndHasOnePaperLayout) {
  EXPECT_EQ(layouts().layoutNames(), (QvArray<QvString>{L"Model", L"Layout1"}));
  EXPECT_EQ(layouts().countLayouts(), 2);
  EXPECT_EQ(layouts().findActiveLayout(true), L"Model");
  EXPECT_EQ(layouts().findActiveLayout(false), L"Layout1");
  EXPECT_EQ(layouts().getActiveLayoutBTRId(), db()->modelSpaceId());
  EXPECT_EQ(blockOfLayout(L"layout1"), db()->paperSpaceId());
  EXPECT_TRUE(db()->tilemode());
  EXPECT_EQ(db()->cvport(), 2);
  QvDbObjectPointer<QvDbBlockTableRecord> paper(db()->paperSpaceId(), QvDb::kForRead);
  EXPECT_EQ(paper->getLayoutId(), layouts().findLayoutNamed(L"Layout1"));
  QvDbObjectPointer<QvDbLayout> model(layouts().findLayoutNamed(L"Model"), QvDb::kForRead);
  EXPECT_TRUE(model->modelType());
  EXPECT_EQ(model->getTabOrder(), 0);
}

TEST_F(QvDbLayoutTest, SwitchingLayoutsSetsTileModeViewportAndSpace) {
  const QvDbObjectId model = db()->modelSpaceId();
  const QvDbObjectId paper1 = db()->paperSpaceId();
  addTestEntity(paper1, 1);
  ASSERT_EQ(layouts().setCurrentLayout(L"Layout1"), eOk);
  EXPECT_FALSE(db()->tilemode());
  EXPECT_EQ(db()->cvport(), 1);
  EXPECT_EQ(db()->currentSpaceId(), paper1);
  EXPECT_EQ(layouts().findActiveLayout(true), L"Layout1");
  EXPECT_EQ(shortVar(L"TILEMODE"), 0);
  EXPECT_EQ(shortVar(L"CVPORT"), 1);
  // A viewport into model space while the paper layout stays active.
  ASSERT_EQ(setShortVar(L"CVPORT", 2), kQvNormal);
  EXPECT_EQ(db()->currentSpaceId(), model);
  EXPECT_EQ(layouts().getActiveLayoutBTRId(), paper1);

  // A second paper layout takes the name "*Paper_Space" when it is made current.
  QvDbObjectId sheetId, sheetBlock;
  ASSERT_EQ(layouts().createLayout(L"Sheet2", sheetId, sheetBlock), eOk);
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(sheetBlock), L"*Paper_Space0");
  QvDbObjectId twinId, twinBlock;
  EXPECT_EQ(layouts().createLayout(L"sheet2", twinId, twinBlock), Vexa::eDuplicateKey);
  EXPECT_TRUE(twinBlock.isNull());
  addTestEntity(sheetBlock, 2);
  ASSERT_EQ(layouts().setCurrentLayout(L"Sheet2"), eOk);
  EXPECT_EQ(db()->paperSpaceId(), sheetBlock);
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(paper1), L"*Paper_Space0");
  EXPECT_EQ(db()->currentSpaceId(), sheetBlock);
  EXPECT_EQ(valuesIn(sheetBlock), (std::vector<int>{2}));  // contents stay with their layout
  EXPECT_EQ(valuesIn(paper1), (std::vector<int>{1}));
  EXPECT_EQ(layouts().layoutNames(), (QvArray<QvString>{L"Model", L"Layout1", L"Sheet2"}));

  // "TILEMODE" switches too: on to Model, off back to the last paper layout.
  ASSERT_EQ(setShortVar(L"TILEMODE", 1), kQvNormal);
  EXPECT_EQ(layouts().findActiveLayout(true), L"Model");
  EXPECT_EQ(db()->currentSpaceId(), model);
  EXPECT_EQ(setShortVar(L"CVPORT", 1), kQvError);  // model has no paper viewport
  EXPECT_EQ(shortVar(L"CVPORT"), 2);
  ASSERT_EQ(setShortVar(L"TILEMODE", 0), kQvNormal);
  EXPECT_EQ(layouts().findActiveLayout(true), L"Sheet2");
  EXPECT_EQ(layouts().setCurrentLayout(L"Nowhere"), Vexa::eKeyNotFound);
}

TEST_F(QvDbLayoutTest, LayoutsAreRenamedAndDeletedWithTheirBlocks) {
  QvDbObjectId sheetId, sheetBlock;
  ASSERT_EQ(layouts().createLayout(L"Sheet", sheetId, sheetBlock), eOk);
  EXPECT_EQ(layouts().renameLayout(L"Sheet", L"Plan"), eOk);
  EXPECT_FALSE(layouts().layoutExists(L"Sheet"));
  EXPECT_EQ(layouts().findLayoutNamed(L"PLAN"), sheetId);
  EXPECT_EQ(layouts().renameLayout(L"Plan", L"Layout1"), Vexa::eDuplicateKey);
  EXPECT_EQ(layouts().renameLayout(L"Model", L"Other"), Vexa::eNotApplicable);
  EXPECT_EQ(layouts().renameLayout(L"Plan", L"Bad/Name"), Vexa::eInvalidSymbolName);
  EXPECT_EQ(layouts().deleteLayout(L"Model"), Vexa::eCannotBeErased);

  // Deleting the active layout activates another one first.
  const QvDbObjectId layout1Block = db()->paperSpaceId();
  ASSERT_EQ(layouts().setCurrentLayout(L"Layout1"), eOk);
  ASSERT_EQ(layouts().deleteLayout(L"Layout1"), eOk);
  EXPECT_TRUE(layout1Block.isErased());
  EXPECT_EQ(db()->paperSpaceId(), sheetBlock);
  EXPECT_EQ(layouts().findActiveLayout(true), L"Plan");
  EXPECT_EQ(layouts().layoutNames(), (QvArray<QvString>{L"Model", L"Plan"}));
  EXPECT_EQ(layouts().deleteLayout(L"Plan"), Vexa::eCannotBeErased);  // the last paper layout
}

TEST_F(QvDbLayoutTest, DrawOrderMovesAndStaysWithTheBlock) {
  const QvDbObjectId space = db()->modelSpaceId();
  QvDbObjectIdArray e;
  for (int i = 0; i < 5; ++i) e.append(addTestEntity(space, i));
  QvDbObjectPointer<QvDbBlockTableRecord> block(space, QvDb::kForRead);
  QvDbSortentsTable* table = nullptr;
  EXPECT_EQ(block->getSortentsTable(table, QvDb::kForRead), Vexa::eKeyNotFound);
  EXPECT_EQ(block->getSortentsTable(table, QvDb::kForWrite, true), Vexa::eNotOpenForWrite);
  db()->clearAccessViolations();
  block.close();
  block.open(space, QvDb::kForWrite);
  ASSERT_EQ(block->getSortentsTable(table, QvDb::kForWrite, true), eOk);
  block.close();
  QvDbObjectPointer<QvDbSortentsTable> sortents(table);
  EXPECT_EQ(sortents->blockId(), space);
  const auto drawOrder = [&] {
    QvDbObjectIdArray order;
    EXPECT_EQ(sortents->getFullDrawOrder(order), eOk);
    return order;
  };
  EXPECT_EQ(drawOrder(), e);  // no move yet: the order of appending

  ASSERT_EQ(sortents->moveToTop(QvDbObjectIdArray{e[1], e[0]}), eOk);
  EXPECT_EQ(drawOrder(),
            (QvDbObjectIdArray{e[2], e[3], e[4], e[0], e[1]}));  // their own order kept
  ASSERT_EQ(sortents->moveToBottom(QvDbObjectIdArray{e[4]}), eOk);
  ASSERT_EQ(sortents->moveAbove(QvDbObjectIdArray{e[2]}, e[0]), eOk);
  EXPECT_EQ(drawOrder(), (QvDbObjectIdArray{e[4], e[3], e[0], e[2], e[1]}));
  ASSERT_EQ(sortents->moveBelow(QvDbObjectIdArray{e[1]}, e[4]), eOk);
  ASSERT_EQ(sortents->swapOrder(e[3], e[2]), eOk);
  EXPECT_EQ(drawOrder(), (QvDbObjectIdArray{e[1], e[4], e[2], e[0], e[3]}));
  ASSERT_EQ(sortents->setRelativeDrawOrder(QvDbObjectIdArray{e[3], e[1]}), eOk);
  EXPECT_EQ(drawOrder(), (QvDbObjectIdArray{e[3], e[4], e[2], e[0], e[1]}));
  bool before = false;
  ASSERT_EQ(sortents->firstEntityIsDrawnBeforeSecond(e[3], e[1], before), eOk);
  EXPECT_TRUE(before);
  QvDbObjectIdArray some{e[1], e[2], e[3]};
  ASSERT_EQ(sortents->getRelativeDrawOrder(some), eOk);
  EXPECT_EQ(some, (QvDbObjectIdArray{e[3], e[2], e[1]}));

  // Refusals change nothing: a foreign entity, a target among the moved.
  const QvDbObjectId elsewhere = addTestEntity(addBlock(db(), L"Other"), 9);
  EXPECT_EQ(sortents->moveToTop(QvDbObjectIdArray{e[0], elsewhere}), Vexa::eInvalidInput);
  EXPECT_EQ(sortents->moveAbove(QvDbObjectIdArray{e[0]}, e[0]), Vexa::eInvalidInput);
  EXPECT_EQ(drawOrder(), (QvDbObjectIdArray{e[3], e[4], e[2], e[0], e[1]}));

  // The order as a file keeps it reads back to the same order.
  const auto pairs = sortents->sortHandles();
  EXPECT_FALSE(pairs.empty());
  ASSERT_EQ(sortents->moveToTop(QvDbObjectIdArray{e[3]}), eOk);
  ASSERT_EQ(sortents->setSortHandles(pairs), eOk);
  EXPECT_EQ(drawOrder(), (QvDbObjectIdArray{e[3], e[4], e[2], e[0], e[1]}));
  sortents.close();

  // Later entities are drawn on top; erased ones are left out.
  const QvDbObjectId late = addTestEntity(space, 5);
  ASSERT_EQ(eraseObject(e[2]), Vexa::eOk);
  block.open(space, QvDb::kForRead);
  ASSERT_EQ(block->getSortentsTable(table, QvDb::kForRead), eOk);
  sortents.acquire(table);
  EXPECT_EQ(drawOrder(), (QvDbObjectIdArray{e[3], e[4], e[0], e[1], late}));
}

TEST_F(QvDbLayoutTest, AbortTakesBackDrawOrderAndLayoutSwitches) {
  const QvDbObjectId space = db()->modelSpaceId();
  const QvDbObjectId a = addTestEntity(space, 1);
  const QvDbObjectId b = addTestEntity(space, 2);
  db()->transactionManager()->startTransaction();
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(space, QvDb::kForWrite);
    QvDbSortentsTable* table = nullptr;
    ASSERT_EQ(block->getSortentsTable(table, QvDb::kForWrite, true), eOk);
    table->moveToBottom(QvDbObjectIdArray{b});
    table->close();
  }
  ASSERT_EQ(layouts().setCurrentLayout(L"Layout1"), eOk);
  ASSERT_EQ(db()->transactionManager()->abortTransaction(), eOk);
  EXPECT_TRUE(db()->tilemode());
  EXPECT_EQ(db()->cvport(), 2);
  QvDbObjectPointer<QvDbBlockTableRecord> block(space, QvDb::kForRead);
  QvDbSortentsTable* table = nullptr;
  EXPECT_EQ(block->getSortentsTable(table, QvDb::kForRead), Vexa::eKeyNotFound);
  EXPECT_EQ(block->entityIds(), (QvDbObjectIdArray{a, b}));
}

}  // namespace
