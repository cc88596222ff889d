#include <cstdlib>

#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbXrecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfGroupCode.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbXrecord"};

bool startsPoint(int code) {
  return (code >= 10 && code <= 19) || (code >= 110 && code <= 119) || (code >= 210 && code <= 219);
}

// The data of an extended record as a result-buffer list: a point from its x, y and z groups,
// a reference as the entity name of the object it names.
resbuf* readData(QvDxfObjectReader& in, size_t from) {
  QvRbListPtr list;
  resbuf* tail = nullptr;
  for (size_t i = in.next(from); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    const int code = in.code(i);
    resbuf* rb = qvutNewRb(code);
    if (!list) {
      list.reset(rb);
    } else {
      tail->next = rb;
    }
    tail = rb;
    switch (qvRbValueKind(code)) {
      case QvRbKind::kPoint:
        rb->value.point[0] = in.realAt(i);
        if (startsPoint(code) && i + 1 < in.endIndex() && in.code(i + 1) == code + 10) {
          rb->value.point[1] = in.realAt(++i);
          if (i + 1 < in.endIndex() && in.code(i + 1) == code + 20)
            rb->value.point[2] = in.realAt(++i);
        }
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
      case QvRbKind::kBinary: {
        const std::string_view hex = in.value(i);
        if (hex.size() % 2 != 0 || hex.size() / 2 > INT16_MAX ||
            hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string_view::npos)
          in.fail(i, "group " + std::to_string(code) + " must be hexadecimal bytes");
        const auto n = static_cast<int16_t>(hex.size() / 2);
        rb->value.binary.length = n;
        rb->value.binary.data = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
        for (int16_t k = 0; k < n; ++k)
          rb->value.binary.data[k] = static_cast<char>(
              std::stoi(std::string(hex.substr(static_cast<size_t>(2 * k), 2)), nullptr, 16));
        in.use(i);
        break;
      }
      case QvRbKind::kString:
        rb->value.string = qvutDupString(in.textAt(i).c_str());
        break;
      case QvRbKind::kNone:
        in.fail(i, "group " + std::to_string(code) + " cannot stand in an extended record");
    }
  }
  return list.release();
}

void writeData(QvDxfObjectWriter& out, const resbuf* data) {
  for (const resbuf* rb = data; rb; rb = rb->next) {
    const int code = rb->type;
    switch (qvRbValueKind(code)) {
      case QvRbKind::kPoint:
        if (startsPoint(code)) {
          out.point(code, QvGePoint3d(rb->value.point[0], rb->value.point[1], rb->value.point[2]));
        } else {
          out.real(code, rb->value.point[0]);
        }
        break;
      case QvRbKind::kReal:
        out.real(code, rb->value.real);
        break;
      case QvRbKind::kShort:
        out.integer(code, rb->value.int16);
        break;
      case QvRbKind::kLong:
        out.integer(code, rb->value.int32);
        break;
      case QvRbKind::kInt64:
        out.integer(code, rb->value.int64);
        break;
      case QvRbKind::kName: {
        QvDbObjectId id;
        qvdbGetObjectId(id, rb->value.name);
        out.pointer(code, id);
        break;
      }
      case QvRbKind::kBinary:
        out.raw(code, QvDxfNumber::hexText(rb->value.binary.data, rb->value.binary.length));
        break;
      case QvRbKind::kString:
        out.text(code, QvString(rb->value.string));
        break;
      case QvRbKind::kNone:
        break;
    }
  }
}

// An extended record: its data, a list of any groups. Its duplicate-record cloning flag (280,
// the first group) is kept as read.
class XrecordFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "XRECORD"; }
  const QvRxClass* objectClass() const override { return QvDbXrecord::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbXrecord(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    in.select(1);
    size_t from = in.bodyBegin();
    const size_t first = in.next(from);
    if (first != QvDxfObjectReader::npos && in.code(first) == 280) from = first + 1;
    QvRbListPtr data(readData(in, from));
    if (static_cast<QvDbXrecord&>(object).setFromRbChain(data.get()) != Vexa::eOk)
      in.failObject("the data of the extended record cannot be taken");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    out.begin(recordName());
    const bool kept = out.hasKept(1);
    out.subclass(1);
    out.subclassKeptNow(1);
    if (!kept) out.integer(280, 1);
    resbuf* data = nullptr;
    static_cast<const QvDbXrecord&>(object).rbChain(data);
    QvRbListPtr owned(data);
    writeData(out, data);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfXrecordFiler() {
  return std::make_unique<XrecordFiler>();
}
