#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/TempFolder.h"

class QvDbDatabase;

// Steps the DXF tests share.

// The database as DXF text (the test fails when writing fails).
std::string dxfText(QvDbDatabase& db);
// DXF text read into a new database; null when refused, with the status and message.
std::unique_ptr<QvDbDatabase> readDxf(const std::string& text, Vexa::ErrorStatus* status = nullptr,
                                      QvString* message = nullptr);
// The same with what the read found (the repairs, or the refusal).
std::unique_ptr<QvDbDatabase> readDxf(const std::string& text, QvDxfReadResult& result);
// The codes of a read's findings, in order.
std::vector<QvDxfDiagnostic::Code> codesOf(const QvDxfReadResult& result);
// The line of text (from 1) of the first line that is `line` (without its line end); 0 for none.
uint32_t lineOf(const std::string& text, const std::string& line);

// The groups of DXF text, in order, as (code, value); the value without its line end.
using DxfGroups = std::vector<std::pair<int, std::string>>;
DxfGroups groupsOf(const std::string& text);
// The groups of the record (from its "0 NAME" to the next group 0) whose handle (5 or 105) is
// `handle`; empty when there is none.
DxfGroups recordOf(const DxfGroups& groups, const std::string& handle);
// Every value of a code, in order.
std::vector<std::string> valuesOf(const DxfGroups& groups, int code);

// The DXF test data folder (tests/data/dxf) and a path in it.
std::string dxfDataPath(const std::string& name);

// Runs /usr/bin/python3 with arguments; the exit status and what it wrote.
struct PythonRun {
  int status = -1;
  std::string output;  // standard output and error together
};
PythonRun runPython(const std::vector<std::string>& args);
bool hasEzdxf();

// Writes text to a file and reads a file whole.
void writeFile(const std::string& path, const std::string& text);

// Writes `description` (what ezdxf should see, as JSON) to `expectedJson` and has the probe
// script check the drawing `file` against it.
::testing::AssertionResult ezdxfProbeAgrees(const std::string& probe, const std::string& file,
                                            const std::string& expectedJson,
                                            const std::string& description);
std::string readFile(const std::string& path);

// The id of the object of a handle ("1F") in a database, or null.
QvDbObjectId idOfHandle(QvDbDatabase& db, const std::string& handle);
