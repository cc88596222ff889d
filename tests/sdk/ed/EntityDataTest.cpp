// Entity data lists (qvdbEntGet, qvdbEntMod) and table search through the drawing's filers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/AdsNames.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/ResbufLists.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

using P = QvGePoint3d;

resbuf* find(resbuf* list, int code) {
  for (; list; list = list->next)
    if (list->type == code) return list;
  return nullptr;
}

class EntityDataTest : public HostFixture {
 protected:
  QvDbObjectId line() { return appendToModelSpace(db(), new QvDbLine(P(1, 2, 0), P(4, 6, 0))); }
  QvDbObjectId reference(double scale) {
    const QvDbObjectId block = addBlock(db(), L"TREE");
    auto* ref = new QvDbBlockReference(P(10, 0, 0), block);
    ref->setScaleFactors(QvGeScale3d(scale, scale, scale));
    return appendToModelSpace(db(), ref);
  }
};

TEST_F(EntityDataTest, ALineListStartsWithItsNameAndKeepsPointsWhole) {
  const QvDbObjectId id = line();
  QvRbListPtr list(qvdbEntGet(AdsName(id)));
  ASSERT_TRUE(list);
  EXPECT_EQ(list->type, -1);
  QvDbObjectId named;
  ASSERT_EQ(qvdbGetObjectId(named, list->value.name), Vexa::eOk);
  EXPECT_EQ(named, id);
  ASSERT_NE(find(list.get(), 0), nullptr);
  EXPECT_EQ(std::wstring(find(list.get(), 0)->value.string), L"LINE");
  EXPECT_EQ(std::wstring(find(list.get(), 8)->value.string), L"0");
  const resbuf* end = find(list.get(), 11);
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->value.point[0], 4.0);
  EXPECT_EQ(end->value.point[1], 6.0);
  EXPECT_EQ(find(list.get(), 21), nullptr);  // y is folded into the point
  QvDbObjectId owner;
  ASSERT_NE(find(list.get(), 330), nullptr);
  ASSERT_EQ(qvdbGetObjectId(owner, find(list.get(), 330)->value.name), Vexa::eOk);
  QvDbObjectPointer<QvDbLine> open(id, QvDb::kForRead);
  EXPECT_EQ(owner, open->ownerId());
}

TEST_F(EntityDataTest, ChangesKeepTheEntityMakeUnknownLayersAndSurviveASave) {
  const QvDbObjectId id = line();
  QvRbListPtr list(qvdbEntGet(AdsName(id)));
  ASSERT_TRUE(list);
  qvutSetRbString(find(list.get(), 8), L"Fence \u00e9");
  find(list.get(), 10)->value.point[0] = -3.5;
  ASSERT_EQ(qvdbEntMod(list.get()), kQvNormal);
  EXPECT_EQ(qvdbEntUpd(AdsName(id)), kQvNormal);
  {
    QvDbObjectPointer<QvDbLine> changed(id, QvDb::kForRead);
    ASSERT_EQ(changed.openStatus(), Vexa::eOk);
    EXPECT_EQ(changed->startPoint(), P(-3.5, 2, 0));
    EXPECT_EQ(changed->layer(), L"Fence \u00e9");
  }
  TempFolder folder;
  const QvString file(qvWidenUtf8(folder.path("changed.dxf")).c_str());
  ASSERT_EQ(db()->saveAs(file.c_str()), Vexa::eOk);
  QvDbDatabase read(false);
  ASSERT_EQ(read.readDwgFile(file.c_str()), Vexa::eOk);
  QvDbObjectId again;
  ASSERT_EQ(read.getQvDbObjectId(again, false, id.handle()), Vexa::eOk);
  QvDbObjectPointer<QvDbLine> reread(again, QvDb::kForRead);
  ASSERT_EQ(reread.openStatus(), Vexa::eOk);
  EXPECT_EQ(reread->startPoint(), P(-3.5, 2, 0));
  EXPECT_EQ(reread->layer(), L"Fence \u00e9");
}

TEST_F(EntityDataTest, ReferencesListTheirScalesAndRefuseZeroOnesUnchanged) {
  const QvDbObjectId id = reference(1.0);
  QvRbListPtr list(qvdbEntGet(AdsName(id)));
  ASSERT_TRUE(list);
  for (int code : {41, 42, 43}) {
    ASSERT_NE(find(list.get(), code), nullptr) << code;
    EXPECT_EQ(find(list.get(), code)->value.real, 1.0);
  }
  EXPECT_EQ(std::wstring(find(list.get(), 2)->value.string), L"TREE");
  find(list.get(), 10)->value.point[1] = 99.0;  // a change the refusal must not keep
  find(list.get(), 42)->value.real = 0.0;
  EXPECT_EQ(qvdbEntMod(list.get()), kQvError);
  {
    QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
    EXPECT_EQ(ref->position(), P(10, 0, 0));
    EXPECT_EQ(ref->scaleFactors().sy, 1.0);
  }
  find(list.get(), 42)->value.real = 2.5;
  ASSERT_EQ(qvdbEntMod(list.get()), kQvNormal);
  QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
  EXPECT_EQ(ref->scaleFactors().sy, 2.5);
  EXPECT_EQ(ref->position(), P(10, 99, 0));
}

TEST_F(EntityDataTest, ListsOfAnotherTypeOrEntityAndErasedEntitiesAreRefused) {
  const QvDbObjectId id = line();
  const QvDbObjectId circle = appendToModelSpace(db(), new QvDbCircle(P(0, 0, 0), {0, 0, 1}, 2));
  QvRbListPtr list(qvdbEntGet(AdsName(id)));
  qvutSetRbString(find(list.get(), 0), L"CIRCLE");
  EXPECT_EQ(qvdbEntMod(list.get()), kQvError);
  qvutSetRbString(find(list.get(), 0), L"LINE");
  AdsName other(circle);
  list->value.name[0] = other.w[0];
  EXPECT_EQ(qvdbEntMod(list.get()), kQvError);  // a circle cannot take a line's list
  AdsName self(id);
  list->value.name[0] = self.w[0];
  resbuf* owner = find(list.get(), 330);
  owner->value.name[0] = 0x7fffffff;  // names nothing
  EXPECT_EQ(qvdbEntMod(list.get()), kQvError);
  EXPECT_EQ(qvdbEntMod(nullptr), kQvError);
  ASSERT_EQ(eraseObject(id), Vexa::eOk);
  EXPECT_EQ(qvdbEntGet(AdsName(id)), nullptr);
  EXPECT_EQ(qvdbEntUpd(AdsName(id)), kQvError);
  EXPECT_EQ(qvdbEntGet(nullptr), nullptr);
}

TEST_F(EntityDataTest, TableSearchAndNextWalkRecordsWithoutTheSpaces) {
  addBlock(db(), L"B1");
  addBlock(db(), L"B2");
  addLayer(db(), L"Walls");
  QvRbListPtr layer(qvdbTblSearch(L"layer", L"WALLS", 0));
  ASSERT_TRUE(layer);
  EXPECT_EQ(std::wstring(find(layer.get(), 0)->value.string), L"LAYER");
  EXPECT_EQ(std::wstring(find(layer.get(), 2)->value.string), L"Walls");
  EXPECT_EQ(find(layer.get(), 5), nullptr);
  EXPECT_EQ(qvdbTblSearch(L"LAYER", L"none", 0), nullptr);
  EXPECT_EQ(qvdbTblSearch(L"NOTABLE", L"0", 0), nullptr);

  std::vector<std::wstring> names;
  for (QvRbListPtr rec(qvdbTblNext(L"BLOCK", 1)); rec; rec.reset(qvdbTblNext(L"BLOCK", 0)))
    names.push_back(find(rec.get(), 2)->value.string);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"B1", L"B2"}));
  QvRbListPtr b1(qvdbTblSearch(L"BLOCK", L"b1", 1));
  ASSERT_TRUE(b1);
  EXPECT_EQ(find(b1.get(), 70)->value.int16, 0);
  QvRbListPtr after(qvdbTblNext(L"BLOCK", 0));
  ASSERT_TRUE(after);
  EXPECT_EQ(std::wstring(find(after.get(), 2)->value.string), L"B2");
}

// An entity given its own data list back through qvdbEntMod stays as it was (fuzzing found
// block references, leaders and light polylines that grew groups or vertices each time), and a
// refused list leaves it as it was. The drawing is tests/data/fuzz/entity_data/own_lists.dxf.
struct Entity {
  int64_t name[2];
  std::string type;
};

std::vector<Entity> entities() {
  std::vector<Entity> found;
  int64_t name[2] = {0, 0}, next[2];
  while (qvdbEntNext(name, next) == kQvNormal) {
    QvRbListPtr list(qvdbEntGet(next));
    std::string type;
    for (const resbuf* rb = list.get(); rb; rb = rb->next)
      if (rb->type == 0) type = qvNarrowUtf8(rb->value.string);
    found.push_back({{next[0], next[1]}, type});
    name[0] = next[0];
    name[1] = next[1];
  }
  return found;
}

class EntityDataOwnListTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    const std::string path = testDataDir() + "/fuzz/entity_data/own_lists.dxf";
    ASSERT_EQ(db()->readDwgFile(qvWidenUtf8(path).c_str()), Vexa::eOk) << db()->fileMessage();
  }
};

TEST_F(EntityDataOwnListTest, OwnListsChangeNothingAndTheDrawingSavesAlike) {
  std::string savedBefore;
  QvString message;
  ASSERT_EQ(QvDxfFile::writeText(*db(), savedBefore, message), Vexa::eOk) << message;
  std::vector<std::string> types;
  for (const Entity& e : entities()) {
    types.push_back(e.type);
    QvRbListPtr before(qvdbEntGet(e.name));
    ASSERT_TRUE(before) << e.type;
    for (int round = 0; round < 2; ++round) EXPECT_EQ(qvdbEntMod(before.get()), kQvNormal);
    QvRbListPtr after(qvdbEntGet(e.name));
    EXPECT_TRUE(sameResbufList(before.get(), after.get())) << e.type;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"INSERT", "LEADER", "LWPOLYLINE"}));
  std::string savedAfter;
  ASSERT_EQ(QvDxfFile::writeText(*db(), savedAfter, message), Vexa::eOk) << message;
  EXPECT_EQ(savedBefore, savedAfter);
}

TEST_F(EntityDataOwnListTest, ARefusedListLeavesTheReferenceAsItWas) {
  const Entity insert = entities().at(0);
  ASSERT_EQ(insert.type, "INSERT");
  QvRbListPtr before(qvdbEntGet(insert.name));
  QvRbListPtr edited(qvutDupList(before.get()));
  for (resbuf* rb = edited.get(); rb; rb = rb->next)
    if (rb->type == 2) qvutSetRbString(rb, L"No such block");
  EXPECT_EQ(qvdbEntMod(edited.get()), kQvError);
  QvRbListPtr after(qvdbEntGet(insert.name));
  EXPECT_TRUE(sameResbufList(before.get(), after.get()));
}

TEST_F(EntityDataOwnListTest, AVertexGroupBeforeAnyVertexIsDroppedNotGivenToTheLastVertex) {
  const Entity polyline = entities().at(2);
  ASSERT_EQ(polyline.type, "LWPOLYLINE");
  QvRbListPtr before(qvdbEntGet(polyline.name));
  QvRbListPtr edited(qvutDupList(before.get()));
  resbuf* rb = edited.get();
  while (rb->next && rb->next->type != 10) rb = rb->next;
  ASSERT_NE(nullptr, rb->next);
  resbuf* stray = qvutNewRb(42);
  stray->value.real = 0.5;
  stray->next = rb->next;
  rb->next = stray;
  EXPECT_EQ(qvdbEntMod(edited.get()), kQvNormal);
  QvRbListPtr after(qvdbEntGet(polyline.name));
  EXPECT_TRUE(sameResbufList(before.get(), after.get()));
}

}  // namespace
