#include "host/commands/TarvoInsertAtCommand.h"

#include <cmath>
#include <optional>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/CreateInsertData.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqBlockInsert.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqInsertDrag.h"

namespace {

using TarvoCommandInput::say;

// A number with a default for Enter; zero refused when asked. Nothing when cancelled.
std::optional<double> askReal(const QvString& prompt, double byDefault, bool noZero) {
  for (;;) {
    qvedInitGet(0, nullptr);
    double value = byDefault;
    const int code = qvedGetReal(prompt.c_str(), &value);
    if (code == kQvNone) return byDefault;
    if (code != kQvNormal) return std::nullopt;
    if (!noZero || std::abs(value) > 1e-10) return value;
    say(L"\nThe value must not be zero.");
  }
}

// The attribute values asked for the block's attributes that take one.
bool askAttributes(QvDbObjectId blockId, CreateInsertData& data) {
  QvDbObjectIdArray ids;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    if (block) ids = block->entityIds();
  }
  for (const QvDbObjectId& id : ids) {
    QvString tag, byDefault;
    {
      QvDbObjectPointer<QvDbAttributeDefinition> def(id, QvDb::kForRead);
      if (!def || def->isConstant() || def->isPreset()) continue;
      tag = def->tag();
      byDefault = def->textString();
    }
    QvString value;
    const TarvoAnswer answer = TarvoCommandInput::text(
        QvString::format(L"\n%s <%s>: ", tag.c_str(), byDefault.c_str()).c_str(), true, value);
    if (answer.kind == TarvoAnswer::Kind::kCancel) return false;
    (*data.getAttributeIdNameMapAdress())[id] =
        answer.kind == TarvoAnswer::Kind::kValue ? value : byDefault;
  }
  return true;
}

// The insertion point, with the block following the cursor; nothing when cancelled.
std::optional<QvGePoint3d> dragInsertionPoint(IVexaBuildInCommandContext& context,
                                              const QvString& name) {
  InsertData request;
  request.blockName = name;
  InsertDragInsertionPoint jig(&context, &request, name);
  if (jig.prepare() != kQvNormal) return std::nullopt;
  jig.setDispPrompt(L"\nInsertion point: ");
  for (;;) {
    const QvEdDrag::DragStatus status = jig.drag();
    if (status == QvEdDrag::kNormal) break;
    if (status != QvEdDrag::kNull) return std::nullopt;
    say(L"\nA point is needed.");
  }
  jig.finish(kQvNormal);
  const QvGePoint3d at = request.insertionPoint;
  return at;
}

}  // namespace

int TarvoInsertAtCommand::run(IVexaBuildInCommandContext& context) {
  QvDbDatabase* db = context.database();
  if (!db) return kQvError;
  QvString name;
  const TarvoAnswer named =
      TarvoCommandInput::text(L"\nBlock name: ", context.isSpaceAllowedInNames(), name);
  if (named.kind == TarvoAnswer::Kind::kCancel) return kQvCancel;
  const QvDbObjectId blockId = getBlockIdByName(db->blockTableId(), name.c_str());
  if (named.kind != TarvoAnswer::Kind::kValue || blockId.isNull()) {
    say(QvString::format(L"\nThere is no block \"%s\".", name.c_str()));
    return kQvNone;
  }
  CreateInsertData data;
  data.setInsertName(name);
  const std::optional<QvGePoint3d> at = dragInsertionPoint(context, name);
  if (!at) return kQvCancel;
  data.setInsertPoint(*at);

  const std::optional<double> x = askReal(L"\nX scale factor <1>: ", 1.0, true);
  if (!x) return kQvCancel;
  const std::optional<double> y =
      askReal(QvString::format(L"\nY scale factor <%g>: ", *x), *x, true);
  if (!y) return kQvCancel;
  const std::optional<double> z =
      askReal(QvString::format(L"\nZ scale factor <%g>: ", *x), *x, true);
  if (!z) return kQvCancel;
  data.setScale3d(QvGeScale3d(*x, *y, *z));
  const std::optional<double> degrees = askReal(L"\nRotation angle <0>: ", 0.0, false);
  if (!degrees) return kQvCancel;
  data.setRotationAngle(*degrees * M_PI / 180.0);

  const std::optional<int> rows = TarvoCommandInput::integer(L"\nRows <1>: ", 1, 32767, 1);
  if (!rows) return kQvCancel;
  const std::optional<int> columns = TarvoCommandInput::integer(L"\nColumns <1>: ", 1, 32767, 1);
  if (!columns) return kQvCancel;
  data.setRowNumber(*rows);
  data.setCollumnNumber(*columns);
  if (*rows > 1) {
    const std::optional<double> spacing = askReal(L"\nRow spacing <1>: ", 1.0, false);
    if (!spacing) return kQvCancel;
    data.setRowDistance(*spacing);
  }
  if (*columns > 1) {
    const std::optional<double> spacing = askReal(L"\nColumn spacing <1>: ", 1.0, false);
    if (!spacing) return kQvCancel;
    data.setCollumnDistance(*spacing);
  }
  if (!data.getMInsertFlag()) {
    const std::optional<bool> explode =
        TarvoCommandInput::yesNo(L"\nExplode? [Yes/No] <No>: ", false);
    if (!explode) return kQvCancel;
    data.setExplodeFlag(*explode);
  }
  if (!askAttributes(blockId, data)) return kQvCancel;

  QvDbObjectId insertId;
  switch (CreateInsert(&context, insertId, data)) {
    case kQvNormal:
      say(data.getExplodeFlag() && insertId.isErased()
              ? QvString::format(L"\n\"%s\" inserted and exploded.", name.c_str())
              : QvString::format(L"\n\"%s\" inserted.", name.c_str()));
      return kQvNormal;
    case kQvNone:
      say(L"\nThe reference was not exploded: its scale factors differ and EXPLMODE is 0.");
      return kQvNone;
    case kQvCancel:
      say(QvString::format(L"\nThere is no block \"%s\".", name.c_str()));
      return kQvNone;
    default:
      say(QvString::format(L"\n\"%s\" could not be inserted.", name.c_str()));
      return kQvError;
  }
}
