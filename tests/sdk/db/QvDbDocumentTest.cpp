// Documents, the working database, ids across databases, and the drawing's variables.
#include <gtest/gtest.h>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/qvdbUcsMatrix.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"

namespace {

using Vexa::eOk;

using QvDbDocumentTest = HostFixture;

TEST_F(QvDbDocumentTest, TheCurrentDocumentsDatabaseIsTheWorkingDatabase) {
  VexaDocument* first = documents().curDocument();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->database(), db());
  EXPECT_EQ(first->docTitle(), L"Drawing1.dwg");
  QvDbDatabase* firstDb = db();

  VexaDocument* second = documents().newDocument();
  EXPECT_EQ(documents().curDocument(), second);
  EXPECT_EQ(db(), second->database());
  EXPECT_EQ(second->fileName(), L"Drawing2.dwg");
  EXPECT_EQ(documents().documentOf(firstDb), first);

  // The per-drawing variables are those of the working drawing.
  ASSERT_EQ(setShortVar(L"INSUNITS", 6), kQvNormal);
  EXPECT_EQ(second->database()->insunits(), QvDb::kUnitsMeters);
  EXPECT_EQ(firstDb->insunits(), QvDb::kUnitsMillimeters);
  ASSERT_EQ(documents().setCurDocument(first), eOk);
  EXPECT_EQ(shortVar(L"INSUNITS"), 4);
  EXPECT_EQ(setShortVar(L"INSUNITS", 25), kQvRejected);  // the table's range
  EXPECT_EQ(firstDb->insunits(), QvDb::kUnitsMillimeters);

  ASSERT_EQ(documents().closeDocument(first), eOk);
  EXPECT_EQ(documents().curDocument(), second);
  EXPECT_EQ(db(), second->database());
  EXPECT_EQ(shortVar(L"INSUNITS"), 6);
  EXPECT_EQ(documents().closeDocument(first), Vexa::eInvalidInput);
  VexaDocument stranger(nullptr, L"x.dwg");
  EXPECT_EQ(documents().setCurDocument(&stranger), Vexa::eInvalidInput);
}

TEST_F(QvDbDocumentTest, WithoutAWorkingDrawingTheVariablesCannotBeWritten) {
  ASSERT_EQ(documents().closeDocument(documents().curDocument()), eOk);
  EXPECT_EQ(db(), nullptr);
  EXPECT_EQ(shortVar(L"INSUNITS"), 4);  // the table default
  EXPECT_EQ(setShortVar(L"INSUNITS", 6), kQvError);
  QvGeMatrix3d m;
  EXPECT_EQ(qvdbUcsMatrix(m), Vexa::eNoDatabase);
  EXPECT_TRUE(m.isEqualTo(QvGeMatrix3d::kIdentity));
  // A database destroyed while working leaves no dangling working database.
  {
    QvDbDatabase loose;
    qvdbHostApplicationServices()->setWorkingDatabase(&loose);
    EXPECT_EQ(db(), &loose);
  }
  EXPECT_EQ(db(), nullptr);
}

TEST_F(QvDbDocumentTest, UcsAndHeaderVariablesLiveInTheDrawing) {
  // The UCS written through the variable service lands in the drawing and its matrix.
  const auto ucs = VexaUcs::fromAxes({10, 0, 0}, {0, 1, 0}, {-1, 0, 0});
  ASSERT_TRUE(ucs);
  ASSERT_EQ(host().service<VexaSysVarService>().setCurrentUcs(*ucs), eOk);
  EXPECT_TRUE(db()->ucsorg().isEqualTo(QvGePoint3d(10, 0, 0)));
  QvGeMatrix3d m;
  ASSERT_EQ(qvdbUcsMatrix(m), eOk);
  // UCS (1, 0, 0) is one step along the UCS X axis (world Y) from the origin.
  EXPECT_POINT_NEAR(mapped(m, QvGePoint3d(1, 0, 0)), QvGePoint3d(10, 1, 0));
  EXPECT_POINT_NEAR(mapped(m, QvGePoint3d(0, 1, 0)), QvGePoint3d(9, 0, 0));
  // The database refuses axes that are not a UCS.
  EXPECT_EQ(db()->setUcs(QvGePoint3d(), QvGeVector3d(1, 0, 0), QvGeVector3d(1, 1, 0)),
            Vexa::eInvalidInput);
  EXPECT_EQ(db()->setUcs(QvGePoint3d(), QvGeVector3d(0, 0, 0), QvGeVector3d(0, 1, 0)),
            Vexa::eInvalidInput);
  EXPECT_TRUE(db()->ucsorg().isEqualTo(QvGePoint3d(10, 0, 0)));
  ASSERT_EQ(db()->setUcs(QvGePoint3d(), QvGeVector3d(2, 0, 0), QvGeVector3d(0, 0, 3)), eOk);
  EXPECT_TRUE(db()->ucsydir().isEqualTo(QvGeVector3d(0, 0, 1)));  // stored as a unit vector

  // Header values are checked by kind and range; unknown ones are kept for files.
  EXPECT_EQ(db()->setHeaderValue(L"INSUNITS", QvDbHeaderValue::ofReal(2.0)), Vexa::eInvalidInput);
  EXPECT_EQ(db()->setHeaderValue(L"$LUNITS", QvDbHeaderValue::ofShort(9)), Vexa::eOutOfRange);
  EXPECT_EQ(db()->setHeaderValue(L"$ACADMAINTVER", QvDbHeaderValue::ofShort(105)), eOk);
  EXPECT_EQ(db()->headerValue(L"acadmaintver").asShort(), 105);
  QvDbHeaderValue value;
  EXPECT_EQ(db()->getSystemVariable(L"clayer", value), eOk);
  EXPECT_EQ(value.asString(), L"0");
  EXPECT_EQ(db()->setSystemVariable(L"CLAYER", QvDbHeaderValue::ofString(L"Nowhere")),
            Vexa::eKeyNotFound);
  addLayer(db(), L"Walls");
  ASSERT_EQ(db()->setSystemVariable(L"CLAYER", QvDbHeaderValue::ofString(L"walls")), eOk);
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(db()->clayer()), L"Walls");
  EXPECT_EQ(db()->getSystemVariable(L"NOSUCHVAR", value), Vexa::eUnknownSystemVariable);
  EXPECT_EQ(db()->setSystemVariable(L"HANDSEED", QvDbHeaderValue::ofString(L"1")),
            Vexa::eNotApplicable);
  // New entities take the current layer.
  const QvDbObjectId entity = addTestEntity(db()->modelSpaceId(), 1);
  QvDbObjectPointer<TestEntity> opened(entity, QvDb::kForRead);
  EXPECT_EQ(opened->layer(), L"Walls");
}

TEST_F(QvDbDocumentTest, IdsAreOrderedNamedByHandlesAndCheckedAcrossDatabases) {
  const QvDbObjectId a = addTestEntity(db()->modelSpaceId(), 1);
  const QvDbObjectId b = addTestEntity(db()->modelSpaceId(), 2);
  EXPECT_LT(a, b);  // in the order they were added
  EXPECT_LT(a.handle(), b.handle());
  EXPECT_EQ(a.database(), db());
  EXPECT_EQ(a.objectClass(), TestEntity::desc());
  EXPECT_TRUE(a.isValid());
  const QvDbObjectId null;
  EXPECT_TRUE(null.isNull());
  EXPECT_FALSE(null.isValid());
  EXPECT_FALSE(null.isErased());
  EXPECT_EQ(null.database(), nullptr);
  EXPECT_LT(null, a);

  // Handles find their objects; a handle given out is never taken twice.
  QvDbObjectId found;
  ASSERT_EQ(db()->getQvDbObjectId(found, false, b.handle()), eOk);
  EXPECT_EQ(found, b);
  EXPECT_EQ(db()->getQvDbObjectId(found, false, db()->handseed()), Vexa::eKeyNotFound);
  QvDbHandle parsed;
  EXPECT_TRUE(QvDbHandle::fromAscii(b.handle().ascii().c_str(), parsed));
  EXPECT_EQ(parsed, b.handle());
  EXPECT_FALSE(QvDbHandle::fromAscii(L"12G", parsed));
  EXPECT_FALSE(QvDbHandle::fromAscii(L"", parsed));

  // A reader's forward reference: an id before its object, filled by the add with its handle.
  QvDbObjectId forward;
  const QvDbHandle later(0x5000);
  ASSERT_EQ(db()->getQvDbObjectId(forward, true, later), eOk);
  EXPECT_FALSE(forward.isValid());
  auto* entity = new TestEntity(3);
  QvDbObjectId added;
  ASSERT_EQ(db()->addQvDbObject(added, entity, later), eOk);
  EXPECT_EQ(added, forward);
  EXPECT_TRUE(forward.isValid());
  QvDbObjectPointer<TestEntity> refused(new TestEntity(4));
  EXPECT_EQ(db()->addQvDbObject(added, refused.object(), later), Vexa::eDuplicateKey);
  EXPECT_FALSE(refused->isResident());
  EXPECT_GT(db()->handseed().value(), later.value());
  // Make it an entity of model space, as a reader would.
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
    ASSERT_EQ(space->appendQvDbEntity(entity), eOk);
  }
  entity->close();
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{1, 2, 3}));

  // The 64-bit value and the classic name round trip; a destroyed database's values do not.
  QvDbObjectId back;
  back.setFromOldId(a.asOldId());
  EXPECT_EQ(back, a);
  int64_t name[2];
  qvdbGetAdsName(name, b);
  ASSERT_EQ(qvdbGetObjectId(back, name), eOk);
  EXPECT_EQ(back, b);
  int64_t bogus[2] = {a.asOldId() + 1000000, 0};
  EXPECT_EQ(qvdbGetObjectId(back, bogus), Vexa::eInvalidInput);
  EXPECT_TRUE(back.isNull());
  int64_t oldValue = 0;
  {
    QvDbDatabase other;
    oldValue = other.modelSpaceId().asOldId();
    EXPECT_NE(other.modelSpaceId(), db()->modelSpaceId());
    back.setFromOldId(oldValue);
    EXPECT_EQ(back, other.modelSpaceId());
  }
  back.setFromOldId(oldValue);
  EXPECT_TRUE(back.isNull());
}

}  // namespace
