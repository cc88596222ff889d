#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "sdk/base/VexaHost.h"

class QvDbDatabase;

// A fresh host for each test: every piece of host state (transcript, input script, system
// variables, documents) starts new and is torn down after the test. The host has one document,
// a new drawing, whose database is the working database. At the end of each test every open
// document's database must hold no open object and have seen no access violation.
class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  VexaHost& host() { return *host_; }
  // The working database (the current document's).
  QvDbDatabase* db() const;

 private:
  std::unique_ptr<VexaHost> host_;
};
