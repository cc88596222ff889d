#include "sdk/ed/qvedEntSel.h"

#include "sdk/db/QvDbAdsName.h"
#include "sdk/ed/VexaNestedPick.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

constexpr const wchar_t* kPrompt = L"\nSelect object: ";

void toUcs(const QvGePoint3d& world, double point[3]) {
  const VexaSysVarService* vars = VexaSysVarService::current();
  const QvGePoint3d p = vars ? vars->currentUcs().toUcs(world) : world;
  point[0] = p.x;
  point[1] = p.y;
  point[2] = p.z;
}

// A new list naming the references of a path, the innermost first; null when there are none.
resbuf* referenceStack(const QvDbObjectIdArray& path) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (int i = path.length() - 2; i >= 0; --i) {
    resbuf* rb = qvutNewRb(kRbEntityName);
    qvdbGetAdsName(rb->value.name, path[i]);
    *tail = rb;
    tail = &rb->next;
  }
  return head;
}

}  // namespace

int qvedEntSel(const wchar_t* prompt, int64_t entity[2], double point[3]) {
  if (!entity || !point) return kQvError;
  VexaNestedPick pick;
  const int rc = VexaNestedPickQuestion(prompt ? prompt : kPrompt).ask(pick);
  if (rc != kQvNormal) return rc;
  qvdbGetAdsName(entity, pick.path.first());
  toUcs(pick.point, point);
  return kQvNormal;
}

int qvedNEntSelP(const wchar_t* prompt, int64_t entity[2], double point[3], int pickFlag,
                 double xform[4][4], resbuf** refStack) {
  if (!entity || !point) return kQvError;
  VexaNestedPick pick;
  if (pickFlag) {
    const VexaSysVarService* vars = VexaSysVarService::current();
    if (!vars) return kQvError;
    QvString reason;
    const QvGePoint3d ucs(point[0], point[1], point[2]);
    if (!VexaNestedPickQuestion::pickAt(vars->currentUcs().toWorld(ucs), pick, reason)) {
      if (VexaTranscript* transcript = VexaTranscript::current())
        transcript->addMessage(L"\n" + reason);
      return kQvError;
    }
  } else {
    const int rc = VexaNestedPickQuestion(prompt ? prompt : kPrompt).ask(pick);
    if (rc != kQvNormal) return rc;
  }
  qvdbGetAdsName(entity, pick.entity());
  toUcs(pick.point, point);
  if (xform)
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) xform[r][c] = pick.modelToWorld.entry[r][c];
  if (refStack) *refStack = referenceStack(pick.path);
  return kQvNormal;
}
