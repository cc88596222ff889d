#include "sdk/rx/QvRxClass.h"

#include <utility>

#include "sdk/rx/QvRxClassRegistry.h"
#include "sdk/rx/QvRxClassWatcher.h"

QVRX_DEFINE_HOST_MEMBERS(QvRxClass)

namespace {

QvRxClassWatcher& classWatcher() {
  static QvRxClassWatcher watcher;
  return watcher;
}

}  // namespace

QvRxClassWatcher qvrxSetClassWatcher(QvRxClassWatcher watcher) {
  std::swap(classWatcher(), watcher);
  return watcher;
}

void qvrxTellClassWatcher(QvRxClassEvent::Kind kind, const QvRxClass* cls,
                          const QvRxClass* protocol) {
  const QvRxClassWatcher& watcher = classWatcher();
  if (!watcher || !cls) return;
  watcher(QvRxClassEvent{kind, cls->name(), protocol ? protocol->name() : L""});
}

QvRxClass::QvRxClass(const wchar_t* name, const wchar_t* parentName)
    : name_(name ? name : L""), parentName_(parentName ? parentName : L"") {}

QvRxClass::~QvRxClass() {
  for (auto& [protocol, extension] : extensions_) delete extension;
}

bool QvRxClass::isDerivedFrom(const QvRxClass* other) const {
  if (!other) return false;
  for (const QvRxClass* cls = this; cls; cls = cls->parent_)
    if (cls == other) return true;
  return false;
}

QvRxObject* QvRxClass::addX(const QvRxClass* protocol, QvRxObject* extension) {
  if (!protocol) return nullptr;
  if (!extension) return delX(protocol);
  qvrxTellClassWatcher(QvRxClassEvent::kAddX, this, protocol);
  QvRxObject*& slot = extensions_[protocol];
  QvRxObject* previous = slot;
  slot = extension;
  return previous == extension ? nullptr : previous;
}

QvRxObject* QvRxClass::delX(const QvRxClass* protocol) {
  if (protocol) qvrxTellClassWatcher(QvRxClassEvent::kDelX, this, protocol);
  const auto it = extensions_.find(protocol);
  if (it == extensions_.end()) return nullptr;
  QvRxObject* extension = it->second;
  extensions_.erase(it);
  return extension;
}

QvRxObject* QvRxClass::getX(const QvRxClass* protocol) const {
  const auto it = extensions_.find(protocol);
  return it == extensions_.end() ? nullptr : it->second;
}

QvRxObject* QvRxClass::queryX(const QvRxClass* protocol) const {
  if (!protocol) return nullptr;
  for (const QvRxClass* cls = this; cls; cls = cls->parent_)
    if (QvRxObject* extension = cls->getX(protocol)) return extension;
  return nullptr;
}

QvRxClass* newQvRxClass(const wchar_t* name, const wchar_t* parentName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags, QvRxPseudoConstructor constructor,
                        const wchar_t* dxfName, const wchar_t* appName,
                        QvRxAppNameChangeFunc appNameCallback) {
  QvRxClass* cls = QvRxClassRegistry::instance().newClass(name, parentName);
  if (!cls) return nullptr;
  cls->dwgVersion_ = dwgVersion;
  cls->maintenanceVersion_ = maintenanceVersion;
  cls->proxyFlags_ = proxyFlags;
  cls->constructor_ = constructor;
  cls->dxfName_ = dxfName ? dxfName : L"";
  cls->appName_ = appName ? appName : L"";
  cls->appNameCallback_ = appNameCallback;
  return cls;
}

QvRxClass* newQvRxClass(const wchar_t* name, const wchar_t* parentName,
                        QvRxPseudoConstructor constructor) {
  return newQvRxClass(name, parentName, 0, 0, 0, constructor);
}

void deleteQvRxClass(QvRxClass* cls) {
  QvRxClassRegistry::instance().deleteClass(cls);
}

QvRxClass* qvrxFindQvRxClass(const wchar_t* name) {
  return QvRxClassRegistry::instance().find(name);
}

void qvrxBuildClassHierarchy() {
  QvRxClassRegistry::instance().buildHierarchy();
}

QvRxClass* qvrxHostClass(const wchar_t* name) {
  QvRxClass* cls = qvrxFindQvRxClass(name);
  if (!cls) qvrx_abort(L"The host class %ls is not registered", name);
  return cls;
}
