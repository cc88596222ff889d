#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbText.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/render/QvGiSvgWriter.h"
#include "tests/sdk/render/SvgTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;
constexpr double kPi = std::numbers::pi;

class SvgWriterTest : public HostFixture {
 protected:
  template <class Setting>
  QvDbObjectId layer(const wchar_t* name, int16_t color, Setting setting) {
    return addLayer(db(), name, [&](QvDbLayerTableRecord& record) {
      record.setColorIndex(color);
      setting(record);
    });
  }
  QvDbObjectId layer(const wchar_t* name, int16_t color) {
    return layer(name, color, [](QvDbLayerTableRecord&) {});
  }
  // Appends an entity to a block (model space by default) on a layer (the current one when
  // null) with a colour index (by layer unless given); its id.
  QvDbObjectId add(QvDbEntity* made, QvDbObjectId owner = {}, QvDbObjectId layerId = {},
                   uint16_t color = 256) {
    made->setDatabaseDefaults(db());
    if (!layerId.isNull()) {
      EXPECT_EQ(made->setLayer(layerId), Vexa::eOk);
    }
    EXPECT_EQ(made->setColorIndex(color), Vexa::eOk);
    return appendEntity(owner.isNull() ? db()->modelSpaceId() : owner, made);
  }
  std::string svg(const wchar_t* layout = L"") {
    std::ostringstream out;
    EXPECT_EQ(QvGiSvgWriter::write(db(), layout, out), Vexa::eOk);
    return out.str();
  }
};

// The document read back by an independent XML parser: whether it is SVG, its number of
// groups with a layer, and its first text (non-ASCII characters escaped).
std::string parsed(const std::string& document) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "svg-writer-well-formed.svg";
  std::ofstream(path) << document;
  const std::string command =
      "/usr/bin/python3 -c \"import sys, xml.etree.ElementTree as E; "
      "r = E.parse(sys.argv[1]).getroot(); n = '{http://www.w3.org/2000/svg}'; "
      "print(r.tag == n + 'svg', len(r.findall('.//' + n + 'g[@data-layer]')), "
      "[t.text for t in r.iter(n + 'text')][0].encode('unicode_escape').decode())\" " +
      path.string();
  FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr);
  if (!pipe) return "";
  char buffer[512] = {};
  const size_t read = fread(buffer, 1, sizeof buffer - 1, pipe);
  EXPECT_EQ(pclose(pipe), 0) << "the parser refused the document";
  std::filesystem::remove(path);
  return std::string(buffer, read);
}

TEST_F(SvgWriterTest, AKnownDrawingGivesItsElements) {
  // Layer and text names with the characters XML reserves, some beyond ASCII and a control
  // character.
  const QvDbObjectId red = layer(L"R&D", 1);
  const QvDbObjectId frozen =
      layer(L"Frozen", 2, [](QvDbLayerTableRecord& l) { l.setIsFrozen(true); });
  const QvDbObjectId off = layer(L"Off", 3, [](QvDbLayerTableRecord& l) { l.setIsOff(true); });
  const QvDbObjectId line = add(new QvDbLine({0, 0, 0}, {10, 0, 0}), {}, red);
  add(new QvDbCircle({5, 5, 0}, {0, 0, 1}, 2), {}, {}, 5);
  add(new QvDbArc({0, 0, 0}, 3, 0, kPi / 2));
  add(new QvDbText({1, 1, 0}, L"<&\"'\u00e9\u00b0\u0001", QvDbObjectId(), 0.5), {}, red);
  add(new QvDbSolid({0, 0, 0}, {4, 0, 0}, {0, 4, 0}), {}, {}, 3);
  add(new QvDbRay({0, 0, 0}, {0, 1, 0}));
  add(new QvDbLine({0, 0, 0}, {0, 50, 0}), {}, frozen);
  add(new QvDbLine({0, 0, 0}, {50, 0, 0}), {}, off);
  const QvDbObjectId hidden = add(new QvDbLine({0, 0, 0}, {-50, 0, 0}));
  {
    QvDbObjectPointer<QvDbEntity> entity(hidden, QvDb::kForWrite);
    ASSERT_EQ(entity->setVisibility(QvDb::kInvisible), Vexa::eOk);
  }

  const std::string picture = svg();
  EXPECT_THAT(elements(picture, "polyline"),
              ElementsAre("<polyline points=\"0,0 10,0\" stroke=\"#ff0000\"/>"));
  EXPECT_THAT(elements(picture, "circle"),
              ElementsAre("<circle cx=\"5\" cy=\"-5\" r=\"2\" stroke=\"#0000ff\"/>"));
  // Colour 7 (by layer "0") is drawn black on the white page.
  EXPECT_THAT(elements(picture, "path"),
              ElementsAre("<path d=\"M3,0A3,3 0 0,0 0,-3\" stroke=\"#000000\"/>"));
  const auto texts = elements(picture, "text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_THAT(texts[0], HasSubstr("matrix(1 0 0 1 1 -1)"));
  EXPECT_THAT(texts[0], HasSubstr("fill=\"#ff0000\">&lt;&amp;&quot;&apos;"));
  const auto polygons = elements(picture, "polygon");
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_THAT(polygons[0], HasSubstr("fill=\"#00ff00\""));
  EXPECT_EQ(elements(picture, "line").size(), 1u);  // the ray
  // Frozen, off and invisible entities leave nothing, not even an empty group.
  EXPECT_THAT(picture, Not(HasSubstr("data-layer=\"Frozen\"")));
  EXPECT_THAT(picture, Not(HasSubstr("data-layer=\"Off\"")));
  EXPECT_THAT(picture, Not(HasSubstr("data-handle=\"" + hidden.handle().ascii().utf8() + "\"")));
  EXPECT_THAT(picture, HasSubstr("<g data-handle=\"" + line.handle().ascii().utf8() +
                                 "\" data-layer=\"R&amp;D\">"));
  // The box: the solid, the circle, the text and the line; the ray does not widen it.
  EXPECT_THAT(picture, HasSubstr("viewBox=\"-0.5"));
  EXPECT_EQ(parsed(picture), "True 6 <&\"'\\xe9\\xb0\n");
}

TEST_F(SvgWriterTest, ARotatedNestedBlockIsDrawnInItsPlace) {
  const QvDbObjectId red = layer(L"Red", 1);
  // INNER: a circle of colour "by block" at (1, 0) and a line on layer "0" by layer.
  const QvDbObjectId inner = addBlock(db(), L"INNER");
  add(new QvDbCircle({1, 0, 0}, {0, 0, 1}, 0.5), inner, {}, 0);
  add(new QvDbLine({0, 0, 0}, {0, 1, 0}), inner);
  // OUTER: INNER at (10, 0) turned 90 degrees, itself "by block" on layer "0".
  const QvDbObjectId outer = addBlock(db(), L"OUTER");
  auto* innerRef = new QvDbBlockReference({10, 0, 0}, inner);
  innerRef->setRotation(kPi / 2);
  add(innerRef, outer, {}, 0);
  // OUTER at (100, 100), turned 90 degrees and scaled 2, cyan, on layer Red.
  auto* outerRef = new QvDbBlockReference({100, 100, 0}, outer);
  outerRef->setRotation(kPi / 2);
  outerRef->setScaleFactors(QvGeScale3d(2));
  add(outerRef, {}, red, 4);

  // The circle: (1,0) turned -> (0,1), moved -> (10,1), scaled -> (20,2), turned -> (-2,20),
  // moved -> (98,120); radius 0.5 * 2. By block twice over: the outer reference's cyan.
  const std::string picture = svg();
  EXPECT_THAT(elements(picture, "circle"),
              ElementsAre("<circle cx=\"98\" cy=\"-120\" r=\"1\" stroke=\"#00ffff\"/>"));
  // The line from the inner origin (10,0) -> (20,0) -> (0,20) -> (100,120), along (0,1) turned
  // twice, (0,-1), scaled 2. Layer "0" inside the blocks is the outer reference's layer: red.
  EXPECT_THAT(elements(picture, "polyline"),
              ElementsAre("<polyline points=\"100,-120 100,-118\" stroke=\"#ff0000\"/>"));
}

TEST_F(SvgWriterTest, AttributesArraysAndHiddenLayersInBlocks) {
  const QvDbObjectId frozen =
      layer(L"Frozen", 2, [](QvDbLayerTableRecord& l) { l.setIsFrozen(true); });
  const QvDbObjectId tree = addBlock(db(), L"TREE");
  add(new QvDbCircle({0, 0, 0}, {0, 0, 1}, 1), tree);
  add(new QvDbLine({0, 0, 0}, {1, 1, 0}), tree, frozen);
  add(new QvDbAttributeDefinition({0, -2, 0}, L"?", L"SPECIES", L"Species"), tree);

  // An array of 2 columns and 3 rows: six trees.
  add(new QvDbMInsertBlock({0, 0, 0}, tree, 2, 3, 10, 10));
  // One tree with its attribute.
  const QvDbObjectId oak = add(new QvDbBlockReference({50, 0, 0}, tree));
  auto* attribute = new QvDbAttribute({50, -2, 0}, L"Oak", L"SPECIES");
  attribute->setHeight(0.5);
  ASSERT_FALSE(appendAttribute(oak, attribute).isNull());
  const std::string picture = svg();
  const auto circles = elements(picture, "circle");
  ASSERT_EQ(circles.size(), 7u);
  EXPECT_EQ(circles[5], "<circle cx=\"10\" cy=\"-20\" r=\"1\" stroke=\"#000000\"/>");
  const auto texts = elements(picture, "text");
  ASSERT_EQ(texts.size(), 1u);  // the attribute; the definition's tag is not shown
  EXPECT_THAT(texts[0], HasSubstr(">Oak</text>"));
  EXPECT_TRUE(elements(picture, "polyline").empty());  // the block's frozen line
}

TEST_F(SvgWriterTest, LayoutsAndFiles) {
  add(new QvDbCircle({0, 0, 0}, {0, 0, 1}, 1));
  add(new QvDbCircle({0, 0, 0}, {0, 0, 1}, 2), db()->paperSpaceId());
  EXPECT_THAT(elements(svg(L"model"), "circle"), ElementsAre(HasSubstr("r=\"1\"")));
  EXPECT_THAT(elements(svg(L"Layout1"), "circle"), ElementsAre(HasSubstr("r=\"2\"")));
  // Without a name, the current layout.
  ASSERT_EQ(qvdbHostApplicationServices()->layoutManager()->setCurrentLayout(L"Layout1"),
            Vexa::eOk);
  EXPECT_THAT(elements(svg(), "circle"), ElementsAre(HasSubstr("r=\"2\"")));
  EXPECT_THAT(svg(), HasSubstr("<title>Layout1</title>"));

  std::ostringstream out;
  EXPECT_EQ(QvGiSvgWriter::write(db(), L"Nowhere", out), Vexa::eKeyNotFound);
  EXPECT_EQ(QvGiSvgWriter::write(nullptr, L"", out), Vexa::eNullPtr);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "svg-writer-test";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "p.svg").string();
  EXPECT_EQ(QvGiSvgWriter::writeFile(db(), L"Nowhere", path), Vexa::eKeyNotFound);
  EXPECT_FALSE(std::filesystem::exists(path));  // nothing written for a refusal
  EXPECT_EQ(QvGiSvgWriter::writeFile(db(), L"Model", path), Vexa::eOk);
  EXPECT_GT(std::filesystem::file_size(path), 100u);
  EXPECT_EQ(QvGiSvgWriter::writeFile(db(), L"Model", (folder / "no/such/p.svg").string()),
            Vexa::eFileAccessError);
  std::filesystem::remove_all(folder);
}

}  // namespace
