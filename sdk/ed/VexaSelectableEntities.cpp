#include "sdk/ed/VexaSelectableEntities.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"

VexaSelectableEntities::VexaSelectableEntities(QvDbDatabase* db, bool hiddenToo)
    : hiddenToo_(hiddenToo) {
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
    if (hiddenToo_ || (entry.visible && !entry.layer.frozen)) set.append(entry.id);
  return set;
}

QvDbObjectId VexaSelectableEntities::last() const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (shown(*it)) return it->id;
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
    if (!shown(entry) || !entry.hasExtents) continue;
    const QvGePoint3d& lo = entry.extents.minPoint();
    const QvGePoint3d& hi = entry.extents.maxPoint();
    const bool chosen = crossing ? lo.x <= right && hi.x >= left && lo.y <= top && hi.y >= bottom
                                 : lo.x >= left && hi.x <= right && lo.y >= bottom && hi.y <= top;
    if (chosen) set.append(entry.id);
  }
  return set;
}

double VexaSelectableEntities::planDistance(const QvDbEntity& entity, const QvDbExtents& extents,
                                            const QvGePoint3d& p) {
  if (const QvDbCurve* curve = QvDbCurve::cast(&entity)) {
    QvGePoint3d onCurve;
    if (curve->getClosestPointTo(p, QvGeVector3d::kZAxis, onCurve) == Vexa::eOk)
      return std::hypot(onCurve.x - p.x, onCurve.y - p.y);
  }
  const double dx = std::max({extents.minPoint().x - p.x, 0.0, p.x - extents.maxPoint().x});
  const double dy = std::max({extents.minPoint().y - p.y, 0.0, p.y - extents.maxPoint().y});
  return std::hypot(dx, dy);
}

QvDbObjectId VexaSelectableEntities::atPoint(const std::array<double, 3>& point,
                                             double aperture) const {
  const QvGePoint3d p(point[0], point[1], point[2]);
  QvDbObjectId nearest;
  double best = aperture;
  for (const Entry& entry : entries_) {
    if (!shown(entry) || !entry.hasExtents) continue;
    const QvGePoint3d& lo = entry.extents.minPoint();
    const QvGePoint3d& hi = entry.extents.maxPoint();
    if (p.x < lo.x - best || p.x > hi.x + best || p.y < lo.y - best || p.y > hi.y + best) continue;
    QvDbObjectPointer<QvDbEntity> entity(entry.id, QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk) continue;
    const double distance = planDistance(*entity, entry.extents, p);
    if (distance < best || (nearest.isNull() && distance <= best)) {
      best = distance;
      nearest = entry.id;
    }
  }
  return nearest;
}
