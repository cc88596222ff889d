#pragma once

#include <cstdint>

#include "sdk/io/QvDxfClassFiler.h"
#include "sdk/io/QvDxfReadSession.h"

class QvDbSymbolTableRecord;

// The part every symbol-table record shares: the markers "AcDbSymbolTableRecord" and the
// record's own, its name (2) and its flags (70), of which the record's own bits are given by
// the filer and the bits of dependent (16) and resolved (32) records are the base's.
class QvDxfRecordFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kTableRecord; }
  // The table the reader notes the record's name in.
  virtual QvDxfReadSession::Table table() const = 0;

 protected:
  static constexpr int64_t kDependent = 16;
  static constexpr int64_t kResolved = 32;

  // Selects the record's own subclass (2) and reads the name (and the flags); answers the
  // flags.
  void readName(QvDxfObjectReader& in, QvDbSymbolTableRecord& record) const;
  int64_t readNameAndFlags(QvDxfObjectReader& in, QvDbSymbolTableRecord& record,
                           int64_t ownBits) const;
  // Starts the record (head and both markers) and writes the name (and the flags).
  void beginNamedRecord(QvDxfObjectWriter& out, const QvDbSymbolTableRecord& record,
                        int handleCode = 5) const;
  void beginRecord(QvDxfObjectWriter& out, const QvDbSymbolTableRecord& record, int64_t ownFlags,
                   int handleCode = 5) const;
};

// The filer of records of class Record, made with its default constructor.
template <class Record>
class QvDxfRecordFilerOf : public QvDxfRecordFiler {
 public:
  const QvRxClass* objectClass() const override { return Record::desc(); }
  QvDbObject* create(QvDxfObjectReader&) const override { return new Record(); }
};
