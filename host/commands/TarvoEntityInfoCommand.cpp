#include "host/commands/TarvoEntityInfoCommand.h"

#include <numbers>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoEntityLabel.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"

namespace {

// The measures the entity answers, ", "-separated; empty when it answers none.
QvString measures(QvDbEntityInternalBasePE& ext, const QvDbEntity& entity) {
  QvString out;
  auto add = [&out](const wchar_t* what, double value, const wchar_t* unit) {
    if (!out.isEmpty()) out += L", ";
    out += QvString::format(L"%s %.4f%s", what, value, unit);
  };
  double value = 0.0;
  if (ext.entityArea(&entity, value) == Vexa::eOk) add(L"area", value, L"");
  if (ext.entityLength(&entity, value) == Vexa::eOk) add(L"length", value, L"");
  if (ext.entityAngle(&entity, value) == Vexa::eOk)
    add(L"angle", value * 180.0 / std::numbers::pi, L" deg");
  return out;
}

}  // namespace

int TarvoEntityInfoCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (const int code = selection.askForCommand(); code != kQvNormal) return code;
  for (const QvDbObjectId& id : selection.ids()) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk) continue;
    QvDbEntityInternalBasePE* ext = TarvoEntityLabel::internalExtension(*entity.object());
    if (!ext) {
      TarvoCommandInput::say(L"\nThe measuring module is not loaded.");
      return kQvError;
    }
    const QvString found = measures(*ext, *entity.object());
    TarvoCommandInput::say(
        QvString::format(L"\n%s: %s", TarvoEntityLabel::of(*entity.object()).c_str(),
                         found.isEmpty() ? L"no area, length or angle" : found.c_str()));
  }
  return kQvNormal;
}
