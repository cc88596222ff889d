#pragma once

#include <cstddef>
#include <optional>

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGePoint3d.h"

// The host's acquire-input object: one question on the command line with its own prompt,
// cursor, keywords and input controls (qvedInitGet does not apply to it). It is answered from
// the input script by the same question code as the qvedGet* functions, with the same result
// codes, except that an empty answer to a string is kQvNone here. Points, base points
// included, are in the current UCS.
//
//   VexaAcquireInput input;
//   input.setPrompt(L"\nSpecify rotation angle <0>: ");
//   input.setCursor(VexaAcquireInput::kCursorRubberBand);
//   double angle = 0.0;
//   int rc = input.getAngle(angle);  // kQvNone: Enter
class VexaAcquireInput {
 public:
  // Cursor shapes. The stand-in draws no cursor; the shape is kept for the caller to read.
  enum CursorType : int {
    kCursorCrosshair = 0,
    kCursorText = 5,        // string input
    kCursorRubberBand = 6,  // a line from the base point (angles, second points)
  };

  // Input controls (bit values). The low ones are those of the drag (QvEdDrag): the stand-in
  // honours kNoZeroResponse and kNoNegativeResponse (a typed number that breaks them asks
  // again), kKeepLastPoint (an accepted point does not become "LASTPOINT") and
  // kAcceptOtherInput (other text is answered kQvKeyword, read with keyword() or
  // qvedGetInput). The two string controls shape a string answer.
  enum InputControl : int {
    kKeepLastPoint = 0x8,
    kNoZeroResponse = 0x20,
    kNoNegativeResponse = 0x40,
    kAcceptOtherInput = 0x800,
    kSpaceEndsString = 0x100000,  // a blank ends the answer; the rest is typed ahead
    kTrimString = 0x200000,       // blanks around the answer are dropped
  };

  // What prompt() asks for.
  enum class InputKind { kPoint, kAngle, kString };

  void setPrompt(const wchar_t* prompt) { prompt_ = prompt; }
  const QvString& promptText() const { return prompt_; }
  // Keywords as qvedInitGet takes them (see VexaKeywordList); " " or "" for none.
  void setKeywords(const wchar_t* keywords) { keywords_ = keywords; }
  void setCursor(int cursor) { cursor_ = cursor; }
  int cursor() const { return cursor_; }
  // Distances and angles given by a point are measured from the base point (current UCS).
  void setBasePoint(const QvGePoint3d& ucsPoint) { basePoint_ = ucsPoint; }
  void clearBasePoint() { basePoint_.reset(); }

  int inputControls() const { return controls_; }
  void setInputControls(int controls) { controls_ = controls; }
  void addInputControls(int controls) { controls_ |= controls; }
  void removeInputControls(int controls) { controls_ &= ~controls; }

  void setInputKind(InputKind kind) { kind_ = kind; }
  InputKind inputKind() const { return kind_; }

  // Shows the prompt and reads the answer of the input kind. Results:
  //   kQvNormal   a value: point(), angle() or text()
  //   kQvKeyword  a keyword (or other text under kAcceptOtherInput): keyword()
  //   kQvNone     an empty answer
  //   kQvCancel   a cancel, or the script has run out
  //   kQvError    no running host
  int prompt();

  // The answer of the last prompt().
  const QvGePoint3d& point() const { return point_; }
  double angle() const { return angle_; }
  const QvString& text() const { return text_; }
  const QvString& keyword() const { return keyword_; }

  // Asks for a point (current UCS).
  int getPoint(QvGePoint3d& point);
  // Asks for an angle in radians in [0, 2 pi) in the UCS XY plane from its X axis.
  int getAngle(double& angle);
  // Asks for a text into a buffer of `size` characters; an answer of size characters or more
  // is refused with a message and asked again. kQvError for a null buffer or one of fewer
  // than two characters (no room for an answer).
  int getString(wchar_t* buffer, size_t size);

 private:
  int ask(size_t maxLength);

  QvString prompt_;
  QvString keywords_;
  int cursor_ = kCursorCrosshair;
  int controls_ = 0;
  InputKind kind_ = InputKind::kPoint;
  std::optional<QvGePoint3d> basePoint_;
  QvGePoint3d point_;
  double angle_ = 0.0;
  QvString text_;
  QvString keyword_;
};
