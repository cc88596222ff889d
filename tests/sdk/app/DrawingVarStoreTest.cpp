#include <gtest/gtest.h>

#include <memory>

#include "sdk/app/VexaDocument.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/VexaSysVarService.h"
#include "tests/support/HostFixture.h"

namespace {

// The drawing's variables as the editor reads them, after changes made by every route: the
// variable service, the database's own setters and a header replaced whole, another document.
class DrawingVarStoreTest : public HostFixture {
 protected:
  QvGePoint3d pointVar(const wchar_t* name) {
    const auto p = vars().get(name)->pointValue();
    return {p[0], p[1], p[2]};
  }
};

TEST_F(DrawingVarStoreTest, ReadsFollowTheWorkingDrawingThroughEveryChange) {
  QvDbDatabase* first = db();
  ASSERT_EQ(shortVar(L"INSUNITS"), 4);
  ASSERT_TRUE(pointVar(L"UCSORG").isEqualTo(QvGePoint3d::kOrigin));
  ASSERT_EQ(shortVar(L"CVPORT"), 2);

  // The database's setters, without the service.
  ASSERT_EQ(first->setInsunits(QvDb::kUnitsCentimeters), Vexa::eOk);
  EXPECT_EQ(shortVar(L"INSUNITS"), QvDb::kUnitsCentimeters);
  // A variable kept outside the header.
  ASSERT_EQ(first->setCvport(3), Vexa::eOk);
  EXPECT_EQ(shortVar(L"CVPORT"), 3);
  // A setter that replaces the header whole.
  ASSERT_EQ(first->setUcs({1, 2, 3}, QvGeVector3d::kYAxis, -QvGeVector3d::kXAxis), Vexa::eOk);
  EXPECT_TRUE(pointVar(L"UCSORG").isEqualTo({1, 2, 3}));
  EXPECT_TRUE(pointVar(L"UCSXDIR").isEqualTo({0, 1, 0}));
  // The service's own writes.
  ASSERT_EQ(setShortVar(L"INSUNITS", 1), kQvNormal);
  EXPECT_EQ(first->insunits(), QvDb::kUnitsInches);

  // Another drawing has its own values, and the first keeps its.
  VexaDocument* second = documents().newDocument();
  ASSERT_NE(db(), first);
  EXPECT_EQ(shortVar(L"INSUNITS"), 4);
  EXPECT_TRUE(pointVar(L"UCSORG").isEqualTo(QvGePoint3d::kOrigin));
  EXPECT_EQ(shortVar(L"CVPORT"), 2);
  ASSERT_EQ(setShortVar(L"INSUNITS", 6), kQvNormal);
  ASSERT_EQ(documents().closeDocument(second), Vexa::eOk);
  ASSERT_EQ(db(), first);
  EXPECT_EQ(shortVar(L"INSUNITS"), 1);
  EXPECT_TRUE(pointVar(L"UCSORG").isEqualTo({1, 2, 3}));
  EXPECT_EQ(shortVar(L"CVPORT"), 3);

  // Drawings opened and closed many times over: each new one reads its own defaults.
  for (int i = 0; i < 20; ++i) {
    VexaDocument* doc = documents().newDocument();
    ASSERT_EQ(shortVar(L"INSUNITS"), 4);
    ASSERT_EQ(setShortVar(L"INSUNITS", 2), kQvNormal);
    ASSERT_EQ(documents().closeDocument(doc), Vexa::eOk);
  }
  EXPECT_EQ(shortVar(L"INSUNITS"), 1);
}

}  // namespace
