// What the reader does not model is kept: unknown classes as proxies and unknown groups with
// their objects, written back as read, with the objects they name followed.
#include <gtest/gtest.h>

#include <algorithm>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbProxyObject.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

struct Drawing {
  std::string text;
  std::string wallsHandle;
  std::string lineHandle;
};

// The sound ezdxf drawing with: a class of its own and an entity of that class naming the
// layer "Walls", an object of an unknown class in the root dictionary, an unknown group in the
// layer "Walls", and an application's group on the line.
Drawing drawingWithUnknowns() {
  std::string text = readTextFile(dxfDataPath("sound_r2018.dxf"));
  const std::string wallsHandle = handleOf(layerNamed(readDxf(text).get(), L"Walls"));
  EXPECT_NE("0", wallsHandle);
  auto insertAfter = [&](const std::string& anchor, const std::string& added) {
    const size_t at = text.find(anchor);
    EXPECT_NE(std::string::npos, at) << anchor;
    text.insert(at + anchor.size(), added);
  };
  insertAfter("  2\nCLASSES\n",
              "  0\nCLASS\n  1\nTARVO_WIDGET\n  2\nTvWidget\n  3\nTarvo test classes\n 90\n"
              "1025\n 91\n1\n280\n0\n281\n1\n");
  // The unknown entity, before the line in model space.
  insertAfter("  2\nENTITIES\n",
              "  0\nTARVO_WIDGET\n  5\nABC1\n102\n{TARVO_LINKS\n331\n" + wallsHandle +
                  "\n102\n}\n330\n17\n100\nAcDbEntity\n  8\nWalls\n 62\n     5\n100\n"
                  "TvWidget\n 10\n1.5\n 20\n-2.000\n 30\n0\n340\n" +
                  wallsHandle +
                  "\n  1\nfree text, with commas; and ^J carets\n 90\n   42\n310\nDEADBEEF\n");
  // The unknown object: a record of the root dictionary.
  const size_t objects = text.find("  2\nOBJECTS\n");
  const size_t rootEnd = text.find("  0\n", objects + 20);
  const std::string rootHandle = groupsOf(text.substr(objects, rootEnd - objects))[2].second;
  text.insert(rootEnd, "  3\nTARVO_SETTINGS\n350\nABC2\n");
  const size_t objectsEnd = text.find("  0\nENDSEC\n", objects);
  text.insert(objectsEnd, "  0\nTARVO_SETTINGS\n  5\nABC2\n330\n" + rootHandle +
                              "\n100\nTvSettings\n 70\n3\n360\n0\n  1\nunit=mm\n");
  // An unknown group in the layer "Walls" and an application's group on the line.
  const size_t walls = text.find("  2\nWalls\n");
  text.insert(text.find(" 62\n", walls), "348\n0\n");
  const size_t lineAt = text.find("  0\nLINE\n");
  text.insert(text.find("330\n", lineAt), "102\n{TARVO_APP\n  1\napplication data\n102\n}\n");
  return {text, wallsHandle, groupsOf(text.substr(lineAt, 40))[1].second};
}

}  // namespace

class DxfKeptGroupsTest : public HostFixture {};

TEST_F(DxfKeptGroupsTest, UnknownRecordsAndGroupsSurviveByteForByte) {
  const Drawing drawing = drawingWithUnknowns();
  const std::string& original = drawing.text;
  auto read = readDxf(original);
  ASSERT_TRUE(read);

  // The unknown entity is a proxy in model space, on its layer, with its class.
  const QvDbObjectId widget = idOfHandle(*read, "ABC1");
  ASSERT_FALSE(widget.isNull());
  {
    QvDbObjectPointer<QvDbProxyEntity> proxy(widget, QvDb::kForRead);
    ASSERT_TRUE(proxy);
    EXPECT_EQ(read->modelSpaceId(), proxy->ownerId());
    EXPECT_EQ(QvString(L"Walls"), proxy->layer());
    EXPECT_EQ(QvString(L"TARVO_WIDGET"), proxy->originalDxfName());
    EXPECT_EQ(QvString(L"TvWidget"), proxy->originalClassName());
  }
  const QvDbObjectId settings = idOfHandle(*read, "ABC2");
  ASSERT_FALSE(settings.isNull());
  EXPECT_EQ(QvDbProxyObject::desc(), settings.objectClass());

  const std::string written = dxfText(*read);
  const DxfGroups before = groupsOf(original);
  const DxfGroups after = groupsOf(written);
  for (const std::string handle : {"ABC1", "ABC2"})
    EXPECT_EQ(recordOf(before, handle), recordOf(after, handle)) << "record " << handle;
  // The line keeps its application group; the layer its unknown group.
  EXPECT_EQ(recordOf(before, drawing.lineHandle), recordOf(after, drawing.lineHandle));
  // A known class writes its groups in its own order: every group read is there again.
  DxfGroups walls = recordOf(after, drawing.wallsHandle);
  for (const auto& group : recordOf(before, drawing.wallsHandle)) {
    const auto found = std::find(walls.begin(), walls.end(), group);
    EXPECT_NE(walls.end(), found) << "group " << group.first << " \"" << group.second << "\"";
    if (found != walls.end()) walls.erase(found);
  }
  // The class is listed again.
  EXPECT_NE(std::string::npos, written.find("  1\nTARVO_WIDGET\n  2\nTvWidget\n"));
  // And the whole reads back to the same text.
  EXPECT_TRUE(readsBackAlike(written));
}

TEST_F(DxfKeptGroupsTest, AProxyFollowsItsLayerAndIsClonedWithItsReferences) {
  auto read = readDxf(drawingWithUnknowns().text);
  ASSERT_TRUE(read);
  const QvDbObjectId widget = idOfHandle(*read, "ABC1");
  // Renaming the layer renames it in the proxy's groups.
  {
    QvDbObjectPointer<QvDbProxyEntity> proxy(widget, QvDb::kForRead);
    QvDbObjectPointer<QvDbLayerTableRecord> layer(proxy->layerId(), QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, layer->setName(L"Outer walls"));
  }
  // A block holding a copy of the proxy: its reference to the layer still names the layer.
  const QvDbObjectId blockId = addBlock(read.get(), L"Widgets");
  ASSERT_FALSE(blockId.isNull());
  QvDbIdMapping map;
  ASSERT_EQ(Vexa::eOk, read->deepCloneObjects(QvDbObjectIdArray{widget}, blockId, map));
  const std::string written = dxfText(*read);
  const DxfGroups groups = groupsOf(written);
  const DxfGroups proxy = recordOf(groups, "ABC1");
  ASSERT_FALSE(proxy.empty());
  EXPECT_EQ(std::vector<std::string>{"Outer walls"}, valuesOf(proxy, 8));
  const QvDbObjectIdArray cloned = entitiesOf(blockId);
  ASSERT_EQ(1, cloned.length());
  const DxfGroups copy = recordOf(groups, handleOf(cloned[0]));
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(valuesOf(proxy, 340), valuesOf(copy, 340));
  EXPECT_EQ(valuesOf(proxy, 1), valuesOf(copy, 1));
  EXPECT_EQ(std::vector<std::string>{"Outer walls"}, valuesOf(copy, 8));
  auto again = readDxf(written);
  ASSERT_TRUE(again);
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}
