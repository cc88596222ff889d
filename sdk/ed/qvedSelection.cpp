#include "sdk/ed/qvedSelection.h"

#include <cwchar>

#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaSelectableEntities.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/VexaSelectionSets.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// The live entity an entity name names, or null.
QvDbObjectId liveEntity(const int64_t name[2]) {
  QvDbObjectId id;
  if (!name || qvdbGetObjectId(id, name) != Vexa::eOk || id.isNull() || !id.isValid() ||
      id.isErased())
    return QvDbObjectId();
  const QvRxClass* cls = id.objectClass();
  return cls && cls->isDerivedFrom(QvDbEntity::desc()) ? id : QvDbObjectId();
}

// Any id an entity name names, erased or not.
QvDbObjectId namedId(const int64_t name[2]) {
  QvDbObjectId id;
  if (!name || qvdbGetObjectId(id, name) != Vexa::eOk) return QvDbObjectId();
  return id;
}

VexaSelectSet* findSet(const int64_t set[2]) {
  VexaSelectionSets* sets = VexaSelectionSets::current();
  return sets ? sets->find(set) : nullptr;
}

bool sameMode(const wchar_t* mode, const wchar_t* name) {
  return std::wcscmp(mode, name) == 0;
}

std::array<double, 3> toWorld(const double* ucsPoint) {
  const std::array<double, 3> p{ucsPoint[0], ucsPoint[1], ucsPoint[2]};
  const VexaSysVarService* vars = VexaSysVarService::current();
  return vars ? toVexaPoint(vars->currentUcs().toWorld(toGePoint(p))) : p;
}

// The selection of a mode that asks nothing; false for an unknown mode or missing corners.
bool selectWithoutAsking(const wchar_t* mode, const double* point1, const double* point2,
                         QvDbDatabase* db, VexaSelectSet& selection) {
  if (sameMode(mode, L"X")) {
    int64_t name[2] = {0, 0};
    int64_t next[2];
    while (qvdbEntNext(name, next) == kQvNormal) {
      selection.append(namedId(next));
      name[0] = next[0];
      name[1] = next[1];
    }
    return true;
  }
  const VexaSelectableEntities space(db);
  if (sameMode(mode, L"A")) {
    selection = space.all();
  } else if (sameMode(mode, L"L")) {
    selection.append(space.last());
  } else if (sameMode(mode, L"P")) {
    selection = space.within(VexaSelectionSets::current()->previous());
  } else if (sameMode(mode, L"W") || sameMode(mode, L"C")) {
    if (!point1 || !point2) return false;
    selection = space.inWindow(toWorld(point1), toWorld(point2), sameMode(mode, L"C"));
  } else {
    return false;
  }
  return true;
}

}  // namespace

int qvedSSAdd(const int64_t entity[2], const int64_t set[2], int64_t result[2]) {
  VexaSelectionSets* sets = VexaSelectionSets::current();
  if (!sets || !result) return kQvError;
  QvDbObjectId id;
  if (entity) {
    id = liveEntity(entity);
    if (id.isNull()) return kQvError;
  }
  if (!set) {
    VexaSelectSet made;
    made.append(id);
    sets->create(std::move(made), result);
    return kQvNormal;
  }
  VexaSelectSet* existing = sets->find(set);
  if (!existing) return kQvError;
  existing->append(id);
  if (result != set) {
    result[0] = set[0];
    result[1] = set[1];
  }
  return kQvNormal;
}

int qvedSSDel(const int64_t entity[2], const int64_t set[2]) {
  VexaSelectSet* existing = findSet(set);
  return existing && existing->remove(namedId(entity)) ? kQvNormal : kQvError;
}

int qvedSSLength(const int64_t set[2], int32_t* length) {
  const VexaSelectSet* existing = findSet(set);
  if (!existing || !length) return kQvError;
  *length = existing->length();
  return kQvNormal;
}

int qvedSSName(const int64_t set[2], int32_t index, int64_t entity[2]) {
  const VexaSelectSet* existing = findSet(set);
  if (!existing || !entity || index < 0 || index >= existing->length()) return kQvError;
  const QvDbObjectId id = existing->idAt(index);
  if (id.isNull()) return kQvError;  // its drawing is gone
  return qvdbGetAdsName(entity, id) == Vexa::eOk ? kQvNormal : kQvError;
}

int qvedSSMemb(const int64_t entity[2], const int64_t set[2]) {
  const VexaSelectSet* existing = findSet(set);
  return existing && existing->contains(namedId(entity)) ? kQvNormal : kQvError;
}

int qvedSSFree(const int64_t set[2]) {
  VexaSelectionSets* sets = VexaSelectionSets::current();
  return sets && sets->free(set) ? kQvNormal : kQvError;
}

int qvedSSGet(const wchar_t* mode, const double* point1, const double* point2, int64_t set[2]) {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  QvDbDatabase* db = services ? services->workingDatabase() : nullptr;
  VexaSelectionSets* sets = VexaSelectionSets::current();
  if (!db || !sets || !set) return kQvError;

  VexaSelectSet selection;
  if (!mode || sameMode(mode, L":S")) {
    VexaSelectionQuestion::Setup setup;
    setup.single = mode != nullptr;
    const int rc = VexaSelectionQuestion(setup).ask(selection);
    if (rc != kQvNormal) return rc;
  } else {
    if (!selectWithoutAsking(mode, point1, point2, db, selection)) return kQvError;
    if (selection.isEmpty()) return kQvNone;
  }
  sets->create(std::move(selection), set);
  return kQvNormal;
}

int qvedSSFromSelectSet(const VexaSelectSet& selection, int64_t set[2]) {
  VexaSelectionSets* sets = VexaSelectionSets::current();
  if (!sets || !set) return kQvError;
  sets->create(selection, set);
  return kQvNormal;
}

int qvedSSToSelectSet(const int64_t set[2], VexaSelectSet& selection) {
  const VexaSelectSet* existing = findSet(set);
  if (!existing) return kQvError;
  selection = *existing;
  return kQvNormal;
}
