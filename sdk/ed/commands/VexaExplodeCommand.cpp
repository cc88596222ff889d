#include "sdk/ed/commands/VexaExplodeCommand.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaSysVarValue.h"
#include "sdk/ed/commands/VexaCommandAsk.h"
#include "sdk/ge/QvGePrecision.h"

using namespace VexaCommandAsk;

namespace {

bool explodesUneven() {
  const VexaSysVarService* vars = VexaSysVarService::current();
  const std::optional<VexaSysVarValue> value = vars ? vars->get(L"EXPLMODE") : std::nullopt;
  return !value || value->shortValue() != 0;
}

bool evenlyScaled(const QvGeScale3d& scale) {
  const double x = std::fabs(scale.sx);
  const double y = std::fabs(scale.sy);
  const double z = std::fabs(scale.sz);
  const double tolerance = QvGePrecision::kRelative * std::max({x, y, z});
  return std::fabs(x - y) <= tolerance && std::fabs(x - z) <= tolerance;
}

// Whether a reference may be exploded.
bool referenceExplodes(const QvDbBlockReference& reference, bool uneven) {
  if (!uneven && !evenlyScaled(reference.scaleFactors())) return false;
  QvDbObjectPointer<QvDbBlockTableRecord> block(reference.blockTableRecord(), QvDb::kForRead);
  return block && block->explodable();
}

// Explodes one entity into its owner and erases it; false when it does not explode.
bool explodeOne(QvDbObjectId id, bool uneven) {
  {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) return false;
    if (const auto* reference = QvDbBlockReference::cast(entity.object());
        reference && !referenceExplodes(*reference, uneven))
      return false;
    QvArray<QvDbEntity*> pieces;
    if (QvDbBlockInternals::explodeToOwner(entity.object(), entity->ownerId(), pieces, true) !=
        Vexa::eOk)
      return false;
  }
  QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
  return entity && entity->erase() == Vexa::eOk;
}

}  // namespace

int VexaExplodeCommand::run(IVexaBuildInCommandContext& /*context*/) {
  VexaSelectionQuestion::Setup setup;
  setup.rejectLocked = true;
  const VexaInputScript* script = VexaInputScript::current();
  setup.single = script && script->nesting() > 0;
  VexaSelectSet selected;
  const int rc = VexaSelectionQuestion(setup).ask(selected);
  if (rc != kQvNormal) return rc;

  const bool uneven = explodesUneven();
  int exploded = 0;
  for (const QvDbObjectId id : selected)
    if (explodeOne(id, uneven)) ++exploded;
  const int refused = selected.length() - exploded;
  if (refused == 1) say(L"\n1 object could not be exploded.");
  if (refused > 1) say(QvString::format(L"\n%d objects could not be exploded.", refused));
  return exploded > 0 ? kQvNormal : kQvNone;
}
