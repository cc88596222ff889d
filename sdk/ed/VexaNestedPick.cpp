#include "sdk/ed/VexaNestedPick.h"

#include <array>
#include <limits>
#include <memory>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerStates.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/qvdbModelToWorld.h"
#include "sdk/ed/VexaAnswerText.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSelectableEntities.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/rx/QvRxClass.h"

namespace {

QvDbDatabase* workingDatabase() {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

QvGePoint3d ucsToWorld(const std::array<double, 3>& ucs) {
  const QvGePoint3d p(ucs[0], ucs[1], ucs[2]);
  const VexaSysVarService* vars = VexaSysVarService::current();
  return vars ? vars->currentUcs().toWorld(p) : p;
}

// The blank-separated words of a line.
QvArray<QvString> wordsOf(const QvString& line) {
  QvArray<QvString> words;
  for (int at = 0; at < line.length();) {
    const int blank = line.findOneOf(L" \t", at);
    const int end = blank < 0 ? line.length() : blank;
    if (end > at) words.append(line.mid(at, end - at));
    at = end + 1;
  }
  return words;
}

// The plan distance from a world point to an entity drawn through `toWorld`; infinite when it
// has no extents.
double seenDistance(const QvDbEntity& entity, const QvGeMatrix3d& toWorld, const QvGePoint3d& p) {
  constexpr double kNone = std::numeric_limits<double>::infinity();
  QvDbEntity* made = nullptr;
  if (entity.getTransformedCopy(toWorld, made) == Vexa::eOk && made) {
    const std::unique_ptr<QvDbEntity> copy(made);
    QvDbExtents extents;
    if (copy->getGeomExtents(extents) != Vexa::eOk || !extents.isValidExtents()) return kNone;
    return VexaSelectableEntities::planDistance(*copy, extents, p);
  }
  // A copy the transform cannot make (an arc scaled unevenly): its extents' corners carried.
  QvDbExtents own;
  if (entity.getGeomExtents(own) != Vexa::eOk || !own.isValidExtents()) return kNone;
  QvDbExtents carried;
  const QvGePoint3d& lo = own.minPoint();
  const QvGePoint3d& hi = own.maxPoint();
  for (int corner = 0; corner < 8; ++corner) {
    QvGePoint3d c(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z);
    carried.addPoint(c.transformBy(toWorld));
  }
  return VexaSelectableEntities::planDistance(entity, carried, p);
}

// The shown entity of a block passing nearest `p` seen from above within `aperture`, its
// entities drawn through `toWorld`; null for none. Attribute definitions are not drawn in
// references.
QvDbObjectId nearestInBlock(QvDbObjectId blockId, const QvGeMatrix3d& toWorld, const QvGePoint3d& p,
                            double aperture, QvDbLayerStates& layers) {
  QvDbObjectIdArray ids;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    if (!block) return {};
    ids = block->entityIds();
  }
  QvDbObjectId nearest;
  double best = aperture;
  for (const QvDbObjectId id : ids) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity || QvDbAttributeDefinition::cast(entity.object())) continue;
    if (entity->visibility() != QvDb::kVisible || !layers.of(entity->layerId()).isShown()) continue;
    const double d = seenDistance(*entity, toWorld, p);
    if (d < best || (nearest.isNull() && d <= best)) {
      best = d;
      nearest = id;
    }
  }
  return nearest;
}

QvString handleText(QvDbObjectId id) {
  return id.handle().ascii();
}

bool finish(VexaNestedPick& pick, QvString& reason) {
  if (qvdbGetModelToWorldTransform(pick.path, pick.modelToWorld) != Vexa::eOk) {
    reason = L"The picked entity cannot be reached.";
    return false;
  }
  return true;
}

// The entity of `token` in the working database; null with the reason when it names none.
QvDbObjectId entityOf(QvDbDatabase& db, const QvString& token, QvString& reason) {
  QvDbHandle handle;
  QvDbObjectId id;
  if (!QvDbHandle::fromAscii(token.c_str(), handle)) {
    reason = QvString::format(L"'%ls' is not a handle.", token.c_str());
  } else if (db.getQvDbObjectId(id, false, handle) != Vexa::eOk || !id.isValid() || id.isErased()) {
    reason = QvString::format(L"No object has the handle %ls.", handle.ascii().c_str());
    id = QvDbObjectId();
  } else if (!id.objectClass() || !id.objectClass()->isDerivedFrom(QvDbEntity::desc())) {
    reason = QvString::format(L"The object %ls is not an entity.", handleText(id).c_str());
    id = QvDbObjectId();
  }
  return id;
}

}  // namespace

bool VexaNestedPickQuestion::pickAt(const QvGePoint3d& world, VexaNestedPick& pick,
                                    QvString& reason) {
  QvDbDatabase* db = workingDatabase();
  if (!db) {
    reason = L"No drawing is open.";
    return false;
  }
  const double aperture = VexaSelectionQuestion::kAperture;
  const VexaSelectableEntities space(db);
  QvDbObjectId id = space.atPoint({world.x, world.y, world.z}, aperture);
  if (id.isNull()) {
    reason = L"No object passes near that point.";
    return false;
  }
  QvDbObjectIdArray path;
  path.append(id);
  QvGeMatrix3d toWorld;
  QvDbLayerStates layers;
  for (;;) {
    QvDbObjectId blockId;
    {
      QvDbObjectPointer<QvDbBlockReference> reference(id, QvDb::kForRead);
      if (!reference) break;
      blockId = reference->blockTableRecord();
      toWorld = toWorld * reference->blockTransform();
    }
    id = nearestInBlock(blockId, toWorld, world, aperture, layers);
    if (id.isNull()) break;  // the reference itself (picked on an attribute, say)
    path.append(id);
  }
  pick.path = path;
  pick.point = world;
  return finish(pick, reason);
}

bool VexaNestedPickQuestion::pickPath(const QvArray<QvString>& handles, const QvGePoint3d& world,
                                      VexaNestedPick& pick, QvString& reason) {
  QvDbDatabase* db = workingDatabase();
  if (!db) {
    reason = L"No drawing is open.";
    return false;
  }
  if (handles.isEmpty()) {
    reason = L"No handle given: the path names the picked entity last.";
    return false;
  }
  QvDbObjectIdArray path;
  QvDbObjectId holder = db->currentSpaceId();  // the block the next entity must lie in
  QvDbObjectId previous;
  for (int i = 0; i < handles.length(); ++i) {
    const QvDbObjectId id = entityOf(*db, handles[i], reason);
    if (id.isNull()) return false;
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) {
      reason = QvString::format(L"The entity %ls cannot be read.", handleText(id).c_str());
      return false;
    }
    if (entity->ownerId() != holder) {
      reason = previous.isNull()
                   ? QvString::format(L"The entity %ls is not in the current space.",
                                      handleText(id).c_str())
                   : QvString::format(L"The entity %ls is not in the block of %ls.",
                                      handleText(id).c_str(), handleText(previous).c_str());
      return false;
    }
    path.append(id);
    if (i + 1 == handles.length()) break;
    const auto* reference = QvDbBlockReference::cast(entity.object());
    if (!reference) {
      reason = QvString::format(
          L"The entity %ls is not a block reference: only the last one of the path may be "
          L"another entity.",
          handleText(id).c_str());
      return false;
    }
    holder = reference->blockTableRecord();
    previous = id;
  }
  pick.path = path;
  pick.point = world;
  return finish(pick, reason);
}

bool VexaNestedPickQuestion::interpret(const QvString& line, VexaNestedPick& pick,
                                       QvString& reason) {
  std::array<double, 3> point{};
  if (VexaAnswerText::toPoint(line, point)) return pickAt(ucsToWorld(point), pick, reason);
  QvArray<QvString> words = wordsOf(line);
  const QvString first = words.isEmpty() ? QvString() : words.first();
  if (!first.isEqualNoCase(L"H") && !first.isEqualNoCase(L"Handle")) {
    reason = L"Expects a point, or H with the handles of a path and the pick point.";
    return false;
  }
  words.removeAt(0);
  if (words.isEmpty() || !VexaAnswerText::toPoint(words.last(), point)) {
    reason = words.isEmpty() ? QvString(L"No handle given: the path names the picked entity last.")
                             : QvString(L"The pick point (x,y or x,y,z) follows the handles.");
    return false;
  }
  words.removeLast();
  return pickPath(words, ucsToWorld(point), pick, reason);
}

int VexaNestedPickQuestion::ask(VexaNestedPick& pick) {
  if (!workingDatabase()) return kQvError;
  for (;;) {
    VexaQuestionSetup setup;
    setup.kind = VexaAnswerKind::kString;
    setup.prompt = prompt_;
    const VexaAnswer answer = VexaQuestion(std::move(setup)).ask();
    if (answer.outcome == VexaAnswer::Outcome::kCancel) return kQvCancel;
    if (answer.outcome == VexaAnswer::Outcome::kEmpty || answer.text.isEmpty()) return kQvNone;
    QvString reason;
    VexaNestedPick made;
    if (interpret(answer.text, made, reason)) {
      pick = made;
      return kQvNormal;
    }
    if (VexaTranscript* transcript = VexaTranscript::current())
      transcript->addMessage(L"\n" + reason);
  }
}
