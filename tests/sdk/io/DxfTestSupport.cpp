#include "tests/sdk/io/DxfTestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/TestPaths.h"

std::string dxfText(QvDbDatabase& db) {
  std::string text;
  QvString message;
  const Vexa::ErrorStatus es = QvDxfFile::writeText(db, text, message);
  EXPECT_EQ(Vexa::eOk, es) << message;
  return text;
}

std::unique_ptr<QvDbDatabase> readDxf(const std::string& text, Vexa::ErrorStatus* status,
                                      QvString* message) {
  QvDxfReadResult result;
  std::unique_ptr<QvDbDatabase> db = readDxf(text, result);
  if (status) *status = result.status;
  if (message) *message = result.message();
  return db;
}

std::unique_ptr<QvDbDatabase> readDxf(const std::string& text, QvDxfReadResult& result) {
  auto db = std::make_unique<QvDbDatabase>(false);
  result = QvDxfFile::readText(text, *db);
  if (!result.ok()) return nullptr;
  return db;
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

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  ASSERT_TRUE(out.good()) << path;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

QvDbObjectId idOfHandle(QvDbDatabase& db, const std::string& handle) {
  QvDbHandle h;
  QvDbObjectId id;
  if (!QvDbHandle::fromAscii(QvString(handle.c_str()), h)) return id;
  if (db.getQvDbObjectId(id, false, h) != Vexa::eOk || !id.objectClass()) id.setNull();
  return id;
}

::testing::AssertionResult ezdxfProbeAgrees(const std::string& probe, const std::string& file,
                                            const std::string& expectedJson,
                                            const std::string& description) {
  writeFile(expectedJson, description);
  const PythonRun run = runPython({probe, "check", file, expectedJson});
  if (run.status == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "ezdxf on " << file << " (exit " << run.status << "):\n"
                                       << run.output;
}
