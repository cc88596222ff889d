#pragma once

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sdk/io/QvDxfClassFiler.h"

class QvRxClass;

// The filers of the database's classes, found by record name (within a placement: table
// records, entities, objects) for reading and by class for writing. Records and classes
// without a filer go to the proxy filers.
class QvDxfFilerRegistry {
 public:
  static const QvDxfFilerRegistry& instance();

  const QvDxfClassFiler* forRecord(QvDxfClassFiler::Placement placement,
                                   std::string_view recordName) const;
  // The filer of an object's class; for classes without one, the proxy filer of entities or of
  // objects.
  const QvDxfClassFiler& forObject(const QvRxClass* cls) const;
  const QvDxfClassFiler& proxyEntities() const { return *proxyEntities_; }
  const QvDxfClassFiler& proxyObjects() const { return *proxyObjects_; }

 private:
  QvDxfFilerRegistry();
  void add(std::unique_ptr<QvDxfClassFiler> filer);

  std::vector<std::unique_ptr<QvDxfClassFiler>> filers_;
  std::unordered_map<std::string_view, const QvDxfClassFiler*> byName_[3];
  std::unordered_map<const QvRxClass*, const QvDxfClassFiler*> byClass_;
  const QvDxfClassFiler* proxyEntities_ = nullptr;
  const QvDxfClassFiler* proxyObjects_ = nullptr;
};
