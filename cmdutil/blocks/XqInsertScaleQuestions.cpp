// The scale and rotation questions after the insertion point.
#include <cmath>

#include "cmdutil/blocks/XqInsertPlacement.h"
#include "sdk/app/qvdbUnits.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqCmdResourceString.h"
#include "xqcmdutil/XqInsertDrag.h"

namespace XqInsertPlacement {

namespace {

constexpr double kZero = 1e-10;
constexpr const wchar_t* kNoKeywords = L" ";
constexpr const wchar_t* kDefaultFactor = L"1.0";

// Sets up and starts a drag of the scale family on the command's preview: 5100, or the code
// that ends the question.
int start(InsertCommandState& state, InsertDragBase& jig, const QvString& prompt,
          const wchar_t* keywords, int controls) {
  jig.sharePreview(state.dragPreview);
  jig.setDispPrompt(prompt.c_str());
  jig.setKeywordList(keywords);
  jig.setUserInputControls(controls);
  return jig.prepare();
}

// Drags until the answer is not a zero factor (refused with a message, the drag asked again);
// `factor` reads the factor the answer gave. Answers the result code, with the drag status.
int dragNonZero(InsertDragBase& jig, QvEdDrag::DragStatus& status,
                double (*factor)(const QvGeScale3d&)) {
  for (;;) {
    status = jig.drag();
    int rc = dragResult(status);
    if (rc == kQvNormal && factor && std::fabs(factor(jig.currentScale())) <= kZero)
      rc = kQvRejected;
    jig.finish(rc);
    if (rc != kQvRejected) return rc;
    qvedPrompt(qvcmdQvResourceString(10832).c_str());
  }
}

double xOf(const QvGeScale3d& s) {
  return s.sx;
}
double yOf(const QvGeScale3d& s) {
  return s.sy;
}
double zOf(const QvGeScale3d& s) {
  return s.sz;
}

QvString lengthText(double value) {
  QvString text;
  if (qvdbRToS(value, -1, -1, text) != kQvNormal) text = QvString::format(L"%g", value);
  return text;
}

int askZ(InsertCommandState& state) {
  InsertData& data = *state.data;
  const QvGeScale3d scale = data.scale;
  const QvString x = lengthText(scale.sx), y = lengthText(scale.sy);
  InsertDragScaleZ jig(state.context, &data, state.defaultName);
  const QvString prompt = qvcmdQvResourceStringF(10818, x.c_str(), y.c_str(), x.c_str());
  int rc = start(state, jig, prompt, kNoKeywords, 10);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, zOf);
  return rc == kQvNone ? kQvNormal : rc;
}

int askY(InsertCommandState& state, bool withZ) {
  InsertDragScaleY jig(state.context, state.data, state.defaultName);
  int rc = start(state, jig, qvcmdQvResourceString(10815), kNoKeywords, 10);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, yOf);
  if (rc != kQvNormal && rc != kQvNone) return rc;
  return withZ ? askZ(state) : kQvNormal;
}

// "Opposite corner or X factor": after it, Y (and Z when `withZ`) when one factor was typed.
int askCorner(InsertCommandState& state, bool withZ) {
  const QvString one = kDefaultFactor;
  InsertDragScale jig(state.context, state.data, state.defaultName);
  int rc = start(state, jig, qvcmdQvResourceStringF(10814, one.c_str()), kNoKeywords, 42);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, xOf);
  if (rc == kQvNormal && !jig.singleFactor()) return withZ ? askZ(state) : kQvNormal;
  if (rc == kQvNormal || rc == kQvNone) return askY(state, withZ);
  return rc;
}

// "X factor or Corner": the XYZ form, where Z follows.
int askXyz(InsertCommandState& state) {
  const QvString one = kDefaultFactor;
  InsertDragScale jig(state.context, state.data, state.defaultName);
  int rc = start(state, jig, qvcmdQvResourceStringF(10816, one.c_str()),
                 qvcmdQvResourceString(10817).c_str(), 10);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, xOf);
  if (rc == kQvNormal && !jig.singleFactor()) return askZ(state);
  if (rc == kQvNormal || rc == kQvNone) return askY(state, true);
  if (rc == kQvKeyword) return askCorner(state, true);
  return rc;
}

}  // namespace

int askUniformScale(InsertCommandState& state) {
  InsertDragUniformScale jig(state.context, state.data, state.defaultName);
  int rc = start(state, jig, qvcmdQvResourceString(10858), kNoKeywords, 0xAA);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, nullptr);
  return rc == kQvNone ? kQvNormal : rc;
}

int askFreeScale(InsertCommandState& state) {
  const QvString one = kDefaultFactor;
  InsertDragScale jig(state.context, state.data, state.defaultName);
  int rc = start(state, jig, qvcmdQvResourceStringF(10811, one.c_str()),
                 qvcmdQvResourceString(10812).c_str(), 10);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, xOf);
  if (rc == kQvNormal) return jig.singleFactor() ? askY(state, false) : kQvNormal;
  if (rc == kQvNone) return askY(state, false);
  if (rc != kQvKeyword) return rc;
  switch (QvEdDrag::keywordIndex(status) + 1) {
    case 1:  // Corner
      return askCorner(state, false);
    case 2:  // XYZ
    case 3:
      return askXyz(state);
    default:
      return askY(state, false);
  }
}

int askRotation(InsertCommandState& state) {
  InsertData& data = *state.data;
  QvDbDatabase* db = state.context ? state.context->database() : nullptr;
  if (db) {
    const QvString name = data.blockName;
    const QvGeScale3d s = data.scale;
    const QvDbObjectId block = getBlockIdByName(db->blockTableId(), name.c_str());
    const bool uneven = std::fabs(std::fabs(s.sx) - std::fabs(s.sy)) > kZero ||
                        std::fabs(std::fabs(s.sx) - std::fabs(s.sz)) > kZero;
    if (!block.isNull() && QvDbDynBlockReference::isDynamicBlock(block) && uneven)
      state.context->prompt(qvcmdQvResourceString(10945).c_str());
  }
  QvString zero;
  if (qvdbRawAngToS(0.0, -1, -1, zero) != kQvNormal) zero = L"0";
  InsertDragRotateAroundInsertPoint jig(state.context, &data, state.defaultName);
  int rc = start(state, jig, qvcmdQvResourceStringF(10813, zero.c_str()), kNoKeywords, 131);
  if (rc != kQvNormal) return rc;
  QvEdDrag::DragStatus status;
  rc = dragNonZero(jig, status, nullptr);
  return rc == kQvNone ? kQvNormal : rc;
}

}  // namespace XqInsertPlacement
