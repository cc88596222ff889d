#pragma once

#include <span>
#include <string_view>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbEntity;
class QvDbObject;
class QvRxClass;
class QvDxfObjectReader;
class QvDxfObjectWriter;
class QvDxfWriteSession;

// How the objects of one database class are read from and written to DXF files. A filer names
// the record (entity or object type) and the subclass markers of its class, makes a new object
// for a record read, takes from the reader the groups its class models and writes them again.
// Groups it leaves are kept with the object by the reader and written back by the writer in
// their subclass, so a filer needs to model only what its class holds.
//
// A class gets its filing by a filer in sdk/io (records/, objects/ or entities/) listed in
// QvDxfFilerRegistry.cpp.
class QvDxfClassFiler {
 public:
  enum Placement { kTableRecord, kEntity, kObject };

  virtual ~QvDxfClassFiler() = default;

  virtual Placement placement() const = 0;
  // The record name in files ("LINE"), and the class it files (exactly, not derived classes).
  virtual std::string_view recordName() const = 0;
  virtual const QvRxClass* objectClass() const = 0;
  // The subclass markers after the head, in order. Entity filers start with "AcDbEntity".
  virtual std::span<const std::string_view> subclassMarkers() const = 0;

  // A new object for the record the reader holds (in no database).
  virtual QvDbObject* create(QvDxfObjectReader& in) const = 0;
  // Takes what the class models from the reader into the object, which is in the database and
  // open for write.
  virtual void read(QvDxfObjectReader& in, QvDbObject& object) const = 0;
  // Writes the whole record (QvDxfObjectWriter::begin ... end); the object is open for read.
  virtual void write(QvDxfObjectWriter& out, const QvDbObject& object) const = 0;
  // Counts the object's class for the CLASSES section when files list it.
  virtual void noteClass(QvDxfWriteSession& session, const QvDbObject& object) const;

  // Entities that own the records following them up to a sequence end (SEQEND): polylines
  // their vertices, block references their attributes. Reading: whether the record read is
  // followed so (asked before read), a new entity for a following record (null when such a
  // record does not belong there) and its adoption by the owner, which is in the database and
  // open for write, as the follower is. Writing: the entities written after the record, and
  // whether a sequence end closes them.
  virtual bool hasFollowers(QvDxfObjectReader& in) const;
  virtual QvDbEntity* createFollower(const QvDbObject& owner, std::string_view recordName) const;
  virtual Vexa::ErrorStatus adoptFollower(QvDbObject& owner, QvDbEntity& follower) const;
  virtual QvDbObjectIdArray followers(const QvDbObject& object) const;
  virtual bool endsWithSequence(const QvDbObject& object) const;
};
