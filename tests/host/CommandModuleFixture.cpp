#include "tests/host/CommandModuleFixture.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/VexaTranscript.h"
#include "tests/support/DbSetup.h"
#include "tests/support/SymbolRecords.h"

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
  const QvDbObjectIdArray entities = entitiesOf(db()->modelSpaceId());
  return std::vector<QvDbObjectId>(entities.begin(), entities.end());
}

QvDbObjectId CommandModuleFixture::blockNamed(const wchar_t* name) const {
  return recordNamed(db()->blockTableId(), name);
}
