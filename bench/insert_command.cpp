// The interactive insert command against ezdxf.
//
//   bench_insert_command [COMMANDS] [ENTITIES] [ROUNDS]   (defaults 2000, 100000, 3)
//
// 1. COMMANDS insert commands answered from a script (point, X factor, Y as X, rotation and
//    three attribute values: the placements of bench_blocks), then saving, against ezdxf
//    add_blockref + add_auto_attribs + saveas of the same list; ezdxf then reads our file and
//    checks every reference.
// 2. "BIG=FILE": a drawing file of ENTITIES lines (made by ezdxf) read into a block and
//    placed, against ezdxf readfile + Importer of its model space into a new block.
// Both sides count processor seconds from the same point, the best of ROUNDS, each round on a
// drawing of its own. For the commands, which take tens of milliseconds, the two sides take at
// least seven turns (takeTurns), warm rounds only.
// Prints the ratios; fails when a goal (20x each) is not met.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "bench/support/BenchProcess.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/io/QvDxfFile.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqInsertCommand.h"

namespace {

double valueOf(const std::string& output, const std::string& label) {
  std::istringstream in(output);
  std::string word;
  double value = 0;
  while (in >> word)
    if (word == label && (in >> value)) return value;
  return -1;
}

QvDbDatabase* workingDb() {
  return qvdbHostApplicationServices()->workingDatabase();
}

void makeTree() {
  QvDbObjectPointer<QvDbBlockTable> table(workingDb()->blockTableId(), QvDb::kForWrite);
  auto* record = new QvDbBlockTableRecord();
  record->setName(L"TREE");
  QvDbObjectId id;
  table->add(id, record);
  auto* circle = new QvDbCircle(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 1.0);
  record->appendQvDbEntity(circle);
  circle->close();
  const wchar_t* tags[3] = {L"SPECIES", L"HEIGHT", L"KIND"};
  for (int i = 0; i < 3; ++i) {
    auto* def = new QvDbAttributeDefinition();
    def->setTag(tags[i]);
    def->setTextString(L"-");
    def->setPosition(QvGePoint3d(0, -1.2 - 0.4 * i, 0));
    def->setHeight(0.3);
    record->appendQvDbEntity(def);
    def->close();
  }
  record->close();
}

// The answers of command i, as bench_blocks places its references.
std::wstring answers(int i) {
  const double x = (i % 200) * 3.0, y = (i / 200) * 3.0;
  const double rotation = (i % 36) * 10.0, scale = 0.5 + (i % 5) * 0.25;
  wchar_t text[256];
  std::swprintf(text, 256, L"TREE\n%g,%g\n%g\n\n%g\nT%d\n%d m\nK%d\n", x, y, scale, rotation, i,
                i % 17, i % 3);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int commands = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int entities = argc > 2 ? std::atoi(argv[2]) : 100000;
  const int rounds = std::max(1, argc > 3 ? std::atoi(argv[3]) : 3);
  const std::string blocksSide = std::string(TARVO_BENCH_DIR) + "/blocks_ezdxf_side.py";
  const std::string side = std::string(TARVO_BENCH_DIR) + "/insert_command_ezdxf_side.py";
  std::string folder = (std::filesystem::temp_directory_path() / "tarvo-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data())) return 2;
  bool met = true;

  const auto roundsArgument = [](int n) { return std::string(1, ' ').append(std::to_string(n)); };
  {  // 1. Insert commands answered from a script, then saving.
    const int commandRounds = shortStretchRounds(rounds);
    std::wstring script;
    for (int i = 0; i < commands; ++i) script += answers(i);
    const std::string ours = folder + "/inserted.dxf";
    const auto round = [&]() -> double {
      VexaHost host;
      host.service<VexaDocumentManager>().newDocument();
      makeTree();
      host.service<VexaInputScript>().loadString(QvString(script.c_str()));
      VexaBuildInCommandContext context;
      const double start = processSeconds();
      for (int i = 0; i < commands; ++i) {
        InsertData data;
        if (CreateInsertEnt(&context, data) != 5100) {
          std::fprintf(stderr, "insert %d failed\n", i);
          return -1;
        }
      }
      QvString message;
      if (QvDxfFile::writeFile(*workingDb(), QvString(ours.c_str()), false, message) != Vexa::eOk)
        return -1;
      return processSeconds() - start;
    };
    const std::string theirs = "/usr/bin/python3 '" + blocksSide + "' insert " +
                               std::to_string(commands) + " '" + folder + "/ez.dxf' 2";
    double here = 0, there = 0;
    if (!takeTurns(
            commandRounds, round, [&] { return valueOf(runCommand(theirs), "seconds"); }, here,
            there))
      return 2;
    const std::string check = runCommand("/usr/bin/python3 '" + blocksSide + "' check '" + ours +
                                         "' " + std::to_string(commands));
    const double ratio = there / here;
    std::printf(
        "%d insert commands (point, scale, rotation, 3 attributes) from a script, then saving, "
        "best of %d turns each: %.3f s; ezdxf %.3f s; %.1fx (goal 20x)\n  ezdxf reads our file: %s",
        commands, commandRounds, here, there, ratio, check.c_str());
    met = met && ratio >= 20.0 && check.find("mismatches 0 audit_errors 0") != std::string::npos;
  }
  {  // 2. A drawing file read into a block.
    const std::string file = folder + "/big.dxf";
    runCommand("/usr/bin/python3 '" + side + "' make " + std::to_string(entities) + " '" + file +
               "'");
    const std::wstring wide(file.begin(), file.end());
    double here = 1e30;
    int count = 0;
    for (int round = 0; round < rounds; ++round) {
      VexaHost host;
      host.service<VexaDocumentManager>().newDocument();
      host.service<VexaInputScript>().loadString(
          QvString((L"BIG=" + wide + L"\n0,0\n\n\n0\n").c_str()));
      VexaBuildInCommandContext context;
      const double start = processSeconds();
      InsertData data;
      if (CreateInsertEnt(&context, data) != 5100) return 2;
      here = std::min(here, processSeconds() - start);
      QvDbObjectPointer<QvDbBlockTable> table(workingDb()->blockTableId(), QvDb::kForRead);
      QvDbObjectId id;
      table->getAt(L"BIG", id);
      QvDbObjectPointer<QvDbBlockTableRecord> big(id, QvDb::kForRead);
      count = big.openStatus() == Vexa::eOk ? big->entityIds().length() : 0;
    }
    const std::string peer = runCommand("/usr/bin/python3 '" + side + "' import '" + file + "'" +
                                        roundsArgument(rounds));
    const double there = valueOf(peer, "seconds");
    const int theirs = static_cast<int>(valueOf(peer, "entities"));
    const double ratio = there / here;
    std::printf(
        "BIG=FILE, a drawing of %d lines read into a block and placed, best of %d: %.3f s (%d "
        "entities); ezdxf readfile + Importer %.3f s (%d entities); %.1fx (goal 20x)\n",
        entities, rounds, here, count, there, theirs, ratio);
    met = met && ratio >= 20.0 && count == entities && theirs == entities;
  }
  std::filesystem::remove_all(folder);
  std::printf("%s\n", met ? "all goals met" : "a goal was NOT met");
  return met ? 0 : 1;
}
