#pragma once

#include <memory>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbFileGroups.h"
#include "sdk/db/QvDbIdVisitor.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/db/QvDbObjectReactor.h"
#include "sdk/db/QvDbXDataList.h"
#include "sdk/gi/QvGiDrawable.h"

class QvDbDatabase;
class QvDbDictionary;
class QvDbField;
struct QvDbObjectStub;

// Declares the members every concrete database class has: its runtime class (desc, cast, isA)
// and the state copy that transactions and cloning use, made from the class's copy constructor
// and copy assignment. Abstract classes use QVDB_DECLARE_ABSTRACT_MEMBERS. The class's .cpp
// binds it to its row of the host class tree with QVRX_DEFINE_HOST_MEMBERS(CLASS).
#define QVDB_DECLARE_MEMBERS(CLASS)                 \
 protected:                                         \
  QvDbObject* copyState() const override {          \
    return new CLASS(*this);                        \
  }                                                 \
  void takeState(const QvDbObject& from) override { \
    *this = static_cast<const CLASS&>(from);        \
  }                                                 \
  QVRX_DECLARE_MEMBERS(CLASS)

#define QVDB_DECLARE_ABSTRACT_MEMBERS(CLASS) QVRX_DECLARE_MEMBERS(CLASS)

// An object of a drawing database. An object made with new belongs to its maker until it is
// added to a database (by a symbol table, a block table record, a dictionary or
// QvDbDatabase::addQvDbObject); from then on the database owns it and it is reached by opening
// its id (qvdbOpenObject), and every open is ended with close().
//
// Reading a resident object requires an open of any mode, changing it a write open. Setters
// refuse with eNotOpenForWrite and change nothing; getters cannot refuse, so a read without an
// open is counted by the database as an access violation (QvDbDatabase::accessViolations).
// Objects that are not in a database can be read and changed freely.
//
// A subclass holds its data in members with value semantics: its copy constructor and copy
// assignment copy all of them (ids of owned objects included) and nothing else; it declares
// QVDB_DECLARE_MEMBERS, reports its ids through visitIds, starts every setter with
// assertWriteEnabled and every getter with assertReadEnabled.
class QvDbObject : public QvGiDrawable {
 protected:
  virtual QvDbObject* copyState() const;
  virtual void takeState(const QvDbObject& from);
  QVRX_DECLARE_MEMBERS(QvDbObject);

  QvDbObject();
  ~QvDbObject() override;

  // Identity.
  QvDbObjectId objectId() const;
  QvDbObjectId ownerId() const { return ownerId_; }
  // Sets the owner. Containers set it when they take an object; a resident object must be
  // open for write.
  Vexa::ErrorStatus setOwnerId(QvDbObjectId owner);
  QvDbDatabase* database() const;
  QvDbHandle handle() const;
  bool isResident() const { return stub_ != nullptr; }

  // Open state. An object that is not in a database counts as open for read and write.
  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isNotifyEnabled() const;
  bool isErased() const;
  // Changed (assertWriteEnabled with record-modified) during the present write open.
  bool isModified() const;

  // Ends one open: a notify open first, else the write open, else one read open. Closing an
  // object that is not open is refused (eNotOpenForRead) and counted as an access violation.
  // Objects that are not in a database answer eNotInDatabase and stay with their maker.
  Vexa::ErrorStatus close();
  // Read to write: only the one reader may upgrade (eWasOpenForRead otherwise).
  Vexa::ErrorStatus upgradeOpen();
  // Write to read.
  Vexa::ErrorStatus downgradeOpen();

  // eOk when the object may be read (or changed); otherwise eNotOpenForRead (or
  // eNotOpenForWrite) and an access violation counted by the database. assertWriteEnabled
  // with autoUndo lets an active transaction save the object's state before the change;
  // with recordModified the object counts as modified and its reactors hear of it at close.
  Vexa::ErrorStatus assertReadEnabled() const;
  Vexa::ErrorStatus assertWriteEnabled(bool autoUndo = true, bool recordModified = true);
  Vexa::ErrorStatus assertNotifyEnabled() const;

  // Erases (true) or unerases (false) the object; it must be open for write. The extension
  // dictionary goes with it, and so do owned objects the class erases along (subErase).
  // Erasing an erased object answers eWasErased, unerasing a live one eNotApplicable.
  // Objects a drawing cannot do without (layer "0", the spaces, ...) answer eCannotBeErased.
  Vexa::ErrorStatus erase(bool erasing = true);

  // Extended data. xData gives a new list that the caller releases: for one application its
  // name record (1001) and then its items; for a null name every application's data in turn;
  // null when there is none. setXData takes one or more such sections; each replaces the data
  // of its application, and a section of the name record alone removes it. In a database every
  // application must be registered (eRegAppNotFound), and a malformed list is refused
  // (eInvalidInput); either way nothing changes.
  resbuf* xData(const wchar_t* regappName = nullptr) const;
  Vexa::ErrorStatus setXData(const resbuf* xdata);
  // The names of the applications that hold extended data, in order.
  QvArray<QvString> xDataApplications() const;

  // Extension dictionary: made on demand (the object open for write), erased with the object.
  QvDbObjectId extensionDictionary() const;
  Vexa::ErrorStatus createExtensionDictionary();
  // Erases an empty extension dictionary and forgets it (eNotApplicable when not empty).
  Vexa::ErrorStatus releaseExtensionDictionary();
  // Takes `dictId`, a dictionary of this database that no other object owns, as the extension
  // dictionary (a drawing-file reader's link); the object must be open for write and have no
  // live extension dictionary (eAlreadyInDb).
  Vexa::ErrorStatus setExtensionDictionary(QvDbObjectId dictId);

  // Groups of a drawing file that the object's class does not model (unknown groups of a known
  // class, every group of a proxy), kept so that writing the drawing gives them back. They are
  // copied with the object's data, and visitIds shows the objects they name.
  const QvDbFileGroups& fileGroups() const;
  Vexa::ErrorStatus setFileGroups(QvDbFileGroups groups);

  // Reactors. Persistent reactors are database objects told through the notification members
  // below; they travel with the drawing. Transient ones live only in memory.
  Vexa::ErrorStatus addPersistentReactor(QvDbObjectId reactorId);
  Vexa::ErrorStatus removePersistentReactor(QvDbObjectId reactorId);
  bool hasPersistentReactor(QvDbObjectId reactorId) const;
  void addReactor(QvDbObjectReactor* reactor);
  void removeReactor(QvDbObjectReactor* reactor);
  // Every reactor, in the order added.
  QvArray<QvDbReactorEntry> reactors() const;

  // Notifications received as a persistent reactor of another object. This object is open
  // for notify while they run.
  virtual void modified(const QvDbObject* dbObj);
  virtual void erased(const QvDbObject* dbObj, bool erasing);

  // A copy of the object's data and extended data, in no database and owned by the caller;
  // without id, owner, extension dictionary or reactors. Ids of objects this one owns are
  // cleared in the copy (containers drop them); a class that should copy what it owns (a block
  // reference's attributes) overrides clone.
  QvDbObject* clone() const override;
  // Takes the data and extended data of `other`, which must be of the same class; this object
  // keeps its identity. False when the classes differ or this object may not be changed.
  bool copyFrom(const QvRxObject* other) override;
  // Puts `newObject` (in no database) in this object's place: it takes the id, the owner, the
  // reactors and, when asked, the extended data and the extension dictionary, and is open for
  // write afterwards. This object leaves the database and belongs to the caller.
  Vexa::ErrorStatus handOverTo(QvDbObject* newObject, bool keepXData = true,
                               bool keepExtDict = true);

  // Fields: field objects kept under names ("TEXT") in the "ACAD_FIELD" dictionary of the
  // extension dictionary.
  bool hasFields() const;
  Vexa::ErrorStatus getFieldDictionary(QvDbObjectId& dictId) const;
  Vexa::ErrorStatus getField(const wchar_t* propertyName, QvDbObjectId& fieldId) const;
  Vexa::ErrorStatus getField(const wchar_t* propertyName, QvDbField*& field,
                             QvDb::OpenMode mode) const;
  // Stores a new field (in no database) under the name, replacing and erasing an older one.
  Vexa::ErrorStatus setField(const wchar_t* propertyName, QvDbField* field, QvDbObjectId& fieldId);
  Vexa::ErrorStatus removeField(const wchar_t* propertyName);
  Vexa::ErrorStatus removeField(QvDbObjectId fieldId);

  // Every id the object holds, with its meaning; a visitor may replace them. The base shows
  // the extension dictionary and the persistent reactors; subclasses add theirs.
  virtual void visitIds(QvDbIdVisitor& visitor);

 protected:
  // Copies the data and the extended data; identity (id, owner, extension dictionary,
  // reactors) stays behind.
  QvDbObject(const QvDbObject& other);
  QvDbObject& operator=(const QvDbObject& other);

  // Called by erase before the flag changes: the place to erase or unerase owned objects
  // (with eraseOwned). The base takes the extension dictionary along.
  virtual Vexa::ErrorStatus subErase(bool erasing);
  // Erases or unerases an object this one owns, as part of this object's erase.
  Vexa::ErrorStatus eraseOwned(QvDbObjectId ownedId, bool erasing);
  // Whether this object may refer to `id`: null, or an object of exactly the class `cls` in
  // this object's database (eWrongObjectType, eWrongDatabase).
  Vexa::ErrorStatus checkReference(QvDbObjectId id, const QvRxClass* cls) const;
  // Called by close() when it ends a write open during which the object, resident, was
  // modified; the object is still open for write. Derived data (a dimension's block) is
  // brought up to date here. The base does nothing.
  virtual void subClose();

 private:
  friend class QvDbDatabase;
  friend class QvDbOpenRules;
  friend class QvDbTransaction;
  friend class QvDbObjectCloner;
  friend class QvDbSymbolTable;
  friend class QvDbDictionary;
  friend class QvDbSmartBlock;

  void notifyModified();
  void notifyErased(bool erasing);

  QvDbObjectStub* stub_ = nullptr;
  QvDbObjectId ownerId_;
  QvDbObjectId extDictId_;
  std::vector<QvDbReactorEntry> reactors_;
  QvDbXDataList xdata_;
  QvDbFileGroups fileGroups_;
};

// Opens the object `id` in `mode` and hands it back in `object`. Refusals, in this order:
// eNullObjectId (null id), eWasErased (erased and not openErased, or no object), eWrongObjectType
// (not of `cls`, when given), then the mode rules: eWasOpenForWrite (any open while open for
// write), eWasOpenForRead (write while readers hold it), eWasOpenForNotify (write while it
// notifies). On refusal `object` is null.
Vexa::ErrorStatus qvdbOpenObject(QvDbObject*& object, QvDbObjectId id, QvDb::OpenMode mode,
                                 bool openErased = false, const QvRxClass* cls = nullptr);

// The same, opening as class T (eWrongObjectType for an object of another class).
template <class T>
Vexa::ErrorStatus qvdbOpenObject(T*& object, QvDbObjectId id, QvDb::OpenMode mode,
                                 bool openErased = false) {
  QvDbObject* opened = nullptr;
  const Vexa::ErrorStatus es = qvdbOpenObject(opened, id, mode, openErased, T::desc());
  object = static_cast<T*>(opened);
  return es;
}
