#include "sdk/db/qvdbUcsMatrix.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbUCSTableRecord.h"
#include "sdk/ge/QvGeMatrix3d.h"

Vexa::ErrorStatus qvdbUcsMatrix(QvGeMatrix3d& matrix, const QvDbDatabase* db) {
  matrix.setToIdentity();
  if (!db) {
    const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    db = services ? services->workingDatabase() : nullptr;
  }
  if (!db) return Vexa::eNoDatabase;
  QvGeVector3d x, y;
  if (!QvDbUCSTableRecord::normalizedAxes(db->ucsxdir(), db->ucsydir(), x, y))
    return Vexa::eInvalidInput;
  matrix.setCoordSystem(db->ucsorg(), x, y, x.crossProduct(y));
  return Vexa::eOk;
}
