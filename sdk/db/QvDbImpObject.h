#pragma once

#include <memory>

class QvDbEntity;
class QvDbObject;

// The implementation object of an entity: the host keeps there the operations that belong to
// its own machinery rather than to the entity's interface (bounding points of texts, the NURBS
// curve of splines, vertex identifiers and selection markers of polylines). It works on its
// entity and follows the same open rules. It belongs to the entity and lives as long as it.
class QvDbImpObject {
 public:
  QvDbImpObject(const QvDbImpObject&) = delete;
  QvDbImpObject& operator=(const QvDbImpObject&) = delete;
  virtual ~QvDbImpObject() = default;

  QvDbEntity* entity() const { return entity_; }

 protected:
  explicit QvDbImpObject(QvDbEntity* entity) : entity_(entity) {}

 private:
  QvDbEntity* entity_;
};

// Access to the host's inner objects.
class QvDbSystemInternals {
 public:
  // The implementation object of `object` (kept by it), or null when its class has none.
  static QvDbImpObject* getImpObject(const QvDbObject* object);
};

// Holds an entity's implementation object, made on first use. Copies of the entity make their
// own: the holder's copy is empty.
class QvDbImpHolder {
 public:
  QvDbImpHolder() = default;
  QvDbImpHolder(const QvDbImpHolder&) {}
  QvDbImpHolder& operator=(const QvDbImpHolder&) { return *this; }

  QvDbImpObject* get() const { return imp_.get(); }
  void set(QvDbImpObject* imp) const { imp_.reset(imp); }

 private:
  mutable std::unique_ptr<QvDbImpObject> imp_;
};
