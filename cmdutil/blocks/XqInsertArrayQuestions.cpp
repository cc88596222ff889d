// The array questions: rows, columns, and their spacings typed or given by a unit cell.
#include <cmath>

#include "cmdutil/blocks/XqInsertPlacement.h"
#include "sdk/app/qvdbUnits.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqCmdResourceString.h"
#include "xqcmdutil/XqInsertDrag.h"

namespace XqInsertPlacement {

namespace {

constexpr double kZero = 1e-10;

// A count of at least 1; Enter keeps 1.
int askCount(unsigned promptId, int32_t& count) {
  qvedInitGet(kQvInitNoZero | kQvInitNoNegative, nullptr);
  int value = 1;
  const int rc = qvedGetInt(qvcmdQvResourceString(promptId).c_str(), &value);
  if (rc == kQvNone)
    value = 1;
  else if (rc != kQvNormal)
    return rc;
  count = value;
  return kQvNormal;
}

// The other corner of the cell from `first` (current UCS): the spacings are its offsets along
// the UCS axes. 5100 with both spacings, or the code that ends the question.
int dragCell(InsertCommandState& state, const QvGePoint3d& first, InsertData& data) {
  QvGeMatrix3d fromCell = QvGeMatrix3d::kIdentity;
  if (state.context) state.context->getCurrentUcs(fromCell);
  QvGeMatrix3d toCell = QvGeMatrix3d::kIdentity;
  fromCell.inverse(toCell);
  QvGePoint3d corner = first;
  corner.transformBy(fromCell);
  MInsertDragRowColDistance jig(corner, fromCell, toCell);
  jig.setup();
  jig.setRubberBand(false);
  const QvString prompt = qvcmdQvResourceString(10822);
  jig.setDispPrompt(prompt.c_str());
  jig.setUserInputControls(0x883);
  for (;;) {
    const QvEdDrag::DragStatus status = jig.drag();
    if (status == QvEdDrag::kNull) continue;
    if (status == QvEdDrag::kCancel) return kQvCancel;
    if (status != QvEdDrag::kNormal) return kQvError;
    QvGePoint3d other = jig.currentCorner();
    other.transformBy(toCell);
    data.rowSpacing = other.y - first.y;
    data.columnSpacing = other.x - first.x;
    return kQvNormal;
  }
}

}  // namespace

int askArray(InsertCommandState& state) {
  InsertData& data = *state.data;
  int32_t rows = 1, columns = 1;
  int rc = askCount(10819, rows);
  if (rc != kQvNormal) return rc;
  rc = askCount(10820, columns);
  if (rc != kQvNormal) return rc;
  data.rows = rows;
  data.columns = columns;

  bool cell = false;
  while (rows != 1) {
    qvedInitGet(kQvInitOther | kQvInit3d, nullptr);
    double point[3] = {0, 0, 0};
    rc = qvedGetPoint(nullptr, qvcmdQvResourceString(10821).c_str(), point);
    if (rc == kQvNormal) {
      rc = dragCell(state, QvGePoint3d(point[0], point[1], point[2]), data);
      if (rc != kQvNormal) return rc;
      cell = true;
      break;
    }
    if (rc != kQvKeyword && rc != kQvNone) return rc;
    QvString typed;
    double distance = 0.0;
    if (rc == kQvKeyword && qvedGetInput(typed) == kQvNormal &&
        qvdbDisToF(typed.c_str(), -1, &distance) == kQvNormal && std::fabs(distance) > kZero) {
      data.rowSpacing = distance;
      break;
    }
    qvedPrompt(qvcmdQvResourceString(10834).c_str());
  }
  if (columns != 1 && !cell) {
    qvedInitGet(kQvInitNoZero, nullptr);
    double distance = 0.0;
    rc = qvedGetDist(nullptr, qvcmdQvResourceString(10823).c_str(), &distance);
    if (rc != kQvNormal) return rc;
    data.columnSpacing = distance;
  }
  return kQvNormal;
}

}  // namespace XqInsertPlacement
