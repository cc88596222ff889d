#include <gtest/gtest.h>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

class CommandContextTest : public HostFixture {};

TEST(CommandContextNoHostTest, NoBlanksWithoutAHost) {
  EXPECT_FALSE(VexaBuildInCommandContext().isSpaceAllowedInNames());
}

TEST_F(CommandContextTest, TheContextWorksOnTheWorkingDrawingInTheCurrentUcs) {
  VexaBuildInCommandContext context;
  EXPECT_EQ(context.database(), db());
  // Blanks in names follow EXTNAMES.
  ASSERT_EQ(setShortVar(L"EXTNAMES", 1), kQvNormal);
  EXPECT_TRUE(context.isSpaceAllowedInNames());
  ASSERT_EQ(setShortVar(L"EXTNAMES", 0), kQvNormal);
  EXPECT_FALSE(context.isSpaceAllowedInNames());
  // A UCS turned 90 degrees about Z with its origin at (10, 0, 0).
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(QvGePoint3d(10, 0, 0), QvGeVector3d::kYAxis, -QvGeVector3d::kXAxis,
                     QvGeVector3d::kZAxis);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  QvGePoint3d world;
  ASSERT_EQ(context.ucsToWorld(QvGePoint3d(1, 0, 0), world), Vexa::eOk);
  EXPECT_TRUE(world.isEqualTo(QvGePoint3d(10, 1, 0)));
  QvGeMatrix3d read;
  ASSERT_EQ(context.getCurrentUcs(read), Vexa::eOk);
  EXPECT_TRUE(read.isEqualTo(ucs));

  EXPECT_TRUE(context.viewNormal().isEqualTo(QvGeVector3d::kZAxis));
  EXPECT_EQ(context.setViewNormal(QvGeVector3d(0, 0, 0)), Vexa::eInvalidInput);
  ASSERT_EQ(context.setViewNormal(QvGeVector3d(0, 0, 2)), Vexa::eOk);
  EXPECT_TRUE(context.viewNormal().isEqualTo(QvGeVector3d::kZAxis));
  context.prompt(L"\nSpecify a point: ");
  EXPECT_EQ(transcript().texts(VexaTranscriptEntry::Kind::kPrompt).back(), L"\nSpecify a point: ");
}

class PickfirstTest : public HostFixture {};

TEST_F(PickfirstTest, NotificationsWaitForTheLastResume) {
  VexaPickfirstProcessor* proc = vexaGetPickfirstProc();
  ASSERT_NE(proc, nullptr);
  const QvDbObjectId a = appendToModelSpace(db(), new QvDbLine());
  const QvDbObjectId b = appendToModelSpace(db(), new QvDbLine());
  QvDbObjectIdArray both;
  both.append(a);
  both.append(b);
  proc->setPickfirst(both);

  proc->suspendPickfirstMNotify();
  proc->suspendPickfirstMNotify();
  ASSERT_EQ(eraseObject(a), Vexa::eOk);
  proc->notifyModified(both);
  EXPECT_EQ(proc->queuedNotifications(), 1);
  proc->resumePickfirstMNotify();
  EXPECT_EQ(proc->getPickfirst().length(), 2);  // still suspended once
  proc->resumePickfirstMNotify();
  EXPECT_EQ(proc->queuedNotifications(), 0);
  ASSERT_EQ(proc->getPickfirst().length(), 1);
  EXPECT_EQ(proc->getPickfirst()[0], b);
  // A resume too many is ignored and does not make the count negative.
  proc->resumePickfirstMNotify();
  EXPECT_EQ(proc->suspendCount(), 0);
  proc->notifyModified(both);
  EXPECT_EQ(proc->appliedNotifications(), 2);
}

}  // namespace
