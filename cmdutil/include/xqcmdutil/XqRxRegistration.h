#pragma once

#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqRxMembers.h"

// The registration pattern shared by every runtime class of the module. It sits beside
// XqRxMembers.h for the module's own folders; its functions are not exported.
namespace XqRxRegistration {

// Where a class is looked up by name: the class registry, or the "ClassDictionary" entry of
// the host's system registry.
enum class Lookup { kClassRegistry, kClassDictionary };

inline constexpr const wchar_t* kClassMismatch = L"Class mismatch";

QvRxClass* find(const wchar_t* name, Lookup how);
// desc(): the stored descriptor; without one, the class found by name, which is stored.
QvRxClass* desc(QvRxClass*& descriptor, const wchar_t* name, Lookup how);
// True when rxInit must create the class: no descriptor is stored, or none is registered
// under the name. A registered class that differs from the stored descriptor aborts through
// qvrx_abort with `mismatchMessage`.
bool mustRegister(QvRxClass* descriptor, const wchar_t* name, Lookup how,
                  const wchar_t* mismatchMessage);

// rxInit(): registers the class with `create` (which calls newQvRxClass) when it must, and
// stores the result as the descriptor.
template <typename Create>
void rxInit(QvRxClass*& descriptor, const wchar_t* name, Lookup how, const wchar_t* mismatchMessage,
            Create&& create) {
  if (mustRegister(descriptor, name, how, mismatchMessage)) descriptor = create();
}

// Deletes the runtime class of CLASS and forgets its descriptor, so that nothing points at the
// deleted class while the module stays mapped.
template <typename CLASS>
void remove() {
  deleteQvRxClass(CLASS::desc());
  CLASS::gpDesc = nullptr;
}

}  // namespace XqRxRegistration

// Defines the runtime-class members of a module class registered with the short form of
// newQvRxClass (no pseudo-constructor) under its own name and the parent name given.
#define XQRX_DEFINE_MEMBERS(CLASS, PARENT_NAME)                                                   \
  QvRxClass* CLASS::gpDesc = nullptr;                                                             \
  QvRxClass* CLASS::desc() {                                                                      \
    return XqRxRegistration::desc(CLASS::gpDesc, L## #CLASS,                                      \
                                  XqRxRegistration::Lookup::kClassRegistry);                      \
  }                                                                                               \
  QvRxClass* CLASS::isA() const {                                                                 \
    return CLASS::desc();                                                                         \
  }                                                                                               \
  void CLASS::rxInit() {                                                                          \
    XqRxRegistration::rxInit(CLASS::gpDesc, L## #CLASS, XqRxRegistration::Lookup::kClassRegistry, \
                             XqRxRegistration::kClassMismatch,                                    \
                             [] { return newQvRxClass(L## #CLASS, PARENT_NAME); });               \
  }
