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

// The setup of a mode that asks: null, or flags ":S" (single) and ":R" (references), each once.
bool questionMode(const wchar_t* mode, VexaSelectionQuestion::Setup& setup) {
  if (!mode) return true;
  if (!*mode) return false;
  for (const wchar_t* at = mode; *at; at += 2) {
    if (at[0] != L':') return false;
    bool* flag = nullptr;
    if (at[1] == L'S')
      flag = &setup.single;
    else if (at[1] == L'R')
      flag = &setup.referencesOnly;
    if (!flag || *flag) return false;
    *flag = true;
  }
  return true;
}

int askAndKeep(const VexaSelectionQuestion::Setup& setup, int64_t set[2]) {
  VexaSelectionSets* sets = VexaSelectionSets::current();
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  if (!sets || !set || !services || !services->workingDatabase()) return kQvError;
  VexaSelectSet selection;
  const int rc = VexaSelectionQuestion(setup).ask(selection);
  if (rc != kQvNormal) return rc;
  sets->create(std::move(selection), set);
  return kQvNormal;
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

  if (!mode || mode[0] == L':') return qvedSSGetPrompted(nullptr, mode, set);
  VexaSelectSet selection;
  if (!selectWithoutAsking(mode, point1, point2, db, selection)) return kQvError;
  if (selection.isEmpty()) return kQvNone;
  sets->create(std::move(selection), set);
  return kQvNormal;
}

int qvedSSGetPrompted(const wchar_t* prompt, const wchar_t* mode, int64_t set[2]) {
  VexaSelectionQuestion::Setup setup;
  if (!questionMode(mode, setup)) return kQvError;
  if (prompt) setup.prompt = prompt;
  return askAndKeep(setup, set);
}

int qvedSSGetHiddenAndLocked(const wchar_t* prompt, bool hidden, bool locked, int64_t set[2]) {
  VexaSelectionQuestion::Setup setup;
  if (prompt) setup.prompt = prompt;
  setup.hiddenToo = hidden;
  setup.rejectLocked = !locked;
  return askAndKeep(setup, set);
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
