#include "sdk/io/QvDxfObjectWriter.h"

#include "sdk/db/QvDbObject.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfResbufs.h"
#include "sdk/io/QvDxfSlot.h"

QvDxfObjectWriter::QvDxfObjectWriter(QvDxfWriteSession& session, const QvDbObject& object,
                                     std::span<const std::string_view> markers)
    : session_(session),
      out_(session.out()),
      object_(object),
      kept_(object.fileGroups()),
      markers_(markers) {}

void QvDxfObjectWriter::begin(std::string_view recordName, int handleCode,
                              std::string_view tableName) {
  out_.raw(0, recordName);
  if (!tableName.empty()) out_.raw(2, tableName);
  out_.handle(handleCode, object_.handle());
  const QvArray<QvDbReactorEntry> reactors = object_.reactors();
  bool opened = false;
  for (const QvDbReactorEntry& entry : reactors) {
    if (!entry.isPersistent() || !session_.isWritten(entry.persistentId)) continue;
    if (!opened) out_.raw(102, "{ACAD_REACTORS");
    opened = true;
    out_.handle(330, entry.persistentId.handle());
  }
  if (opened) out_.raw(102, "}");
  const QvDbObjectId xdict = object_.extensionDictionary();
  if (session_.isWritten(xdict)) {
    out_.raw(102, "{ACAD_XDICTIONARY");
    out_.handle(360, xdict.handle());
    out_.raw(102, "}");
  }
  writeKeptHead(QvDxfSlot::kHead, false);
  const QvDbObjectId owner = object_.ownerId();
  out_.handle(330, session_.isWritten(owner) ? owner.handle() : QvDbHandle());
  writeKeptHead(QvDxfSlot::kHead, true);
}

void QvDxfObjectWriter::beginMarker(std::string_view recordName, QvDbHandle handle,
                                    QvDbHandle owner, uint16_t headSlot) {
  out_.raw(0, recordName);
  out_.handle(5, handle);
  writeKeptHead(headSlot, false);
  out_.handle(330, owner);
  writeKeptHead(headSlot, true);
}

void QvDxfObjectWriter::flushUpTo(int slot) {
  for (int s = flushed_ + 1; s <= slot; ++s) {
    // Groups kept in a subclass the filer wrote no marker for (a damaged record, or one of
    // another kind) go under their own marker: after another one, reading again would take
    // them for that subclass's.
    const auto k = static_cast<uint16_t>(s);
    if ((markersWritten_ & (uint64_t{1} << s)) == 0 && static_cast<size_t>(s) <= markers_.size() &&
        kept_.hasSlot(k))
      out_.raw(100, markers_[static_cast<size_t>(s - 1)]);
    writeKept(k);
  }
  if (slot > flushed_) flushed_ = slot;
}

void QvDxfObjectWriter::subclass(int k) {
  flushUpTo(k - 1);
  out_.raw(100, markers_[static_cast<size_t>(k - 1)]);
  markersWritten_ |= uint64_t{1} << k;
}

void QvDxfObjectWriter::subclassKeptNow(int k, int replacedCode, std::string_view replacement) {
  writeKept(static_cast<uint16_t>(k), replacedCode, replacement);
  flushed_ = k;
}

void QvDxfObjectWriter::subclassKeptNowWithout(int k, int leftCode) {
  writeKept(static_cast<uint16_t>(k), -1, {}, leftCode);
  flushed_ = k;
}

bool QvDxfObjectWriter::hasKept(uint16_t slot) const {
  return kept_.hasSlot(slot);
}

bool QvDxfObjectWriter::hasKept(uint16_t slot, int code) const {
  for (int i = 0; i < kept_.length(); ++i)
    if (kept_.at(i).slot == slot && kept_.at(i).code == code) return true;
  return false;
}

bool QvDxfObjectWriter::keepsRepeat(int code) const {
  for (int i = 0; i < kept_.length(); ++i) {
    const QvDbFileGroup& g = kept_.at(i);
    if (g.code == code && g.slot >= 1 && g.slot <= QvDxfSlot::kMaxSubclass) return true;
  }
  return false;
}

std::string_view QvDxfObjectWriter::keptText(uint16_t slot, int code) const {
  for (int i = 0; i < kept_.length(); ++i)
    if (kept_.at(i).slot == slot && kept_.at(i).code == code) return kept_.at(i).text;
  return {};
}

void QvDxfObjectWriter::keptGroups(uint16_t slot) {
  writeKept(slot);
}

void QvDxfObjectWriter::writeKept(uint16_t slot, int replacedCode, std::string_view replacement,
                                  int leftCode) {
  bool replaced = false;  // only the first group of the code, the one the reader took
  for (int i = 0; i < kept_.length(); ++i) {
    const QvDbFileGroup& g = kept_.at(i);
    if (g.slot != slot || g.code == leftCode) continue;
    if (g.code == replacedCode && !replaced) {
      replaced = true;
      out_.raw(g.code, replacement);
    } else if (QvDbFileGroup::isPointerCode(g.code)) {
      pointer(g.code, g.id);
    } else {
      out_.raw(g.code, g.text);
    }
  }
}

void QvDxfObjectWriter::writeKeptHead(uint16_t slot, bool afterOwner) {
  for (int i = 0; i < kept_.length(); ++i) {
    const QvDbFileGroup& g = kept_.at(i);
    if (g.slot != slot || (g.code == 330) != afterOwner) continue;
    if (QvDbFileGroup::isPointerCode(g.code))
      pointer(g.code, g.id);
    else
      out_.raw(g.code, g.text);
  }
}

void QvDxfObjectWriter::end() {
  if (!kept_.isEmpty()) {
    flushUpTo(QvDxfSlot::kMaxSubclass);
    writeKept(QvDxfSlot::kEmbedded);
  }
  QvRbListPtr xdata(object_.xData());
  QvDxfResbufs::write(*this, xdata.get());
  if (!kept_.isEmpty()) writeKept(QvDxfSlot::kXData);
}

void QvDxfObjectWriter::pointer(int code, QvDbObjectId id) {
  out_.handle(code, session_.isWritten(id) ? id.handle() : QvDbHandle());
}

void QvDxfObjectWriter::flags(int code, int64_t modelledBits) {
  for (int i = 0; i < kept_.length(); ++i) {
    const QvDbFileGroup& g = kept_.at(i);
    int64_t bits = 0;
    if (g.slot == QvDxfSlot::kMerged && g.code == code && QvDxfNumber::parseInteger(g.text, bits)) {
      modelledBits |= bits;
      break;
    }
  }
  out_.integer(code, modelledBits);
}

void QvDxfObjectWriter::angle(int code, double radians) {
  for (int i = 0; i < kept_.length(); ++i) {
    const QvDbFileGroup& g = kept_.at(i);
    double degrees = 0.0;
    if (g.slot == QvDxfSlot::kHint && g.code == code && QvDxfNumber::parseReal(g.text, degrees) &&
        QvDxfNumber::degreesToRadians(degrees) == radians) {
      out_.raw(code, g.text);
      return;
    }
  }
  out_.real(code, QvDxfNumber::radiansToDegrees(radians));
}
