#include "sdk/db/QvDbOwnedEntities.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbIdVisitor.h"

namespace {

// A sub-entity that joins a database without a layer of it takes its owner's.
void takeOwnersLayer(const QvDbEntity& owner, QvDbEntity& entity) {
  const QvDbObjectId layer = entity.layerId();
  if (layer.isNull() || layer.database() != owner.database()) {
    const QvDbObjectId ownerLayer = owner.layerId();
    if (!ownerLayer.isNull()) entity.setLayer(ownerLayer);
  }
}

}  // namespace

QvDbOwnedEntities::QvDbOwnedEntities(const QvDbOwnedEntities& other) {
  *this = other;
}

QvDbOwnedEntities& QvDbOwnedEntities::operator=(const QvDbOwnedEntities& other) {
  if (this == &other) return *this;
  std::vector<Item> items;
  items.reserve(other.items_.size());
  for (const Item& item : other.items_) {
    Item copy;
    copy.id = item.id;
    if (item.local) copy.local.reset(static_cast<QvDbEntity*>(item.local->clone()));
    items.push_back(std::move(copy));
  }
  items_ = std::move(items);
  return *this;
}

QvDbOwnedEntities::~QvDbOwnedEntities() = default;

int QvDbOwnedEntities::indexOf(QvDbObjectId id) const {
  if (id.isNull()) return -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].id == id) return static_cast<int>(i);
  return -1;
}

int QvDbOwnedEntities::indexOf(const QvDbEntity* entity) const {
  if (!entity) return -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].local.get() == entity) return static_cast<int>(i);
  return -1;
}

Vexa::ErrorStatus QvDbOwnedEntities::insertAt(int index, QvDbEntity& owner, QvDbEntity* entity,
                                              QvDbObjectId& id) {
  id.setNull();
  if (!entity) return Vexa::eNullPtr;
  if (indexOf(entity) >= 0) return Vexa::eAlreadyInDb;
  if (index < 0 || index > length()) return Vexa::eInvalidIndex;
  // Attributes and vertices come a few at a time: room for four from the first.
  if (items_.empty() && items_.capacity() < 4) items_.reserve(4);
  Item item;
  if (entity->isResident()) {
    // An entity already in the owner's database without owner (a drawing-file reader gives it
    // the handle of its file) joins the list as it is.
    if (entity->database() != owner.database()) return Vexa::eWrongDatabase;
    if (!entity->ownerId().isNull()) return Vexa::eAlreadyInDb;
    if (!entity->isWriteEnabled()) return Vexa::eNotOpenForWrite;
    id = entity->objectId();
    entity->setOwnerId(owner.objectId());
    takeOwnersLayer(owner, *entity);
    item.id = id;
    items_.insert(items_.begin() + index, std::move(item));
    return Vexa::eOk;
  }
  if (QvDbDatabase* db = owner.database()) {
    if (const Vexa::ErrorStatus es = db->addQvDbObject(id, entity); es != Vexa::eOk) return es;
    entity->setOwnerId(owner.objectId());
    takeOwnersLayer(owner, *entity);
    item.id = id;
  } else {
    item.local.reset(entity);
  }
  items_.insert(items_.begin() + index, std::move(item));
  return Vexa::eOk;
}

void QvDbOwnedEntities::removeAt(int i) {
  if (i < 0 || i >= length()) return;
  items_.erase(items_.begin() + i);
}

void QvDbOwnedEntities::reorder(const std::vector<int>& order) {
  if (order.size() != items_.size()) return;
  std::vector<Item> items(items_.size());
  for (size_t k = 0; k < order.size(); ++k)
    items[k] = std::move(items_[static_cast<size_t>(order[k])]);
  items_ = std::move(items);
}

Vexa::ErrorStatus QvDbOwnedEntities::joinDatabase(QvDbEntity& owner) {
  QvDbDatabase* db = owner.database();
  if (!db) return Vexa::eNotInDatabase;
  for (Item& item : items_) {
    if (!item.local) continue;
    QvDbEntity* entity = item.local.get();
    QvDbObjectId id;
    if (const Vexa::ErrorStatus es = db->addQvDbObject(id, entity); es != Vexa::eOk) return es;
    item.local.release();
    item.id = id;
    entity->setOwnerId(owner.objectId());
    takeOwnersLayer(owner, *entity);
    entity->close();
  }
  return Vexa::eOk;
}

QvDbOwnedEntities QvDbOwnedEntities::localCopies() const {
  QvDbOwnedEntities copies;
  for (const Item& item : items_) {
    Item copy;
    if (item.local) {
      copy.local.reset(static_cast<QvDbEntity*>(item.local->clone()));
    } else {
      QvDbObject* object = nullptr;
      if (qvdbOpenObject(object, item.id, QvDb::kForRead) != Vexa::eOk) continue;
      copy.local.reset(static_cast<QvDbEntity*>(object->clone()));
      object->close();
    }
    copies.items_.push_back(std::move(copy));
  }
  return copies;
}

void QvDbOwnedEntities::visitIds(QvDbIdVisitor& visitor) {
  for (Item& item : items_)
    if (!item.id.isNull()) visitor.visit(item.id, QvDbIdVisitor::kHardOwner);
}

QvDbOwnedEntitiesOpener::QvDbOwnedEntitiesOpener(const QvDbOwnedEntities& list,
                                                 QvDb::OpenMode mode) {
  entities_.reserve(static_cast<size_t>(list.length()));
  opened_.reserve(static_cast<size_t>(list.length()));
  for (int i = 0; i < list.length(); ++i) {
    if (QvDbEntity* local = list.localAt(i)) {
      entities_.push_back(local);
      opened_.push_back(false);
      continue;
    }
    const QvDbObjectId id = list.idAt(i);
    if (id.isNull() || id.isErased()) continue;
    QvDbEntity* entity = nullptr;
    status_ = qvdbOpenObject(entity, id, mode);
    if (status_ != Vexa::eOk) {
      closeAll();
      return;
    }
    entities_.push_back(entity);
    opened_.push_back(true);
  }
}

QvDbOwnedEntitiesOpener::~QvDbOwnedEntitiesOpener() {
  closeAll();
}

void QvDbOwnedEntitiesOpener::closeAll() {
  for (size_t i = 0; i < entities_.size(); ++i)
    if (opened_[i]) entities_[i]->close();
  entities_.clear();
  opened_.clear();
}
