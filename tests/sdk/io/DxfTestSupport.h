#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SymbolRecords.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"

// Steps the DXF tests share.

// The database as DXF text (the test fails when writing fails).
std::string dxfText(QvDbDatabase& db);
// DXF text read into a new database; null when refused (the test then fails with the message).
std::unique_ptr<QvDbDatabase> readDxf(const std::string& text);
// The same with what the read found (the repairs, or the refusal).
std::unique_ptr<QvDbDatabase> readDxf(const std::string& text, QvDxfReadResult& result);
// Success when `text` is refused as a bad file with `code` at `line` (at some line when 0).
::testing::AssertionResult refusedAt(const std::string& text, QvDxfDiagnostic::Code code,
                                     uint32_t line = 0);
// Success when `text` reads and the drawing read writes the same text again.
::testing::AssertionResult readsBackAlike(const std::string& text);
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

// A drawing ezdxf made, read here.
struct EzdxfMade {
  std::unique_ptr<QvDbDatabase> db;  // null when it was not made or read (the test has failed)
  std::string made;                  // the file ezdxf wrote
  std::string written;               // the file written here from what was read
};

// A script of tests/data/dxf that has ezdxf, an independent DXF library, make drawings and check
// one against a JSON description, and the function that describes a database that way.
struct EzdxfProbe {
  std::string script;
  std::string (*describe)(QvDbDatabase& db);
  // The description holds measures that a drawing read back may give in other last digits.
  bool measures = false;

  // Success when ezdxf sees in `file` what `describe` sees in `db`.
  ::testing::AssertionResult agrees(QvDbDatabase& db, const std::string& file,
                                    const TempFolder& folder) const;
  // Has the script make a drawing ("make", `args`, the file) and reads it here: ezdxf agrees on
  // its own file and on the file written from what was read.
  EzdxfMade readMade(const TempFolder& folder, const std::vector<std::string>& args = {}) const;
  // Writes `db` (ezdxf agrees when it is installed) and reads it back: the drawing read
  // describes itself alike (measures within 1e-9) and writes the same text. Null when not read.
  std::unique_ptr<QvDbDatabase> roundTrip(QvDbDatabase& db, const TempFolder& folder) const;
};

// The id of the object of a handle ("1F") in a database, or null.
QvDbObjectId idOfHandle(QvDbDatabase& db, const std::string& handle);
// The handle of an object as text ("1F").
std::string handleOf(QvDbObjectId id);
// The id of the object of `db` with the handle of `id` (of another database), or null.
QvDbObjectId sameHandleIn(QvDbDatabase& db, QvDbObjectId id);

// A fresh host, and a folder of its own for the files a test writes.
class DxfFolderTest : public HostFixture {
 protected:
  TempFolder folder_;
};

// Calls `visit` with each record of the symbol table `tableId` in order, open for read.
template <class Record, class Visit>
void forEachRecord(QvDbObjectId tableId, Visit visit) {
  QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
  QvDbSymbolTableIterator* raw = nullptr;
  if (!table || table->newIterator(raw) != Vexa::eOk) return;
  std::unique_ptr<QvDbSymbolTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getRecordId(id);
    QvDbObjectPointer<Record> record(id, QvDb::kForRead);
    if (record) visit(*record);
  }
}

// The id of the layer of that name; null when there is none.
inline QvDbObjectId layerNamed(QvDbDatabase* db, const wchar_t* name) {
  return recordNamed(db->layerTableId(), name);
}
