#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "host/TarvoModuleSession.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "tests/support/HostFixture.h"

// A fresh host with the module and the command module loaded, as `tarvo` loads them, for
// tests that run the module's commands from a script and look at the drawing they leave.
class CommandModuleFixture : public HostFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The command line so far, as it shows it.
  std::string transcript() const;
  // Whether the transcript so far holds each of `parts`; the message shows the transcript.
  ::testing::AssertionResult contains(std::initializer_list<std::string> parts) const;
  ::testing::AssertionResult contains(const std::string& part) const { return contains({part}); }
  // The live entities of model space, in order.
  std::vector<QvDbObjectId> modelSpace() const;
  // The block definition of that name; null when the drawing has none.
  QvDbObjectId blockNamed(const wchar_t* name) const;

 private:
  std::optional<TarvoModuleSession> modules_;
};
