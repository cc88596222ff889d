#pragma once

#include "sdk/base/QvString.h"
#include "sdk/io/QvDxfClassFiler.h"

class QvDbEntity;

// The part every entity shares: subclass 1 is "AcDbEntity", with the layer (8) and, for
// entities of a paper-space layout, the paper-space flag (67). The file reader takes the
// placement groups (67, 410) itself.
class QvDxfEntityFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kEntity; }

 protected:
  // Selects subclass 1 and reads the common groups.
  void readCommon(QvDxfObjectReader& in, QvDbEntity& entity) const;
  // The head and subclass 1 with the common groups.
  void beginEntity(QvDxfObjectWriter& out, const QvDbEntity& entity) const;
  // The layer's name as written ("0" for an entity without layer).
  static QvString layerName(const QvDbEntity& entity);
  // Writes the paper-space flag for an entity of a paper-space layout.
  static void writePlacement(QvDxfObjectWriter& out, const QvDbEntity& entity);
};
