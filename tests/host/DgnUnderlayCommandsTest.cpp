// DGNATTACH from a script: the DGN model attached as an underlay that draws its converted
// contents, and DGN files the host cannot read refused with their reason.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/render/QvGiSvgWriter.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/TestPaths.h"

namespace {

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
  EXPECT_TRUE(contains("Attached \"site - Default\": model 1 of 1, 100 x 80 units."))
      << transcript();
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
  EXPECT_TRUE(contains("the host cannot read this version of DGN files")) << transcript();
  EXPECT_TRUE(contains("it is not a DGN file")) << transcript();
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
  EXPECT_TRUE(contains("cannot be loaded (eFileNotFound): the drawing is unchanged."))
      << transcript();
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
  EXPECT_TRUE(contains("as the external reference \"PLAN\".")) << transcript();
  EXPECT_TRUE(contains("Bound \"PLAN\".")) << transcript();
  EXPECT_TRUE(contains("\"PLAN\" cannot be bound: the block is no external reference."))
      << transcript();
  EXPECT_TRUE(contains("\"NONE\" cannot be bound: the drawing has no block of that name."))
      << transcript();
  ASSERT_EQ(modelSpace().size(), 1u);
}

}  // namespace
