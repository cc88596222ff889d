#include "sdk/io/QvDxfObjectReader.h"

#include <algorithm>

#include "sdk/db/QvDbObject.h"

#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfGroupCode.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfResbufs.h"
#include "sdk/io/QvDxfSlot.h"

namespace {

constexpr std::string_view kReactorsGroup = "{ACAD_REACTORS";
constexpr std::string_view kXDictionaryGroup = "{ACAD_XDICTIONARY";

// A marker other writers give a subclass of ours: block references that are arrays.
std::string_view ourMarker(std::string_view name) {
  return name == "AcDbMInsertBlock" ? std::string_view("AcDbBlockReference") : name;
}

QvDxfReadSession::Scratch& acquire(QvDxfReadSession& session, size_t count) {
  QvDxfReadSession::Scratch& scratch = session.acquireScratch();
  scratch.slots.assign(count, 0);
  scratch.used.assign(count, 0);
  return scratch;
}

}  // namespace

QvDxfObjectReader::QvDxfObjectReader(QvDxfReadSession& session, size_t begin, size_t end,
                                     std::span<const std::string_view> markers, Options options)
    : session_(session),
      tokens_(session.tokens()),
      begin_(begin),
      end_(end),
      options_(options),
      scratch_(acquire(session, end - begin)),
      slots_(scratch_.slots),
      used_(scratch_.used) {
  used_[0] = 1;  // the record name
  xdataBegin_ = end_;
  for (size_t i = begin_ + 1; i < end_; ++i) {
    const int code = tokens_.code(i);
    if (code == 1001) {
      xdataBegin_ = i;
      break;
    }
    if (code == 100) hasMarkers_ = true;
  }
  size_t i = begin_ + 1;
  const size_t firstOther = readHead(i, markers);
  // A record without subclass markers has no end of its head: its body starts with the first
  // group that is not the head's, so that the filer walks every group it may model.
  bodyBegin_ = hasMarkers_ ? i : std::min(i, firstOther);
  subclassesBegin_ = i;
  assignSubclasses(i, markers);
}

void QvDxfObjectReader::reassignSubclasses(std::span<const std::string_view> markers) {
  for (size_t i = subclassesBegin_; i < xdataBegin_; ++i)
    if (tokens_.code(i) == 100) used_[i - begin_] = 0;
  assignSubclasses(subclassesBegin_, markers);
}

QvDxfObjectReader::~QvDxfObjectReader() {
  session_.releaseScratch();
}

size_t QvDxfObjectReader::readHead(size_t& i, std::span<const std::string_view> markers) {
  const uint16_t otherSlot = hasMarkers_ ? QvDxfSlot::kHead : kUnmarked;
  // Group 5 of a dimension style is its arrow block's name in R12 files (its handle is 105);
  // an entity of that name (kept as a proxy) has its handle there.
  const bool dimStyleRecord =
      recordName() == "DIMSTYLE" &&
      std::find(markers.begin(), markers.end(), "AcDbDimStyleTableRecord") != markers.end();
  size_t firstOther = npos;
  // The head ends at the first subclass marker, or at an embedded object (101) in a record
  // written without markers.
  for (; i < xdataBegin_ && tokens_.code(i) != 100 && tokens_.code(i) != 101; ++i) {
    const int code = tokens_.code(i);
    const size_t at = i - begin_;
    if (code == 5 && dimStyleRecord) {
      slots_[at] = otherSlot;
      firstOther = std::min(firstOther, i);
      continue;
    }
    if (code == 5 && handleLine_ == 0 && !QvDxfNumber::looksLikeHandle(tokens_.value(i))) {
      // Text that is no handle, as some programs write for their own objects.
      session_.repair(tokens_[i].line + 1, QvDxfDiagnostic::kHandleReplaced,
                      "group 5 " + qvDxfQuoted(qvDxfExcerpt(tokens_.value(i))) +
                          " is no handle; the " + std::string(recordName()) + " gets a new handle");
      handleLine_ = tokens_[i].line + 1;
      used_[at] = 1;
      continue;
    }
    if ((code == 5 || code == 105) && handleLine_ == 0) {
      handle_ = session_.parseHandle(tokens_.value(i), tokens_[i].line + 1, false);
      handleLine_ = tokens_[i].line + 1;
      used_[at] = 1;
      continue;
    }
    if (code == 330 && ownerLine_ == 0) {
      ownerHandle_ = session_.parseHandle(tokens_.value(i), tokens_[i].line + 1, true);
      ownerLine_ = tokens_[i].line + 1;
      used_[at] = 1;
      continue;
    }
    if (code == 102 && !tokens_.value(i).empty() && tokens_.value(i).front() == '{') {
      const std::string_view name = tokens_.value(i);
      size_t close = i + 1;
      while (close < xdataBegin_ && tokens_.code(close) != 102) ++close;
      if (close >= xdataBegin_ || tokens_.value(close) != "}")
        fail(i, QvDxfDiagnostic::kNotClosed,
             "the group \"" + std::string(name) + "\" is not closed by \"}\"");
      const bool reactors = name == kReactorsGroup;
      const bool xdict = name == kXDictionaryGroup;
      for (size_t k = i; k <= close; ++k) {
        if (!reactors && !xdict) {
          slots_[k - begin_] = QvDxfSlot::kHead;  // an application's group, kept as it is
          continue;
        }
        used_[k - begin_] = 1;
        if (k == i || k == close) continue;
        const int inner = tokens_.code(k);
        if (reactors && inner == 330) {
          const uint64_t h = session_.parseHandle(tokens_.value(k), tokens_[k].line + 1, true);
          const QvDbObjectId reactor = session_.reference(h, tokens_[k].line + 1);
          if (!reactor.isNull()) reactors_.push_back(reactor);
        } else if (xdict && inner == 360 && extensionDictionaryLine_ == 0) {
          const uint64_t h = session_.parseHandle(tokens_.value(k), tokens_[k].line + 1, true);
          extensionDictionary_ = session_.reference(h, tokens_[k].line + 1);
          extensionDictionaryLine_ = tokens_[k].line + 1;
        } else {
          fail(k, QvDxfDiagnostic::kMisplaced,
               "group " + std::to_string(inner) + " does not belong in \"" + std::string(name) +
                   "\"");
        }
      }
      i = close;
      continue;
    }
    slots_[at] = otherSlot;
    firstOther = std::min(firstOther, i);
  }
  return firstOther;
}

void QvDxfObjectReader::assignSubclasses(size_t from, std::span<const std::string_view> markers) {
  uint16_t current = hasMarkers_ ? 1 : kUnmarked;
  size_t nextMarker = 0;  // markers before this index have been met
  for (size_t i = from; i < xdataBegin_; ++i) {
    const int code = tokens_.code(i);
    if (code == 100) {
      const std::string_view name = ourMarker(tokens_.value(i));
      size_t found = markers.size();
      for (size_t m = nextMarker; m < markers.size(); ++m) {
        if (markers[m] == name) {
          found = m;
          break;
        }
      }
      if (found < markers.size()) {
        current = static_cast<uint16_t>(found + 1);
        nextMarker = found + 1;
        used_[i - begin_] = 1;
        continue;
      }
    } else if (code == 101) {
      current = QvDxfSlot::kEmbedded;
    }
    slots_[i - begin_] = current;
  }
  lastSubclass_ = static_cast<uint16_t>(markers.empty() ? 1 : markers.size());
}

// Access.

size_t QvDxfObjectReader::next(size_t from) const {
  for (size_t i = std::max(from, begin_ + 1); i < xdataBegin_; ++i)
    if (inSelection(i)) return i;
  return npos;
}

size_t QvDxfObjectReader::find(int code) {
  // In file order, so that of two groups of one code the first is always the one taken: a
  // record that repeats a group reads the same however its groups are written back. The
  // head's groups not taken are the head's own (kHead) when there are markers; without, they
  // start the body: a subclass's groups start at bodyBegin_.
  const size_t from = selected_ == QvDxfSlot::kHead ? begin_ + 1 : bodyBegin_;
  for (size_t i = from; i < xdataBegin_; ++i) {
    if (tokens_.code(i) == code && inSelection(i)) {
      used_[i - begin_] = 1;
      return i;
    }
  }
  return npos;
}

bool QvDxfObjectReader::has(int code) const {
  const size_t from = selected_ == QvDxfSlot::kHead ? begin_ + 1 : bodyBegin_;
  for (size_t i = from; i < xdataBegin_; ++i)
    if (tokens_.code(i) == code && inSelection(i)) return true;
  return false;
}

void QvDxfObjectReader::failKind(size_t i, const char* kind) const {
  fail(i, QvDxfDiagnostic::kBadValue,
       "group " + std::to_string(tokens_.code(i)) + " must be " + kind + ", not " +
           qvDxfQuoted(qvDxfExcerpt(tokens_.value(i))));
}

void QvDxfObjectReader::fail(size_t i, QvDxfDiagnostic::Code code,
                             const std::string& message) const {
  qvDxfFail(tokens_[i].line + 1, code, message);
}

void QvDxfObjectReader::failObject(QvDxfDiagnostic::Code code, const std::string& message) const {
  qvDxfFail(line(), code, std::string(recordName()) + ": " + message);
}

double QvDxfObjectReader::realAt(size_t i) {
  double value = 0.0;
  if (!QvDxfNumber::parseReal(tokens_.value(i), value)) failKind(i, "a finite real number");
  use(i);
  return value;
}

int64_t QvDxfObjectReader::integerAt(size_t i, int64_t min, int64_t max) {
  int64_t value = 0;
  if (!QvDxfNumber::parseInteger(tokens_.value(i), value)) failKind(i, "an integer");
  if (value < min || value > max)
    fail(i, QvDxfDiagnostic::kOutOfRange,
         "the value " + std::to_string(value) + " of group " + std::to_string(tokens_.code(i)) +
             " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
  use(i);
  return value;
}

void QvDxfObjectReader::dropBeforeAny(size_t i, std::string_view part) {
  use(i);
  session_.repair(tokens_[i].line + 1, QvDxfDiagnostic::kGroupDropped,
                  "group " + std::to_string(tokens_.code(i)) + " comes before any " +
                      std::string(part) + " and is dropped");
}

QvString QvDxfObjectReader::textAt(size_t i) {
  use(i);
  return session_.decode(tokens_.value(i));
}

QvDbObjectId QvDxfObjectReader::pointerAt(size_t i) {
  const uint64_t h = session_.parseHandle(tokens_.value(i), tokens_[i].line + 1, true);
  use(i);
  return session_.reference(h, tokens_[i].line + 1);
}

double QvDxfObjectReader::real(int code, double def) {
  const size_t i = find(code);
  return i == npos ? def : realAt(i);
}

int64_t QvDxfObjectReader::integer(int code, int64_t def, int64_t min, int64_t max) {
  const size_t i = find(code);
  return i == npos ? def : integerAt(i, min, max);
}

QvString QvDxfObjectReader::text(int code, const QvString& def) {
  const size_t i = find(code);
  return i == npos ? def : textAt(i);
}

std::string_view QvDxfObjectReader::raw(int code) {
  const size_t i = find(code);
  return i == npos ? std::string_view() : tokens_.value(i);
}

QvGePoint3d QvDxfObjectReader::point(int code, const QvGePoint3d& def) {
  const size_t i = find(code);
  if (i == npos) return def;
  const double x = realAt(i);
  const size_t j = i + 1;
  if (j >= xdataBegin_ || tokens_.code(j) != code + 10 || isUsed(j))
    fail(i, QvDxfDiagnostic::kMissingGroup,
         "group " + std::to_string(code) + " is not followed by its group " +
             std::to_string(code + 10));
  const double y = realAt(j);
  double z = 0.0;
  if (j + 1 < xdataBegin_ && tokens_.code(j + 1) == code + 20 && !isUsed(j + 1)) z = realAt(j + 1);
  return QvGePoint3d(x, y, z);
}

QvGeVector3d QvDxfObjectReader::vector(int code, const QvGeVector3d& def) {
  const QvGePoint3d p = point(code, QvGePoint3d(def.x, def.y, def.z));
  return QvGeVector3d(p.x, p.y, p.z);
}

QvDbObjectId QvDxfObjectReader::pointer(int code) {
  const size_t i = find(code);
  return i == npos ? QvDbObjectId() : pointerAt(i);
}

int64_t QvDxfObjectReader::flags(int code, int64_t def, int64_t modelledMask) {
  const size_t i = find(code);
  if (i == npos) return def;
  const int64_t value = integerAt(i, INT32_MIN, INT32_MAX);
  if ((value & ~modelledMask) != 0)
    keep(code, QvDxfSlot::kMerged, std::to_string(value & ~modelledMask));
  return value;
}

double QvDxfObjectReader::angle(int code, double defRadians) {
  const size_t i = find(code);
  if (i == npos) return defRadians;
  const double degrees = realAt(i);
  const double radians = QvDxfNumber::degreesToRadians(degrees);
  if (!QvDxfNumber::isRealText(tokens_.value(i), QvDxfNumber::radiansToDegrees(radians)))
    keep(code, QvDxfSlot::kHint, std::string(tokens_.value(i)));
  return radians;
}

void QvDxfObjectReader::rewind(const Mark& mark) {
  used_ = mark.used;
  extraKept_.resize(mark.kept);
}

void QvDxfObjectReader::keep(int code, uint16_t slot, std::string text) {
  QvDbFileGroup group;
  group.code = static_cast<int16_t>(code);
  group.slot = slot;
  group.text = std::move(text);
  extraKept_.push_back(std::move(group));
}

// What is left.

void QvDxfObjectReader::checkValue(size_t i) const {
  const std::string_view v = tokens_.value(i);
  switch (QvDxfGroupCode::kind(tokens_.code(i))) {
    case QvDxfGroupCode::kReal: {
      double d;
      if (!QvDxfNumber::parseReal(v, d)) failKind(i, "a finite real number");
      break;
    }
    case QvDxfGroupCode::kInt16:
    case QvDxfGroupCode::kInt32:
    case QvDxfGroupCode::kInt64:
    case QvDxfGroupCode::kBool: {
      int64_t n;
      if (!QvDxfNumber::parseInteger(v, n)) failKind(i, "an integer");
      const QvDxfGroupCode::Kind kind = QvDxfGroupCode::kind(tokens_.code(i));
      const bool fits = kind == QvDxfGroupCode::kInt64 ||
                        (kind == QvDxfGroupCode::kInt32 ? (n >= INT32_MIN && n <= INT32_MAX)
                                                        : (n >= INT16_MIN && n <= INT16_MAX));
      if (!fits)
        fail(i, QvDxfDiagnostic::kOutOfRange,
             "the value " + std::to_string(n) + " is too large for group " +
                 std::to_string(tokens_.code(i)));
      break;
    }
    case QvDxfGroupCode::kPointer:
      session_.parseHandle(v, tokens_[i].line + 1, true);
      break;
    case QvDxfGroupCode::kHandle:  // kept as text: R12 dimension styles hold block names in 5
      break;
    case QvDxfGroupCode::kBinary:
      if (!QvDxfNumber::isHexDigits(v)) failKind(i, "hexadecimal bytes");
      break;
    case QvDxfGroupCode::kString:
    case QvDxfGroupCode::kInvalid:
      break;
  }
}

QvDbFileGroups QvDxfObjectReader::takeKeptGroups() {
  QvDbFileGroups kept;
  const size_t keptEnd = options_.keepXDataRaw ? end_ : xdataBegin_;
  for (size_t i = begin_ + 1; i < keptEnd; ++i) {
    if (used_[i - begin_]) continue;
    checkValue(i);
    QvDbFileGroup group;
    group.code = static_cast<int16_t>(tokens_.code(i));
    uint16_t slot = i >= xdataBegin_ ? QvDxfSlot::kXData : slots_[i - begin_];
    if (slot == kUnmarked) slot = lastSubclass_;
    group.slot =
        slot < QvDxfSlot::kFirstCustom ? static_cast<uint16_t>(slot + options_.slotBase) : slot;
    group.text = session_.toUtf8(tokens_.value(i));
    if (QvDbFileGroup::isPointerCode(group.code)) {
      const uint64_t h = session_.parseHandle(group.text, tokens_[i].line + 1, true);
      group.id = session_.reference(h, tokens_[i].line + 1);
    }
    kept.append(std::move(group));
  }
  for (QvDbFileGroup& g : extraKept_) kept.append(std::move(g));
  extraKept_.clear();
  return kept;
}

resbuf* QvDxfObjectReader::takeXData() {
  if (options_.keepXDataRaw || xdataBegin_ >= end_) return nullptr;
  return QvDxfResbufs::readExtendedData(*this, xdataBegin_);
}

void QvDxfObjectReader::applyCommon(QvDbObject& object) {
  QvDbFileGroups kept = takeKeptGroups();
  if (!kept.isEmpty()) object.setFileGroups(std::move(kept));
  for (const QvDbObjectId& reactor : reactors_) object.addPersistentReactor(reactor);
  if (!extensionDictionary_.isNull())
    session_.deferExtensionDictionary(object.objectId(), extensionDictionary_,
                                      extensionDictionaryLine_);
  resbuf* xdata = takeXData();
  if (!xdata) return;
  const Vexa::ErrorStatus es = object.setXData(xdata);
  if (es == Vexa::eRegAppNotFound) {
    session_.deferXData(object.objectId(), xdata, line());
    return;
  }
  qvutRelRb(xdata);
  if (es != Vexa::eOk)
    failObject(QvDxfDiagnostic::kRefusedValue,
               "the extended data is not valid (a text longer than 255 characters, or "
               "unbalanced braces)");
}
