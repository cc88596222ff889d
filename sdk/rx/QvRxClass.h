#pragma once

#include <map>
#include <string>

#include "sdk/base/QvString.h"
#include "sdk/rx/QvRxObject.h"

class QvRxClass;
using QvRxPseudoConstructor = QvRxObject* (*)();
// Called when the application name of a class is asked for a proxy; may replace the name.
using QvRxAppNameChangeFunc = void (*)(const QvRxClass* cls, wchar_t*& newAppName,
                                       int saveVer);

// A runtime class: a name in the class registry, a parent, the values given at registration,
// and the table of protocol extensions attached to it. Classes are made by newQvRxClass and
// removed by deleteQvRxClass; the registry owns them.
class QvRxClass : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvRxClass);

  const wchar_t* name() const { return name_.c_str(); }
  const wchar_t* parentName() const { return parentName_.c_str(); }
  QvRxClass* myParent() const { return parent_; }
  bool isDerivedFrom(const QvRxClass* other) const;

  QvRxPseudoConstructor constructor() const { return constructor_; }
  QvRxObject* create() const { return constructor_ ? constructor_() : nullptr; }
  const wchar_t* dxfName() const { return dxfName_.c_str(); }
  const wchar_t* appName() const { return appName_.c_str(); }
  int dwgVersion() const { return dwgVersion_; }
  int maintenanceVersion() const { return maintenanceVersion_; }
  int proxyFlags() const { return proxyFlags_; }
  QvRxAppNameChangeFunc appNameCallbackPtr() const { return appNameCallback_; }

  // Protocol extensions. addX attaches `extension` for `protocol` and answers the one it
  // replaced (the caller owns that one again); delX detaches and answers the detached one.
  // Only this class's own table is touched. queryX walks up the parents.
  QvRxObject* addX(const QvRxClass* protocol, QvRxObject* extension);
  QvRxObject* delX(const QvRxClass* protocol);
  QvRxObject* getX(const QvRxClass* protocol) const;  // this class only
  QvRxObject* queryX(const QvRxClass* protocol) const override;
  int extensionCount() const { return static_cast<int>(extensions_.size()); }
  const std::map<const QvRxClass*, QvRxObject*>& extensions() const { return extensions_; }

 private:
  friend class QvRxClassRegistry;
  friend QvRxClass* newQvRxClass(const wchar_t*, const wchar_t*, int, int, int,
                                 QvRxPseudoConstructor, const wchar_t*, const wchar_t*,
                                 QvRxAppNameChangeFunc);
  QvRxClass(const wchar_t* name, const wchar_t* parentName);
  ~QvRxClass() override;

  std::wstring name_;
  std::wstring parentName_;
  QvRxClass* parent_ = nullptr;
  QvRxPseudoConstructor constructor_ = nullptr;
  std::wstring dxfName_;
  std::wstring appName_;
  int dwgVersion_ = 0;
  int maintenanceVersion_ = 0;
  int proxyFlags_ = 0;
  QvRxAppNameChangeFunc appNameCallback_ = nullptr;
  std::map<const QvRxClass*, QvRxObject*> extensions_;
};

// Registers a class under `name` with the parent of name `parentName` (resolved now when it is
// registered, else by qvrxBuildClassHierarchy). Answers null, and registers nothing, when the
// name is empty or already taken.
QvRxClass* newQvRxClass(const wchar_t* name, const wchar_t* parentName, int dwgVersion = 0,
                        int maintenanceVersion = 0, int proxyFlags = 0,
                        QvRxPseudoConstructor constructor = nullptr,
                        const wchar_t* dxfName = nullptr, const wchar_t* appName = nullptr,
                        QvRxAppNameChangeFunc appNameCallback = nullptr);
QvRxClass* newQvRxClass(const wchar_t* name, const wchar_t* parentName,
                        QvRxPseudoConstructor constructor);
// Removes a class from the registry and deletes it, with the extensions attached to it and
// those attached elsewhere for it as the protocol. Classes below it lose their parent link
// until a class of that name is registered again. Null or a host class does nothing.
void deleteQvRxClass(QvRxClass* cls);
// The class registered under `name` (aliases included), or null.
QvRxClass* qvrxFindQvRxClass(const wchar_t* name);
// Resolves every parent link by name.
void qvrxBuildClassHierarchy();
// The descriptor of a host class registered at start-up; aborts when there is none.
QvRxClass* qvrxHostClass(const wchar_t* name);
