// The text of DXF files: line ends, marks and comments, code pages of old files, control
// characters, files of entities alone and files without handles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"

namespace {

std::string crlf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// An R12 file of two layers (one named in the file's code page, one with a character escape)
// and entities without handles.
const char* const kR12 =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n"
    "  9\n$HANDLING\n 70\n     0\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n     2\n"
    "  0\nLAYER\n  2\nCaf\xE9\n 70\n     0\n 62\n     1\n  6\nCONTINUOUS\n"
    "  0\nLAYER\n  2\nStra\\U+00DFe\n 70\n     4\n 62\n    -2\n  6\nCONTINUOUS\n"
    "  0\nENDTAB\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  8\nCaf\xE9\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n1.0\n 31\n0.0\n"
    "  0\nLINE\n  8\nUNDEFINED\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n1.0\n 31\n0.0\n"
    "  0\nENDSEC\n  0\nEOF\n";

}  // namespace

class DxfTextTest : public HostFixture {};

TEST_F(DxfTextTest, LineEndsMarksCommentsAndPaddedCodesReadAlike) {
  const std::string text = dxfText(*db());
  std::string varied = "\xEF\xBB\xBF" + crlf(text);
  // A comment and padded codes.
  varied.insert(3, "999\r\nwritten by a test\r\n");
  const size_t tables = varied.find("  2\r\nTABLES");
  varied.replace(tables, 3, "2  ");
  auto read = readDxf(varied);
  ASSERT_TRUE(read);
  EXPECT_TRUE(text == dxfText(*read));
}

TEST_F(DxfTextTest, OldFilesAreReadInTheirCodePageAndWrittenAsUtf8) {
  QvDxfReadResult result;
  auto read = readDxf(kR12, result);
  ASSERT_TRUE(read) << result.message();
  const QvDbObjectId cafe = layerNamed(read.get(), L"Caf\u00E9");
  const QvDbObjectId strasse = layerNamed(read.get(), L"Stra\u00DFe");
  ASSERT_FALSE(cafe.isNull());
  ASSERT_FALSE(strasse.isNull());
  {
    QvDbObjectPointer<QvDbLayerTableRecord> layer(strasse, QvDb::kForRead);
    EXPECT_TRUE(layer->isOff());
    EXPECT_TRUE(layer->isLocked());
    EXPECT_EQ(2, layer->colorIndex());
  }
  // The layer the file names without defining it was made, and the read says so.
  EXPECT_FALSE(layerNamed(read.get(), L"UNDEFINED").isNull());
  EXPECT_THAT(codesOf(result), testing::Contains(QvDxfDiagnostic::kLayerAdded)) << result.message();
  // Entities without handles got handles of their own, none used twice.
  const QvDbObjectIdArray entities = entitiesOf(read->modelSpaceId());
  ASSERT_EQ(2, entities.length());
  EXPECT_NE(entities[0].handle(), entities[1].handle());
  {
    QvDbObjectPointer<QvDbEntity> line(entities[0], QvDb::kForRead);
    EXPECT_EQ(cafe, line->layerId());
  }
  const std::string written = dxfText(*read);
  EXPECT_NE(std::string::npos, written.find("Caf\xC3\xA9\n"));
  EXPECT_NE(std::string::npos, written.find("Stra\xC3\x9F"
                                            "e\n"));
  EXPECT_NE(std::string::npos, written.find("$ACADVER\n  1\nAC1032\n"));
  auto again = readDxf(written);
  ASSERT_TRUE(again);
  EXPECT_FALSE(layerNamed(again.get(), L"Caf\u00E9").isNull());
}

TEST_F(DxfTextTest, AFileOfEntitiesAloneGetsADrawingsTables) {
  const std::string text =
      "  0\nSECTION\n  2\nENTITIES\n  0\nCIRCLE\n  8\n0\n 10\n1.0\n 20\n2.0\n 30\n0.0\n 40\n3.0\n"
      "  0\nENDSEC\n  0\nEOF\n";
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->modelSpaceId().isNull());
  EXPECT_FALSE(read->paperSpaceId().isNull());
  EXPECT_FALSE(read->layoutDictionaryId().isNull());
  EXPECT_EQ(1, entitiesOf(read->modelSpaceId()).length());
}

TEST_F(DxfTextTest, ControlCharactersAndCaretsAreWrittenInCaretNotationAndReadBack) {
  // A line break and a tab, and carets typed as text: one before a letter that caret notation
  // would take ("^J" typed), one before a space, one before a digit, one at the end.
  const wchar_t* const comments = L"two\nlines\tand a tab, ^J typed, a ^ b, x^2 ^";
  QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
  ASSERT_EQ(Vexa::eOk, space->setComments(comments));
  space.close();
  const std::string text = dxfText(*db());
  EXPECT_NE(std::string::npos, text.find("two^Jlines^Iand a tab, ^ J typed, a ^  b, x^2 ^\n"));
  const std::unique_ptr<QvDbDatabase> read = readDxf(text);
  ASSERT_TRUE(read);
  QvDbObjectPointer<QvDbBlockTableRecord> readSpace(read->modelSpaceId(), QvDb::kForRead);
  EXPECT_EQ(QvString(comments), readSpace->comments());
  readSpace.close();
  EXPECT_EQ(text, dxfText(*read));
}
