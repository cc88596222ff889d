// The insertion-point question, its keywords (scale and rotation given ahead, for the
// reference or for the preview only) and the base point.
#include <cmath>
#include <memory>

#include "cmdutil/blocks/XqInsertPlacement.h"
#include "cmdutil/blocks/XqInsertScaling.h"
#include "sdk/app/VexaDocContext.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/QvEdJig.h"
#include "sdk/ed/VexaAcquireInput.h"
#include "sdk/ed/qvedOutput.h"
#include "xqcmdutil/InsertCommandState.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqCmdResourceString.h"
#include "xqcmdutil/XqDbUtil.h"
#include "xqcmdutil/XqInsertDrag.h"

namespace XqInsertPlacement {

namespace {

constexpr double kZero = 1e-10;

enum class Axis { kAll, kX, kY, kZ };

enum class Keyword {
  kBasepoint,
  kScale,
  kXscale,
  kYscale,
  kZscale,
  kRotate,
  kPScale,
  kPXscale,
  kPYscale,
  kPZscale,
  kPRotate,
  kNone
};

// The keyword of a 1-based keyword number in the uniform and the free-scale lists.
Keyword keywordOf(int number, bool uniform) {
  static constexpr Keyword kUniform[] = {Keyword::kBasepoint, Keyword::kScale, Keyword::kRotate,
                                         Keyword::kPScale, Keyword::kPRotate};
  static constexpr Keyword kFree[] = {Keyword::kBasepoint, Keyword::kScale,   Keyword::kXscale,
                                      Keyword::kYscale,    Keyword::kZscale,  Keyword::kRotate,
                                      Keyword::kPScale,    Keyword::kPXscale, Keyword::kPYscale,
                                      Keyword::kPZscale,   Keyword::kPRotate};
  if (uniform) return number >= 1 && number <= 5 ? kUniform[number - 1] : Keyword::kNone;
  return number >= 1 && number <= 11 ? kFree[number - 1] : Keyword::kNone;
}

QvGeScale3d nonZero(QvGeScale3d s) {
  if (std::fabs(s.sx) <= kZero) s.sx = 1.0;
  if (std::fabs(s.sy) <= kZero) s.sy = 1.0;
  if (std::fabs(s.sz) <= kZero) s.sz = 1.0;
  return s;
}

// A scale given ahead: for the reference (and its preview), or for the preview only.
int scaleKeyword(InsertData& data, Axis axis, bool preset) {
  static constexpr unsigned kPrompts[] = {10840, 10841, 10842, 10843};
  static constexpr unsigned kPresetPrompts[] = {10845, 10846, 10847, 10848};
  const int a = static_cast<int>(axis);
  const QvString prompt = qvcmdQvResourceString(preset ? kPresetPrompts[a] : kPrompts[a]);
  // A preview scale goes on from the preview's, so one axis given after another keeps both.
  QvGeScale3d working = data.scale;
  if (preset) working = data.presetScale;
  for (;;) {
    QvEdJig jig;
    jig.setDispPrompt(prompt.c_str());
    jig.setUserInputControls(!preset && axis == Axis::kAll ? 8 : 10);
    double v = 0.0;
    const QvEdDrag::DragStatus status = jig.acquireDist(v);
    if (status == QvEdDrag::kNull) {
      if (axis == Axis::kAll) return kQvNone;
      working = QvGeScale3d(1, 1, 1);
      break;
    }
    if (status == QvEdDrag::kCancel) return kQvCancel;
    if (status != QvEdDrag::kNormal) return kQvError;
    if (std::fabs(v) <= kZero) {
      working = QvGeScale3d(1, 1, 1);
      qvedPrompt(qvcmdQvResourceString(10832).c_str());
      continue;
    }
    switch (axis) {
      case Axis::kAll:
        working = QvGeScale3d(v, v, std::fabs(v));
        break;
      case Axis::kX:
        working.sx = v;
        break;
      case Axis::kY:
        working.sy = v;
        break;
      case Axis::kZ:
        working.sz = std::fabs(v);
        break;
    }
    break;
  }
  working = nonZero(working);
  if (!preset) {
    data.scale = working;
    data.presetScale = working;
    data.askScale = false;
  } else {
    data.presetScale = working;
    if (!data.askScale) data.scale = working;
  }
  return kQvNormal;
}

int rotationKeyword(InsertData& data, bool preset) {
  VexaAcquireInput input;
  const QvString prompt = qvcmdQvResourceString(preset ? 10849 : 10844);
  input.setPrompt(prompt.c_str());
  input.setCursor(VexaAcquireInput::kCursorRubberBand);
  double angle = 0.0;
  const int rc = input.getAngle(angle);
  if (rc == kQvNone)
    angle = 0.0;
  else if (rc != kQvNormal)
    return rc;
  if (!preset) {
    data.rotation = angle;
    data.presetRotation = angle;
    data.askRotation = false;
  } else {
    data.presetRotation = angle;
    if (!data.askRotation) data.rotation = angle;
  }
  return kQvNormal;
}

int runKeyword(InsertCommandState& state, Keyword keyword) {
  InsertData& data = *state.data;
  switch (keyword) {
    case Keyword::kBasepoint:
      return askBasePoint(state);
    case Keyword::kScale:
      return scaleKeyword(data, Axis::kAll, false);
    case Keyword::kXscale:
      return scaleKeyword(data, Axis::kX, false);
    case Keyword::kYscale:
      return scaleKeyword(data, Axis::kY, false);
    case Keyword::kZscale:
      return scaleKeyword(data, Axis::kZ, false);
    case Keyword::kPScale:
      return scaleKeyword(data, Axis::kAll, true);
    case Keyword::kPXscale:
      return scaleKeyword(data, Axis::kX, true);
    case Keyword::kPYscale:
      return scaleKeyword(data, Axis::kY, true);
    case Keyword::kPZscale:
      return scaleKeyword(data, Axis::kZ, true);
    case Keyword::kRotate:
      return rotationKeyword(data, false);
    case Keyword::kPRotate:
      return rotationKeyword(data, true);
    case Keyword::kNone:
      break;
  }
  return kQvError;
}

// The temporary reference of the Basepoint keyword, erased however the question ends.
class ShownReference {
 public:
  ~ShownReference() {
    if (id_.isNull()) return;
    QvDbObjectPointer<QvDbEntity> entity(id_, QvDb::kForWrite);
    if (entity.openStatus() == Vexa::eOk) entity->erase();
  }
  void set(QvDbObjectId id) { id_ = id; }

 private:
  QvDbObjectId id_;
};

}  // namespace

int askBasePoint(InsertCommandState& state) {
  InsertData& data = *state.data;
  VexaDocContext* document = GetVexaAppCtxActiveDocContext();
  VexaGraphics* graphics = GetActiveGraphics();
  QvDbDatabase* db = state.context ? state.context->database() : nullptr;
  if (!document || !graphics || !db) return kQvError;
  const QvString name = data.blockName;
  const QvDbObjectId blockId = getBlockIdByName(db->blockTableId(), name.c_str());
  if (blockId.isNull()) return kQvError;

  ShownReference shown;
  {
    std::unique_ptr<QvDbBlockReference> made;
    if (data.isMInsert) {
      auto array = std::make_unique<QvDbMInsertBlock>();
      array->setColumns(data.columns);
      array->setRows(data.rows);
      array->setColumnSpacing(data.columnSpacing);
      array->setRowSpacing(data.rowSpacing);
      made = std::move(array);
    } else {
      made = std::make_unique<QvDbBlockReference>();
    }
    made->setDatabaseDefaults(db);
    made->setBlockTableRecord(blockId);
    const QvGeVector3d normal = data.normal;
    const QvGePoint3d position = data.dragPosition;
    const QvGeScale3d scale = data.scale;
    made->setNormal(normal);
    made->setPosition(position);
    XqInsertScaling::setRotationWithUCS(made.get(), data.presetRotation);
    XqInsertScaling::setScaleFactorsWithCheck(made.get(), scale);
    QvDbEntity* entity = made.get();
    const QvDbObjectId id = XqDbUtil::CommitToDB(entity, db);
    if (id.isNull()) return kQvError;
    made.release()->close();
    shown.set(id);
  }
  graphics->repairScreenRect(nullptr, true, true);

  VexaAcquireInput input;
  const QvString prompt = qvcmdQvResourceString(10947);
  input.setPrompt(prompt.c_str());
  input.removeInputControls(0x20);
  input.setCursor(VexaAcquireInput::kCursorRubberBand);
  QvGePoint3d picked;
  const int rc = input.getPoint(picked);
  if (rc != kQvNormal) return rc;
  QvGePoint3d world = picked;
  state.context->ucsToWorld(picked, world);
  const QvGePoint3d dragged = data.dragPosition;
  data.basePointOffset = dragged - world;
  return kQvNormal;
}

int askInsertionPoint(InsertCommandState& state) {
  InsertData& data = *state.data;
  const bool uniform = state.uniformScale;
  const QvString prompt = qvcmdQvResourceString(uniform ? 10808 : 10810);
  const QvString keywords = qvcmdQvResourceString(uniform ? 10807 : 10809);
  InsertDragInsertionPoint jig(state.context, &data, state.defaultName);
  jig.sharePreview(state.dragPreview);
  auto start = [&] {
    jig.setDispPrompt(prompt.c_str());
    jig.setKeywordList(keywords.c_str());
    jig.setUserInputControls(0x1080);
    return jig.prepare();
  };
  int rc = start();
  if (rc != kQvNormal) return rc;
  for (;;) {
    const QvEdDrag::DragStatus status = jig.drag();
    rc = dragResult(status);
    jig.finish(rc);
    if (rc == kQvNormal || rc == kQvCancel) return rc;
    // Enter gives no point: the question is asked again.
    if (rc == kQvNone) continue;
    if (rc != kQvKeyword) return kQvError;
    rc = runKeyword(state, keywordOf(QvEdDrag::keywordIndex(status) + 1, uniform));
    if (rc != kQvNormal) return rc;
    rc = start();
    if (rc != kQvNormal) return rc;
  }
}

int dragResult(QvEdDrag::DragStatus status) {
  switch (static_cast<int>(status)) {
    case QvEdDrag::kCancel:
      return kQvCancel;
    case QvEdDrag::kNull:
      return kQvNone;
    case QvEdDrag::kNormal:
      return kQvNormal;
    case InsertDragBase::kZeroValue:
      return kQvRejected;
    default:
      break;
  }
  if (status >= QvEdDrag::kKeyword1 && status <= QvEdDrag::kKeyword11) return kQvKeyword;
  return kQvError;
}

}  // namespace XqInsertPlacement
