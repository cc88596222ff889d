#include "sdk/io/QvDxfFileExtras.h"

#include "sdk/db/QvDbDatabase.h"

const QvDxfFileExtras* QvDxfFileExtras::of(const QvDbDatabase& db) {
  return dynamic_cast<const QvDxfFileExtras*>(db.fileExtras());
}
