#include "sdk/db/QvDbAnnotationScale.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbScale.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbAnnotationScale)

QvDbAnnotationScale* qvdbGetCurAnnoScale(const QvDbDatabase* db) {
  if (!db) {
    const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    db = services ? services->workingDatabase() : nullptr;
  }
  if (!db) return nullptr;
  QvDbObjectPointer<QvDbScale> scale(db->findScale(db->cannoscaleName()), QvDb::kForRead);
  if (!scale) return nullptr;
  return new QvDbAnnotationScale(scale->scaleName(), scale->paperUnits(), scale->drawingUnits());
}
