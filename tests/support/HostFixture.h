#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "sdk/app/VexaHost.h"

// A fresh host for each test: every piece of host state (transcript, input script, system
// variables, documents) starts new and is torn down after the test.
class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  VexaHost& host() { return *host_; }

 private:
  std::unique_ptr<VexaHost> host_;
};
