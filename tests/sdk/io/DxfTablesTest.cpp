// Symbol tables, blocks and header variables through a DXF file: what the database models
// comes back equal, with the same handles.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbViewTable.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SymbolRecords.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

template <class Record>
QvDbObjectPointer<Record> openRecord(QvDbObjectId tableId, const wchar_t* name) {
  return QvDbObjectPointer<Record>(recordNamed(tableId, name), QvDb::kForRead);
}

}  // namespace

class DxfTablesTest : public HostFixture {};

TEST_F(DxfTablesTest, RecordsComeBackWithTheirSettingsAndHandles) {
  const QvDbObjectId dashed =
      addRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(db(), L"Dashed", [](auto& r) {
        r.setComments(L"__ __ __");
        r.setDashes({0.5, -0.25, 0.0, -0.25});
      });
  const QvDbObjectId walls =
      addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db(), L"Walls", [&](auto& r) {
        r.setColorIndex(3);
        r.setIsOff(true);
        r.setIsLocked(true);
        r.setIsPlottable(false);
        r.setLinetypeObjectId(dashed);
      });
  const QvDbObjectId frozen = addRecord<QvDbLayerTable, QvDbLayerTableRecord>(
      db(), L"Frozen layer é", [](auto& r) { r.setIsFrozen(true); });
  const QvDbObjectId slanted =
      addRecord<QvDbTextStyleTable, QvDbTextStyleTableRecord>(db(), L"Slanted", [](auto& r) {
        r.setXScale(0.8);
        r.setObliquingAngle(15.0 * kPi / 180.0);
        r.setTextSize(2.5);
        r.setFileName(L"arial.ttf");
        r.setBigFontFileName(L"bigfont.shx");
      });
  addRecord<QvDbDimStyleTable, QvDbDimStyleTableRecord>(db(), L"Plans", [&](auto& r) {
    r.setDimscale(50.0);
    r.setDimtxt(2.5);
    r.setDimtxsty(slanted);
  });
  addRegApp(db(), L"TARVO_APP");
  addRecord<QvDbViewTable, QvDbViewTableRecord>(db(), L"Front");
  const QvDbObjectId door =
      addRecord<QvDbBlockTable, QvDbBlockTableRecord>(db(), L"Door", [](auto& r) {
        r.setComments(L"A door, 90 cm");
        r.setBlockInsertUnits(QvDb::kUnitsCentimeters);
        r.setExplodable(false);
        r.setBlockScaling(QvDb::kUniform);
      });

  const std::string text = dxfText(*db());
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_TRUE(nothingLeftOpen(read.get()));
  EXPECT_TRUE(noAccessViolations(read.get()));
  // What was read writes the same text again.
  EXPECT_TRUE(text == dxfText(*read));

  auto layer = openRecord<QvDbLayerTableRecord>(read->layerTableId(), L"Walls");
  ASSERT_TRUE(layer);
  EXPECT_EQ(walls.handle(), layer->handle());
  EXPECT_EQ(3, layer->colorIndex());
  EXPECT_TRUE(layer->isOff());
  EXPECT_TRUE(layer->isLocked());
  EXPECT_FALSE(layer->isFrozen());
  EXPECT_FALSE(layer->isPlottable());
  EXPECT_EQ(dashed.handle(), layer->linetypeObjectId().handle());
  auto frozenLayer = openRecord<QvDbLayerTableRecord>(read->layerTableId(), L"Frozen layer é");
  ASSERT_TRUE(frozenLayer);
  EXPECT_EQ(frozen.handle(), frozenLayer->handle());
  EXPECT_TRUE(frozenLayer->isFrozen());
  EXPECT_FALSE(frozenLayer->isOff());

  auto linetype = openRecord<QvDbLinetypeTableRecord>(read->linetypeTableId(), L"Dashed");
  ASSERT_TRUE(linetype);
  EXPECT_EQ(QvString(L"__ __ __"), linetype->comments());
  ASSERT_EQ(4, linetype->numDashes());
  EXPECT_EQ(0.5, linetype->dashLengthAt(0));
  EXPECT_EQ(-0.25, linetype->dashLengthAt(3));
  EXPECT_DOUBLE_EQ(1.0, linetype->patternLength());

  auto style = openRecord<QvDbTextStyleTableRecord>(read->textStyleTableId(), L"Slanted");
  ASSERT_TRUE(style);
  EXPECT_EQ(0.8, style->xScale());
  EXPECT_EQ(15.0 * kPi / 180.0, style->obliquingAngle());  // exactly, through degrees
  EXPECT_EQ(2.5, style->textSize());
  EXPECT_EQ(QvString(L"arial.ttf"), style->fileName());
  EXPECT_EQ(QvString(L"bigfont.shx"), style->bigFontFileName());

  auto dimstyle = openRecord<QvDbDimStyleTableRecord>(read->dimStyleTableId(), L"Plans");
  ASSERT_TRUE(dimstyle);
  EXPECT_EQ(50.0, dimstyle->dimscale());
  EXPECT_EQ(2.5, dimstyle->dimtxt());
  EXPECT_EQ(slanted.handle(), dimstyle->dimtxsty().handle());

  auto block = openRecord<QvDbBlockTableRecord>(read->blockTableId(), L"Door");
  ASSERT_TRUE(block);
  EXPECT_EQ(door.handle(), block->handle());
  EXPECT_EQ(QvString(L"A door, 90 cm"), block->comments());
  EXPECT_EQ(QvDb::kUnitsCentimeters, block->blockInsertUnits());
  EXPECT_FALSE(block->explodable());
  EXPECT_EQ(QvDb::kUniform, block->blockScaling());

  EXPECT_TRUE((openRecord<QvDbRegAppTableRecord>(read->regAppTableId(), L"TARVO_APP")));
  EXPECT_TRUE((openRecord<QvDbViewTableRecord>(read->viewTableId(), L"Front")));
}

TEST_F(DxfTablesTest, HeaderVariablesAndCurrentRecordsComeBack) {
  const QvDbObjectId layer = addLayer(db(), L"Notes");
  ASSERT_EQ(Vexa::eOk, db()->setClayer(layer));
  ASSERT_EQ(Vexa::eOk, db()->setInsunits(QvDb::kUnitsMillimeters));
  ASSERT_EQ(Vexa::eOk, db()->setHeaderValue(L"LTSCALE", QvDbHeaderValue::ofReal(0.1)));
  ASSERT_EQ(Vexa::eOk, db()->setHeaderValue(L"INSBASE", QvDbHeaderValue::ofTriple(1, -2, 3.5)));
  ASSERT_EQ(Vexa::eOk, db()->setHeaderValue(L"PDMODE", QvDbHeaderValue::ofShort(34)));

  auto read = readDxf(dxfText(*db()));
  ASSERT_TRUE(read);
  EXPECT_EQ(layer.handle(), read->clayer().handle());
  EXPECT_EQ(QvDb::kUnitsMillimeters, read->insunits());
  EXPECT_EQ(0.1, read->headerValue(L"LTSCALE").asReal());
  EXPECT_EQ((QvDbHeaderValue::Triple{1, -2, 3.5}), read->headerValue(L"INSBASE").asTriple());
  EXPECT_EQ(34, read->headerValue(L"PDMODE").asShort());
}

TEST_F(DxfTablesTest, UnknownHeaderVariablesAreKeptAsRead) {
  std::string text = dxfText(*db());
  const std::string marker = "  9\n$ACADVER\n  1\nAC1032\n";
  const size_t at = text.find(marker);
  ASSERT_NE(std::string::npos, at);
  // A 2D point, a flag and a handle, which the database does not know.
  const std::string unknown =
      "  9\n$LIMMAX\n 10\n420.00\n 20\n297\n  9\n$SPLFRAME\n 70\n     0\n  "
      "9\n$CMATERIAL\n347\nAB\n";
  text.insert(at + marker.size(), unknown);
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  const std::string again = dxfText(*read);
  EXPECT_NE(std::string::npos, again.find(unknown)) << again.substr(0, 600);
}

TEST_F(DxfTablesTest, HeaderValuesOutOfRangeAreClampedAndReported) {
  std::string text = dxfText(*db());
  const size_t at = text.find("$INSUNITS\n 70\n");
  ASSERT_NE(std::string::npos, at);
  text.replace(at, std::string("$INSUNITS\n 70\n1").size(), "$INSUNITS\n 70\n99");
  const size_t celtscale = text.find("$CELTSCALE\n 40\n");
  ASSERT_NE(std::string::npos, celtscale);
  text.replace(celtscale, std::string("$CELTSCALE\n 40\n1.0").size(), "$CELTSCALE\n 40\n-2.5");
  QvDxfReadResult result;
  auto read = readDxf(text, result);
  ASSERT_TRUE(read) << result.message();
  ASSERT_EQ(codesOf(result), (std::vector<QvDxfDiagnostic::Code>{QvDxfDiagnostic::kValueClamped,
                                                                 QvDxfDiagnostic::kValueClamped}));
  const uint32_t insunits = lineOf(text, "$INSUNITS") + 2;
  const QvDxfDiagnostic& units = result.diagnostics[insunits < lineOf(text, "$CELTSCALE") ? 0 : 1];
  EXPECT_EQ(insunits, units.line) << result.message();
  EXPECT_EQ(read->headerValue(L"INSUNITS").asLong(), 24);
  EXPECT_GT(read->headerValue(L"CELTSCALE").asReal(), 0.0);
  // A value that is no number of its kind is still refused.
  text.replace(text.find("$INSUNITS\n 70\n99"), std::string("$INSUNITS\n 70\n99").size(),
               "$INSUNITS\n 70\nmm");
  EXPECT_TRUE(refusedAt(text, QvDxfDiagnostic::kBadValue));
}
