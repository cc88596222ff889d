#include "host/commands/TarvoBlockCommand.h"

#include <optional>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedSysVar.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/XqBlockDefinition.h"
#include "xqcmdutil/XqNames.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

using TarvoCommandInput::say;

// Whether the named block is a layout or an external reference; false when it does not exist.
bool isLayoutOrXref(QvDbDatabase* db, const QvString& name) {
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  QvDbObjectId id;
  if (!table || table->getAt(name.c_str(), id) != Vexa::eOk) return false;
  table.close();
  QvDbObjectPointer<QvDbBlockTableRecord> record(id, QvDb::kForRead);
  return record && (record->isLayout() || record->isFromExternalReference() ||
                    record->isFromOverlayReference());
}

// Asks the block name; nothing (with the code in `code`) when none usable was given.
std::optional<QvString> askName(IVexaBuildInCommandContext& context, int& code) {
  QvString name;
  const TarvoAnswer answer =
      TarvoCommandInput::text(L"\nBlock name: ", context.isSpaceAllowedInNames(), name);
  code = answer.kind == TarvoAnswer::Kind::kCancel ? kQvCancel : kQvNone;
  if (answer.kind != TarvoAnswer::Kind::kValue) return std::nullopt;
  if (isLayoutOrXref(context.database(), name)) {
    say(QvString::format(L"\n\"%s\" is a layout or an external reference; it cannot be changed.",
                         name.c_str()));
    return std::nullopt;
  }
  if (!isValidSymbolName(name.c_str(), 0)) {
    say(QvString::format(L"\n\"%s\" is not a valid block name.", name.c_str()));
    return std::nullopt;
  }
  return name;
}

// The drawing's insertion units (1 when unreadable).
int drawingUnits() {
  resbuf rb{};
  return qvedGetVar(L"INSUNITS", &rb) == kQvNormal && rb.type == kRbShort ? rb.value.int16 : 1;
}

// The keyword options of the base point question; false when cancelled.
bool askOption(const TarvoAnswer& answer, CreateBlockData& data) {
  if (answer.is(L"Annotative") || answer.is(L"Explodable") || answer.is(L"Uniform") ||
      answer.is(L"Keep")) {
    const wchar_t* prompt = answer.is(L"Annotative")   ? L"\nAnnotative block? [Yes/No] <No>: "
                            : answer.is(L"Explodable") ? L"\nAllow exploding? [Yes/No] <Yes>: "
                            : answer.is(L"Uniform")
                                ? L"\nScale uniformly? [Yes/No] <No>: "
                                : L"\nKeep the selected objects? [Yes/No] <No>: ";
    const std::optional<bool> on = TarvoCommandInput::yesNo(prompt, answer.is(L"Explodable"));
    if (!on) return false;
    if (answer.is(L"Annotative")) data.setAnnotative(*on);
    if (answer.is(L"Explodable")) data.setAllowExploding(*on);
    if (answer.is(L"Uniform")) data.setScaleUniformly(*on);
    if (answer.is(L"Keep")) data.setCompletionRequest(*on ? 2 : 0);
    return true;
  }
  if (answer.is(L"Units")) {
    const std::optional<int> units = TarvoCommandInput::integer(
        QvString::format(L"\nInsertion units (0 to 24) <%d>: ", drawingUnits()).c_str(), 0, 24,
        drawingUnits());
    if (!units) return false;
    data.setSelectedUnitsIndex(*units);
    return true;
  }
  QvString text;
  if (TarvoCommandInput::text(L"\nDescription: ", true, text).kind == TarvoAnswer::Kind::kCancel)
    return false;
  data.setDescription(text);
  return true;
}

// Asks the base point with its options; false when cancelled.
bool askBasePoint(const wchar_t* prompt, const wchar_t* keywords, CreateBlockData& data) {
  for (;;) {
    const TarvoAnswer answer = TarvoCommandInput::point(prompt, nullptr, keywords, true);
    if (answer.kind == TarvoAnswer::Kind::kValue) {
      data.setBasePoint(TarvoCommandInput::toUcs(answer.point));
      return true;
    }
    if (answer.kind != TarvoAnswer::Kind::kKeyword || !askOption(answer, data)) return false;
  }
}

}  // namespace

int TarvoBlockCommand::run(IVexaBuildInCommandContext& context) {
  QvDbDatabase* db = context.database();
  if (!db) return kQvError;
  int code = kQvNone;
  const std::optional<QvString> name = askName(context, code);
  if (!name) return code;
  if (IsBlockAlreadyExist(db, *name)) {
    const std::optional<bool> redefine = TarvoCommandInput::yesNo(
        QvString::format(L"\nBlock \"%s\" exists. Redefine it? [Yes/No] <No>: ", name->c_str())
            .c_str(),
        false);
    if (!redefine) return kQvCancel;
    if (!*redefine) return kQvNone;
  }
  CreateBlockData data;
  data.setBlockName(*name);
  if (!askBasePoint(L"\nSpecify insertion base point or [Annotative/Keep/Units/Description]: ",
                    L"Annotative Keep Units Description", data))
    return kQvCancel;

  TarvoSelectionSet selection;
  const int selected = selection.ask();
  if (selected == kQvCancel) return kQvCancel;
  QvArray<QvDbObjectId> ids;
  if (selected == kQvNormal)
    for (const QvDbObjectId& id : selection.ids()) ids.append(id);
  if (ids.isEmpty()) {
    say(L"\nNothing selected.");
    return kQvNone;
  }
  if (ContainBlockNameInObjArray(ids, *name)) {
    say(QvString::format(L"\nThe selection holds \"%s\" itself; a block cannot contain itself.",
                         name->c_str()));
    return kQvNone;
  }
  data.setObjectIdToBlock(ids);
  const QvDbObjectId block = CreateBlock(&context, data);
  if (block.isNull()) {
    say(QvString::format(L"\nThe block \"%s\" could not be made.", name->c_str()));
    return kQvError;
  }
  say(QvString::format(L"\nBlock \"%s\" defined from %d object%s.", name->c_str(), ids.length(),
                       ids.length() == 1 ? L"" : L"s"));
  return kQvNormal;
}

int TarvoBlockModCommand::run(IVexaBuildInCommandContext& context) {
  QvDbDatabase* db = context.database();
  if (!db) return kQvError;
  int code = kQvNone;
  const std::optional<QvString> name = askName(context, code);
  if (!name) return code;
  QvDbObjectId blockId;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table) table->getAt(name->c_str(), blockId);
  }
  if (blockId.isNull()) {
    say(QvString::format(L"\nThere is no block \"%s\" to change.", name->c_str()));
    return kQvNone;
  }
  CreateBlockData data;
  data.setBlockName(*name);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(blockId, QvDb::kForRead);
    data.setSelectedUnitsIndex(record->blockInsertUnits());
    data.setAllowExploding(record->explodable());
    data.setScaleUniformly(record->blockScaling() == QvDb::kUniform);
    data.setAnnotative(IsObjectAnnotative(record.object()));
    data.setObjectIdToBlock(record->entityIds());
  }
  if (!askBasePoint(
          L"\nSpecify new base point or [Annotative/Units/Description/Explodable/Uniform]: ",
          L"Annotative Units Description Explodable Uniform", data))
    return kQvCancel;
  if (ModifyBlock(&context, data).isNull()) {
    say(QvString::format(L"\nThe block \"%s\" could not be changed.", name->c_str()));
    return kQvError;
  }
  say(QvString::format(L"\nBlock \"%s\" changed.", name->c_str()));
  return kQvNormal;
}
