#include "tests/sdk/io/DxfEntityZoo.h"

#include <gtest/gtest.h>

#include <string>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGePoint2d.h"
#include "tests/support/DbSetup.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const QvGeVector3d kTilted = QvGeVector3d(0.3, -0.5, 0.8).normal();

// An anonymous dimension block ("*D" numbered by the table) drawing the dimension line.
QvDbObjectId dimensionBlock(QvDbDatabase* db, const QvGePoint3d& from, const QvGePoint3d& to) {
  const QvDbObjectId id = addBlock(db, L"*D");
  appendEntity(id, new QvDbLine(from, to));
  return id;
}

// A rotated and an aligned dimension (each with a dimension block of its own, the aligned one
// in a tilted plane with its text turned), a leader pointing from a paragraph text and a
// feature control frame of two rows in a tilted plane.
void addAnnotations(QvDbDatabase* db) {
  const QvDbObjectId space = db->modelSpaceId();
  auto* rotated = new QvDbRotatedDimension(0.5, QvGePoint3d(1, 1, 0), QvGePoint3d(7, 4, 0),
                                           QvGePoint3d(6, 8.5, 0));
  rotated->setTextPosition(QvGePoint3d(4, 7, 0));
  rotated->setDimBlockId(dimensionBlock(db, QvGePoint3d(0, 6, 0), QvGePoint3d(6, 8.5, 0)));
  rotated->setColorIndex(5);
  appendEntity(space, rotated);

  auto* aligned = new QvDbAlignedDimension(QvGePoint3d(-3, 2, 1), QvGePoint3d(2, -1, 0.5),
                                           QvGePoint3d(-2, 4, 1.25));
  aligned->setNormal(kTilted);
  aligned->setTextPosition(QvGePoint3d(0.25, 3.5, 1.5));
  aligned->setHorizontalRotation(0.3);
  aligned->setDimBlockId(dimensionBlock(db, QvGePoint3d(-2, 4, 1.25), QvGePoint3d(3, 1, 0.75)));
  appendEntity(space, aligned);

  auto* note = new QvDbMText();
  note->setLocation(QvGePoint3d(12, 6, 0));
  note->setTextHeight(0.25);
  note->setContents(L"See detail A");
  const QvDbObjectId noteId = appendEntity(space, note);
  auto* leader = new QvDbLeader();
  for (const QvGePoint3d& p :
       {QvGePoint3d(8, 2, 0), QvGePoint3d(10, 5.5, 0), QvGePoint3d(11.75, 5.875, 0.125)})
    leader->appendVertex(p);
  leader->attachAnnotation(noteId);
  appendEntity(space, leader);

  appendEntity(space, new QvDbFcf(L"{\\Fgdt;j}%%v0.1%%vA\n{\\Fgdt;u}%%v0.05", QvGePoint3d(3, -4, 2),
                                  kTilted, kTilted.perpVector()));
}

}  // namespace

void addEntityZoo(QvDbDatabase* db) {
  const QvDbObjectId layer = addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db, L"Zoo");
  const QvDbObjectId dashed =
      addRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(db, L"DASHED", [](auto& r) {
        r.setDashes({0.5, -0.25});
      });
  const QvDbObjectId style = addRecord<QvDbTextStyleTable, QvDbTextStyleTableRecord>(db, L"Narrow");
  addRecord<QvDbRegAppTable, QvDbRegAppTableRecord>(db, L"TARVO_ZOO");
  const QvDbObjectId space = db->modelSpaceId();

  auto* line = new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(10.5, -3.25, 1));
  line->setLayer(layer);
  line->setColorIndex(1);
  line->setLinetype(dashed);
  line->setLinetypeScale(0.5);
  line->setThickness(2.0);
  const QvDbObjectId lineId = appendEntity(space, line);
  {
    const double at[3] = {1, 2, 3};
    QvRbListPtr xdata(qvutBuildList(1001, L"TARVO_ZOO", 1000, L"the line", 1010, at, 1070, 5, 0));
    QvDbObjectPointer<QvDbLine> open(lineId, QvDb::kForWrite);
    open->setXData(xdata.get());
  }
  auto* invisible = new QvDbPoint(QvGePoint3d(3, 4, 5));
  invisible->setVisibility(QvDb::kInvisible);
  invisible->setEcsRotation(0.25);
  appendEntity(space, invisible);

  appendEntity(space, new QvDbCircle(QvGePoint3d(1.25, -2.5, 0.75), kTilted, 1.5));
  appendEntity(space, new QvDbArc(QvGePoint3d(2, 3, -1), QvGeVector3d(0, 0, -1), 2.0,
                                  200 * kPi / 180, 340 * kPi / 180));
  appendEntity(space, new QvDbArc(QvGePoint3d(-4, 1, 0), kTilted, 0.75, 0.1, 5.9));
  appendEntity(space, new QvDbEllipse(QvGePoint3d(5, 5, 0), QvGeVector3d::kZAxis,
                                      QvGeVector3d(3, 1, 0), 0.4, 0.5, 4.0));

  const QvGePoint3dArray fit{{0, 0, 0}, {1, 2, 0}, {3, 1, 0}, {4, 4, 1}};
  appendEntity(space, new QvDbSpline(fit, 3, 0.001, QvGeVector3d(1, 0, 0), QvGeVector3d(0, 1, 0)));
  const QvGePoint3dArray control{{0, 0, 0}, {1, 1, 0}, {2, -1, 0}, {3, 0, 0}};
  const QvGeDoubleArray knots{0, 0, 0, 0, 1, 1, 1, 1};
  const QvGeDoubleArray weights{1, 0.5, 2, 1};
  appendEntity(space, new QvDbSpline(3, true, false, false, control, knots, weights));

  appendEntity(space, new QvDbRay(QvGePoint3d(1, 1, 1), QvGeVector3d(1, 2, 2)));
  appendEntity(space, new QvDbXline(QvGePoint3d(-1, 0, 0), QvGeVector3d(0, 1, 0)));
  auto* solid = new QvDbSolid(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), QvGePoint3d(0, 2, 0));
  solid->setThickness(0.5);
  appendEntity(space, solid);
  appendEntity(space, new QvDbTrace(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0),
                                    QvGePoint3d(0, 0.25, 0), QvGePoint3d(1, 0.25, 0)));
  appendEntity(space, new QvDbFace(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0), QvGePoint3d(1, 1, 1),
                                   QvGePoint3d(0, 1, 1), true, false, true, false));

  auto* text = new QvDbText(QvGePoint3d(4, 5, 0.5), L"Right aligned", style, 0.25, 0.6);
  text->setNormal(kTilted);
  text->setHorizontalMode(kTextRight);
  text->setVerticalMode(kTextTop);
  text->setAlignmentPoint(QvGePoint3d(4, 5, 0.5));
  text->setOblique(10 * kPi / 180);
  text->setWidthFactor(0.8);
  text->mirrorInX(true);
  appendEntity(space, text);
  appendEntity(space, new QvDbText(QvGePoint3d(-2, -2, 0), L"Plain \u00E4\u00F6\u00FC, ^ and \\P"));
  auto* mtext = new QvDbMText();
  mtext->setLocation(QvGePoint3d(0, 20, 0));
  mtext->setTextHeight(0.35);
  mtext->setWidth(12);
  mtext->setAttachment(QvDbMText::kMiddleCenter);
  mtext->setTextStyle(style);
  std::wstring longText;
  for (int i = 0; i < 40; ++i) longText += L"Line " + std::to_wstring(i) + L" of the notes.\\P";
  mtext->setContents(longText.c_str());
  mtext->setRotation(0.5);
  appendEntity(space, mtext);

  // A block with attribute definitions, a reference with attributes and an array reference.
  const QvDbObjectId door = addRecord<QvDbBlockTable, QvDbBlockTableRecord>(db, L"Door");
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(door, QvDb::kForWrite);
    block->setOrigin(QvGePoint3d(0.5, 0, 0));
  }
  appendEntity(door, new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0.9, 0, 0)));
  auto* number =
      new QvDbAttributeDefinition(QvGePoint3d(0.1, 0.1, 0), L"D-000", L"NUMBER", L"Door number");
  number->setVerifiable(true);
  number->setFieldLength(8);
  appendEntity(door, number);
  auto* hidden = new QvDbAttributeDefinition(QvGePoint3d(0.1, 0.4, 0), L"", L"FIRE", L"Rating");
  hidden->setInvisible(true);
  hidden->setLockPositionInBlock(true);
  appendEntity(door, hidden);
  auto* reference = new QvDbBlockReference(QvGePoint3d(7, 8, 0.5), door);
  reference->setNormal(kTilted);
  reference->setScaleFactors(QvGeScale3d(-1.0, 2.5, 1.0));
  reference->setRotation(-0.75);
  const QvDbObjectId referenceId = appendEntity(space, reference);
  for (const auto& [tag, value] : {std::pair{L"NUMBER", L"D-101"}, std::pair{L"FIRE", L"EI30"}})
    appendAttribute(referenceId, new QvDbAttribute(QvGePoint3d(7.1, 8.1, 0.5), value, tag));
  appendEntity(space, new QvDbMInsertBlock(QvGePoint3d(20, 0, 0), door, 3, 2, 1.5, 2.5));

  auto* polyline = new QvDbPolyline();
  polyline->addVertexAt(0, QvGePoint2d(0, 0), 0.5, 0.1, 0.2, 7);
  polyline->addVertexAt(1, QvGePoint2d(2, 0), 0.0, 0.2, 0.2);
  polyline->addVertexAt(2, QvGePoint2d(2, 2), -1.0, 0.0, 0.0);
  polyline->setClosed(true);
  polyline->setElevation(1.5);
  polyline->setNormal(kTilted);
  polyline->setPlinegen(true);
  appendEntity(space, polyline);
  auto* constant = new QvDbPolyline();
  for (unsigned int i = 0; i < 4; ++i)
    constant->addVertexAt(i, QvGePoint2d(i, i % 2), 0.0, 0.05, 0.05);
  appendEntity(space, constant);
  QvGePoint3dArray vertices{{0, 0, 0}, {3, 0, 0}, {3, 3, 0}};
  const QvGeDoubleArray bulges{0.0, 0.25, 0.0};
  appendEntity(space, new QvDb2dPolyline(k2dSimplePoly, vertices, 2.0, true, 0.1, 0.3, &bulges));
  vertices.append(QvGePoint3d(0, 3, 4));
  appendEntity(space, new QvDb3dPolyline(k3dSimplePoly, vertices, false));

  addAnnotations(db);
}
