#include "tests/sdk/io/DxfTestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/support/DbChecks.h"
#include "tests/support/TestPaths.h"

std::string dxfText(QvDbDatabase& db) {
  std::string text;
  QvString message;
  const Vexa::ErrorStatus es = QvDxfFile::writeText(db, text, message);
  EXPECT_EQ(Vexa::eOk, es) << message;
  return text;
}

std::unique_ptr<QvDbDatabase> readDxf(const std::string& text) {
  QvDxfReadResult result;
  std::unique_ptr<QvDbDatabase> db = readDxf(text, result);
  EXPECT_TRUE(db) << result.message();
  return db;
}

std::unique_ptr<QvDbDatabase> readDxf(const std::string& text, QvDxfReadResult& result) {
  auto db = std::make_unique<QvDbDatabase>(false);
  result = QvDxfFile::readText(text, *db);
  if (!result.ok()) return nullptr;
  return db;
}

::testing::AssertionResult refusedAt(const std::string& text, QvDxfDiagnostic::Code code,
                                     uint32_t line) {
  QvDxfReadResult result;
  if (readDxf(text, result)) return ::testing::AssertionFailure() << "the text was read";
  const QvDxfDiagnostic* refusal = result.refusal();
  if (!refusal || result.status != Vexa::eBadDxfFile)
    return ::testing::AssertionFailure() << "no refusal: " << result.message();
  if (refusal->code != code || refusal->line == 0 || (line != 0 && refusal->line != line))
    return ::testing::AssertionFailure()
           << "refused with code " << static_cast<int>(refusal->code) << " at line "
           << refusal->line << ": " << result.message();
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult readsBackAlike(const std::string& text) {
  QvDxfReadResult result;
  const std::unique_ptr<QvDbDatabase> read = readDxf(text, result);
  if (!read) return ::testing::AssertionFailure() << "refused: " << result.message();
  if (dxfText(*read) != text) return ::testing::AssertionFailure() << "written differently";
  return ::testing::AssertionSuccess();
}

std::vector<QvDxfDiagnostic::Code> codesOf(const QvDxfReadResult& result) {
  std::vector<QvDxfDiagnostic::Code> codes;
  for (const QvDxfDiagnostic& d : result.diagnostics) codes.push_back(d.code);
  return codes;
}

uint32_t lineOf(const std::string& text, const std::string& line) {
  std::istringstream in(text);
  std::string read;
  for (uint32_t n = 1; std::getline(in, read); ++n) {
    if (!read.empty() && read.back() == '\r') read.pop_back();
    if (read == line) return n;
  }
  return 0;
}

DxfGroups groupsOf(const std::string& text) {
  DxfGroups groups;
  std::istringstream in(text);
  std::string code;
  std::string value;
  while (std::getline(in, code) && std::getline(in, value)) {
    if (!value.empty() && value.back() == '\r') value.pop_back();
    groups.emplace_back(std::stoi(code), value);
  }
  return groups;
}

DxfGroups recordOf(const DxfGroups& groups, const std::string& handle) {
  for (size_t i = 0; i < groups.size(); ++i) {
    if (groups[i].first != 0) continue;
    size_t end = i + 1;
    while (end < groups.size() && groups[end].first != 0) ++end;
    for (size_t k = i + 1; k < end; ++k) {
      if (groups[k].first == 100 || groups[k].first == 330) break;
      if ((groups[k].first == 5 || groups[k].first == 105) && groups[k].second == handle)
        return DxfGroups(groups.begin() + static_cast<std::ptrdiff_t>(i),
                         groups.begin() + static_cast<std::ptrdiff_t>(end));
    }
  }
  return {};
}

std::vector<std::string> valuesOf(const DxfGroups& groups, int code) {
  std::vector<std::string> values;
  for (const auto& [c, v] : groups)
    if (c == code) values.push_back(v);
  return values;
}

std::string dxfDataPath(const std::string& name) {
  return testDataDir() + "/dxf/" + name;
}

PythonRun runPython(const std::vector<std::string>& args) {
  std::string command = "/usr/bin/python3";
  for (const std::string& arg : args) {
    command += " '";
    for (const char c : arg) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += "'";
  }
  command += " 2>&1";
  PythonRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.output.append(buffer.data(), n);
  const int rc = ::pclose(pipe);
  run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return run;
}

bool hasEzdxf() {
  return runPython({"-c", "import ezdxf"}).status == 0;
}

QvDbObjectId idOfHandle(QvDbDatabase& db, const std::string& handle) {
  QvDbHandle h;
  QvDbObjectId id;
  if (!QvDbHandle::fromAscii(QvString(handle.c_str()), h)) return id;
  if (db.getQvDbObjectId(id, false, h) != Vexa::eOk || !id.objectClass()) id.setNull();
  return id;
}

std::string handleOf(QvDbObjectId id) {
  return id.handle().ascii().utf8();
}

QvDbObjectId sameHandleIn(QvDbDatabase& db, QvDbObjectId id) {
  return idOfHandle(db, handleOf(id));
}

::testing::AssertionResult EzdxfProbe::agrees(QvDbDatabase& db, const std::string& file,
                                              const TempFolder& folder) const {
  const std::string expected = folder.file("expected.json", describe(db));
  const PythonRun run = runPython({script, "check", file, expected});
  if (run.status == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "ezdxf on " << file << " (exit " << run.status << "):\n"
                                       << run.output;
}

EzdxfMade EzdxfProbe::readMade(const TempFolder& folder,
                               const std::vector<std::string>& args) const {
  EzdxfMade made;
  const std::string path = folder.path("made by ezdxf.dxf");
  std::vector<std::string> command = {script, "make"};
  command.insert(command.end(), args.begin(), args.end());
  command.push_back(path);
  const PythonRun run = runPython(command);
  EXPECT_EQ(0, run.status) << run.output;
  made.made = readTextFile(path);
  QvDxfReadResult result;
  made.db = readDxf(made.made, result);
  EXPECT_TRUE(made.db) << result.message();
  if (!made.db) return made;
  EXPECT_TRUE(agrees(*made.db, path, folder));
  made.written = dxfText(*made.db);
  EXPECT_TRUE(agrees(*made.db, folder.file("written here.dxf", made.written), folder));
  EXPECT_TRUE(nothingLeftOpen(made.db.get()));
  return made;
}

std::unique_ptr<QvDbDatabase> EzdxfProbe::roundTrip(QvDbDatabase& db,
                                                    const TempFolder& folder) const {
  const std::string text = dxfText(db);
  if (hasEzdxf()) {
    EXPECT_TRUE(agrees(db, folder.file("ours.dxf", text), folder));
  }
  QvDxfReadResult result;
  std::unique_ptr<QvDbDatabase> again = readDxf(text, result);
  EXPECT_TRUE(again) << result.message();
  if (!again) return again;
  if (measures)
    EXPECT_TRUE(sameDescription(describe(*again), describe(db)));
  else
    EXPECT_EQ(describe(*again), describe(db));
  EXPECT_EQ(dxfText(*again), text);
  EXPECT_TRUE(nothingLeftOpen(again.get()));
  return again;
}
