// The annotative dimension styles and text style of the classic helper library, and the
// annotative and paper-orientation settings of objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/SymbolRecords.h"
#include "xqcmdutil/XqAnnotation.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

// A list as "code:value" texts, for comparison.
std::vector<std::string> describe(const resbuf* list) {
  std::vector<std::string> out;
  for (; list; list = list->next) {
    std::string value;
    if (qvRbValueKind(list->type) == QvRbKind::kString)
      value = QvString(list->value.string).utf8();
    else if (qvRbValueKind(list->type) == QvRbKind::kShort)
      value = std::to_string(list->value.int16);
    out.push_back(std::to_string(list->type) + ":" + value);
  }
  return out;
}

std::vector<std::string> annotativeData(int flag) {
  return {"1001:AcadAnnotative",
          "1000:AnnotativeData",
          "1002:{",
          "1070:1",
          "1070:" + std::to_string(flag),
          "1002:}"};
}

class AnnotationTest : public HostFixture {
 protected:
  QvDbObjectId standardDimStyle() { return recordNamed(db()->dimStyleTableId(), L"Standard"); }
  bool registered(const wchar_t* app) {
    QvDbObjectPointer<QvDbRegAppTable> table(db()->regAppTableId(), QvDb::kForRead);
    return table->has(app);
  }
  std::vector<std::string> xdataOf(QvDbObjectId id, const wchar_t* app) {
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForRead);
    return describe(QvRbListPtr(object->xData(app)).get());
  }
};

TEST_F(AnnotationTest, SettingAndReadingTheAnnotativeFlag) {
  const QvDbObjectId style = standardDimStyle();
  EXPECT_FALSE(IsDimStyleAnnotative(style));
  ASSERT_FALSE(registered(L"AcadAnnotative"));
  {
    QvDbObjectPointer<QvDbDimStyleTableRecord> record(style, QvDb::kForWrite);
    ASSERT_EQ(SetDimStyleAnnotative(record.object(), true), Vexa::eOk);
    EXPECT_TRUE(IsDimStyleAnnotative(record.object()));
  }
  EXPECT_TRUE(registered(L"AcadAnnotative"));
  EXPECT_EQ(xdataOf(style, L"AcadAnnotative"), annotativeData(1));
  EXPECT_TRUE(IsDimStyleAnnotative(style));
  {
    QvDbObjectPointer<QvDbDimStyleTableRecord> record(style, QvDb::kForWrite);
    ASSERT_EQ(SetDimStyleAnnotative(record.object(), false), Vexa::eOk);
  }
  EXPECT_EQ(xdataOf(style, L"AcadAnnotative"), annotativeData(0));
  EXPECT_FALSE(IsDimStyleAnnotative(style));
}

TEST_F(AnnotationTest, OtherDataStaysAndBadDataIsReplaced) {
  const QvDbObjectId style = standardDimStyle();
  {
    // "ACAD" is registered in every drawing; a cut-short annotative section besides it.
    QvDbObjectPointer<QvDbDimStyleTableRecord> record(style, QvDb::kForWrite);
    ASSERT_EQ(SetDimStyleAnnotative(record.object(), false), Vexa::eOk);  // registers the name
    QvRbListPtr data(qvutBuildList(kGcXDataAppName, L"ACAD", kGcXDataString, L"keep me",
                                   kGcXDataAppName, L"AcadAnnotative", kGcXDataString,
                                   L"AnnotativeData", kGcXDataControl, L"{", kGcXDataShort, 1,
                                   kGcXDataControl, L"}", 0));
    ASSERT_EQ(record->setXData(data.get()), Vexa::eOk);
    EXPECT_FALSE(IsDimStyleAnnotative(record.object()));  // no flag record: false, no crash
    ASSERT_EQ(SetDimStyleAnnotative(record.object(), true), Vexa::eOk);
  }
  EXPECT_EQ(xdataOf(style, L"AcadAnnotative"), annotativeData(1));
  EXPECT_EQ(xdataOf(style, L"ACAD"), (std::vector<std::string>{"1001:ACAD", "1000:keep me"}));
}

TEST_F(AnnotationTest, RecordsAfterTheFlagSectionAreKept) {
  const QvDbObjectId style = standardDimStyle();
  {
    QvDbObjectPointer<QvDbDimStyleTableRecord> record(style, QvDb::kForWrite);
    ASSERT_EQ(SetDimStyleAnnotative(record.object(), false), Vexa::eOk);
    QvRbListPtr data(qvutBuildList(kGcXDataAppName, L"AcadAnnotative", kGcXDataString,
                                   L"AnnotativeData", kGcXDataControl, L"{", kGcXDataShort, 1,
                                   kGcXDataShort, 0, kGcXDataControl, L"}", kGcXDataString, L"more",
                                   kGcXDataShort, 7, 0));
    ASSERT_EQ(record->setXData(data.get()), Vexa::eOk);
    ASSERT_EQ(SetDimStyleAnnotative(record.object(), true), Vexa::eOk);
  }
  std::vector<std::string> expected = annotativeData(1);
  expected.push_back("1000:more");
  expected.push_back("1070:7");
  EXPECT_EQ(xdataOf(style, L"AcadAnnotative"), expected);
  EXPECT_TRUE(IsDimStyleAnnotative(style));
}

TEST_F(AnnotationTest, RefusalsLeaveTheStyleAlone) {
  const QvDbObjectId style = standardDimStyle();
  {
    QvDbObjectPointer<QvDbDimStyleTableRecord> record(style, QvDb::kForRead);
    EXPECT_EQ(SetDimStyleAnnotative(record.object(), true), Vexa::eNotOpenForWrite);
  }
  EXPECT_TRUE(xdataOf(style, L"AcadAnnotative").empty());
  EXPECT_FALSE(registered(L"AcadAnnotative"));
  EXPECT_EQ(SetDimStyleAnnotative(nullptr, true), Vexa::eNullPtr);
  EXPECT_FALSE(IsDimStyleAnnotative(static_cast<const QvDbDimStyleTableRecord*>(nullptr)));
  EXPECT_FALSE(IsDimStyleAnnotative(QvDbObjectId()));
  EXPECT_FALSE(IsDimStyleAnnotative(db()->layerTableId()));  // not a dimension style
  // A style in no database needs no registration.
  QvDbDimStyleTableRecord loose;
  EXPECT_EQ(SetDimStyleAnnotative(&loose, true), Vexa::eOk);
  EXPECT_TRUE(IsDimStyleAnnotative(&loose));
}

TEST_F(AnnotationTest, TheAnnotativeTextStyle) {
  EXPECT_TRUE(getTextStyleAnnotativeId(nullptr).isNull());
  EXPECT_TRUE(getTextStyleAnnotativeId(db()).isNull());
  QvDbObjectId added;
  {
    QvDbObjectPointer<QvDbTextStyleTable> table(db()->textStyleTableId(), QvDb::kForWrite);
    QvDbObjectPointer<QvDbTextStyleTableRecord> record;
    record.create();
    ASSERT_EQ(record->setName(L"Annotative"), Vexa::eOk);
    ASSERT_EQ(table->add(added, record.object()), Vexa::eOk);
  }
  EXPECT_EQ(getTextStyleAnnotativeId(db()), added);
  {
    // A table held open for write elsewhere cannot be read: no id, and nothing else changes.
    QvDbObjectPointer<QvDbTextStyleTable> busy(db()->textStyleTableId(), QvDb::kForWrite);
    ASSERT_EQ(busy.openStatus(), Vexa::eOk);
    EXPECT_TRUE(getTextStyleAnnotativeId(db()).isNull());
  }
  EXPECT_EQ(getTextStyleAnnotativeId(db()), added);
  ASSERT_EQ(eraseObject(added), Vexa::eOk);
  EXPECT_TRUE(getTextStyleAnnotativeId(db()).isNull());
}

TEST_F(AnnotationTest, SettingsGoThroughTheExtensions) {
  const QvDbObjectId id = addBlock(db(), L"Tag");
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    EXPECT_FALSE(IsObjectAnnotative(block.object()));
    EXPECT_FALSE(IsObjectPaperOrientation(block.object()));
    ASSERT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
    ASSERT_EQ(SetObjectPaperOrientation(block.object(), true), Vexa::eOk);
  }
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    EXPECT_TRUE(IsObjectAnnotative(block.object()));
    EXPECT_TRUE(IsObjectPaperOrientation(block.object()));
    // Already so: nothing is written, so a read open is enough.
    EXPECT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
    EXPECT_EQ(SetObjectPaperOrientation(block.object(), true), Vexa::eOk);
  }
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    ASSERT_EQ(SetObjectAnnotative(block.object(), false), Vexa::eOk);
    EXPECT_FALSE(IsObjectAnnotative(block.object()));
    EXPECT_TRUE(IsObjectPaperOrientation(block.object()));
  }
}

TEST_F(AnnotationTest, ObjectsWithoutTheExtensionsAndNull) {
  QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForWrite);
  EXPECT_FALSE(IsObjectAnnotative(layers.object()));
  EXPECT_FALSE(IsObjectPaperOrientation(layers.object()));
  EXPECT_EQ(SetObjectAnnotative(layers.object(), true), Vexa::eNotApplicable);
  EXPECT_EQ(SetObjectPaperOrientation(layers.object(), true), Vexa::eNotApplicable);
  EXPECT_FALSE(IsObjectAnnotative(nullptr));
  EXPECT_FALSE(IsObjectPaperOrientation(nullptr));
  EXPECT_EQ(SetObjectAnnotative(nullptr, true), Vexa::eNullPtr);
  EXPECT_EQ(SetObjectPaperOrientation(nullptr, false), Vexa::eNullPtr);
}

}  // namespace
