// Annotation support, fields and dynamic blocks.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbAnnotationScale.h"
#include "sdk/db/QvDbAnnotativeObjectPE.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockRepresentation.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbFieldFunctions.h"
#include "sdk/db/QvDbObjectContextInterface.h"
#include "sdk/db/QvDbPaperOrientationPE.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSmartBlockGlobals.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTagBlockReference.h"
#include "sdk/db/QvDbTagEvalGraph.h"
#include "sdk/ge/QvGePrecision.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"

namespace {

using Vexa::eOk;

class QvDbAnnotationTest : public HostFixture {
 protected:
  static QvDbAnnotativeObjectPE* annotativePE(const QvDbObject* obj) {
    return QvDbAnnotativeObjectPE::cast(obj->queryX(QvDbAnnotativeObjectPE::desc()));
  }
  static QvDbObjectContextInterface* contexts(const QvDbObject* obj) {
    return QvDbObjectContextInterface::cast(obj->queryX(QvDbObjectContextInterface::desc()));
  }
  // Adds `scale` to the scales of `obj` (a second add changes nothing, a scale the drawing's
  // list lacks is refused); then it lists `listed`.
  static void addScale(QvDbObject* obj, const QvDbAnnotationScale& scale,
                       const QvArray<QvString>& listed) {
    QvDbObjectContextInterface* ci = contexts(obj);
    ASSERT_NE(ci, nullptr);
    EXPECT_FALSE(ci->hasContext(obj, scale));
    ASSERT_EQ(ci->addContext(obj, scale), eOk);
    EXPECT_EQ(ci->addContext(obj, scale), eOk);
    EXPECT_EQ(ci->addContext(obj, QvDbAnnotationScale(L"1:3", 1, 3)), Vexa::eKeyNotFound);
    EXPECT_TRUE(ci->hasContext(obj, scale));
    EXPECT_EQ(ci->contextNames(obj), listed);
  }
  // Removes `scale` (once); then `obj` lists `listed`.
  static void removeScale(QvDbObject* obj, const QvDbAnnotationScale& scale,
                          const QvArray<QvString>& listed) {
    ASSERT_EQ(contexts(obj)->removeContext(obj, scale), eOk);
    EXPECT_EQ(contexts(obj)->removeContext(obj, scale), Vexa::eKeyNotFound);
    EXPECT_EQ(contexts(obj)->contextNames(obj), listed);
  }
};

TEST_F(QvDbAnnotationTest, AnnotativeSettingLivesInExtendedData) {
  const QvDbObjectId block = addBlock(db(), L"Tag");
  const QvDbObjectId entity = addTestEntity(db()->modelSpaceId(), 1);
  {
    QvDbObjectPointer<TestEntity> plain(entity, QvDb::kForRead);
    EXPECT_EQ(annotativePE(plain.object()), nullptr);  // entities without annotation
  }
  QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForRead);
  QvDbAnnotativeObjectPE* pe = annotativePE(record.object());
  ASSERT_NE(pe, nullptr);
  EXPECT_FALSE(pe->annotative(record.object()));
  EXPECT_EQ(pe->setAnnotative(record.object(), true), Vexa::eNotOpenForWrite);
  db()->clearAccessViolations();
  record.close();
  record.open(block, QvDb::kForWrite);
  ASSERT_EQ(pe->setAnnotative(record.object(), true), eOk);  // registers "AcadAnnotative"
  EXPECT_TRUE(pe->annotative(record.object()));
  QvRbListPtr data(record->xData(L"AcadAnnotative"));
  ASSERT_TRUE(data);
  int count = 0;
  for (const resbuf* rb = data.get(); rb; rb = rb->next) ++count;
  EXPECT_EQ(count, 6);
  EXPECT_EQ(QvString(data->next->value.string), L"AnnotativeData");
  ASSERT_EQ(pe->setAnnotative(record.object(), false), eOk);
  EXPECT_FALSE(pe->annotative(record.object()));

  auto* po = QvDbPaperOrientationPE::cast(record->queryX(QvDbPaperOrientationPE::desc()));
  ASSERT_NE(po, nullptr);
  EXPECT_FALSE(po->paperOrientation(record.object()));
  ASSERT_EQ(po->setPaperOrientation(record.object(), true), eOk);
  EXPECT_TRUE(po->paperOrientation(record.object()));
  EXPECT_FALSE(pe->annotative(record.object()));  // the two settings are apart
  record.close();
  QvDbObjectPointer<QvDbRegAppTable> apps(db()->regAppTableId(), QvDb::kForRead);
  EXPECT_TRUE(apps->has(L"AcadAnnotative"));
  EXPECT_TRUE(apps->has(L"AcadAnnoPO"));
}

TEST_F(QvDbAnnotationTest, AValueWithinTheShapeToleranceOfAListedScaleIsThatScale) {
  const double tol = QvGePrecision::kRelative;
  ASSERT_EQ(db()->setCannoscaleValue(0.5 * (1.0 + tol / 4)), eOk);
  EXPECT_EQ(db()->cannoscaleName(), L"1:2");
  ASSERT_EQ(db()->setCannoscaleValue(0.5 * (1.0 + tol * 4)), eOk);
  EXPECT_NE(db()->cannoscaleName(), L"1:2");  // a scale of its own
}

TEST_F(QvDbAnnotationTest, CurrentScaleAndScaleContexts) {
  std::unique_ptr<QvDbAnnotationScale> scale(qvdbGetCurAnnoScale());
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(scale->getName(), L"1:1");
  EXPECT_DOUBLE_EQ(scale->getScale(), 1.0);
  ASSERT_EQ(db()->setSystemVariable(L"CANNOSCALE", QvDbHeaderValue::ofString(L"1:50")), eOk);
  EXPECT_EQ(db()->setSystemVariable(L"CANNOSCALE", QvDbHeaderValue::ofString(L"1:7")),
            Vexa::eKeyNotFound);
  scale.reset(qvdbGetCurAnnoScale(db()));
  EXPECT_DOUBLE_EQ(scale->getScale(), 0.02);
  EXPECT_DOUBLE_EQ(db()->cannoscaleValue(), 0.02);
  // A value the list lacks gets a scale of its own.
  ASSERT_EQ(db()->setCannoscaleValue(0.125 / 2), eOk);
  EXPECT_EQ(db()->cannoscaleName(), L"1:16");  // in the list already
  ASSERT_EQ(db()->setCannoscaleValue(3.0), eOk);
  EXPECT_EQ(db()->cannoscaleName(), L"3:1");
  EXPECT_DOUBLE_EQ(db()->cannoscaleValue(), 3.0);
  EXPECT_EQ(db()->setCannoscaleValue(0.0), Vexa::eOutOfRange);

  const QvDbObjectId reference = addReference(db()->modelSpaceId(), addBlock(db(), L"B"));
  QvDbObjectPointer<QvDbBlockReference> ref(reference, QvDb::kForWrite);
  ASSERT_NE(contexts(ref.object()), nullptr);
  EXPECT_TRUE(contexts(ref.object())->supportsCollection(ref.object(), L"ACDB_ANNOTATIONSCALES"));
  const QvDbAnnotationScale half(L"1:2", 1, 2);
  addScale(ref.object(), half, {L"1:2"});
  addScale(ref.object(), *scale, {L"1:2", L"1:50"});
  removeScale(ref.object(), half, {L"1:50"});
}

// A preview is no object of the drawing; it takes scales of the working drawing's list.
TEST_F(QvDbAnnotationTest, AnObjectOutsideTheDrawingTakesScalesOfTheWorkingDrawing) {
  const int objectsAtStart = db()->numObjects();
  QvDbBlockReference preview;
  const QvDbAnnotationScale quarter(L"1:4", 1, 4);
  addScale(&preview, quarter, {L"1:4"});
  {  // Each object has its own; a copy, like a copy in the drawing, starts without any.
    QvDbBlockReference other;
    EXPECT_TRUE(contexts(&other)->contextNames(&other).isEmpty());
    const std::unique_ptr<QvDbObject> copy(preview.clone());
    EXPECT_TRUE(contexts(copy.get())->contextNames(copy.get()).isEmpty());
  }
  removeScale(&preview, quarter, QvArray<QvString>());
  EXPECT_EQ(db()->numObjects(), objectsAtStart);  // nothing went into the drawing
}

TEST_F(QvDbAnnotationTest, FieldsAreGotCopiedResolvedAndRemoved) {
  const QvDbObjectId definition = addTestEntity(db()->modelSpaceId(), 1);
  const QvDbObjectId attribute = addTestEntity(db()->modelSpaceId(), 2);
  const QvDbObjectId reference = addReference(db()->modelSpaceId(), addBlock(db(), L"B"));
  {
    QvDbObjectPointer<TestEntity> entity(definition, QvDb::kForWrite);
    EXPECT_FALSE(entity->hasFields());
    auto* field = new QvDbField(L"%<\\AcObjProp Object(%<\\_ObjId 0>%).Handle>%");
    field->setUnresolvedBlockReference();
    QvDbObjectId fieldId;
    ASSERT_EQ(entity->setField(L"TEXT", field, fieldId), eOk);
    EXPECT_EQ(field->ownerId().isNull(), false);
    field->close();
    EXPECT_TRUE(entity->hasFields());
  }
  {
    QvDbObjectPointer<TestEntity> source(definition, QvDb::kForRead);
    QvDbObjectPointer<TestEntity> target(attribute, QvDb::kForWrite);
    ASSERT_EQ(CopyFieldFrom(target.object(), source.object()), eOk);
    QvDbField* field = nullptr;
    ASSERT_EQ(target->getField(L"TEXT", field, QvDb::kForWrite), eOk);
    EXPECT_EQ(field->getFieldCode(), L"%<\\AcObjProp Object(%<\\_ObjId 0>%).Handle>%");
    EXPECT_TRUE(field->refersToBlockReference());
    EXPECT_TRUE(field->blockReferenceId().isNull());
    ASSERT_EQ(TransUnresolvedBlockRefId(field, reference), eOk);
    EXPECT_EQ(field->blockReferenceId(), reference);
    field->close();
    // The definition's field stays unresolved.
    QvDbField* original = nullptr;
    ASSERT_EQ(source->getField(L"TEXT", original, QvDb::kForRead), eOk);
    EXPECT_TRUE(original->blockReferenceId().isNull());
    EXPECT_EQ(original->getValue(), original->getFieldCode());  // never evaluated
    original->close();
  }
  QvDbObjectPointer<TestEntity> target(attribute, QvDb::kForWrite);
  QvDbObjectId fieldId;
  ASSERT_EQ(target->getField(L"TEXT", fieldId), eOk);
  ASSERT_EQ(target->removeField(L"TEXT"), eOk);
  EXPECT_TRUE(fieldId.isErased());
  EXPECT_FALSE(target->hasFields());
  EXPECT_EQ(target->removeField(L"TEXT"), Vexa::eKeyNotFound);
  QvDbField* none = nullptr;
  EXPECT_EQ(target->getField(L"TEXT", none, QvDb::kForRead), Vexa::eKeyNotFound);
}

TEST_F(QvDbAnnotationTest, DynamicBlocksAreFoundByTrueNameAndReset) {
  const QvDbObjectId door = addBlock(db(), L"Door");
  addTestEntity(door, 7);
  const QvDbObjectId plain = addBlock(db(), L"Plain");
  EXPECT_FALSE(QvDbDynBlockReference::isDynamicBlock(door));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(door, QvDb::kForWrite);
    QvDbObjectId graphId;
    ASSERT_EQ(QvDbEvalGraph::createGraph(record.object(), graphId), eOk);
    EXPECT_EQ(QvDbEvalGraph::createGraph(record.object(), graphId), Vexa::eDuplicateKey);
    EXPECT_TRUE(QvDbEvalGraph::hasGraph(record.object()));
  }
  EXPECT_TRUE(QvDbDynBlockReference::isDynamicBlock(door));
  EXPECT_FALSE(QvDbDynBlockReference::isDynamicBlock(plain));
  EXPECT_FALSE(QvDbTagBlockReference::isDynamicBlock(door));

  QvDbObjectId rep;
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(door, rep), eOk);
  EXPECT_TRUE(qvdbGetSymbolSvc()->isAnonymousBlockName(QvDbSymbolTableRecord::nameOf(rep)));
  EXPECT_EQ(valuesIn(rep), (std::vector<int>{7}));
  EXPECT_TRUE(QvDbDynBlockReference::isDynamicBlock(rep));
  EXPECT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(plain, rep), Vexa::eNotApplicable);
  QvDbObjectIdArray reps;
  ASSERT_EQ(QvDbSmartBlockGlobals::getAnonymousBlockIds(door, reps), eOk);
  ASSERT_EQ(reps.length(), 1);
  rep = reps[0];
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(rep, QvDb::kForRead);
    QvRbListPtr trueName(record->xData(L"AcDbDynamicBlockTrueName"));
    ASSERT_TRUE(trueName);
    EXPECT_EQ(QvString(trueName->next->value.string), L"Door");
  }

  const QvDbObjectId space = db()->modelSpaceId();
  const QvDbObjectId onDefinition = addReference(space, door);
  const QvDbObjectId onRep = addReference(space, rep);
  const QvDbObjectId onPlain = addReference(space, plain);
  QvDbDynBlockReference viaRep(onRep);
  EXPECT_TRUE(viaRep.isDynamicBlock());
  EXPECT_EQ(viaRep.dynamicBlockTableRecord(), door);
  EXPECT_EQ(viaRep.anonymousBlockTableRecord(), rep);
  EXPECT_TRUE(QvDbDynBlockReference(onDefinition).anonymousBlockTableRecord().isNull());
  EXPECT_FALSE(QvDbDynBlockReference(onPlain).isDynamicBlock());
  EXPECT_EQ(QvDbDynBlockReference(onPlain).resetBlock(), Vexa::eNotApplicable);
  EXPECT_TRUE(QvDbBlockRepresentation(onRep).hasRepresentation());
  EXPECT_EQ(QvDbBlockRepresentation(onRep).sourceBlockTableRecordId(), door);
  EXPECT_FALSE(QvDbBlockRepresentation(onDefinition).hasRepresentation());

  QvDbObjectIdArray all;
  ASSERT_EQ(QvDbSmartBlockGlobals::getBlockAllReferences(door, all), eOk);
  EXPECT_EQ(all, (QvDbObjectIdArray{onDefinition, onRep}));

  // Redefinition: the graph goes, the references are reset to the definition.
  ASSERT_EQ(viaRep.resetBlock(), eOk);
  EXPECT_EQ(blockOfReference(onRep), door);
  EXPECT_TRUE(viaRep.anonymousBlockTableRecord().isNull());
  ASSERT_EQ(QvDbEvalGraph::removeGraph(door), eOk);
  EXPECT_EQ(QvDbEvalGraph::removeGraph(door), Vexa::eKeyNotFound);
  EXPECT_FALSE(QvDbDynBlockReference::isDynamicBlock(door));
  EXPECT_FALSE(QvDbDynBlockReference::isDynamicBlock(rep));
}

TEST_F(QvDbAnnotationTest, TagBlocksAreTheirOwnKind) {
  const QvDbObjectId sign = addBlock(db(), L"Sign");
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(sign, QvDb::kForWrite);
    QvDbObjectId graphId;
    ASSERT_EQ(QvDbTagEvalGraph::createGraph(record.object(), graphId), eOk);
    record.close();
    QvDbObjectPointer<QvDbTagEvalGraph> graph(graphId, QvDb::kForWrite);
    ASSERT_EQ(graph->addTag(L"SIZE"), eOk);
    EXPECT_EQ(graph->addTag(L"size"), eOk);
    EXPECT_EQ(graph->tags(), (QvArray<QvString>{L"SIZE"}));
  }
  EXPECT_TRUE(QvDbTagBlockReference::isDynamicBlock(sign));
  EXPECT_FALSE(QvDbDynBlockReference::isDynamicBlock(sign));
  QvDbObjectId rep;
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(sign, rep), eOk);
  const QvDbObjectId ref = addReference(db()->modelSpaceId(), rep);
  QvDbTagBlockReference tagged(ref);
  EXPECT_EQ(tagged.dynamicBlockTableRecord(), sign);
  QvDbObjectIdArray all;
  ASSERT_EQ(QvDbSmartBlockGlobals::getBlockAllReferences(sign, all, QvDbSmartBlockKind::kTag), eOk);
  EXPECT_EQ(all, (QvDbObjectIdArray{ref}));
  ASSERT_EQ(tagged.resetBlock(), eOk);
  EXPECT_EQ(blockOfReference(ref), sign);
  ASSERT_EQ(QvDbTagEvalGraph::removeGraph(sign), eOk);
  EXPECT_FALSE(QvDbTagBlockReference::isDynamicBlock(sign));
}

}  // namespace
