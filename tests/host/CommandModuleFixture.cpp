#include "tests/host/CommandModuleFixture.h"

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaTranscript.h"

void CommandModuleFixture::SetUp() {
  HostFixture::SetUp();
  modules_.emplace();
  ASSERT_TRUE(modules_->load(TarvoModuleSession::defaultModules())) << modules_->error().utf8();
}

void CommandModuleFixture::TearDown() {
  modules_.reset();
  HostFixture::TearDown();
}

std::string CommandModuleFixture::transcript() const {
  return const_cast<CommandModuleFixture*>(this)->host().service<VexaTranscript>().text().utf8();
}

::testing::AssertionResult CommandModuleFixture::contains(
    std::initializer_list<std::string> parts) const {
  const std::string text = transcript();
  std::string missing;
  for (const std::string& part : parts)
    if (text.find(part) == std::string::npos) missing += "\"" + part + "\" ";
  if (missing.empty()) return ::testing::AssertionSuccess() << "the transcript:\n" << text;
  return ::testing::AssertionFailure() << "missing " << missing << "in the transcript:\n" << text;
}

std::vector<QvDbObjectId> CommandModuleFixture::modelSpace() const {
  QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForRead);
  std::vector<QvDbObjectId> ids;
  if (space.openStatus() != Vexa::eOk) return ids;
  const QvDbObjectIdArray entities = space->entityIds();
  for (int i = 0; i < entities.length(); ++i) ids.push_back(entities[i]);
  return ids;
}

QvDbObjectId CommandModuleFixture::blockNamed(const wchar_t* name) const {
  QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
  QvDbObjectId id;
  if (table.openStatus() == Vexa::eOk) table->getAt(name, id);
  return id;
}
