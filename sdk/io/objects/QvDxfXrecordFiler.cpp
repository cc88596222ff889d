#include "sdk/db/QvDbXrecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfResbufs.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbXrecord"};

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
    QvRbListPtr data(QvDxfResbufs::readRecordData(in, from));
    if (static_cast<QvDbXrecord&>(object).setFromRbChain(data.get()) != Vexa::eOk)
      in.failObject(QvDxfDiagnostic::kRefusedValue,
                    "the data of the extended record cannot be taken");
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
    QvDxfResbufs::write(out, data);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfXrecordFiler() {
  return std::make_unique<XrecordFiler>();
}
