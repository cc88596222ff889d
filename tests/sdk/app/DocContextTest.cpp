// The active document's context, data and graphics, and the notifications after block
// redefinitions.
#include <gtest/gtest.h>

#include "sdk/app/VexaBlockNotifications.h"
#include "sdk/app/VexaDocContext.h"
#include "sdk/app/VexaDocData.h"
#include "sdk/app/VexaDocument.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/app/vexaCurDocument.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/VexaInputScript.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

class DocContextTest : public HostFixture {};

TEST_F(DocContextTest, TheOopsListHoldsEachObjectOnce) {
  VexaDocContext* doc = GetVexaAppCtxActiveDocContext();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->database(), db());
  const QvDbObjectId a = addLayer(db(), L"A");
  const QvDbObjectId b = addLayer(db(), L"B");
  const QvDbObjectId c = addLayer(db(), L"C");
  doc->appendOopsEntity(a);
  doc->appendOopsEntity(b);
  doc->appendOopsEntity(a);
  doc->appendOopsEntity(QvDbObjectId());
  EXPECT_EQ(doc->oopsEnts(), QvDbObjectIdArray({a, b}));
  // Appending after a read still lists each once, in the order first appended.
  doc->appendOopsEntity(b);
  doc->appendOopsEntity(c);
  doc->appendOopsEntity(a);
  EXPECT_EQ(doc->oopsEnts(), QvDbObjectIdArray({a, b, c}));
  doc->clearOopsEnts();
  EXPECT_TRUE(doc->oopsEnts().isEmpty());
}

TEST_F(DocContextTest, CommandContextsInsideAndOutsideCommands) {
  VexaDocContext* doc = GetVexaAppCtxActiveDocContext();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->commandContext(), nullptr);
  ASSERT_NE(doc->dummyCommandContext(), nullptr);
  IVexaBuildInCommandContext* seen = nullptr;
  IVexaBuildInCommandContext* given = nullptr;
  host().service<VexaCommandStack>().addCommand(L"TEST", L"PEEK",
                                                [&](IVexaBuildInCommandContext& context) {
                                                  given = &context;
                                                  seen = doc->commandContext();
                                                  return 5100;
                                                });
  run(L"PEEK\n");
  EXPECT_NE(given, nullptr);
  EXPECT_EQ(seen, given);
  EXPECT_EQ(doc->commandContext(), nullptr);
  // Typed-ahead text is input no question has read yet.
  EXPECT_FALSE(doc->hasUnhandledInput());
  inputScript().pushFront(L"12");
  EXPECT_TRUE(doc->hasUnhandledInput());
}

TEST_F(DocContextTest, RedefinitionNotificationsReachTheLogUndoAndScreen) {
  EXPECT_EQ(GetVexaAppCtxActiveDocData(), vexaCurDocument()->docData());
  const QvDbObjectId door = addBlock(db(), L"Door");
  QvDbObjectIdArray ids;
  ids.append(door);
  VexaUndoController* undo = vexaCurDocument()->undoController();
  ModifiedBlockNotifyUndoSetting(ids, nullptr);
  EXPECT_EQ(undo->dbModifiedType(), VexaUndoController::kNotDeclared);
  ModifiedBlockNotifyUndoSetting(ids, undo);
  EXPECT_EQ(undo->dbModifiedType(), kBlocksModified);

  EXPECT_EQ(vexaUpdateBlockDefinition(QvDbObjectId()), Vexa::eNullObjectId);
  EXPECT_TRUE(GetActiveGraphics()->calls().empty());
  ASSERT_EQ(vexaUpdateBlockDefinition(door), Vexa::eOk);
  const auto& calls = GetActiveGraphics()->calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, VexaGraphics::Call::Kind::kInvalidate);
  EXPECT_TRUE(calls[1].wholeScreen);
  const QvDbBlockUpdateLog* log = QvDbBlockUpdateLog::current();
  EXPECT_EQ(log->count(QvDbBlockUpdateLog::Entry::Kind::kNotifyUndo), 2);
  EXPECT_EQ(log->count(QvDbBlockUpdateLog::Entry::Kind::kUpdateDefinition), 1);
}

TEST(DocContextNoHostTest, NothingWithoutAHost) {
  EXPECT_EQ(GetVexaAppCtxActiveDocContext(), nullptr);
  EXPECT_EQ(GetVexaAppCtxActiveDocData(), nullptr);
  EXPECT_EQ(GetActiveGraphics(), nullptr);
}

}  // namespace
