// The DGN, DWF and PDF format services on the files of tests/data/underlay (made by its
// make_*.py scripts): what a file holds, and the refusals of files a service cannot read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaDgnUnderlayService.h"
#include "sdk/app/VexaDwfUnderlayService.h"
#include "sdk/app/VexaPdfUnderlayService.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

template <class Service>
class UnderlayServiceTest : public HostFixture {
 protected:
  // Opens a file (a name of the folder, or a path); the status, with the file in `file_`.
  Vexa::ErrorStatus open(const std::string& name, const wchar_t* password = L"") {
    const std::string path = name.rfind('/', 0) == 0 ? name : folder_.path(name);
    QvDbUnderlayFile* file = nullptr;
    const Vexa::ErrorStatus es = service_.getFile(QvString(path.c_str()).c_str(), password, file);
    file_.reset(file);
    return es;
  }
  static std::string data(const std::string& name) { return testDataDir() + "/underlay/" + name; }
  // Runs a script of tests/data/underlay that makes its files in the folder.
  void make(const std::string& script) {
    const std::string command =
        "/usr/bin/python3 '" + data(script) + "' '" + folder_.path("") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  TempFolder folder_;
  Service service_;
  std::unique_ptr<QvDbUnderlayFile> file_;
};

class DgnUnderlayServiceTest : public UnderlayServiceTest<VexaDgnUnderlayService> {
 protected:
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
};

TEST_F(DgnUnderlayServiceTest, ElementsBecomeEntitiesOnTheLayersOfTheirLevels) {
  ASSERT_EQ(open(data("site.dgn")), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 1);
  const QvDbUnderlayItem& item = *file_->getItem(0);
  EXPECT_EQ(item.name(), QvString(L"Default"));
  ASSERT_NE(item.database(), nullptr);
  EXPECT_LE(item.extentsMin().distanceTo(QvGePoint2d(0, 0)), 1e-9);
  EXPECT_LE(item.extentsMax().distanceTo(QvGePoint2d(100, 80)), 1e-9);

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
  ASSERT_EQ(idsOf<QvDbArc>().size(), 1u);
  QvDbObjectPointer<QvDbArc> arc(idsOf<QvDbArc>()[0], QvDb::kForRead);
  EXPECT_POINT_NEAR(arc->center(), QvGePoint3d(50, 50, 0));
  EXPECT_NEAR(arc->radius(), 10.0, 1e-9);
  EXPECT_NEAR(arc->startAngle(), 0.0, 1e-9);
  EXPECT_NEAR(arc->endAngle(), kPi / 2, 1e-9);
  ASSERT_EQ(idsOf<QvDbCircle>().size(), 1u);
  QvDbObjectPointer<QvDbCircle> circle(idsOf<QvDbCircle>()[0], QvDb::kForRead);
  EXPECT_POINT_NEAR(circle->center(), QvGePoint3d(80, 20, 0));
  EXPECT_NEAR(circle->radius(), 5.0, 1e-9);
  ASSERT_EQ(idsOf<QvDbText>().size(), 1u);
  QvDbObjectPointer<QvDbText> text(idsOf<QvDbText>()[0], QvDb::kForRead);
  EXPECT_EQ(text->textString(), QvString(L"GATE"));
  EXPECT_POINT_NEAR(text->position(), QvGePoint3d(10, 60, 0));
  EXPECT_NEAR(text->height(), 2.0, 1e-9);
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
  EXPECT_EQ(open("missing.dgn"), Vexa::eFileNotFound);
  EXPECT_EQ(open(""), Vexa::eFileNotFound);  // a directory
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

using DwfUnderlayServiceTest = UnderlayServiceTest<VexaDwfUnderlayService>;

TEST_F(DwfUnderlayServiceTest, TitledSectionsOfTheManifestAreTheItems) {
  make("make_dwfs.py");
  ASSERT_EQ(open("sheets.dwf"), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 2);
  EXPECT_EQ(file_->getItem(0)->name(), QvString(L"Ground floor"));
  EXPECT_EQ(file_->getItem(1)->name(), QvString(L"Roof & gutters"));
  EXPECT_NE(file_->getItem(L"ROOF & GUTTERS"), nullptr);
  // A manifest stored without compression, under another case of its name.
  ASSERT_EQ(open("stored.dwf"), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 1);
  EXPECT_EQ(file_->getItem(0)->name(), QvString(L"Ground floor"));
}

TEST_F(DwfUnderlayServiceTest, FilesThatAreNoReadableContainerAreRefused) {
  make("make_dwfs.py");
  EXPECT_EQ(open("missing.dwf"), Vexa::eFileNotFound);
  EXPECT_EQ(open("notes.dwf"), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open("bare.dwf"), Vexa::eDamagedFile);
  EXPECT_EQ(open("cut.dwf"), Vexa::eDamagedFile);
  EXPECT_EQ(file_, nullptr);
}

class PdfUnderlayServiceTest : public UnderlayServiceTest<VexaPdfUnderlayService> {
 protected:
  void SetUp() override {
    UnderlayServiceTest::SetUp();
    make("make_pdfs.py");
  }
};

TEST_F(PdfUnderlayServiceTest, OneItemPerPageWithItsExtentsInInches) {
  ASSERT_EQ(open("plan.pdf"), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 2);
  EXPECT_EQ(file_->path(), QvString(folder_.path("plan.pdf").c_str()));
  const QvDbUnderlayItem* first = file_->getItem(0);
  EXPECT_EQ(first->name(), QvString(L"1"));
  EXPECT_EQ(first->extentsMin(), QvGePoint2d(0, 0));
  EXPECT_EQ(first->extentsMax(), QvGePoint2d(8.5, 11));
  // The second page is turned by 90 degrees: it lies landscape.
  const QvDbUnderlayItem* second = file_->getItem(L"2");
  ASSERT_NE(second, nullptr);
  EXPECT_DOUBLE_EQ(second->extentsMax().x, 842.0 / 72.0);
  EXPECT_DOUBLE_EQ(second->extentsMax().y, 595.0 / 72.0);
  EXPECT_EQ(file_->getItem(2), nullptr);
  EXPECT_EQ(file_->getItem(L"3"), nullptr);
}

TEST_F(PdfUnderlayServiceTest, FilesThatAreNoReadablePdfAreRefusedWithTheirReason) {
  EXPECT_EQ(open("missing.pdf"), Vexa::eFileNotFound);
  EXPECT_EQ(file_, nullptr);
  EXPECT_EQ(open(""), Vexa::eFileNotFound);  // the folder itself
  EXPECT_EQ(open("notes.pdf"), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open("empty.pdf"), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open("cut.pdf"), Vexa::eDamagedFile);
  EXPECT_EQ(file_, nullptr);
  QvDbUnderlayFile* file = nullptr;
  EXPECT_EQ(service_.getFile(nullptr, L"", file), Vexa::eFileNotFound);
  EXPECT_EQ(file, nullptr);
}

TEST_F(PdfUnderlayServiceTest, APathWithLettersBeyondAsciiOpens) {
  std::filesystem::copy_file(folder_.path("plan.pdf"),
                             folder_.path("Lageplan \xC3\xA4 \xC3\xA9.pdf"));
  QvDbUnderlayFile* raw = nullptr;
  const QvString path =
      QvString(folder_.path("").c_str()) + QvString(L"Lageplan \u00E4 \u00E9.pdf");
  ASSERT_EQ(service_.getFile(path.c_str(), L"", raw), Vexa::eOk);
  file_.reset(raw);
  EXPECT_EQ(file_->getItemCount(), 2);
  EXPECT_EQ(file_->path(), path);
}

TEST_F(PdfUnderlayServiceTest, ALockedFileOpensOnlyWithItsPassword) {
  EXPECT_EQ(open("locked.pdf"), Vexa::ePasswordNeeded);
  EXPECT_EQ(file_, nullptr);
  EXPECT_EQ(open("locked.pdf", L"guess"), Vexa::ePasswordNeeded);
  ASSERT_EQ(open("locked.pdf", L"secret"), Vexa::eOk);
  EXPECT_EQ(file_->getItemCount(), 1);
}

}  // namespace
