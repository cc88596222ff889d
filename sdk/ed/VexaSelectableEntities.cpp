#include "sdk/ed/VexaSelectableEntities.h"

#include <algorithm>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"

VexaSelectableEntities::VexaSelectableEntities(QvDbDatabase* db) {
  if (!db) return;
  spaceId_ = db->currentSpaceId();
  QvDbObjectIdArray ids;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId_, QvDb::kForRead);
    if (space.openStatus() != Vexa::eOk) return;
    ids = space->entityIds();
  }
  QvDbLayerStates layers;
  entries_.reserve(static_cast<size_t>(ids.length()));
  for (const QvDbObjectId id : ids) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk) continue;
    Entry entry;
    entry.id = id;
    entry.layer = layers.of(entity->layerId());
    entry.visible = entity->visibility() == QvDb::kVisible;
    entry.hasExtents =
        entity->getGeomExtents(entry.extents) == Vexa::eOk && entry.extents.isValidExtents();
    index_.emplace(id, entries_.size());
    entries_.push_back(entry);
  }
}

const VexaSelectableEntities::Entry* VexaSelectableEntities::find(QvDbObjectId id) const {
  const auto it = index_.find(id);
  return it == index_.end() ? nullptr : &entries_[it->second];
}

VexaSelectSet VexaSelectableEntities::all() const {
  VexaSelectSet set;
  for (const Entry& entry : entries_)
    if (entry.visible && !entry.layer.frozen) set.append(entry.id);
  return set;
}

QvDbObjectId VexaSelectableEntities::last() const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->visible && it->layer.isShown()) return it->id;
  return QvDbObjectId();
}

VexaSelectSet VexaSelectableEntities::within(const VexaSelectSet& set) const {
  VexaSelectSet present = set;
  present.keepIf([&](QvDbObjectId id) { return find(id) != nullptr; });
  return present;
}

VexaSelectSet VexaSelectableEntities::inWindow(const std::array<double, 3>& corner1,
                                               const std::array<double, 3>& corner2,
                                               bool crossing) const {
  const double left = std::min(corner1[0], corner2[0]);
  const double right = std::max(corner1[0], corner2[0]);
  const double bottom = std::min(corner1[1], corner2[1]);
  const double top = std::max(corner1[1], corner2[1]);
  VexaSelectSet set;
  for (const Entry& entry : entries_) {
    if (!entry.visible || !entry.layer.isShown() || !entry.hasExtents) continue;
    const QvGePoint3d& lo = entry.extents.minPoint();
    const QvGePoint3d& hi = entry.extents.maxPoint();
    const bool chosen = crossing ? lo.x <= right && hi.x >= left && lo.y <= top && hi.y >= bottom
                                 : lo.x >= left && hi.x <= right && lo.y >= bottom && hi.y <= top;
    if (chosen) set.append(entry.id);
  }
  return set;
}
