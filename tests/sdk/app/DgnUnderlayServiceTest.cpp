// The DGN format service on the files of tests/data/underlay (made by make_dgns.py): what a
// design file converts into, and the refusals of files it cannot read.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaDgnUnderlayService.h"
#include "sdk/base/VexaFileStatus.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class DgnUnderlayServiceTest : public HostFixture {
 protected:
  Vexa::ErrorStatus open(const std::string& path) {
    QvDbUnderlayFile* file = nullptr;
    const Vexa::ErrorStatus es = service_.getFile(QvString(path.c_str()).c_str(), L"", file);
    file_.reset(file);
    return es;
  }
  static std::string data(const std::string& name) { return testDataDir() + "/underlay/" + name; }

  // The converted entities by class name, each with its layer's name.
  std::multimap<std::string, std::string> contents() const {
    std::multimap<std::string, std::string> found;
    for (const QvDbObjectId& id : entitiesOf(file_->getItem(0)->database()->modelSpaceId())) {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
      found.emplace(QvString(entity->isA()->name()).utf8(), entity->layer().utf8());
    }
    return found;
  }

  template <class T>
  std::vector<QvDbObjectId> idsOf() const {
    std::vector<QvDbObjectId> ids;
    for (const QvDbObjectId& id : entitiesOf(file_->getItem(0)->database()->modelSpaceId()))
      if (id.objectClass() == T::desc()) ids.push_back(id);
    return ids;
  }

  TempFolder folder_;
  VexaDgnUnderlayService service_;
  std::unique_ptr<QvDbUnderlayFile> file_;
};

TEST_F(DgnUnderlayServiceTest, ElementsBecomeEntitiesOnTheLayersOfTheirLevels) {
  ASSERT_EQ(open(data("site.dgn")), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 1);
  const QvDbUnderlayItem& item = *file_->getItem(0);
  EXPECT_EQ(item.name(), QvString(L"Default"));
  ASSERT_NE(item.database(), nullptr);
  EXPECT_NEAR(item.extentsMin().x, 0.0, 1e-9);
  EXPECT_NEAR(item.extentsMin().y, 0.0, 1e-9);
  EXPECT_NEAR(item.extentsMax().x, 100.0, 1e-9);
  EXPECT_NEAR(item.extentsMax().y, 80.0, 1e-9);

  // The cell gives its line and its shape on level 5; its header gives nothing.
  const std::multimap<std::string, std::string> expected{
      {"QvDbLine", "Level 1"}, {"QvDbPolyline", "Level 1"}, {"QvDbPolyline", "Level 2"},
      {"QvDbArc", "Level 3"},  {"QvDbCircle", "Level 3"},   {"QvDbText", "Level 4"},
      {"QvDbLine", "Level 5"}, {"QvDbPolyline", "Level 5"}};
  EXPECT_EQ(contents(), expected);
  EXPECT_TRUE(nothingLeftOpen(item.database()));
}

TEST_F(DgnUnderlayServiceTest, GeometryIsExact) {
  ASSERT_EQ(open(data("site.dgn")), Vexa::eOk);
  {
    const std::vector<QvDbObjectId> arcs = idsOf<QvDbArc>();
    ASSERT_EQ(arcs.size(), 1u);
    QvDbObjectPointer<QvDbArc> arc(arcs[0], QvDb::kForRead);
    EXPECT_NEAR(arc->center().x, 50.0, 1e-9);
    EXPECT_NEAR(arc->center().y, 50.0, 1e-9);
    EXPECT_NEAR(arc->radius(), 10.0, 1e-9);
    EXPECT_NEAR(arc->startAngle(), 0.0, 1e-9);
    EXPECT_NEAR(arc->endAngle(), kPi / 2, 1e-9);
  }
  {
    const std::vector<QvDbObjectId> circles = idsOf<QvDbCircle>();
    ASSERT_EQ(circles.size(), 1u);
    QvDbObjectPointer<QvDbCircle> circle(circles[0], QvDb::kForRead);
    EXPECT_NEAR(circle->center().x, 80.0, 1e-9);
    EXPECT_NEAR(circle->center().y, 20.0, 1e-9);
    EXPECT_NEAR(circle->radius(), 5.0, 1e-9);
  }
  {
    const std::vector<QvDbObjectId> texts = idsOf<QvDbText>();
    ASSERT_EQ(texts.size(), 1u);
    QvDbObjectPointer<QvDbText> text(texts[0], QvDb::kForRead);
    EXPECT_EQ(text->textString(), QvString(L"GATE"));
    EXPECT_NEAR(text->position().x, 10.0, 1e-9);
    EXPECT_NEAR(text->position().y, 60.0, 1e-9);
    EXPECT_NEAR(text->height(), 2.0, 1e-9);
  }
  // The line string stays open with its four vertices; shapes are closed without repeating
  // their first vertex.
  int open = 0;
  int closed = 0;
  for (const QvDbObjectId& id : idsOf<QvDbPolyline>()) {
    QvDbObjectPointer<QvDbPolyline> polyline(id, QvDb::kForRead);
    EXPECT_EQ(polyline->numVerts(), 4u);
    (polyline->isClosed() ? closed : open) += 1;
    if (!polyline->isClosed()) {
      QvGePoint2d third;
      polyline->getPointAt(2, third);
      EXPECT_EQ(third, QvGePoint2d(30.0, 40.0));
    }
  }
  EXPECT_EQ(open, 1);
  EXPECT_EQ(closed, 2);
}

TEST_F(DgnUnderlayServiceTest, TextsKeepTheirHeightAndAngleWhateverTheyRead) {
  // The first text reads like the style parameters that follow it.
  ASSERT_EQ(open(data("texts.dgn")), Vexa::eOk);
  const std::vector<QvDbObjectId> texts = idsOf<QvDbText>();
  ASSERT_EQ(texts.size(), 2u);
  QvDbObjectPointer<QvDbText> gate(texts[0], QvDb::kForRead);
  EXPECT_EQ(gate->textString(), QvString(L"Gate \"A\", s:9 a:45"));
  EXPECT_NEAR(gate->height(), 2.5, 1e-9);
  EXPECT_NEAR(gate->rotation(), kPi / 6, 1e-9);
  EXPECT_EQ(gate->layer(), QvString(L"Level 7"));
  QvDbObjectPointer<QvDbText> shed(texts[1], QvDb::kForRead);
  EXPECT_NEAR(shed->height(), 1.5, 1e-9);
  EXPECT_NEAR(shed->rotation(), 0.0, 1e-12);
  EXPECT_EQ(shed->position(), QvGePoint3d(20, 5, 0));
}

TEST_F(DgnUnderlayServiceTest, FilesItCannotReadAreRefused) {
  EXPECT_EQ(open(folder_.path("missing.dgn")), Vexa::eFileNotFound);
  EXPECT_EQ(open(folder_.path("")), Vexa::eFileNotFound);  // a directory
  EXPECT_EQ(open(data("v8.dgn")), Vexa::eFileVersionNotSupported);
  EXPECT_EQ(open(folder_.file("notes.dgn", "not a design file\n")), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open(folder_.file("empty.dgn", "")), Vexa::eNotThisFileFormat);
  // The start of a design file, cut inside its first element.
  std::ifstream in(data("site.dgn"), std::ios::binary);
  std::string head(200, '\0');
  in.read(head.data(), 200);
  EXPECT_EQ(open(folder_.file("cut.dgn", head)), Vexa::eDamagedFile);
  EXPECT_EQ(file_, nullptr);
}

TEST_F(DgnUnderlayServiceTest, APathWithLettersBeyondAsciiOpens) {
  const std::string copy = folder_.path("pl\xC3\xA4n \xE2\x80\x94 site.dgn");
  std::filesystem::copy_file(data("site.dgn"), copy);
  ASSERT_EQ(open(copy), Vexa::eOk);
  EXPECT_EQ(contents().size(), 8u);
}

}  // namespace
