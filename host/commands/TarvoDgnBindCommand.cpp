#include "host/commands/TarvoDgnBindCommand.h"

#include <memory>
#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "sdk/app/QvFileStringName.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "xqcmdutil/XqDgnBind.h"

namespace {

using TarvoCommandInput::say;

struct Named {
  QvString name;
  QvDbObjectId id;
};

std::vector<Named> dgnDefinitions(const QvDbDatabase* db) {
  std::vector<Named> out;
  QvDbObjectPointer<QvDbDictionary> dict(
      QvDbUnderlayDefinition::dictionaryId(db, QvDbUnderlayFormat::kDgn), QvDb::kForRead);
  if (!dict) return out;
  std::unique_ptr<QvDbDictionaryIterator> it(dict->newIterator());
  for (; !it->done(); it->next()) out.push_back({it->name(), it->objectId()});
  return out;
}

// The file's name without folder and extension.
QvString baseName(const QvString& path) {
  const QvFileStringName file(path);
  const QvString name = file.fileName();
  return name.left(name.length() - file.extension().length());
}

int liveReferences(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  QvDbObjectIdArray ids;
  if (!block || block->getBlockReferenceIds(ids) != Vexa::eOk) return 0;
  return ids.length();
}

}  // namespace

int TarvoDgnBindCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  const std::vector<Named> definitions = dgnDefinitions(db);
  if (definitions.empty()) {
    say(L"\nThe drawing has no DGN underlay.");
    return kQvError;
  }
  const QvString prompt =
      definitions.size() == 1
          ? QvString::format(L"\nDGN definition to bind <%ls>: ", definitions[0].name.c_str())
          : QvString(L"\nDGN definition to bind: ");
  QvString typed;
  const TarvoAnswer which = TarvoCommandInput::text(prompt.c_str(), true, typed);
  if (which.kind == TarvoAnswer::Kind::kEnter && definitions.size() == 1)
    typed = definitions[0].name;
  else if (which.kind != TarvoAnswer::Kind::kValue)
    return kQvCancel;
  const Named* chosen = nullptr;
  for (const Named& def : definitions)
    if (def.name.isEqualNoCase(typed)) chosen = &def;
  if (!chosen) {
    say(QvString::format(L"\nThe drawing has no DGN definition \"%ls\".", typed.c_str()));
    return kQvError;
  }
  QvString blockName;
  {
    // A drawing read from a file has its underlays unloaded: the bind needs the contents.
    QvDbObjectPointer<QvDbDgnDefinition> def(chosen->id, QvDb::kForWrite);
    const Vexa::ErrorStatus es = !def              ? def.openStatus()
                                 : def->isLoaded() ? Vexa::eOk
                                                   : def->load();
    if (es != Vexa::eOk) {
      say(QvString::format(L"\n\"%ls\" cannot be loaded (%hs): the drawing is unchanged.",
                           chosen->name.c_str(), Vexa::errorStatusName(es)));
      return kQvError;
    }
    blockName = baseName(def->getSourceFileName());
  }
  QvString answer;
  const TarvoAnswer named = TarvoCommandInput::text(
      QvString::format(L"\nBlock name <%ls>: ", blockName.c_str()).c_str(), true, answer);
  if (named.kind == TarvoAnswer::Kind::kValue)
    blockName = answer;
  else if (named.kind != TarvoAnswer::Kind::kEnter)
    return kQvCancel;
  QvString type;
  const TarvoAnswer kind =
      TarvoCommandInput::text(L"\nBind type [Bind/Insert] <Bind>: ", false, type);
  if (kind.kind == TarvoAnswer::Kind::kCancel) return kQvCancel;
  const bool insert = kind.kind == TarvoAnswer::Kind::kValue &&
                      (type.isEqualNoCase(L"Insert") || type.isEqualNoCase(L"I"));

  bool kept = false;
  if (!doDgnBind(chosen->id, blockName.c_str(), kept, insert)) {
    say(QvString::format(L"\n\"%ls\" cannot be bound: the drawing is unchanged.",
                         chosen->name.c_str()));
    return kQvError;
  }
  QvDbObjectId blockId;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table) table->getAt(blockName.c_str(), blockId);
  }
  const int count = liveReferences(blockId);
  say(QvString::format(L"\nBound \"%ls\" as the block \"%ls\" with %d reference%ls.",
                       chosen->name.c_str(), blockName.c_str(), count, count == 1 ? L"" : L"s") +
      (kept ? QvString(L" The underlay stays: one of its references is in use.") : QvString()));
  return kQvNormal;
}
