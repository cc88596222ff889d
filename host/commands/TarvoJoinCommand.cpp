#include "host/commands/TarvoJoinCommand.h"

#include <cstdint>
#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "xqcmdutil/CombineHelper.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// The selected curves that joining uses, open for read as long as this lives.
struct JoinSources {
  std::vector<QvDbObjectPointer<QvDbCurve>> curves;
  QvArray<QvDbCurve*> inputs;
  std::vector<QvDbObjectId> ids;

  void take(const std::vector<QvDbObjectId>& selected) {
    for (const QvDbObjectId& id : selected) {
      QvDbObjectPointer<QvDbCurve> curve(id, QvDb::kForRead);
      if (curve.openStatus() != Vexa::eOk || !CombineHelper::takesCurve(curve.object())) continue;
      inputs.append(curve.object());
      ids.push_back(id);
      curves.push_back(std::move(curve));
    }
  }
};

// Adds the outputs beside the first source; counts the polylines and the copies added. The
// outputs are taken over: each ends in the drawing or deleted.
bool addOutputs(QvArray<QvDbCurve*>& outputs, const QvDbCurve& firstSource, int& polylines,
                int& copies) {
  bool allAdded = true;
  for (int i = 0; i < outputs.length(); ++i) {
    QvDbEntity* entity = outputs[i];
    const bool polyline = QvDbPolyline::cast(entity) != nullptr;
    if (polyline) entity->setPropertiesFrom(&firstSource);
    if (XqDbUtil::CommitToDB(entity, firstSource.database(), firstSource.ownerId()).isNull()) {
      delete entity;
      allAdded = false;
      continue;
    }
    entity->close();
    ++(polyline ? polylines : copies);
  }
  outputs.setLogicalLength(0);
  return allAdded;
}

// "1 polyline", "3 polylines".
QvString counted(int n, const wchar_t* one, const wchar_t* many) {
  return QvString::format(L"%d %s", n, n == 1 ? one : many);
}

void eraseAll(const std::vector<QvDbObjectId>& ids) {
  for (const QvDbObjectId& id : ids) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
    if (entity.openStatus() == Vexa::eOk) entity->erase();
  }
}

}  // namespace

int TarvoJoinCommand::run(IVexaBuildInCommandContext& /*context*/) {
  TarvoSelectionSet selection;
  if (const int code = selection.askForCommand(); code != kQvNormal) return code;
  const std::optional<bool> erase =
      TarvoCommandInput::yesNo(L"\nErase the source objects? [Yes/No] <Yes>: ", true);
  if (!erase) return kQvCancel;

  const std::vector<QvDbObjectId> selected = selection.ids();
  std::vector<QvDbObjectId> used;
  int polylines = 0, copies = 0;
  bool allAdded = true;
  {
    JoinSources sources;
    sources.take(selected);
    if (sources.inputs.isEmpty()) {
      TarvoCommandInput::say(QvString::format(L"\nNone of the %d objects selected can be joined.",
                                              static_cast<int>(selected.size())));
      return kQvNone;
    }
    QvArray<QvDbCurve*> outputs;
    CombineHelper::ChangeToPolyLine(sources.inputs, outputs);
    allAdded = addOutputs(outputs, *sources.inputs[0], polylines, copies);
    used = sources.ids;
  }
  if (!allAdded) {
    TarvoCommandInput::say(
        L"\nThe joined objects could not all be added to the drawing; the "
        L"sources were kept.");
    return kQvError;
  }
  if (*erase) eraseAll(used);

  QvString report = L"\n";
  report += counted(static_cast<int>(used.size()), L"object", L"objects");
  report += L" became ";
  report += counted(polylines, L"polyline", L"polylines");
  if (copies > 0) {
    report += L" and ";
    report += counted(copies, L"copied circle", L"copied circles");
  }
  report += L".";
  const int left = static_cast<int>(selected.size() - used.size());
  if (left == 1) report += L"\n1 object could not be joined and was left as it was.";
  if (left > 1)
    report +=
        QvString::format(L"\n%d objects could not be joined and were left as they were.", left);
  TarvoCommandInput::say(report);
  return kQvNormal;
}
