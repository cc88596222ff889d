#pragma once

#include <map>
#include <memory>
#include <string>

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDictionary.h"

// Owner of every runtime class and of the system registry. One per process, made at the first
// use, with the host's own class tree registered.
class QvRxClassRegistry {
 public:
  static QvRxClassRegistry& instance();

  QvRxDictionary* sysRegistry() { return sysRegistry_.get(); }
  QvRxDictionary* classDictionary() { return classDictionary_; }

  QvRxClass* newClass(const wchar_t* name, const wchar_t* parentName);
  void deleteClass(QvRxClass* cls);
  QvRxClass* find(const wchar_t* name) const;
  void buildHierarchy();
  // A second name under which `target` is found (for parent names of other hosts' spelling).
  void addAlias(const wchar_t* alias, const wchar_t* target);
  bool isHostClass(const QvRxClass* cls) const;
  // Marks the classes registered so far as the host's own: deleteQvRxClass leaves them alone.
  void sealHostClasses();

  ~QvRxClassRegistry();

 private:
  QvRxClassRegistry();
  void registerHostClassTree();

  std::unique_ptr<QvRxDictionary> sysRegistry_;
  QvRxDictionary* classDictionary_ = nullptr;  // owned by sysRegistry_; values by classes_
  std::map<std::wstring, QvRxClass*> classes_;  // by own name; owned here
  std::map<std::wstring, std::wstring> aliases_;
  std::map<const QvRxClass*, bool> hostClasses_;
};
