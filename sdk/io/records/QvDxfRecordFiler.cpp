#include "sdk/io/records/QvDxfRecordFiler.h"

#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"

void QvDxfRecordFiler::readName(QvDxfObjectReader& in, QvDbSymbolTableRecord& record) const {
  in.select(2);
  const size_t at = in.find(2);
  if (at == QvDxfObjectReader::npos)
    in.failObject(QvDxfDiagnostic::kMissingGroup, "the record has no name (group 2)");
  const QvString name = in.textAt(at);
  if (record.setName(name.c_str()) != Vexa::eOk)
    in.fail(at, QvDxfDiagnostic::kRefusedValue,
            qvDxfQuoted(name.utf8()) + " is not a valid name for a " +
                std::string(in.recordName()) + " record");
}

int64_t QvDxfRecordFiler::readNameAndFlags(QvDxfObjectReader& in, QvDbSymbolTableRecord& record,
                                           int64_t ownBits) const {
  readName(in, record);
  const int64_t flags = in.flags(70, 0, ownBits | kDependent | kResolved);
  record.setDependencyFlags((flags & kDependent) != 0, (flags & kResolved) != 0);
  return flags;
}

void QvDxfRecordFiler::beginNamedRecord(QvDxfObjectWriter& out, const QvDbSymbolTableRecord& record,
                                        int handleCode) const {
  out.begin(recordName(), handleCode);
  out.subclass(1);
  out.subclass(2);
  out.text(2, record.name());
}

void QvDxfRecordFiler::beginRecord(QvDxfObjectWriter& out, const QvDbSymbolTableRecord& record,
                                   int64_t ownFlags, int handleCode) const {
  beginNamedRecord(out, record, handleCode);
  int64_t flags = ownFlags;
  if (record.isDependent()) flags |= kDependent;
  if (record.isResolved()) flags |= kResolved;
  out.flags(70, flags);
}
