// Drawings as other programs write them (tests/data/dxf/wild): each is read, what differs from
// the sound form is mended and reported with its line, and what is written reads back clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDimStyleTableRecord.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbTextStyleTableRecord.h"
#include "sdk/io/QvDxfCodePage.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/HostFixture.h"

namespace {

using D = QvDxfDiagnostic;

struct WildRead {
  std::string text;
  QvDxfReadResult result;
  std::unique_ptr<QvDbDatabase> db;
  bool asExpected = false;  // read, with the findings expected
};

// A file of tests/data/dxf/wild read; the test fails unless it is read with findings of `codes`.
WildRead readWild(const std::string& name, const std::vector<D::Code>& codes = {}) {
  WildRead read;
  read.text = readTextFile(dxfDataPath("wild/" + name));
  read.db = readDxf(read.text, read.result);
  EXPECT_TRUE(read.db) << read.result.message().utf8();
  EXPECT_EQ(codesOf(read.result), codes) << read.result.message().utf8();
  read.asExpected = read.db && codesOf(read.result) == codes;
  return read;
}

// The line of the value of the first group `code` whose value is `value`; 0 for none.
uint32_t valueLine(const std::string& text, int code, const std::string& value) {
  uint32_t line = 1;
  for (const auto& [c, v] : groupsOf(text)) {
    if (c == code && v == value) return line + 1;
    line += 2;
  }
  return 0;
}

// The drawing written and read again: read without repairs.
std::unique_ptr<QvDbDatabase> writtenAndReadAgain(QvDbDatabase& db) {
  QvDxfReadResult again;
  auto copy = readDxf(dxfText(db), again);
  EXPECT_TRUE(again.ok()) << again.message().utf8();
  EXPECT_TRUE(again.diagnostics.empty()) << again.message().utf8();
  return copy;
}

struct StyleSeen {
  std::string name;
  std::string file;
  bool shapes;
};

std::vector<StyleSeen> textStyles(QvDbDatabase& db) {
  std::vector<StyleSeen> seen;
  forEachRecord<QvDbTextStyleTableRecord>(db.textStyleTableId(), [&](auto& style) {
    seen.push_back({style.name().utf8(), style.fileName().utf8(), style.isShapeFile()});
  });
  return seen;
}

QvDbObjectId dimTextStyle(QvDbDatabase& db, const wchar_t* dimStyle) {
  QvDbObjectPointer<QvDbDimStyleTableRecord> style(recordNamed(db.dimStyleTableId(), dimStyle),
                                                   QvDb::kForRead);
  return style ? style->dimtxsty() : QvDbObjectId();
}

}  // namespace

class DxfWildTest : public HostFixture {};

TEST_F(DxfWildTest, TextStylesOfShapeFilesHaveNoNameAndMayBeSeveral) {
  WildRead read = readWild("shape_styles.dxf");
  ASSERT_TRUE(read.asExpected);
  auto check = [](QvDbDatabase& db) {
    const std::vector<StyleSeen> styles = textStyles(db);
    ASSERT_EQ(styles.size(), 3u);
    EXPECT_EQ(styles[0].name, "Standard");
    EXPECT_FALSE(styles[0].shapes);
    for (size_t i : {1u, 2u}) {
      EXPECT_EQ(styles[i].name, "");
      EXPECT_TRUE(styles[i].shapes);
    }
    EXPECT_EQ(styles[1].file, "ltypeshp.shx");
    EXPECT_EQ(styles[2].file, "gdt.shx");
  };
  check(*read.db);
  auto copy = writtenAndReadAgain(*read.db);
  ASSERT_TRUE(copy);
  check(*copy);
  // A nameless style is no name: the table does not answer it.
  EXPECT_TRUE(recordNamed(copy->textStyleTableId(), L"").isNull());
}

TEST_F(DxfWildTest, OnlyShapeFileStylesGoWithoutAName) {
  QvDbTextStyleTable* table = nullptr;
  ASSERT_EQ(Vexa::eOk, db()->getSymbolTable(table, QvDb::kForWrite));
  auto* text = new QvDbTextStyleTableRecord();
  EXPECT_EQ(Vexa::eInvalidSymbolName, table->add(text));
  delete text;
  auto* shapes = new QvDbTextStyleTableRecord();
  shapes->setIsShapeFile(true);
  auto* more = new QvDbTextStyleTableRecord();
  more->setIsShapeFile(true);
  EXPECT_EQ(Vexa::eOk, table->add(shapes));
  EXPECT_EQ(Vexa::eOk, table->add(more));
  table->close();
  // It stays a shape file's while it has no name; named, it may stop being one.
  EXPECT_EQ(Vexa::eInvalidInput, shapes->setIsShapeFile(false));
  EXPECT_EQ(Vexa::eOk, shapes->setName(L"Named"));
  EXPECT_EQ(Vexa::eOk, shapes->setIsShapeFile(false));
  shapes->close();
  more->close();
}

TEST_F(DxfWildTest, ADimensionStyleMayNameItsTextStyleByName) {
  WildRead read =
      readWild("dimstyle_style_by_name.dxf", {D::kReferenceByName, D::kReferenceDropped});
  ASSERT_TRUE(read.asExpected);
  EXPECT_EQ(read.result.diagnostics[0].line, valueLine(read.text, 340, "Standard"));
  EXPECT_EQ(read.result.diagnostics[1].line, valueLine(read.text, 340, "Missing"));
  QvDbDatabase& db = *read.db;
  const QvDbObjectId standard = recordNamed(db.textStyleTableId(), L"Standard");
  ASSERT_FALSE(standard.isNull());
  EXPECT_EQ(dimTextStyle(db, L"Standard"), standard);
  EXPECT_TRUE(dimTextStyle(db, L"Other").isNull());
  // Written with the handle, as the sound form has it.
  auto copy = writtenAndReadAgain(db);
  ASSERT_TRUE(copy);
  EXPECT_EQ(dimTextStyle(*copy, L"Standard"), recordNamed(copy->textStyleTableId(), L"Standard"));
}

TEST_F(DxfWildTest, R12DimensionStylesKeepTheirArrowBlockInGroupFive) {
  WildRead read = readWild("r12_dimblk.dxf");
  ASSERT_TRUE(read.asExpected);
  QvDbDatabase& db = *read.db;
  const QvDbObjectId arch = recordNamed(db.dimStyleTableId(), L"Arch");
  ASSERT_FALSE(arch.isNull());
  // The style without a handle got one of its own.
  const QvDbObjectId dots = recordNamed(db.dimStyleTableId(), L"Dots");
  ASSERT_FALSE(dots.isNull());
  EXPECT_FALSE(dots.handle().isNull());
  const DxfGroups groups = groupsOf(dxfText(db));
  EXPECT_EQ(valuesOf(recordOf(groups, handleOf(arch)), 5), std::vector<std::string>{"ARCHTICK"});
  EXPECT_EQ(valuesOf(recordOf(groups, handleOf(dots)), 5), std::vector<std::string>{"DOT"});
  EXPECT_TRUE(writtenAndReadAgain(db));
}

TEST_F(DxfWildTest, LinksToHandlesNoObjectHasAreDroppedAndReported) {
  WildRead read = readWild("dangling_handles.dxf", std::vector<D::Code>(4, D::kReferenceDropped));
  ASSERT_TRUE(read.asExpected);
  std::vector<uint32_t> lines;
  for (const QvDxfDiagnostic& d : read.result.diagnostics) lines.push_back(d.line);
  std::vector<uint32_t> expected;
  for (const auto& [code, handle] : std::vector<std::pair<int, std::string>>{
           {350, "FFFE1"}, {390, "FFFE2"}, {330, "FFFE3"}, {330, "FFFE4"}})
    expected.push_back(valueLine(read.text, code, handle));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
  // The line stays in model space, the layer is there, and nothing names the lost handles.
  const std::string written = dxfText(*read.db);
  for (const char* lost : {"FFFE1", "FFFE2", "FFFE3", "FFFE4"})
    EXPECT_EQ(std::string::npos, written.find(lost)) << lost;
  EXPECT_TRUE(writtenAndReadAgain(*read.db));
}

TEST_F(DxfWildTest, EntitiesOfAFileWithoutTablesGoToModelSpaceWhenTheirOwnerIsMissing) {
  WildRead read = readWild("entities_only_owner.dxf", {D::kReferenceDropped});
  ASSERT_TRUE(read.asExpected);
  EXPECT_EQ(read.result.diagnostics[0].line, valueLine(read.text, 330, "1F"));
  const QvDbObjectId line = idOfHandle(*read.db, "2A");
  ASSERT_FALSE(line.isNull());
  EXPECT_TRUE(entitiesOf(read.db->modelSpaceId()).contains(line));
}

// The positions, flags and face indexes of the VERTEX records of a DXF text, in order.
std::vector<std::string> vertexGroups(const std::string& text) {
  std::vector<std::string> values;
  bool inVertex = false;
  for (const auto& [code, value] : groupsOf(text)) {
    if (code == 0) inVertex = value == "VERTEX";
    if (inVertex && (code == 10 || code == 20 || code == 30 || (code >= 70 && code <= 74)))
      values.push_back(std::to_string(code) + "=" + value);
  }
  return values;
}

TEST_F(DxfWildTest, MeshesOfNewerFilesKeepTheirVertices) {
  WildRead read = readWild("meshes_r2018.dxf");
  ASSERT_TRUE(read.asExpected);
  const std::vector<std::string> before = vertexGroups(read.text);
  ASSERT_GE(before.size(), 13u * 4u);  // 13 vertices, each with its position and flags
  const std::string written = dxfText(*read.db);
  EXPECT_EQ(vertexGroups(written), before);
  // Both meshes keep their markers, so other readers see meshes again.
  EXPECT_NE(std::string::npos, written.find("AcDbPolyFaceMesh\n"));
  EXPECT_NE(std::string::npos, written.find("AcDbPolygonMesh\n"));
  auto copy = writtenAndReadAgain(*read.db);
  ASSERT_TRUE(copy);
  EXPECT_EQ(vertexGroups(dxfText(*copy)), before);
}

struct CodePageCase {
  const char* file;
  const wchar_t* layer;
  const char* text;  // UTF-8
};

class DxfCodePageTest : public HostFixture, public testing::WithParamInterface<CodePageCase> {};

// Names and texts of older files are in their code page, escapes in every version: each is
// read as its characters and written back in UTF-8.
TEST_P(DxfCodePageTest, TextIsReadInTheFilesCodePage) {
  const CodePageCase& c = GetParam();
  WildRead read = readWild(c.file);
  ASSERT_TRUE(read.asExpected);
  EXPECT_FALSE(layerNamed(read.db.get(), c.layer).isNull()) << QvString(c.layer).utf8();
  const std::string written = dxfText(*read.db);
  EXPECT_NE(std::string::npos, written.find("\n" + std::string(c.text) + "\n")) << c.text;
  auto copy = writtenAndReadAgain(*read.db);
  ASSERT_TRUE(copy);
  EXPECT_FALSE(layerNamed(copy.get(), c.layer).isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Wild, DxfCodePageTest,
    testing::Values(CodePageCase{"codepage_1251.dxf", L"Стены", "Привет, мир"},
                    CodePageCase{"codepage_1256.dxf", L"جدران", "مرحبا بالعالم"},
                    CodePageCase{"codepage_850.dxf", L"Wände", "Ça été ½ fini"},
                    CodePageCase{"codepage_mac.dxf", L"Café", "ƒ ≠ ∂ • fin"},
                    CodePageCase{"codepage_932.dxf", L"壁", "表示テスト"},
                    CodePageCase{"unicode_escapes_r2018.dxf", L"Wallé", "Straße 世"}));

TEST(DxfCodePage, UnknownPagesAndUndefinedBytesLoseNothing) {
  QvDxfCodePage page;
  EXPECT_FALSE(page.select("ANSI_99999x"));
  EXPECT_FALSE(page.select("EBCDIC"));
  EXPECT_EQ(page.name(), "CP1252");
  std::wstring text;
  page.appendDecoded(text, "\x80\xE9");
  EXPECT_EQ(text, L"\u20AC\u00E9");
  // A lead byte of 932 without its second byte, and a byte 932 leaves undefined, are kept.
  ASSERT_TRUE(page.select("ANSI_932"));
  text.clear();
  page.appendDecoded(text,
                     "\x95\x5C"
                     "a\xA0\x95");
  ASSERT_EQ(text.size(), 4u);
  EXPECT_EQ(text[0], L'\u8868');
  EXPECT_EQ(text[1], L'a');
  EXPECT_NE(text[3], L'\0');
}

TEST_F(DxfWildTest, ArraysUnderTheMultipleInsertMarkerAreRead) {
  WildRead read = readWild("multiple_insert.dxf");
  ASSERT_TRUE(read.asExpected);
  const QvDbObjectIdArray ids = entitiesOf(read.db->modelSpaceId());
  ASSERT_EQ(ids.length(), 1);
  QvDbObjectPointer<QvDbMInsertBlock> array(ids[0], QvDb::kForRead);
  ASSERT_TRUE(array);
  EXPECT_EQ(array->rows(), 2);
  EXPECT_EQ(array->columns(), 3);
  EXPECT_DOUBLE_EQ(array->rowSpacing(), 5.0);
  EXPECT_DOUBLE_EQ(array->columnSpacing(), 7.0);
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(array->blockTableRecord()).utf8(), "Tile");
}

TEST_F(DxfWildTest, AFileWithoutTablesKeepsItsOwnRootDictionary) {
  // The undefined layer is made as in any file; the tables themselves are no repair.
  WildRead read = readWild("no_tables_section.dxf", {D::kLayerAdded});
  ASSERT_TRUE(read.asExpected);
  EXPECT_EQ(read.db->namedObjectsDictionaryId(), idOfHandle(*read.db, "C"));
  {
    QvDbObjectPointer<QvDbDictionary> root(read.db->namedObjectsDictionaryId(), QvDb::kForRead);
    QvDbObjectId groups;
    EXPECT_EQ(Vexa::eOk, root->getAt(L"ACAD_GROUP", groups));
    EXPECT_EQ(groups, idOfHandle(*read.db, "D"));
    // The standard dictionaries are completed in it.
    EXPECT_TRUE(root->has(L"ACAD_LAYOUT"));
  }
  EXPECT_EQ(entitiesOf(read.db->modelSpaceId()).length(), 1);
  EXPECT_TRUE(writtenAndReadAgain(*read.db));
}

TEST_F(DxfWildTest, ALayerTableTheFileLacksIsMadeWhenALayerIsNeeded) {
  WildRead read = readWild("no_layer_table.dxf", {D::kTableAdded, D::kLayerAdded});
  ASSERT_TRUE(read.asExpected);
  EXPECT_EQ(read.result.diagnostics[0].line, read.result.diagnostics[1].line);
  EXPECT_EQ(read.result.diagnostics[0].line, valueLine(read.text, 8, "Walls"));
  EXPECT_FALSE(layerNamed(read.db.get(), L"Walls").isNull());
  EXPECT_FALSE(layerNamed(read.db.get(), L"0").isNull());
  EXPECT_TRUE(writtenAndReadAgain(*read.db));
}

TEST_F(DxfWildTest, WhatOtherReadersLetPassIsMendedAndReported) {
  WildRead read =
      readWild("odd_groups.dxf", {D::kValueClamped, D::kHandleReplaced, D::kHandleReplaced});
  ASSERT_TRUE(read.asExpected);
  const std::vector<QvDxfDiagnostic>& found = read.result.diagnostics;
  EXPECT_EQ(found[0].line, lineOf(read.text, "$LUPREC") + 2);
  EXPECT_EQ(found[2].line, valueLine(read.text, 5, "not-a-handle"));
  QvDbDatabase& db = *read.db;
  EXPECT_EQ(db.headerValue(L"LUPREC").asLong(), 8);
  // Both lines are there, each with a handle of its own; the first keeps the file's.
  const QvDbObjectIdArray lines = entitiesOf(db.modelSpaceId());
  ASSERT_EQ(lines.length(), 2);
  EXPECT_NE(lines[0].handle(), lines[1].handle());
  // The extended data keeps the lone coordinates as single values, where they stood.
  std::vector<int> codes;
  {
    QvDbObjectPointer<QvDbObject> first(lines[0], QvDb::kForRead);
    QvRbListPtr xdata(first->xData(L"TARVO_TEST"));
    for (const resbuf* rb = xdata.get(); rb; rb = rb->next) codes.push_back(rb->type);
  }
  EXPECT_EQ(codes, (std::vector<int>{1001, 1000, 1021, 1031, 1070}));
  const std::string written = dxfText(db);
  EXPECT_NE(std::string::npos, written.find("\nTARVO_THING\n"));
  EXPECT_NE(std::string::npos, written.find("\nkept as read\n"));
  EXPECT_EQ(std::string::npos, written.find("not-a-handle"));
  EXPECT_TRUE(writtenAndReadAgain(db));
}

TEST_F(DxfWildTest, BezierPiecesAreOneSplineAndASplineThatMakesNoneIsKeptAsRead) {
  WildRead read = readWild("splines.dxf", {D::kSplinePiecesJoined, D::kEntityKeptAsProxy});
  ASSERT_TRUE(read.asExpected);
  const QvDbObjectIdArray ids = entitiesOf(read.db->modelSpaceId());
  ASSERT_EQ(ids.length(), 4);  // nothing is lost around the spline that makes no curve
  QvDbObjectPointer<QvDbSpline> spline(ids[1], QvDb::kForRead);
  ASSERT_TRUE(spline);
  int degree = 0;
  bool rational = false, closed = false, periodic = false;
  QvGePoint3dArray points;
  QvGeDoubleArray knots, weights;
  spline->getNurbsData(degree, rational, closed, periodic, points, knots, weights);
  EXPECT_EQ(points.length(), 7);
  ASSERT_EQ(knots.length(), 11);
  EXPECT_EQ(knots[4], 1.0);
  EXPECT_EQ(knots[7], 2.0);
  // The same curve: through the joint at the middle of the parameter range, and both ends.
  QvGePoint3d at;
  ASSERT_EQ(Vexa::eOk, spline->getPointAtParam(1.0, at));
  EXPECT_TRUE(at.isEqualTo(QvGePoint3d(3, 0, 0))) << at.x << " " << at.y;
  ASSERT_EQ(Vexa::eOk, spline->getPointAtParam(1.5, at));
  EXPECT_NEAR(at.x, 4.5, 1e-12);
  EXPECT_NEAR(at.y, -1.5, 1e-12);
  spline.close();
  EXPECT_TRUE(
      QvDbProxyEntity::cast(QvDbObjectPointer<QvDbEntity>(ids[2], QvDb::kForRead).object()));
  // The kept spline is written as it was read, and read again the same way.
  std::vector<std::vector<std::string>> knotsWritten;
  bool inSpline = false;
  for (const auto& [code, value] : groupsOf(dxfText(*read.db))) {
    if (code == 0 && (inSpline = value == "SPLINE")) knotsWritten.emplace_back();
    if (code == 40 && inSpline) knotsWritten.back().push_back(value);
  }
  using Knots = std::vector<std::string>;
  EXPECT_EQ(knotsWritten, (std::vector<Knots>{{"0.0", "0.0", "0.0", "0.0", "1.0", "1.0", "1.0",
                                               "2.0", "2.0", "2.0", "2.0"},
                                              {"0.0", "0.0", "0.0", "1.0", "1.0", "1.0"}}));
  QvDxfReadResult again;
  ASSERT_TRUE(readDxf(dxfText(*read.db), again)) << again.message().utf8();
  EXPECT_EQ(codesOf(again), std::vector<D::Code>{D::kEntityKeptAsProxy});
}

TEST_F(DxfWildTest, ColumnsOfOlderFilesAreJoinedIntoTheirTextInTheCurrentForm) {
  WildRead read =
      readWild("mtext_columns_r2013.dxf", {D::kMTextColumnsJoined, D::kMTextColumnsJoined});
  ASSERT_TRUE(read.asExpected);
  // The further column texts are gone; their contents follow the main text's.
  const QvDbObjectIdArray ids = entitiesOf(read.db->modelSpaceId());
  ASSERT_EQ(ids.length(), 2);
  std::vector<std::string> contents;
  for (const QvDbObjectId& id : ids) {
    QvDbObjectPointer<QvDbMText> text(id, QvDb::kForRead);
    ASSERT_TRUE(text);
    contents.push_back(text->contents().utf8());
    EXPECT_EQ(nullptr, QvRbListPtr(text->xData(L"ACAD")).get()) << "column settings left";
  }
  EXPECT_EQ(contents, (std::vector<std::string>{"First column text\\NSecond column\\NThird",
                                                "Flowing text that runs over two columns"}));
  // Written as the embedded column object: kind, count, width, gutter, heights.
  const std::string written = dxfText(*read.db);
  const DxfGroups groups = groupsOf(written);
  const DxfGroups statics = recordOf(groups, "2F");
  EXPECT_EQ(valuesOf(statics, 101), std::vector<std::string>{"Embedded Object"});
  EXPECT_EQ(valuesOf(statics, 71), (std::vector<std::string>{"1", "1"}));  // attachment, kind
  EXPECT_EQ(valuesOf(statics, 72), std::vector<std::string>{"3"});
  EXPECT_EQ(valuesOf(statics, 44), std::vector<std::string>{"20.0"});
  EXPECT_EQ(valuesOf(statics, 42), std::vector<std::string>{"64.0"});
  const DxfGroups record = recordOf(groups, "32");
  const auto embedded =
      std::find_if(record.begin(), record.end(), [](const auto& g) { return g.first == 101; });
  const DxfGroups dynamic(embedded, record.end());
  EXPECT_EQ(valuesOf(dynamic, 46), (std::vector<std::string>{"10.0", "12.0"}));
  EXPECT_EQ(valuesOf(dynamic, 43), std::vector<std::string>{"12.0"});
  EXPECT_TRUE(recordOf(groups, "30").empty());
  EXPECT_EQ(written.find("ACAD_MTEXT_COLUMN"), std::string::npos);
  const std::unique_ptr<QvDbDatabase> again = writtenAndReadAgain(*read.db);
  ASSERT_TRUE(again);
  EXPECT_EQ(dxfText(*again), written);
}
