#include "tests/sdk/io/DxfAnnotationZoo.h"

#include <gtest/gtest.h>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "tests/support/DbSetup.h"

namespace {

const QvGeVector3d kTilted = QvGeVector3d(0.3, -0.5, 0.8).normal();

// An anonymous dimension block ("*D" numbered by the table) drawing the dimension line.
QvDbObjectId dimensionBlock(QvDbDatabase* db, const QvGePoint3d& from, const QvGePoint3d& to) {
  const QvDbObjectId id = addBlock(db, L"*D");
  appendEntity(id, new QvDbLine(from, to));
  return id;
}

}  // namespace

void addAnnotationZoo(QvDbDatabase* db) {
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

  const QvGeVector3d across = kTilted.perpVector();
  auto* frame = new QvDbFcf(L"{\\Fgdt;j}%%v0.1%%vA\n{\\Fgdt;u}%%v0.05", QvGePoint3d(3, -4, 2),
                            kTilted, across);
  appendEntity(space, frame);
}
