#include <gtest/gtest.h>

#include <sstream>

#include "host/TarvoDrawingInfo.h"
#include "sdk/db/QvDbBlockReference.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using TarvoDrawingInfoTest = HostFixture;

TEST_F(TarvoDrawingInfoTest, CountsEntitiesByClassPerSpaceAndBlock) {
  addLayer(db(), L"Walls", [](QvDbLayerTableRecord& layer) {
    layer.setColorIndex(1);
    layer.setIsFrozen(true);
    layer.setIsLocked(true);
  });
  const QvDbObjectId leaf = addBlock(db(), L"Leaf");
  const QvDbObjectId tree = addBlock(db(), L"Tree");
  appendEntity(tree, new QvDbBlockReference(QvGePoint3d(0, 0, 0), leaf));
  appendEntity(tree, new QvDbBlockReference(QvGePoint3d(0, 0, 0), leaf));
  appendEntity(db()->modelSpaceId(), new QvDbBlockReference(QvGePoint3d(0, 0, 0), tree));
  appendEntity(db()->paperSpaceId(), new QvDbBlockReference(QvGePoint3d(0, 0, 0), tree));
  ASSERT_EQ(
      eraseObject(appendToModelSpace(db(), new QvDbBlockReference(QvGePoint3d(0, 0, 0), tree))),
      Vexa::eOk);

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
