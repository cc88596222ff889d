#include <gtest/gtest.h>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/HostFixture.h"

class DxfSmokeTest : public HostFixture {};

// A new drawing written, read and written again gives the same text.
TEST_F(DxfSmokeTest, DefaultDrawingRoundTrip) {
  std::string text;
  QvString message;
  ASSERT_EQ(Vexa::eOk, QvDxfFile::writeText(*db(), text, message)) << message;
  QvDbDatabase other(false);
  ASSERT_EQ(Vexa::eOk, QvDxfFile::readText(text, other, message)) << message;
  std::string again;
  ASSERT_EQ(Vexa::eOk, QvDxfFile::writeText(other, again, message)) << message;
  EXPECT_TRUE(text == again);
}
