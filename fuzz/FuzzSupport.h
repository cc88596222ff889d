#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

class QvDbDatabase;

// What the fuzz targets share: a running host, and the checks whose failure is a finding.

// A fresh host with one new drawing, the working database, for one input: no state of an
// earlier input reaches the next.
class FuzzHost {
 public:
  FuzzHost();
  FuzzHost(const FuzzHost&) = delete;
  FuzzHost& operator=(const FuzzHost&) = delete;
  ~FuzzHost();

  VexaHost& host() { return host_; }
  // The working database.
  QvDbDatabase& db();

 private:
  VexaHost host_;
};

// Reports a finding on standard error and aborts, which libFuzzer records as a crash with the
// input that caused it.
[[noreturn]] void fuzzFinding(const std::string& what, const std::string& detail = {});
std::string fuzzNarrow(const QvString& text);

// Aborts with a finding when a call left an object of `db` open or an access was refused.
void fuzzCheckDatabase(const QvDbDatabase& db, const char* when);
