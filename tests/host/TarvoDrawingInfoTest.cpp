#include <gtest/gtest.h>

#include <sstream>

#include "host/TarvoDrawingInfo.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

class TarvoDrawingInfoTest : public HostFixture {
 protected:
  QvDbObjectId reference(QvDbObjectId ownerId, QvDbObjectId blockId) {
    QvDbObjectPointer<QvDbBlockTableRecord> owner(ownerId, QvDb::kForWrite);
    QvDbObjectPointer<QvDbBlockReference> ref(new QvDbBlockReference(blockId));
    QvDbObjectId id;
    EXPECT_EQ(owner->appendQvDbEntity(id, ref.object()), Vexa::eOk);
    return id;
  }
};

TEST_F(TarvoDrawingInfoTest, CountsEntitiesByClassPerSpaceAndBlock) {
  {
    QvDbObjectPointer<QvDbLayerTable> table(db()->layerTableId(), QvDb::kForWrite);
    QvDbObjectPointer<QvDbLayerTableRecord> layer(new QvDbLayerTableRecord());
    layer->setName(L"Walls");
    layer->setColorIndex(1);
    layer->setIsFrozen(true);
    layer->setIsLocked(true);
    ASSERT_EQ(table->add(layer.object()), Vexa::eOk);
  }
  const QvDbObjectId leaf = addBlock(db(), L"Leaf");
  const QvDbObjectId tree = addBlock(db(), L"Tree");
  reference(tree, leaf);
  reference(tree, leaf);
  reference(db()->modelSpaceId(), tree);
  reference(db()->paperSpaceId(), tree);
  const QvDbObjectId gone = reference(db()->modelSpaceId(), tree);
  {
    QvDbObjectPointer<QvDbEntity> entity(gone, QvDb::kForWrite);
    ASSERT_EQ(entity->erase(), Vexa::eOk);
  }

  std::ostringstream out;
  TarvoDrawingInfo::write(*db(), out);
  EXPECT_EQ(out.str(),
            "Layers: 2\n"
            "  0  colour 7\n"
            "  Walls  colour 1  frozen  locked\n"
            "Blocks: 2\n"
            "  Leaf  0 entities  2 references\n"
            "  Tree  2 entities  2 references\n"
            "Model space: 1 entities\n"
            "  QvDbBlockReference  1\n"
            "Layout \"Layout1\": 1 entities\n"
            "  QvDbBlockReference  1\n"
            "Block \"Leaf\": 0 entities\n"
            "Block \"Tree\": 2 entities\n"
            "  QvDbBlockReference  2\n");
}

}  // namespace
