// The mirror preview: mirrored copies in the document's mirror line, under MIRRORDRAW.
#include <gtest/gtest.h>

#include "sdk/app/VexaDocData.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

class MirrorPreviewTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    data_ = GetVexaAppCtxActiveDocData();
    ASSERT_NE(data_, nullptr);
    source_ = appendToModelSpace(db(), new QvDbLine(QvGePoint3d(1, 0, 0), QvGePoint3d(2, 1, 0)));
  }
  void mirrorLine(const QvGePoint3d& a, const QvGePoint3d& b, uint32_t mask) {
    data_->mirrorPoint1 = a;
    data_->mirrorPoint2 = b;
    data_->mirrorMask = mask;
  }
  // The line last added to model space runs from `start` to `end`.
  ::testing::AssertionResult lastLineIs(const QvGePoint3d& start, const QvGePoint3d& end) {
    QvDbObjectPointer<QvDbLine> line(entitiesOf(db()->modelSpaceId()).last(), QvDb::kForRead);
    if (!line) return ::testing::AssertionFailure() << "the last entity is no line";
    if (auto r = pointsNear(line->startPoint(), start); !r) return r << " (start)";
    return pointsNear(line->endPoint(), end) << " (end)";
  }

  VexaDocData* data_ = nullptr;
  QvDbObjectId source_;
};

TEST_F(MirrorPreviewTest, CopiesOnlyUnderMirrorDrawAndAMatchingMask) {
  mirrorLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 1, 0), kSymmetricalLines);
  XqDbUtil::drawSymmetricalLine(source_, kSymmetricalLines);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 1) << "MIRRORDRAW is 0";

  ASSERT_EQ(setShortVar(L"MIRRORDRAW", 1), kQvNormal);
  XqDbUtil::drawSymmetricalLine(source_, kSymmetricalTexts);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 1) << "no kind in common";

  XqDbUtil::drawSymmetricalLine(source_, kSymmetricalLines);
  ASSERT_EQ(entitiesOf(db()->modelSpaceId()).length(), 2);
  EXPECT_TRUE(lastLineIs(QvGePoint3d(-1, 0, 0), QvGePoint3d(-2, 1, 0)));
}

TEST_F(MirrorPreviewTest, TheMirrorLineIsInTheUcsAndALineAlongZUsesTheFirstPoint) {
  // UCS moved to (5,3,0), axes of the world: the line x = 0 of the UCS is x = 5.
  ASSERT_EQ(qvedSetCurrentUCS(QvGeMatrix3d::translation(QvGeVector3d(5, 3, 0))), Vexa::eOk);
  mirrorLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 1, 0), kSymmetricalLines);
  XqDbUtil::drawCopyEntity(source_, kSymmetricalLines);
  EXPECT_TRUE(lastLineIs(QvGePoint3d(9, 0, 0), QvGePoint3d(8, 1, 0)));

  // A mirror line along the UCS z axis through UCS (0,2): the plane y = 5 of the world, the
  // one spanned by the line and the UCS x axis through the line's first point.
  mirrorLine(QvGePoint3d(0, 2, 0), QvGePoint3d(0, 2, 4), kSymmetricalLines);
  XqDbUtil::drawCopyEntity(source_, kSymmetricalLines);
  EXPECT_TRUE(lastLineIs(QvGePoint3d(1, 10, 0), QvGePoint3d(2, 9, 0)));

  // A mirror line of no length, and an entity that is not there, add nothing.
  const int count = entitiesOf(db()->modelSpaceId()).length();
  mirrorLine(QvGePoint3d(1, 1, 0), QvGePoint3d(1, 1, 0), kSymmetricalLines);
  XqDbUtil::drawCopyEntity(source_, kSymmetricalLines);
  mirrorLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 1, 0), kSymmetricalLines);
  XqDbUtil::drawCopyEntity(QvDbObjectId(), kSymmetricalLines);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), count);
}

TEST_F(MirrorPreviewTest, ATrackedCopyIsReplacedInPlace) {
  const auto tracked = static_cast<SymmetricalObjMask>(kSymmetricalLines | kSymmetricalTracked);
  mirrorLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 1, 0), tracked);
  XqDbUtil::drawCopyEntity(source_, tracked);
  ASSERT_EQ(entitiesOf(db()->modelSpaceId()).length(), 2);
  const QvDbObjectId copy = data_->mirrorCopyId;
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).last(), copy);

  // The mirror line moves to y = 0: the same copy now lies below.
  mirrorLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0), tracked);
  XqDbUtil::drawCopyEntity(source_, tracked);
  ASSERT_EQ(entitiesOf(db()->modelSpaceId()).length(), 2);
  EXPECT_EQ(data_->mirrorCopyId, copy);
  EXPECT_TRUE(lastLineIs(QvGePoint3d(1, 0, 0), QvGePoint3d(2, -1, 0)));

  // Once the copy is erased a new one is made and tracked.
  {
    QvDbObjectPointer<QvDbLine> old(copy, QvDb::kForWrite);
    ASSERT_TRUE(old);
    ASSERT_EQ(old->erase(), Vexa::eOk);
  }
  XqDbUtil::drawCopyEntity(source_, tracked);
  EXPECT_NE(data_->mirrorCopyId, copy);
  EXPECT_FALSE(data_->mirrorCopyId.isNull());
}

}  // namespace
