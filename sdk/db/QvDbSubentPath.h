#pragma once

#include <cstdint>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class QvGeMatrix3d;
class QvGePoint3d;

class QvDbEntity;

namespace QvDb {
// The kinds of sub-entity a path names.
enum SubentType {
  kNullSubentType = 0,
  kFaceSubentType = 1,
  kEdgeSubentType = 2,
  kVertexSubentType = 3,
  kMlineSubentCache = 4,
};
}  // namespace QvDb

// A sub-entity within its entity: its kind and index (for edges and faces the selection marker
// they are drawn with).
class QvDbSubentId {
 public:
  QvDbSubentId() = default;
  QvDbSubentId(QvDb::SubentType type, int64_t index) : type_(type), index_(index) {}

  QvDb::SubentType type() const { return type_; }
  int64_t index() const { return index_; }
  bool operator==(const QvDbSubentId&) const = default;

 private:
  QvDb::SubentType type_ = QvDb::kNullSubentType;
  int64_t index_ = 0;
};

// A sub-entity in a drawing: the ids from the outermost block reference to the entity (the
// entity last) and the sub-entity within it. A null sub-entity names the entity itself.
class QvDbFullSubentPath {
 public:
  QvDbFullSubentPath() = default;
  QvDbFullSubentPath(const QvDbObjectIdArray& objectIds, const QvDbSubentId& subentId)
      : objectIds_(objectIds), subentId_(subentId) {}
  QvDbFullSubentPath(QvDbObjectId entityId, const QvDbSubentId& subentId) : subentId_(subentId) {
    objectIds_.append(entityId);
  }

  const QvDbObjectIdArray& objectIds() const { return objectIds_; }
  QvDbObjectIdArray& objectIds() { return objectIds_; }
  const QvDbSubentId& subentId() const { return subentId_; }
  QvDbSubentId& subentId() { return subentId_; }

 private:
  QvDbObjectIdArray objectIds_;
  QvDbSubentId subentId_;
};

// Entities whose sub-entities (edges and faces) are numbered by their selection markers: the
// modeler's bodies.
class QvDbSubentHolder {
 public:
  // The paths (the entity's id alone; the caller adds the block references before it) of the
  // sub-entities of a kind that a selection marker names; a marker of 0 names the one nearest
  // the pick point seen along the view (the z axis of `viewXform`). eNotApplicable when the
  // marker names none or the entity has no sub-entities of the kind.
  virtual Vexa::ErrorStatus getSubentPathsAtGsMarker(QvDb::SubentType type, int64_t gsMark,
                                                     const QvGePoint3d& pickPoint,
                                                     const QvGeMatrix3d& viewXform,
                                                     QvArray<QvDbFullSubentPath>& paths) const = 0;
  // A sub-entity as a new entity in the entity's coordinates (in no database, owned by the
  // caller); null when there is none.
  virtual QvDbEntity* subentPtr(const QvDbSubentId& id) const = 0;

 protected:
  ~QvDbSubentHolder() = default;
};

// Reaching what a sub-entity path names.
class QvDbPointRef {
 public:
  // The sub-entity a path names, in world coordinates (through the block references of the
  // path). A null sub-entity gives the entity itself, open for read (`madeForCall` false: the
  // caller closes it; a copy when the path leads through block references); a sub-entity
  // gives a new entity in no database (`madeForCall` true: the caller deletes it). Edges: a
  // lightweight polyline's segment of marker index + 1, a 2D or 3D polyline's segment leaving
  // the vertex whose id is the marker, any other curve itself, a body's edge of that number.
  // Null when an id cannot be opened or the entity has no such sub-entity.
  static QvDbEntity* subentPtr(const QvDbFullSubentPath& path, bool& madeForCall);
};
