// The join request record: deep copies, assignment to itself.
#include <gtest/gtest.h>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/JoinCmdData.h"

namespace {

// Ids of lines of a drawing, to fill the record with.
class JoinCmdDataTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    for (int i = 0; i < 8; ++i)
      lines_.push_back(appendEntity(db()->modelSpaceId(),
                                    new QvDbLine(QvGePoint3d(i, 0, 0), QvGePoint3d(i, 1, 0))));
  }
  QvDbObjectId id(int i) const { return lines_[static_cast<size_t>(i)]; }
  QvArray<QvDbObjectId> idsOf(std::initializer_list<int> which) const {
    QvArray<QvDbObjectId> ids;
    for (const int i : which) ids.append(id(i));
    return ids;
  }

 private:
  std::vector<QvDbObjectId> lines_;
};

TEST_F(JoinCmdDataTest, CopiesAreDeepAndSelfAssignmentKeepsEverything) {
  JoinCmdData data;
  data.setData(id(5), idsOf({1, 2, 3}));
  data.secondIds() = idsOf({4});
  data.setEntityType(JoinCmdData::kArcEntity);
  data.setMultipleJoin(true);
  data.setJoinType(JoinCmdData::kExtend);
  data.setJoinFuzzy(0.25);

  JoinCmdData copy(data);
  JoinCmdData assigned;
  assigned = data;
  // Changing the original afterwards leaves both copies as they were.
  data.setData(id(6), idsOf({7}));
  data.secondIds().append(id(0));
  for (const JoinCmdData* c : {&copy, &assigned}) {
    QvDbObjectId source;
    QvArray<QvDbObjectId> ids;
    c->getData(source, ids);
    EXPECT_EQ(source, id(5));
    EXPECT_EQ(ids, idsOf({1, 2, 3}));
    EXPECT_EQ(c->secondIds(), idsOf({4}));
    JoinCmdData::JEntityType type{};
    c->getEntityType(type);
    EXPECT_EQ(type, JoinCmdData::kArcEntity);
    EXPECT_TRUE(c->multipleJoin());
    EXPECT_EQ(c->getJoinType(), JoinCmdData::kExtend);
    EXPECT_EQ(c->getJoinFuzzy(), 0.25);
  }
  // A copy handed out is the caller's own.
  QvDbObjectId source;
  QvArray<QvDbObjectId> ids;
  copy.getData(source, ids);
  ids.append(id(0));
  copy.getData(source, ids);
  EXPECT_EQ(ids.length(), 3);

  JoinCmdData& same = copy;
  copy = same;
  copy.getData(source, ids);
  EXPECT_EQ(ids, idsOf({1, 2, 3}));
  EXPECT_EQ(copy.secondIds(), idsOf({4}));
  // setData with the source only keeps the ids.
  copy.setData(id(0));
  copy.getData(source, ids);
  EXPECT_EQ(source, id(0));
  EXPECT_EQ(ids.length(), 3);
}

}  // namespace
