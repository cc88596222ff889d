#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbEntity;
class QvDbDimData;
using QvDbDimDataPtrArray = QvArray<QvDbDimData*>;
struct VexaAnswer;
enum class VexaAnswerKind;

// The host's drag: a question whose answer is previewed while the cursor moves. A derived
// class reads the input device in `sampler` (through the acquire functions) and brings its
// preview in line in `update`; `drag` runs the loop.
//
// In the stand-in the input script drives the loop (VexaInputScript): a "~x,y[,z]" line is a
// cursor move that the running drag samples without accepting it, a plain answer line is the
// accepted value, an empty line, a keyword, a cancel (or the end of the script) and other text
// end the drag with their statuses. Points are in world coordinates; typed points are in the
// current UCS.
class QvEdDrag {
 public:
  // Drag statuses. A keyword of the keyword list answers kKeyword1 + its index (the first
  // keyword is 1, the second 2, ...: keywordStatus and keywordIndex convert).
  enum DragStatus : int {
    kNormal = 0,       // a value (sampled or accepted)
    kNull = -1,        // an empty answer (Enter)
    kOtherInput = -3,  // text that is neither a value nor a keyword (kAcceptOtherInput)
    kCancel = -4,      // a cancel, or the script has run out
    kNoChange = -6,    // the sampler saw no change: no update
    kTypedValue = -7,  // acquireScaleFactor: one factor typed rather than a corner picked
    kKeyword1 = 1,
    kKeyword2 = 2,
    kKeyword3 = 3,
    kKeyword4 = 4,
    kKeyword5 = 5,
    kKeyword6 = 6,
    kKeyword7 = 7,
    kKeyword8 = 8,
    kKeyword9 = 9,
    kKeyword10 = 10,
    kKeyword11 = 11,
    kKeyword12 = 12,
  };
  static DragStatus keywordStatus(int index) { return static_cast<DragStatus>(index + 1); }
  // The keyword index of a status, or -1 when it is no keyword status.
  static int keywordIndex(DragStatus status) { return status >= kKeyword1 ? status - 1 : -1; }

  // Input controls (bit values). The stand-in honours kNoZeroResponse, kNoNegativeResponse
  // (a typed value that breaks them asks again), kAcceptOtherInput (other text ends the drag
  // with kOtherInput instead of asking again) and kKeepLastPoint (an accepted point does not
  // become "LASTPOINT"). An empty answer always ends the drag with kNull: whether to accept it
  // is the caller's decision. The others are kept for the caller to read.
  enum UserInputControls : int {
    kOrthoMode = 0x1,
    kNullResponseAccepted = 0x2,
    kKeepLastPoint = 0x8,
    kNoZeroResponse = 0x20,
    kNoNegativeResponse = 0x40,
    k3dCoordinates = 0x80,
    kAcceptOtherInput = 0x800,
    kUcsDetection = 0x1000,
  };

  QvEdDrag() = default;
  QvEdDrag(const QvEdDrag&) = delete;
  QvEdDrag& operator=(const QvEdDrag&) = delete;

  // Virtual operations, in slot order.
  virtual ~QvEdDrag() = default;
  // Entities the host draws besides entity(); none by default.
  virtual QvArray<QvDbEntity*> drawnEntities();
  // Reads the input device and answers a status: kNormal for a new value, kNoChange for the
  // same one, or the status of the input that ends the drag.
  virtual DragStatus sampler() = 0;
  // Brings the preview in line with the last sample; true when the host should redraw.
  virtual bool update();
  // The entity the host draws; none by default.
  virtual QvDbEntity* entity() const;
  // Dimension data of the preview; none by default.
  virtual QvDbDimDataPtrArray* dimData(double pixelSize);
  // A value typed into a dimension of the preview; not supported by default.
  virtual Vexa::ErrorStatus setDimValue(const QvDbDimData* dimData, double value);

  // The prompt (shown as it stands, no formatting), keyword list (see VexaKeywordList; " " for
  // none), input controls and rubber band (on or off, with its colour index; 255 for the
  // host's default).
  void setDispPrompt(const wchar_t* prompt) { prompt_ = prompt; }
  const QvString& dispPrompt() const { return prompt_; }
  void setKeywordList(const wchar_t* keywords) { keywords_ = keywords; }
  const QvString& keywordList() const { return keywords_; }
  void setUserInputControls(int controls) { controls_ = controls; }
  int userInputControls() const { return controls_; }
  void setRubberBand(bool on, int colorIndex = 255) {
    rubberBand_ = on;
    rubberBandColor_ = colorIndex;
  }
  bool rubberBand() const { return rubberBand_; }
  int rubberBandColor() const { return rubberBandColor_; }

  // Runs the drag: shows the prompt, then calls sampler() for each input; update() follows a
  // kNormal sample and is skipped after kNoChange. When update() answers true the preview is
  // drawn: entity() and drawnEntities() as one frame (IVexaDragPreview). The drag ends with the
  // accepted value (kNormal, also when the sampler saw no change in it), or with the status the
  // sampler answers for any other input, or any status other than kNormal and kNoChange the sampler
  // answers for a sample. A sampler that reads no input ends the drag with its own status.
  DragStatus drag();

  // Questions of the sampler. Inside drag() a cursor line answers kNormal with a sampled
  // value; called on their own they show the prompt and skip cursor lines. Without a base
  // point, distances and angles are measured from "LASTPOINT". Angles are in radians in
  // [0, 2 pi) in the UCS XY plane; typed angles are degrees ("r" suffix: radians).
  DragStatus acquirePoint(QvGePoint3d& point);
  DragStatus acquirePoint(QvGePoint3d& point, const QvGePoint3d& basePoint);
  DragStatus acquireDist(double& distance);
  DragStatus acquireDist(double& distance, const QvGePoint3d& basePoint);
  DragStatus acquireAngle(double& angle);
  DragStatus acquireAngle(double& angle, const QvGePoint3d& basePoint);
  // A point gives kNormal with the corner and the two factors: the corner's UCS X and Y
  // distances from the base point. A typed number gives kTypedValue with both factors equal
  // to it (the corner is left alone).
  DragStatus acquireScaleFactor(const QvGePoint3d& basePoint, QvGePoint3d& corner, double& xFactor,
                                double& yFactor);
  // After kOtherInput: the text typed, read as a distance. kNormal, or kOtherInput when the
  // text is no distance (or there was none).
  DragStatus acquireDistFromInput(double& distance);

  // The text of the last keyword (as typed) or other input.
  const QvString& lastInputText() const { return inputText_; }

 private:
  enum class Reading { kNone, kSample, kFinal };
  void drawPreview();
  DragStatus acquire(VexaAnswerKind kind, const QvGePoint3d* basePoint, VexaAnswer& answer);

  QvString prompt_;
  QvString keywords_;
  int controls_ = 0;
  bool rubberBand_ = true;
  int rubberBandColor_ = 255;
  bool dragging_ = false;
  Reading reading_ = Reading::kNone;
  DragStatus lastAcquired_ = kNormal;
  QvString inputText_;
};
