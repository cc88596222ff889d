#pragma once

class QvRxClass;

// Declares the runtime-class members of a class: desc() (its descriptor in the class
// registry), cast() (null unless the object's class is or derives from this one) and isA().
#define QVRX_DECLARE_MEMBERS(CLASS)                                                   \
 public:                                                                              \
  static QvRxClass* desc();                                                           \
  static CLASS* cast(const QvRxObject* obj) {                                         \
    return obj && obj->isKindOf(desc()) ? const_cast<CLASS*>(static_cast<const CLASS*>(obj)) \
                                        : nullptr;                                    \
  }                                                                                   \
  QvRxClass* isA() const override

// Defines desc() and isA() of a host class registered at SDK start-up under its own name.
#define QVRX_DEFINE_HOST_MEMBERS(CLASS)                          \
  QvRxClass* CLASS::desc() {                                     \
    static QvRxClass* const descriptor = qvrxHostClass(L## #CLASS); \
    return descriptor;                                           \
  }                                                              \
  QvRxClass* CLASS::isA() const { return CLASS::desc(); }

// Root of all runtime objects. The slot order of the virtual operations is fixed: the deleting
// destructor, isA, then queryX, clone, copyFrom, isEqualTo and comparedTo.
class QvRxObject {
 public:
  enum class Ordering { kLessThan = -1, kEqual = 0, kGreaterThan = 1, kNotOrderable = 2 };

  QvRxObject() = default;
  QvRxObject(const QvRxObject&) = default;
  QvRxObject& operator=(const QvRxObject&) = default;
  virtual ~QvRxObject() = default;

  static QvRxClass* desc();
  static QvRxObject* cast(const QvRxObject* obj) { return const_cast<QvRxObject*>(obj); }
  virtual QvRxClass* isA() const;

  // The protocol extension of class `protocol` attached to this object's class or the nearest
  // class above it; null when none.
  virtual QvRxObject* queryX(const QvRxClass* protocol) const;
  // A new object of the same class with the same contents, or null when the class cannot copy.
  virtual QvRxObject* clone() const;
  virtual bool copyFrom(const QvRxObject* other);
  virtual bool isEqualTo(const QvRxObject* other) const;
  virtual Ordering comparedTo(const QvRxObject* other) const;

  // Shorthand for queryX.
  QvRxObject* x(const QvRxClass* protocol) const { return queryX(protocol); }
  bool isKindOf(const QvRxClass* cls) const;
};
