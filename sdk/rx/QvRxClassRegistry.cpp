#include "sdk/rx/QvRxClassRegistry.h"

#include <vector>

#include "sdk/rx/QvRxClassWatcher.h"
#include "sdk/rx/QvRxDynamicLinkerImp.h"

QvRxClassRegistry& QvRxClassRegistry::instance() {
  static QvRxClassRegistry registry;
  return registry;
}

QvRxClassRegistry::QvRxClassRegistry() : sysRegistry_(std::make_unique<QvRxDictionary>(true)) {
  classDictionary_ = new QvRxDictionary(false);
  sysRegistry_->atPut(kQvRxClassDictionary, classDictionary_);
  sysRegistry_->atPut(kQvRxDynamicLinker, new QvRxDynamicLinkerImp);
  registerHostClassTree();
  buildHierarchy();
  sealHostClasses();
}

QvRxClassRegistry::~QvRxClassRegistry() {
  // Modules still loaded go first: their exit removes what they registered, and their code
  // must stay mapped while their objects are deleted.
  if (auto* linker = dynamic_cast<QvRxDynamicLinker*>(sysRegistry_->at(kQvRxDynamicLinker)))
    linker->unloadAllModules();
  // Extensions first: their classes may be deleted before the objects they are attached to.
  for (auto& [name, cls] : classes_) {
    std::vector<const QvRxClass*> protocols;
    for (const auto& [protocol, extension] : cls->extensions()) protocols.push_back(protocol);
    for (const QvRxClass* protocol : protocols) delete cls->delX(protocol);
  }
  for (auto& [name, cls] : classes_) delete cls;
  classes_.clear();
}

QvRxClass* QvRxClassRegistry::newClass(const wchar_t* name, const wchar_t* parentName) {
  if (!name || !*name || find(name)) return nullptr;
  auto* cls = new QvRxClass(name, parentName);
  classes_[name] = cls;
  classDictionary_->atPut(name, cls);
  if (parentName && *parentName) cls->parent_ = find(parentName);
  qvrxTellClassWatcher(QvRxClassEvent::kNewClass, cls);
  return cls;
}

void QvRxClassRegistry::deleteClass(QvRxClass* cls) {
  if (!cls || isHostClass(cls)) return;
  const auto it = classes_.find(cls->name_);
  if (it == classes_.end() || it->second != cls) return;
  qvrxTellClassWatcher(QvRxClassEvent::kDeleteClass, cls);
  classes_.erase(it);
  classDictionary_->release(cls->name_.c_str());
  for (auto& [name, other] : classes_) {
    if (other->parent_ == cls) other->parent_ = nullptr;
    // Not through delX: the watcher sees the deletion, not the extensions it takes along.
    if (const auto found = other->extensions_.find(cls); found != other->extensions_.end()) {
      delete found->second;
      other->extensions_.erase(found);
    }
  }
  delete cls;
}

QvRxClass* QvRxClassRegistry::find(const wchar_t* name) const {
  if (!name) return nullptr;
  if (const auto it = classes_.find(name); it != classes_.end()) return it->second;
  if (const auto alias = aliases_.find(name); alias != aliases_.end()) {
    if (const auto it = classes_.find(alias->second); it != classes_.end()) return it->second;
  }
  return nullptr;
}

void QvRxClassRegistry::buildHierarchy() {
  for (auto& [name, cls] : classes_)
    if (!cls->parentName_.empty()) cls->parent_ = find(cls->parentName_.c_str());
}

void QvRxClassRegistry::addAlias(const wchar_t* alias, const wchar_t* target) {
  aliases_[alias] = target;
}

bool QvRxClassRegistry::isHostClass(const QvRxClass* cls) const {
  return hostClasses_.count(cls) != 0;
}

void QvRxClassRegistry::sealHostClasses() {
  for (const auto& [name, cls] : classes_) hostClasses_[cls] = true;
}
