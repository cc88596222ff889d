#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTableRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

using F = QvDxfFieldsOf<QvDbDimStyleTableRecord>;

constexpr std::string_view kMarkers[] = {"AcDbSymbolTableRecord", "AcDbDimStyleTableRecord"};

// The text style, read before the dimension style: by its handle, or by its name as some
// writers give it. A style that neither names is dropped, and the repair noted.
void readTextStyle(QvDxfObjectReader& in, QvDbDimStyleTableRecord& style) {
  const size_t at = in.find(340);
  if (at == QvDxfObjectReader::npos) return;
  in.use(at);
  const std::string_view raw = in.value(at);
  const uint32_t line = in.lineAt(at) + 1;
  uint64_t handle = 0;
  const bool isHandle = QvDxfNumber::parseHandle(raw, handle);
  if (isHandle && handle == 0) return;
  QvDbObjectId id;
  if (isHandle && in.db().getQvDbObjectId(id, false, QvDbHandle(handle)) == Vexa::eOk &&
      style.setDimtxsty(id) == Vexa::eOk)
    return;
  QvDxfReadSession& session = in.session();
  const QvString name = session.decode(raw);
  id = session.findRecord(QvDxfReadSession::kTextStyle, name);
  if (!id.isNull() && style.setDimtxsty(id) == Vexa::eOk) {
    session.repair(line, QvDxfDiagnostic::kReferenceByName,
                   "the text style (DIMTXSTY, 340) is given by its name " +
                       qvDxfQuoted(name.utf8()) + ", not its handle; read as that style");
    return;
  }
  session.repair(line, QvDxfDiagnostic::kReferenceDropped,
                 "the text style (DIMTXSTY, 340) " + qvDxfQuoted(qvDxfExcerpt(raw)) +
                     " names no text style read before it; the dimension style has none");
}

void writeTextStyle(QvDxfObjectWriter& out, const QvDbDimStyleTableRecord& style) {
  if (out.session().isWritten(style.dimtxsty())) out.pointer(340, style.dimtxsty());
}

constexpr QvDxfField kFields[] = {
    F::real<&QvDbDimStyleTableRecord::dimscale, &QvDbDimStyleTableRecord::setDimscale>(2, 40, 1.0)
        .refusal("the overall scale (DIMSCALE, 40) is negative"),
    F::real<&QvDbDimStyleTableRecord::dimtxt, &QvDbDimStyleTableRecord::setDimtxt>(2, 140, 0.18)
        .refusal("the text height (DIMTXT, 140) is not positive"),
    F::custom<&readTextStyle, &writeTextStyle>(2),
};
static_assert(QvDxfFields::isValid(kFields));

// A dimension style: overall scale (DIMSCALE, 40), text height (DIMTXT, 140) and text style
// (DIMTXSTY, 340). Its other variables are kept as read. Dimension styles carry their handle
// under group 105.
class DimStyleFiler : public QvDxfRecordFilerOf<QvDbDimStyleTableRecord> {
 public:
  std::string_view recordName() const override { return "DIMSTYLE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }
  QvDxfReadSession::Table table() const override { return QvDxfReadSession::kDimStyle; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& style = static_cast<QvDbDimStyleTableRecord&>(object);
    readNameAndFlags(in, style, 0);
    QvDxfFields::read(in, style, kFields);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& style = static_cast<const QvDbDimStyleTableRecord&>(object);
    beginRecord(out, style, 0, 105);
    QvDxfFields::write(out, style, kFields, 2, 2);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfDimStyleFiler() {
  return std::make_unique<DimStyleFiler>();
}
