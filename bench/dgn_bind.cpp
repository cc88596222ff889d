// Binding a DGN underlay with REFERENCES underlays of a file of 50,000 elements
// (tests/data/underlay/make_dgns.py big): the time split into the conversion (loading the
// definition), the temporary drawing's save, the attach, the bind and the added references,
// and the whole bind without the conversion against a plain insert of the same contents as a
// block (QvDbDatabase::insert of the converted drawing in memory). For comparison it prints an
// insert of the contents read from a drawing file, and the attach that reads the temporary
// drawing back instead of taking the contents from memory.
//
//   bench_dgn_bind [REFERENCES [ROUNDS]]   (default 100 and 5)
//
// Processor seconds of this process, the best of ROUNDS for the bind and the inserts. Fails when
// the bind takes 3x the insert from memory or more.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/BenchProcess.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/app/VexaSessionTempFolder.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ed/qvedXref.h"
#include "xqcmdutil/XqDgnBind.h"

namespace {

QvDbDatabase* workingDb() {
  return qvdbHostApplicationServices()->workingDatabase();
}

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "failed: %s\n", what);
    std::exit(2);
  }
}

// A DGN definition of `file` with `count` underlays in model space; its id.
QvDbObjectId underlays(const std::string& file, int count) {
  auto* def = new QvDbDgnDefinition();
  def->setSourceFileName(QvString(file.c_str()).c_str());
  QvDbObjectId defId;
  check(QvDbUnderlayDefinition::addToDatabase(workingDb(), L"big", def, defId) == Vexa::eOk,
        "definition");
  QvDbObjectPointer<QvDbBlockTableRecord> space(workingDb()->modelSpaceId(), QvDb::kForWrite);
  for (int i = 0; i < count; ++i) {
    auto* ref = new QvDbDgnReference();
    ref->setDefinitionId(defId);
    ref->setPosition(QvGePoint3d(1100.0 * (i % 10), 900.0 * (i / 10), 0));
    ref->setRotation(0.01 * i);
    check(space->appendQvDbEntity(ref) == Vexa::eOk, "underlay");
    ref->close();
  }
  return defId;
}

double load(QvDbObjectId defId) {
  QvDbObjectPointer<QvDbDgnDefinition> def(defId, QvDb::kForWrite);
  const double start = processSeconds();
  check(def->load() == Vexa::eOk, "load");
  return processSeconds() - start;
}

constexpr double kNone = 1e300;

QvDbObjectId blockNamed(const wchar_t* name) {
  QvDbObjectPointer<QvDbBlockTable> table(workingDb()->blockTableId(), QvDb::kForRead);
  QvDbObjectId id;
  if (table) table->getAt(name, id);
  return id;
}

int entitiesOf(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  return block ? block->entityIds().length() : -1;
}

QvDbDatabase* contentsOf(QvDbObjectId defId) {
  QvDbObjectPointer<QvDbDgnDefinition> def(defId, QvDb::kForRead);
  return def->getUnderlayItem()->database();
}

}  // namespace

int main(int argc, char** argv) {
  const int references = argc > 1 ? std::atoi(argv[1]) : 100;
  const int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 5);
  const std::string folder = std::filesystem::temp_directory_path() / "bench_dgn_bind";
  std::filesystem::create_directories(folder);
  runCommand("/usr/bin/python3 '" TARVO_BENCH_DIR "/../tests/data/underlay/make_dgns.py' '" +
             folder + "' big");
  const std::string file = folder + "/big.dgn";
  const std::string saved = folder + "/contents.dxf";

  double convert = kNone, whole = kNone, insert = kNone, fromFile = kNone;
  double save = 0, attach = 0, attachRead = 0, bind = 0, added = 0;
  for (int round = 0; round < rounds; ++round) {
    // The whole bind.
    VexaHost host;
    host.service<VexaDocumentManager>().newDocument();
    const QvDbObjectId defId = underlays(file, references);
    convert = std::min(convert, load(defId));
    bool kept = true;
    double start = processSeconds();
    check(doDgnBind(defId, L"BOUND", kept, false) && !kept, "doDgnBind");
    whole = std::min(whole, processSeconds() - start);
    check(entitiesOf(blockNamed(L"BOUND")) == 50000, "the bound block's 50000 entities");

    // A plain insert of the same contents, in a new document.
    const QvDbObjectId again = underlays(file, 1);
    load(again);
    QvDbDatabase* contents = contentsOf(again);
    host.service<VexaDocumentManager>().newDocument();
    QvDbObjectId blockId;
    start = processSeconds();
    check(workingDb()->insert(blockId, L"PLAIN", contents) == Vexa::eOk, "insert");
    insert = std::min(insert, processSeconds() - start);
    check(entitiesOf(blockId) == 50000, "the inserted block's 50000 entities");

    // The same from a drawing file.
    check(contents->saveAs(QvString(saved.c_str()).c_str(), false) == Vexa::eOk, "save");
    start = processSeconds();
    {
      QvDbDatabase side(false, true);
      check(side.readDwgFile(QvString(saved.c_str()).c_str()) == Vexa::eOk, "read");
      check(workingDb()->insert(blockId, L"FROMFILE", &side) == Vexa::eOk, "insert");
    }
    fromFile = std::min(fromFile, processSeconds() - start);
    check(entitiesOf(blockId) == 50000, "the block's 50000 entities from the file");
  }
  {
    // The bind's steps one by one.
    VexaHost host;
    host.service<VexaDocumentManager>().newDocument();
    const QvDbObjectId defId = underlays(file, references);
    load(defId);
    QvDbDatabase* contents = contentsOf(defId);
    const QvString temp =
        host.service<VexaSessionTempFolder>().reserve(L"TarvoTempDgnXref", L".dwg");
    double start = processSeconds();
    check(contents->saveAs(temp.c_str(), false) == Vexa::eOk, "save");
    save = processSeconds() - start;
    QvDbObjectId blockId;
    start = processSeconds();
    check(qvedXrefAttachSaved(contents, L"BOUND", &blockId) == Vexa::eOk, "attach");
    attach = processSeconds() - start;
    start = processSeconds();
    check(qvedXrefBind(L"BOUND") == Vexa::eOk, "bind");
    bind = processSeconds() - start;
    start = processSeconds();
    {
      QvDbObjectPointer<QvDbBlockTableRecord> space(workingDb()->modelSpaceId(), QvDb::kForWrite);
      for (int i = 1; i < references; ++i) {
        auto* ref =
            new QvDbBlockReference(QvGePoint3d(1100.0 * (i % 10), 900.0 * (i / 10), 0), blockId);
        check(space->appendQvDbEntity(ref) == Vexa::eOk, "reference");
        ref->close();
      }
    }
    added = processSeconds() - start;
    check(entitiesOf(blockId) == 50000, "the bound block's 50000 entities");
    // The attach that reads the file back.
    start = processSeconds();
    check(qvedXrefAttach(temp.c_str(), L"READ", &blockId) == Vexa::eOk, "attach from the file");
    attachRead = processSeconds() - start;
    check(entitiesOf(blockId) == 50000, "the attached block's 50000 entities");
  }
  std::filesystem::remove_all(folder);

  std::printf("DGN bind, %d underlays of 50000 elements (processor seconds, best of %d)\n",
              references, rounds);
  std::printf("  conversion (load)          %8.4f\n", convert);
  std::printf("  bind without conversion    %8.4f\n", whole);
  std::printf("    save of the drawing      %8.4f\n", save);
  std::printf("    attach (from memory)     %8.4f\n", attach);
  std::printf("    bind                     %8.4f\n", bind);
  std::printf("    %d added references      %8.4f\n", references - 1, added);
  std::printf("  attach reading the file    %8.4f\n", attachRead);
  std::printf("  insert from memory         %8.4f\n", insert);
  std::printf("  insert from the file       %8.4f\n", fromFile);
  std::printf("  bind / insert from the file  %6.2fx\n", whole / fromFile);
  const double ratio = whole / insert;
  std::printf("  bind / insert from memory    %6.2fx (goal under 3x)\n", ratio);
  return ratio < 3.0 ? 0 : 1;
}
