// The field tables filers are declared with: one declaration read and written, each field in its
// versions only, defaults given or left, default values left out, refusals with their code.
#include <gtest/gtest.h>

#include <string>

#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfTokenizer.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/HostFixture.h"

namespace {

using L = QvDxfFieldsOf<QvDbLine>;

constexpr std::string_view kLineMarkers[] = {"AcDbEntity", "AcDbLine"};

// Thickness only in files from R2000 (AC1015) on; an end point that stays when absent.
constexpr QvDxfField kLineFields[] = {
    L::real<&QvDbLine::thickness, &QvDbLine::setThickness>(2, 39).unlessDefault().versions(1015,
                                                                                           1032),
    L::point<&QvDbLine::startPoint, &QvDbLine::setStartPoint>(2, 10, 7.0, 8.0, 9.0),
    L::point<&QvDbLine::endPoint, &QvDbLine::setEndPoint>(2, 11).optional(),
    L::normal<&QvDbLine::normal, &QvDbLine::setNormal>(2),
};
static_assert(QvDxfFields::isValid(kLineFields));

// One record read as a file of the given version would be: its groups the fields did not take.
struct Read {
  QvDbFileGroups kept;
};

Read readLine(const std::string& record, const char* version, QvDbLine& line) {
  const QvDxfTokens tokens = QvDxfTokenizer::tokenize(record + "0\nEOF\n");
  QvDbDatabase db(false);
  QvDxfReadSession session(tokens, db);
  session.setVersion(version, 1);
  QvDxfObjectReader in(session, 0, tokens.size(), kLineMarkers);
  QvDxfFields::read(in, line, kLineFields);
  return {in.takeKeptGroups()};
}

std::string writtenFields(const QvDbLine& line) {
  QvDbDatabase db(false);
  QvDxfWriteSession session(db);
  QvDxfObjectWriter out(session, line, kLineMarkers);
  QvDxfFields::write(out, line, kLineFields, 1, 2);
  return session.out().str();
}

bool keeps(const QvDbFileGroups& kept, int code) {
  for (int i = 0; i < kept.length(); ++i)
    if (kept.at(i).code == code) return true;
  return false;
}

const std::string kRecord =
    "0\nLINE\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n39\n2.5\n11\n4.0\n21\n5.0\n31\n6.0\n";

}  // namespace

class DxfFieldTableTest : public HostFixture {};

TEST_F(DxfFieldTableTest, AFieldIsReadAndWrittenOnlyInItsVersions) {
  QvDbLine old;
  const Read r12 = readLine(kRecord, "AC1009", old);
  EXPECT_EQ(0.0, old.thickness());
  EXPECT_TRUE(keeps(r12.kept, 39));  // not the field's in R12: kept as read
  QvDbLine line;
  const Read r2000 = readLine(kRecord, "AC1015", line);
  EXPECT_EQ(2.5, line.thickness());
  EXPECT_FALSE(keeps(r2000.kept, 39));
  // Files are written as R2018, where the field stands.
  EXPECT_NE(std::string::npos, writtenFields(line).find(" 39\n2.5\n"));
}

TEST_F(DxfFieldTableTest, AbsentFieldsTakeTheirDefaultOrLeaveTheObjectAndDefaultsAreLeftOut) {
  QvDbLine line;
  line.setStartPoint(QvGePoint3d(1, 1, 1));
  line.setEndPoint(QvGePoint3d(2, 2, 2));
  readLine("0\nLINE\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n", "AC1032", line);
  EXPECT_EQ(QvGePoint3d(7, 8, 9), line.startPoint());  // the default
  EXPECT_EQ(QvGePoint3d(2, 2, 2), line.endPoint());    // optional: left as it was
  EXPECT_EQ(0.0, line.thickness());
  const std::string written = writtenFields(line);
  EXPECT_EQ("100\nAcDbLine\n 10\n7.0\n 20\n8.0\n 30\n9.0\n 11\n2.0\n 21\n2.0\n 31\n2.0\n", written);
  // Read back, the groups written give the same line.
  QvDbLine again;
  readLine("0\nLINE\n100\nAcDbEntity\n8\n0\n" + written, "AC1032", again);
  EXPECT_EQ(line.startPoint(), again.startPoint());
  EXPECT_EQ(line.endPoint(), again.endPoint());
}

TEST_F(DxfFieldTableTest, ARefusedValueRefusesTheRecordWithItsRefusal) {
  using C = QvDxfFieldsOf<QvDbCircle>;
  static constexpr QvDxfField kFields[] = {
      C::real<&QvDbCircle::radius, &QvDbCircle::setRadius>(2, 40, 1.0).refusal("no radius"),
  };
  static constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbCircle"};
  const QvDxfTokens tokens = QvDxfTokenizer::tokenize(
      "0\nSECTION\n0\nCIRCLE\n100\nAcDbEntity\n100\nAcDbCircle\n40\n-2.0\n0\nEOF\n");
  QvDbDatabase db(false);
  QvDxfReadSession session(tokens, db);
  QvDxfObjectReader in(session, 1, tokens.size(), kMarkers);
  QvDbCircle circle;
  try {
    QvDxfFields::read(in, circle, kFields);
    ADD_FAILURE() << "a negative radius was taken";
  } catch (const QvDxfError& e) {
    EXPECT_EQ(QvDxfDiagnostic::kRefusedValue, e.code());
    EXPECT_EQ(3u, e.line());  // the record's
    EXPECT_NE(std::string::npos, e.message().find("no radius"));
  }
}

TEST_F(DxfFieldTableTest, TablesThatCannotStandAreNotValid) {
  static constexpr QvDxfField kBackwards[] = {
      L::point<&QvDbLine::startPoint, &QvDbLine::setStartPoint>(3, 10),
      L::point<&QvDbLine::endPoint, &QvDbLine::setEndPoint>(2, 11),
  };
  static constexpr QvDxfField kTwoNormals[] = {
      L::normal<&QvDbLine::normal, &QvDbLine::setNormal>(2),
      L::normal<&QvDbLine::normal, &QvDbLine::setNormal>(2),
  };
  static constexpr QvDxfField kOcsWithoutNormal[] = {
      L::ocsPoint<&QvDbLine::startPoint, &QvDbLine::setStartPoint>(2, 10),
  };
  EXPECT_FALSE(QvDxfFields::isValid(kBackwards));
  EXPECT_FALSE(QvDxfFields::isValid(kTwoNormals));
  EXPECT_FALSE(QvDxfFields::isValid(kOcsWithoutNormal));
}
