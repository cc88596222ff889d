#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/ed/QvEdDrag.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class IVexaBuildInCommandContext;
class QvDbAttribute;
class QvDbDatabase;
class QvDbLine;
struct InsertData;
struct InsertDragPreview;

// The drags of the insert flow's placement questions. Each builds an in-memory preview of the
// request's block (never added to the drawing) that follows the cursor, and writes the value
// accepted back into the request (finish, given the flow's result code).
//
// Samplers answer kNoChange for a repeated sample (the host then skips the redraw), and
// kZeroValue for a zero scale factor, which the flow maps to a rejected value.
class XQCMDUTIL_EXPORT InsertDragBase : public QvEdDrag {
 public:
  static constexpr DragStatus kZeroValue = static_cast<DragStatus>(-17);

  InsertDragBase(IVexaBuildInCommandContext* context, InsertData* data,
                 const QvString& defaultName);
  ~InsertDragBase() override;

  QvDbEntity* entity() const override;
  // Checks the request and reads what the preview needs: 5100, or -5001 when the block is not
  // found or the active layout does not open. The preview itself (built, or the one built
  // before for the same block placed again) waits until it is first read or drawn: a
  // placement answered from a script never shows it.
  virtual int prepare();
  // The drags of one command share one preview through `shared` (made here when empty).
  void sharePreview(std::shared_ptr<InsertDragPreview>& shared);
  // Writes the accepted value back for the flow's result code.
  virtual void finish(int result);
  const QvGeScale3d& currentScale() const { return scale_; }

  // The preview drawn (a reference, or an array reference for an array request), placed as
  // the last update asked, its attributes placed; null before prepare.
  QvDbBlockReference* preview() const;
  const QvString& defaultName() const { return defaultName_; }

 protected:
  // What an update makes of the preview and of its copy (the copy may be null), done when the
  // preview is next read or drawn; it replaces what an earlier update asked.
  using Placing = std::function<void(QvDbBlockReference& reference, QvDbBlockReference* copy)>;
  void placeWhenShown(Placing placing);
  // Whether prepare succeeded: there is a preview to show.
  bool canShow() const;
  // The attributes follow the preview's block transform (placed when the preview is read).
  void refreshAttributes() const;
  // Scale (when no factor is zero), rotation about the UCS and position at the insertion
  // point: the preview of the scale and rotation questions. False when nothing is shown.
  bool placeScaled(double rotation);
  // `reference` takes `angle` plus the UCS rotation.
  void rotateWithUcs(QvDbBlockReference& reference, double angle) const;
  bool definitionScalesUniformly() const;

  // The last samples of a one-factor question, for the no-change test.
  struct FactorSamples {
    std::optional<QvGePoint3d> point;
    std::optional<double> factor;
  };
  // The sampler of the Y and Z questions: the factor of `axis` from the cursor or from a typed
  // distance, its magnitude only when `absolute`. With `uniformDefinition`, a definition that
  // scales uniformly takes the distance on all three axes.
  DragStatus sampleFactor(double QvGeScale3d::*axis, bool absolute, bool uniformDefinition,
                          FactorSamples& last);

 private:
  // What prepare read of the request for the preview.
  struct Placement {
    QvGePoint3d insertionPoint;
    QvGeVector3d normal = QvGeVector3d::kZAxis;
    QvGeScale3d scale;
    double rotation = 0.0;
    int columns = 1;
    int rows = 1;
    double columnSpacing = 0.0;
    double rowSpacing = 0.0;
  };
  struct PendingPreview {
    QvDbDatabase* db = nullptr;
    Placement placement;
  };
  Placement placementAsked() const;
  // Builds, or places again, the preview prepare asked for, if it waits.
  void showPrepared() const;
  // Normal, rotation, scale (and the array's layout) as asked.
  void place(QvDbBlockReference& reference, const Placement& asked) const;
  // The request's block: the one another drag of the command found for the same name, while
  // it is not erased, else looked up by name (null when there is none).
  QvDbObjectId findBlock(QvDbDatabase* db) const;
  // Reads the UCS rotation and the definition's scaling, or takes them from the shared preview
  // when another drag of the command read them for the same block; false when the active
  // layout or its space does not open.
  bool readSettings(QvDbDatabase* db);
  // `scale` as the definition takes it (see DefinitionScaling): unit factor and uniform rule.
  void scaleAsDefined(QvDbBlockReference& reference, const QvGeScale3d& scale) const;
  void build(InsertDragPreview& built, QvDbDatabase* db, bool annotative,
             const Placement& asked) const;
  // Puts a preview built before back as a new one would be; false when the definition's
  // attributes are no longer those it was built with.
  bool placeAgain(InsertDragPreview& built, const Placement& asked) const;
  // Places the attributes as the last change of the preview asked.
  void placePendingAttributes() const;

  // Filled on first reading (hence mutable): the preview, and what waits to be done to it.
  mutable std::shared_ptr<InsertDragPreview> preview_;
  mutable std::optional<PendingPreview> pendingPreview_;
  mutable Placing placing_;

 protected:
  IVexaBuildInCommandContext* context_;
  InsertData* data_;
  QvString defaultName_;
  // The preview shared with the other drags of the command.
  std::shared_ptr<InsertDragPreview> shared_;
  QvString blockName_;
  QvDbObjectId blockId_;
  QvGePoint3d insertionPoint_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGeScale3d scale_;
  double rotation_ = 0.0;
  bool isArray_ = false;
  // Read by prepare (once for the drags of a command that share a preview): the UCS rotation
  // added to the preview's, and how the definition scales it (no scale is applied when the
  // definition did not open).
  double ucsRotation_ = 0.0;
  double unitFactor_ = 1.0;
  bool uniformDefinition_ = false;
  bool definitionOpened_ = false;
  QvGePoint3d position_;
  bool positioned_ = false;
};

// "ORTHOMODE" off for the life of a drag, put back however the drag ends.
class XQCMDUTIL_EXPORT XqOrthoModeOff {
 public:
  XqOrthoModeOff();
  ~XqOrthoModeOff() { restore(); }
  XqOrthoModeOff(const XqOrthoModeOff&) = delete;
  XqOrthoModeOff& operator=(const XqOrthoModeOff&) = delete;
  // Puts the saved value back now (once).
  void restore();

 private:
  std::optional<int> saved_;
};

// The insertion point. The request's base-point offset is added to the cursor.
class XQCMDUTIL_EXPORT InsertDragInsertionPoint : public InsertDragBase {
 public:
  using InsertDragBase::InsertDragBase;
  int prepare() override;
  DragStatus sampler() override;
  bool update() override;
  // 5100: the insertion point (jig and request) and "LASTPOINT".
  void finish(int result) override;
  const QvGePoint3d& sampledPoint() const { return sampled_; }

 private:
  QvGePoint3d sampled_;
  std::optional<QvGePoint3d> lastCursor_;
};

// One scale factor as a distance from the insertion point.
class XQCMDUTIL_EXPORT InsertDragUniformScale : public InsertDragBase {
 public:
  using InsertDragBase::InsertDragBase;
  DragStatus sampler() override;
  bool update() override;
  void finish(int result) override;

 private:
  std::optional<double> last_;
};

// The X (and Y) scale factor: a corner gives both, a typed factor X only (Y is asked next).
class XQCMDUTIL_EXPORT InsertDragScale : public InsertDragBase {
 public:
  using InsertDragBase::InsertDragBase;
  int prepare() override;
  DragStatus sampler() override;
  bool update() override;
  void finish(int result) override;
  // One factor was typed: the Y question follows.
  bool singleFactor() const { return singleFactor_; }

 private:
  std::optional<QvGePoint3d> lastCorner_;
  bool singleFactor_ = false;
  bool uniformRequest_ = false;
  std::unique_ptr<XqOrthoModeOff> ortho_;
};

// The Y scale factor.
class XQCMDUTIL_EXPORT InsertDragScaleY : public InsertDragBase {
 public:
  using InsertDragBase::InsertDragBase;
  int prepare() override;
  DragStatus sampler() override;
  bool update() override;
  void finish(int result) override;

 private:
  FactorSamples last_;
};

// The Z scale factor (its absolute value).
class XQCMDUTIL_EXPORT InsertDragScaleZ : public InsertDragBase {
 public:
  using InsertDragBase::InsertDragBase;
  int prepare() override;
  DragStatus sampler() override;
  bool update() override;
  void finish(int result) override;

 private:
  FactorSamples last_;
};

// The rotation about the insertion point.
class XQCMDUTIL_EXPORT InsertDragRotateAroundInsertPoint : public InsertDragBase {
 public:
  using InsertDragBase::InsertDragBase;
  int prepare() override;
  DragStatus sampler() override;
  bool update() override;
  void finish(int result) override;

 private:
  std::optional<double> last_;
  QvGePoint3d angleBase_;
};

// The other corner of an array cell, drawn as four lines. `firstCorner` is in the frame
// `toCell` carries points into; `fromCell` carries them back.
class XQCMDUTIL_EXPORT MInsertDragRowColDistance : public QvEdDrag {
 public:
  MInsertDragRowColDistance(const QvGePoint3d& firstCorner, const QvGeMatrix3d& fromCell,
                            const QvGeMatrix3d& toCell);
  ~MInsertDragRowColDistance() override;
  // "ORTHOMODE" off (back when the drag object goes) and the four lines.
  void setup();
  DragStatus sampler() override;
  bool update() override;
  QvDbEntity* entity() const override { return nullptr; }
  QvArray<QvDbEntity*> drawnEntities() override;
  const QvGePoint3d& currentCorner() const { return current_; }

 private:
  QvGePoint3d first_;
  QvGePoint3d current_;
  QvGeMatrix3d fromCell_;
  QvGeMatrix3d toCell_;
  std::vector<std::unique_ptr<QvDbLine>> lines_;
  std::unique_ptr<XqOrthoModeOff> ortho_;
};

// Placement of any block reference (or array reference) with the insert engine's rules. The
// member functions are kept for callers of the exported names; they work on this object. The
// static forms take any reference and are what the module itself uses.
class XQCMDUTIL_EXPORT BlockReference_Insert : public QvDbBlockReference {
 public:
  // Rotation `angle` added to the current UCS's rotation.
  void setRotationWithUCS(double angle);
  // Scale under the definition's uniform rule, converted from its insertion units.
  void setScaleFactorsWithCheck(const QvGeScale3d& scale);
  static void setRotationWithUCS(QvDbBlockReference* reference, double angle);
  static void setScaleFactorsWithCheck(QvDbBlockReference* reference, const QvGeScale3d& scale);
};
