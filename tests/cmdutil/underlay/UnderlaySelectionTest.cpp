// Underlays read out of selection sets and the pickfirst set, and highlight and grips taken off.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sdk/app/VexaDocument.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/app/VexaUnderlayServices.h"
#include "sdk/app/vexaCurDocument.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "sdk/ed/VexaSelectSet.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/render/QvGiHighlightLog.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnderlaySetup.h"
#include "xqcmdutil/XqUnderlaySelection.h"

namespace {

class UnderlaySelectionTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    for (QvDbUnderlayFormat format : {QvDbUnderlayFormat::kPdf, QvDbUnderlayFormat::kDgn})
      host().service<VexaUnderlayServices>().setFormatService(
          format, std::make_unique<OneItemUnderlayService>());
    plan_ = QvString(tmp_.file("plan.dgn", "dgn").c_str());
    other_ = QvString(tmp_.file("other.dgn", "dgn").c_str());
    survey_ = QvString(tmp_.file("survey.pdf", "pdf").c_str());
  }
  void TearDown() override {
    EXPECT_TRUE(nothingLeftOpen(db()));
    HostFixture::TearDown();
  }

  QvDbObjectId line() {
    return appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
  }
  static VexaSelectSet selection(std::initializer_list<QvDbObjectId> ids) {
    VexaSelectSet ss;
    for (const QvDbObjectId& id : ids) ss.append(id);
    return ss;
  }
  static QvDbObjectIdArray array(std::initializer_list<QvDbObjectId> ids) {
    QvDbObjectIdArray out;
    for (const QvDbObjectId& id : ids) out.append(id);
    return out;
  }
  QvGiHighlightLog& highlights() { return host().service<QvGiHighlightLog>(); }
  VexaGraphics& graphics() { return *vexaCurDocument()->graphics(); }
  int invalidations() {
    int count = 0;
    for (const VexaGraphics::Call& call : graphics().calls())
      if (call.kind == VexaGraphics::Call::Kind::kInvalidate && call.bufferBits == 2 &&
          call.first && call.second)
        ++count;
    return count;
  }

  TempFolder tmp_;
  QvString plan_, other_, survey_;
};

TEST_F(UnderlaySelectionTest, TheDefinitionOfOneSelectedUnderlay) {
  const QvDbObjectId pdfDef = addUnderlayDefinition<QvDbPdfDefinition>(db(), L"survey", survey_);
  const QvDbObjectId dgnDef = addUnderlayDefinition<QvDbDgnDefinition>(db(), L"plan", plan_);
  const QvDbObjectId pdfRef = addUnderlayReference<QvDbPdfReference>(db(), pdfDef);
  const QvDbObjectId dgnRef = addUnderlayReference<QvDbDgnReference>(db(), dgnDef);
  const QvDbObjectId other = line();
  VexaPickfirstProcessor& pickfirst = *vexaGetPickfirstProc();

  QvDbObjectId id = other;  // a value that must survive every call that does not set it
  EXPECT_EQ(getSelectUnderlayDefinitionId(id), 0);
  EXPECT_EQ(id, other);

  pickfirst.setPickfirst(array({dgnRef}));
  EXPECT_EQ(getSelectUnderlayDefinitionId(id), 1);
  EXPECT_EQ(id, dgnDef);

  pickfirst.setPickfirst(array({pdfRef}));
  EXPECT_EQ(getSelectUnderlayDefinitionId(id), 1);
  EXPECT_EQ(id, pdfDef);

  id = other;
  pickfirst.setPickfirst(array({other}));  // one object, no underlay
  EXPECT_EQ(getSelectUnderlayDefinitionId(id), 1);
  EXPECT_EQ(id, other);

  pickfirst.setPickfirst(array({pdfRef, dgnRef}));  // two underlays
  EXPECT_EQ(getSelectUnderlayDefinitionId(id), 2);
  EXPECT_EQ(id, other);
}

TEST_F(UnderlaySelectionTest, HighlightAndGripsAreTakenOffTheSetKeptOrEmptied) {
  const QvDbObjectId a = line();
  const QvDbObjectId b = line();
  VexaPickfirstProcessor& pickfirst = *vexaGetPickfirstProc();

  unhighAndRemoveGripSelectionSet(true);  // nothing selected: nothing done
  EXPECT_EQ(invalidations(), 0);

  pickfirst.select(array({a, b}));
  EXPECT_TRUE(highlights().isHighlighted(a));
  EXPECT_EQ(pickfirst.grips().length(), 2);

  unhighAndRemoveGripSelectionSet(false);
  EXPECT_FALSE(highlights().isHighlighted(a));
  EXPECT_FALSE(highlights().isHighlighted(b));
  EXPECT_TRUE(pickfirst.grips().isEmpty());
  EXPECT_EQ(pickfirst.getPickfirst().length(), 2);  // the set stays
  EXPECT_EQ(invalidations(), 1);

  pickfirst.select(array({b}));
  unhighAndRemoveGripSelectionSet(true);
  EXPECT_FALSE(highlights().isHighlighted(b));
  EXPECT_TRUE(pickfirst.getPickfirst().isEmpty());
  EXPECT_EQ(invalidations(), 2);
  EXPECT_FALSE(pickfirst.doAction(3));  // not an action of the processor

  // One entity.
  graphics().highlightEntityInAllVps(a, true);
  graphics().highlightEntityInAllVps(b, true);
  unhighlightEntity(a);
  EXPECT_FALSE(highlights().isHighlighted(a));
  EXPECT_TRUE(highlights().isHighlighted(b));
  EXPECT_EQ(invalidations(), 3);
}

TEST_F(UnderlaySelectionTest, TheFirstEntityOfAClassicSelectionSetWhateverItIs) {
  const QvDbObjectId first = line();
  const QvDbObjectId ref = addUnderlayReference<QvDbPdfReference>(
      db(), addUnderlayDefinition<QvDbPdfDefinition>(db(), L"survey", survey_));
  qv_name firstName, refName, set = {0, 0};
  ASSERT_EQ(qvdbGetAdsName(firstName, first), Vexa::eOk);
  ASSERT_EQ(qvdbGetAdsName(refName, ref), Vexa::eOk);
  ASSERT_EQ(qvedSSAdd(firstName, nullptr, set), kQvNormal);
  ASSERT_EQ(qvedSSAdd(refName, set, set), kQvNormal);

  QvDbObjectId id;
  getFirstUnderlayIdFromSS(set, id);
  EXPECT_EQ(id, first);  // a line: the type is not looked at

  ASSERT_EQ(qvedSSDel(firstName, set), kQvNormal);
  ASSERT_EQ(qvedSSDel(refName, set), kQvNormal);
  id = QvDbObjectId();
  getFirstUnderlayIdFromSS(set, id);  // empty
  EXPECT_TRUE(id.isNull());
  qvedSSFree(set);
  getFirstUnderlayIdFromSS(set, id);  // gone
  EXPECT_TRUE(id.isNull());
}

TEST_F(UnderlaySelectionTest, TheDgnFileOfSelectedUnderlays) {
  const QvDbObjectId planDef = addUnderlayDefinition<QvDbDgnDefinition>(db(), L"plan", plan_);
  const QvDbObjectId otherDef = addUnderlayDefinition<QvDbDgnDefinition>(db(), L"other", other_);
  const QvDbObjectId plan1 = addUnderlayReference<QvDbDgnReference>(db(), planDef);
  const QvDbObjectId plan2 = addUnderlayReference<QvDbDgnReference>(db(), planDef);
  const QvDbObjectId otherRef = addUnderlayReference<QvDbDgnReference>(db(), otherDef);
  const QvDbObjectId pdfRef = addUnderlayReference<QvDbPdfReference>(
      db(), addUnderlayDefinition<QvDbPdfDefinition>(db(), L"survey", survey_));
  const QvDbObjectId plain = line();

  QvString path = L"untouched";
  VexaSelectSet mixed = selection({plain, plan1, pdfRef, plan2});
  EXPECT_TRUE(isOneDgnFileInSS(mixed, path));
  EXPECT_EQ(path, plan_);

  path = L"untouched";
  getDgnUnderlayPathFromSS(mixed, path);  // a line comes first
  EXPECT_EQ(path, L"untouched");
  VexaSelectSet pdfFirst = selection({pdfRef, plan1});
  getDgnUnderlayPathFromSS(pdfFirst, path);
  EXPECT_EQ(path, L"untouched");
  VexaSelectSet dgnFirst = selection({otherRef, plan1});
  getDgnUnderlayPathFromSS(dgnFirst, path);
  EXPECT_EQ(path, other_);

  path = L"untouched";
  EXPECT_FALSE(isOneDgnFileInSS(dgnFirst, path));  // two files
  VexaSelectSet noDgn = selection({plain, pdfRef});
  EXPECT_FALSE(isOneDgnFileInSS(noDgn, path));
  VexaSelectSet none;
  EXPECT_FALSE(isOneDgnFileInSS(none, path));
  EXPECT_EQ(path, L"untouched");

  // A definition that no longer opens.
  ASSERT_EQ(eraseObject(otherDef), Vexa::eOk);
  VexaSelectSet erasedDef = selection({otherRef});
  EXPECT_FALSE(isOneDgnFileInSS(erasedDef, path));
  getDgnUnderlayPathFromSS(erasedDef, path);
  EXPECT_EQ(path, L"untouched");
}

}  // namespace
