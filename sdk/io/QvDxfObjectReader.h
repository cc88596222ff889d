#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbFileGroups.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"
#include "sdk/io/QvDxfDiagnostic.h"
#include "sdk/io/QvDxfReadSession.h"

class QvDbObject;

// The groups of one record of a DXF file (from its "0 NAME" to the next group 0), as a class
// filer reads them. The common head (handle, persistent reactors, extension dictionary,
// owner) and the extended data are taken apart first. The rest is divided by the filer's
// subclass markers: the filer selects a subclass and takes the groups it models from it; the
// groups it leaves are kept with the object (QvDbObject::fileGroups), in the slot of their
// subclass, and written back there. In files without subclass markers (R12) every group
// belongs to every subclass.
//
// Values are checked as they are taken: a value that is not of its code's kind, or outside the
// range the filer gives, is refused with its line (QvDxfError).
class QvDxfObjectReader {
 public:
  static constexpr size_t npos = std::numeric_limits<size_t>::max();

  struct Options {
    uint16_t slotBase = 0;      // added to the slots of the groups kept
    bool keepXDataRaw = false;  // extended data kept as groups (slot kXData) instead of parsed
  };

  QvDxfObjectReader(QvDxfReadSession& session, size_t begin, size_t end,
                    std::span<const std::string_view> markers, Options options);
  QvDxfObjectReader(QvDxfReadSession& session, size_t begin, size_t end,
                    std::span<const std::string_view> markers)
      : QvDxfObjectReader(session, begin, end, markers, Options()) {}
  QvDxfObjectReader(const QvDxfObjectReader&) = delete;
  QvDxfObjectReader& operator=(const QvDxfObjectReader&) = delete;
  ~QvDxfObjectReader();

  QvDxfReadSession& session() { return session_; }
  QvDbDatabase& db() { return session_.db(); }
  std::string_view recordName() const { return tokens_.value(begin_); }
  uint32_t line() const { return tokens_[begin_].line; }
  size_t beginIndex() const { return begin_; }
  size_t endIndex() const { return end_; }

  // The head; lines are those of the values.
  uint64_t handle() const { return handle_; }
  uint32_t handleLine() const { return handleLine_; }
  bool hasOwner() const { return ownerLine_ != 0; }
  uint64_t ownerHandle() const { return ownerHandle_; }
  uint32_t ownerLine() const { return ownerLine_; }
  const std::vector<QvDbObjectId>& reactors() const { return reactors_; }
  QvDbObjectId extensionDictionary() const { return extensionDictionary_; }
  uint32_t extensionDictionaryLine() const { return extensionDictionaryLine_; }
  bool hasSubclassMarkers() const { return hasMarkers_; }

  // Groups of the selected subclass (1 to the number of markers). Each is taken once: find
  // and the readers below take the first group of the code not taken yet.
  void select(int subclass) { selected_ = static_cast<uint16_t>(subclass); }
  size_t find(int code);
  bool has(int code) const;
  double real(int code, double def);
  int64_t integer(int code, int64_t def, int64_t min, int64_t max);
  int16_t int16(int code, int16_t def) {
    return static_cast<int16_t>(integer(code, def, INT16_MIN, INT16_MAX));
  }
  int32_t int32(int code, int32_t def) {
    return static_cast<int32_t>(integer(code, def, INT32_MIN, INT32_MAX));
  }
  QvString text(int code, const QvString& def = QvString());
  // The value as it stands in the file (empty when absent).
  std::string_view raw(int code);
  // x under `code`, y under code + 10 right after it, z under code + 20 after that (0 when
  // absent).
  QvGePoint3d point(int code, const QvGePoint3d& def);
  QvGeVector3d vector(int code, const QvGeVector3d& def);
  // The object a handle names (null when absent or 0); checked to exist when all is read.
  QvDbObjectId pointer(int code);
  // A flags value of which the class models the bits of `modelledMask`; the other bits are
  // kept and merged again into the value written (QvDxfObjectWriter::flags).
  int64_t flags(int code, int64_t def, int64_t modelledMask);
  // An angle written in degrees, answered in radians; the text read is kept, so that the angle
  // is written as it was read while unchanged (QvDxfObjectWriter::angle).
  double angle(int code, double defRadians);

  // Walking the groups of the selection in order.
  size_t bodyBegin() const { return bodyBegin_; }
  size_t next(size_t from) const;
  int code(size_t i) const { return tokens_.code(i); }
  std::string_view value(size_t i) const { return tokens_.value(i); }
  uint32_t lineAt(size_t i) const { return tokens_[i].line; }
  double realAt(size_t i);
  int64_t integerAt(size_t i, int64_t min, int64_t max);
  QvString textAt(size_t i);
  QvDbObjectId pointerAt(size_t i);
  void use(size_t i) { used_[i - begin_] = 1; }
  // Gives a group back, so that it is kept with the object although the filer read it.
  void release(size_t i) { used_[i - begin_] = 0; }
  bool isUsed(size_t i) const { return used_[i - begin_] != 0; }
  // Keeps group i (taken, npos for none) in its place when the record repeats its code: for a
  // value not written back (a default), whose repeat would otherwise be taken first next time.
  void keepBeforeRepeat(size_t i) {
    if (i != npos && has(code(i))) release(i);
  }
  // Drops a group that describes a part the record has not reached yet ("a dash (49)"), with a
  // repair: kept, it would be written after the parts and taken as the last one's next time.
  void dropBeforeAny(size_t i, std::string_view part);
  // What has been taken so far, to take it back: a filer that tries the groups before it
  // decides what to make rewinds to the mark.
  struct Mark {
    std::vector<uint8_t> used;
    size_t kept = 0;
  };
  Mark mark() const { return {used_, extraKept_.size()}; }
  void rewind(const Mark& mark);
  // Divides the body again by other subclass markers: a filer that makes a proxy of a record it
  // cannot model keeps every group in the proxy's subclasses, its own markers included.
  void reassignSubclasses(std::span<const std::string_view> markers);
  // Puts a group the filer leaves in a place of its own (kept, not taken).
  void setSlot(size_t i, uint16_t slot) { slots_[i - begin_] = slot; }
  // Keeps a value of the filer's own (in a slot not written as a group).
  void keep(int code, uint16_t slot, std::string text);

  // Refusals, at the line of group i or of the record (QvDxfDiagnostic says the codes).
  [[noreturn]] void fail(size_t i, QvDxfDiagnostic::Code code, const std::string& message) const;
  [[noreturn]] void failObject(QvDxfDiagnostic::Code code, const std::string& message) const;
  // Refuses the value of group i, which is not `kind` ("a finite real number").
  [[noreturn]] void failKind(size_t i, const char* kind) const;

  // What the filer left: the groups kept, the extended data (a list for setXData, or null;
  // the caller releases it; QvDxfResbufs reads it).
  QvDbFileGroups takeKeptGroups();
  resbuf* takeXData();
  // Gives the object what every object has besides its class's groups: the kept groups, the
  // persistent reactors, the extended data (set now, or once the applications are registered)
  // and the extension dictionary (linked at the end).
  void applyCommon(QvDbObject& object);

 private:
  static constexpr uint16_t kUnmarked = 0xFFFE;

  // Takes the head apart, from i up to the first subclass marker; answers the first group
  // that is not the head's (npos when there is none).
  size_t readHead(size_t& i, std::span<const std::string_view> markers);
  void assignSubclasses(size_t from, std::span<const std::string_view> markers);
  bool inSelection(size_t i) const {
    const uint16_t s = slots_[i - begin_];
    return used_[i - begin_] == 0 && (s == selected_ || s == kUnmarked);
  }
  void checkValue(size_t i) const;

  QvDxfReadSession& session_;
  const QvDxfTokens& tokens_;
  size_t begin_;
  size_t end_;
  size_t bodyBegin_ = 0;
  size_t subclassesBegin_ = 0;  // the first group after the head
  size_t xdataBegin_ = 0;
  Options options_;
  uint16_t lastSubclass_ = 1;
  uint16_t selected_ = 1;
  bool hasMarkers_ = false;
  QvDxfReadSession::Scratch& scratch_;
  std::vector<uint16_t>& slots_;
  std::vector<uint8_t>& used_;

  uint64_t handle_ = 0;
  uint32_t handleLine_ = 0;
  uint64_t ownerHandle_ = 0;
  uint32_t ownerLine_ = 0;
  std::vector<QvDbObjectId> reactors_;
  QvDbObjectId extensionDictionary_;
  uint32_t extensionDictionaryLine_ = 0;
  std::vector<QvDbFileGroup> extraKept_;
};
