#pragma once

#include "sdk/db/QvDbObject.h"

class QvDbSymbolTable;

// A named entry of a symbol table. Names are unique among a table's live records, compared
// without regard to case, and checked by the symbol service (qvdbGetSymbolSvc) with the
// drawing's "EXTNAMES" rules; some tables accept special names of their own ("*Model_Space",
// "*Active").
class QvDbSymbolTableRecord : public QvDbObject {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbSymbolTableRecord);

  Vexa::ErrorStatus getName(QvString& name) const;
  QvString name() const;
  // In a table, the new name must be valid and free (eInvalidSymbolName, eDuplicateKey);
  // records that cannot be renamed answer eNotApplicable.
  Vexa::ErrorStatus setName(const wchar_t* name);

  // Dependency on an external reference: the record came from one ("xref|name"), and was
  // resolved when it was loaded.
  bool isDependent() const;
  bool isResolved() const;
  Vexa::ErrorStatus setDependencyFlags(bool dependent, bool resolved);
  // Whether the record may be renamed: not a dependent record, nor one of the fixed names.
  virtual bool isRenamable() const;

  // The name of a record read without opening it, for the database's own bookkeeping (names
  // of layers, blocks and layouts in messages and lookups); empty for another object.
  static QvString nameOf(QvDbObjectId recordId);

  // Whether the table accepts `name` for records of this kind besides the symbol service's
  // rules (special names such as "*Model_Space").
  virtual bool acceptsSpecialName(const QvString& name) const;

 protected:
  QvDbSymbolTableRecord() = default;
  QvDbSymbolTableRecord(const QvDbSymbolTableRecord&) = default;
  QvDbSymbolTableRecord& operator=(const QvDbSymbolTableRecord&) = default;

  // Unerasing takes the name back in the table, unless another live record took it.
  Vexa::ErrorStatus subErase(bool erasing) override;
  // The name as stored, for subclasses that check it without the read assertion.
  const QvString& storedName() const { return name_; }

 private:
  friend class QvDbSymbolTable;
  friend class QvDbLayoutManager;

  // setName without the renamable check (the layout manager swaps the paper spaces' names).
  Vexa::ErrorStatus rename(const QvString& name, bool checkRenamable);

  QvString name_;
  bool dependent_ = false;
  bool resolved_ = false;
};
