#pragma once

#include <array>
#include <unordered_map>
#include <vector>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLayerStates.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ed/VexaSelectSet.h"

class QvDbDatabase;
class QvDbEntity;
class QvGePoint3d;

// What a selection chooses from: the live entities of the current space of a drawing (model
// space, or the active layout's paper space), in drawing order, each with the state of its
// layer and its extents, read once when the object is made.
//
// Entities on frozen layers and invisible entities are never chosen by ALL, Last or a window;
// those on layers that are off are chosen by ALL only (unless the hidden ones are asked for too).
// Handles reach them all. Windows are
// rectangles of the plan view: they compare the world X and Y of the entities' extents, whatever
// the current UCS.
class VexaSelectableEntities {
 public:
  struct Entry {
    QvDbObjectId id;
    QvDbLayerStates::State layer;
    bool visible = true;  // not made invisible
    bool hasExtents = false;
    QvDbExtents extents;
  };

  // With `hiddenToo`, ALL, Last, windows and picks also choose invisible entities and those on
  // layers that are off or frozen.
  explicit VexaSelectableEntities(QvDbDatabase* db, bool hiddenToo = false);

  QvDbObjectId spaceId() const { return spaceId_; }
  const std::vector<Entry>& entries() const { return entries_; }
  // The entry of an entity of the space, or null.
  const Entry* find(QvDbObjectId id) const;

  // Every visible entity not on a frozen layer.
  VexaSelectSet all() const;
  // The last entity shown (visible, on a layer neither off nor frozen); null when there is none.
  QvDbObjectId last() const;
  // The entities of `set` that are (still) entities of this space, in the set's order.
  VexaSelectSet within(const VexaSelectSet& set) const;
  // The shown entities whose extents lie wholly inside the rectangle of two corners (world
  // coordinates), or, with `crossing`, inside it or across its edges.
  VexaSelectSet inWindow(const std::array<double, 3>& corner1, const std::array<double, 3>& corner2,
                         bool crossing) const;
  // The shown entity under a point of the plan view (world coordinates): the one whose geometry
  // passes nearest it in X and Y, within `aperture` (curves by their closest point seen along
  // Z, other entities by their extents); the first in drawing order of equals. Null for none.
  QvDbObjectId atPoint(const std::array<double, 3>& point, double aperture) const;

  // The plan distance (world X and Y) from a point to an entity: its curve's closest point seen
  // along Z, else its extents'.
  static double planDistance(const QvDbEntity& entity, const QvDbExtents& extents,
                             const QvGePoint3d& point);

 private:
  // Whether Last, windows and picks may choose the entry.
  bool shown(const Entry& entry) const {
    return hiddenToo_ || (entry.visible && entry.layer.isShown());
  }

  bool hiddenToo_ = false;
  QvDbObjectId spaceId_;
  std::vector<Entry> entries_;
  std::unordered_map<QvDbObjectId, size_t> index_;
};
