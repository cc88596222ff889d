// PDFATTACH, DWFATTACH, DGNATTACH, DGNBIND, XATTACH, XBIND and UNDERLAYS from a script: definitions
// made, used again and numbered, the references placed, and files refused with their reason, the
// drawing then unchanged; ftp:// paths fetched from a loopback FTP server, and SELECT leaving a
// pickfirst set that UNDERLAYS narrows its listing to.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "sdk/app/VexaRemoteFiles.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "sdk/render/QvGiHighlightLog.h"
#include "sdk/render/QvGiSvgWriter.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/LoopbackFtpServer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

class UnderlayCommandsTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    for (const auto& [maker, folder] :
         {std::pair{"make_pdfs.py", ""}, {"make_pdfs.py", "other"}, {"make_dwfs.py", ""}}) {
      const std::string command = "/usr/bin/python3 '" + testDataDir() + "/underlay/" + maker +
                                  "' '" + folder_.path(folder) + "'";
      ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
  }

  QvString path(const std::string& name) const { return QvString(folder_.path(name).c_str()); }

  // The PDF definitions by key, and the definition each PDF underlay shows.
  std::vector<std::pair<std::wstring, QvDbObjectId>> definitions() const {
    std::vector<std::pair<std::wstring, QvDbObjectId>> out;
    QvDbObjectPointer<QvDbDictionary> dict(
        QvDbUnderlayDefinition::dictionaryId(db(), QvDbUnderlayFormat::kPdf), QvDb::kForRead);
    if (!dict) return out;
    std::unique_ptr<QvDbDictionaryIterator> it(dict->newIterator());
    for (; !it->done(); it->next()) out.emplace_back(it->name().wstr(), it->objectId());
    return out;
  }

  TempFolder folder_;
};

TEST_F(UnderlayCommandsTest, PagesAreAttachedOnceAndNamesOfOtherFilesNumbered) {
  const QvString plan = path("plan.pdf");
  const QvString other = path("other/plan.pdf");
  const auto summary =
      run(QvString::format(L"PDFATTACH\n%ls\n2\n10,20\n2\n30\n"  // page 2
                           L"PDFATTACH\n%ls\n2\n0,0\n\n\n"  // the same page: the same definition
                           L"PDFATTACH\n%ls\n\n5,5\n\n\n"   // page 1
                           L"PDFATTACH\n%ls\n2\n0,0\n\n\n"  // another plan.pdf: a numbered name
                           L"UNDERLAYS\n",
                           plan.c_str(), plan.c_str(), plan.c_str(), other.c_str()));
  EXPECT_EQ(summary.done, 5) << transcript();
  const auto defs = definitions();
  ASSERT_EQ(defs.size(), 3u) << transcript();
  EXPECT_EQ(defs[0].first, L"plan - Page 1");
  EXPECT_EQ(defs[1].first, L"plan - Page 2");
  EXPECT_EQ(defs[2].first, L"plan - Page 2_1");

  const std::vector<QvDbObjectId> entities = modelSpace();
  ASSERT_EQ(entities.size(), 4u);
  const QvDbObjectId shownBy[] = {defs[1].second, defs[1].second, defs[0].second, defs[2].second};
  for (size_t i = 0; i < entities.size(); ++i) {
    QvDbObjectPointer<QvDbPdfReference> ref(entities[i], QvDb::kForRead);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->definitionId(), shownBy[i]) << i;
  }
  QvDbObjectPointer<QvDbPdfDefinition> def(defs[2].second, QvDb::kForRead);
  EXPECT_TRUE(def->isLoaded());
  EXPECT_EQ(def->getSourceFileName(), other);
  EXPECT_TRUE(
      contains({"PDF \"plan - Page 2_1\": loaded, 0 KiB, PDF", "PDF \"plan - Page 1\": loaded"}));
}

TEST_F(UnderlayCommandsTest, FilesThatDoNotLoadAreRefusedAndTheDrawingStaysAsItWas) {
  const auto summary = run(QvString::format(
      L"PDFATTACH\n%ls\nPDFATTACH\n%ls\nPDFATTACH\n%ls\nPDFATTACH\n%ls\nPDFATTACH\n%ls\n"
      L"UNDERLAYS\n",
      path("notes.pdf").c_str(), path("cut.pdf").c_str(), path("locked.pdf").c_str(),
      path("missing.pdf").c_str(), path("").c_str()));
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(
      contains({"it is not a PDF file.", "the file is damaged.", "it is protected by a password.",
                "there is no such file.", "The drawing has no underlays."}));
  EXPECT_TRUE(definitions().empty());
  EXPECT_TRUE(modelSpace().empty());
}

TEST_F(UnderlayCommandsTest, DwfSheetsAreAttachedByNameOrNumber) {
  const QvString sheets = path("sheets.dwf");
  const auto summary = run(
      QvString::format(L"DWFATTACH\n%ls\nroof & gutters\n0,0\n\n\n"
                       L"DWFATTACH\n%ls\n1\n5,0\n\n\n"
                       L"DWFATTACH\n%ls\nCellar\n"
                       L"DWFATTACH\n%ls\n"
                       L"UNDERLAYS\n",
                       sheets.c_str(), sheets.c_str(), sheets.c_str(), path("plan.pdf").c_str()));
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains({"The file has no sheet \"Cellar\".", "it is not a DWF file.",
                        "DWF \"sheets - Ground floor\": loaded, 0 KiB, DWF, "}));
  QvDbObjectPointer<QvDbDictionary> dict(
      QvDbUnderlayDefinition::dictionaryId(db(), QvDbUnderlayFormat::kDwf), QvDb::kForRead);
  ASSERT_TRUE(dict);
  EXPECT_EQ(dict->numEntries(), 2);
  QvDbObjectId roof;
  ASSERT_EQ(dict->getAt(L"sheets - Roof & gutters", roof), Vexa::eOk);
  QvDbObjectPointer<QvDbDwfDefinition> def(roof, QvDb::kForRead);
  EXPECT_TRUE(def->isLoaded());
  EXPECT_EQ(def->getItemName(), QvString(L"Roof & gutters"));
  EXPECT_EQ(modelSpace().size(), 2u);
}

TEST_F(UnderlayCommandsTest, RemotePdfPagesAreAttachedAndUnfetchableOnesRefused) {
  LoopbackFtpServer server(folder_.path(""));
  ASSERT_NE(server.port(), 0);
  VexaRemoteFiles& remote = host().service<VexaRemoteFiles>();
  remote.setFtpPort(server.port());
  const auto summary =
      run(L"PDFATTACH\nftp://127.0.0.1/plan.pdf\n2\n0,0\n\n\n"
          L"PDFATTACH\nftp://127.0.0.1/none.pdf\n"
          L"PDFATTACH\nftp://localhost/plan.pdf\n"  // not an FTP path: looked for as a file
          L"UNDERLAYS\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains({"ftp://127.0.0.1/none.pdf cannot be attached: it cannot be fetched",
                        "ftp://localhost/plan.pdf cannot be attached: there is no such file"}));
  // The page the address names (the attach from the cache, and the address kept in the
  // drawing, run end to end in examples/ftp_underlay.script).
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbPdfReference> ref(modelSpace()[0], QvDb::kForRead);
  ASSERT_TRUE(ref);
  QvDbObjectPointer<QvDbPdfDefinition> def(ref->definitionId(), QvDb::kForRead);
  ASSERT_TRUE(def);
  EXPECT_EQ(def->getItemName(), QvString(L"2"));
}

TEST_F(UnderlayCommandsTest, RemoteDgnFilesAreAttachedOrRefusedAsLocalOnesAre) {
  LoopbackFtpServer server(testDataDir() + "/underlay");
  ASSERT_NE(server.port(), 0);
  host().service<VexaRemoteFiles>().setFtpPort(server.port());
  const auto summary =
      run(L"DGNATTACH\nftp://127.0.0.1/site.dgn\n\n0,0\n\n\n"
          L"DGNATTACH\nftp://127.0.0.1/v8.dgn\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains({"Attached \"site - Default\": model 1 of 1",
                        "the host cannot read this version of DGN files"}));
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbDgnReference> ref(modelSpace()[0], QvDb::kForRead);
  ASSERT_TRUE(ref);
  QvDbObjectPointer<QvDbDgnDefinition> def(ref->definitionId(), QvDb::kForRead);
  ASSERT_TRUE(def);
  EXPECT_EQ(def->getSourceFileName(), QvString(L"ftp://127.0.0.1/site.dgn"));
}

TEST_F(UnderlayCommandsTest, SelectLeavesAPickfirstSetThatUnderlaysListsAndLetsGo) {
  const QvString plan(folder_.path("plan.pdf").c_str());
  const auto summary =
      run(QvString::format(L"PDFATTACH\n%ls\n1\n0,0\n\n\n"
                           L"PDFATTACH\n%ls\n2\n100,0\n\n\n"
                           L"SELECT\nLast\n\n"
                           L"UNDERLAYS\n",
                           plan.c_str(), plan.c_str()));
  EXPECT_EQ(summary.done, 4) << transcript();
  EXPECT_TRUE(contains({"1 object(s) selected.", "PDF \"plan - Page 2\""}));
  EXPECT_FALSE(contains("PDF \"plan - Page 1\""));
  VexaPickfirstProcessor& pickfirst = *vexaGetPickfirstProc();
  EXPECT_TRUE(pickfirst.getPickfirst().isEmpty());
  EXPECT_TRUE(pickfirst.grips().isEmpty());
  ASSERT_EQ(modelSpace().size(), 2u);
  EXPECT_FALSE(host().service<QvGiHighlightLog>().isHighlighted(modelSpace()[1]));

  // Two selected: the whole listing, and the set stays selected.
  run(L"SELECT\nALL\n\nUNDERLAYS\n");
  EXPECT_TRUE(
      contains({"2 object(s) selected.", "PDF \"plan - Page 1\"", "PDF \"plan - Page 2\""}));
  EXPECT_EQ(pickfirst.getPickfirst().length(), 2);
  EXPECT_TRUE(host().service<QvGiHighlightLog>().isHighlighted(modelSpace()[0]));
}

class DgnUnderlayCommandsTest : public CommandModuleFixture {
 protected:
  static QvString data(const std::string& name) {
    return QvString((testDataDir() + "/underlay/" + name).c_str());
  }
  std::string svg() const {
    std::ostringstream out;
    EXPECT_EQ(QvGiSvgWriter::write(db(), QvString(L"Model"), out), Vexa::eOk);
    return out.str();
  }
  // The first tag of `svg` that starts with `start` and holds `part`; empty when none does.
  static std::string tagWith(const std::string& svg, const std::string& start,
                             const std::string& part) {
    for (size_t at = svg.find(start); at != std::string::npos; at = svg.find(start, at + 1)) {
      const std::string tag = svg.substr(at, svg.find('>', at) - at);
      if (tag.find(part) != std::string::npos) return tag;
    }
    return {};
  }
};

TEST_F(DgnUnderlayCommandsTest, TheModelIsAttachedAndDrawnWithItsContents) {
  const std::string frameOnly = svg();
  const auto summary =
      run(QvString::format(L"DGNATTACH\n%ls\n\n100,100\n2\n0\n", data("site.dgn").c_str()));
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("Attached \"site - Default\": model 1 of 1, 100 x 80 units."));
  const std::vector<QvDbObjectId> entities = modelSpace();
  ASSERT_EQ(entities.size(), 1u);
  QvDbObjectPointer<QvDbDgnReference> ref(entities[0], QvDb::kForRead);
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->position(), QvGePoint3d(100, 100, 0));
  QvDbObjectPointer<QvDbDgnDefinition> def(ref->definitionId(), QvDb::kForRead);
  ASSERT_TRUE(def);
  EXPECT_TRUE(def->isLoaded());
  ref.close();
  def.close();

  // The frame and the eight converted entities, the circle of radius 5 at (80,20) twice as
  // large at (260,140).
  const std::string picture = svg();
  EXPECT_GT(picture.size(), frameOnly.size());
  const std::string circle = tagWith(picture, "<circle", "r=\"10\"");
  EXPECT_NE(circle.find("260"), std::string::npos) << picture;
  EXPECT_NE(picture.find("GATE"), std::string::npos);
}

TEST_F(DgnUnderlayCommandsTest, FilesTheHostCannotReadAreRefused) {
  const auto summary = run(QvString::format(L"DGNATTACH\n%ls\nDGNATTACH\n%ls\n",
                                            data("v8.dgn").c_str(), data("make_dgns.py").c_str()));
  EXPECT_EQ(summary.done, 0) << transcript();
  EXPECT_TRUE(contains({"the host cannot read this version of DGN files", "it is not a DGN file"}));
  EXPECT_TRUE(modelSpace().empty());
  EXPECT_TRUE(QvDbUnderlayDefinition::dictionaryId(db(), QvDbUnderlayFormat::kDgn).isNull());
}

TEST_F(DgnUnderlayCommandsTest, AnUnloadedDefinitionIsLoadedForTheBindOrTheBindRefused) {
  const auto attached =
      run(QvString::format(L"DGNATTACH\n%ls\n\n0,0\n\n\n", data("site.dgn").c_str()));
  ASSERT_EQ(attached.done, 1) << transcript();
  QvDbObjectId defId;
  {
    QvDbObjectPointer<QvDbDgnReference> ref(modelSpace().at(0), QvDb::kForRead);
    defId = ref->definitionId();
    QvDbObjectPointer<QvDbDgnDefinition> def(defId, QvDb::kForWrite);
    ASSERT_EQ(def->unload(), Vexa::eOk);
    // Its file now names one that is not there.
    def->setSourceFileName(L"gone.dgn");
  }
  EXPECT_EQ(run(L"DGNBIND\n\nGONE\n\n").done, 0);
  EXPECT_TRUE(contains("cannot be loaded (eFileNotFound): the drawing is unchanged."));
  {
    QvDbObjectPointer<QvDbDgnDefinition> def(defId, QvDb::kForWrite);
    def->setSourceFileName(data("site.dgn").c_str());
  }
  EXPECT_EQ(run(L"DGNBIND\n\nSITE\n\n").done, 1) << transcript();
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbBlockReference> bound(modelSpace().at(0), QvDb::kForRead);
  ASSERT_TRUE(bound);
}

TEST_F(DgnUnderlayCommandsTest, XrefsAreAttachedAndBoundFromTheCommandLine) {
  const QvString plan = QvString((testDataDir() + "/../../examples/site_plan.dxf").c_str());
  const auto summary =
      run(QvString::format(L"XATTACH\n%ls\nPLAN\n10,10\n\n\nXBIND\nPLAN\n\n"
                           L"XBIND\nPLAN\n\nXBIND\nNONE\nInsert\n",
                           plan.c_str()));
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains({"as the external reference \"PLAN\".", "Bound \"PLAN\".",
                        "\"PLAN\" cannot be bound: the block is no external reference.",
                        "\"NONE\" cannot be bound: the drawing has no block of that name."}));
  ASSERT_EQ(modelSpace().size(), 1u);
}

}  // namespace
