#pragma once

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"
#include "sdk/io/QvDxfClassFiler.h"

class QvDbEntity;

// The part every entity shares: subclass 1 is "AcDbEntity", with the layer (8), linetype (6),
// colour (62), linetype scale (48), visibility (60) and, for entities of a paper-space layout,
// the paper-space flag (67). The file reader takes the placement groups (67, 410) itself.
//
// Many entities keep their points in the object coordinate system of their normal (OCS) in
// files, and in world coordinates in the database: ocsPoint and writeOcsPoint convert, and keep
// the text read so that a point written unchanged is written as it was read.
class QvDxfEntityFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kEntity; }

  // The normal (210, default z), refused when zero.
  static QvGeVector3d readNormal(QvDxfObjectReader& in);
  static void writeNormal(QvDxfObjectWriter& out, const QvGeVector3d& normal);
  // A point given in the OCS of `normal` under `code`, in world coordinates.
  static QvGePoint3d ocsPoint(QvDxfObjectReader& in, int code, const QvGeVector3d& normal,
                              const QvGePoint3d& def = QvGePoint3d::kOrigin);
  static void writeOcsPoint(QvDxfObjectWriter& out, int code, const QvGePoint3d& world,
                            const QvGeVector3d& normal, bool is3d = true);
  static QvGePoint3d toWorld(const QvGePoint3d& ocs, const QvGeVector3d& normal);
  static QvGePoint3d toOcs(const QvGePoint3d& world, const QvGeVector3d& normal);
  // A value the database derives or converts (a text's position from its alignment point, an
  // angle read in degrees): the texts read (the `count` groups from index `at`, codes 10 apart)
  // are kept with what the database made of them (`now`, in file units) when that would not
  // be written as read; writeDerived writes the texts again while the values are the same.
  static void keepDerived(QvDxfObjectReader& in, size_t at, int count, const double* now);
  static void writeDerived(QvDxfObjectWriter& out, int code, int count, const double* now);
  // Refuses a setter's refusal with the object's line.
  static void check(QvDxfObjectReader& in, Vexa::ErrorStatus es, const char* what);

 protected:
  // Selects subclass 1 and reads the common groups.
  void readCommon(QvDxfObjectReader& in, QvDbEntity& entity) const;
  // The head and subclass 1 with the common groups; the record named as given, or the filer's.
  void beginEntity(QvDxfObjectWriter& out, const QvDbEntity& entity) const;
  void beginEntity(QvDxfObjectWriter& out, const QvDbEntity& entity,
                   std::string_view recordName) const;
  // The layer's name as written ("0" for an entity without layer).
  static QvString layerName(const QvDbEntity& entity);
  // Writes the paper-space flag for an entity of a paper-space layout.
  static void writePlacement(QvDxfObjectWriter& out, const QvDbEntity& entity);
};

// The filer of entities of class Entity, made with its default constructor.
template <class Entity>
class QvDxfEntityFilerOf : public QvDxfEntityFiler {
 public:
  const QvRxClass* objectClass() const override { return Entity::desc(); }
  QvDbObject* create(QvDxfObjectReader&) const override { return new Entity(); }
};
