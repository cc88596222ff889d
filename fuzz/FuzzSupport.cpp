#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"

FuzzHost::FuzzHost() {
  host_.service<VexaDocumentManager>().newDocument();
}

FuzzHost::~FuzzHost() {
  fuzzCheckDatabase(db(), "at the end of the input");
}

QvDbDatabase& FuzzHost::db() {
  QvDbDatabase* working = qvdbHostApplicationServices()->workingDatabase();
  if (!working) fuzzFinding("the host has no working database");
  return *working;
}

void fuzzFinding(const std::string& what, const std::string& detail) {
  std::fprintf(stderr, "\n==FINDING== %s\n%s\n", what.c_str(), detail.c_str());
  std::fflush(stderr);
  std::abort();
}

std::string fuzzNarrow(const QvString& text) {
  return qvNarrowUtf8(text.wstr());
}

void fuzzCheckDatabase(const QvDbDatabase& db, const char* when) {
  if (db.numOpenObjects() != 0)
    fuzzFinding(std::to_string(db.numOpenObjects()) + " object(s) left open " + when);
  if (db.accessViolations() != 0) {
    std::string log;
    for (const QvString& line : db.accessViolationLog()) log += fuzzNarrow(line) + "\n";
    fuzzFinding(std::to_string(db.accessViolations()) + " access violation(s) " + when, log);
  }
}
