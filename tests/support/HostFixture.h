#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaCommandRunner.h"
#include "sdk/ed/VexaTranscript.h"

class QvDbDatabase;
class QvString;
class VexaDocumentManager;
class VexaInputScript;
class VexaSysVarService;

// A fresh host for each test: every piece of host state (transcript, input script, system
// variables, documents) starts new and is torn down after the test. The host has one document,
// a new drawing, whose database is the working database. At the end of each test every open
// document's database must hold no open object and have seen no access violation.
//
// Tests drive the host as a user would: they load the input script that answers its
// questions, then read what it wrote to the transcript and the system variables it keeps.
class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  VexaHost& host() { return *host_; }
  // The working database (the current document's).
  QvDbDatabase* db() const;

  // Replaces the input script with the lines of `text`.
  void script(const QvString& text);
  // Runs a script of commands from the start of a new transcript.
  VexaCommandRunner::Summary run(const QvString& commands);
  VexaInputScript& inputScript();
  VexaTranscript& transcript();
  VexaDocumentManager& documents();
  VexaSysVarService& vars();
  // The transcript's messages, and all its entries as (kind, text).
  std::vector<std::wstring> messages();
  std::vector<std::pair<VexaTranscriptEntry::Kind, std::wstring>> entries();

  // A 16-bit variable read through the classic interface (the test fails when it does not
  // read as one), and written through it: the classic status.
  static int16_t shortVar(const wchar_t* name);
  static int setShortVar(const wchar_t* name, int value);

 private:
  std::unique_ptr<VexaHost> host_;
};
