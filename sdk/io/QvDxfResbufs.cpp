#include "sdk/io/QvDxfResbufs.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "sdk/db/QvDbAdsName.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfOutput.h"

namespace {

enum class Data { kExtended, kRecord };

bool startsPoint(int code) {
  return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) ||
         (code >= 210 && code <= 213) || (code >= 1010 && code <= 1013);
}

// Reads x at i, its y right after and its z when it follows; answers the last index read.
size_t readPoint(QvDxfObjectReader& in, size_t i, double point[3]) {
  const int code = in.code(i);
  point[0] = in.realAt(i);
  const size_t end = in.endIndex();
  if (i + 1 >= end || in.code(i + 1) != code + 10 || in.isUsed(i + 1))
    in.fail(i, QvDxfDiagnostic::kMissingGroup,
            "group " + std::to_string(code) + " is not followed by its group " +
                std::to_string(code + 10));
  point[1] = in.realAt(++i);
  if (i + 1 < end && in.code(i + 1) == code + 20 && !in.isUsed(i + 1)) point[2] = in.realAt(++i);
  return i;
}

void readBinary(QvDxfObjectReader& in, size_t i, Data data, resbuf* rb) {
  std::string bytes;
  if (!QvDxfNumber::parseHexBytes(in.value(i), bytes)) in.failKind(i, "hexadecimal bytes");
  const size_t limit = data == Data::kExtended ? 127 : INT16_MAX;
  if (bytes.size() > limit)
    in.fail(i, QvDxfDiagnostic::kOutOfRange,
            data == Data::kExtended
                ? "a binary chunk of extended data holds at most 127 bytes"
                : "a binary chunk holds at most " + std::to_string(limit) + " bytes");
  rb->value.binary.length = static_cast<int16_t>(bytes.size());
  rb->value.binary.data = static_cast<char*>(std::malloc(bytes.size() + 1));
  std::memcpy(rb->value.binary.data, bytes.data(), bytes.size());
  in.use(i);
}

// Reads the value of group i into rb; answers the last index read.
size_t readValue(QvDxfObjectReader& in, size_t i, Data data, resbuf* rb) {
  const int code = in.code(i);
  switch (qvRbValueKind(code)) {
    case QvRbKind::kPoint:
      if (startsPoint(code)) return readPoint(in, i, rb->value.point);
      rb->value.point[0] = in.realAt(i);
      break;
    case QvRbKind::kReal:
      rb->value.real = in.realAt(i);
      break;
    case QvRbKind::kShort:
      rb->value.int16 = static_cast<int16_t>(in.integerAt(i, INT16_MIN, INT16_MAX));
      break;
    case QvRbKind::kLong:
      rb->value.int32 = static_cast<int32_t>(in.integerAt(i, INT32_MIN, INT32_MAX));
      break;
    case QvRbKind::kInt64:
      rb->value.int64 = in.integerAt(i, INT64_MIN, INT64_MAX);
      break;
    case QvRbKind::kName:
      qvdbGetAdsName(rb->value.name, in.pointerAt(i));
      break;
    case QvRbKind::kBinary:
      readBinary(in, i, data, rb);
      break;
    case QvRbKind::kString:
      if (code == 1005) in.session().parseHandle(in.value(i), in.lineAt(i) + 1, true);
      rb->value.string = qvutDupString(in.textAt(i).c_str());
      break;
    case QvRbKind::kNone:
      in.fail(i, QvDxfDiagnostic::kMisplaced,
              "group " + std::to_string(code) +
                  (data == Data::kExtended ? " is not a group of extended data"
                                           : " cannot stand in an extended record"));
  }
  return i;
}

resbuf* read(QvDxfObjectReader& in, size_t first, Data data) {
  QvRbListPtr list;
  resbuf* tail = nullptr;
  // Extended data runs to the end of the record; a record's data are the groups not taken.
  auto next = [&](size_t i) {
    if (data == Data::kRecord) return in.next(i + 1);
    return i + 1 < in.endIndex() ? i + 1 : QvDxfObjectReader::npos;
  };
  for (size_t i = first; i != QvDxfObjectReader::npos; i = next(i)) {
    const int code = in.code(i);
    if (data == Data::kExtended && code < 1000)
      in.fail(i, QvDxfDiagnostic::kMisplaced,
              "group " + std::to_string(code) + " stands among the extended data");
    resbuf* rb = qvutNewRb(code);
    if (!list) {
      list.reset(rb);
    } else {
      tail->next = rb;
    }
    tail = rb;
    i = readValue(in, i, data, rb);
  }
  return list.release();
}

}  // namespace

namespace QvDxfResbufs {

resbuf* readExtendedData(QvDxfObjectReader& in, size_t first) {
  return first < in.endIndex() ? read(in, first, Data::kExtended) : nullptr;
}

resbuf* readRecordData(QvDxfObjectReader& in, size_t first) {
  return read(in, in.next(first), Data::kRecord);
}

bool writePlainValue(QvDxfOutput& out, const resbuf& rb) {
  switch (qvRbValueKind(rb.type)) {
    case QvRbKind::kReal:
      out.real(rb.type, rb.value.real);
      return true;
    case QvRbKind::kShort:
      out.integer(rb.type, rb.value.int16);
      return true;
    case QvRbKind::kLong:
      out.integer(rb.type, rb.value.int32);
      return true;
    case QvRbKind::kInt64:
      out.integer(rb.type, rb.value.int64);
      return true;
    case QvRbKind::kBinary:
      out.raw(rb.type, QvDxfNumber::hexText(rb.value.binary.data, rb.value.binary.length));
      return true;
    default:
      return false;
  }
}

void write(QvDxfObjectWriter& out, const resbuf* list) {
  for (const resbuf* rb = list; rb; rb = rb->next) {
    if (writePlainValue(out.out(), *rb)) continue;
    const int code = rb->type;
    switch (qvRbValueKind(code)) {
      case QvRbKind::kPoint:
        if (startsPoint(code)) {
          out.point(code, QvGePoint3d(rb->value.point[0], rb->value.point[1], rb->value.point[2]));
        } else {
          out.real(code, rb->value.point[0]);
        }
        break;
      case QvRbKind::kName: {
        QvDbObjectId id;
        qvdbGetObjectId(id, rb->value.name);
        out.pointer(code, id);
        break;
      }
      case QvRbKind::kString:
        out.text(code, QvString(rb->value.string));
        break;
      default:
        break;
    }
  }
}

}  // namespace QvDxfResbufs
