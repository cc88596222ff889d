// An entity given its own data list back through qvdbEntMod stays as it was (fuzzing found
// block references, leaders and light polylines that grew groups or vertices each time), and a
// refused list leaves it as it was. The drawing is tests/data/fuzz/entity_data/own_lists.dxf.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TestPaths.h"

namespace {

// A list in words, one record a line, to compare and to show.
std::string describe(const resbuf* list) {
  std::string out;
  for (; list; list = list->next) {
    out += std::to_string(list->type) + " ";
    switch (qvRbValueKind(list->type)) {
      case QvRbKind::kReal:
        out += std::to_string(list->value.real);
        break;
      case QvRbKind::kPoint:
        for (double c : list->value.point) out += std::to_string(c) + ",";
        break;
      case QvRbKind::kShort:
        out += std::to_string(list->value.int16);
        break;
      case QvRbKind::kLong:
        out += std::to_string(list->value.int32);
        break;
      case QvRbKind::kString:
        out += qvNarrowUtf8(list->value.string ? list->value.string : L"");
        break;
      case QvRbKind::kName:
        out += std::to_string(list->value.name[0]);
        break;
      default:
        break;
    }
    out += "\n";
  }
  return out;
}

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
    EXPECT_EQ(describe(before.get()), describe(after.get())) << e.type;
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
  EXPECT_EQ(describe(before.get()), describe(after.get()));
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
  EXPECT_EQ(describe(before.get()), describe(after.get()));
}

}  // namespace
