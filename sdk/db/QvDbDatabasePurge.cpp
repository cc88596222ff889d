// The purge test: which objects nothing uses.
#include <unordered_set>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectStub.h"

namespace {

class HardPointers : public QvDbIdVisitor {
 public:
  explicit HardPointers(std::unordered_set<QvDbObjectId>& used, QvDbObjectId self)
      : used_(used), self_(self) {}
  void visit(QvDbObjectId& id, Kind kind) override {
    if (kind == kHardPointer && id != self_) used_.insert(id);
  }

 private:
  std::unordered_set<QvDbObjectId>& used_;
  QvDbObjectId self_;
};

}  // namespace

Vexa::ErrorStatus QvDbDatabase::purge(QvDbObjectIdArray& ids) const {
  for (const QvDbObjectId& id : ids)
    if (id.database() != this) return Vexa::eWrongDatabase;
  std::unordered_set<QvDbObjectId> used;
  for (const QvDbObjectStub& stub : stubs_) {
    if (!stub.object || stub.erased || stub.removed) continue;
    const QvDbObjectId self(const_cast<QvDbObjectStub*>(&stub));
    HardPointers pointers(used, self);
    stub.object->visitIds(pointers);
  }
  QvDbObjectIdArray purgeable;
  for (const QvDbObjectId& id : ids)
    if (!used.count(id) && !isIndispensable(id)) purgeable.append(id);
  ids = std::move(purgeable);
  return Vexa::eOk;
}
