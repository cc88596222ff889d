#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbHandle.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"
#include "sdk/io/QvDxfWriteSession.h"

class QvDbObject;
class QvDbFileGroups;

// Writes one record of a DXF file for an object, as a class filer gives its groups: the head
// (name, handle, persistent reactors, extension dictionary, owner), then each subclass with its
// marker, followed by the groups kept for that subclass when the object was read
// (QvDbObject::fileGroups), and at the end the extended data. The object must be open for read.
class QvDxfObjectWriter {
 public:
  QvDxfObjectWriter(QvDxfWriteSession& session, const QvDbObject& object,
                    std::span<const std::string_view> markers);

  QvDxfWriteSession& session() { return session_; }
  QvDxfOutput& out() { return out_; }
  const QvDbFileGroups& kept() const { return kept_; }

  // The head; the handle is written under `handleCode` (105 for dimension styles). A table's
  // head names the table (2) right after the record name.
  void begin(std::string_view recordName, int handleCode = 5, std::string_view tableName = {});
  // The head for a record that is no object here, with the handle and owner given and the
  // kept groups of slot `headSlot`.
  void beginMarker(std::string_view recordName, QvDbHandle handle, QvDbHandle owner,
                   uint16_t headSlot);
  // Starts subclass k (1 to the number of markers): the kept groups of the subclasses before
  // it that are not written yet, then its marker.
  void subclass(int k);
  // Writes the kept groups of subclass k now, before the groups the filer writes next (for
  // classes whose kept groups precede a list: a dictionary's flags); with `replacedCode`, the first
  // kept group of that code is written with `replacement` as its value.
  void subclassKeptNow(int k, int replacedCode = -1, std::string_view replacement = {});
  // Writes the kept groups of subclass k now but those of `leftCode`, which the filer wrote
  // itself where they belong (before a list of groups the kept ones follow).
  void subclassKeptNowWithout(int k, int leftCode);
  // The kept groups of a slot, at a place the filer chooses.
  void keptGroups(uint16_t slot);
  bool hasKept(uint16_t slot) const;
  bool hasKept(uint16_t slot, int code) const;
  // Whether a value the filer may leave out as its default is written: when it differs from
  // the default, or when the record keeps a repeat of its group among the subclasses' groups,
  // which reading again would otherwise take in its place.
  bool writesGroup(int code, bool differsFromDefault) const {
    return differsFromDefault || keepsRepeat(code);
  }
  // The text of the first kept group of a slot and code (empty when there is none).
  std::string_view keptText(uint16_t slot, int code) const;
  // The rest: kept groups not written yet (subclasses, embedded object), the extended data and
  // the extended data kept as groups.
  void end();

  void raw(int code, std::string_view value) { out_.raw(code, value); }
  void text(int code, const QvString& value) { out_.text(code, value); }
  void real(int code, double value) { out_.real(code, value); }
  void integer(int code, int64_t value) { out_.integer(code, value); }
  void point(int code, const QvGePoint3d& p, bool is3d = true) {
    out_.point(code, p.x, p.y, p.z, is3d);
  }
  void vector(int code, const QvGeVector3d& v) { out_.point(code, v.x, v.y, v.z); }
  // The handle of a written object, else 0.
  void pointer(int code, QvDbObjectId id);
  // `modelledBits` with the bits kept from the file (QvDxfObjectReader::flags).
  void flags(int code, int64_t modelledBits);
  // An angle in radians, written in degrees: as it was read while unchanged.
  void angle(int code, double radians);

 private:
  void writeKept(uint16_t slot, int replacedCode = -1, std::string_view replacement = {},
                 int leftCode = -1);
  // The head's kept groups before the owner, or (afterOwner) the 330s kept there: written
  // before the owner, reading again would take one of them for it.
  void writeKeptHead(uint16_t slot, bool afterOwner);
  void flushUpTo(int slot);
  bool keepsRepeat(int code) const;

  QvDxfWriteSession& session_;
  QvDxfOutput& out_;
  const QvDbObject& object_;
  const QvDbFileGroups& kept_;
  std::span<const std::string_view> markers_;
  int flushed_ = 0;              // subclass slots 1..flushed_ are written
  uint64_t markersWritten_ = 0;  // bit k: the marker of subclass k
};
